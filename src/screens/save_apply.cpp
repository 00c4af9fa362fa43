// The apply step of a load: a file staged whole goes over the freshly rebuilt mission. Every
// slot is freed by its module's own routines first, so nothing the mission's set-up gave its
// units (orders, routes, searches, blocks, seats) survives.

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/mission_tick.h"
#include "mission/screen_calls.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/save_sections.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/terrain_outline.h"

namespace kv {

namespace {

void ApplyGlobals(StagedSave& save) {
    const SaveGlobals& g = save.globals;
    ViewOrigin.x = g.viewX;
    ViewOrigin.y = g.viewY;
    TickCounter = g.tickCounter;
    MissionClockMode = g.clockMode;
    MissionClock = g.clock;
    PartTwo = g.partTwo;
    Money = g.money;
    StartMoney = g.startMoney;
    LflugCooldown = g.lflugCooldown;
    SelectionMode = g.selectionMode;
    SelectedIndex = g.selectedIndex;
    MissionScratch = g.scratch;
    PontonPunkte = std::move(save.pontonPunkte);
    // Paths the mission had dropped stay dropped: their traffic had stopped.
    if (save.zfWege.size() < ZFWege.size()) {
        ZFWege.resize(save.zfWege.size());
        ZFWegCount = static_cast<std::uint8_t>(ZFWege.size());
    }
    for (std::size_t i = 0; i < ZFWege.size(); ++i) {
        ZFWege[i].speed = save.zfWege[i].speed;
        ZFWege[i].timer = save.zfWege[i].timer;
    }
}

void ApplyZones(StagedSave& save) {
    Zones = std::move(save.zones);
    ZoneCount = static_cast<std::uint8_t>(Zones.size());
}

void LinkBefehle(UnitHead& unit, StagedBefehle& orders) {
    for (Befehl& order : orders) AppendBefehl(unit, std::move(order));
}

void ApplyFahrzeuge(StagedSave& save) {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        Fahrzeug& v = Fahrzeuge[i];
        if (v.type >= 0) StopOwnerSound(kOwnerFahrzeug, static_cast<int>(i));
        DiscardBefehle(v);
        v = Fahrzeug{};
    }
    for (StagedFahrzeug& s : save.fahrzeuge) {
        Fahrzeug& v = Fahrzeuge[s.slot];
        v = std::move(s.record);
        LinkBefehle(v, s.orders);
        v.route = s.route.release();
        LoadFahrzeugTyp(v.type);
        UpdateFahrzeugDrawPos(v);
    }
}

// A door double is marked by the order 169 or 170 that names it; the mark is not saved.
void MarkDoorDoubles() {
    const auto mark = [](const Befehl& order, std::int32_t index) {
        if (Person* d = UsedPersonAt(index)) d->doorOrder = &order;
    };
    for (const Person& p : Personen) {
        for (const Befehl* o = p.orders; o != nullptr; o = o->next) {
            if (o->opcode == 169) mark(*o, o->dInt());
            if (o->opcode == 170) {
                mark(*o, LowHalf(o->c));
                mark(*o, HighHalf(o->c));
            }
        }
    }
}

void ApplyPersonen(StagedSave& save) {
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        Person& p = Personen[i];
        if (p.type >= 0) StopOwnerSound(kOwnerPerson, static_cast<int>(i));
        DiscardBefehle(p);
        p = Person{};
    }
    for (StagedPerson& s : save.personen) {
        Person& p = Personen[s.slot];
        p = std::move(s.record);
        LinkBefehle(p, s.orders);
        LoadPersonTyp(p.type);
        UpdatePersonDrawPos(p);
    }
    MarkDoorDoubles();
}

void ApplySonderObjs(StagedSave& save) {
    for (std::size_t i = 0; i < SonderObjs.size(); ++i)
        if (SonderObjs[i].type >= 0) FreeSonderObjSlot(static_cast<int>(i));
    for (StagedSonderObj& s : save.sonderObjs) {
        SonderObjs[s.slot] = std::move(s.record);
        for (const StagedCommand& c : s.commands) {
            if (c.hasFlight)
                AppendSonderObjCommand(s.slot, c.kind, c.flight, c.c, c.flags);
            else
                AppendSonderObjCommand(s.slot, c.kind, c.a, c.b, c.c, c.flags);
        }
    }
}

void ApplyHouseObjs(StagedSave& save) {
    for (HouseObj& o : HouseObjs) o = HouseObj{};
    for (StagedHouseObj& s : save.houseObjs) HouseObjs[s.slot] = s.record;
}

void ApplyHouses(StagedSave& save) {
    for (std::size_t i = 0; i < Houses.size() && i < save.houses.size(); ++i) {
        House& h = Houses[i];
        const House& f = save.houses[i].fields;
        h.shownStorey = f.shownStorey;
        h.interiorView = f.interiorView;
        h.evacuated = f.evacuated;
        h.burning = f.burning;
        h.burningCells = f.burningCells;
        h.floors = std::move(save.houses[i].floors);
    }
}

void ApplyMap(StagedSave& save) {
    MapCells = std::move(save.cells);
    CellAnims = std::move(save.cellAnims);
    BrandStates = std::move(save.brandStates);
    // Cells may have burnt out or been trampled since the start: their terrain differs.
    DropTerrainOutlines();
}

void ApplyExplosions(StagedSave& save) {
    ExplosionSlots = save.explosions;
    ReloadExplosionAnimations();
}

}  // namespace

void ApplySaveGame(StagedSave& save) {
    SavePreview = save.header.preview;
    ApplyGlobals(save);
    ApplyZones(save);
    ApplyFahrzeuge(save);
    ApplyPersonen(save);
    ApplySonderObjs(save);
    ApplyHouseObjs(save);
    ApplyHouses(save);
    ApplyMap(save);
    ApplyExplosions(save);
    // Freeing the fresh mission's units and objects counted them off; the file's counters hold.
    MissionCounters = save.globals.counters;
    BriefingUnread = 0;
    // The fire model's phase is not in the file; it runs with the ticks.
    BrandPhase = static_cast<std::int16_t>(TickCounter % kBrandPhaseCount);
}

}  // namespace kv
