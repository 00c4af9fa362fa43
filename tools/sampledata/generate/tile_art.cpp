// Tile art, drawn pixel by pixel into the 48-pixel-wide box of a sheared map cell.

#include "generate/tile_art.h"

#include <array>
#include <functional>
#include <vector>

#include "gfx/run_tiles.h"
#include "world/level_map.h"
#include "writers/pixel_noise.h"
#include "writers/run_tile_writer.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

// The palette entries the art draws with: four shades per ramp, dark to light.
enum Ramp : int {
    kRampGrass,
    kRampMeadow,
    kRampFlower,
    kRampRoad,
    kRampMarking,
    kRampField,
    kRampForest,
    kRampTrunk,
    kRampWater,
    kRampDeepWater,
    kRampSand,
    kRampRock,
    kRampBurnt,
    kRampFire,
    kRampCount
};
constexpr std::array<std::uint8_t, 4> Shades(const PaletteRamp& ramp, int first, int step = 1) {
    return {ramp[first], ramp[first + step], ramp[first + 2 * step], ramp[first + 3 * step]};
}
constexpr std::array<std::array<std::uint8_t, 4>, kRampCount> kTileColours = {{
    Shades(pal::kGrass, 2),
    Shades(pal::kGrass, 4),
    Shades(pal::kYellow, 2),
    Shades(pal::kRoad, 1),
    Shades(pal::kRoadMarkWhite, 0, 0),
    Shades(pal::kEarth, 4),
    Shades(pal::kFoliage, 1),
    Shades(pal::kEarth, 0),
    Shades(pal::kWater, 3),
    Shades(pal::kWater, 0),
    Shades(pal::kSand, 1),
    Shades(pal::kGrey, 4, 2),
    Shades(pal::kAsh, 0),
    {pal::kFire[2], pal::kFire[5], pal::kFire[7], pal::kFlameTip[2]},
}};

std::uint8_t Colour(Ramp ramp, int shade) {
    return kTileColours[static_cast<std::size_t>(ramp)][static_cast<std::size_t>(shade & 3)];
}

// A picture 48 wide; the cell stands on its bottom rows.
class Canvas {
  public:
    explicit Canvas(int height) : height_(height), px_(static_cast<std::size_t>(48 * height), 0) {}
    int height() const { return height_; }
    int cellTop() const { return height_ - kCellHeight; }
    void set(int x, int y, std::uint8_t c) {
        if (x >= 0 && x < kRunTileWidth && y >= 0 && y < height_)
            px_[static_cast<std::size_t>(y * kRunTileWidth + x)] = c;
    }
    std::uint8_t get(int x, int y) const {
        if (x < 0 || x >= kRunTileWidth || y < 0 || y >= height_) return 0;
        return px_[static_cast<std::size_t>(y * kRunTileWidth + x)];
    }
    // Every pixel of the cell: f(x, t) with t the cell's own line 0..27.
    void fillCell(const std::function<std::uint8_t(int x, int t)>& f) {
        for (int t = 0; t < kCellHeight; ++t) {
            const int start = 16 - RowShear[static_cast<std::size_t>(t)];
            for (int x = start; x < start + kCellWidth; ++x) set(x, cellTop() + t, f(x, t));
        }
    }
    void disc(int cx, int cy, int r, const std::function<std::uint8_t(int dx, int dy)>& f) {
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (dx * dx + dy * dy <= r * r) set(cx + dx, cy + dy, f(dx, dy));
    }
    RunImage encode() const { return EncodeRunImage(px_, height_); }

  private:
    int height_;
    std::vector<std::uint8_t> px_;
};

std::uint8_t Noise(Ramp ramp, int x, int t, int salt) {
    const std::uint32_t h = PixelNoise(x, t, salt) % 16;
    return Colour(ramp, h < 2 ? 0 : h < 9 ? 1 : h < 14 ? 2 : 3);
}

Canvas Grass() {
    Canvas c(kCellHeight);
    c.fillCell([](int x, int t) { return Noise(kRampGrass, x, t, 1); });
    return c;
}

Canvas Meadow() {
    Canvas c(kCellHeight);
    c.fillCell([](int x, int t) {
        if (PixelNoise(x, t, 22) % 23 == 0)
            return Colour(kRampFlower, static_cast<int>(PixelNoise(x, t, 23)));
        return Noise(kRampMeadow, x, t, 2);
    });
    return c;
}

Canvas Road(bool marking) {
    Canvas c(kCellHeight);
    c.fillCell([marking](int x, int t) {
        // The dashes repeat with the cell, 16 painted and 16 bare along the edge.
        if (marking && t < 2 && (x + RowShear[static_cast<std::size_t>(t)]) % 32 < 16)
            return Colour(kRampMarking, 3);
        return Noise(kRampRoad, x, t, 3);
    });
    return c;
}

Canvas Field() {
    Canvas c(kCellHeight);
    c.fillCell([](int x, int t) {
        const int furrow = (t / 2) % 2 == 0 ? 2 : 1;
        return Colour(kRampField, furrow + (PixelNoise(x, t, 4) % 7 == 0 ? 1 : 0));
    });
    return c;
}

Canvas Sand() {
    Canvas c(kCellHeight);
    c.fillCell([](int x, int t) { return Noise(kRampSand, x, t, 5); });
    return c;
}

Canvas Rock() {
    Canvas c(kCellHeight);
    c.fillCell([](int x, int t) {
        // A few dark cracks across the stone.
        if ((x + 2 * t) % 19 == 0 || (3 * x - t) % 29 == 0) return Colour(kRampRock, 0);
        return Noise(kRampRock, x, t, 6);
    });
    return c;
}

// Rock split by a dark cleft running along the cell, its edges broken.
Canvas Crevice() {
    Canvas c(kCellHeight);
    c.fillCell([](int x, int t) {
        const int middle = 14 + static_cast<int>(PixelNoise(x / 4, 0, 31) % 5) - 2;
        const int half = 4 + static_cast<int>(PixelNoise(x / 3, 1, 32) % 3);
        const int d = t - middle;
        if (d > -half && d < half)
            return d > -half + 2 && d < half - 1 ? pal::kGrey[0] : Colour(kRampRock, 0);
        return Noise(kRampRock, x, t, 6);
    });
    return c;
}

Canvas Burnt(int salt) {
    Canvas c(kCellHeight);
    c.fillCell([salt](int x, int t) { return Noise(kRampBurnt, x, t, salt); });
    return c;
}

Canvas BurntField() {
    Canvas c(kCellHeight);
    c.fillCell([](int x, int t) {
        return Colour(kRampBurnt,
                      ((t / 2) % 2 == 0 ? 1 : 0) + (PixelNoise(x, t, 8) % 9 == 0 ? 2 : 0));
    });
    return c;
}

Canvas Water(Ramp ramp, int frame) {
    Canvas c(kCellHeight);
    c.fillCell([ramp, frame](int x, int t) {
        // Wave crests drift one step per frame and repeat with the cell.
        const int phase = (x + 2 * t + 4 * frame + RowShear[static_cast<std::size_t>(t)]) % 16;
        if (phase < 2 && t % 7 != 0) return Colour(ramp, 3);
        return Colour(ramp, phase < 5 ? 2 : 1);
    });
    return c;
}

// Tree crowns stand this far above the cell.
constexpr int kCrownRise = 16;
struct Tree {
    int x;
    int y;  // crown centre, from the cell's top
    int r;
};
constexpr std::array<Tree, 3> kTrees = {{{15, -2, 8}, {33, -6, 9}, {24, 8, 8}}};

Canvas Forest() {
    Canvas c(kCellHeight + kCrownRise);
    c.fillCell([](int x, int t) { return Noise(kRampTrunk, x, t, 9); });
    for (const Tree& tree : kTrees) {
        const int cy = c.cellTop() + tree.y;
        for (int y = cy; y < cy + tree.r + 6; ++y) c.set(tree.x, y, Colour(kRampTrunk, 0));
        c.disc(tree.x, cy, tree.r, [](int dx, int dy) {
            // Lit from the top left.
            const int light = (-dx - dy) / 4 + 1 + (PixelNoise(dx, dy, 10) % 5 == 0 ? 1 : 0);
            return Colour(kRampForest, light < 0 ? 0 : light > 3 ? 3 : light);
        });
    }
    return c;
}

Canvas BurntForest() {
    Canvas c(kCellHeight + kCrownRise);
    c.fillCell([](int x, int t) { return Noise(kRampBurnt, x, t, 11); });
    for (const Tree& tree : kTrees) {
        const int cy = c.cellTop() + tree.y;
        for (int y = cy - tree.r / 2; y < cy + tree.r + 6; ++y)
            c.set(tree.x, y, Colour(kRampBurnt, 0));
        for (int k = 1; k < tree.r / 2; ++k) {  // two bare branches
            c.set(tree.x - k, cy - k, Colour(kRampBurnt, 0));
            c.set(tree.x + k, cy - k + 2, Colour(kRampBurnt, 0));
        }
    }
    return c;
}

// Flames over a picture: tongues rising from the cell's middle line, taller in later frames
// of the cycle at other columns.
void AddFlames(Canvas& c, int frame, int baseLine, int maxHeight, int salt) {
    for (int x = 4; x < 44; ++x) {
        const int h =
            maxHeight / 3 + static_cast<int>(PixelNoise(x / 3, frame, salt) % (maxHeight * 2 / 3));
        for (int k = 0; k < h; ++k) {
            const int y = baseLine - k;
            if (PixelNoise(x, y, frame + salt) % 5 == 0) continue;  // gaps make the flame flicker
            c.set(x, y, Colour(kRampFire, k * 4 / (h + 1)));
        }
    }
}

Canvas GroundFire(Ramp ground, int frame) {
    Canvas c(kCellHeight + 8);
    c.fillCell([ground](int x, int t) {
        return PixelNoise(x, t, 12) % 3 == 0 ? Colour(kRampBurnt, 1) : Noise(ground, x, t, 13);
    });
    AddFlames(c, frame, c.cellTop() + 22, 20, 14 + ground);
    return c;
}

Canvas ForestFire(int frame) {
    Canvas c(kCellHeight + kCrownRise + 8);
    const Canvas trees = Forest();
    for (int y = 0; y < trees.height(); ++y)
        for (int x = 0; x < kRunTileWidth; ++x) c.set(x, y + 8, trees.get(x, y));
    for (const Tree& tree : kTrees)
        AddFlames(c, frame + tree.x, c.cellTop() + tree.y + tree.r / 2, tree.r * 2 + 6, 15);
    return c;
}

// A fire put out while fuel was left: the picture as it stood, sooted where the flames were,
// without a flame.
Canvas Doused(Canvas c, int salt) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < kRunTileWidth; ++x)
            if (c.get(x, y) != 0 && PixelNoise(x, y, salt) % 3 == 0)
                c.set(x, y, Colour(kRampBurnt, static_cast<int>(PixelNoise(x, y, salt + 1) % 2)));
    return c;
}

TileAnim Anim(std::uint16_t first, int frames, int ticks, std::uint8_t flag) {
    return {first, static_cast<std::int8_t>(frames), static_cast<std::int8_t>(ticks), flag};
}

}  // namespace

TileSetFile BuildGroundTileSet() {
    TileSetFile set;
    auto add = [&set](const Canvas& c) {
        set.images.push_back(c.encode());
        return static_cast<std::uint16_t>(set.images.size() - 1);
    };
    // Images 0..kCount-1 are the plain tiles, in tile order.
    add(Grass());
    add(Meadow());
    add(Road(false));
    add(Road(true));
    add(Field());
    add(Forest());
    add(Water(kRampWater, 0));
    add(Water(kRampDeepWater, 0));
    add(Sand());
    add(Rock());
    add(Burnt(7));

    const std::uint16_t burntGrass = add(Burnt(16));
    const std::uint16_t burntField = add(BurntField());
    const std::uint16_t burntForest = add(BurntForest());
    const auto frames = [&add](const std::function<Canvas(int)>& draw, int count) {
        const auto first = static_cast<std::uint16_t>(add(draw(0)));
        for (int f = 1; f < count; ++f) add(draw(f));
        return first;
    };
    const std::uint16_t grassFire =
        frames([](int f) { return GroundFire(kRampGrass, f); }, kFireFrames);
    const std::uint16_t fieldFire =
        frames([](int f) { return GroundFire(kRampField, f); }, kFireFrames);
    const std::uint16_t forestFire = frames(ForestFire, kFireFrames);
    const std::uint16_t water = frames([](int f) { return Water(kRampWater, f); }, kWaterFrames);
    const std::uint16_t deepWater =
        frames([](int f) { return Water(kRampDeepWater, f); }, kWaterFrames);

    // A cell put out with fuel left shows its fire image: the doused looks come last, so that
    // the images before them keep their numbers.
    const std::uint16_t dousedGrass = add(Doused(Grass(), 17));
    const std::uint16_t dousedMeadow = add(Doused(Meadow(), 17));
    const std::uint16_t dousedField = add(Doused(Field(), 18));
    const std::uint16_t dousedForest = add(Doused(Forest(), 19));
    // The missions' own grounds follow, each appended as it came.
    const std::uint16_t crevice = add(Crevice());

    const auto still = [](std::uint16_t image) { return TileTyp{image, image, {}, {}}; };
    const auto burns = [](std::uint16_t fire, std::uint16_t doused, std::uint16_t burnt) {
        return TileTyp{doused, burnt, Anim(fire, kFireFrames, kFireTicks, kAnimFire), {}};
    };
    const auto flows = [](std::uint16_t image, std::uint16_t first) {
        return TileTyp{image, image, Anim(first, kWaterFrames, kWaterTicks, kAnimFromStart), {}};
    };
    set.tiles.resize(tile::kCount);
    set.tiles[tile::kGrass] = burns(grassFire, dousedGrass, burntGrass);
    set.tiles[tile::kMeadow] = burns(grassFire, dousedMeadow, burntGrass);
    set.tiles[tile::kRoad] = still(tile::kRoad);
    set.tiles[tile::kRoadMarking] = still(tile::kRoadMarking);
    set.tiles[tile::kField] = burns(fieldFire, dousedField, burntField);
    set.tiles[tile::kForest] = burns(forestFire, dousedForest, burntForest);
    set.tiles[tile::kWater] = flows(tile::kWater, water);
    set.tiles[tile::kDeepWater] = flows(tile::kDeepWater, deepWater);
    set.tiles[tile::kSand] = still(tile::kSand);
    set.tiles[tile::kRock] = still(tile::kRock);
    set.tiles[tile::kBurntGround] = still(tile::kBurntGround);
    set.tiles[tile::kCrevice] = still(crevice);

    // Water starts at a random frame so that the lake does not shimmer in step.
    set.phaseA.assign(set.images.size(), kRandomPhase);
    set.phaseB.assign(set.images.size(), kRandomPhase);
    return set;
}

}  // namespace kv::sampledata
