#include "persons/person_befehle.h"

#include "movement/befehl_queue.h"
#include "movement/befehl_rerun.h"
#include "movement/stepping.h"
#include "movement/zones.h"
#include "persons/carried_objects.h"
#include "persons/equipment.h"
#include "persons/boarding.h"
#include "persons/kontamination.h"
#include "persons/mission_actions.h"
#include "persons/person_fight.h"
#include "persons/person_handlers.h"
#include "persons/person_houses.h"
#include "persons/person_lead.h"
#include "persons/person_moves.h"
#include "persons/person_pursuit.h"
#include "persons/person_rescue.h"
#include "persons/person_windows.h"
#include "persons/personen.h"
#include "persons/rival_persons.h"
#include "persons/sonder_obj_actions.h"
#include "persons/timed_victims.h"

namespace kv {

namespace {

const PersonBefehlHooks* g_hooks = nullptr;
NestedBefehlRuns g_nestedRuns;

// A row of the table that hands its order to the hook above.
template <PersonBefehlHandler PersonBefehlHooks::*Member>
void RunHooked(std::int16_t index) {
    if (g_hooks == nullptr) return;
    if (const PersonBefehlHandler hook = g_hooks->*Member) hook(index);
}

void RunClear(std::int16_t index) {
    if (Person* p = PersonAt(index)) RunBefehl10(*p);
}

constexpr std::array<PersonBefehlHandler, kBefehlOpcodeCount> BuildHandlers() {
    using H = PersonBefehlHooks;
    std::array<PersonBefehlHandler, kBefehlOpcodeCount> h{};
    h[0] = RunPersonBefehl00;
    h[1] = RunPersonBefehl01;
    h[2] = RunPersonBefehl02;
    h[3] = RunPersonBefehl03;
    h[4] = RunPersonBefehl00;
    h[5] = RunPersonBefehl02;
    h[6] = FollowTarget;
    h[7] = WaitPerson;
    h[8] = WalkPersonStraight;
    h[10] = RunClear;
    h[11] = PlanPersonPath;
    h[12] = PlacePersonIfFree;
    h[154] = TakeFeuerloescher;
    h[155] = TakeMetallschneider;
    h[156] = TakeSchlauch;
    h[157] = ReturnEquipment;
    h[150] = TreatPatient;
    h[151] = BoardFahrzeug;
    h[152] = LoadStretcher;
    h[153] = UnloadStretcher;
    h[159] = RunPersonBefehl00;
    h[160] = RunPersonBefehl160;
    h[161] = RunPersonBefehl161;
    h[162] = RunPersonBefehl162;
    h[163] = RunHooked<&H::RunPersonBefehlEnterBasis>;
    h[164] = PickUpCasualty;
    h[165] = PutDownCasualty;
    h[169] = RunPersonBefehl169;
    h[170] = LeaveHouse;
    h[171] = RunPersonBefehl171;
    h[181] = EnterKanzel;
    h[182] = RunPersonBefehl182;
    h[166] = RunPersonBefehl166;
    h[167] = RunPersonTargetAction;
    h[168] = RunPersonBefehl168;
    h[172] = RunPersonFight;
    h[173] = EndPersonFight;
    h[174] = ConnectHydrant;
    h[175] = TakeMotorsaege;
    h[177] = AimSchlauchAtTarget;
    h[178] = AimSchlauchAtHeight;
    h[179] = PickUpObject;
    h[180] = PutDownObject;
    h[185] = PickUpReifen;
    h[186] = RunHooked<&H::RunPersonBefehl186M03>;
    h[187] = RunPersonBefehl187;
    h[188] = RunPersonBefehl188;
    h[189] = FallFromStorey;
    h[193] = RunHooked<&H::RunPersonBefehl193M10>;
    h[197] = RunHooked<&H::RunPersonBefehl197M12>;
    h[198] = EnterDecontamination;
    h[199] = LeaveDecontamination;
    h[200] = PickUpRing;
    h[202] = ReanimatePatient;
    h[203] = RunHooked<&H::RunPersonBefehl203M06>;
    h[204] = DropEquipment;
    h[207] = ThrowRing;
    h[208] = AimSchlauchAtGround;
    h[211] = TakeSeil;
    h[212] = RunHooked<&H::RunPersonBefehl212M10>;
    h[213] = RunHooked<&H::RunPersonBefehl213M10>;
    h[214] = RunHooked<&H::RunPersonBefehl214M10>;
    h[215] = RunHooked<&H::RunPersonBefehl215M10>;
    h[216] = RunHooked<&H::RunPersonBefehl216M10>;
    h[217] = RunHooked<&H::RunPersonBefehl217M26>;
    h[218] = RunHooked<&H::RunPersonBefehl218M04>;
    h[219] = TakeRingAtPoint;
    h[220] = PutRingAtPoint;
    h[222] = RunHooked<&H::RunPersonBefehl222M17>;
    h[224] = RunHooked<&H::RunPersonBefehl224M21>;
    h[225] = RunHooked<&H::RunPersonBefehl225M21>;
    h[226] = RunHooked<&H::RunPersonBefehl226M21>;
    h[227] = RunHooked<&H::RunPersonBefehl227M21>;
    // The actions that single missions use.
    h[158] = RunPersonBefehl158;
    h[176] = RunPersonBefehl176;
    h[183] = WorkAtSonderObj;
    h[184] = RunPersonBefehl184;
    h[190] = RunPersonBefehl190;
    h[191] = RunPersonBefehl191;
    h[192] = RunPersonBefehl192;
    h[194] = RunPersonBefehl194;
    h[195] = RunPersonBefehl195;
    h[196] = RunPersonBefehl196;
    h[201] = RunPersonBefehl201;
    h[205] = FetchTimedVictim;
    h[206] = RunPersonBefehl206;
    h[209] = RunPersonBefehl209;
    h[210] = RunPersonBefehl210;
    h[221] = RunPersonBefehl221;
    h[223] = RunPersonBefehl223;
    return h;
}

}  // namespace

constinit const std::array<PersonBefehlHandler, kBefehlOpcodeCount> PersonBefehlHandlers =
    BuildHandlers();

void SetPersonBefehlHooks(const PersonBefehlHooks* hooks) {
    g_hooks = hooks;
}

void ExecutePersonBefehl(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    const std::uint8_t opcode = person->orders->opcode;
    const BefehlOpcodeRow& row = BefehlOpcode(opcode);
    const PersonBefehlHandler handler = row.person ? PersonBefehlHandlers[opcode] : nullptr;
    if (handler != nullptr) {
        if (opcode == kOpMoveBackwards) person->moverFlags |= kMoverTurned;
        handler(index);
        if (row.zone && ZoneCount != 0) UpdateZoneOccupancy(kZoneKindPerson, index);
    }
    // The handler may have freed the slot.
    if (person->type != -1) UpdatePersonDrawPos(*person);
}

void RunPersonBefehlAgain(std::int16_t index) {
    g_nestedRuns.runAgain([index] { ExecutePersonBefehl(index); });
}

}  // namespace kv
