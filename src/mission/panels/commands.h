#pragma once
// The command buttons fire here: a pressed button runs its command on the third frame after the
// press, and the map and options buttons open their screens. A command gives the selected vehicle
// or person its orders.

#include <cstdint>
#include <string_view>

namespace kv {

// First in every mission frame: counts the pressed buttons on and fires those that reach their
// third frame. 0 when the map or options button opened another screen, which ends the frame.
int RunCommandSlots();

// Command 0..21 for the unit at SelectedIndex. Any command but 65535 clicks first. A command
// whose unit is no longer selected (a right click, a vehicle burnt out since the press) does no
// more than click.
void ExecuteCommand(std::uint16_t command);

// A button's label ('|' starts its second line). On the order panel and the base screens the
// three buttons carry those screens' own labels; elsewhere the command's label. Empty for a
// command without one.
std::string_view GetCommandLabel(std::uint16_t id);
// The same for the screen of a game mode, whatever screen is over it: a base's panel under the
// options keeps the base's labels.
std::string_view GetCommandLabel(std::uint16_t id, std::uint32_t mode);

// The direction a unit facing that way puts things down in; 1 for a facing outside 0..11.
std::uint8_t PutDownDirection(int facing);

}  // namespace kv
