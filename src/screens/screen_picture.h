#pragma once
// The one picture handle that the full-screen screens load their first picture into: the won
// screen's banner, the options, the evaluation's panel and the high scores. Only one of them is
// open at a time.

#include <string_view>

#include "gfx/image_files.h"

namespace kv {

extern VffImage* ScreenPicture;
// The second picture of the screens that have one: the options' yes/no box, the load and save
// screens' slot box, the high scores' background.
extern VffImage* ScreenBoxPicture;

// Loads a screen's picture into its handle; a missing file ends the game with the message.
// False then.
bool LoadScreenPicture(VffImage*& handle, std::string_view path, const char* message);
// Frees the held picture, if any.
void FreeScreenPicture();
void FreeScreenBoxPicture();

}  // namespace kv
