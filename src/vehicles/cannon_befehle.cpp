#include "vehicles/cannon_befehle.h"

#include <cmath>

#include "movement/befehl.h"
#include "movement/befehl_queue.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/jet_common.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr std::int32_t kFlatElevation = 25;
constexpr std::int32_t kMiddleElevation = 50;
constexpr std::int32_t kSteepElevation = 75;
// A storey's aim point lies a storey's height above the house's base line per storey, plus half
// of one.
constexpr int kStoreyAimHalf = 15;
// Each map row lies half a cell further left than the one above it.
constexpr int kRowShift = kCellWidth / 2;

double AimAngle(std::int32_t height, std::int32_t distance) {
    // atan2: straight above the nozzle is 90 degrees, not a division by zero.
    return std::atan2(static_cast<double>(height), static_cast<double>(distance)) *
           kDegreesPerRadian;
}

// The jet and the cannon of a vehicle working a cannon order.
struct CannonAt {
    WasserStrahl* jet = nullptr;
    const KanoneTyp* kanone = nullptr;
};

// The first tick of every cannon order: the order is marked, and the jet is made ready to be
// aimed anew. A vehicle without a jet or a cannon gives no jet: every target is out of its range.
CannonAt BeginCannonOrder(Fahrzeug& v) {
    v.orders->flags |= kBefehlStarted;
    WasserStrahl* jet = v.wasserStrahl.get();
    const KanoneTyp* kanone = FahrzeugTypOf(v).kanone;
    if (jet == nullptr || kanone == nullptr) return {};
    jet->autoAim = 0;
    // A vehicle set up while no slot was free has no jet object to hide.
    if (SonderObj* splash = JetSplash(jet->splash)) splash->visible = 0;
    jet->countdown = -1;
    return {jet, kanone};
}

std::int16_t WholeX(const Fahrzeug& v) {
    return Whole16(v.x);
}
std::int16_t WholeY(const Fahrzeug& v) {
    return Whole16(v.y);
}

// A straight jet at the aim point when the line to (x, lineY) is clear, else an arc of the
// elevation onto the house in the way.
void Spray(std::int16_t index, std::int16_t x, std::int16_t lineY, const CannonAim& aim,
           std::uint16_t floor) {
    const auto aimY = Clamp16(aim.aimY);
    const auto height = Clamp16(aim.height);
    CellPos blocking;
    if (TestWasserStrahlTarget(index, x, lineY, &blocking))
        StartWasserStrahl(index, x, aimY, height, floor);
    else
        StartWasserStrahlArc(index, x, aimY, height, aim.elevation, &blocking);
}

// Orders 53 and 55 keep the elevation they chose in the jet.
void SprayAimed(std::int16_t index, WasserStrahl& jet, std::int16_t x, std::int16_t lineY,
                const CannonAim& aim, std::uint16_t floor) {
    jet.elevation = static_cast<std::uint8_t>(aim.elevation);
    Spray(index, x, lineY, aim, floor);
}

// A map coordinate held in a goal's float: finite, whole and inside 0..limit - 1.
bool GoalCell(float value, int limit, int& out) {
    if (!(value >= 0.0f && value < static_cast<float>(limit))) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

CannonAim ChooseCannonElevation(std::int32_t height, std::int32_t distance, std::int32_t aimY) {
    CannonAim aim{kSteepElevation, height, aimY};
    double angle = AimAngle(height, distance);
    if (angle < kFlatElevation) {
        aim.elevation = kFlatElevation;
    } else if (angle < kMiddleElevation) {
        aim.elevation = kMiddleElevation;
    } else {
        // The ground ends the lowering: straight above the nozzle no height would do.
        while (angle > kSteepElevation && aim.height > 0) {
            --aim.height;
            ++aim.aimY;
            angle = AimAngle(aim.height, distance);
        }
    }
    return aim;
}

void RunFahrzeugBefehl53(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr || (v->orders->flags & kBefehlStarted) != 0) return;
    const Befehl& order = *v->orders;
    const CannonAt c = BeginCannonOrder(*v);
    if (c.jet == nullptr) return;
    // A row off the map is out of range.
    const std::int32_t row = order.dInt();
    if (row < 0 || row >= MapHeight) return;
    const std::int16_t x = LowHalf(order.a);
    const std::int16_t aimY = LowHalf(order.b);
    const std::int16_t base = Clamp16(row * kCellHeight);
    const std::int32_t distance = DistanceInt(WholeX(*v), WholeY(*v), x, base);
    if (distance > c.kanone->range) return;
    const std::int32_t height = aimY < base ? base - aimY : 0;
    SprayAimed(index, *c.jet, x, base, ChooseCannonElevation(height, distance, aimY), kKeepFloor);
}

void RunFahrzeugBefehl55(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr || (v->orders->flags & kBefehlStarted) != 0) return;
    Befehl& order = *v->orders;
    // A hand-made or damaged order without its two goals reads nothing and leaves the jet alone.
    if (order.goals.size() < 2) {
        order.flags |= kBefehlStarted;
        return;
    }
    const GoalPoint target = order.goals[0];
    const GoalPoint cell = order.goals[1];
    const CannonAt c = BeginCannonOrder(*v);
    if (c.jet == nullptr) return;
    int column = 0;
    int row = 0;
    if (!GoalCell(cell.x, MapWidth, column) || !GoalCell(cell.y, MapHeight, row)) return;
    const KanoneTyp& k = *c.kanone;
    const int baseY = row * kCellHeight + kCellHeight;
    const int height = target.facing * kStoreyHeight + kStoreyAimHalf;
    const int targetX = column * kCellWidth - row * kRowShift;
    // Kept as the game has it: the range is measured from facing 0's mount and cannon direction
    // 0's nozzle, whatever way the vehicle faces.
    const int fromX = WholeX(*v) + k.mount[0].x + k.nozzle[0].x;
    const int fromY = WholeY(*v) + k.mount[0].y + k.nozzle[0].y;
    const std::int32_t distance =
        DistanceInt(Clamp16(fromX), Clamp16(fromY), Clamp16(targetX), Clamp16(baseY - k.height));
    if (distance > k.range) return;
    // Kept as the game has it: only a target whose base line is not below the vehicle is sprayed.
    if (baseY > WholeY(*v)) return;
    const CannonAim aim = ChooseCannonElevation(height, distance, Whole16(target.y));
    SprayAimed(index, *c.jet, Whole16(target.x), Clamp16(baseY), aim, target.facing);
}

void RunFahrzeugBefehl67(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const Befehl& order = *v->orders;
    if ((order.flags & kBefehlStarted) == 0) {
        const CannonAt c = BeginCannonOrder(*v);
        const std::int16_t x = LowHalf(order.a);
        const std::int16_t y = LowHalf(order.b);
        if (c.jet != nullptr && DistanceInt(WholeX(*v), WholeY(*v), x, y) <= c.kanone->range)
            Spray(index, x, y, CannonAim{kFlatElevation, 0, y}, kKeepFloor);
    }
    // Kept as the game has it: the order ends on any tick once its object is gone, the first
    // included. An index that names no object counts as gone.
    const SonderObj* o = SonderObjAt(order.cInt());
    if (o == nullptr || o->type == -1) {
        StopWasserStrahl(index, 1);
        PopBefehl(*v);
    }
}

}  // namespace kv
