#include "writers/tile_set_writer.h"

#include "platform/bytes.h"
#include "writers/run_tile_writer.h"

namespace kv::sampledata {

std::vector<std::uint8_t> WriteTileSetFile(const TileSetFile& set) {
    ByteWriter out;
    out.u16(static_cast<std::uint16_t>(set.tiles.size()));
    for (const TileTyp& t : set.tiles) WriteRecord(out, t);
    out.u16(static_cast<std::uint16_t>(set.images.size()));
    for (const RunImage& image : set.images) WriteRunImage(out, image);
    out.bytes(set.phaseA);
    if (!set.phaseA.empty()) out.bytes(set.phaseB);
    return out.take();
}

}  // namespace kv::sampledata
