#include "vehicles/drive_in.h"

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

// The drive order's flags: a plain drive that the player's orders may replace.
constexpr std::uint8_t kDriveInFlags = 130;

// One step back against each facing an entry can have.
struct BackStep {
    std::int8_t facing;
    float dx;
    float dy;
};
constexpr BackStep kBackSteps[] = {
    {1, -0.36363637f, 0.6363636f},
    {3, -1.0f, 0.0f},
    {7, 0.36363637f, -0.6363636f},
    {9, 1.0f, 0.0f},
};

// Far more than any row of vehicles at an entry needs.
constexpr int kMostBackSteps = 4096;

}  // namespace

void DriveFahrzeugIn(std::int16_t index, const MapEntryPoint& entry) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr) return;
    const double x = entry.x;
    const double y = entry.y;
    const double r = entry.run;
    double tx = x;
    double ty = y;
    switch (entry.facing) {
        case 1:
            tx = x + 4.0 * r / 11.0;
            ty = y - 7.0 * r / 11.0;
            break;
        case 3:
            tx = x + r;
            break;
        case 7:
            tx = x - 4.0 * r / 11.0;
            ty = y + 7.0 * r / 11.0;
            break;
        case 9:
            tx = x - r;
            break;
        default:
            break;
    }
    ClearBefehle(*v);
    AppendBefehl(*v, kOpMove, static_cast<std::int32_t>(tx), static_cast<std::int32_t>(ty), 0, 0, 0,
                 kDriveInFlags, -1);
    ResetMoveTarget(*v);
}

void BackFahrzeugOff(std::int16_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr) return;
    const BackStep* step = nullptr;
    for (const BackStep& s : kBackSteps)
        if (s.facing == v->direction) step = &s;
    for (int n = 0; step != nullptr && n < kMostBackSteps && TestFahrzeugOverlap(index); ++n) {
        v->x += step->dx;
        v->y += step->dy;
        UpdateFahrzeugDrawPos(*v);
    }
    v->moveX = v->x;
    v->moveY = v->y;
    v->moveDir = static_cast<std::uint8_t>(v->direction);
}

}  // namespace kv
