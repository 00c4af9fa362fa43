#include "screens/basis_twins.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "gfx/primitives.h"
#include "gfx/screen_animation.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/message_box.h"
#include "movement/searching_movers.h"
#include "persons/person.h"
#include "persons/person_befehle.h"
#include "persons/personen.h"
#include "platform/text.h"
#include "screens/basis_screen.h"
#include "screens/basis_views.h"
#include "screens/karte_wege.h"
#include "screens/screen_blits.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

constexpr std::int16_t kFireFrame = 3;  // a button fires on the third frame after its press
constexpr std::size_t kSteadyBlueLight = 3;
constexpr std::uint8_t kDarken = 0;
constexpr ColorRef kInfoTextColour = Rgb(255, 255, 255);

// START, the second button, the map, the options: x from, to (exclusive), y likewise.
struct ButtonRect {
    int x0, x1, y0, y1;
};
constexpr std::array<ButtonRect, 4> kButtonRects = {{
    {352, 456, 502, 579},
    {465, 567, 502, 579},
    {662, 770, 155, 189},
    {662, 770, 353, 412},
}};

// A person's info box: right of the figure, or left of it near the right edge.
constexpr int kPersonBoxRightOf = 10;
constexpr int kPersonBoxLeftOf = 160;
constexpr int kPersonBoxFlipX = 490;
constexpr int kPersonBoxAbove = 35;
constexpr int kPersonBoxTopMin = 20;
constexpr int kPersonBoxTopMax = 400;
constexpr int kPersonBoxW = 150;
constexpr int kPersonBoxH = 70;
constexpr int kPersonTextInset = 10;
constexpr int kPersonTextW = 140;
constexpr int kPersonTextH = 60;

// The part of a rectangle inside the world view; false when none of it is.
bool ClipToWorldView(int& x, int& y, int& w, int& h, int& skipX, int& skipY) {
    const int left = std::max(x, kWorldView.left);
    const int top = std::max(y, kWorldView.top);
    const int right = std::min(x + w - 1, kWorldView.right);
    const int bottom = std::min(y + h - 1, kWorldView.bottom);
    if (w <= 0 || h <= 0 || left > right || top > bottom) return false;
    skipX = left - x;
    skipY = top - y;
    x = left;
    y = top;
    w = right - left + 1;
    h = bottom - top + 1;
    return true;
}

void AdvanceFrame(UnitHead& unit, const AnimSlot& slot) {
    if (slot.frames <= 1) return;
    if (++unit.frameTimer < static_cast<std::int32_t>(slot.delay)) return;
    unit.frameTimer = 0;
    if (++unit.frame >= slot.frames) unit.frame = 0;
}

}  // namespace

VffImage* LoadBasisPicture(std::string_view file, const char* message) {
    VffImage* picture = LoadVff(BasisFile(file));
    if (picture == nullptr) FatalError(message);
    return picture;
}

int BasisButtonAt(int x, int y) {
    for (std::size_t i = 0; i < kButtonRects.size(); ++i) {
        const ButtonRect& r = kButtonRects[i];
        if (x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1) return static_cast<int>(i);
    }
    return -1;
}

bool BasisButtonFires(std::size_t button) {
    BasisButton& b = BasisScreen.buttons[button];
    if (b.pressed == 0) return false;
    if (++b.frames < kFireFrame) return false;
    b.pressed = 0;
    return true;
}

void PressBasisButton(std::size_t button) {
    BasisScreen.buttons[button].pressed = 1;
    BasisScreen.buttons[button].frames = 0;
}

void SteadyBlueLights() {
    const BlueLightColour& c = kBlueLightCycle[kSteadyBlueLight];
    SetPaletteEntry(kBlueLightFirstEntry, c.r, c.g, c.b);
    SetPaletteEntry(kBlueLightSecondEntry, c.r, c.g, c.b);
}

void RunBasisWorld(BeforeStartPersons persons, std::uint32_t baseMode) {
    if (WorldStarted != 0) {
        if (GameMode == baseMode) RunGameTicks(0);
        return;
    }
    for (int step = 0; step < GameSpeed; ++step) {
        BeginSearcherTick();
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Fahrzeuge.size()); ++i) {
            if (UsedFahrzeugAt(i) == nullptr) continue;
            if (Fahrzeuge[static_cast<std::size_t>(i)].KarteWeg != -1) MoveFahrzeugOnKarte(i);
            // Arriving may have taken the vehicle out of play.
            Fahrzeug* v = UsedFahrzeugAt(i);
            if (v != nullptr) AdvanceFrame(*v, FahrzeugAnim(*v));
        }
        if (persons == BeforeStartPersons::None) continue;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i) {
            Person* p = UsedPersonAt(i);
            if (p == nullptr) continue;
            if (p->animate != 0) AdvanceFrame(*p, PersonAnimSlot(p->type, p->direction, p->anim));
            if (persons == BeforeStartPersons::All || p->offMap == 0) ExecutePersonBefehl(i);
        }
    }
}

void StepBasisViewAnimation(VffImage* picture, int x, int y) {
    if (picture == nullptr || picture->pixels == nullptr) return;
    const std::size_t size = std::size_t{picture->width} * picture->height;
    StepAnimation(x, y, std::span(picture->pixels, size), picture->width, GameSpeed);
}

void DrawBasisViewPicture(const VffImage* picture) {
    const VffImage* frame = SetFrame(picture, 0);
    if (frame == nullptr) return;
    // The picture's pixel (10, 10) lands on the view's corner.
    BlitToBackBufferClippedTo(kWorldView, frame->pixels, 0, 0, frame->width, frame->height);
}

void DrawInWorldView(const VffImage* image, int x, int y) {
    if (image == nullptr || image->pixels == nullptr) return;
    BlitTransparentClipped(image->pixels, x, y, image->width, image->height, DrawTarget, DrawPitch);
}

void BlendInWorldView(const FrameSet& frame, int x, int y) {
    int w = frame.width;
    int h = frame.height;
    int skipX = 0;
    int skipY = 0;
    if (frame.pixels == nullptr || !ClipToWorldView(x, y, w, h, skipX, skipY)) return;
    BlitBlend50(frame.pixels + static_cast<std::ptrdiff_t>(skipY) * frame.width + skipX,
                frame.width, x, y, w, h, DrawTarget, DrawPitch);
}

BasisBody DrawBasisFahrzeugTyp(std::int16_t type, int facing, int anim, int frame, int x, int y) {
    const AnimSlot& slot = FahrzeugAnimSlot(type, facing, anim);
    const int shown = slot.frames > 0 ? frame % slot.frames : 0;
    const BasisBody body{UnitFrameImage(slot, shown), x - slot.hotX, y - slot.hotY};
    DrawInWorldView(body.image, body.left, body.top);
    const FahrzeugTyp* typ = FahrzeugTypAt(type);
    if (typ != nullptr && typ->kanone != nullptr && facing >= 0 && facing < kDirectionCount) {
        const auto f = static_cast<std::size_t>(facing);
        const KanoneRichtung& dir = typ->kanone->dirs[f];
        const KanonePunkt& mount = typ->kanone->mount[f];
        DrawInWorldView(SetFrame(dir.images, 0), x + mount.x - dir.anchorX,
                        y + mount.y - dir.anchorY);
    }
    return body;
}

void DrawChosenOutline(int x, int y, int w, int h) {
    DrawRectClipped(x - 1, y - 1, w + 2, h + 2, kSelectionColour);
    DrawRectClipped(x - 2, y - 2, w + 4, h + 4, kSelectionColour);
}

Rect PersonInfoRect(std::int16_t person) {
    const Person* p = PersonAt(person);
    if (p == nullptr) return {};
    const int px = static_cast<int>(p->x);
    const int left = px > kPersonBoxFlipX ? px - kPersonBoxLeftOf : px + kPersonBoxRightOf;
    const int top =
        std::clamp(static_cast<int>(p->y) - kPersonBoxAbove, kPersonBoxTopMin, kPersonBoxTopMax);
    return {left, top, left + kPersonBoxW, top + kPersonBoxH};
}

void DarkenPersonInfoBox(std::int16_t person) {
    const Rect r = PersonInfoRect(person);
    DarkenInfoBox(r.left, r.top, kPersonBoxW, kPersonBoxH);
}

void DarkenInfoBox(int x, int y, int w, int h) {
    int skipX = 0;
    int skipY = 0;
    if (ClipToWorldView(x, y, w, h, skipX, skipY))
        TintRect50(x, y, w, h, kDarken, DrawTarget, DrawPitch);
}

void ShowBasisFrame(const Rect* placeText) {
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    DrawScreenCursor();
    UnlockFrame();
    std::optional<Rect> text;
    if (BasisScreen.infoKind == kInfoPerson) {
        if (UsedPersonAt(BasisScreen.infoIndex) != nullptr) {
            const Rect box = PersonInfoRect(BasisScreen.infoIndex);
            text = Rect{box.left + kPersonTextInset, box.top + kPersonTextInset,
                        box.left + kPersonTextInset + kPersonTextW,
                        box.top + kPersonTextInset + kPersonTextH};
        }
    } else if (placeText != nullptr) {
        text = *placeText;
    }
    if (text && !BasisScreen.infoText.empty() && BasisScreen.infoIndex >= 0) {
        DisplayDC dc(SurfaceId::Back);
        if (dc) {
            dc->setBkMode(TRANSPARENT);
            dc->selectFont(FontSmall);
            dc->setTextColor(kInfoTextColour);
            dc->drawText(BasisScreen.infoText, *text, DT_WORDBREAK);
        }
    }
    DrawMessageLine();
    FlipFrame();
    BasisScreen.firstFrame = 0;
}

}  // namespace kv
