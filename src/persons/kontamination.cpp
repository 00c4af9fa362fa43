#include "persons/kontamination.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/mission_state.h"
#include "core/random.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/unit_type.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr std::uint8_t kLeaveDecontamination = 199;
constexpr std::uint8_t kOpenCompartment = 43;
constexpr std::int32_t kOpenTicks = 8;
constexpr std::int32_t kNoVoice = -1;
// Nobody is put down closer to the map's top or left edge.
constexpr int kMapMargin = 20;

int Trunc(float v) {
    return static_cast<int>(v);
}

bool CarriesSomeone(std::int8_t type) {
    return type == 12 || type == 19 || type == 24 || type == 26;
}

// The width or height of the picture the vehicle shows now; 0 without one.
int VehicleImageExtent(std::int16_t vehicle, bool height) {
    const UnitHead* v = FahrzeugUnits.at(vehicle);
    const AnimSlot* slot = FahrzeugUnits.currentAnim(vehicle);
    const VffImage* image =
        v != nullptr && slot != nullptr ? UnitFrameImage(*slot, v->frame) : nullptr;
    if (image == nullptr) return 0;
    return height ? image->height : image->width;
}

// A spot to come out on: the point clear of the map's top and left edge, the whole footprint on
// the map (a person is never put down partly off it), and nothing in the way.
bool StandsFree(const Person& p) {
    const int x = Trunc(p.x);
    const int y = Trunc(p.y);
    const auto direction = static_cast<std::uint8_t>(p.direction);
    const auto anim = static_cast<std::uint8_t>(p.anim);
    if (x < kMapMargin || x > WorldMaxX || y < kMapMargin || y > WorldMaxY ||
        !FootprintOnMap(PersonTypOf(p), p.x, p.y, direction, anim))
        return false;
    return TestCollision(0, p, PersonTypOf(p), p.x, p.y, direction, p.storey, anim, nullptr) == 0;
}

// Puts the person on the vehicle's side point, or slides it along the vehicle's side (0, 1, -1,
// 2, -2, ... px, as far as the vehicle's picture reaches) to the first spot where it fits. False
// when none fits: the person is hidden again.
bool ComeOutBeside(std::int16_t index, Person& p, std::int16_t vehicle) {
    const FahrzeugPunkt side = GetFahrzeugSidePoint(vehicle, index);
    p.x = side.x;
    p.y = side.y;
    UpdatePersonDrawPos(p);
    p.present = 1;
    SavePersonPos(index);
    const bool alongY = side.facing == 3 || side.facing == 9;
    const bool alongX = side.facing == 0 || side.facing == 6;
    const int limit = alongX || alongY ? VehicleImageExtent(vehicle, alongY) : 0;
    int s = 0;
    for (;;) {
        if (StandsFree(p)) return true;
        RestorePersonPos(index);
        s = -s + (s < 1 ? 1 : 0);
        if (s > limit) break;
        if (alongY)
            p.y += static_cast<float>(s);
        else
            p.x += static_cast<float>(s);
        UpdatePersonDrawPos(p);
    }
    UpdatePersonDrawPos(p);
    if (StandsFree(p)) return true;
    p.present = 0;
    return false;
}

}  // namespace

void OpenCompartment(const TypedFahrzeug& vehicle) {
    SetBefehl(*vehicle.unit, *vehicle.typ, kOpenCompartment, kNoVoice, kOpenTicks, 0, 0, 0, 0);
}

bool KontaminationProof(std::int8_t type) {
    return type == 3 || (type >= 21 && type <= 25);
}

void SpreadKontamination(std::int16_t source) {
    const Person* s = UsedPersonAt(source);
    if (s == nullptr) return;
    const int sx = Trunc(s->x);
    const int sy = Trunc(s->y);
    for (std::size_t n = 0; n < Personen.size(); ++n) {
        Person& j = Personen[n];
        if (static_cast<std::int16_t>(n) == source || j.type == -1 || KontaminationProof(j.type) ||
            j.contamination != 0 || j.offMap != 0 || j.present == 0 || j.storey != s->storey ||
            IsDoorDouble(j))
            continue;
        const int jx = Trunc(j.x);
        const int jy = Trunc(j.y);
        // 80 px apart on either axis is 80 px apart at least.
        if (std::abs(jx - sx) >= kKontaminationReach || std::abs(jy - sy) >= kKontaminationReach)
            continue;
        // Two persons on one point count as 1 px apart.
        const std::int32_t d =
            std::max(DistanceInt(static_cast<std::int16_t>(sx), static_cast<std::int16_t>(sy),
                                 static_cast<std::int16_t>(jx), static_cast<std::int16_t>(jy)),
                     1);
        if (d >= kKontaminationReach || Rand() % (4 * d) != 0) continue;
        if (++j.exposure < kKontaminiertExposure) continue;
        j.contamination = s->contamination;
        j.exposure = 0;
    }
}

void EnterDecontamination(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const TypedFahrzeug typed = TypedFahrzeugAt(order.bInt());
    UnitHead* vehicle = typed.unit;
    if (vehicle == nullptr) {
        ClearBefehle(p);
        return;
    }
    const auto v = static_cast<std::int16_t>(order.bInt());
    const std::int32_t leader = order.aInt();
    if ((order.flags & kBefehlStarted) == 0) {
        order.flags |= kBefehlStarted;
        const FahrzeugPunkt side = GetFahrzeugSidePoint(v, index);
        if (vehicle->link != kNoLink || Trunc(p.x) != side.x || Trunc(p.y) != side.y) {
            ClearBefehle(p);
            return;
        }
    }
    if (vehicle->anim != kFahrzeugAnimOpen) {
        OpenCompartment(typed);
        return;
    }
    vehicle->link = static_cast<std::uint16_t>(index);
    p.present = 0;
    p.contamination = 0;
    p.exposure = 0;
    if (CarriesSomeone(p.type)) {
        if (Person* load = LinkedPartner(p.link)) {
            load->contamination = 0;
            load->exposure = 0;
        }
    }
    if (UsedPersonAt(leader) != nullptr) {
        ReleaseLedPerson(index, static_cast<std::int16_t>(leader), 1);
    } else {
        p.selected = 0;
        UpdateSelectionMode();
    }
    SetBefehl(p, PersonTypOf(p), kLeaveDecontamination, kNoVoice, v, kDecontaminationTicks, 0, 0,
              0);
}

void LeaveDecontamination(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const TypedFahrzeug typed = TypedFahrzeugAt(order.aInt());
    UnitHead* vehicle = typed.unit;
    if (vehicle == nullptr) {
        // Its vehicle is gone: the person steps out where it went in.
        p.present = 1;
        PopBefehl(p);
        return;
    }
    const auto v = static_cast<std::int16_t>(order.aInt());
    const std::int32_t left = order.bInt();
    order.setB(left > std::numeric_limits<std::int32_t>::min() ? left - 1 : left);
    if (order.bInt() >= 1) return;
    if (vehicle->anim != kFahrzeugAnimOpen) {
        OpenCompartment(typed);
        return;
    }
    // No room beside the vehicle: the person waits inside and tries again next tick, rather than
    // staying hidden for good.
    if (!ComeOutBeside(index, p, v)) return;
    vehicle->link = kNoLink;
    PopBefehl(p);
}

}  // namespace kv
