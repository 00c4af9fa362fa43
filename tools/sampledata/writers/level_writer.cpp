#include "writers/level_writer.h"

#include "platform/bytes.h"

namespace kv::sampledata {

std::vector<std::uint8_t> WriteLevelFile(const LevelFile& level) {
    ByteWriter out;
    out.text(level.magic);
    out.text("Info");
    out.u16(level.infoWord);
    out.u16(level.width);
    out.u16(level.height);
    out.text("Data");
    for (const MapCell& c : level.cells) WriteRecord(out, c);
    out.text("Init");
    out.i16(static_cast<std::int16_t>(level.burning.size()));
    for (const CellPos& p : level.burning) {
        out.i16(static_cast<std::int16_t>(p.column));
        out.i16(static_cast<std::int16_t>(p.row));
    }
    out.text("Node");
    out.i16(static_cast<std::int16_t>(level.nodes.size()));
    for (const RoadNode& n : level.nodes) WriteRecord(out, n);
    return out.take();
}

}  // namespace kv::sampledata
