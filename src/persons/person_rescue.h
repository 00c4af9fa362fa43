#pragma once
// What the rescue staff do with casualties: a medic treats or reanimates one, a fire-fighter picks
// one up, carries it and lays it down again, a stretcher team loads one onto its stretcher and
// unloads it. A carried or loaded casualty is off the map and keeps its coordinates; the helper's
// type shows the load (rescue_tables.h).
//
// Each handler takes the helper's index and reads its arguments from the head order: a the
// casualty (or the direction of a put-down), b and c where the casualty lay when the order was
// given (whole pixels). A casualty that has moved, gone or been taken off the map since is never
// acted on: the helper's whole queue is cleared. Handlers that wait for an animation go on once
// the animation set last has run through.

#include <cstdint>
#include <optional>

#include "persons/person.h"
#include "world/geometry.h"

namespace kv {

// The point where a rescuer facing that way kneels to lift the casualty, from where it lies and
// the box it lies in; none for a direction other than 1, 3, 7 and 9.
std::optional<Point16> KneelPoint(const Person& casualty, int direction);
// The point where a medic facing that way kneels to treat the patient; none likewise.
std::optional<Point16> TreatmentPoint(const Person& patient, int direction);

// Order 150: the medic at the treatment point of its direction kneels, then treats: the pair link
// each other and the patient heals until the medic leaves its treating animation.
void TreatPatient(std::int16_t medic);
// Order 202: at (b, c) facing left, beside a casualty that lies on a special object, the medic
// brings it back while it has been dead less than 2400 ticks and then heals it. Never ends by
// itself.
void ReanimatePatient(std::int16_t medic);
// Order 164: a fire-fighter (types 1..3) at the kneel point of its direction, or up to 30 px from
// the casualty, turns to it, kneels, lifts it off the map and becomes its carrier; a carrier only
// turns about. The casualty's medic stops and a special object it lay on is free again.
void PickUpCasualty(std::int16_t rescuer);
// Order 165: the carrier facing a (1, 3, 7, 9) lays its casualty down at (b, c), lying the other
// way round, if it fits there; else "Zu wenig Platz zum Ablegen!" and it keeps carrying.
void PutDownCasualty(std::int16_t carrier);
// Order 152: the empty stretcher team, up to 40 px from the casualty, loads it in one tick.
void LoadStretcher(std::int16_t bearer);
// Order 153: the loaded stretcher team facing a (1, 3, 7, 9) lays its patient 15 px to one side,
// or to the other when that side is blocked; blocked on both it keeps the patient.
void UnloadStretcher(std::int16_t bearer);

// The special object a casualty lies on lets go of it: the first whose bound person (its low 12
// bits) is the casualty.
void UntieFromSonderObj(std::int32_t person);

}  // namespace kv
