#include "persons/equipment.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/message_line.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/equipment_table.h"
#include "persons/kontamination.h"
#include "persons/person_selection.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/jet_common.h"
#include "world/schlauch_strahl.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::int8_t kTypeHose = 10;
constexpr std::int8_t kTypeHoseHolder = 11;
constexpr std::uint16_t kModeHose = kPersonSelected + kTypeHose;
constexpr std::uint16_t kModeHoseHolder = kPersonSelected + kTypeHoseHolder;

constexpr std::uint8_t kOpConnectHydrant = 174;
constexpr std::uint8_t kAnimConnect = 2;
constexpr std::uint8_t kConnectSoundFrame = 12;

// Where the person stands to connect, from the hydrant's position, and how it faces.
constexpr int kHydrantSpotDx = -11;
constexpr int kHydrantSpotDy = 8;
constexpr std::int8_t kHydrantFacing = 3;
// The hose lies to the left of the person: its room reaches this much further left, and the
// person steps that far left onto the hose once it is laid.
constexpr int kHoseRoomLeft = 16;
// Where the hose object lies, from the hydrant's position.
constexpr int kHoseDx = -26;
constexpr int kHoseDy = 3;
constexpr std::uint8_t kSolidEverySide = 15;
constexpr std::uint8_t kByFootPoint = 0;
constexpr std::uint8_t kAboveAll = 2;
// A fresh jet's direction.
constexpr std::int8_t kJetStartDirection = 2;

constexpr char kHydrantBlockedText[] = "Der Hydrant ist blockiert!";
constexpr std::uint16_t kMessageFrames = 60;
constexpr std::int32_t kVoiceOnMyWay = 16;

// A straight jet keeps its floor; an arc always rises at 62 degrees.
constexpr std::int16_t kKeepJetFloor = -1;
constexpr std::int32_t kArcElevation = 62;
constexpr double kArcDegrees = 62.0;
constexpr int kRowHeight = 28;

int Trunc(float v) {
    return TruncInt(v);
}

bool StandsOn(const Person& p, int x, int y) {
    return Trunc(p.x) == x && Trunc(p.y) == y;
}

// The person stands on one of the vehicle's two compartment points, and the vehicle where the
// order found it.
bool AtCompartment(std::int16_t index, const Person& p, const Befehl& order,
                   const UnitHead& vehicle) {
    if (Trunc(vehicle.x) != order.bInt() || Trunc(vehicle.y) != order.cInt()) return false;
    const auto v = static_cast<std::int16_t>(order.aInt());
    const FahrzeugPunkt side = GetFahrzeugSidePoint(v, index);
    const FahrzeugPunkt other = GetFahrzeugOtherSidePoint(v, index);
    return StandsOn(p, side.x, side.y) || StandsOn(p, other.x, other.y);
}

bool IsExtraMode(const EquipmentRow& row, std::uint16_t mode) {
    return mode != 0 && (mode == row.extraModes[0] || mode == row.extraModes[1]);
}

void TakeEquipment(Person& p, const EquipmentRow& row, UnitHead& vehicle) {
    const std::int8_t base = p.type;
    p.type = EquipmentVariant(row, base);
    if (p.selected != 0 &&
        (SelectionMode == kPersonSelected + base || IsExtraMode(row, SelectionMode)))
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + p.type);
    vehicle.selected = 0;
}

// Back to the base type; true when the selection followed the person.
bool FallBackToBase(Person& p) {
    p.type = EquipmentBase(p.type);
    return FollowSelectionMode(p);
}

// The six compartment orders: 157 gives back, the others take by their row.
void RunCompartmentOrder(std::int16_t index, std::uint8_t opcode) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const TypedFahrzeug vehicle = TypedFahrzeugAt(p.orders->aInt());
    if (vehicle.unit == nullptr || !AtCompartment(index, p, *p.orders, *vehicle.unit)) {
        ClearBefehle(p);
        return;
    }
    if (vehicle.unit->anim != kFahrzeugAnimOpen) {
        OpenCompartment(vehicle);
        return;
    }
    if (const EquipmentRow* row = FindEquipmentRow(opcode)) {
        TakeEquipment(p, *row, *vehicle.unit);
    } else if (FallBackToBase(p)) {
        vehicle.unit->selected = 0;
    }
    SetPersonAnim(index, kAnimStand);
    p.link2 = kNoLink;
    PopBefehl(p);
}

SonderObj* HydrantAt(std::int32_t index) {
    SonderObj* o = SonderObjAt(index);
    return o != nullptr && o->type == kSobjHydrant ? o : nullptr;
}

// The hose needs room left of the person, as far as a hose holder's footprint takes it.
bool HoseHasRoom(const Person& p) {
    const AnimSlot& slot = PersonAnimSlot(p.type, p.direction, p.anim);
    const UnitTypHead* holder = PersonTypRecord(kTypeHose);
    const auto at = [](int v) { return static_cast<std::int16_t>(v); };
    return FindCollisionAt(0, &p, holder, at(p.drawX + slot.box[0] - kHoseRoomLeft),
                           at(p.drawY + slot.box[1]), at(p.drawX + slot.box[2]),
                           at(p.drawY + slot.box[3]), static_cast<std::int16_t>(p.house), p.storey,
                           holder->terrainColumn, nullptr) == 0;
}

// Two free slots above the fixed ones, for the hose and its jet; false when there are fewer.
bool FindHoseSlots(std::int16_t& hose, std::int16_t& jet) {
    hose = FindFreeSonderObj();
    if (hose < 0) return false;
    for (std::size_t s = static_cast<std::size_t>(hose) + 1; s < SonderObjs.size(); ++s) {
        if (SonderObjs[s].type == -1) {
            jet = static_cast<std::int16_t>(s);
            return true;
        }
    }
    return false;
}

// The person's jet and its splash object go; a deadline plan is no hose and stays.
void FreeOwnJet(Person& p) {
    const SchlauchStrahl* jet = p.attachment.jet();
    if (jet == nullptr) return;
    if (JetSplash(jet->splash) != nullptr) FreeSonderObjSlot(jet->splash);
    p.attachment.reset();
}

// The last frame of connecting: the hose is laid from the hydrant and the person holds it.
// Nothing happens while there are not two free slots.
bool LayHose(std::int16_t index, Person& p, std::int16_t hydrant, const SonderObj& h) {
    FreeOwnJet(p);
    std::int16_t hose = -1;
    std::int16_t splash = -1;
    if (!FindHoseSlots(hose, splash)) return false;
    CreateSonderObj(hose, kSobjSchlauch, static_cast<std::int16_t>(Trunc(h.x) + kHoseDx),
                    static_cast<std::int16_t>(Trunc(h.y) + kHoseDy), 0, kSolidEverySide,
                    kByFootPoint, 0.0f, 0);
    CreateSonderObj(splash, kSplashSonderObjTyp, 0, 0, 0, 0, kAboveAll, 0.0f, 0);
    SonderObjs[static_cast<std::size_t>(hose)].visible = 1;
    SonderObjs[static_cast<std::size_t>(splash)].visible = 0;

    p.link = static_cast<std::uint16_t>(hose);
    p.link2 = static_cast<std::uint16_t>(hydrant);
    p.x -= static_cast<float>(kHoseRoomLeft);
    p.type = kTypeHoseHolder;
    SetPersonAnim(index, kAnimStand);
    MoveSelectionMode(p, kModeHose, kModeHoseHolder);
    SchlauchStrahl& jet = p.attachment.makeJet();
    jet.direction = kJetStartDirection;
    jet.splash = splash;
    return true;
}

// The person with a jet that an aim order works on; null after ending a person without one.
Person* AimingPerson(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return nullptr;
    if (p->attachment.jet() == nullptr) {
        PopBefehl(*p);
        return nullptr;
    }
    StopSchlauchStrahl(index);
    return p;
}

// The jet goes straight at the target when the line to its foot point is clear, else in an arc
// onto the house in the way.
void StartHoseJet(std::int16_t index, int x, int y, int footY, int height, std::int16_t floor) {
    const auto i16 = [](int v) { return static_cast<std::int16_t>(v); };
    CellPos blocking{};
    if (TestSchlauchStrahlTarget(index, i16(x), i16(footY), &blocking))
        StartSchlauchStrahl(index, i16(x), i16(y), i16(height), floor);
    else
        StartSchlauchStrahlArc(index, i16(x), i16(y), i16(height), kArcElevation, &blocking);
}

double Degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

}  // namespace

void TakeFeuerloescher(std::int16_t person) {
    RunCompartmentOrder(person, kOpTakeFeuerloescher);
}

void TakeMetallschneider(std::int16_t person) {
    RunCompartmentOrder(person, kOpTakeMetallschneider);
}

void TakeSchlauch(std::int16_t person) {
    RunCompartmentOrder(person, kOpTakeSchlauch);
}

void ReturnEquipment(std::int16_t person) {
    RunCompartmentOrder(person, kOpReturnEquipment);
}

void TakeMotorsaege(std::int16_t person) {
    RunCompartmentOrder(person, kOpTakeMotorsaege);
}

void TakeSeil(std::int16_t person) {
    RunCompartmentOrder(person, kOpTakeSeil);
}

void DropEquipment(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    FallBackToBase(*p);
    SetPersonAnim(index, kAnimStand);
    PopBefehl(*p);
}

void WalkPersonToHydrant(std::int16_t index, std::int16_t hydrant) {
    Person* p = UsedPersonAt(index);
    const SonderObj* h = HydrantAt(hydrant);
    if (p == nullptr || h == nullptr) return;
    if (p->link2 != kNoLink) DropHose(index);
    const int x = Trunc(h->x) + kHydrantSpotDx;
    const int y = Trunc(h->y) + kHydrantSpotDy;
    SetBefehl(*p, PersonTypOf(*p), kOpMove, kVoiceOnMyWay, x, y, 0, 0, 0);
    AppendBefehl(*p, kOpTurn, x, y, kHydrantFacing, 0, 0);
    AppendBefehl(*p, kOpConnectHydrant, hydrant, 0, 0, 0, 0);
}

void ConnectHydrant(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::int32_t hydrant = p.orders->aInt();
    const SonderObj* h = HydrantAt(hydrant);
    if (h == nullptr) {
        ClearBefehle(p);
        return;
    }
    if (FirstBefehlTick(*p.orders)) {
        if (!StandsOn(p, Trunc(h->x) + kHydrantSpotDx, Trunc(h->y) + kHydrantSpotDy) ||
            p.direction != kHydrantFacing) {
            ClearBefehle(p);
            return;
        }
        if (!HoseHasRoom(p)) {
            SetMessageLine(kHydrantBlockedText, kMessageFrames);
            ClearBefehle(p);
            return;
        }
    }
    if (p.anim != kAnimConnect) {
        SetPersonAnim(index, kAnimConnect);
        return;
    }
    if (p.frame == kConnectSoundFrame && p.frameTimer == 0)
        PlaySoundFx(kSoundHydrant, kOwnerPerson, index, 0, 0, 0, kSoundDepth);
    if (p.frame + 1 != PersonAnimSlot(p.type, p.direction, p.anim).frames) return;
    if (LayHose(index, p, static_cast<std::int16_t>(hydrant), *h)) PopBefehl(p);
}

void DropHose(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    PlaySoundFx(kSoundHydrant, kOwnerPerson, index, 0, 0, 0, kSoundDepth);
    FreeOwnJet(p);
    if (const SonderObj* hose = SonderObjAt(p.link); hose != nullptr && hose->type == kSobjSchlauch)
        FreeSonderObjSlot(p.link);
    p.type = kTypeHose;
    SetPersonAnim(index, kAnimStand);
    MoveSelectionMode(p, kModeHoseHolder, kModeHose);
    UpdatePersonDrawPos(p);
    p.link = kNoLink;
    p.link2 = kNoLink;
}

void AimSchlauchAtTarget(std::int16_t index) {
    Person* p = AimingPerson(index);
    if (p == nullptr) return;
    const Befehl& order = *p->orders;
    const int x = order.aInt();
    const int y = order.bInt();
    const int footY = order.dInt() * kRowHeight;
    const int height = footY - y > 0 ? footY - y : 0;
    StartHoseJet(index, x, y, footY, height, kKeepJetFloor);
    PopBefehl(*p);
}

void AimSchlauchAtHeight(std::int16_t index) {
    Person* p = AimingPerson(index);
    if (p == nullptr) return;
    const GoalList& goals = p->orders->goals;
    const House* house = goals.size() >= 2 ? PlacedHouse(goals[1].facing) : nullptr;
    if (house == nullptr) {
        ClearBefehle(*p);
        return;
    }
    const int x = Trunc(goals[0].x);
    int y = Trunc(goals[0].y);
    const auto floor = static_cast<std::int16_t>(goals[0].facing);
    const int footY = Trunc((goals[1].y + 1.0f) * static_cast<float>(kRowHeight));
    // Standing on the foot point itself counts as 1 px away.
    const int d = std::max<int>(
        DistanceInt(static_cast<std::int16_t>(Trunc(p->x)), static_cast<std::int16_t>(Trunc(p->y)),
                    static_cast<std::int16_t>(x), static_cast<std::int16_t>(footY)),
        1);
    int height = (HouseTypOf(*house).floors + house->y) * kRowHeight - y;
    while (Degrees(std::atan(static_cast<double>(height) / d)) >= kArcDegrees) {
        --height;
        ++y;
    }
    StartHoseJet(index, x, y, footY, height, floor);
    PopBefehl(*p);
}

void AimSchlauchAtGround(std::int16_t index) {
    Person* p = AimingPerson(index);
    if (p == nullptr) return;
    const int x = p->orders->aInt();
    const int y = p->orders->bInt();
    StartHoseJet(index, x, y, y, 0, kKeepJetFloor);
    PopBefehl(*p);
}

}  // namespace kv
