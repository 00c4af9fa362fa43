#include "persons/person_fixture.h"

#include "persons/person_types.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv::test {

void PersonTest::SetUp() {
    HeadlessTest::SetUp();
    PlainMap(40, 30);
}

void PersonTest::alloc(int count) {
    PersonCount = static_cast<std::int16_t>(count);
    AllocPersonen();
}

std::int16_t PersonTest::place(int type, float x, float y, int direction) {
    LoadPersonTyp(static_cast<std::int16_t>(type));
    const std::int16_t i = FindFreePerson();
    Person& p = person(i);
    p.type = static_cast<std::int8_t>(type);
    p.x = x;
    p.y = y;
    p.direction = static_cast<std::int8_t>(direction);
    ResetPerson(i);
    return i;
}

}  // namespace kv::test
