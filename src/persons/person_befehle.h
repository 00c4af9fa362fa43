#pragma once
// The person order interpreter: once per tick it runs the handler of the person's head order and
// then brings the person's draw corner up to date. One table of 256 person handlers stands beside
// the queue's opcode table (movement/befehl_opcodes.h); the orders that only code above the
// persons can carry out (the missions' own steps, entering a base) go through a hook table that
// the program fills.

#include <array>
#include <cstdint>

#include "movement/befehl_opcodes.h"

namespace kv {

using PersonBefehlHandler = void (*)(std::int16_t person);

// Handlers that live above the persons, one member per handler, named as the handler. An empty
// member holds its order at the head, as an opcode without a handler does.
struct PersonBefehlHooks {
    PersonBefehlHandler RunPersonBefehlEnterBasis = nullptr;  // 163: become base staff
    PersonBefehlHandler RunPersonBefehl186M03 = nullptr;
    PersonBefehlHandler RunPersonBefehl193M10 = nullptr;
    PersonBefehlHandler RunPersonBefehl197M12 = nullptr;
    PersonBefehlHandler RunPersonBefehl203M06 = nullptr;
    PersonBefehlHandler RunPersonBefehl212M10 = nullptr;
    PersonBefehlHandler RunPersonBefehl213M10 = nullptr;
    PersonBefehlHandler RunPersonBefehl214M10 = nullptr;
    PersonBefehlHandler RunPersonBefehl215M10 = nullptr;
    PersonBefehlHandler RunPersonBefehl216M10 = nullptr;
    PersonBefehlHandler RunPersonBefehl217M26 = nullptr;
    PersonBefehlHandler RunPersonBefehl218M04 = nullptr;
    PersonBefehlHandler RunPersonBefehl222M17 = nullptr;
    PersonBefehlHandler RunPersonBefehl224M21 = nullptr;
    PersonBefehlHandler RunPersonBefehl225M21 = nullptr;
    PersonBefehlHandler RunPersonBefehl226M21 = nullptr;
    PersonBefehlHandler RunPersonBefehl227M21 = nullptr;
};

// The program installs its hooks once at start-up; null (the program reset) empties them all.
void SetPersonBefehlHooks(const PersonBefehlHooks* hooks);

// Per opcode the handler the interpreter runs; null where the order holds. Rows stay null for the
// orders whose handlers are still to come.
extern const std::array<PersonBefehlHandler, kBefehlOpcodeCount> PersonBefehlHandlers;

// Runs the handler of the person's head order, updates the person's zone after the movement
// orders when the mission has zones, and last the draw corner if the slot is still in use.
// Nothing at all for an empty queue, a free slot or an index outside the array. An order without
// a person handler stays at the head.
void ExecutePersonBefehl(std::int16_t index);

// Runs the person's next order at once, within this tick, unless too many runs of this person
// are nested already; then the head order waits for the next tick.
void RunPersonBefehlAgain(std::int16_t index);

}  // namespace kv
