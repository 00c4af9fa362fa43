#include "mission/view/world_stand_in.h"

#include <cstdint>

#include "core/view.h"
#include "mission/view/draw_entries.h"
#include "mission/view/draw_list.h"
#include "mission/view/hover_probe.h"

namespace kv::test {

void DrawEveryEntry() {
    ResetHoverProbe();
    for (std::int16_t i = 0; i < DrawListCount; ++i) {
        const DrawListEntry& e = DrawList[static_cast<std::size_t>(i)];
        RenderDrawListEntry(
            static_cast<std::int16_t>(32 * e.column - 16 * e.row - 16 - ViewOrigin.x),
            static_cast<std::int16_t>(28 * e.row - ViewOrigin.y), i);
    }
    RestoreHoverPixel();
}

}  // namespace kv::test
