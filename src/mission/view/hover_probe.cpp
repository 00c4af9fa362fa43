#include "mission/view/hover_probe.h"

#include "core/hover.h"
#include "core/mouse.h"
#include "gfx/frame_buffer.h"
#include "gfx/primitives.h"

namespace kv {

namespace {

// The probe never reaches past the draw target: a mouse point off the screen (or no target)
// reads and writes nothing, and nothing is ever hovered then.
bool ProbeOnTarget() {
    return DrawTarget != nullptr && MouseX < kScreenWidth && MouseX < DrawPitch &&
           MouseY < kScreenHeight;
}

}  // namespace

void ResetHoverProbe() {
    ArmHoverPixel();
    HoverKind = kHoverNothing;
}

void ArmHoverPixel() {
    if (!ProbeOnTarget()) return;
    HoverSavedPixel = GetPixel8(MouseX, MouseY);
    PutPixel8(MouseX, MouseY, 0);
}

void RestoreHoverPixel() {
    if (!ProbeOnTarget()) return;
    PutPixel8(MouseX, MouseY, HoverSavedPixel);
}

void CheckHoverPixel(std::uint16_t kind, std::uint16_t id1, std::uint16_t id2, std::uint16_t id3,
                     std::uint16_t id4) {
    if (!ProbeOnTarget() || GetPixel8(MouseX, MouseY) == 0) return;
    HoverKind = kind;
    HoverIds = {id1, id2, id3, id4};
    ArmHoverPixel();
}

}  // namespace kv
