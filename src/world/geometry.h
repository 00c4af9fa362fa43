#pragma once
// Plane geometry on world pixels (x to the right, y downwards) that movement and many handlers
// share: distances, angles, the nearest point of a segment, line intersection, the two ways of
// putting a vector into one of the twelve directions, ring-index arithmetic, and the outline of an
// impassable region of the sheared cell map with its edge-contact tests.

#include <algorithm>
#include <cstdint>

#include "gfx/primitives.h"

namespace kv {

// Truncated toward zero; values beyond a billion held there, NaN taken as the low end.
inline int TruncInt(float v) {
    v = v > -1e9f ? v : -1e9f;
    v = v < 1e9f ? v : 1e9f;
    return static_cast<int>(v);
}
// Held to the signed 16-bit range.
inline std::int16_t Clamp16(int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

struct PointF {
    float x = 0;
    float y = 0;
};

struct Point16 {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// Four corners; the left and right edges are vertical (an upright rectangle) or follow the row
// shear of the cell map (16 px to the left per 28 px downwards).
struct Quad16 {
    Point16 topLeft;
    Point16 topRight;
    Point16 bottomLeft;
    Point16 bottomRight;
};

// Computed in extended precision.
float DistanceFloat(float x1, float y1, float x2, float y2);
// Over integer squares, the root truncated.
std::int32_t DistanceInt(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);
float DotProduct(float ux, float uy, float vx, float vy);
// 0..180 degrees; 0 when either vector has length 0.
float AngleBetween(float ux, float uy, float vx, float vy);
// The point of segment AB nearest P, written to out; returns the distance from P to it.
float FootOfPerpendicular(float ax, float ay, float bx, float by, float px, float py, PointF& out);
// The intersection of the line through 1 and 2 with the line through 3 and 4: 0 with the point
// written out, 1 when the lines count as parallel (their direction classes are equal or
// opposite, even when they are not exactly parallel).
std::uint8_t IntersectLines(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                            float y4, PointF& out);

// The direction 0..11 of the vector from 1 to 2 in 30-degree sectors; fallback for a zero vector.
std::uint8_t ClassifyDirection(float x1, float y1, float x2, float y2, std::uint8_t fallback);
// The direction of a vector the way units step: each quadrant split at the ratios 4/7, 1 and 7/4,
// flat below 1 and steep from 1.
std::uint8_t ClassifyDirectionWide(float x1, float y1, float x2, float y2);

// a - b in a ring of n + 1 entries.
std::uint8_t SubWrapByte(std::uint8_t a, std::uint8_t b, std::uint8_t n);
// x modulo 25 as 0..24: an index of the step ring.
std::uint8_t WrapMod25(std::int8_t x);
// x modulo n as 0..n-1; 0 for n 0.
std::uint8_t ModN(std::int8_t x, std::uint8_t n);

// The region of cells impassable for a movement class around one such cell, as a sheared
// parallelogram of whole cells.
struct TerrainExtents {
    std::int16_t column = 0;  // leftmost column
    std::int16_t row = 0;     // top row
    std::int16_t columns = 0;
    std::int16_t bottomRow = 0;
    Quad16 outline;
};
// 0 when the region reaches across the whole map (left to right or top to bottom), else 1. Reads
// no cell outside the map.
std::uint8_t GetExtentsOfTerrain(int column, int row, int moveClass, TerrainExtents& out);
// Whether a region's outline reaches from the map's left edge to its right, or from its top to
// its bottom.
bool SpansMapAcross(const Quad16& q);
bool SpansMapDown(const Quad16& q);
// x of a sheared quad's left edge on pixel line y (at or below its top).
int ShearedLeftX(const Quad16& q, int y);

// Side masks of a rectangle against a quadrilateral: 0 apart; 1 the quad's left edge lies in the
// rectangle, 2 its top edge, 4 its right edge, 8 its bottom edge; 15 for a rectangle inside the
// quad that meets no edge.
std::uint8_t TestRectQuadOverlap(const Rect16& rect, const Quad16& quad);
// The same for a cell outline given by its top-left, bottom-left and bottom-right x, with the
// neighbour bits 0x40 left, 0x80 top, 0x10 right, 0x20 bottom; 0 also for an overlap meeting no
// edge.
std::uint8_t TestRectCellOverlap(Point16 topLeft, Point16 bottomLeft, std::int16_t bottomRightX,
                                 const Rect16& rect);

}  // namespace kv
