#include "screens/high_score.h"

#include "mission/campaign_tables.h"
#include "mission/mission_start.h"

namespace kv {

void OpenHighScore() {
    ShutdownMission(0);
    ++CampaignPosition;
    if (CampaignPosition >= kCampaignLength) return;
    StartMission(-1);
}

}  // namespace kv
