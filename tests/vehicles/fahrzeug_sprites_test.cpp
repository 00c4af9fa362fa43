// The vehicle sprite sets: boxes, insets and hot spots, shared and optional pictures, the
// per-type entries, the cannons and the missing-file messages.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "support/box_reach.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/vehicle_fixture.h"

namespace kv::test {
namespace {

using Box = std::array<std::int16_t, 4>;

class FahrzeugSpritesTest : public VehicleTypesTest {
  protected:
    static const AnimSlot& Slot(int type, int facing, int entry) {
        return FahrzeugTypen[type].dirAnims[facing][entry];
    }
};

TEST_F(FahrzeugSpritesTest, BoxesShrinkByTheInsetAndTheHotSpotIsTheirMiddle) {
    struct Case {
        const char* what;
        int type;
        int facing;
        SpriteBox opaque;
        Box box;
        std::int16_t hotX, hotY;
    };
    const Case cases[] = {
        {"normal inset 3, 0", kTypF102, 3, {2, 3, 15, 12}, {5, 3, 12, 12}, 9, 8},
        {"normal inset 0, 3", kTypF102, 0, {2, 3, 15, 12}, {2, 6, 15, 9}, 9, 8},
        {"large inset 5, 5", kTypF117, 1, {2, 3, 25, 22}, {7, 8, 20, 17}, 14, 13},
        {"no inset, width 10", kTypZF01, 0, {2, 3, 11, 12}, {2, 3, 11, 12}, 7, 8},
        {"no inset, width 9", kTypZF01, 0, {2, 3, 10, 11}, {2, 3, 10, 11}, 6, 7},
        // A box turned inside out by the inset halves its negative size with the sign.
        {"inside out", kTypF117, 1, {2, 3, 5, 6}, {7, 8, 0, 1}, 4, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearTypes();
        WriteType(c.type, c.opaque, 30, 26);
        if (c.type == kTypF117)
            for (int companion : {kTypF119, kTypF116}) WriteType(companion);
        LoadFahrzeugTyp(static_cast<std::int16_t>(c.type));
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
        for (int entry : {0, 1}) {
            const AnimSlot& s = Slot(c.type, c.facing, entry);
            EXPECT_EQ(s.box, c.box);
            EXPECT_EQ(s.hotX, c.hotX);
            EXPECT_EQ(s.hotY, c.hotY);
        }
    }
}

TEST_F(FahrzeugSpritesTest, GivenBoxesTakeTheTypesInset) {
    WriteType(kTypF101);
    WriteType(kTypF111);
    WriteType(kTypF204);
    for (std::int16_t t : {kTypF101, kTypF111, kTypF204}) LoadFahrzeugTyp(t);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    // F101 facing 9, inset 3, 0.
    EXPECT_EQ(Slot(kTypF101, 9, 0).box, (Box{4, 23, 106, 58}));
    EXPECT_EQ(Slot(kTypF101, 9, 1).hotX, 55);
    EXPECT_EQ(Slot(kTypF101, 9, 1).hotY, 41);
    // F111 has no inset and boxes in facing 3 only.
    EXPECT_EQ(Slot(kTypF111, 3, 1).box, (Box{3, 56, 192, 90}));
    EXPECT_EQ(Slot(kTypF111, 3, 2).box, (Box{31, 56, 220, 90}));
    EXPECT_EQ(Slot(kTypF111, 3, 2).hotX, 126);
    EXPECT_EQ(Slot(kTypF111, 3, 2).hotY, 73);
    EXPECT_EQ(Slot(kTypF111, 0, 2).box, (Box{0, 0, 0, 0}));
    EXPECT_EQ(Slot(kTypF111, 0, 2).frames, 16);
    // F204's tent entries in facing 7, inset 3, 3.
    for (int entry : {2, 3, 4}) {
        EXPECT_EQ(Slot(kTypF204, 7, entry).box, (Box{3, 23, 67, 99}));
        EXPECT_EQ(Slot(kTypF204, 7, entry).hotX, 35);
        EXPECT_EQ(Slot(kTypF204, 7, entry).hotY, 61);
        EXPECT_EQ(Slot(kTypF204, 6, entry).frames, 0);
    }
    EXPECT_EQ(Slot(kTypF204, 7, 2).frames, 38);
    EXPECT_EQ(Slot(kTypF204, 7, 4).frames, 37);
}

TEST_F(FahrzeugSpritesTest, TheDrivingEntrySharesTheStandingPictureAndIsFreedOnce) {
    WriteType(kTypF102);
    LoadFahrzeugTyp(kTypF102);
    for (int d = 0; d < kDirectionCount; ++d) {
        const AnimSlot& stay = Slot(kTypF102, d, 0);
        const AnimSlot& drive = Slot(kTypF102, d, 1);
        ASSERT_NE(stay.images, nullptr);
        EXPECT_EQ(drive.images, stay.images);
        EXPECT_EQ(drive.frames, 1);
        EXPECT_EQ(drive.box, stay.box);
        EXPECT_NE(Slot(kTypF102, d, 2).images, stay.images);
        EXPECT_EQ(Slot(kTypF102, d, 3).box, stay.box) << "box copied from entry 0";
    }
    // The sanitizer build catches a second free of the shared picture and any leak.
    FreeFahrzeugTyp(kTypF102);
    for (const AnimSlot* slots : FahrzeugTypen[kTypF102].dirAnims) EXPECT_EQ(slots, nullptr);
}

TEST_F(FahrzeugSpritesTest, F113SetsUpInFacingOneOnly) {
    WriteType(kTypF113);
    LoadFahrzeugTyp(kTypF113);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    for (int entry = 2; entry <= 6; ++entry) {
        EXPECT_EQ(Slot(kTypF113, 0, entry).frames, 0);
        EXPECT_EQ(Slot(kTypF113, 0, entry).images, nullptr);
    }
    const AnimSlot& stay = Slot(kTypF113, 1, 0);
    const int frames[] = {15, 17, 1, 17, 15};
    const int shift[] = {4, 23, 4, 23, 4};
    for (int entry = 2; entry <= 6; ++entry) {
        const AnimSlot& s = Slot(kTypF113, 1, entry);
        EXPECT_EQ(s.frames, frames[entry - 2]);
        EXPECT_EQ(s.hotX, stay.hotX + shift[entry - 2]);
        EXPECT_EQ(s.hotY, stay.hotY);
        EXPECT_EQ(s.box, stay.box);
    }
}

TEST_F(FahrzeugSpritesTest, F106LoadsItsLadderWithoutBoxes) {
    WriteType(kTypF106);
    LoadFahrzeugTyp(kTypF106);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    EXPECT_EQ(Slot(kTypF106, 3, 3).box, Slot(kTypF106, 3, 0).box);
    EXPECT_EQ(Slot(kTypF106, 3, 13).hotX, Slot(kTypF106, 3, 0).hotX);
    EXPECT_EQ(Slot(kTypF106, 3, 4).frames, 9);
    EXPECT_EQ(Slot(kTypF106, 3, 4).delay, 2);
    EXPECT_EQ(Slot(kTypF106, 3, 5).frames, 2);
    EXPECT_EQ(Slot(kTypF106, 3, 5).box, (Box{0, 0, 0, 0}));
    EXPECT_EQ(Slot(kTypF106, 3, 5).hotX, 0);
    for (int d : {0, 1, 2, 10, 11})
        for (int entry = 5; entry <= 12; ++entry) {
            EXPECT_EQ(Slot(kTypF106, d, entry).frames, 1);
            EXPECT_NE(Slot(kTypF106, d, entry).images, Slot(kTypF106, d, 0).images);
        }
    for (int entry = 3; entry <= 13; ++entry) EXPECT_EQ(Slot(kTypF106, 4, entry).frames, 0);
}

TEST_F(FahrzeugSpritesTest, TheHelicopterLandsWithItsGivenHotSpot) {
    WriteType(kTypF203);
    WriteType(kTypF203B);
    LoadFahrzeugTyp(kTypF203);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    for (int entry : {2, 3}) {
        EXPECT_EQ(Slot(kTypF203, 3, entry).box, (Box{0, 0, 146, 36}));
        EXPECT_EQ(Slot(kTypF203, 3, entry).hotX, 63);
        EXPECT_EQ(Slot(kTypF203, 3, entry).hotY, 5);
        EXPECT_EQ(Slot(kTypF203, 0, entry).box, (Box{0, 0, 0, 0}));
        EXPECT_EQ(Slot(kTypF203, 0, entry).frames, 1);
    }
    // Standing: the whole 20 x 16 picture, inset 3, 0 in facing 3.
    EXPECT_EQ(Slot(kTypF203, 3, 0).box, (Box{3, 0, 16, 15}));
    EXPECT_EQ(Slot(kTypF203, 3, 5).frames, 27);
    EXPECT_EQ(Slot(kTypF203, 3, 4).frames, 26);
    // F203B takes F203's box as F203's loader left it and shrinks it once more.
    EXPECT_EQ(Slot(kTypF203B, 3, 0).box, (Box{6, 0, 13, 15}));
    EXPECT_EQ(Slot(kTypF203B, 3, 0).hotX, 10);
    EXPECT_EQ(Slot(kTypF203B, 3, 2).frames, 0);
    EXPECT_EQ(Slot(kTypF203B, 3, 3).frames, 8);
    EXPECT_EQ(Slot(kTypF203B, 3, 4).box, (Box{6, 0, 13, 15}));
}

TEST_F(FahrzeugSpritesTest, OptionalPicturesMayBeMissing) {
    WriteType(kTypPARK01);
    Remove("cars\\PARK01\\stay0.vff");
    WriteType(kTypHAI);
    Remove("cars\\HAI\\friss0.vff");
    WriteType(kTypF203);
    WriteType(kTypF203B);
    Remove("cars\\F203\\up2.vff");
    Remove("cars\\F203\\land2.vff");
    for (std::int16_t t : {kTypPARK01, kTypHAI, kTypF203}) LoadFahrzeugTyp(t);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();

    EXPECT_EQ(Slot(kTypPARK01, 0, 0).frames, 0);
    EXPECT_EQ(Slot(kTypPARK01, 0, 0).images, nullptr);
    EXPECT_EQ(Slot(kTypPARK01, 0, 1).frames, 0) << "nothing to drive with either";
    EXPECT_EQ(Slot(kTypPARK01, 2, 0).frames, 1);
    EXPECT_EQ(Slot(kTypPARK01, 2, 0).box, (Box{0, 0, 0, 0})) << "boxes only in 1, 3, 7, 9";
    EXPECT_EQ(Slot(kTypPARK01, 3, 1).box, (Box{3, 3, 60, 30})) << "the table's box";

    EXPECT_EQ(Slot(kTypHAI, 0, 2).frames, 0);
    EXPECT_EQ(Slot(kTypHAI, 3, 2).frames, 12);
    EXPECT_EQ(Slot(kTypHAI, 3, 2).delay, 3);
    EXPECT_EQ(Slot(kTypHAI, 3, 2).box, (Box{4, 18, 76, 37}));
    EXPECT_EQ(Slot(kTypHAI, 7, 2).box, (Box{4, -5, 37, 51}));
    EXPECT_EQ(Slot(kTypHAI, 1, 1).frames, 11);

    EXPECT_EQ(Slot(kTypF203, 2, 4).frames, 0);
    EXPECT_EQ(Slot(kTypF203, 2, 3).frames, 0);
    EXPECT_EQ(Slot(kTypF203, 2, 5).frames, 27);
}

TEST_F(FahrzeugSpritesTest, ASetWithFewerFramesShowsTheFramesItHas) {
    WriteType(kTypHAI);
    sampledata::Canvas frame(20, 16);
    frame.fillRect(2, 2, 5, 5, 7);
    WritePicture("cars\\HAI\\stay4.vff", frame, 5);
    LoadFahrzeugTyp(kTypHAI);
    EXPECT_EQ(Slot(kTypHAI, 4, 0).frames, 5);
    EXPECT_EQ(Slot(kTypHAI, 4, 1).frames, 5);
    EXPECT_EQ(Slot(kTypHAI, 5, 0).frames, 11);
}

TEST_F(FahrzeugSpritesTest, MissingPicturesAreFatalWithTheirMessages) {
    struct Case {
        int load;  // the type asked for
        std::vector<int> types;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {kTypF102, {kTypF102}, "cars\\F102\\stay3.vff", "file not found: F102STAY."},
        {kTypF104, {kTypF104}, "cars\\f104\\sopen2.vff", "file not found: F104SOPEN."},
        {7, {7}, "cars\\F108\\hopen0.vff", "file not found: F108HOPEN."},
        {kTypF106, {kTypF106}, "cars\\F106\\iopen3.vff", "file not found: F106IOPEN."},
        {kTypF106, {kTypF106}, "cars\\F106\\inst3.vff", "file not found: F106INSTALLED."},
        {kTypF106, {kTypF106}, "cars\\F106\\step.vff", "file not found: F106STEP."},
        {kTypF106, {kTypF106}, "cars\\F106\\ldr0m3.vff", "file not found: F106_LADDER_MAIN0."},
        {kTypF106, {kTypF106}, "cars\\F106\\ldr2m10.vff", "file not found: F106_LADDER_MAIN2."},
        {kTypF106, {kTypF106}, "cars\\F106\\ldr3p0.vff", "file not found: F106_LADDER_PIECE3."},
        {kTypF113, {kTypF113}, "cars\\F113\\install1.vff", "file not found: F113INSTALL1."},
        {kTypF113, {kTypF113}, "cars\\F113\\inst1.vff", "file not found: F113INSTALLED."},
        {kTypF113, {kTypF113}, "cars\\F113\\deinst2.vff", "file not found: F113DEINSTALL2."},
        {kTypF115, {kTypF115}, "cars\\F115\\go1.vff", "file not found: F115GO."},
        {kTypHONDA01, {kTypHONDA01}, "cars\\HONDA01\\go0.vff", "file not found: HONDA01GO."},
        {kTypF204, {kTypF204}, "cars\\F204\\install1.vff", "file not found: F204INSTALL."},
        {kTypF204, {kTypF204}, "cars\\F204\\inst7.vff", "file not found: F204INSTALLED."},
        {kTypF204, {kTypF204}, "cars\\F204\\deinst1.vff", "file not found: F204DEINSTALL."},
        {kTypF203, {kTypF203, kTypF203B}, "cars\\F203\\stay5.vff", "file not found: F203STAY."},
        {kTypF203, {kTypF203, kTypF203B}, "cars\\F203B\\stay0.vff", "file not found: F203MVSTAY."},
        {kTypSF02, {kTypSF02}, "cars\\SF02\\open5.vff", "file not found: SF02OPEN."},
        {kTypZF01 + 2, {kTypZF01 + 2}, "cars\\ZF03\\stay0.vff", "file not found: ZF03STAY."},
        {kTypHAI, {kTypHAI}, "cars\\HAI\\stay2.vff", "file not found: HAISTAY."},
        {kTypF104, {kTypF104}, "cars\\F104\\kanone7.vff", "file not found: F104-Kanone."},
        {kTypF303, {kTypF303}, "cars\\F303\\kanone0.vff", "file not found: F303-Kanone."},
        {kTypPARK01,
         {kTypPARK01},
         "cars\\PARK01\\stay3.vff",
         "file not found: cars\\PARK01\\stay3.vff."},
        {kTypHAI, {kTypHAI}, "cars\\HAI\\friss5.vff", "file not found: cars\\HAI\\friss5.vff."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ClearTypes();
        ResetFatalError();
        for (int t : c.types) WriteType(t);
        Remove(c.file);
        LoadFahrzeugTyp(static_cast<std::int16_t>(c.load));
        EXPECT_EQ(FatalErrorMessage(), c.message);
        // Given up half way, the collision tests' reach still covers what the load left.
        for (int t : c.types)
            ExpectReachCovers(FahrzeugBoxReach, FahrzeugTypen[static_cast<std::size_t>(t)], t);
        WritePicture(c.file, sampledata::Canvas(4, 4, 7));  // put back for the next case
    }
}

TEST_F(FahrzeugSpritesTest, CannonsSitOnTheirMountsFromTheStandingHotSpot) {
    WriteType(kTypF104);
    WriteType(kTypF115);
    LoadFahrzeugTyp(kTypF104);
    LoadFahrzeugTyp(kTypF115);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    const KanoneTyp* k = FahrzeugTypen[kTypF104].kanone;
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->strength, 10);
    EXPECT_EQ(k->height, 35);
    EXPECT_EQ(k->range, 200);
    // Standing hot spot (9, 8) in facings 0 and 3 of the fixture's pictures.
    EXPECT_EQ(k->mount[0].x, 23 - 9);
    EXPECT_EQ(k->mount[0].y, 26 - 8);
    EXPECT_EQ(k->mount[3].x, 47 - 9);
    EXPECT_EQ(k->mount[3].y, 12 - 8);
    EXPECT_EQ(k->dirs[7].anchorX, 8);
    EXPECT_EQ(k->dirs[7].anchorY, 8);
    EXPECT_EQ(k->nozzle[4].x, 16);
    EXPECT_EQ(k->nozzle[9].y, -7);
    for (const KanoneRichtung& d : k->dirs) EXPECT_NE(d.images, nullptr);
    const KanoneTyp* boat = FahrzeugTypen[kTypF115].kanone;
    ASSERT_NE(boat, nullptr);
    EXPECT_EQ(boat->strength, 50);
    EXPECT_EQ(boat->height, 60);
    EXPECT_EQ(boat->range, 600);
    FreeFahrzeugTyp(kTypF104);
    EXPECT_EQ(FahrzeugTypen[kTypF104].kanone, nullptr);
}

}  // namespace
}  // namespace kv::test
