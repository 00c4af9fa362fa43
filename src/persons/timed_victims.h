#pragma once
// Persons in distress: created with a deadline plan that the mission script watches, offered to
// the player's boat and ring carrier under the mouse, and fetched with a click.

#include <array>
#include <cstdint>

namespace kv {

// A new person in distress with its deadline delay seconds from now, or -1 when the array is
// full. approachDx, approachDy: from the person to where a boat stops; -1 in both for none.
std::int16_t CreateTimedVictim(std::int8_t type, std::int16_t x, std::int16_t y,
                               std::uint16_t state, std::uint16_t delay, std::int16_t approachDx,
                               std::int16_t approachDy);

// With the boat or the ring carrier selected: whether a person in distress within its reach lies
// under the mouse; then the rescue cursor is chosen and the result is 1.
std::uint8_t CheckTimedVictimUnderMouse();
// The click: sends the selected boat or ring carrier to the person in distress under the mouse.
// 1 when orders were given.
std::uint8_t RescueTimedVictim();

// Where the ring leaves the carrier's hand, from its position, by the facing it throws in.
struct RingHand {
    std::uint8_t facing;
    std::int8_t dx;
    std::int8_t dy;
};
inline constexpr std::array<RingHand, 4> kRingHands = {{
    {1, 1, -38 + 15},
    {3, 16, -21 + 15},
    {7, -18, -4 + 15},
    {9, -32, -25 + 15},
}};
// The frames of the throw at which the ring leaves the hand and the throw is over.
inline constexpr int kRingThrowFrame = 9;
inline constexpr int kThrowEndFrame = 13;
// A ring that lands nearer than this to the person in distress is caught; the catch gives it this
// many seconds more.
inline constexpr std::int32_t kRingCatchReach = 31;
inline constexpr std::int16_t kRingCatchSeconds = 480;

// Order 205 FetchTimedVictim (a, b = target point, c = the person in distress, d = the facing):
// the ring carrier facing d throws its ring (special object 17) at the point and the person in
// distress waits to catch it (order 206); the carrier is a plain fire-fighter again. With no free
// special-object slot it keeps its ring and the queue is cleared.
void FetchTimedVictim(std::int16_t person);
// Order 206 (a = the ring): once the ring lies still within reach the person in distress takes it
// up, and its deadline moves on by 480 seconds. A ring farther away is left lying and the person
// waits.
void RunPersonBefehl206(std::int16_t person);
// Order 221 (a, b = point, c = facing, (d, e) = new position): a person facing c on the point
// becomes a person in distress at the new position, lying in the water, with a deadline some
// eight to nineteen minutes away. A hose it held is let go first.
void RunPersonBefehl221(std::int16_t person);

}  // namespace kv
