#include "mission/command_slots.h"

namespace kv {

std::array<CommandSlot, kCommandSlotCount> CommandSlots{};
SideButton MapButton;
SideButton OptionsButton;

void ResetCommandSlots() {
    for (CommandSlot& slot : CommandSlots) {
        slot.pressed = 0;
        slot.command = kNoCommand;
    }
    MapButton.pressed = 0;
    OptionsButton.pressed = 0;
}

}  // namespace kv
