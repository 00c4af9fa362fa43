#pragma once
// The three command buttons under the world view and the two side buttons beside it (map and
// options), as a press leaves them: the control panel sets each slot's command every frame, a
// press starts a button's frame count, and the frame that counts it to 3 fires the button.

#include <array>
#include <cstdint>

namespace kv {

// A slot without a command.
inline constexpr std::uint16_t kNoCommand = 65535;

struct CommandSlot {
    std::uint8_t pressed = 0;
    std::uint16_t command = kNoCommand;  // 0..21
    std::uint16_t frameCounter = 0;      // read as signed
};
struct SideButton {
    std::uint8_t pressed = 0;
    std::uint16_t frameCounter = 0;
};

inline constexpr int kCommandSlotCount = 3;
extern std::array<CommandSlot, kCommandSlotCount> CommandSlots;
extern SideButton MapButton;
extern SideButton OptionsButton;

// Every slot unpressed without a command, both side buttons unpressed.
void ResetCommandSlots();

// A press starts the button's count.
template <class Button>
void PressButton(Button& button) {
    button.pressed = 1;
    button.frameCounter = 0;
}

}  // namespace kv
