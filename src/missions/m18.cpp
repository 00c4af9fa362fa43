// Mission 18: a forest fire round a holiday camp by a lake. Swimmers bob in the lake, burning
// containers smoke people near them, a locked gate must be cut open, the drain covers blow up
// once the fire reaches the drainage line, and late on the people in the lake house flee.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "missions/approach_points.h"
#include "missions/chain_walk.h"
#include "missions/fire_sound.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_rows.h"
#include "missions/mission_vehicles.h"
#include "missions/swimmer_drift.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_evade.h"
#include "persons/person_houses.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "persons/timed_victims.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/boot_punkte.h"
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

// The mission's words: the drain chain started and its countdown, and the gate sliding open.
std::uint16_t& SewerFireStarted() {
    return MissionScratch.S0;
}
std::int16_t& SewerBlastTimer() {
    return SignedWord(MissionScratch.S1);
}
std::uint8_t& GateOpening() {
    return MissionScratch.S6;
}

// The fixed special objects by role.
constexpr std::int16_t kGate = 12;
constexpr std::int16_t kFirstCover = 16;
constexpr std::int16_t kCoverCount = 12;
constexpr std::int16_t kFirstContainer = 28;
constexpr std::int16_t kLastContainer = 30;
constexpr std::int16_t kFixedSonderObjM18 = 31;

constexpr std::int16_t kGateTyp = 44;
constexpr std::int16_t kCoverTyp = 45;
constexpr std::int16_t kBurningContainerTyp = 47;

constexpr float kGateClosedX = 784.0f;
constexpr float kGateOpenX = 902.0f;
constexpr int kSoundFire = 83;
constexpr int kSoundGate = 84;
constexpr std::uint16_t kFireSoundCells = 21;

// The fire-fighter with the metal cutter, and the crane truck.
constexpr std::int16_t kCutterMode = 1009;
constexpr std::int16_t kCraneMode = 9;
constexpr std::int32_t kPhraseUnderstood = 15;
constexpr std::int32_t kSilent = -1;
// Order 183 at the gate: eight work cycles, standing below its box's middle facing it.
constexpr std::int32_t kGateFacing = 1;
constexpr std::int32_t kGateWorkCycles = 8;
constexpr std::int32_t kGateWorkRule = 5;
constexpr std::int32_t kGateCallbackSlot = 12;
constexpr float kBelowBox = 7.0f;

// The people in the lake house flee from this tick on.
constexpr std::uint32_t kFlightFrom = 15600;
constexpr std::int8_t kHouseGuestTyp = 32;
constexpr int kDoorDy = 20;
constexpr std::int32_t kDoorFacing = 6;
constexpr int kWaitLeast = 200;
constexpr int kWaitSpread = 200;

constexpr std::int8_t kP02Ring = 46;
// A person's house index outside any house.
constexpr std::uint16_t kNoHouse = 0xFFFF;

void InitLevelM18() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight);
    const auto r = static_cast<std::int16_t>(32 * (MapWidth - 1) - 16 * MapHeight);
    ViewOrigin = {730, 1200};
    HomeView = {0, 250};
    RoadEntry = {-100, 445, 250, 3};
    RoadExit = {-150, 815, kEdgeLeft};
    WaterEntry = {static_cast<std::int16_t>(r + 100), 2500, 300, 9};
    WaterExit = {static_cast<std::int16_t>(r + 150), 2650, kEdgeRight};
    Money += 50000;
    KarteMarker = KarteMarkers[18];
    BriefingBox = {190, 30, 400, 200};
    GateOpening() = 0;
    SewerFireStarted() = 0;
    SewerBlastTimer() = 0;
}

// An onlooker with the storey it stands on.
struct Onlooker {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
};
constexpr std::array<Onlooker, 19> kOnlookersM18 = {{
    {28, 920, 580, 0, 1},   {27, 1250, 560, 0, 6},  {47, 3180, 2100, 0, 3}, {47, 2550, 2367, 0, 5},
    {28, 2237, 536, 0, 9},  {48, 2216, 606, 0, 6},  {40, 2100, 595, 0, 0},  {27, 700, 2220, 0, 9},
    {28, 698, 2375, 0, 6},  {28, 642, 2304, 0, 9},  {27, 73, 1276, 2, 3},   {28, 3217, 597, 1, 6},
    {29, 846, 977, 1, 6},   {30, 336, 1525, 3, 0},  {31, 1963, 2219, 1, 9}, {48, 1962, 2241, 3, 2},
    {48, 3178, 1985, 2, 1}, {28, 3393, 1350, 1, 6}, {48, 2820, 870, 2, 9},
}};

struct Swimmer {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint16_t delay;
};
constexpr std::array<Swimmer, 5> kSwimmersM18 = {{
    {49, 2624, 2623, 300},
    {50, 2728, 2597, 480},
    {51, 2423, 2681, 600},
    {50, 2891, 2579, 660},
    {49, 3176, 2450, 420},
}};

struct Guest {
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
};
constexpr std::array<Guest, 4> kHouseGuestsM18 = {{
    {2881, 1355, 1, 7},
    {2864, 1373, 1, 7},
    {2868, 1393, 1, 7},
    {2837, 1402, 1, 7},
}};

void InitPersonenM18() {
    PersonCount = 100;
    AllocPersonen();
    LoadPersonTyp(kP02Ring);
    for (const Onlooker& o : kOnlookersM18)
        CreateGaffer(o.type, o.x, o.y, o.storey, o.direction, 0);
    for (const Swimmer& s : kSwimmersM18) CreateTimedVictim(s.type, s.x, s.y, 0, s.delay, -1, -1);
    for (const Guest& g : kHouseGuestsM18) CreatePersonAt(g.x, g.y, g.storey, g.direction);
}

constexpr std::array<MissionCar, 8> kParkedCarsM18 = {{
    {36, 857, 2295, 3},
    {42, 825, 2351, 3},
    {31, 793, 2407, 3},
    {37, 3692, 505, 1},
    {39, 2607, 2071, 7},
    {36, 1174, 648, 1},
    {43, 1238, 648, 1},
    {38, 1334, 648, 1},
}};

void InitFahrzeugeM18() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
    PlaceCars(kParkedCarsM18);
}

// No civilian traffic, no onlooker targets, no pedestrians.
void InitZFWegeM18() {}

void InitGafferZieleM18() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM18() {
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
constexpr PlacedSonderObj Solid(std::int16_t type, std::int16_t x, std::int16_t y) {
    return {type, x, y, 15, 0};
}
// Flat on the ground: nothing bumps into a drain cover.
constexpr PlacedSonderObj Cover(std::int16_t x, std::int16_t y) {
    return {kCoverTyp, x, y, 0, 1};
}
// Slot by slot: the camp, the gate, the rings, the drain covers and the containers.
constexpr std::array<PlacedSonderObj, kFixedSonderObjM18> kSonderObjM18 = {{
    Solid(18, 1924, 490),      Solid(18, 1974, 490),  Solid(25, 2024, 490),  Solid(22, 2310, 490),
    Solid(32, 2140, 485),      Solid(28, 2268, 550),  Solid(28, 2246, 590),  Solid(32, 1810, 560),
    Solid(40, 1776, 644),      Solid(36, 2194, 684),  Solid(36, 2064, 532),  Solid(36, 1948, 592),
    Solid(kGateTyp, 784, 714), Solid(16, 2566, 2395), Solid(16, 2389, 2395), Solid(16, 3104, 2353),
    Cover(2375, 1054),         Cover(2054, 1054),     Cover(1740, 1054),     Cover(1420, 1054),
    Cover(1073, 1054),         Cover(701, 1241),      Cover(527, 1549),      Cover(372, 1822),
    Cover(210, 2103),          Cover(170, 2378),      Cover(425, 2378),      Cover(720, 2378),
    Solid(46, 805, 2064),      Solid(46, 865, 2064),  Solid(46, 925, 2064),
}};

constexpr std::array<Point16, 22> kHydrantsM18 = {{
    {270, 763},   {723, 343},   {2915, 624}, {3330, 624},  {2748, 907},  {3171, 907},
    {3554, 885},  {3496, 1383}, {131, 343},  {3096, 2022}, {2566, 2022}, {2988, 1603},
    {2100, 2276}, {277, 2298},  {243, 1881}, {244, 1602},  {337, 1323},  {210, 1043},
    {885, 1385},  {756, 1043},  {623, 1610}, {1240, 763},
}};

void InitSonderObjM18() {
    SonderObjTypCount = MissionSonderObjTypCount(18);
    SonderObjCount = kFixedSonderObjM18;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(18)) return;
    for (std::size_t i = 0; i < kSonderObjM18.size(); ++i) {
        const PlacedSonderObj& o = kSonderObjM18[i];
        CreateSonderObj(static_cast<int>(i), o.type, o.x, o.y, 0, o.blockMask, o.depthLayer, 0.0f,
                        0);
    }
    for (const Point16& h : kHydrantsM18) AddHydrant(h.x, h.y);
}

constexpr MissionHouse H(std::uint8_t type, std::int16_t column, std::int16_t row,
                         std::uint8_t upperSet) {
    return {type, column, row, 0, upperSet};
}
constexpr std::array<MissionHouse, 26> kHousesM18 = {{
    H(6, 23, 18, 0),   H(9, 103, 18, 1),  H(12, 110, 18, 1), H(15, 117, 18, 1), H(6, 23, 23, 0),
    H(9, 103, 28, 1),  H(12, 110, 28, 1), H(12, 117, 28, 1), H(6, 128, 28, 0),  H(6, 21, 33, 0),
    H(3, 32, 33, 0),   H(6, 43, 33, 0),   H(6, 24, 43, 0),   H(65, 35, 43, 6),  H(6, 48, 43, 0),
    H(8, 129, 45, 1),  H(13, 135, 45, 1), H(6, 48, 51, 0),   H(3, 37, 53, 0),   H(3, 37, 63, 0),
    H(6, 118, 68, 1),  H(9, 128, 68, 1),  H(3, 134, 68, 1),  H(5, 100, 77, 1),  H(5, 132, 78, 1),
    H(71, 111, 47, 0),
}};

void InitHousesM18() {
    PlaceHouses(kHousesM18);
}

// The start fire is painted into the level.
void InitBrandM18() {}

void InitBootPunkteM18() {
    BootPunktCount = 1;
    AllocBootPunkte();
    AddBootPunkt(330, 2510, 0, 0, 160, 0, 75, 1);
}

// The object under the mouse when it is one of the slots; null otherwise.
SonderObj* HoveredSlot(std::int16_t first, std::int16_t last) {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    if (slot < first || slot > last) return nullptr;
    SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

// Only a gate not yet moved by the slightest bit takes the cutter.
const SonderObj* ClosedGateForCutter() {
    if (SignedSelectionMode() != kCutterMode) return nullptr;
    const SonderObj* gate = HoveredSlot(kGate, kGate);
    return gate != nullptr && gate->x == kGateClosedX ? gate : nullptr;
}

std::uint8_t CursorOnSonderObjM18() {
    if (ClosedGateForCutter() != nullptr) {
        CursorId = kCursorRescue;
        return 1;
    }
    const SonderObj* container = HoveredSlot(kFirstContainer, kLastContainer);
    if (container == nullptr) return 0;
    const std::int16_t mode = SignedSelectionMode();
    if (CannonSelection(mode)) {
        CursorId = kCursorWater;
        return 1;
    }
    if (mode == kCraneMode && container->burning == 0) {
        CursorId = kCursorRescue;
        return 1;
    }
    return 0;
}

// The cutter walks below the gate's middle, turns to it and cuts it open.
std::uint8_t SendCutter(const SonderObj& gate) {
    Person* p = UsedPersonAt(SelectedIndex);
    const SonderObjTyp* t = SonderObjTypAt(gate.type);
    if (p == nullptr || t == nullptr) return 0;
    const int x = TruncInt(gate.x);
    const int y = TruncInt(gate.y + static_cast<float>(t->boxY1) + kBelowBox);
    GiveOrder(*p, PersonTypOf(*p), kOpMove, kPhraseUnderstood, x, y);
    ThenOrder(*p, kOpTurn, x, y, kGateFacing);
    AppendBefehl(*p, kOpWorkAtSonderObj, kGate, kGateTyp, kGateWorkCycles, kGateWorkRule,
                 kGateCallbackSlot);
    return 1;
}

std::uint8_t ClickOnSonderObjM18() {
    if (const SonderObj* gate = ClosedGateForCutter(); gate != nullptr) return SendCutter(*gate);
    const SonderObj* container = HoveredSlot(kFirstContainer, kLastContainer);
    if (container == nullptr) return 0;
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    if (SignedSelectionMode() == kCraneMode && container->burning == 0)
        return SendCraneToObject(slot);
    if (CursorId != kCursorWater) return 0;
    // Under the water cursor the click is taken, whether a cannon went or not.
    WaterOnPoint(slot);
    return 1;
}

void SlideGate() {
    if (GateOpening() != 1) return;
    SonderObj* gate = SonderObjAt(kGate);
    if (gate == nullptr) return;
    gate->x += 1.0f;
    if (gate->x >= kGateOpenX) {
        GateOpening() = 0;
        StopSound(kSoundGate);
    }
}

void DriftSwimmers() {
    for (int i = 0; i < PersonCount; ++i) DriftSwimmer(static_cast<std::int16_t>(i), 0);
}

// Fire-fighters in breathing gear (type 3 and its equipment types) breathe no smoke; staff come
// nearer before it reaches them than civilians do.
constexpr bool BreathesNoSmoke(std::int8_t type) {
    return type == 3 || (type >= 21 && type <= 25);
}
constexpr bool Staff(std::int8_t type) {
    return type == 1 || (type >= 8 && type <= 20);
}
constexpr std::int32_t kSmokeReach = 270;
constexpr std::int32_t kStaffSmokeSpread = 20;
constexpr std::int32_t kCivilianSmokeSpread = 3;
constexpr std::uint16_t kExposurePerHit = 3;
constexpr std::uint16_t kExposureLimit = 100;
constexpr std::uint8_t kSmokeContamination = 2;

// Persons near a burning container may breathe its smoke; enough of it contaminates them.
void FindPersonsNearSonderObjM18(std::int16_t slot) {
    const SonderObj* o = SonderObjAt(slot);
    const SonderObjTyp* t = o != nullptr ? SonderObjTypAt(o->type) : nullptr;
    if (t == nullptr) return;
    const auto sx =
        static_cast<std::int16_t>(TruncInt(o->x) + t->boxX0 + ((t->boxX1 - t->boxX0) >> 1));
    const auto sy =
        static_cast<std::int16_t>(TruncInt(o->y) + t->boxY0 + ((t->boxY1 - t->boxY0) >> 1));
    for (Person& p : Personen) {
        if (!PersonInWorld(p) || p.house != kNoHouse || p.contamination != 0) continue;
        const std::int32_t d = DistanceInt(static_cast<std::int16_t>(TruncInt(p.x)),
                                           static_cast<std::int16_t>(TruncInt(p.y)), sx, sy);
        if (d >= kSmokeReach || BreathesNoSmoke(p.type)) continue;
        const std::int32_t spread = Staff(p.type) ? kStaffSmokeSpread : kCivilianSmokeSpread;
        if (Rand() % (d / spread + 1) != 0) continue;
        p.exposure = static_cast<std::uint16_t>(p.exposure + kExposurePerHit);
        if (p.exposure >= kExposureLimit) {
            p.exposure = 0;
            p.contamination = kSmokeContamination;
        }
    }
}

void SmokeFromContainers() {
    for (std::int16_t slot = kFirstContainer; slot <= kLastContainer; ++slot) {
        const SonderObj* o = SonderObjAt(slot);
        if (o != nullptr && o->type == kBurningContainerTyp) FindPersonsNearSonderObjM18(slot);
    }
}

// Where the people of the lake house flee along, each chain from a point to its end.
constexpr std::array<Point16, 3> kFleeChain1 = {{{2828, 1478}, {3099, 1496}, {3398, 1032}}};
constexpr std::array<Point16, 3> kFleeChain2 = {{{2828, 1478}, {3099, 1496}, {2932, 1871}}};
constexpr std::array<Point16, 5> kFleeChain3 = {
    {{3398, 1032}, {3581, 698}, {2933, 694}, {3601, 648}, {3398, 1032}}};
constexpr std::array<Point16, 11> kFleeChain4 = {{{3398, 1032},
                                                  {2999, 1027},
                                                  {2535, 1028},
                                                  {2220, 1028},
                                                  {1695, 1061},
                                                  {1191, 1062},
                                                  {1695, 1061},
                                                  {2220, 1028},
                                                  {2535, 1028},
                                                  {2999, 1027},
                                                  {3398, 1032}}};
constexpr std::array<Point16, 7> kFleeChain5 = {{{2813, 2098},
                                                 {2560, 2277},
                                                 {2246, 2359},
                                                 {1918, 2350},
                                                 {2246, 2359},
                                                 {2560, 2277},
                                                 {2813, 2098}}};
constexpr Point16 kCrossing{3398, 1032};
constexpr std::int32_t kCrossingReach = 101;
// Far from the crossing, chain 4 is joined only on its way back from the west.
constexpr std::size_t kChain4Join = 5;
constexpr int kNorthY = 1200;
constexpr int kSouthY = 1700;

// The walk from the chosen point of the chains searched (the first searched without one).
void FleeAlong(Person& p, std::span<const std::span<const Point16>> chains,
               std::span<const std::size_t> from) {
    const Point16 at{static_cast<std::int16_t>(TruncInt(p.x)),
                     static_cast<std::int16_t>(TruncInt(p.y))};
    std::int32_t best = kFarPointBound;
    std::span<const Point16> walk = chains[0];
    for (std::size_t k = 0; k < chains.size(); ++k) {
        const std::span<const Point16> candidates = chains[k].subspan(from[k]);
        const int found = NearestFarPoint(candidates, at, best);
        if (found >= 0) walk = candidates.subspan(static_cast<std::size_t>(found));
    }
    WalkChainJittered(p, walk);
}

void FleeOutside(std::int16_t index, Person& p) {
    const int y = TruncInt(p.y);
    static constexpr std::array<std::size_t, 2> kWhole = {0, 0};
    if (y > kNorthY && y < kSouthY) {
        const std::span<const Point16> chain = index % 2 == 0
                                                   ? std::span<const Point16>(kFleeChain1)
                                                   : std::span<const Point16>(kFleeChain2);
        FleeAlong(p, std::span(&chain, 1), std::span(kWhole).first(1));
        return;
    }
    if (y >= kSouthY) {
        const std::span<const Point16> chain = kFleeChain5;
        FleeAlong(p, std::span(&chain, 1), std::span(kWhole).first(1));
        return;
    }
    const std::int32_t toCrossing =
        DistanceInt(static_cast<std::int16_t>(TruncInt(p.x)), static_cast<std::int16_t>(y),
                    kCrossing.x, kCrossing.y);
    if (toCrossing < kCrossingReach) {
        const std::span<const Point16> chain = Rand() % 2 == 0
                                                   ? std::span<const Point16>(kFleeChain3)
                                                   : std::span<const Point16>(kFleeChain4);
        FleeAlong(p, std::span(&chain, 1), std::span(kWhole).first(1));
        return;
    }
    const std::array<std::span<const Point16>, 2> chains = {std::span<const Point16>(kFleeChain3),
                                                            std::span<const Point16>(kFleeChain4)};
    static constexpr std::array<std::size_t, 2> kFrom = {0, kChain4Join};
    FleeAlong(p, chains, kFrom);
}

// Marked, the house's people wait a while, walk to the door and leave. A house index that names
// no placed house gives no orders.
void FleeHouse(Person& p) {
    House* h = PlacedHouse(p.house);
    const auto door = HouseDoorSpot(p.house);
    if (h == nullptr || !door) return;
    h->evacuated = 1;
    const int x = door->x;
    const int y = door->y + kDoorDy;
    SetBefehl(p, PersonTypOf(p), kOpWait, kSilent, Rand() % kWaitSpread + kWaitLeast, 0, 0, 0, 0);
    AppendBefehl(p, kOpMove, x, y, 0, 0, 0);
    AppendBefehl(p, kOpTurn, x, y, kDoorFacing, 0, 0);
    AppendBefehl(p, kOpLeaveHouse, x, y, -1, 0, 0);
}

void Flee() {
    if (TickCounter <= kFlightFrom) return;
    for (int i = 0; i < PersonCount; ++i) {
        Person* p = UsedPersonAt(i);
        if (p == nullptr || p->type != kHouseGuestTyp || (p->controlFlags & kPersonRival) == 0 ||
            p->casualty != 0 || p->orders != nullptr ||
            !IsPersonEvadeIdle(static_cast<std::int16_t>(i)))
            continue;
        if (p->house != kNoHouse)
            FleeHouse(*p);
        else
            FleeOutside(static_cast<std::int16_t>(i), *p);
    }
}

// The drainage line: the cells whose fire starts the chain of drain covers.
constexpr std::array<int, 12> kDrainColumns = {102, 103, 104, 105, 106, 107,
                                               108, 109, 110, 111, 114, 115};
constexpr std::array<int, 2> kDrainRows = {39, 40};
constexpr std::int16_t kBlastTicks = 240;
constexpr std::int16_t kTicksPerCover = 20;

bool DrainLineBurns() {
    for (const int row : kDrainRows)
        for (const int column : kDrainColumns) {
            const std::ptrdiff_t cell = brand::FireCellIndex(column, row);
            if (cell >= 0 && BrandStates[static_cast<std::size_t>(cell)].burning != 0) return true;
        }
    return false;
}

void BlowDrainCovers() {
    if (SewerFireStarted() == 0 && DrainLineBurns()) {
        SewerFireStarted() = 1;
        SewerBlastTimer() = kBlastTicks;
    }
    // A countdown from a save outside its range is taken at its end, so only the covers blow.
    std::int16_t& timer = SewerBlastTimer();
    timer = std::clamp<std::int16_t>(timer, 0, kBlastTicks);
    if (timer <= 0) return;
    --timer;
    const int k = kCoverCount - 1 - timer / kTicksPerCover;
    const auto slot = static_cast<std::int16_t>(kFirstCover + k);
    const SonderObj* cover = SonderObjAt(slot);
    if (cover != nullptr && cover->type == kCoverTyp && cover->frame == 0) ExplodeSonderObj(slot);
}

void UpdateMissionM18() {
    SlideGate();
    DriftSwimmers();
    SmokeFromContainers();
    Flee();
    BlowDrainCovers();
    LoopSoundWhileCellsBurn(kSoundFire, kFireSoundCells);
}

constexpr std::uint32_t kMostDead = 8;
constexpr std::uint16_t kMostBurningHouses = 8;

void CheckMissionM18() {
    if (ToteCount >= kMostDead) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Tote!"));
        return;
    }
    if (BurningHouseCount >= kMostBurningHouses) {
        ShowMissionFailed(kFailAfterExplosions, W("Brand ist ausser Kontrolle geraten!"));
        return;
    }
    if (RescuePending() || ContaminationPending() || BurningCellCount != 0 ||
        BurningHouseCount != 0)
        return;
    ShowWellDone();
}

// The dead and the time weigh twice.
void EvaluateMissionM18() {
    const int tote = WriteDeadLine(ResultLines[0], 25);
    const int zeit = WriteTimeLine(ResultLines[1], 36000, 144000);
    const int geld = WriteMoneyLine(ResultLines[2], 10000);
    EvaluationEfficiency = (2 * tote + 2 * zeit + geld) / 5;
    FinishEvaluation(50000);
}

}  // namespace

void OnBefehlDone12M18(std::int32_t object, std::int32_t) {
    if (GateOpening() != 0) return;
    GateOpening() = 1;
    PlaySoundFx(kSoundGate, kOwnerSonderObj, object, 1, 0, 0, kSoundDepth);
}

const MissionHooks kMissionHooksM18{
    .InitLevel = InitLevelM18,
    .InitHouses = InitHousesM18,
    .InitZFWege = InitZFWegeM18,
    .InitPassantenWege = InitPassantenWegeM18,
    .InitFahrzeuge = InitFahrzeugeM18,
    .UpdateMission = UpdateMissionM18,
    .CheckMission = CheckMissionM18,
    .InitBrand = InitBrandM18,
    .InitSonderObj = InitSonderObjM18,
    .InitBootPunkte = InitBootPunkteM18,
    .InitPersonen = InitPersonenM18,
    .InitGafferZiele = InitGafferZieleM18,
    .CursorOnSonderObj = CursorOnSonderObjM18,
    .ClickOnSonderObj = ClickOnSonderObjM18,
    .EvaluateMission = EvaluateMissionM18,
};

}  // namespace kv
