#include "missions/mission_persons.h"

#include "persons/gaffer.h"
#include "persons/personen.h"

namespace kv {

void PlaceGaffers(std::span<const MissionGaffer> rows, std::int8_t storey) {
    for (const MissionGaffer& g : rows) CreateGaffer(g.type, g.x, g.y, storey, g.direction, 0);
}

std::int16_t PlaceCasualty(const MissionCasualty& row, std::int16_t heal) {
    return CreateVerletzter(row.type, row.x, row.y, row.storey, row.direction, row.energy, row.loss,
                            heal, 0);
}

}  // namespace kv
