#include "app/startup.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/window_proc.h"
#include "core/befehl_callbacks.h"
#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/random.h"
#include "gfx/blend_tables.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "media/cd_audio.h"
#include "media/intro.h"
#include "media/sound_device.h"
#include "media/sound_slots.h"
#include "media/video.h"
#include "persons/person_types.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/window.h"

namespace kv {

int InitWindow() {
    if (!IsWindowClassRegistered(kMainWindowClass))
        RegisterWindowClass(kMainWindowClass, MainWndProc);
    const WindowHandle window = CreateWindow(kMainWindowClass, "Kestrivon");
    if (window == 0) return 0;
    MainWindow = window;
    RegisterVideoClasses();
    RegisterCdClass();
    InitDirectSound();

    const DisplayResult opened = DisplayOpen();
    if (opened != DD_OK) return ReportDirectDrawError(window, opened);
    if (SetDisplayModeOrReport(800, 600, 8) == 0) return 0;
    if (CreateSurfaces() == 0) return 0;
    CreateGamePalette();
    ShowCursor(false);
    return 1;
}

void InitGame() {
    CreateGameFonts();
    InitBefehlCallbacks();
    ReadCdPath();
    CenterCursor();
    // Every pointer a later free tests starts null; the modules that own them clear them when
    // they are added.
    GameMode = 0;
    WorkBuffer = static_cast<std::uint8_t*>(AllocMem(kWorkBufferSize));
    SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
    OpenCdAudio(MainWindow);
    ClearSoundSlots();
    CreateVideoSysWindow(MainWindow);
    // A fatal step has already torn the window down: nothing after it may run.
    LoadFarbenPal();
    if (FatalErrorRaised()) return;
    ShowStatusText("KESTRIVON wird geladen...", nullptr);
    LoadTransTable20();
    LoadTransTable50();
    if (FatalErrorRaised()) return;
    // A missing picture ends the start-up here as well.
    PreloadPersonTypen();
    if (FatalErrorRaised()) return;
}

void ShutdownGame() {
    FreePreloadedPersonTypen();
    std::free(WorkBuffer);
    WorkBuffer = nullptr;
    DestroyVideoSysWindow();
    CloseCdAudio();
    DeleteGameFonts();
}

int RunMessageLoop() {
    Message m;
    for (;;) {
        if (PeekMessage(m, PM_NOREMOVE)) {
            if (!GetMessage(m)) return static_cast<int>(m.wParam);
            TranslateMessage(m);
            DispatchMessage(m);
            continue;
        }
        if (AppActive != 0 && LoopSuspended == 0) {
            const std::uint32_t now = GetTickCount();
            if (!FrameDue(now, LastFrameTick)) {
                // Rather than spin on the clock, wait for input or the frame, whichever is first.
                const std::uint32_t waited = now - LastFrameTick;
                IdleUntilInput(waited <= 50 ? 51 - waited : 1);
                continue;
            }
            LastFrameTick = GetTickCount();
            if (FrameFunction frame = HandlersFor(GameMode).frame) frame();
            continue;
        }
        WaitMessage();
    }
}

int WinMain() {
    // Floating-point exceptions are masked by default on this platform, as the game expects.
    // A start that fails, and any fatal error later, end with a failure status, so that whatever
    // started the game does not take it for a normal end.
    if (InitWindow() == 0) return kFailureExitCode;
    InitGame();
    // A fatal error during initialisation has destroyed the window already: no video may start on
    // the released display, and the loop only takes the quit message.
    if (!FatalErrorRaised()) PlayLogoVideos();
    const int code = RunMessageLoop();
    return FatalErrorRaised() ? kFailureExitCode : code;
}

void ResetWindowState() {
    ResetWindows();
    ResetCursorState();
    DisplayClose();
    SoundClose();
    AppActive = 0;
    LoopSuspended = 0;
    LastFrameTick = 0;
    MainWindow = 0;
    DrawTarget = nullptr;
    DrawPitch = 0;
}

}  // namespace kv
