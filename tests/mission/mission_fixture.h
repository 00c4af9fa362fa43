#pragma once
// The game started on the sample data up to its start picture (game mode 1), in a folder of its
// own that shows the sample data with or without mission 1's video.

#include <functional>
#include <optional>
#include <string>

#include "core/mission_hooks.h"

#include "support/headless_test.h"
#include "support/scripted_player.h"

namespace kv::test {

// Handles every waiting message, as the main loop does between frames.
void DispatchAll();

class MissionTest : public HeadlessTest {
  protected:
    void TearDown() override;

    // The sample data's folders, but for the videos when withVideo is false.
    void useSampleData(bool withVideo);
    // Window, display and start-up as the program runs them, then game mode 1.
    void openGame();
    // A click on the start picture.
    void clickStartPicture();
    // A new mission opens on the campaign map: the player leaves it for play as after the
    // briefing, with a click on the marker and Esc, and puts the mouse back in the screen's
    // middle. Handled at once, without a frame.
    void leaveKarte();
    // The same through the player, then a frame of play.
    void leaveKarte(ScriptedPlayer& player);
    // The sample data without videos and the game opened; the player clicks the start picture,
    // which starts mission 1 on the campaign map, and a frame runs; then the player leaves the map
    // for play, and another frame runs.
    void playIntoMissionOne(ScriptedPlayer& player);
    // The same with mission 1's hook row changed first, for a scene of the test's own.
    void playIntoMissionOne(ScriptedPlayer& player,
                            const std::function<void(MissionHooks&)>& changeRow);
    // Ends the playing video as if it had run out, and handles what follows.
    void finishVideo();
    // The file name of every video opened so far, without its folder.
    std::string videosOpened();

    ScratchDir dir;
    std::optional<WorkingDirectory> cwd;
};

}  // namespace kv::test
