#include "mission/mission_number.h"

namespace kv {

std::uint8_t MissionNummer = 0;

}  // namespace kv
