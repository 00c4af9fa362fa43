#include "world/wasser_strahl.h"

#include <string>

#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "core/unit_views.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_evade.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/brand.h"
#include "world/jet_common.h"
#include "world/wasser_strahl_search.h"

namespace kv {

FrameSet* JetImages = nullptr;

namespace {

constexpr double kDegree = 0.017453292;

// A tile taller than this hides the aim point behind it when seen from the north.
constexpr int kTallTile = 80;
// How far the aim is lowered in front of a tall tile: while the vehicle works an order, and idle.
constexpr std::int16_t kTallTileDropWorking = 13;
constexpr std::int16_t kTallTileDropIdle = 40;

// The opcodes under which a vehicle works its cannon.
bool IsCannonOpcode(int opcode) {
    return opcode == kOpCannonAtCell || opcode == kOpCannonAim || opcode == kOpCannonAtObject;
}

// The frames the drawer can use: four at least, none narrower than frame 0, whose row width it
// reads them all with.
bool JetFramesUsable(const FrameSet* set) {
    if (FrameCount(set) < static_cast<std::size_t>(kJetImageFrames)) return false;
    for (int i = 1; i < kJetImageFrames; ++i)
        if (set[i].width < set[0].width) return false;
    return true;
}

// The point the cannon turns about: the mount point of the vehicle's facing.
JetPoint CannonPivot(const UnitHead& v, const KanoneTyp& cannon) {
    const KanonePunkt& mount = cannon.mount[static_cast<std::size_t>(WrapDirection(v.direction))];
    return {v.x + mount.x, v.y + mount.y};
}

// One delivering tick: the aim drifts, the splash follows it, the water lands.
void DeliverWasser(std::int16_t vehicle, const UnitHead& v, WasserStrahl& jet,
                   const KanoneTyp& cannon) {
    DriftJetD(jet.wobbleD, jet.wobbleDTarget);
    DriftJetXY(jet.wobbleX, jet.wobbleXTarget);
    PlaceJetSplash(jet.splash, jet.targetX + jet.wobbleX, jet.targetY + jet.yCorrection, jet.height,
                   false);
    ++jet.ticksRunning;
    const std::int16_t pushed = jet.autoAim != 0 ? CrowdCannonTarget(jet) : -1;
    ApplyWasser(static_cast<std::int16_t>(jet.targetX + jet.wobbleX),
                static_cast<std::int16_t>(jet.targetY + jet.height), cannon.strength, jet.floor,
                vehicle);
    // Our own rule: the crowd cannon's water drives the person it hits away from the vehicle.
    if (pushed >= 0) SetPersonEvade(pushed, v.x, v.y, kVehiclePushStrength, kPushTicks, 0, -1);
}

// A vehicle with its jet and its cannon: all null when it has no jet, the cannon alone null when
// its type has none.
struct CannonJet {
    UnitHead* vehicle = nullptr;
    WasserStrahl* jet = nullptr;
    const KanoneTyp* cannon = nullptr;
};

CannonJet CannonJetOf(std::int16_t vehicle) {
    CannonJet c;
    c.jet = FahrzeugWasserStrahl(vehicle);
    // A jet comes only with a vehicle in use, but the vehicle is looked up on its own.
    c.vehicle = FahrzeugUnits.at(vehicle);
    if (c.jet == nullptr || c.vehicle == nullptr) return {};
    c.cannon = CannonOf(*c.vehicle);
    return c;
}

// The nozzle's turn relative to the vehicle's facing that points the cannon at the point.
void AimNozzle(const UnitHead& v, WasserStrahl& jet, const KanoneTyp& cannon, std::int16_t x,
               std::int16_t y) {
    const int absolute = JetDirection(CannonPivot(v, cannon), x, y);
    jet.nozzleTarget = static_cast<std::int8_t>(WrapDirection(absolute - v.direction));
}

}  // namespace

void LoadSobjJet() {
    FreeSobjJet();
    FrameSet* set = LoadFrameSet(kJetImagePath);
    if (FatalErrorRaised()) {
        FreeFrameSet(set);
        return;
    }
    if (!JetFramesUsable(set)) {
        ReportRefusedFile(kJetImagePath,
                          ReadFault{0, "four frames of at least frame 0's width wanted"});
        FreeFrameSet(set);
        FatalError("file not found: '" + std::string(kJetImagePath) + "'");
        return;
    }
    JetImages = set;
}

void FreeSobjJet() {
    FreeFrameSet(JetImages);
    JetImages = nullptr;
}

WasserStrahl* FahrzeugWasserStrahl(std::int32_t vehicle) {
    const UnitHead* v = FahrzeugUnits.at(vehicle);
    if (v == nullptr || v->type < 0 || FahrzeugUnits.wasserStrahl == nullptr) return nullptr;
    return FahrzeugUnits.wasserStrahl(static_cast<std::int16_t>(vehicle));
}

const KanoneTyp* CannonOf(const UnitHead& v) {
    const FahrzeugTyp* t = FahrzeugTypAt(v.type);
    return t != nullptr ? t->kanone : nullptr;
}

JetPoint CannonNozzle(const UnitHead& v, const WasserStrahl& jet, const KanoneTyp& cannon) {
    const JetPoint pivot = CannonPivot(v, cannon);
    const KanonePunkt& muzzle =
        cannon.nozzle[static_cast<std::size_t>(WrapDirection(v.direction + jet.nozzle))];
    return {pivot.x + muzzle.x, pivot.y + muzzle.y + cannon.height};
}

void SwitchOffJet(WasserStrahl& jet) {
    jet.active = 0;
    HideJetSplash(jet.splash);
    jet.countdown = -1;
}

void AimWasserWerfer(std::int16_t vehicle, std::int16_t x, std::int16_t y) {
    const CannonJet c = CannonJetOf(vehicle);
    if (c.jet == nullptr || c.cannon == nullptr) return;
    AimNozzle(*c.vehicle, *c.jet, *c.cannon, x, y);
}

void StartWasserStrahl(std::int16_t vehicle, std::int16_t x, std::int16_t y, std::int16_t height,
                       std::uint16_t floor) {
    const CannonJet c = CannonJetOf(vehicle);
    if (c.jet == nullptr) return;
    WasserStrahl* jet = c.jet;
    const UnitHead& v = *c.vehicle;
    jet->active = 1;
    if (floor != kKeepFloor) jet->floor = static_cast<std::int16_t>(floor);
    jet->targetX = x;
    jet->targetY = y;
    jet->height = height;
    jet->yCorrection = 0;

    // Seen from the north, a tall tile in front of a plain row hides its foot: aim higher up.
    const CellPos foot = CellFromPixel(x, y + height);
    if (JetTileHeight(foot) > kTallTile && !JetCellIsHouse({foot.column, foot.row - 1}) &&
        v.y <= static_cast<float>(foot.row * kCellHeight + kCellHeight / 2) && height > 0) {
        const std::int16_t drop = v.orders != nullptr ? kTallTileDropWorking : kTallTileDropIdle;
        jet->yCorrection = static_cast<std::int16_t>(-drop);
        jet->height = static_cast<std::int16_t>(height - drop);
        if (jet->height < 0) {
            jet->height = 0;
            jet->yCorrection = 0;
        }
    }

    PlaceJetSplash(jet->splash, jet->targetX + jet->wobbleX, jet->targetY + jet->yCorrection,
                   jet->height, true);
    if (c.cannon != nullptr) AimNozzle(v, *jet, *c.cannon, jet->targetX, jet->targetY);
}

void StopWasserStrahl(std::int16_t vehicle, std::uint8_t force) {
    WasserStrahl* jet = FahrzeugWasserStrahl(vehicle);
    if (jet == nullptr) return;
    const UnitHead& v = *FahrzeugUnits.at(vehicle);
    if (force == 0 && v.type != kTypF303) {
        const int opcode = HeadBefehlOpcode(v);
        if (opcode < 0 || IsCannonOpcode(opcode)) {
            if (jet->countdown <= 0) jet->countdown = kWasserStrahlRunOn;
            return;
        }
    }
    SwitchOffJet(*jet);
}

bool TestWasserStrahlTarget(std::int16_t vehicle, std::int16_t x, std::int16_t y,
                            CellPos* blocking) {
    const CannonJet c = CannonJetOf(vehicle);
    if (c.jet == nullptr || c.cannon == nullptr) return false;
    AimNozzle(*c.vehicle, *c.jet, *c.cannon, x, y);
    return JetLineClear(CannonNozzle(*c.vehicle, *c.jet, *c.cannon), x, y, blocking);
}

void StartWasserStrahlArc(std::int16_t vehicle, std::int16_t x, std::int16_t y, std::int16_t height,
                          std::int32_t elevation, const CellPos* blocking) {
    const CannonJet c = CannonJetOf(vehicle);
    if (c.jet == nullptr || c.cannon == nullptr) return;
    const JetLanding at = LandJetArc(CannonNozzle(*c.vehicle, *c.jet, *c.cannon), c.cannon->height,
                                     x, y, height, elevation * kDegree, blocking);
    StartWasserStrahl(vehicle, at.x, static_cast<std::int16_t>(at.y - at.height), at.height,
                      kKeepFloor);
}

void UpdateWasserStrahl(std::int16_t vehicle) {
    const CannonJet c = CannonJetOf(vehicle);
    if (c.jet == nullptr || c.cannon == nullptr) return;
    WasserStrahl* jet = c.jet;
    UnitHead& v = *c.vehicle;
    const KanoneTyp* cannon = c.cannon;

    if (v.type != kTypF303) {
        if (jet->countdown >= 1 && --jet->countdown == 0) {
            SwitchOffJet(*jet);
            PopBefehl(v);
        }
        if (v.orders == nullptr && jet->active == 0 && jet->countdown == -1 &&
            SearchFireForIdleCannon(vehicle, v, *jet, *cannon))
            return;
    } else if (jet->autoAim != 0 && v.orders == nullptr) {
        AimCrowdCannon(vehicle, v, *jet, *cannon);
    }

    // Our own rule: a cannon delivers as a hose does, water only once the nozzle faces the target.
    if (jet->active == 0) return;
    const std::uint8_t nozzle = WrapDirection(jet->nozzle);
    const std::uint8_t target = WrapDirection(jet->nozzleTarget);
    if (nozzle != target) {
        jet->nozzle = static_cast<std::int8_t>(TurnStep(nozzle, target));
        return;
    }
    DeliverWasser(vehicle, v, *jet, *cannon);
}

}  // namespace kv
