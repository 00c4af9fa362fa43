#include "screens/schiff_basis.h"

#include <algorithm>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "gfx/screen_animation.h"
#include "mission/mission_tick.h"
#include "mission/pause.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/hover_probe.h"
#include "mission/view/message_box.h"
#include "platform/messages.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/basis_twins.h"
#include "screens/basis_views.h"
#include "screens/karte.h"
#include "screens/karte_wege.h"
#include "screens/options.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

constexpr std::uint32_t kSchiffMode = 15;
constexpr std::uint32_t kOptionsMode = 9;
constexpr std::int8_t kAnimPlace = 0;
constexpr std::int8_t kAnimLeaving = 1;
constexpr std::int8_t kLeavingFacing = 3;

// The boat place's info text and the box behind it.
constexpr int kInfoTextLeft = 190;
constexpr int kInfoTextAbove = 60;
constexpr int kInfoTextW = 150;
constexpr int kInfoTextH = 110;
constexpr int kInfoBoxX = 180;
constexpr int kInfoBoxAbove = 70;
constexpr int kInfoBoxW = 160;
constexpr int kInfoBoxH = 120;

VffImage* g_view = nullptr;
bool g_open = false;

const BasisPlace& BoatPlace() {
    static const BasisPlace none{kTypF115, 0, 0, kLeavingFacing};
    const Basis* b = OpenBasisRecord();
    return b != nullptr && b->placeCount > 0 ? b->places[0] : none;
}

std::int64_t PriceOf(std::int16_t type) {
    const FahrzeugTyp* typ = FahrzeugTypAt(type);
    return typ != nullptr ? typ->price : 0;
}

void ChooseBoat() {
    const std::int64_t price = PriceOf(BoatPlace().type);
    if (price > Money) {
        SetMessageLine("Zu wenig Geld!", 60);
        return;
    }
    BasisScreen.previewMoney = static_cast<std::int32_t>(Money - price);
    BasisScreen.chosenPlace = 0;
}

// Two outlines around the type's box at the place.
void OutlineChosenBoat() {
    const BasisPlace& place = BoatPlace();
    const FahrzeugTyp* typ = FahrzeugTypAt(place.type);
    if (typ == nullptr) return;
    const auto& box = typ->selectBox;
    DrawChosenOutline(place.x + box[0] - 1, place.y + box[1] - 1, box[2] - box[0] + 3,
                      box[3] - box[1] + 3);
}

void DrawInfoBox() {
    if (BasisScreen.firstFrame != 0) return;
    const std::int16_t index = HoverKind == kHoverFahrzeug ? 0 : -1;
    const std::uint8_t kind = index >= 0 ? kInfoPlace : kInfoNone;
    ChooseBasisInfo(index, kind, BoatPlace().type);
    if (!BasisScreen.infoText.empty())
        DarkenInfoBox(kInfoBoxX, BoatPlace().y - kInfoBoxAbove, kInfoBoxW, kInfoBoxH);
}

// One step of the boat leaving; true once it is past the screen's edge. A type without speed
// would never get there.
bool StepDriveOut(Fahrzeug& v) {
    if (v.x >= kSchiffGoneX) return true;
    v.x += std::max(FahrzeugTypOf(v).speed, 1.0F);
    UpdateFahrzeugDrawPos(v);
    return false;
}

void BuyAndClose() {
    CommitSchiffPurchase(BasisScreen.vehicle);
    CloseSchiffBasis();
}

void LeaveSchiffBasis() {
    if (BasisScreen.view == kBasisViewAusfahrt)
        BuyAndClose();
    else
        CloseSchiffBasis();
}

}  // namespace

void OpenSchiffBasis(std::int16_t base) {
    BeginBasisScreen(base, kSchiffPathTemplate, kSchiffMode);
    BasisScreen.vehicle = -1;
    g_open = true;
    LoadFahrzeugTyp(BoatPlace().type);
    LoadSchiffUnten();
    if (FatalErrorRaised()) return;
    GameMode = kSchiffMode;
    ListBasisStaff();
    DrawSchiffBasisScreen();
    FadePaletteIn(Palette);
}

void FreeSchiffBasisScreen() {
    if (!g_open) return;
    g_open = false;
    FreeAnimation();
    FreeVff(g_view);
    g_view = nullptr;
    BasisScreen.pathTemplate.clear();
    BasisScreen.infoText.clear();
}

void CloseSchiffBasis() {
    FreeSchiffBasisScreen();
    OpenKarte();
}

void CommitSchiffPurchase(std::int16_t vehicle) {
    Fahrzeug* v = vehicle > -1 ? UsedFahrzeugAt(vehicle) : nullptr;
    if (v == nullptr) return;
    v->x = WaterEntry.x;
    v->y = WaterEntry.y;
    v->height = 0;
    PlaceFahrzeugOnKarte(vehicle, BasisScreen.base);
    Money = static_cast<std::int32_t>(Money - PriceOf(v->type));
}

void RunSchiffBasisFrame() {
    UpdateSchiffBasis(1);
    if (GameMode != kSchiffMode || FatalErrorRaised()) return;
    SetBasisCursor();
    DrawSchiffBasisScreen();
    if (BasisButtonFires(kBasisButtonStart) && BasisScreen.labels[0] == 0) StartSchiffDriveOut();
    if (BasisButtonFires(kBasisButtonMap)) {
        LeaveSchiffBasis();
        return;
    }
    if (BasisButtonFires(kBasisButtonOptions)) OpenOptionsScreen();
}

void OnSchiffLButtonDown(int x, int y) {
    const int button = BasisButtonAt(x, y);
    // The second button offers nothing here, whatever it shows.
    if (button >= 0 && button != static_cast<int>(kBasisButtonSecond)) {
        PressBasisButton(static_cast<std::size_t>(button));
        return;
    }
    if (BasisScreen.view == kBasisViewUnten && HoverKind == kHoverFahrzeug) ChooseBoat();
    if (BasisScreen.view == kBasisViewAusfahrt) BuyAndClose();
}

void OnSchiffRButtonDown() {
    LeaveSchiffBasis();
}

void OnSchiffKeyDown(std::uint32_t key) {
    if (key == VK_ESCAPE) LeaveSchiffBasis();
    if (key == VK_SPACE) EnterPause();
}

void OnSchiffMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void UpdateSchiffBasis(std::uint8_t draw) {
    if (draw != 0 && BasisScreen.view == kBasisViewAusfahrt)
        CyclePaletteColours();
    else
        SteadyBlueLights();
    RunBasisWorld(BeforeStartPersons::None, kSchiffMode);
    // The ticks may have ended the mission or the game.
    if (FatalErrorRaised() || (GameMode != kSchiffMode && GameMode != kOptionsMode)) return;
    if (BasisScreen.view == kBasisViewAusfahrt) {
        Fahrzeug* v = UsedFahrzeugAt(BasisScreen.vehicle);
        for (int step = 0; v != nullptr && step < GameSpeed; ++step) {
            if (!StepDriveOut(*v)) continue;
            BuyAndClose();
            return;
        }
    }
    if (draw != 0) ListBasisStaff();
}

void DrawSchiffBasisView() {
    StepBasisViewAnimation(g_view, 0, 0);
    DrawBasisViewPicture(g_view);
    const BasisPlace& place = BoatPlace();
    if (BasisScreen.view == kBasisViewAusfahrt) {
        // Nothing is picked while the boat leaves.
        HoverKind = kHoverNothing;
        if (const Fahrzeug* v = UsedFahrzeugAt(BasisScreen.vehicle))
            DrawBasisFahrzeugTyp(v->type, v->direction, v->anim, v->frame, static_cast<int>(v->x),
                                 static_cast<int>(v->y));
    } else if (BasisScreen.view == kBasisViewUnten) {
        ResetHoverProbe();
        DrawBasisFahrzeugTyp(place.type, place.facing, kAnimPlace, 0, place.x, place.y);
        CheckHoverPixel(kHoverFahrzeug, 0, 0, 0, 0);
        RestoreHoverPixel();
        if (BasisScreen.chosenPlace >= 0) OutlineChosenBoat();
    }
    DrawInfoBox();
}

void DrawSchiffBasisScreen() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawBasisPanel();
    DrawSchiffBasisView();
    DrawMessageBox();
    DrawTarget = nullptr;
    const int top = BoatPlace().y - kInfoTextAbove;
    const Rect text{kInfoTextLeft, top, kInfoTextLeft + kInfoTextW, top + kInfoTextH};
    ShowBasisFrame(&text);
}

void LoadSchiffUnten() {
    FreeVff(g_view);
    g_view = LoadBasisPicture("unten.vff", "file not found: BASISUNTENANSICHT");
    if (g_view == nullptr) return;
    LoadAnimation(BasisFile("ani.aff"), true);
    BasisScreen.view = kBasisViewUnten;
}

void StartSchiffDriveOut() {
    const std::int16_t index = CreateBasisFahrzeug();
    if (index < 0) return;  // no free vehicle slot: nothing is made and the view stays
    const BasisPlace& place = BoatPlace();
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(index)];
    v.storey = kStoreyHall;
    v.x = place.x;
    v.y = place.y;
    v.height = 0;
    v.direction = kLeavingFacing;
    SetFahrzeugAnim(index, kAnimLeaving);
    UpdateFahrzeugDrawPos(v);
    BasisScreen.vehicle = index;
    BasisScreen.view = kBasisViewAusfahrt;
}

}  // namespace kv
