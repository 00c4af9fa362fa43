#pragma once
// Videos: one at a time, shown by the video device in a pop-up window of their own while the
// display is in its video mode. A hidden window takes the device's completion notice and tells
// the main window, with WM_USER + 101, that the video has ended.

#include <cstdint>
#include <string_view>

#include "platform/messages.h"

namespace kv {

// What the current or last video is.
inline constexpr std::uint8_t kVideoMission = 1;
inline constexpr std::uint8_t kVideoMidMission = 2;
inline constexpr std::uint8_t kVideoFirstLogo = 3;
inline constexpr std::uint8_t kVideoSecondLogo = 4;
inline constexpr std::uint8_t kVideoIntro = 5;

// PlayVideo flags.
inline constexpr int kVideoCentred640x480 = 1;  // 640 x 480 in the middle, whatever else is asked
inline constexpr int kVideoCentred = 2;         // centred at the given (or natural) size
inline constexpr int kVideoNaturalSize = 4;

struct VideoRectangle {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const VideoRectangle&, const VideoRectangle&) = default;
};

extern std::uint8_t VideoStage;
extern std::uint32_t VideoDevice;    // id of the open video; 0 = none
extern WindowHandle VideoSysWindow;  // hidden child of the main window; takes the notices
extern WindowHandle VideoWindow;     // the visible pop-up; only while a video is open
extern WindowHandle VideoParent;     // the main window
extern VideoRectangle VideoRect;     // where VideoWindow is on the screen

inline constexpr const char* kVideoSysClass = "VIDEOSYS_CLASS";
inline constexpr const char* kVideoWindowClass = "VIDEOWINDOW_CLASS";

// 1, or 0 if either class cannot be registered.
int RegisterVideoClasses();
// 1, or 0 after FatalError.
int CreateVideoSysWindow(WindowHandle parent);
void DestroyVideoSysWindow();

// 1 when the video started, 0 after a fatal error.
int PlayVideo(std::string_view path, int flags, int x, int y, int width, int height);
void StopVideo();
void CloseVideo();

// The display modes around a video: 1, or 0 after the failure has been reported and has ended
// the game. Once shutdown has begun they do nothing.
int SwitchToVideoMode();
int RestoreGameDisplay();

LResult VideoSysWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
LResult VideoWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

// Every video global back to its start value (program reset).
void ResetVideoState();

}  // namespace kv
