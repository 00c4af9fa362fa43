#pragma once
// A unit's order queue: whatever gives a unit something to do replaces, appends to or pushes
// onto it, and the unit's interpreter runs the head order once per tick until its handler pops
// it. Persons and vehicles share the head these operations touch.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/unit_type.h"

namespace kv {

// Set to 1 whenever a unit runs opcode 10; the mission scripts read and reset it.
extern std::uint8_t ClearBefehleSignal;

// Appends an order built from integers: the opcode's form (movement/befehl_opcodes.h) decides
// which arguments become floats. Opcode 0 on an empty queue starts planning where the unit stands.
void AppendBefehl(UnitHead& unit, std::uint8_t opcode, std::int32_t a, std::int32_t b,
                  std::int32_t c, std::int32_t d, std::uint32_t e, std::uint8_t flags = 0,
                  std::int8_t extra = -1);
// An order that owns a list: the goal points of 2 and 5, the two entries of 55 and 178. b is the
// list's size, a stays 0.
void AppendBefehl(UnitHead& unit, std::uint8_t opcode, GoalList goals, std::int32_t c,
                  std::int32_t d, std::uint32_t e, std::uint8_t flags = 0, std::int8_t extra = -1);
// The typed forms keep the given values unchanged.
void AppendMoveBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                      std::uint32_t e, std::uint8_t flags = 0, std::int8_t extra = -1);
void AppendTurnBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, std::int32_t c,
                      std::int32_t d, std::uint32_t e, std::uint8_t flags = 0,
                      std::int8_t extra = -1);
void AppendBefehl54(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                    std::uint32_t e, std::uint8_t flags, std::int8_t extra, float finalX,
                    float finalY);

// An order as it was stored (a loaded game): its words and lists as they are, nothing converted
// and no planning started, so the queue reads back exactly as it was saved.
void AppendBefehl(UnitHead& unit, Befehl order);

// The same orders as the new head. Pushing always empties the shortcut window and the step
// marker, also onto an empty queue.
void PushBefehl(UnitHead& unit, std::uint8_t opcode, std::int32_t a, std::int32_t b, std::int32_t c,
                std::int32_t d, std::uint32_t e, std::uint8_t flags = 0, std::int8_t extra = -1);
void PushBefehl(UnitHead& unit, std::uint8_t opcode, GoalList goals, std::int32_t c, std::int32_t d,
                std::uint32_t e, std::uint8_t flags = 0, std::int8_t extra = -1);
void PushMoveBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                    std::uint32_t e, std::uint8_t flags = 0, std::int8_t extra = -1);
void PushTurnBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, std::int32_t c,
                    std::int32_t d, std::uint32_t e, std::uint8_t flags = 0,
                    std::int8_t extra = -1);
void PushBefehl54(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                  std::uint32_t e, std::uint8_t flags, std::int8_t extra, float finalX,
                  float finalY);

// Replaces the whole queue by one order (flags 0, extra -1), puts the unit back to standing where
// its kind and state allow, and lets it acknowledge with phrase voice of its type's speaker
// (voice -1: silent) while unit speech is on.
void SetBefehl(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t voice,
               std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::uint32_t e);
void SetBefehl(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t voice,
               GoalList goals, std::int32_t c, std::int32_t d, std::uint32_t e);

// Removes the head order with its clean-up. The order is unlinked first, so a clean-up that
// deletes the unit itself leaves nothing to free twice.
void PopBefehl(UnitHead& unit);
// Pops every order (each with its clean-up) and drops all planning state; the position is cut to
// whole pixels.
void ClearBefehle(UnitHead& unit);
// Frees every order without clean-ups, with the path search, turning record and route: for a
// unit whose slot is reset or deleted.
void DiscardBefehle(UnitHead& unit);

// Pops head orders that are passed waypoints or callback markers.
void DropDoneMoveBefehle(UnitHead& unit);
// Pops the passed legs of a planned road route.
void DropDoneRouteBefehle(UnitHead& unit);
// Pops every movement order at the head.
void DropMoveBefehle(UnitHead& unit);
// Unlinks and frees the orders strictly between from and to, without clean-ups; when to does not
// follow from, up to the tail.
void FreeBefehleUntil(Befehl* from, Befehl* to);

// At the end of a move: fires the callback marker standing second in the queue, or turns a head
// order 12 into a fresh move to its point.
void RunBefehlCallback(UnitHead& unit, std::int32_t index);

// The opcode of the head order; -1 for an empty queue.
int HeadBefehlOpcode(const UnitHead& unit);

// Opcode 10, for both interpreters: the whole queue goes and the scripts are told.
void RunBefehl10(UnitHead& unit);

// Mission end: the signal back to 0.
void ResetBefehlQueue();

}  // namespace kv
