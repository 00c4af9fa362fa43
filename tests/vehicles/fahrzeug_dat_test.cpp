// The vehicle data files: five numbers read strictly, with their rules.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/vehicle_fixture.h"

namespace kv::test {
namespace {

using DatTest = VehicleTypesTest;

struct DatCase {
    const char* text;
    std::uint32_t price;
    std::uint8_t seats;
    float speed;
    std::int8_t karteStep;
    std::int32_t heatProtection;
};

TEST_F(DatTest, ReadsTheFiveNumbersWithTheirRules) {
    const DatCase cases[] = {
        // Labels without digits are skipped, the number stands where it will on its line.
        {"Preis: 250000\r\nSitze: 6\r\nTempo: 3\r\nKarte: 2\r\nHitze: 2000\r\n", 250000, 6, 3.0f, 2,
         2000},
        {"1\r\n2\r\n0\r\n0\r\n-5\r\n", 1, 2, 1.0f, 1, -5},   // speed 0 -> 1.0, pace 0 -> 1
        {"1\r\n2\r\n-4\r\n-3\r\n0\r\n", 1, 2, 1.0f, -3, 0},  // negative speed -> 1.0
        {"Preis\t99\r\nSitze\t\t9\r\nTempo = 7\r\nSchritt -2\r\nSchutz 1\r\n", 99, 9, 7.0f, -2, 1},
        // The pace stays within -127..127, so that a slow type's countdown holds it.
        {"1\r\n2\r\n3\r\n-128\r\n0\r\n", 1, 2, 3.0f, -127, 0},
        {"1\r\n2\r\n3\r\n300\r\n0\r\n", 1, 2, 3.0f, 127, 0},
        {"1\r\n2\r\n3\r\n-200\r\n0\r\n", 1, 2, 3.0f, -127, 0},
    };
    for (const DatCase& c : cases) {
        SCOPED_TRACE(c.text);
        WriteFile("data\\cars\\F101.dat", c.text);
        FahrzeugTypen = {};
        ASSERT_TRUE(LoadFahrzeugDat(kTypF101, "F101"));
        const FahrzeugTyp& t = FahrzeugTypen[kTypF101];
        EXPECT_EQ(t.price, c.price);
        EXPECT_EQ(t.seats, c.seats);
        EXPECT_EQ(t.speed, c.speed);
        EXPECT_EQ(t.karteStep, c.karteStep);
        EXPECT_EQ(t.heatProtection, c.heatProtection);
        EXPECT_FALSE(FatalErrorRaised());
    }
}

TEST_F(DatTest, TheWriterSampleReadsBack) {
    WriteDat("ZF", {12345, 3, 4, -2, 700});
    ASSERT_TRUE(LoadFahrzeugDat(kTypZF01 + 2, "ZF"));
    const FahrzeugTyp& t = FahrzeugTypen[kTypZF01 + 2];
    EXPECT_EQ(t.price, 12345u);
    EXPECT_EQ(t.seats, 3);
    EXPECT_EQ(t.speed, 4.0f);
    EXPECT_EQ(t.karteStep, -2);
    EXPECT_EQ(t.heatProtection, 700);
}

TEST_F(DatTest, AMissingFileIsFatalWithItsPath) {
    EXPECT_FALSE(LoadFahrzeugDat(kTypF101, "F101"));
    EXPECT_EQ(FatalErrorMessage(), "data\\cars\\F101.dat not found");
}

TEST_F(DatTest, AShortFileStopsAtTheReadersMessage) {
    WriteFile("data\\cars\\F102.dat", "1\r\n2\r\n3\r\n");
    FahrzeugTypen[kTypF102].price = 77;
    EXPECT_FALSE(LoadFahrzeugDat(kTypF102, "F102"));
    EXPECT_EQ(FatalErrorMessage(), "DATAFILE: number of datas too low.");
    EXPECT_EQ(FahrzeugTypen[kTypF102].price, 77u) << "nothing of a failed file is stored";
}

TEST_F(DatTest, AFieldTooLongIsFatalWithTheReadersMessage) {
    WriteFile("data\\cars\\F102.dat", std::string(300, '1') + "\r\n2\r\n3\r\n4\r\n5\r\n");
    EXPECT_FALSE(LoadFahrzeugDat(kTypF102, "F102"));
    EXPECT_EQ(FatalErrorMessage(), "String in DATAFILE too long.");
}

TEST_F(DatTest, AMissingFileStopsTheTypesLoader) {
    WriteType(kTypF102);
    Remove("data\\cars\\F102.dat");
    LoadFahrzeugTyp(kTypF102);
    EXPECT_EQ(FatalErrorMessage(), "data\\cars\\F102.dat not found");
    for (const AnimSlot* slots : FahrzeugTypen[kTypF102].dirAnims) {
        ASSERT_NE(slots, nullptr);
        EXPECT_EQ(slots[0].images, nullptr) << "no picture is read after the failure";
    }
}

}  // namespace
}  // namespace kv::test
