#pragma once
// The two ends of a mission, which only the missions' checks call: the mission-failed screen
// (game mode 4) with its reason on the message line, and the mission-won screen (game mode 5).
// Neither runs the simulation any more: the last picture of the mission stands behind a banner.

#include <cstdint>
#include <string_view>

namespace kv {

// Fails at once, explosions or not.
inline constexpr std::uint16_t kFailNow = 0;
// Waits until no explosion runs: the check asks again next frame.
inline constexpr std::uint16_t kFailAfterExplosions = 1;

inline constexpr std::string_view kFailedBannerPath = "graphs\\d\\failed.vff";
inline constexpr std::string_view kWellDoneBannerPath = "graphs\\d\\welldone.vff";
// Where both banners stand.
inline constexpr int kBannerX = 208;
inline constexpr int kBannerY = 20;
// Where the pressed options button is drawn, and the rectangle that presses it.
inline constexpr int kOptionsDownX = 660;
inline constexpr int kOptionsDownY = 352;

// The reason (Windows-1252) stays on the message line until replaced; the money goes back to what
// the mission was entered with.
void ShowMissionFailed(std::uint16_t kind, std::string_view reason);
// The frozen view with the failed banner and the message box, into the WorkBuffer; the banner is
// loaded for it and freed again. The options screen calls it again on its way back to mode 4.
// False after the fatal error of a missing banner.
bool BuildMissionFailedPicture();
// The money left is carried into the next mission; the banner stays loaded until CloseWellDone.
void ShowWellDone();

// Game mode 4: the options side button fires on the third frame; a click into the view or any
// key starts the same mission again.
void RunMissionFailedFrame();
void DrawMissionFailed();
void OnMissionFailedLButtonDown(int x, int y);
void OnMissionFailedMouseMove(int x, int y);
void OnMissionFailedKeyDown(std::uint32_t key);
// The mission at the current campaign position from its beginning.
void RestartMission();

// Game mode 5: any click or key leads on to the evaluation.
void RunWellDoneFrame();
void DrawWellDone();
void OnWellDoneLButtonDown();
void OnWellDoneKeyDown();
void CloseWellDone();

}  // namespace kv
