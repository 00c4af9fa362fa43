#pragma once
// A test over the vehicle types: a scratch data tree as the working directory, and every type
// record cleared before and after.

#include <optional>
#include <string>
#include <string_view>

#include "support/headless_test.h"
#include "vehicles/fahrzeug_sprite_table.h"
#include "writers/canvas.h"
#include "writers/fahrzeug_dat_writer.h"

namespace kv::test {

class VehicleTypesTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Frees every type and zeroes the records.
    static void ClearTypes();

    // The type's data file (shared codes once) and every picture its loader may ask for, each
    // frame a canvas of w x h holding one opaque block at `opaque`; the cannon pictures too.
    void WriteType(int type, SpriteBox opaque = {2, 3, 15, 12}, int w = 20, int h = 16);
    // The same into another folder, such as one a whole suite shares.
    static void WriteTypeIn(const ScratchDir& dir, int type, SpriteBox opaque = {2, 3, 15, 12},
                            int w = 20, int h = 16);
    void WriteDat(std::string_view code, const sampledata::FahrzeugDatNumbers& numbers);
    // Writes or replaces an image set at a game path, every frame the same picture.
    void WritePicture(std::string_view gamePath, const sampledata::Canvas& frame, int frames = 1);
    // Writes or replaces a file at a game path.
    void WriteFile(std::string_view gamePath, const std::string& content);
    void Remove(std::string_view gamePath);

    ScratchDir dir;

  private:
    std::optional<WorkingDirectory> cwd_;
};

}  // namespace kv::test
