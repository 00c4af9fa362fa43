#include "mission/selection.h"

namespace kv {

std::uint8_t DragActive = 0;

void ResetSelection() {
    DragActive = 0;
}

}  // namespace kv
