#pragma once
// Installing, taking down and the ladder basket: the ladder vehicle F106 puts up its ladder with a
// basket that carries persons along a house front, the pontoon layer F113 lays a chain of
// pontoon pieces at a pontoon point, and the tent vehicle F204 pitches a tent with four beds.

#include <cstdint>

#include "movement/befehl.h"

namespace kv {

struct Fahrzeug;

// Set up: the F106 at its point and facing (a, b, c; d the house it serves), the F113 at
// pontoon point a, the F204 where it stands facing 7.
void RunFahrzeugBefehl57(std::int16_t vehicle);
// Lower the basket, then send off whoever rides in it.
void RunFahrzeugBefehl58(std::int16_t vehicle);
// Raise the basket.
void RunFahrzeugBefehl59(std::int16_t vehicle);
// Move the basket to column a and position b, a step every 4 ticks.
void RunFahrzeugBefehl60(std::int16_t vehicle);
// Take down: the F106 sends off the basket's persons, the F113 takes its chain in, the F204
// strikes its tent.
void RunFahrzeugBefehl62(std::int16_t vehicle);
// The persons of house c on storey b + 2 are called into the basket at facade column a; stays at
// the head while the basket waits.
void RunFahrzeugBefehl63(std::int16_t vehicle);
// Person a steps from the basket into the house the basket serves.
void RunFahrzeugBefehl68(std::int16_t vehicle);

// The end of an animation: its last frame with the frame timer on the frame's last tick, as the
// vehicle update leaves them; the slot is that of the facing given. A still picture is at its
// end at once.
bool AtEndOfFahrzeugAnim(const Fahrzeug& vehicle, int anim, int facing);
// The start of an animation's cycle: frame 0 with the timer at 0.
bool AtStartOfFahrzeugCycle(const Fahrzeug& vehicle);

// Everyone riding in the vehicle's basket moves with it, sideways and up or down.
void MoveKanzelPersons(std::int16_t vehicle, float dx, float dheight);

// The clean-up of orders 57..60 and 62 when they leave the queue, however that happens: the
// looping motor they started stops, and what an unfinished set-up or take-down put on the map
// goes (the placeholders, the pieces laid or still out, the tent being pitched).
void CleanUpInstallBefehl(std::int16_t vehicle, const Befehl& order);

}  // namespace kv
