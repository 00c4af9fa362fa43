#include "screens/lflug_basis.h"

#include <algorithm>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/main_window.h"
#include "core/message_line.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "gfx/primitives.h"
#include "gfx/screen_animation.h"
#include "mission/input/cursor_choice.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/pause.h"
#include "mission/scroll_view.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/message_box.h"
#include "mission/view/world_drawing.h"
#include "platform/cp1252.h"
#include "platform/messages.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_screen.h"
#include "screens/basis_twins.h"
#include "screens/basis_views.h"
#include "screens/karte.h"
#include "screens/karte_wege.h"
#include "screens/options.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::int16_t LflugDropX = 0;
std::int16_t LflugDropY = 0;
std::uint8_t LflugFrameToggle = 0;

namespace {

constexpr std::uint32_t kLflugMode = 13;
constexpr std::uint32_t kOptionsMode = 9;
constexpr std::uint8_t kViewAuswahl = 0;
constexpr std::uint8_t kViewZielWahl = 1;
constexpr std::uint8_t kViewStart = 2;
constexpr std::int8_t kAircraftFacing = 3;

constexpr int kPictureX = 10;  // every view picture stands at the view's corner
constexpr int kPictureY = 10;
constexpr int kMaskX = 201;
constexpr int kMaskY = 237;
constexpr int kWorldViewW = 630;
constexpr int kWorldViewH = 470;

// The aircraft's info box and text in the first view.
constexpr int kInfoBoxX = 450;
constexpr int kInfoBoxY = 250;
constexpr int kInfoBoxW = 160;
constexpr int kInfoBoxH = 120;
constexpr Rect kInfoText{460, 260, 610, 370};

// The panel shows the aircraft's icon with a tinted bar under it once the flight is taken.
constexpr int kIconX = 32;
constexpr int kIconY = 493;
constexpr int kBarX = 34;
constexpr int kBarY = 495;
constexpr int kBarW = 124;
constexpr int kBarH = 9;
constexpr std::uint8_t kBarColour = 203;

VffImage* g_view = nullptr;
VffImage* g_zielFrame = nullptr;
VffImage* g_mask = nullptr;
VffImage* g_aircraft = nullptr;
bool g_open = false;

std::int64_t FlightPrice() {
    const FahrzeugTyp* typ = FahrzeugTypAt(kTypF111);
    return typ != nullptr ? typ->price : 0;
}

bool InRect(const Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void FreePicture(VffImage*& picture) {
    FreeVff(picture);
    picture = nullptr;
}

// Leaving the target choice: its frame goes and the cursor is free again.
void LeaveZielWahl() {
    FreePicture(g_zielFrame);
    CenterCursor();
}

void DrawPictureAtCorner(const VffImage* picture) {
    const VffImage* frame = SetFrame(picture, 0);
    if (frame == nullptr) return;
    BlitToBackBufferClippedTo(kWorldView, frame->pixels, kPictureX, kPictureY, frame->width,
                              frame->height);
}

// The world drawn for the mouse as the live view maps it, then shrunk by two into the view
// picture under the target frame. Both land clipped to the picture.
void DrawLiveView() {
    const VffImage* view = SetFrame(g_view, 0);
    if (view == nullptr) return;
    const std::uint16_t mouseX = MouseX;
    const std::uint16_t mouseY = MouseY;
    MouseX = static_cast<std::uint16_t>(2 * mouseX - kLiveMouseDX);
    MouseY = static_cast<std::uint16_t>(2 * mouseY - kLiveMouseDY);
    DrawWorld();
    MouseX = mouseX;
    MouseY = mouseY;
    if (FatalErrorRaised()) return;
    if (const VffImage* frame = SetFrame(g_zielFrame, 0)) {
        const int w = std::min<int>(frame->width, view->width - kZielFrameX);
        const int h = std::min<int>(frame->height, view->height - kZielFrameY);
        if (w > 0 && h > 0)
            BlitTransparent(frame->pixels, frame->width, kZielFrameX, kZielFrameY, w, h,
                            view->pixels, view->width);
    }
    const int w = std::min(kWorldViewW, 2 * (view->width - kLiveViewX)) & ~1;
    const int h = std::min(kWorldViewH, 2 * (view->height - kLiveViewY)) & ~1;
    if (w > 0 && h > 0)
        ShrinkBy2(PixelAt(DrawTarget, DrawPitch, kWorldView.left, kWorldView.top), DrawPitch,
                  kLiveViewX, kLiveViewY, w, h, view->pixels, view->width);
}

// What the info box shows in the first view: the aircraft while the cursor offers it.
void DrawAuswahlInfo() {
    if (BasisScreen.firstFrame != 0) return;
    const std::int16_t index = CursorId == kCursorSelect ? kTypF111 : -1;
    const std::uint8_t kind = index >= 0 ? kInfoPlace : kInfoNone;
    ChooseBasisInfo(index, kind, index);
    if (!BasisScreen.infoText.empty()) DarkenInfoBox(kInfoBoxX, kInfoBoxY, kInfoBoxW, kInfoBoxH);
}

// One step of the take-off; true once the aircraft is gone.
bool StepTakeOff() {
    LflugFrameToggle ^= 1U;
    Fahrzeug* v = UsedFahrzeugAt(BasisScreen.vehicle);
    if (v == nullptr) return true;
    v->x += kLflugRollPerStep;
    return v->x >= kLflugGoneX;
}

void StepScrollAxis(bool atLow, bool atHigh, std::int16_t& speed, std::int16_t& direction) {
    if (atLow || atHigh) {
        speed =
            static_cast<std::int16_t>(std::min(speed + kZielWahlScrollStep, kZielWahlScrollMax));
        direction = atLow ? -1 : 1;
    } else if (speed > 0) {
        speed = static_cast<std::int16_t>(std::max(speed - kZielWahlScrollStep, 0));
    }
}

void LeaveLflugBasis() {
    switch (BasisScreen.view) {
        case kViewAuswahl:
            CloseLflugBasis(-1);
            break;
        case kViewZielWahl:
            ClearMessageLine();
            LeaveZielWahl();
            CloseLflugBasis(-1);
            break;
        case kViewStart:
            CloseLflugBasis(BasisScreen.vehicle);
            break;
        default:
            break;
    }
}

}  // namespace

void OpenLflugBasis(std::int16_t base) {
    BeginBasisScreen(base, kLflugPathTemplate, kLflugMode);
    BasisScreen.vehicle = -1;
    ResetViewScroll();
    g_open = true;
    LoadFahrzeugTyp(kTypF111);
    LoadLflugAuswahl();
    if (FatalErrorRaised()) return;
    GameMode = kLflugMode;
    DrawLflugBasisScreen();
    FadePaletteIn(Palette);
}

void FreeLflugBasisScreen() {
    if (!g_open) return;
    g_open = false;
    FreeAnimation();
    if (g_zielFrame != nullptr) LeaveZielWahl();
    FreePicture(g_aircraft);
    FreePicture(g_view);
    FreePicture(g_mask);
    BasisScreen.infoText.clear();
    BasisScreen.pathTemplate.clear();
}

void CloseLflugBasis(std::int16_t aircraft) {
    FreeLflugBasisScreen();
    if (Fahrzeug* v = aircraft > -1 ? UsedFahrzeugAt(aircraft) : nullptr) {
        v->x = RoadEntry.x;
        v->y = RoadEntry.y;
        v->height = 0;
        PlaceFahrzeugOnKarte(aircraft, BasisScreen.base);
        Money = static_cast<std::int32_t>(Money - FlightPrice());
        LflugCooldown = kLflugRestTicks;
    }
    BasisScreen.vehicle = -1;
    ResetViewScroll();
    OpenKarte();
}

void RunLflugBasisFrame() {
    UpdateLflugBasis(1);
    if (GameMode != kLflugMode || FatalErrorRaised()) return;
    SetLflugCursor();
    DrawLflugBasisScreen();
    if (BasisButtonFires(kBasisButtonMap)) {
        LeaveLflugBasis();
        return;
    }
    if (BasisButtonFires(kBasisButtonOptions)) OpenOptionsScreen();
}

void OnLflugLButtonDown(int x, int y) {
    switch (BasisScreen.view) {
        case kViewAuswahl:
            if (!InRect(kLflugAircraftRect, x, y)) break;
            if (FlightPrice() > Money) {
                SetMessageLine("Zu wenig Geld!", 60);
            } else {
                BasisScreen.previewMoney = static_cast<std::int32_t>(Money - FlightPrice());
                OpenZielWahl();
            }
            return;
        case kViewZielWahl:
            if (CursorId == kCursorPointer) {
                SetMessageLine(W("Kein gültiges Ziel!"), 60);
                break;
            }
            // Without a vehicle slot for the aircraft there is no take-off to go to.
            if (FindFreeFahrzeug() < 0) break;
            ClearMessageLine();
            LflugDropX = static_cast<std::int16_t>(2 * MouseX + ViewOrigin.x - kLiveMouseDX);
            LflugDropY = static_cast<std::int16_t>(2 * MouseY + ViewOrigin.y - kLiveMouseDY);
            LeaveZielWahl();
            LoadLflugStart();
            return;
        case kViewStart:
            CloseLflugBasis(BasisScreen.vehicle);
            return;
        default:
            return;
    }
    const int button = BasisButtonAt(x, y);
    if (button == static_cast<int>(kBasisButtonMap) ||
        (button == static_cast<int>(kBasisButtonOptions) && BasisScreen.view == kViewAuswahl))
        PressBasisButton(static_cast<std::size_t>(button));
}

void OnLflugRButtonDown() {
    LeaveLflugBasis();
}

void OnLflugKeyDown(std::uint32_t key) {
    if (key == VK_ESCAPE) LeaveLflugBasis();
    if (key == VK_SPACE && BasisScreen.view != kViewZielWahl) EnterPause();
}

void OnLflugMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void UpdateLflugBasis(std::uint8_t draw) {
    const bool live = draw != 0 && BasisScreen.view == kViewZielWahl;
    if (draw != 0 && (BasisScreen.view == kViewZielWahl || BasisScreen.view == kViewStart))
        CyclePaletteColours();
    else
        SteadyBlueLights();
    if (live) {
        ScrollZielWahl();
        RunGameTicks(1);
    } else {
        RunBasisWorld(BeforeStartPersons::None, kLflugMode);
    }
    // The ticks may have ended the mission or the game.
    if (FatalErrorRaised() || (GameMode != kLflugMode && GameMode != kOptionsMode)) return;
    if (BasisScreen.view != kViewStart) return;
    for (int step = 0; step < GameSpeed; ++step) {
        if (!StepTakeOff()) continue;
        CloseLflugBasis(BasisScreen.vehicle);
        return;
    }
}

void DrawLflugPanel() {
    DrawBasisPanel();
    if (BasisScreen.view != kViewZielWahl && BasisScreen.view != kViewStart) return;
    const FahrzeugTyp* typ = FahrzeugTypAt(kTypF111);
    const VffImage* icon = typ != nullptr ? SetFrame(MaskPicsImages, typ->panelPicture) : nullptr;
    if (icon != nullptr)
        BlitTransparentClippedFull(icon->pixels, kIconX, kIconY, icon->width, icon->height,
                                   DrawTarget, DrawPitch);
    TintRect50(kBarX, kBarY, kBarW, kBarH, kBarColour, DrawTarget, DrawPitch);
}

void DrawLflugBasisView() {
    StepBasisViewAnimation(g_view, 0, 0);
    switch (BasisScreen.view) {
        case kViewAuswahl:
            DrawPictureAtCorner(g_view);
            DrawAuswahlInfo();
            break;
        case kViewZielWahl:
            DrawLiveView();
            DrawPictureAtCorner(g_view);
            break;
        case kViewStart: {
            DrawPictureAtCorner(g_view);
            const Fahrzeug* v = UsedFahrzeugAt(BasisScreen.vehicle);
            if (v != nullptr)
                DrawInWorldView(SetFrame(g_aircraft, LflugFrameToggle), static_cast<int>(v->x),
                                static_cast<int>(v->y));
            DrawInWorldView(SetFrame(g_mask, 0), kMaskX, kMaskY);
            break;
        }
        default:
            break;
    }
}

void DrawLflugBasisScreen() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawLflugPanel();
    DrawLflugBasisView();
    DrawMessageBox();
    DrawTarget = nullptr;
    ShowBasisFrame(BasisScreen.view == kViewAuswahl ? &kInfoText : nullptr);
}

void LoadLflugAuswahl() {
    FreePicture(g_view);
    g_view = LoadBasisPicture("auswahl.vff", "file not found: BASISAUSWAHLANSICHT");
    if (g_view == nullptr) return;
    LoadAnimation(BasisFile("radar.aff"), true);
    BasisScreen.view = kViewAuswahl;
}

void OpenZielWahl() {
    FreePicture(g_zielFrame);
    g_zielFrame = LoadVff(kZielWahlPicture);
    if (g_zielFrame == nullptr) {
        FatalError("file not found: BASISZIELWAHL");
        return;
    }
    ClipCursor(&kZielWahlClip);
    SetCursorPos(400, 300);
    MouseX = 400;
    MouseY = 300;
    // The one way into the world before the map has handed over to the mission.
    WorldStarted = 1;
    BasisScreen.view = kViewZielWahl;
}

void LoadLflugStart() {
    FreePicture(g_view);
    FreePicture(g_mask);
    FreePicture(g_aircraft);
    g_view = LoadBasisPicture("start.vff", "file not found: BASISSTARTANSICHT");
    if (g_view == nullptr) return;
    g_mask = LoadBasisPicture("maske.vff", "file not found: BASISAUSSENMASKE");
    if (g_mask == nullptr) return;
    g_aircraft = LoadBasisPicture("flugzeug.vff", "file not found: BASISFLUGZEUGPIC");
    if (g_aircraft == nullptr) return;
    LflugFrameToggle = 0;
    BasisScreen.vehicle = CreateLflugFahrzeug();
    BasisScreen.view = kViewStart;
}

std::int16_t CreateLflugFahrzeug() {
    const std::int16_t index = CreateFahrzeug(kTypF111, 0, 0, kAircraftFacing);
    if (index < 0) return -1;
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(index)];
    v.x = kLflugStartX;
    v.y = kLflugStartY;
    v.height = 0;
    v.targetable = 0;
    SetupFahrzeug(index, kOwnerBought);
    // In the base until it arrives from its map road: the world neither draws nor meets it.
    v.storey = -5;
    return index;
}

void SetLflugCursor() {
    CursorId = kCursorPointer;
    if (BasisScreen.view == kViewAuswahl) {
        if (InRect(kLflugAircraftRect, MouseX, MouseY) && FlightPrice() <= Money)
            CursorId = kCursorSelect;
        return;
    }
    if (BasisScreen.view != kViewZielWahl) return;
    const std::uint16_t edge = ScrollEdgeCursor(kZielWahlClip.left, kZielWahlClip.right - 1,
                                                kZielWahlClip.top, kZielWahlClip.bottom - 1);
    if (edge != kCursorPointer) {
        CursorId = edge;
        return;
    }
    const bool house = HoverKind == kHoverHouseLower || HoverKind == kHoverHouseMiddle ||
                       HoverKind == kHoverHouseUpper;
    CursorId = house ? kCursorPointer : kCursorMove;
}

void ScrollZielWahl() {
    StepScrollAxis(MouseX == kZielWahlClip.left, MouseX == kZielWahlClip.right - 1,
                   ScrollVelocity.x, ScrollDirection.x);
    StepScrollAxis(MouseY == kZielWahlClip.top, MouseY == kZielWahlClip.bottom - 1,
                   ScrollVelocity.y, ScrollDirection.y);
    ViewOrigin = LimitToView(ViewOrigin.x + ScrollVelocity.x * ScrollDirection.x,
                             ViewOrigin.y + ScrollVelocity.y * ScrollDirection.y);
}

}  // namespace kv
