#pragma once
// A plain map built in memory, shared by the person benchmarks and the tests of the person and
// vehicle arrays: every cell grass, and a terrain table whose ground is open to every movement
// class. Also the map limits of whatever map is loaded, for every test and benchmark that loads
// one.

namespace kv::plainmap {

// A width x height map of plain ground cells open to every movement class, with WorldMaxX and
// WorldMaxY to match.
void PlainMap(int width, int height);

// The largest world x and y of the loaded map: 32 W - 16 H - 1 and 28 H - 1, as the mission start
// sets them.
void SetWorldMaxFromMap();

}  // namespace kv::plainmap
