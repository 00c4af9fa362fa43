#include "vehicles/fahrzeug_update.h"

#include <algorithm>
#include <limits>

#include "core/saturate.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_befehle.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/install_befehle.h"
#include "world/explosions.h"
#include "world/materials.h"
#include "world/wasser_strahl.h"

namespace kv {

namespace {

void (*g_moveFahrzeugOnKarte)(std::int16_t) = nullptr;

// Person types aboard that care for a patient.

// The lift takes a step every this many ticks and moves the basket's persons this far.
constexpr std::uint8_t kLiftTicks = 4;
constexpr float kLiftStep = 4.0f;
constexpr std::int8_t kAnimSetUp = 3;
constexpr std::int8_t kAnimSetUpOpen = 13;
// The lift's frames are those of the ladder's entry 4 in the facing it is set up in.
constexpr int kLiftAnim = 4;
constexpr int kLiftFacing = 3;
constexpr int kMinLiftFrame = std::numeric_limits<std::int8_t>::min();
constexpr int kMaxLiftFrame = std::numeric_limits<std::int8_t>::max();

bool BurningOut(const Fahrzeug& v) {
    return v.orders != nullptr && v.orders->opcode == kOpBurnOut;
}

void Animate(Fahrzeug& v) {
    const AnimSlot& slot = FahrzeugAnim(v);
    if (slot.frames <= 1) return;
    ++v.frameTimer;
    if (v.frameTimer < static_cast<std::int32_t>(slot.delay)) return;
    v.frameTimer = 0;
    ++v.frame;
    if (v.frame >= slot.frames) v.frame = 0;
}

// Heat beyond the material's threshold turns into damage; a vehicle that runs out of energy
// explodes. The sums are wide: the material numbers come from a file.
void TakeHeat(std::int16_t index, Fahrzeug& v) {
    if (v.energy <= 0 || v.heat <= 0 || BurningOut(v)) return;
    const Material& m = MaterialOf(FahrzeugTypOf(v).material);
    v.heat = Saturate(std::int64_t{v.heat} - m.loss);
    if (v.heat > m.ignite) {
        const std::int64_t damage = (std::int64_t{v.heat} - m.ignite) / 2;
        const std::int64_t energy = std::int64_t{v.energy} - damage;
        v.heat = m.ignite;
        if (energy < 0) {
            v.energy = 0;
            ExplodeFahrzeug(index);
        } else {
            v.energy = Saturate(energy);
        }
    }
    if (v.heat < 0) v.heat = 0;
}

// A medic and a stretcher team aboard (or two teams) treat the patient of the last team.
void CareForPatient(const Fahrzeug& v) {
    int carers = 0;
    const Person* team = nullptr;
    for (const std::uint16_t seat : v.seats) {
        const Person* p = PersonAt(seat);
        if (p == nullptr || p->type == -1) continue;
        if (p->type == kPersonTypMedic) ++carers;
        if (p->type == kPersonTypStretcherTeam) {
            ++carers;
            team = p;
        }
    }
    if (carers < 2 || team == nullptr) return;
    Person* patient = PersonAt(team->link);
    if (patient == nullptr || patient->type == -1) return;
    patient->treated = 1;
    if (patient->energy > 0) patient->energy = TreatedEnergy(patient->energy, patient->energyGain);
}

}  // namespace

void SetMoveFahrzeugOnKarteHook(void (*hook)(std::int16_t vehicle)) {
    g_moveFahrzeugOnKarte = hook;
}

void UpdateFahrzeuge() {
    for (std::int16_t i = 0; i < FahrzeugCount; ++i) {
        Fahrzeug* v = UsedFahrzeugAt(i);
        if (v == nullptr) continue;
        Animate(*v);
        if (v->KarteWeg != -1 && g_moveFahrzeugOnKarte != nullptr) g_moveFahrzeugOnKarte(i);
        // The campaign map may have taken the vehicle out of play.
        v = UsedFahrzeugAt(i);
        if (v == nullptr) continue;
        TakeHeat(i, *v);
        if (v->wasserStrahl != nullptr && !BurningOut(*v)) UpdateWasserStrahl(i);
        if ((v = UsedFahrzeugAt(i)) == nullptr) continue;
        CareForPatient(*v);
        ExecuteFahrzeugBefehl(i);
        if ((v = UsedFahrzeugAt(i)) == nullptr) continue;
        if (v->frame >= FahrzeugAnim(*v).frames) v->frame = 0;
    }
}

void UpdateKanzelLift() {
    const int liftFrames = FahrzeugAnimSlot(kTypF106, kLiftFacing, kLiftAnim).frames;
    for (std::int16_t i = 0; i < FahrzeugCount; ++i) {
        Fahrzeug* v = UsedFahrzeugAt(i);
        if (v == nullptr || v->kanzel == nullptr) continue;
        if (v->anim != kAnimSetUp && v->anim != kAnimSetUpOpen) continue;
        KanzelState& k = *v->kanzel;
        if (k.moving != 1) continue;
        if (++k.ticks < kLiftTicks) continue;
        k.ticks = 0;
        // The frame is kept within its byte, so a lift of many frames cannot wrap round.
        if (k.reverse != 0) {
            const int next = k.liftFrame - 1;
            k.liftFrame = static_cast<std::int8_t>(std::max(next, kMinLiftFrame));
            if (next >= 0)
                MoveKanzelPersons(i, 0, kLiftStep);
            else
                k.moving = 0;
        } else {
            const int next = k.liftFrame + 1;
            k.liftFrame = static_cast<std::int8_t>(std::min(next, kMaxLiftFrame));
            if (next < liftFrames && next <= kMaxLiftFrame)
                MoveKanzelPersons(i, 0, -kLiftStep);
            else
                k.moving = 0;
        }
    }
}

}  // namespace kv
