// Every vehicle type loads from the generated sample data, as the game will find it.

#include <gtest/gtest.h>

#include <vector>

#include "core/fatal_error.h"
#include "gfx/primitives.h"
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

// Parked cars stand in rows as close as 28 px apart (across their length: side by side in facings 1
// and 7, one above the other in 3 and 9), any make beside any other, traffic cars among them, and
// facing either way: their footprints must leave each neighbour free, or a car placed in such a row
// stands inside the next. The traffic vans are taller than that in 3 and 9, the facings they drive
// in along the streets, so they are left out there: no car park holds them so.
TEST_F(SampleVehiclesTest, ParkedCarsTwentyEightApartNeverTouch) {
    WorkingDirectory cwd(KV_SAMPLEDATA_DIR);
    constexpr int kSpacing = 28;
    struct Row {
        int facings[2];
        int dx;
        int dy;
        bool vans;
    };
    const Row rows[] = {{{1, 7}, kSpacing, 0, true}, {{3, 9}, 0, kSpacing, false}};
    const auto left = [](std::int16_t type, const Row& row) {
        return !row.vans && (type == kTypZF01 + 3 || type == kTypZF01 + 6);
    };
    std::vector<std::int16_t> cars;
    for (std::int16_t k = 0; k < 8; ++k) {
        cars.push_back(static_cast<std::int16_t>(kTypZF01 + k));
        cars.push_back(static_cast<std::int16_t>(kTypPARK01 + k));
    }
    for (std::int16_t t : cars) LoadFahrzeugTyp(t);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    int pairs = 0;
    for (const Row& row : rows)
        for (std::int16_t a : cars)
            for (std::int16_t b : cars) {
                if (left(a, row) || left(b, row)) continue;
                for (int fa : row.facings)
                    for (int fb : row.facings) {
                        const Rect16 first =
                            SlotFootprint(FahrzeugTypen[a].dirAnims[fa][0], 1000.0f, 1000.0f);
                        const Rect16 next = SlotFootprint(FahrzeugTypen[b].dirAnims[fb][0],
                                                          1000.0f + row.dx, 1000.0f + row.dy);
                        ++pairs;
                        EXPECT_EQ(RectsIntersect(first, next), 0)
                            << kFahrzeugTypNames[a].name << " facing " << fa << " beside "
                            << kFahrzeugTypNames[b].name << " facing " << fb;
                    }
            }
    EXPECT_EQ(pairs, 4 * (16 * 16 + 14 * 14)) << "every car, the vans in 3 and 9 left out";
    for (std::int16_t t : cars) FreeFahrzeugTyp(t);
}

}  // namespace
}  // namespace kv::test
