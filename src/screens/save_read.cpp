// The section readers: the parse step of a load. Everything is staged and checked against the
// rebuilt mission's shape; nothing of the running game changes here. Counts are checked against
// what is left of the file before anything is allocated for them.

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "movement/befehl_opcodes.h"
#include "persons/person_sprite_table.h"
#include "screens/save_sections.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

namespace {

// The person type whose 24-byte record is a hose jet; every other type's is a deadline plan.
constexpr std::int8_t kHoseJetPersonTyp = 11;

std::string Text(const char* what, std::size_t value) {
    return std::string(what) + " " + std::to_string(value);
}

// Whether every float a record holds (nested records and arrays included, owned blocks apart)
// is finite: a position or speed of infinity or NaN would run through the simulation.
class FiniteFloats {
  public:
    template <class T>
    void operator()(std::string_view, T& field) {
        value(field);
    }
    template <class P>
    void pointer(std::string_view, P&) {}
    void pad(std::string_view, std::size_t) {}
    bool finite = true;

  private:
    template <class T>
    void value(T& field) {
        if constexpr (std::is_floating_point_v<T>) {
            finite = finite && std::isfinite(field);
        } else if constexpr (StoredNumber<T>) {
        } else if constexpr (record_fields_detail::StoredRecord<T>) {
            VisitFields(field, *this);
        } else {
            for (auto& e : field) value(e);
        }
    }
};

// Refuses, at the record's start, a record holding a float that is not finite.
template <class R>
bool CheckFinite(ByteReader& in, std::size_t at, R& record, const char* what) {
    FiniteFloats check;
    VisitFields(record, check);
    return check.finite || in.refuseAt(at, std::string(what) + " holds a float that is not finite");
}

template <class R>
bool CheckAllFinite(ByteReader& in, std::size_t at, std::vector<R>& records, const char* what) {
    for (R& r : records)
        if (!CheckFinite(in, at, r, what)) return false;
    return true;
}

// A flag byte the writer sets to 0 or 1.
bool ReadFlag(ByteReader& in, bool& flag) {
    const std::uint8_t b = in.u8();
    if (!in.ok()) return false;
    if (b > 1) return in.refuse(Text("flag byte", b));
    flag = b == 1;
    return true;
}

template <class R>
bool ReadRecords(ByteReader& in, std::size_t count, std::vector<R>& out) {
    if (!in.require(count * RecordSize<R>())) return false;
    out.resize(count);
    for (R& r : out) ReadRecord(in, r);
    return in.ok();
}

// A slot index that names a slot of the rebuilt array, each at most once.
bool ReadSlot(ByteReader& in, std::size_t capacity, std::vector<bool>& taken, std::uint16_t& slot,
              const char* what) {
    slot = in.u16();
    if (!in.ok()) return false;
    if (slot >= capacity) return in.refuse(Text(what, slot) + " past the slots");
    if (taken[slot]) return in.refuse(Text(what, slot) + " twice");
    taken[slot] = true;
    return true;
}

bool ReadGoals(ByteReader& in, std::size_t count, GoalList& goals) {
    return ReadRecords(in, count, goals);
}

bool ReadBefehle(ByteReader& in, StagedBefehle& orders) {
    for (;;) {
        const std::uint16_t op = in.u16();
        if (!in.ok()) return false;
        if (op == kSaveListEnd) return true;
        if (op > 255) return in.refuse(Text("opcode", op));
        const std::size_t at = in.position();
        Befehl order;
        if (IsGoalsOpcode(op)) {
            order = ReadRanges<Befehl>(in, kGoalsBefehlRanges);
            if (!ReadGoals(in, order.b & 0xFF, order.goals)) return false;
        } else if (IsListOpcode(op)) {
            GoalList entries;
            if (!ReadGoals(in, 2, entries)) return false;
            order = ReadRanges<Befehl>(in, kListBefehlRanges);
            if (order.b == 2)
                order.goals = std::move(entries);
            else if (order.b != 0)
                return in.refuse(Text("list order count", order.b));
        } else if (op == kOpRouteLeg) {
            order = ReadRanges<Befehl>(in, kBefehl54Ranges);
        } else {
            order = ReadRanges<Befehl>(in, kBefehlRanges);
            if (op == kOpSetUp) {
                const std::uint16_t count = in.u16();
                if (!in.require(count * std::size_t{2})) return false;
                order.placeholders.resize(count);
                for (std::int16_t& slot : order.placeholders) slot = in.i16();
            }
        }
        if (!in.ok() || !CheckFinite(in, at, order, "an order") ||
            !CheckAllFinite(in, at, order.goals, "an order's goal"))
            return false;
        order.opcode = static_cast<std::uint8_t>(op);
        orders.push_back(std::move(order));
    }
}

bool ReadWaypoints(ByteReader& in, RouteWaypoints& list) {
    constexpr std::size_t kWaypointBytes = 11;
    for (;;) {
        bool more = false;
        if (!ReadFlag(in, more)) return false;
        if (!more) return true;
        if (!in.require(kWaypointBytes)) return false;
        RouteWaypoint w;
        w.node = in.u16();
        w.x = in.f32();
        w.y = in.f32();
        w.flag = in.u8();
        if (!std::isfinite(w.x) || !std::isfinite(w.y))
            return in.refuse("a route point is not finite");
        list.push_back(w);
    }
}

bool ReadRoute(ByteReader& in, std::unique_ptr<Route>& route) {
    bool present = false;
    if (!ReadFlag(in, present)) return false;
    if (!present) return true;
    const std::size_t at = in.position();
    if (!in.require(kRouteBlockBytes)) return false;
    route = std::make_unique<Route>(ReadRanges<Route>(in, kRouteRanges));
    Route& r = *route;
    if (!CheckFinite(in, at, r, "a route")) return false;
    bool flag = false;
    if (!ReadFlag(in, flag)) return false;
    if (flag) {
        if (!in.require(RecordSize<RouteOrderCopy>())) return false;
        r.order = std::make_unique<RouteOrderCopy>(ReadRecord<RouteOrderCopy>(in));
    }
    if (!ReadFlag(in, flag)) return false;
    if (flag) {
        if (r.candidateRoom < 0) return in.refuse(Text("candidate room", 0));
        if (!ReadRecords(in, static_cast<std::size_t>(r.candidateRoom), r.candidates)) return false;
    }
    if (!ReadFlag(in, flag)) return false;
    if (flag) {
        if (!ReadRecords(in, r.copyRoom, r.copies)) return false;
        if (!in.require(r.copyRoom * std::size_t{2})) return false;
        r.copyIds.resize(r.copyRoom);
        for (std::uint16_t& id : r.copyIds) id = in.u16();
    }
    return ReadWaypoints(in, r.listA) && ReadWaypoints(in, r.listB);
}

// Reads the unit count; every entry takes at least its block.
bool ReadEntryCount(ByteReader& in, std::size_t blockBytes, std::size_t capacity,
                    std::uint16_t& count, const char* what) {
    count = in.u16();
    if (!in.ok()) return false;
    if (count > capacity) return in.refuse(Text(what, count) + " past the slots");
    return in.require(count * blockBytes);
}

}  // namespace

bool ReadSaveGlobals(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    if (!in.require(RecordSize<SaveGlobals>())) return false;
    ReadRecord(in, save.globals);
    if (save.globals.partTwo > 1) return in.refuse(Text("part two flag", save.globals.partTwo));
    const std::size_t pontonAt = in.position();
    if (!ReadRecords(in, shape.pontonPunkte, save.pontonPunkte) ||
        !CheckAllFinite(in, pontonAt, save.pontonPunkte, "a pontoon point"))
        return false;
    std::size_t paths = shape.zfWege;
    if (HoldsTrafficPathCount(save.header)) {
        paths = in.u8();
        if (!in.ok()) return false;
        if (paths > shape.zfWege) return in.refuse(Text("traffic path count", paths));
    }
    if (!in.require(paths * std::size_t{6})) return false;
    save.zfWege.resize(paths);
    for (ZFWeg& w : save.zfWege) {
        const std::size_t at = in.position();
        w = ReadRanges<ZFWeg>(in, kZFWegRanges);
        if (!in.ok() || !CheckFinite(in, at, w, "a traffic path")) return false;
    }
    return in.ok();
}

bool ReadSaveZones(ByteReader& in, const SaveShape&, StagedSave& save) {
    const std::uint8_t count = in.u8();
    return in.ok() && ReadRecords(in, count, save.zones);
}

bool ReadSaveFahrzeuge(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    std::uint16_t count = 0;
    if (!ReadEntryCount(in, kFahrzeugBlockBytes, shape.fahrzeuge, count, "vehicle count"))
        return false;
    std::vector<bool> taken(shape.fahrzeuge);
    save.fahrzeuge.resize(count);
    for (StagedFahrzeug& s : save.fahrzeuge) {
        const std::size_t at = in.position();
        if (!ReadSlot(in, shape.fahrzeuge, taken, s.slot, "vehicle slot")) return false;
        s.record = ReadRanges<Fahrzeug>(in, kFahrzeugRanges);
        Fahrzeug& v = s.record;
        if (!in.ok() || !CheckFinite(in, at, v, "a vehicle")) return false;
        if (v.type < 0 || v.type >= kFahrzeugTypCount || v.type == kTypNone)
            return in.refuse(Text("vehicle type", static_cast<std::size_t>(v.type & 0xFF)));
        const auto type = static_cast<std::size_t>(v.type);
        if (shape.seats[type] == kUnknownSeats)
            return in.refuse(Text("vehicle type", type) + " not in the mission");
        if (!in.require(shape.seats[type] * std::size_t{2})) return false;
        v.seats.resize(shape.seats[type]);
        for (std::uint16_t& seat : v.seats) {
            seat = in.u16();
            if (seat != kNoPerson && seat >= shape.personen)
                return in.refuse(Text("seat of person", seat));
        }
        if (v.type == kTypF106) {
            if (!in.require(RecordSize<KanzelState>())) return false;
            v.kanzel = std::make_unique<KanzelState>(ReadRecord<KanzelState>(in));
        }
        if (shape.cannon[type]) {
            if (!in.require(RecordSize<WasserStrahl>())) return false;
            v.wasserStrahl = std::make_unique<WasserStrahl>(ReadRecord<WasserStrahl>(in));
            if (!CheckFinite(in, at, *v.wasserStrahl, "a vehicle's water jet")) return false;
        }
        if (v.pieceCount > 0) {
            const auto pieces = static_cast<std::size_t>(v.pieceCount);
            if (!in.require(pieces * 2)) return false;
            v.pieces.resize(pieces);
            for (std::uint16_t& piece : v.pieces) piece = in.u16();
        }
        if (!ReadBefehle(in, s.orders) || !ReadRoute(in, s.route)) return false;
    }
    return in.ok();
}

bool ReadSavePersonen(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    std::uint16_t count = 0;
    if (!ReadEntryCount(in, kPersonBlockBytes, shape.personen, count, "person count")) return false;
    std::vector<bool> taken(shape.personen);
    save.personen.resize(count);
    for (StagedPerson& s : save.personen) {
        const std::size_t at = in.position();
        if (!ReadSlot(in, shape.personen, taken, s.slot, "person slot")) return false;
        s.record = ReadRanges<Person>(in, kPersonRanges);
        Person& p = s.record;
        if (!in.ok() || !CheckFinite(in, at, p, "a person")) return false;
        if (p.type < 0 || p.type >= kPersonTypCount)
            return in.refuse(Text("person type", static_cast<std::size_t>(p.type & 0xFF)));
        if (p.storey <= kBaseStoreyLimit)
            return in.refuse(Text("person inside a base, slot", s.slot));
        bool attached = false;
        if (!ReadFlag(in, attached)) return false;
        if (attached) {
            if (!in.require(RecordSize<DeadlinePlan>())) return false;
            bool finite = true;
            if (p.type == kHoseJetPersonTyp) {
                SchlauchStrahl& jet = p.attachment.makeJet();
                ReadRecord(in, jet);
                finite = CheckFinite(in, at, jet, "a person's hose jet");
            } else {
                DeadlinePlan& plan = p.attachment.makePlan();
                ReadRecord(in, plan);
                finite = CheckFinite(in, at, plan, "a person's plan");
            }
            if (!finite) return false;
        }
        if (!ReadBefehle(in, s.orders)) return false;
    }
    return in.ok();
}

bool ReadSaveSonderObj(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    std::uint16_t count = 0;
    if (!ReadEntryCount(in, kSonderObjBlockBytes, shape.sonderObjs, count, "object count"))
        return false;
    std::vector<bool> taken(shape.sonderObjs);
    save.sonderObjs.resize(count);
    for (StagedSonderObj& s : save.sonderObjs) {
        const std::size_t at = in.position();
        if (!ReadSlot(in, shape.sonderObjs, taken, s.slot, "object slot")) return false;
        s.record = ReadRanges<SonderObj>(in, kSonderObjRanges);
        if (!in.ok() || !CheckFinite(in, at, s.record, "a special object")) return false;
        if (s.record.type < 0 || static_cast<std::size_t>(s.record.type) >= shape.sonderObjTypen)
            return in.refuse(Text("object type", static_cast<std::uint16_t>(s.record.type)));
        for (;;) {
            const std::uint16_t kind = in.u16();
            if (!in.ok()) return false;
            if (kind == kSaveListEnd) break;
            if (kind > kCmdCellChange) return in.refuse(Text("command kind", kind));
            StagedCommand c;
            c.kind = static_cast<std::uint8_t>(kind);
            if (IsFlightCommand(kind)) {
                if (!in.require(RecordSize<FlightBlock>())) return false;
                c.hasFlight = true;
                ReadRecord(in, c.flight);
                if (!CheckFinite(in, at, c.flight, "a special object's flight")) return false;
            } else {
                c.a = in.u16();
                c.b = in.u16();
                c.c = in.u16();
                c.flags = in.u8();
            }
            if (!in.ok()) return false;
            s.commands.push_back(c);
        }
    }
    return in.ok();
}

bool ReadSaveHouseObj(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    std::uint16_t count = 0;
    if (!ReadEntryCount(in, kHouseObjBlockBytes, shape.houseObjs, count, "furniture count"))
        return false;
    std::vector<bool> taken(shape.houseObjs);
    save.houseObjs.resize(count);
    for (StagedHouseObj& s : save.houseObjs) {
        if (!ReadSlot(in, shape.houseObjs, taken, s.slot, "furniture slot")) return false;
        s.record = ReadRanges<HouseObj>(in, kHouseObjRanges);
        if (!in.ok()) return false;
        if (s.record.slot >= kHouseObjSlotCount)
            return in.refuse(Text("furniture picture", s.record.slot));
    }
    return in.ok();
}

bool ReadSaveHouses(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    save.houses.resize(shape.houseFloors.size());
    for (std::size_t i = 0; i < save.houses.size(); ++i) {
        StagedHouse& h = save.houses[i];
        if (!in.require(kHouseBlockBytes)) return false;
        h.fields = ReadRanges<House>(in, kHouseRanges);
        if (!ReadRecords(in, shape.houseFloors[i], h.floors)) return false;
    }
    return in.ok();
}

bool ReadSaveMap(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    return ReadRecords(in, shape.cells, save.cells) &&
           ReadRecords(in, shape.cells, save.cellAnims) &&
           ReadRecords(in, shape.cells, save.brandStates);
}

bool ReadSaveExplosions(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    const std::uint16_t count = in.u16();
    if (!in.ok()) return false;
    if (count != kSaveExplosionCount) return in.refuse(Text("explosion count", count));
    for (ExplosionSlot& e : save.explosions) {
        ReadRecord(in, e);
        if (!in.ok()) return false;
        if (e.live > 0 && e.animType >= shape.sonderObjTypen)
            return in.refuse(Text("explosion type slot", e.animType));
    }
    return true;
}

bool StageSaveFile(ByteReader& in, const SaveShape& shape, StagedSave& save) {
    if (!in.require(kSaveHeaderBytes)) return false;
    ReadRecord(in, save.header);
    const bool staged = ReadSaveGlobals(in, shape, save) && ReadSaveZones(in, shape, save) &&
                        ReadSaveFahrzeuge(in, shape, save) && ReadSavePersonen(in, shape, save) &&
                        ReadSaveSonderObj(in, shape, save) && ReadSaveHouseObj(in, shape, save) &&
                        ReadSaveHouses(in, shape, save) && ReadSaveMap(in, shape, save) &&
                        ReadSaveExplosions(in, shape, save);
    if (!staged) return false;
    // A seat names a person the file holds: a load never leaves one seated in nothing.
    std::vector<bool> held(shape.personen);
    for (const StagedPerson& p : save.personen) held[p.slot] = true;
    for (const StagedFahrzeug& v : save.fahrzeuge)
        for (const std::uint16_t seat : v.record.seats)
            if (seat != kNoPerson && !held[seat])
                return in.refuseAt(in.position(),
                                   Text("seat of person", seat) + " not in the file");
    if (!in.atEnd()) return in.refuseAt(in.position(), "bytes after the last section");
    return true;
}

}  // namespace kv
