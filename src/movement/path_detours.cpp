#include "movement/path_detours.h"

#include <algorithm>
#include <cmath>

#include "core/mission_state.h"
#include "core/unit_views.h"
#include "movement/collision.h"
#include "world/furniture.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "world/terrain_outline.h"

namespace kv {

namespace {

// The corners of a box or region, each pushed outward by the unit's margins (and the region's
// slant at the top right and bottom left).
enum class Corner : std::uint8_t { TL, TR, BL, BR };

struct BoxPoint {
    Corner corner;
    std::uint8_t code;
};

// A diagonal side keeps its third point only when the goal lies beyond it along the last leg.
enum class Trim : std::uint8_t {
    None,
    GoalXAtMostThird,
    GoalYAtMostThird,
    ThirdXAtMostGoal,
    ThirdYAtMostGoal,
};

struct BoxRow {
    std::uint8_t side;
    std::array<BoxPoint, 3> a;
    std::uint8_t countA;
    Trim trimA;
    std::array<BoxPoint, 3> b;
    std::uint8_t countB;
    Trim trimB;
};

constexpr BoxPoint TL(std::uint8_t code) {
    return {Corner::TL, code};
}
constexpr BoxPoint TR(std::uint8_t code) {
    return {Corner::TR, code};
}
constexpr BoxPoint BL(std::uint8_t code) {
    return {Corner::BL, code};
}
constexpr BoxPoint BR(std::uint8_t code) {
    return {Corner::BR, code};
}

constexpr std::array<BoxRow, 8> kBoxRows = {{
    {1, {TL(1), TR(0x21)}, 2, Trim::None, {BL(1), BR(0x21)}, 2, Trim::None},
    {2, {TL(2), BL(0x22)}, 2, Trim::None, {TR(2), BR(0x22)}, 2, Trim::None},
    {4, {TR(4), TL(0x24)}, 2, Trim::None, {BR(4), BL(0x24)}, 2, Trim::None},
    {8, {BL(8), TL(0x28)}, 2, Trim::None, {BR(8), TR(0x28)}, 2, Trim::None},
    {3,
     {TL(2), BL(0x20), BR(0x21)},
     3,
     Trim::GoalXAtMostThird,
     {TL(1), TR(0x20), BR(0x22)},
     3,
     Trim::GoalYAtMostThird},
    {9,
     {BL(1), BR(0x20), TR(0x28)},
     3,
     Trim::ThirdYAtMostGoal,
     {BL(8), TL(0x20), TR(0x21)},
     3,
     Trim::GoalXAtMostThird},
    {6,
     {TR(4), TL(0x20), BL(0x22)},
     3,
     Trim::GoalYAtMostThird,
     {TR(2), BR(0x20), BL(0x24)},
     3,
     Trim::ThirdXAtMostGoal},
    {12,
     {BR(4), BL(0x20), TL(0x28)},
     3,
     Trim::ThirdYAtMostGoal,
     {BR(8), TR(0x20), TL(0x24)},
     3,
     Trim::ThirdXAtMostGoal},
}};

// A house cell's corner lines: its top-left x L, top-right x R, the bottom corners' x, and its
// top and bottom y. x moves by the margin m (and the slant t), y by h.
enum class CellX : std::uint8_t { L, R, BLx, BRx };
enum class CellY : std::uint8_t { T, B };

struct CellPoint {
    CellX xRef;
    std::int8_t xSign;
    bool slant;
    CellY yRef;
    std::int8_t ySign;
    std::uint8_t code;
};

struct CellRow {
    std::uint8_t mask;
    std::array<CellPoint, 3> a;
    std::uint8_t countA;
    std::array<CellPoint, 3> b;
    std::uint8_t countB;
};

// (ref - m, ...), (ref + m, ...), (ref - m - t, ...), (ref + m + t, ...).
constexpr CellPoint Pm(CellX x, CellY y, std::int8_t ySign, std::uint8_t code) {
    return {x, -1, false, y, ySign, code};
}
constexpr CellPoint Pp(CellX x, CellY y, std::int8_t ySign, std::uint8_t code) {
    return {x, 1, false, y, ySign, code};
}
constexpr CellPoint Pmt(CellX x, CellY y, std::int8_t ySign, std::uint8_t code) {
    return {x, -1, true, y, ySign, code};
}
constexpr CellPoint Ppt(CellX x, CellY y, std::int8_t ySign, std::uint8_t code) {
    return {x, 1, true, y, ySign, code};
}

using enum CellX;
using enum CellY;

// The walls met on the unit's own cell (index3 0).
constexpr std::array<CellRow, 8> kCellRows = {{
    {0x80, {Pm(L, T, 1, 8), Pm(L, T, -1, 0x28)}, 2, {Pp(R, T, 1, 8), Pp(R, T, -1, 0x28)}, 2},
    {0x20,
     {Pm(BLx, B, -1, 2), Pm(BLx, B, 1, 0x22)},
     2,
     {Pp(BRx, B, -1, 2), Pp(BRx, B, 1, 0x22)},
     2},
    {0x40, {Ppt(L, T, -1, 4), Pm(L, T, -1, 0x24)}, 2, {Pp(BLx, B, 1, 4), Pmt(BLx, B, 1, 0x24)}, 2},
    {0x10, {Pm(R, T, -1, 1), Ppt(R, T, -1, 0x21)}, 2, {Pmt(BRx, B, 1, 1), Pp(BRx, B, 1, 0x21)}, 2},
    {0xC0,
     {Pp(BLx, B, 1, 0x0C), Pmt(BLx, B, 1, 0x24)},
     2,
     {Pp(R, T, 1, 0x0C), Pp(R, T, -1, 0x28)},
     2},
    {0x90, {Pm(L, T, 1, 9), Pm(L, T, -1, 0x28)}, 2, {Pmt(BRx, B, 1, 9), Pp(BRx, B, 1, 0x21)}, 2},
    {0x60, {Ppt(L, T, -1, 6), Pm(L, T, -1, 0x24)}, 2, {Pp(BRx, B, -1, 6), Pp(BRx, B, 1, 0x22)}, 2},
    {0x30, {Pm(BLx, B, -1, 3), Pm(BLx, B, 1, 0x22)}, 2, {Pm(R, T, -1, 3), Ppt(R, T, -1, 0x21)}, 2},
}};

// The walls met on the diagonal neighbour cell (index3 not 0).
constexpr std::array<CellRow, 8> kDiagonalCellRows = {{
    {0x80, {Pm(L, T, -1, 8), Pm(L, T, 1, 0x22)}, 2, {Pp(R, T, -1, 8), Pp(R, T, 1, 0x22)}, 2},
    {0x20,
     {Pm(BLx, B, 1, 2), Pm(BLx, B, -1, 0x28)},
     2,
     {Pp(BRx, B, 1, 2), Pp(BRx, B, -1, 0x28)},
     2},
    {0x40, {Pm(L, T, -1, 4), Ppt(L, T, -1, 0x21)}, 2, {Pmt(BLx, B, 1, 4), Pp(BLx, B, 1, 0x21)}, 2},
    {0x10, {Ppt(R, T, -1, 1), Pm(R, T, -1, 0x24)}, 2, {Pp(BRx, B, 1, 1), Pmt(BRx, B, 1, 0x24)}, 2},
    {0xC0,
     {Pm(L, T, -1, 0x0C), Pmt(BLx, B, 1, 0x22), Pp(BLx, B, 1, 0x21)},
     3,
     {Pm(L, T, -1, 0x0C), Pp(R, T, -1, 0x21), Pp(R, T, 1, 0x22)},
     3},
    {0x90,
     {Ppt(R, T, -1, 9), Pm(L, T, -1, 0x24), Pm(L, T, 1, 0x22)},
     3,
     {Ppt(R, T, -1, 9), Pp(BRx, B, 1, 0x22), Pmt(BRx, B, 1, 0x24)},
     3},
    {0x60,
     {Pmt(BLx, B, 1, 6), Pp(BRx, B, 1, 0x21), Pp(BRx, B, -1, 0x28)},
     3,
     {Pmt(BLx, B, 1, 6), Pm(L, T, -1, 0x28), Ppt(L, T, -1, 0x21)},
     3},
    {0x30,
     {Pp(BRx, B, 1, 3), Pm(BLx, B, 1, 0x24), Pm(BLx, B, -1, 0x28)},
     3,
     {Pp(BRx, B, 1, 3), Ppt(R, T, -1, 0x28), Pm(R, T, -1, 0x24)},
     3},
}};

// The side of a contact whose mask names no single edge, by the direction of the run.
constexpr std::array<std::uint8_t, kDirectionCount> kSideByDirection = {8, 9, 9, 1, 3,  3,
                                                                        2, 6, 6, 4, 12, 12};

struct Box {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// The box of a vehicle or person as it stands now: its drawing corner plus its animation's box.
bool UnitBox(const UnitArray& units, std::uint16_t index, Box& box) {
    const UnitHead* u = units.at(index);
    const AnimSlot* slot = units.currentAnim(index);
    if (u == nullptr || u->type < 0 || slot == nullptr) return false;
    box = {u->drawX + slot->box[0], u->drawY + slot->box[1], u->drawX + slot->box[2],
           u->drawY + slot->box[3]};
    return true;
}

bool SonderObjBox(std::uint16_t index, Box& box) {
    SonderObjPlace o;
    if (!SonderObjPlaces.get(index, o)) return false;
    box = {TruncInt(o.x + static_cast<float>(o.boxX0)), TruncInt(o.y + static_cast<float>(o.boxY0)),
           TruncInt(o.x + static_cast<float>(o.boxX1)),
           TruncInt(o.y + static_cast<float>(o.boxY1))};
    return true;
}

bool HouseObjBox(std::uint16_t index, Box& box) {
    const std::size_t count = std::min<std::size_t>(
        static_cast<std::size_t>(std::max<int>(HouseObjCount, 0)), HouseObjs.size());
    if (index >= count) return false;
    const HouseObj& o = HouseObjs[index];
    if (o.slot >= kHouseObjSlotCount) return false;
    const std::array<std::int16_t, 4>& b = HouseObjTypen[o.slot].box;
    box = {o.x + b[0], o.y + b[1], o.x + b[2], o.y + b[3]};
    return true;
}

// The four corners: upright for a box, sheared for a terrain region.
struct Corners {
    Point16 tl;
    Point16 tr;
    Point16 bl;
    Point16 br;
};

Corners BoxCorners(const Box& b) {
    return {{Clamp16(b.x1), Clamp16(b.y1)},
            {Clamp16(b.x2), Clamp16(b.y1)},
            {Clamp16(b.x1), Clamp16(b.y2)},
            {Clamp16(b.x2), Clamp16(b.y2)}};
}

DetourPoint PlaceCorner(const Corners& c, const BoxPoint& p, int mx, int my, int s) {
    switch (p.corner) {
        case Corner::TL:
            return {Clamp16(c.tl.x - mx), Clamp16(c.tl.y - my), p.code};
        case Corner::TR:
            return {Clamp16(c.tr.x + mx + s), Clamp16(c.tr.y - my), p.code};
        case Corner::BL:
            return {Clamp16(c.bl.x - mx - s), Clamp16(c.bl.y + my), p.code};
        case Corner::BR:
            break;
    }
    return {Clamp16(c.br.x + mx), Clamp16(c.br.y + my), p.code};
}

// Whether a diagonal side needs only its first two points.
bool KeepsTwo(Trim trim, const DetourPoint& third, float goalX, float goalY) {
    switch (trim) {
        case Trim::GoalXAtMostThird:
            return goalX <= static_cast<float>(third.x);
        case Trim::GoalYAtMostThird:
            return goalY <= static_cast<float>(third.y);
        case Trim::ThirdXAtMostGoal:
            return static_cast<float>(third.x) <= goalX;
        case Trim::ThirdYAtMostGoal:
            return static_cast<float>(third.y) <= goalY;
        case Trim::None:
            break;
    }
    return false;
}

void FillBoxSide(DetourSide& out, const std::array<BoxPoint, 3>& points, std::uint8_t count,
                 Trim trim, const Corners& c, int mx, int my, int s, float goalX, float goalY) {
    for (std::uint8_t i = 0; i < count; ++i) out.points[i] = PlaceCorner(c, points[i], mx, my, s);
    out.count = count;
    if (count == 3 && KeepsTwo(trim, out.points[2], goalX, goalY)) out.count = 2;
}

// Each side ends before its first point off the map.
void CutAtMapEdge(DetourSide& side) {
    for (std::uint8_t i = 0; i < side.count; ++i) {
        const DetourPoint& p = side.points[i];
        if (p.x < 0 || p.x > WorldMaxX || p.y < 0 || p.y > WorldMaxY) {
            side.count = i;
            return;
        }
    }
}

void BoxDetours(const Corners& c, std::uint8_t side, int mx, int my, int s, float goalX,
                float goalY, DetourSide& sideA, DetourSide& sideB) {
    const auto row = std::find_if(kBoxRows.begin(), kBoxRows.end(),
                                  [side](const BoxRow& r) { return r.side == side; });
    if (row == kBoxRows.end()) return;
    FillBoxSide(sideA, row->a, row->countA, row->trimA, c, mx, my, s, goalX, goalY);
    FillBoxSide(sideB, row->b, row->countB, row->trimB, c, mx, my, s, goalX, goalY);
    CutAtMapEdge(sideA);
    CutAtMapEdge(sideB);
}

// A terrain band across the whole map: the one point in front of it on the goal's line, when the
// goal lies beyond its near edge.
void BandDetour(const UnitHead& unit, const UnitTypHead& type, const Quad16& band, bool across,
                float goalX, float goalY, DetourSide& sideA) {
    if (across) {
        const int top = band.topLeft.y;
        const int bottom = band.bottomLeft.y;
        const bool below = static_cast<float>(top) > unit.y;
        if (below ? !(goalY > static_cast<float>(top)) : !(goalY < static_cast<float>(bottom)))
            return;
        const int gap = 5 + type.extent[3];
        sideA.points[0] = {Clamp16(TruncInt(goalX)), Clamp16(below ? top - gap : bottom + gap), 0};
        sideA.count = 1;
        return;
    }
    // A band from top to bottom: its edges on the goal's line of the sheared grid.
    const int y = std::clamp(TruncInt(goalY), static_cast<int>(band.topLeft.y),
                             static_cast<int>(band.bottomLeft.y));
    const int left = ShearedLeftX(band, y);
    const int right = left + (band.topRight.x - band.topLeft.x);
    const bool toRight = unit.x < static_cast<float>(left);
    if (toRight ? !(goalX > static_cast<float>(left)) : !(goalX < static_cast<float>(right)))
        return;
    const int gap = 5 + type.extent[2];
    const float shiftY = static_cast<float>(type.extent[3]) / 2 + 5.0f;
    sideA.points[0] = {Clamp16(toRight ? left - gap : right + gap),
                       Clamp16(TruncInt(toRight ? goalY - shiftY : goalY + shiftY)), 0};
    sideA.count = 1;
}

DetourPoint PlaceCellPoint(const CellPoint& p, int column, int row, int m, int h, int t) {
    const int left = kCellWidth * column - 16 * row;
    int x = 0;
    switch (p.xRef) {
        case CellX::L:
            x = left;
            break;
        case CellX::R:
            x = left + 31;
            break;
        case CellX::BLx:
            x = left - 16;
            break;
        case CellX::BRx:
            x = left + 15;
            break;
    }
    const int top = kCellHeight * row;
    const int y = p.yRef == CellY::T ? top : top + 27;
    const int dx = p.xSign * (m + (p.slant ? t : 0));
    return {Clamp16(x + dx), Clamp16(y + p.ySign * h), p.code};
}

void CellDetours(int column, int row, std::uint16_t index3, std::uint8_t mask, int mx, int my,
                 DetourSide& sideA, DetourSide& sideB) {
    const std::array<CellRow, 8>& rows = index3 == 0 ? kCellRows : kDiagonalCellRows;
    const auto r =
        std::find_if(rows.begin(), rows.end(), [mask](const CellRow& c) { return c.mask == mask; });
    if (r == rows.end()) return;
    const int m = mx + 5;
    const int t = my * 8 / 7;
    for (std::uint8_t i = 0; i < r->countA; ++i)
        sideA.points[i] = PlaceCellPoint(r->a[i], column, row, m, my, t);
    sideA.count = r->countA;
    for (std::uint8_t i = 0; i < r->countB; ++i)
        sideB.points[i] = PlaceCellPoint(r->b[i], column, row, m, my, t);
    sideB.count = r->countB;
}

}  // namespace

std::uint8_t DefiniteSide(std::uint8_t side, std::uint8_t dir) {
    switch (side) {
        case 13:
            return 8;
        case 7:
            return 2;
        case 14:
            return 4;
        case 11:
            return 1;
        case 15:
        case 5:
        case 10:
            return dir < kDirectionCount ? kSideByDirection[dir] : 0;
        default:
            return side;
    }
}

std::uint8_t PassObstacle(const UnitHead& unit, const UnitTypHead& type, bool widen,
                          std::uint8_t kind, std::uint16_t index1, std::uint16_t index2,
                          std::uint16_t index3, std::uint8_t side, float goalX, float goalY,
                          std::uint8_t dir, DetourSide& sideA, DetourSide& sideB) {
    sideA.count = 0;
    sideB.count = 0;
    int mx = (type.extent[2] - type.extent[0]) / 2;
    const int my = (type.extent[3] - type.extent[1]) / 2;
    int s = 0;
    Box box;
    Corners corners;
    switch (kind) {
        case kHitFahrzeug:
            if (!UnitBox(FahrzeugUnits, index1, box)) return 0;
            corners = BoxCorners(box);
            break;
        case kHitPerson:
            if (!UnitBox(PersonUnits, index1, box)) return 0;
            if (widen)
                box = {box.x1 - kWideLying, box.y1 - kWideLying, box.x2 + kWideLying,
                       box.y2 + kWideLying};
            corners = BoxCorners(box);
            break;
        case kHitSonderObj:
            if (!SonderObjBox(index1, box)) return 0;
            corners = BoxCorners(box);
            break;
        case kHitHouseObj:
            if (!HouseObjBox(index1, box)) return 0;
            corners = BoxCorners(box);
            break;
        case kHitMapCell: {
            if (!CellInMap(index1, index2)) return 0;
            const Quad16& q = TerrainOutline(index1, index2, type.terrainColumn).outline;
            const bool across = SpansMapAcross(q);
            const bool down = SpansMapDown(q);
            if (across || down) {
                BandDetour(unit, type, q, across, goalX, goalY, sideA);
                return kObstacleImpassable;
            }
            corners = {q.topLeft, q.topRight, q.bottomLeft, q.bottomRight};
            mx += 5;
            s = my * 8 / 7;
            break;
        }
        case kHitWall:
            if (!CellInMap(index1, index2)) return 0;
            CellDetours(index1, index2, index3, side, mx, my, sideA, sideB);
            return 0;
        default:
            return 0;
    }
    BoxDetours(corners, DefiniteSide(side, dir), mx, my, s, goalX, goalY, sideA, sideB);
    return 0;
}

}  // namespace kv
