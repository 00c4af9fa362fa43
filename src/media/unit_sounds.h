#pragma once
// The sounds of units that come in several copies or variants: screams of persons, helicopters
// and sirens.

namespace kv {

// A scream of the person's voice: id 38, 39, 40 or 41 shifted by 4 x its type's sound group. 38,
// the burning scream, always plays; 39 cuts off the person's own 40 and 41; 40 waits for its 39
// and cuts off its 41; 41 waits for both.
void PlayPersonSound(int person, int id);
// The first helicopter copy (73..75) that is not playing; the fourth helicopter plays nothing new.
void PlayHeliSound(int vehicle, int loop);
// The first of the sirens 77..79 that is not playing, else 80.
void PlaySirenSound(int vehicle, int loop);

}  // namespace kv
