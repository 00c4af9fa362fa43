#pragma once
// The high-score table (game mode 17), shown after the evaluation of a won mission: the mission's
// ten best results, each with a name. Points that beat the tenth row open a new row for the
// player's name; leaving stores the table in the mission's file and moves the campaign on.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/record_fields.h"

namespace kv {

inline constexpr std::string_view kHighAniPath = "graphs\\d\\highani.vff";
inline constexpr std::string_view kHighBackPath = "graphs\\highback.vff";
inline constexpr int kHighAniX = 11;
inline constexpr int kHighAniY = 18;
inline constexpr int kHighBackX = 11;
inline constexpr int kHighBackY = 93;
// Row i stands at y 118 + 35 i: its number, its name and its points.
inline constexpr int kHighScoreFirstRowY = 118;
inline constexpr int kHighScoreRowStep = 35;
inline constexpr int kHighScoreNumberX = 53;
inline constexpr int kHighScoreNameX = 84;
inline constexpr int kHighScorePointsX = 401;

inline constexpr int kHighScoreRows = 10;
inline constexpr std::size_t kHighScoreNameBytes = 50;
inline constexpr std::uint16_t kHighScoreVersion = 100;
inline constexpr std::uint8_t kNoEntryRow = 255;
// A typed name stops at 49 characters, or once it is this wide with its caret in the large font.
inline constexpr std::size_t kHighScoreNameMax = kHighScoreNameBytes - 1;
inline constexpr int kHighScoreNameWidth = 265;
// The points a row can hold: the file keeps 16 bits.
inline constexpr std::int32_t kHighScoreMaxPoints = 65535;

// One row of the file: the name ended by a 0 byte (the bytes after it are whatever the buffer
// held), then the points.
struct HighScoreFileRow {
    std::array<char, kHighScoreNameBytes> name{};
    std::uint16_t points = 0;
};
template <class V>
constexpr void VisitFields(HighScoreFileRow& r, V& v) {
    v("name", r.name);
    v("points", r.points);
}

// The whole file "data\high%d.dat", one per mission.
struct HighScoreFile {
    std::uint16_t version = kHighScoreVersion;
    std::array<HighScoreFileRow, kHighScoreRows> rows{};
};
template <class V>
constexpr void VisitFields(HighScoreFile& r, V& v) {
    v("version", r.version);
    v("rows", r.rows);
}
inline constexpr std::size_t kHighScoreRowBytes = RecordSize<HighScoreFileRow>();
inline constexpr std::size_t kHighScoreFileBytes = RecordSize<HighScoreFile>();
static_assert(kHighScoreRowBytes == 52);
static_assert(FieldOffset<HighScoreFileRow>("points") == 50);
static_assert(FieldOffset<HighScoreFile>("rows") == 2);
static_assert(kHighScoreFileBytes == 522);

// The table while the screen is open: names, points widened without sign, the row being typed
// (kNoEntryRow none), and the typed text with its caret "_" behind it.
struct HighScoreTable {
    std::array<std::array<char, kHighScoreNameBytes>, kHighScoreRows> names{};
    std::array<std::int32_t, kHighScoreRows> points{};
    std::uint8_t entryRow = kNoEntryRow;
    // Room for 49 characters, the caret and the terminator.
    std::array<char, kHighScoreNameBytes + 1> edit{};
    std::uint8_t caret = 0;
};
extern HighScoreTable HighScores;

// "data\high%d.dat" of a mission.
std::string HighScorePath(int mission);
// The table from a file's bytes: false, leaving the table empty, for another version than 100.
// Rows that a short file does not hold whole are empty with 0 points; a name without its 0 byte
// is cut at 49 characters.
bool ReadHighScoreBytes(std::span<const std::uint8_t> file);
// The file's bytes of the table: the whole name buffers, the points' low 16 bits.
std::vector<std::uint8_t> HighScoreBytes();

// Points that beat row 9 open a row at their place: the rows below move down one, the old row 9
// drops out. Points are kept within 0..65535. Returns the new row, or kNoEntryRow.
std::uint8_t EnterHighScore(std::int32_t points);
// The typed text with its caret.
std::string_view HighScoreEditText();

// Loads the pictures, reads the mission's table, opens a row for EvaluationPoints when they beat
// the tenth, drops the input queued meanwhile and shows mode 17.
void OpenHighScore();
// The running mission's file: false when it is missing or not version 100 (the table is then
// empty).
bool ReadHighScoreFile();
// Ends the entry, draws the finished table once and writes the file; false when it could not be
// written (the old file stays, and stderr says so).
bool WriteHighScoreFile();
void RunHighScoreFrame();
void DrawHighScore();
void OnHighScoreLButtonDown();
void OnHighScoreChar(std::uint32_t ch);
// Writes a typed row, frees the screen, ends the mission, and starts the next one of the
// campaign order or, after the last, shows the end picture.
void CloseHighScore();

// The screen's pictures and table freed, as before the first mission.
void ResetHighScore();

}  // namespace kv
