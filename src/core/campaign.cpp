#include "core/campaign.h"

namespace kv {

std::int32_t Money = 0;
std::int32_t StartMoney = 0;

void RestoreStartMoney() {
    Money = StartMoney;
}

void ResetCampaign() {
    Money = 0;
    StartMoney = 0;
}

}  // namespace kv
