// House pictures, drawn into the 48-pixel-wide box of a sheared map cell: a cell's floor on its
// bottom 28 lines, its walls rising a storey (31 lines) above its front and right edges, its
// ceiling a storey above its floor.

#include "generate/house_art.h"

#include <array>
#include <functional>

#include "generate/flame_colour.h"
#include "gfx/run_tiles.h"
#include "world/level_map.h"
#include "writers/canvas.h"
#include "writers/pixel_noise.h"
#include "writers/run_tile_writer.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kStorey = 31;
constexpr int kWallHeight = kCellHeight + kStorey;

// The first x of the cell on its line t; it covers 32 pixels from there.
int CellLeft(int t) {
    return 16 - RowShear[static_cast<std::size_t>(t)];
}

// Every pixel of a cell whose line 0 is row top: f(x, t).
void FillCell(Canvas& c, int top, const std::function<std::uint8_t(int x, int t)>& f) {
    for (int t = 0; t < kCellHeight; ++t)
        for (int x = CellLeft(t); x < CellLeft(t) + kCellWidth; ++x) c.set(x, top + t, f(x, t));
}

void OutlineCell(Canvas& c, int top, std::uint8_t colour) {
    for (int t = 0; t < kCellHeight; ++t) {
        c.set(CellLeft(t), top + t, colour);
        c.set(CellLeft(t) + kCellWidth - 1, top + t, colour);
    }
    c.line(CellLeft(0), top, CellLeft(0) + kCellWidth - 1, top, colour);
    c.line(0, top + kCellHeight - 1, kCellWidth - 1, top + kCellHeight - 1, colour);
}

RunImage Encode(const Canvas& c) {
    return EncodeRunImage(c.pixels(), c.height());
}

RunImage Blank() {
    return Encode(Canvas(kRunTileWidth, 1));
}

// Looks a burning or burnt-out part takes; the plain looks name both in their table entries.
struct Looks {
    std::uint16_t burning;
    std::uint16_t burnt;
};

HouseImageSetFile Assemble(const std::vector<std::pair<RunImage, Looks>>& pictures) {
    HouseImageSetFile set;
    for (const auto& [image, looks] : pictures) {
        set.images.push_back(image);
        set.table.push_back(TileTyp{looks.burning, looks.burnt, {}, {}});
    }
    return set;
}

// ---- floors ----

constexpr std::array<PaletteRamp, kHouseHlSetCount> kFloorRamps = {
    pal::kWood, pal::kSand, pal::kConcrete, pal::kEarth,
    pal::kGold, pal::kGrey, pal::kPink,     pal::kViolet,
};

Canvas Floor(int set, bool tiles) {
    const PaletteRamp& ramp = kFloorRamps[static_cast<std::size_t>(set)];
    Canvas c(kRunTileWidth, kCellHeight);
    FillCell(c, 0, [&](int x, int t) {
        const int u = x + RowShear[static_cast<std::size_t>(t)];  // along the rows
        if (tiles) return ramp[((u / 8 + t / 7) % 2 == 0) ? 4 : 2];
        if (t % 7 == 0) return ramp[1];  // the seams between the boards
        return ramp[(PixelNoise(u / 12, t / 7, set) % 3) + 2];
    });
    return c;
}

Canvas FloorOnFire(int set) {
    Canvas c = Floor(set, false);
    FillCell(c, 0, [&](int x, int t) {
        if (PixelNoise(x, t, 31) % 4 == 0)
            return pal::kFire[static_cast<int>(PixelNoise(x, t, 32) % 8)];
        return pal::kAsh[static_cast<int>(PixelNoise(x, t, 33) % 3)];
    });
    return c;
}

Canvas FloorBurnt() {
    Canvas c(kRunTileWidth, kCellHeight);
    FillCell(c, 0,
             [](int x, int t) { return pal::kAsh[static_cast<int>(PixelNoise(x, t, 34) % 4)]; });
    return c;
}

// ---- walls ----

constexpr std::array<PaletteRamp, kHouseUpperSetCount> kWallRamps = {
    pal::kBrick, pal::kConcrete, pal::kSand, pal::kYellow, pal::kOrange, pal::kGrey, pal::kCyan,
};

constexpr int kStationWallSet = 2;

// An open doorway shows the floor behind it, where a player points to work at the entrance; an
// arcade, open between two pillars from the floor to the ceiling, shows the people inside.
enum class Opening { Window, Door, OpenDoor, MarkedDoor, Arcade };
enum class Look { Plain, Burning, Burnt };

struct WallStyle {
    PaletteRamp ramp;
    Look look;
};

std::uint8_t WallColour(const WallStyle& s, int shade, int x, int y) {
    switch (s.look) {
        case Look::Plain:
            return s.ramp[shade];
        case Look::Burning:
            return PixelNoise(x, y, 40) % 5 == 0 ? pal::kAsh[1] : s.ramp[shade - 2];
        case Look::Burnt:
            return pal::kAsh[PixelNoise(x, y, 41) % 3 == 0 ? 2 : 0];
    }
    return s.ramp[shade];
}

std::uint8_t GlassColour(const WallStyle& s, int x, int y) {
    switch (s.look) {
        case Look::Plain:
            return pal::kGlass[(x + y) % 5 == 0 ? 3 : 1];
        case Look::Burning:
            return pal::kFire[static_cast<int>(PixelNoise(x, y, 42) % 4) + 4];
        case Look::Burnt:
            return pal::kAsh[0];  // an empty hole
    }
    return pal::kGlass[1];
}

// The front face stands in two pieces: a sill in the wall picture, drawn over the people in the
// cell, and the rest with the ceiling, which an opened house leaves out so that the people on
// its storey can be seen and pointed at.
constexpr int kSill = 10;

enum class Band { Sill, AboveSill };

// The front face: 32 pixels along the cell's bottom edge, a storey high.
void WholeFrontWall(Canvas& c, const WallStyle& s, Opening opening) {
    const int bottom = kWallHeight - 1;
    for (int y = bottom - kStorey + 1; y <= bottom; ++y)
        for (int x = 0; x < kCellWidth; ++x)
            c.set(x, y, WallColour(s, y == bottom - kStorey + 1 ? 5 : 3, x, y));
    if (opening == Opening::Window) {
        for (int y = bottom - 23; y <= bottom - 12; ++y)
            for (int x = 10; x <= 21; ++x) c.set(x, y, GlassColour(s, x, y));
        c.frameRect(9, bottom - 24, 14, 14, WallColour(s, 1, 0, 0));
        c.line(15, bottom - 23, 15, bottom - 12, WallColour(s, 1, 0, 0));
        return;
    }
    if (opening == Opening::OpenDoor) {
        c.fillRect(10, bottom - 22, 12, 23, 0);
        c.frameRect(9, bottom - 23, 14, 24, WallColour(s, 1, 0, 0));
        return;
    }
    if (opening == Opening::Arcade) {
        c.fillRect(3, bottom - kStorey + 1, 26, kStorey, 0);
        return;
    }
    c.fillRect(10, bottom - 22, 12, 23, s.look == Look::Plain ? pal::kWood[2] : pal::kAsh[1]);
    c.frameRect(9, bottom - 23, 14, 24, WallColour(s, 1, 0, 0));
    c.set(19, bottom - 10, pal::kGold[5]);
    if (opening == Opening::MarkedDoor) {
        c.line(11, bottom - 20, 20, bottom - 4, pal::kWhite.first);
        c.line(20, bottom - 20, 11, bottom - 4, pal::kWhite.first);
    }
}

// One band of the front face, over what c holds there.
void FrontWall(Canvas& c, const WallStyle& s, Opening opening, Band band) {
    Canvas whole(kRunTileWidth, kWallHeight);
    WholeFrontWall(whole, s, opening);
    const int sillTop = kWallHeight - kSill;
    const int from = band == Band::Sill ? sillTop : kWallHeight - kStorey;
    const int to = band == Band::Sill ? kWallHeight : sillTop;
    for (int y = from; y < to; ++y)
        for (int x = 0; x < kCellWidth; ++x) c.set(x, y, whole.at(x, y));
}

// The right face: on each line t of the cell a storey-high column at the cell's right edge.
void RightWall(Canvas& c, const WallStyle& s, Opening opening) {
    const int cellTop = kWallHeight - kCellHeight;
    for (int t = 0; t < kCellHeight; ++t) {
        const int x = CellLeft(t) + kCellWidth - 1;
        const int base = cellTop + t;
        for (int k = 0; k < kStorey; ++k)
            c.set(x, base - k, WallColour(s, k == kStorey - 1 ? 4 : 1, x, base - k));
        const bool inOpening = t >= 8 && t <= 19;
        if (!inOpening) continue;
        if (opening == Opening::Window || opening == Opening::Arcade) {
            for (int k = 12; k <= 22; ++k) c.set(x, base - k, GlassColour(s, x, base - k));
        } else {
            for (int k = 0; k <= 22; ++k)
                c.set(x, base - k,
                      opening == Opening::OpenDoor ? 0
                      : s.look == Look::Plain      ? pal::kWood[1]
                                                   : pal::kAsh[1]);
            if (opening == Opening::MarkedDoor && (t == 10 || t == 17))
                for (int k = 4; k <= 18; ++k) c.set(x, base - k, pal::kWhite.first);
        }
    }
}

struct WallPicture {
    bool front;
    Opening frontOpening;
    bool right;
    Opening rightOpening;
};

Canvas Wall(const WallStyle& s, const WallPicture& p) {
    Canvas c(kRunTileWidth, kWallHeight);
    if (p.right) RightWall(c, s, p.rightOpening);
    if (p.front) FrontWall(c, s, p.frontOpening, Band::Sill);
    return c;
}

// ---- ceilings and roofs ----

enum class Top { Slab, Roof };

// What a ceiling carries of the front face below it: nothing, a wall or a doorway.
enum class Face { None, Wall, Door, MarkedDoor };

Canvas Ceiling(int set, Top top, Look look, bool lamp, bool marked, bool seeThrough,
               Face face = Face::None) {
    const PaletteRamp& slab = pal::kConcrete;
    const PaletteRamp& roof = set % 2 == 0 ? pal::kRoof : pal::kGrey;
    Canvas c(kRunTileWidth, kWallHeight);
    if (seeThrough) {
        OutlineCell(c, 0, top == Top::Roof ? roof[4] : slab[6]);
        return c;
    }
    if (face != Face::None) {
        const WallStyle style{kWallRamps[static_cast<std::size_t>(set)], look};
        const bool station = set == kStationWallSet;
        const Opening opening = face == Face::Wall   ? (station ? Opening::Arcade : Opening::Window)
                                : face == Face::Door ? (station ? Opening::OpenDoor : Opening::Door)
                                                     : Opening::MarkedDoor;
        FrontWall(c, style, opening, Band::AboveSill);
    }
    FillCell(c, 0, [&](int x, int t) -> std::uint8_t {
        if (look == Look::Burnt) return pal::kAsh[static_cast<int>(PixelNoise(x, t, 50) % 3)];
        if (look == Look::Burning && PixelNoise(x, t, 51) % 3 == 0)
            return pal::kFire[static_cast<int>(PixelNoise(x, t, 52) % 8)];
        if (top == Top::Roof) return roof[(t / 4) % 2 == 0 ? 3 : 2];  // rows of roof tiles
        return slab[4];
    });
    // A cornice along the front edge.
    const std::uint8_t edge =
        look == Look::Plain ? (top == Top::Roof ? roof[1] : slab[2]) : pal::kAsh[0];
    c.fillRect(0, kCellHeight, kCellWidth, 3, edge);
    if (lamp) c.fillRect(14, kCellHeight - 4, 4, 3, pal::kYellow[5]);
    if (marked) {
        c.line(10, 8, 22, 20, pal::kFireCrewMark.first);
        c.line(22, 8, 10, 20, pal::kFireCrewMark.first);
    }
    return c;
}

// ---- flames ----

// Tongues of flame rising from a base line, between x0 and x1.
void Tongues(Canvas& c, int x0, int x1, const std::function<int(int x)>& baseFor, int maxHeight,
             int frame, int salt) {
    for (int x = x0; x <= x1; ++x) {
        const int h =
            maxHeight / 3 + static_cast<int>(PixelNoise(x / 3, frame, salt) %
                                             static_cast<std::uint32_t>(maxHeight * 2 / 3 + 1));
        const int base = baseFor(x);
        for (int k = 0; k < h; ++k) {
            if (PixelNoise(x, base - k, frame + salt) % 6 == 0)
                continue;  // gaps make the fire flicker
            c.set(x, base - k, FlameColour(k, h));
        }
    }
}

}  // namespace

HouseImageSetFile BuildHlSet(int set) {
    constexpr std::uint16_t kBurning = 3;
    constexpr std::uint16_t kBurnt = 4;
    return Assemble({
        {Blank(), {0, 0}},
        {Encode(Floor(set, false)), {kBurning, kBurnt}},
        {Encode(Floor(set, true)), {kBurning, kBurnt}},
        {Encode(FloorOnFire(set)), {kBurning, kBurnt}},
        {Encode(FloorBurnt()), {kBurnt, kBurnt}},
    });
}

HouseImageSetFile BuildHmSet(int set) {
    const PaletteRamp& ramp = kWallRamps[static_cast<std::size_t>(set)];
    const WallStyle plain{ramp, Look::Plain};
    const WallStyle burning{ramp, Look::Burning};
    const WallStyle burnt{ramp, Look::Burnt};
    // The underground stations' halls (wall set 2) stand with their entrances open, and their
    // fronts are open arcades, through which a player sees and points at the people inside.
    const bool station = set == kStationWallSet;
    const auto W = station ? Opening::Arcade : Opening::Window;
    const auto D = station ? Opening::OpenDoor : Opening::Door;
    constexpr auto M = Opening::MarkedDoor;
    const WallPicture front{true, W, false, W};
    const WallPicture right{false, W, true, W};
    const WallPicture corner{true, W, true, W};
    // The burning and burnt looks of fronts, right sides and corners.
    constexpr Looks kFrontLooks{12, 15};
    constexpr Looks kRightLooks{13, 16};
    constexpr Looks kCornerLooks{14, 17};
    // A doorway stays a doorway while its wall burns and after, so that the floor behind a
    // burning station hall's entrance can still be pointed at.
    constexpr Looks kFrontDoorLooks{18, 19};
    constexpr Looks kCornerFrontDoorLooks{20, 21};
    constexpr Looks kRightDoorLooks{22, 23};
    constexpr Looks kCornerRightDoorLooks{24, 25};
    const WallPicture frontDoor{true, D, false, W};
    const WallPicture cornerFrontDoor{true, D, true, W};
    const WallPicture rightDoor{false, W, true, D};
    const WallPicture cornerRightDoor{true, W, true, D};
    return Assemble({
        {Blank(), {0, 0}},
        {Encode(Wall(plain, front)), kFrontLooks},
        {Encode(Wall(plain, right)), kRightLooks},
        {Encode(Wall(plain, corner)), kCornerLooks},
        {Encode(Wall(plain, frontDoor)), kFrontDoorLooks},
        {Encode(Wall(plain, {true, M, false, W})), kFrontLooks},
        {Encode(Wall(plain, cornerFrontDoor)), kCornerFrontDoorLooks},
        {Encode(Wall(plain, {true, M, true, W})), kCornerLooks},
        {Encode(Wall(plain, rightDoor)), kRightDoorLooks},
        {Encode(Wall(plain, {false, W, true, M})), kRightLooks},
        {Encode(Wall(plain, cornerRightDoor)), kCornerRightDoorLooks},
        {Encode(Wall(plain, {true, W, true, M})), kCornerLooks},
        {Encode(Wall(burning, front)), kFrontLooks},
        {Encode(Wall(burning, right)), kRightLooks},
        {Encode(Wall(burning, corner)), kCornerLooks},
        {Encode(Wall(burnt, front)), {15, 15}},
        {Encode(Wall(burnt, right)), {16, 16}},
        {Encode(Wall(burnt, corner)), {17, 17}},
        {Encode(Wall(burning, frontDoor)), kFrontDoorLooks},
        {Encode(Wall(burnt, frontDoor)), {19, 19}},
        {Encode(Wall(burning, cornerFrontDoor)), kCornerFrontDoorLooks},
        {Encode(Wall(burnt, cornerFrontDoor)), {21, 21}},
        {Encode(Wall(burning, rightDoor)), kRightDoorLooks},
        {Encode(Wall(burnt, rightDoor)), {23, 23}},
        {Encode(Wall(burning, cornerRightDoor)), kCornerRightDoorLooks},
        {Encode(Wall(burnt, cornerRightDoor)), {25, 25}},
    });
}

HouseImageSetFile BuildHuSet(int set, bool seeThrough) {
    const auto picture = [&](Top top, Look look, bool lamp, bool marked, Face face = Face::None) {
        return Encode(Ceiling(set, top, look, lamp, marked, seeThrough, face));
    };
    constexpr Looks kSlabLooks{7, 9};
    constexpr Looks kRoofLooks{8, 10};
    constexpr Looks kFrontSlabLooks{21, 23};
    constexpr Looks kFrontRoofLooks{22, 24};
    // A door picture is followed by its marked look. Only a door in the front face shows in the
    // band; a door at the side keeps its lamp over a plain front.
    constexpr auto W = Face::Wall;
    constexpr auto D = Face::Door;
    constexpr auto M = Face::MarkedDoor;
    return Assemble({
        {Blank(), {0, 0}},
        {picture(Top::Slab, Look::Plain, false, false), kSlabLooks},
        {picture(Top::Slab, Look::Plain, true, false), kSlabLooks},
        {picture(Top::Slab, Look::Plain, true, true), kSlabLooks},
        {picture(Top::Roof, Look::Plain, false, false), kRoofLooks},
        {picture(Top::Roof, Look::Plain, true, false), kRoofLooks},
        {picture(Top::Roof, Look::Plain, true, true), kRoofLooks},
        {picture(Top::Slab, Look::Burning, false, false), kSlabLooks},
        {picture(Top::Roof, Look::Burning, false, false), kRoofLooks},
        {picture(Top::Slab, Look::Burnt, false, false), {9, 9}},
        {picture(Top::Roof, Look::Burnt, false, false), {10, 10}},
        {picture(Top::Slab, Look::Plain, false, false, W), kFrontSlabLooks},
        {picture(Top::Slab, Look::Plain, true, false, D), kFrontSlabLooks},
        {picture(Top::Slab, Look::Plain, true, true, M), kFrontSlabLooks},
        {picture(Top::Slab, Look::Plain, true, false, W), kFrontSlabLooks},
        {picture(Top::Slab, Look::Plain, true, true, W), kFrontSlabLooks},
        {picture(Top::Roof, Look::Plain, false, false, W), kFrontRoofLooks},
        {picture(Top::Roof, Look::Plain, true, false, D), kFrontRoofLooks},
        {picture(Top::Roof, Look::Plain, true, true, M), kFrontRoofLooks},
        {picture(Top::Roof, Look::Plain, true, false, W), kFrontRoofLooks},
        {picture(Top::Roof, Look::Plain, true, true, W), kFrontRoofLooks},
        {picture(Top::Slab, Look::Burning, false, false, W), kFrontSlabLooks},
        {picture(Top::Roof, Look::Burning, false, false, W), kFrontRoofLooks},
        {picture(Top::Slab, Look::Burnt, false, false, W), {23, 23}},
        {picture(Top::Roof, Look::Burnt, false, false, W), {24, 24}},
    });
}

HouseFlameSetFile BuildFlameSet(FlameLayer layer, int set) {
    HouseFlameSetFile file;
    int frames = 4;
    int height = kCellHeight;
    switch (layer) {
        case FlameLayer::Lower:
            // Flames standing on the floor.
            frames = 4 + set % 3;
            file.ticks = static_cast<std::uint16_t>(1 + set % 3);
            height = kCellHeight + 12 + 3 * set;
            for (int f = 0; f < frames; ++f) {
                Canvas c(kRunTileWidth, height);
                const int floorTop = height - kCellHeight;
                Tongues(
                    c, 4, 43, [floorTop](int x) { return floorTop + 8 + x % 14; }, 12 + 3 * set, f,
                    60 + set);
                file.frames.push_back(Encode(c));
            }
            break;
        case FlameLayer::Middle:
            // Flames out of a front window.
            frames = 4 + set;
            file.ticks = static_cast<std::uint16_t>(1 + set % 2);
            height = kWallHeight;
            for (int f = 0; f < frames; ++f) {
                Canvas c(kRunTileWidth, height);
                Tongues(
                    c, 8, 24, [](int) { return kWallHeight - 13; }, 26 + 4 * set, f, 70 + set);
                file.frames.push_back(Encode(c));
            }
            break;
        case FlameLayer::Upper:
            // Flames over a ceiling or a roof, a storey above the floor.
            frames = 4 + set % 4;
            file.ticks = static_cast<std::uint16_t>(1 + set % 3);
            height = kWallHeight + 10 + set;
            for (int f = 0; f < frames; ++f) {
                Canvas c(kRunTileWidth, height);
                const int slabBottom = height - kWallHeight + kCellHeight - 4;
                Tongues(
                    c, 2, 45, [slabBottom](int x) { return slabBottom - (x * 7) % 20; }, 18 + set,
                    f, 80 + set);
                file.frames.push_back(Encode(c));
            }
            break;
    }
    return file;
}

}  // namespace kv::sampledata
