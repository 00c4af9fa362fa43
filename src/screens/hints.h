#pragma once
// The hints screen (game mode 19), opened from the options: the mission's tips in capitals in the
// hints frame over the options panel, while the screen behind the options keeps running. Any
// click or key goes back to the options.

#include <string>
#include <string_view>

#include "gfx/image_files.h"

namespace kv {

// The whole hint file, upper-cased; empty when the mission has none.
extern std::string HintText;
// The hints frame, held while the screen is open.
extern VffImage* HintsImages;

inline constexpr std::string_view kHintsPicturePath = "graphs\\hints.vff";
// "data\d\hints\<code>.dat", or "<code>b.dat" in a second part.
inline constexpr std::string_view kHintsFolder = "data\\d\\hints\\";
inline constexpr int kHintsFrameX = 208;
inline constexpr int kHintsFrameY = 20;
inline constexpr int kHintsTitleX = 348;
inline constexpr int kHintsTitleY = 66;
inline constexpr std::string_view kHintsTitle = "TIPS";
inline constexpr int kHintsTextX = 253;
inline constexpr int kHintsTextY = 146;
// A line of the hint text breaks once it runs further right than this.
inline constexpr int kHintsColumnWidth = 295;

void OpenHints();
// Frees the pictures and the text, and goes back to the options.
void CloseHints();
void RunHintsFrame();
void OnHintsLButtonDown();
void OnHintsRButtonDown();
void OnHintsKeyDown();

// The running mission's hint file into HintText.
void LoadHintText();
void DrawHints();
void DrawHintsText();
// Text in a bitmap font, broken into lines at the blanks to fit the column: a CR ends a line and
// its LF is skipped, other control codes are skipped, lines lie 12 pixels apart.
void DrawWrappedText(int x, int y, std::string_view text, const VffImage* font);

// Windows-1252 upper case, as the system's letter-case conversion makes it: umlauts included.
std::string UpperCaseCp1252(std::string_view text);

// The hints screen closed, as at program start.
void ResetHints();

}  // namespace kv
