#include "mission/view.h"

namespace kv {

ViewPoint ViewOrigin;

}  // namespace kv
