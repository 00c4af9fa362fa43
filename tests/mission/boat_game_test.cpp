// The whole game on the sample data: mission 1 with a boat point on the pond's north shore and a
// boat carrier F117 away from it. Selected, the carrier sees the point's marker and the rescue
// cursor over it; a click sends it there, and it launches its boat onto the pond. The boat, driven
// off and clicked back onto the point, is loaded again and the carrier is selected.

#include <gtest/gtest.h>

#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/selection.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "missions/mission_rows.h"
#include "movement/befehl_queue.h"
#include "support/kept_frames.h"
#include "support/scripted_player.h"
#include "vehicles/boat_fixture.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeuge.h"
#include "world/point_marker.h"

namespace kv {
namespace {

std::int16_t g_carrier = -1;

// Mission 1's own vehicles, and the carrier on the grass between the road and the pond.
void InitFahrzeugeWithCarrier() {
    kMissionHooksM01.InitFahrzeuge();
    g_carrier = CreateFahrzeug(kTypF117, 1000, 640, 3);
}

std::vector<int> Opcodes(const UnitHead& unit) {
    std::vector<int> ops;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

Fahrzeug& V(std::int16_t i) {
    return Fahrzeuge[static_cast<std::size_t>(i)];
}

void SelectOnly(std::int16_t vehicle) {
    for (Fahrzeug& v : Fahrzeuge) v.selected = 0;
    V(vehicle).selected = 1;
    UpdateSelectionMode();
}

// The boat on the pond, -1 while there is none.
std::int16_t Boat() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
        if (Fahrzeuge[i].type == kTypF116) return static_cast<std::int16_t>(i);
    return -1;
}

bool InPond(const Fahrzeug& v) {
    return v.x > 1000 && v.x < 1170 && v.y > 760 && v.y < 950;
}

class BoatGame : public test::MissionTest {
  protected:
    // The marker frame whose picture the last shown frame holds with its top-left at (x, y),
    // over whatever lies beneath; -1 none.
    int markerFrameAt(int x, int y) const {
        const HeadlessBackend::Frame& shown = backend.frames().back();
        for (int f = 0; f < kPointMarkerFrames; ++f) {
            const VffImage& m = BootMarkerImage[f];
            bool same = true;
            for (int j = 0; j < m.height && same; ++j)
                for (int i = 0; i < m.width && same; ++i)
                    if (const std::uint8_t want = m.pixels[j * m.width + i]; want != 0)
                        same = shown.at(x + i, y + j) == want;
            if (same) return f;
        }
        return -1;
    }
};

TEST_F(BoatGame, TheCarrierLaunchesItsBoatAtThePointAndTakesItBackThere) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        row.InitFahrzeuge = InitFahrzeugeWithCarrier;
        row.InitBootPunkte = test::InitShoreBootPunkte;
        row.CheckMission = [] {};  // the boats' scene is none of mission 1's business
    });
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();

    ASSERT_EQ(BootPunkte.size(), 2u);
    Fahrzeug& carrier = V(g_carrier);
    ASSERT_EQ(carrier.type, kTypF117);
    carrier.selectable = 1;
    carrier.targetable = 1;
    SelectOnly(g_carrier);
    ASSERT_EQ(SelectionMode, kTypF117);
    ViewOrigin = {800, 500};

    // Over the point the next frame shows the rescue cursor, and the marker cycles its frames.
    const BootPunkt& point = test::kShorePoint;
    player.mouseWorld(point.x, point.y);
    player.frames(1);
    EXPECT_EQ(CursorId, kCursorRescue);
    player.shot("boat-point-cursor");
    ASSERT_EQ(ViewOrigin.x, 800);
    ASSERT_EQ(ViewOrigin.y, 500);
    const int markerX = point.x - 10 - ViewOrigin.x;
    const int markerY = point.y - 10 - ViewOrigin.y;
    // The cursor aside, the marker shows whole.
    player.mouseWorld(point.x + 80, point.y - 60);
    std::vector<int> shown;
    for (int n = 0; n < 8; ++n) {
        player.frames(1);
        shown.push_back(markerFrameAt(markerX, markerY));
        if (n % 2 == 0) player.shot("boat-point-marker-" + std::to_string(n / 2));
    }
    ASSERT_NE(shown[0], -1);
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(shown[static_cast<std::size_t>(n)], (shown[0] + (n + 1) / 2) % 4) << n;

    // The click, handled before the next frame, sends the carrier onto the point to launch.
    player.clickWorld(point.x, point.y);
    player.frames(0);
    EXPECT_EQ(Opcodes(carrier), (std::vector<int>{0, 7, 1, 71}));
    ASSERT_TRUE(player.runUntil([] { return Boat() >= 0; }, 1200))
        << carrier.x << " " << carrier.y << " " << int{carrier.direction} << " "
        << Opcodes(carrier).size();
    const std::int16_t boat = Boat();
    EXPECT_TRUE(InPond(V(boat)));
    EXPECT_EQ(V(boat).x, test::kBoatX);
    EXPECT_EQ(V(boat).y, test::kBoatY);
    EXPECT_EQ(carrier.type, kTypF119);
    EXPECT_EQ(carrier.x, point.x);
    EXPECT_EQ(carrier.y, point.y);
    EXPECT_EQ(SelectionMode, kTypF119);
    player.frames(1);
    EXPECT_EQ(markerFrameAt(markerX, markerY), -1) << "the carrier stands on the point";
    player.shot("boat-launched");

    // The boat, driven off across the pond, comes back at a click on the point.
    SelectOnly(boat);
    ASSERT_EQ(SelectionMode, kTypF116);
    player.mouseWorld(1120, 900);
    player.frames(1);
    player.clickWorld(1120, 900);
    player.frames(0);
    EXPECT_EQ(Opcodes(V(boat)), std::vector<int>{0});
    player.frames(1);
    ASSERT_TRUE(player.runUntil([&] { return V(boat).orders == nullptr; }, 600));
    EXPECT_TRUE(InPond(V(boat)));
    EXPECT_NE(V(boat).y, test::kBoatY);
    player.mouseWorld(point.x, point.y);
    player.frames(1);
    player.clickWorld(point.x, point.y);
    player.frames(0);
    EXPECT_EQ(Opcodes(V(boat)), (std::vector<int>{0, 7, 1, 72}));
    ASSERT_TRUE(player.runUntil([] { return Boat() < 0; }, 1200));
    EXPECT_EQ(carrier.type, kTypF117);
    EXPECT_EQ(carrier.selected, 1);
    EXPECT_EQ(SelectionMode, kTypF117);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(g_carrier));
    player.mouseWorld(point.x + 80, point.y - 60);
    player.frames(1);
    EXPECT_EQ(markerFrameAt(markerX, markerY), -1) << "the full carrier stands on the point";
    player.shot("boat-back");
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
