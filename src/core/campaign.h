#pragma once
// What the campaign carries from one mission to the next.

#include <cstdint>

namespace kv {

// The player's money; base screens work on a copy and write it back.
extern std::int32_t Money;
// The money a mission started with.
extern std::int32_t StartMoney;

// Undoes the running mission's spending and start money: a failure, a restart from the options
// and a jump all begin again from what the mission was entered with.
void RestoreStartMoney();

// Both 0, as at program start.
void ResetCampaign();

}  // namespace kv
