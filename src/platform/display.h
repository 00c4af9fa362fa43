#pragma once
// The display: one mode at a time, a primary surface with one back buffer, and one palette of
// 256 entries attached to the primary. Results are the error codes the game reports ("Error:%ld").

#include <cstdint>
#include <span>

#include "platform/backend.h"

namespace kv {

using DisplayResult = std::int32_t;
inline constexpr DisplayResult DD_OK = 0;
inline constexpr DisplayResult DDERR_GENERIC = static_cast<DisplayResult>(0x80004005u);
inline constexpr DisplayResult DDERR_INVALIDOBJECT = static_cast<DisplayResult>(0x88760082u);
inline constexpr DisplayResult DDERR_INVALIDMODE = static_cast<DisplayResult>(0x88760078u);
inline constexpr DisplayResult DDERR_NOTLOCKED = static_cast<DisplayResult>(0x887601E6u);
inline constexpr DisplayResult DDERR_SURFACEBUSY = static_cast<DisplayResult>(0x887601B8u);
inline constexpr DisplayResult DDERR_SURFACELOST = static_cast<DisplayResult>(0x887601C2u);

enum class SurfaceId { Primary, Back };

struct LockedSurface {
    std::uint8_t* pixels = nullptr;
    std::uint32_t pitch = 0;
    int width = 0;
    int height = 0;
};

// Rows of a surface are this many bytes longer than their pixels, as video memory often is, so
// that code assuming pitch == width shows itself.
inline constexpr std::uint32_t kSurfacePadding = 32;

DisplayResult DisplayOpen();  // needs a main window
void DisplayClose();          // releases surfaces and palette too
bool DisplayIsOpen();
DisplayResult DisplaySetMode(int width, int height, int bitsPerPixel);
int DisplayWidth();
int DisplayHeight();
int DisplayBitsPerPixel();

DisplayResult DisplayCreateSurfaces();
void DisplayReleaseSurfaces();
bool DisplayHasSurfaces();
DisplayResult DisplayIsLost(SurfaceId surface);
DisplayResult DisplayLock(SurfaceId surface, LockedSurface& out);
DisplayResult DisplayUnlock(SurfaceId surface);
// Shows the back buffer and makes the old front the new back buffer.
DisplayResult DisplayFlip();
bool DisplayFlipDone();

DisplayResult DisplayCreatePalette();
void DisplayReleasePalette();
bool DisplayHasPalette();
DisplayResult DisplayAttachPalette();
bool DisplayPaletteAttached();
DisplayResult DisplaySetPaletteEntries(int first, std::span<const PaletteEntry> entries);
DisplayResult DisplayGetPaletteEntries(int first, std::span<PaletteEntry> out);
// The colours text is mapped to; all black when no palette exists.
const HardwarePalette& DisplayCurrentPalette();
void DisplayWaitVerticalBlank();

// Marks surfaces lost, as switching away from a full-screen program does. For the backends and
// the tests.
void DisplaySimulateLoss(bool primary, bool back);
// While set, surfaces cannot be made (again), as when another program holds the display. For the
// tests; opening the display clears it.
void DisplayRefuseSurfaces(bool refuse);

}  // namespace kv
