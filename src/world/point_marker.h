#pragma once
// What the pontoon points and the boat points share: the animated marker on the points a selected
// vehicle can be sent to, the square around a point that the mouse hits, and the drive onto a
// point.

#include <cstdint>
#include <string_view>

#include "core/unit_head.h"
#include "gfx/image_files.h"
#include "movement/unit_type.h"

namespace kv {

// Four frames of 20 x 20, drawn centred on the point.
inline constexpr std::string_view kPointMarkerFile = "graphs\\pziel.vff";
inline constexpr int kPointMarkerFrames = 4;
inline constexpr int kPointMarkerSize = 20;

// Whether world point (x, y) hits the point (px, py): from 10 px left of and above it to 9 px
// right of and below it.
bool HitsPoint(int x, int y, int px, int py);

// The marker picture; null after FatalError("file not found: <name>").
VffImage* LoadPointMarker(std::string_view name);
// A marker missing or with fewer than four frames is not drawn.
bool PointMarkerUsable(const VffImage* marker);
// The marker's frame centred on world point (px, py) in the draw target, clipped to the world
// view; nothing without a usable marker or a draw target.
void DrawPointMarker(const VffImage* marker, std::uint8_t frame, int px, int py);
// Once per drawing: the next frame every second call, round the four.
void AdvancePointMarker(std::uint8_t& frame, std::uint8_t& tick);

// The vehicle's queue replaced: drive to (x, y) with the on-my-way phrase, wait a tick, turn to
// the facing there. The caller appends what is to be done on the point.
void SendToPoint(UnitHead& vehicle, const UnitTypHead& type, int x, int y, std::uint8_t facing);

}  // namespace kv
