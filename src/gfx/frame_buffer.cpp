#include "gfx/frame_buffer.h"

#include <cstdio>
#include <cstring>

#include "core/fatal_error.h"
#include "core/main_window.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/palette.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/window.h"

namespace kv {

std::uint8_t* DrawTarget = nullptr;
std::uint32_t DrawPitch = 0;
std::uint8_t* WorkBuffer = nullptr;

int ReportDirectDrawError(WindowHandle window, DisplayResult code) {
    char text[64];
    std::snprintf(text, sizeof text, "DirectDraw Init FAILED. Error:%ld",
                  static_cast<long>(static_cast<std::uint32_t>(code) & 0xFFFF));
    // Whether at start-up or around a video: without its display the game cannot go on.
    RaiseFatalState(text);
    ReleaseDirectDraw();
    MessageBox(window, text, "Kestrivon", MB_OK);
    DestroyWindow(window);
    PostQuitMessage(-1);
    return 0;
}

void ReleaseDirectDraw() {
    if (!DisplayIsOpen()) return;
    ReleaseSurfaces();
    ReleasePalette();
    DisplayClose();
}

int SetDisplayModeOrReport(int width, int height, int bitsPerPixel) {
    const DisplayResult result = DisplaySetMode(width, height, bitsPerPixel);
    if (result != DD_OK) return ReportDirectDrawError(MainWindow, result);
    return 1;
}

int CreateSurfaces() {
    const DisplayResult result = DisplayCreateSurfaces();
    if (result != DD_OK) return ReportDirectDrawError(MainWindow, result);
    return 1;
}

void CreateGamePalette() {
    if (DisplayCreatePalette() == DD_OK) DisplayAttachPalette();
}

void ReleaseSurfaces() {
    DisplayReleaseSurfaces();
}

void ReleasePalette() {
    DisplayReleasePalette();
}

bool RecreateSurfaces() {
    ReleaseSurfaces();
    if (CreateSurfaces() == 0) return false;
    if (DisplayHasPalette()) DisplayAttachPalette();
    return true;
}

bool RestoreLostSurfaces() {
    if (!DisplayHasSurfaces()) return false;
    if (DisplayIsLost(SurfaceId::Primary) == DDERR_SURFACELOST ||
        DisplayIsLost(SurfaceId::Back) == DDERR_SURFACELOST)
        return RecreateSurfaces();
    return true;
}

namespace {

bool LockBack() {
    // Every frame is 800 x 600 bytes: the surfaces of a video's mode would be written past.
    if (DisplayWidth() != kScreenWidth || DisplayHeight() != kScreenHeight ||
        DisplayBitsPerPixel() != 8)
        return false;
    LockedSurface locked;
    if (DisplayLock(SurfaceId::Back, locked) != DD_OK) return false;
    DrawTarget = locked.pixels;
    DrawPitch = locked.pitch;
    return true;
}

void UnlockBack() {
    DisplayUnlock(SurfaceId::Back);
    DrawTarget = nullptr;
}

void ClearBack() {
    if (!LockBack()) return;
    ClearRect8(DrawTarget, DrawPitch, kScreenWidth, kScreenHeight);
    UnlockBack();
    DisplayFlip();
}

void WaitForFlip() {
    while (!DisplayFlipDone()) {
    }
}

}  // namespace

bool BeginFrame() {
    // After a fatal error the surfaces are gone and nothing may draw.
    if (FatalErrorRaised() || !RestoreLostSurfaces()) return false;
    return LockBack();
}

void EndFrame() {
    UnlockFrame();
    FlipFrame();
}

void UnlockFrame() {
    UnlockBack();
}

void FlipFrame() {
    DisplayFlip();
}

void CopyWorkBuffer() {
    if (DrawTarget == nullptr || WorkBuffer == nullptr) return;
    if (DrawPitch == kScreenWidth) {
        std::memcpy(DrawTarget, WorkBuffer, kWorkBufferSize);
        return;
    }
    for (int y = 0; y < kScreenHeight; ++y)
        std::memcpy(DrawTarget + static_cast<std::size_t>(y) * DrawPitch,
                    WorkBuffer + static_cast<std::size_t>(y) * kScreenWidth, kScreenWidth);
}

void PresentWorkBuffer() {
    if (WorkBuffer == nullptr || !BeginFrame()) return;
    BlitToBackBuffer(WorkBuffer, 0, 0, kScreenWidth, kScreenHeight);
    EndFrame();
    WaitForFlip();
}

void BlankScreen() {
    if (FatalErrorRaised()) return;
    SetBlackPalette();
    if (!RestoreLostSurfaces()) return;
    ClearBack();
}

void ClearBothBuffers() {
    if (FatalErrorRaised() || !RestoreLostSurfaces()) return;
    ClearBack();
    ClearBack();
}

void ShowStatusText(std::string_view line, const char* second) {
    if (FatalErrorRaised() || !RestoreLostSurfaces()) return;
    ClearBack();
    WaitForFlip();
    SetPaletteEntry(0, 0, 0, 0);
    SetPaletteEntry(255, 255, 255, 255);
    // The text goes onto the visible buffer, so it shows without another flip.
    DisplayDC dc(SurfaceId::Primary);
    if (!dc) return;
    dc->setBkMode(TRANSPARENT);
    dc->selectFont(FontLarge);
    dc->setTextAlign(TA_CENTER | TA_BASELINE);
    dc->setTextColor(Rgb(255, 255, 255));
    dc->textOut(400, 300, line);
    if (second != nullptr) dc->textOut(400, 340, second);
}

}  // namespace kv
