#include "core/mission_scratch.h"

#include <gtest/gtest.h>

#include "core/record_fields.h"
#include "platform/bytes.h"
#include "support/golden_bytes.h"
#include "support/record_offsets.h"

namespace kv {
namespace {

TEST(MissionScratch, SavesThirtyThreeBytesWithoutTheUnkeptOne) {
    test::ExpectLayout<MissionScratchArea>(33, {{"S0", 0},
                                                {"S1", 2},
                                                {"S2", 4},
                                                {"S3", 6},
                                                {"S4", 10},
                                                {"S5", 14},
                                                {"S6", 16},
                                                {"S7", 17},
                                                {"S8", 18},
                                                {"S9a", 20},
                                                {"S9b", 21},
                                                {"S9c", 22},
                                                {"S10", 23},
                                                {"S11", 25},
                                                {"S12", 27},
                                                {"S13", 29},
                                                {"S14", 31}});

    MissionScratchArea s{0x0100, 0x0302, 0x0504, 0x09080706, -2,     0x0B0A,
                         0x0C,   0x0D,   0x0F0E, 0x10,       0x11,   0x12,
                         0xEE,   0x1413, 0x1615, 0x1817,     0x1A19, 0x1C1B};
    test::GoldenBytes golden;
    golden.at(0).bytes({0x00, 0x01, 0x02, 0x03, 0x04, 0x05});
    golden.at(6).bytes({0x06, 0x07, 0x08, 0x09, 0xFE, 0xFF, 0xFF, 0xFF});
    golden.at(14).bytes({0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12});
    golden.at(23).bytes({0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C});
    ByteWriter out;
    WriteRecord(out, s);
    EXPECT_EQ(out.data(), golden.data());

    // Reading back leaves the unkept byte as it was.
    MissionScratchArea back;
    back.unkept = 0x55;
    ByteReader in(golden.data());
    ReadRecord(in, back);
    EXPECT_EQ(back.S10, 0x1413);
    EXPECT_EQ(back.S4, -2);
    EXPECT_EQ(back.unkept, 0x55);
}

TEST(MissionScratch, NamedWordsShareTheirWords) {
    ResetMissionScratch();
    // Read signed, as the missions compare them with -1 and -2.
    MarchRioterPair = -2;
    EXPECT_EQ(MissionScratch.S0, 65534);
    EXPECT_EQ(MountaineerIndex, -2) << "mission 19 reads the same word";
    MissionScratch.S5 = 65535;
    EXPECT_EQ(ArsonFireSet, -1);
    // The vehicles' orders write these.
    DroppedFahrzeugM27 = 7;
    EXPECT_EQ(SharkStateM30, 7);
    EXPECT_EQ(MissionScratch.S1, 7);
    StreetRiotersHeld = 1;
    GateOpening3 = 1;
    FirstIgnitionFlagM21 = 2;
    EXPECT_EQ(MissionScratch.S3, 1);
    EXPECT_EQ(MissionScratch.S9c, 1);
    EXPECT_EQ(MissionScratch.S7, 2);
    ResetMissionScratch();
    EXPECT_EQ(MarchRioterPair, 0);
}

}  // namespace
}  // namespace kv
