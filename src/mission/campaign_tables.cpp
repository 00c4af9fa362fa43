#include "mission/campaign_tables.h"

namespace kv {

std::uint8_t CampaignPosition = 0;

void ResetCampaignPosition() {
    CampaignPosition = 0;
}

}  // namespace kv
