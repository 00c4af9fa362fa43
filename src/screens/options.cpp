#include "screens/options.h"

#include <algorithm>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "gfx/frame_buffer.h"
#include "media/cd_audio.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/mission_start.h"
#include "mission/panels/control_panel.h"
#include "mission/scroll_view.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/world_drawing.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/heli_basis.h"
#include "screens/hints.h"
#include "screens/lflug_basis.h"
#include "screens/mission_end.h"
#include "screens/save_screens.h"
#include "screens/schiff_basis.h"
#include "screens/screen_blits.h"
#include "screens/screen_picture.h"

namespace kv {

std::uint8_t ReturnGameMode = 0;
std::uint8_t OptionsQuestion = kNoQuestion;
std::uint8_t OptionsDragging = 0;
std::uint8_t OptionsDraggedSlider = 0;

namespace {

constexpr std::uint32_t kModeMission = 2;
constexpr std::uint32_t kModeMissionFailed = 4;
constexpr std::uint32_t kModeSave = 6;
constexpr std::uint32_t kModeLoad = 7;
constexpr std::uint32_t kModeBasis = 8;
constexpr std::uint32_t kModeOptions = 9;
constexpr std::uint32_t kModeLflugBasis = 13;
constexpr std::uint32_t kModeHeliBasis = 14;
constexpr std::uint32_t kModeSchiffBasis = 15;
constexpr std::uint32_t kModeHints = 19;
constexpr std::uint32_t kKeyEscape = 27;
constexpr std::uint8_t kGameSpeedSlider = 0;
constexpr std::uint8_t kScrollSpeedSlider = 1;

void Click() {
    PlaySoundFx(kSoundClickHigh, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
}
void ButtonSound() {
    PlaySoundFx(kSoundClickLow, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
}

std::uint8_t& SliderValue(std::uint8_t slider) {
    return slider == kGameSpeedSlider ? GameSpeed : ScrollSpeed;
}

// The knob's frame at the slider's present step; a value outside 1..3 shows its nearest step.
int KnobFrame(std::uint8_t slider) {
    const int step = std::clamp<int>(SliderValue(slider), 1, 3);
    return (slider == kGameSpeedSlider ? kGameSpeedFrame : kScrollSpeedFrame) + step - 1;
}

// Only the knob at its present step takes a press, within its drawn rectangle and a grip.
bool OnKnob(std::uint8_t slider, int x, int y) {
    const int frame = KnobFrame(slider);
    const VffImage* knob = SetFrame(ScreenPicture, frame);
    if (knob == nullptr) return false;
    const ScreenPoint at = kOptionsFramePos[static_cast<std::size_t>(frame)];
    return OptionsRect{at.x - kKnobGrip, at.y - kKnobGrip, at.x + knob->width - 1 + kKnobGrip,
                       at.y + knob->height - 1 + kKnobGrip}
        .contains(x, y);
}

void DrawFrameAtItsPlace(int frame, bool transparent) {
    const ScreenPoint at = kOptionsFramePos[static_cast<std::size_t>(frame)];
    DrawScreenFrame(ScreenPicture, frame, at.x, at.y, transparent);
}

// The mission stands still behind the options: its panels and world as they were.
void DrawMissionBehind() {
    DrawControlPanel();
    DrawWorld();
}

// A base keeps running behind the options, as on its own screen. An update that ends the screen
// (the bought vehicle gone from the view) leaves nothing of it to draw.
template <void (*Update)(), void (*DrawPanel)(), void (*DrawView)()>
void DrawBaseBehind() {
    const std::uint32_t mode = GameMode;
    Update();
    if (GameMode != mode || FatalErrorRaised()) return;
    DrawPanel();
    DrawView();
}

void UpdateLflugBehind() {
    UpdateLflugBasis(1);
}
void UpdateSchiffBehind() {
    UpdateSchiffBasis(1);
}

struct BehindRow {
    std::uint32_t mode;
    void (*draw)();
};
constexpr BehindRow kBehindRows[] = {
    {kModeMission, DrawMissionBehind},
    {kModeMissionFailed, DrawMissionBehind},
    {kModeBasis, DrawBaseBehind<UpdateBasis, DrawBasisPanel, DrawBasisView>},
    {kModeLflugBasis, DrawBaseBehind<UpdateLflugBehind, DrawLflugPanel, DrawLflugBasisView>},
    {kModeHeliBasis, DrawBaseBehind<UpdateHeliBasis, DrawBasisPanel, DrawHeliBasisView>},
    {kModeSchiffBasis, DrawBaseBehind<UpdateSchiffBehind, DrawBasisPanel, DrawSchiffBasisView>},
};

void StartDrag(std::uint8_t slider) {
    ButtonSound();
    OptionsDragging = 1;
    OptionsDraggedSlider = slider;
}

void ToggleSound() {
    if (SoundOn != 0) {
        // The click still sounds before the sound goes off.
        Click();
        SoundOn = 0;
        StopAllSounds();
    } else {
        SoundOn = 1;
        Click();
        RestartOwnerSounds();
    }
}

void ToggleMusic() {
    Click();
    if (CdMusicOn != 0) {
        CdMusicOn = 0;
        StopCdAudio(0);
    } else {
        CdMusicOn = 1;
        // Forced: the track is still the current one, only stopped.
        PlayCdTrack(CurrentCdTrack, 1);
    }
}

void AnswerYes() {
    const std::uint8_t question = OptionsQuestion;
    Click();
    CloseOptionsScreen();
    if (question == kQuestionQuit) {
        ShutdownMission(0);
        PostMessage(MainWindow, WM_CLOSE, 0, 0);
        return;
    }
    RestoreStartMoney();
    ShutdownMission(0);
    StartMission(kNewMission);
}

}  // namespace

std::uint8_t SpeedStepAt(int x) {
    if (x < kSpeedStep2X) return 1;
    return x < kSpeedStep3X ? 2 : 3;
}

OptionsHit OptionsHitAt(int x, int y) {
    if (OptionsQuestion != kNoQuestion) {
        if (kYesRect.contains(x, y)) return OptionsHit::Yes;
        if (kNoRect.contains(x, y)) return OptionsHit::No;
        return OptionsHit::None;
    }
    for (const OptionsButtonRect& button : kOptionsButtons) {
        if (!button.rect.contains(x, y)) continue;
        // A failed mission cannot be saved: its button is passed over.
        if (button.hit == OptionsHit::Save && ReturnGameMode == kModeMissionFailed) continue;
        return button.hit;
    }
    if (OnKnob(kGameSpeedSlider, x, y)) return OptionsHit::GameSpeedKnob;
    if (OnKnob(kScrollSpeedSlider, x, y)) return OptionsHit::ScrollSpeedKnob;
    return OptionsHit::None;
}

void OpenOptionsScreen() {
    FreeScreenPicture();
    FreeScreenBoxPicture();
    if (!LoadScreenPicture(ScreenPicture, kOptionsPicturePath, "file not found: OPTIONS")) return;
    if (!LoadScreenPicture(ScreenBoxPicture, kYesNoBoxPath, "file not found: YESNOBOX")) return;
    OptionsDragging = 0;
    OptionsQuestion = kNoQuestion;
    ResetViewScroll();
    CursorId = kCursorPointer;
    // Back from the hints, loading or saving, the options keep the mode they first came from.
    if (GameMode != kModeHints && GameMode != kModeSave && GameMode != kModeLoad)
        ReturnGameMode = static_cast<std::uint8_t>(GameMode);
    GameMode = kModeOptions;
}

void CloseOptionsScreen() {
    FreeScreenPicture();
    FreeScreenBoxPicture();
    GameMode = ReturnGameMode;
    // The panel was drawn over the failed screen's picture.
    if (ReturnGameMode == kModeMissionFailed) BuildMissionFailedPicture();
}

void DrawOptionsScreen() {
    DrawFrameAtItsPlace(kOptionsPanelFrame, true);
    DrawFrameAtItsPlace(SoundOn != 0 ? kSoundOnFrame : kSoundOffFrame, false);
    DrawFrameAtItsPlace(CdMusicOn != 0 ? kMusicOnFrame : kMusicOffFrame, false);
    DrawFrameAtItsPlace(KnobFrame(kGameSpeedSlider), false);
    DrawFrameAtItsPlace(KnobFrame(kScrollSpeedSlider), false);
    if (OptionsQuestion != kNoQuestion) DrawYesNoBox(OptionsQuestion);
}

void DrawBehindOptions() {
    if (WorkBuffer == nullptr) return;
    for (const BehindRow& row : kBehindRows) {
        if (row.mode != ReturnGameMode) continue;
        DrawTarget = WorkBuffer;
        DrawPitch = kScreenWidth;
        row.draw();
        DrawTarget = nullptr;
        return;
    }
}

void RunOptionsFrame() {
    DrawBehindOptions();
    if (GameMode != kModeOptions || WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawOptionsScreen();
    DrawScreenCursor();
    DrawTarget = nullptr;
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    EndFrame();
}

void OnOptionsLButtonDown(int x, int y) {
    switch (OptionsHitAt(x, y)) {
        case OptionsHit::None:
            return;
        case OptionsHit::Sound:
            ToggleSound();
            return;
        case OptionsHit::Music:
            ToggleMusic();
            return;
        case OptionsHit::Load:
            ButtonSound();
            CloseOptionsScreen();
            OpenLoadGame();
            return;
        case OptionsHit::Save:
            ButtonSound();
            CloseOptionsScreen();
            OpenSaveGame();
            return;
        case OptionsHit::Quit:
            ButtonSound();
            OptionsQuestion = kQuestionQuit;
            return;
        case OptionsHit::Back:
            ButtonSound();
            CloseOptionsScreen();
            return;
        case OptionsHit::Restart:
            ButtonSound();
            OptionsQuestion = kQuestionRestart;
            return;
        case OptionsHit::Hints:
            ButtonSound();
            CloseOptionsScreen();
            OpenHints();
            return;
        case OptionsHit::GameSpeedKnob:
            StartDrag(kGameSpeedSlider);
            return;
        case OptionsHit::ScrollSpeedKnob:
            StartDrag(kScrollSpeedSlider);
            return;
        case OptionsHit::No:
            Click();
            OptionsQuestion = kNoQuestion;
            return;
        case OptionsHit::Yes:
            AnswerYes();
            return;
    }
}

void OnOptionsLButtonUp() {
    OptionsDragging = 0;
}

void OnOptionsRButtonDown() {
    if (OptionsQuestion != kNoQuestion) {
        OptionsQuestion = kNoQuestion;
        return;
    }
    CloseOptionsScreen();
}

void OnOptionsMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
    if (OptionsDragging == 0) return;
    std::uint8_t& value = SliderValue(OptionsDraggedSlider);
    const std::uint8_t step = SpeedStepAt(x);
    if (step == value) return;
    value = step;
    Click();
}

void OnOptionsKeyDown(std::uint32_t key) {
    if (key == kKeyEscape) OnOptionsRButtonDown();
}

void ResetOptionsScreen() {
    FreeScreenPicture();
    FreeScreenBoxPicture();
    ReturnGameMode = 0;
    OptionsQuestion = kNoQuestion;
    OptionsDragging = 0;
    OptionsDraggedSlider = 0;
}

}  // namespace kv
