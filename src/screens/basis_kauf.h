#pragma once
// Buying on the base screens: choosing a vehicle, assigning staff to it, the info texts and the
// purchase of the vehicle driven out. The station screen calls these; the rules are still to
// come.

#include <cstdint>

namespace kv {

// Whether a vehicle of this type may be chosen: the command-centre rule.
bool CanBuyFahrzeug(std::int16_t type);
// Whether the person stands in the list of staff assigned to the chosen vehicle.
bool IsPersonAssigned(std::uint16_t person);
// A left click in the staff room or the hall of a station, on what the hover probe found.
void BasisPurchaseClick();
// Chooses the vehicle at a place of the open base.
void ChooseBasisFahrzeug(std::int16_t place);
// Assigns a person to the chosen vehicle, after the staff checks.
void AssignBasisStaff(std::uint16_t person);
// Formats the info text of a vehicle type (kind 1) or person type (kind 4) into the base screen's
// info text.
void LoadInfoText(std::int16_t index, std::uint8_t kind);
// Buys the vehicle being driven out with its assigned crew.
void CommitFahrzeugPurchase(std::int16_t vehicle);

}  // namespace kv
