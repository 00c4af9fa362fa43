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

void WriteFileIn(const ScratchDir& dir, std::string_view gamePath, const std::string& content) {
    dir.write(HostPath(gamePath), content);
}

void WritePictureIn(const ScratchDir& dir, std::string_view gamePath,
                    const sampledata::Canvas& frame, int frames) {
    const std::vector<sampledata::Canvas> set(static_cast<std::size_t>(frames), frame);
    WriteFileIn(dir, gamePath, Bytes(sampledata::MakeVff(set)));
}

void WriteDatIn(const ScratchDir& dir, std::string_view code,
                const sampledata::FahrzeugDatNumbers& numbers) {
    WriteFileIn(dir, "data\\cars\\" + std::string(code) + ".dat",
                Bytes(sampledata::MakeFahrzeugDat(numbers)));
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
    WriteFileIn(dir, gamePath, content);
}

void VehicleTypesTest::WritePicture(std::string_view gamePath, const sampledata::Canvas& frame,
                                    int frames) {
    WritePictureIn(dir, gamePath, frame, frames);
}

void VehicleTypesTest::Remove(std::string_view gamePath) {
    std::filesystem::remove(dir.path() / HostPath(gamePath));
}

void VehicleTypesTest::WriteDat(std::string_view code,
                                const sampledata::FahrzeugDatNumbers& numbers) {
    WriteDatIn(dir, code, numbers);
}

void VehicleTypesTest::WriteType(int type, SpriteBox opaque, int w, int h) {
    WriteTypeIn(dir, type, opaque, w, h);
}

void VehicleTypesTest::WriteTypeIn(const ScratchDir& dir, int type, SpriteBox opaque, int w,
                                   int h) {
    const std::string_view name = kFahrzeugTypNames[type].name;
    WriteDatIn(dir, kFahrzeugTypNames[type].code, {1000, 4, 3, 2, 100});
    sampledata::Canvas picture(w, h);
    picture.fillRect(opaque.left, opaque.top, opaque.right - opaque.left + 1,
                     opaque.bottom - opaque.top + 1, 7);
    for (const SpriteEntryRow& e : kFahrzeugTypRows[type].sprites) {
        if (e.stem.empty()) continue;
        for (int d = 0; d < kDirectionCount; ++d)
            if (HasFacing(e.facings, d))
                WritePictureIn(dir, SpritePath(name, e, d), picture, e.frames);
    }
    if (kFahrzeugTypRows[type].kanone != nullptr)
        for (int c = 0; c < kDirectionCount; ++c)
            WritePictureIn(dir, KanonePath(name, c), sampledata::Canvas(4, 4, 9), 1);
}

}  // namespace kv::test
