// House files, house picture sets and flame sets: any bytes either load or are refused. The first
// byte chooses the loader (and for a house file its type); a loaded house type is placed three
// times on a small map, over its edges too, and its flame layers, facade and furniture cells are
// worked through.

#include <cstdint>
#include <span>
#include <vector>

#include "core/hover.h"
#include "core/main_window.h"
#include "core/view.h"
#include "support/fuzz_support.h"
#include "world/furniture.h"
#include "world/house_images.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/tile_set.h"
#include "writers/level_writer.h"

namespace {

void PlaceType(int type) {
    static const std::vector<std::uint8_t> level = [] {
        kv::sampledata::LevelFile l;
        l.width = 10;
        l.height = 6;
        l.cells.resize(60);
        return kv::sampledata::WriteLevelFile(l);
    }();
    if (!kv::LoadLevelMapFromBytes(level, "fuzz.lev")) return;
    kv::HouseCount = 3;
    kv::InitHouseList();
    kv::AddHouse(static_cast<std::uint8_t>(type), -2, -1, 0, 0, 1);
    kv::AddHouse(static_cast<std::uint8_t>(type), 4, 2, 0, 0, 1);
    kv::AddHouse(static_cast<std::uint8_t>(type), 8, 5, 0, 0, 1);
    for (int n = 0; n < 3; ++n) kv::PrepareHouse(n);

    // Every flame layer burning with the sets its cell names, as the fire would start them.
    const kv::HouseTyp& t = kv::HouseTypen[static_cast<std::size_t>(type)];
    for (kv::House& h : kv::Houses)
        for (std::size_t f = 0; f < h.floors.size(); ++f)
            for (int i = 0; i < t.extentI; ++i)
                for (int j = 0; j < t.extentJ; ++j) {
                    const kv::HouseCell& c = t.cell(static_cast<int>(f), i, j);
                    const std::uint8_t sets[3] = {c.lowerFlames, c.middleFlames, c.upperFlames};
                    for (int layer = 0; layer < 3; ++layer)
                        h.floors[f]
                            .flames[static_cast<std::size_t>(layer)][static_cast<std::size_t>(i)]
                                   [static_cast<std::size_t>(j)]
                            .kind = static_cast<std::uint8_t>(sets[layer] + 4);
                }
    for (int tick = 0; tick < 20; ++tick) kv::UpdateCellAnimations();

    for (const kv::MapCell& c : kv::MapCells) kv::DecodeHouseLink(c.tile);
    kv::HoverKind = 1;
    kv::HoverIds = {0, 0, 0, 1};
    for (int y = 0; y < 300; y += 7) {
        kv::MouseY = static_cast<std::uint16_t>(y);
        kv::MouseX = static_cast<std::uint16_t>(y * 2);
        kv::GetHouseFacadeFlagAtMouse();
    }
    for (const kv::HouseObj& piece : t.furniture) {
        int i = 0;
        int j = 0;
        kv::HouseObjCell(piece.slot, piece.x, piece.y, i, j);
    }
    // No furniture pictures here: the first piece that stands in its house reports them missing.
    if (t.furnitureCount > 0) kv::CreateHouseObjs(t.furnitureCount * 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    if (size < 1) return 0;
    const std::span<const std::uint8_t> body(data + 1, size - 1);
    switch (data[0] % 3) {
        case 0: {
            const int type = data[0] / 3 % kv::kHouseTypCount;
            if (kv::LoadHouseTypFromBytes(type, body, "fuzz.hlv")) PlaceType(type);
            break;
        }
        case 1: {
            kv::HouseImageSet set;
            kv::ByteReader in(body);
            kv::ReadHouseImageSet(in, set);
            kv::FreeHouseImageSet(set);
            break;
        }
        default: {
            // A flame set read into the first lower set animates a one-cell house.
            kv::ByteReader in(body);
            if (kv::ReadHouseFlameSet(in, kv::LowerFlameSets[0])) {
                kv::Houses.assign(1, kv::House{});
                kv::Houses[0].type = 0;
                kv::Houses[0].floors.assign(1, kv::HouseFloor{});
                kv::HouseTypen[0].extentI = 1;
                kv::HouseTypen[0].extentJ = 1;
                kv::Houses[0].floors[0].flames[0][0][0].kind = kv::kFlameFirstSet;
                for (int tick = 0; tick < 50; ++tick) kv::UpdateHouseFlameAnims();
            }
            break;
        }
    }
    kv::FreeHouses();
    kv::FreeLevelMap();
    return 0;
}
