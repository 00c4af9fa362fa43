#pragma once
// What the clicks on vehicles, persons, special objects and houses look up alike: the ladder
// basket a person stands in, whether a ladder stands raised, and the points where a carrier takes
// a thing up.

#include <cstdint>

#include "persons/person.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/fahrzeug.h"
#include "world/houses.h"

namespace kv {

// The phrases the clicks play, by their number in a speaker's set; -1 is silent.
inline constexpr std::int32_t kSilentOrder = -1;
inline constexpr std::int32_t kPhraseFlyThere = 3;
inline constexpr std::int32_t kPhraseVehicleChosen = 6;
inline constexpr std::int32_t kPhraseDriveThere = 7;
inline constexpr std::int32_t kPhrasePersonChosen = 9;
inline constexpr std::int32_t kPhraseOnMyWay = 10;
inline constexpr std::int32_t kPhraseMoving = 14;
inline constexpr std::int32_t kPhraseGoing = 15;
inline constexpr std::int32_t kPhraseComing = 16;
inline constexpr std::int32_t kPhraseUnderstood = 17;

// The placed house the person is in; null outside, and for a house field that names no placed
// house.
const House* HouseOf(const Person& p);
// The ladder vehicle F106 in whose basket the person stands; null when its basket field names no
// such vehicle in use.
Fahrzeug* BasketLadder(const Person& p);
// An F106 with its ladder raised (animation 3 or 13); one without a basket record never is.
bool LadderSetUp(const Fahrzeug& v);

// The storey of the house a water cannon aims at for a mouse at world y: one storey to every
// 31 px above the front line, counted from 0, a mouse less than a storey below the line giving 0
// too. -1 above the top storey, and a whole storey or more below the line.
int CannonStoreyAt(const House& h, const HouseTyp& t, int mouseWorldY);

// The carrier (the crane F110 or the empty trailer F119) drives to whichever pick-up point of the
// thing it reaches first, then takes the thing up with the order (a, b). Nothing when the thing
// has no pick-up point for that carrier.
void SendCarrier(Fahrzeug& carrier, PickUpThing thing, std::uint8_t opcode, std::int32_t a,
                 std::int32_t b);

}  // namespace kv
