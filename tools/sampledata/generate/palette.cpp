#include "generate/topics.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

bool WriteGamePalette(const OutputTree& out) {
    return out.write("graphs\\farben.pal", MakePal(MakeSamplePalette()));
}

}  // namespace kv::sampledata
