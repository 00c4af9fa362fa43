// The world drawn from a small level with houses whose pictures show which part, look and storey
// lies where: every house picture fills one band of its 48 columns (lower parts 0..15, middle
// parts 16..31, upper and see-through parts 32..47) over a storey's 31 rows in a colour of its
// own, and every flame frame the top 4 rows of its band.

#include "mission/view/world_drawing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/blend_tables.h"
#include "gfx/frame_buffer.h"
#include "gfx/primitives.h"
#include "mission/panel_pictures.h"
#include "mission/selection.h"
#include "mission/view/draw_fixture.h"
#include "mission/view/draw_list.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/house_fixture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/tile_set.h"
#include "writers/run_tile_writer.h"

namespace kv {
namespace {

constexpr int kType = 18;  // a plain building whose settings the tests overwrite
constexpr int kStoreyRows = 31;
constexpr std::uint8_t kBackground = 1;
// Colour of image n of each set: its base + n. Images: 0 none, 1 the cell's own, 2 the marked
// door, 3 burning, 4 burnt.
constexpr std::uint8_t kHl = 10;
constexpr std::uint8_t kHm = 40;
constexpr std::uint8_t kHu = 70;
constexpr std::uint8_t kHo = 100;
constexpr std::uint16_t kOwn = 1;
constexpr std::uint16_t kDoor = 2;
constexpr std::uint16_t kBurning = 3;
constexpr std::uint16_t kBurnt = 4;
// Flame frame f of every set of a layer: its base + f.
constexpr std::uint8_t kLb = 150;
constexpr std::uint8_t kMb = 160;
constexpr std::uint8_t kUb = 170;
constexpr std::uint8_t kFlameKind = kFlameFirstSet;  // set 1 of each layer
constexpr int kFlameRows = 4;
// Ground tiles: their own picture, and the tile of a cell by its animation.
constexpr std::uint8_t kGround = 200;
constexpr int kPersonTyp = 30;
constexpr std::uint8_t kPersonColour = 230;
constexpr int kFahrzeugTyp = 3;
constexpr std::uint8_t kFahrzeugColour = 240;

enum Band { kLowerBand = 0, kMiddleBand = 1, kUpperBand = 2 };

// A 48-pixel picture of kStoreyRows rows with one band filled in rows first..last - 1.
RunImage BandImage(Band band, std::uint8_t colour, int first = 0, int last = kStoreyRows) {
    std::vector<std::uint8_t> pixels(48 * kStoreyRows, 0);
    for (int y = first; y < last; ++y)
        for (int x = 16 * band; x < 16 * band + 16; ++x)
            pixels[static_cast<std::size_t>(y * 48 + x)] = colour;
    return sampledata::EncodeRunImage(pixels, kStoreyRows);
}

// A cell's own pixels in its 48 x 28 box, as a map tile and the piece mask cover them.
std::vector<std::uint8_t> CellPixels(std::uint8_t colour) {
    std::vector<std::uint8_t> pixels(48 * kCellHeight, 0);
    for (int t = 0; t < kCellHeight; ++t)
        for (int x = 16 - RowShear[static_cast<std::size_t>(t)];
             x < 48 - RowShear[static_cast<std::size_t>(t)]; ++x)
            pixels[static_cast<std::size_t>(t * 48 + x)] = colour;
    return pixels;
}
RunImage CellImage(std::uint8_t colour) {
    return sampledata::EncodeRunImage(CellPixels(colour), kCellHeight);
}

// A house of extentI x extentJ cells standing everywhere, each part its own picture.
sampledata::HouseFile PartHouse(int extentI, int extentJ, int floors, std::uint16_t upper = kOwn) {
    sampledata::HouseFile file;
    for (int f = 0; f < floors; ++f) {
        HouseCell cell;
        cell.lowerImage = kOwn;
        cell.middleImage = kOwn;
        cell.upperImage = upper;
        cell.lowerFlames = 1;
        cell.middleFlames = 1;
        cell.upperFlames = 1;
        file.floors.push_back(
            {static_cast<std::uint16_t>(extentI), static_cast<std::uint16_t>(extentJ),
             std::vector<HouseCell>(static_cast<std::size_t>(extentI * extentJ), cell)});
    }
    return file;
}

class WorldDrawing : public test::HouseTest {
  protected:
    void SetUp() override {
        HouseTest::SetUp();
        level(24, 24);
        writeParts();
        screen.assign(800 * 600, kBackground);
        DrawTarget = screen.data();
        DrawPitch = 800;
        ViewOrigin = {0, 0};
        // Over the panels, where nothing of the world is drawn.
        MouseX = 700;
        MouseY = 550;
        savedBlend = BlendTable20;
        // A mix that shows both colours.
        for (int s = 0; s < 256; ++s)
            for (int b = 0; b < 256; ++b)
                BlendTable20[static_cast<std::size_t>(s * 256 + b)] =
                    static_cast<std::uint8_t>(255 - (s + b) % 200);

        maskImages.add(48, kCellHeight, CellPixels(1));
        PieceMaskImages = maskImages.images();
        personImages.add(8, 12, std::vector<std::uint8_t>(96, kPersonColour));
        personSlot[0] = {1, 1, 4, 12, {0, 0, 7, 11}, personImages.images()};
        PersonTyp& pt = PersonTypen[kPersonTyp];
        pt.dirAnims.fill(personSlot.data());
        pt.animCount = 1;
        pt.selectBox = {-4, -12, 3, -1};
        // The tests hold on to the units they add.
        Personen.reserve(8);
        Fahrzeuge.reserve(8);

        fahrzeugImages.add(40, 20, std::vector<std::uint8_t>(800, kFahrzeugColour));
        fahrzeugSlot[0] = {1, 1, 20, 20, {0, 0, 39, 19}, fahrzeugImages.images()};
        FahrzeugTyp& ft = FahrzeugTypen[kFahrzeugTyp];
        ft.dirAnims.fill(fahrzeugSlot.data());
        ft.animCount = 1;
        ft.selectBox = {-20, -20, 19, -1};
    }
    void TearDown() override {
        // The resets free what the type tables hold; these pictures are the test's own.
        for (UnitTypHead* t : {static_cast<UnitTypHead*>(&PersonTypen[kPersonTyp]),
                               static_cast<UnitTypHead*>(&FahrzeugTypen[kFahrzeugTyp])}) {
            t->dirAnims.fill(nullptr);
            t->animCount = 0;
        }
        PieceMaskImages = nullptr;
        BlendTable20 = savedBlend;
        HouseTest::TearDown();
    }

    void writeParts() const {
        const struct {
            const char* prefix;
            Band band;
            std::uint8_t base;
        } sets[] = {{"hl", kLowerBand, kHl},
                    {"hm", kMiddleBand, kHm},
                    {"hu", kUpperBand, kHu},
                    {"ho", kUpperBand, kHo}};
        for (const auto& s : sets) {
            sampledata::HouseImageSetFile set;
            set.table.resize(3);
            set.table[kOwn].fireImage = kBurning;
            set.table[kOwn].burntImage = kBurnt;
            set.table[kDoor] = set.table[kOwn];
            set.images.push_back(BandImage(s.band, 0));
            for (int n = 1; n <= 4; ++n)
                set.images.push_back(BandImage(s.band, static_cast<std::uint8_t>(s.base + n)));
            writeFile(std::string("houses/") + s.prefix + "01.dat",
                      sampledata::WriteHouseImageSetFile(set));
        }
        const struct {
            const char* prefix;
            Band band;
            std::uint8_t base;
        } flames[] = {{"lb", kLowerBand, kLb}, {"mb", kMiddleBand, kMb}, {"ub", kUpperBand, kUb}};
        for (const auto& f : flames) {
            sampledata::HouseFlameSetFile set;
            for (int n = 0; n < 3; ++n)
                set.frames.push_back(
                    BandImage(f.band, static_cast<std::uint8_t>(f.base + n), 0, kFlameRows));
            writeFile(std::string("houses/") + f.prefix + "01.dat",
                      sampledata::WriteHouseFlameSetFile(set));
        }
    }

    // One house of the type at map column 10, row 10, with no top-only cells and no door.
    House& placeHouse(const sampledata::HouseFile& file) {
        writeHouse(kType, file);
        EXPECT_TRUE(place({{kType, kColumn, kRow, 0, 0, 0}}));
        HouseTyp& t = HouseTypen[kType];
        t.facadeLook = {};
        t.doorI = 15;
        t.doorJ = 7;
        t.drawFlag = 0;
        return Houses[0];
    }

    // The pixel in the middle of a part's band on a storey of house cell (i, j), below the
    // flames' rows, or in the flames' rows.
    std::uint8_t part(Band band, int storey, int i = 0, int j = 0) const {
        return at(cellX(i, j) + 16 * band + 8, cellY(j) - kStoreyRows * storey - 15);
    }
    std::uint8_t flame(Band band, int storey, int i = 0, int j = 0) const {
        return at(cellX(i, j) + 16 * band + 8, cellY(j) - kStoreyRows * (storey + 1) + 1);
    }
    static int cellX(int i, int j) {
        return 32 * (kColumn + i) - 16 * (kRow + j) - 16 - ViewOrigin.x;
    }
    static int cellY(int j) { return 28 * (kRow + j) + 28 - ViewOrigin.y; }
    std::uint8_t at(int x, int y) const {
        return screen[static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)];
    }
    static std::uint8_t seeThrough(std::uint8_t colour, std::uint8_t over = kBackground) {
        return BlendTable20[static_cast<std::size_t>(colour * 256 + over)];
    }

    void draw() {
        screen.assign(800 * 600, kBackground);
        BuildDrawList();
        DrawWorld();
    }

    // Ground tiles: tile 0 is a cell of kGround; its burning and burnt pictures follow.
    static void installTiles() {
        TileTypen.assign(1, TileTyp{});
        TileTypen[0].fireImage = 1;
        TileTypen[0].burntImage = 2;
        TileImages = {CellImage(kGround), CellImage(kGround + 1), CellImage(kGround + 2)};
    }

    Person& addPerson(int x, int y, int storey) {
        const std::size_t i = Personen.size();
        Personen.resize(i + 1);
        Person& p = Personen[i];
        p.type = kPersonTyp;
        p.x = static_cast<float>(x);
        p.y = static_cast<float>(y);
        p.drawX = static_cast<std::int16_t>(x - 4);
        p.drawY = static_cast<std::int16_t>(y - 12);
        p.storey = static_cast<std::int8_t>(storey);
        return p;
    }

    // A vehicle of the test's type with its picture's corner at (x, y) and its position at the
    // picture's bottom middle.
    Fahrzeug& addFahrzeug(int x, int y, int layer = 0) {
        Fahrzeuge.resize(Fahrzeuge.size() + 1);
        Fahrzeug& f = Fahrzeuge.back();
        f.type = kFahrzeugTyp;
        f.drawX = static_cast<std::int16_t>(x);
        f.drawY = static_cast<std::int16_t>(y);
        f.x = static_cast<float>(x + 20);
        f.y = static_cast<float>(y + 20);
        f.storey = static_cast<std::int8_t>(layer);
        return f;
    }
    // Draws with the mouse at a screen point; the probe's pixel is put back afterwards.
    void drawWithMouseAt(int x, int y) {
        MouseX = static_cast<std::uint16_t>(x);
        MouseY = static_cast<std::uint16_t>(y);
        draw();
    }
    static std::array<std::uint16_t, 5> hover() {
        return {HoverKind, HoverIds[0], HoverIds[1], HoverIds[2], HoverIds[3]};
    }

    static constexpr int kColumn = 10;
    static constexpr int kRow = 10;
    std::vector<std::uint8_t> screen;
    BlendTable savedBlend{};
    test::TestImages maskImages;
    test::TestImages personImages;
    std::array<AnimSlot, 1> personSlot{};
    test::TestImages fahrzeugImages;
    std::array<AnimSlot, 1> fahrzeugSlot{};
};

// Which picture each part shows, by the storeys shown and the top-only grid. Storeys at or above
// the shown ones lose their floors and show their walls and ceilings see-through; top-only cells
// show only on the top shown storey, and above it only the roof's outline.
TEST_F(WorldDrawing, StoreysAboveTheShownOnesAreSeeThroughAndTopOnlyCellsShowOnlyAtTheTop) {
    const std::uint8_t none = kBackground;
    const std::uint8_t hlOwn = kHl + kOwn;
    const std::uint8_t hmOwn = kHm + kOwn;
    const std::uint8_t huOwn = kHu + kOwn;
    const std::uint8_t hmSee = seeThrough(kHm + kOwn);
    const std::uint8_t hoSee = seeThrough(kHo + kOwn);
    struct Case {
        int shown;
        bool topOnly;
        std::uint8_t lower[3];
        std::uint8_t middle[3];
        std::uint8_t upper[3];
    };
    const Case cases[] = {
        {3, false, {hlOwn, hlOwn, hlOwn}, {hmOwn, hmOwn, hmOwn}, {huOwn, huOwn, huOwn}},
        {1, false, {hlOwn, none, none}, {hmOwn, hmSee, hmSee}, {huOwn, hoSee, hoSee}},
        {3, true, {none, none, hlOwn}, {none, none, hmOwn}, {none, none, huOwn}},
        {1, true, {hlOwn, none, none}, {hmOwn, none, none}, {huOwn, none, hoSee}},
    };
    House& h = placeHouse(PartHouse(1, 1, 3));
    ASSERT_EQ(MaxHouseFloors, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE("shown " + std::to_string(c.shown) + (c.topOnly ? ", top-only" : ""));
        h.shownStorey = static_cast<std::uint8_t>(c.shown);
        HouseTypen[kType].facadeLook[0][0] = c.topOnly ? 1 : 0;
        draw();
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(part(kLowerBand, s), c.lower[s]) << "lower part, storey " << s;
            EXPECT_EQ(part(kMiddleBand, s), c.middle[s]) << "middle part, storey " << s;
            EXPECT_EQ(part(kUpperBand, s), c.upper[s]) << "upper part, storey " << s;
        }
    }
}

// A cut-open top storey with persons on it shows them through its ceiling's outline; without
// persons the ceiling stays. Persons on hidden storeys are not drawn. The marked door is the
// next picture, in the cut-open ceiling too.
TEST_F(WorldDrawing, ACutOpenStoreyShowsItsPersonsAndHiddenStoreysHideTheirs) {
    // Floors everywhere, walls and ceilings only at the door (0, 2), and the ceiling of storey 0
    // over cell (1, 1), so that nothing else is drawn over the persons.
    sampledata::HouseFile file = PartHouse(3, 3, 2);
    for (sampledata::HouseFloorData& f : file.floors)
        for (int n = 0; n < 9; ++n)
            if (n != 0 * 3 + 2) {
                f.cells[static_cast<std::size_t>(n)].middleImage = 0;
                f.cells[static_cast<std::size_t>(n)].upperImage = 0;
            }
    file.floors[0].cells[1 * 3 + 1].upperImage = kOwn;
    House& h = placeHouse(file);
    h.interiorView = 1;
    h.evacuated = 1;
    HouseTypen[kType].doorI = 0;
    HouseTypen[kType].doorJ = 2;
    // On cell (1, 1), under its ceiling; the one upstairs a little to the right.
    const int x = 32 * (kColumn + 1) - 16 * (kRow + 1) + 20;
    const int y = 28 * (kRow + 1) + 16;
    const Person& ground = addPerson(x, y, 1);
    const Person& upstairs = addPerson(x + 4, y, 2);
    // Person pixels, plain or under the ceiling's outline, in a person's box lifted by its storey.
    const auto personPixels = [&](const Person& p, int lift) {
        int n = 0;
        for (int py = p.drawY - lift; py < p.drawY - lift + 12; ++py)
            for (int px = p.drawX; px < p.drawX + 8; ++px)
                n += at(px, py) == kPersonColour ||
                     at(px, py) == BlendTable20[(kHo + kOwn) * 256 + kPersonColour];
        return n;
    };
    h.shownStorey = 1;
    for (const int persons : {2, 0}) {
        SCOPED_TRACE(persons);
        h.floors[0].personCount = static_cast<std::int16_t>(persons);
        draw();
        // Over the floors of the cells right of and behind it.
        EXPECT_EQ(part(kUpperBand, 0, 0, 2),
                  persons > 0 ? seeThrough(kHo + kDoor, kHl + kOwn) : std::uint8_t{kHu + kDoor})
            << "the marked door";
        EXPECT_EQ(part(kMiddleBand, 0, 0, 2), kHm + kDoor);
        EXPECT_EQ(part(kMiddleBand, 1, 0, 2), seeThrough(kHm + kOwn, kHl + kOwn))
            << "only on storey 0";
        EXPECT_EQ(personPixels(ground, 0), persons > 0 ? 96 : 0) << "under the ceiling";
        EXPECT_EQ(personPixels(upstairs, kStoreyRows), 0) << "on the hidden storey";
    }
    h.shownStorey = 2;
    draw();
    EXPECT_EQ(personPixels(upstairs, kStoreyRows), 96) << "once its storey is shown";
}

// Burning parts show their burning pictures, the lower and middle ones with their flames over
// them; the upper parts' flames come only in the last pass, on the top floor and on the lower
// storeys of the front row. Burnt parts show their burnt pictures without flames.
TEST_F(WorldDrawing, BurningPartsCarryTheirFlamesWhereTheyShowAndBurntOnesNone) {
    House& h = placeHouse(PartHouse(1, 2, 3));
    const auto setAll = [&](std::uint8_t kind) {
        for (HouseFloor& f : h.floors)
            for (int j = 0; j < 2; ++j) {
                f.flames[kFlameLower][0][static_cast<std::size_t>(j)] = {kind, 1, 0};
                f.flames[kFlameMiddle][0][static_cast<std::size_t>(j)] = {kind, 2, 0};
                f.flames[kFlameUpper][0][static_cast<std::size_t>(j)] = {kind, 0, 0};
            }
    };
    setAll(kFlameKind);
    draw();
    for (int j = 0; j < 2; ++j)
        for (int s = 0; s < 3; ++s) {
            SCOPED_TRACE("row " + std::to_string(j) + ", storey " + std::to_string(s));
            // The front row hides the back row's floors and walls.
            if (j == 1) {
                EXPECT_EQ(part(kLowerBand, s, 0, j), kHl + kBurning);
                EXPECT_EQ(flame(kLowerBand, s, 0, j), kLb + 1);
                EXPECT_EQ(part(kMiddleBand, s, 0, j), kHm + kBurning);
                EXPECT_EQ(flame(kMiddleBand, s, 0, j), kMb + 2);
            }
            EXPECT_EQ(part(kUpperBand, s, 0, j), kHu + kBurning);
            const bool flames = j == 1 || s == 2;
            EXPECT_EQ(flame(kUpperBand, s, 0, j), flames ? kUb + 0 : kHu + kBurning);
        }

    setAll(kFlameBurnt);
    draw();
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE("storey " + std::to_string(s));
        EXPECT_EQ(flame(kLowerBand, s, 0, 1), kHl + kBurnt);
        EXPECT_EQ(flame(kMiddleBand, s, 0, 1), kHm + kBurnt);
        EXPECT_EQ(flame(kUpperBand, s, 0, 1), kHu + kBurnt);
    }
}

// House parts never run a tile's animation: those kinds end the game, and the world's drawing
// stops at once. A flame set or frame that is not there draws no flame.
TEST_F(WorldDrawing, ATileAnimationsKindOnAHousePartIsFatal) {
    House& h = placeHouse(PartHouse(1, 1, 1));
    addPerson(400, 400, 0);
    for (const std::uint8_t kind : {1, 2}) {
        SCOPED_TRACE(kind);
        ResetFatalError();
        h.floors[0].flames[kFlameMiddle][0][0] = {kind, 0, 0};
        draw();
        EXPECT_EQ(FatalErrorMessage(), "Show: ANI_TYPA/B");
        EXPECT_EQ(at(400, 395), kBackground) << "nothing after it is drawn";
    }
    ResetFatalError();
    for (const CellAnim bad : {CellAnim{kFlameFirstSet + 1, 0, 0}, CellAnim{kFlameKind, 3, 0}}) {
        h.floors[0].flames[kFlameMiddle][0][0] = bad;
        draw();
        EXPECT_FALSE(FatalErrorRaised());
        EXPECT_EQ(flame(kMiddleBand, 0), kHm + kBurning) << "without flames";
        EXPECT_EQ(at(400, 395), kPersonColour);
    }
}

// An entry that no pass draws (a person above its house's floors) is passed over; it does not
// hold up the entries after it.
TEST_F(WorldDrawing, AnEntryNoPassDrawsLeavesTheRestOfTheFrameDrawn) {
    placeHouse(PartHouse(3, 3, 1, 0));
    addPerson(32 * (kColumn + 1) - 16 * (kRow + 1) + 20, 28 * (kRow + 1) + 16, 3);
    addPerson(420, 400, 0);
    draw();
    ASSERT_GE(DrawListCount, 2);
    EXPECT_EQ(at(420, 395), kPersonColour);
}

// What lies under the mouse: a ground cell, each part of a house storey with its column, row,
// storey and house, and a person. A person standing on a house's cell outside it is drawn before
// the building and stays behind it; see-through parts and flames leave the thing behind them
// picked.
TEST_F(WorldDrawing, TheHoverIsTheFrontmostPickableThing) {
    installTiles();
    writeHouse(kType, PartHouse(2, 2, 2));
    ASSERT_TRUE(place({{kType, kColumn, kRow, 0, 0, 0}, {kType, kColumn + 6, kRow, 0, 0, 0}}));
    HouseTypen[kType].facadeLook = {};
    Houses[1].shownStorey = 1;
    // The front row's ceilings burn on house 0.
    for (HouseFloor& f : Houses[0].floors)
        for (auto& column : f.flames[kFlameUpper]) column[1] = {kFlameKind, 0, 0};
    // In front of house 0's cell (1, 1), on the ground: its walls are drawn over it.
    addPerson(184, 332, 0);
    const Person& free = addPerson(500, 440, 0);

    // House 0's front row: cell (0, 1) from x 128, cell (1, 1) from x 160, storey 0 in rows
    // 305..335, storey 1 in rows 274..304; house 1's cells lie 192 pixels further right. Its
    // storey 1 is hidden: over the ground of row 9 stands its see-through roof.
    const CellPos ground = CellFromPixel(100, 100);
    const CellPos behindRoof = CellFromPixel(408, 260);
    using Hover = std::array<std::uint16_t, 5>;
    const auto cell = [](CellPos c) {
        return Hover{kHoverMapCell, static_cast<std::uint16_t>(c.column),
                     static_cast<std::uint16_t>(c.row), 0, 0};
    };
    const struct {
        const char* what;
        int x;
        int y;
        Hover hover;
    } cases[] = {
        {"ground", 100, 100, cell(ground)},
        {"lower part", 136, 320, {kHoverHouseLower, 0, 1, 0, 0}},
        {"middle part upstairs", 184, 290, {kHoverHouseMiddle, 1, 1, 1, 0}},
        {"upper part", 200, 320, {kHoverHouseUpper, 1, 1, 0, 0}},
        {"another house", 328, 320, {kHoverHouseLower, 0, 1, 0, 1}},
        {"a person", free.drawX + 3, free.drawY + 5, {kHoverPerson, 1, 0, 0, 0}},
        {"a person behind the walls", 183, 325, {kHoverHouseMiddle, 1, 1, 0, 0}},
        {"a flame over a ceiling", 200, 306, {kHoverHouseUpper, 1, 1, 0, 0}},
        {"a see-through roof over the ground", 408, 260, cell(behindRoof)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        drawWithMouseAt(c.x, c.y);
        EXPECT_EQ(hover(), c.hover);
        EXPECT_NE(at(c.x, c.y), 0) << "the probe's pixel is put back";
    }
    EXPECT_EQ(at(200, 306), kUb);
    // Under the mouse the pixel keeps the picture it had before the see-through roof.
    EXPECT_EQ(at(409, 260), seeThrough(kHo + kOwn, kGround));
    EXPECT_EQ(at(408, 260), kGround);
}

// Selected units get their frames after the world, over everything: in a box group the leading
// person's in 203 and the others' in 251; otherwise the frame under the selection colour, which
// shows where a unit in front hides the selection's own frame. A drag box replaces them all.
TEST_F(WorldDrawing, SelectionFramesAndTheDragBox) {
    Person& back = addPerson(300, 300, 0);
    addPerson(304, 306, 0);  // in front of it, over its frame's right half
    Person& other = addPerson(360, 300, 0);
    Fahrzeug& f = addFahrzeug(400, 280);
    back.selected = 1;
    other.selected = 1;
    f.selected = 1;
    // A frame's top-left corner: 3 outside the box.
    const auto corner = [](const UnitHead& u, const std::array<std::int16_t, 4>& box) {
        return std::array<int, 2>{static_cast<int>(u.x) + box[0] - 3,
                                  static_cast<int>(u.y) + box[1] - 3};
    };
    const auto personCorner = [&](const Person& p) {
        return corner(p, PersonTypen[kPersonTyp].selectBox);
    };
    const auto fahrzeugCorner = corner(f, FahrzeugTypen[kFahrzeugTyp].selectBox);

    SelectionMode = kBoxGroupSelected;
    SelectedIndex = 0;
    draw();
    EXPECT_EQ(at(personCorner(back)[0], personCorner(back)[1]), 203);
    EXPECT_EQ(at(personCorner(other)[0], personCorner(other)[1]), 251);
    EXPECT_EQ(at(fahrzeugCorner[0] + 1, fahrzeugCorner[1]), 251);

    SelectionMode = kSeveralSelected;
    draw();
    // The back person's frame: its own in 255 where nothing hides it, the one under it where the
    // person in front does.
    const auto [bx, by] = personCorner(back);
    EXPECT_EQ(at(bx, by), kSelectionColour);
    EXPECT_EQ(at(bx + 10, by + 17), kUnderSelectionColour);

    DragActive = 1;
    MouseDownPoint = {100, 120};
    MouseX = 60;
    MouseY = 200;
    draw();
    EXPECT_EQ(at(bx, by), kBackground) << "no frames while a box is dragged";
    EXPECT_EQ(at(60, 120), kSelectionColour) << "the box from the press to the mouse";
    EXPECT_EQ(at(100, 200), kSelectionColour);
    EXPECT_EQ(at(80, 160), kBackground);
}

// Helicopters and aircraft are drawn over the world, picked like any vehicle; a selected
// helicopter gets its frames in the selection colour with it, never picked, and like every
// selected unit the frames under the selection colour after the world.
TEST_F(WorldDrawing, FlyingVehiclesAreDrawnOverTheWorld) {
    installTiles();
    Fahrzeug& heli = addFahrzeug(200, 200, -1);
    heli.height = 30.7f;
    Fahrzeug& plane = addFahrzeug(300, 200, -2);
    heli.selected = 1;
    plane.selected = 1;
    drawWithMouseAt(210, 175);
    EXPECT_EQ(hover(), (std::array<std::uint16_t, 5>{kHoverFahrzeug, 0, 0, 0, 0}));
    EXPECT_EQ(at(200, 170), kFahrzeugColour) << "30 pixels up";
    EXPECT_EQ(at(200, 190), kGround);
    EXPECT_EQ(at(310, 210), kFahrzeugColour);
    // The frames: 3 pixels outside the box, which reaches 20 up from the position.
    const int frameY = 220 + -20 - 30 - 3;
    EXPECT_EQ(at(205, frameY), kSelectionColour);
    EXPECT_EQ(at(305, 220 - 20 - 3), kUnderSelectionColour) << "an aircraft has only these";
    drawWithMouseAt(205, frameY);
    EXPECT_EQ(HoverKind, kHoverMapCell);
}

}  // namespace
}  // namespace kv
