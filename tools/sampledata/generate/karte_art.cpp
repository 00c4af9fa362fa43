// The campaign map: the region's map picture with its roads, rivers, woods and towns; the mission
// marker and its label; the bases' marks and names; the camera box; the vehicles' signs;
// each mission's road picture with its stations' roads to the site. All of it is
// drawn in screen coordinates, as the map shows it at (10, 10).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "generate/map_roads.h"
#include "generate/topics.h"
#include "mission/campaign_tables.h"
#include "screens/basis.h"
#include "screens/karte.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/pixel_noise.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kMapWidth = 780;
constexpr int kMapHeight = 580;

struct Point {
    int x;
    int y;
};

// Where a station's map road begins: beside its plate, just below its bottom-left corner.
Point RoadStart(int base) {
    const Basis& plate = kBasisPlates[static_cast<std::size_t>(base)];
    return {plate.x - 4, plate.y + 19};
}

// The bends of a station's road on its way to a mission's site; a road without a row runs
// straight from its start to the site. Every bend is one diagonal step, so that no road pixel
// touches more than the two it lies between: the map walks the roads rightmost-first.
struct MapRoadBends {
    int mission;
    int base;
    std::span<const Point> bends;
};
constexpr std::array<Point, 4> kBendsM01Basis0 = {{{306, 391}, {305, 392}, {266, 392}, {242, 368}}};
// Mission 2's five roads each end on their own pixel beside the site; the last drawn takes the
// site.
constexpr std::array<Point, 1> kBendsM02Basis0 = {{{524, 353}}};
constexpr std::array<Point, 1> kBendsM02Basis1 = {{{524, 354}}};
constexpr std::array<Point, 1> kBendsM02Basis2 = {{{526, 354}}};
constexpr std::array<Point, 1> kBendsM02Basis3 = {{{525, 354}}};
constexpr std::array<Point, 1> kBendsM02Basis4 = {{{526, 352}}};
// Mission 3's five roads come into its site from five sides in the order they lie round it: the
// farthest from the south-west, then west, north-west, north and north-east.
constexpr std::array<Point, 1> kBendsM03Basis0 = {{{670, 538}}};
constexpr std::array<Point, 1> kBendsM03Basis1 = {{{672, 548}}};
constexpr std::array<Point, 1> kBendsM03Basis2 = {{{674, 530}}};
constexpr std::array<Point, 1> kBendsM03Basis3 = {{{682, 526}}};
constexpr std::array<Point, 1> kBendsM03Basis4 = {{{690, 530}}};
// Mission 4's five roads come into its site from the west, north-west, north, north-east and
// east, each on a last stretch of its own; base 4's, drawn last, takes the site.
constexpr std::array<Point, 1> kBendsM04Basis0 = {{{558, 482}}};
constexpr std::array<Point, 1> kBendsM04Basis1 = {{{556, 492}}};
constexpr std::array<Point, 1> kBendsM04Basis3 = {{{566, 478}}};
constexpr std::array<Point, 1> kBendsM04Basis4 = {{{578, 480}}};
// Mission 8's five roads each end on their own pixel beside the site, as mission 2's do.
constexpr std::array<Point, 1> kBendsM08Basis0 = {{{459, 370}}};
constexpr std::array<Point, 1> kBendsM08Basis1 = {{{459, 371}}};
constexpr std::array<Point, 1> kBendsM08Basis2 = {{{461, 371}}};
constexpr std::array<Point, 1> kBendsM08Basis3 = {{{460, 371}}};
constexpr std::array<Point, 1> kBendsM08Basis4 = {{{461, 369}}};
// Mission 9's four roads come in from the west and south, each to its own pixel beside the site
// in the order they lie round it.
constexpr std::array<Point, 1> kBendsM09Basis0 = {{{628, 372}}};
constexpr std::array<Point, 1> kBendsM09Basis1 = {{{628, 373}}};
constexpr std::array<Point, 1> kBendsM09Basis2 = {{{629, 374}}};
constexpr std::array<Point, 1> kBendsM09Basis3 = {{{628, 374}}};
// Mission 11's five roads come into its site from the west, south-west, south, south-east and
// east, each on a short straight of its own, so that none runs over another near the site.
constexpr std::array<Point, 2> kBendsM11Basis0 = {{{515, 81}, {521, 75}}};
constexpr std::array<Point, 2> kBendsM11Basis1 = {{{515, 74}, {521, 74}}};
constexpr std::array<Point, 2> kBendsM11Basis2 = {{{529, 81}, {523, 75}}};
constexpr std::array<Point, 2> kBendsM11Basis3 = {{{522, 81}, {522, 75}}};
constexpr std::array<Point, 2> kBendsM11Basis4 = {{{529, 73}, {523, 73}}};
// Mission 16's three roads come to the site from the north-west and, on diagonals, from the
// south-west, each to a pixel of its own beside it, so that no later road draws over an earlier
// one.
constexpr std::array<Point, 2> kBendsM16Basis0 = {{{606, 326}, {623, 343}}};
constexpr std::array<Point, 2> kBendsM16Basis1 = {{{606, 361}, {623, 344}}};
constexpr std::array<Point, 2> kBendsM16Basis3 = {{{540, 429}, {625, 344}}};
// Mission 17's three roads come to the site from the west, the south-west and the south, each on a
// pixel of its own, so that no later road draws over an earlier one.
constexpr std::array<Point, 1> kBendsM17Basis0 = {{{613, 362}}};
constexpr std::array<Point, 2> kBendsM17Basis1 = {{{590, 366}, {613, 363}}};
constexpr std::array<Point, 1> kBendsM17Basis3 = {{{614, 363}}};
// Mission 20's three roads come up to its site from the south-east, the south and the east, each
// to a pixel of its own beside it; base 2's, drawn last, takes the site.
constexpr std::array<Point, 1> kBendsM20Basis0 = {{{112, 147}}};
constexpr std::array<Point, 1> kBendsM20Basis1 = {{{111, 147}}};
constexpr std::array<Point, 1> kBendsM20Basis2 = {{{112, 146}}};
// Mission 21's four roads all come from the lower right: each fans out to a pixel of its own
// beside the site, so that none crosses another; base 3's, drawn last, takes the site.
constexpr std::array<Point, 2> kBendsM21Basis0 = {{{118, 330}, {93, 334}}};
constexpr std::array<Point, 2> kBendsM21Basis1 = {{{100, 360}, {92, 336}}};
constexpr std::array<Point, 2> kBendsM21Basis2 = {{{115, 352}, {93, 336}}};
constexpr std::array<Point, 2> kBendsM21Basis3 = {{{118, 339}, {93, 335}}};
// Mission 18's six roads each end on a pixel of their own round the site, from the side they come
// from, so that no later road draws over an earlier one.
constexpr std::array<Point, 1> kBendsM18Basis0 = {{{339, 261}}};
constexpr std::array<Point, 1> kBendsM18Basis1 = {{{339, 260}}};
constexpr std::array<Point, 1> kBendsM18Basis2 = {{{341, 260}}};
constexpr std::array<Point, 1> kBendsM18Basis3 = {{{341, 261}}};
constexpr std::array<Point, 1> kBendsM18Basis4 = {{{341, 259}}};
constexpr std::array<Point, 1> kBendsM18Basis5 = {{{340, 261}}};
// Mission 24's stations 0 and 1 lie west of the site at nearly one angle: their roads end above
// and below it, so that neither covers the other's last stretch.
constexpr std::array<Point, 1> kBendsM24Basis0 = {{{532, 318}}};
constexpr std::array<Point, 1> kBendsM24Basis1 = {{{532, 320}}};
constexpr std::array<Point, 1> kBendsM24Basis3 = {{{534, 320}}};
// Mission 29's site lies a pixel above mission 9's: its four roads end as those do, round it.
constexpr std::array<Point, 1> kBendsM29Basis0 = {{{628, 371}}};
constexpr std::array<Point, 1> kBendsM29Basis1 = {{{628, 372}}};
constexpr std::array<Point, 1> kBendsM29Basis2 = {{{629, 373}}};
constexpr std::array<Point, 1> kBendsM29Basis3 = {{{628, 373}}};
// One row per mission and station, in mission order.
// clang-format off
constexpr std::array kMapRoadBends = {
    MapRoadBends{1, 0, kBendsM01Basis0},
    MapRoadBends{2, 0, kBendsM02Basis0},
    MapRoadBends{2, 1, kBendsM02Basis1},
    MapRoadBends{2, 2, kBendsM02Basis2},
    MapRoadBends{2, 3, kBendsM02Basis3},
    MapRoadBends{2, 4, kBendsM02Basis4},
    MapRoadBends{3, 0, kBendsM03Basis0},
    MapRoadBends{3, 1, kBendsM03Basis1},
    MapRoadBends{3, 2, kBendsM03Basis2},
    MapRoadBends{3, 3, kBendsM03Basis3},
    MapRoadBends{3, 4, kBendsM03Basis4},
    MapRoadBends{4, 0, kBendsM04Basis0},
    MapRoadBends{4, 1, kBendsM04Basis1},
    MapRoadBends{4, 3, kBendsM04Basis3},
    MapRoadBends{4, 4, kBendsM04Basis4},
    MapRoadBends{8, 0, kBendsM08Basis0},
    MapRoadBends{8, 1, kBendsM08Basis1},
    MapRoadBends{8, 2, kBendsM08Basis2},
    MapRoadBends{8, 3, kBendsM08Basis3},
    MapRoadBends{8, 4, kBendsM08Basis4},
    MapRoadBends{9, 0, kBendsM09Basis0},
    MapRoadBends{9, 1, kBendsM09Basis1},
    MapRoadBends{9, 2, kBendsM09Basis2},
    MapRoadBends{9, 3, kBendsM09Basis3},
    MapRoadBends{11, 0, kBendsM11Basis0},
    MapRoadBends{11, 1, kBendsM11Basis1},
    MapRoadBends{11, 2, kBendsM11Basis2},
    MapRoadBends{11, 3, kBendsM11Basis3},
    MapRoadBends{11, 4, kBendsM11Basis4},
    MapRoadBends{16, 0, kBendsM16Basis0},
    MapRoadBends{16, 1, kBendsM16Basis1},
    MapRoadBends{16, 3, kBendsM16Basis3},
    MapRoadBends{17, 0, kBendsM17Basis0},
    MapRoadBends{17, 1, kBendsM17Basis1},
    MapRoadBends{17, 3, kBendsM17Basis3},
    MapRoadBends{18, 0, kBendsM18Basis0},
    MapRoadBends{18, 1, kBendsM18Basis1},
    MapRoadBends{18, 2, kBendsM18Basis2},
    MapRoadBends{18, 3, kBendsM18Basis3},
    MapRoadBends{18, 4, kBendsM18Basis4},
    MapRoadBends{18, 5, kBendsM18Basis5},
    MapRoadBends{20, 0, kBendsM20Basis0},
    MapRoadBends{20, 1, kBendsM20Basis1},
    MapRoadBends{20, 2, kBendsM20Basis2},
    MapRoadBends{21, 0, kBendsM21Basis0},
    MapRoadBends{21, 1, kBendsM21Basis1},
    MapRoadBends{21, 2, kBendsM21Basis2},
    MapRoadBends{21, 3, kBendsM21Basis3},
    MapRoadBends{24, 0, kBendsM24Basis0},
    MapRoadBends{24, 1, kBendsM24Basis1},
    MapRoadBends{24, 3, kBendsM24Basis3},
    // Mission 25 plays on mission 4's site: its roads come in as those do.
    MapRoadBends{25, 0, kBendsM04Basis0},
    MapRoadBends{25, 1, kBendsM04Basis1},
    MapRoadBends{25, 3, kBendsM04Basis3},
    MapRoadBends{29, 0, kBendsM29Basis0},
    MapRoadBends{29, 1, kBendsM29Basis1},
    MapRoadBends{29, 2, kBendsM29Basis2},
    MapRoadBends{29, 3, kBendsM29Basis3},
};
// clang-format on

// A station's road to a mission's site: its start, its bends, the mission's marker.
std::vector<Point> MapRoad(int mission, int base) {
    std::vector<Point> road = {RoadStart(base)};
    for (const MapRoadBends& b : kMapRoadBends)
        if (b.mission == mission && b.base == base)
            road.insert(road.end(), b.bends.begin(), b.bends.end());
    const KartePoint site = KarteMarkers[static_cast<std::size_t>(mission)];
    road.push_back({site.x, site.y});
    return road;
}

// The region's main roads, as the map shows them, in screen points.
const std::vector<std::vector<Point>>& MainRoads() {
    static const std::vector<std::vector<Point>> roads = {
        {{10, 322}, {120, 330}, {200, 346}, {242, 352}, {330, 318}},   // the federal road
        {{330, 318}, {420, 290}, {520, 240}, {600, 190}, {640, 170}},  // on to the airfield
        {{140, 410}, {200, 400}, {266, 392}, {306, 392}},              // west to the station
        {{306, 392}, {380, 420}, {470, 425}, {520, 430}, {600, 470}},  // through the town
        {{520, 430}, {505, 480}, {500, 545}},                          // down to the harbour
        {{600, 470}, {660, 440}, {720, 400}, {790, 380}},              // east
        {{420, 290}, {430, 200}, {440, 120}, {450, 10}},               // north
    };
    return roads;
}

std::uint8_t Noise(int x, int y, int salt, int range) {
    return static_cast<std::uint8_t>(PixelNoise(x, y, salt) % static_cast<std::uint32_t>(range));
}

// A line widened by drawing it again beside itself, across its main direction.
void WideLine(Canvas& c, Point a, Point b, int width, std::uint8_t colour) {
    const bool steep = std::abs(b.y - a.y) > std::abs(b.x - a.x);
    for (int k = -(width / 2); k < width - width / 2; ++k) {
        if (steep) {
            c.line(a.x + k, a.y, b.x + k, b.y, colour);
        } else {
            c.line(a.x, a.y + k, b.x, b.y + k, colour);
        }
    }
}

// Blobs of circles around a centre: woods, the lake, the sea's bays.
void Blob(Canvas& c, Point centre, int spread, int count, int radius, int salt,
          std::span<const std::uint8_t> colours) {
    for (int k = 0; k < count; ++k) {
        const int dx = static_cast<int>(PixelNoise(k, 1, salt) % (2 * spread + 1)) - spread;
        const int dy = static_cast<int>(PixelNoise(k, 2, salt) % (2 * spread + 1)) - spread;
        const int r = radius / 2 + static_cast<int>(PixelNoise(k, 3, salt) % (radius + 1));
        c.fillCircle(centre.x + dx, centre.y + dy, r,
                     colours[PixelNoise(k, 4, salt) % colours.size()]);
    }
}

// Houses in rows around a town's centre.
void Town(Canvas& c, Point centre, int size, int salt) {
    for (int row = -size; row <= size; ++row)
        for (int col = -size; col <= size; ++col) {
            if (PixelNoise(col, row, salt) % 3 == 0) continue;
            const int x = centre.x + col * 9;
            const int y = centre.y + row * 8;
            const std::uint8_t roof =
                PixelNoise(col, row, salt + 1) % 2 == 0 ? pal::kRoof[3] : pal::kBrick[2];
            c.fillRect(x, y, 6, 5, roof);
        }
}

// The map of the region, drawn on a canvas that covers the whole screen; the picture is its part
// from (10, 10).
Canvas KarteScreen() {
    Canvas c(800, 600, pal::kGrass[5]);
    // Meadows and fields in a patchwork.
    for (int y = 10; y < 590; y += 2)
        for (int x = 10; x < 790; x += 2)
            if (Noise(x / 40, y / 30, 1, 5) == 0) c.fillRect(x, y, 2, 2, pal::kSand[3]);
    for (int y = 10; y < 590; ++y)
        for (int x = 10; x < 790; ++x)
            if (Noise(x, y, 2, 9) == 0) c.set(x, y, pal::kGrass[3]);
    // Woods, the lake and the sea in the south-east.
    const std::uint8_t woods[] = {pal::kFoliage[1], pal::kFoliage[2], pal::kFoliage[3]};
    Blob(c, {130, 160}, 60, 40, 16, 3, woods);
    Blob(c, {700, 300}, 50, 30, 14, 4, woods);
    Blob(c, {380, 470}, 30, 14, 10, 5, woods);
    Blob(c, {90, 500}, 40, 20, 12, 6, woods);
    const std::uint8_t water[] = {pal::kWater[3], pal::kWater[4]};
    Blob(c, {660, 250}, 18, 10, 14, 7, water);
    for (int x = 360; x < 790; ++x) {
        const int coast =
            562 - (x - 360) / 12 + static_cast<int>(std::lround(5.0 * std::sin(x / 23.0)));
        c.fillRect(x, coast, 1, 600 - coast, pal::kWater[3]);
    }
    // The river from the north down to the sea.
    const std::array<Point, 6> river = {
        {{560, 10}, {540, 120}, {580, 230}, {560, 340}, {620, 450}, {640, 560}}};
    for (std::size_t k = 1; k < river.size(); ++k)
        WideLine(c, river[k - 1], river[k], 5, pal::kWater[4]);
    // Towns around the stations and the harbour.
    Town(c, {360, 290}, 3, 9);
    Town(c, {170, 440}, 2, 10);
    Town(c, {560, 400}, 4, 11);
    Town(c, {450, 520}, 2, 12);
    // The airfield's runway.
    WideLine(c, {650, 110}, {760, 150}, 9, pal::kConcrete[5]);
    for (int k = 0; k < 100; k += 16)
        c.line(655 + k, 112 + k * 40 / 110, 662 + k, 115 + k * 40 / 110, pal::kWhite.first);
    // The roads: the main roads wide and dark, base 0's road to mission 1's site beside them.
    for (const std::vector<Point>& road : MainRoads())
        for (std::size_t k = 1; k < road.size(); ++k)
            WideLine(c, road[k - 1], road[k], 3, pal::kRoad[1]);
    const std::vector<Point> roadM01 = MapRoad(1, 0);
    for (std::size_t k = 1; k < roadM01.size(); ++k)
        WideLine(c, roadM01[k - 1], roadM01[k], 3, pal::kRoad[2]);
    // The chart's grid, its frame, the north arrow and the title.
    for (int x = 110; x < 790; x += 100)
        for (int y = 10; y < 590; y += 4) c.set(x, y, pal::kGrey[8]);
    for (int y = 110; y < 590; y += 100)
        for (int x = 10; x < 790; x += 4) c.set(x, y, pal::kGrey[8]);
    for (int k = 0; k < 7; ++k)
        c.text(58 + 100 * k, 14, std::string(1, static_cast<char>('A' + k)), 1, pal::kGrey[3]);
    for (int k = 0; k < 5; ++k) c.text(14, 54 + 100 * k, std::to_string(k + 1), 1, pal::kGrey[3]);
    c.frameRect(10, 10, kMapWidth, kMapHeight, pal::kGrey[2]);
    c.frameRect(12, 12, kMapWidth - 4, kMapHeight - 4, pal::kGrey[2]);
    c.fillCircle(60, 540, 14, pal::kSand[5]);
    c.circle(60, 540, 14, pal::kGrey[2]);
    c.line(60, 528, 60, 552, pal::kGrey[2]);
    c.line(48, 540, 72, 540, pal::kGrey[2]);
    c.fillRect(57, 527, 7, 6, pal::kFireBrigadeRed.first);
    c.text(57, 512, "N", 1, pal::kGrey[2]);
    c.text(600, 20, "LANDKREIS KESTRIVON", 1, pal::kGrey[2]);
    return c;
}

std::vector<Canvas> KartePicture() {
    const Canvas screen = KarteScreen();
    Canvas c(kMapWidth, kMapHeight);
    for (int y = 0; y < kMapHeight; ++y)
        for (int x = 0; x < kMapWidth; ++x) c.set(x, y, screen.at(x + kKarteX, y + kKarteY));
    return {c};
}

// A ring with a cross, growing from frame to frame; the map shows frame 2.
std::vector<Canvas> MarkerPicture() {
    std::vector<Canvas> frames;
    for (int k = 0; k < 5; ++k) {
        Canvas c(24, 24);
        const int r = 7 + k;
        c.fillCircle(12, 12, std::min(r, 11), pal::kFireCrewMark.first);
        c.fillCircle(12, 12, std::min(r, 11) - 3, pal::kWhite.first);
        c.fillCircle(12, 12, 3, pal::kFireCrewMark.first);
        frames.push_back(std::move(c));
    }
    return frames;
}

// Light letters on a dark box, framed.
Canvas Label(std::string_view text, int width, int height, std::uint8_t letters, std::uint8_t box) {
    Canvas c(width, height, box);
    c.frameRect(0, 0, width, height, letters);
    c.text((width - Canvas::textWidth(text, 1)) / 2, (height - Canvas::textHeight(1)) / 2, text, 1,
           letters);
    return c;
}

// The marks of the bases: a station's shield, enterable or greyed.
std::vector<Canvas> BasisMarks() {
    std::vector<Canvas> frames;
    for (const bool grey : {false, true}) {
        Canvas c(20, 16, grey ? pal::kGrey[6] : pal::kFireBrigadeRed.first);
        c.frameRect(0, 0, 20, 16, pal::kPanelDark.first);
        c.fillRect(5, 4, 10, 8, grey ? pal::kGrey[10] : pal::kWhite.first);
        c.fillRect(8, 6, 4, 6, grey ? pal::kGrey[6] : pal::kFireBrigadeRed.first);
        frames.push_back(std::move(c));
    }
    return frames;
}

constexpr std::array<std::string_view, kBasisCount> kBasisNames = {
    "WACHE NORD", "WACHE WEST", "HAUPTWACHE", "LUFTRETTUNG", "FLUGPLATZ", "HAFEN"};

std::vector<Canvas> BasisNames(bool grey) {
    std::vector<Canvas> frames;
    for (std::string_view name : kBasisNames)
        frames.push_back(Label(name, 120, 16, grey ? pal::kGrey[9] : pal::kWhite.first,
                               grey ? pal::kGrey[4] : pal::kPanelDark.first));
    return frames;
}

// The camera box: a film camera over the word that sends the player into play.
std::vector<Canvas> MapCam() {
    Canvas c(100, 70, pal::kPanel[2]);
    c.frameRect(0, 0, 100, 70, pal::kLightGrey.first);
    c.frameRect(2, 2, 96, 66, pal::kPanel[6]);
    c.fillRect(22, 18, 40, 24, pal::kGrey[3]);
    c.frameRect(22, 18, 40, 24, pal::kLightGrey.first);
    c.fillCircle(32, 13, 6, pal::kGrey[5]);
    c.fillCircle(50, 13, 6, pal::kGrey[5]);
    c.fillRect(62, 24, 14, 12, pal::kGrey[5]);
    c.fillCircle(42, 30, 6, pal::kSky[3]);
    c.text((100 - Canvas::textWidth("EINSATZ", 1)) / 2, 52, "EINSATZ", 1, pal::kWhite.first);
    return {c};
}

std::vector<Canvas> MapInfo() {
    return {Label("EINSATZORT", 70, 13, pal::kWhite.first, pal::kFireBrigadeDark.first)};
}

// A sign with the type's name over each vehicle on the map; the empty type 24 has a blank one.
std::vector<Canvas> VehicleSigns() {
    std::vector<Canvas> frames;
    for (const FahrzeugTypName& t : kFahrzeugTypNames) {
        const int width = std::max(12, Canvas::textWidth(t.name, 1) + 3);
        Canvas c(width, 11, pal::kLightGrey.first);
        c.frameRect(0, 0, width, 11, pal::kPanelDark.first);
        c.text(2, 2, t.name, 1, pal::kPanelDark.first);
        frames.push_back(std::move(c));
    }
    return frames;
}

}  // namespace

// The roads of a mission's open stations to its site, one pixel wide, each in its station's
// colour and its first pixel in the start colour.
std::vector<Canvas> MapWege(int mission) {
    Canvas c(800, 600);
    const auto& open = BasisAvailability[static_cast<std::size_t>(mission - 1)];
    for (int n = 0; n < kBasisCount; ++n) {
        if (open[static_cast<std::size_t>(n)] != kBasisOpen) continue;
        const std::vector<Point> road = MapRoad(mission, n);
        const std::uint8_t colour = pal::kMapRoads[static_cast<std::size_t>(n)][1];
        for (std::size_t k = 1; k < road.size(); ++k)
            c.line(road[k - 1].x, road[k - 1].y, road[k].x, road[k].y, colour);
        c.set(road[0].x, road[0].y, pal::kMapRoads[static_cast<std::size_t>(n)][0]);
    }
    return {c};
}

namespace {

std::vector<Canvas> ArtFor(const KartePictureFile& file) {
    if (file.held == &KarteImages) return KartePicture();
    if (file.held == &KartePointImages) return MarkerPicture();
    if (file.held == &BasisMarkeImages) return BasisMarks();
    if (file.held == &MapCamImages) return MapCam();
    if (file.held == &MapInfoImages) return MapInfo();
    if (file.held == &BasisInfoImages) return BasisNames(false);
    if (file.held == &BasisInfoGreyImages) return BasisNames(true);
    if (file.held == &MapCarSchilderImages) return VehicleSigns();
    return {};
}

}  // namespace

bool WriteKarte(const OutputTree& out) {
    for (const KartePictureFile& file : kKartePictureFiles)
        if (!out.write(file.path, MakeVff(ArtFor(file)))) return false;
    return true;
}

}  // namespace kv::sampledata
