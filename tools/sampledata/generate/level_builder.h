#pragma once
// A mission's level described in a few lines: its size, areas of ground painted in world
// pixels, roads with their road graph, and the cells burning at the start. Writes the level file
// and the tile set of a mission.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "writers/level_writer.h"
#include "writers/output_tree.h"

namespace kv::sampledata {

enum class Ground : std::uint8_t {
    Grass,
    Meadow,
    Road,
    RoadMarking,
    Field,
    Forest,
    Water,
    DeepWater,
    Lake,
    Sand,
    Rock,
    BurntGround,
    Bridge,
    // A town's pavements and squares: vehicles and persons go almost as on a road, nothing burns.
    Paving,
    // A wall round a compound: nobody passes.
    Wall,
    // A cleft in the rock: nobody on the ground passes; aircraft fly over.
    Crevice,
};

// What a cell of a ground gets.
struct GroundCell {
    std::uint16_t tile;
    std::uint8_t material;  // fire class, without the unburnt bit
    std::uint8_t terrain;
};
GroundCell GroundFor(Ground ground);

class LevelBuilder {
  public:
    LevelBuilder(int width, int height, Ground base = Ground::Grass);
    int width() const { return level_.width; }
    int height() const { return level_.height; }

    void paintCell(Ground ground, int column, int row);
    // Every cell whose middle (x 32c - 16r + 8, y 28r + 14) lies in the rectangle, edges included.
    void paint(Ground ground, int x0, int y0, int x1, int y1);
    // Every cell whose middle lies within halfWidth of a segment of the polyline.
    void paintAlong(Ground ground, std::initializer_list<PixelPos> points, int halfWidth);
    // A road from one edge of the map to the other along a band of y: asphalt with a dashed
    // centre line on the row nearest the middle of the band, and a road graph along the middle.
    void eastWestRoad(int y0, int y1, int nodeSpacing);
    // A road along a polyline: asphalt as paintAlong lays it, and a road graph with a node at each
    // point and at most nodeSpacing apart between. Returns the nodes in order.
    std::vector<int> road(std::initializer_list<PixelPos> points, int halfWidth, int nodeSpacing);

    // The road graph. Nodes are world points; a link joins two nodes both ways, each end in the
    // direction of the other, with the edge's terrain and lane offset.
    int addNode(int x, int y);
    void link(int a, int b, std::uint8_t terrain, std::uint8_t lane);
    // Nodes at the points, each linked to the next; returns the first node.
    int addRoad(std::initializer_list<PixelPos> points, std::uint8_t terrain, std::uint8_t lane);
    // The node nearest to the point; -1 without nodes.
    int nearestNode(int x, int y) const;
    // A road leaving the graph at the node nearest to the junction point, found before the road's
    // own nodes exist (else it could be the road's first node, and the road would join itself).
    std::vector<int> branch(PixelPos junction, std::initializer_list<PixelPos> points,
                            int halfWidth, int nodeSpacing);

    void ignite(int column, int row);

    const MapCell& cell(int column, int row) const;
    const LevelFile& level() const { return level_; }
    // "CDmissions\mi%02d.lev" and "CDmissions\mi%02d.dat" ("b" before the dot for a second part).
    bool write(const OutputTree& out, int mission, bool partTwo) const;

  private:
    MapCell& at(int column, int row);
    LevelFile level_;
};

// Lane offset of the road graph's edges: vehicles keep this far right of the middle.
inline constexpr std::uint8_t kRoadLane = 24;

// The direction 0..11 (clockwise from up) nearest to a vector.
int DirectionOf(int dx, int dy);

}  // namespace kv::sampledata
