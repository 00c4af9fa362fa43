#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/ascii.h"
#include "support/headless_test.h"

namespace kv {
namespace {

TEST(ResolvePath, FindsNamesInAnyCaseFolderByFolder) {
    test::ScratchDir dir;
    dir.write("Graphs/D/Start.CFF", "x");
    const std::string root = dir.path().string();
    const std::string expected = root + "/Graphs/D/Start.CFF";
    EXPECT_EQ(ResolvePath(root + "\\graphs\\d\\start.cff"), expected);
    EXPECT_EQ(ResolvePath(root + "/GRAPHS/d/START.cff"), expected);
    EXPECT_TRUE(FileExists(root + "\\GRAPHS\\D\\START.CFF"));
}

TEST(AsciiCase, OnlyTheAsciiLettersFold) {
    EXPECT_TRUE(EqualsIgnoreAsciiCase("Cars\\F203B.vff", "cars\\f203b.VFF"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("ab", "abc"));
    // Umlauts in Windows-1252 keep their case, whatever the locale says.
    EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC4", "\xE4"));
    EXPECT_EQ(AsciiUpper("kueche1b\xE4"), "KUECHE1B\xE4");
    EXPECT_EQ(AsciiLower(".Aff"), ".aff");
}

TEST(ResolvePath, KeepsWhatCannotBeFoundAsWritten) {
    test::ScratchDir dir;
    dir.write("Sound/a.wav", "x");
    const std::string root = dir.path().string();
    EXPECT_EQ(ResolvePath(root + "\\sound\\missing.wav"), root + "/Sound/missing.wav");
    EXPECT_EQ(ResolvePath(root + "\\nofolder\\X.wav"), root + "/nofolder/X.wav");
    EXPECT_FALSE(FileExists(root + "\\sound\\missing.wav"));
}

TEST(ResolvePath, RelativePathsStartInTheWorkingDirectory) {
    test::ScratchDir dir;
    dir.write("Data/Cars/F101.dat", "x");
    test::WorkingDirectory cwd(dir.path());
    EXPECT_EQ(ResolvePath("data\\cars\\f101.DAT"), "Data/Cars/F101.dat");
    EXPECT_EQ(ReadFileBytes("DATA\\CARS\\F101.DAT").value().size(), 1u);
    EXPECT_FALSE(ReadFileBytes("data\\cars\\none.dat").has_value());
}

TEST(File, ReadsWritesAndSeeks) {
    test::ScratchDir dir;
    File f;
    ASSERT_TRUE(f.open(dir / "a.bin", File::Mode::Write));
    const std::uint8_t data[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(f.write(data), 5u);
    f.close();
    ASSERT_TRUE(f.open(dir / "A.BIN", File::Mode::Read));
    EXPECT_EQ(f.size(), 5);
    ASSERT_TRUE(f.seek(3));
    std::uint8_t out[4] = {};
    EXPECT_EQ(f.read(out), 2u) << "a short read reports what it got";
    EXPECT_EQ(out[0], 4);
    EXPECT_FALSE(f.seek(-1));
}

TEST(WriteFileAtomic, ReplacesTheFileOrLeavesItUntouched) {
    test::ScratchDir dir;
    dir.write("cache/t.dat", "old");
    const std::vector<std::uint8_t> fresh = {'n', 'e', 'w', '!'};
    ASSERT_TRUE(WriteFileAtomic(dir / "CACHE\\T.DAT", fresh));
    EXPECT_EQ(ReadFileBytes(dir / "cache/t.dat").value(), fresh);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "cache"),
                            std::filesystem::directory_iterator{}),
              1)
        << "no temporary file is left behind";

    if (::geteuid() != 0) {  // root may write anywhere
        ::chmod((dir.path() / "cache").c_str(), 0555);
        EXPECT_FALSE(WriteFileAtomic(dir / "cache/t.dat", std::vector<std::uint8_t>{'x'}));
        ::chmod((dir.path() / "cache").c_str(), 0755);
        EXPECT_EQ(ReadFileBytes(dir / "cache/t.dat").value(), fresh);
    }
    EXPECT_FALSE(WriteFileAtomic(dir / "missing/folder/t.dat", fresh));
}

TEST(WriteFileAtomic, AWriteCutAtAnyByteLeavesTheOldFile) {
    test::ScratchDir dir;
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
    const std::vector<std::uint8_t> fresh(100, 'n');
    ASSERT_TRUE(WriteFileAtomic(dir / "t.dat", old));
    for (const std::uint64_t cut : {0u, 1u, 50u, 99u}) {
        SCOPED_TRACE(cut);
        SetWriteCutOff(cut);
        EXPECT_FALSE(WriteFileAtomic(dir / "t.dat", fresh));
        SetWriteCutOff(std::nullopt);
        EXPECT_EQ(ReadFileBytes(dir / "t.dat").value(), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator{}),
                  1);
    }
    SetWriteCutOff(100);
    EXPECT_TRUE(WriteFileAtomic(dir / "t.dat", fresh)) << "a cut past the end cuts nothing";
    SetWriteCutOff(std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir / "t.dat").value(), fresh);
}

}  // namespace
}  // namespace kv
