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
#include "movement/searching_movers.h"
#include "persons/person.h"
#include "persons/person_befehle.h"
#include "persons/personen.h"
#include "platform/messages.h"
#include "screens/basis_kauf.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/basis_views.h"
#include "screens/heli_basis.h"
#include "screens/karte.h"
#include "screens/karte_wege.h"
#include "screens/lflug_basis.h"
#include "screens/options.h"
#include "screens/schiff_basis.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::array<Basis, kBasisCount> Basen{};

namespace {

enum BasisButtonIndex : std::size_t { kButtonStart, kButtonSecond, kButtonMap, kButtonOptions };

// Where a click presses each button; ends exclusive.
struct ButtonArea {
    int left, right, top, bottom;
};
constexpr std::array<ButtonArea, 4> kButtonAreas = {{
    {352, 456, 502, 579},
    {465, 567, 502, 579},
    {662, 770, 155, 189},
    {662, 770, 353, 412},
}};
// A pressed button acts on the third frame after the press.
constexpr std::int16_t kButtonFrames = 3;

// Outside the drive-out the blue lights stand at one colour of their cycle.
constexpr std::size_t kStillBlueLight = 3;

// The frame moves on by the entry's delay, wrapping at its end; one-frame entries stay.
template <class Unit>
void StepFrame(Unit& u, const AnimSlot& slot) {
    if (slot.frames <= 1) return;
    if (++u.frameTimer < static_cast<int>(slot.delay)) return;
    u.frameTimer = 0;
    if (++u.frame >= slot.frames) u.frame = 0;
}

// Before the world has started only the map's vehicles travel, the frames run and the persons
// carry out their orders: the mission's clock and events stand.
void RunWorldBeforeStart() {
    for (int step = 0; step < GameSpeed; ++step) {
        BeginSearcherTick();
        for (std::int16_t i = 0; i < FahrzeugCount; ++i) {
            Fahrzeug* v = UsedFahrzeugAt(i);
            if (v == nullptr) continue;
            if (v->KarteWeg != -1) MoveFahrzeugOnKarte(i);
            StepFrame(*v, FahrzeugAnimSlot(v->type, v->direction, v->anim));
        }
        for (std::size_t i = 0; i < Personen.size(); ++i) {
            Person& p = Personen[i];
            if (p.type < 0) continue;
            if (p.animate != 0) StepFrame(p, PersonAnimSlot(p.type, p.direction, p.anim));
            if (p.offMap == 0) ExecutePersonBefehl(static_cast<std::int16_t>(i));
        }
    }
}

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
        case kButtonStart:
            if (BasisScreen.labels[0] == kBasisLabelStart) LoadBasisAussen();
            return;
        case kButtonSecond:
            if (BasisScreen.labels[1] == kBasisLabelStaff)
                LoadBasisOben();
            else if (BasisScreen.labels[1] == kBasisLabelVehicles)
                LoadBasisUnten();
            return;
        case kButtonMap:
            if (OutsideView()) CommitFahrzeugPurchase(BasisScreen.vehicle);
            CloseBasis();
            return;
        case kButtonOptions:
            OpenOptionsScreen();
            return;
        default:
            return;
    }
}

void RunBasisButtons() {
    for (std::size_t k = 0; k < BasisScreen.buttons.size(); ++k) {
        BasisButton& b = BasisScreen.buttons[k];
        if (b.pressed == 0 || ++b.frames < kButtonFrames) continue;
        b.pressed = 0;
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
    FreeHeliBasisScreen();
    FreeLflugBasisScreen();
    FreeSchiffBasisScreen();
    FreeBasisScreen();
    Basen = {};
}

void OpenBasis(std::int16_t base) {
    if (base < 0 || base >= kBasisCount) return;
    const std::uint8_t type = Basen[static_cast<std::size_t>(base)].type;
    if (type >= kBasisPathTemplates.size()) return;
    FreeBasisScreen();
    BasisScreen.pathTemplate = kBasisPathTemplates[type];
    BasisScreen.base = base;
    BasisScreen.buttons = {};
    BasisScreen.chosenPlace = -1;
    BasisScreen.previewMoney = Money;
    BasisScreen.gathering = kBasisGatheringPoint;
    BasisScreen.infoIndex = -1;
    BasisScreen.infoKind = kInfoNone;
    BasisScreen.infoText.clear();
    BasisScreen.firstFrame = 1;
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
    if (BasisScreen.view == kBasisViewAusfahrt) {
        CyclePaletteColours();
    } else {
        const BlueLightColour& c = kBlueLightCycle[kStillBlueLight];
        SetPaletteEntry(kBlueLightFirstEntry, c.r, c.g, c.b);
        SetPaletteEntry(kBlueLightSecondEntry, c.r, c.g, c.b);
    }
    if (WorldStarted == 0) {
        RunWorldBeforeStart();
    } else if (GameMode == kGameModeBasis) {
        RunGameTicks(0);
        // The ticks may have ended the mission.
        if (FatalErrorRaised() || GameMode != kGameModeBasis) return;
    }
    if (FatalErrorRaised()) return;
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
    for (std::size_t k = 0; k < kButtonAreas.size(); ++k) {
        const ButtonArea& a = kButtonAreas[k];
        if (x < a.left || x >= a.right || y < a.top || y >= a.bottom) continue;
        BasisScreen.buttons[k] = {1, 0};
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
