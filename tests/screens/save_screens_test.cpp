// The load and save screens over a running mission: what the slot lists show of each file, the
// hit boxes, the clicks the load screen ignores, typing a name, where the screens return to, and
// a save that cannot be written.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "gfx/fonts.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/mission_checksum.h"
#include "mission/mission_fixture.h"
#include "mission/screen_calls.h"
#include "platform/data_folders.h"
#include "platform/files.h"
#include "platform/window.h"
#include "screens/options.h"
#include "screens/save_game.h"
#include "screens/save_screens.h"
#include "screens/screen_picture.h"
#include "support/scripted_player.h"
#include "support/sound_log.h"

namespace kv {
namespace {

constexpr std::uint8_t kFilePicture = 251;
constexpr std::uint8_t kRunningPicture = 253;

int SlotCentreX(int slot) {
    return kSlotX + kSlotStepX * (slot % kSlotColumns) + kSavePreviewWidth / 2;
}
int SlotCentreY(int slot) {
    return kSlotY + kSlotStepY * (slot / kSlotColumns) + kSavePreviewHeight / 2;
}
// A pixel of a slot's window away from the cursor, which stands where the slot was clicked.
std::uint8_t WindowPixel(const HeadlessBackend::Frame& f, int slot) {
    return f.at(kSlotX + kSlotStepX * (slot % kSlotColumns) + 3,
                kSlotY + kSlotStepY * (slot / kSlotColumns) + 3);
}

std::string NameOf(int slot) {
    const auto& name = SaveSlots->names[static_cast<std::size_t>(slot)];
    return {name.data(), strnlen(name.data(), name.size())};
}
SaveSlotState StateOf(int slot) {
    return SaveSlots->state[static_cast<std::size_t>(slot)];
}
std::string EditText() {
    return {SaveEditName.data(), strnlen(SaveEditName.data(), SaveEditName.size())};
}

void PutSlot(int slot, const std::vector<std::uint8_t>& bytes) {
    ASSERT_TRUE(WriteFileAtomic(WritePath(SaveSlotPath(slot)), bytes));
}
std::vector<std::uint8_t> SlotFile(int slot) {
    return ReadFileBytes(WritePath(SaveSlotPath(slot))).value_or(std::vector<std::uint8_t>{});
}

// A file as an older writer left it: no trailer, and nothing after the name's end.
std::vector<std::uint8_t> WithoutTrailer(std::vector<std::uint8_t> file) {
    file.resize(file.size() - kSaveTrailerBytes);
    auto name = file.begin() + 2;
    std::fill(std::find(name, name + kSaveNameBytes, 0), name + kSaveNameBytes, 0);
    return file;
}

// How many pixels of the colour a rectangle of the last frame holds.
int CountColour(const HeadlessBackend::Frame& f, int x, int y, int w, int h, std::uint8_t c) {
    int n = 0;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) n += f.at(col, row) == c ? 1 : 0;
    return n;
}

class SaveScreens : public test::MissionTest {
  protected:
    void startMission() {
        SetWriteFolder(dir.path().string());
        playIntoMissionOne(player, [](MissionHooks& row) {
            // Not about mission 1's rules: nothing may end it.
            row.CheckMission = [] {};
        });
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        player.frames(5);
        // As the options record it when they open over the mission.
        ReturnGameMode = 2;
    }
    void clickSlot(int slot) { player.click(SlotCentreX(slot), SlotCentreY(slot)); }
    // The queued input handled, without a frame.
    void handleInput() { player.frames(0); }
    int clicksPlayed() const {
        const std::vector<int> played = test::PlayedSoundIds(backend.sound);
        return static_cast<int>(std::count(played.begin(), played.end(), kSoundClickHigh));
    }

    test::ScriptedPlayer player{backend};
};

TEST(SaveScreenSlots, TheLoadBoxTakesInThePictureAndTheSaveBoxAlsoTheName) {
    struct Row {
        int x, y, load, save;
    };
    const Row rows[] = {
        {191, 142, 0, 0},   {269, 194, 0, 0},   {190, 170, -1, -1}, {270, 170, -1, -1},
        {230, 141, -1, -1}, {230, 195, -1, 0},  {230, 216, -1, 0},  {230, 217, 4, 4},
        {284, 142, 1, 1},   {470, 292, 11, 11}, {548, 344, 11, 11}, {548, 366, -1, 11},
        {548, 367, -1, -1}, {549, 300, -1, -1}, {400, 500, -1, -1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LoadSlotAt(r.x, r.y), r.load) << r.x << ", " << r.y;
        EXPECT_EQ(SaveSlotAt(r.x, r.y), r.save) << r.x << ", " << r.y;
    }
}

class SaveScreenPictures : public test::HeadlessTest {};

TEST_F(SaveScreenPictures, AMissingPictureIsFatalAndOpensNothing) {
    struct Row {
        bool withOptions;
        const char* message;
    };
    for (const Row row :
         {Row{false, "file not found: OPTIONS"}, Row{true, "file not found: LOADBOX"}}) {
        test::ScratchDir data;
        if (row.withOptions) {
            std::filesystem::create_directories(data.path() / "graphs" / "d");
            std::filesystem::copy_file(std::string(KV_SAMPLEDATA_DIR) + "/graphs/d/options.vff",
                                       data.path() / "graphs" / "d" / "options.vff");
        }
        const test::WorkingDirectory cwd(data.path());
        ResetFatalError();
        GameMode = 9;
        OpenLoadGame();
        EXPECT_EQ(FatalErrorMessage(), row.message);
        EXPECT_EQ(SaveSlots, nullptr);
        EXPECT_EQ(ScreenPicture, nullptr);
        EXPECT_EQ(GameMode, 0u);
    }
}

TEST_F(SaveScreens, TheSlotListsShowWhatEachFileHolds) {
    startMission();
    OpenLoadGame();
    ASSERT_EQ(GameMode, 7u) << FatalErrorMessage();
    ASSERT_NE(SaveSlots, nullptr);
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
        EXPECT_EQ(StateOf(slot), SaveSlotState::Free) << slot;
        EXPECT_EQ(NameOf(slot), "frei") << slot;
    }

    SavePreview.fill(kFilePicture);
    const std::vector<std::uint8_t> file = BuildSaveFile("Alt");
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + 100);
    std::vector<std::uint8_t> flipped = file;
    flipped[3000] ^= 0x08;
    std::vector<std::uint8_t> version = WithoutTrailer(file);
    version[0] = 191;
    std::vector<std::uint8_t> unended = WithoutTrailer(file);
    std::fill_n(unended.begin() + 2, kSaveNameBytes, 'x');
    struct Row {
        const char* what;
        int slot;
        std::vector<std::uint8_t> bytes;
        SaveSlotState state;
        std::string name;
    };
    const std::vector<Row> rows = {
        {"used", 0, file, SaveSlotState::Used, "Alt"},
        {"without a trailer", 1, WithoutTrailer(file), SaveSlotState::Used, "Alt"},
        {"a name without its end", 2, unended, SaveSlotState::Used, std::string(49, 'x')},
        {"cut", 3, cut, SaveSlotState::Unreadable, "unlesbar"},
        {"a bit flipped", 4, flipped, SaveSlotState::Unreadable, "unlesbar"},
        {"version 191", 5, version, SaveSlotState::Unreadable, "unlesbar"},
        {"empty", 6, {}, SaveSlotState::Unreadable, "unlesbar"},
    };
    for (const Row& row : rows) PutSlot(row.slot, row.bytes);
    // A folder under a slot's name: something is there that cannot be read.
    std::filesystem::create_directory(WritePath(SaveSlotPath(7)));
    OpenLoadGame();
    player.frames(1);
    ASSERT_NE(SaveSlots, nullptr);
    const HeadlessBackend::Frame& shown = backend.frames().back();
    for (const Row& row : rows) {
        EXPECT_EQ(StateOf(row.slot), row.state) << row.what;
        EXPECT_EQ(NameOf(row.slot), row.name) << row.what;
        EXPECT_EQ(WindowPixel(shown, row.slot) == kFilePicture, row.state == SaveSlotState::Used)
            << row.what;
    }
    EXPECT_EQ(StateOf(7), SaveSlotState::Unreadable);
    for (int slot = 8; slot < kSaveSlotCount; ++slot) {
        EXPECT_EQ(NameOf(slot), "frei") << slot;
        EXPECT_NE(WindowPixel(shown, slot), kFilePicture) << slot;
    }

    // The save screen's chosen slot shows the running mission's picture, used or not, and its
    // name in red.
    OpenSaveGame();
    ASSERT_EQ(GameMode, 6u);
    SavePreview.fill(kRunningPicture);
    const auto redIn = [this](int slot) {
        const HeadlessBackend::Frame& f = backend.frames().back();
        const std::uint8_t red = NearestPaletteIndex(f.palette, Rgb(255, 0, 0));
        return CountColour(f, kSlotX + kSlotStepX * (slot % kSlotColumns),
                           kSlotNameY + kSlotStepY * (slot / kSlotColumns), kSlotHitWidth, 14, red);
    };
    for (const int chosen : {8, 0}) {
        SCOPED_TRACE(chosen);
        const int clicks = clicksPlayed();
        const bool sounding = IsSoundPlaying(kSoundClickHigh) != 0;
        clickSlot(chosen);
        player.frames(1);
        // The click plays; it does not start again while it still sounds.
        EXPECT_EQ(clicksPlayed(), clicks + (sounding ? 0 : 1));
        const HeadlessBackend::Frame& f = backend.frames().back();
        EXPECT_EQ(WindowPixel(f, chosen), kRunningPicture);
        EXPECT_GT(redIn(chosen), 0);
        const int other = chosen == 8 ? 0 : 8;
        EXPECT_NE(WindowPixel(f, other), kRunningPicture);
        EXPECT_EQ(redIn(other), 0);
    }
    EXPECT_EQ(WindowPixel(backend.frames().back(), 1), kFilePicture);
}

TEST_F(SaveScreens, TheLoadScreenIgnoresClicksItCannotLoad) {
    startMission();
    const std::vector<std::uint8_t> good = BuildSaveFile("Gut");
    PutSlot(0, good);
    PutSlot(1, std::vector<std::uint8_t>(good.begin(), good.end() - 1));
    const std::uint32_t ticks = TickCounter;
    const std::uint64_t checksum = MissionChecksum();
    const auto ignored = [&](const std::string& what) {
        EXPECT_EQ(GameMode, 7u) << what;
        EXPECT_NE(SaveSlots, nullptr) << what;
        EXPECT_EQ(TickCounter, ticks) << what;
        EXPECT_EQ(MissionChecksum(), checksum) << what;
    };

    OpenLoadGame();
    player.frames(1);
    const int clicks = clicksPlayed();
    struct Point {
        const char* what;
        int x, y;
    };
    for (const Point& p : {Point{"outside the box", 100, 100}, Point{"between two slots", 275, 170},
                           Point{"under a picture, on its name", 230, 205},
                           Point{"a free slot", SlotCentreX(2), SlotCentreY(2)},
                           Point{"an unreadable slot", SlotCentreX(1), SlotCentreY(1)}}) {
        player.click(p.x, p.y);
        handleInput();
        ignored(p.what);
    }
    EXPECT_EQ(clicksPlayed(), clicks);

    // A file that goes or goes bad after the list was made: the slot shows it at once.
    struct Change {
        const char* what;
        std::vector<std::uint8_t> bytes;  // none: the file is removed
        const char* name;
    };
    for (const Change& c : {Change{"removed", {}, "frei"},
                            Change{"cut", {good.begin(), good.begin() + 5000}, "unlesbar"}}) {
        PutSlot(0, good);
        OpenLoadGame();
        ASSERT_EQ(NameOf(0), "Gut") << c.what;
        if (c.bytes.empty())
            std::filesystem::remove(WritePath(SaveSlotPath(0)));
        else
            PutSlot(0, c.bytes);
        clickSlot(0);
        handleInput();
        ignored(c.what);
        EXPECT_EQ(NameOf(0), c.name) << c.what;
        EXPECT_EQ(clicksPlayed(), clicks) << c.what;
    }
}

TEST_F(SaveScreens, TypingANameFollowsTheCaretTheFirstKeyAndTheWidth) {
    startMission();
    PutSlot(0, BuildSaveFile("Alt"));
    PutSlot(2, {1, 2, 3});
    struct Step {
        int slot;  // clicked first; -1 none
        std::string typed;
    };
    struct Row {
        const char* what;
        std::vector<Step> steps;
        std::string edit;
        bool open;
        bool measured = true;
    };
    const std::string back = "\b";
    const std::vector<Row> rows = {
        {"the first key replaces the name", {{0, "Neu"}}, "Neu_", true},
        {"a backspace first keeps the old name", {{0, back + "x"}}, "Alx_", true},
        {"backspaces stop at the caret's start", {{0, back + back + back + back}}, "_", true},
        {"a free slot starts as frei", {{1, ""}}, "frei_", true},
        {"an unreadable slot is offered as free", {{2, ""}}, "frei_", true},
        {"another slot starts again with its name", {{0, "abc"}, {1, ""}}, "frei_", true},
        {"and its first key replaces it", {{0, "abc"}, {1, "Q"}}, "Q_", true},
        {"typing before a slot is chosen does nothing", {{-1, "abc\b"}}, "", true},
        {"Enter before a slot is chosen does nothing", {{-1, "\r"}}, "", true},
        {"Esc leaves without a slot", {{-1, "\x1b"}}, "", false},
        {"Esc leaves with one, nothing saved", {{0, "abc\x1b"}}, "", false},
        {"49 characters take no more",
         {{1, std::string(60, 'm')}},
         std::string(49, 'm') + "_",
         true,
         false},
    };
    const FontHandle font = FontSmall;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        OpenSaveGame();
        ASSERT_EQ(GameMode, 6u);
        // A font that measures nothing leaves only the caret's limit.
        if (!row.measured) FontSmall = nullptr;
        for (const Step& step : row.steps) {
            if (step.slot >= 0) clickSlot(step.slot);
            player.chars(step.typed);
            handleInput();
        }
        FontSmall = font;
        EXPECT_EQ(SaveSlots != nullptr, row.open);
        if (row.open) {
            EXPECT_EQ(EditText(), row.edit);
        }
    }
    EXPECT_EQ(SlotFile(0), BuildSaveFile("Alt")) << "nothing was saved";
    EXPECT_FALSE(FileExists(WritePath(SaveSlotPath(1))));

    // Wide letters stop before 79 pixels of the small font, well under 49 characters.
    OpenSaveGame();
    clickSlot(1);
    player.chars(std::string(49, 'W'));
    handleInput();
    const std::string edit = EditText();
    const std::string name = edit.substr(0, edit.size() - 1);
    TextContext measure;
    measure.selectFont(FontSmall);
    EXPECT_LT(name.size(), 49u);
    EXPECT_GE(measure.textExtent(edit).cx, kSaveNameWidthLimit);
    EXPECT_LT(measure.textExtent(name.substr(1) + "_").cx, kSaveNameWidthLimit);
}

TEST_F(SaveScreens, EnterReturnsToTheScreenUnderTheOptionsEscAndTheRightButtonToTheOptions) {
    startMission();
    struct Row {
        const char* what;
        std::uint8_t returnMode;
        bool save;
        std::string typed;  // after the click on slot 0, when the row saves
        bool rightButton = false;
    };
    const Row rows[] = {
        {"Enter over the mission", 2, true, "Weg\r"},
        {"Enter over a base", 8, true, "Basis\r"},
        {"Esc", 2, false, "\x1b"},
        {"the right button", 2, false, "", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PutSlot(0, BuildSaveFile("Alt"));
        ReturnGameMode = row.returnMode;
        OpenSaveGame();
        clickSlot(0);
        if (row.rightButton) player.rclick(400, 300);
        player.chars(row.typed);
        handleInput();
        EXPECT_EQ(SaveSlots, nullptr) << "the slot buffers live as long as the screen";
        EXPECT_EQ(SaveChosenSlot, 255);
        EXPECT_EQ(ReturnGameMode, row.returnMode);
        if (row.save) {
            EXPECT_EQ(GameMode, row.returnMode);
            ASSERT_TRUE(ReadSaveSlotInfo(0));
            EXPECT_EQ(std::string(LastSaveSlotInfo.name.data()),
                      row.typed.substr(0, row.typed.size() - 1));
        } else {
            // Back to the options, which record nothing new on the way.
            EXPECT_EQ(GameMode, 9u);
            EXPECT_EQ(SlotFile(0), BuildSaveFile("Alt"));
        }
        GameMode = 2;
    }

    // The load screen's right button also goes back to the options.
    OpenLoadGame();
    player.rclick(400, 300);
    handleInput();
    EXPECT_EQ(SaveSlots, nullptr);
    EXPECT_EQ(GameMode, 9u);
    EXPECT_EQ(ReturnGameMode, 2);
}

TEST_F(SaveScreens, ASaveThatCannotBeWrittenClosesTheScreenAndSaysSo) {
    startMission();
    PutSlot(0, BuildSaveFile("Alt"));
    const std::vector<std::uint8_t> old = SlotFile(0);
    // A folder where the temporary file would go.
    std::filesystem::create_directory(WritePath(SaveSlotPath(0)) + ".tmp" +
                                      std::to_string(::getpid()));
    OpenSaveGame();
    clickSlot(0);
    player.chars("Neu");
    player.key(VK_RETURN);
    handleInput();
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(SaveSlots, nullptr);
    EXPECT_STREQ(MessageLine.data(), "Spielstand konnte nicht gespeichert werden!");
    EXPECT_EQ(MessageLineCountdown, 100);
    EXPECT_EQ(SlotFile(0), old);
    player.frames(1);
    EXPECT_EQ(MessageLineCountdown, 99) << "shown under the mission";
}

}  // namespace
}  // namespace kv
