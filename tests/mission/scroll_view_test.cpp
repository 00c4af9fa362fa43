#include "mission/scroll_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "mission/mission_keys.h"
#include "mission/screen_calls.h"
#include "persons/personen.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"

namespace kv {
namespace {

// Mission 1's map: the view reaches x 1120 and y 500.
class ScrollViewTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ScrollCols = 74;
        MapHeight = 38;
        ScrollRows = 35;
        ScrollSpeed = 2;
        MouseX = 400;
        MouseY = 300;
    }
};

struct Frame {
    int mouseX;
    int mouseY;
    ViewPoint view;  // after the frame
};

struct ScrollCase {
    std::string name;
    ViewPoint start;
    std::function<void()> setUp;
    std::vector<Frame> frames;
};

// Frames from the steps the view takes along x, the mouse at x 21 while held is set.
std::vector<Frame> Steps(ViewPoint start, const std::vector<std::pair<bool, int>>& steps) {
    std::vector<Frame> frames;
    int x = start.x;
    for (const auto& [held, step] : steps) {
        x -= step;
        frames.push_back({held ? 21 : 400, 300, {static_cast<std::int16_t>(x), start.y}});
    }
    return frames;
}

TEST_F(ScrollViewTest, EdgesAndGlidesMoveTheViewWithinItsLimits) {
    auto glideHome = [] {
        HomeView = {0, 240};
        GlideHome = 1;
    };
    const std::vector<ScrollCase> cases = {
        {"the left edge at speed 2, then the coast",
         {1000, 240},
         nullptr,
         Steps({1000, 240}, {{true, 2},   {true, 4},   {true, 6},   {true, 8},   {true, 10},
                             {true, 12},  {true, 14},  {true, 16},  {true, 18},  {true, 20},
                             {true, 22},  {true, 24},  {true, 24},  {false, 22}, {false, 20},
                             {false, 18}, {false, 16}, {false, 14}, {false, 12}, {false, 10},
                             {false, 8},  {false, 6},  {false, 4},  {false, 2},  {false, 0}})},
        {"held at 0, also while coasting",
         {3, 100},
         nullptr,
         {{21, 300, {1, 100}}, {21, 300, {0, 100}}, {21, 300, {0, 100}}, {400, 300, {0, 100}}}},
        {"held at the maxima, also while coasting",
         {1117, 497},
         nullptr,
         {{778, 578, {1119, 499}},
          {778, 578, {1120, 500}},
          {778, 578, {1120, 500}},
          {400, 300, {1120, 500}},
          {400, 300, {1120, 500}}}},
        {"a glide home",
         {1000, 240},
         glideHome,
         {{400, 300, {700, 240}},
          {400, 300, {400, 240}},
          {400, 300, {100, 240}},
          {400, 300, {0, 240}},
          {400, 300, {0, 240}}}},
        // The glide's arrival starts the scroll afresh, and the edge scroll goes on at once.
        {"a glide and an edge scroll in one frame",
         {1000, 240},
         glideHome,
         {{400, 578, {700, 242}},
          {400, 578, {400, 244}},
          {400, 578, {100, 246}},
          {400, 578, {0, 242}},
          {400, 578, {0, 246}}}},
        {"a glide home beyond the limits stops at them",
         {500, 100},
         [] {
             HomeView = {-50, 900};
             GlideHome = 1;
         },
         {{400, 300, {200, 400}}, {400, 300, {0, 500}}, {400, 300, {0, 500}}}},
        {"a glide to a jump target",
         {0, 0},
         [] {
             JumpTarget = {650, 20};
             JumpTargetActive = 1;
         },
         {{400, 300, {300, 20}}, {400, 300, {600, 20}}, {400, 300, {650, 20}}}},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetScrollView();
        ViewOrigin = c.start;
        if (c.setUp) c.setUp();
        for (std::size_t n = 0; n < c.frames.size(); ++n) {
            const Frame& f = c.frames[n];
            MouseX = static_cast<std::uint16_t>(f.mouseX);
            MouseY = static_cast<std::uint16_t>(f.mouseY);
            ScrollView();
            EXPECT_EQ(ViewOrigin.x, f.view.x) << "frame " << n;
            EXPECT_EQ(ViewOrigin.y, f.view.y) << "frame " << n;
        }
        EXPECT_EQ(GlideHome, 0);
        EXPECT_EQ(JumpTargetActive, 0);
    }
}

TEST_F(ScrollViewTest, AnArrowKeyScrollsLikeItsEdgeAndScrollSpeedThreeReaches36) {
    ScrollSpeed = 3;
    ViewOrigin = {0, 0};
    ArrowKeyHeld = 39;
    int last = 0;
    std::vector<int> steps;
    for (int n = 0; n < 14; ++n) {
        ScrollView();
        steps.push_back(ViewOrigin.x - last);
        last = ViewOrigin.x;
    }
    EXPECT_EQ(steps, (std::vector<int>{3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 36, 36}));
    EXPECT_EQ(ViewOrigin.y, 0);
}

TEST_F(ScrollViewTest, TheLimitsComeFromTheMapAndAreNeverBelowZero) {
    EXPECT_EQ(ViewScrollLimits().x, 1120);
    EXPECT_EQ(ViewScrollLimits().y, 500);
    // A map narrower and lower than the view: the view stays at 0 whatever the edges ask.
    ScrollCols = 20;
    ScrollRows = 10;
    EXPECT_EQ(ViewScrollLimits().x, 0);
    EXPECT_EQ(ViewScrollLimits().y, 0);
    ViewOrigin = {0, 0};
    MouseX = 778;
    MouseY = 578;
    for (int n = 0; n < 3; ++n) ScrollView();
    EXPECT_EQ(ViewOrigin.x, 0);
    EXPECT_EQ(ViewOrigin.y, 0);
}

void Key(WParam key) {
    OnGameKeyDown(key, 0);
}

void Place(UnitHead& unit, std::int8_t type, float x, float y) {
    unit.type = type;
    unit.x = x;
    unit.y = y;
}

TEST_F(ScrollViewTest, TabCyclesTheUsableVehiclesInIndexOrderWithinTheLimits) {
    FahrzeugCount = 7;
    AllocFahrzeuge();
    // 0 and 5 free; 1 off the map, 2 not selectable, 3 below the aircraft's layer; 4 beyond the
    // far limits, 6 an aircraft near the map's left edge.
    Place(Fahrzeuge[1], 0, 900, 500);
    Fahrzeuge[1].present = 0;
    Place(Fahrzeuge[2], 0, 900, 500);
    Fahrzeuge[2].targetable = 0;
    Place(Fahrzeuge[3], 0, 900, 500);
    Fahrzeuge[3].storey = -3;
    Place(Fahrzeuge[4], 0, 2000.9f, 900);
    Place(Fahrzeuge[6], 10, 100, 600.7f);
    Fahrzeuge[6].storey = -2;

    struct Expected {
        std::uint16_t index;
        ViewPoint target;
    };
    for (const Expected& e : {Expected{4, {1120, 500}}, Expected{6, {0, 365}},
                              Expected{4, {1120, 500}}, Expected{6, {0, 365}}}) {
        Key(VK_TAB);
        EXPECT_EQ(NextVehicleIndex, e.index);
        ASSERT_EQ(JumpTargetActive, 1);
        EXPECT_EQ(JumpTarget.x, e.target.x);
        EXPECT_EQ(JumpTarget.y, e.target.y);
        for (int n = 0; n < 6 && JumpTargetActive != 0; ++n) {
            ScrollView();
            EXPECT_TRUE(ViewOrigin.x >= 0 && ViewOrigin.x <= 1120 && ViewOrigin.y >= 0 &&
                        ViewOrigin.y <= 500);
        }
        EXPECT_EQ(ViewOrigin.x, e.target.x);
        EXPECT_EQ(ViewOrigin.y, e.target.y);
    }

    // An index left past the count starts again at 0.
    NextVehicleIndex = 9;
    Key(VK_TAB);
    EXPECT_EQ(NextVehicleIndex, 4);

    // No usable vehicle, or none at all: the view stays.
    JumpTargetActive = 0;
    Fahrzeuge[4].present = 0;
    Fahrzeuge[6].targetable = 0;
    Key(VK_TAB);
    EXPECT_EQ(JumpTargetActive, 0);
    FreeFahrzeuge();
    FahrzeugCount = 0;
    AllocFahrzeuge();
    NextVehicleIndex = 65535;
    Key(VK_TAB);
    EXPECT_EQ(JumpTargetActive, 0);
    EXPECT_EQ(NextVehicleIndex, 65535);
}

TEST_F(ScrollViewTest, HomeCentresTheLastSelectedVehicleElseTheLastSelectedPerson) {
    FahrzeugCount = 3;
    AllocFahrzeuge();
    PersonCount = 5;
    AllocPersonen();
    Key(VK_HOME);
    EXPECT_EQ(JumpTargetActive, 0) << "nothing selected";

    Place(Personen[2], 1, 500, 400);
    Place(Personen[4], 4, 600, 450);
    Place(Personen[3], 1, 700, 450);
    Personen[2].selected = 1;
    Personen[4].selected = 1;
    Key(VK_HOME);
    ASSERT_EQ(JumpTargetActive, 1);
    EXPECT_EQ(JumpTarget.x, 285);
    EXPECT_EQ(JumpTarget.y, 215);

    Place(Fahrzeuge[0], 0, 800, 600);
    Place(Fahrzeuge[1], 3, 900, 700);
    Fahrzeuge[0].selected = 1;
    Fahrzeuge[1].selected = 1;
    Key(VK_HOME);
    EXPECT_EQ(JumpTarget.x, 585);
    EXPECT_EQ(JumpTarget.y, 465);
}

TEST_F(ScrollViewTest, KeysSetTheScrollAndTheSpeedReadAsASignedByte) {
    struct Case {
        WParam key;
        std::uint8_t arrow;
        std::uint8_t speed;
        std::uint8_t glide;
    };
    const Case cases[] = {
        {VK_END, 0, 1, 1},
        {VK_LEFT, 37, 1, 0},
        {VK_UP, 38, 1, 0},
        {VK_RIGHT, 39, 1, 0},
        {VK_DOWN, 40, 1, 0},
        {'1', 0, 1, 0},
        {'2', 0, 2, 0},
        {'3', 0, 3, 0},
        {0x100 + '3', 0, 3, 0},
        {'4', 0, 1, 0},
        {0x100 + VK_END, 0, 1, 1},
    };
    for (const Case& c : cases) {
        ResetScrollView();
        GameSpeed = 1;
        Key(c.key);
        EXPECT_EQ(ArrowKeyHeld, c.arrow) << c.key;
        EXPECT_EQ(GameSpeed, c.speed) << c.key;
        EXPECT_EQ(GlideHome, c.glide) << c.key;
    }
}

TEST_F(ScrollViewTest, ReleasingAnyArrowKeyStopsTheArrowScroll) {
    Key(VK_LEFT);
    Key(VK_UP);
    OnGameKeyUp(VK_SPACE, 0);
    EXPECT_EQ(ArrowKeyHeld, VK_UP);
    OnGameKeyUp(VK_LEFT, 0);
    EXPECT_EQ(ArrowKeyHeld, 0) << "the left key goes up while up is still held";
    Key(VK_RIGHT);
    OnGameKeyUp(VK_DOWN, 0);
    EXPECT_EQ(ArrowKeyHeld, 0);
}

int g_missionJumps = 0;

TEST_F(ScrollViewTest, TheMissionJumpWordIsReadOnlyOverTheOptionsButton) {
    static constexpr ScreenCallTable kCalls{.OpenMissionJump = [] { ++g_missionJumps; }};
    SetScreenCalls(&kCalls);
    const auto type = [](std::string_view word, int x, int y) {
        g_missionJumps = 0;
        for (const char c : word) {
            MouseX = static_cast<std::uint16_t>(x);
            MouseY = static_cast<std::uint16_t>(y);
            Key(static_cast<WParam>(c));
        }
        return g_missionJumps;
    };
    struct Case {
        int x;
        int y;
        int opened;
    };
    for (const Case& c :
         {Case{700, 380, 1}, Case{663, 354, 1}, Case{769, 411, 1}, Case{662, 380, 0},
          Case{770, 380, 0}, Case{700, 353, 0}, Case{700, 412, 0}, Case{400, 300, 0}}) {
        EXPECT_EQ(type("EINSATZ", c.x, c.y), c.opened) << c.x << ", " << c.y;
        EXPECT_EQ(JumpWordStep, 0);
    }
    // A wrong letter starts the word again; so does a letter typed off the button.
    EXPECT_EQ(type("EINSXATZ", 700, 380), 0);
    EXPECT_EQ(type("EINSXEINSATZ", 700, 380), 1);
    EXPECT_EQ(type("EIN", 700, 380) + type("SATZ", 400, 300) + type("SATZ", 700, 380), 0);
    EXPECT_EQ(type("EINSAT", 700, 380), 0);
    EXPECT_EQ(JumpWordStep, 6);
    EXPECT_EQ(type("Z", 700, 380), 1);
}

}  // namespace
}  // namespace kv
