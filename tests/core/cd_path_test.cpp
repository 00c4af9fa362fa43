#include "core/cd_path.h"

#include <gtest/gtest.h>

#include "platform/config.h"

namespace kv {
namespace {

TEST(ResolveCdPath, RewritesOnlyAnUpperCaseCdPrefix) {
    struct Case {
        const char* cdPath;
        const char* path;
        const char* expected;
    };
    const std::string longCd(600, 'x');
    const Case cases[] = {
        {"E:\\", "CDvideos\\intro.avi", "E:\\videos\\intro.avi"},
        {"E:", "CDvideos\\intro.avi", "E:\\videos\\intro.avi"},
        {"D:\\GAME\\", "CDmissions\\mi01.lev", "D:\\GAME\\missions\\mi01.lev"},
        {"", "CDvideos\\intro.avi", "videos\\intro.avi"},
        {"D:\\GAME\\", "cdmissions\\mi01.lev", "cdmissions\\mi01.lev"},
        {"D:\\GAME\\", "Cdmissions\\mi01.lev", "Cdmissions\\mi01.lev"},
        {"D:\\GAME\\", "graphs\\farben.pal", "graphs\\farben.pal"},
        {"/media/kv/", "CDmusic\\track02.ogg", "/media/kv/music\\track02.ogg"},
        {"/media/kv", "CDmusic\\track02.ogg", "/media/kv\\music\\track02.ogg"},
        {"D:\\GAME\\", "C", "C"},
    };
    for (const Case& c : cases) {
        CdPath = c.cdPath;
        EXPECT_EQ(ResolveCdPath(c.path), c.expected) << c.cdPath << " " << c.path;
    }
    CdPath = longCd;
    const std::string longPath = "CD" + std::string(400, 'y');
    EXPECT_EQ(ResolveCdPath(longPath), longCd + "\\" + std::string(400, 'y'))
        << "no fixed buffer to overflow";
    CdPath.clear();
}

TEST(ReadCdPath, FromTheSettingWithItsDrive) {
    SetConfigOverride("CD Path", "E:\\KV\\");
    ReadCdPath();
    EXPECT_EQ(CdPath, "E:\\KV\\");
    EXPECT_EQ(CdDrive, "E:");
    ClearConfigOverrides();
    SetConfigOverride("CD Path", "");
    ReadCdPath();
    EXPECT_EQ(CdPath, "");
    EXPECT_EQ(CdDrive, "");
    ClearConfigOverrides();
}

}  // namespace
}  // namespace kv
