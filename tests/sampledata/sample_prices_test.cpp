// The generated prices fit the missions' money, and every type sold on the base screens has an
// info text that takes its numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "persons/person_types.h"
#include "platform/files.h"
#include "screens/info_template.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv {
namespace {

class SamplePrices : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        saved_ = FahrzeugTypen;
        for (int t = 0; t < kPlayerFahrzeugTypCount; ++t)
            ASSERT_TRUE(LoadFahrzeugDat(static_cast<std::uint32_t>(t), kFahrzeugTypNames[t].code));
        PreloadPersonTypen();
    }
    void TearDown() override {
        FahrzeugTest::TearDown();
        FahrzeugTypen = saved_;  // only numbers were read: no pictures to free
    }
    static std::uint32_t F(std::int16_t type) {
        return FahrzeugTypen[static_cast<std::size_t>(type)].price;
    }
    static std::uint32_t P(int type) { return PersonTypen[static_cast<std::size_t>(type)].price; }

  private:
    std::array<FahrzeugTyp, kFahrzeugTypCount> saved_{};
};

constexpr int kP01 = 0;
constexpr int kP02 = 1;
constexpr int kP05 = 4;
constexpr int kP06 = 5;

TEST_F(SamplePrices, FitTheMissionsMoney) {
    for (int t = 0; t < kPlayerFahrzeugTypCount; ++t) {
        EXPECT_GE(F(static_cast<std::int16_t>(t)), 200u) << kFahrzeugTypNames[t].code;
        EXPECT_LE(F(static_cast<std::int16_t>(t)), 5000u) << kFahrzeugTypNames[t].code;
    }
    // Mission 1 is won with two cranes, a tanker with a fireman and two ambulances, each with a
    // stretcher team and one with a medic; its money line reads full above 3000 left of 6000.
    const std::uint32_t missionOne =
        2 * F(kTypF110) + F(kTypF104) + P(kP02) + 2 * F(kTypF201) + 2 * P(kP06) + P(kP05);
    EXPECT_LE(missionOne, 3000u);
    // Mission 2 with two tankers with two firemen each and an ambulance with a stretcher team and
    // a medic; its money line reads full above 5000 left of 22000.
    const std::uint32_t missionTwo =
        2 * F(kTypF104) + 4 * P(kP02) + F(kTypF201) + P(kP06) + P(kP05);
    EXPECT_LE(missionTwo, 17000u);
    // Mission 4 with four police cars of two officers each for the arrests, a tanker with two
    // firemen for the barricades' fires and a crane, within its 13000.
    const std::uint32_t missionFour =
        4 * F(kTypF301) + 8 * P(kP01) + F(kTypF104) + 2 * P(kP02) + F(kTypF110);
    EXPECT_LE(missionFour, 13000u);
    // Mission 5 with a tanker with two firemen, a ladder with a fireman for its basket and two
    // ambulances, each with a stretcher team and one with a medic; its money line reads full
    // above 3000 left of 7000.
    const std::uint32_t missionFive =
        F(kTypF104) + 2 * P(kP02) + F(kTypF106) + P(kP02) + 2 * F(kTypF201) + 2 * P(kP06) + P(kP05);
    EXPECT_LE(missionFive, 4000u);
    // Mission 9 with four police cars of four officers each to lead the fans away, and two
    // ambulances with a stretcher team and a medic each for the fights' casualties, within its
    // 19000 and leaving its money line full at 5000.
    const std::uint32_t missionNine =
        4 * F(kTypF301) + 16 * P(kP01) + 2 * F(kTypF201) + 2 * P(kP06) + 2 * P(kP05);
    EXPECT_LE(missionNine, 14000u);
    // Mission 21's nine casualties, each with an ambulance, a stretcher team and a medic; its
    // money line reads full above 9000 left of 40000.
    EXPECT_LE(9 * (F(kTypF201) + P(kP06) + P(kP05)), 31000u);
    EXPECT_LE(F(kTypF203) + P(kP05) + P(kP06), 6000u);
    // Mission 25 with a police car of two officers for the arsonist, a tanker with three
    // firemen and an ambulance with a stretcher team and a medic, within its 10000.
    const std::uint32_t missionTwentyFive =
        F(kTypF301) + 2 * P(kP01) + F(kTypF104) + 3 * P(kP02) + F(kTypF201) + P(kP06) + P(kP05);
    EXPECT_LE(missionTwentyFive, 10000u);
    // Mission 29 with the command centre, the equipment truck with a fireman for the cutter, two
    // tankers with a fireman each, and eleven ambulances with a stretcher team and a medic each;
    // its money line reads full above 7000 left of 27000.
    const std::uint32_t missionTwentyNine = F(kTypF101) + F(kTypF108) + P(kP02) +
                                            2 * (F(kTypF104) + P(kP02)) +
                                            11 * (F(kTypF201) + P(kP06) + P(kP05));
    EXPECT_LE(missionTwentyNine, 20000u);
    // Mission 20 with an engine, the rope truck and the equipment truck with a fireman each and a
    // fourth for the search, and three ambulances with a stretcher team and a medic each; its money
    // line reads full above 6000 left of 16000.
    const std::uint32_t missionTwenty = F(kTypF104) + F(kTypF105) + F(kTypF108) + 4 * P(kP02) +
                                        3 * (F(kTypF201) + P(kP06) + P(kP05));
    EXPECT_LE(missionTwenty, 10000u);
    EXPECT_LE(F(kTypF111), 6000u);
    EXPECT_LE(F(kTypF115), 6000u);
}

TEST_F(SamplePrices, EveryTypeSoldHasAnInfoTextForItsNumbers) {
    const auto check = [](const std::string& code, std::size_t conversions) {
        SCOPED_TRACE(code);
        const auto bytes = ReadFileBytes(std::string(kInfoFolder) + code + ".dat");
        ASSERT_TRUE(bytes.has_value());
        const std::string text(bytes->begin(), bytes->end());
        std::size_t found = 0;
        for (std::size_t at = text.find("%d"); at != std::string::npos;
             at = text.find("%d", at + 1))
            ++found;
        EXPECT_EQ(found, conversions);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
                  std::count(text.begin(), text.end(), '\r'));
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        const std::array<std::uint32_t, 2> values = {12345, 67};
        const std::string filled = FormatInfoTemplate(text, values);
        EXPECT_NE(filled.find("12345"), std::string::npos);
        EXPECT_EQ(filled.find("67") != std::string::npos, conversions == 2);
    };
    for (int t = 0; t < kPlayerFahrzeugTypCount; ++t)
        check(std::string(kFahrzeugTypNames[t].code), 2);
    for (const char* code : {"P01", "P02", "P03", "P04", "P05", "P06", "P202"}) check(code, 1);
}

}  // namespace
}  // namespace kv
