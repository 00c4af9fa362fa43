// The section writers: the running mission into the file being built in memory.

#include <algorithm>

#include "core/campaign.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/mission_tick.h"
#include "movement/befehl_opcodes.h"
#include "persons/personen.h"
#include "screens/heli_basis.h"
#include "screens/save_sections.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/kept_on_save.h"

namespace kv {

namespace {

// A vehicle still driving or flying out of a base belongs to the base: the purchase is made when
// it has left, and loaded it would stand in the base's hall for ever. Once bought it is on its
// base's road on the campaign map (storey still the base's) and is the mission's.
bool LeavingBase(const Fahrzeug& v) {
    return v.storey <= kBaseStoreyLimit && v.KarteWeg < 0;
}

bool SavedFahrzeug(const Fahrzeug& v) {
    return v.type >= 0 && !LeavingBase(v);
}

// Whether the person sits in a vehicle that is not saved: it goes with that vehicle, or it would
// be loaded seated in nothing.
bool SeatedInUnsaved(std::size_t person) {
    for (const Fahrzeug& v : Fahrzeuge) {
        if (v.type < 0 || SavedFahrzeug(v)) continue;
        if (std::find(v.seats.begin(), v.seats.end(), person) != v.seats.end()) return true;
    }
    return false;
}

// Persons inside a base are the base's.
bool SavedPerson(const Person& p, std::size_t slot) {
    return p.type >= 0 && p.storey > kBaseStoreyLimit && !SeatedInUnsaved(slot);
}

// The counters as they will stand once the vehicles that leave a base are left out.
MissionCounterSet SavedCounters() {
    MissionCounterSet c = MissionCounters;
    for (const Fahrzeug& v : Fahrzeuge) {
        if (v.type < 0 || !LeavingBase(v)) continue;
        if (v.controlFlags == kOwnerBought) --c.BoughtFahrzeugCount;
        if (v.type == kTypF101) --c.F101Count;
    }
    return c;
}

void WriteGoal(ByteWriter& out, const std::vector<GoalPoint>& goals, std::size_t i) {
    WriteRecord(out, i < goals.size() ? goals[i] : GoalPoint{});
}

void WriteBefehle(ByteWriter& out, SavedUnitKind kind, const UnitHead& unit) {
    bool head = true;
    for (const Befehl* o = unit.orders; o != nullptr; o = o->next, head = false) {
        Befehl saved;
        saved.opcode = o->opcode;
        saved.a = o->a;
        saved.b = o->b;
        saved.c = o->c;
        saved.d = o->d;
        saved.e = o->e;
        saved.flags = KeptBefehlFlags(kind, unit, *o, head);
        saved.extra = o->extra;
        saved.finalX = o->finalX;
        saved.finalY = o->finalY;
        out.u16(o->opcode);
        if (IsGoalsOpcode(o->opcode)) {
            WriteRanges(out, saved, kGoalsBefehlRanges);
            for (std::size_t i = 0; i < (o->b & 0xFF); ++i) WriteGoal(out, o->goals, i);
        } else if (IsListOpcode(o->opcode)) {
            // An empty list keeps its place with zeros and the count 0.
            if (o->goals.empty()) {
                out.zeros(kListBefehlEntryBytes);
                saved.b = 0;
            } else {
                WriteGoal(out, o->goals, 0);
                WriteGoal(out, o->goals, 1);
                saved.b = 2;
            }
            WriteRanges(out, saved, kListBefehlRanges);
        } else if (o->opcode == kOpRouteLeg) {
            WriteRanges(out, saved, kBefehl54Ranges);
        } else {
            WriteRanges(out, saved, kBefehlRanges);
            if (o->opcode == kOpSetUp) {
                out.u16(static_cast<std::uint16_t>(o->placeholders.size()));
                for (const std::int16_t slot : o->placeholders) out.i16(slot);
            }
        }
    }
    out.u16(kSaveListEnd);
}

void WriteWaypoints(ByteWriter& out, const RouteWaypoints& list) {
    for (const RouteWaypoint& w : list) {
        out.u8(1);
        out.u16(w.node);
        out.f32(w.x);
        out.f32(w.y);
        out.u8(w.flag);
    }
    out.u8(0);
}

void WriteRoute(ByteWriter& out, const UnitHead& unit) {
    if (!RouteKept(unit)) {
        out.u8(0);
        return;
    }
    const Route& r = *unit.route;
    out.u8(1);
    WriteRanges(out, r, kRouteRanges);
    out.u8(r.order != nullptr ? 1 : 0);
    if (r.order != nullptr) WriteRecord(out, *r.order);
    out.u8(r.candidates.empty() ? 0 : 1);
    if (!r.candidates.empty())
        for (std::size_t i = 0; i < static_cast<std::uint16_t>(r.candidateRoom); ++i)
            WriteRecord(out, i < r.candidates.size() ? r.candidates[i] : RouteStartCandidate{});
    out.u8(r.copies.empty() ? 0 : 1);
    if (!r.copies.empty()) {
        for (std::size_t i = 0; i < r.copyRoom; ++i)
            WriteRecord(out, i < r.copies.size() ? r.copies[i] : RoadNode{});
        for (std::size_t i = 0; i < r.copyRoom; ++i)
            out.u16(i < r.copyIds.size() ? r.copyIds[i] : std::uint16_t{0});
    }
    WriteWaypoints(out, r.listA);
    WriteWaypoints(out, r.listB);
}

// The units' blocks start with the slot index.
template <class R, std::size_t N>
void WriteUnitBlock(ByteWriter& out, std::size_t slot, const R& unit,
                    const SavedRanges<N>& ranges) {
    out.u16(static_cast<std::uint16_t>(slot));
    WriteRanges(out, unit, ranges);
}

}  // namespace

void WriteSaveGlobals(ByteWriter& out) {
    SaveGlobals g;
    g.viewX = ViewOrigin.x;
    g.viewY = ViewOrigin.y;
    g.tickCounter = TickCounter;
    g.clockMode = MissionClockMode;
    g.clock = MissionClock;
    g.partTwo = PartTwo;
    g.money = Money;
    g.startMoney = StartMoney;
    g.lflugCooldown = LflugCooldown;
    g.selectionMode = SelectionMode;
    g.selectedIndex = SelectedIndex;
    g.counters = SavedCounters();
    g.scratch = MissionScratch;
    WriteRecord(out, g);
    for (const PontonPunkt& p : PontonPunkte) WriteRecord(out, p);
    out.u8(static_cast<std::uint8_t>(ZFWege.size()));
    for (const ZFWeg& w : ZFWege) WriteRanges(out, w, kZFWegRanges);
}

void WriteSaveZones(ByteWriter& out) {
    out.u8(static_cast<std::uint8_t>(Zones.size()));
    for (const Zone& z : Zones) WriteRecord(out, z);
}

void WriteSaveFahrzeuge(ByteWriter& out) {
    const std::size_t countAt = out.size();
    out.u16(0);
    std::uint16_t count = 0;
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        const Fahrzeug& v = Fahrzeuge[i];
        if (!SavedFahrzeug(v)) continue;
        ++count;
        WriteUnitBlock(out, i, v, kFahrzeugRanges);
        const auto type = static_cast<std::size_t>(v.type);
        const int seats = static_cast<std::int8_t>(FahrzeugTypen[type].seats);
        for (int s = 0; s < seats; ++s) {
            const auto at = static_cast<std::size_t>(s);
            out.u16(at < v.seats.size() ? v.seats[at] : kNoPerson);
        }
        if (v.type == kTypF106) WriteRecord(out, v.kanzel ? *v.kanzel : KanzelState{});
        if (FahrzeugTypHasKanone(v.type))
            WriteRecord(out, v.wasserStrahl ? *v.wasserStrahl : WasserStrahl{});
        for (const std::uint16_t piece : KeptPieceList(v)) out.u16(piece);
        WriteBefehle(out, SavedUnitKind::Fahrzeug, v);
        WriteRoute(out, v);
    }
    out.patchU16(countAt, count);
}

void WriteSavePersonen(ByteWriter& out) {
    const std::size_t countAt = out.size();
    out.u16(0);
    std::uint16_t count = 0;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (!SavedPerson(p, i)) continue;
        ++count;
        WriteUnitBlock(out, i, p, kPersonRanges);
        out.u8(p.attachment.empty() ? 0 : 1);
        if (const DeadlinePlan* plan = p.attachment.plan()) WriteRecord(out, *plan);
        if (const SchlauchStrahl* jet = p.attachment.jet()) WriteRecord(out, *jet);
        WriteBefehle(out, SavedUnitKind::Person, p);
    }
    out.patchU16(countAt, count);
}

void WriteSaveSonderObj(ByteWriter& out) {
    const std::size_t countAt = out.size();
    out.u16(0);
    std::uint16_t count = 0;
    for (std::size_t i = 0; i < SonderObjs.size(); ++i) {
        const SonderObj& o = SonderObjs[i];
        // The helicopter base's shadow is the base's.
        if (o.type < 0 || static_cast<std::int32_t>(i) == HeliBasisShadow) continue;
        ++count;
        out.u16(static_cast<std::uint16_t>(i));
        WriteRanges(out, o, kSonderObjRanges);
        for (const SonderObjCommand* c = o.commands.get(); c != nullptr; c = c->next.get()) {
            out.u16(c->kind);
            if (IsFlightCommand(c->kind)) {
                WriteRecord(out, c->flight ? *c->flight : FlightBlock{});
            } else {
                out.u16(c->a);
                out.u16(c->b);
                out.u16(c->c);
                out.u8(c->flags);
            }
        }
        out.u16(kSaveListEnd);
    }
    out.patchU16(countAt, count);
}

void WriteSaveHouseObj(ByteWriter& out) {
    const std::size_t countAt = out.size();
    out.u16(0);
    std::uint16_t count = 0;
    for (std::size_t i = 0; i < HouseObjs.size(); ++i) {
        if (HouseObjs[i].slot == kNoHouseObjSlot) continue;
        ++count;
        out.u16(static_cast<std::uint16_t>(i));
        WriteRanges(out, HouseObjs[i], kHouseObjRanges);
    }
    out.patchU16(countAt, count);
}

void WriteSaveHouses(ByteWriter& out) {
    for (const House& h : Houses) {
        WriteRanges(out, h, kHouseRanges);
        for (const HouseFloor& f : h.floors) WriteRecord(out, f);
    }
}

void WriteSaveMap(ByteWriter& out) {
    for (const MapCell& c : MapCells) WriteRecord(out, c);
    for (const CellAnim& c : CellAnims) WriteRecord(out, c);
    for (const BrandState& c : BrandStates) WriteRecord(out, c);
}

void WriteSaveExplosions(ByteWriter& out) {
    out.u16(kSaveExplosionCount);
    for (const ExplosionSlot& e : ExplosionSlots) WriteRecord(out, e);
}

std::vector<std::uint8_t> BuildSaveSections(const SaveHeader& header) {
    ByteWriter out;
    WriteRecord(out, header);
    WriteSaveGlobals(out);
    WriteSaveZones(out);
    WriteSaveFahrzeuge(out);
    WriteSavePersonen(out);
    WriteSaveSonderObj(out);
    WriteSaveHouseObj(out);
    WriteSaveHouses(out);
    WriteSaveMap(out);
    WriteSaveExplosions(out);
    return out.take();
}

}  // namespace kv
