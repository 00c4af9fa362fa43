// The colour-blend caches, made from the palettes they belong to exactly as the game makes them,
// so that the game finds them valid and starts without computing.

#include "generate/topics.h"
#include "gfx/blend_tables.h"
#include "writers/karte_palette.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

bool WriteCache(const OutputTree& out, const BlendCache& cache, const GamePalette& palette) {
    static BlendTable table;
    ComputeBlendTable(palette, cache.percent, table);
    return out.write(cache.path, BlendCacheBytes(cache.percent, table));
}

}  // namespace

bool WriteBlendCaches(const OutputTree& out) {
    // The game palette as the game holds it after loading: with the blue lights' start colour.
    GamePalette game = MakeSamplePalette();
    SetBlueLightStart(game);
    return WriteCache(out, kTransTable20, game) && WriteCache(out, kTransTable50, game) &&
           WriteCache(out, kMapTransTable, MakeKartePalette());
}

}  // namespace kv::sampledata
