// Drawing the station screen: the panel with the money and the buttons, the view with its vehicles
// and staff (picked by the hover probe), the info box, the cursor.

#include <algorithm>
#include <optional>
#include <span>

#include "core/campaign.h"
#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "gfx/bitmap_text.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "gfx/primitives.h"
#include "gfx/screen_animation.h"
#include "mission/panel_pictures.h"
#include "mission/panels/commands.h"
#include "mission/panels/control_panel.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/hover_probe.h"
#include "mission/view/message_box.h"
#include "movement/befehl.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/text.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/basis_twins.h"
#include "screens/basis_views.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

constexpr int kViewOrigin = 10;  // the view picture's pixel that stands at (10, 10)
constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;

// The panel: backgrounds, money, the chosen vehicle's picture with its bar, the buttons.
constexpr int kIconX = 32;
constexpr int kIconY = 493;
constexpr int kBarX = 34;
constexpr int kBarY = 495;
constexpr int kBarWidth = 124;
constexpr int kBarHeight = 9;
constexpr std::uint8_t kBarTint = 203;
struct PanelButton {
    int coverX, coverY, raisedX, raisedY, labelX, labelY;
};
constexpr std::array<PanelButton, 3> kPanelButtons = {{
    {355, 505, 354, 561, 363, 514},
    {467, 505, 467, 563, 475, 514},
    {580, 505, 665, 563, 590, 514},
}};

// The leaving vehicle shows its driving pictures towards the viewer.
constexpr int kLeavingFacing = 7;
constexpr int kLeavingAnim = 1;
// The door animations: twelve frames going down, then twelve arriving.
constexpr int kDoorFrames = 12;
constexpr std::uint8_t kHoverCursor = 18;

// The info box beside a vehicle place (a person's stands beside the person).
constexpr int kPlaceBoxDX = 50;
constexpr int kPlaceBoxDY = -60;
constexpr int kPlaceBoxWidth = 160;
constexpr int kPlaceBoxHeight = 120;
constexpr int kPlaceTextInset = 10;
constexpr int kPlaceTextWidth = 150;
constexpr int kPlaceTextHeight = 110;

template <class Frame>
const Frame* NthFrame(const Frame* set, int n) {
    return n >= 0 && static_cast<std::size_t>(n) < FrameCount(set) ? &set[n] : nullptr;
}

void DrawOpaque(const VffImage* frame, int x, int y) {
    if (frame != nullptr && frame->pixels != nullptr)
        BlitToBackBufferClippedTo(kScreenRect, frame->pixels, x, y, frame->width, frame->height);
}

template <class Frame>
void DrawSprite(const Frame* frame, int x, int y, const ClipRect& clip = kWorldView) {
    if (frame != nullptr && frame->pixels != nullptr)
        BlitTransparentClippedTo(clip, frame->pixels, x, y, frame->width, frame->height, DrawTarget,
                                 DrawPitch);
}

void TintClipped(int x, int y, int w, int h, std::uint8_t colour, const ClipRect& clip) {
    const int left = std::max(x, clip.left);
    const int top = std::max(y, clip.top);
    const int right = std::min(x + w - 1, clip.right);
    const int bottom = std::min(y + h - 1, clip.bottom);
    if (left <= right && top <= bottom)
        TintRect50(left, top, right - left + 1, bottom - top + 1, colour, DrawTarget, DrawPitch);
}

const BasisPlace* PlaceAt(int index) {
    const Basis* base = OpenBasisRecord();
    if (base == nullptr || index < 0 || index >= base->placeCount) return nullptr;
    return &base->places[static_cast<std::size_t>(index)];
}

const BasisPlace* ChosenPlace() {
    return PlaceAt(BasisScreen.chosenPlace);
}

bool PlaceOffered(const BasisPlace& place) {
    if (MissionNummer < 1 || MissionNummer > kMissionCount || place.type < 0 ||
        place.type >= kPlayerFahrzeugTypCount)
        return false;
    return FahrzeugAvailability[static_cast<std::size_t>(place.type)]
                               [static_cast<std::size_t>(MissionNummer - 1)] != 0;
}

// Whether the person may go into the chosen vehicle.
bool MayBoardChosen(const Person& p) {
    const BasisPlace* chosen = ChosenPlace();
    if (chosen == nullptr || chosen->type < 0 || chosen->type >= kMayBoardCount) return false;
    return PersonTypOf(p).mayBoard[static_cast<std::size_t>(chosen->type)] != 0;
}

// The order counter of a figure on the stairs; none when its head order is not the stairs'.
std::optional<std::int32_t> StairsCounter(const Person& p) {
    if (p.storey != kStoreyStairs || p.orders == nullptr || p.orders->opcode != kOpEnterBasis)
        return std::nullopt;
    return static_cast<std::int32_t>(p.orders->d);
}

void DrawDoorFrame(const FrameSet* set, int frame) {
    const FrameSet* f = SetFrame(set, frame);
    if (f != nullptr) DrawSprite(f, f->dx + kViewOrigin, f->dy + kViewOrigin);
}

// The staff of one view, far to near, each probed.
void DrawStaff(std::int8_t storey, bool arriving) {
    for (const BasisStaffEntry& entry : BasisStaffList) {
        const Person* p = UsedPersonAt(entry.person);
        if (p == nullptr) continue;
        if (p->storey == storey) {
            DrawSprite(PersonPicture(*p).image, p->drawX, p->drawY);
        } else if (const auto counter = StairsCounter(*p);
                   counter && p->type >= 0 && static_cast<std::size_t>(p->type) < kBasisDoorTypes) {
            const BasisDoorAnimations& door = BasisDoorAnis[static_cast<std::size_t>(p->type)];
            const int frame = *counter / 2;
            if (!arriving && frame < kDoorFrames) DrawDoorFrame(door.goingDown, frame);
            if (arriving && frame >= kDoorFrames) DrawDoorFrame(door.arriving, frame - kDoorFrames);
        } else {
            continue;
        }
        CheckHoverPixel(kHoverPerson, entry.person, 0, 0, 0);
    }
}

void DrawHall() {
    const Basis* base = OpenBasisRecord();
    if (base == nullptr) return;
    BasisBody chosen;
    for (int i = 0; i < base->placeCount; ++i) {
        const BasisPlace& place = base->places[static_cast<std::size_t>(i)];
        if (!PlaceOffered(place)) continue;
        const BasisBody body =
            DrawBasisFahrzeugTyp(place.type, place.facing, 0, 0, place.x, place.y);
        if (i == BasisScreen.chosenPlace) chosen = body;
        CheckHoverPixel(kHoverFahrzeug, static_cast<std::uint16_t>(i), 0, 0, 0);
    }
    DrawStaff(kStoreyHall, true);
    RestoreHoverPixel();
    if (chosen.image != nullptr)
        DrawChosenOutline(chosen.left, chosen.top, chosen.image->width, chosen.image->height);
}

void DrawLeavingFahrzeug() {
    const Fahrzeug* v = UsedFahrzeugAt(BasisScreen.vehicle);
    if (v != nullptr)
        DrawBasisFahrzeugTyp(v->type, kLeavingFacing, kLeavingAnim, v->frame, TruncInt(v->x),
                             TruncInt(v->y));
    const Basis* base = OpenBasisRecord();
    if (base != nullptr) DrawSprite(NthFrame(BasisMaskImage, 0), base->maskX, base->maskY);
}

void UpdateInfoBox() {
    std::int16_t index = -1;
    std::uint8_t kind = kInfoNone;
    std::int16_t type = -1;
    if (HoverKind == kHoverFahrzeug) {
        if (const BasisPlace* place = PlaceAt(HoverIds[0])) {
            index = static_cast<std::int16_t>(HoverIds[0]);
            kind = kInfoPlace;
            type = place->type;
        }
    } else if (HoverKind == kHoverPerson) {
        const Person* p = UsedPersonAt(HoverIds[0]);
        if (p != nullptr && MayBoardChosen(*p) && !IsPersonAssigned(HoverIds[0])) {
            index = static_cast<std::int16_t>(HoverIds[0]);
            kind = kInfoPerson;
            type = p->type;
        }
    }
    ChooseBasisInfo(index, kind, type);
}

// The rectangle a place's info text is written into; none while no place's text is shown.
std::optional<Rect> PlaceTextRect() {
    if (BasisScreen.infoText.empty() || BasisScreen.infoKind != kInfoPlace) return std::nullopt;
    const BasisPlace* place = PlaceAt(BasisScreen.infoIndex);
    if (place == nullptr) return std::nullopt;
    const int left = place->x + kPlaceBoxDX + kPlaceTextInset;
    const int top = place->y + kPlaceBoxDY + kPlaceTextInset;
    return Rect{left, top, left + kPlaceTextWidth, top + kPlaceTextHeight};
}

void DarkenBasisInfoBox() {
    if (BasisScreen.infoText.empty()) return;
    if (const auto text = PlaceTextRect())
        DarkenInfoBox(text->left - kPlaceTextInset, text->top - kPlaceTextInset, kPlaceBoxWidth,
                      kPlaceBoxHeight);
    else if (BasisScreen.infoKind == kInfoPerson && UsedPersonAt(BasisScreen.infoIndex) != nullptr)
        DarkenPersonInfoBox(BasisScreen.infoIndex);
}

void DrawPanelButtons() {
    for (std::size_t k = 0; k < kPanelButtons.size(); ++k) {
        const PanelButton& b = kPanelButtons[k];
        const auto frame = static_cast<int>(k);
        const std::uint16_t label = BasisScreen.labels[k];
        if (label == kButtonDisabled) {
            DrawSprite(NthFrame(AbdeckImages, frame), b.coverX, b.coverY, kScreenRect);
            continue;
        }
        if (k >= BasisScreen.buttons.size() || BasisScreen.buttons[k].pressed == 0)
            DrawOpaque(NthFrame(ButsImages, frame), b.raisedX, b.raisedY);
        if (AnzFontLittleImages != nullptr)
            DrawText(b.labelX, b.labelY, GetCommandLabel(label, BasisScreen.gameMode),
                     AnzFontLittleImages);
    }
}

}  // namespace

void DrawBasisPanel() {
    BasisScreen.labels.fill(kButtonDisabled);
    if (DrawTarget == nullptr) return;
    DrawPanelBackgrounds();
    DrawPanelMoney(BasisScreen.previewMoney);
    DrawPanelMoneyLabel();
    if (const BasisPlace* chosen = ChosenPlace()) {
        const FahrzeugTyp* typ = FahrzeugTypAt(chosen->type);
        if (BasisScreen.view == kBasisViewOben) {
            BasisScreen.labels[0] = kBasisLabelStart;
            BasisScreen.labels[1] = kBasisLabelVehicles;
        } else if (BasisScreen.view == kBasisViewUnten) {
            BasisScreen.labels[0] = kBasisLabelStart;
            if (typ != nullptr && typ->seats > 0) BasisScreen.labels[1] = kBasisLabelStaff;
        }
        if (typ != nullptr) DrawOpaque(NthFrame(MaskPicsImages, typ->panelPicture), kIconX, kIconY);
        TintClipped(kBarX, kBarY, kBarWidth, kBarHeight, kBarTint, kScreenRect);
    }
    DrawPanelButtons();
    if (BasisScreen.buttons[2].pressed != 0)
        DrawOpaque(NthFrame(MapButDownImages, 0), kMapButtonPlace.x, kMapButtonPlace.y);
    if (BasisScreen.buttons[3].pressed != 0)
        DrawOpaque(NthFrame(OptionsButDownImages, 0), kOptionsButtonDownPlace.x,
                   kOptionsButtonDownPlace.y);
}

void DrawBasisView() {
    if (DrawTarget == nullptr) return;
    if (BasisScreen.view == kBasisViewAussen) StepBasisViewAnimation(BasisViewImage, 0, 0);
    DrawBasisViewPicture(BasisViewImage);
    switch (BasisScreen.view) {
        case kBasisViewOben:
            ResetHoverProbe();
            DrawStaff(kStoreyStaffRoom, false);
            RestoreHoverPixel();
            break;
        case kBasisViewUnten:
            ResetHoverProbe();
            DrawHall();
            break;
        case kBasisViewAussen:
            if (!AnimationActive()) LoadBasisMaske();
            break;
        case kBasisViewAusfahrt: {
            DrawLeavingFahrzeug();
            const Basis* base = OpenBasisRecord();
            if (base != nullptr && base->type == kBasisMedium)
                StepBasisViewAnimation(BasisViewImage, kViewOrigin, kViewOrigin);
            break;
        }
        default:
            break;
    }
    if (BasisScreen.firstFrame != 0) return;
    UpdateInfoBox();
    DarkenBasisInfoBox();
}

void DrawBasisScreen() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawBasisPanel();
    DrawBasisView();
    DrawTarget = nullptr;
    DrawMessageBox();
    const auto placeText = PlaceTextRect();
    ShowBasisFrame(placeText ? &*placeText : nullptr);
}

void SetBasisCursor() {
    CursorId = 0;
    if (MouseX >= kViewWidth || MouseY >= kViewHeight) return;
    if (HoverKind == kHoverFahrzeug) {
        CursorId = kHoverCursor;
        return;
    }
    const Person* p = HoverKind == kHoverPerson ? UsedPersonAt(HoverIds[0]) : nullptr;
    if (p != nullptr && p->orders == nullptr && MayBoardChosen(*p)) CursorId = kHoverCursor;
}

}  // namespace kv
