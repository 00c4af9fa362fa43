#include "missions/chain_walk.h"

#include "core/random.h"
#include "mission/input/click_orders.h"
#include "movement/befehl_opcodes.h"
#include "persons/person.h"
#include "persons/personen.h"

namespace kv {

namespace {

constexpr int kJitter = 20;
constexpr int kJitterHalf = 10;
constexpr int kPauseSpread = 200;
constexpr int kPauseLeast = 200;
constexpr std::int32_t kSilent = -1;

// The point moved by up to 10 px each way, x drawn before y.
Point16 Jittered(const Point16& p) {
    const int x = p.x + Rand() % kJitter - kJitterHalf;
    const int y = p.y + Rand() % kJitter - kJitterHalf;
    return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
}

}  // namespace

void WalkChainJittered(Person& person, std::span<const Point16> chain) {
    if (chain.empty()) return;
    const Point16 first = Jittered(chain.front());
    GiveOrder(person, PersonTypOf(person), kOpMove, kSilent, first.x, first.y);
    for (const Point16& p : chain.subspan(1)) {
        const Point16 target = Jittered(p);
        const int pause = Rand() % kPauseSpread + kPauseLeast;
        ThenOrder(person, kOpWait, pause);
        ThenOrder(person, kOpMove, target.x, target.y);
    }
}

int NearestFarPoint(std::span<const Point16> points, const Point16& from, std::int32_t& best) {
    int found = -1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::int32_t d = DistanceInt(from.x, from.y, points[i].x, points[i].y);
        if (d >= kFarPointLeast && d < best) {
            best = d;
            found = static_cast<int>(i);
        }
    }
    return found;
}

}  // namespace kv
