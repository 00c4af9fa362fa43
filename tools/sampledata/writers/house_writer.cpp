#include "writers/house_writer.h"

#include "platform/bytes.h"
#include "writers/run_tile_writer.h"

namespace kv::sampledata {

std::vector<std::uint8_t> WriteHouseFile(const HouseFile& house) {
    ByteWriter out;
    out.text(house.magic);
    out.u16(static_cast<std::uint16_t>(house.floors.size()));
    for (const HouseFloorData& floor : house.floors) {
        out.text("Info");
        out.u16(floor.extentI);
        out.u16(floor.extentJ);
        out.text("Data");
        for (const HouseCell& cell : floor.cells) WriteRecord(out, cell);
    }
    return out.take();
}

std::vector<std::uint8_t> WriteHouseImageSetFile(const HouseImageSetFile& set) {
    ByteWriter out;
    WriteTileRecordsAndImages(out, set.table, set.images);
    return out.take();
}

std::vector<std::uint8_t> WriteHouseFlameSetFile(const HouseFlameSetFile& set) {
    ByteWriter out;
    out.u16(static_cast<std::uint16_t>(set.frames.size()));
    out.u16(set.spare);
    out.u16(set.ticks);
    for (const RunImage& frame : set.frames) WriteRunImage(out, frame);
    return out.take();
}

}  // namespace kv::sampledata
