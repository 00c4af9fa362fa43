#include "movement/collision_line.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "movement/collision.h"
#include "movement/collision_parts.h"
#include "movement/stepping.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr int kBatchSteps = 6;
// Steps recorded before a step that repeats the one this many back closes a circle.
constexpr int kCircleSteps = 12;
// The run's tests: units moving together and onlookers pass, the walking footprint, pushable
// objects; the manoeuvre's turn test looks at the standing footprint.
constexpr std::uint16_t kRunMode =
    kCollideSkipMoving | kCollideAnimWalk | kCollideNoOnlookers | kCollidePush;
constexpr std::uint16_t kTurnMode =
    kCollideSkipMoving | kCollideAnimStand | kCollideNoOnlookers | kCollidePush;
constexpr std::uint8_t kWalkAnim = 1;
// The budget of a run: this many times the straight distance and this many pixels more, each
// step counted at least as the least credit (a unit that cannot move still runs out).
constexpr float kBudgetFactor = 4;
constexpr float kBudgetExtra = 256;
constexpr float kLeastStepCredit = 1.0f / 64;
// No run on any map needs more: four times the diagonal of the largest map there can be.
constexpr float kBudgetCap = kBudgetFactor * 92682 + kBudgetExtra;
// The counter of a manoeuvre is a signed byte.
constexpr int kCounterLimit = 127;

Rect16 Union(const Rect16& a, const Rect16& b) {
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

bool BlockedAt(const UnitHead& unit, const UnitTypHead& type, std::uint16_t mode, float x, float y,
               std::uint8_t direction, CollisionHit* hit = nullptr) {
    return TestCollision(mode, unit, type, x, y, direction, unit.storey,
                         static_cast<std::uint8_t>(unit.anim), hit) != 0;
}

// One straight-line run.
class Run {
  public:
    Run(UnitHead& unit, const UnitTypHead& type, float targetX, float targetY, LineRun& out)
        : unit_(unit), type_(type), tx_(targetX), ty_(targetY), out_(out) {}

    std::uint8_t go(MoveStep cur) {
        float limit = kBudgetFactor * DistanceFloat(cur.x, cur.y, tx_, ty_) + kBudgetExtra;
        // Also for a target beyond any map, where steps stop moving, or one that is no number.
        if (!(limit <= kBudgetCap)) limit = kBudgetCap;
        for (;;) {
            if (cur.x == tx_ && cur.y == ty_) return 1;
            if (unit_.contour != nullptr) return manoeuvre();
            // Float rounding can keep a vehicle circling its target without ever repeating a
            // step exactly; past the budget it counts as the circle it is.
            if (walked_ > limit) return endInCircle(cur);

            const MoveStep start = cur;
            const std::uint8_t startWrite = unit_.stepWrite;
            const int startRecorded = recorded_;
            std::array<MoveStep, kBatchSteps> steps{};
            std::array<std::uint8_t, kBatchSteps> wanted{};
            int n = 0;
            bool circled = false;
            while (n < kBatchSteps) {
                MoveStep next = cur;
                wanted[static_cast<std::size_t>(n)] = PlanStep(unit_, type_, next, tx_, ty_, false);
                const float dx = next.x - cur.x;
                const float dy = next.y - cur.y;
                walked_ += std::max(kLeastStepCredit, std::sqrt(dx * dx + dy * dy));
                circled = closesCircle(next);
                record(next);
                steps[static_cast<std::size_t>(n++)] = next;
                cur = next;
                if (circled || (next.x == tx_ && next.y == ty_)) break;
            }
            if (!batchBlocked(steps[0], steps[static_cast<std::size_t>(n - 1)])) {
                stopAt(cur);
                // Round and round on open ground would never end.
                if (circled) return endInCircle(cur);
                continue;
            }

            // Something lies in the batch's way: step by step from its start to find it.
            unit_.stepWrite = startWrite;
            setRecorded(startRecorded);
            cur = start;
            for (int k = 0; k < n; ++k) {
                const MoveStep& step = steps[static_cast<std::size_t>(k)];
                if (closesCircle(step)) return endInCircle(cur);
                CollisionHit hit;
                const std::uint8_t value =
                    TestCollision(kRunMode, unit_, type_, step.x, step.y, step.direction,
                                  unit_.storey, kWalkAnim, &hit);
                if (value != 0)
                    return blocked(start, cur, step, wanted[static_cast<std::size_t>(k)], hit,
                                   value);
                record(step);
                cur = step;
                stopAt(cur);
            }
        }
    }

  private:
    void record(const MoveStep& s) {
        PushStepRing(unit_, s.x, s.y, s.direction);
        setRecorded(recorded_ + 1);
    }
    void setRecorded(int n) {
        recorded_ = n;
        unit_.stepRead = static_cast<std::uint8_t>(std::min(n, kCircleSteps));
    }
    bool closesCircle(const MoveStep& s) const {
        if (recorded_ < kCircleSteps) return false;
        const MoveStep back = StepRingEntry(unit_, unit_.stepWrite - kCircleSteps);
        return back.x == s.x && back.y == s.y && back.direction == s.direction;
    }
    void stopAt(const MoveStep& s) {
        out_.stopX = s.x;
        out_.stopY = s.y;
        out_.stopDir = s.direction;
        out_.moveDir = s.direction;
    }

    // The union of the walking footprints at the batch's first and last step.
    bool batchBlocked(const MoveStep& first, const MoveStep& last) const {
        const Rect16 box =
            Union(SlotFootprint(UnitAnimSlot(type_, first.direction, kWalkAnim), first.x, first.y),
                  SlotFootprint(UnitAnimSlot(type_, last.direction, kWalkAnim), last.x, last.y));
        return FindCollisionAt(kRunMode, &unit_, &type_, box.x1, box.y1, box.x2, box.y2,
                               static_cast<std::int16_t>(unit_.house), unit_.storey,
                               type_.terrainColumn, nullptr) != 0;
    }

    std::uint8_t endInCircle(const MoveStep& cur) {
        out_.kind = kRunContour;
        out_.reason = BlockedAt(unit_, type_, kRunMode, tx_, ty_, cur.direction)
                          ? kReasonCircle
                          : kReasonCircleTargetFree;
        return 0;
    }

    // The step after last (the last free one) is blocked.
    std::uint8_t blocked(const MoveStep& start, const MoveStep& last, const MoveStep& step,
                         std::uint8_t wanted, const CollisionHit& hit, std::uint8_t value) {
        out_.kind = hit.kind;
        out_.index1 = hit.index1;
        out_.index2 = hit.index2;
        out_.index3 = hit.index3;
        out_.blocked = value;
        if (last.direction != wanted) {
            // Stopped while turning: manoeuvre from the last free point.
            out_.kind |= kRunTurning;
            CreateObstacleFollow(unit_, start.x, start.y, last.x, last.y, last.direction, wanted,
                                 0);
            return manoeuvre();
        }
        if (hit.kind != kHitMapCell && hit.kind != kHitWall) return 0;
        if (step.direction == 1 || step.direction == 7) {
            // A steep step against a slanted cell edge may slide along it.
            if (!BlockedAt(unit_, type_, kRunMode, step.x - kSlideShift, step.y, step.direction)) {
                out_.kind = kHitSlide;
                out_.hint = kSlideLeft;
                return 0;
            }
            if (!BlockedAt(unit_, type_, kRunMode, step.x + kSlideShift, step.y, step.direction)) {
                out_.kind = kHitSlide;
                out_.hint = kSlideRight;
                return 0;
            }
        }
        // Stop short of terrain and walls, with room to turn.
        if (recorded_ >= 2) stopAt(StepRingEntry(unit_, unit_.stepWrite - 3));
        return 0;
    }

    // One step of the manoeuvre; the run ends with it.
    std::uint8_t manoeuvre() {
        const bool turned = StepObstacleFollow(unit_, type_);
        out_.kind |= kRunContour;
        ContourRecord* r = unit_.contour;
        if (r == nullptr) {
            out_.reason = kReasonCircle;  // dropped
            return 0;
        }
        stopAt({r->direction, r->x, r->y});
        if (!turned) {
            if (r->result == kManoeuvreStarted) out_.reason = kReasonManoeuvreStarted;
            if (r->result == kManoeuvreFailed) out_.reason = kReasonManoeuvreFailed;
            return 0;
        }
        // The turn has made the old facing the wanted one.
        out_.moveDir = r->wanted;
        switch (r->result) {
            case kManoeuvreTurnedFar:
                // Kept, so that the next run ends it.
                out_.reason = kReasonTurnedFar;
                r->flags |= kContourFinished;
                return 0;
            case kManoeuvreTurned:
                out_.reason = r->counter < 1 ? kReasonTurnedAtOnce : kReasonTurnedAhead;
                break;
            case kManoeuvreTurnedBack:
                out_.reason = kReasonTurnedBack;
                break;
            default:
                out_.reason = kReasonTurnedAside;
                break;
        }
        FreeContourRecord(unit_);
        return 0;
    }

    UnitHead& unit_;
    const UnitTypHead& type_;
    float tx_;
    float ty_;
    LineRun& out_;
    int recorded_ = 0;
    float walked_ = 0;
};

// The result of a turn made in a state of the manoeuvre.
std::uint8_t TurnResult(std::uint8_t state) {
    switch (state) {
        case 0:
        case 2:
        case 8:
            return kManoeuvreTurned;
        case 3:
        case 9:
            return kManoeuvreTurnedBack;
        case 4:
        case 5:
            return kManoeuvreTurnedAside;
        case 6:
        case 7:
            return kManoeuvreTurnedFar;
        default:
            return 0;
    }
}

}  // namespace

std::uint8_t TestLineFree(float x, float y, std::uint8_t direction, UnitHead& unit,
                          const UnitTypHead& type, float targetX, float targetY, LineRun& out) {
    // The run only looks; nothing moves while it runs. Its batches are tested along the line.
    const Rect16 from = SlotFootprint(UnitAnimSlot(type, direction, kWalkAnim), x, y);
    const Rect16 to = SlotFootprint(UnitAnimSlot(type, direction, kWalkAnim), targetX, targetY);
    const CollisionScope scope(Union(from, to), type);
    out = LineRun{};
    out.stopX = x;
    out.stopY = y;
    out.stopDir = direction;
    out.moveDir = direction;
    ResetMoveTarget(unit);
    PushStepRing(unit, x, y, direction);
    return Run(unit, type, targetX, targetY, out).go({direction, x, y});
}

std::uint8_t TestDirectPath(float x, float y, std::uint8_t direction, UnitHead& unit,
                            const UnitTypHead& type, float targetX, float targetY, LineRun& out) {
    const std::uint8_t flags = unit.moverFlags;
    const std::uint8_t result = TestLineFree(x, y, direction, unit, type, targetX, targetY, out);
    FreeContourRecord(unit);
    unit.moverFlags = flags;
    return result;
}

void CreateObstacleFollow(UnitHead& unit, float startX, float startY, float x, float y,
                          std::uint8_t direction, std::uint8_t wanted, std::uint8_t flags) {
    FreeContourRecord(unit);
    auto* r = new ContourRecord;
    r->startX = startX;
    r->startY = startY;
    r->x = x;
    r->y = y;
    r->savedX = x;
    r->savedY = y;
    r->direction = direction;
    r->wanted = wanted;
    r->flags = flags;
    r->state = startX != x || startY != y ? 1 : 2;
    unit.contour = r;
}

bool StepObstacleFollow(UnitHead& unit, const UnitTypHead& type) {
    ContourRecord* r = unit.contour;
    if (r == nullptr) return false;
    if ((r->flags & kContourFinished) != 0) {
        r->result = kManoeuvreTurnedAside;
        return true;
    }
    r->result = 0;
    if (r->state == 1) {
        r->state = 2;
        r->result = kManoeuvreStarted;
        return false;
    }

    const std::uint8_t toward = TurnStep(r->direction, r->wanted);
    if (!BlockedAt(unit, type, kTurnMode, r->x, r->y, toward)) {
        std::uint8_t reached = toward;
        if ((r->flags & kContourTurnThrough) != 0)
            while (reached != r->wanted) {
                const std::uint8_t next = TurnStep(reached, r->wanted);
                if (BlockedAt(unit, type, kTurnMode, r->x, r->y, next)) break;
                reached = next;
            }
        r->wanted = r->direction;
        r->direction = reached;
        r->result = TurnResult(r->state);
        return true;
    }

    // The turn is blocked: move and try again next time, or give this way up.
    const auto away = static_cast<std::uint8_t>((2 * r->direction - toward + 2 * kDirectionCount) %
                                                kDirectionCount);
    const auto move = [&](std::uint8_t dir, bool backward) {
        float nx = r->x;
        float ny = r->y;
        const std::uint8_t flags = unit.moverFlags;
        if (backward) unit.moverFlags |= kMoverTurned;
        const bool moved =
            StepMoverFree(unit, type, nx, ny, dir, static_cast<std::uint8_t>(unit.anim), 1) != 0;
        unit.moverFlags = flags;
        // A unit that cannot move gets nowhere this way.
        if (!moved || BlockedAt(unit, type, kRunMode, nx, ny, dir)) return false;
        r->x = nx;
        r->y = ny;
        return true;
    };
    const auto backToStart = [&] {
        r->x = r->startX;
        r->y = r->startY;
    };
    const auto backToSaved = [&] {
        r->x = r->savedX;
        r->y = r->savedY;
    };
    const int limit = std::min(2 * type.shortcutBackSteps, kCounterLimit);
    switch (r->state) {
        case 2:
            if (r->counter < limit && move(r->direction, false)) {
                ++r->counter;
            } else {
                backToStart();
                r->counter = 0;
                r->state = 3;
            }
            break;
        case 3:
            if (-r->counter < limit && move(r->direction, true)) {
                --r->counter;
            } else {
                r->savedX = r->x;
                r->savedY = r->y;
                backToStart();
                r->counter = 0;
                r->state = 4;
            }
            break;
        case 4:
            if (!move(toward, false)) {
                backToStart();
                r->state = 5;
            }
            break;
        case 5:
            if (!move(away, false)) {
                backToSaved();
                r->state = 6;
            }
            break;
        case 6:
            if (!move(toward, false)) {
                backToSaved();
                r->state = 7;
            }
            break;
        case 7:
            if (!move(away, false)) {
                backToStart();
                r->counter = 0;
                r->state = 8;
            }
            break;
        case 8:
            if (r->counter < kCounterLimit && move(r->direction, false)) {
                ++r->counter;
            } else {
                backToStart();
                r->counter = 0;
                r->state = 9;
            }
            break;
        case 9:
            if (r->counter > -kCounterLimit && move(r->direction, true)) {
                --r->counter;
            } else if ((r->flags & kContourTurnThrough) != 0) {
                FreeContourRecord(unit);
            } else {
                r->result = kManoeuvreFailed;
            }
            break;
        default:
            break;
    }
    return false;
}

void FreeContourRecord(UnitHead& unit) {
    delete unit.contour;
    unit.contour = nullptr;
}

}  // namespace kv
