#pragma once
// The click on mission 1's map with units of the sample types: a test sets the selection, the
// mouse and what the last frame recorded under it (as for the cursor), presses and releases in the
// world view, and reads the queues and the sounds played.

#include <cstdint>
#include <vector>

#include "mission/input/cursor_fixture.h"
#include "movement/unit_type.h"

namespace kv::test {

class ClickTest : public CursorTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A press at one world point and the release at another, as the window procedure hands them
    // over: the release in screen pixels.
    static void Drag(int pressX, int pressY, int releaseX, int releaseY);
    // Press and release at one world point.
    static void ClickAt(int x, int y) { Drag(x, y, x, y); }

    // The sound slots played so far, and none from now on.
    std::vector<int> played() const;
    void quiet();
    // The slot of a phrase of the type's speaker.
    static int Phrase(const UnitTypHead& type, int phrase);
};

}  // namespace kv::test
