#include "mission/mission_checksum.h"

#include <bit>
#include <type_traits>

#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/record_fields.h"
#include "mission/mission_tick.h"
#include "movement/befehl.h"
#include "movement/traffic_paths.h"
#include "movement/zones.h"
#include "persons/person.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/kept_on_save.h"
#include "world/explosions.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

class Fnv1a64 {
  public:
    void byte(std::uint8_t b) {
        hash_ ^= b;
        hash_ *= 1099511628211ull;
    }
    // Little-endian, at the value's own width.
    template <class T>
    void number(T value) {
        using U = std::make_unsigned_t<T>;
        auto bits = static_cast<U>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            byte(static_cast<std::uint8_t>(bits & 0xFF));
            bits = static_cast<U>(bits >> 8);
        }
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

template <class R>
void HashRecord(Fnv1a64& h, R& record);

// Visits one record's fields; R names the record, for its drawn fields.
template <class R>
class FieldHasher {
  public:
    explicit FieldHasher(Fnv1a64& h) : h_(h) {}

    template <class T>
    void operator()(std::string_view name, T& field) {
        if (!name.empty() && LeftOut(name)) return;
        if constexpr (kUnit && std::is_same_v<T, std::uint8_t>) {
            if (name == "moverFlags") {
                h_.number(KeptMoverFlags(kUnitKind, field));
                return;
            }
        }
        value(field);
    }
    void unit(R& record) { unit_ = &record; }
    // Owned blocks and lists by what they hold; a pointer to a record without a field list by
    // whether it is set.
    template <class P>
    void pointer(std::string_view name, P& p) {
        if (LeftOut(name)) return;
        if constexpr (kUnit) {
            if (unitPointer(name)) return;
        }
        if constexpr (std::is_pointer_v<P>) {
            h_.byte(p != nullptr ? 1 : 0);
            using T = std::remove_pointer_t<P>;
            if constexpr (record_fields_detail::StoredRecord<T>)
                if (p != nullptr) HashRecord(h_, *p);
        } else if constexpr (requires { p.get(); }) {
            HashOwned(p.get());
        } else if constexpr (std::is_same_v<P, PersonAttachment>) {
            h_.byte(static_cast<std::uint8_t>(p.kind()));
            if (DeadlinePlan* plan = p.plan()) HashRecord(h_, *plan);
            if (SchlauchStrahl* jet = p.jet()) HashRecord(h_, *jet);
        } else {
            h_.number(static_cast<std::uint32_t>(p.size()));
            for (auto& e : p) value(e);
        }
    }
    void pad(std::string_view, std::size_t) {}

  private:
    static constexpr bool kUnit = std::is_same_v<R, Person> || std::is_same_v<R, Fahrzeug>;
    static constexpr SavedUnitKind kUnitKind =
        std::is_same_v<R, Person> ? SavedUnitKind::Person : SavedUnitKind::Fahrzeug;

    static constexpr bool LeftOut(std::string_view name) {
        return IsDrawnField<R>(name) || IsDroppedBySave<R>(name);
    }

    // The unit's queue, route and piece list as the save keeps them; true when name was one.
    bool unitPointer(std::string_view name) {
        const UnitHead& u = *unit_;
        if (name == "orders") {
            bool head = true;
            for (Befehl* o = u.orders; o != nullptr; o = o->next, head = false) {
                Befehl kept = *o;
                kept.next = nullptr;
                kept.flags = KeptBefehlFlags(kUnitKind, u, *o, head);
                HashRecord(h_, kept);
            }
            h_.byte(0xFF);
            return true;
        }
        if (name == "route") {
            h_.byte(RouteKept(u) ? 1 : 0);
            return true;
        }
        if constexpr (std::is_same_v<R, Fahrzeug>) {
            if (name == "pieces") {
                const std::vector<std::uint16_t> pieces = KeptPieceList(*unit_);
                h_.number(static_cast<std::uint32_t>(pieces.size()));
                for (const std::uint16_t piece : pieces) h_.number(piece);
                return true;
            }
        }
        return false;
    }

    template <class T>
    void HashOwned(T* p) {
        h_.byte(p != nullptr ? 1 : 0);
        if (p != nullptr) HashRecord(h_, *p);
    }
    template <class T>
    void value(T& field) {
        if constexpr (std::is_same_v<T, float>) {
            h_.number(std::bit_cast<std::uint32_t>(field));
        } else if constexpr (std::is_enum_v<T>) {
            h_.number(static_cast<std::underlying_type_t<T>>(field));
        } else if constexpr (StoredNumber<T>) {
            h_.number(field);
        } else if constexpr (record_fields_detail::StoredRecord<T>) {
            HashRecord(h_, field);
        } else {
            for (auto& e : field) value(e);
        }
    }
    Fnv1a64& h_;
    R* unit_ = nullptr;
};

template <class R>
void HashRecord(Fnv1a64& h, R& record) {
    FieldHasher<R> v(h);
    v.unit(record);
    VisitFields(record, v);
    // What an order or an object's command owns is stored apart from its record, but it is
    // its content.
    if constexpr (std::is_same_v<R, Befehl>) {
        v.pointer("goals", record.goals);
        v.pointer("placeholders", record.placeholders);
    }
    if constexpr (std::is_same_v<R, SonderObjCommand>) v.pointer("flight", record.flight);
}

template <class R>
void HashRecords(Fnv1a64& h, std::vector<R>& records) {
    h.number(static_cast<std::uint32_t>(records.size()));
    for (R& r : records) HashRecord(h, r);
}

// The used slots of a record array, each with its index; a slot of type -1 is free.
template <class R>
void HashUsedSlots(Fnv1a64& h, std::vector<R>& slots) {
    h.number(static_cast<std::uint32_t>(slots.size()));
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].type < 0) continue;
        h.number(static_cast<std::uint32_t>(i));
        HashRecord(h, slots[i]);
    }
}

}  // namespace

std::uint64_t MissionChecksum() {
    Fnv1a64 h;
    h.number(MissionNummer);
    h.number(PartTwo);
    h.number(TickCounter);
    h.number(MissionClock);
    h.number(MissionClockMode);
    h.number(LflugCooldown);
    h.number(BrandPhase);
    h.number(RandomSeed());
    HashRecord(h, MissionCounters);
    HashRecords(h, MapCells);
    HashRecords(h, CellAnims);
    HashRecords(h, BrandStates);
    HashRecords(h, Houses);
    HashRecords(h, HouseObjs);
    HashRecords(h, Zones);
    HashRecords(h, ZFWege);
    HashUsedSlots(h, Personen);
    HashUsedSlots(h, Fahrzeuge);
    HashUsedSlots(h, SonderObjs);
    HashRecords(h, PontonPunkte);
    // Only where a mission has boat points, so that the other missions keep their sums.
    if (!BootPunkte.empty()) HashRecords(h, BootPunkte);
    for (ExplosionSlot& e : ExplosionSlots) HashRecord(h, e);
    return h.value();
}

}  // namespace kv
