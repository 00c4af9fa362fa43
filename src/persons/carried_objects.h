#pragma once
// The few objects fire fighters carry: a generic object (a type-14 person), a tyre (type 45) and
// the lifebuoy ring (type 46). The carried object is the person's `link`. Each handler takes the
// person's index and reads its arguments from the head order; a wrong spot, a wrong facing or an
// object that is gone ends the person's whole queue.

#include <cstdint>

namespace kv {

// Order 179: a = the object, d the type it must have besides 9. From the spot its facing (1, 3, 7
// or 9) gives, the person stoops, takes the object off the map at frame 14 and ends the order
// when the stooping is over. The order keeps the taking in its flags for its clean-up.
void PickUpObject(std::int16_t person);
// Order 180: a = the facing the person must have. A type-9 object is put down in front of the
// person where there is room, and the person turns round; else "Zu wenig Platz zum Ablegen!".
void PutDownObject(std::int16_t person);

// Order 185: a = the tyre, b its type. The tyre within 10 px of the person's box is taken up.
void PickUpReifen(std::int16_t person);
// The command that puts a carried tyre down in front of the person, where there is room; the
// person's orders go either way.
void PutDownReifen(std::int16_t person);
// A hurt tyre carrier lets the tyre fall where it would put it down, room or not, before its type
// changes.
void DropReifen(std::int16_t person);

// The lifebuoy ring. 200: a = the ring holder; from the spot before it (facing 0) or behind it
// (facing 6) the person takes the ring. 207: a = the ring holder; from the spot before it the
// ring is thrown and the holder shows one again. 219 and 220: at exactly (a, b) the person takes
// a ring up or puts it down.
void PickUpRing(std::int16_t person);
void ThrowRing(std::int16_t person);
void TakeRingAtPoint(std::int16_t person);
void PutRingAtPoint(std::int16_t person);

}  // namespace kv
