// The cursor over the edges, the panels, the ground and the houses, and the order in which the
// missions' cursor hooks are asked.

#include "mission/input/cursor_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/input/cursor_fixture.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/house_fixture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"

namespace kv {
namespace {

using test::CursorTest;
using test::kFieldX;
using test::kFieldY;

// --- Edges and panels -------------------------------------------------------------------------

struct EdgeCase {
    int mouseX;
    int mouseY;
    int viewX;
    int viewY;
    std::uint16_t cursor;
};

// Mission 1's view scrolls over 0..1120 x 0..500.
TEST_F(CursorTest, EdgesAndCornersScrollOrShowTheLimit) {
    const EdgeCase cases[] = {
        {21, 300, 0, 240, 13},     {21, 300, 5, 240, 5},       // left
        {778, 300, 530, 240, 3},   {778, 300, 1120, 240, 11},  // right
        {400, 21, 530, 5, 2},      {400, 21, 530, 0, 10},      // top
        {400, 578, 530, 240, 4},   {400, 578, 530, 500, 12},   // bottom
        {21, 21, 5, 0, 9},         {21, 21, 0, 5, 9},         {21, 21, 0, 0, 17},
        {21, 578, 0, 240, 8},      {21, 578, 0, 500, 16},     {778, 21, 1120, 240, 6},
        {778, 21, 530, 0, 6},      {778, 21, 1120, 0, 14},    {778, 578, 1120, 240, 7},
        {778, 578, 1120, 500, 15},
    };
    // Even over something a click would act on.
    SelectMode(kSeveralSelected);
    Hover(kHoverMapCell, 23, 8);
    for (const EdgeCase& c : cases) {
        MouseX = static_cast<std::uint16_t>(c.mouseX);
        MouseY = static_cast<std::uint16_t>(c.mouseY);
        ViewOrigin = {static_cast<std::int16_t>(c.viewX), static_cast<std::int16_t>(c.viewY)};
        EXPECT_EQ(Cursor(), c.cursor)
            << "mouse " << c.mouseX << ", " << c.mouseY << " view " << c.viewX << ", " << c.viewY;
    }
}

TEST_F(CursorTest, TheWorldRulesHoldUpTo639x479AndThePanelsShowThePointer) {
    SelectMode(kSeveralSelected);
    Hover(kHoverMapCell, 23, 8);
    MouseX = 639;
    MouseY = 479;
    EXPECT_EQ(Cursor(), kCursorMove);
    MouseX = 640;
    MouseY = 100;
    EXPECT_EQ(Cursor(), kCursorPointer);
    MouseX = 300;
    MouseY = 480;
    EXPECT_EQ(Cursor(), kCursorPointer);
}

// --- The hooks --------------------------------------------------------------------------------

// Every hook records that it was asked; the one named g_decider also sets 21 and answers
// g_decide, the others answer 0.
std::vector<std::string> g_asked;
std::string g_decider;
std::uint8_t g_decide = 0;

template <const char* Name>
std::uint8_t Recording() {
    g_asked.emplace_back(Name);
    if (g_decider != Name) return 0;
    CursorId = kCursorWater;
    return g_decide;
}
constexpr char kMapArea[] = "map";
constexpr char kGround[] = "ground";
constexpr char kHouse[] = "house";
constexpr char kPerson[] = "person";
constexpr char kFahrzeug[] = "vehicle";
constexpr char kSonderObj[] = "object";

class CursorHooksTest : public CursorTest {
  protected:
    void SetUp() override {
        CursorTest::SetUp();
        g_asked.clear();
        g_decider.clear();
        g_decide = 1;
        MissionHooks& row = MissionHookRows[0];
        row.CursorOnMapArea = Recording<kMapArea>;
        row.CursorOnGround = Recording<kGround>;
        row.CursorOnHouse = Recording<kHouse>;
        row.CursorOnPerson = Recording<kPerson>;
        row.CursorOnFahrzeug = Recording<kFahrzeug>;
        row.CursorOnSonderObj = Recording<kSonderObj>;
        SelectMode(kSeveralSelected);
        MouseAtWorld(static_cast<int>(kFieldX), static_cast<int>(kFieldY));
    }
};

TEST_F(CursorHooksTest, TheMapAreaHookComesBeforeTheHookOfWhatIsHovered) {
    struct Case {
        std::uint16_t kind;
        const char* hook;
    };
    const std::int16_t person = Walker(1, 700, 250);
    const std::int16_t vehicle = Bought(0, 800, 250);
    const Case cases[] = {
        {kHoverMapCell, kGround},      {kHoverPerson, kPerson},    {kHoverFahrzeug, kFahrzeug},
        {kHoverSonderObj, kSonderObj}, {kHoverFurniture, nullptr}, {kHoverNothing, nullptr},
    };
    for (const Case& c : cases) {
        g_asked.clear();
        const std::uint16_t id = c.kind == kHoverPerson ? person : vehicle;
        Hover(c.kind, c.kind == kHoverMapCell ? 23 : id, 8);
        const std::uint16_t cursor = Cursor();
        std::vector<std::string> expected = {kMapArea};
        if (c.hook != nullptr) expected.emplace_back(c.hook);
        EXPECT_EQ(g_asked, expected) << c.kind;
        EXPECT_NE(cursor, kCursorWater);
    }
}

TEST_F(CursorHooksTest, TheFirstHookThatDecidesEndsTheChoice) {
    Hover(kHoverMapCell, 23, 8);
    g_decider = kMapArea;
    EXPECT_EQ(Cursor(), kCursorWater);
    EXPECT_EQ(g_asked, std::vector<std::string>{kMapArea});

    g_asked.clear();
    g_decider = kGround;
    EXPECT_EQ(Cursor(), kCursorWater) << "the engine's ground rule would give 1";
    EXPECT_EQ(g_asked, (std::vector<std::string>{kMapArea, kGround}));

    // A hook that answers 0 leaves the engine's choice, whatever it wrote.
    g_asked.clear();
    g_decide = 0;
    EXPECT_EQ(Cursor(), kCursorMove);
}

TEST_F(CursorHooksTest, ThePontoonPointComesFirstAndNoHookIsAskedAtAnEdgeOrOverThePanel) {
    const std::int16_t pontoon = Bought(kTypF113, 900, 250);
    SelectFahrzeug(pontoon);
    PontonPunkte.assign(1, PontonPunkt{});
    PontonPunkte[0].x = static_cast<std::uint16_t>(kFieldX);
    PontonPunkte[0].y = static_cast<std::uint16_t>(kFieldY);
    Hover(kHoverMapCell, 23, 8);
    EXPECT_EQ(Cursor(), kCursorRescue);
    EXPECT_TRUE(g_asked.empty());

    for (const auto& [x, y] : {std::pair{21, 300}, std::pair{700, 300}, std::pair{300, 500}}) {
        MouseX = static_cast<std::uint16_t>(x);
        MouseY = static_cast<std::uint16_t>(y);
        Cursor();
    }
    EXPECT_TRUE(g_asked.empty());
}

TEST_F(CursorHooksTest, EveryHousePieceAsksTheHouseHookWhereItCountsAsTheLowerPiece) {
    // A one-floor house: its middle piece is taken as its lower piece.
    ASSERT_TRUE(test::PlaceHouses({{14, 10, 3}}));
    // PlaceHouses installs its own row; ask ours again.
    MissionHookRows[0].CursorOnHouse = Recording<kHouse>;
    MissionHookRows[0].CursorOnMapArea = Recording<kMapArea>;
    ViewOrigin = {200, 0};
    MouseAtWorld(380, 130);
    for (std::uint16_t kind : {kHoverHouseLower, kHoverHouseMiddle, kHoverHouseUpper}) {
        g_asked.clear();
        Hover(kind, 1, 1, 0, 0);
        Cursor();
        EXPECT_EQ(g_asked, (std::vector<std::string>{kMapArea, kHouse})) << kind;
    }
}

// --- Ground -----------------------------------------------------------------------------------

class GroundCursorTest : public CursorTest {
  protected:
    void SetUp() override {
        CursorTest::SetUp();
        MouseAtWorld(static_cast<int>(kFieldX), static_cast<int>(kFieldY));
        const CellPos c = CellFromPixel(static_cast<int>(kFieldX), static_cast<int>(kFieldY));
        column = c.column;
        row = c.row;
        cell = static_cast<std::size_t>(CellIndex(column, row));
        Hover(kHoverMapCell, static_cast<std::uint16_t>(column), static_cast<std::uint16_t>(row));
        Cold();
    }
    void Cold() const {
        MapCells[cell].material &= kMaterialClassMask;
        BrandStates[cell].burning = 0;
    }
    void Burning() const { BrandStates[cell].burning = 1; }
    void Unburnt() const { MapCells[cell].material |= kMaterialUnburnt; }
    int column = 0;
    int row = 0;
    std::size_t cell = 0;
};

TEST_F(GroundCursorTest, TheSelectionDecidesWhatTheGroundOffers) {
    EXPECT_EQ(Cursor(), kCursorPointer) << "nothing selected";
    SelectMode(kSeveralSelected);
    EXPECT_EQ(Cursor(), kCursorMove);
    SelectMode(kBoxGroupSelected, 0);
    EXPECT_EQ(Cursor(), kCursorMoveGroup);
    SelectMode(kCasualtySelected, 0);
    EXPECT_EQ(Cursor(), kCursorPointer);
}

TEST_F(GroundCursorTest, AFireEngineSpraysAHotCell) {
    SelectFahrzeug(Bought(kTypF104, 900, 250));
    Burning();
    EXPECT_EQ(Cursor(), kCursorWater) << "burning";
    Cold();
    Unburnt();
    EXPECT_EQ(Cursor(), kCursorWater) << "unburnt look";
    Cold();
    EXPECT_EQ(Cursor(), kCursorMove) << "burnt out";
}

TEST_F(GroundCursorTest, TheHosePersonReaches250PxWithItsHoseOnAHotCell) {
    const int lineY = row * kCellHeight;
    const std::int16_t near = Walker(11, kFieldX + 250, static_cast<float>(lineY));
    const std::int16_t far = Walker(11, kFieldX + 251, static_cast<float>(lineY));
    P(near).link2 = 0;
    P(far).link2 = 0;
    Burning();
    SelectPerson(near);
    EXPECT_EQ(Cursor(), kCursorWater);
    SelectPerson(far);
    EXPECT_EQ(Cursor(), kCursorPointer);
    SelectPerson(near);
    P(near).link2 = kNoLink;
    EXPECT_EQ(Cursor(), kCursorPointer) << "no hose connected";
    P(near).link2 = 0;
    Cold();
    EXPECT_EQ(Cursor(), kCursorPointer) << "a cold cell";
}

TEST_F(GroundCursorTest, TheHelicopterLandsOnFreeGround) {
    const std::int16_t heli = Bought(kTypF203, 1000, 250);
    SelectFahrzeug(heli);
    EXPECT_EQ(Cursor(), kCursorLand);
    const std::int16_t carrying = Bought(kTypF203B, 1200, 250);
    SelectFahrzeug(carrying);
    EXPECT_EQ(Cursor(), kCursorLand);

    Bought(0, static_cast<std::int16_t>(kFieldX), static_cast<std::int16_t>(kFieldY));
    EXPECT_EQ(Cursor(), kCursorMove);
    SelectFahrzeug(heli);
    EXPECT_EQ(Cursor(), kCursorMove);
}

TEST_F(GroundCursorTest, PersonsOnTheGround) {
    // Terrain 76 that does not burn offers these persons their work there.
    const std::int16_t worker = Walker(1, 700, 250);
    P(worker).type = 13;
    SelectPerson(worker);
    EXPECT_EQ(Cursor(), kCursorMove);
    SetCellTerrain(static_cast<int>(cell), 76);
    EXPECT_EQ(Cursor(), kCursorRescue);
    Burning();
    EXPECT_EQ(Cursor(), kCursorMove);
    Cold();
    P(worker).house = 0;
    EXPECT_EQ(Cursor(), kCursorMove) << "inside a house";

    // A person of type 10 that holds a link stays.
    const std::int16_t linked = Walker(1, 720, 250);
    P(linked).type = 10;
    SelectPerson(linked);
    EXPECT_EQ(Cursor(), kCursorMove);
    P(linked).link = static_cast<std::uint16_t>(worker);
    EXPECT_EQ(Cursor(), kCursorPointer);

    // So does one raised in the ladder's basket, and one run by a controller.
    const std::int16_t ladder = Bought(kTypF106, 900, 250);
    const std::int16_t raised = Walker(1, 740, 250);
    SelectPerson(raised);
    P(raised).basketVehicle = static_cast<std::uint16_t>(ladder);
    EXPECT_EQ(Cursor(), kCursorMove) << "in the basket at the ground";
    P(raised).height = 30.0f;
    EXPECT_EQ(Cursor(), kCursorPointer);
    P(raised).basketVehicle = kNoLink;
    P(raised).controlFlags = 1;
    EXPECT_EQ(Cursor(), kCursorPointer);
}

// --- Houses (sample house types on mission 1's map) --------------------------------------------

// A house of the type at column 10, row 3: its right side spans x 400..464 in the view from
// (200, 0), its ground line falls from (400, 196) to (464, 84), and its entrance is cell (0, 0).
class HouseCursorTest : public CursorTest {
  protected:
    void SetUp() override {
        CursorTest::SetUp();
        ViewOrigin = {200, 0};
    }
    void TearDown() override {
        test::ResetHouseState();
        CursorTest::TearDown();
    }
    void Place(int type) {
        ASSERT_TRUE(test::PlaceHouses({{type, 10, 3}}));
        house = &Houses[0];
        house->shownStorey = static_cast<std::uint8_t>(HouseTypOf(*house).floors);
    }
    // A person of the type inside the house on storey 0, selected.
    std::int16_t Inside(int type) {
        const std::int16_t p = Walker(1, 420, 150);
        P(p).type = static_cast<std::int8_t>(type);
        P(p).house = 0;
        SelectPerson(p);
        return p;
    }
    House* house = nullptr;
};

TEST_F(HouseCursorTest, TheStoreyChangeCellOffersTheStoreysAboveButNeverTheTopFloor) {
    Place(4);  // four floors
    Inside(12);
    Hover(kHoverHouseLower, 0, 0, 0, 0);
    MouseAtWorld(420, 112 - 25);  // 25 px above the cell's bottom line: two storeys up
    EXPECT_EQ(Cursor(), kCursorChangeStorey + 2);
    MouseAtWorld(420, 112 - 5);
    EXPECT_EQ(Cursor(), kCursorChangeStorey);
    MouseAtWorld(420, 112 + 10);
    EXPECT_EQ(Cursor(), kCursorPointer) << "below the cell: a step of -1";
    Hover(kHoverHouseLower, 1, 0, 0, 0);
    EXPECT_EQ(Cursor(), kCursorMove) << "any other cell";
    Hover(kHoverHouseLower, 0, 0, 0, 0);
    P(static_cast<std::int16_t>(SelectedIndex)).house = kNoLink;
    EXPECT_EQ(Cursor(), kCursorPointer) << "outside the house";

    FreeHouses();
    Place(0);  // three floors
    P(static_cast<std::int16_t>(SelectedIndex)).house = 0;
    MouseAtWorld(420, 112 - 25);
    EXPECT_EQ(Cursor(), kCursorPointer);
}

TEST_F(HouseCursorTest, TheWallTestsOpenTheHouseAtTheStoreyUnderTheMouse) {
    Place(0);  // three floors, all shown, not cut open: the top open storey is 1
    SelectMode(kSeveralSelected);
    MouseAtWorld(432, 130);
    Hover(kHoverHouseMiddle, 5, 3, 2, 0);
    EXPECT_EQ(Cursor(), kCursorPointer);
    Hover(kHoverHouseMiddle, 5, 3, 1, 0);
    EXPECT_EQ(Cursor(), kCursorOpenStorey + 1);
    Hover(kHoverHouseUpper, 5, 3, 0, 0);
    EXPECT_EQ(Cursor(), kCursorOpenStorey);

    MouseAtWorld(432, 150);
    EXPECT_EQ(Cursor(), kCursorPointer) << "below the ground line";
    MouseAtWorld(432, 75);
    EXPECT_EQ(Cursor(), kCursorPointer) << "above storey 1";
    // Beside the right side the piece counts as the lower piece, which offers several units
    // nothing.
    MouseAtWorld(399, 130);
    EXPECT_EQ(Cursor(), kCursorPointer);
    SelectMode(kPersonSelected + 6, static_cast<std::uint16_t>(Walker(1, 700, 250)));
    EXPECT_EQ(Cursor(), kCursorRescue);

    // Nothing shown: no storey to open.
    house->shownStorey = 0;
    MouseAtWorld(432, 130);
    EXPECT_EQ(Cursor(), kCursorPointer);
}

TEST_F(HouseCursorTest, ACutOpenHouseIsShownWholeAgainFromItsTopStorey) {
    SelectMode(kSeveralSelected);
    MouseAtWorld(400, 130);  // type 4 is a column narrower than type 0
    Place(4);
    house->interiorView = 1;
    house->shownStorey = 2;
    for (const std::int16_t persons : {0, 1}) {
        house->floors[1].personCount = persons;
        Hover(kHoverHouseMiddle, 4, 3, 1, 0);
        EXPECT_EQ(Cursor(), kCursorWholeHouse) << persons;
        Hover(kHoverHouseMiddle, 4, 3, 0, 0);
        EXPECT_EQ(Cursor(), kCursorOpenStorey) << persons;
    }

    // All three storeys of a three-floor house shown: its top storey 2 lies above the top open
    // storey. Without persons upstairs the whole-house test comes first.
    FreeHouses();
    MouseAtWorld(432, 130);
    Place(0);
    house->interiorView = 1;
    Hover(kHoverHouseMiddle, 5, 3, 2, 0);
    EXPECT_EQ(Cursor(), kCursorWholeHouse);
    house->floors[1].personCount = 1;
    EXPECT_EQ(Cursor(), kCursorPointer);
}

TEST_F(HouseCursorTest, AOneFloorHouseOffersTheSameOnEveryPiece) {
    Place(14);
    MouseAtWorld(380, 180);  // low enough for a cannon to reach
    for (const std::uint16_t mode : {std::uint16_t{kPersonSelected + 6}, std::uint16_t{3}}) {
        SelectMode(mode, static_cast<std::uint16_t>(mode == 3 ? Bought(kTypF104, 900, 250)
                                                              : Walker(1, 700, 250)));
        Hover(kHoverHouseLower, 1, 1, 0, 0);
        const std::uint16_t lower = Cursor();
        Hover(kHoverHouseMiddle, 1, 1, 0, 0);
        EXPECT_EQ(Cursor(), lower) << mode;
        Hover(kHoverHouseUpper, 1, 1, 0, 0);
        EXPECT_EQ(Cursor(), lower) << mode;
    }
}

TEST_F(HouseCursorTest, TheHosePersonSpraysUpToFiftyFiveDegrees) {
    Place(4);
    const std::int16_t hose = Walker(11, 0, 0);
    P(hose).link2 = 0;
    SelectPerson(hose);
    // The target: the front row's cell line on storey 0, y 168; the house's front line is y 196.
    Hover(kHoverHouseLower, 2, 3, 0, 0);
    const int x = 432;
    P(hose).x = x - 100;
    P(hose).y = 168;
    MouseAtWorld(x, 196 - 142);  // 54.8 degrees
    EXPECT_EQ(Cursor(), kCursorWater);
    MouseAtWorld(x, 196 - 143);  // 55.03 degrees
    EXPECT_EQ(Cursor(), kCursorPointer);
    P(hose).x = x - 251;
    MouseAtWorld(x, 196 - 10);
    EXPECT_EQ(Cursor(), kCursorPointer) << "out of reach";

    // Standing at the target: straight up is too steep, level and down are not.
    P(hose).x = x;
    MouseAtWorld(x, 150);
    EXPECT_EQ(Cursor(), kCursorPointer);
    MouseAtWorld(x, 196);
    EXPECT_EQ(Cursor(), kCursorWater);
    MouseAtWorld(x, 200);
    EXPECT_EQ(Cursor(), kCursorWater);

    P(hose).link2 = kNoLink;
    EXPECT_EQ(Cursor(), kCursorPointer) << "no hose";
}

TEST_F(HouseCursorTest, CannonsReachTheStoreysAndTheLadderItsWindows) {
    Place(4);
    SelectFahrzeug(Bought(kTypF104, 900, 250));
    Hover(kHoverHouseLower, 2, 3, 0, 0);
    MouseAtWorld(432, 196 - 3 * 31 - 1);
    EXPECT_EQ(Cursor(), kCursorWater);
    MouseAtWorld(432, 196 - 4 * 31);
    EXPECT_EQ(Cursor(), kCursorPointer) << "above the fourth storey";

    // The ladder: any house until it is raised, then only a window of the house it stands at.
    const std::int16_t ladder = Bought(kTypF106, 900, 300);
    SelectFahrzeug(ladder);
    MouseAtWorld(208 + 32 + 5, 196 - 40);  // facade column 1, storey 1: a window
    EXPECT_EQ(Cursor(), kCursorRescue);
    V(ladder).anim = 3;
    V(ladder).kanzel->target = 5;
    EXPECT_EQ(Cursor(), kCursorPointer);
    V(ladder).kanzel->target = 0;
    EXPECT_EQ(Cursor(), kCursorRescue);
    MouseAtWorld(208 + 6 * 32 + 5, 196 - 40);  // column 6: no window
    EXPECT_EQ(Cursor(), kCursorPointer);
}

// --- What the ticks have freed -----------------------------------------------------------------

TEST_F(CursorTest, WhatTheTicksFreedOffersNothing) {
    MouseAtWorld(static_cast<int>(kFieldX), static_cast<int>(kFieldY));
    SelectMode(kSeveralSelected);
    const std::int16_t gone = Walker(1, 700, 250);
    DeletePerson(gone);
    const std::int16_t car = Bought(0, 800, 250);
    RemoveFahrzeug(car, kRemoveDrivenOff);
    const struct {
        std::uint16_t kind;
        std::uint16_t id1;
        std::uint16_t id4;
    } cases[] = {
        {kHoverPerson, static_cast<std::uint16_t>(gone), 0},
        {kHoverPerson, 65535, 0},
        {kHoverFahrzeug, static_cast<std::uint16_t>(car), 0},
        {kHoverFahrzeug, 65535, 0},
        {kHoverSonderObj, 65535, 0},
        {kHoverMapCell, 65535, 0},
        {kHoverHouseLower, 0, 200},
        {kHoverHouseMiddle, 0, 200},
        {kHoverHouseUpper, 0, 200},
    };
    for (const auto& c : cases) {
        Hover(c.kind, c.id1, 8, 0, c.id4);
        EXPECT_EQ(Cursor(), kCursorPointer) << c.kind << " " << c.id1;
    }

    // A selection whose unit is gone counts as none.
    Hover(kHoverMapCell, 23, 8);
    SelectMode(kTypF104, static_cast<std::uint16_t>(car));
    EXPECT_EQ(Cursor(), kCursorPointer);
    SelectMode(kPersonSelected + 1, 65535);
    EXPECT_EQ(Cursor(), kCursorPointer);
}

// --- Storeys the shapes cannot name -------------------------------------------------------------

// An eight-floor house: the storeys and steps above 4 have no shape.
class TallHouseCursorTest : public test::HouseTest {
  protected:
    void SetUp() override {
        HouseTest::SetUp();
        writeHouse(4, test::BoxHouse(6, 4, 8));
        writePictures(0, 0);
        writeFlameSets(1, 1);
        writeFurniture();
        ASSERT_TRUE(place({{4, 2, 3}}));
        PersonCount = 2;
        AllocPersonen();
        Personen[0].type = 12;
        Personen[0].house = 0;
        SelectionMode = kPersonSelected + 12;
        SelectedIndex = 0;
        Houses[0].shownStorey = 8;
        MouseX = 176;
    }
    std::uint16_t CursorAt(int worldY) {
        MouseY = static_cast<std::uint16_t>(worldY);
        ChooseCursor();
        return CursorId;
    }
};

TEST_F(TallHouseCursorTest, StepsAndStoreysAboveFourGiveThePointer) {
    // The storey-change cell's bottom line is y 112.
    HoverKind = kHoverHouseLower;
    HoverIds = {0, 0, 0, 0};
    EXPECT_EQ(CursorAt(112 - 45), kCursorChangeStorey + 4);
    EXPECT_EQ(CursorAt(112 - 55), kCursorPointer) << "step 5 would read as cursor 32";

    HoverKind = kHoverHouseMiddle;
    HoverIds = {5, 3, 4, 0};
    EXPECT_EQ(CursorAt(130), kCursorOpenStorey + 4);
    HoverIds = {5, 3, 5, 0};
    EXPECT_EQ(CursorAt(130), kCursorPointer) << "storey 5 would read as cursor 27";
}

}  // namespace
}  // namespace kv
