#include "gfx/fonts.h"

#include <cstdio>

namespace kv {

FontHandle FontLarge = nullptr;
FontHandle FontBold = nullptr;
FontHandle FontSmall = nullptr;

void CreateGameFonts() {
    FontLarge = CreateFont("Arial", 21, 400);
    FontBold = CreateFont("Arial", 14, 700);
    FontSmall = CreateFont("Arial", 12, 400);
    if (FontLarge == nullptr || FontBold == nullptr || FontSmall == nullptr)
        std::fprintf(stderr,
                     "Kestrivon: Liberation Sans not found (package fonts-liberation, or Font Dir= "
                     "in kestrivon.ini); texts stay empty.\n");
}

void DeleteGameFonts() {
    for (FontHandle* font : {&FontLarge, &FontBold, &FontSmall}) {
        DeleteFont(*font);
        *font = nullptr;
    }
}

}  // namespace kv
