#pragma once
// The yes/no box the options screen asks its questions in (quit the program, restart the
// mission), drawn over the options panel.

#include <string_view>

namespace kv {

inline constexpr std::string_view kYesNoBoxPath = "graphs\\yesnobox.vff";

struct ScreenPoint {
    int x;
    int y;
};
// An inclusive screen rectangle.
struct OptionsRect {
    int left;
    int top;
    int right;
    int bottom;
    constexpr bool contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

// The box, its question and its answers; the answers' texts stand left of their buttons.
inline constexpr ScreenPoint kYesNoBoxPos{208, 20};
inline constexpr ScreenPoint kQuestionTextPos{259, 66};
inline constexpr ScreenPoint kYesTextPos{488, 155};
inline constexpr ScreenPoint kNoTextPos{488, 190};
inline constexpr OptionsRect kYesRect{574, 148, 603, 177};
inline constexpr OptionsRect kNoRect{574, 183, 603, 212};

inline constexpr std::string_view kQuitQuestion = "PROGRAMM BEENDEN?";
inline constexpr std::string_view kRestartQuestion = "MISSION NEU STARTEN?";
inline constexpr std::string_view kYesText = "JA";
inline constexpr std::string_view kNoText = "NEIN";

// The box (ScreenBoxPicture) with the question's text and the answers, into the current draw
// target; question 1 quits, 2 restarts.
void DrawYesNoBox(int question);

}  // namespace kv
