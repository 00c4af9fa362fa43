// Mission 8: a small plane has crashed into a fast-food restaurant in a town grid. The burning
// wreck explodes unless its fire is out first; three casualties lie inside the restaurant.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/explosions.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 8;
constexpr std::uint32_t kModeMission = 2;

// The fixed special objects: the restaurant's sign and the plane's wreck.
constexpr std::int16_t kSign = 0;
constexpr std::int16_t kWreck = 1;
constexpr std::int16_t kFixedSonderObjM08 = 2;
constexpr std::int16_t kSignTyp = 18;
constexpr std::int16_t kPlaneTyp = 20;
constexpr std::int16_t kBurningPlaneTyp = 22;

// The wreck explodes from this tick on if it still burns.
constexpr std::uint32_t kWreckExplodes = 1801;
constexpr int kSoundFire = kFirstMissionSound;

// A pushing vehicle may take the wreck only while it lies west of this x.
constexpr float kPushableBeforeX = 1800.0f;
constexpr std::int32_t kPushTargetX = 2000;
constexpr std::int32_t kPushFacing = 3;
constexpr std::int32_t kPhraseUnderstood = 17;

void InitLevelM08() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 1);
    ViewOrigin = {1340, 910};
    HomeView = {0, 700};
    RoadEntry = {-100, 949, 250, 3};
    RoadExit = {-150, 619, kEdgeTop};
    Money += 18000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
}

// Onlookers on the restaurant's first floor, the three casualties among them, and people at the
// windows of the houses south of it.
constexpr std::array<MissionGaffer, 6> kRestaurantGafferM08 = {{
    {27, 1490, 1039, 6},
    {28, 1622, 980, 0},
    {29, 1709, 977, 0},
    {27, 1811, 1046, 6},
    {30, 1827, 907, 3},
    {31, 1550, 985, 6},
}};
constexpr std::int8_t kRestaurantStorey = 1;
constexpr std::int16_t kCasualtyHeal = 300;
constexpr std::array<MissionCasualty, 3> kCasualtiesM08 = {{
    {29, 1583, 931, 1, 3, 250000, 0},
    {28, 1657, 1038, 1, 1, 800000, 20},
    {30, 1579, 1041, 1, 9, 599999, 10},
}};
struct WindowGaffer {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
};
constexpr std::array<WindowGaffer, 3> kWindowGafferM08 = {{
    {27, 1301, 1526, 2, 6},
    {29, 1250, 1555, 1, 0},
    {28, 1155, 1562, 3, 6},
}};

void InitPersonenM08() {
    PersonCount = 70;
    AllocPersonen();
    PlaceGaffers(kRestaurantGafferM08, kRestaurantStorey);
    for (const MissionCasualty& c : kCasualtiesM08) PlaceCasualty(c, kCasualtyHeal);
    for (const WindowGaffer& g : kWindowGafferM08)
        CreateGaffer(g.type, g.x, g.y, g.storey, g.direction, 0);
}

void InitFahrzeugeM08() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
}

// No civilian traffic, no onlooker targets, no pedestrians.
void InitZFWegeM08() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitGafferZieleM08() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM08() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

constexpr auto kHydrantsM08 = std::to_array<Point16>({
    {562, 284},   {708, 284},  {1325, 284},  {2030, 284},  {2681, 284}, {2906, 284},  {111, 429},
    {3345, 429},  {459, 563},  {1180, 563},  {1808, 563},  {1957, 563}, {2524, 563},  {2712, 563},
    {303, 843},   {1004, 843}, {2632, 843},  {188, 1126},  {873, 1126}, {2748, 1206}, {2935, 1465},
    {1727, 1593}, {573, 1600}, {1466, 1600}, {2264, 1760}, {344, 1879}, {1051, 1879}, {1589, 1879},
});

void InitSonderObjM08() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSonderObjM08;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    CreateSonderObj(kSign, kSignTyp, 1718, 1120, 0, 15, 0, 0.0f, 0);
    CreateSonderObj(kWreck, kBurningPlaneTyp, 1580, 1117, 0, 15, 0, 0.0f, 0);
    SonderObjAt(kWreck)->burning = 1;
    ++BurningSonderObjCount;
    for (const Point16& h : kHydrantsM08) AddHydrant(h.x, h.y);
}

// The restaurant first; then the town's rows from north to south.
constexpr std::array<MissionHouse, 44> kHousesM08 = {{
    {64, 64, 32, 7, 5},  {3, 7, 6, 0, 0},     {5, 17, 6, 1, 1},   {7, 29, 6, 2, 0},
    {9, 39, 6, 0, 1},    {11, 51, 6, 1, 0},   {3, 61, 6, 2, 1},   {5, 73, 6, 0, 0},
    {7, 83, 6, 1, 1},    {9, 98, 6, 2, 0},    {11, 108, 6, 0, 1}, {3, 118, 6, 1, 0},
    {5, 17, 16, 1, 1},   {7, 29, 16, 2, 0},   {9, 39, 16, 0, 1},  {11, 51, 16, 1, 0},
    {3, 61, 16, 2, 1},   {5, 73, 16, 0, 0},   {68, 83, 16, 1, 0}, {9, 98, 16, 2, 0},
    {11, 108, 16, 0, 1}, {13, 118, 16, 1, 0}, {5, 17, 26, 1, 1},  {7, 29, 26, 2, 0},
    {9, 39, 26, 0, 1},   {11, 51, 26, 1, 0},  {7, 92, 26, 0, 1},  {9, 98, 26, 2, 0},
    {7, 29, 36, 2, 0},   {9, 39, 36, 0, 1},   {11, 51, 36, 1, 0}, {7, 92, 36, 0, 1},
    {9, 98, 36, 2, 0},   {7, 29, 53, 2, 0},   {9, 39, 53, 0, 1},  {11, 51, 53, 1, 0},
    {3, 61, 53, 2, 1},   {5, 66, 53, 0, 0},   {9, 39, 63, 0, 1},  {11, 46, 63, 1, 0},
    {11, 51, 63, 1, 0},  {3, 61, 63, 2, 1},   {5, 68, 63, 0, 0},  {5, 73, 63, 0, 0},
}};

void InitHousesM08() {
    PlaceHouses(kHousesM08);
}

constexpr int kFireColumn = 76;
constexpr int kFireRow = 53;

void InitBrandM08() {
    const std::ptrdiff_t cell = brand::FireCellIndex(kFireColumn, kFireRow);
    if (cell >= 0) BrandStates[static_cast<std::size_t>(cell)].burning = 1;
}

// The wreck, only while it is still the burning plane; a freed or changed slot is left alone.
SonderObj* BurningWreck() {
    SonderObj* o = SonderObjAt(kWreck);
    return o != nullptr && o->type == kBurningPlaneTyp && o->burning != 0 ? o : nullptr;
}

void ExplodeWreck() {
    SonderObj* o = BurningWreck();
    if (o == nullptr || TickCounter < kWreckExplodes) return;
    o->burning = 0;
    if (BurningSonderObjCount > 0) --BurningSonderObjCount;
    o->type = kPlaneTyp;
    o->frame = 0;
    o->tick = 0;
    ExplodeSonderObj(kWreck);
}

void SoundFire() {
    if (SoundOn == 0) return;
    if (BurningWreck() == nullptr) {
        StopSound(kSoundFire);
        return;
    }
    if (GameMode == kModeMission && SoundSlots[kSoundFire].buffer != kNoSoundBuffer &&
        IsSoundPlaying(kSoundFire) == 0)
        PlaySoundFx(kSoundFire, kOwnerSonderObj, kWreck, 1, 0, 0, kSoundDepth);
}

void UpdateMissionM08() {
    ExplodeWreck();
    SoundFire();
}

// The selection mode of one F114.
constexpr std::int16_t kPusherSelection = 12;

enum class WreckAct : std::uint8_t { None, Water, Push };

// What the mouse over the wreck offers the current selection.
WreckAct HoveredAct() {
    if (HoverIds[0] != static_cast<std::uint16_t>(kWreck)) return WreckAct::None;
    const SonderObj* o = SonderObjAt(kWreck);
    if (o == nullptr || o->type == -1) return WreckAct::None;
    const std::int16_t mode = SignedSelectionMode();
    if (CannonSelection(mode) && o->type == kBurningPlaneTyp) return WreckAct::Water;
    if (mode == kPusherSelection && o->x < kPushableBeforeX) return WreckAct::Push;
    return WreckAct::None;
}

std::uint8_t CursorOnSonderObjM08() {
    switch (HoveredAct()) {
        case WreckAct::Water:
            CursorId = kCursorWater;
            return 1;
        case WreckAct::Push:
            CursorId = kCursorRescue;
            return 1;
        case WreckAct::None:
            break;
    }
    return 0;
}

// The pushing car drives up to the wreck's left side, facing east, and pushes it along.
std::uint8_t SendPusher(const SonderObj& wreck) {
    Fahrzeug* v = UsedFahrzeugAt(SelectedIndex);
    const SonderObjTyp* t = SonderObjTypAt(wreck.type);
    if (v == nullptr || t == nullptr) return 0;
    const FahrzeugTyp& type = FahrzeugTypOf(*v);
    const int width = type.extent[2] - type.extent[0];
    const std::int32_t x = TruncInt(wreck.x) + t->boxX0 - width / 2 - 2;
    const std::int32_t y = TruncInt(wreck.y) + t->boxY0 + (t->boxY1 - t->boxY0) / 2;
    GiveOrder(*v, type, kOpMove, kPhraseUnderstood, x, y);
    ThenOrder(*v, kOpWait, 1);
    ThenOrder(*v, kOpTurn, x, y, kPushFacing);
    ThenOrder(*v, kOpPushSonderObj, kWreck, kPushTargetX);
    return 1;
}

std::uint8_t ClickOnSonderObjM08() {
    const WreckAct act = HoveredAct();
    if (act == WreckAct::Water) {
        // The water click is the wreck's whether or not a vehicle could be sent.
        WaterOnPoint(kWreck);
        return 1;
    }
    if (act == WreckAct::Push) return SendPusher(*SonderObjAt(kWreck));
    return 0;
}

constexpr std::uint32_t kMaxDead = 2;
constexpr std::uint16_t kMaxBurningHouses = 3;

void CheckMissionM08() {
    CheckDeadThenFire(kMaxDead, "Zu viele Tote!", kMaxBurningHouses);
}

void EvaluateMissionM08() {
    const int tote = WriteDeadLine(ResultLines[0], 50);
    const int zeit = WriteTimeLine(ResultLines[1], 9600, 30000);
    const int geld = WriteMoneyLine(ResultLines[2], 5000);
    EvaluationEfficiency = (tote + zeit + geld) / 3;
    FinishEvaluation(18000);
}

}  // namespace

const MissionHooks kMissionHooksM08{
    .InitLevel = InitLevelM08,
    .InitHouses = InitHousesM08,
    .InitZFWege = InitZFWegeM08,
    .InitPassantenWege = InitPassantenWegeM08,
    .InitFahrzeuge = InitFahrzeugeM08,
    .UpdateMission = UpdateMissionM08,
    .CheckMission = CheckMissionM08,
    .InitBrand = InitBrandM08,
    .InitSonderObj = InitSonderObjM08,
    .InitPersonen = InitPersonenM08,
    .InitGafferZiele = InitGafferZieleM08,
    .CursorOnSonderObj = CursorOnSonderObjM08,
    .ClickOnSonderObj = ClickOnSonderObjM08,
    .EvaluateMission = EvaluateMissionM08,
};

}  // namespace kv
