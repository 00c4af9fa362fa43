#include "generate/level_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>

#include "generate/tile_art.h"
#include "generate/world_tables.h"
#include "writers/tile_set_writer.h"

namespace kv::sampledata {

GroundCell GroundFor(Ground ground) {
    switch (ground) {
        case Ground::Grass:
            return {tile::kGrass, material::kGrass, terrain::kGrass};
        case Ground::Meadow:
            return {tile::kMeadow, material::kGrass, terrain::kMeadow};
        case Ground::Road:
            return {tile::kRoad, material::kNone, terrain::kRoad};
        case Ground::RoadMarking:
            return {tile::kRoadMarking, material::kNone, terrain::kRoad};
        case Ground::Field:
            return {tile::kField, material::kCrop, terrain::kField};
        case Ground::Forest:
            return {tile::kForest, material::kForest, terrain::kTrees};
        case Ground::Water:
            return {tile::kWater, material::kNone, terrain::kWater};
        case Ground::DeepWater:
            return {tile::kDeepWater, material::kNone, terrain::kDeepWater};
        case Ground::Lake:
            return {tile::kDeepWater, material::kNone, terrain::kLake};
        case Ground::Sand:
            return {tile::kSand, material::kNone, terrain::kSand};
        case Ground::Rock:
            return {tile::kRock, material::kNone, terrain::kRock};
        case Ground::BurntGround:
            return {tile::kBurntGround, material::kNone, terrain::kBurntGround};
        case Ground::Bridge:
            return {tile::kRoad, material::kNone, terrain::kBridge};
        case Ground::Paving:
            return {tile::kSand, material::kNone, terrain::kPaving};
        case Ground::Wall:
            return {tile::kRock, material::kNone, terrain::kWall};
        case Ground::Crevice:
            return {tile::kCrevice, material::kNone, terrain::kCrevice};
    }
    return {tile::kGrass, material::kGrass, terrain::kGrass};
}

int DirectionOf(int dx, int dy) {
    // Clockwise from up (-y): the angle of (dx, -dy) measured from the y axis.
    double angle = std::atan2(static_cast<double>(dx), static_cast<double>(-dy));
    if (angle < 0) angle += 2 * std::numbers::pi;
    return static_cast<int>(std::lround(angle / (std::numbers::pi / 6))) % kDirections;
}

LevelBuilder::LevelBuilder(int width, int height, Ground base) {
    level_.width = static_cast<std::uint16_t>(width);
    level_.height = static_cast<std::uint16_t>(height);
    level_.cells.resize(static_cast<std::size_t>(width * height));
    for (int c = 0; c < width; ++c)
        for (int r = 0; r < height; ++r) paintCell(base, c, r);
}

MapCell& LevelBuilder::at(int column, int row) {
    return level_.cells[static_cast<std::size_t>(column * level_.height + row)];
}

const MapCell& LevelBuilder::cell(int column, int row) const {
    return level_.cells[static_cast<std::size_t>(column * level_.height + row)];
}

void LevelBuilder::paintCell(Ground ground, int column, int row) {
    if (column < 0 || column >= level_.width || row < 0 || row >= level_.height) return;
    const GroundCell g = GroundFor(ground);
    MapCell& c = at(column, row);
    c.tile = g.tile;
    // What can burn starts unburnt; a road, water or rock never can, so the cannons' cursor does
    // not offer to spray it.
    c.material = static_cast<std::uint8_t>(g.material |
                                           (g.material == material::kNone ? 0 : kMaterialUnburnt));
    c.terrain = g.terrain;
}

void LevelBuilder::paint(Ground ground, int x0, int y0, int x1, int y1) {
    for (int c = 0; c < level_.width; ++c)
        for (int r = 0; r < level_.height; ++r) {
            const int x = kCellWidth * c - 16 * r + 8;
            const int y = kCellHeight * r + 14;
            if (x >= x0 && x <= x1 && y >= y0 && y <= y1) paintCell(ground, c, r);
        }
}

void LevelBuilder::eastWestRoad(int y0, int y1, int nodeSpacing) {
    // Whole rows, so that the road reaches both edges of the sheared map.
    const int middle = (y0 + y1) / 2;
    int markingRow = -1;
    for (int r = 0; r < level_.height; ++r) {
        const int y = kCellHeight * r + 14;
        if (y < y0 || y > y1) continue;
        // The row whose top edge lies nearest the middle carries the centre line.
        if (markingRow < 0 ||
            std::abs(kCellHeight * r - middle) < std::abs(kCellHeight * markingRow - middle))
            markingRow = r;
        for (int c = 0; c < level_.width; ++c) paintCell(Ground::Road, c, r);
    }
    if (markingRow >= 0)
        for (int c = 0; c < level_.width; ++c) paintCell(Ground::RoadMarking, c, markingRow);

    // The graph runs along the middle from the left edge to the right edge of the map.
    const int right = kCellWidth * level_.width - 16 * level_.height;
    int previous = -1;
    for (int x = 8;; x += nodeSpacing) {
        const bool last = x >= right - 8;
        const int node = addNode(last ? right - 8 : x, middle);
        if (previous >= 0) link(previous, node, terrain::kRoad, kRoadLane);
        previous = node;
        if (last) break;
    }
}

namespace {

// The squared distance from a point to a segment.
double SegmentDistance2(double px, double py, const PixelPos& a, const PixelPos& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - px;
    const double ey = a.y + t * dy - py;
    return ex * ex + ey * ey;
}

}  // namespace

void LevelBuilder::paintAlong(Ground ground, std::initializer_list<PixelPos> points,
                              int halfWidth) {
    const std::vector<PixelPos> line(points);
    const double reach2 = static_cast<double>(halfWidth) * halfWidth;
    for (int c = 0; c < level_.width; ++c)
        for (int r = 0; r < level_.height; ++r) {
            const int x = kCellWidth * c - 16 * r + 8;
            const int y = kCellHeight * r + 14;
            for (std::size_t k = 1; k < line.size(); ++k)
                if (SegmentDistance2(x, y, line[k - 1], line[k]) <= reach2) {
                    paintCell(ground, c, r);
                    break;
                }
        }
}

std::vector<int> LevelBuilder::road(std::initializer_list<PixelPos> points, int halfWidth,
                                    int nodeSpacing) {
    paintAlong(Ground::Road, points, halfWidth);
    const std::vector<PixelPos> line(points);
    std::vector<int> nodes;
    for (std::size_t k = 0; k < line.size(); ++k) {
        if (k > 0) {
            const PixelPos& a = line[k - 1];
            const PixelPos& b = line[k];
            const double length = std::hypot(b.x - a.x, b.y - a.y);
            const int steps = std::max(1, static_cast<int>(std::ceil(length / nodeSpacing)));
            for (int s = 1; s < steps; ++s)
                nodes.push_back(
                    addNode(a.x + (b.x - a.x) * s / steps, a.y + (b.y - a.y) * s / steps));
        }
        nodes.push_back(addNode(line[k].x, line[k].y));
    }
    for (std::size_t k = 1; k < nodes.size(); ++k)
        link(nodes[k - 1], nodes[k], terrain::kRoad, kRoadLane);
    return nodes;
}

int LevelBuilder::nearestNode(int x, int y) const {
    int best = -1;
    long bestDistance = 0;
    for (std::size_t n = 0; n < level_.nodes.size(); ++n) {
        const long dx = level_.nodes[n].x - x;
        const long dy = level_.nodes[n].y - y;
        const long d = dx * dx + dy * dy;
        if (best < 0 || d < bestDistance) {
            best = static_cast<int>(n);
            bestDistance = d;
        }
    }
    return best;
}

std::vector<int> LevelBuilder::branch(PixelPos junction, std::initializer_list<PixelPos> points,
                                      int halfWidth, int nodeSpacing) {
    const int from = nearestNode(junction.x, junction.y);
    std::vector<int> nodes = road(points, halfWidth, nodeSpacing);
    if (from >= 0) link(from, nodes.front(), terrain::kRoad, kRoadLane);
    return nodes;
}

int LevelBuilder::addNode(int x, int y) {
    RoadNode n;
    n.x = static_cast<std::int16_t>(x);
    n.y = static_cast<std::int16_t>(y);
    n.neighbour.fill(kNoNode);
    level_.nodes.push_back(n);
    return static_cast<int>(level_.nodes.size() - 1);
}

void LevelBuilder::link(int a, int b, std::uint8_t terrainRow, std::uint8_t lane) {
    // A node linked to itself would overwrite one of its real links and cut its road in two.
    if (a == b) throw std::logic_error("a road node linked to itself");
    RoadNode& na = level_.nodes[static_cast<std::size_t>(a)];
    RoadNode& nb = level_.nodes[static_cast<std::size_t>(b)];
    const int k = DirectionOf(nb.x - na.x, nb.y - na.y);
    const int back = (k + 6) % kDirections;
    na.neighbour[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(b);
    na.edgeTerrain[static_cast<std::size_t>(k)] = terrainRow;
    na.edgeExtra[static_cast<std::size_t>(k)] = lane;
    nb.neighbour[static_cast<std::size_t>(back)] = static_cast<std::uint16_t>(a);
    nb.edgeTerrain[static_cast<std::size_t>(back)] = terrainRow;
    nb.edgeExtra[static_cast<std::size_t>(back)] = lane;
}

int LevelBuilder::addRoad(std::initializer_list<PixelPos> points, std::uint8_t terrainRow,
                          std::uint8_t lane) {
    int first = -1;
    int previous = -1;
    for (const PixelPos& p : points) {
        const int node = addNode(p.x, p.y);
        if (previous >= 0) link(previous, node, terrainRow, lane);
        if (first < 0) first = node;
        previous = node;
    }
    return first;
}

void LevelBuilder::ignite(int column, int row) {
    level_.burning.push_back({column, row});
}

bool LevelBuilder::write(const OutputTree& out, int mission, bool partTwo) const {
    char name[64];
    std::snprintf(name, sizeof name, "CDmissions\\mi%02d%s.lev", mission, partTwo ? "b" : "");
    if (!out.write(name, WriteLevelFile(level_))) return false;
    std::snprintf(name, sizeof name, "CDmissions\\mi%02d%s.dat", mission, partTwo ? "b" : "");
    return out.write(name, WriteTileSetFile(BuildGroundTileSet()));
}

}  // namespace kv::sampledata
