#include "screens/basis.h"

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "gfx/palette.h"
#include "mission/mission_tick.h"
#include "mission/pause.h"
#include "platform/messages.h"
#include "screens/basis_kauf.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/basis_twins.h"
#include "screens/basis_views.h"
#include "screens/heli_basis.h"
#include "screens/karte.h"
#include "screens/lflug_basis.h"
#include "screens/options.h"
#include "screens/schiff_basis.h"

namespace kv {

std::array<Basis, kBasisCount> Basen{};

namespace {

std::uint8_t StationType() {
    const Basis* base = OpenBasisRecord();
    return base != nullptr ? base->type : kBasisSmall;
}

// The vehicle that is leaving is bought as it stands; the hall opens again with fresh staff.
void CommitAndReturnToHall() {
    CommitFahrzeugPurchase(BasisScreen.vehicle);
    PlaceBasisStaff(StationType());
    LoadBasisUnten();
}

bool OutsideView() {
    return BasisScreen.view == kBasisViewAussen || BasisScreen.view == kBasisViewAusfahrt;
}

void FireButton(std::size_t button) {
    switch (button) {
        case kBasisButtonStart:
            if (BasisScreen.labels[0] == kBasisLabelStart) LoadBasisAussen();
            return;
        case kBasisButtonSecond:
            if (BasisScreen.labels[1] == kBasisLabelStaff)
                LoadBasisOben();
            else if (BasisScreen.labels[1] == kBasisLabelVehicles)
                LoadBasisUnten();
            return;
        case kBasisButtonMap:
            if (OutsideView()) CommitFahrzeugPurchase(BasisScreen.vehicle);
            CloseBasis();
            return;
        case kBasisButtonOptions:
            OpenOptionsScreen();
            return;
        default:
            return;
    }
}

void RunBasisButtons() {
    for (std::size_t k = 0; k < BasisScreen.buttons.size(); ++k) {
        if (!BasisButtonFires(k)) continue;
        FireButton(k);
        if (FatalErrorRaised() || GameMode != kGameModeBasis) return;
    }
}

}  // namespace

void InitBasen() {
    Basen = kBasisPlates;
    if (MissionNummer == 30) Basen[kSchiffBasisIndex].x = kSchiffBasisXM30;
}

void FreeBasen() {
    // The station's screen first: the special bases' frees empty the shared path template, by
    // which the station's free finds its pictures still held.
    FreeBasisScreen();
    FreeHeliBasisScreen();
    FreeLflugBasisScreen();
    FreeSchiffBasisScreen();
    Basen = {};
}

void OpenBasis(std::int16_t base) {
    if (base < 0 || base >= kBasisCount) return;
    const std::uint8_t type = Basen[static_cast<std::size_t>(base)].type;
    if (type >= kBasisPathTemplates.size()) return;
    FreeBasisScreen();
    BeginBasisScreen(base, kBasisPathTemplates[type], kGameModeBasis);
    BasisScreen.gathering = kBasisGatheringPoint;
    InitBasisPaths(type);
    PlaceBasisStaff(type);
    LoadBasisStaffAnis();
    if (FatalErrorRaised()) return;
    BasisScreen.vehicle = -1;
    LoadBasisUnten();
    if (FatalErrorRaised()) return;
    GameMode = kGameModeBasis;
    ListBasisStaff();
    DrawBasisScreen();
    FadePaletteIn(Palette);
}

void CloseBasis() {
    FreeBasisScreen();
    OpenKarte();
}

void UpdateBasis() {
    if (BasisScreen.view == kBasisViewAusfahrt)
        CyclePaletteColours();
    else
        SteadyBlueLights();
    const std::uint32_t mode = GameMode;
    RunBasisWorld(BeforeStartPersons::OnMap, kGameModeBasis);
    // The ticks may have ended the mission.
    if (FatalErrorRaised() || GameMode != mode) return;
    if (BasisScreen.view == kBasisViewAusfahrt && DriveBasisFahrzeugOut()) {
        LoadBasisUnten();
        return;
    }
    ListBasisStaff();
}

void RunBasisFrame() {
    UpdateBasis();
    if (FatalErrorRaised() || GameMode != kGameModeBasis) return;
    SetBasisCursor();
    DrawBasisScreen();
    StandUpBasisStaff();
    RunBasisButtons();
}

void OnBasisLButtonDown(int x, int y) {
    if (const int button = BasisButtonAt(x, y); button >= 0) {
        PressBasisButton(static_cast<std::size_t>(button));
        return;
    }
    if (OutsideView())
        CommitAndReturnToHall();
    else
        BasisPurchaseClick();
}

void OnBasisRButtonDown() {
    if (OutsideView())
        CommitAndReturnToHall();
    else
        CloseBasis();
}

void OnBasisMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void OnBasisKeyDown(std::uint32_t key) {
    if (key == VK_ESCAPE)
        OnBasisRButtonDown();
    else if (key == VK_SPACE)
        EnterPause();
}

}  // namespace kv
