#pragma once
// Poison gas over a block of map cells: whoever stands in it unprotected slowly takes
// contamination.

namespace kv {

// Map columns left..right and rows top..bottom, both ends included.
struct CellArea {
    int left;
    int top;
    int right;
    int bottom;
};

// One tick of the gas over the area, for every person in use standing on the map (present, not
// inside a house) whose cell lies in it, in index order. A person not yet contaminated gains
// exposure by its type: the protective-suit family never, fire fighters (type 1) and the crews of
// types 8..20 one tick in twenty (a random draw each), everybody else every tick; at full
// exposure it is contaminated (kind 1) and its exposure starts again from 0. Returns how many of
// the persons in the area are the player's units: no casualty, no controller.
int ExposePersonsInArea(const CellArea& area);

}  // namespace kv
