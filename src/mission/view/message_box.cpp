#include "mission/view/message_box.h"

namespace kv {

// Both draw nothing yet: they come with the drawing of the mission screen.
void DrawMessageBox() {}

void DrawMessageLine() {}

}  // namespace kv
