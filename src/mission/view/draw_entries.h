#pragma once
// Drawing the draw list's entries: each entry draws the piece of its thing that belongs to one map
// cell, cut to the cell's 48 x 28 box (and to the view), and then runs the hover probe. The
// topmost row of a body draws everything of it above the cell as a plain copy; the rows below draw
// only the cell's own pixels, through the piece mask, so that a nearer thing drawn in between is
// not painted over.

#include <cstdint>

namespace kv {

// Draws entry DrawList[position] for the cell whose box has its top-left at (cellX, cellY) on the
// screen, then probes: bodies are pickable; selection frames, jets and see-through or small
// special objects put the probe pixel back. A position past DrawListCount, or an id whose index
// lies outside its array, draws nothing.
void RenderDrawListEntry(std::int16_t cellX, std::int16_t cellY, std::int16_t position);

// The drawers, by kind; RenderDrawListEntry picks one by the entry's id.
void DrawFahrzeugEntry(int cellX, int cellY, int slot, std::uint8_t firstRow);
void DrawPersonEntry(int cellX, int cellY, int slot, int layer, std::uint8_t firstRow);
void DrawHouseObjEntry(int cellX, int cellY, int slot, int layer, std::uint8_t firstRow);
void DrawSonderObjEntry(int cellX, int cellY, int slot, int layer, std::uint8_t firstRow);
// The double line around a selected unit's box, as far as it lies in the cell's 48 columns.
void DrawFahrzeugSelectionFrame(int cellX, int cellY, int slot);
void DrawPersonSelectionFrame(int cellX, int cellY, int slot, int layer);

}  // namespace kv
