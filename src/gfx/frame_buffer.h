#pragma once
// The display surfaces and how a frame reaches the screen: lock the back buffer, copy the screen's
// background (WorkBuffer) into it, draw over it, unlock, flip.

#include <cstdint>
#include <string_view>

#include "platform/display.h"
#include "platform/messages.h"

namespace kv {

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;
inline constexpr std::size_t kWorkBufferSize = 480000;

// Where the blitters write: the locked back buffer between BeginFrame and EndFrame, or a buffer a
// caller sets. Valid only while locked.
extern std::uint8_t* DrawTarget;
extern std::uint32_t DrawPitch;
// The background of the current screen, 800 x 600, pitch 800. Allocated by InitGame.
extern std::uint8_t* WorkBuffer;

// Shows "DirectDraw Init FAILED. Error:%ld" (the low 16 bits of the code) and takes the window
// down, which ends the game: after it, as after FatalError, every caller returns at once. Returns
// 0.
int ReportDirectDrawError(WindowHandle window, DisplayResult code);
// Surfaces, palette and the display itself.
void ReleaseDirectDraw();

// The display mode: 1, or 0 after ReportDirectDrawError. A mode that cannot be set leaves the old
// one, whose surfaces do not fit what is drawn next, so the game ends there.
int SetDisplayModeOrReport(int width, int height, int bitsPerPixel);
// The primary surface with one back buffer: 1, or 0 after ReportDirectDrawError.
int CreateSurfaces();
void CreateGamePalette();
void ReleaseSurfaces();
void ReleasePalette();
// After a loss: new surfaces with the palette attached again. False when they could not be made,
// which CreateSurfaces has reported.
bool RecreateSurfaces();
// Recreates the surfaces when either reports lost; false when that failed.
bool RestoreLostSurfaces();

// Steps 1 to 3 of every frame: lost test, lock, DrawTarget. False: skip this frame.
bool BeginFrame();
// Unlock and flip with wait; text that goes onto the surface through its device context is
// written between the two.
void EndFrame();
void UnlockFrame();
void FlipFrame();

void CopyWorkBuffer();
void PresentWorkBuffer();
void BlankScreen();
void ClearBothBuffers();
// A black screen with one or two lines of white text in its middle. Texts are Windows-1252.
void ShowStatusText(std::string_view line, const char* second);

}  // namespace kv
