#pragma once
// The one picture handle that the full-screen screens load their first picture into: the won
// screen's banner, the options, the evaluation's panel and the high scores. Only one of them is
// open at a time.

#include "gfx/image_files.h"

namespace kv {

extern VffImage* ScreenPicture;

// Frees the held picture, if any.
void FreeScreenPicture();

}  // namespace kv
