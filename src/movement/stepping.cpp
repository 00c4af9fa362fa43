#include "movement/stepping.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <span>

#include "core/mission_state.h"
#include "core/unit_views.h"
#include "movement/befehl.h"
#include "movement/traffic_paths.h"
#include "persons/person_types.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv {

namespace {

// A step along each direction in elevenths of its length: the axes move the whole length, the
// diagonals 4/11 and 7/11 of it.
struct StepVector {
    std::int8_t x;
    std::int8_t y;
};
constexpr std::array<StepVector, kDirectionCount> kStepElevenths = {{
    {0, -11},
    {4, -7},
    {7, -4},
    {11, 0},
    {7, 4},
    {4, 7},
    {0, 11},
    {-4, 7},
    {-7, 4},
    {-11, 0},
    {-7, -4},
    {-4, -7},
}};

constexpr long double kOneEleventh = 1.0L / 11;
constexpr std::int8_t kTreatAnim = 5;

int RingIndex(int i) {
    const int r = i % kStepRingSize;
    return r < 0 ? r + kStepRingSize : r;
}

// One component of a step of length s: elevenths of it, the diagonal parts through the constant
// 1/11.
long double StepPart(int elevenths, float s) {
    switch (std::abs(elevenths)) {
        case 0:
            return 0;
        case 11:
            return elevenths > 0 ? s : -static_cast<long double>(s);
        default: {
            const long double part =
                static_cast<long double>(s) * std::abs(elevenths) * kOneEleventh;
            return elevenths > 0 ? part : -part;
        }
    }
}

void MoveAlong(float& x, float& y, int travel, float s) {
    const StepVector v = kStepElevenths[static_cast<std::size_t>(travel)];
    x = static_cast<float>(x + StepPart(v.x, s));
    y = static_cast<float>(y + StepPart(v.y, s));
}

// The two corners of a footprint on the side it moves towards.
struct LeadingCorners {
    bool right1, bottom1, right2, bottom2;
};
constexpr std::array<LeadingCorners, kDirectionCount> kLeadingCorners = {{
    {false, false, true, false},  // 0: top-left, top-right
    {false, false, true, false},
    {true, false, true, true},  // 2: top-right, bottom-right
    {true, false, true, true},
    {true, false, true, true},
    {true, true, false, true},  // 5: bottom-right, bottom-left
    {true, true, false, true},
    {true, true, false, true},
    {false, true, false, false},  // 8: bottom-left, top-left
    {false, true, false, false},
    {false, true, false, false},
    {false, false, true, false},  // 11
}};

// The terrain's speed in percent under up to three points; points off the map and cells
// impassable for the class do not count, and with none left the speed is full.
int TerrainPercent(std::span<const PixelPos> points, int moveClass) {
    int sum = 0;
    int counted = 0;
    for (const PixelPos& p : points) {
        if (p.x < 0 || p.x > WorldMaxX || p.y < 0 || p.y > WorldMaxY) continue;
        const CellPos c = CellFromPixel(p.x, p.y);
        if (!CellInMap(c.column, c.row)) continue;
        const std::int8_t v = TerrainSpeed(
            MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].terrain, moveClass);
        if (v < 0) continue;
        sum += v;
        ++counted;
    }
    // The usual counts divide by a constant, which spares the slow division on every step.
    switch (counted) {
        case 0:
            return 100;
        case 1:
            return sum;
        case 2:
            return sum / 2;
        case 3:
            return sum / 3;
        default:
            return sum / counted;
    }
}

// The energy that drives a walker: its own, or that of the person leading it.
std::int32_t DrivingEnergy(const UnitHead& unit) {
    if ((unit.moverFlags & kMoverLed) != 0)
        if (const UnitHead* leader = PersonUnits.at(unit.link)) return leader->energy;
    return unit.energy;
}

bool IsStepOrder(std::uint8_t opcode) {
    return opcode == 0 || opcode == 4 || opcode == 47 || opcode == 54 || opcode == 159;
}

// The border of a hold band as a unit vector, clockwise from up.
struct BorderVector {
    double x;
    double y;
};
const std::array<BorderVector, kHoldBands.size()> kBorderVectors = [] {
    std::array<BorderVector, kHoldBands.size()> v{};
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double r = kHoldBands[i].border * 3.14159265358979323846 / 180;
        v[i] = {std::sin(r), -std::cos(r)};
    }
    return v;
}();

// Tangents of 1.5 and 2.5 degrees. A target whose angle past the border lies outside them is
// decided without the exact bearing, whose arc cosine is most of the planner's time; the exact
// bearing is off by far less than the half degree between them.
constexpr double kTanSurelyHeld = 0.02618592156918693;
constexpr double kTanSurelyPast = 0.04366094290851206;

// Whether a vehicle keeps its heading inside a hold band: the bearing of the target measured
// past the band's border is at most 2 degrees.
bool HoldsHeading(std::size_t band, float dx, float dy) {
    const HoldBand& h = kHoldBands[band];
    const BorderVector& u = kBorderVectors[band];
    const double along = u.x * dx + u.y * dy;
    const double past = (h.clockwise ? 1 : -1) * (u.x * dy - u.y * dx);
    if (along > 0) {
        if (past < along * kTanSurelyHeld) return true;
        if (past > along * kTanSurelyPast) return false;
    }
    float bearing = AngleBetween(0, -100, dx, dy);
    if (dx < 0) bearing = 360.0f - bearing;
    const long double measure = h.clockwise ? static_cast<long double>(bearing) - h.border
                                            : h.border - static_cast<long double>(bearing);
    return measure <= 2.0f;
}

struct SavedMoverPos {
    float x = 0;
    float y = 0;
    std::int8_t direction = 0;
    std::uint8_t moverFlags = 0;
    std::uint16_t house = 0xFFFF;
};
SavedMoverPos g_savedMoverPos;

}  // namespace

std::uint8_t TurnStep(std::uint8_t direction, std::uint8_t wanted) {
    const int q = WrapDirection(wanted - direction);
    if (q == 0) return direction;
    return WrapDirection(direction + (q < 7 ? 1 : kDirectionCount - 1));
}

MoveStep StepRingEntry(const UnitHead& unit, int i) {
    const int k = RingIndex(i);
    if (k == kStepRingEntries) return {unit.moveDir, unit.moveX, unit.moveY};
    return unit.stepRing[static_cast<std::size_t>(k)];
}

void SetStepRingEntry(UnitHead& unit, int i, const MoveStep& step) {
    const int k = RingIndex(i);
    if (k == kStepRingEntries) {
        unit.moveDir = step.direction;
        unit.moveX = step.x;
        unit.moveY = step.y;
    } else {
        unit.stepRing[static_cast<std::size_t>(k)] = step;
    }
}

MoveStep LastPlannedStep(const UnitHead& unit) {
    return StepRingEntry(unit, RingIndex(unit.stepWrite) - 1);
}

bool StepRingFull(const UnitHead& unit) {
    return RingIndex(unit.stepWrite + 1) == RingIndex(unit.stepRead);
}

std::uint8_t GetDirection12(const UnitHead& unit, float x1, float y1, float x2, float y2) {
    return static_cast<std::uint8_t>(
        TravelDirection(ClassifyDirectionWide(x1, y1, x2, y2), unit.moverFlags));
}

std::uint8_t ChooseStepDirection(const UnitHead& unit, const UnitTypHead& typ, float x, float y,
                                 std::uint8_t current, float targetX, float targetY) {
    const std::uint8_t d = GetDirection12(unit, x, y, targetX, targetY);
    if (typ.unitClass == kPersonUnitClass || d == current) return d;
    if (std::abs(static_cast<int>(x - targetX)) < 4 && std::abs(static_cast<int>(y - targetY)) < 4)
        return current;
    const auto band = std::find_if(kHoldBands.begin(), kHoldBands.end(), [&](const HoldBand& h) {
        return h.current == current && h.wanted == d;
    });
    // Not a neighbour, or a neighbour towards the axis: turn at once.
    if (band == kHoldBands.end()) return d;
    const auto index = static_cast<std::size_t>(band - kHoldBands.begin());
    return HoldsHeading(index, targetX - x, targetY - y) ? current : d;
}

namespace {

// What a step's length is worked out from once the terrain is known.
struct StepScale {
    int percent = 0;
    float speed = 0;
    bool keepMoving = false;  // a step of 0 takes the unit's own speed
    bool byEnergy = false;    // walkers: scaled by the energy that drives them
    std::int32_t energy = 0;

    bool operator==(const StepScale& o) const {
        return percent == o.percent &&
               std::bit_cast<std::uint32_t>(speed) == std::bit_cast<std::uint32_t>(o.speed) &&
               keepMoving == o.keepMoving && byEnergy == o.byEnergy && energy == o.energy;
    }
};

// In 80-bit arithmetic, as steps have always been measured. A run asks the same again and again
// on even ground: the last answer is kept, which spares the slow arithmetic most of the time.
float ScaledStepLength(const StepScale& k) {
    static StepScale lastAsked{-1};
    static float lastLength = 0;
    if (k == lastAsked) return lastLength;
    auto s = static_cast<float>(k.percent * static_cast<long double>(k.speed) * 0.01);
    if (k.keepMoving && s == 0) s = k.speed;
    if (k.byEnergy) s = static_cast<float>((k.energy * 6e-7 + 0.4) * static_cast<long double>(s));
    lastAsked = k;
    lastLength = s;
    return s;
}

}  // namespace

float GetStepLength(const UnitHead& unit, const UnitTypHead& typ, float x, float y,
                    std::uint8_t direction, std::uint8_t anim, std::uint8_t mode) {
    if (typ.unitClass == kCivilVehicleUnitClass) return ZFWegSpeed(unit.link).value_or(typ.speed);
    if (mode == 2) return typ.speed;

    int percent = 100;
    if (unit.storey == 0) {
        const int cx = static_cast<int>(x);
        const int cy = static_cast<int>(y);
        std::array<PixelPos, 3> points = {PixelPos{cx, cy}};
        std::size_t count = 1;
        const AnimSlot& slot = UnitAnimSlot(typ, direction, anim);
        // Without a slot there is no footprint: the centre alone decides.
        if (slot.frames != 0 && direction < kDirectionCount) {
            const Rect16 foot = SlotFootprint(slot, x, y);
            const LeadingCorners& lc = kLeadingCorners[direction];
            points[1] = {lc.right1 ? foot.x2 : foot.x1, lc.bottom1 ? foot.y2 : foot.y1};
            points[2] = {lc.right2 ? foot.x2 : foot.x1, lc.bottom2 ? foot.y2 : foot.y1};
            count = 3;
        }
        percent = TerrainPercent(std::span(points.data(), count), typ.terrainColumn);
    }
    // Below 0 the factor would turn negative and step backwards.
    const bool byEnergy = typ.unitClass != kPlayerVehicleUnitClass;
    const std::int32_t energy = byEnergy ? std::max<std::int32_t>(DrivingEnergy(unit), 0) : 0;
    return ScaledStepLength({percent, unit.speed, (mode & 1) != 0, byEnergy, energy});
}

std::uint8_t StepMover(const UnitHead& unit, const UnitTypHead& typ, float& x, float& y,
                       std::int8_t direction, std::uint8_t anim, float targetX, float targetY,
                       std::uint8_t mode) {
    const auto dir = static_cast<std::uint8_t>(direction);
    // The length first: a unit that cannot step says so whatever direction it is given.
    const float s = GetStepLength(unit, typ, x, y, dir, anim, mode);
    if (s == 0) return 0;
    if (dir >= kDirectionCount) return 1;
    const int travel = TravelDirection(dir, unit.moverFlags);
    MoveAlong(x, y, travel, s);
    const StepVector v = kStepElevenths[static_cast<std::size_t>(travel)];
    const bool xReached = v.x > 0 ? x >= targetX : x <= targetX;
    const bool yReached = v.y > 0 ? y >= targetY : y <= targetY;
    if (v.x == 0 || v.y == 0) {
        // Along an axis the moved coordinate decides, and the point lands on the target.
        if (v.x != 0 ? xReached : yReached) {
            x = targetX;
            y = targetY;
        }
    } else {
        if (xReached) x = targetX;
        if (yReached) y = targetY;
    }
    return 1;
}

std::uint8_t StepMoverFree(const UnitHead& unit, const UnitTypHead& typ, float& x, float& y,
                           std::uint8_t direction, std::uint8_t anim, std::uint8_t mode) {
    const float s = GetStepLength(unit, typ, x, y, direction, anim, mode);
    if (s == 0) return 0;
    if (direction >= kDirectionCount) return 1;
    MoveAlong(x, y, TravelDirection(direction, unit.moverFlags), s);
    return 1;
}

bool StepPoint3(float& x, float& y, std::uint8_t direction, std::uint8_t moverFlags) {
    if (direction >= kDirectionCount) return true;
    const StepVector v =
        kStepElevenths[static_cast<std::size_t>(TravelDirection(direction, moverFlags))];
    const auto part = [](int elevenths) {
        switch (std::abs(elevenths)) {
            case 11:
                return 3.0;
            case 7:
                return 1.9090909090909092;
            case 4:
                return 1.0909090909090908;
            default:
                return 0.0;
        }
    };
    x = static_cast<float>(x + (v.x < 0 ? -part(v.x) : part(v.x)));
    y = static_cast<float>(y + (v.y < 0 ? -part(v.y) : part(v.y)));
    return true;
}

std::uint8_t PlanStep(const UnitHead& unit, const UnitTypHead& typ, MoveStep& step, float targetX,
                      float targetY, bool keepFacing) {
    const std::uint8_t wanted = keepFacing ? step.direction
                                           : ChooseStepDirection(unit, typ, step.x, step.y,
                                                                 step.direction, targetX, targetY);
    bool turned = false;
    if (wanted != step.direction) {
        // One turn step per planned step, the shorter way round; a half turn goes clockwise.
        step.direction = TurnStep(step.direction, wanted);
        turned = true;
    }
    const bool onCourse = step.direction == wanted;
    const auto anim = static_cast<std::uint8_t>(unit.anim);
    // A person turns on the spot; a vehicle drives on while it turns.
    if (typ.unitClass != kPersonUnitClass || (onCourse && !turned)) {
        if (onCourse && !keepFacing) {
            StepMover(unit, typ, step.x, step.y, static_cast<std::int8_t>(step.direction), anim,
                      targetX, targetY, 1);
        } else {
            StepMoverFree(unit, typ, step.x, step.y, step.direction, anim, 1);
        }
    }
    return wanted;
}

void FillStepRing(UnitHead& unit, const UnitTypHead& typ) {
    const Befehl* order = unit.orders;
    if (order == nullptr || !IsStepOrder(order->opcode)) return;
    const float targetX = order->aFloat();
    const float targetY = order->bFloat();
    const bool keepFacing = (order->flags & kBefehlKeepFacing) != 0;
    MoveStep last = LastPlannedStep(unit);
    while (!StepRingFull(unit)) {
        if (last.x != targetX || last.y != targetY)
            PlanStep(unit, typ, last, targetX, targetY, keepFacing);
        PushStepRing(unit, last.x, last.y, last.direction);
    }
}

void PushStepRing(UnitHead& unit, float x, float y, std::uint8_t direction) {
    SetStepRingEntry(unit, unit.stepWrite, {direction, x, y});
    unit.stepWrite = static_cast<std::uint8_t>(RingIndex(unit.stepWrite + 1));
}

void AdvanceStepRingRead(UnitHead& unit) {
    unit.stepRead = static_cast<std::uint8_t>(RingIndex(unit.stepRead + 1));
}

void ResetMoveTarget(UnitHead& unit) {
    SetMoveTarget(unit, unit.x, unit.y, static_cast<std::uint8_t>(unit.direction));
}

void SetMoveTarget(UnitHead& unit, float x, float y, std::uint8_t direction) {
    unit.stepRead = 0;
    unit.stepWrite = 0;
    unit.moveDir = direction;
    unit.moveX = x;
    unit.moveY = y;
}

void SaveStepRing(const UnitHead& unit, StepRingBuffer& buffer, std::uint8_t& read,
                  std::uint8_t& write) {
    for (int i = 0; i < kStepRingSize; ++i)
        buffer[static_cast<std::size_t>(i)] = StepRingEntry(unit, i);
    read = unit.stepRead;
    write = unit.stepWrite;
}

void RestoreStepRing(UnitHead& unit, const StepRingBuffer& buffer, std::uint8_t read,
                     std::uint8_t write) {
    for (int i = 0; i < kStepRingSize; ++i)
        SetStepRingEntry(unit, i, buffer[static_cast<std::size_t>(i)]);
    unit.stepRead = read;
    unit.stepWrite = write;
}

void SaveMoverPos(const UnitHead& unit) {
    g_savedMoverPos = {unit.x, unit.y, unit.direction, unit.moverFlags, unit.house};
}

float SavedMoverX() {
    return g_savedMoverPos.x;
}

float SavedMoverY() {
    return g_savedMoverPos.y;
}

void RestoreMoverPos(UnitHead& unit) {
    unit.x = g_savedMoverPos.x;
    unit.y = g_savedMoverPos.y;
    unit.direction = g_savedMoverPos.direction;
    unit.moverFlags = g_savedMoverPos.moverFlags;
    unit.house = g_savedMoverPos.house;
}

void SetMoverAction(UnitHead& unit, const UnitTypHead& typ, std::int8_t anim) {
    if (unit.type == kPersonTypMedic && typ.unitClass == kPersonUnitClass &&
        unit.anim == kTreatAnim) {
        if (UnitHead* patient = PersonUnits.at(unit.link)) patient->link = kNoLink;
        unit.link = kNoLink;
    }
    unit.anim = anim;
    unit.frame = 0;
    unit.frameTimer = 0;
}

}  // namespace kv
