#pragma once
// Tests of the person array: the generated sample data as the working directory (person types
// and the contamination marker load from it) and a plain map of grass with its limits set.

#include <cstdint>

#include "persons/personen.h"
#include "plain_map.h"
#include "support/headless_test.h"

namespace kv::test {

using plainmap::PlainMap;

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
