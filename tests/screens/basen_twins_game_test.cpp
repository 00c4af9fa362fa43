// Mission 1 from its campaign map: a rescue helicopter with its crew, a flight of the aircraft and
// the fire boat bought as the player buys them, each on its way along its base's map road.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "gfx/screen_animation.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/view/draw_pictures.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/basis_views.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

#include "platform/system.h"
#include "screens/basen_twins_fixture.h"
#include "screens/karte_wege.h"
#include "screens/options.h"

namespace kv {
namespace {

using TwinBasenGame = test::TwinBaseTest;

struct Point {
    int x;
    int y;
};

// The screen point nearest the middle of a picture drawn at (x, y) where it has a pixel.
Point OpaquePoint(const VffImage& image, int x, int y) {
    Point best{x, y};
    long bestDistance = -1;
    for (int j = 0; j < image.height; ++j)
        for (int i = 0; i < image.width; ++i) {
            if (image.pixels[static_cast<std::size_t>(j) * image.width + i] == 0) continue;
            const long dx = 2 * i - image.width;
            const long dy = 2 * j - image.height;
            const long distance = dx * dx + dy * dy;
            if (bestDistance >= 0 && distance >= bestDistance) continue;
            bestDistance = distance;
            best = {x + i, y + j};
        }
    return best;
}

Point PlacePoint(std::int16_t base, int anim) {
    const BasisPlace& place = Basen[static_cast<std::size_t>(base)].places[0];
    const AnimSlot& slot = FahrzeugAnimSlot(place.type, place.facing, anim);
    const VffImage* image = UnitFrameImage(slot, 0);
    if (image == nullptr) return {place.x, place.y};
    return OpaquePoint(*image, place.x - slot.hotX, place.y - slot.hotY);
}

std::int16_t StaffOfType(std::int8_t type) {
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type == type && Personen[i].storey == kStoreyStaffRoom)
            return static_cast<std::int16_t>(i);
    return -1;
}

Point PersonPoint(std::int16_t person) {
    const Person& p = Personen[static_cast<std::size_t>(person)];
    const VffImage* image = PersonPicture(p).image;
    if (image == nullptr) return {static_cast<int>(p.x), static_cast<int>(p.y)};
    return OpaquePoint(*image, p.drawX, p.drawY);
}

// The campaign map's first move of each vehicle on a road, as the world's tick makes it.
struct FirstMove {
    std::int16_t vehicle;
    std::int8_t road;
    float x;
    float y;
};
std::vector<FirstMove> g_moves;
void RecordMove(std::int16_t vehicle) {
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(vehicle)];
    g_moves.push_back({vehicle, v.KarteWeg, v.x, v.y});
    MoveFahrzeugOnKarte(vehicle);
}

TEST_F(TwinBasenGame, AHelicopterAFlightAndABoatAreBoughtFromMissionOnesMap) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player, false);
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    const std::int32_t start = Money;

    // The helicopter base: the F203 in the hall, PERSONAL, the medic and the stretcher team.
    enterBase(test::kHeliBase);
    ASSERT_EQ(GameMode, 14u) << FatalErrorMessage();
    const Point heli = PlacePoint(test::kHeliBase, 3);
    player.mouse(heli.x, heli.y);
    player.frames(1);
    ASSERT_EQ(HoverKind, kHoverFahrzeug);
    player.click(heli.x, heli.y);
    player.frames(2);
    ASSERT_EQ(BasisScreen.chosenPlace, 0);
    EXPECT_TRUE(player.shot("heli-halle"));
    player.click(510, 540);  // PERSONAL
    player.frames(4);
    ASSERT_EQ(BasisScreen.view, 0);
    const std::int16_t medic = StaffOfType(4);
    const std::int16_t team = StaffOfType(5);
    for (const std::int16_t person : {medic, team}) {
        ASSERT_GE(person, 0);
        const Point at = PersonPoint(person);
        player.mouse(at.x, at.y);
        player.frames(1);
        ASSERT_EQ(HoverKind, kHoverPerson);
        player.click(at.x, at.y);
        player.frames(1);
    }
    ASSERT_EQ(BasisScreen.assignedCount, 2);
    player.click(400, 540);  // START
    player.frames(4);
    ASSERT_EQ(BasisScreen.view, 3);
    const std::int16_t helicopter = BasisScreen.vehicle;
    ASSERT_TRUE(player.runUntil(
        [] {
            const SonderObj* shadow = SonderObjAt(HeliBasisShadow);
            return shadow != nullptr && shadow->frame <= 9;
        },
        40));
    EXPECT_TRUE(player.shot("heli-start"));
    ASSERT_TRUE(player.runUntil([] { return GameMode == 10u; }, 200)) << FatalErrorMessage();
    const std::int32_t crew =
        static_cast<std::int32_t>(PersonTypen[4].price + PersonTypen[5].price);
    EXPECT_EQ(Money, start - static_cast<std::int32_t>(FahrzeugTypen[kTypF203].price) - crew);
    const Fahrzeug& h = Fahrzeuge[static_cast<std::size_t>(helicopter)];
    EXPECT_EQ(h.KarteWeg, 3);
    ASSERT_GE(h.seats.size(), 2u);
    EXPECT_EQ(h.seats[0], medic);
    EXPECT_EQ(h.seats[1], team);
    // Mission 1's road picture has no road 3: the helicopter arrives at its first move.
    player.frames(1);
    EXPECT_EQ(h.KarteWeg, -1);
    EXPECT_EQ(h.storey, kLayerHelicopter);
    EXPECT_FLOAT_EQ(h.x, RoadEntry.x);
    EXPECT_FLOAT_EQ(h.y, RoadEntry.y);

    // The airfield: the aircraft, a free point in the live view, the take-off. Each base's
    // purchase fits mission 1's money on its own, so each starts from it.
    Money = start;
    const std::int32_t beforeFlight = Money;
    enterBase(test::kLflugBase);
    ASSERT_EQ(GameMode, 13u) << FatalErrorMessage();
    player.click(355, 300);
    player.frames(1);
    ASSERT_EQ(BasisScreen.view, 1);
    player.mouse(300, 200);
    player.frames(2);
    EXPECT_TRUE(player.shot("lflug-ziel"));
    const std::int16_t dropX = static_cast<std::int16_t>(2 * 300 + ViewOrigin.x - 470);
    const std::int16_t dropY = static_cast<std::int16_t>(2 * 200 + ViewOrigin.y - 250);
    player.click(300, 200);
    player.frames(8);
    ASSERT_EQ(BasisScreen.view, 2);
    EXPECT_TRUE(player.shot("lflug-start"));
    const std::int16_t aircraft = BasisScreen.vehicle;
    ASSERT_TRUE(player.runUntil([] { return GameMode == 10u; }, 60)) << FatalErrorMessage();
    EXPECT_EQ(LflugCooldown, 3600);
    EXPECT_EQ(Money, beforeFlight - static_cast<std::int32_t>(FahrzeugTypen[kTypF111].price));
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(aircraft)].type, kTypF111);
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(aircraft)].KarteWeg, 4);
    EXPECT_EQ(LflugDropX, dropX);
    EXPECT_EQ(LflugDropY, dropY);

    // The ship base: the boat, START, and Esc half-way out.
    Money = start;
    const std::int32_t beforeBoat = Money;
    enterBase(test::kSchiffBase);
    ASSERT_EQ(GameMode, 15u) << FatalErrorMessage();
    const Point boatPoint = PlacePoint(test::kSchiffBase, 0);
    player.mouse(boatPoint.x, boatPoint.y);
    player.frames(1);
    player.click(boatPoint.x, boatPoint.y);
    player.frames(1);
    ASSERT_EQ(BasisScreen.chosenPlace, 0);
    player.click(400, 540);  // START
    player.frames(4);
    ASSERT_EQ(BasisScreen.view, 3);
    const std::int16_t boat = BasisScreen.vehicle;
    const float halfWay = (Basen[5].places[0].x + kSchiffGoneX) / 2;
    ASSERT_TRUE(player.runUntil(
        [&] { return Fahrzeuge[static_cast<std::size_t>(boat)].x >= halfWay; }, 200));
    EXPECT_TRUE(player.shot("schiff-ausfahrt"));
    // The world runs behind the map now: its tick makes the map moves.
    g_moves.clear();
    SetMoveFahrzeugOnKarteHook(RecordMove);
    player.key(VK_ESCAPE);
    player.frames(1);
    SetMoveFahrzeugOnKarteHook(MoveFahrzeugOnKarte);
    ASSERT_EQ(GameMode, 10u);
    EXPECT_EQ(Money, beforeBoat - static_cast<std::int32_t>(FahrzeugTypen[kTypF115].price));
    const auto first = std::find_if(g_moves.begin(), g_moves.end(),
                                    [&](const FirstMove& m) { return m.vehicle == boat; });
    ASSERT_NE(first, g_moves.end());
    EXPECT_EQ(first->road, 5);
    EXPECT_FLOAT_EQ(first->x, WaterEntry.x);
    EXPECT_FLOAT_EQ(first->y, WaterEntry.y);
}

// A mission that ends while a base screen is open (from the options over it, as a restart, a
// quit, a load or a jump ends it) frees what the screen holds; the sanitizer build checks that
// nothing leaks. What outlives the mission would harm the next one: the shadow's slot index
// (saving passes that slot over) and the cursor held in the target choice's rectangle.
TEST_F(TwinBasenGame, AMissionEndingOverAnyOpenBaseLeavesNothingOfIt) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player, false);
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    struct Case {
        std::int16_t base;
        void (*fill)();  // the screen brought to where it holds the most
        bool options;    // the options opened over it
    };
    const Case cases[] = {
        {0,
         [] {
             BasisScreen.chosenPlace = 0;
             LoadBasisAussen();
         },
         true},
        {test::kHeliBase,
         [] {
             BasisScreen.chosenPlace = 0;
             StartHeliTakeOff();
         },
         true},
        {test::kLflugBase, OpenZielWahl, false},
        {test::kSchiffBase,
         [] {
             BasisScreen.chosenPlace = 0;
             StartSchiffDriveOut();
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base);
        if (c.base == 0) {
            LeaveKarte(1);
            OpenBasis(c.base);
        } else {
            enterBase(c.base);
        }
        ASSERT_NE(GameMode, 10u) << FatalErrorMessage();
        c.fill();
        if (c.options) OpenOptionsScreen();
        player.frames(2);
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
        ShutdownMission(0);
        EXPECT_EQ(HeliBasisShadow, -1);
        Rect clip{};
        EXPECT_FALSE(GetClipCursor(clip) && clip.left == kZielWahlClip.left &&
                     clip.top == kZielWahlClip.top && clip.right == kZielWahlClip.right &&
                     clip.bottom == kZielWahlClip.bottom);
        EXPECT_FALSE(AnimationActive());
        EXPECT_EQ(BasisViewImage, nullptr);
        EXPECT_EQ(BasisMaskImage, nullptr);
        EXPECT_TRUE(BasisScreen.pathTemplate.empty());
        EXPECT_TRUE(BasisScreen.infoText.empty());
        // The next mission on its campaign map, for the next base.
        StartMission(kNewMission);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    }
}

}  // namespace
}  // namespace kv
