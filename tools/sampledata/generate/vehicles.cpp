// The vehicle types: "data\cars\<code>.dat" for every data-file code, and the pictures under
// "cars\<name>\" for every type, as the sprite table asks for them.

#include <array>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>

#include "generate/topics.h"
#include "generate/vehicle_art.h"
#include "vehicles/fahrzeug_sprite_table.h"
#include "vehicles/fahrzeug_sprites.h"
#include "writers/fahrzeug_dat_writer.h"
#include "writers/image_writers.h"

namespace kv::sampledata {

namespace {

struct SampleDat {
    std::string_view code;
    FahrzeugDatNumbers numbers;  // price, seats, speed, campaign-map pace, heat protection
};

// clang-format off
// The player types' prices fit the missions' money: mission 1's winning purchase (two F110, an
// F104 with its crew of one, two F201 with a stretcher team each and one medic) costs 2950 of its
// 6000, and the helicopter with its crew, the aircraft and the fire boat each stay within 6000.
constexpr std::array kSampleDats = {
    SampleDat{"F101", {480, 6, 3, 2, 2000}},   SampleDat{"F102", {550, 9, 3, 2, 2000}},
    SampleDat{"F103", {520, 6, 3, 2, 2000}},   SampleDat{"F104", {600, 3, 3, 2, 2500}},
    SampleDat{"F105", {670, 3, 2, 1, 2500}},   SampleDat{"F106", {900, 2, 2, 1, 2000}},
    SampleDat{"F107", {1200, 2, 3, 2, 4000}},  SampleDat{"F108", {460, 3, 3, 2, 2000}},
    SampleDat{"F109", {500, 3, 3, 2, 2000}},   SampleDat{"F110", {700, 2, 2, -2, 2000}},
    SampleDat{"F111", {4000, 0, 6, 4, 0}},     SampleDat{"F113", {640, 2, 2, 1, 2000}},
    SampleDat{"F114", {300, 4, 3, 2, 1000}},   SampleDat{"F115", {4500, 4, 2, 1, 5000}},
    SampleDat{"F116", {200, 4, 4, 2, 1000}},   SampleDat{"F117", {420, 4, 3, 1, 2000}},
    SampleDat{"F118", {440, 4, 3, 1, 2000}},   SampleDat{"F119", {410, 2, 3, 2, 2000}},   
    SampleDat{"F201", {400, 4, 4, 3, 1500}},   SampleDat{"F202", {250, 2, 4, 3, 1500}},
    SampleDat{"F203", {5000, 3, 5, 5, 3000}},  SampleDat{"F204", {550, 2, 2, 1, 2000}},
    SampleDat{"F301", {200, 4, 4, 3, 1000}},   SampleDat{"F302", {300, 9, 3, 2, 1500}},
    SampleDat{"F303", {700, 2, 2, 1, 4000}},   SampleDat{"ZF", {0, 0, 3, 1, 500}},
    SampleDat{"HAI", {0, 0, 2, 1, 30000}},
};
// clang-format on

const FahrzeugDatNumbers* SampleNumbers(std::string_view code) {
    for (const SampleDat& d : kSampleDats)
        if (d.code == code) return &d.numbers;
    return nullptr;
}

}  // namespace

bool WriteVehicleData(const OutputTree& out) {
    std::set<std::string_view> written;
    for (const FahrzeugTypName& t : kFahrzeugTypNames) {
        if (t.code.empty() || !written.insert(t.code).second) continue;
        const FahrzeugDatNumbers* numbers = SampleNumbers(t.code);
        if (numbers == nullptr) {
            std::fprintf(stderr, "no sample numbers for data\\cars\\%s.dat\n",
                         std::string(t.code).c_str());
            return false;
        }
        if (!out.write("data\\cars\\" + std::string(t.code) + ".dat", MakeFahrzeugDat(*numbers)))
            return false;
    }
    return true;
}

bool WriteVehicleSprites(const OutputTree& out) {
    for (int type = 0; type < kFahrzeugTypCount; ++type) {
        const std::string_view name = kFahrzeugTypNames[type].name;
        const FahrzeugTypRow& row = kFahrzeugTypRows[type];
        for (const SpriteEntryRow& e : row.sprites)
            for (int d = 0; d < kDirectionCount; ++d) {
                if (!VehiclePictureWanted(type, e, d)) continue;
                const auto frames = DrawVehiclePicture(type, e, d);
                // One folder per type: the loader finds the ones it spells in lower case there.
                SpriteEntryRow file = e;
                file.lowerFolder = false;
                if (!out.write(SpritePath(name, file, d), MakeVff(frames))) return false;
            }
        if (row.kanone != nullptr)
            for (int c = 0; c < kDirectionCount; ++c) {
                const Canvas picture[] = {DrawKanonePicture(*row.kanone, c)};
                if (!out.write(KanonePath(name, c), MakeVff(picture))) return false;
            }
    }
    const std::string shadow =
        "cars\\" + std::string(kFahrzeugTypNames[kTypF203].name) + "\\schatten.aff";
    return out.write(shadow, MakeAff(DrawHeliShadow()));
}

}  // namespace kv::sampledata
