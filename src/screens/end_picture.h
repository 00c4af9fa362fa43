#pragma once
// The end picture (game mode 16): after the last mission of the campaign one full-screen picture
// stays on screen until a click or a key ends the game.

#include <cstdint>
#include <string_view>

namespace kv {

inline constexpr std::string_view kEndPicturePath = "graphs\\d\\ende.cff";

// Loads the picture with its palette into the WorkBuffer, shows it and fades it in.
void ShowEndPicture();
// The WorkBuffer on the screen.
void DrawEndPicture();
// Both fade to black and close the main window, which ends the program.
void OnEndPictureLButtonDown();
void OnEndPictureKeyDown();

}  // namespace kv
