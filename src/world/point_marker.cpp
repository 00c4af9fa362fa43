#include "world/point_marker.h"

#include <string>

#include "core/fatal_error.h"
#include "core/view.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"

namespace kv {

namespace {

constexpr int kHitReach = kPointMarkerSize / 2;
constexpr int kScreenFramesPerMarkerFrame = 2;

constexpr std::int32_t kPhraseOnMyWay = 17;
constexpr std::uint32_t kOrderE = 1;

}  // namespace

bool HitsPoint(int x, int y, int px, int py) {
    return x >= px - kHitReach && x < px + kHitReach && y >= py - kHitReach && y < py + kHitReach;
}

VffImage* LoadPointMarker(std::string_view name) {
    VffImage* marker = LoadVff(kPointMarkerFile);
    if (marker == nullptr) FatalError("file not found: " + std::string(name));
    return marker;
}

bool PointMarkerUsable(const VffImage* marker) {
    return marker != nullptr && FrameCount(marker) >= kPointMarkerFrames;
}

void DrawPointMarker(const VffImage* marker, std::uint8_t frame, int px, int py) {
    if (!PointMarkerUsable(marker) || DrawTarget == nullptr) return;
    const VffImage& f = marker[frame % kPointMarkerFrames];
    BlitTransparentClipped(f.pixels, px - kHitReach - ViewOrigin.x, py - kHitReach - ViewOrigin.y,
                           f.width, f.height, DrawTarget, DrawPitch);
}

void AdvancePointMarker(std::uint8_t& frame, std::uint8_t& tick) {
    if (++tick < kScreenFramesPerMarkerFrame) return;
    tick = 0;
    frame = static_cast<std::uint8_t>((frame + 1) % kPointMarkerFrames);
}

void SendToPoint(UnitHead& vehicle, const UnitTypHead& type, int x, int y, std::uint8_t facing) {
    SetBefehl(vehicle, type, kOpMove, kPhraseOnMyWay, x, y, 0, 0, kOrderE);
    AppendBefehl(vehicle, kOpWait, 1, 0, 0, 0, kOrderE);
    AppendBefehl(vehicle, kOpTurn, x, y, facing, 0, kOrderE);
}

}  // namespace kv
