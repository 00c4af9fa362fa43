#pragma once
// Little people drawn by code for the person sprite sets: one look per role (colours, headgear,
// what they carry), posed standing, walking, acting, sitting, lying or swimming, and facing one
// of the twelve directions (0 up the screen, clockwise in steps of 30 degrees).

#include <cstdint>

#include "writers/canvas.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

enum class Headgear : std::uint8_t { Hair, Helmet, Cap, Hood, FlightHelmet };
enum class Carry : std::uint8_t {
    None,
    Extinguisher,
    Cutter,
    HoseCoil,
    HoseJet,
    Casualty,
    Chainsaw,
    Box,
    Rope,
    Tyre,
    Ring,
    Torch,
};

struct Look {
    PaletteRamp clothes;  // jacket or shirt, dark to light
    std::uint8_t trousers;
    Headgear head;
    std::uint8_t headColour;
    std::uint8_t stripe = 0;  // a band across the jacket (reflective stripes); 0 none
    bool redCross = false;
    bool burning = false;
    bool bloody = false;
    bool swimsuit = false;  // bare arms and legs
    bool tank = false;      // breathing apparatus on the back
    Carry carry = Carry::None;
};

struct Pose {
    double stride = 0;  // -1..1: how far the right leg is ahead
    double reach = 0;   // 0 arms down .. 1 arms held forward
    double raise = 0;   // 0 .. 1: the right arm goes up above the head
    double crouch = 0;  // 0 standing .. 1 kneeling
    double lift = 0;    // pixels off the ground (a jump)
    bool handsBehind = false;
};

// A standing figure with its feet at (fx, fy).
void DrawFigure(Canvas& c, int fx, int fy, int direction, const Look& look, const Pose& pose);
// Sitting on the ground, hips at (fx, fy).
void DrawSitting(Canvas& c, int fx, int fy, int direction, const Look& look, double wave);
// Lying with its middle at (cx, cy), head towards the direction; wave moves an arm.
void DrawLying(Canvas& c, int cx, int cy, int direction, const Look& look, double wave,
               int length = 18);
// In the water up to the shoulders at (cx, cy); sink 0..1 takes the head under.
void DrawSwimming(Canvas& c, int cx, int cy, int direction, const Look& look, double stroke,
                  double sink, bool ring);
// Flames over a figure whose feet are at (fx, fy).
void DrawFlames(Canvas& c, int fx, int fy, int phase);
// The canvas twice as large, each pixel a 2 x 2 block.
Canvas Enlarged(const Canvas& small);

// The first person type with that panel picture, enlarged and facing the player, in the middle
// of the canvas; false when no person type has it.
bool DrawPersonPortrait(Canvas& c, int picture);
// The largest panel picture number of a person type.
int HighestPersonPanelPicture();

}  // namespace kv::sampledata
