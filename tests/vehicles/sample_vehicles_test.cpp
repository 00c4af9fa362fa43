// Every vehicle type loads from the generated sample data, as the game will find it.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "vehicles/fahrzeug_sprites.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/vehicle_fixture.h"

namespace kv::test {
namespace {

// The scratch tree of the fixture is left for the sample data in each test.
using SampleVehiclesTest = VehicleTypesTest;

TEST_F(SampleVehiclesTest, AllTypesLoadWithEveryFrameAndFreeAgain) {
    WorkingDirectory cwd(KV_SAMPLEDATA_DIR);
    for (std::int16_t t = 0; t < kFahrzeugTypCount; ++t) LoadFahrzeugTyp(t);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    for (std::int16_t t = 0; t < kFahrzeugTypCount; ++t) {
        SCOPED_TRACE(kFahrzeugTypNames[t].name);
        EXPECT_EQ(FahrzeugTypLoaded(t), t != kTypNone);
        if (t == kTypNone) continue;
        const FahrzeugTyp& typ = FahrzeugTypen[t];
        EXPECT_GT(typ.speed, 0.0f);
        EXPECT_EQ((typ.kanone != nullptr), kFahrzeugTypRows[t].kanone != nullptr);
        // The generator drew every picture with the frame count the table asks for, the
        // optional ones too except the aircraft's unused facings and the shark's bites.
        for (const SpriteEntryRow& e : kFahrzeugTypRows[t].sprites)
            for (int d = 0; d < kDirectionCount; ++d) {
                if (!HasFacing(e.facings, d)) continue;
                const AnimSlot& s = typ.dirAnims[d][e.entry];
                const bool drawn = t != kTypF111 || d == 3;
                const bool optional = HasFacing(e.optionalFacings, d) && t == kTypHAI;
                if (drawn && !optional) {
                    EXPECT_EQ(s.frames, e.stem.empty() ? typ.dirAnims[d][0].frames : e.frames)
                        << e.stem << d;
                    EXPECT_NE(s.images, nullptr) << e.stem << d;
                }
            }
        // The driving entry's footprint is a vehicle's, not a dot.
        EXPECT_GT(typ.extent[2], 10);
        EXPECT_GT(typ.extent[3], 5);
    }
    // The boxes that the table gives fit inside their pictures.
    for (int d = 0; d < kDirectionCount; ++d) {
        const SpriteBox given = kFahrzeugTypRows[kTypF101].sprites[0].boxes[d];
        const VffImage& picture = FahrzeugTypen[kTypF101].dirAnims[d][0].images[0];
        EXPECT_GT(picture.width, given.right);
        EXPECT_GT(picture.height, given.bottom);
    }
    const VffImage& landed = FahrzeugTypen[kTypF203].dirAnims[3][3].images[0];
    EXPECT_GE(landed.width, 147);
    EXPECT_GE(landed.height, 37);

    for (std::int16_t t = 0; t < kFahrzeugTypCount; ++t) FreeFahrzeugTyp(t);
    for (std::int16_t t = 0; t < kFahrzeugTypCount; ++t) EXPECT_FALSE(FahrzeugTypLoaded(t));
}

TEST_F(SampleVehiclesTest, PicturesOpaqueWhereTheTablesGiveNoBox) {
    // Boxes that follow the pictures come from their opaque pixels, so a vehicle is never an
    // empty box: every standing picture in every facing has paint.
    WorkingDirectory cwd(KV_SAMPLEDATA_DIR);
    for (std::int16_t t = 0; t < kFahrzeugTypCount; ++t) {
        if (kFahrzeugTypNames[t].name.empty()) continue;
        const SpriteEntryRow& stay = kFahrzeugTypRows[t].sprites[0];
        for (int d = 0; d < kDirectionCount; ++d) {
            if (t == kTypF111 && d != 3) continue;
            VffImage* set = LoadVff(SpritePath(kFahrzeugTypNames[t].name, stay, d));
            ASSERT_NE(set, nullptr) << kFahrzeugTypNames[t].name << d;
            const SpriteBox box = OpaqueBox(set[0]);
            EXPECT_GT(box.right - box.left, 5) << kFahrzeugTypNames[t].name << d;
            FreeVff(set);
        }
    }
}

}  // namespace
}  // namespace kv::test
