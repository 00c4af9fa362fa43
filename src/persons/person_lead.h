#pragma once
// Taking a person along: a leader steps up beside a person it may lead (order 161), the led person
// then walks where it is sent and its leader follows its trail (order 160) until the leader lets
// go (ReleaseLedPerson). The led person keeps its leader in its link and walks at the leader's
// pace; the leader keeps 1000 + the led person's index in its own link.

#include <cstdint>

#include "persons/person.h"

namespace kv {

// The leader of a led person (mover flag bit 4 and a link naming a person in use); null for any
// other person.
Person* LeaderOf(const Person& led);
// The person the leader leads; null unless its link is 1000 + the index of a person in use.
Person* LedBy(const Person& leader);
// The index of the person this one walks with, led or leading; -1 none.
std::int32_t WalkPartner(const Person& person);

// Pushes onto the led person's trail the points from its leader's position towards it, one step
// of the leader in the leader's direction at a time: at most the trail's length, and no further
// once a step gets nowhere.
void FillLeadTrail(const Person& leader, Person& led);

// A leader following the trail of the person it leads (head order 160) hands every order the
// player gives it to that person, the one in the order's a. `to` is null when a names no person
// in use: the order then goes to nobody.
struct OrderRedirect {
    bool follows = false;
    Person* to = nullptr;
};
OrderRedirect FollowTrailRedirect(const Person& person);

// Order 160: follow the trail of person a, a step behind where the leader would walk into it.
void RunPersonBefehl160(std::int16_t person);
// Order 161: the person takes person a along; it must stand 11 px from a on the side it faces
// a from (up, right, down or left), else its queue is cleared.
void RunPersonBefehl161(std::int16_t person);

// Ends a take-along. Both links go first, and the led person walks at its own pace again. With
// place set the leader then needs a free spot, where it stands or 12 px above, below, left or
// right of the led person; with none free the release ends there, the leader keeping its place
// and orders and the led person its form. Else the leader's queue is cleared, the led person
// waits 1000 ticks in its own form again (a rival or arrested person gets its controller back)
// and is deselected. Nothing unless led is led by leader.
void ReleaseLedPerson(std::int16_t led, std::int16_t leader, std::uint8_t place);

}  // namespace kv
