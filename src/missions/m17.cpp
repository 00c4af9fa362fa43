// Mission 17: a gas explosion in a department store. The gas house leaks until a fire-fighter
// closes it; two severed cables stay live until the fuse box is switched off.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/input/selected_unit.h"
#include "mission/scroll_view.h"
#include "missions/approach_points.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "missions/mission_vehicles.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_injury.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

// The mission's words: the leak closed, the power off, civilians struck at the cables, and the
// two casualties under rubble.
std::uint16_t& GasLeakClosed() {
    return MissionScratch.S0;
}
std::int16_t& FusePowerOff() {
    return SignedWord(MissionScratch.S1);
}
std::int16_t& CiviliansShocked() {
    return SignedWord(MissionScratch.S2);
}
std::int32_t& TrappedVictim1() {
    return MissionScratch.S3;
}
std::int32_t& TrappedVictim2() {
    return MissionScratch.S4;
}

// The fixed special objects by role.
constexpr std::int16_t kGasHouse = 0;
constexpr std::int16_t kCaravan = 3;
constexpr std::int16_t kRubbleOverVictim1 = 4;
constexpr std::int16_t kRubbleOverVictim2 = 5;
constexpr std::int16_t kFuseBox = 12;
constexpr std::int16_t kCable1 = 13;
constexpr std::int16_t kCable2 = 14;
constexpr std::int16_t kSecondBlast = 15;
constexpr std::int16_t kThirdBlast = 16;
constexpr std::int16_t kFixedSonderObjM17 = 17;

constexpr std::int16_t kGasOffTyp = 19;
constexpr std::int16_t kRubble1Typ = 26;
constexpr std::int16_t kRubble2Typ = 27;
constexpr std::int16_t kCable1DeadTyp = 30;
constexpr std::int16_t kCable1LiveTyp = 31;
constexpr std::int16_t kCable2DeadTyp = 32;
constexpr std::int16_t kCable2LiveTyp = 33;
constexpr std::int16_t kFuseOffFrame = 1;

constexpr int kSoundSwitch = 82;
constexpr int kSoundCables = 83;
constexpr std::uint32_t kCableSoundEvery = 200;
constexpr std::uint32_t kPlayMode = 2;

// The leak's deadline and the stages after it.
constexpr std::uint32_t kGasExplodes = 6000;
constexpr std::uint32_t kSecondBlastAt = 6010;
constexpr std::uint32_t kThirdBlastAt = 6020;
constexpr std::uint32_t kGasFailsAt = 6030;
constexpr std::uint16_t kMaxDead = 2;

// Onlookers wander into the cables from this tick on, one every so many ticks, out of this area.
constexpr std::uint32_t kFirstStray = 4800;
constexpr std::uint32_t kStrayEvery = 2400;
constexpr std::int16_t kStrayX0 = 820;
constexpr std::int16_t kStrayX1 = 1085;
constexpr std::int16_t kStrayY0 = 1250;
constexpr std::int16_t kStrayY1 = 1480;
constexpr std::int32_t kStrayTargetX = 1360;  // on cable 2
constexpr std::int32_t kStrayTargetY = 1080;
constexpr std::int32_t kShockEnergy = 1000000;
// Person flag 16: it leads someone.
constexpr std::uint8_t kLeadsSomeone = 16;

constexpr std::int32_t kPhraseUnderstoodM17 = 17;
constexpr std::int32_t kSilent = -1;
// Where the fire-fighter stands at the gas house, from its position, and how it faces.
constexpr int kValveDx = 24;
constexpr int kValveDy = 80;
constexpr std::int32_t kValveFacing = 0;

void InitLevelM17() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight);
    ViewOrigin = {830, 990};
    HomeView = {0, 0};
    RoadEntry = {-100, 210, 250, 3};
    RoadExit = {-150, 434, kEdgeLeft};
    Money += 12000;
    KarteMarker = KarteMarkers[17];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
    GasLeakClosed() = 0;
    FusePowerOff() = 0;
    CiviliansShocked() = 0;
}

constexpr std::array<MissionGaffer, 9> kGroundGafferM17 = {{
    {30, 963, 1506, 2},
    {29, 1044, 1404, 0},
    {27, 873, 1500, 0},
    {48, 937, 1419, 10},
    {28, 828, 1427, 1},
    {27, 1076, 1358, 3},
    {27, 1360, 620, 0},
    {47, 1370, 710, 0},
    {31, 1420, 423, 9},
}};

constexpr std::int16_t kCasualtyHeal = 300;
// The sixth and seventh lie under rubble 4 and 5.
constexpr std::array<MissionCasualty, 9> kCasualtiesM17 = {{
    {28, 1442, 1149, 0, 3, 400000, 10},
    {29, 1661, 982, 0, 1, 800000, 30},
    {27, 1550, 1242, 0, 1, 900000, 30},
    {7, 1389, 1354, 0, 3, 599999, 20},
    {48, 1158, 1168, 0, 7, 250000, 5},
    {27, 1560, 1160, 0, 7, 500000, 20},
    {30, 1445, 1260, 0, 3, 400000, 10},
    {28, 1339, 982, 1, 7, 100000, 0},
    {30, 1446, 1015, 1, 3, 400000, 8},
}};
constexpr std::size_t kVictim1Row = 5;
constexpr std::size_t kVictim2Row = 6;

constexpr std::array<MissionGaffer, 23> kUpstairsGafferM17 = {{
    {28, 1077, 743, 0},  {27, 775, 796, 6},  {48, 1287, 314, 3}, {31, 922, 507, 6},
    {28, 995, 438, 9},   {30, 1354, 522, 0}, {27, 1207, 471, 9}, {29, 1577, 549, 1},
    {47, 1771, 557, 3},  {29, 2201, 453, 9}, {28, 2050, 340, 0}, {31, 1782, 473, 0},
    {27, 1644, 307, 6},  {29, 964, 910, 4},  {28, 605, 1109, 0}, {48, 1892, 813, 3},
    {31, 1980, 835, 9},  {28, 1823, 755, 3}, {29, 1389, 893, 0}, {27, 1441, 799, 6},
    {28, 1232, 1026, 9}, {47, 567, 1190, 6}, {27, 927, 1174, 3},
}};

void InitPersonenM17() {
    PersonCount = 100;
    AllocPersonen();
    PlaceGaffers(kGroundGafferM17);
    std::array<std::int16_t, kCasualtiesM17.size()> made{};
    for (std::size_t i = 0; i < kCasualtiesM17.size(); ++i)
        made[i] = PlaceCasualty(kCasualtiesM17[i], kCasualtyHeal);
    TrappedVictim1() = made[kVictim1Row];
    TrappedVictim2() = made[kVictim2Row];
    PlaceGaffers(kUpstairsGafferM17, 1);
}

// Row by row from the top, each from left to right.
constexpr std::array<MissionCar, 84> kParkedCarsM17 = {{
    {36, 525, 55, 7},    {40, 589, 55, 1},    {29, 685, 55, 7},    {42, 813, 55, 1},
    {37, 1195, 55, 1},   {36, 1355, 55, 1},   {37, 1483, 55, 7},   {32, 1611, 55, 1},
    {27, 1900, 55, 7},   {37, 1992, 55, 1},   {36, 2060, 55, 1},   {37, 2156, 55, 7},
    {32, 2220, 55, 1},   {38, 2316, 55, 1},   {30, 2380, 55, 1},   {36, 410, 140, 1},
    {37, 506, 140, 7},   {32, 666, 140, 1},   {36, 1210, 145, 7},  {40, 1274, 145, 1},
    {29, 1338, 145, 7},  {42, 1402, 145, 1},  {31, 1498, 145, 7},  {43, 1562, 145, 1},
    {39, 1880, 145, 7},  {28, 2040, 145, 7},  {36, 2296, 145, 7},  {40, 2424, 145, 1},
    {31, 2905, 145, 7},  {38, 425, 280, 1},   {30, 713, 280, 1},   {42, 2990, 280, 1},
    {39, 505, 365, 7},   {29, 3100, 365, 7},  {38, 330, 505, 1},   {30, 394, 505, 1},
    {28, 185, 590, 7},   {36, 249, 590, 7},   {40, 377, 590, 1},   {29, 473, 590, 7},
    {42, 537, 590, 1},   {31, 601, 590, 7},   {40, 3000, 590, 1},  {28, 2635, 840, 7},
    {36, 2891, 840, 7},  {39, 220, 980, 7},   {28, 284, 980, 7},   {39, 2525, 980, 7},
    {31, 170, 1065, 7},  {30, 2635, 1065, 1}, {37, 2495, 1200, 7}, {32, 2591, 1200, 1},
    {38, 2687, 1200, 1}, {43, 140, 1290, 1},  {39, 2350, 1290, 7}, {43, 3020, 1290, 1},
    {29, 380, 1425, 7},  {42, 476, 1425, 1},  {31, 572, 1425, 7},  {43, 636, 1425, 1},
    {27, 764, 1425, 7},  {32, 2365, 1425, 1}, {38, 2461, 1425, 1}, {32, 1245, 1430, 1},
    {38, 1309, 1430, 1}, {37, 1003, 1513, 1}, {36, 1066, 1513, 1}, {39, 1130, 1513, 7},
    {27, 1195, 1513, 7}, {37, 460, 1515, 1},  {36, 585, 1515, 1},  {36, 380, 1650, 1},
    {30, 1115, 1650, 1}, {39, 1690, 1650, 7}, {43, 2205, 1650, 1}, {27, 2269, 1650, 7},
    {36, 2429, 1650, 1}, {30, 2365, 1655, 1}, {37, 395, 1735, 7},  {28, 2860, 1735, 7},
    {36, 2956, 1735, 7}, {40, 3020, 1735, 1}, {28, 1740, 1740, 7}, {37, 2185, 1740, 7},
}};

void InitFahrzeugeM17() {
    FahrzeugCount = 130;
    AllocFahrzeuge();
    PlaceCars(kParkedCarsM17);
}

// No civilian traffic, no onlooker targets, no pedestrians.
void InitZFWegeM17() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitGafferZieleM17() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM17() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

struct PlacedSonderObj {
    std::int16_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint8_t blockMask;
    std::uint8_t depthLayer;
};
// Slot by slot: the gas house, the wrecks, the caravan, the rubble, the fuse box and the cables.
constexpr std::array<PlacedSonderObj, 15> kSonderObjM17 = {{
    {18, 1960, 1000, 15, 0},
    {20, 1363, 1310, 15, 0},
    {21, 1135, 1337, 15, 0},
    {23, 1196, 1324, 15, 0},
    {26, 1549, 1149, 15, 0},
    {27, 1419, 1249, 15, 0},
    {28, 1299, 1146, 15, 0},
    {26, 1700, 948, 15, 0},
    {27, 1592, 1056, 15, 0},
    {28, 1655, 1184, 15, 0},
    {26, 1195, 1255, 15, 0},
    {28, 1552, 1004, 15, 0},
    {29, 1403, 263, 15, 0},
    {31, 1185, 1087, 0, 1},
    {33, 1237, 1060, 0, 1},
}};
// The fuse box hangs on the first floor.
constexpr std::uint8_t kFuseBoxStorey = 1;
// The blasts after the gas house are rubble that explodes.
constexpr PlacedSonderObj kSecondBlastObj = {kRubble1Typ, 1570, 1088, 15, 0};
constexpr PlacedSonderObj kThirdBlastObj = {kRubble1Typ, 1185, 1118, 15, 0};

void Place(std::int16_t slot, const PlacedSonderObj& o) {
    CreateSonderObj(slot, o.type, o.x, o.y, 0, o.blockMask, o.depthLayer, 0.0f, 0);
}

void InitSonderObjM17() {
    SonderObjTypCount = MissionSonderObjTypCount(17);
    SonderObjCount = kFixedSonderObjM17;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(17)) return;
    for (std::size_t i = 0; i < kSonderObjM17.size(); ++i)
        Place(static_cast<std::int16_t>(i), kSonderObjM17[i]);
    SonderObj& caravan = *SonderObjAt(kCaravan);
    caravan.burning = 1;
    ++BurningSonderObjCount;
    SonderObjAt(kFuseBox)->storey = kFuseBoxStorey;
}

constexpr std::uint8_t kLowerSet = 5;
constexpr std::uint8_t kUpperSet = 3;
constexpr MissionHouse H(std::uint8_t type, std::int16_t column, std::int16_t row) {
    return {type, column, row, kLowerSet, kUpperSet};
}
constexpr std::array<MissionHouse, 46> kHousesM17 = {{
    H(18, 37, 38), H(19, 44, 40), H(20, 48, 40), H(21, 68, 29), H(22, 68, 26), H(23, 68, 24),
    H(24, 72, 27), H(25, 58, 27), H(26, 63, 25), H(27, 58, 34), H(28, 58, 27), H(29, 55, 27),
    H(30, 55, 32), H(31, 63, 19), H(32, 63, 16), H(37, 58, 16), H(33, 58, 19), H(34, 55, 16),
    H(35, 50, 18), H(36, 45, 19), H(37, 45, 16), H(38, 43, 16), H(39, 37, 15), H(40, 37, 10),
    H(41, 43, 10), H(42, 48, 10), H(43, 56, 10), H(44, 61, 10), H(44, 67, 10), H(45, 73, 10),
    H(46, 75, 15), H(47, 75, 19), H(48, 70, 19), H(49, 70, 16), H(50, 37, 27), H(51, 37, 30),
    H(52, 37, 34), H(53, 43, 26), H(54, 45, 25), H(55, 51, 27), H(56, 43, 29), H(57, 48, 29),
    H(58, 43, 32), H(59, 48, 32), H(60, 43, 34), H(61, 48, 34),
}};

void InitHousesM17() {
    PlaceHouses(kHousesM17);
}

// Nothing burns but the caravan, which the object set-up lights.
void InitBrandM17() {}

Person* SelectedPerson() {
    return UsedPersonAt(SelectedIndex);
}

// A person index kept in a 32-bit word names a person only in range and in use.
bool Names(std::int32_t victim, std::uint16_t index) {
    return victim >= 0 && victim == static_cast<std::int32_t>(index) &&
           UsedPersonAt(victim) != nullptr;
}

// What the cursor and the click do over a special object, by slot and selection.
enum class Act : std::uint8_t { CloseLeak, Water, Lift, Clear, Switch };
enum class When : std::uint8_t { Always, LeakOpen, NotBurning };
struct ObjectRule {
    std::int16_t slotFirst;
    std::int16_t slotLast;
    std::int16_t modeFirst;
    std::int16_t modeLast;
    When when;
    std::uint16_t cursor;
    Act act;
};
constexpr std::array<ObjectRule, 7> kObjectRulesM17 = {{
    {0, 0, 1000, 1003, When::LeakOpen, kCursorRescue, Act::CloseLeak},
    {1, 3, 3, 4, When::Always, kCursorWater, Act::Water},
    {1, 3, 6, 6, When::Always, kCursorWater, Act::Water},
    {1, 3, 13, 13, When::Always, kCursorWater, Act::Water},
    {1, 3, 9, 9, When::NotBurning, kCursorRescue, Act::Lift},
    {4, 8, 1001, 1003, When::Always, kCursorRescue, Act::Clear},
    {12, 12, 1001, 1003, When::Always, kCursorRescue, Act::Switch},
}};

const ObjectRule* HoveredRule() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type == -1) return nullptr;
    const std::int16_t mode = SignedSelectionMode();
    for (const ObjectRule& r : kObjectRulesM17) {
        if (slot < r.slotFirst || slot > r.slotLast || mode < r.modeFirst || mode > r.modeLast)
            continue;
        if (r.when == When::LeakOpen && GasLeakClosed() != 0) continue;
        if (r.when == When::NotBurning && o->burning != 0) continue;
        return &r;
    }
    return nullptr;
}

std::uint8_t CursorOnSonderObjM17() {
    const ObjectRule* r = HoveredRule();
    if (r == nullptr) return 0;
    CursorId = r->cursor;
    return 1;
}

// The fire-fighter walks to the valve, turns to it and closes it there.
std::uint8_t SendToValve(const SonderObj& gas) {
    Person* p = SelectedPerson();
    if (p == nullptr) return 0;
    const int x = TruncInt(gas.x) + kValveDx;
    const int y = TruncInt(gas.y) + kValveDy;
    GiveOrder(*p, PersonTypOf(*p), kOpMove, kPhraseUnderstoodM17, x, y);
    ThenOrder(*p, kOpTurn, x, y, kValveFacing, 0);
    ThenOrder(*p, kOpCloseGasLeak, x, y, kValveFacing, kGasHouse);
    return 1;
}

// A fire-fighter goes to the object and takes it away, or sets the fuse box's other frame.
std::uint8_t SendToObject(std::int16_t slot, std::uint8_t opcode, std::int32_t b) {
    Person* p = SelectedPerson();
    if (p == nullptr) return 0;
    GiveOrder(*p, PersonTypOf(*p), kOpGoals, kPhraseUnderstoodM17, ApproachPoints(slot, *p));
    ThenOrder(*p, opcode, slot, b);
    return 1;
}

std::uint8_t ClickOnSonderObjM17() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type == -1) return 0;
    // The wrecks and the caravan under the water cursor take the click whatever is selected.
    if (slot >= 1 && slot <= 3 && !(SignedSelectionMode() == 9 && o->burning == 0) &&
        CursorId == kCursorWater) {
        WaterOnPoint(slot);
        return 1;
    }
    const ObjectRule* r = HoveredRule();
    if (r == nullptr) return 0;
    switch (r->act) {
        case Act::CloseLeak:
            return SendToValve(*o);
        case Act::Lift:
            return SendCraneToObject(slot);
        case Act::Clear:
            return SendToObject(slot, kOpRemoveSonderObj, 1);
        case Act::Switch:
            return SendToObject(slot, kOpSetSonderObjFrame, kFuseOffFrame - o->frame);
        case Act::Water:
            return 0;  // only under the water cursor, above
    }
    return 0;
}

// Order 222 (x, y, direction, slot): standing exactly there, facing so, the fire-fighter closes
// the gas house's valve. Its orders end either way, and in any other mission at once.
void CloseGasLeak(std::int16_t index) {
    Person* p = UsedPersonAt(index);
    if (p == nullptr || p->orders == nullptr) return;
    const Befehl& order = *p->orders;
    if (MissionNummer == 17 && p->x == static_cast<float>(order.aInt()) &&
        p->y == static_cast<float>(order.bInt()) && p->direction == order.cInt() &&
        order.dInt() == kGasHouse) {
        GasLeakClosed() = 1;
        // The gas house that has exploded is gone; its slot stays free.
        if (SonderObj* gas = SonderObjAt(kGasHouse); gas != nullptr && gas->type != -1)
            gas->type = kGasOffTyp;
    }
    ClearBefehle(*p);
}

void ShowCable(std::int16_t slot, std::int16_t type) {
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr) return;
    o->type = type;
    o->frame = 0;
}

void ShowCables(std::int16_t cable1, std::int16_t cable2) {
    ShowCable(kCable1, cable1);
    ShowCable(kCable2, cable2);
}

void PlayAt(int sound, std::int16_t slot) {
    PlaySoundFx(sound, kOwnerSonderObj, slot, 0, 0, 0, kSoundDepth);
}

// The cables follow the fuse box's switch.
void FollowFuseBox() {
    const SonderObj* fuse = SonderObjAt(kFuseBox);
    if (fuse == nullptr) return;
    if (FusePowerOff() == 0) {
        if (fuse->frame == kFuseOffFrame) {
            FusePowerOff() = 1;
            PlayAt(kSoundSwitch, kFuseBox);
            PlayAt(kSoundCables, kCable1);
            ShowCables(kCable1DeadTyp, kCable2DeadTyp);
        } else if (GameMode == kPlayMode && SoundSlots[kSoundCables].buffer != kNoSoundBuffer &&
                   TickCounter % kCableSoundEvery == 0 && IsSoundPlaying(kSoundCables) == 0) {
            PlayAt(kSoundCables, kCable1);
        }
        return;
    }
    if (fuse->frame == 0) {
        FusePowerOff() = 0;
        PlayAt(kSoundSwitch, kFuseBox);
        StopSound(kSoundCables);
        ShowCables(kCable1LiveTyp, kCable2LiveTyp);
    }
}

struct Point16i {
    int x = 0;
    int y = 0;
};
Point16i Whole16(float x, float y) {
    return {static_cast<std::int16_t>(TruncInt(x)), static_cast<std::int16_t>(TruncInt(y))};
}

bool OnLiveCable(const Point16i& p, const Point16i& c1, const Point16i& c2) {
    if (p.x >= c1.x + 16 && p.x <= c1.x + 50 && p.y >= c1.y && p.y <= c1.y + 42) return true;
    return p.x >= c2.x && p.x <= c2.x + 353 && p.y >= c2.y + 5 && p.y <= c2.y + 36;
}

bool StrayTick() {
    return TickCounter >= kFirstStray && TickCounter % kStrayEvery == 0;
}

void UpdateMissionM17() {
    FollowFuseBox();
    if (FusePowerOff() != 0) return;
    const SonderObj* cable1 = SonderObjAt(kCable1);
    const SonderObj* cable2 = SonderObjAt(kCable2);
    if (cable1 == nullptr || cable2 == nullptr) return;
    const Point16i c1 = Whole16(cable1->x, cable1->y);
    const Point16i c2 = Whole16(cable2->x, cable2->y);
    for (int i = 0; i < PersonCount; ++i) {
        Person* p = UsedPersonAt(i);
        if (p == nullptr || p->storey != 0 || p->casualty != 0 || p->offMap != 0 || p->present == 0)
            continue;
        const Point16i at = Whole16(p->x, p->y);
        const bool onlooker = (p->controlFlags & kPersonController) != 0;
        if (OnLiveCable(at, c1, c2)) {
            if (onlooker) ++CiviliansShocked();
            InjurePerson(static_cast<std::int16_t>(i), kShockEnergy, kPushEverywhere, 0);
            // Struck down, it is a casualty now and wanders nowhere.
            continue;
        }
        if (StrayTick() && onlooker && (p->moverFlags & kLeadsSomeone) == 0 && at.x >= kStrayX0 &&
            at.x <= kStrayX1 && at.y >= kStrayY0 && at.y <= kStrayY1) {
            GiveOrder(*p, PersonTypOf(*p), kOpMove, kSilent, kStrayTargetX, kStrayTargetY);
            return;
        }
    }
}

std::uint8_t CursorOnPersonM17() {
    const SonderObj* rubble1 = SonderObjAt(kRubbleOverVictim1);
    const SonderObj* rubble2 = SonderObjAt(kRubbleOverVictim2);
    const std::uint16_t index = HoverIds[0];
    if ((rubble1 != nullptr && rubble1->type == kRubble1Typ && Names(TrappedVictim1(), index)) ||
        (rubble2 != nullptr && rubble2->type == kRubble2Typ && Names(TrappedVictim2(), index))) {
        CursorId = kCursorSelect;
        return 1;
    }
    return 0;
}

std::uint8_t ClickOnPersonM17() {
    if (CursorOnPersonM17() == 0) return 0;
    const std::uint16_t index = HoverIds[0];
    for (Fahrzeug& v : Fahrzeuge) v.selected = 0;
    for (Person& p : Personen) p.selected = 0;
    Person& victim = *UsedPersonAt(index);
    SelectedIndex = index;
    SelectionMode = static_cast<std::uint16_t>(PersonSelection(victim.type));
    victim.selected = 1;
    return 1;
}

void ExplodeAnew(std::int16_t slot, const PlacedSonderObj& o) {
    Place(slot, o);
    ExplodeSonderObj(slot);
}

void CheckMissionM17() {
    if (GasLeakClosed() == 0 && TickCounter >= kGasExplodes) {
        if (TickCounter >= kGasFailsAt) {
            ShowMissionFailed(kFailNow, W("Folgeexplosion durch entweichendes Gas!"));
            return;
        }
        // The blasts after the first are made anew on each frame of their window; each new one
        // drops the explosion of the frame before.
        if (TickCounter >= kThirdBlastAt)
            ExplodeAnew(kThirdBlast, kThirdBlastObj);
        else if (TickCounter >= kSecondBlastAt)
            ExplodeAnew(kSecondBlast, kSecondBlastObj);
        else
            ExplodeSonderObj(kGasHouse);
    }
    if (CiviliansShocked() > 0) {
        ShowMissionFailed(kFailNow,
                          W("Eine Zivilperson wurde durch Ihre Nachlässigkeit verletzt!"));
        return;
    }
    if (ToteCount >= kMaxDead) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    const SonderObj* caravan = SonderObjAt(kCaravan);
    if ((caravan != nullptr && caravan->burning != 0) || RescuePending()) return;
    ShowWellDone();
}

void EvaluateMissionM17() {
    const int tote = WriteDeadLine(ResultLines[0], 25);
    const int zeit = WriteTimeLine(ResultLines[1], 4200, 30000);
    const int geld = WriteMoneyLine(ResultLines[2], 4000);
    EvaluationEfficiency = (tote + 2 * zeit + geld) / 4;
    FinishEvaluation(12000);
}

}  // namespace

void RunPersonBefehl222M17(std::int16_t person) {
    CloseGasLeak(person);
}

const MissionHooks kMissionHooksM17{
    .InitLevel = InitLevelM17,
    .InitHouses = InitHousesM17,
    .InitZFWege = InitZFWegeM17,
    .InitPassantenWege = InitPassantenWegeM17,
    .InitFahrzeuge = InitFahrzeugeM17,
    .UpdateMission = UpdateMissionM17,
    .CheckMission = CheckMissionM17,
    .InitBrand = InitBrandM17,
    .InitSonderObj = InitSonderObjM17,
    .InitPersonen = InitPersonenM17,
    .InitGafferZiele = InitGafferZieleM17,
    .CursorOnSonderObj = CursorOnSonderObjM17,
    .ClickOnSonderObj = ClickOnSonderObjM17,
    .ClickOnPerson = ClickOnPersonM17,
    .EvaluateMission = EvaluateMissionM17,
    .CursorOnPerson = CursorOnPersonM17,
};

}  // namespace kv
