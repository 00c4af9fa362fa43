#pragma once
// Vehicles in play on the generated sample data: the types load from it, the common special
// objects are there for the cannons' jet objects and the tents, and a few persons ride along.

#include <cstdint>
#include <optional>

#include "support/headless_test.h"

namespace kv::test {

class FahrzeugTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A vehicle of the type created and set up at (x, y); -1 when none could be created.
    static std::int16_t Make(std::int32_t type, std::uint8_t owner = 1, std::int16_t x = 600,
                             std::int16_t y = 500, std::int32_t facing = 3);
    // A person of the type in the first free slot, standing on the map.
    static std::int16_t MakePerson(std::int8_t type, std::int32_t energy = 1000000);
    // A person of the type in the vehicle's next free seat.
    static std::int16_t Seat(std::int16_t vehicle, std::int8_t type, std::int32_t energy = 1000000);
    // Runs the vehicle update that many times.
    static void Ticks(int n);
    // Empty person, vehicle and special-object arrays again (the common object types loaded), as
    // at the start: for the next case of a table.
    static void FreshUnitArrays();

  private:
    std::optional<WorkingDirectory> cwd_;
};

}  // namespace kv::test
