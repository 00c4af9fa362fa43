#include "persons/timed_victims.h"

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/random.h"
#include "core/view.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/equipment.h"
#include "persons/person_houses.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::uint16_t kSelectedBoat = 14;  // a vehicle of type 14 is selected
constexpr std::uint16_t kSelectedRingCarrier = 1046;
constexpr int kBoatTyp = 14;
constexpr int kHitHalf = 15;     // a victim answers the mouse this near in x and in y
constexpr int kRingReach = 201;  // the ring carrier throws less far than this
constexpr std::uint8_t kTakeAboard = 77;
constexpr std::uint8_t kFetchVictim = 205;
constexpr std::uint8_t kCatchRing = 206;
constexpr std::int8_t kFireFighter = 1;
constexpr std::int8_t kHoseHolder = 11;
constexpr std::uint8_t kAnimThrow = 2;
constexpr std::int32_t kNoVoice = -1;
// A new person in distress: its deadline lies 480 seconds and a random number of minutes (0..11)
// away; it is put down where a boat may reach it.
constexpr int kDistressMinutes = 12;
constexpr int kDistressSeconds = 480;
constexpr std::uint8_t kPlaceAnyWay = 15;
constexpr std::uint8_t kWaterClass = 10;

int Trunc(float v) {
    return static_cast<int>(v);
}

bool HasApproach(const DeadlinePlan& plan) {
    return plan.approachDx != -1 || plan.approachDy != -1;
}

// The selected boat, if it is a boat in use; null else.
TypedFahrzeug SelectedBoat() {
    return TypedFahrzeugAt(SelectedIndex);
}

Person* SelectedRingCarrier() {
    Person* carrier = PersonAt(SelectedIndex);
    if (carrier == nullptr || carrier->type < 0 || carrier->type >= kPersonTypCount) return nullptr;
    return carrier;
}

bool BoatFull(const FahrzeugTyp& typ) {
    return CountTakenSeats(SelectedIndex) >= typ.seats;
}

// The first person in distress under the mouse that the selected unit may reach; -1 none.
// carrier: the selected ring carrier, which neither reaches persons shown in slot 5 nor any
// person 201 px away or more.
std::int16_t FindTimedVictimUnderMouse(const Person* carrier) {
    const int mouseX = MouseX + ViewOrigin.x;
    const int mouseY = MouseY + ViewOrigin.y;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type == -1 || (p.controlFlags & kPersonInDistress) == 0) continue;
        const DeadlinePlan* plan = p.attachment.plan();
        if (plan == nullptr || plan->state == kPlanOutOfReach) continue;
        const int x = Trunc(p.x);
        const int y = Trunc(p.y);
        if (x - kHitHalf > mouseX || mouseX >= x + kHitHalf) continue;
        if (y - kHitHalf > mouseY || mouseY >= y + kHitHalf) continue;
        if (carrier != nullptr) {
            if (p.anim == kAnimTreat) continue;
            const std::int32_t distance =
                DistanceInt(static_cast<std::int16_t>(Trunc(carrier->x)),
                            static_cast<std::int16_t>(Trunc(carrier->y)),
                            static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
            if (distance >= kRingReach) continue;
        }
        return static_cast<std::int16_t>(i);
    }
    return -1;
}

// The victim the click or cursor would take; -1 none, and the unit it would send.
struct RescueChoice {
    std::int16_t victim = -1;
    TypedFahrzeug boat;
    Person* carrier = nullptr;
};

RescueChoice ChooseRescue() {
    RescueChoice choice;
    if (SelectionMode == kSelectedBoat) {
        const TypedFahrzeug boat = SelectedBoat();
        if (boat.unit == nullptr || BoatFull(*boat.typ)) return choice;
        choice.victim = FindTimedVictimUnderMouse(nullptr);
        choice.boat = boat;
    } else if (SelectionMode == kSelectedRingCarrier) {
        Person* carrier = SelectedRingCarrier();
        if (carrier == nullptr) return choice;
        choice.victim = FindTimedVictimUnderMouse(carrier);
        choice.carrier = carrier;
    }
    return choice;
}

// Four points around the victim's picture, half the boat's footprint and a pixel clear of it,
// each facing the victim.
GoalList BoatGoals(const Person& victim) {
    const UnitTypHead& boat = FahrzeugTypen[kBoatTyp];
    const int halfW = boat.extent[2] >> 1;
    const int halfH = boat.extent[3] >> 1;
    const AnimSlot& slot = PersonAnimSlot(victim.type, victim.direction, victim.anim);
    const int x = Trunc(victim.x);
    const int y = Trunc(victim.y);
    auto point = [](int px, int py, std::uint8_t facing) {
        return GoalPoint{static_cast<float>(px), static_cast<float>(py), facing, 0};
    };
    return {point(x, victim.drawY + slot.box[1] - halfH - 1, 6),
            point(victim.drawX + slot.box[2] + halfW + 1, y, 9),
            point(x, victim.drawY + slot.box[3] + halfH + 1, 0),
            point(victim.drawX + slot.box[0] - halfW - 1, y, 3)};
}

void SendBoat(const TypedFahrzeug& typed, std::int16_t index, const DeadlinePlan& plan) {
    const Person& victim = Personen[static_cast<std::size_t>(index)];
    UnitHead& boat = *typed.unit;
    const FahrzeugTyp& typ = *typed.typ;
    if (HasApproach(plan))
        SetBefehl(boat, typ, kOpMove, 17, Trunc(victim.x) + plan.approachDx,
                  Trunc(victim.y) + plan.approachDy, 0, 0, 0);
    else
        SetBefehl(boat, typ, kOpGoals, 7, BoatGoals(victim), 0, 0, 0);
    AppendBefehl(boat, kTakeAboard, index, 0, 0, 0, 1);
}

// The way the carrier faces to throw: the axis nearer to the victim's bearing, and the steep
// diagonal (7 below, 1 above) in between.
std::int32_t ThrowDirection(int carrierX, int carrierY, int victimX, int victimY) {
    const int dx = victimX - carrierX;
    if (carrierY < victimY) {
        const int down = victimY - carrierY;
        if (down < dx) return 3;
        if (down < -dx) return 9;
        return 7;
    }
    const int up = carrierY - victimY;
    if (up < -dx) return 9;
    if (up < dx) return 3;
    return 1;
}

void SendRingCarrier(Person& carrier, std::int16_t index, const DeadlinePlan& plan) {
    const Person& victim = Personen[static_cast<std::size_t>(index)];
    const int cx = Trunc(carrier.x);
    const int cy = Trunc(carrier.y);
    const int vx = Trunc(victim.x);
    const int vy = Trunc(victim.y);
    const std::int32_t direction = ThrowDirection(cx, cy, vx, vy);
    int targetX = vx - 9;
    int targetY = vy - 8;
    if (HasApproach(plan)) {
        targetX += plan.approachDx >> 1;
        targetY += plan.approachDy >> 1;
    }
    SetBefehl(carrier, PersonTypen[static_cast<std::size_t>(carrier.type)], kOpTurn, 15, cx, cy,
              direction, 0, 0);
    AppendBefehl(carrier, kFetchVictim, targetX, targetY, index, direction, 1);
}

// The ring in flight, from the carrier's hand to the target point; -1 when no slot is free.
std::int16_t LaunchRing(const Person& carrier, std::int32_t targetX, std::int32_t targetY) {
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return -1;
    int x = Trunc(carrier.x);
    int y = Trunc(carrier.y);
    for (const RingHand& hand : kRingHands) {
        if (hand.facing != carrier.direction) continue;
        x += hand.dx;
        y += hand.dy;
    }
    CreateSonderObj(slot, kSobjRing, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0,
                    0, 0, 0.0f, 0);
    SonderObj* ring = SonderObjAt(slot);
    if (ring == nullptr || ring->type != kSobjRing) return -1;
    ring->visible = 1;
    SetSonderObjCommand(slot, kCmdRingFlight,
                        ThrowFlight(Trunc(ring->x), Trunc(ring->y), targetX, targetY));
    return slot;
}

}  // namespace

std::int16_t CreateTimedVictim(std::int8_t type, std::int16_t x, std::int16_t y,
                               std::uint16_t state, std::uint16_t delay, std::int16_t approachDx,
                               std::int16_t approachDy) {
    if (type < 0 || type >= kPersonTypCount) return -1;
    const std::int16_t index = FindFreePerson();
    if (index < 0) return -1;
    Person& p = PlacePerson(index, type, x, y, 0);
    p.direction = 0;
    p.controlFlags = kPersonInDistress | kPersonController;
    SetStandingUnhurt(p);
    p.targetable = 1;
    p.anim = kAnimDistress;
    if (PersonTypLoaded(type)) ResetPerson(index);
    DeadlinePlan& plan = p.attachment.makePlan();
    plan.active = 1;
    plan.startX = x;
    plan.state = state;
    plan.deadline = static_cast<std::int16_t>(TickCounter / 20 + delay);
    plan.approachDx = approachDx;
    plan.approachDy = approachDy;
    return index;
}

std::uint8_t CheckTimedVictimUnderMouse() {
    if (ChooseRescue().victim < 0) return 0;
    CursorId = kCursorRescue;
    return 1;
}

std::uint8_t RescueTimedVictim() {
    const RescueChoice choice = ChooseRescue();
    if (choice.victim < 0) return 0;
    const DeadlinePlan* plan = Personen[static_cast<std::size_t>(choice.victim)].attachment.plan();
    if (plan == nullptr) return 0;
    if (choice.boat.unit != nullptr)
        SendBoat(choice.boat, choice.victim, *plan);
    else if (choice.carrier != nullptr)
        SendRingCarrier(*choice.carrier, choice.victim, *plan);
    return 1;
}

void FetchTimedVictim(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    if (p.direction != order.dInt()) {
        ClearBefehle(p);
        return;
    }
    if (p.anim == kAnimStand) {
        SetPersonAnim(index, kAnimThrow);
        return;
    }
    if (p.anim != kAnimThrow || p.frameTimer != 0) return;
    if (p.frame == kRingThrowFrame) {
        Person* victim = UsedPersonAt(order.cInt());
        const std::int16_t ring =
            victim != nullptr ? LaunchRing(p, order.aInt(), order.bInt()) : std::int16_t{-1};
        if (ring < 0) {
            // Nobody to throw to, or no slot for the ring: the carrier keeps it, rather than
            // throwing nothing.
            SetPersonAnim(index, kAnimStand);
            ClearBefehle(p);
            return;
        }
        SetBefehl(*victim, PersonTypOf(*victim), kCatchRing, kNoVoice, ring, 0, 0, 0, 0);
    } else if (p.frame == kThrowEndFrame) {
        PopBefehl(p);
        ChangePersonTyp(index, kFireFighter);
        SetPersonAnim(index, kAnimStand);
    }
}

void RunPersonBefehl206(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::int32_t slot = p.orders->aInt();
    const SonderObj* ring = SonderObjAt(slot);
    if (ring == nullptr || ring->type != kSobjRing) {
        ClearBefehle(p);
        return;
    }
    if (ring->commands) return;
    const std::int32_t distance = DistanceInt(
        static_cast<std::int16_t>(Trunc(ring->x)), static_cast<std::int16_t>(Trunc(ring->y)),
        static_cast<std::int16_t>(Trunc(p.x)), static_cast<std::int16_t>(Trunc(p.y)));
    if (distance >= kRingCatchReach) return;
    FreeSonderObjSlot(slot);
    if (DeadlinePlan* plan = p.attachment.plan())
        plan->deadline = Clamp16(plan->deadline + kRingCatchSeconds);
    p.direction = 0;
    SetPersonAnim(index, kAnimTreat);
    PopBefehl(p);
}

void RunPersonBefehl221(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    if (!PersonStandsAt(p, order.aInt(), order.bInt()) || p.direction != order.cInt()) {
        p.controlFlags = kPersonController | kPersonOnlooker;
        ClearBefehle(p);
        return;
    }
    // The plan takes the attachment's place: a connected hose is let go first.
    if (p.type == kHoseHolder) DropHose(index);
    p.x = static_cast<std::int16_t>(order.dInt());
    p.y = static_cast<std::int16_t>(order.e);
    p.direction = 0;
    p.controlFlags = kPersonInDistress | kPersonController;
    SetPersonAnim(index, kAnimDistress);
    DeadlinePlan& plan = p.attachment.makePlan();
    plan.startX = static_cast<std::int16_t>(Trunc(p.x));
    const int minutes = Rand() % kDistressMinutes;
    plan.deadline = Clamp16(minutes * 60 + static_cast<int>(TickCounter / 20) + kDistressSeconds);
    PlacePersonFree(index, 0, 0, kPlaceAnyWay, kWaterClass);
    PopBefehl(p);
}

}  // namespace kv
