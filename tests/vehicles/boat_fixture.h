#pragma once
// Boats on mission 1's generated map: its pond (water 1000..1170 x 760..950) takes an F116. The
// mission's row defines two boat points on the shore: the active one north of the pond, where a
// carrier facing the water (south) launches its boat 110 px ahead into it, with room to turn on
// the point; and an inactive one south of the pond.

#include <cstdint>
#include <vector>

#include "vehicles/boot_punkte.h"
#include "vehicles/move_fixture.h"

namespace kv::test {

inline constexpr BootPunkt kShorePoint{1085, 690, 0, 110, 60, 40, 6, 1};
inline constexpr BootPunkt kIdlePoint{1085, 1000, 0, -110, 60, -40, 0, 0};
// Where the active point's boat floats.
inline constexpr float kBoatX = 1085.0f;
inline constexpr float kBoatY = 800.0f;

// The mission's definer of its boat points.
void InitShoreBootPunkte();

class BoatTest : public MoveTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A bought vehicle of the type set up at (x, y), facing east unless told, in the player's
    // hands.
    static std::int16_t Put(std::int32_t type, float x, float y, std::int32_t facing = 3);
    // The carrier F117 exactly on the active point as it faces.
    static std::int16_t CarrierOnPoint() {
        return Put(kTypF117, kShorePoint.x, kShorePoint.y, kShorePoint.facing);
    }
    // The boat F116 exactly on the active point's launch place, as the point faces.
    static std::int16_t BoatOnPoint() { return Put(kTypF116, kBoatX, kBoatY, kShorePoint.facing); }
    // The one selected unit, with the flag and the mode the selection rule gives it.
    static void Select(std::int16_t vehicle);
    // The order alone in the queue, as it comes to the head after the drive; the position stays
    // as it is.
    static void Order(std::int16_t vehicle, std::uint8_t opcode, std::int32_t a);
};

}  // namespace kv::test
