#include "mission/mission_start.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/main_window.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/random.h"
#include "core/view.h"
#include "media/cd_audio.h"
#include "media/intro.h"
#include "media/sound_slots.h"
#include "media/speech.h"
#include "media/video.h"
#include "mission/campaign_tables.h"
#include "mission/mission_checksum.h"
#include "mission/mission_extras.h"
#include "mission/mission_fixture.h"
#include "mission/mission_frame.h"
#include "mission/mission_steps.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/screen_calls.h"
#include "mission/scroll_view.h"
#include "mission/view/draw_list.h"
#include "mission/view/game_screen.h"
#include "movement/traffic_paths.h"
#include "persons/personen.h"
#include "platform/display.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/schlauch_strahl.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "world/tile_set.h"
#include "world/wasser_strahl.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

using MissionStartTest = test::MissionTest;
using Destination = HeadlessVideo::Destination;

constexpr std::int16_t kF110 = 9;  // offered in every mission

// The colour of a display entry, without its flags.
std::array<int, 3> DisplayColour(int entry) {
    const PaletteEntry& e = DisplayCurrentPalette()[static_cast<std::size_t>(entry)];
    return {e.r, e.g, e.b};
}

bool AnySoundLoaded() {
    for (const SoundSlot& slot : SoundSlots)
        if (slot.buffer != kNoSoundBuffer) return true;
    return false;
}

bool AnyPanelPictureHeld() {
    for (const PanelPictureFile& f : kPanelPictureFiles)
        if (*f.held != nullptr) return true;
    return MapWegeImages != nullptr;
}

TEST_F(MissionStartTest, TheGameClickedAtItsStartPictureRunsMissionOneUntilClosed) {
    useSampleData(true);
    backend.videoDevice().setEndAtOnce(true);
    InstallProgramTables();
    ASSERT_EQ(InitWindow(), 1);
    InitGame();
    PlayLogoVideos();
    test::DispatchAll();
    ASSERT_EQ(GameMode, 1u) << "the start picture";
    clickStartPicture();
    ASSERT_EQ(GameMode, 10u) << "the campaign map";
    EXPECT_EQ(videosOpened(), "dalquin.avi mervix.avi intro.avi mi01.avi");
    leaveKarte();
    ASSERT_EQ(GameMode, 2u);
    backend.setCloseAt(backend.ticks() + 1000);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_TRUE(backend.boxes().empty()) << FatalErrorMessage();
    EXPECT_EQ(MissionNummer, 1);
    // A frame every 51 ms, one tick each.
    EXPECT_GE(TickCounter, 15u);
    EXPECT_LE(TickCounter, 20u);
}

TEST_F(MissionStartTest, TheStartPictureStartsMissionOneWhoseVideoLeadsIntoPlay) {
    useSampleData(true);
    openGame();
    clickStartPicture();
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(MissionNummer, 1);
    EXPECT_EQ(CampaignPosition, 0);
    EXPECT_EQ(videosOpened(), "mi01.avi");
    EXPECT_EQ(backend.videoDevice().destination(), (Destination{0, 80, 640, 320}));
    EXPECT_EQ(VideoStage, kVideoMission);

    // Everything is set up while the video plays.
    EXPECT_EQ(MapWidth, 121);
    EXPECT_EQ(ScrollCols, 120);
    EXPECT_EQ(ScrollRows, 35);
    EXPECT_EQ(WorldMaxX, 3231);
    EXPECT_EQ(WorldMaxY, 979);
    EXPECT_EQ(ViewOrigin.x, 530);
    EXPECT_EQ(ViewOrigin.y, 240);
    EXPECT_EQ(HomeView.x, 0);
    EXPECT_EQ(HomeView.y, 240);
    for (const PanelPictureFile& f : kPanelPictureFiles) EXPECT_NE(*f.held, nullptr) << f.path;
    EXPECT_NE(MapWegeImages, nullptr);
    EXPECT_FALSE(TileImages.empty());
    EXPECT_FALSE(TerrainTypen.empty());
    EXPECT_TRUE(FahrzeugTypLoaded(kF110));
    EXPECT_EQ(FahrzeugCount, 20);
    EXPECT_EQ(PersonCount, 50);
    EXPECT_EQ(Personen[0].type, 35) << "the badly injured";
    EXPECT_EQ(Personen[1].type, 34);
    ASSERT_GE(SonderObjs.size(), 15u);
    EXPECT_EQ(SonderObjs[0].type, 18) << "the tractor";
    EXPECT_EQ(SonderObjs[2].type, 20) << "the leaked fuel";
    EXPECT_EQ(SonderObjs[14].frame, 3) << "the last cow";
    ASSERT_EQ(ZFWege.size(), 1u) << "the road's traffic";
    EXPECT_EQ(ZFWege[0].startX, 3332) << "100 px past the right edge";
    EXPECT_EQ(ZFWege[0].turnX, 3332);
    EXPECT_EQ(ZFWege[0].interval, 800);
    EXPECT_EQ(ZFWege[0].typeCount, 9);
    EXPECT_TRUE(FahrzeugTypLoaded(44)) << "the last type listed";
    EXPECT_TRUE(PassantenWege.empty());
    EXPECT_EQ(MouseX, 400);
    EXPECT_EQ(MouseY, 300);
    EXPECT_EQ(backend.warpX(), 400);
    EXPECT_EQ(HoverKind, kHoverNothing);
    EXPECT_EQ(SelectionMode, kNoSelection);
    EXPECT_EQ(BriefingUnread, 1);
    EXPECT_EQ(BriefingBox.width, 400);
    EXPECT_EQ(BriefingBox.height, 230);
    EXPECT_EQ(UnitSpeech, 1);
    EXPECT_EQ(NextVehicleIndex, 65535);
    EXPECT_EQ(WorldStarted, 0);
    EXPECT_EQ(MissionViewFresh, 0);
    EXPECT_FALSE(AnySoundLoaded());

    finishVideo();
    EXPECT_EQ(GameMode, 10u) << "the campaign map with the briefing";
    EXPECT_EQ(WorldStarted, 0);
    EXPECT_TRUE(AnySoundLoaded());
    ASSERT_FALSE(backend.musicDevice().plays().empty());
    EXPECT_EQ(backend.musicDevice().plays().back().from, MissionTrack(1));
    EXPECT_EQ(DisplayColour(255), (std::array{244, 244, 244})) << "faded in";

    leaveKarte();
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(WorldStarted, 1);
    EXPECT_EQ(MissionViewFresh, 0) << "its first frame was shown";
    for (int frame = 0; frame < 3; ++frame) RunMissionFrame();
    EXPECT_EQ(TickCounter, 3u);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// What the mission screen found when it drew its first frame.
std::uint8_t g_freshWhenDrawn = 0;
void DrawRecordingFreshness() {
    g_freshWhenDrawn = MissionViewFresh;
    DrawGameScreen();
}

TEST_F(MissionStartTest, WithoutItsVideoAMissionOpensItsMapAtOnce) {
    useSampleData(false);
    openGame();
    clickStartPicture();
    EXPECT_EQ(GameMode, 10u);
    EXPECT_EQ(videosOpened(), "");
    EXPECT_EQ(WorldStarted, 0);
    EXPECT_TRUE(AnySoundLoaded());
}

TEST_F(MissionStartTest, WithoutTheCampaignMapANewMissionBeginsPlayWithTheWorldStarted) {
    useSampleData(false);
    openGame();
    ScreenCallTable calls = ScreenCalls();
    calls.OpenKarte = nullptr;
    SetScreenCalls(&calls);
    MissionView.DrawGameScreen = DrawRecordingFreshness;
    g_freshWhenDrawn = 0;
    clickStartPicture();
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(WorldStarted, 1);
    EXPECT_EQ(g_freshWhenDrawn, 1) << "the first frame is drawn as a fresh view";
    EXPECT_EQ(MissionViewFresh, 0) << "and shown";
    EXPECT_TRUE(AnySoundLoaded());
}

TEST_F(MissionStartTest, ShutdownFreesTheMissionAndASecondStartBeginsFromNothing) {
    useSampleData(false);
    openGame();
    SeedRandom(3);
    clickStartPicture();
    leaveKarte();
    ASSERT_EQ(GameMode, 2u);
    const std::uint64_t first = MissionChecksum();
    ASSERT_GT(DrawListCount, 0);

    ShutdownMission(0);
    EXPECT_FALSE(MissionSetUp());
    EXPECT_EQ(DrawListCount, 0) << "no entry names a freed thing";
    EXPECT_FALSE(AnyPanelPictureHeld());
    EXPECT_TRUE(TileImages.empty());
    EXPECT_TRUE(TileTypen.empty());
    EXPECT_TRUE(MapCells.empty());
    EXPECT_TRUE(CellAnims.empty());
    EXPECT_TRUE(BrandStates.empty());
    EXPECT_TRUE(Houses.empty());
    EXPECT_TRUE(TerrainTypen.empty());
    EXPECT_TRUE(Materials.empty());
    EXPECT_FALSE(FahrzeugTypLoaded(kF110));
    EXPECT_EQ(FahrzeugCount, 0);
    EXPECT_TRUE(Personen.empty());
    EXPECT_TRUE(SonderObjs.empty());
    EXPECT_TRUE(ZFWege.empty());
    EXPECT_FALSE(AnySoundLoaded());
    EXPECT_EQ(CurrentCdTrack, kNoCdTrack);
    EXPECT_EQ(DisplayColour(255), (std::array{0, 0, 0})) << "faded out";

    // Twice changes nothing.
    const int paletteChanges = backend.paletteChanges();
    const int musicStops = backend.musicDevice().stops();
    ShutdownMission(0);
    EXPECT_EQ(backend.paletteChanges(), paletteChanges);
    EXPECT_EQ(backend.musicDevice().stops(), musicStops);

    SeedRandom(3);
    StartMission(kNewMission);
    leaveKarte();
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(MissionChecksum(), first);
}

// A fire-fighter's hose and a cannon spraying in mission 1's view; the jets' drawers advance
// their texture columns in every drawn frame.
struct Spraying {
    std::int16_t person = -1;
    std::int16_t vehicle = -1;
};
Spraying StartSpraying() {
    Spraying s;
    s.person = FindFreePerson();
    Person& p = Personen[static_cast<std::size_t>(s.person)];
    p.type = 1;
    p.x = 700;
    p.y = 600;
    ResetPerson(s.person);
    p.attachment.makeJet().splash = -1;
    StartSchlauchStrahl(s.person, 780, 560, 0, -1);
    LoadFahrzeugTyp(kTypF104);
    s.vehicle = CreateFahrzeug(kTypF104, 900, 520, 3);
    SetupFahrzeug(s.vehicle, 1);
    StartWasserStrahl(s.vehicle, 1000, 450, 0, kKeepFloor);
    return s;
}

TEST_F(MissionStartTest, ADrawnRunAndABareRunOfOneSeedHashTheSame) {
    useSampleData(false);
    openGame();
    SeedRandom(11);
    clickStartPicture();
    leaveKarte();
    const Spraying drawnJets = StartSpraying();
    for (int frame = 0; frame < 60; ++frame) RunMissionFrame();
    const std::uint64_t drawn = MissionChecksum();
    // The jets ran and were drawn: their texture columns moved.
    const SchlauchStrahl* hose = PersonSchlauchStrahl(drawnJets.person);
    const WasserStrahl* cannon = FahrzeugWasserStrahl(drawnJets.vehicle);
    ASSERT_TRUE(hose != nullptr && cannon != nullptr);
    EXPECT_TRUE(hose->active != 0 && cannon->active != 0);
    EXPECT_NE(hose->ticksRunning, 0);
    EXPECT_NE(cannon->reserved, 0);

    ShutdownMission(1);
    SeedRandom(11);
    StartMission(kNewMission);
    StartSpraying();
    for (int tick = 0; tick < 60; ++tick) RunGameTicks(0);
    EXPECT_EQ(TickCounter, 60u);
    EXPECT_EQ(MissionChecksum(), drawn);
}

TEST_F(MissionStartTest, ShutdownWithNothingStartedChangesNothing) {
    useSampleData(false);
    openGame();
    const int paletteChanges = backend.paletteChanges();
    const int musicStops = backend.musicDevice().stops();
    ShutdownMission(0);
    EXPECT_EQ(backend.paletteChanges(), paletteChanges);
    EXPECT_EQ(backend.musicDevice().stops(), musicStops);
    EXPECT_EQ(GameMode, 1u);
}

// Recorders in the step lists: each writes its step's name.
std::vector<std::string> g_steps;
template <int I>
void RecordInit() {
    g_steps.push_back(DefaultMissionInitSteps()[I].name);
}
template <int I>
void RecordFree() {
    g_steps.push_back(std::string("free ") + DefaultMissionFreeSteps()[I].name);
}
int g_failAt = -1;
template <int I>
void RecordInitOrFail() {
    RecordInit<I>();
    if (I == g_failAt) FatalError("step failed");
}
template <std::size_t... I>
void PutRecorders(std::index_sequence<I...>) {
    ((MissionInitSteps[I].run = RecordInitOrFail<static_cast<int>(I)>), ...);
}
template <std::size_t... I>
void PutFreeRecorders(std::index_sequence<I...>) {
    ((MissionFreeSteps[I].run = RecordFree<static_cast<int>(I)>), ...);
}
void RecordAllSteps(int failAt = -1) {
    g_steps.clear();
    g_failAt = failAt;
    PutRecorders(std::make_index_sequence<kInitStepCount>{});
    PutFreeRecorders(std::make_index_sequence<kFreeStepCount>{});
}

template <std::size_t N>
std::vector<std::string> Names(const std::array<MissionStep, N>& steps, std::string prefix = "") {
    std::vector<std::string> names;
    for (const MissionStep& s : steps) names.push_back(prefix + s.name);
    return names;
}

const std::vector<std::string> kInitOrder = {
    "LoadLevelMap",      "LoadTileSet",        "LoadFarbenPal",     "InitLevel",
    "InitHouses",        "FreeEmptyNodeGraph", "ClearExplosions",   "LoadTerrain",
    "InitPontonPunkte",  "InitBootPunkte",     "InitBrand",         "InitZFWege",
    "InitPassantenWege", "InitSonderObj",      "InitPersonen",      "InitFahrzeuge",
    "InitGafferZiele",   "LoadSobjJet",        "ResetCommandSlots", "InitBasen",
    "InitMissionExtras", "ResetZones"};
const std::vector<std::string> kFreeOrder = {
    "FreeBootPunkte", "FreePontonPunkte", "FreeZones",         "FreeMissionExtras", "FreeBasen",
    "FreeSobjJet",    "FreeGafferZiele",  "FreePassantenWege", "FreeZFWege",        "FreePersonen",
    "FreeFahrzeuge",  "FreeSonderObj",    "FreeHouses",        "FreeTerrain",       "FreeMaterials",
    "FreeNodeGraph",  "ReleaseSounds",    "StopCdAudio"};

TEST_F(MissionStartTest, TheModulesStartAndEndInTheirFixedOrders) {
    EXPECT_EQ(Names(DefaultMissionInitSteps()), kInitOrder);
    EXPECT_EQ(Names(DefaultMissionFreeSteps()), kFreeOrder);

    useSampleData(false);
    openGame();
    RecordAllSteps();
    StartMission(kNewMission);
    EXPECT_EQ(g_steps, kInitOrder);
    EXPECT_EQ(GameMode, 10u) << "a new mission opens on its campaign map";
    g_steps.clear();
    ShutdownMission(1);
    EXPECT_EQ(g_steps, Names(DefaultMissionFreeSteps(), "free "));
}

// What a module's start leaves to see, for the steps of mission 1 that set up something.
struct SetUpSign {
    const char* name;
    bool (*done)();
};
const SetUpSign kSetUpSigns[] = {
    {"LoadLevelMap", [] { return !MapCells.empty(); }},
    {"LoadTileSet", [] { return !TileTypen.empty(); }},
    {"InitLevel", [] { return WorldMaxX != 0; }},
    {"LoadTerrain", [] { return TerrainCount > 0; }},
    {"InitBrand", [] { return MaterialCount > 0; }},
    {"InitZFWege", [] { return ZFWegCount > 0; }},
    {"InitSonderObj", [] { return !SonderObjs.empty(); }},
    {"InitPersonen", [] { return !Personen.empty(); }},
    {"InitFahrzeuge", [] { return !Fahrzeuge.empty(); }},
};
// Runs the program's step I, noting when its module was there before or is missing after.
template <int I>
void RunAndWatchInit() {
    const MissionStep& step = DefaultMissionInitSteps()[I];
    const SetUpSign* sign = nullptr;
    for (const SetUpSign& s : kSetUpSigns)
        if (std::string_view(s.name) == step.name) sign = &s;
    if (sign != nullptr && sign->done()) g_steps.push_back(std::string(step.name) + " before");
    if (step.run != nullptr) step.run();
    if (sign != nullptr && !sign->done()) g_steps.push_back(std::string(step.name) + " missing");
}
template <std::size_t... I>
void PutInitWatchers(std::index_sequence<I...>) {
    ((MissionInitSteps[I].run = RunAndWatchInit<static_cast<int>(I)>), ...);
}

// The names alone say nothing of what runs: each named step sets up its own module.
TEST_F(MissionStartTest, EachNamedStartStepSetsUpItsOwnModule) {
    useSampleData(false);
    openGame();
    g_steps.clear();
    PutInitWatchers(std::make_index_sequence<kInitStepCount>{});
    StartMission(kNewMission);
    EXPECT_EQ(FatalErrorMessage(), "");
    EXPECT_EQ(GameMode, 10u);
    EXPECT_EQ(g_steps, std::vector<std::string>{});
}

TEST_F(MissionStartTest, TheStartStopsAtTheFirstFatalErrorAndItsShutdownFreesWhatWasSetUp) {
    useSampleData(false);
    openGame();
    RecordAllSteps(4);
    StartMission(kNewMission);
    EXPECT_EQ(g_steps, std::vector<std::string>(kInitOrder.begin(), kInitOrder.begin() + 5));
    EXPECT_EQ(FatalErrorMessage(), "step failed");
    EXPECT_NE(GameMode, 2u);
    EXPECT_EQ(videosOpened(), "");
    EXPECT_TRUE(MissionSetUp());
    EXPECT_TRUE(AnyPanelPictureHeld());
    ShutdownMission(1);
    EXPECT_FALSE(MissionSetUp());
    EXPECT_FALSE(AnyPanelPictureHeld());
}

// Each picture of the panels missing in turn; the ones before it are there.
class MissingPanelPicture : public test::MissionTest, public testing::WithParamInterface<int> {};

TEST_P(MissingPanelPicture, StopsTheStartWithItsMessage) {
    const int missing = GetParam();
    const std::filesystem::path data = KV_SAMPLEDATA_DIR;
    auto copy = [&](std::string path) {
        std::replace(path.begin(), path.end(), '\\', '/');
        std::filesystem::create_directories((dir.path() / path).parent_path());
        std::filesystem::copy_file(data / path, dir.path() / path);
    };
    for (int k = 0; k < missing && k < static_cast<int>(kPanelPictureFiles.size()); ++k)
        copy(std::string(kPanelPictureFiles[static_cast<std::size_t>(k)].path));
    cwd.emplace(dir.path());
    RecordAllSteps();
    StartMission(kNewMission);
    const std::string expected = missing < static_cast<int>(kPanelPictureFiles.size())
                                     ? kPanelPictureFiles[static_cast<std::size_t>(missing)].message
                                     : kMapWegeMessage;
    EXPECT_EQ(FatalErrorMessage(), expected);
    EXPECT_TRUE(g_steps.empty()) << "no module was set up";
    EXPECT_NE(GameMode, 2u);
}

INSTANTIATE_TEST_SUITE_P(EachInTurn, MissingPanelPicture,
                         testing::Range(0, static_cast<int>(kPanelPictureFiles.size()) + 1));

// The drawers read the piece mask over a whole cell box; a smaller one is refused like a missing
// file.
TEST_F(MissionStartTest, APieceMaskSmallerThanACellIsRefused) {
    // The sample data with a graphs folder of its own, whose mask is one column short.
    const std::filesystem::path data = KV_SAMPLEDATA_DIR;
    for (const auto& entry : std::filesystem::directory_iterator(data))
        if (entry.is_directory() && entry.path().filename() != "graphs" &&
            entry.path().filename() != "videos")
            dir.linkSampleData(entry.path().filename().string());
    std::filesystem::create_directories(dir.path() / "graphs");
    for (const auto& entry : std::filesystem::directory_iterator(data / "graphs"))
        if (entry.path().filename() != "piecemsk.vff")
            std::filesystem::create_symlink(entry.path(),
                                            dir.path() / "graphs" / entry.path().filename());
    const std::vector<sampledata::Canvas> mask = {sampledata::Canvas(47, 28, 1)};
    const std::vector<std::uint8_t> bytes = sampledata::MakeVff(mask);
    dir.write("graphs/piecemsk.vff", std::string(bytes.begin(), bytes.end()));
    cwd.emplace(dir.path());
    openGame();
    StartMission(kNewMission);
    EXPECT_EQ(FatalErrorMessage(), kPanelPictureFiles[2].message);
    EXPECT_EQ(PieceMaskImages, nullptr);
}

int g_readSlot = -1;
std::uint32_t g_modeAtRead = 0;
void RecordReadSaveGame(int slot) {
    g_readSlot = slot;
    g_modeAtRead = GameMode;
}

TEST_F(MissionStartTest, ALoadedGameKeepsItsPartAndBeginsAtOnceANewStartClearsThePart) {
    useSampleData(true);
    openGame();
    ScreenCallTable calls{};
    calls.ReadSaveGame = RecordReadSaveGame;
    SetScreenCalls(&calls);
    MissionNummer = 1;
    PartTwo = 1;
    CampaignPosition = 9;
    StartMission(3);
    EXPECT_EQ(CampaignPosition, 0);
    EXPECT_EQ(PartTwo, 1);
    EXPECT_EQ(g_readSlot, 3);
    EXPECT_EQ(g_modeAtRead, 2u);
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(videosOpened(), "") << "a loaded game shows no video";
    EXPECT_EQ(MissionViewFresh, 0) << "its first frame was shown";
    EXPECT_TRUE(AnySoundLoaded());

    ShutdownMission(1);
    StartMission(kNewMission);
    EXPECT_EQ(PartTwo, 0);
    EXPECT_EQ(videosOpened(), "mi01.avi");
}

struct NoMissionCase {
    std::int32_t slot;
    int missionNummer;  // the saved number of a loaded game
    int campaignPosition;
};

class NoMission : public test::MissionTest, public testing::WithParamInterface<NoMissionCase> {};

TEST_P(NoMission, IsFatalBeforeAnythingLoads) {
    const NoMissionCase c = GetParam();
    useSampleData(false);
    MissionNummer = static_cast<std::uint8_t>(c.missionNummer);
    CampaignPosition = static_cast<std::uint8_t>(c.campaignPosition);
    StartMission(c.slot);
    EXPECT_EQ(FatalErrorMessage(), "InitLevel not defined");
    EXPECT_FALSE(MissionSetUp());
    EXPECT_FALSE(AnyPanelPictureHeld());
    EXPECT_EQ(MapWidth, 0);
    if (c.slot != kNewMission) {
        EXPECT_EQ(CampaignPosition, kCampaignLength);
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, NoMission,
                         testing::Values(NoMissionCase{0, 0, 0}, NoMissionCase{5, 31, 0},
                                         NoMissionCase{11, 255, 3},
                                         NoMissionCase{kNewMission, 1, 30},
                                         NoMissionCase{kNewMission, 1, 255}));

TEST(CampaignTables, EveryMissionHasOnePlaceCodeAndTitle) {
    std::array<int, kMissionCount + 1> seen{};
    for (std::uint8_t m : CampaignOrder) ++seen[m];
    for (int m = 1; m <= kMissionCount; ++m) {
        EXPECT_EQ(seen[static_cast<std::size_t>(m)], 1) << m;
        EXPECT_EQ(CampaignOrder[CampaignPositionOf(m)], m);
        EXPECT_EQ(std::string(MissionCodes[static_cast<std::size_t>(m)]).size(), 4u);
    }
    EXPECT_EQ(CampaignPositionOf(0), kCampaignLength);
    EXPECT_EQ(CampaignPositionOf(31), kCampaignLength);
    EXPECT_EQ(std::string(MissionTitlesLong[0]), MissionTitlesLong[30]);
    EXPECT_EQ(std::string(MissionTitlesLong[1]),
              "Verkehrsunfall auf Bundesstra\xDF"
              "e!");
    EXPECT_EQ(std::string(MissionCodes[18]), "M315");
}

int g_levelHooks = 0;
void TestInitLevel() {
    ++g_levelHooks;
    ScrollCols = 1;
    ScrollRows = 0;
}

TEST_F(MissionStartTest, InitLevelDerivesTheLimitsFromTheHookAndNeedsOne) {
    MapWidth = 75;
    MapHeight = 38;
    InstallProgramTables();
    InitLevel(1);
    EXPECT_EQ(ScrollCols, 74);
    EXPECT_EQ(ScrollRows, 35);
    EXPECT_EQ(WorldMaxX, 1759);
    EXPECT_EQ(WorldMaxY, 979);

    // Kept as 16-bit values, however small the view.
    MissionHookRows[0].InitLevel = TestInitLevel;
    InitLevel(1);
    EXPECT_EQ(g_levelHooks, 1);
    EXPECT_EQ(ScrollCols, 0);
    EXPECT_EQ(WorldMaxX, static_cast<std::uint16_t>(-609));
    EXPECT_EQ(WorldMaxY, 65535);

    MissionHookRows[1] = MissionHooks{};  // a mission without its row
    InitLevel(2);
    EXPECT_EQ(FatalErrorMessage(), "InitLevel not defined");
    EXPECT_EQ(ScrollCols, 0) << "nothing derived without a hook";
}

void TwoOverlapRectangles() {
    MissionExtraCount = 2;
    MissionExtraActive = 1;
    AllocMissionExtras();
    MissionExtras[0] = {915, 393, 1062, 556};
}

TEST_F(MissionStartTest, OnlyMissionsWithTheirOwnSetUpHaveOverlapRectangles) {
    MissionHookRows[6].InitMissionExtras = TwoOverlapRectangles;
    InitMissionExtras(7);
    ASSERT_EQ(MissionExtras.size(), 2u);
    EXPECT_EQ(MissionExtras[0].x1, 1062);
    EXPECT_EQ(MissionExtras[1].x0, 0);
    EXPECT_EQ(MissionExtraActive, 1);

    InitMissionExtras(1);
    EXPECT_TRUE(MissionExtras.empty()) << "a second start replaces the list";
    EXPECT_EQ(MissionExtraCount, 0);
    EXPECT_EQ(MissionExtraActive, 0);
    FreeMissionExtras();
    EXPECT_TRUE(MissionExtras.empty());
}

int g_phase2 = 0;
void StartPhase2ForTest() {
    ++g_phase2;
    StartMissionPartTwo();
}

TEST_F(MissionStartTest, AVideoInTheMiddleOfAMissionLeadsToItsSecondPart) {
    useSampleData(false);
    openGame();
    clickStartPicture();
    leaveKarte();
    ASSERT_EQ(GameMode, 2u);
    MissionHookRows[0].StartPhase2 = StartPhase2ForTest;
    // A vehicle still on its campaign-map road is put at the site; one in play is left alone.
    const std::int16_t a = CreateFahrzeug(kF110, -100, 560, 3);
    SetupFahrzeug(a, 2);
    const std::int16_t b = CreateFahrzeug(kF110, 300, 560, 3);
    SetupFahrzeug(b, 2);
    ASSERT_TRUE(a >= 0 && b >= 0);
    Fahrzeug& onMap = Fahrzeuge[static_cast<std::size_t>(a)];
    onMap.KarteWeg = 0;
    onMap.KarteX = 5;
    onMap.KarteY = 6;
    Fahrzeug& inPlay = Fahrzeuge[static_cast<std::size_t>(b)];
    inPlay.KarteX = 5;
    SetMessageLine("bleibt nicht", kMessageLineForever);
    MissionViewFresh = 0;
    VideoStage = kVideoMidMission;
    OnMissionVideoEnded();
    EXPECT_EQ(g_phase2, 1);
    EXPECT_EQ(PartTwo, 1);
    EXPECT_EQ(MessageLine[0], '\0');
    EXPECT_EQ(MessageLineCountdown, 60) << "an empty line is not counted down";
    EXPECT_EQ(MissionViewFresh, 0) << "the second part's first frame was shown";
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(onMap.KarteX, KarteMarker.x);
    EXPECT_EQ(onMap.KarteY, KarteMarker.y);
    EXPECT_EQ(inPlay.KarteX, 5);
}

}  // namespace
}  // namespace kv
