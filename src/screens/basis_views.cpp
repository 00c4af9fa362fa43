#include "screens/basis_views.h"

#include "core/fatal_error.h"
#include "gfx/screen_animation.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "media/unit_sounds.h"
#include "screens/basis.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"

namespace kv {

VffImage* BasisViewImage = nullptr;
VffImage* BasisMaskImage = nullptr;
std::array<BasisDoorAnimations, kBasisDoorTypes> BasisDoorAnis{};

namespace {

// The medium station shows its own animation during the drive-out.
constexpr const char* kBasisAniName = "ani.aff";

// The picture replaces the one held; false after the fatal error when the file is missing.
bool LoadHeld(VffImage*& held, std::string_view name, std::string_view message) {
    FreeVff(held);
    held = nullptr;
    const std::string path = BasisFile(name);
    held = LoadVff(path);
    if (held != nullptr) return true;
    FatalError(message.empty() ? "file not found: " + path : std::string(message));
    return false;
}

bool MediumStation() {
    const Basis* base = OpenBasisRecord();
    return base != nullptr && base->type == kBasisMedium;
}

}  // namespace

std::string BasisFile(std::string_view name) {
    std::string path = BasisScreen.pathTemplate;
    const std::size_t at = path.find("%s");
    if (at != std::string::npos) path.replace(at, 2, name);
    return path;
}

void LoadBasisOben() {
    if (!LoadHeld(BasisViewImage, "oben.vff", "file not found: BASISOBENANSICHT")) return;
    BasisScreen.view = kBasisViewOben;
}

void LoadBasisUnten() {
    // Only the sirens the leaving vehicle plays stop; others may be heard on the map.
    for (int id = kSoundSiren; id < kSoundSiren + kSirenCopies; ++id)
        if (BasisScreen.vehicle >= 0 && IsFahrzeugSoundPlaying(BasisScreen.vehicle, id))
            StopSound(id);
    BasisScreen.vehicle = -1;
    if (!LoadHeld(BasisViewImage, "unten.vff", "")) return;
    BasisScreen.view = kBasisViewUnten;
}

void LoadBasisAussen() {
    // Without a free vehicle slot there is nothing to drive out: the view stays.
    const std::int16_t vehicle = CreateBasisFahrzeug();
    if (vehicle < 0) return;
    BasisScreen.vehicle = vehicle;
    if (!LoadHeld(BasisViewImage, "aussen.vff", "file not found: BASISAUSSENANSICHT")) return;
    LoadAnimation(BasisFile("opendoor.aff"), false);
    if (FatalErrorRaised()) return;
    BasisScreen.view = kBasisViewAussen;
}

void LoadBasisMaske() {
    if (!LoadHeld(BasisMaskImage, "maske.vff", "file not found: BASISAUSSENMASKE")) return;
    if (MediumStation()) {
        LoadAnimation(BasisFile(kBasisAniName), true);
        if (FatalErrorRaised()) return;
    }
    if (BasisScreen.vehicle >= 0) PlaySirenSound(BasisScreen.vehicle, 0);
    BasisScreen.view = kBasisViewAusfahrt;
}

void LoadBasisStaffAnis() {
    FreeBasisStaffAnis();
    for (std::size_t t = 0; t < kBasisDoorTypes; ++t) {
        BasisDoorAnis[t].goingDown = LoadFrameSet(kBasisDoors[t].goingDown);
        BasisDoorAnis[t].arriving = LoadFrameSet(kBasisDoors[t].arriving);
        if (FatalErrorRaised()) return;
    }
}

void FreeBasisStaffAnis() {
    for (BasisDoorAnimations& door : BasisDoorAnis) {
        FreeFrameSet(door.goingDown);
        FreeFrameSet(door.arriving);
        door = {};
    }
}

void FreeBasisScreen() {
    if (BasisScreen.pathTemplate.empty()) return;
    FreeAnimation();
    if (BasisScreen.vehicle >= 0) StopOwnerSound(kOwnerFahrzeug, BasisScreen.vehicle);
    BasisScreen.vehicle = -1;
    FreeBasisStaffAnis();
    FreeVff(BasisViewImage);
    BasisViewImage = nullptr;
    FreeVff(BasisMaskImage);
    BasisMaskImage = nullptr;
    BasisScreen.infoText.clear();
    BasisScreen.infoText.shrink_to_fit();
    BasisScreen.pathTemplate.clear();
    BasisScreen.pathTemplate.shrink_to_fit();
    FreeBasisPaths();
    RemoveBasisStaff();
}

}  // namespace kv
