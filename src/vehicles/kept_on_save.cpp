#include "vehicles/kept_on_save.h"

#include "movement/befehl_opcodes.h"
#include "vehicles/fahrzeug.h"
#include "world/ponton_punkte.h"

namespace kv {

std::uint8_t KeptBefehlFlags(SavedUnitKind kind, const UnitHead& unit, const Befehl& order,
                             bool head) {
    if (!head) return order.flags;
    const std::uint8_t op = order.opcode;
    const bool searching = (unit.moverFlags & kMoverPathSearch) != 0;
    const bool planning = (unit.moverFlags & kMoverRoutePlanning) != 0;
    bool drop = false;
    if (kind == SavedUnitKind::Fahrzeug) {
        if (op == kOpMove || op == kOpRouteLeg) drop = searching || planning;
        if (op == kOpGoals || op == kOpGoalsCallback) drop = searching;
    } else {
        if (op == kOpMove || op == kOpGaffer || op == kOpGoals || op == kOpGoalsCallback)
            drop = searching;
    }
    return drop ? static_cast<std::uint8_t>(order.flags & ~kBefehlStarted) : order.flags;
}

bool RouteKept(const UnitHead& unit) {
    return unit.route != nullptr && (unit.moverFlags & kMoverRoutePlanning) == 0;
}

std::vector<std::uint16_t> KeptPieceList(const Fahrzeug& vehicle) {
    std::vector<std::uint16_t> pieces;
    for (int i = 0; i < vehicle.pieceCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        pieces.push_back(at < vehicle.pieces.size() ? vehicle.pieces[at] : kNoPontonPiece);
    }
    return pieces;
}

}  // namespace kv
