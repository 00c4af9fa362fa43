#pragma once
// Mission 1 on the campaign map, and a base entered as its plate's click enters it. Mission 1
// offers no plate for the helicopter base, the airfield or the ship base, so the tests enter them
// through the same two calls.

#include <gtest/gtest.h>

#include <cstdint>

#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "mission/mission_fixture.h"
#include "screens/basis.h"
#include "screens/heli_basis.h"
#include "screens/karte.h"
#include "screens/lflug_basis.h"
#include "screens/schiff_basis.h"
#include "support/scripted_player.h"

namespace kv::test {

class TwinBaseTest : public MissionTest {
  protected:
    // The start picture clicked: mission 1 opens on the campaign map. A test whose world runs
    // behind a base and that is not about mission 1's rules leaves its frame check out.
    void openMissionOneMap(ScriptedPlayer& player, bool withMissionCheck = true) {
        useSampleData(false);
        openGame();
        if (!withMissionCheck) MissionHookRow(1)->CheckMission = [] {};
        player.click(400, 300);
        player.frames(1);
    }
    // The map closed for a base, then the base's screen opened.
    static void enterBase(std::int16_t base) {
        LeaveKarte(1);
        switch (Basen[static_cast<std::size_t>(base)].type) {
            case kBasisHeli:
                OpenHeliBasis(base);
                break;
            case kBasisLflug:
                OpenLflugBasis(base);
                break;
            case kBasisSchiff:
                OpenSchiffBasis(base);
                break;
            default:
                break;
        }
    }
};

inline constexpr std::int16_t kHeliBase = 3;
inline constexpr std::int16_t kLflugBase = 4;
inline constexpr std::int16_t kSchiffBase = 5;

}  // namespace kv::test
