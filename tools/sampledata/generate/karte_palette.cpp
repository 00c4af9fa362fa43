#include "writers/karte_palette.h"
#include "generate/topics.h"
#include "writers/image_writers.h"

namespace kv::sampledata {

bool WriteKartePalette(const OutputTree& out) {
    return out.write("basen\\karte.pal", MakePal(MakeKartePalette()));
}

}  // namespace kv::sampledata
