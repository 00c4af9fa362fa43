#pragma once
// Buying on the base screens: the info texts and the purchase of the vehicle driven out. Still
// to come; the base screens call these already.

#include <cstdint>

namespace kv {

// Formats the info text of a vehicle type (kind 1) or person type (kind 4) into the base screen's
// info text. For now there is none.
void LoadInfoText(std::int16_t index, std::uint8_t kind);
// Buys the vehicle being driven out with its assigned crew. For now nothing is charged.
void CommitFahrzeugPurchase(std::int16_t vehicle);

}  // namespace kv
