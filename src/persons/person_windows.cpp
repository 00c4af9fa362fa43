#include "persons/person_windows.h"

#include <cstdlib>

#include "core/mission_state.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_houses.h"
#include "persons/person_injury.h"
#include "persons/person_lead.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"

namespace kv {

namespace {

constexpr std::uint16_t kNoHouse = 0xFFFF;
constexpr std::uint16_t kNoVehicle = 0xFFFF;
constexpr std::uint16_t kSelectedPersonMode = 1000;
constexpr std::int32_t kNoVoice = -1;
constexpr std::int8_t kLadderTyp = 5;
constexpr std::int8_t kCatcherTyp = 6;
// The ladder vehicle's animations while its ladder is set up.
constexpr std::int8_t kLadderUp = 3;
constexpr std::int8_t kLadderUpTurned = 13;
constexpr std::uint8_t kClimbOut = 188;
constexpr std::uint8_t kFall = 189;
constexpr std::uint8_t kAnimClimbing = 3;

// Heights above the ground: a window of storey s, and the basket beside it.
constexpr float WindowHeight(int storey) {
    return static_cast<float>(31 * storey + 10);
}
constexpr float BasketHeight(int storey) {
    return static_cast<float>(31 * storey + 38);
}

// Where a called person climbs out, from the catch point.
constexpr int kWindowDx = 11;
constexpr int kWindowDy = -25;
constexpr std::uint8_t kWindowFacing = 7;
// Climbing out: down to the facade's foot, or off a raised spot.
constexpr float kWindowDrop = 41.0f;
constexpr float kRaisedDrop = 39.0f;

// Falling: 4 px a tick down to the landing height, drifting 2 px left a tick until 12 px.
constexpr float kLandingHeight = 22.0f;
constexpr float kFallStep = 4.0f;
constexpr std::int32_t kDriftStep = 2;
constexpr std::int32_t kDriftMax = 12;
constexpr float kLandDx = 1.0f;
constexpr float kLandDy = -16.0f;
// A landing closer than this to the catching team on both axes is caught.
constexpr int kCatchReach = 9;
constexpr int kWalkOffSpread = 50;
constexpr int kWalkOffDy = 51;

int Trunc(float v) {
    return static_cast<int>(v);
}

bool StandsExactly(const Person& p, std::int32_t x, std::int32_t y) {
    return p.x == static_cast<float>(x) && p.y == static_cast<float>(y);
}

// The ladder vehicle of a basket order, with its basket; null for any other index.
Fahrzeug* LadderFahrzeug(std::int32_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    return v != nullptr && v->type == kLadderTyp && v->kanzel != nullptr ? v : nullptr;
}

void BoardBasket(Person& p, std::int32_t vehicle, KanzelState& k) {
    p.basketVehicle = static_cast<std::uint16_t>(vehicle);
    if (k.persons < 255) ++k.persons;
}

// Into the basket beside the window: the height of the storey it left, then on the ground's
// storey.
void LiftOffStorey(Person& p, const Fahrzeug& v, float dx) {
    p.x += dx;
    p.height = BasketHeight(p.storey);
    p.y = v.y + 3;
    p.house = kNoHouse;
    p.storey = 0;
}

// A selected person hands the selection to the vehicle whose basket it entered.
void PassSelection(Person& p, std::int16_t index, Fahrzeug& v, std::int32_t vehicle) {
    if (SelectionMode != kSelectedPersonMode + p.type ||
        SelectedIndex != static_cast<std::uint16_t>(index))
        return;
    SelectionMode = static_cast<std::uint16_t>(v.type);
    SelectedIndex = static_cast<std::uint16_t>(vehicle);
    p.selected = 0;
    v.selected = 1;
}

}  // namespace

void EnterKanzel(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    const std::int32_t vehicle = order.cInt();
    Fahrzeug* v = LadderFahrzeug(vehicle);
    if (v == nullptr || !StandsExactly(p, order.aInt(), order.bInt()) ||
        v->kanzel->column != order.d || v->kanzel->position != order.e ||
        (v->anim != kLadderUp && v->anim != kLadderUpTurned)) {
        ClearBefehle(p);
        return;
    }
    KanzelState& k = *v->kanzel;
    Person* leader = LeaderOf(p);
    if (p.house == kNoHouse) {
        if (k.down == 0) return;
        p.x -= 6;
        p.y += 8;
        p.height += 8;
        BoardBasket(p, vehicle, k);
    } else if (leader == nullptr) {
        if (k.down != 0) return;
        BoardBasket(p, vehicle, k);
        if ((p.controlFlags & (kPersonController | kPersonScriptMarked)) == 0)
            LowerFloorCount(p.house, p.storey);
        LiftOffStorey(p, *v, 2);
        PassSelection(p, index, *v, vehicle);
    } else {
        if (leader->house == kNoHouse || k.down != 0) return;
        BoardBasket(p, vehicle, k);
        if ((p.controlFlags & kPersonScriptMarked) == 0) LowerFloorCount(p.house, p.storey);
        LiftOffStorey(p, *v, 10);
        BoardBasket(*leader, vehicle, k);
        leader->x = p.x;
        LiftOffStorey(*leader, *v, -11);
        UpdatePersonDrawPos(*leader);
        PassSelection(p, index, *v, vehicle);
        // The release gives the led person a wait, which the pop below ends.
        ReleaseLedPerson(index, static_cast<std::int16_t>(p.link), 0);
    }
    UpdatePersonDrawPos(p);
    PopBefehl(p);
}

void RunPersonBefehl182(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.height > 0) {
        p.y -= p.height;
        p.height = 0;
    }
    p.direction = 3;
    PushPersonFree(index, 3);
    if (Fahrzeug* v = UsedFahrzeugAt(p.basketVehicle); v != nullptr && v->kanzel != nullptr) {
        if (v->kanzel->persons > 0) --v->kanzel->persons;
    }
    p.basketVehicle = kNoVehicle;
    PopBefehl(p);
}

void RunPersonBefehl187(std::int16_t index) {
    Person* caller = RunningPerson(index);
    if (caller == nullptr) return;
    const Befehl& order = *caller->orders;
    const std::int32_t house = order.cInt();
    const std::int32_t column = order.dInt();
    const House* h = PlacedHouse(house);
    if (h == nullptr || column < 0 || column >= kHouseGridI) return;
    const HouseTyp& t = HouseTypOf(*h);
    const std::int32_t x = order.aInt() + kWindowDx;
    const std::int32_t y = order.bInt() + kWindowDy;
    // The facade grid has rows for the first eight storeys only.
    for (int s = 2; s < t.floors && s < kHouseGridJ; ++s) {
        if (t.facadeFlags[static_cast<std::size_t>(column)][static_cast<std::size_t>(s)] == 0)
            continue;
        for (Person& q : Personen) {
            if (q.type == -1 || (q.controlFlags & kPersonController) == 0 ||
                (q.moverFlags & kMoverLed) != 0 || q.house != static_cast<std::uint16_t>(house) ||
                q.storey != s || q.orders != nullptr)
                continue;
            SetBefehl(q, PersonTypOf(q), kOpMove, kNoVoice, x, y, 0, 0, 0);
            AppendBefehl(q, kOpTurn, x, y, kWindowFacing, 0, 0);
            AppendBefehl(q, kClimbOut, x, y, 0, 0, 0);
            AppendBefehl(q, kFall, index, 0, 0, 0, 0);
        }
    }
}

void RunPersonBefehl188(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    if (!StandsExactly(p, order.aInt(), order.bInt())) {
        ClearBefehle(p);
        return;
    }
    if (order.cInt() == 1) {
        p.y += kRaisedDrop;
        p.height += kRaisedDrop;
    } else if (order.cInt() == 0) {
        p.y += kWindowDrop;
        p.height = WindowHeight(p.storey);
        p.storey = 0;
        p.house = kNoHouse;
    }
    // The climbing picture goes on from the frame the person shows.
    p.anim = static_cast<std::int8_t>(kAnimClimbing);
    PopBefehl(p);
}

void FallFromStorey(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    if (p.height > kLandingHeight) {
        p.height -= kFallStep;
        if (order.cInt() < kDriftMax) {
            order.setC(order.cInt() + kDriftStep);
            p.x -= static_cast<float>(kDriftStep);
        }
    }
    if (p.height > kLandingHeight) return;
    p.height = 0;
    p.x += kLandDx;
    p.y += kLandDy;
    const Person* catcher = UsedPersonAt(order.aInt());
    if (catcher != nullptr && catcher->type == kCatcherTyp &&
        std::abs(Trunc(p.x) - Trunc(catcher->x)) < kCatchReach &&
        std::abs(Trunc(p.y) - Trunc(catcher->y)) < kCatchReach) {
        PushPersonFree(index, kPushEverywhere);
        PlaySoundFx(kSoundJumpSheet, kOwnerPerson, index, 0, 0, 0, kSoundDepth);
        const int r1 = Rand() % kWalkOffSpread;
        const int r2 = Rand() % kWalkOffSpread;
        SetBefehl(p, PersonTypOf(p), kOpMove, kNoVoice, Trunc(p.x) + r1,
                  Trunc(p.y) + kWalkOffDy + r2, 0, 0, 0);
        return;
    }
    PopBefehl(p);
    InjurePerson(index, kFullEnergy, kPushEverywhere, 0);
}

}  // namespace kv
