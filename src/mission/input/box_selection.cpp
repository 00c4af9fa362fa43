#include "mission/input/box_selection.h"

namespace kv {

void SelectInBox(const SelectionBox&) {}

}  // namespace kv
