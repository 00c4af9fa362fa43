#include "vehicles/fahrzeug_befehle.h"

#include <array>

#include "core/befehl_callbacks.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/befehl_rerun.h"
#include "movement/shared_befehle.h"
#include "movement/stepping.h"
#include "movement/zones.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/aircraft_befehle.h"
#include "vehicles/boat_befehle.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/cannon_befehle.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/crew_befehle.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_moves.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/helicopter_befehle.h"
#include "vehicles/install_befehle.h"
#include "vehicles/shark_befehle.h"
#include "vehicles/traffic_befehle.h"
#include "world/geometry.h"

namespace kv {

namespace {

using Handler = void (*)(std::int16_t);

// A follower this close makes its target stop and wait for it that long.
constexpr float kFollowNear = 50.0f;
constexpr std::int32_t kFollowWait = 50;

constexpr std::int8_t kAnimHalt = 0;
constexpr std::int8_t kAnimSecond = 4;

constexpr std::int32_t kSidestepSteps = 10;

NestedBefehlRuns g_nestedRuns;

// The next order at once, within this tick, as far as the bound allows.
void RunNextNow(std::int16_t index) {
    g_nestedRuns.runAgain([index] { ExecuteFahrzeugBefehl(index); });
}

// Orders 0, 4 and 54: the helicopter flies, everything else drives.
void RunDrive(std::int16_t index) {
    const Fahrzeug* v = UsedFahrzeugAt(index);
    if (v != nullptr && v->type == kTypF203)
        RunHeliBefehl00(index);
    else
        RunFahrzeugBefehl00(index);
}

void RunDriveTurned(std::int16_t index) {
    if (Fahrzeug* v = UsedFahrzeugAt(index)) v->moverFlags |= kMoverTurned;
    RunDrive(index);
}

void RunClear(std::int16_t index) {
    if (Fahrzeug* v = UsedFahrzeugAt(index)) RunBefehl10(*v);
}

void RunLeave(std::int16_t index) {
    RemoveFahrzeug(index, kRemoveDrivenOff);
}

void RunMission64(std::int16_t index) {
    if (auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::RunFahrzeugBefehl64))
        hook(index);
}

void RunMission83(std::int16_t index) {
    if (auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::RunFahrzeugBefehl83))
        hook(index);
}

constexpr std::array<Handler, kBefehlOpcodeCount> BuildHandlers() {
    std::array<Handler, kBefehlOpcodeCount> h{};
    h[0] = RunDrive;
    h[1] = RunFahrzeugBefehl01;
    h[2] = RunFahrzeugBefehl02;
    h[3] = RunFahrzeugBefehl03;
    h[4] = RunDriveTurned;
    h[5] = RunFahrzeugBefehl02;
    h[6] = RunFahrzeugBefehl06;
    h[7] = RunFahrzeugBefehl07;
    h[8] = RunFahrzeugBefehl08;
    h[10] = RunClear;
    h[11] = RunFahrzeugBefehl11;
    h[12] = RunFahrzeugBefehl12;
    h[40] = RunFahrzeugBefehl40;
    h[41] = RunFahrzeugBefehl41;
    h[42] = RunFahrzeugBefehl42;
    h[43] = RunFahrzeugBefehl43;
    h[44] = RunFahrzeugBefehl44;
    h[45] = RunFahrzeugBefehl45;
    h[46] = RunFahrzeugBefehl46;
    h[47] = RunFahrzeugBefehl47;
    h[48] = RunLeave;
    h[49] = RunFahrzeugBefehl49;
    h[50] = RunFahrzeugBefehl50;
    h[51] = RunFahrzeugBefehl51;
    h[52] = RunFahrzeugBefehl52;
    h[53] = RunFahrzeugBefehl53;
    h[54] = RunDrive;
    h[55] = RunFahrzeugBefehl55;
    h[56] = RunFahrzeugBefehl56;
    h[57] = RunFahrzeugBefehl57;
    h[58] = RunFahrzeugBefehl58;
    h[59] = RunFahrzeugBefehl59;
    h[60] = RunFahrzeugBefehl60;
    h[61] = RunFahrzeugBefehl61;
    h[62] = RunFahrzeugBefehl62;
    h[63] = RunFahrzeugBefehl63;
    h[64] = RunMission64;
    h[65] = RunFahrzeugBefehl65;
    h[66] = RunFahrzeugBefehl66;
    h[67] = RunFahrzeugBefehl67;
    h[68] = RunFahrzeugBefehl68;
    h[69] = RunFahrzeugBefehl69;
    h[70] = RunFahrzeugBefehl70;
    h[71] = RunFahrzeugBefehl71;
    h[72] = RunFahrzeugBefehl72;
    h[73] = RunFahrzeugBefehl73;
    h[74] = RunFahrzeugBefehl74;
    h[75] = RunFahrzeugBefehl75;
    h[76] = RunFahrzeugBefehl76;
    h[77] = RunFahrzeugBefehl77;
    h[78] = RunFahrzeugBefehl78;
    h[79] = RunFahrzeugBefehl79;
    h[80] = RunFahrzeugBefehl80;
    h[81] = RunFahrzeugBefehl81;
    h[82] = RunFahrzeugBefehl82;
    h[83] = RunMission83;
    return h;
}

constexpr std::array<Handler, kBefehlOpcodeCount> kHandlers = BuildHandlers();

// The target of a follow order, if it still qualifies: in use, on the map and on the follower's
// layer; a person besides neither a casualty nor carried or inside a vehicle.
struct FollowTarget {
    UnitHead* unit = nullptr;
    const UnitTypHead* typ = nullptr;
};
FollowTarget FindFollowTarget(const Fahrzeug& follower, std::int16_t kind, std::int16_t index) {
    if (kind == kFollowFahrzeug) {
        Fahrzeug* t = UsedFahrzeugAt(index);
        if (t == nullptr || t->present == 0 || t->storey != follower.storey) return {};
        return {t, &FahrzeugTypOf(*t)};
    }
    if (kind == kFollowPerson) {
        Person* t = FollowablePerson(index, follower.storey, false);
        if (t == nullptr) return {};
        return {t, &PersonTypOf(*t)};
    }
    return {};  // no other kind is ever given
}

// The order ends where the sidestep stops.
void EndSidestep(std::int16_t index, Fahrzeug& v, bool stand) {
    if (stand) SetFahrzeugAnim(index, kAnimHalt);
    PopBefehl(v);
    v.moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
    ResetMoveTarget(v);
}

// Takes one step of the vehicle's speed in a facing if the spot there is free.
bool StepIfFree(Fahrzeug& v, const FahrzeugTyp& typ, std::uint8_t facing) {
    return StepUnitIfFree(v, typ, facing, kFahrzeugAnimDriving, 0);
}

void KeepDriving(std::int16_t index, Fahrzeug& v) {
    if (v.anim != kFahrzeugAnimDriving) SetFahrzeugAnim(index, kFahrzeugAnimDriving);
    v.moverFlags |= kMoverSearching;
}

// Orders 43 and 61.
void ShowAnimFor(std::int16_t index, std::int8_t anim) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t a = CountDownA(*v->orders);
    if (a >= 1) {
        if (v->anim != anim) SetFahrzeugAnim(index, anim);
        return;
    }
    SetFahrzeugAnim(index, kAnimHalt);
    PopBefehl(*v);
}

}  // namespace

void ExecuteFahrzeugBefehl(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::uint8_t opcode = v->orders->opcode;
    if (const Handler handler = kHandlers[opcode]; handler != nullptr) {
        handler(index);
        if (BefehlOpcode(opcode).zone && ZoneCount > 0)
            UpdateZoneOccupancy(kZoneKindVehicle, index);
    }
    if (Fahrzeug* still = UsedFahrzeugAt(index)) UpdateFahrzeugDrawPos(*still);
}

void RunFahrzeugBefehl06(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    // The order may be gone after any call below: its words are read first.
    const std::uint32_t aimed = v->orders->a;
    const std::int32_t slot = v->orders->bInt();
    const std::int16_t kind = LowHalf(v->orders->c);
    const std::int16_t target = HighHalf(v->orders->c);

    const FollowTarget t = FindFollowTarget(*v, kind, target);
    if (t.unit == nullptr) {
        ClearBefehle(*v);
        return;
    }
    const auto tx = static_cast<std::uint16_t>(static_cast<std::int32_t>(t.unit->x));
    const auto ty = static_cast<std::uint16_t>(static_cast<std::int32_t>(t.unit->y));
    if (tx == (aimed & 0xFFFF) && ty == (aimed >> 16)) {
        PopBefehl(*v);
        RunNextNow(index);
        return;
    }
    if (DistanceFloat(v->x, v->y, t.unit->x, t.unit->y) < kFollowNear)
        SetBefehl(*t.unit, *t.typ, kOpWait, -1, kFollowWait, 0, 0, 0, 0);
    if (const BefehlCallback callback = CallbackAt(slot)) callback(index, target);
    RunNextNow(index);
}

void RunFahrzeugBefehl07(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    if (v->anim != kAnimHalt) SetFahrzeugAnim(index, kAnimHalt);
    if (CountDownA(*v->orders) < 1) PopBefehl(*v);
}

void RunFahrzeugBefehl08(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    Befehl& order = *v->orders;
    const std::int32_t steps = order.aInt();

    if (steps == 0) {
        // Turn away from the reference point's side until a step is free.
        if (TakeFirstFreeStep(*v, typ, kFahrzeugAnimDriving, 0)) {
            order.setA(1);
            KeepDriving(index, *v);
            return;
        }
        EndSidestep(index, *v, false);
        return;
    }

    if (!StepIfFree(*v, typ, WrapDirection(v->direction))) {
        EndSidestep(index, *v, true);
        return;
    }
    const std::int32_t taken = steps < kSidestepSteps ? steps + 1 : steps;
    if (taken >= kSidestepSteps) {
        EndSidestep(index, *v, true);
        return;
    }
    order.setA(taken);
    KeepDriving(index, *v);
}

void RunFahrzeugBefehl11(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    ShortenPlannedPath(*v, FahrzeugTypOf(*v));
    RunNextNow(index);
}

void RunFahrzeugBefehl12(std::int16_t index) {
    if (Fahrzeug* v = RunningFahrzeug(index)) PlaceUnitIfFree(*v, FahrzeugTypOf(*v));
}

void RunFahrzeugBefehl43(std::int16_t index) {
    ShowAnimFor(index, kFahrzeugAnimOpen);
}

void RunFahrzeugBefehl61(std::int16_t index) {
    ShowAnimFor(index, kAnimSecond);
}

}  // namespace kv
