// Mission 1's generated map with one vehicle of every player type: the mission's vehicle set-up,
// a hundred ticks of orders, and the end of the mission.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "plain_map.h"
#include "vehicles/fahrzeug_befehle.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv {
namespace {

// Along the road that crosses mission 1's map, the even types bought (owner left at 0).
void PlaceEveryPlayerType() {
    FahrzeugCount = 30;
    AllocFahrzeuge();
    for (int t = 0; t < kPlayerFahrzeugTypCount; ++t) {
        const auto x = static_cast<std::int16_t>(80 + 70 * t);
        const std::int16_t v = CreateFahrzeug(t, x, 530, t % kDirectionCount);
        ASSERT_GE(v, 0) << t;
        if (t % 2 == 0) Fahrzeuge[static_cast<std::size_t>(v)].controlFlags = 0;
    }
}

using MissionVehicles = test::FahrzeugTest;

TEST_F(MissionVehicles, EveryPlayerTypeRunsOnMissionOne) {
    ASSERT_TRUE(LoadLevelMap(1, 0));
    ASSERT_TRUE(LoadTerrain());
    plainmap::SetWorldMaxFromMap();
    MissionHookRows[0].InitFahrzeuge = &PlaceEveryPlayerType;
    ASSERT_TRUE(InitFahrzeuge(1)) << FatalErrorMessage();
    EXPECT_EQ(BoughtFahrzeugCount, 12);
    EXPECT_EQ(F101Count, 1);

    SeedRandom(20);
    for (int t = 0; t < kPlayerFahrzeugTypCount; ++t) {
        Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(t)];
        ASSERT_EQ(v.type, t);
        EXPECT_TRUE(FahrzeugTypLoaded(v.type)) << t;
        EXPECT_EQ(v.wasserStrahl != nullptr,
                  FahrzeugTypen[static_cast<std::size_t>(t)].kanone != nullptr);
        // A mix of orders.
        switch (t % 5) {
            case 0:
                AppendBefehl(v, 7, 20 + Rand() % 20, 0, 0, 0, 1);
                AppendBefehl(v, 43, 10, 0, 0, 0, 1);
                break;
            case 1:
                v.aimX = v.x;
                v.aimY = v.y - 100;
                AppendBefehl(v, 8, 0, 0, 0, 0, 1);
                break;
            case 2:
                AppendBefehl(v, 61, 15, 0, 0, 0, 1);
                AppendBefehl(v, 11, 0, 0, 0, 0, 1);
                AppendBefehl(v, 7, 5, 0, 0, 0, 1);
                break;
            case 3:
                AppendBefehl(v, 0, 900, 530, 0, 0, 1);
                break;
            default:
                v.heat = 200000;
                break;
        }
    }
    for (int tick = 0; tick < 100; ++tick) {
        UpdateFahrzeuge();
        UpdateKanzelLift();
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    }
    for (int t = 0; t < kPlayerFahrzeugTypCount; ++t) {
        const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(t)];
        SCOPED_TRACE(t);
        if (t % 5 == 0 || t % 5 == 2) {
            EXPECT_EQ(v.orders, nullptr);
        }
        const AnimSlot& slot = FahrzeugAnim(v);
        if (t % 5 != 4) {
            EXPECT_EQ(v.drawX, static_cast<std::int32_t>(v.x) - slot.hotX);
        }
    }
    FreeFahrzeuge();
    EXPECT_TRUE(Fahrzeuge.empty());
}

}  // namespace
}  // namespace kv
