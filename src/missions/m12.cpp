// Mission 12: a roller-coaster car hangs in the wreckage of its track with a passenger trapped
// inside. The horizontal beam and the grid must go before the vertical beam, then the passenger is
// cut free; three visitors lie hurt below.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "missions/held_casualty.h"
#include "missions/mission_checks.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "missions/mission_vehicles.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_injury.h"
#include "persons/personen.h"
#include "persons/sonder_obj_actions.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 12;

// The wreckage by slot, and the car's two pictures.
constexpr std::int16_t kCar = 0;
constexpr std::int16_t kBeam = 1;
constexpr std::int16_t kUpright = 2;
constexpr std::int16_t kGrid = 3;
constexpr std::int16_t kFixedSonderObjM12 = 4;
constexpr std::int16_t kEmptyCarTyp = 18;
constexpr std::int16_t kFullCarTyp = 19;

constexpr std::int32_t kPhraseOnMyWay = 10;
constexpr std::int32_t kPhraseCareful = 14;

void InitLevelM12() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 1);
    // The right end of the map's last row, where the road comes in.
    const int r = 32 * MapWidth - 32 - 16 * MapHeight;
    ViewOrigin = {620, 960};
    HomeView = {static_cast<std::int16_t>(r - 640), 400};
    RoadEntry = {static_cast<std::int16_t>(r + 100), 703, 250, 9};
    RoadExit = {static_cast<std::int16_t>(r + 150), 753, kEdgeRight};
    Money += 7000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
}

constexpr auto kGafferM12 = std::to_array<MissionGaffer>({
    {27, 1105, 1160, 3},
    {28, 1300, 1160, 9},
    {30, 1230, 1125, 7},
    {27, 1285, 1175, 1},
    {31, 995, 1275, 11},
    {29, 970, 1310, 2},
    {28, 1090, 1185, 5},
    {31, 985, 1275, 10},
    {27, 685, 1285, 8},
    {30, 620, 1350, 0},
    {28, 830, 1290, 3},
    {31, 1160, 1395, 6},
    {29, 1190, 1350, 9},
    {27, 1090, 1420, 4},
    {31, 1430, 1395, 7},
    {30, 1345, 1360, 1},
    {28, 1470, 1295, 11},
});

struct LyingCasualty {
    MissionCasualty row;
    std::int16_t heal;
};
constexpr auto kCasualtiesM12 = std::to_array<LyingCasualty>({
    {{28, 930, 1195, 0, 3, 299999, 2}, 0},
    {{29, 1000, 1195, 0, 7, 900000, 20}, 30},
    {{30, 960, 1215, 0, 1, 400000, 10}, 30},
});

void InitPersonenM12() {
    PersonCount = 60;
    AllocPersonen();
    PlaceGaffers(kGafferM12);
    for (const LyingCasualty& c : kCasualtiesM12) PlaceCasualty(c.row, c.heal);
    CreateHeldCasualty(27, 299999, 30, 300, kCar);
}

constexpr auto kCarsM12 = std::to_array<MissionCar>({
    {36, 1859, 504, 3},
    {27, 1843, 532, 3},
    {36, 1811, 588, 9},
    {38, 1795, 616, 3},
    {37, 1731, 728, 9},
    {43, 1715, 756, 9},
    {30, 2014, 560, 3},
    {27, 1982, 616, 3},
    {29, 1966, 644, 9},
    {31, 1934, 700, 9},
    {39, 1918, 728, 3},
    {28, 2220, 532, 9},
    {36, 2204, 560, 3},
    {40, 2188, 588, 3},
    {28, 1988, 450, 1},
    {43, 2052, 450, 7},
    {27, 2148, 450, 7},
});

void InitFahrzeugeM12() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
    PlaceCars(kCarsM12);
}

// No civilian traffic.
void InitZFWegeM12() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitGafferZieleM12() {
    GafferZielCount = 1;
    AllocGafferZiele();
    SetGafferZiel(0, 990, 1185, 80);
}

// The park's walks; nobody is sent along them.
constexpr auto kWeg0 = std::to_array<Point16>(
    {{275, 1270}, {1030, 1285}, {1154, 1090}, {990, 1090}, {1045, 995}, {435, 995}});
constexpr auto kWeg1 = std::to_array<Point16>({{350, 1315}, {695, 1345}, {490, 1695}, {130, 1695}});
constexpr auto kWeg2 =
    std::to_array<Point16>({{475, 1860}, {1240, 1860}, {620, 1890}, {1230, 1890}});
constexpr auto kWeg3 = std::to_array<Point16>({{1125, 1105}, {1520, 1105}});
constexpr auto kWeg4 = std::to_array<Point16>({{1915, 1073}, {1750, 1340}});
constexpr auto kWeg5 = std::to_array<Point16>({{490, 1300}, {1700, 1300}});
constexpr auto kWeg6 = std::to_array<Point16>({{1350, 1030}, {1245, 1230}});
constexpr auto kWeg7 = std::to_array<Point16>({{1385, 1465}, {1225, 1750}, {1530, 1750}});
constexpr auto kWeg8 = std::to_array<Point16>({{45, 1975}, {610, 1975}, {700, 1840}});
constexpr auto kWeg9 = std::to_array<Point16>({{850, 1500}, {760, 1680}, {240, 1680}});
constexpr auto kWeg10 = std::to_array<Point16>({{350, 1000}, {600, 1000}, {905, 935}});
constexpr auto kWeg11 =
    std::to_array<Point16>({{1370, 1440}, {1450, 1300}, {1750, 1300}, {1675, 1440}});

void InitPassantenWegeM12() {
    PassantenWegCount = 12;
    AllocPassantenWege();
    SetPassantenWeg(0, kPassantenWegLoop, kWeg0);
    SetPassantenWeg(1, kPassantenWegLoop, kWeg1);
    SetPassantenWeg(2, kPassantenWegBackAndForth, kWeg2);
    SetPassantenWeg(3, kPassantenWegBackAndForth, kWeg3);
    SetPassantenWeg(4, kPassantenWegBackAndForth, kWeg4);
    SetPassantenWeg(5, kPassantenWegBackAndForth, kWeg5);
    SetPassantenWeg(6, kPassantenWegBackAndForth, kWeg6);
    SetPassantenWeg(7, kPassantenWegBackAndForth, kWeg7);
    SetPassantenWeg(8, kPassantenWegBackAndForth, kWeg8);
    SetPassantenWeg(9, kPassantenWegBackAndForth, kWeg9);
    SetPassantenWeg(10, kPassantenWegBackAndForth, kWeg10);
    SetPassantenWeg(11, kPassantenWegLoop, kWeg11);
}

struct HangingPiece {
    std::int16_t type;
    std::int16_t x;
    std::int16_t y;
    float height;
};
// Slot by slot: the car with its passenger, the horizontal beam, the vertical beam, the grid.
constexpr std::array<HangingPiece, kFixedSonderObjM12> kWreckageM12 = {{
    {kFullCarTyp, 966, 1174, 43.0f},
    {20, 939, 1177, 74.0f},
    {21, 997, 1177, 39.0f},
    {22, 976, 1177, 70.0f},
}};
// The pieces hang above everything and block nobody.
constexpr std::uint8_t kAboveAll = 2;

void InitSonderObjM12() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSonderObjM12;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    for (std::size_t i = 0; i < kWreckageM12.size(); ++i) {
        const HangingPiece& w = kWreckageM12[i];
        CreateSonderObj(static_cast<int>(i), w.type, w.x, w.y, 0, 0, kAboveAll, w.height, 0);
    }
}

// An amusement park: no houses, nothing burns.
void InitHousesM12() {
    HouseCount = 0;
    InitHouseList();
}

void InitBrandM12() {}

bool Removed(std::int16_t slot) {
    const SonderObj* o = SonderObjAt(slot);
    return o == nullptr || o->type == -1;
}

// What a click on a piece of the wreckage sends the selected person to do.
enum class Act : std::uint8_t { ClearBeamAndGrid, TakeUpright, CutFree };
enum class When : std::uint8_t { Always, OnlyCarLeft };
struct PieceRule {
    std::int16_t slot;
    std::int16_t modes[3];
    When when;
    Act act;
};
// Modes 1001..1003: a fire-fighter with nothing in hand; 1009, 1017, 1022: with a metal cutter.
constexpr std::array<PieceRule, 4> kPieceRulesM12 = {{
    {kBeam, {1001, 1002, 1003}, When::Always, Act::ClearBeamAndGrid},
    {kGrid, {1001, 1002, 1003}, When::Always, Act::ClearBeamAndGrid},
    {kUpright, {1001, 1002, 1003}, When::Always, Act::TakeUpright},
    {kCar, {1009, 1017, 1022}, When::OnlyCarLeft, Act::CutFree},
}};

const PieceRule* HoveredRule() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type == -1 || UsedPersonAt(SelectedIndex) == nullptr) return nullptr;
    const std::int16_t mode = SignedSelectionMode();
    for (const PieceRule& r : kPieceRulesM12) {
        if (r.slot != slot || (mode != r.modes[0] && mode != r.modes[1] && mode != r.modes[2]))
            continue;
        if (r.when == When::OnlyCarLeft &&
            !(Removed(kBeam) && Removed(kUpright) && Removed(kGrid) && o->type == kFullCarTyp))
            continue;
        return &r;
    }
    return nullptr;
}

std::uint8_t CursorOnSonderObjM12() {
    if (HoveredRule() == nullptr) return 0;
    CursorId = kCursorRescue;
    return 1;
}

// Where the clearing crew stands: either side below the wreckage, facing up into it.
constexpr std::int32_t kClearLeftX = 950;
constexpr std::int32_t kClearRightX = 998;
constexpr std::int32_t kUnderY = 1185;
constexpr std::uint8_t kFacingUp = 1;
// Order 196's rule that wants the person under the wreckage.
constexpr std::int32_t kUnderWreckage = 0;
// Order 183's position rule for the cut, its cycles and the callback that frees the passenger.
constexpr std::int32_t kCutRule = 4;
constexpr std::int32_t kCutCycles = 10;
constexpr std::uint32_t kCutDoneSlot = 9;

// The rule's fixed spot for the cut, where the crew stands under the car.
PixelPos CutSpot() {
    const SonderObjSpot& s =
        kWorkRules[static_cast<std::size_t>(kCutRule - kFirstWorkRule)].spots[0];
    return {s.dx, s.dy};
}

void ClearBeamAndGrid(Person& p) {
    GoalList goals{{static_cast<float>(kClearLeftX), static_cast<float>(kUnderY), kFacingUp, 0},
                   {static_cast<float>(kClearRightX), static_cast<float>(kUnderY), kFacingUp, 0}};
    GiveOrder(p, PersonTypOf(p), kOpGoals, kPhraseOnMyWay, std::move(goals));
    // Only the pieces still hanging: taking away one that is gone would end the whole queue.
    for (const std::int16_t slot : {kBeam, kGrid})
        if (!Removed(slot)) ThenOrder(p, kOpRemoveSonderObj, slot, kUnderWreckage);
}

void TakeUpright(Person& p) {
    GiveOrder(p, PersonTypOf(p), kOpMove, kPhraseCareful, kClearRightX, kUnderY);
    ThenOrder(p, kOpTurn, kClearRightX, kUnderY, kFacingUp);
    ThenOrder(p, kOpTakeUpright, kUpright);
}

void CutFree(Person& p) {
    const PixelPos at = CutSpot();
    GiveOrder(p, PersonTypOf(p), kOpMove, kPhraseOnMyWay, at.x, at.y);
    ThenOrder(p, kOpTurn, at.x, at.y, kFacingUp);
    AppendBefehl(p, kOpWorkAtSonderObj, kCar, kFullCarTyp, kCutCycles, kCutRule, kCutDoneSlot);
}

std::uint8_t ClickOnSonderObjM12() {
    const PieceRule* r = HoveredRule();
    if (r == nullptr) return 0;
    Person& p = *UsedPersonAt(SelectedIndex);
    switch (r->act) {
        case Act::ClearBeamAndGrid:
            ClearBeamAndGrid(p);
            break;
        case Act::TakeUpright:
            TakeUpright(p);
            break;
        case Act::CutFree:
            CutFree(p);
            break;
    }
    return 1;
}

// Order 197 (a = slot): with the beam and the grid gone the vertical beam comes away; otherwise
// the wreckage drops onto the ground and kills the person under it. Any other mission has no
// wreckage: the queue goes.
void TakeUprightAway(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    if (MissionNummer != kMission) {
        ClearBefehle(*p);
        return;
    }
    const std::int32_t slot = p->orders->aInt();
    if (Removed(kBeam) && Removed(kGrid)) {
        if (SonderObjAt(slot) != nullptr) FreeSonderObjSlot(slot);
        PopBefehl(*p);
        return;
    }
    for (const std::int16_t piece : {kBeam, kUpright, kGrid})
        if (SonderObj* o = SonderObjAt(piece)) o->z = 0.0f;
    InjurePerson(index, 0, 7, 0);
    // Dead, the person may have lost its orders with its injury.
    if (Person* still = RunningPerson(index)) PopBefehl(*still);
}

// Callback 9: the cut is done; the car hangs empty and the passenger lies below it.
void PassengerCutFree(std::int32_t slot, std::int32_t) {
    if (MissionNummer != kMission) return;
    SonderObj* car = SonderObjAt(slot);
    if (car == nullptr || car->type == -1) return;
    car->type = kEmptyCarTyp;
    const SonderObjTyp* t = SonderObjTypAt(kEmptyCarTyp);
    if (t == nullptr) return;
    const float x = car->x + static_cast<float>((t->boxX1 - t->boxX0) / 2);
    const float y = car->y + static_cast<float>(t->boxY1);
    ReleaseHeldPerson(static_cast<std::int16_t>(slot), x, y, 7);
}

void CheckMissionM12() {
    if (ToteCount > 0) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    if (!RescuePending()) ShowWellDone();
}

void EvaluateMissionM12() {
    const int zeit = WriteTimeLine(ResultLines[0], 6000, 30000);
    const int geld = WriteMoneyLine(ResultLines[1], 4000);
    EvaluationEfficiency = (zeit + geld) / 2;
    FinishEvaluation(7000);
}

}  // namespace

void RunPersonBefehl197M12(std::int16_t person) {
    TakeUprightAway(person);
}

void OnBefehlDone09M12(std::int32_t slot, std::int32_t person) {
    PassengerCutFree(slot, person);
}

// No tick script: nothing here depends on time.
const MissionHooks kMissionHooksM12{
    .InitLevel = InitLevelM12,
    .InitHouses = InitHousesM12,
    .InitZFWege = InitZFWegeM12,
    .InitPassantenWege = InitPassantenWegeM12,
    .InitFahrzeuge = InitFahrzeugeM12,
    .CheckMission = CheckMissionM12,
    .InitBrand = InitBrandM12,
    .InitSonderObj = InitSonderObjM12,
    .InitPersonen = InitPersonenM12,
    .InitGafferZiele = InitGafferZieleM12,
    .CursorOnSonderObj = CursorOnSonderObjM12,
    .ClickOnSonderObj = ClickOnSonderObjM12,
    .EvaluateMission = EvaluateMissionM12,
};

}  // namespace kv
