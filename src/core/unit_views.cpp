#include "core/unit_views.h"

namespace kv {

UnitArray PersonUnits;
UnitArray FahrzeugUnits;
SonderObjArray SonderObjPlaces;

void ResetUnitViews() {
    PersonUnits = {};
    FahrzeugUnits = {};
    SonderObjPlaces = {};
}

}  // namespace kv
