#include "world/data_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>

#include "core/fatal_error.h"
#include "support/headless_test.h"

namespace kv {
namespace {

class DataFileRead : public test::HeadlessTest {
  protected:
    DataFile& open(const std::string& text) {
        text_.assign(text.begin(), text.end());
        file_.openBytes(text_);
        return file_;
    }
    std::vector<std::uint8_t> text_;
    DataFile file_;
};

TEST_F(DataFileRead, OnlyDigitsAndMinusAreKept) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"12 -3\t", 12},  // read as "12-3"
        {"Gras\t", 0},
        {"-1\t", -1},
        {"-\t", 0},
        {"\t", 0},
        {"--5\t", 0},
        {"x4y2\r\n", 42},
        {"99999999999\t", 2147483647},  // beyond 32 bits: the largest value
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ReadDataValue(open(k.text)), k.value) << k.text;
        EXPECT_TRUE(file_.isOpen()) << k.text;
    }
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(DataFileRead, ValueEndsAtTabNumberOnlyAtCr) {
    DataFile& f = open("1\t2\r\n3\t4\r\n");
    EXPECT_EQ(ReadDataValue(f), 1);
    EXPECT_EQ(ReadDataValue(f), 2);
    EXPECT_EQ(ReadDataNumber(f, true), 34);  // the TAB is dropped: the rest of the line
    EXPECT_EQ(ReadDataNumber(f, false), 0) << "at the end, not strict";
    EXPECT_TRUE(f.isOpen());
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(DataFileRead, SkipsFieldsAndLines) {
    DataFile& f = open("head 1\r\nhead\t2\r\n5\t6\t7\r\n");
    SkipDataLines(f, 2, true);
    SkipDataValues(f, 2);
    EXPECT_EQ(ReadDataValue(f), 7);
}

TEST_F(DataFileRead, LfAloneDoesNotEndALine) {
    DataFile& f = open("1\n2\n");
    EXPECT_EQ(ReadDataValue(f), 0);
    EXPECT_EQ(FatalErrorMessage(), kDataFileTooShort);
    EXPECT_FALSE(f.isOpen());
}

TEST_F(DataFileRead, EndOfFileInsideAField) {
    EXPECT_EQ(ReadDataNumber(open("12"), false), 0);
    EXPECT_TRUE(file_.isOpen());
    EXPECT_FALSE(FatalErrorRaised());

    DataFile& f = open("1\t12");
    ReadDataValue(f);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ReadDataNumber(f, true), 0);
    // The player sees the reader's message; stderr says where the field began.
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr(
                    "DATAFILE: refused at offset 2 (0x2): the file ends before this field does"));
    EXPECT_FALSE(file_.isOpen());
    EXPECT_EQ(FatalErrorMessage(), kDataFileTooShort);
}

TEST_F(DataFileRead, FieldsHoldAtMost254Characters) {
    EXPECT_EQ(ReadDataValue(open(std::string(254, '1') + "\t")), 2147483647);
    EXPECT_FALSE(FatalErrorRaised());
    // Letters between the digits do not count.
    EXPECT_EQ(ReadDataValue(open("abc" + std::string(254, '0') + "x\r\n")), 0);
    EXPECT_FALSE(FatalErrorRaised());

    EXPECT_EQ(ReadDataNumber(open(std::string(255, '7') + "\r\n"), false), 0);
    EXPECT_TRUE(file_.isOpen());
    EXPECT_FALSE(FatalErrorRaised());

    EXPECT_EQ(ReadDataValue(open(std::string(255, '7') + "\t")), 0);
    EXPECT_FALSE(file_.isOpen());
    EXPECT_EQ(FatalErrorMessage(), kDataFieldTooLong);
}

TEST(DataFile, MovesWithItsBytesAndItsPlace) {
    static_assert(!std::is_copy_constructible_v<DataFile>);
    static_assert(!std::is_copy_assignable_v<DataFile>);
    test::ScratchDir dir;
    dir.write("data/t.dat", "1\t2\t3\r\n");
    DataFile a;
    ASSERT_TRUE(a.open(dir / "data/t.dat"));
    EXPECT_EQ(ReadDataValue(a), 1);
    DataFile b(std::move(a));
    EXPECT_FALSE(a.isOpen());  // NOLINT(bugprone-use-after-move): closed on purpose
    EXPECT_EQ(a.get(), -1);
    EXPECT_EQ(ReadDataValue(b), 2);
    DataFile c;
    c = std::move(b);
    EXPECT_EQ(ReadDataNumber(c, true), 3);
    EXPECT_EQ(c.name(), dir / "data/t.dat");
}

}  // namespace
}  // namespace kv
