// The furniture pictures "houseobj\*.vff": every piece in its normal look, its 12 burning frames
// (placed by the burning offset of its group) and its burnt-out look.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "generate/flame_colour.h"
#include "generate/topics.h"
#include "world/furniture.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

std::uint32_t Hash(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 2654435761u ^
                      static_cast<std::uint32_t>(y) * 2246822519u ^
                      static_cast<std::uint32_t>(salt) * 3266489917u;
    h = (h ^ (h >> 15)) * 2246822519u;
    return h ^ (h >> 13);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The piece drawn over its box: x1..x2 across, standing on y2, rising above y1 as far as the
// kind of piece does.
Canvas Piece(const HouseObjGroup& g) {
    const auto [x1, y1, x2, y2] = g.box;
    const std::string_view name = g.looks[0].file;
    const int w = x2 - x1 + 1;
    const int d = y2 - y1 + 1;
    Canvas c(x2 + 1, y2 + 1);
    if (StartsWith(name, "plant")) {
        c.fillRect(x1 + 4, y2 - 5, w - 8, 6, pal::kEarth[3]);
        c.fillCircle(x1 + w / 2, y2 - 10, 6, pal::kFoliage[3]);
        c.fillCircle(x1 + w / 2 - 2, y2 - 12, 3, pal::kFoliage[5]);
    } else if (StartsWith(name, "sg")) {
        const PaletteRamp& cloth = name[2] % 2 == 0 ? pal::kViolet : pal::kPink;
        c.fillRect(x1, y1, w, d, cloth[2]);      // seat
        c.fillRect(x1, y1 - 6, w, 8, cloth[3]);  // back
        c.fillRect(x1, y1, 4, d, cloth[1]);      // arm rests
        c.fillRect(x2 - 3, y1, 4, d, cloth[1]);
    } else if (StartsWith(name, "kueche")) {
        c.fillRect(x1, y1 - 10, w, d + 10, pal::kMetal[5]);
        c.fillRect(x1, y1 - 10, w, 4, pal::kMetal[7]);  // worktop
        for (int x = x1 + 6; x < x2 - 4; x += 12) c.fillCircle(x, y1 - 5, 2, pal::kGrey[1]);
        c.line(x1, y2 - 2, x2, y2 - 2, pal::kMetal[2]);
    } else if (StartsWith(name, "wc")) {
        c.fillRect(x1, y1 - 6, w, d + 6, pal::kMedicRamp[5]);
        c.fillRect(x1 + 1, y1, w - 2, 3, pal::kMedicRamp[2]);
    } else if (StartsWith(name, "bett")) {
        c.fillRect(x1, y1, w, d, pal::kSky[3]);            // blanket
        c.fillRect(x1, y1, 8, d, pal::kMedicWhite.first);  // pillow
        c.frameRect(x1, y1 - 2, w, d + 2, pal::kWood[2]);
    } else if (StartsWith(name, "schrank")) {
        const int rise = 20 + (name.back() - '0') * 3;
        c.fillRect(x1, y1 - rise, w, d + rise, pal::kWood[3]);
        c.frameRect(x1, y1 - rise, w, d + rise, pal::kWood[1]);
        c.line(x1 + w / 2, y1 - rise, x1 + w / 2, y2, pal::kWood[1]);
        c.set(x1 + w / 2 - 2, y1 - rise / 2, pal::kGold[5]);
        c.set(x1 + w / 2 + 2, y1 - rise / 2, pal::kGold[5]);
    } else {  // tables
        c.fillRect(x1, y1, w, d / 2 + 1, pal::kWood[4]);
        c.fillRect(x1, y1 + d / 2, 2, d - d / 2, pal::kWood[1]);
        c.fillRect(x2 - 1, y1 + d / 2, 2, d - d / 2, pal::kWood[1]);
    }
    return c;
}

// The piece blackened by soot, or burnt to ash.
Canvas Charred(const Canvas& piece, bool ash) {
    Canvas c(piece.width(), piece.height());
    for (int y = 0; y < piece.height(); ++y)
        for (int x = 0; x < piece.width(); ++x) {
            if (piece.at(x, y) == 0) continue;
            if (ash && Hash(x, y, 3) % 3 == 0) continue;  // crumbled away
            c.set(x, y, pal::kAsh[static_cast<int>(Hash(x, y, ash ? 4 : 5) % (ash ? 3 : 6))]);
        }
    return c;
}

// A burning frame: the sooty piece with flames over it, drawn at the group's burning offset.
Canvas Burning(const HouseObjGroup& g, const Canvas& piece, int frame) {
    const int dx = -g.burningOffset[0];
    const int dy = -g.burningOffset[1];
    Canvas c(piece.width() + dx, piece.height() + dy);
    c.draw(Charred(piece, false), dx, dy);
    const int base = c.height() - 2;
    const int top = dy + g.box[1];
    for (int x = dx + g.box[0]; x <= dx + g.box[2]; ++x) {
        const int h = (base - top) / 2 + static_cast<int>(Hash(x / 3, frame, 7) % 12);
        for (int k = 0; k < h; ++k) {
            if (Hash(x, k, frame) % 5 == 0) continue;
            c.set(x, base - k, FlameColour(k, h));
        }
    }
    return c;
}

bool Write(const OutputTree& out, std::string_view file, const std::vector<Canvas>& frames) {
    return out.write("houseobj\\" + std::string(file) + ".vff", MakeVff(frames));
}

}  // namespace

bool WriteFurnitureImages(const OutputTree& out) {
    for (const HouseObjGroup& g : kHouseObjGroups) {
        const Canvas piece = Piece(g);
        if (!Write(out, g.looks[0].file, {piece})) return false;
        if (g.single) continue;
        std::vector<Canvas> burning;
        for (int f = 0; f < kBurningFrames; ++f) burning.push_back(Burning(g, piece, f));
        if (!Write(out, g.looks[1].file, burning)) return false;
        if (!Write(out, g.looks[2].file, {Charred(piece, true)})) return false;
    }
    return true;
}

}  // namespace kv::sampledata
