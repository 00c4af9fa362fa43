#pragma once
// The mission jump (game mode 11): a developer's list of the thirty campaign positions over the
// running mission, which keeps running under it. A click on an entry starts that position's
// mission from its beginning; the right button goes back to the mission.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "mission/campaign_tables.h"

namespace kv {

inline constexpr int kJumpBoxWidth = 220;
inline constexpr int kJumpBoxHeight = 30;
// The text stands this far into its box.
inline constexpr int kJumpTextX = 5;
inline constexpr int kJumpTextY = 10;
// The panel mask's two frames cover the control panels.
inline constexpr int kJumpMaskRightX = 640;
inline constexpr int kJumpMaskRightY = 10;
inline constexpr int kJumpMaskBottomX = 8;
inline constexpr int kJumpMaskBottomY = 480;

struct JumpBox {
    std::int16_t x;
    std::int16_t y;
};
using JumpBoxTable = std::array<JumpBox, kCampaignLength>;

// Box 0 at (20, 50), each next one 40 lower; a box whose bottom would pass 480 starts a new
// column at y 50, 250 to the right.
constexpr JumpBoxTable BuildJumpBoxes() {
    JumpBoxTable t{};
    int x = 20;
    int y = 50;
    for (JumpBox& b : t) {
        b = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
        y += 40;
        if (y + 40 > 480) {
            y = 50;
            x += 250;
        }
    }
    return t;
}

// Held while the list is open.
extern std::optional<JumpBoxTable> JumpBoxes;

// Entry i (0..29): "%02d %s" with i + 1 and the short title of that campaign position's mission.
std::string JumpEntryText(int i);

void OpenMissionJump();
// The mission's ticks, then its panels and world into the WorkBuffer, then the list over them.
void RunMissionJumpFrame();
void DrawMissionJump();
void OnMissionJumpLButtonDown(int x, int y);
void OnMissionJumpRButtonDown();
void OnMissionJumpMouseMove(int x, int y);
// Back to the mission, or with start the chosen position's mission from its beginning with the
// money the running one was entered with.
void CloseMissionJump(bool start);

// The list closed, as before the first mission.
void ResetMissionJump();

}  // namespace kv
