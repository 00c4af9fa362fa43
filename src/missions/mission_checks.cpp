#include "missions/mission_checks.h"

#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "mission/selection.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "persons/personen.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// The movement class of persons on foot, which the missions' strip tests pass: the ground of
// roads, fields and meadows is no obstacle to it, so only units and objects can block the strip.
constexpr std::uint8_t kWalkerMoveClass = 16;
constexpr std::int16_t kNoHouse = -1;

}  // namespace

bool PersonInWorld(const Person& p) {
    return p.type != -1 && p.present != 0 && p.offMap == 0 && p.storey >= 0 && !IsDoorDouble(p);
}

bool FahrzeugInWorld(const Fahrzeug& v) {
    return v.type != -1 && v.present != 0 && v.storey >= 0 && v.KarteWeg == -1;
}

bool RescuePending() {
    for (const Person& p : Personen)
        if (p.type != -1 && p.casualty != 0) return true;
    return false;
}

void CheckDeadThenFire(std::uint32_t mostDead, std::string_view deadMessage,
                       std::uint16_t mostBurningHouses) {
    if (ToteCount >= mostDead) {
        ShowMissionFailed(kFailAfterExplosions, deadMessage);
        return;
    }
    if (BurningHouseCount > mostBurningHouses) {
        ShowMissionFailed(kFailAfterExplosions, "Brand ist ausser Kontrolle geraten!");
        return;
    }
    if (RescuePending() || BurningCellCount != 0 || BurningHouseCount != 0) return;
    ShowWellDone();
}

bool ContaminationPending() {
    for (const Person& p : Personen)
        if (p.type != -1 && p.contamination != 0) return true;
    return false;
}

bool DrivesInTraffic(const Fahrzeug& v) {
    return HeadBefehlOpcode(v) == kOpTraffic && (v.moverFlags & kMoverSearching) != 0;
}

std::int16_t ViewRightEdgeX() {
    return static_cast<std::int16_t>(ScrollCols * kCellWidth - MapHeight * 16);
}

bool StripFree(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom) {
    return FindCollisionAt(0, nullptr, nullptr, left, top, right, bottom, kNoHouse, 0,
                           kWalkerMoveClass, nullptr) == 0;
}

bool ExplosionPastFrame(std::int16_t slot, int frame) {
    const SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || !o->commands || o->commands->kind != kCmdExplosion) return false;
    const SonderObjCommand& c = *o->commands;
    const SonderObj* anim = SonderObjAt(c.a);
    if (anim == nullptr || anim->type == -1 || anim->type != static_cast<std::int16_t>(c.b))
        return true;
    const SonderObjTyp* t = SonderObjTypAt(anim->type);
    if (t == nullptr) return true;
    const int past = frame == kLastExplosionFrame ? t->frameCount - 1 : frame;
    return anim->frame >= past;
}

bool StopWorkBeside(std::int16_t slot, bool (*works)(const Person&)) {
    bool stopped = false;
    for (Person& p : Personen) {
        if (p.type == -1 || !works(p)) continue;
        ClearBefehle(p);
        p.anim = 0;
        p.frame = 0;
        UpdatePersonDrawPos(p);
        stopped = true;
    }
    if (!stopped) return false;
    ClearSelection();
    ExplodeSonderObj(slot);
    return true;
}

}  // namespace kv
