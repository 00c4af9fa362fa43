#include "screens/high_score.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/mission_state.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_start.h"
#include "platform/data_folders.h"
#include "platform/files.h"
#include "platform/text.h"
#include "screens/end_picture.h"
#include "screens/screen_blits.h"
#include "screens/screen_picture.h"

namespace kv {

HighScoreTable HighScores;

namespace {

constexpr std::uint32_t kModeHighScore = 17;
constexpr char kBackspace = 8;
constexpr char kEnter = 13;
constexpr char kCaret = '_';

void ClearTable() {
    HighScores = HighScoreTable{};
}

// The new row's typing starts with the caret alone.
void StartEntry(std::uint8_t row) {
    HighScores.entryRow = row;
    HighScores.edit.fill(0);
    HighScores.edit[0] = kCaret;
    HighScores.caret = 0;
}

std::string_view NameOf(const std::array<char, kHighScoreNameBytes>& name) {
    return {name.data(), strnlen(name.data(), name.size())};
}

int TextWidth(std::string_view text) {
    TextContext measure;
    measure.selectFont(FontLarge);
    return measure.textExtent(text).cx;
}

}  // namespace

std::string HighScorePath(int mission) {
    return "data\\high" + std::to_string(mission) + ".dat";
}

bool ReadHighScoreBytes(std::span<const std::uint8_t> file) {
    ClearTable();
    ByteReader in(file);
    const HighScoreFile f = ReadRecord<HighScoreFile>(in);
    // A version word of 100 means the file holds at least those two bytes.
    if (f.version != kHighScoreVersion) return false;
    // A short file holds the rows that lie whole in it; the others stay empty.
    const std::size_t held = std::min<std::size_t>(
        (file.size() - sizeof f.version) / kHighScoreRowBytes, kHighScoreRows);
    for (std::size_t i = 0; i < held; ++i) {
        HighScores.names[i] = f.rows[i].name;
        // The buffer stays as the file held it, but a name always ends within it.
        if (NameOf(f.rows[i].name).size() == kHighScoreNameBytes)
            HighScores.names[i][kHighScoreNameMax] = '\0';
        HighScores.points[i] = f.rows[i].points;
    }
    return true;
}

std::vector<std::uint8_t> HighScoreBytes() {
    HighScoreFile f;
    for (std::size_t i = 0; i < kHighScoreRows; ++i) {
        f.rows[i].name = HighScores.names[i];
        f.rows[i].points = static_cast<std::uint16_t>(HighScores.points[i]);
    }
    ByteWriter out;
    WriteRecord(out, f);
    return out.take();
}

std::uint8_t EnterHighScore(std::int32_t points) {
    // The table holds what the file can; comparing the kept value keeps an equal old row above.
    const std::int32_t kept = std::clamp<std::int32_t>(points, 0, kHighScoreMaxPoints);
    auto& rows = HighScores.points;
    if (kept <= rows[kHighScoreRows - 1]) return kNoEntryRow;
    int r = kHighScoreRows - 1;
    while (r > 0 && rows[static_cast<std::size_t>(r - 1)] < kept) --r;
    for (int i = kHighScoreRows - 1; i > r; --i) {
        HighScores.names[static_cast<std::size_t>(i)] =
            HighScores.names[static_cast<std::size_t>(i - 1)];
        rows[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(i - 1)];
    }
    HighScores.names[static_cast<std::size_t>(r)].fill(0);
    rows[static_cast<std::size_t>(r)] = kept;
    StartEntry(static_cast<std::uint8_t>(r));
    return static_cast<std::uint8_t>(r);
}

std::string_view HighScoreEditText() {
    return {HighScores.edit.data(), static_cast<std::size_t>(HighScores.caret) + 1};
}

void ResetHighScore() {
    FreeScreenPicture();
    FreeScreenBoxPicture();
    ClearTable();
}

bool ReadHighScoreFile() {
    const auto bytes = ReadFileBytes(ReadBackPath(HighScorePath(MissionNummer)));
    if (!bytes) {
        ClearTable();
        return false;
    }
    return ReadHighScoreBytes(*bytes);
}

bool WriteHighScoreFile() {
    if (HighScores.entryRow < kHighScoreRows) {
        auto& name = HighScores.names[HighScores.entryRow];
        name.fill(0);
        std::memcpy(name.data(), HighScores.edit.data(),
                    std::min<std::size_t>(HighScores.caret, kHighScoreNameMax));
    }
    HighScores.entryRow = kNoEntryRow;
    DrawHighScore();
    const std::string path = WritePath(HighScorePath(MissionNummer));
    if (WriteFileAtomic(path, HighScoreBytes())) return true;
    std::fprintf(stderr, "kestrivon: the high scores could not be written to %s\n", path.c_str());
    return false;
}

void OpenHighScore() {
    ResetHighScore();
    if (!LoadScreenPicture(ScreenBoxPicture, kHighBackPath, "file not found: HIGHBACK")) return;
    if (!LoadScreenPicture(ScreenPicture, kHighAniPath, "file not found: HIGHANI")) return;
    ReadHighScoreFile();
    EnterHighScore(EvaluationPoints);
    // The click that left the evaluation must not also leave this screen.
    PumpMessages();
    GameMode = kModeHighScore;
}

void DrawHighScore() {
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    DrawScreenFrame(ScreenPicture, 0, kHighAniX, kHighAniY, true);
    DrawScreenFrame(ScreenBoxPicture, 0, kHighBackX, kHighBackY, true);
    UnlockFrame();
    {
        DisplayDC dc(SurfaceId::Back);
        if (dc) {
            dc->setBkMode(TRANSPARENT);
            dc->selectFont(FontLarge);
            dc->setTextAlign(TA_LEFT | TA_TOP);
            for (int i = 0; i < kHighScoreRows; ++i) {
                const auto row = static_cast<std::size_t>(i);
                const bool typed = HighScores.entryRow == i;
                const int y = kHighScoreFirstRowY + kHighScoreRowStep * i;
                dc->setTextColor(typed ? Rgb(255, 0, 0) : Rgb(0, 0, 0));
                dc->textOut(kHighScoreNameX, y,
                            typed ? HighScoreEditText() : NameOf(HighScores.names[row]));
                char number[8];
                std::snprintf(number, sizeof number, "%2d.", i + 1);
                dc->textOut(kHighScoreNumberX, y, number);
                dc->textOut(kHighScorePointsX, y, std::to_string(HighScores.points[row]));
            }
        }
    }
    FlipFrame();
}

void RunHighScoreFrame() {
    DrawHighScore();
}

void OnHighScoreLButtonDown() {
    // While a name is typed, only Enter leaves.
    if (HighScores.entryRow == kNoEntryRow) CloseHighScore();
}

void OnHighScoreChar(std::uint32_t code) {
    if (HighScores.entryRow == kNoEntryRow) {
        CloseHighScore();
        return;
    }
    const auto ch = static_cast<char>(code);
    auto& caret = HighScores.caret;
    auto& edit = HighScores.edit;
    if (ch == kBackspace) {
        if (caret == 0) return;
        --caret;
        edit[caret] = kCaret;
        edit[caret + 1u] = '\0';
        return;
    }
    if (ch == kEnter) {
        CloseHighScore();
        return;
    }
    if (caret >= kHighScoreNameMax || TextWidth(HighScoreEditText()) >= kHighScoreNameWidth) return;
    edit[caret] = ch;
    ++caret;
    edit[caret] = kCaret;
    edit[caret + 1u] = '\0';
}

void CloseHighScore() {
    if (HighScores.entryRow != kNoEntryRow) WriteHighScoreFile();
    ResetHighScore();
    ShutdownMission(0);
    ++CampaignPosition;
    if (CampaignPosition >= kCampaignLength) {
        ShowEndPicture();
        return;
    }
    StartMission(kNewMission);
}

}  // namespace kv
