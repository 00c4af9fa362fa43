#include "mission/mission_fixture.h"

#include <filesystem>

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/mission_points.h"
#include "platform/window.h"

namespace kv::test {

void DispatchAll() {
    Message m;
    while (PeekMessage(m, PM_REMOVE)) {
        if (m.message == WM_QUIT) return;
        DispatchMessage(m);
    }
}

void MissionTest::TearDown() {
    if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
    DispatchAll();
    HeadlessTest::TearDown();
    cwd.reset();
}

void MissionTest::useSampleData(bool withVideo) {
    for (const auto& entry : std::filesystem::directory_iterator(KV_SAMPLEDATA_DIR)) {
        if (!entry.is_directory()) continue;
        const std::string name = entry.path().filename().string();
        if (name == "videos" && !withVideo) continue;
        dir.linkSampleData(name);
    }
    cwd.emplace(dir.path());
}

void MissionTest::openGame() {
    InstallProgramTables();
    ASSERT_EQ(InitWindow(), 1);
    InitGame();
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    GameMode = 1;
}

void MissionTest::clickStartPicture() {
    backend.inject(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(400, 300));
    DispatchAll();
}

void MissionTest::leaveKarte() {
    const LParam marker = MakeLParam(KarteMarker.x, KarteMarker.y);
    backend.inject(WM_MOUSEMOVE, 0, marker);
    backend.inject(WM_LBUTTONDOWN, MK_LBUTTON, marker);
    backend.inject(WM_LBUTTONUP, 0, marker);
    backend.inject(WM_KEYDOWN, VK_ESCAPE, 0);
    backend.inject(WM_KEYUP, VK_ESCAPE, 0);
    backend.inject(WM_MOUSEMOVE, 0, MakeLParam(400, 300));
    DispatchAll();
}

void MissionTest::leaveKarte(ScriptedPlayer& player) {
    player.click(KarteMarker.x, KarteMarker.y);
    player.key(VK_ESCAPE);
    player.mouse(400, 300);
    player.frames(1);
}

void MissionTest::playIntoMissionOne(ScriptedPlayer& player) {
    playIntoMissionOne(player, [](MissionHooks&) {});
}

void MissionTest::playIntoMissionOne(ScriptedPlayer& player,
                                     const std::function<void(MissionHooks&)>& changeRow) {
    useSampleData(false);
    openGame();
    changeRow(*MissionHookRow(1));
    player.click(400, 300);
    player.frames(1);
    leaveKarte(player);
}

void MissionTest::finishVideo() {
    ASSERT_TRUE(backend.videoDevice().finishVideo());
    DispatchAll();
}

std::string MissionTest::videosOpened() {
    std::string names;
    for (const std::string& path : backend.videoDevice().opened()) {
        if (!names.empty()) names += ' ';
        names += std::filesystem::path(path).filename().string();
    }
    return names;
}

}  // namespace kv::test
