#pragma once
// What a saved game keeps of a unit's planning state. The save drops a unit's search in progress
// (its path search, turning record and shortcut window go), so the bits that say a search runs
// and the head order's first-tick mark go with it: the loaded unit plans afresh. The save writer
// and the mission checksum both read these, so that a game saved and loaded hashes as before.

#include <cstdint>
#include <vector>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/stepping.h"

namespace kv {

struct Fahrzeug;

enum class SavedUnitKind : std::uint8_t { Person, Fahrzeug };

// The mover bits kept: a vehicle keeps only its partial path (4), a person also its leader (16).
constexpr std::uint8_t KeptMoverFlags(SavedUnitKind kind, std::uint8_t moverFlags) {
    const std::uint8_t kept =
        kind == SavedUnitKind::Fahrzeug ? kMoverPartialPath : kMoverPartialPath | kMoverLed;
    return static_cast<std::uint8_t>(moverFlags & kept);
}

// The flags of an order as saved: the head order's started mark (2) is dropped for the opcodes
// whose first tick starts a search the save does not keep.
std::uint8_t KeptBefehlFlags(SavedUnitKind kind, const UnitHead& unit, const Befehl& order,
                             bool head);

// Whether the unit's route is saved: not while its search still plans (mover bit 5).
bool RouteKept(const UnitHead& unit);

// The pieces a vehicle has laid, as saved: pieceCount entries, a piece the list does not hold
// yet as kNoPontonPiece.
std::vector<std::uint16_t> KeptPieceList(const Fahrzeug& vehicle);

}  // namespace kv
