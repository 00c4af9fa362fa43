#include "core/mission_scratch.h"

namespace kv {

MissionScratchWords MissionScratch;

}  // namespace kv
