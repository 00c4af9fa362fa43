// Mission 1 opened on the campaign map after its video: the briefing read at the marker, a bought
// fire-brigade car on its way along the map road, and the camera box into play.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "gfx/frame_buffer.h"
#include "media/video.h"
#include "mission/mission_fixture.h"
#include "movement/befehl.h"
#include "screens/basis.h"
#include "screens/karte.h"
#include "screens/karte_wege.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

using KarteGame = test::MissionTest;

constexpr std::int8_t kStoreyInBase = -5;
constexpr std::uint8_t kVehicleDot = 253;

// A vehicle as a base's purchase leaves it: bought, in the base at the entry point, on the base's
// map road.
std::int16_t BuyAtBasis(std::int16_t type, std::int16_t base) {
    const std::int16_t index = CreateFahrzeug(type, RoadEntry.x, RoadEntry.y, 7);
    if (index < 0) return index;
    LoadFahrzeugTyp(type);
    SetupFahrzeug(index, kOwnerBought);
    Fahrzeuge[static_cast<std::size_t>(index)].storey = kStoreyInBase;
    PlaceFahrzeugOnKarte(index, base);
    return index;
}

int CountOrders(const Fahrzeug& v) {
    int n = 0;
    for (const Befehl* b = v.orders; b != nullptr; b = b->next) ++n;
    return n;
}

TEST_F(KarteGame, MissionOneOpensOnTheMapWhoseBriefingAndRoadLeadIntoPlay) {
    useSampleData(true);
    openGame();
    test::ScriptedPlayer player(backend);
    clickStartPicture();
    ASSERT_EQ(VideoStage, kVideoMission);
    finishVideo();
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_EQ(WorldStarted, 0);
    EXPECT_EQ(BriefingUnread, 1);
    EXPECT_EQ(Basen[0].x, 310);
    player.frames(1);
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_TRUE(player.shot("karte-start"));

    // Not before the briefing has been read.
    player.key(VK_ESCAPE);
    player.rclick(400, 300);
    player.frames(2);
    EXPECT_EQ(GameMode, 10u);

    player.click(KarteMarker.x, KarteMarker.y);
    ASSERT_TRUE(player.runUntil([] { return BriefingState == kBriefingComplete; }, 200));
    EXPECT_EQ(BriefingUnread, 0);
    EXPECT_FALSE(BriefingText.empty());
    EXPECT_TRUE(player.shot("karte-briefing"));

    // A fire-brigade car bought at base 0 drives the map road while the world stands.
    const std::int16_t car = BuyAtBasis(kTypF201, 0);
    ASSERT_GE(car, 0);
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(car)];
    EXPECT_EQ(v.KarteWeg, 0);
    EXPECT_EQ(v.KarteX, KarteStartPoints[0].x);
    player.frames(12);
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_EQ(v.KarteWeg, 0);
    EXPECT_GT(v.KarteY, KarteStartPoints[0].y) << "down the road from the station";
    EXPECT_EQ(WorkBuffer[v.KarteY * kScreenWidth + v.KarteX], kVehicleDot) << "its dot";
    EXPECT_TRUE(player.shot("karte-fahrzeug"));

    ASSERT_TRUE(player.runUntil([&v] { return v.KarteWeg == -1; }, 200));
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_EQ(v.storey, 0);
    EXPECT_EQ(v.direction, 3);
    EXPECT_FLOAT_EQ(v.x, -100.0f);
    ASSERT_EQ(CountOrders(v), 1);
    EXPECT_EQ(v.orders->opcode, 0);
    EXPECT_FLOAT_EQ(v.orders->aFloat(), 270.0f);
    EXPECT_FLOAT_EQ(v.orders->bFloat(), 560.0f);

    // The camera box hands over to play; the car drives in.
    player.click(kMapCamX + 20, kMapCamY + 20);
    player.frames(1);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(WorldStarted, 1);
    ASSERT_TRUE(player.runUntil([&v] { return v.orders == nullptr; }, 400));
    EXPECT_FLOAT_EQ(v.x, 270.0f);
    EXPECT_FLOAT_EQ(v.y, 560.0f);
}

}  // namespace
}  // namespace kv
