// Where an installed game finds its data, and where every game writes.

#include "platform/data_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gfx/blend_tables.h"
#include "platform/files.h"
#include "support/headless_test.h"

namespace kv {
namespace {

// Sets an environment variable for the test's length and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

class DataFoldersTest : public test::HeadlessTest {
  protected:
    test::ScratchDir dir;
};

TEST_F(DataFoldersTest, AnInstalledGameFindsItsDataBesideItsBinaryUnlessOneIsNamed) {
    ScopedEnv unnamed("KESTRIVON_DATA", nullptr);
    dir.write("usr/share/kestrivon/graphs/farben.pal", "");
    dir.write("usr/bin/kestrivon", "");

    const auto installed = FindDataFolder(dir / "usr/bin/kestrivon");
    ASSERT_TRUE(installed);
    EXPECT_TRUE(installed->installed);
    EXPECT_EQ(std::filesystem::path(installed->path),
              (dir.path() / "usr/share/kestrivon").lexically_normal());

    EXPECT_FALSE(FindDataFolder(dir / "build/release/kestrivon")) << "the build tree's binary";
    EXPECT_FALSE(FindDataFolder(""));

    ScopedEnv named("KESTRIVON_DATA", "/srv/kestrivon-data");
    const auto chosen = FindDataFolder(dir / "usr/bin/kestrivon");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, "/srv/kestrivon-data");
}

TEST_F(DataFoldersTest, ThePlayersFolderFollowsXdgDataHomeThenHome) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string folder;
    };
    const std::vector<Case> cases = {
        {"/x/data", "/home/p", "/x/data/kestrivon"},
        {nullptr, "/home/p", "/home/p/.local/share/kestrivon"},
        {"", "/home/p", "/home/p/.local/share/kestrivon"},
        {"relative/data", "/home/p", "/home/p/.local/share/kestrivon"},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayerWriteFolder(c.xdg, c.home), c.folder)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
}

TEST_F(DataFoldersTest, AnInstalledGameWritesIntoThePlayersFolderMadeOnFirstUse) {
    ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg").c_str());
    test::WorkingDirectory cwd(dir.path());
    ChooseWriteFolder(/*dataInstalled=*/true);
    EXPECT_EQ(WriteFolder(), dir / "xdg/kestrivon");
    EXPECT_FALSE(std::filesystem::exists(dir / "xdg")) << "nothing is made before a write";

    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    ASSERT_TRUE(WriteFileAtomic(WritePath("data\\high1.dat"), bytes));
    EXPECT_TRUE(std::filesystem::exists(dir / "xdg/kestrivon/data/high1.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir / "data")) << "nothing in the data folder";
    EXPECT_EQ(ReadBackPath("data\\high1.dat"), dir / "xdg/kestrivon/data/high1.dat");

    // A file the game never wrote is read from the data folder.
    dir.write("graphs/ttable20.dat", "x");
    EXPECT_EQ(ReadBackPath("graphs\\ttable20.dat"), "graphs/ttable20.dat");
}

TEST_F(DataFoldersTest, TheBuildTreesGameWritesWhereItRunsWhileItMay) {
    test::WorkingDirectory cwd(dir.path());
    ChooseWriteFolder(/*dataInstalled=*/false);
    EXPECT_EQ(WriteFolder(), "");
    EXPECT_EQ(WritePath("3.sav"), "3.sav");
}

TEST_F(DataFoldersTest, AFolderThatCannotBeMadeFailsTheWriteAndWritesNothingElsewhere) {
    dir.write("blocker", "a file where the folder should go");
    SetWriteFolder(dir / "blocker/kestrivon");
    test::WorkingDirectory cwd(dir.path());
    const std::vector<std::uint8_t> bytes = {1};
    EXPECT_FALSE(WriteFileAtomic(WritePath("3.sav"), bytes));
    EXPECT_FALSE(std::filesystem::exists(dir / "3.sav"));

    ScopedEnv noXdg("XDG_DATA_HOME", nullptr);
    ScopedEnv noHome("HOME", nullptr);
    ChooseWriteFolder(/*dataInstalled=*/true);
    EXPECT_EQ(WritePath("3.sav"), "") << "with no home there is nowhere to write";
    EXPECT_FALSE(WriteFileAtomic(WritePath("3.sav"), bytes));
    EXPECT_FALSE(std::filesystem::exists(dir / "3.sav"));
}

TEST_F(DataFoldersTest, ABlendTableRebuiltForAReadOnlyDataTreeIsCachedInThePlayersFolder) {
    SetWriteFolder(dir / "mine");
    test::WorkingDirectory cwd(dir.path());
    GamePalette palette{};
    BlendTable table{};
    LoadBlendTable(kTransTable20, palette, table);
    EXPECT_TRUE(std::filesystem::exists(dir / "mine/graphs/ttable20.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir / "graphs/ttable20.dat"));

    // The next start reads the cached copy: a changed table there is what comes back.
    auto cached = ReadFileBytes("mine/graphs/ttable20.dat");
    ASSERT_TRUE(cached);
    (*cached)[2] = 77;
    ASSERT_TRUE(WriteFileAtomic("mine/graphs/ttable20.dat", *cached));
    LoadBlendTable(kTransTable20, palette, table);
    EXPECT_EQ(table[0], 77);
}

}  // namespace
}  // namespace kv
