#include "screens/karte.h"

#include <algorithm>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "gfx/blend_tables.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "mission/campaign_tables.h"
#include "mission/mission_start.h"
#include "mission/mission_steps.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/scroll_view.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/text.h"
#include "screens/basis.h"
#include "screens/heli_basis.h"
#include "screens/karte_wege.h"
#include "screens/lflug_basis.h"
#include "screens/schiff_basis.h"
#include "screens/screen_blits.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::uint8_t BriefingState = kBriefingClosed;
std::uint8_t BriefingOpenStep = 0;
std::int16_t BriefingTypedChars = 0;
std::string BriefingText;
std::uint8_t KarteBlinkCounter = 0;
std::uint8_t KarteMarkerFrame = kKarteMarkerShownFrame;

VffImage* KarteImages = nullptr;
VffImage* KartePointImages = nullptr;
VffImage* BasisMarkeImages = nullptr;
VffImage* MapCamImages = nullptr;
VffImage* MapInfoImages = nullptr;
VffImage* BasisInfoImages = nullptr;
VffImage* BasisInfoGreyImages = nullptr;
VffImage* MapCarSchilderImages = nullptr;

namespace {

constexpr std::uint32_t kGameModeMission = 2;
constexpr std::uint32_t kGameModeKarte = 10;

// The box grows in 20 steps, 3 a frame; then 8 characters are typed a frame.
constexpr int kBriefingSteps = 20;
constexpr int kOpenStepsPerFrame = 3;
constexpr int kTypedPerFrame = 8;
constexpr int kBriefingInset = 10;
constexpr std::uint8_t kDarken = 0;
constexpr ColorRef kBriefingTextColour = Rgb(255, 255, 255);

constexpr std::uint8_t kBlinkLast = 10;
constexpr std::uint8_t kLabelShownUpTo = 6;
constexpr int kLabelGap = 5;

// The base's name stands right of its mark.
constexpr int kBasisNameX = 25;
constexpr std::size_t kMarkEnterable = 0;
constexpr std::size_t kMarkGrey = 1;
constexpr int kLflugBase = 4;
constexpr int kHeliBase = 3;

// The camera box takes clicks 10 pixels around its picture.
constexpr int kMapCamMargin = 10;

constexpr std::uint8_t kVehicleDotColour = 253;
constexpr int kVehicleDotSize = 2;
constexpr int kSignDX = 10;
constexpr int kSignDY = 12;

// Frame i of a set; none past its end, so a short set draws nothing there.
const VffImage* FrameOf(const VffImage* set, std::size_t i) {
    return i < FrameCount(set) ? &set[i] : nullptr;
}
int WidthOf(const VffImage* frame) {
    return frame != nullptr ? frame->width : 0;
}
int HeightOf(const VffImage* frame) {
    return frame != nullptr ? frame->height : 0;
}

struct ScreenBlock {
    int x, y, w, h;
};
// The part of a rectangle on the screen; none when nothing of it is.
bool ClipToScreen(int x, int y, int w, int h, ScreenBlock& out) {
    const int left = std::max(x, kScreenRect.left);
    const int top = std::max(y, kScreenRect.top);
    const int right = std::min(x + w - 1, kScreenRect.right);
    const int bottom = std::min(y + h - 1, kScreenRect.bottom);
    if (w <= 0 || h <= 0 || left > right || top > bottom) return false;
    out = {left, top, right - left + 1, bottom - top + 1};
    return true;
}

void DarkenOnScreen(int x, int y, int w, int h) {
    ScreenBlock b;
    if (ClipToScreen(x, y, w, h, b)) TintRect50(b.x, b.y, b.w, b.h, kDarken, DrawTarget, DrawPitch);
}

void FillOnScreen(int x, int y, int w, int h, std::uint8_t colour) {
    ScreenBlock b;
    if (ClipToScreen(x, y, w, h, b)) FillRect8(b.x, b.y, b.w, b.h, colour, DrawTarget, DrawPitch);
}

void FreeKartePictures() {
    for (const KartePictureFile& f : kKartePictureFiles) {
        FreeVff(*f.held);
        *f.held = nullptr;
    }
}

// False after the fatal error of the first picture that is missing.
bool LoadKartePictures() {
    for (const KartePictureFile& f : kKartePictureFiles) {
        FreeVff(*f.held);
        *f.held = LoadVff(f.path);
        if (*f.held == nullptr) {
            FatalError(f.message);
            return false;
        }
    }
    return true;
}

std::uint8_t Availability(int base) {
    if (MissionNummer < 1 || MissionNummer > kMissionCount) return kBasisAbsent;
    return BasisAvailability[static_cast<std::size_t>(MissionNummer - 1)]
                            [static_cast<std::size_t>(base)];
}

// Whether an offered base may be entered now: the airfield rests after a flight, and in mission
// 11's second part only the helicopters can still come.
bool BasisOpenNow(int base) {
    if (base == kLflugBase && LflugCooldown != 0) return false;
    return !(MissionNummer == 11 && PartTwo != 0 && base != kHeliBase);
}

bool BasisEnterable(int base) {
    return Availability(base) == kBasisOpen && BasisOpenNow(base);
}

// Whether the label shows this frame: always once the briefing was opened, else blinking.
bool MarkerLabelShown() {
    return BriefingUnread == 0 || KarteBlinkCounter <= kLabelShownUpTo;
}

void DrawMarker() {
    const VffImage* marker = FrameOf(KartePointImages, KarteMarkerFrame);
    DrawScreenPicture(marker, KarteMarker.x - WidthOf(marker) / 2,
                      KarteMarker.y - HeightOf(marker) / 2, true);
    if (!MarkerLabelShown()) return;
    const VffImage* label = FrameOf(MapInfoImages, 0);
    const int top =
        KarteMarker.y + WidthOf(FrameOf(KartePointImages, kKarteMarkerLabelFrame)) / 2 + kLabelGap;
    DrawScreenPicture(label, KarteMarker.x - WidthOf(label) / 2, top, true);
}

void DarkenBriefingBox() {
    const BriefingRect& box = BriefingBox;
    if (BriefingState == kBriefingOpening) {
        DarkenOnScreen(box.x, box.y, box.width / kBriefingSteps * BriefingOpenStep,
                       box.height / kBriefingSteps * BriefingOpenStep);
    } else if (BriefingState == kBriefingTyping || BriefingState == kBriefingComplete) {
        DarkenOnScreen(box.x, box.y, box.width, box.height);
    }
}

void DrawKarteFahrzeuge() {
    for (const Fahrzeug& v : Fahrzeuge) {
        if (v.type == -1 || v.KarteWeg == -1) continue;
        FillOnScreen(v.KarteX, v.KarteY, kVehicleDotSize, kVehicleDotSize, kVehicleDotColour);
        const VffImage* sign = FrameOf(MapCarSchilderImages, static_cast<std::size_t>(v.type));
        if (sign == nullptr) continue;
        BlitTransparentClippedFull(sign->pixels, v.KarteX - kSignDX, v.KarteY - kSignDY,
                                   sign->width, sign->height, DrawTarget, DrawPitch);
    }
}

// The typed part of the briefing, word-wrapped inside the box, on the back surface.
void DrawBriefingText() {
    if (BriefingState != kBriefingTyping && BriefingState != kBriefingComplete) return;
    DisplayDC dc(SurfaceId::Back);
    if (!dc) return;
    dc->setBkMode(TRANSPARENT);
    dc->selectFont(FontBold);
    dc->setTextColor(kBriefingTextColour);
    const BriefingRect& box = BriefingBox;
    Rect r{box.x + kBriefingInset, box.y + kBriefingInset, box.x + box.width - kBriefingInset,
           box.y + box.height - kBriefingInset};
    const std::size_t shown =
        BriefingState == kBriefingTyping
            ? std::min(BriefingText.size(),
                       static_cast<std::size_t>(std::max<int>(BriefingTypedChars, 0)))
            : BriefingText.size();
    dc->drawText(std::string_view(BriefingText).substr(0, shown), r, DT_WORDBREAK);
}

void WaitForFlip() {
    while (!DisplayFlipDone()) {
    }
}

void MoveKarteFahrzeuge() {
    for (int step = 0; step < GameSpeed; ++step)
        for (std::int16_t i = 0; i < FahrzeugCount; ++i) {
            const Fahrzeug* v = UsedFahrzeugAt(i);
            if (v != nullptr && v->KarteWeg != -1) MoveFahrzeugOnKarte(i);
        }
}

void StepBriefingBox() {
    if (BriefingState == kBriefingOpening) {
        const int step = BriefingOpenStep + kOpenStepsPerFrame;
        if (step >= kBriefingSteps) {
            BriefingOpenStep = kBriefingSteps;
            BriefingState = kBriefingTyping;
            BriefingTypedChars = 1;
        } else {
            BriefingOpenStep = static_cast<std::uint8_t>(step);
        }
    } else if (BriefingState == kBriefingTyping) {
        // Counted wide: the last step may pass the i16 the count is kept in.
        const int typed = BriefingTypedChars + kTypedPerFrame;
        const auto length = static_cast<int>(BriefingText.size());
        if (length <= typed) {
            BriefingTypedChars = static_cast<std::int16_t>(length);
            BriefingState = kBriefingComplete;
        } else {
            BriefingTypedChars = static_cast<std::int16_t>(typed);
        }
    }
}

// The base's own screen; a screen that does not open leaves the map to open again.
void EnterBasis(int base) {
    LeaveKarte(1);
    const auto index = static_cast<std::int16_t>(base);
    switch (Basen[static_cast<std::size_t>(base)].type) {
        case kBasisSmall:
        case kBasisMedium:
        case kBasisLarge:
            OpenBasis(index);
            break;
        case kBasisHeli:
            OpenHeliBasis(index);
            break;
        case kBasisLflug:
            OpenLflugBasis(index);
            break;
        case kBasisSchiff:
            OpenSchiffBasis(index);
            break;
        default:
            break;
    }
    if (GameMode == kGameModeKarte) OpenKarte();
}

bool InMarkerArea(int x, int y) {
    const int labelWidth = WidthOf(FrameOf(MapInfoImages, 0));
    const int labelHeight = HeightOf(FrameOf(MapInfoImages, 0));
    const int markerHeight = HeightOf(FrameOf(KartePointImages, kKarteMarkerLabelFrame));
    const int left = KarteMarker.x - labelWidth / 2;
    const int top = KarteMarker.y - markerHeight / 2;
    return x >= left && x < left + labelWidth && y >= top &&
           y < top + markerHeight + labelHeight + kLabelGap;
}

bool InMapCam(int x, int y) {
    const VffImage* cam = FrameOf(MapCamImages, 0);
    return x >= kMapCamX - kMapCamMargin && x < WidthOf(cam) + kMapCamX + kMapCamMargin &&
           y >= kMapCamY - kMapCamMargin && y < HeightOf(cam) + kMapCamY + kMapCamMargin;
}

void LeaveForPlay() {
    if (BriefingUnread == 0) LeaveKarte(0);
}

}  // namespace

void OpenKarte() {
    ClearMessageLine();
    ResetViewScroll();
    FadePaletteOut();
    if (!LoadKartePictures()) return;
    CursorId = 0;
    KarteMarkerFrame = kKarteMarkerShownFrame;
    KarteBlinkCounter = 0;
    BriefingState = kBriefingClosed;
    MissionViewFresh = 1;
    GamePalette palette{};
    ReadWholeFile(kKartePalPath, palette);
    LoadMapTransTable();
    if (FatalErrorRaised()) return;
    LoadBriefingText();
    DrawKarte();
    FadePaletteIn(palette);
    GameMode = kGameModeKarte;
}

void LeaveKarte(std::uint8_t toBase) {
    FadePaletteOut();
    if (!BeginFrame()) return;
    ClearRect8(DrawTarget, DrawPitch, kScreenWidth, kScreenHeight);
    EndFrame();
    WaitForFlip();
    FreeKartePictures();
    BriefingText.clear();
    LoadTransTable50();
    if (toBase != 0) return;
    // Only handing over to the mission starts the world: the bases run before it.
    WorldStarted = 1;
    MissionViewFresh = 1;
    if (MissionView.BuildDrawList != nullptr) MissionView.BuildDrawList();
    if (MissionView.DrawGameScreen != nullptr) MissionView.DrawGameScreen();
    GameMode = kGameModeMission;
    FadePaletteIn(Palette);
}

void RunKarteFrame() {
    if (WorldStarted == 1) {
        RunGameTicks(0);
        // The ticks may have ended the mission or the game.
        if (FatalErrorRaised() || GameMode != kGameModeKarte) return;
    } else {
        MoveKarteFahrzeuge();
    }
    StepBriefingBox();
    if (++KarteBlinkCounter > kBlinkLast) KarteBlinkCounter = 0;
    DrawKarte();
}

void OnKarteLButtonDown(int x, int y) {
    for (int i = 0; i < kBasisCount; ++i) {
        const Basis& b = Basen[static_cast<std::size_t>(i)];
        const VffImage* name = FrameOf(BasisInfoImages, static_cast<std::size_t>(i));
        if (x < b.x || x >= b.x + WidthOf(name) + kBasisNameX || y < b.y ||
            y >= b.y + HeightOf(name))
            continue;
        if (Availability(i) != kBasisOpen) continue;
        if (!BasisOpenNow(i)) return;
        EnterBasis(i);
        return;
    }
    if (BriefingState == kBriefingClosed && InMarkerArea(x, y)) {
        BriefingUnread = 0;
        BriefingState = kBriefingOpening;
        BriefingOpenStep = 0;
    }
    if (InMapCam(x, y)) LeaveForPlay();
}

void OnKarteRButtonDown() {
    LeaveForPlay();
}

void OnKarteKeyDown(std::uint32_t key) {
    if (key == VK_ESCAPE) LeaveForPlay();
}

void OnKarteMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void DrawKarteBasen() {
    for (int i = 0; i < kBasisCount; ++i) {
        if (Availability(i) == kBasisAbsent) continue;
        const Basis& b = Basen[static_cast<std::size_t>(i)];
        const bool enterable = BasisEnterable(i);
        DrawScreenPicture(FrameOf(BasisMarkeImages, enterable ? kMarkEnterable : kMarkGrey), b.x,
                          b.y, false);
        DrawScreenPicture(
            FrameOf(enterable ? BasisInfoImages : BasisInfoGreyImages, static_cast<std::size_t>(i)),
            b.x + kBasisNameX, b.y, true);
    }
}

void DrawKarte() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    // The picture leaves a border; the screen shown before (a station's panels) must not stay in
    // it.
    std::fill_n(WorkBuffer, kWorkBufferSize, std::uint8_t{0});
    DrawScreenPicture(FrameOf(KarteImages, 0), kKarteX, kKarteY, false);
    DrawMarker();
    if (BriefingUnread == 0) DrawScreenPicture(FrameOf(MapCamImages, 0), kMapCamX, kMapCamY, true);
    DrawKarteBasen();
    DarkenBriefingBox();
    DrawKarteFahrzeuge();
    DrawTarget = nullptr;

    if (!BeginFrame()) return;
    CopyWorkBuffer();
    DrawScreenCursor();
    UnlockFrame();
    DrawBriefingText();
    FlipFrame();
    MissionViewFresh = 0;
}

void LoadBriefingText() {
    BriefingText.clear();
    if (MissionNummer < 1 || MissionNummer > kMissionCount) return;
    const auto bytes =
        ReadFileBytes(std::string(kBriefingFolder) + MissionCodes[MissionNummer] + ".dat");
    if (!bytes) return;
    // The text ends at its first NUL, and is cut where the typed count could not reach.
    const std::size_t size = std::min(bytes->size(), kBriefingMaxChars);
    const auto end = std::find(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(size),
                               std::uint8_t{0});
    BriefingText.assign(bytes->begin(), end);
}

void ResetKarte() {
    FreeKartePictures();
    BriefingText.clear();
    BriefingText.shrink_to_fit();
    BriefingState = kBriefingClosed;
    BriefingOpenStep = 0;
    BriefingTypedChars = 0;
    KarteBlinkCounter = 0;
    KarteMarkerFrame = kKarteMarkerShownFrame;
    KarteStartPoints = {};
}

}  // namespace kv
