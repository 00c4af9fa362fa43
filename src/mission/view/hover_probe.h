#pragma once
// Picking by drawing: the pixel of the draw target under the mouse is the probe. It is set to 0
// before the view is drawn; after each pickable thing is drawn it is read back, and a pixel that
// is no longer 0 makes that thing the hovered one and arms the probe again. As the world is drawn
// back to front, the last thing to hit the probe is the front-most thing under the mouse.

#include <cstdint>

namespace kv {

// Before the first thing of the view: ArmHoverPixel, then nothing hovered. HoverIds keep their
// values.
void ResetHoverProbe();
// Keeps the pixel under the mouse in HoverSavedPixel and sets it to 0.
void ArmHoverPixel();
// Puts the kept pixel back: after the last thing of the view, and after a thing that must not be
// picked (then ArmHoverPixel follows).
void RestoreHoverPixel();
// After a pickable thing: when it covered the probe, it becomes the hovered thing and the probe is
// armed again over it.
void CheckHoverPixel(std::uint16_t kind, std::uint16_t id1, std::uint16_t id2, std::uint16_t id3,
                     std::uint16_t id4);

}  // namespace kv
