#include "vehicles/fahrzeuge.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>

#include "core/fatal_error.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "media/sound_slots.h"
#include "movement/befehl_queue.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "world/sonder_obj.h"

namespace kv {

std::int16_t FahrzeugCount = 0;
std::vector<Fahrzeug> Fahrzeuge;

namespace {

// Person types the removal names.
bool CarriesCasualty(std::int8_t type) {
    return type == 12 || type == 19 || type == 24;
}

// A stretcher patient driven off in these dies on the way below these energies.
constexpr std::int32_t kAmbulanceLethalEnergy = 300000;
constexpr std::int32_t kHelicopterLethalEnergy = 150000;

// The tent's inside reaches this far above the invisible tent's box.
constexpr float kTentRoofAllowance = 23.0f;

// Animation entries of the F204 that the removal tells apart.
constexpr std::int8_t kAnimTentRising = 2;
constexpr std::int8_t kAnimTentUp = 3;

const AnimSlot* FahrzeugCurrentAnim(std::int16_t index) {
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(index)];
    const AnimSlot& slot = FahrzeugAnim(v);
    return slot.images != nullptr ? &slot : nullptr;
}

std::int32_t* FahrzeugHeat(std::int16_t index) {
    return &Fahrzeuge[static_cast<std::size_t>(index)].heat;
}
WasserStrahl* FahrzeugJet(std::int16_t index) {
    return Fahrzeuge[static_cast<std::size_t>(index)].wasserStrahl.get();
}

// Frees the special object a link names, if it names one in use.
void FreeLinkedSonderObj(std::int32_t slot) {
    const SonderObj* o = SonderObjAt(slot);
    if (o != nullptr && o->type != -1) FreeSonderObjSlot(slot);
}

// A person who dies with the vehicle: counted as dead (always, or only while still alive), then
// taken off the map for good. Its slot is freed, so no death tick count is kept for it.
void PersonDies(std::int32_t index, bool countAlways) {
    const Person* p = UsedPersonAt(index);
    if (p == nullptr) return;
    if (countAlways || p->energy > 0) ++ToteCount;
    DeletePerson(index);
}

// A carrier dies with what it carries: the carried person first, counted while still alive.
void CarrierDies(std::int32_t index, bool countAlways, bool carrying) {
    const Person* p = UsedPersonAt(index);
    if (p == nullptr) return;
    if (carrying && p->link != kNoPerson) PersonDies(p->link, false);
    PersonDies(index, countAlways);
}

void FreeJetObject(Fahrzeug& v) {
    if (v.wasserStrahl == nullptr) return;
    // A vehicle set up while no slot was free has no jet object.
    FreeLinkedSonderObj(v.wasserStrahl->splash);
    v.wasserStrahl.reset();
}

// The blocks and orders of a vehicle that leaves the array without being removed from play.
void DropFahrzeugSlot(std::int16_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr) return;
    StopOwnerSound(kOwnerFahrzeug, index);
    DiscardBefehle(*v);
    FreeJetObject(*v);
    v->seats.clear();
    v->kanzel.reset();
    v->pieces.clear();
    v->type = -1;
}

// Persons in the ladder basket die with a destroyed ladder vehicle.
void KillBasketPersons(std::int16_t index, Fahrzeug& v) {
    if (v.kanzel == nullptr || v.kanzel->persons == 0) return;
    v.kanzel->persons = 0;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type == -1 || p.basketVehicle != static_cast<std::uint16_t>(index)) continue;
        CarrierDies(static_cast<std::int32_t>(i), true, CarriesCasualty(p.type));
    }
}

// The person lying on a bed gets up from it; a medic working on it stops.
void ReleaseBedPerson(std::int32_t person) {
    Person* p = UsedPersonAt(person);
    if (p == nullptr) return;
    ReleaseTreatingMedic(person);
    p->height = 0;
    p->link = kNoPerson;
}

// Everyone standing inside the tent goes with it.
void TakeAwayTentOccupants(const SonderObj& tent) {
    const SonderObjTyp* inside = SonderObjTypAt(kSobjZeltUnsichtbar);
    if (inside == nullptr) return;
    const float left = tent.x + static_cast<float>(inside->boxX0);
    const float right = tent.x + static_cast<float>(inside->boxX1);
    const float top = tent.y + static_cast<float>(inside->boxY0) - kTentRoofAllowance;
    const float bottom = tent.y + static_cast<float>(inside->boxY1);
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type == -1 || p.offMap != 0) continue;
        if (p.x < left || p.x > right || p.y < top || p.y > bottom) continue;
        const bool carrying = p.type == kPersonTypStretcherTeam || CarriesCasualty(p.type);
        CarrierDies(static_cast<std::int32_t>(i), false, carrying);
    }
}

// The beds go from the last laid to the first, whoever lies on one getting up, and the list with
// them.
void FreeTentBeds(Fahrzeug& v) {
    const std::size_t laid =
        std::min(v.pieces.size(), static_cast<std::size_t>(std::max<int>(v.pieceCount, 0)));
    for (std::size_t i = laid; i-- > 0;) {
        if (const SonderObj* bed = SonderObjAt(v.pieces[i]); bed != nullptr && bed->type != -1) {
            ReleaseBedPerson(bed->user);
            FreeLinkedSonderObj(v.pieces[i]);
        }
        --v.pieceCount;
    }
    v.pieces.clear();
    v.pieceCount = 0;
}

// The tent object goes with its commands; the link then names nothing.
void FreeTentObject(Fahrzeug& v) {
    if (const SonderObj* tent = SonderObjAt(v.link); tent != nullptr && tent->type != -1) {
        ClearSonderObjCommands(v.link);
        FreeLinkedSonderObj(v.link);
    }
    v.link = kNoLink;
}

// A set-up tent folds away with its beds and whoever is inside.
void StrikeTent(Fahrzeug& v) {
    FreeTentBeds(v);
    if (const SonderObj* tent = SonderObjAt(v.link); tent != nullptr && tent->type != -1)
        TakeAwayTentOccupants(*tent);
    FreeTentObject(v);
    v.anim = 0;
    v.frame = 0;
    v.frameTimer = 0;
}

// The helicopter's landing object, the tent being pitched, or the tent standing.
void ReleaseSetUp(Fahrzeug& v) {
    switch (v.type) {
        case kTypF203:
            if (SonderObjAt(v.link2) != nullptr) {
                FreeLinkedSonderObj(v.link2);
                v.link2 = kNoLink;
            }
            break;
        case kTypF204:
            if (v.anim == kAnimTentRising) {
                FreeLinkedSonderObj(v.link);
                v.link = kNoLink;
            } else if (v.anim == kAnimTentUp) {
                StrikeTent(v);
            }
            break;
        default:
            break;
    }
}

// What removal does by the vehicle's type.
void RemoveByType(Fahrzeug& v) {
    switch (v.type) {
        case kTypF101:
            --F101Count;
            break;
        case kTypF113:
            v.pieces.clear();  // the pontoon stays laid
            break;
        default:
            break;
    }
    ReleaseSetUp(v);
}

}  // namespace

void ReleaseTreatingMedic(std::int32_t person) {
    const Person* p = UsedPersonAt(person);
    if (p == nullptr) return;
    const PersonLink link = DecodePersonLink(p->link);
    if (link.kind != PersonLinkKind::TreatedBy && link.kind != PersonLinkKind::RevivedBy) return;
    const std::int32_t medic = link.index;
    if (Person* m = UsedPersonAt(medic)) {
        ClearBefehle(*m);
        SetPersonAnim(static_cast<std::int16_t>(medic), 0);
        UpdatePersonDrawPos(*m);
    }
}

Fahrzeug* FahrzeugAt(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Fahrzeuge.size()) return nullptr;
    return &Fahrzeuge[static_cast<std::size_t>(index)];
}

Fahrzeug* UsedFahrzeugAt(std::int32_t index) {
    Fahrzeug* v = FahrzeugAt(index);
    return v != nullptr && v->type != -1 ? v : nullptr;
}

Fahrzeug* RunningFahrzeug(std::int32_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    return v != nullptr && v->orders != nullptr ? v : nullptr;
}

const FahrzeugTyp& FahrzeugTypOf(const Fahrzeug& vehicle) {
    return FahrzeugTypen[static_cast<std::size_t>(
        std::clamp<int>(vehicle.type, 0, kFahrzeugTypCount - 1))];
}

const AnimSlot& FahrzeugAnim(const Fahrzeug& vehicle) {
    return FahrzeugAnimSlot(vehicle.type, vehicle.direction, vehicle.anim);
}

void UpdateFahrzeugDrawPos(Fahrzeug& vehicle) {
    const AnimSlot& slot = FahrzeugAnim(vehicle);
    vehicle.drawX = static_cast<std::int16_t>(static_cast<std::int32_t>(vehicle.x) - slot.hotX);
    vehicle.drawY = static_cast<std::int16_t>(static_cast<std::int32_t>(vehicle.y) - slot.hotY);
}

void AllocFahrzeuge() {
    for (Fahrzeug& v : Fahrzeuge) DiscardBefehle(v);
    Fahrzeuge.clear();
    Fahrzeuge.resize(FahrzeugCount > 0 ? static_cast<std::size_t>(FahrzeugCount) : 0);
    FahrzeugUnits = {};
    FahrzeugUnits.setRecords(std::span(Fahrzeuge));
    FahrzeugUnits.typeRecord = FahrzeugTypRecord;
    FahrzeugUnits.boxReach = &FahrzeugBoxReach;
    FahrzeugUnits.animSlot = FahrzeugCurrentAnim;
    FahrzeugUnits.heat = FahrzeugHeat;
    FahrzeugUnits.wasserStrahl = FahrzeugJet;
}

void FreeFahrzeuge() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        Fahrzeug& v = Fahrzeuge[i];
        if (v.type == -1) continue;
        StopOwnerSound(kOwnerFahrzeug, static_cast<int>(i));
        ClearBefehle(v);
        v.seats.clear();
        v.wasserStrahl.reset();
        v.kanzel.reset();
        v.pieces.clear();
    }
    for (Fahrzeug& v : Fahrzeuge) DiscardBefehle(v);
    Fahrzeuge.clear();
    Fahrzeuge.shrink_to_fit();
    FahrzeugCount = 0;
    FahrzeugUnits = {};
    for (int t = 0; t < kFahrzeugTypCount; ++t) FreeFahrzeugTyp(static_cast<std::int16_t>(t));
}

std::int16_t FindFreeFahrzeug() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
        if (Fahrzeuge[i].type == -1) return static_cast<std::int16_t>(i);
    return -1;
}

std::int16_t CreateFahrzeug(std::int32_t type, std::int16_t x, std::int16_t y,
                            std::int32_t facing) {
    if (type < 0 || type >= kFahrzeugTypCount || type == kTypNone) return -1;
    if (facing < 0 || facing >= kDirectionCount) return -1;
    const std::int16_t index = FindFreeFahrzeug();
    if (index < 0) return -1;
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(index)];
    v.type = static_cast<std::int8_t>(type);
    v.x = x;
    v.y = y;
    // A freed slot may still hold a carried or hidden vehicle's state: on the map, on the ground.
    v.present = 1;
    v.height = 0;
    v.direction = static_cast<std::int8_t>(facing);
    v.controlFlags = kOwnerMission;
    v.targetable = 0;
    v.selectable = 0;
    return index;
}

void SetFahrzeugAnim(std::int16_t index, std::int8_t anim) {
    Fahrzeug* v = FahrzeugAt(index);
    if (v == nullptr) return;
    v->anim = anim;
    v->frame = 0;
    v->frameTimer = 0;
}

void SetupFahrzeug(std::int16_t index, std::uint8_t owner) {
    Fahrzeug* found = UsedFahrzeugAt(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;
    const FahrzeugTyp& typ = FahrzeugTypOf(v);

    v.storey = v.type == kTypF111 ? kLayerAircraft : v.type == kTypF203 ? kLayerHelicopter : 0;
    SetFahrzeugAnim(index, 0);
    UpdateFahrzeugDrawPos(v);

    v.selected = 0;
    v.controlFlags = owner;
    v.heat = 0;
    v.link = kNoLink;
    v.link2 = kNoLink;
    v.stepWrite = 0;
    v.stepRead = 0;
    v.moverFlags = 0;
    v.moveX = v.x;
    v.moveY = v.y;
    v.moveDir = static_cast<std::uint8_t>(v.direction);
    v.speed = typ.speed;
    v.moveByte = 0;
    v.KarteWeg = -1;
    v.pushedObject = 0xFFFF;
    v.zone = -1;
    v.sound = -1;

    const int seatCount = static_cast<std::int8_t>(typ.seats);
    v.seats.assign(seatCount > 0 ? static_cast<std::size_t>(seatCount) : 0, kNoPerson);

    v.wasserStrahl.reset();
    if (typ.kanone != nullptr) {
        v.wasserStrahl = std::make_unique<WasserStrahl>();
        WasserStrahl& jet = *v.wasserStrahl;
        jet.elevation = 25;
        jet.targetX = -1;
        jet.targetY = -1;
        jet.countdown = -1;
        // No free slot leaves the cannon without a jet object; the rest of the set-up still runs,
        // so that removal finds the counters raised.
        const std::int16_t slot = FindFreeSonderObj();
        jet.splash = -1;
        if (slot >= 0) {
            constexpr std::uint8_t kAboveAll = 2;
            CreateSonderObj(slot, kSplashSonderObjTyp, 0, 0, 0, 0, kAboveAll, 0.0f, 0);
            if (SonderObj* splash = SonderObjAt(slot); splash != nullptr && !FatalErrorRaised()) {
                splash->visible = 0;
                splash->drawStyle = 0;
                splash->oneShot = 0;
                jet.splash = slot;
            }
        }
    }

    v.kanzel.reset();
    if (v.type == kTypF106) v.kanzel = std::make_unique<KanzelState>();

    // A slot set up again drops whatever orders it still held.
    DiscardBefehle(v);
    v.energy = kFullEnergy;
    v.stepMarker = kNoBackOff;
    if (owner == kOwnerBought) ++BoughtFahrzeugCount;
    if (v.type == kTypF101) ++F101Count;
}

bool InitFahrzeuge(int mission) {
    LoadMissionFahrzeugTypen();
    if (FatalErrorRaised()) return false;
    auto hook = MissionHook(mission, &MissionHooks::InitFahrzeuge, "InitFahrzeuge");
    if (hook == nullptr) return false;
    hook();
    if (FatalErrorRaised()) return false;
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        if (Fahrzeuge[i].type == -1) continue;
        LoadFahrzeugTyp(Fahrzeuge[i].type);
        if (FatalErrorRaised()) return false;
        const std::uint8_t owner =
            Fahrzeuge[i].controlFlags != 0 ? Fahrzeuge[i].controlFlags : kOwnerBought;
        SetupFahrzeug(static_cast<std::int16_t>(i), owner);
        if (FatalErrorRaised()) return false;
    }
    return true;
}

void RemoveFahrzeug(std::int16_t index, std::uint8_t mode) {
    Fahrzeug* found = UsedFahrzeugAt(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;

    ClearBefehle(v);
    StopOwnerSound(kOwnerFahrzeug, index);
    if (mode == kRemoveDestroyed && v.type == kTypF106) KillBasketPersons(index, v);
    RemoveFahrzeugOccupants(index, mode);
    ReleaseCarriedByFahrzeug(index);
    FreeJetObject(v);
    RemoveByType(v);

    const std::uint8_t owner = v.controlFlags;
    if ((owner & kOwnerBought) != 0) --BoughtFahrzeugCount;
    v.type = -1;
    if (v.selected != 0) {
        v.selected = 0;
        UpdateSelectionMode();
    }
    if (mode == kRemoveDestroyed) {
        if ((owner & kOwnerMission) != 0) ++LostMissionFahrzeugCount;
        if ((owner & kOwnerBought) != 0) ++LostBoughtFahrzeugCount;
    }
}

void RemoveFahrzeugOccupants(std::int16_t index, std::uint8_t mode) {
    Fahrzeug* found = UsedFahrzeugAt(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;
    const bool destroyed = mode == kRemoveDestroyed;
    for (const std::uint16_t seat : v.seats) {
        const Person* p = UsedPersonAt(seat);
        if (p == nullptr) continue;
        if (p->type == kPersonTypStretcherTeam) {
            const std::int32_t patientIndex = p->link;
            if (const Person* patient = UsedPersonAt(patientIndex)) {
                if (destroyed) {
                    PersonDies(patientIndex, false);
                } else {
                    const bool lethal =
                        (v.type == kTypF201 && patient->energy < kAmbulanceLethalEnergy) ||
                        (v.type == kTypF203 && patient->energy < kHelicopterLethalEnergy);
                    if (lethal) {
                        Rand();  // drawn and not used, as the game always has
                        if (patient->energy > 0) ++ToteCount;
                    }
                    DeletePerson(patientIndex);
                }
            }
        }
        if (destroyed)
            PersonDies(seat, true);
        else
            DeletePerson(seat);
    }
    v.seats.clear();
}

void ReleaseFahrzeugSetUp(std::int16_t index) {
    if (Fahrzeug* v = UsedFahrzeugAt(index)) ReleaseSetUp(*v);
}

void FoldTent(std::int16_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr) return;
    FreeTentBeds(*v);
    FreeTentObject(*v);
}

void ReleaseCarriedByFahrzeug(std::int16_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr || v->type != kTypF110MD || v->link == kNoLink) return;
    if (v->link >= kCarriedFahrzeugLink) {
        const std::int32_t carried = v->link - kCarriedFahrzeugLink;
        if (carried != index) DropFahrzeugSlot(static_cast<std::int16_t>(carried));
    } else {
        FreeLinkedSonderObj(v->link);
    }
}

void SetFahrzeugPushedObject(UnitHead& vehicle, std::uint16_t object) {
    if (Fahrzeuge.empty()) return;
    // The head is a vehicle's when it lies at a record's head within the array.
    const auto first = reinterpret_cast<std::uintptr_t>(static_cast<UnitHead*>(Fahrzeuge.data()));
    const auto at = reinterpret_cast<std::uintptr_t>(&vehicle);
    if (at < first) return;
    const std::uintptr_t offset = at - first;
    if (offset % sizeof(Fahrzeug) != 0 || offset / sizeof(Fahrzeug) >= Fahrzeuge.size()) return;
    Fahrzeuge[offset / sizeof(Fahrzeug)].pushedObject = object;
}

namespace {

struct FahrzeugBox {
    int x0, y0, x1, y1;
};
FahrzeugBox BoxOf(const Fahrzeug& v) {
    const AnimSlot& slot = FahrzeugAnim(v);
    return {v.drawX + slot.box[0], v.drawY + slot.box[1], v.drawX + slot.box[2],
            v.drawY + slot.box[3]};
}

}  // namespace

bool TestFahrzeugOverlap(std::int16_t index) {
    const Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr) return false;
    const FahrzeugBox b = BoxOf(*v);
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        const Fahrzeug& o = Fahrzeuge[i];
        if (i == static_cast<std::size_t>(index) || o.type == -1 || o.present == 0 ||
            o.storey != v->storey)
            continue;
        const FahrzeugBox ob = BoxOf(o);
        if (ob.x1 >= b.x0 && ob.x0 <= b.x1 && ob.y1 >= b.y0 && ob.y0 <= b.y1) return true;
    }
    return false;
}

int CountTakenSeats(std::int32_t vehicle) {
    const Fahrzeug* v = FahrzeugAt(vehicle);
    if (v == nullptr) return 0;
    return static_cast<int>(std::count_if(v->seats.begin(), v->seats.end(),
                                          [](std::uint16_t s) { return s != kNoPerson; }));
}

}  // namespace kv
