#pragma once
// The drawers' test bench: an 800 x 600 screen as the draw target with a patterned view, the piece
// mask, a person type and a vehicle type of one picture each, jet pictures and the contamination
// marker, all owned by the test and taken out of the game's tables before the resets.

#include <array>
#include <cstdint>
#include <vector>

#include "gfx/blend_tables.h"
#include "gfx/image_files.h"
#include "movement/unit_type.h"
#include "persons/person.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/furniture.h"
#include "world/sonder_obj.h"

namespace kv::test {

// Pictures of w x h whose pixels vary and every seventh diagonal is transparent, so that a seam,
// a pixel drawn twice through a blend or a transparent hole shows.
std::vector<std::uint8_t> PatternPixels(int w, int h, int seed);

// The screen points where opaque pixels of both persons' current pictures lie, in the front
// one's rows and columns; empty when either has no picture.
std::vector<std::array<int, 2>> PointsOverBoth(const Person& back, const Person& front);

// An image set of frames made by the test.
class TestImages {
  public:
    void add(int w, int h, std::vector<std::uint8_t> pixels);
    void add(int w, int h, int seed) { add(w, h, PatternPixels(w, h, seed)); }
    VffImage* images();
    FrameSet* frames(std::int16_t dx, std::int16_t dy);

  private:
    std::vector<std::vector<std::uint8_t>> pixels_;
    std::vector<std::array<int, 2>> sizes_;
    std::vector<VffImage> images_;
    std::vector<FrameSet> frames_;
};

// The types and indices the bench installs.
inline constexpr int kBenchPersonTyp = 30;
inline constexpr int kBenchFahrzeugTyp = 3;  // a type with a cannon
inline constexpr int kBenchSonderObjTyp = 18;
inline constexpr std::uint16_t kBenchHouseObjSlot = 57;
// The contamination marker's two frames are of this colour and the next.
inline constexpr std::uint8_t kMarkerColour = 251;
// The unit pictures: 70 x 60 with the box from row 20 down.
inline constexpr int kUnitWidth = 70;
inline constexpr int kUnitHeight = 60;
inline constexpr std::int16_t kUnitBoxTop = 20;

class DrawTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Slots of every kind, all free.
    void alloc(int persons, int vehicles, int objects, int furniture);
    // A person of the bench type with its picture's corner at (x, y) and its position at the
    // picture's bottom middle.
    Person& placePerson(int slot, int x, int y, int storey = 0);
    Fahrzeug& placeFahrzeug(int slot, int x, int y);
    // A special object of the bench type whose frame (offset 0, 0) has its corner at (x, y); box
    // top as given.
    SonderObj& placeSonderObj(int slot, int x, int y, std::int16_t boxTop);
    HouseObj& placeHouseObj(int slot, int x, int y, int storey, std::int16_t boxTop = 12);

    // Builds the list and draws every entry at its cell, in list order, with the hover probe
    // around them.
    void drawWorld();
    // The screen with only the background.
    std::vector<std::uint8_t> background() const;
    // The screen back to the background, still the draw target.
    void clearScreen();
    // Copies a picture onto a screen, whole, cut to the view; blended with the selector when it
    // is not 0.
    static void blitWhole(std::vector<std::uint8_t>& screen, const std::uint8_t* pixels, int w,
                          int h, int x, int y, std::uint8_t blend = 0);
    std::uint8_t at(int x, int y) const {
        return screen[static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)];
    }

    std::vector<std::uint8_t> screen;
    TestImages maskImages;
    TestImages unitImages;
    TestImages objectImages;
    TestImages jetImages;
    TestImages markerImages;
    std::array<AnimSlot, 1> unitSlot{};
    KanoneTyp kanone{};
    TestImages kanoneImages;
    std::array<BlendTable, 2> savedBlend{};
};

}  // namespace kv::test
