#include "persons/gaffer_ziele.h"

namespace kv {

std::vector<GafferZiel> GafferZiele;

bool GetGafferZiel(std::int64_t index, GafferZiel& out) {
    if (index < 0 || index >= static_cast<std::int64_t>(GafferZiele.size())) return false;
    out = GafferZiele[static_cast<std::size_t>(index)];
    return true;
}

void FreeGafferZiele() {
    GafferZiele = {};
}

}  // namespace kv
