#pragma once
// Tests of the person array: the generated sample data as the working directory (person types
// and the contamination marker load from it) and a plain map of grass with its limits set.

#include <cstdint>

#include "persons/personen.h"
#include "support/headless_test.h"

namespace kv::test {

// A width x height map of plain ground cells open to every movement class, with WorldMaxX and
// WorldMaxY to match.
void PlainMap(int width, int height);

class PersonTest : public HeadlessTest {
  protected:
    void SetUp() override;

    // count free slots.
    void alloc(int count);
    Person& person(int i) { return Personen[static_cast<std::size_t>(i)]; }
    // A standing person of a loaded type at (x, y), reset.
    std::int16_t place(int type, float x, float y, int direction = 0);

  private:
    WorkingDirectory data_{KV_SAMPLEDATA_DIR};
};

}  // namespace kv::test
