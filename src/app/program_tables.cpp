#include "app/program_tables.h"

#include "core/befehl_callbacks.h"
#include "core/game_mode.h"
#include "core/selection.h"
#include "media/intro.h"
#include "mission/input/mission_click.h"
#include "mission/mission_frame.h"
#include "mission/mission_keys.h"
#include "mission/mission_start.h"
#include "mission/pause.h"
#include "mission/screen_calls.h"
#include "mission/selection.h"
#include "missions/mission_rows.h"
#include "persons/person_befehle.h"
#include "persons/person_pursuit.h"
#include "screens/auswertung.h"
#include "screens/basis.h"
#include "screens/basis_staff.h"
#include "screens/end_picture.h"
#include "screens/heli_basis.h"
#include "screens/high_score.h"
#include "screens/hints.h"
#include "screens/karte.h"
#include "screens/karte_wege.h"
#include "screens/lflug_basis.h"
#include "screens/mission_end.h"
#include "screens/mission_jump.h"
#include "screens/options.h"
#include "screens/order_panel.h"
#include "screens/save_game.h"
#include "screens/save_screens.h"
#include "screens/schiff_basis.h"
#include "vehicles/fahrzeug_update.h"

namespace kv {

namespace {

// Frame function and handlers of each game mode; an empty entry calls nothing. Modes: 0 none,
// 1 intro, 2 mission, 3 order panel, 4 mission failed, 5 mission won, 6 save, 7 load, 8 base,
// 9 options, 10 campaign map, 11 mission jump, 12 pause, 13 airfield, 14 helicopter base,
// 15 ship base, 16 end picture, 17 high scores, 18 evaluation, 19 hints.
constexpr GameModeTable kGameModes = [] {
    GameModeTable t{};
    t[1].lButtonDown = HandleIntroClick;
    t[1].keyDown = HandleIntroKey;
    t[1].videoEnded = NextIntroVideo;
    t[2].frame = RunMissionFrame;
    t[2].keyDown = OnGameKeyDown;
    t[2].keyUp = OnGameKeyUp;
    t[2].mouseMove = [](WParam, int x, int y) {
        StoreMousePos(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
    };
    t[2].lButtonDown = [](WParam, int x, int y) { OnGameMouseDown(x, y); };
    t[2].lButtonUp = HandleMissionClick;
    t[2].rButtonDown = [](WParam, int, int) { ClearSelection(); };
    t[2].videoEnded = OnMissionVideoEnded;
    t[3].frame = RunOrderPanelFrame;
    t[3].lButtonDown = [](WParam, int x, int y) { OnOrderPanelLButtonDown(x, y); };
    t[3].rButtonDown = [](WParam, int, int) { OnOrderPanelRButtonDown(); };
    t[3].mouseMove = [](WParam, int x, int y) { OnOrderPanelMouseMove(x, y); };
    t[4].frame = RunMissionFailedFrame;
    t[4].lButtonDown = [](WParam, int x, int y) { OnMissionFailedLButtonDown(x, y); };
    t[4].mouseMove = [](WParam, int x, int y) { OnMissionFailedMouseMove(x, y); };
    t[4].keyDown = [](WParam key, LParam) { OnMissionFailedKeyDown(key); };
    t[5].frame = RunWellDoneFrame;
    t[5].lButtonDown = [](WParam, int, int) { OnWellDoneLButtonDown(); };
    t[5].keyDown = [](WParam, LParam) { OnWellDoneKeyDown(); };
    t[6].frame = RunSaveGameFrame;
    t[6].lButtonDown = [](WParam, int x, int y) { OnSaveGameLButtonDown(x, y); };
    t[6].rButtonDown = [](WParam, int, int) { OnSaveGameRButtonDown(); };
    t[6].mouseMove = [](WParam, int x, int y) { OnSaveGameMouseMove(x, y); };
    t[6].character = [](WParam ch, LParam) { OnSaveGameChar(static_cast<std::uint32_t>(ch)); };
    t[7].frame = RunLoadGameFrame;
    t[7].lButtonDown = [](WParam, int x, int y) { OnLoadGameLButtonDown(x, y); };
    t[7].rButtonDown = [](WParam, int, int) { OnLoadGameRButtonDown(); };
    t[7].mouseMove = [](WParam, int x, int y) { OnLoadGameMouseMove(x, y); };
    t[7].keyDown = [](WParam, LParam) { OnLoadGameKeyDown(); };
    t[8].frame = RunBasisFrame;
    t[8].lButtonDown = [](WParam, int x, int y) { OnBasisLButtonDown(x, y); };
    t[8].rButtonDown = [](WParam, int, int) { OnBasisRButtonDown(); };
    t[8].mouseMove = [](WParam, int x, int y) { OnBasisMouseMove(x, y); };
    t[8].keyDown = [](WParam key, LParam) { OnBasisKeyDown(key); };
    t[9].frame = RunOptionsFrame;
    t[9].lButtonDown = [](WParam, int x, int y) { OnOptionsLButtonDown(x, y); };
    t[9].lButtonUp = [](WParam, int, int) { OnOptionsLButtonUp(); };
    t[9].rButtonDown = [](WParam, int, int) { OnOptionsRButtonDown(); };
    t[9].mouseMove = [](WParam, int x, int y) { OnOptionsMouseMove(x, y); };
    t[9].keyDown = [](WParam key, LParam) { OnOptionsKeyDown(key); };
    t[10].frame = RunKarteFrame;
    t[10].lButtonDown = [](WParam, int x, int y) { OnKarteLButtonDown(x, y); };
    t[10].rButtonDown = [](WParam, int, int) { OnKarteRButtonDown(); };
    t[10].mouseMove = [](WParam, int x, int y) { OnKarteMouseMove(x, y); };
    t[10].keyDown = [](WParam key, LParam) { OnKarteKeyDown(key); };
    t[11].frame = RunMissionJumpFrame;
    t[11].lButtonDown = [](WParam, int x, int y) { OnMissionJumpLButtonDown(x, y); };
    t[11].rButtonDown = [](WParam, int, int) { OnMissionJumpRButtonDown(); };
    t[11].mouseMove = [](WParam, int x, int y) { OnMissionJumpMouseMove(x, y); };
    t[12].frame = OnPauseFrame;
    t[12].keyDown = OnPauseKeyDown;
    t[12].lButtonDown = OnPauseMouseDown;
    t[13].frame = RunLflugBasisFrame;
    t[13].lButtonDown = [](WParam, int x, int y) { OnLflugLButtonDown(x, y); };
    t[13].rButtonDown = [](WParam, int, int) { OnLflugRButtonDown(); };
    t[13].mouseMove = [](WParam, int x, int y) { OnLflugMouseMove(x, y); };
    t[13].keyDown = [](WParam key, LParam) { OnLflugKeyDown(key); };
    t[14].frame = RunHeliBasisFrame;
    t[14].lButtonDown = [](WParam, int x, int y) { OnHeliLButtonDown(x, y); };
    t[14].rButtonDown = [](WParam, int, int) { OnHeliRButtonDown(); };
    t[14].mouseMove = [](WParam, int x, int y) { OnHeliMouseMove(x, y); };
    t[14].keyDown = [](WParam key, LParam) { OnHeliKeyDown(key); };
    t[15].frame = RunSchiffBasisFrame;
    t[15].lButtonDown = [](WParam, int x, int y) { OnSchiffLButtonDown(x, y); };
    t[15].rButtonDown = [](WParam, int, int) { OnSchiffRButtonDown(); };
    t[15].mouseMove = [](WParam, int x, int y) { OnSchiffMouseMove(x, y); };
    t[15].keyDown = [](WParam key, LParam) { OnSchiffKeyDown(key); };
    t[16].lButtonDown = [](WParam, int, int) { OnEndPictureLButtonDown(); };
    t[16].keyDown = [](WParam, LParam) { OnEndPictureKeyDown(); };
    t[17].frame = RunHighScoreFrame;
    t[17].lButtonDown = [](WParam, int, int) { OnHighScoreLButtonDown(); };
    t[17].character = [](WParam ch, LParam) { OnHighScoreChar(static_cast<std::uint32_t>(ch)); };
    t[18].frame = RunAuswertungFrame;
    t[18].lButtonDown = [](WParam, int, int) { OnAuswertungLButtonDown(); };
    t[18].keyDown = [](WParam, LParam) { OnAuswertungKeyDown(); };
    t[19].frame = RunHintsFrame;
    t[19].lButtonDown = [](WParam, int, int) { OnHintsLButtonDown(); };
    t[19].rButtonDown = [](WParam, int, int) { OnHintsRButtonDown(); };
    t[19].keyDown = [](WParam, LParam) { OnHintsKeyDown(); };
    return t;
}();

// Slot 0 pairs two persons, slot 1 queues a target action, 2..14 are the missions' callbacks.
constexpr BefehlCallbackTable kBefehlCallbacks = [] {
    BefehlCallbackTable t{};
    t[0] = OrderPersonPair;
    t[1] = QueueTargetAction;
    t[5] = OnBefehlDone05M13;
    t[7] = OnBefehlDone07M16;
    t[8] = OnBefehlDone08M16;
    t[9] = OnBefehlDone09M12;
    t[10] = OnBefehlDone10M13;
    t[11] = OnBefehlDone11M20;
    t[12] = OnBefehlDone12M18;
    t[13] = OnBefehlDone13M29;
    return t;
}();

// The person orders carried out above the persons: the missions' own steps and entering a base.
constexpr PersonBefehlHooks kPersonBefehlHooks{
    .RunPersonBefehlEnterBasis = RunPersonBefehlEnterBasis,
    .RunPersonBefehl186M03 = RunPersonBefehl186M03,
    .RunPersonBefehl197M12 = RunPersonBefehl197M12,
    .RunPersonBefehl218M04 = RunPersonBefehl218M04,
    .RunPersonBefehl222M17 = RunPersonBefehl222M17,
};

// What the mission view asks of the screens; filled as the screens arrive.
constexpr ScreenCallTable kScreenCalls{
    .OpenKarte = OpenKarte,
    .OpenOptionsScreen = OpenOptionsScreen,
    .OpenMissionJump = OpenMissionJump,
    .MakeSavePreview = MakeSavePreview,
    .FindKarteStartPoints = FindKarteStartPoints,
    .InitBasen = InitBasen,
    .FreeBasen = FreeBasen,
    .ReadSaveGame = [](int slot) { ReadSaveGame(slot); },
};

}  // namespace

void InstallProgramTables() {
    SetGameModeTable(&kGameModes);
    SetBefehlCallbackSource(&kBefehlCallbacks);
    SetPersonBefehlHooks(&kPersonBefehlHooks);
    InstallMissionHooks();
    SetScreenCalls(&kScreenCalls);
    SetUpdateSelectionModeHook(RecomputeSelectionMode);
    SetMoveFahrzeugOnKarteHook(MoveFahrzeugOnKarte);
    SetStartMissionFunction(StartMission);
}

}  // namespace kv
