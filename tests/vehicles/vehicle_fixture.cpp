#include "vehicles/vehicle_fixture.h"

#include <filesystem>
#include <vector>

#include "mission/game_state.h"
#include "vehicles/fahrzeug_sprites.h"
#include "vehicles/fahrzeug_typ.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv::test {

namespace {

std::string HostPath(std::string_view gamePath) {
    std::string p(gamePath);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::string Bytes(const std::vector<std::uint8_t>& data) {
    return {data.begin(), data.end()};
}

}  // namespace

void VehicleTypesTest::SetUp() {
    HeadlessTest::SetUp();
    ClearTypes();
    cwd_.emplace(dir.path());
}

void VehicleTypesTest::TearDown() {
    ClearTypes();
    cwd_.reset();
    HeadlessTest::TearDown();
}

void VehicleTypesTest::ClearTypes() {
    ResetGameState();
    FahrzeugTypen = {};
}

void VehicleTypesTest::WriteFile(std::string_view gamePath, const std::string& content) {
    dir.write(HostPath(gamePath), content);
}

void VehicleTypesTest::WritePicture(std::string_view gamePath, const sampledata::Canvas& frame,
                                    int frames) {
    const std::vector<sampledata::Canvas> set(static_cast<std::size_t>(frames), frame);
    WriteFile(gamePath, Bytes(sampledata::MakeVff(set)));
}

void VehicleTypesTest::Remove(std::string_view gamePath) {
    std::filesystem::remove(dir.path() / HostPath(gamePath));
}

void VehicleTypesTest::WriteDat(std::string_view code,
                                const sampledata::FahrzeugDatNumbers& numbers) {
    WriteFile("data\\cars\\" + std::string(code) + ".dat",
              Bytes(sampledata::MakeFahrzeugDat(numbers)));
}

void VehicleTypesTest::WriteType(int type, SpriteBox opaque, int w, int h) {
    const std::string_view name = kFahrzeugTypNames[type].name;
    WriteDat(kFahrzeugTypNames[type].code, {1000, 4, 3, 2, 100});
    sampledata::Canvas picture(w, h);
    picture.fillRect(opaque.left, opaque.top, opaque.right - opaque.left + 1,
                     opaque.bottom - opaque.top + 1, 7);
    for (const SpriteEntryRow& e : kFahrzeugTypRows[type].sprites) {
        if (e.stem.empty()) continue;
        for (int d = 0; d < kDirectionCount; ++d)
            if (HasFacing(e.facings, d)) WritePicture(SpritePath(name, e, d), picture, e.frames);
    }
    if (kFahrzeugTypRows[type].kanone != nullptr)
        for (int c = 0; c < kDirectionCount; ++c)
            WritePicture(KanonePath(name, c), sampledata::Canvas(4, 4, 9));
}

}  // namespace kv::test
