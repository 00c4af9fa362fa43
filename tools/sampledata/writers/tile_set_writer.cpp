#include "writers/tile_set_writer.h"

#include "writers/run_tile_writer.h"

namespace kv::sampledata {

void WriteTileRecordsAndImages(ByteWriter& out, std::span<const TileTyp> tiles,
                               const RunImageSet& images) {
    out.u16(static_cast<std::uint16_t>(tiles.size()));
    for (const TileTyp& t : tiles) WriteRecord(out, t);
    out.u16(static_cast<std::uint16_t>(images.size()));
    for (const RunImage& image : images) WriteRunImage(out, image);
}

std::vector<std::uint8_t> WriteTileSetFile(const TileSetFile& set) {
    ByteWriter out;
    WriteTileRecordsAndImages(out, set.tiles, set.images);
    out.bytes(set.phaseA);
    if (!set.phaseA.empty()) out.bytes(set.phaseB);
    return out.take();
}

}  // namespace kv::sampledata
