#include "gfx/palette.h"

#include "platform/display.h"

namespace kv {

GamePalette Palette{};

namespace {

// Components are kept in 8 bits, so values above 63 wrap as they did on the original hardware.
std::uint8_t ToHardware(std::uint8_t c) {
    return static_cast<std::uint8_t>(c * 4);
}

}  // namespace

void SetPalette(const GamePalette& palette) {
    if (!DisplayHasPalette()) return;
    HardwarePalette entries{};
    for (int i = 0; i < 256; ++i)
        entries[i] = PaletteEntry{ToHardware(palette[i * 3]), ToHardware(palette[i * 3 + 1]),
                                  ToHardware(palette[i * 3 + 2]), 0};
    DisplaySetPaletteEntries(0, entries);
}

void SetBlackPalette() {
    if (!DisplayHasPalette()) return;
    const HardwarePalette black{};
    DisplaySetPaletteEntries(0, black);
}

void SetPaletteEntry(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (!DisplayHasPalette() || index < 0 || index > 255) return;
    const PaletteEntry entry{ToHardware(r), ToHardware(g), ToHardware(b), 0};
    DisplaySetPaletteEntries(index, std::span(&entry, 1));
}

}  // namespace kv
