#include "mission/view/draw_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/hover.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/primitives.h"
#include "mission/view/draw_fixture.h"
#include "mission/view/draw_list.h"
#include "mission/view/draw_pictures.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

class DrawEntries : public test::DrawTest {
  protected:
    // Where the screens differ: the count, and the first such pixel.
    static std::string Differences(const std::vector<std::uint8_t>& a,
                                   const std::vector<std::uint8_t>& b) {
        int count = 0;
        std::string first;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i] && count++ == 0)
                first = " first at (" + std::to_string(i % 800) + ", " + std::to_string(i / 800) +
                        "): " + std::to_string(a[i]) + " not " + std::to_string(b[i]);
        return count == 0 ? "" : std::to_string(count) + " pixels differ;" + first;
    }
    // The pixels of the screen outside the view that differ from the background.
    int changedOutsideView() const {
        const std::vector<std::uint8_t> bg = background();
        int n = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if ((x < 10 || x > 639 || y < 10 || y > 479) &&
                    at(x, y) != bg[static_cast<std::size_t>(y * 800 + x)])
                    ++n;
        return n;
    }
    int countColour(std::uint8_t colour) const {
        int n = 0;
        for (std::uint8_t p : screen) n += p == colour;
        return n;
    }
};

// A lone thing drawn cell by cell is the same picture as the thing blitted whole.
TEST_F(DrawEntries, ALoneThingDrawnCellByCellHasNoSeams) {
    enum Kind { kPerson, kFahrzeug, kFurniture, kObject };
    struct Case {
        const char* what;
        Kind kind;
        int x, y;  // the picture's corner on the screen
        int storey;
        std::uint8_t blend;
        std::int16_t boxTop = 9;
    };
    const Case cases[] = {
        {"person", kPerson, 200, 150, 0, 0},
        {"person cut at the top left", kPerson, -20, -15, 0, 0},
        {"person cut at the bottom right", kPerson, 600, 440, 0, 0},
        {"person on storey 3, 62 higher", kPerson, 300, 250, 3, 0},
        {"vehicle", kFahrzeug, 330, 210, 0, 0},
        {"vehicle cut at the right", kFahrzeug, 610, 100, 0, 0},
        {"furniture", kFurniture, 250, 220, 1, 0},
        {"furniture on storey 3", kFurniture, 250, 300, 3, 0},
        {"furniture whose box reaches above its picture", kFurniture, 250, 200, 1, 0, -6},
        {"object whose box reaches above its picture", kObject, 250, 200, 0, 1, -6},
        {"object", kObject, 320, 240, 0, 0},
        {"object blended 20 %", kObject, 317, 233, 0, 1},
        {"object blended, cut at the left", kObject, -7, 60, 0, 2},
        {"object on storey 3", kObject, 420, 330, 3, 1},
    };
    const int vx = ViewOrigin.x;
    const int vy = ViewOrigin.y;
    for (const Case& c : cases) {
        clearScreen();
        alloc(1, 1, 1, 1);
        const int lift = c.storey > 1 ? 31 * (c.storey - 1) : 0;
        // World corner: the screen corner plus the view origin and the lift.
        const int wx = c.x + vx;
        const int wy = c.y + vy + lift;
        std::vector<std::uint8_t> expected = background();
        switch (c.kind) {
            case kPerson:
                placePerson(0, wx, wy, c.storey);
                blitWhole(expected, unitImages.images()->pixels, test::kUnitWidth,
                          test::kUnitHeight, c.x, c.y);
                break;
            case kFahrzeug:
                placeFahrzeug(0, wx, wy);
                blitWhole(expected, unitImages.images()->pixels, test::kUnitWidth,
                          test::kUnitHeight, c.x, c.y);
                break;
            case kFurniture:
                placeHouseObj(0, wx, wy, c.storey, c.boxTop);
                blitWhole(expected, objectImages.images()->pixels, 60, 50, c.x, c.y);
                break;
            case kObject: {
                SonderObj& o = placeSonderObj(0, wx, wy, c.boxTop);
                o.storey = static_cast<std::uint8_t>(c.storey);
                o.drawStyle = c.blend;
                blitWhole(expected, objectImages.images()->pixels, 60, 50, c.x, c.y, c.blend);
                break;
            }
        }
        drawWorld();
        EXPECT_EQ(Differences(screen, expected), "") << c.what;
    }
}

// Above storey 1 the list's lift is 31 per storey instead of the height, while the drawer adds
// both; each as its own step has it.
TEST_F(DrawEntries, APersonAboveStoreyOneIsListedByStoreyAndDrawnByStoreyAndHeight) {
    alloc(1, 0, 0, 0);
    // Its box top (90 + 20) lies above the view, so the view's top decides the first listed row:
    // 56 + 62 + 10 = 128 is row 4, where 56 + 82 + 10 = 148 would be row 5.
    Person& p = placePerson(0, ViewOrigin.x + 200, 90, 3);
    p.height = 20;
    drawWorld();
    int firstRow = 1000;
    for (int i = 0; i < DrawListCount; ++i)
        firstRow = std::min<int>(firstRow, DrawList[static_cast<std::size_t>(i)].row);
    EXPECT_EQ(firstRow, 4);
    const std::vector<std::uint8_t> bg = background();
    std::vector<std::uint8_t> expected = bg;
    blitWhole(expected, unitImages.images()->pixels, test::kUnitWidth, test::kUnitHeight,
              p.drawX - ViewOrigin.x, p.drawY - ViewOrigin.y - 82);
    // What lies in the view of the picture shows, 82 higher than its place.
    int shown = 0;
    for (int y = 10; y < 480; ++y)
        for (int x = 10; x < 640; ++x) {
            const auto i = static_cast<std::size_t>(y * 800 + x);
            ASSERT_EQ(screen[i], expected[i]) << x << ", " << y;
            shown += expected[i] != bg[i] ? 1 : 0;
        }
    EXPECT_GT(shown, 0);
}

TEST_F(DrawEntries, ASelectionFrameIsADoubleLineAroundTheBox) {
    alloc(1, 0, 0, 0);
    Person& p = placePerson(0, ViewOrigin.x + 200, ViewOrigin.y + 150);
    p.selected = 1;
    drawWorld();
    // The box on the screen: the position plus the type's box (-30, -40, 30, 0).
    const int x0 = static_cast<int>(p.x) - ViewOrigin.x - 30;
    const int y0 = static_cast<int>(p.y) - ViewOrigin.y - 40;
    const int x1 = x0 + 60;
    const int y1 = y0 + 40;
    for (int x = x0 - 3; x <= x1 + 3; ++x)
        for (const int y : {y0 - 3, y0 - 2, y1 + 2, y1 + 3})
            ASSERT_EQ(at(x, y), kSelectionColour) << x << ", " << y;
    for (int y = y0 - 3; y <= y1 + 3; ++y)
        for (const int x : {x0 - 3, x0 - 2, x1 + 2, x1 + 3})
            ASSERT_EQ(at(x, y), kSelectionColour) << x << ", " << y;
    const int perimeter = 2 * (x1 - x0 + 7) + 2 * (y1 - y0 + 7) - 4;
    const int inner = 2 * (x1 - x0 + 5) + 2 * (y1 - y0 + 5) - 4;
    EXPECT_EQ(countColour(kSelectionColour), perimeter + inner);
}

TEST_F(DrawEntries, ASelectionFrameCutByTheViewStaysInIt) {
    alloc(0, 1, 0, 0);
    Fahrzeug& f = placeFahrzeug(0, ViewOrigin.x - 30, ViewOrigin.y + 430);
    f.selected = 1;
    drawWorld();
    EXPECT_GT(countColour(kSelectionColour), 0);
    EXPECT_EQ(changedOutsideView(), 0);
}

// Jets at odd angles stay in the view; the texture column moves on every step of every entry.
TEST_F(DrawEntries, JetsStayInTheViewWhateverTheirAngle) {
    struct Case {
        const char* what;
        int direction;
        int dx, dy;     // aim point from the position
        int height;     // of the aim point
        int elevation;  // the hose's wobbleD; the cannon's elevation
        bool cannon;
    };
    const Case cases[] = {
        {"hose, straight down (dx = 0)", 6, 0, 140, 0, 0, false},
        {"hose, straight up (dx = 0)", 0, 1, -150, 0, 0, false},
        {"hose aimed above its reach (k <= 0)", 3, 60, 0, 400, 0, false},
        {"hose at elevation value 118", 3, 120, 20, 0, 118, false},
        {"hose at elevation value -62", 3, 120, 20, 0, -62, false},
        {"cannon", 3, 150, 40, 10, 50, true},
        {"cannon with k <= 0", 3, 150, 40, 800, 50, true},
        {"cannon at 180 degrees", 3, 150, 40, 10, 180, true},
        {"cannon at 90 degrees", 9, -150, -40, 10, 90, true},
    };
    for (const Case& c : cases) {
        clearScreen();
        alloc(1, 1, 0, 0);
        const int x = ViewOrigin.x + 250;
        const int y = ViewOrigin.y + 250;
        std::int16_t* column = nullptr;
        std::uint16_t* hoseColumn = nullptr;
        if (c.cannon) {
            Fahrzeug& f = placeFahrzeug(0, x, y);
            f.direction = static_cast<std::int8_t>(c.direction);
            f.wasserStrahl = std::make_unique<WasserStrahl>();
            WasserStrahl& w = *f.wasserStrahl;
            w.active = 1;
            w.elevation = static_cast<std::uint8_t>(c.elevation);
            w.targetX = static_cast<std::int16_t>(f.x + c.dx);
            w.targetY = static_cast<std::int16_t>(f.y + c.dy);
            w.height = static_cast<std::int16_t>(c.height);
            w.reserved = 5;
            column = &w.reserved;
        } else {
            Person& p = placePerson(0, x, y);
            p.direction = static_cast<std::int8_t>(c.direction);
            SchlauchStrahl& s = p.attachment.makeJet();
            s.active = 1;
            s.direction = p.direction;
            s.wobbleD = static_cast<std::int8_t>(c.elevation);
            s.targetX = static_cast<std::int16_t>(p.x + c.dx);
            s.targetY = static_cast<std::int16_t>(p.y + c.dy);
            s.height = static_cast<std::int16_t>(c.height);
            s.ticksRunning = 5;
            hoseColumn = &s.ticksRunning;
        }
        drawWorld();
        EXPECT_EQ(changedOutsideView(), 0) << c.what;
        int texels = 0;
        for (std::uint8_t colour = 240; colour < 244; ++colour) texels += countColour(colour);
        EXPECT_GT(texels, 0) << c.what;
        const int value = column != nullptr ? *column : *hoseColumn;
        EXPECT_GE(value, 0) << c.what;
        EXPECT_LT(value, 8) << c.what;
    }
}

TEST_F(DrawEntries, EveryJetEntryMovesTheTextureColumnOnByTheWholeArc) {
    alloc(1, 0, 0, 0);
    Person& p = placePerson(0, ViewOrigin.x + 200, ViewOrigin.y + 200);
    p.direction = 3;  // the nozzle at (14, -16) from the position
    SchlauchStrahl& s = p.attachment.makeJet();
    s.active = 1;
    s.direction = 3;
    // Level with the nozzle, 100 pixels to the right: 100 steps.
    s.targetX = static_cast<std::int16_t>(p.x + 14 + 100);
    s.targetY = static_cast<std::int16_t>(p.y);
    s.ticksRunning = 3;
    drawWorld();
    int entries = 0;
    for (int i = 0; i < DrawListCount; ++i)
        entries += DrawList[static_cast<std::size_t>(i)].id == kDrawPersonJet ? 1 : 0;
    ASSERT_GT(entries, 1);
    EXPECT_EQ(s.ticksRunning, (3 + entries * 100) % 8);
}

TEST_F(DrawEntries, TheHoverProbeFindsTheFrontmostPickableThing) {
    alloc(3, 1, 2, 0);
    const int vx = ViewOrigin.x;
    const int vy = ViewOrigin.y;
    // Person 1 stands 10 lower than person 0, so it is nearer and drawn later.
    placePerson(0, vx + 200, vy + 150);
    placePerson(1, vx + 200, vy + 160);
    struct Case {
        const char* what;
        int x, y;
        std::uint16_t kind;
        std::uint16_t id;
    };
    // Picture pixel (i, j) is transparent where (i + j) % 7 == 3.
    const Case cases[] = {
        {"the nearer of two persons", 200 + 20, 160 + 30, kHoverPerson, 1},
        {"through a hole of the nearer one", 200 + 3, 160 + 28, kHoverPerson, 0},
        {"a hole of the only one there", 200 + 1, 150 + 2, kHoverNothing, 0},
        {"beside them", 400, 400, kHoverNothing, 0},
    };
    for (const Case& c : cases) {
        clearScreen();
        MouseX = static_cast<std::uint16_t>(c.x);
        MouseY = static_cast<std::uint16_t>(c.y);
        HoverIds = {};
        drawWorld();
        EXPECT_EQ(HoverKind, c.kind) << c.what;
        if (c.kind != kHoverNothing) {
            EXPECT_EQ(HoverIds[0], c.id) << c.what;
        }
        EXPECT_NE(at(c.x, c.y), 0) << c.what << ": the probe pixel is put back";
    }
}

TEST_F(DrawEntries, JetsSeeThroughAndSmallObjectsAreNeverPicked) {
    alloc(1, 0, 2, 0);
    const int vx = ViewOrigin.x;
    const int vy = ViewOrigin.y;
    Person& p = placePerson(0, vx + 200, vy + 150);
    p.direction = 6;
    SchlauchStrahl& s = p.attachment.makeJet();
    s.active = 1;
    s.direction = 6;
    s.targetX = static_cast<std::int16_t>(p.x);
    s.targetY = static_cast<std::int16_t>(p.y + 100);
    // The hose falls straight down its column from the hand at (0, -4): pick a pixel it covers
    // where the person's picture (column 35) is opaque too.
    drawWorld();
    const int jx = static_cast<int>(p.x) - vx;
    int jy = -1;
    for (int y = static_cast<int>(p.y) - vy - 4; y < static_cast<int>(p.y) - vy; ++y)
        if (at(jx, y) >= 240 && at(jx, y) < 244 && (35 + y + vy - p.drawY) % 7 != 3) jy = y;
    ASSERT_GE(jy, 0) << "the jet crosses the person's feet";
    clearScreen();
    MouseX = static_cast<std::uint16_t>(jx);
    MouseY = static_cast<std::uint16_t>(jy);
    drawWorld();
    EXPECT_EQ(HoverKind, kHoverPerson) << "the jet leaves the person picked";
    EXPECT_LT(at(jx, jy), 240) << "and the person's colour under the mouse";

    // Objects: a blood pool (type 2) and a see-through one over an empty spot are never picked;
    // an opaque one of a higher type is.
    p.type = -1;
    SonderObjTypen[2] = SonderObjTypen[test::kBenchSonderObjTyp];
    const int ox = vx + 300;
    const int oy = vy + 300;
    MouseX = 300 + 10;
    MouseY = 300 + 20;  // picture pixel (10, 20): opaque
    struct Case {
        const char* what;
        std::int16_t type;
        std::uint8_t drawStyle;
        std::uint16_t kind;
    };
    const Case cases[] = {
        {"a small object", 2, 0, kHoverNothing},
        {"a see-through object", test::kBenchSonderObjTyp, 1, kHoverNothing},
        {"an opaque object", test::kBenchSonderObjTyp, 0, kHoverSonderObj},
    };
    for (const Case& c : cases) {
        clearScreen();
        SonderObj& o = placeSonderObj(1, ox, oy, 9);
        o.type = c.type;
        o.drawStyle = c.drawStyle;
        drawWorld();
        EXPECT_EQ(HoverKind, c.kind) << c.what;
    }
    SonderObjTypen[2].frames = nullptr;
}

TEST_F(DrawEntries, TheLadderBasketShowsOnlyWhileTheLadderStands) {
    // The ladder type's animations: the bench's body, and a basket of colour 250 for the lift (4)
    // and the four basket positions (5..8).
    test::TestImages basket;
    basket.add(12, 10, std::vector<std::uint8_t>(120, 250));
    std::array<AnimSlot, 14> slots;
    slots.fill(unitSlot[0]);
    for (int a = 4; a <= 8; ++a)
        slots[static_cast<std::size_t>(a)] = {1, 0, 0, 0, {0, 0, 11, 9}, basket.images()};
    FahrzeugTyp& ladder = FahrzeugTypen[kKanzelPictureTyp];
    ladder.dirAnims.fill(slots.data());
    ladder.animCount = static_cast<std::uint8_t>(slots.size());
    struct Case {
        const char* what;
        std::int8_t anim;
        std::uint8_t moving, column;
        std::int8_t liftFrame;
        int pixels;  // of the basket's colour; -1 some
    };
    const Case cases[] = {
        {"driving", 0, 0, 0, 0, 0},
        {"standing", 3, 0, 0, 0, 120},
        {"standing, second animation", 13, 0, 0, 0, 120},
        {"a column without a place", 3, 0, 5, 0, 0},
        {"lifting", 3, 1, 0, 0, -1},
        {"a lift frame past the pictures", 3, 1, 0, 7, 0},
    };
    for (const Case& c : cases) {
        clearScreen();
        alloc(0, 1, 0, 0);
        Fahrzeug& f = placeFahrzeug(0, ViewOrigin.x + 300, ViewOrigin.y + 250);
        f.type = kKanzelPictureTyp;
        f.anim = c.anim;
        f.kanzel = std::make_unique<KanzelState>();
        f.kanzel->position = 1;
        f.kanzel->column = c.column;
        f.kanzel->moving = c.moving;
        f.kanzel->liftFrame = c.liftFrame;
        drawWorld();
        if (c.pixels == 120) {
            // Position 1, column 0 sits at (-2, -110) from the vehicle, less (49, 17).
            EXPECT_EQ(at(static_cast<int>(f.x) - 2 - 49 - ViewOrigin.x,
                         static_cast<int>(f.y) - 110 - 17 - ViewOrigin.y),
                      250)
                << c.what;
        }
        if (c.pixels >= 0) {
            EXPECT_EQ(countColour(250), c.pixels) << c.what;
        } else {
            EXPECT_GT(countColour(250), 0) << c.what;
        }
    }
    ladder.dirAnims.fill(nullptr);
    ladder.animCount = 0;
}

TEST_F(DrawEntries, AContaminatedPersonShowsItsKindsMarker) {
    for (const std::uint8_t kind : {0, 1, 2, 3}) {
        clearScreen();
        alloc(1, 0, 0, 0);
        Person& p = placePerson(0, ViewOrigin.x + 200, ViewOrigin.y + 150);
        p.contamination = kind;
        drawWorld();
        const int first = countColour(test::kMarkerColour);
        const int second = countColour(test::kMarkerColour + 1);
        EXPECT_EQ(first > 0, kind == 1) << int{kind};
        EXPECT_EQ(second > 0, kind == 2) << int{kind};
        // Over the head: 9 left of the position, its bottom 3 above the box's top (-40).
        if (kind == 1) {
            EXPECT_EQ(at(static_cast<int>(p.x) - 9 - ViewOrigin.x,
                         static_cast<int>(p.y) - 40 - 3 - ViewOrigin.y),
                      test::kMarkerColour);
        }
    }
}

TEST_F(DrawEntries, EntriesThatNameNothingDrawNothing) {
    alloc(2, 0, 0, 0);
    placePerson(0, ViewOrigin.x + 200, ViewOrigin.y + 150);
    BuildDrawList();
    ASSERT_GT(DrawListCount, 0);
    const DrawListEntry kept = DrawList[0];
    DrawList[0].id = kDrawPerson + 99;  // past the person array
    for (const std::int16_t position : {std::int16_t{0}, DrawListCount, std::int16_t{-1}})
        RenderDrawListEntry(200, 150, position);
    EXPECT_EQ(Differences(screen, background()), "");
    DrawList[0] = kept;
}

}  // namespace
}  // namespace kv
