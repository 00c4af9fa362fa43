#pragma once
// Equipment that persons take from vehicles, hydrants and hoses.

#include <cstdint>

namespace kv {

// A person holding a connected hose lets it go and goes back to holding an unconnected one. Does
// nothing yet: it comes with the equipment and hoses.
void DropHose(std::int16_t person);
// A person carrying a tyre puts it down beside itself, or says there is no room. Does nothing
// yet: it comes with the equipment and hoses.
void PutDownReifen(std::int16_t person);
// The person walks to the hydrant (a special object) and connects its hose there. Does nothing
// yet: it comes with the equipment and hoses.
void WalkPersonToHydrant(std::int16_t person, std::int16_t hydrant);

}  // namespace kv
