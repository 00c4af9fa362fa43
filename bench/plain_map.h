#pragma once
// A plain map built in memory, shared by the person benchmarks and the tests of the person and
// vehicle arrays: every cell grass, and a terrain table whose ground is open to every movement
// class.

namespace kv::plainmap {

// A width x height map of plain ground cells open to every movement class, with WorldMaxX and
// WorldMaxY to match.
void PlainMap(int width, int height);

}  // namespace kv::plainmap
