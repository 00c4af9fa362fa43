#pragma once
// The three fonts of the game's screens.

#include "platform/text.h"

namespace kv {

extern FontHandle FontLarge;  // Arial 21 px
extern FontHandle FontBold;   // Arial 14 px bold
extern FontHandle FontSmall;  // Arial 12 px

void CreateGameFonts();
void DeleteGameFonts();

}  // namespace kv
