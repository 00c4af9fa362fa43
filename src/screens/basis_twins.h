#pragma once
// What the four base screens (the stations, the helicopter base, the airfield, the ship base)
// share: their pictures by the path template, the world running behind them before it has
// started, the steady blue lights, the buttons' rectangles and third-frame count, and the drawing
// and showing of a frame.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gfx/image_files.h"
#include "platform/system.h"

namespace kv {

struct FrameSet;

// The four buttons of the shared state, by index.
inline constexpr std::size_t kBasisButtonStart = 0;
inline constexpr std::size_t kBasisButtonSecond = 1;
inline constexpr std::size_t kBasisButtonMap = 2;
inline constexpr std::size_t kBasisButtonOptions = 3;

// The picture of the open base's folder (BasisFile); a missing one is fatal with the message, and
// gives null.
VffImage* LoadBasisPicture(std::string_view file, const char* message);

// The button under a screen point (the four of the shared state, by their rectangles), or -1.
int BasisButtonAt(int x, int y);
// A pressed button counts its frames; true on the third frame after the press, the flag cleared.
bool BasisButtonFires(std::size_t button);
void PressBasisButton(std::size_t button);

// Palette entries 163 and 9 both at the fourth colour of the blue lights' cycle.
void SteadyBlueLights();

// Which persons carry out their orders while the world behind a base has not started.
enum class BeforeStartPersons : std::uint8_t {
    None,   // the airfield, the ship base
    OnMap,  // the stations: not those inside a vehicle or carried
    All,    // the helicopter base
};
// The world behind a base. Before it has started, game-speed times: the path search's new tick, the
// map vehicles' moves and the vehicles' frames; with persons, their frames and head orders too.
// Afterwards the game's ticks, only while the base's own game mode runs (not under the options).
void RunBasisWorld(BeforeStartPersons persons, std::uint32_t baseMode);

// The screen animation stepped at the game speed onto a view picture, at (x, y) of the picture.
void StepBasisViewAnimation(VffImage* picture, int x, int y);
// Into DrawTarget, clipped to the world view: a picture from its pixel (10, 10) on; a picture
// (transparent) at its corner; a frame set's frame blended half over what lies below.
void DrawBasisViewPicture(const VffImage* picture);
void DrawInWorldView(const VffImage* image, int x, int y);
void BlendInWorldView(const FrameSet& frame, int x, int y);
// A frame (counted round the animation's frames) of a vehicle type's animation in a facing, at a
// hot-spot position, with its water cannon when it has one. The picture drawn (null for none) and
// its corner.
struct BasisBody {
    const VffImage* image = nullptr;
    int left = 0;
    int top = 0;
};
BasisBody DrawBasisFahrzeugTyp(std::int16_t type, int facing, int anim, int frame, int x, int y);
// The two outlines in the selection colour, 1 and 2 pixels outside a rectangle.
void DrawChosenOutline(int x, int y, int w, int h);

// The frame composed in the WorkBuffer, shown: the cursor over it, the info text when one exists
// and something is hovered (a place's into the screen's rectangle for it, none when null; a
// person's beside the person), the message line; the first frame is over.
void ShowBasisFrame(const Rect* placeText);
// The rectangle a person's info text stands in, and the box behind it.
Rect PersonInfoRect(std::int16_t person);
void DarkenPersonInfoBox(std::int16_t person);
void DarkenInfoBox(int x, int y, int w, int h);

}  // namespace kv
