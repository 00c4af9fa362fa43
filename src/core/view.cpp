#include "core/view.h"

namespace kv {

ViewPoint ViewOrigin;

void ResetView() {
    ViewOrigin = {};
}

}  // namespace kv
