#include "world/geometry.h"

#include <algorithm>
#include <cmath>

#include "core/mission_state.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv {

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;
// The band tests multiply by these instead of dividing.
constexpr long double kOneSeventh = 1.0L / 7;
constexpr long double kOneFifteenth = 1.0L / 15;

long double Ext(float v) {
    return static_cast<long double>(v);
}

bool Within(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

}  // namespace

float DistanceFloat(float x1, float y1, float x2, float y2) {
    const long double dx = Ext(x2) - Ext(x1);
    const long double dy = Ext(y2) - Ext(y1);
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

std::int32_t DistanceInt(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
    // 64-bit squares: two i16 differences squared and summed overflow 32 bits.
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    return static_cast<std::int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

float DotProduct(float ux, float uy, float vx, float vy) {
    return static_cast<float>(Ext(ux) * vx + Ext(uy) * vy);
}

float AngleBetween(float ux, float uy, float vx, float vy) {
    const long double lengthU = std::sqrt(Ext(ux) * ux + Ext(uy) * uy);
    const long double lengthV = std::sqrt(Ext(vx) * vx + Ext(vy) * vy);
    const auto product = static_cast<float>(lengthU * lengthV);
    if (product == 0) return 0;
    auto quotient = static_cast<float>((Ext(ux) * vx + Ext(uy) * vy) / product);
    // Rounding can carry the quotient of parallel vectors just past 1, where acos has no value.
    quotient = std::clamp(quotient, -1.0f, 1.0f);
    return static_cast<float>(std::acos(Ext(quotient)) * 180 / kPi);
}

float FootOfPerpendicular(float ax, float ay, float bx, float by, float px, float py, PointF& out) {
    if (ax == bx && ay == by) {
        // A segment of one point: the angle tests below would see no angle and keep the foot.
        out = {ax, ay};
        return DistanceFloat(px, py, ax, ay);
    }
    PointF foot;
    if (ay == by) {
        foot = {px, ay};
    } else if (ax == bx) {
        foot = {ax, py};
    } else {
        const auto m = static_cast<float>((Ext(by) - ay) / (Ext(bx) - ax));
        const auto n = static_cast<float>(-(Ext(bx) - ax) / (Ext(by) - ay));
        foot.x = static_cast<float>((Ext(ax) * m - ay - Ext(px) * n + py) / (Ext(m) - n));
        foot.y = static_cast<float>((Ext(foot.x) - ax) * m + ay);
    }
    if (AngleBetween(bx - ax, by - ay, px - ax, py - ay) >= 90) {
        out = {ax, ay};
    } else if (AngleBetween(ax - bx, ay - by, px - bx, py - by) >= 90) {
        out = {bx, by};
    } else {
        out = foot;
    }
    return DistanceFloat(px, py, out.x, out.y);
}

std::uint8_t IntersectLines(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                            float y4, PointF& out) {
    const bool vertical1 = x1 == x2;
    const bool vertical2 = x3 == x4;
    if (vertical1 && vertical2) return 1;
    if (vertical1) {
        const auto m2 = static_cast<float>((Ext(y4) - y3) / (Ext(x4) - x3));
        out = {x1, static_cast<float>((Ext(x1) - x3) * m2 + y3)};
        return 0;
    }
    const auto m1 = static_cast<float>((Ext(y2) - y1) / (Ext(x2) - x1));
    if (vertical2) {
        out = {x3, static_cast<float>((Ext(x3) - x1) * m1 + y1)};
        return 0;
    }
    const auto m2 = static_cast<float>((Ext(y4) - y3) / (Ext(x4) - x3));
    const int class1 = ClassifyDirection(x1, y1, x2, y2, 0);
    const int class2 = ClassifyDirection(x3, y3, x4, y4, 0);
    // Equal slopes with different classes cannot meet either; they would divide by zero.
    if (class1 == class2 || (class1 + 6) % 12 == class2 || m1 == m2) return 1;
    out.x = static_cast<float>((Ext(m1) * x1 - Ext(m2) * x3 + y3 - y1) / (Ext(m1) - m2));
    out.y = static_cast<float>((Ext(out.x) - x1) * m1 + y1);
    return 0;
}

std::uint8_t ClassifyDirection(float x1, float y1, float x2, float y2, std::uint8_t fallback) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    if (dy == 0) return dx > 0 ? 3 : dx < 0 ? 9 : fallback;
    if (dx == 0) return dy < 0 ? 0 : 6;
    const long double ax = std::fabs(Ext(dx));
    const long double ay = std::fabs(Ext(dy));
    // 0 the steepest sector of the quadrant .. 3 the flattest; a ratio on a threshold goes to the
    // flatter one.
    int sector = 3;
    if (ax < ay * 4 * kOneFifteenth) {
        sector = 0;
    } else if (ax < ay) {
        sector = 1;
    } else if (ax < ay * 15 * 0.25L) {
        sector = 2;
    }
    if (dy < 0) return static_cast<std::uint8_t>(dx > 0 ? sector : (12 - sector) % 12);
    return static_cast<std::uint8_t>(dx > 0 ? 6 - sector : 6 + sector);
}

std::uint8_t ClassifyDirectionWide(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    if (dx == 0) return dy <= 0 ? 0 : 6;
    if (dy == 0) return dx > 0 ? 3 : 9;
    const long double ax = std::fabs(Ext(dx));
    const long double ay = std::fabs(Ext(dy));
    const bool steep = ax < ay ? ax <= ay * 4 * kOneSeventh : ax < ay * 7 * 0.25L;
    if (dx > 0) {
        if (dy < 0) return steep ? 1 : 2;
        return steep ? 5 : 4;
    }
    if (dy > 0) return steep ? 7 : 8;
    return steep ? 11 : 10;
}

std::uint8_t SubWrapByte(std::uint8_t a, std::uint8_t b, std::uint8_t n) {
    return static_cast<std::uint8_t>(b <= a ? a - b : a + (n - b) + 1);
}

std::uint8_t WrapMod25(std::int8_t x) {
    return ModN(x, 25);
}

std::uint8_t ModN(std::int8_t x, std::uint8_t n) {
    if (n == 0) return 0;
    int r = x % n;
    if (r < 0) r += n;
    return static_cast<std::uint8_t>(r);
}

namespace {

bool Impassable(int column, int row, int moveClass) {
    if (!CellInMap(column, row)) return false;
    const MapCell& cell = MapCells[static_cast<std::size_t>(CellIndex(column, row))];
    return TerrainSpeed(cell.terrain, moveClass) == -1;
}

// A row joins the region when it is impassable across exactly the columns first..last.
bool RowMatchesSpan(int row, int first, int last, int moveClass) {
    for (int c = first; c <= last; ++c)
        if (!Impassable(c, row, moveClass)) return false;
    return !Impassable(first - 1, row, moveClass) && !Impassable(last + 1, row, moveClass);
}

std::int16_t I16(int v) {
    return static_cast<std::int16_t>(v);
}

}  // namespace

std::uint8_t GetExtentsOfTerrain(int column, int row, int moveClass, TerrainExtents& out) {
    int first = column;
    int last = column;
    int top = row;
    int bottom = row;
    if (CellInMap(column, row)) {
        while (first >= 1 && Impassable(first - 1, row, moveClass)) --first;
        while (last + 1 < MapWidth && Impassable(last + 1, row, moveClass)) ++last;
        while (top - 1 >= 0 && RowMatchesSpan(top - 1, first, last, moveClass)) --top;
        while (bottom + 1 < MapHeight && RowMatchesSpan(bottom + 1, first, last, moveClass))
            ++bottom;
    }
    const int columns = last - first + 1;
    const int topLeftX = kCellWidth * first - 16 * top;
    const int topY = kCellHeight * top;
    const int bottomLeftX = topLeftX - 16 - 16 * (bottom - top);
    const int bottomY = kCellHeight * (bottom - top) + topY + kCellHeight - 1;
    const int span = kCellWidth * (columns - 1) + kCellWidth - 1;
    out.column = I16(first);
    out.row = I16(top);
    out.columns = I16(columns);
    out.bottomRow = I16(bottom);
    out.outline = {{I16(topLeftX), I16(topY)},
                   {I16(topLeftX + span), I16(topY)},
                   {I16(bottomLeftX), I16(bottomY)},
                   {I16(bottomLeftX + span), I16(bottomY)}};
    const Quad16& q = out.outline;
    if (SpansMapAcross(q)) return 0;
    if (SpansMapDown(q)) return 0;
    return 1;
}

bool SpansMapAcross(const Quad16& q) {
    return q.bottomLeft.x < 1 && q.topRight.x >= WorldMaxX;
}

bool SpansMapDown(const Quad16& q) {
    return q.topLeft.y <= 0 && q.bottomRight.y >= WorldMaxY;
}

int ShearedLeftX(const Quad16& q, int y) {
    const int d = y - q.topLeft.y;
    return q.topLeft.x - 16 * (d / kCellHeight) -
           RowShear[static_cast<std::size_t>(d % kCellHeight)];
}

namespace {

struct EdgeContact {
    bool overlap = false;
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

EdgeContact RectAgainstQuad(const Rect16& r, const Quad16& q) {
    const int quadTop = q.topLeft.y;
    const int quadBottom = q.bottomLeft.y;
    EdgeContact c;
    if (quadBottom < r.y1 || quadTop > r.y2) return c;

    if (q.bottomLeft.x == q.topLeft.x) {
        const int left = q.topLeft.x;
        const int right = q.topRight.x;
        if (right < r.x1 || left > r.x2) return c;
        c.overlap = true;
        c.left = Within(left, r.x1, r.x2);
        c.right = Within(right, r.x1, r.x2);
        c.top = Within(quadTop, r.y1, r.y2);
        c.bottom = Within(quadBottom, r.y1, r.y2);
        return c;
    }

    // The quad's span on the rectangle's top and bottom lines, both clamped into the quad.
    const int width = q.topRight.x - q.topLeft.x;
    const int leftTop = ShearedLeftX(q, std::max<int>(r.y1, quadTop));
    const int leftBottom = ShearedLeftX(q, std::min<int>(r.y2, quadBottom));
    const int rightTop = leftTop + width;
    const int rightBottom = leftBottom + width;
    const bool spanTop = rightTop >= r.x1 && leftTop <= r.x2;
    const bool spanBottom = rightBottom >= r.x1 && leftBottom <= r.x2;
    // The edges run left going down, so a span right of the rectangle at the top and left of it
    // at the bottom has crossed it on the way.
    if ((rightTop < r.x1 && rightBottom < r.x1) || (leftTop > r.x2 && leftBottom > r.x2)) return c;
    c.overlap = true;
    c.right = Within(rightTop, r.x1, r.x2) || Within(rightBottom, r.x1, r.x2);
    c.left = Within(leftTop, r.x1, r.x2) || Within(leftBottom, r.x1, r.x2);
    c.bottom = quadBottom >= r.y1 && quadBottom < r.y2 && r.y1 >= quadTop && spanTop;
    c.top = quadTop > r.y1 && r.y2 >= quadTop && r.y2 <= quadBottom && spanBottom;
    return c;
}

}  // namespace

std::uint8_t TestRectQuadOverlap(const Rect16& rect, const Quad16& quad) {
    const EdgeContact c = RectAgainstQuad(rect, quad);
    if (!c.overlap) return 0;
    const int mask = (c.left ? 1 : 0) | (c.top ? 2 : 0) | (c.right ? 4 : 0) | (c.bottom ? 8 : 0);
    return static_cast<std::uint8_t>(mask != 0 ? mask : 15);
}

std::uint8_t TestRectCellOverlap(Point16 topLeft, Point16 bottomLeft, std::int16_t bottomRightX,
                                 const Rect16& rect) {
    const Quad16 quad{topLeft,
                      {I16(topLeft.x + bottomRightX - bottomLeft.x), topLeft.y},
                      bottomLeft,
                      {bottomRightX, bottomLeft.y}};
    const EdgeContact c = RectAgainstQuad(rect, quad);
    if (!c.overlap) return 0;
    return static_cast<std::uint8_t>((c.right ? 0x10 : 0) | (c.bottom ? 0x20 : 0) |
                                     (c.left ? 0x40 : 0) | (c.top ? 0x80 : 0));
}

}  // namespace kv
