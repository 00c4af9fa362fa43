// Mission 8 on the sample data: its set-up, the wreck's explosion and fire sound, the water and
// push clicks on the wreck, its checks and its evaluation.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_start.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/explosions.h"
#include "world/houses.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kWreck = 1;
constexpr std::int16_t kBurningPlane = 22;
constexpr std::int16_t kHalfBurnedPlane = 23;

class MissionEight : public test::SampleMissionTest {
  protected:
    MissionEight() : SampleMissionTest(8, 3) {}

    static void update() { kMissionHooksM08.UpdateMission(); }
    static void check() { kMissionHooksM08.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    // The wreck put out, as the cannon leaves it.
    static void putOut() {
        O(kWreck).burning = 0;
        O(kWreck).type = kHalfBurnedPlane;
        --BurningSonderObjCount;
    }
    static const ExplosionSlot& wreckExplosion() {
        return ExplosionSlots[static_cast<std::size_t>(SonderObjTypAt(20)->explosionKind)];
    }
};

TEST_F(MissionEight, SetsUpItsPeopleObjectsHousesAndFire) {
    const auto persons = std::count_if(Personen.begin(), Personen.end(),
                                       [](const Person& p) { return p.type != -1; });
    EXPECT_EQ(persons, 12) << "nine onlookers and three casualties";
    const auto casualties = std::count_if(Personen.begin(), Personen.end(), [](const Person& p) {
        return p.type != -1 && p.casualty != 0;
    });
    EXPECT_EQ(casualties, 3);
    const auto hydrants = std::count_if(SonderObjs.begin(), SonderObjs.end(),
                                        [](const SonderObj& o) { return o.type == kSobjHydrant; });
    EXPECT_EQ(hydrants, 28);
    EXPECT_EQ(O(0).type, 18);
    EXPECT_EQ(O(kWreck).type, kBurningPlane);
    EXPECT_EQ(O(kWreck).burning, 1);
    EXPECT_EQ(BurningSonderObjCount, 1);
    const auto houses =
        std::count_if(Houses.begin(), Houses.end(), [](const House& h) { return h.type != -1; });
    EXPECT_EQ(houses, 44);
    EXPECT_EQ(Houses[0].type, 64) << "the restaurant first";
    EXPECT_EQ(BrandStates[static_cast<std::size_t>(brand::FireCellIndex(76, 53))].burning, 1);
}

TEST_F(MissionEight, TheWreckExplodesOnceFromTick1801UnlessPutOut) {
    TickCounter = 1800;
    update();
    EXPECT_EQ(O(kWreck).type, kBurningPlane);
    TickCounter = 1801;
    update();
    EXPECT_EQ(O(kWreck).type, 20);
    EXPECT_EQ(O(kWreck).burning, 0);
    EXPECT_EQ(BurningSonderObjCount, 0);
    ASSERT_TRUE(O(kWreck).commands);
    EXPECT_EQ(O(kWreck).commands->kind, 0);
    EXPECT_EQ(wreckExplosion().live, 1);
    TickCounter = 1802;
    update();
    EXPECT_EQ(wreckExplosion().live, 1) << "once";

    restart();
    TickCounter = 1800;
    putOut();
    for (std::uint32_t t = 1801; t < 1810; ++t) {
        TickCounter = t;
        update();
    }
    EXPECT_EQ(O(kWreck).type, kHalfBurnedPlane);
    EXPECT_EQ(wreckExplosion().live, 0);
}

TEST_F(MissionEight, TheFireSoundsWhileTheWreckBurns) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    update();
    update();
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), (std::vector<int>{82})) << "started once";
    EXPECT_EQ(IsSoundPlaying(82), 1);
    putOut();
    update();
    EXPECT_EQ(IsSoundPlaying(82), 0);

    restart();
    test::FillSoundSlotsWithTones();
    SoundOn = 0;
    backend.sound.clearCalls();
    update();
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty());
}

TEST_F(MissionEight, CursorOverTheWreck) {
    struct Case {
        std::uint16_t slot;
        std::uint16_t mode;
        float wreckX;
        std::int16_t wreckType;
        std::uint16_t cursor;  // 0: not claimed
    };
    const Case cases[] = {
        {1, 3, 1580, kBurningPlane, kCursorWater},
        {1, 4, 1580, kBurningPlane, kCursorWater},
        {1, 6, 1580, kBurningPlane, kCursorWater},
        {1, 13, 1580, kBurningPlane, kCursorWater},
        {1, 5, 1580, kBurningPlane, 0},
        {1, 3, 1580, kHalfBurnedPlane, 0},
        {1, 12, 1799, kHalfBurnedPlane, kCursorRescue},
        {1, 12, 1800, kBurningPlane, 0},
        {0, 3, 1580, kBurningPlane, 0},
        {0, 12, 1580, kBurningPlane, 0},
        {999, 3, 1580, kBurningPlane, 0},
    };
    for (const Case& c : cases) {
        HoverIds = {c.slot, 0, 0, 0};
        SelectionMode = c.mode;
        O(kWreck).x = c.wreckX;
        O(kWreck).type = c.wreckType;
        CursorId = 0;
        EXPECT_EQ(kMissionHooksM08.CursorOnSonderObj(), c.cursor != 0 ? 1 : 0)
            << c.slot << " " << c.mode << " " << c.wreckX;
        EXPECT_EQ(CursorId, c.cursor) << c.slot << " " << c.mode << " " << c.wreckX;
    }
}

TEST_F(MissionEight, ClicksOnTheWreckSprayItOrPushIt) {
    const auto clickOn = [](std::uint16_t slot) {
        HoverIds = {slot, 0, 0, 0};
        return kMissionHooksM08.ClickOnSonderObj();
    };
    ViewOrigin = {1340, 910};
    MouseX = 300;
    MouseY = 250;  // (1640, 1160), on the wreck
    const std::int16_t near = vehicle(kTypF104, 1500, 1250);
    const std::int16_t far = vehicle(kTypF104, 200, 949);
    const Fahrzeug& n = Fahrzeuge[static_cast<std::size_t>(near)];
    const Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(far)];

    SelectionMode = 3;
    SelectedIndex = static_cast<std::uint16_t>(near);
    ASSERT_EQ(clickOn(kWreck), 1);
    EXPECT_EQ(test::Orders(n),
              (std::vector<test::Order>{{kOpCannonAtObject, 1640, 1160, 1, 0, 0}}));
    SelectedIndex = static_cast<std::uint16_t>(far);
    ASSERT_EQ(clickOn(kWreck), 1);
    EXPECT_EQ(test::Orders(f),
              (std::vector<test::Order>{{kOpRouteLeg, 1640, 1160, 0, 0, 0},
                                        {kOpCannonAtObject, 1640, 1160, 1, 0, 1}}));
    // Claimed with no vehicle behind the selection.
    RemoveFahrzeug(far, kRemoveDrivenOff);
    EXPECT_EQ(clickOn(kWreck), 1);
    EXPECT_EQ(clickOn(0), 0) << "the sign takes no click";

    // The pushing car drives to the wreck's left side, faces east and pushes it to x 2000.
    const std::int16_t pusher = vehicle(kTypF114, 1300, 1250);
    const Fahrzeug& p = Fahrzeuge[static_cast<std::size_t>(pusher)];
    SelectionMode = 12;
    SelectedIndex = static_cast<std::uint16_t>(pusher);
    const SonderObjTyp& wreck = *SonderObjTypAt(kBurningPlane);
    const FahrzeugTyp& type = FahrzeugTypOf(p);
    const int x = 1580 + wreck.boxX0 - (type.extent[2] - type.extent[0]) / 2 - 2;
    const int y = 1117 + wreck.boxY0 + (wreck.boxY1 - wreck.boxY0) / 2;
    ASSERT_EQ(clickOn(kWreck), 1);
    EXPECT_EQ(test::Orders(p), (std::vector<test::Order>{{kOpMove, x, y, 0, 0, 0},
                                                         {kOpWait, 1, 0, 0, 0, 1},
                                                         {kOpTurn, x, y, 3, 0, 1},
                                                         {kOpPushSonderObj, 1, 2000, 0, 0, 1}}));
    O(kWreck).x = 1800;
    EXPECT_EQ(clickOn(kWreck), 0) << "pushed far enough";
}

TEST_F(MissionEight, ChecksInTheirOrder) {
    const auto clearRescues = [] {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1 && Personen[i].casualty != 0)
                DeletePerson(static_cast<std::int32_t>(i));
        for (BrandState& s : BrandStates) s.burning = 0;
        BurningCellCount = 0;
    };
    struct Case {
        std::uint32_t dead;
        std::uint16_t burningHouses;
        bool cleared;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {1, 0, false, 2, ""},
        {2, 0, false, 4, "Zu viele Tote!"},
        {0, 3, false, 2, ""},
        {0, 4, false, 4, "Brand ist ausser Kontrolle geraten!"},
        {2, 0, true, 4, "Zu viele Tote!"},
        {0, 0, true, 5, ""},
        {1, 0, true, 5, ""},
    };
    for (const Case& c : cases) {
        restart();
        if (c.cleared) clearRescues();
        ToteCount = c.dead;
        BurningHouseCount = c.burningHouses;
        check();
        EXPECT_EQ(GameMode, c.mode) << c.dead << " " << c.burningHouses << " " << c.cleared;
        if (c.mode == 4) {
            EXPECT_EQ(message(), c.message);
        }
        if (c.cleared) {
            EXPECT_EQ(BurningSonderObjCount, 1) << "the burning wreck holds nothing";
        }
    }
}

TEST_F(MissionEight, Evaluation) {
    ToteCount = 1;
    TickCounter = 30000;
    Money = 2500;
    kMissionHooksM08.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 50);
    EXPECT_EQ(ResultLines[1].percent, 0);
    EXPECT_EQ(ResultLines[2].percent, 50);
    EXPECT_EQ(EvaluationEfficiency, 33);
    EXPECT_EQ(EvaluationPoints, 234);
}

}  // namespace
}  // namespace kv
