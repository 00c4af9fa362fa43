#pragma once
// The drawers' tests draw without a map: every draw-list entry at its cell in list order, whatever
// its layer, with the hover probe around them.

namespace kv::test {

// Into the current draw target.
void DrawEveryEntry();

}  // namespace kv::test
