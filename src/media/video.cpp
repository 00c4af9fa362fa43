#include "media/video.h"

#include <cstdio>
#include <string>

#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/main_window.h"
#include "core/options.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "media/cd_audio.h"
#include "media/sound_device.h"
#include "media/sound_slots.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/video.h"
#include "platform/window.h"

namespace kv {

std::uint8_t VideoStage = 0;
std::uint32_t VideoDevice = 0;
WindowHandle VideoSysWindow = 0;
WindowHandle VideoWindow = 0;
WindowHandle VideoParent = 0;
VideoRectangle VideoRect;

namespace {

// Closes the video and tells the main window, as the end of a video does.
void EndVideo() {
    CloseVideo();
    PostMessage(VideoParent, kVideoEndedMessage, 0, 0);
}

}  // namespace

int RegisterVideoClasses() {
    const bool sys = RegisterWindowClass(kVideoSysClass, VideoSysWndProc);
    const bool window = RegisterWindowClass(kVideoWindowClass, VideoWndProc);
    return sys && window ? 1 : 0;
}

int CreateVideoSysWindow(WindowHandle parent) {
    VideoSysWindow = CreateWindow(kVideoSysClass, "", parent);
    VideoParent = parent;
    if (VideoSysWindow == 0) {
        char text[64];
        std::snprintf(text, sizeof text, "Create videowindow failed. Error: %ld",
                      static_cast<long>(GetLastError()));
        FatalError(text);
        return 0;
    }
    return 1;
}

void DestroyVideoSysWindow() {
    if (VideoPlayer* player = GetVideoPlayer(); player != nullptr && VideoDevice != 0)
        player->close();
    if (VideoWindow != 0) {
        DestroyWindow(VideoWindow);
        VideoWindow = 0;
    }
    if (VideoSysWindow != 0) DestroyWindow(VideoSysWindow);
    UnregisterWindowClass(kVideoSysClass);
    VideoSysWindow = 0;
}

int SwitchToVideoMode() {
    // Once shutdown has begun the display is on its way out.
    if (FatalErrorRaised() || !DisplayIsOpen()) return 0;
    ReleaseDirectSound();
    ReleaseSurfaces();
    if (SetDisplayModeOrReport(640, 480, 16) == 0) return 0;
    return CreateSurfaces();
}

int RestoreGameDisplay() {
    if (FatalErrorRaised() || !DisplayIsOpen()) return 0;
    ReleaseSurfaces();
    ReleasePalette();
    if (SetDisplayModeOrReport(kScreenWidth, kScreenHeight, 8) == 0 || CreateSurfaces() == 0)
        return 0;
    CreateGamePalette();
    SetBlackPalette();
    CenterCursor();
    InitDirectSound();
    return 1;
}

int PlayVideo(std::string_view path, int flags, int x, int y, int width, int height) {
    CloseVideo();
    // The second logo and the intro follow the first logo at once, in its display mode.
    if (VideoStage != kVideoSecondLogo && VideoStage != kVideoIntro) {
        StopCdAudio(1);
        if (SwitchToVideoMode() == 0) return 0;
    }
    PumpMessages();
    // The player may have closed the program meanwhile; that is no error to report.
    if (FatalErrorRaised() || GetMainWindow() == 0) return 0;

    std::string file = ResolveCdPath(path);
    if (file.size() > 255) file.resize(255);
    if (VideoSysWindow == 0) {
        FatalError("Videowindow not available");
        return 0;
    }
    if (!FileExists(file)) {
        FatalError("Kestrivon-CD wurde nicht gefunden.");
        return 0;
    }

    VideoPlayer* player = GetVideoPlayer();
    std::uint32_t error = kVideoErrorNoPlayer;
    const std::uint32_t id = player != nullptr ? player->open(ResolvePath(file), error) : 0;
    if (id == 0 && error != 0) {
        char text[320];
        std::snprintf(text, sizeof text, "cannot open video: \"%s\" . Error Nr:%d", file.c_str(),
                      static_cast<int>(error));
        FatalError(text);
        return 0;
    }
    if (id == 0) {
        FatalError("no DeviceID for Video");
        return 0;
    }
    VideoDevice = id;
    VideoWindow = CreateWindow(kVideoWindowClass, "Kestrivon", VideoParent);
    ShowWindow(VideoSysWindow, true);
    if (VideoWindow == 0) {
        player->close();
        VideoDevice = 0;
        FatalError("cannot create videowindow");
        return 0;
    }
    SetCapture(VideoWindow);
    if (SoundOn == 0) player->setAudio(false);

    int naturalWidth = 0;
    int naturalHeight = 0;
    player->sourceSize(naturalWidth, naturalHeight);
    const int screenWidth = DisplayWidth();
    const int screenHeight = DisplayHeight();
    VideoRectangle rect{x, y, width, height};
    if ((flags & kVideoNaturalSize) != 0) {
        rect.width = naturalWidth;
        rect.height = naturalHeight;
    }
    if ((flags & kVideoCentred) != 0) {
        rect.x = (screenWidth - rect.width) / 2;
        rect.y = (screenHeight - rect.height) / 2;
    }
    if ((flags & kVideoCentred640x480) != 0)
        rect = VideoRectangle{(screenWidth - 640) / 2, (screenHeight - 480) / 2, 640, 480};
    VideoRect = rect;
    ShowWindow(VideoWindow, true);
    // A pop-up that shows is the active window: the keys go to it while the video plays.
    SetFocus(VideoWindow);
    player->setDestination(VideoRect.x, VideoRect.y, VideoRect.width, VideoRect.height);
    if (SoundOn != 0) StopAllSounds();

    if (!player->play(VideoSysWindow)) {
        FatalError("cannot start video");
        return 0;
    }
    LoopSuspended = 1;
    return 1;
}

void StopVideo() {
    if (VideoPlayer* player = GetVideoPlayer(); player != nullptr && VideoDevice != 0)
        player->stop();
}

void CloseVideo() {
    if (VideoDevice == 0) return;
    if (VideoPlayer* player = GetVideoPlayer()) player->close();
    ReleaseCapture();
    if (VideoWindow != 0) {
        const WindowHandle window = VideoWindow;
        VideoWindow = 0;
        DestroyWindow(window);
    }
    VideoDevice = 0;
    // A display that cannot be restored ends the game; the loop must not stay suspended either way.
    if (VideoStage != kVideoFirstLogo && VideoStage != kVideoSecondLogo) RestoreGameDisplay();
    ShowWindow(VideoSysWindow, false);
    LoopSuspended = 0;
}

LResult VideoSysWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
        case WM_DESTROY:
            CloseVideo();
            return 0;
        case MM_MCINOTIFY:
            // Whatever its code: an end, a stop and a failure all end the video.
            if (LoopSuspended == 1) EndVideo();
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

LResult VideoWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            // The logos cannot be skipped.
            if (VideoStage == kVideoFirstLogo || VideoStage == kVideoSecondLogo) return 0;
            ShowWindow(VideoWindow, false);
            StopVideo();  // its notice ends the video
            return 0;
        case WM_QUERYNEWPALETTE:
            // The device shows true colours; there is no palette to realise.
            return 0;
        case WM_ACTIVATEAPP:
            SendMessage(VideoParent, WM_ACTIVATEAPP, wParam, lParam);
            // Leaving the program ends the video as its end would, so that what follows it (the
            // next start-up video, the mission) still comes.
            if (wParam == 0 && LoopSuspended == 1) EndVideo();
            return 0;
        case WM_SIZE:
            if (VideoPlayer* player = GetVideoPlayer(); player != nullptr && VideoDevice != 0)
                player->setDestination(VideoRect.x, VideoRect.y, VideoRect.width, VideoRect.height);
            return 0;
        case WM_CLOSE:
            StopVideo();
            PostMessage(VideoParent, WM_CLOSE, 0, 0);
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

void ResetVideoState() {
    VideoStage = 0;
    VideoDevice = 0;
    VideoSysWindow = 0;
    VideoWindow = 0;
    VideoParent = 0;
    VideoRect = VideoRectangle{};
}

}  // namespace kv
