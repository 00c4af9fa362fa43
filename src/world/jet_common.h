#pragma once
// What the cannon jet and the hose jet share: the direction from a nozzle toward a target, the
// straight-line test against houses, the landing point of an arc, the splash object and the drift
// of the aim.

#include <cstdint>

#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

// A jet reaches one storey per this many pixels of height.
inline constexpr int kStoreyHeight = 31;

struct JetPoint {
    float x = 0;
    float y = 0;
};

// A position or height as a whole number: truncated toward zero into the 16-bit range;
// not-a-number gives 0.
std::int16_t Whole16(double v);

// The direction 0..11 from the nozzle toward (x, y). The angle is measured against (0, -nozzle y);
// a target left of the nozzle counts 389 - angle, not 360 - angle, as the cannons always have.
int JetDirection(JetPoint nozzle, float x, float y);

// A cell of a house (tile 32768 and up); off the map is plain ground.
bool JetCellIsHouse(CellPos cell);
// The height of the plain tile image of a map cell; 0 for a house cell or off the map.
int JetTileHeight(CellPos cell);

// Walks the line from the nozzle to (x, y) pixel by pixel, looking only at pixels inside the world
// view on screen. The first cell of a house met, other than the target's cell, blocks: false, and
// the cell goes to blocking when given. Cells off the map are plain ground.
bool JetLineClear(JetPoint nozzle, int x, int y, CellPos* blocking);

// Where an arc thrown from the nozzle (nozzleHeight above its ground point) toward (x, y) with its
// height above the ground meets the blocking cell, and the arc's height there.
struct JetLanding {
    std::int16_t x = 0;
    std::int16_t y = 0;  // the ground point
    std::int16_t height = 0;
};
JetLanding LandJetArc(JetPoint nozzle, int nozzleHeight, int x, int y, int height, double elevation,
                      const CellPos* blocking);

// The splash object of a jet: only a slot in range that holds a splash; null otherwise (an idle
// record's slot 0 may be a mission's fixed object).
SonderObj* JetSplash(std::int16_t slot);
// Centres the splash's current frame on (x, y + height), lifted by height; show also makes it
// visible above everything.
void PlaceJetSplash(std::int16_t slot, int x, int y, int height, bool show);
void HideJetSplash(std::int16_t slot);

// The aim's drift, one delivering tick: the offset steps by 1 toward its target; at the target a
// new target is drawn. The second offset draws -2..0, the aim offsets -2..1.
void DriftJetD(std::int8_t& value, std::int8_t& target);
void DriftJetXY(std::int16_t& value, std::int16_t& target);

// An elevation class from an angle in degrees: 25, 50 or 75; 0 for 75 and above.
std::uint8_t JetElevationClass(double degrees);

}  // namespace kv
