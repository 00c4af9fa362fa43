#pragma once
// The per-tick update of every person: casualties bleed and die, the behaviour controllers and
// the evade step run, the contaminated poison their neighbours and themselves, medics heal,
// persons in distress are lost at their deadline, animations advance, and the head order runs.

namespace kv {

struct Person;

// One tick for all persons, in slot order. A well person found with no energy left is laid down
// as a casualty, and the persons after it wait for the next tick.
void UpdatePersonen();

// A casualty's energy has fallen below 1: it lies dead from now on, and is counted once.
void CountDeath(Person& p);

}  // namespace kv
