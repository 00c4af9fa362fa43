#pragma once
// The pictures of an open station: the view picture (staff room, hall, outside), the mask the
// leaving vehicle drives behind, and the stairs' door animations of the five staff types. The
// loaders switch the view; freeing them all closes what a station holds.

#include <array>
#include <string>
#include <string_view>

#include "gfx/image_files.h"
#include "screens/basis_staff_table.h"

namespace kv {

// The current view's picture: 640 x 480, drawn from its pixel (10, 10) on into the world view, so
// that its pixels stand where they show on the screen.
extern VffImage* BasisViewImage;
extern VffImage* BasisMaskImage;
// By staff type: going down the stairs in the staff room, arriving in the hall.
struct BasisDoorAnimations {
    FrameSet* goingDown = nullptr;
    FrameSet* arriving = nullptr;
};
extern std::array<BasisDoorAnimations, kBasisDoorTypes> BasisDoorAnis;

// The station's folders, by station type 0..2.
inline constexpr std::array<std::string_view, 3> kBasisPathTemplates = {
    "basen\\klein\\%s", "basen\\mittel\\%s", "basen\\gross\\%s"};
// A file of the open station: its name put into the path template.
std::string BasisFile(std::string_view name);

// View 0, the staff room.
void LoadBasisOben();
// View 1, the hall; the vehicle that was driving out is done with (its sirens stop).
void LoadBasisUnten();
// View 2: the outside with the door opening, and the chosen vehicle made at the exit point.
void LoadBasisAussen();
// View 3: the mask over the leaving vehicle, the medium station's animation, the siren.
void LoadBasisMaske();
// The ten door animations, always the small station's.
void LoadBasisStaffAnis();
void FreeBasisStaffAnis();

// Everything an open station holds: the screen animation, the leaving vehicle's sound, the door
// animations, the pictures, the info text, the path template, the paths and the staff. Nothing
// when no station is open.
void FreeBasisScreen();

}  // namespace kv
