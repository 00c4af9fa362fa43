#include "persons/person_update.h"

#include <cstdint>

#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/saturate.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/kontamination.h"
#include "persons/person_befehle.h"
#include "persons/person_evade.h"
#include "persons/person_injury.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "persons/rival_persons.h"
#include "world/schlauch_strahl.h"

namespace kv {

void CountDeath(Person& p) {
    p.energy = 0;
    p.deadTicks = 0;
    ++ToteCount;
}

namespace {

// Every onlooker of this mission is a fighter.
constexpr int kFightingOnlookersMission = 9;
constexpr std::uint32_t kTicksPerSecond = 20;

const AnimSlot& CurrentSlot(const Person& p) {
    return PersonAnimSlot(p.type, p.direction, p.anim);
}

// Treated and reanimated casualties do not bleed; the dead count their ticks towards the point
// where they can no longer be brought back.
void Bleed(Person& p) {
    if (p.casualty == 0) return;
    const PersonLinkKind kind = DecodePersonLink(p.link).kind;
    if (kind == PersonLinkKind::TreatedBy || kind == PersonLinkKind::RevivedBy) return;
    if (p.energy >= 1) {
        p.energy = Saturate(static_cast<std::int64_t>(p.energy) - p.energyLoss);
        if (p.energy < 1) CountDeath(p);
    } else if (p.deadTicks < kDeadTicksLimit) {
        ++p.deadTicks;
    }
}

void RunControllers(std::int16_t i, const Person& p) {
    if ((p.controlFlags & kPersonFighter) != 0) StartPersonFight(i);
    if ((p.controlFlags & kPersonOnlooker) != 0) {
        if (MissionNummer == kFightingOnlookersMission)
            StartPersonFight(i);
        else
            UpdateGaffer(i);
    }
    if ((p.controlFlags & kPersonPedestrian) != 0) StepPassantRoute(i);
    if ((p.controlFlags & kPersonRival) != 0) UpdateRivalPerson(i);
}

// A person with a behaviour controller: an idle one falls back to standing and its controllers
// run, one being pushed steps aside; neither while it rides a basket, is led or waits in
// distress.
void Control(std::int16_t i, Person& p) {
    const bool free = p.basketVehicle == 0xFFFF && (p.moverFlags & kMoverLed) == 0 &&
                      (p.controlFlags & kPersonInDistress) == 0;
    if (free && IsPersonEvadeIdle(i)) {
        if (p.orders == nullptr && p.anim != kAnimStand && p.anim != kAnimDistress) {
            if (p.idleStand == 1) {
                SetPersonAnim(i, kAnimStand);
                UpdatePersonDrawPos(p);
                p.moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
            } else {
                p.idleStand = 1;
            }
        }
        RunControllers(i, p);
    } else if (free) {
        StepPersonEvade(i);
    }
    CountPersonEvade(i);
}

void Poison(std::int16_t i, Person& p) {
    if (p.contamination == 0) return;
    SpreadKontamination(i);
    if (p.energy <= 0) return;
    p.energy -= kKontaminationLoss;
    if (p.energy < 1) CountDeath(p);
}

// A medic at work (treating slot) gives its patient the patient's own gain each tick.
void Heal(const Person& medic) {
    if (medic.type != kPersonTypMedic || medic.anim != kAnimTreat) return;
    Person* patient = LinkedPartner(medic.link);
    if (patient == nullptr || patient->energy <= 0) return;
    patient->energy = TreatedEnergy(patient->energy, patient->energyGain);
    if (patient->energy < 1) CountDeath(*patient);
}

// A person in distress past its deadline kneels down, and once its kneeling has run to the last
// frame it is lost: the slot is freed and the person counted dead. True when it was lost.
bool LostAtDeadline(std::int16_t i, Person& p) {
    if ((p.controlFlags & kPersonInDistress) == 0) return false;
    const DeadlinePlan* plan = p.attachment.plan();
    if (plan == nullptr ||
        static_cast<std::int64_t>(TickCounter / kTicksPerSecond) < plan->deadline)
        return false;
    if (p.anim == kAnimDistress || p.anim == kAnimTreat) {
        SetPersonAnim(i, kAnimKneel);
        UpdatePersonDrawPos(p);
        return false;
    }
    if (p.anim != kAnimKneel || p.frame + 1 != CurrentSlot(p).frames) return false;
    DeletePerson(i);
    ++ToteCount;
    return true;
}

// Standing persons rest a while between two runs of their idle animation; burning persons lie
// down when their flames have run through once; casualties rest between two runs of their own
// and lie still once they are weak.
void Animate(std::int16_t i, Person& p) {
    if (p.animate != 1) return;
    const AnimSlot& slot = CurrentSlot(p);
    if (slot.frames <= 1) return;
    if (p.casualty == 0) {
        p.frameTimer = static_cast<std::int8_t>(p.frameTimer + 1);
        if (p.frameTimer < slot.delay) return;
        p.frameTimer = 0;
        if (++p.frame < slot.frames) return;
        p.frame = 0;
        if (p.anim == kAnimStand) p.frameTimer = static_cast<std::int8_t>(Rand() % 60 - 120);
        if (p.type == kPersonTypBurning) InjurePerson(i, kBurnedEnergy, kPushEverywhere, 0);
    } else if (p.energy >= kStillEnergy) {
        p.frameTimer = static_cast<std::int8_t>(p.frameTimer - 1);
        if (p.frameTimer >= 1) return;
        p.frameTimer = static_cast<std::int8_t>(slot.delay & 0xFF);
        if (++p.frame < slot.frames) return;
        p.frame = 0;
        const PersonTyp& typ = PersonTypOf(p);
        p.frameTimer =
            p.direction >= 0 && p.direction < kDirectionCount
                ? static_cast<std::int8_t>(typ.lyingPause[static_cast<std::size_t>(p.direction)])
                : 0;
    } else {
        p.frame = 0;
        p.frameTimer = 0;
    }
}

}  // namespace

void UpdatePersonen() {
    for (std::size_t n = 0; n < Personen.size(); ++n) {
        Person& p = Personen[n];
        const auto i = static_cast<std::int16_t>(n);
        if (p.type == -1) continue;
        Bleed(p);
        if (p.offMap != 0) continue;
        if (p.casualty == 0 && p.type != kPersonTypBurning) {
            if (p.energy < 1) {
                InjurePerson(i, kFullEnergy, kPushEverywhere, 0);
                return;
            }
            if ((p.controlFlags & kPersonController) != 0)
                Control(i, p);
            else if (p.attachment.jet() != nullptr)
                UpdateSchlauchStrahl(i);
        }
        Poison(i, p);
        Heal(p);
        if (LostAtDeadline(i, p)) continue;
        Animate(i, p);
        ExecutePersonBefehl(i);
        // The order may have switched the animation to a shorter one.
        if (p.type != -1 && p.frame >= CurrentSlot(p).frames) p.frame = 0;
    }
}

}  // namespace kv
