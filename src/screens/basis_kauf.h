#pragma once
// Buying on the base screens: choosing a vehicle, assigning staff to it, the info texts and the
// purchase of the vehicle driven out. The station screen calls these. Refusals go to the message
// line; nothing is paid before the purchase.

#include <cstdint>

namespace kv {

// Whether a vehicle of this type may be chosen: the command-centre rule.
bool CanBuyFahrzeug(std::int16_t type);
// Whether the person stands in the list of staff assigned to the chosen vehicle.
bool IsPersonAssigned(std::uint16_t person);
// A left click in the staff room or the hall of a station, on what the hover probe found.
void BasisPurchaseClick();
// Chooses the vehicle at a place of the open base: the command-centre rule, its price against the
// money, then the preview and fresh staff.
void ChooseBasisFahrzeug(std::int16_t place);
// Assigns a person to the chosen vehicle, after the staff checks: none without a chosen vehicle
// or while the person has orders; suitable, a seat left (six at most), affordable, not listed
// yet. The helicopter base uses it too.
void AssignBasisStaff(std::uint16_t person);
// Formats the info text of a vehicle type (kind 1: price, seats) or person type (kind 4: price)
// from "data\d\info\<code>.dat" into the base screen's info text; empty without a file.
void LoadInfoText(std::int16_t index, std::uint8_t kind);
// Buys the vehicle being driven out with its assigned crew: sets it on its base's map road, pays
// for it and its crew, and seats the crew in list order. Nothing for a slot not in use.
void CommitFahrzeugPurchase(std::int16_t vehicle);

}  // namespace kv
