#include "platform/display.h"

#include <algorithm>
#include <vector>

#include "platform/window.h"

namespace kv {

namespace {

struct Surface {
    std::vector<std::uint8_t> pixels;
    bool locked = false;
    bool lost = false;
};

struct State {
    bool open = false;
    std::uint32_t pitch = 0;
    int width = 0;
    int height = 0;
    int bpp = 0;
    bool surfaces = false;
    bool refuseSurfaces = false;
    Surface buffers[2];  // index front is shown, the other one is the back buffer
    int front = 0;
    bool paletteExists = false;
    bool paletteAttached = false;
    HardwarePalette palette{};
};

State g;
const HardwarePalette kBlack{};

Surface& Get(SurfaceId id) {
    return g.buffers[id == SurfaceId::Primary ? g.front : 1 - g.front];
}

FrameView View(const Surface& s) {
    return FrameView{s.pixels.data(), g.pitch, g.width, g.height};
}

}  // namespace

DisplayResult DisplayOpen() {
    if (GetBackend() == nullptr || GetMainWindow() == 0) return DDERR_GENERIC;
    g = State{};
    g.open = true;
    return DD_OK;
}

void DisplayClose() {
    DisplayReleaseSurfaces();
    DisplayReleasePalette();
    g.open = false;
}

bool DisplayIsOpen() {
    return g.open;
}

DisplayResult DisplaySetMode(int width, int height, int bitsPerPixel) {
    if (!g.open) return DDERR_INVALIDOBJECT;
    const bool known = (width == 800 && height == 600 && bitsPerPixel == 8) ||
                       (width == 640 && height == 480 && bitsPerPixel == 16);
    if (!known) return DDERR_INVALIDMODE;
    if (!GetBackend()->setDisplayMode(width, height, bitsPerPixel)) return DDERR_GENERIC;
    // A mode change loses whatever the surfaces held, as it does on real hardware.
    if (g.surfaces) DisplaySimulateLoss(true, true);
    g.width = width;
    g.height = height;
    g.bpp = bitsPerPixel;
    return DD_OK;
}

int DisplayWidth() {
    return g.width;
}
int DisplayHeight() {
    return g.height;
}
int DisplayBitsPerPixel() {
    return g.bpp;
}

DisplayResult DisplayCreateSurfaces() {
    if (!g.open || g.bpp == 0) return DDERR_INVALIDOBJECT;
    if (g.refuseSurfaces) return DDERR_GENERIC;
    g.pitch = static_cast<std::uint32_t>(g.width * g.bpp / 8) + kSurfacePadding;
    for (Surface& s : g.buffers) {
        s.pixels.assign(static_cast<std::size_t>(g.pitch) * g.height, 0);
        s.locked = false;
        s.lost = false;
    }
    g.front = 0;
    g.surfaces = true;
    return DD_OK;
}

void DisplayReleaseSurfaces() {
    for (Surface& s : g.buffers) s = Surface{};
    g.surfaces = false;
    g.paletteAttached = false;
}

bool DisplayHasSurfaces() {
    return g.surfaces;
}

DisplayResult DisplayIsLost(SurfaceId surface) {
    if (!g.surfaces) return DDERR_INVALIDOBJECT;
    return Get(surface).lost ? DDERR_SURFACELOST : DD_OK;
}

DisplayResult DisplayLock(SurfaceId surface, LockedSurface& out) {
    if (!g.surfaces) return DDERR_INVALIDOBJECT;
    Surface& s = Get(surface);
    if (s.lost) return DDERR_SURFACELOST;
    if (s.locked) return DDERR_SURFACEBUSY;
    s.locked = true;
    out = LockedSurface{s.pixels.data(), g.pitch, g.width, g.height};
    return DD_OK;
}

DisplayResult DisplayUnlock(SurfaceId surface) {
    if (!g.surfaces) return DDERR_INVALIDOBJECT;
    Surface& s = Get(surface);
    if (!s.locked) return DDERR_NOTLOCKED;
    s.locked = false;
    // Whatever was drawn straight onto the visible surface shows at once.
    if (surface == SurfaceId::Primary && g.bpp == 8)
        GetBackend()->present(View(s), DisplayCurrentPalette());
    return DD_OK;
}

DisplayResult DisplayFlip() {
    if (!g.surfaces) return DDERR_INVALIDOBJECT;
    if (g.buffers[0].lost || g.buffers[1].lost) return DDERR_SURFACELOST;
    if (g.buffers[0].locked || g.buffers[1].locked) return DDERR_SURFACEBUSY;
    g.front = 1 - g.front;
    // Around videos the video device owns the screen; only 8-bit frames are shown.
    if (g.bpp == 8) GetBackend()->present(View(g.buffers[g.front]), DisplayCurrentPalette());
    return DD_OK;
}

// Presentation is synchronous in both backends, so a flip is done when it returns.
bool DisplayFlipDone() {
    return true;
}

DisplayResult DisplayCreatePalette() {
    if (!g.open) return DDERR_INVALIDOBJECT;
    g.paletteExists = true;
    g.palette = HardwarePalette{};
    return DD_OK;
}

void DisplayReleasePalette() {
    g.paletteExists = false;
    g.paletteAttached = false;
    g.palette = HardwarePalette{};
}

bool DisplayHasPalette() {
    return g.paletteExists;
}

DisplayResult DisplayAttachPalette() {
    if (!g.paletteExists || !g.surfaces) return DDERR_INVALIDOBJECT;
    g.paletteAttached = true;
    return DD_OK;
}

bool DisplayPaletteAttached() {
    return g.paletteAttached;
}

DisplayResult DisplaySetPaletteEntries(int first, std::span<const PaletteEntry> entries) {
    if (!g.paletteExists) return DDERR_INVALIDOBJECT;
    if (first < 0 || first + entries.size() > g.palette.size()) return DDERR_GENERIC;
    std::copy(entries.begin(), entries.end(), g.palette.begin() + first);
    if (g.paletteAttached && g.bpp == 8) GetBackend()->paletteChanged(g.palette);
    return DD_OK;
}

DisplayResult DisplayGetPaletteEntries(int first, std::span<PaletteEntry> out) {
    if (!g.paletteExists) return DDERR_INVALIDOBJECT;
    if (first < 0 || first + out.size() > g.palette.size()) return DDERR_GENERIC;
    std::copy_n(g.palette.begin() + first, out.size(), out.begin());
    return DD_OK;
}

const HardwarePalette& DisplayCurrentPalette() {
    return g.paletteExists && g.paletteAttached ? g.palette : kBlack;
}

void DisplayWaitVerticalBlank() {
    if (Backend* backend = GetBackend()) backend->waitVerticalBlank();
}

void DisplayRefuseSurfaces(bool refuse) {
    g.refuseSurfaces = refuse;
}

void DisplaySimulateLoss(bool primary, bool back) {
    if (!g.surfaces) return;
    if (primary) Get(SurfaceId::Primary).lost = true;
    if (back) Get(SurfaceId::Back).lost = true;
}

}  // namespace kv
