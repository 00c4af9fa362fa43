// The options panel's clicks and the modes it returns to, on the sample data's pictures.

#include <gtest/gtest.h>

#include <optional>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/options.h"
#include "screens/options.h"
#include "screens/screen_picture.h"
#include "support/headless_test.h"

namespace kv {
namespace {

class Options : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        cwd.emplace(KV_SAMPLEDATA_DIR);
    }
    void TearDown() override {
        HeadlessTest::TearDown();
        cwd.reset();
    }
    void open(std::uint32_t fromMode) {
        GameMode = fromMode;
        OpenOptionsScreen();
        ASSERT_EQ(GameMode, 9u) << FatalErrorMessage();
    }
    std::optional<test::WorkingDirectory> cwd;
};

TEST_F(Options, AClickHitsTheFirstRectangleInItsOrder) {
    struct Case {
        const char* what;
        std::uint32_t fromMode;
        std::uint8_t question;
        std::uint8_t gameSpeed;
        int x;
        int y;
        OptionsHit hit;
    };
    const Case cases[] = {
        {"sound, top-left corner", 2, 0, 1, 11, 97, OptionsHit::Sound},
        {"sound, bottom-right corner", 2, 0, 1, 100, 181, OptionsHit::Sound},
        {"between the toggles", 2, 0, 1, 50, 190, OptionsHit::None},
        {"music", 2, 0, 1, 100, 293, OptionsHit::Music},
        {"load", 2, 0, 1, 92, 393, OptionsHit::Load},
        {"save", 2, 0, 1, 332, 423, OptionsHit::Save},
        {"save in front of a failed mission", 4, 0, 1, 250, 400, OptionsHit::None},
        {"load in front of a failed mission", 4, 0, 1, 100, 400, OptionsHit::Load},
        {"quit", 2, 0, 1, 621, 448, OptionsHit::Quit},
        {"back", 2, 0, 1, 361, 369, OptionsHit::Back},
        {"back's last column", 2, 0, 1, 477, 400, OptionsHit::Back},
        // Load's rectangle reaches into restart's rows: the first hit wins.
        {"load over restart", 2, 0, 1, 100, 423, OptionsHit::Load},
        {"restart", 2, 0, 1, 98, 465, OptionsHit::Restart},
        {"hints", 2, 0, 1, 326, 430, OptionsHit::Hints},
        // The knob at step 1 stands at (121, 67), 40 x 30 in the sample data, grip 3.
        {"game-speed knob, grip's corner", 2, 0, 1, 118, 64, OptionsHit::GameSpeedKnob},
        {"game-speed knob, grip's far corner", 2, 0, 1, 163, 99, OptionsHit::GameSpeedKnob},
        {"past the grip", 2, 0, 1, 164, 80, OptionsHit::None},
        {"the knob's step-2 place at step 1", 2, 0, 1, 350, 80, OptionsHit::None},
        {"the knob's step-1 place at step 3", 2, 0, 3, 140, 80, OptionsHit::None},
        {"game-speed knob at step 3", 2, 0, 3, 560, 80, OptionsHit::GameSpeedKnob},
        {"scroll-speed knob at step 2", 2, 0, 1, 350, 285, OptionsHit::ScrollSpeedKnob},
        {"question open: a toggle", 2, 1, 1, 50, 140, OptionsHit::None},
        {"question open: a knob", 2, 2, 1, 140, 80, OptionsHit::None},
        {"question open: JA", 2, 1, 1, 574, 148, OptionsHit::Yes},
        {"question open: NEIN", 2, 2, 1, 603, 212, OptionsHit::No},
        {"question open: between the answers", 2, 1, 1, 590, 180, OptionsHit::None},
        {"no question: JA's place", 2, 0, 1, 588, 160, OptionsHit::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open(c.fromMode);
        OptionsQuestion = c.question;
        GameSpeed = c.gameSpeed;
        ScrollSpeed = 2;
        EXPECT_EQ(OptionsHitAt(c.x, c.y), c.hit);
        CloseOptionsScreen();
    }
}

TEST_F(Options, AKnobAwayFromItsStepStartsNoDrag) {
    open(2);
    GameSpeed = 2;
    OnOptionsLButtonDown(140, 80);
    EXPECT_EQ(OptionsDragging, 0);
    OnOptionsLButtonDown(350, 80);
    EXPECT_EQ(OptionsDragging, 1);
    EXPECT_EQ(OptionsDraggedSlider, 0);
    // The drag follows the mouse anywhere, with the steps at 243 and 477.
    for (const auto& [x, step] : {std::pair{242, 1}, std::pair{243, 2}, std::pair{476, 2},
                                  std::pair{477, 3}, std::pair{-5, 1}}) {
        OnOptionsMouseMove(x, 700);
        EXPECT_EQ(GameSpeed, step) << x;
    }
    EXPECT_EQ(ScrollSpeed, 2);
    OnOptionsLButtonUp();
    OnOptionsMouseMove(500, 80);
    EXPECT_EQ(GameSpeed, 1);
}

TEST_F(Options, RightButtonAndEscCloseTheQuestionFirst) {
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey);
        open(2);
        OnOptionsLButtonDown(550, 400);
        ASSERT_EQ(OptionsQuestion, kQuestionQuit);
        const auto cancel = [byKey] {
            if (byKey) {
                OnOptionsKeyDown(27);
            } else {
                OnOptionsRButtonDown();
            }
        };
        // Other keys do nothing.
        OnOptionsKeyDown(13);
        EXPECT_EQ(OptionsQuestion, kQuestionQuit);
        cancel();
        EXPECT_EQ(OptionsQuestion, kNoQuestion);
        EXPECT_EQ(GameMode, 9u);
        cancel();
        EXPECT_EQ(GameMode, 2u);
        EXPECT_EQ(ScreenPicture, nullptr);
        EXPECT_EQ(ScreenBoxPicture, nullptr);
    }
    open(2);
    OnOptionsLButtonDown(160, 447);
    ASSERT_EQ(OptionsQuestion, kQuestionRestart);
    OnOptionsLButtonDown(588, 195);
    EXPECT_EQ(OptionsQuestion, kNoQuestion);
    EXPECT_EQ(GameMode, 9u);
}

TEST_F(Options, TheModeToReturnToIsKeptAcrossTheSubScreens) {
    open(8);
    EXPECT_EQ(ReturnGameMode, 8);
    for (const std::uint32_t sub : {19u, 6u, 7u}) {
        GameMode = sub;
        OpenOptionsScreen();
        EXPECT_EQ(ReturnGameMode, 8) << sub;
    }
    OnOptionsLButtonDown(400, 400);
    EXPECT_EQ(GameMode, 8u);
}

TEST_F(Options, AMissingPictureIsFatal) {
    for (const auto& [file, message] :
         {std::pair{"graphs/d/options.vff", "file not found: OPTIONS"},
          std::pair{"graphs/yesnobox.vff", "file not found: YESNOBOX"}}) {
        SCOPED_TRACE(file);
        test::ScratchDir dir;
        // Both pictures but the one.
        std::filesystem::create_directories(dir.path() / "graphs" / "d");
        const std::filesystem::path source(KV_SAMPLEDATA_DIR);
        for (const char* keep : {"graphs/d/options.vff", "graphs/yesnobox.vff"})
            if (std::string(keep) != file)
                std::filesystem::copy_file(source / keep, dir.path() / keep);
        test::WorkingDirectory here(dir.path());
        ResetFatalError();
        GameMode = 2;
        OpenOptionsScreen();
        EXPECT_EQ(FatalErrorMessage(), message);
        EXPECT_EQ(GameMode, 0u);
    }
}

}  // namespace
}  // namespace kv
