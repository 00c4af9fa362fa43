#include "generate/topics.h"
#include "writers/bitmap_font_writer.h"
#include "writers/image_writers.h"

namespace kv::sampledata {

bool WriteBitmapFonts(const OutputTree& out) {
    return out.write(kAnzFontPath, MakeVff(MakeBitmapFontGlyphs(AnzFontStyle()))) &&
           out.write(kAnzFontLittlePath, MakeVff(MakeBitmapFontGlyphs(AnzFontLittleStyle())));
}

}  // namespace kv::sampledata
