#pragma once
// The draw list: one entry for every map cell that a thing to draw covers, rebuilt after the ticks
// of every drawn frame. Sorted by row, layer and column, the order in which the world drawing
// visits the cells, and within a cell from back to front, so that the world drawing hands each
// cell's entries to RenderDrawListEntry in one forward sweep.

#include <array>
#include <cstdint>

namespace kv {

struct DrawListEntry {
    std::uint16_t column;
    std::uint16_t row;
    std::int16_t layer;  // the thing's storey; 0 for jets
    std::uint16_t id;    // the kind's range start plus the thing's index
    // 1 on the topmost covered row of a body, which draws everything of it above the cell too.
    std::uint8_t firstRow;
};

// The kinds, by the start of their id range.
inline constexpr std::uint16_t kDrawFahrzeug = 0;
inline constexpr std::uint16_t kDrawPerson = 5000;
inline constexpr std::uint16_t kDrawHouseObj = 10000;
inline constexpr std::uint16_t kDrawSonderObj = 15000;
inline constexpr std::uint16_t kDrawFahrzeugFrame = 20000;
inline constexpr std::uint16_t kDrawPersonFrame = 24000;
inline constexpr std::uint16_t kDrawFahrzeugJet = 28000;
inline constexpr std::uint16_t kDrawPersonJet = 30000;
// Column, row, layer and id of a slot past the filled part.
inline constexpr std::uint16_t kFreeDrawListSlot = 65535;

// A kind and the index of its thing.
struct DrawListThing {
    std::uint16_t kind;  // one of the range starts above
    int index;
};
// The kind of an id by its range; the index is the id minus the range start.
DrawListThing DrawListThingOf(std::uint16_t id);

// 150 units in the view need more than a thousand entries. A frame that would fill more keeps
// the first ones and drops the rest.
inline constexpr int kDrawListCapacity = 4096;
extern std::array<DrawListEntry, kDrawListCapacity> DrawList;
// The filled entries; readers stop here.
extern std::int16_t DrawListCount;

// Empties the list and fills it from the vehicles, persons, special objects and furniture in
// view, then marks the rest free and sorts the filled part.
void BuildDrawList();
// The builders, each in slot order, appending at DrawListCount.
void AddFahrzeugeToDrawList();
void AddPersonenToDrawList();
void AddSonderObjToDrawList();
void AddHouseObjToDrawList();

// An entry for every cell that the rectangle (world pixels, corners included, already cut to the
// view) covers, row by row; with firstRowFlags the entries of the top row carry the first-row
// flag.
void AddCoveredCells(int x0, int y0, int x1, int y1, std::int16_t layer, std::uint16_t id,
                     bool firstRowFlags);
// An entry for every cell that the straight line from (nx, ny) to (ax, ay) passes in the view,
// each time the line enters another cell.
void AddJetLine(int nx, int ny, int ax, int ay, std::uint16_t id);

// The sort order: -1 when a comes first, 1 when b does, 0 when neither. The list's sort breaks
// ties by list position, so that the same scene always draws the same frame.
int CompareDrawListEntries(const DrawListEntry& a, const DrawListEntry& b);

// An empty list with every slot free (mission end).
void ResetDrawList();

}  // namespace kv
