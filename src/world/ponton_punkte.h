#pragma once
// Pontoon points: the fixed places where the pontoon vehicle can lay a pontoon across the water,
// in the missions that have them. While the pontoon vehicle is selected the free points carry an
// animated marker; a click on one sends the vehicle there to set up. Once a point's pontoon is
// laid, a vehicle sent to it berths beside the pontoon. The pieces are special objects of type 10
// that the vehicle's orders lay and record here.

#include <array>
#include <cstdint>
#include <vector>

#include "core/record_fields.h"
#include "gfx/image_files.h"
#include "movement/collision.h"

namespace kv {

inline constexpr std::uint16_t kPontonPunktUnused = 65535;
inline constexpr std::uint16_t kNoPontonPiece = 65535;

// Which piece slot holds what.
inline constexpr std::size_t kPontonPassingBoat = 0;  // the boat passing the chain
inline constexpr std::size_t kPontonLeftEnd = 1;      // the piece with the smallest x
inline constexpr std::size_t kPontonRightEnd = 2;     // the piece with the largest x

// One point (22 bytes, saved whole).
struct PontonPunkt {
    std::uint16_t x = kPontonPunktUnused;
    std::uint16_t y = kPontonPunktUnused;
    std::uint8_t b = 0;  // pieces of the chain
    std::uint8_t a = 0;  // 0 the chain grows towards -x, 1 towards +x
    std::array<std::uint16_t, 3> pieces{kNoPontonPiece, kNoPontonPiece, kNoPontonPiece};
    std::int32_t targetX = -1;  // where the passing boat goes
    std::int32_t targetY = -1;
    std::uint8_t complete = 0;   // 1 once the chain is laid
    std::uint8_t berthMode = 0;  // how a vehicle chooses its berth: 0, 1 or 2
};
template <class V>
constexpr void VisitFields(PontonPunkt& r, V& v) {
    v("x", r.x);
    v("y", r.y);
    v("b", r.b);
    v("a", r.a);
    v("pieces", r.pieces);
    v("targetX", r.targetX);
    v("targetY", r.targetY);
    v("complete", r.complete);
    v("berthMode", r.berthMode);
}

// Empty when the mission has none.
extern std::vector<PontonPunkt> PontonPunkte;
// Set by the mission before it calls AllocPontonPunkte.
extern std::int16_t PontonPunktCount;
extern VffImage* PontonMarker;
extern std::uint8_t PontonMarkerFrame;  // 0..3
extern std::uint8_t PontonMarkerTick;   // 0..1

// Mission start (also of a second part): the mission's points, then the marker once every point
// the mission allocated is in use. A missing marker is fatal; false then.
bool InitPontonPunkte(int mission);
// PontonPunktCount unused points; the berth mode is 0 until a point is added.
void AllocPontonPunkte();
// Fills the first unused point; nothing when every point is used.
void AddPontonPunkt(std::uint16_t x, std::uint16_t y, std::uint8_t a, std::uint8_t b,
                    std::uint8_t mode);
// Mission end: the marker and the points.
void FreePontonPunkte();

// Each frame of the mission view: the markers on the free points while the pontoon vehicle is
// selected, one marker frame per two screen frames.
void DrawPontonPunkte();
// While the pontoon vehicle is selected: whether the mouse is over a free point; sets the cursor
// then.
std::uint8_t IsPontonPunktAtMouse();
// A click at world point (x, y): 1 when it hit a free point and the selected pontoon vehicle got
// its orders to set up there.
std::uint8_t FindPontonPunktAt(std::int16_t x, std::int16_t y);
// Sends the vehicle to the berth beside the laid pontoon of the point.
void DockAtPontonPunkt(std::int16_t vehicle, std::int16_t point);

// What blocks a boat: vehicles, persons and special objects other than pontoons.
bool IsBoatBlocker(const CollisionHit& hit);
// The collision test for boats: as TestCollision, with a pontoon or anything else not blocking.
std::uint8_t TestBoatCollision(std::uint16_t mode, const UnitHead& unit, const UnitTypHead& type,
                               float x, float y, std::uint8_t direction, std::int8_t layer,
                               std::uint8_t anim, CollisionHit* hit);

}  // namespace kv
