#pragma once
// The vehicle record: the unit head that persons share, then what only vehicles have. The field
// list below is the save game's vehicle layout (346 bytes); the blocks a vehicle owns are saved
// after it.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/record_fields.h"
#include "core/unit_head.h"
#include "world/wasser_strahl.h"

namespace kv {

// Owner flags (the head's controlFlags of a vehicle).
inline constexpr std::uint8_t kOwnerMission = 1;
inline constexpr std::uint8_t kOwnerBought = 2;

// Layers of the vehicles that leave the ground.
inline constexpr std::int8_t kLayerHelicopter = -1;
inline constexpr std::int8_t kLayerAircraft = -2;

// A carried vehicle is kept in the carrier's link as its index plus this.
inline constexpr std::uint16_t kCarriedFahrzeugLink = 5000;

inline constexpr std::uint16_t kNoPerson = 0xFFFF;

// Animations other code asks for by number: driving, doors or compartment open, and the
// helicopter (F203) standing with its door open.
inline constexpr std::int8_t kFahrzeugAnimDriving = 1;
inline constexpr std::int8_t kFahrzeugAnimOpen = 3;
inline constexpr std::int8_t kHelicopterAnimLanded = 3;

// The ladder basket of the F106 (11 bytes).
struct KanzelState {
    std::uint8_t position = 0;  // storey step of the basket
    std::uint8_t column = 3;    // 3 = home
    std::uint8_t persons = 0;   // persons in the basket
    std::uint8_t down = 0;      // 1 after a lowering order, 0 after a raising order
    std::uint8_t moving = 0;    // the lift runs
    std::uint8_t ticks = 0;     // ticks since the lift's last step
    std::uint8_t reverse = 0;   // 1 while the lift raises
    std::int8_t liftFrame = 0;
    std::uint8_t spare = 0;
    std::uint16_t target = 0;  // the install order's fourth argument
};
template <class V>
constexpr void VisitFields(KanzelState& r, V& v) {
    v("position", r.position);
    v("column", r.column);
    v("persons", r.persons);
    v("down", r.down);
    v("moving", r.moving);
    v("ticks", r.ticks);
    v("reverse", r.reverse);
    v("liftFrame", r.liftFrame);
    v("spare", r.spare);
    v("target", r.target);
}

// A default-built Fahrzeug is a free slot with the free defaults.
struct Fahrzeug : UnitHead {
    Fahrzeug() {
        present = 1;
        targetable = 1;
        selectable = 1;
    }

    std::vector<std::uint16_t> seats;  // a person index per seat, kNoPerson empty
    std::int32_t heat = 0;             // from fire and explosions
    // The campaign-map road the vehicle follows (-1 none), its point there and the point before,
    // and the countdown of types that step less than once per update.
    std::int8_t KarteWeg = -1;
    std::uint16_t KarteX = 0;
    std::uint16_t KarteY = 0;
    std::uint16_t KartePrevX = 0;
    std::uint16_t KartePrevY = 0;
    std::int8_t KarteStepCountdown = 0;
    std::unique_ptr<WasserStrahl> wasserStrahl;  // types with a water cannon
    std::unique_ptr<KanzelState> kanzel;         // the F106
    // The pontoon pieces laid by the F113, or the beds set up by the F204 (special objects).
    std::vector<std::uint16_t> pieces;
    std::int16_t pieceCount = 0;
    std::uint16_t pushedObject = 0xFFFF;  // the special object pushed last
};

template <class V>
constexpr void VisitFields(Fahrzeug& r, V& v) {
    VisitFields(static_cast<UnitHead&>(r), v);
    v.pointer("seats", r.seats);
    v("heat", r.heat);
    v("KarteWeg", r.KarteWeg);
    v("KarteX", r.KarteX);
    v("KarteY", r.KarteY);
    v("KartePrevX", r.KartePrevX);
    v("KartePrevY", r.KartePrevY);
    v("KarteStepCountdown", r.KarteStepCountdown);
    v.pointer("wasserStrahl", r.wasserStrahl);
    v.pointer("kanzel", r.kanzel);
    v.pointer("pieces", r.pieces);
    v("pieceCount", r.pieceCount);
    v("pushedObject", r.pushedObject);
}

}  // namespace kv
