#pragma once
// The options screen (game mode 9), drawn over the screen it was opened from: sound and music,
// game and scroll speed, loading, saving, the hints, quitting and restarting.

#include <array>
#include <cstdint>
#include <string_view>

#include "screens/yes_no_box.h"

namespace kv {

// The game mode the options return to, recorded when they open from a mission, a failed mission
// or a base.
extern std::uint8_t ReturnGameMode;
// The question the yes/no box asks: none, quit the program, restart the mission.
inline constexpr std::uint8_t kNoQuestion = 0;
inline constexpr std::uint8_t kQuestionQuit = 1;
inline constexpr std::uint8_t kQuestionRestart = 2;
extern std::uint8_t OptionsQuestion;
// 1 while a speed knob is dragged; which one: 0 game speed, 1 scroll speed.
extern std::uint8_t OptionsDragging;
extern std::uint8_t OptionsDraggedSlider;

inline constexpr std::string_view kOptionsPicturePath = "graphs\\d\\options.vff";

// Frames of the options picture: the panel, the toggles on and off, the knobs at steps 1..3.
inline constexpr int kOptionsPanelFrame = 0;
inline constexpr int kSoundOnFrame = 1;
inline constexpr int kSoundOffFrame = 2;
inline constexpr int kMusicOnFrame = 3;
inline constexpr int kMusicOffFrame = 4;
inline constexpr int kGameSpeedFrame = 5;    // + step - 1
inline constexpr int kScrollSpeedFrame = 8;  // + step - 1
inline constexpr int kOptionsFrameCount = 11;

// Where each frame of the options picture stands.
inline constexpr std::array<ScreenPoint, kOptionsFrameCount> kOptionsFramePos = {{
    {10, 50},
    {18, 104},
    {18, 117},
    {16, 212},
    {16, 226},
    {121, 67},
    {331, 68},
    {540, 68},
    {122, 269},
    {333, 270},
    {543, 270},
}};
// What a click on the panel hits, in the order the click tests them.
enum class OptionsHit : std::uint8_t {
    None,
    Sound,
    Music,
    Load,
    Save,
    Quit,
    Back,
    Restart,
    Hints,
    GameSpeedKnob,
    ScrollSpeedKnob,
    Yes,
    No,
};
struct OptionsButtonRect {
    OptionsHit hit;
    OptionsRect rect;
};
inline constexpr std::array<OptionsButtonRect, 8> kOptionsButtons = {{
    {OptionsHit::Sound, {11, 97, 100, 181}},
    {OptionsHit::Music, {11, 204, 100, 293}},
    {OptionsHit::Load, {92, 393, 176, 423}},
    {OptionsHit::Save, {206, 393, 332, 423}},
    {OptionsHit::Quit, {485, 369, 621, 448}},
    {OptionsHit::Back, {361, 369, 477, 448}},
    {OptionsHit::Restart, {98, 430, 226, 465}},
    {OptionsHit::Hints, {235, 430, 326, 465}},
}};
// A knob reacts within its drawn rectangle grown by this much on every side.
inline constexpr int kKnobGrip = 3;
// A dragged knob takes step 2 from this x on, step 3 from the next.
inline constexpr int kSpeedStep2X = 243;
inline constexpr int kSpeedStep3X = 477;

// What a left click at (x, y) hits, first hit first; only the box's buttons while a question is
// open, and the save button never in front of a failed mission.
OptionsHit OptionsHitAt(int x, int y);
// The step 1..3 a dragged knob takes at x.
std::uint8_t SpeedStepAt(int x);

void OpenOptionsScreen();
// Back to ReturnGameMode.
void CloseOptionsScreen();
// The panel, and the yes/no box when a question is open, into the current draw target; also
// under the load, save and hints screens.
void DrawOptionsScreen();
// The screen under the options, into the WorkBuffer, by ReturnGameMode.
void DrawBehindOptions();

// Game mode 9.
void RunOptionsFrame();
void OnOptionsLButtonDown(int x, int y);
void OnOptionsLButtonUp();
void OnOptionsRButtonDown();
void OnOptionsMouseMove(int x, int y);
void OnOptionsKeyDown(std::uint32_t key);

// The options screen closed and its pictures freed, as at program start.
void ResetOptionsScreen();

}  // namespace kv
