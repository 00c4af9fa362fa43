#include "missions/gas_exposure.h"

#include <cstdint>

#include "core/random.h"
#include "persons/kontamination.h"
#include "persons/person.h"
#include "persons/personen.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv {

namespace {

constexpr std::int8_t kFireFighterTyp = 1;
constexpr std::int8_t kFirstCrewTyp = 8;
constexpr std::int8_t kLastCrewTyp = 20;
constexpr int kCrewChance = 20;
constexpr std::uint8_t kGasContamination = 1;

bool InArea(const CellArea& area, const CellPos& c) {
    return c.column >= area.left && c.column <= area.right && c.row >= area.top &&
           c.row <= area.bottom;
}

// Whether this tick's gas reaches the person through what it wears.
bool Breathes(std::int8_t type) {
    if (KontaminationProof(type)) return false;
    if (type == kFireFighterTyp || (type >= kFirstCrewTyp && type <= kLastCrewTyp))
        return Rand() % kCrewChance == 0;
    return true;
}

}  // namespace

int ExposePersonsInArea(const CellArea& area) {
    int units = 0;
    for (Person& p : Personen) {
        // A door double stands in for a person in the doorway, who is counted and exposed once.
        if (p.type == -1 || p.offMap != 0 || p.present == 0 || p.house != 0xFFFF || IsDoorDouble(p))
            continue;
        if (!InArea(area, CellFromPixel(TruncInt(p.x), TruncInt(p.y)))) continue;
        if (p.casualty == 0 && (p.controlFlags & kPersonController) == 0) ++units;
        if (p.contamination != 0 || !Breathes(p.type)) continue;
        if (++p.exposure < kKontaminiertExposure) continue;
        p.contamination = kGasContamination;
        p.exposure = 0;
    }
    return units;
}

}  // namespace kv
