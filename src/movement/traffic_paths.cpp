#include "movement/traffic_paths.h"

#include <algorithm>
#include <cfloat>

#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::uint8_t ZFWegCount = 0;
std::vector<ZFWeg> ZFWege;
std::uint8_t PassantenWegCount = 0;
std::vector<PassantenWeg> PassantenWege;

namespace {

constexpr std::int32_t kSilent = -1;
constexpr std::int32_t kWaitBeforeReturn = 60;  // ticks a pedestrian off its point stands first

// A listed type beyond the vehicle types would not fit the car's type byte.
bool ValidZFTyp(std::uint16_t type) {
    return type < kFahrzeugTypCount;
}

// The entries of a path's lists that both lists hold.
std::size_t TypeEntries(const ZFWeg& w) {
    return std::min({static_cast<std::size_t>(w.typeCount), w.types.size(), w.percents.size()});
}

bool HasChance(const ZFWeg& w, std::size_t k) {
    return ValidZFTyp(w.types[k]) && w.percents[k] > 0;
}

// The type of the next car. With several types, random entries are drawn (the entry, then its
// percent) until one succeeds whose type differs from the last car's. Such data may offer no
// other type with a chance at all; then, without drawing, the last type comes again if it has a
// chance, else no car this time.
std::optional<std::uint16_t> ChooseZFTyp(const ZFWeg& w, std::size_t count) {
    if (count == 1) {
        if (!ValidZFTyp(w.types[0])) return std::nullopt;
        return w.types[0];
    }
    bool otherType = false;
    bool lastTypeAgain = false;
    for (std::size_t k = 0; k < count; ++k) {
        if (!HasChance(w, k)) continue;
        if (w.types[k] != w.lastType)
            otherType = true;
        else
            lastTypeAgain = true;
    }
    if (!otherType) {
        if (lastTypeAgain) return w.lastType;
        return std::nullopt;
    }
    for (;;) {
        const auto k = static_cast<std::size_t>(Rand()) % count;
        const int roll = Rand() % 100;
        if (!ValidZFTyp(w.types[k]) || roll >= w.percents[k]) continue;
        if (w.types[k] == w.lastType) continue;
        return w.types[k];
    }
}

// Puts a car of the path's next type on the path's start; false ends this tick's spawning.
bool SpawnZFAt(std::size_t path) {
    ZFWeg& w = ZFWege[path];
    // At least 1, so that a short interval does not divide by zero.
    const int half = std::max(1, w.interval / 2);
    w.timer = static_cast<std::int16_t>(Rand() % half);

    const std::size_t count = TypeEntries(w);
    if (count == 0) return false;
    const std::int16_t slot = FindFreeFahrzeug();
    if (slot < 0) return false;
    const std::optional<std::uint16_t> type = ChooseZFTyp(w, count);
    if (!type) return true;
    w.lastType = *type;

    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(slot)];
    v.type = static_cast<std::int8_t>(*type);
    v.x = static_cast<float>(w.startX);
    v.y = static_cast<float>(w.startY);
    v.height = 0;
    v.direction = static_cast<std::int8_t>(w.startDir);
    v.present = 1;
    v.targetable = 0;
    v.selectable = 0;
    SetupFahrzeug(slot, kOwnerMission);
    v.link = static_cast<std::uint16_t>(path);

    if (TestFahrzeugOverlap(slot)) {
        // Removed, not just marked free, so that the seats it was given go with it.
        RemoveFahrzeug(slot, kRemoveDrivenOff);
        return true;
    }
    SetBefehl(v, FahrzeugTypOf(v), kOpTraffic, kSilent, w.targetX, w.targetY, w.turnX, w.turnY, 0);
    AppendBefehl(v, kOpLeave, 0, 0, 0, 0, 0);
    return true;
}

const PassantenWeg* PassantenWegAt(std::int32_t path) {
    if (path < 0 || static_cast<std::size_t>(path) >= PassantenWege.size()) return nullptr;
    return &PassantenWege[static_cast<std::size_t>(path)];
}

// The point of a path, if the path and the point are there.
const Point16* PassantenWegPoint(std::int32_t path, std::int32_t point) {
    const PassantenWeg* w = PassantenWegAt(path);
    if (w == nullptr || point < 0 || point >= w->pointCount ||
        static_cast<std::size_t>(point) >= w->points.size())
        return nullptr;
    return &w->points[static_cast<std::size_t>(point)];
}

std::uint16_t PassantLink(std::uint8_t path, std::uint8_t point, bool backwards) {
    return static_cast<std::uint16_t>((path << 8) | point | (backwards ? kPassantBackwards : 0));
}

// A pedestrian's path and point from its link2; none when they name no point of a path.
struct PassantPlace {
    std::uint8_t path;
    std::uint8_t point;
    bool backwards;
};
std::optional<PassantPlace> DecodePassantLink(std::uint16_t link2) {
    if (link2 == kNoLink) return std::nullopt;
    const PassantPlace place{static_cast<std::uint8_t>((link2 >> 8) & kMaxPassantenWeg),
                             static_cast<std::uint8_t>(link2 & 0xFF),
                             (link2 & kPassantBackwards) != 0};
    if (PassantenWegPoint(place.path, place.point) == nullptr) return std::nullopt;
    return place;
}

// Moves the pedestrian's link2 on to the next point and sends it there.
void WalkToNextPoint(Person& p, PassantPlace place) {
    bool backwards = place.backwards;
    const std::uint8_t next = NextPassantenWegPoint(place.path, place.point, backwards);
    const Point16* target = PassantenWegPoint(place.path, next);
    if (target == nullptr) return;
    p.link2 = PassantLink(place.path, next, backwards);
    SetBefehl(p, PersonTypen[static_cast<std::size_t>(p.type)], kOpMove, kSilent, target->x,
              target->y, 0, 0, 0);
}

}  // namespace

ZFWeg* ZFWegAt(std::int32_t path) {
    if (path < 0 || static_cast<std::size_t>(path) >= ZFWege.size()) return nullptr;
    return &ZFWege[static_cast<std::size_t>(path)];
}

bool InitZFWege(int mission) {
    FreeZFWege();
    const auto hook = MissionHook(mission, &MissionHooks::InitZFWege, "InitZFWege");
    if (hook == nullptr) return false;
    hook();
    if (FatalErrorRaised()) return false;
    for (const ZFWeg& w : ZFWege) {
        for (std::size_t k = 0; k < TypeEntries(w); ++k) {
            if (!ValidZFTyp(w.types[k])) continue;
            LoadFahrzeugTyp(static_cast<std::int16_t>(w.types[k]));
            if (FatalErrorRaised()) return false;
        }
    }
    return true;
}

void AllocZFWege() {
    ZFWege.assign(ZFWegCount, ZFWeg{});
}

void FreeZFWege() {
    ZFWege.clear();
    ZFWege.shrink_to_fit();
    ZFWegCount = 0;
}

void SetZFWegTypen(ZFWeg& path, std::span<const ZFWegTyp> list) {
    const std::size_t count = std::min<std::size_t>(list.size(), 255);
    path.typeCount = static_cast<std::uint8_t>(count);
    path.types.resize(count);
    path.percents.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        path.types[k] = list[k].type;
        path.percents[k] = list[k].percent;
    }
}

void SpawnZF() {
    for (std::size_t i = 0; i < ZFWege.size(); ++i) {
        ZFWeg& w = ZFWege[i];
        w.timer = static_cast<std::int16_t>(w.timer + 1);
        if (w.timer <= w.interval) continue;
        if (!SpawnZFAt(i)) return;
    }
}

std::int32_t FindNearestZFWeg(const UnitHead& unit) {
    std::int32_t nearest = kNoZFWeg;
    float best = FLT_MAX;
    for (std::size_t i = 0; i < ZFWege.size(); ++i) {
        const ZFWeg& w = ZFWege[i];
        PointF foot;
        const float d = FootOfPerpendicular(
            static_cast<float>(w.startX), static_cast<float>(w.startY),
            static_cast<float>(w.targetX), static_cast<float>(w.targetY), unit.x, unit.y, foot);
        if (d < best) {
            best = d;
            nearest = static_cast<std::int32_t>(i);
        }
    }
    return nearest;
}

std::optional<float> ZFWegSpeed(std::int32_t path) {
    const ZFWeg* w = ZFWegAt(path);
    if (w == nullptr) return std::nullopt;
    return w->speed;
}

void SetZFWegSpeed(std::uint16_t path, float speed) {
    if (ZFWeg* w = ZFWegAt(path)) w->speed = speed;
}

bool InitPassantenWege(int mission) {
    FreePassantenWege();
    const auto hook = MissionHook(mission, &MissionHooks::InitPassantenWege, "InitPassantenWege");
    if (hook == nullptr) return false;
    hook();
    return !FatalErrorRaised();
}

void AllocPassantenWege() {
    PassantenWege.assign(PassantenWegCount, PassantenWeg{});
}

void FreePassantenWege() {
    PassantenWege.clear();
    PassantenWege.shrink_to_fit();
    PassantenWegCount = 0;
}

void SetPassantenWeg(std::int32_t index, std::uint8_t mode, std::span<const Point16> points) {
    if (index < 0 || static_cast<std::size_t>(index) >= PassantenWege.size()) return;
    PassantenWeg& w = PassantenWege[static_cast<std::size_t>(index)];
    w.mode = mode;
    w.points.clear();
    for (const Point16& p : points.first(std::min<std::size_t>(points.size(), 255))) {
        w.points.push_back(p);
        if (p.x < 0 || p.y < 0) break;
    }
    // Only the points stored count, so that no point is read that was never written.
    w.pointCount = static_cast<std::uint8_t>(w.points.size());
}

std::int16_t SpawnPassant(std::uint8_t type, std::uint8_t path, std::uint8_t point,
                          std::uint8_t contamination) {
    if (type >= kPersonTypCount || path > kMaxPassantenWeg) return -1;
    const Point16* at = PassantenWegPoint(path, point);
    if (at == nullptr) return -1;
    const std::int16_t index = FindFreePerson();
    if (index < 0) return -1;
    Person& p = PlacePerson(index, static_cast<std::int8_t>(type), at->x, at->y, 0);
    p.controlFlags = kPersonController | kPersonPedestrian;
    SetStandingUnhurt(p);
    p.contamination = contamination;
    p.moverFlags = 0;
    p.link2 = PassantLink(path, point, false);
    bool backwards = false;
    if (const Point16* next =
            PassantenWegPoint(path, NextPassantenWegPoint(path, point, backwards)))
        p.direction = static_cast<std::int8_t>(ClassifyDirectionWide(p.x, p.y, next->x, next->y));
    return index;
}

std::uint8_t NextPassantenWegPoint(std::uint8_t path, std::uint8_t point, bool& backwards) {
    const PassantenWeg* w = PassantenWegAt(path);
    if (w == nullptr || w->pointCount == 0) return kNoPassantenWegPoint;
    const int count = w->pointCount;
    if (count == 1) {
        backwards = false;
        return 0;
    }
    if (w->mode != kPassantenWegBackAndForth)
        return point + 1 < count ? static_cast<std::uint8_t>(point + 1) : 0;
    if (backwards) {
        if (point - 1 >= 0) return static_cast<std::uint8_t>(point - 1);
        backwards = false;
        return 1;
    }
    if (point + 1 < count) return static_cast<std::uint8_t>(point + 1);
    backwards = true;
    return static_cast<std::uint8_t>(count - 2);
}

void StepPassantRoute(std::int16_t person) {
    Person* found = PersonAt(person);
    if (found == nullptr || found->type < 0 || found->type >= kPersonTypCount) return;
    Person& p = *found;
    const std::optional<PassantPlace> place = DecodePassantLink(p.link2);
    if (!place) return;
    if (p.orders != nullptr) {
        if (HeadBefehlOpcode(p) == kOpHold) WalkToNextPoint(p, *place);
        return;
    }
    if (p.anim != kAnimStand) return;
    // The decoded link names a point, but the optimiser cannot see it.
    const Point16* at = PassantenWegPoint(place->path, place->point);
    if (at == nullptr) return;
    const Point16& point = *at;
    if (static_cast<std::int32_t>(p.x) == point.x && static_cast<std::int32_t>(p.y) == point.y) {
        WalkToNextPoint(p, *place);
        return;
    }
    SetBefehl(p, PersonTypen[static_cast<std::size_t>(p.type)], kOpWait, kSilent, kWaitBeforeReturn,
              0, 0, 0, 0);
    AppendBefehl(p, kOpMove, point.x, point.y, 0, 0, 0);
    AppendBefehl(p, kOpHold, 0, 0, 0, 0, 0);
}

}  // namespace kv
