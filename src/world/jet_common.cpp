#include "world/jet_common.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/random.h"
#include "core/view.h"
#include "world/ballistics.h"
#include "world/geometry.h"
#include "world/tile_set.h"
#include "world/wasser_strahl.h"

namespace kv {

namespace {

// The part of the screen the world view covers.
constexpr int kViewLeft = 10;
constexpr int kViewRight = 640;  // exclusive
constexpr int kViewTop = 10;
constexpr int kViewBottom = 480;  // exclusive

bool InWorldView(int x, int y) {
    const int left = ViewOrigin.x + kViewLeft;
    const int top = ViewOrigin.y + kViewTop;
    return x >= left && x < ViewOrigin.x + kViewRight && y >= top && y < ViewOrigin.y + kViewBottom;
}

const FrameSet* CurrentFrame(const SonderObj& o) {
    const SonderObjTyp* t = SonderObjTypAt(o.type);
    if (t == nullptr || t->frames == nullptr || o.frame < 0 ||
        static_cast<std::size_t>(o.frame) >= FrameCount(t->frames))
        return nullptr;
    return &t->frames[o.frame];
}

// A drift step; a new target is drawn only once the value has reached the old one.
template <class T, class Draw>
void StepDrift(T& value, T& target, Draw draw) {
    if (value < target)
        ++value;
    else if (value > target)
        --value;
    else
        target = static_cast<T>(draw());
}

}  // namespace

std::int16_t Whole16(double v) {
    if (!(v == v)) return 0;
    constexpr double kMin = std::numeric_limits<std::int16_t>::min();
    constexpr double kMax = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(v < kMin ? kMin : v > kMax ? kMax : v);
}

bool JetCellIsHouse(CellPos c) {
    return CellInMap(c.column, c.row) &&
           IsHouseLink(MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].tile);
}

int JetTileHeight(CellPos c) {
    if (!CellInMap(c.column, c.row)) return 0;
    const std::uint16_t tile = MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].tile;
    return !IsHouseLink(tile) && tile < TileImages.size() ? TileImages[tile].height : 0;
}

int JetDirection(JetPoint nozzle, float x, float y) {
    float angle = AngleBetween(x - nozzle.x, y - nozzle.y, 0.0f, -nozzle.y);
    if (!(nozzle.x < x)) {
        angle = 389.0f - angle;
        if (angle >= 360.0f) angle -= 360.0f;
    }
    return (static_cast<int>(angle) / 30) % kDirections;
}

bool JetLineClear(JetPoint nozzle, int x, int y, CellPos* blocking) {
    const CellPos target = CellFromPixel(x, y);
    int px = Whole16(nozzle.x);
    int py = Whole16(nozzle.y);
    const int dx = std::abs(x - px);
    const int dy = std::abs(y - py);
    const int sx = x >= px ? 1 : -1;
    const int sy = y >= py ? 1 : -1;
    const bool alongX = dx >= dy;
    const int longer = alongX ? dx : dy;
    const int shorter = alongX ? dy : dx;
    int error = 2 * shorter - longer;
    bool examined = false;
    CellPos last;
    for (int n = 0; n <= longer; ++n) {
        if (InWorldView(px, py)) {
            const CellPos c = CellFromPixel(px, py);
            if (c != target && (!examined || c != last)) {
                examined = true;
                last = c;
                if (JetCellIsHouse(c)) {
                    if (blocking != nullptr) *blocking = c;
                    return false;
                }
            }
        }
        if (error >= 0) {
            (alongX ? py : px) += alongX ? sy : sx;
            error -= 2 * longer;
        }
        error += 2 * shorter;
        (alongX ? px : py) += alongX ? sx : sy;
    }
    return true;
}

JetLanding LandJetArc(JetPoint nozzle, int nozzleHeight, int x, int y, int height, double elevation,
                      const CellPos* blocking) {
    const double toX = x - static_cast<double>(nozzle.x);
    const double toY = static_cast<double>(y) + height - nozzle.y;
    const double d = std::sqrt(toX * toX + toY * toY);
    const double s = std::sin(elevation);
    const double t = std::tan(elevation);
    const double speed = d / s * std::sqrt(kGravity / (2.0 * (nozzleHeight + t * d - height)));
    // No finite launch speed (no root, no distance, no elevation): a flat jet at nozzle height.
    const bool flat = !(speed > 0.0 && speed <= std::numeric_limits<float>::max());

    double px = nozzle.x;
    double py = nozzle.y;
    int i = 0;
    const auto inBlocking = [&] {
        return blocking != nullptr && CellFromPixel(Whole16(px), Whole16(py)) == *blocking;
    };
    while (!inBlocking() && i < d && i < std::numeric_limits<std::int16_t>::max()) {
        ++i;
        px = nozzle.x + toX * i / d;
        py = nozzle.y + toY * i / d;
    }
    const double h =
        flat ? 0.0 : BallisticHeight(static_cast<std::int16_t>(i), static_cast<float>(speed), s, t);
    return {Whole16(px), Whole16(py), Whole16(h + nozzleHeight)};
}

SonderObj* JetSplash(std::int16_t slot) {
    SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type == kSplashSonderObjTyp ? o : nullptr;
}

void PlaceJetSplash(std::int16_t slot, int x, int y, int height, bool show) {
    SonderObj* o = JetSplash(slot);
    if (o == nullptr) return;
    const FrameSet* frame = CurrentFrame(*o);
    const int w = frame != nullptr ? frame->width : 0;
    const int h = frame != nullptr ? frame->height : 0;
    o->x = static_cast<float>(x - w / 2);
    o->y = static_cast<float>(y - h / 2 + height);
    o->z = static_cast<float>(height);
    if (show) {
        constexpr std::uint8_t kAboveEverything = 2;
        o->depthLayer = kAboveEverything;
        o->visible = 1;
    }
}

void HideJetSplash(std::int16_t slot) {
    if (SonderObj* o = JetSplash(slot)) o->visible = 0;
}

void DriftJetD(std::int8_t& value, std::int8_t& target) {
    StepDrift(value, target, [] { return Rand() % 3 - 2; });
}

void DriftJetXY(std::int16_t& value, std::int16_t& target) {
    StepDrift(value, target, [] { return (Rand() & 3) - 2; });
}

std::uint8_t JetElevationClass(double degrees) {
    if (degrees < 25.0) return 25;
    if (degrees < 50.0) return 50;
    if (degrees < 75.0) return 75;
    return 0;
}

}  // namespace kv
