#include "platform/config.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/headless_test.h"

namespace kv {
namespace {

TEST(Config, OverrideBeatsEnvironmentBeatsFile) {
    test::ScratchDir dir;
    dir.write("kestrivon.ini",
              "[Kestrivon]\r\n; a comment\r\ncd path = /from/file/\r\nWindowed=1\r\n");
    test::WorkingDirectory cwd(dir.path());
    ClearConfigOverrides();
    ::unsetenv("KESTRIVON_CD_PATH");
    EXPECT_EQ(GetConfigValue("CD Path").value(), "/from/file/");
    EXPECT_TRUE(GetConfigFlag("Windowed"));
    EXPECT_FALSE(GetConfigValue("Missing").has_value());

    ::setenv("KESTRIVON_CD_PATH", "/from/env", 1);
    EXPECT_EQ(ConfigEnvironmentName("CD Path"), "KESTRIVON_CD_PATH");
    EXPECT_EQ(GetConfigValue("CD Path").value(), "/from/env");

    SetConfigOverride("cd path", "/from/test");
    EXPECT_EQ(GetConfigValue("CD Path").value(), "/from/test");
    ClearConfigOverrides();
    ::unsetenv("KESTRIVON_CD_PATH");
}

TEST(Config, NoFileMeansNoValue) {
    test::ScratchDir dir;
    test::WorkingDirectory cwd(dir.path());
    EXPECT_FALSE(GetConfigValue("Windowed").has_value());
    EXPECT_FALSE(GetConfigFlag("Windowed"));
}

}  // namespace
}  // namespace kv
