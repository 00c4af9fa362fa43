#include "screens/mission_end.h"

#include <algorithm>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "media/sound_slots.h"
#include "world/explosions.h"

namespace kv {

namespace {

constexpr std::uint32_t kModeMissionFailed = 4;
constexpr std::uint32_t kModeMissionWon = 5;

bool ExplosionRunning() {
    return std::any_of(ExplosionSlots.begin(), ExplosionSlots.end(),
                       [](const ExplosionSlot& e) { return e.live > 0; });
}

}  // namespace

void ShowMissionFailed(std::uint16_t kind, std::string_view reason) {
    if (kind == kFailAfterExplosions && ExplosionRunning()) return;
    StopAllSounds();
    SetMessageLine(reason, kMessageLineForever);
    Money = StartMoney;
    GameMode = kModeMissionFailed;
    CursorId = 0;
}

void ShowWellDone() {
    StopAllSounds();
    StartMoney = Money;
    GameMode = kModeMissionWon;
    CursorId = 0;
}

}  // namespace kv
