#include "mission/scroll_view.h"

#include <algorithm>
#include <limits>

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "platform/messages.h"
#include "world/level_map.h"

namespace kv {

ViewPoint HomeView;
std::uint8_t GlideHome = 0;
ViewPoint JumpTarget;
std::uint8_t JumpTargetActive = 0;
ViewPoint ScrollVelocity;
ViewPoint ScrollDirection{1, 1};
std::uint8_t ArrowKeyHeld = 0;
std::uint16_t NextVehicleIndex = 65535;
std::int16_t JumpWordStep = 0;

namespace {

constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;
constexpr int kGlideStep = 300;
// The edge scroll grows to this many times the scroll speed, in pixels per frame.
constexpr int kTopSpeedFactor = 12;

std::int16_t GlideAxis(int value, int target) {
    if (target < value) value = std::max(value - kGlideStep, target);
    if (target > value) value = std::min(value + kGlideStep, target);
    return static_cast<std::int16_t>(value);
}

// One glide step; true on arrival, when the scroll starts afresh.
bool GlideTowards(ViewPoint target) {
    target = LimitToView(target.x, target.y);
    ViewOrigin.x = GlideAxis(ViewOrigin.x, target.x);
    ViewOrigin.y = GlideAxis(ViewOrigin.y, target.y);
    if (ViewOrigin.x != target.x || ViewOrigin.y != target.y) return false;
    ResetViewScroll();
    return true;
}

// One axis of the edge scroll: the speed grows while an edge is touched and coasts down after.
void EdgeScroll(std::int16_t& view, std::int16_t& velocity, std::int16_t& direction,
                bool towardsLow, bool towardsHigh, int limit) {
    const int s = ScrollSpeed;
    if (towardsLow || towardsHigh) {
        if (velocity < kTopSpeedFactor * s) velocity = static_cast<std::int16_t>(velocity + s);
        direction = towardsLow ? -1 : 1;
    } else if (velocity > 0) {
        velocity = static_cast<std::int16_t>(velocity - s);
    }
    if (velocity > 0)
        view = static_cast<std::int16_t>(std::clamp(view + velocity * direction, 0, limit));
}

}  // namespace

ViewPoint ViewScrollLimits() {
    // Each row lies half a cell further left than the one above it.
    const int x = ScrollCols * kCellWidth - MapHeight * (kCellWidth / 2) - kViewWidth;
    const int y = ScrollRows * kCellHeight - kViewHeight;
    constexpr int kMost = std::numeric_limits<std::int16_t>::max();
    return {static_cast<std::int16_t>(std::clamp(x, 0, kMost)),
            static_cast<std::int16_t>(std::clamp(y, 0, kMost))};
}

ViewPoint LimitToView(int x, int y) {
    const ViewPoint limits = ViewScrollLimits();
    return {static_cast<std::int16_t>(std::clamp(x, 0, static_cast<int>(limits.x))),
            static_cast<std::int16_t>(std::clamp(y, 0, static_cast<int>(limits.y)))};
}

void ResetViewScroll() {
    ScrollVelocity = {0, 0};
    ScrollDirection = {1, 1};
}

void ScrollView() {
    if (GlideHome != 0 && GlideTowards(HomeView)) GlideHome = 0;
    if (JumpTargetActive != 0 && GlideTowards(JumpTarget)) JumpTargetActive = 0;
    const ViewPoint limits = ViewScrollLimits();
    EdgeScroll(ViewOrigin.x, ScrollVelocity.x, ScrollDirection.x,
               MouseX == kMouseEdgeLeft || ArrowKeyHeld == VK_LEFT,
               MouseX == kMouseEdgeRight || ArrowKeyHeld == VK_RIGHT, limits.x);
    EdgeScroll(ViewOrigin.y, ScrollVelocity.y, ScrollDirection.y,
               MouseY == kMouseEdgeTop || ArrowKeyHeld == VK_UP,
               MouseY == kMouseEdgeBottom || ArrowKeyHeld == VK_DOWN, limits.y);
}

void ResetScrollView() {
    HomeView = {};
    GlideHome = 0;
    JumpTarget = {};
    JumpTargetActive = 0;
    ResetViewScroll();
    ArrowKeyHeld = 0;
    NextVehicleIndex = 65535;
    JumpWordStep = 0;
}

}  // namespace kv
