#pragma once
// The evaluation after a won mission (game mode 18): the heading "Ergebnis", the mission's result
// lines each with a bar and a marker for its percentage, the efficiency with its bar, and the
// points, over the frozen mission view. A click or key leads on to the high scores.

#include <array>
#include <cstdint>
#include <string_view>

#include "gfx/image_files.h"

namespace kv {

inline constexpr std::string_view kAuswertungPath = "graphs\\auswert.vff";
inline constexpr std::string_view kAuswertungFontPath = "graphs\\awerfont.vff";
// The frames of the evaluation pictures.
inline constexpr std::size_t kAuswertungPanelFrame = 0;
inline constexpr std::size_t kAuswertungBarFrame = 1;
inline constexpr std::size_t kAuswertungMarkerFrame = 2;

// The panel and the column the texts are centred in.
inline constexpr int kAuswertungPanelX = 53;
inline constexpr int kAuswertungPanelY = 42;
inline constexpr int kAuswertungColumnWidth = 530;
inline constexpr int kAuswertungBarX = 138;
// A marker stands at 156 for 0 % and 296 further right for 100 %.
inline constexpr int kAuswertungMarkerX = 156;
inline constexpr int kAuswertungMarkerSpan = 296;
// Rows of a text broken by "|".
inline constexpr int kAuswertungRowStep = 12;

// The evaluation font's frame for every Windows-1252 code: digits 1..10, capitals 11..36, small
// letters 37..62, the umlauts 63..68, ":" 69, "." 70, "%" 71; every other code the blank 0.
inline constexpr int kAuswertungGlyphCount = 72;
inline constexpr std::array<std::uint8_t, 256> kAuswertungGlyphs = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 10; ++c) t['0' + c] = static_cast<std::uint8_t>(1 + c);
    for (int c = 0; c < 26; ++c) {
        t['A' + c] = static_cast<std::uint8_t>(11 + c);
        t['a' + c] = static_cast<std::uint8_t>(37 + c);
    }
    t[196] = 63;  // Ä
    t[214] = 64;  // Ö
    t[220] = 65;  // Ü
    t[228] = 66;  // ä
    t[246] = 67;  // ö
    t[252] = 68;  // ü
    t[':'] = 69;
    t['.'] = 70;
    t['%'] = 71;
    return t;
}();

// Held while the evaluation is open: the panel, bar and marker are in ScreenPicture.
extern VffImage* AuswertungFont;

// Loads the pictures, lets the mission fill its lines, drops the input queued meanwhile and
// shows mode 18.
void OpenAuswertung();
void RunAuswertungFrame();
void DrawAuswertung();
void OnAuswertungLButtonDown();
void OnAuswertungKeyDown();
// Frees the pictures and goes on to the high scores.
void CloseAuswertung();

// The evaluation's pictures freed, as before the first mission.
void ResetAuswertung();

// A text (Windows-1252) in the evaluation font, its left edge at x, its top at y; "|" starts a
// row 12 lower at the same x, codes below 32 are skipped.
void DrawAuswertungText(int x, int y, std::string_view text);
// The same, centred in the column 530 wide from x 53.
void DrawAuswertungTextCentered(int y, std::string_view text);
// The width the centring uses: every glyph of code 32 and up with one pixel after it, "|" too.
int AuswertungTextWidth(std::string_view text);

}  // namespace kv
