#pragma once
// The person array of a mission: every human figure, from the player's staff to casualties,
// onlookers and persons in distress. A slot is free while its type is -1. The mission's person
// set-up sizes the array and creates its persons; the array lives until the mission ends.

#include <cstdint>
#include <vector>

#include "gfx/image_files.h"
#include "persons/person.h"
#include "persons/person_types.h"

namespace kv {

// Set by the mission's person set-up before it calls AllocPersonen.
extern std::int16_t PersonCount;
extern std::vector<Person> Personen;
// Drawn over contaminated persons; frame by contamination kind.
extern VffImage* KontaminiertImage;

struct SavedPosition {
    float x = 0;
    float y = 0;
};
extern SavedPosition SavedPersonPos;

// The person of an index; null outside the array.
Person* PersonAt(std::int32_t index);
// The same for a slot in use; null for a free slot too.
Person* UsedPersonAt(std::int32_t index);
// The person an order handler works on: in use and holding orders; null otherwise.
Person* RunningPerson(std::int32_t index);
// The person a follow order may still aim at from the storey: in use, present, on the map, on
// that storey and no casualty. With refuseBurning a burning person is refused too, and so is one
// whose type lies outside the table.
Person* FollowablePerson(std::int32_t index, std::int8_t storey, bool refuseBurning);
// The type record of a person in use.
const PersonTyp& PersonTypOf(const Person& person);
// The draw corner: the position minus the hot spot of the current animation, truncated toward
// zero.
void UpdatePersonDrawPos(Person& person);
// Whether the person stands exactly on the whole-pixel point, its position truncated.
bool PersonStandsAt(const Person& person, std::int32_t x, std::int32_t y);
// The moment the person's animation starts over: frame and frame timer both 0.
inline bool AtCycleStart(const Person& person) {
    return person.frame == 0 && person.frameTimer == 0;
}

// PersonCount slots with the free defaults; the person view reaches them.
void AllocPersonen();
// Mission end: every person's sound, attachment and orders, then the array; the types that a
// mission loads and the contamination marker.
void FreePersonen();
// The first free slot, or -1 when the array is full.
std::int16_t FindFreePerson();
// What every creator writes first into the free slot it took: the type, and the place at height
// 0 on the storey.
Person& PlacePerson(std::int16_t index, std::int8_t type, float x, float y, std::int8_t storey);
// A created person that stands up unhurt: present and on the map, not selectable, no casualty,
// full energy that does not drain.
void SetStandingUnhurt(Person& p);

// Whether a person may be created at (x, y) on that storey: the map cell must be plain ground
// for storey 0 (and below), a cell of a placed house for storey 1 and up. house receives that
// house, or 0xFFFF.
bool PersonCellFits(std::int16_t x, std::int16_t y, std::int8_t storey, std::uint16_t& house);

// The first free slot, given the type, the place and the direction; -1 when none is free or the
// cell under the point does not fit the storey. Upstairs the person is in the house of its cell;
// without testGround a point on the ground is not tested.
std::int16_t PlaceNewPerson(std::int8_t type, std::int16_t x, std::int16_t y, std::int8_t storey,
                            std::uint8_t direction, bool testGround = true);

// A new casualty, or -1 when the array is full or the cell does not fit the storey.
std::int16_t CreateVerletzter(std::int8_t type, std::int16_t x, std::int16_t y, std::int8_t storey,
                              std::uint8_t direction, std::int32_t energy, std::uint16_t energyLoss,
                              std::int16_t energyGain, std::uint8_t contamination);

// A new thrower (type 32, controller flags 1 + 4) standing at the point; -1 when the array is
// full or the cell does not fit the storey. Reset at once when its type is loaded; the mission's
// person set-up loads and resets it otherwise.
std::int16_t CreatePersonAt(std::int16_t x, std::int16_t y, std::int8_t storey,
                            std::uint8_t direction);

// The person's idle state: its animation by kind, no links, no orders (freed without their
// clean-ups, with its path search, turning record and route), planning from where it stands.
void ResetPerson(std::int16_t index);
// The person takes another type; when it is the selected person, the selection mode names the new
// type.
void ChangePersonTyp(std::int16_t index, std::int8_t type);
// Switches the animation slot and restarts it; the standing animation starts after a random
// pause. A treating medic lets go of its patient.
void SetPersonAnim(std::int16_t index, std::uint16_t slot);
// Moves a person out of whatever it overlaps, step by step outwards in the directions the mask
// allows (bit 0 +x, 1 +y, 2 -x, 3 -y). 0 when it stands free; else the last collision kind, the
// person back where it started.
std::uint8_t PushPersonFree(std::int16_t index, std::uint8_t mask);
void SavePersonPos(std::int16_t index);
void RestorePersonPos(std::int16_t index);

// The one way to take a person off the map for good. First whatever names it lets go: a leader or
// led person is released where it stands, a carrier of it puts down its load and is its base type
// again, and the links of partners and medics, the fight partner of a fighter, vehicle seats, the
// decontamination vehicle it sits in and the special object it lies on name nobody. Then its sound
// stops, its attachment and orders go without clean-ups, it is deselected, and the slot gets the
// free defaults. A free slot or an index outside the array is left alone.
void DeletePerson(std::int32_t index);

// Mission start: the mission's person set-up, then every person's type loaded and the person
// reset, lying casualties registered as objects, and the contamination marker. False after a
// fatal error.
bool InitPersonen(int mission);

}  // namespace kv
