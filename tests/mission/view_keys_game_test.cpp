// Mission 1 played by the scripted player: the view scrolled by the mouse at the edge and glided
// home by End, the game speed set by a key, and the pause entered and left.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/image_files.h"
#include "mission/mission_fixture.h"
#include "mission/pause.h"
#include "mission/scroll_view.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class ViewKeysGameTest : public test::MissionTest {};

// The view's x after each of n frames.
std::vector<int> ViewXs(test::ScriptedPlayer& player, int n) {
    std::vector<int> xs;
    for (int k = 0; k < n; ++k) {
        player.frames(1);
        xs.push_back(ViewOrigin.x);
    }
    return xs;
}

TEST_F(ViewKeysGameTest, TheEdgeScrollsEndGlidesHomeThreeSpeedsUpAndSpacePauses) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << "the start picture's click starts mission 1";
    ASSERT_EQ(ViewOrigin.x, 530);
    ASSERT_TRUE(player.shot("scroll-start"));

    // The mouse past the right edge is kept at 778, where the view scrolls right faster and
    // faster until its limit.
    player.mouse(799, 300);
    const int limit = ViewScrollLimits().x;
    const std::vector<int> right = ViewXs(player, 100);
    EXPECT_EQ(MouseX, 778);
    EXPECT_EQ(std::vector<int>(right.begin(), right.begin() + 4),
              (std::vector<int>{532, 536, 542, 550}));
    for (std::size_t k = 1; k < right.size(); ++k) EXPECT_GE(right[k], right[k - 1]);
    EXPECT_EQ(right.back(), limit);
    ASSERT_TRUE(player.shot("scroll-right"));

    // Back in the middle the scroll coasts out; End then glides home, 300 px a frame.
    player.mouse(400, 300);
    player.frames(12);
    EXPECT_EQ(ViewOrigin.x, limit);
    player.key(VK_END);
    const int glide = (limit + 299) / 300;
    const std::vector<int> home = ViewXs(player, glide + 1);
    for (int k = 0; k < glide; ++k)
        EXPECT_EQ(home[static_cast<std::size_t>(k)], std::max(0, limit - 300 * (k + 1)));
    EXPECT_EQ(home.back(), 0);
    EXPECT_EQ(ViewOrigin.y, 240);
    ASSERT_TRUE(player.shot("scroll-home"));

    // "3": three ticks a frame.
    player.key('3');
    player.frames(1);
    const std::uint32_t tick = TickCounter;
    player.frames(1);
    EXPECT_EQ(TickCounter, tick + 3);

    // Space: the pause shows its picture over the last frame, and no tick runs until a key.
    player.key(VK_SPACE);
    player.frames(1);
    ASSERT_EQ(GameMode, 12u);
    ASSERT_TRUE(player.shot("pause"));
    VffImage* picture = LoadVff(kPausePicture);
    ASSERT_NE(picture, nullptr);
    const VffImage& p = picture[0];
    const HeadlessBackend::Frame& shown = backend.frames().back();
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (const std::uint8_t c = p.pixels[y * p.width + x]; c != 0) {
                ASSERT_EQ(shown.at(208 + x, 20 + y), c) << x << ", " << y;
            }
    FreeVff(picture);
    const std::uint32_t paused = TickCounter;
    player.frames(3);
    EXPECT_EQ(TickCounter, paused);
    player.key('A');
    player.frames(1);
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(TickCounter, paused + 3);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
