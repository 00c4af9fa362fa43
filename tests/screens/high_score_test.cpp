// The high-score table: where points enter, the file against bytes typed from its layout, the
// files that read as an empty table, a failed write, and typing a name.

#include "screens/high_score.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "gfx/fonts.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "platform/data_folders.h"
#include "platform/text.h"
#include "support/golden_bytes.h"

namespace kv {
namespace {

using test::GoldenBytes;

// Version 100, "Anna" with 65535 points (the u16 read without sign), "Bert" with 777 and a stray
// byte after his name's end, the other eight rows empty, or row 8 named with 5 points.
GoldenBytes TypedFile(std::string_view row8 = "") {
    GoldenBytes g;
    g.at(0).bytes({100, 0});
    g.at(2).text("Anna").zeros(46);
    g.at(52).bytes({0xFF, 0xFF});
    g.at(54).text("Bert").bytes({0, 0, 0, 'x'}).zeros(42);
    g.at(104).bytes({0x09, 0x03});
    g.zeros(6 * 52);
    g.at(418).text(row8).zeros(50 - row8.size());
    g.at(468).bytes({static_cast<std::uint8_t>(row8.empty() ? 0 : 5), 0});
    g.zeros(52);
    g.at(522);
    return g;
}

std::string Name(int row) {
    return HighScores.names[static_cast<std::size_t>(row)].data();
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

TEST(HighScoreFile, ReadsAndWritesTheTypedBytesFieldByField) {
    const GoldenBytes typed = TypedFile();
    ByteReader in(typed);
    const HighScoreFile f = ReadRecord<HighScoreFile>(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(f.version, 100);
    EXPECT_STREQ(f.rows[0].name.data(), "Anna");
    EXPECT_EQ(f.rows[0].points, 65535);
    EXPECT_STREQ(f.rows[1].name.data(), "Bert");
    EXPECT_EQ(f.rows[1].name[7], 'x');
    EXPECT_EQ(f.rows[1].points, 777);
    EXPECT_EQ(f.rows[9].points, 0);
    ByteWriter out;
    WriteRecord(out, f);
    EXPECT_EQ(out.data(), typed.data());

    // Through the table: widened without sign, and written back whole.
    ASSERT_TRUE(ReadHighScoreBytes(typed));
    EXPECT_EQ(HighScores.points[0], 65535);
    EXPECT_EQ(Name(1), "Bert");
    EXPECT_EQ(HighScoreBytes(), typed.data());
}

TEST(HighScoreFile, ForeignAndShortFilesReadAsEmptyRows) {
    std::vector<std::uint8_t> version99 = TypedFile().data();
    version99[0] = 99;
    EXPECT_FALSE(ReadHighScoreBytes(version99));
    EXPECT_EQ(Name(0), "");
    EXPECT_EQ(HighScores.points[0], 0);
    EXPECT_FALSE(ReadHighScoreBytes({}));

    // Row 8 named, then the last 100 bytes cut off: rows 0..7 lie whole in the file, row 8 only
    // with the first bytes of its name.
    ASSERT_TRUE(ReadHighScoreBytes(TypedFile("Zoe")));
    EXPECT_EQ(Name(8), "Zoe");
    std::vector<std::uint8_t> shortFile = TypedFile("Zoe").data();
    shortFile.resize(shortFile.size() - 100);
    ASSERT_TRUE(ReadHighScoreBytes(shortFile));
    EXPECT_EQ(Name(0), "Anna");
    EXPECT_EQ(HighScores.points[1], 777);
    EXPECT_EQ(Name(8), "");
    EXPECT_EQ(HighScores.points[8], 0);

    // A name without its end is cut at 49 characters.
    std::vector<std::uint8_t> unended = TypedFile().data();
    std::fill_n(unended.begin() + 2, 50, 'n');
    ASSERT_TRUE(ReadHighScoreBytes(unended));
    EXPECT_EQ(Name(0), std::string(49, 'n'));
}

// A table of ten rows with the points 100, 90, .. 10 and the names r0 .. r9.
void FillTable() {
    HighScores = {};
    for (int i = 0; i < kHighScoreRows; ++i) {
        HighScores.points[static_cast<std::size_t>(i)] = 100 - 10 * i;
        HighScores.names[static_cast<std::size_t>(i)][0] = 'r';
        HighScores.names[static_cast<std::size_t>(i)][1] = static_cast<char>('0' + i);
    }
}

TEST(HighScoreEntry, PointsEnterBelowEqualScoresAndAboveLowerOnes) {
    struct Case {
        bool full;
        std::int32_t points;
        std::uint8_t row;
        std::int32_t kept;
    };
    const Case cases[] = {
        {false, 0, kNoEntryRow, 0}, {false, 1, 0, 1},           {false, -5, kNoEntryRow, 0},
        {false, 70000, 0, 65535},   {true, 10, kNoEntryRow, 0}, {true, 9, kNoEntryRow, 0},
        {true, 50, 6, 50},          {true, 11, 9, 11},          {true, 101, 0, 101},
        {true, -1, kNoEntryRow, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.full) + " " + std::to_string(c.points));
        if (c.full)
            FillTable();
        else
            HighScores = {};
        const HighScoreTable before = HighScores;
        EXPECT_EQ(EnterHighScore(c.points), c.row);
        EXPECT_EQ(HighScores.entryRow, c.row);
        if (c.row == kNoEntryRow) {
            EXPECT_EQ(HighScores.points, before.points);
            continue;
        }
        EXPECT_EQ(HighScores.points[c.row], c.kept);
        EXPECT_EQ(Name(c.row), "");
        EXPECT_EQ(HighScoreEditText(), "_");
        // Above the row nothing moves; below it every row moved down one, the old row 9 is gone.
        for (int i = 0; i < c.row; ++i)
            EXPECT_EQ(HighScores.names[static_cast<std::size_t>(i)],
                      before.names[static_cast<std::size_t>(i)]);
        for (int i = c.row + 1; i < kHighScoreRows; ++i)
            EXPECT_EQ(HighScores.points[static_cast<std::size_t>(i)],
                      before.points[static_cast<std::size_t>(i - 1)]);
    }
    FillTable();
    EnterHighScore(50);
    EXPECT_EQ(Name(5), "r5") << "the equal old score stays above";
    EXPECT_EQ(Name(7), "r6");
}

class HighScoreScreen : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SetWriteFolder(dir / "written");
        MissionNummer = 1;
    }
    std::string filePath() const { return dir / "written/data/high1.dat"; }
    // The screen opened with the points, typing into the row they opened.
    void open(std::int32_t points) {
        EvaluationPoints = points;
        OpenHighScore();
        ASSERT_EQ(GameMode, 17u) << FatalErrorMessage();
    }
    void type(std::string_view text) {
        for (const char c : text) OnHighScoreChar(static_cast<unsigned char>(c));
    }
    static int Width(std::string_view text) {
        TextContext measure;
        measure.selectFont(FontLarge);
        return measure.textExtent(text).cx;
    }
};

TEST_F(HighScoreScreen, MissingFileReadsAsAnEmptyTableAndAFailedWriteKeepsTheOldOne) {
    EXPECT_FALSE(ReadHighScoreFile());
    WriteBytes(filePath(), TypedFile());
    ASSERT_TRUE(ReadHighScoreFile());
    EXPECT_EQ(Name(1), "Bert");

    // A folder where the temporary file would go.
    std::filesystem::create_directory(filePath() + ".tmp" + std::to_string(::getpid()));
    EnterHighScore(800);
    EXPECT_EQ(HighScores.entryRow, 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteHighScoreFile());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("high1.dat"), std::string::npos);
    EXPECT_EQ(FileBytes(filePath()), TypedFile().data());
}

TEST_F(HighScoreScreen, NamesStopAtFortyNineCharactersOrTheirWidth) {
    ASSERT_NE(FontLarge, nullptr);
    // Narrow letters: the count stops them first.
    ASSERT_LT(Width(std::string(48, 'i') + "_"), kHighScoreNameWidth);
    open(500);
    type(std::string(60, 'i'));
    EXPECT_EQ(HighScores.caret, 49);
    EXPECT_EQ(HighScoreEditText(), std::string(49, 'i') + "_");

    // Wide letters: the width stops them, once the text with its caret is 265 px or wider.
    HighScores.entryRow = kNoEntryRow;
    EnterHighScore(400);
    type(std::string(40, 'W'));
    const std::string_view typed = HighScoreEditText();
    EXPECT_LT(HighScores.caret, 49);
    EXPECT_GE(Width(typed), kHighScoreNameWidth);
    EXPECT_LT(Width(std::string(HighScores.caret - 1u, 'W') + "_"), kHighScoreNameWidth);
}

TEST_F(HighScoreScreen, TypingBackspaceControlCodesAndClicks) {
    open(500);
    ASSERT_EQ(HighScores.entryRow, 0);
    type("\b");
    EXPECT_EQ(HighScoreEditText(), "_") << "backspace on an empty name";
    type("Ab\b\x01\x1B");
    EXPECT_EQ(HighScoreEditText(), "A\x01\x1B_") << "control codes are appended as typed";
    OnHighScoreLButtonDown();
    EXPECT_EQ(GameMode, 17u) << "a click during entry does nothing";
    EXPECT_EQ(CampaignPosition, 0);
}

TEST_F(HighScoreScreen, EnterStoresAnEmptyNameAndTheCampaignMovesOn) {
    open(500);
    type("\r");
    const std::vector<std::uint8_t> file = FileBytes(filePath());
    ASSERT_EQ(file.size(), 522u);
    EXPECT_EQ(file[2], 0) << "the empty name";
    EXPECT_EQ(file[52], 500 & 0xFF);
    EXPECT_EQ(file[53], 500 >> 8);
    EXPECT_EQ(CampaignPosition, 1);
    EXPECT_EQ(MissionNummer, 5) << "the next mission was asked for";
}

TEST_F(HighScoreScreen, WithoutANewRowAClickOrAnyCharacterLeavesWithoutWriting) {
    for (const bool byClick : {true, false}) {
        SCOPED_TRACE(byClick);
        ResetFatalError();
        CampaignPosition = 0;
        open(0);
        EXPECT_EQ(HighScores.entryRow, kNoEntryRow);
        if (byClick)
            OnHighScoreLButtonDown();
        else
            type("x");
        EXPECT_EQ(CampaignPosition, 1);
        EXPECT_FALSE(std::filesystem::exists(filePath()));
    }
}

}  // namespace
}  // namespace kv
