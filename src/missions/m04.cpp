// Mission 4: race riots in front of a prison. A ringleader stirs the crowd up at the gate; the
// longer he agitates there, the nearer the storm on the prison. From tick 1801 six more rioters
// walk in from the map's edges.

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
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "mission/view/draw_list.h"
#include "missions/approach_points.h"
#include "missions/chain_walk.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_rows.h"
#include "missions/mission_vehicles.h"
#include "missions/quarter_tables.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_evade.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 4;
constexpr std::uint16_t kNoIndex = 65535;

// The ringleader, the first of the six incoming rioters, and the ticks he has agitated at the
// gate. The count is read signed, as the storm test reads it; it stops at the largest value, so
// that ticks run on behind a base screen, where no check runs, never turn it negative.
std::uint16_t& RingleaderIndex() {
    return MissionScratch.S0;
}
std::uint16_t& FirstRioterIndex() {
    return MissionScratch.S1;
}
std::int16_t& StormTicks() {
    return SignedWord(MissionScratch.S2);
}
constexpr std::int16_t kStormTicksMax = 32767;
constexpr std::int16_t kStormAt = 24000;

constexpr std::int8_t kRingleaderTyp = 39;
constexpr std::int8_t kBurningPersonTyp = 7;
// Persons of types 0..3 (police and fire staff) paired with him keep him from going back.
constexpr std::int8_t kLastStaffTyp = 3;
constexpr std::uint8_t kOnlookerFlags = kPersonController | kPersonOnlooker;

// Where he agitates, facing the prison, and the order he does it with.
constexpr std::int16_t kGateSpotX = 995;
constexpr std::int16_t kGateSpotY = 668;
constexpr std::int8_t kGateFacing = 9;
constexpr std::uint8_t kOpAgitate = 218;
constexpr std::uint16_t kAnimAgitate = 3;

// The incoming rioters come from tick 1801 on and stop within this reach of the prison.
constexpr std::uint32_t kRiotersFrom = 1800;
constexpr int kRioterCount = 6;
constexpr std::int16_t kPrisonX = 1100;
constexpr std::int16_t kPrisonY = 635;
constexpr std::int32_t kPrisonReach = 140;
constexpr std::int32_t kFarAway = 9999;

constexpr std::int32_t kSilent = -1;

// The four chains the rioters walk to the prison, end pairs between them and after the last.
constexpr Point16 kChainEnd = {-1, -1};
constexpr Point16 kTableEnd = {-2, -2};
constexpr auto kPrisonApproachPaths = std::to_array<Point16>({
    {256, 460},   {446, 460},  {933, 460},  {1168, 540},  kChainEnd,    {317, 1450},  {1008, 1444},
    {1194, 1119}, {926, 955},  {1066, 712}, kChainEnd,    {2889, 389},  {2539, 456},  {2016, 420},
    {1570, 388},  {1168, 540}, kChainEnd,   {2500, 2210}, {2586, 1700}, {2716, 1362}, {1937, 1312},
    {1592, 948},  {1662, 667}, {1212, 668}, kChainEnd,    kTableEnd,
});

bool Same(const Point16& a, const Point16& b) {
    return a.x == b.x && a.y == b.y;
}
bool IsPoint(const Point16& p) {
    return !Same(p, kChainEnd) && !Same(p, kTableEnd);
}

void InitLevelM04() {
    quarter::SetUpView();
    Money += 13000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
    RingleaderIndex() = kNoIndex;
    FirstRioterIndex() = kNoIndex;
    StormTicks() = 0;
}

void InitHousesM04() {
    PlaceHouses(quarter::kHouses);
}

// Nothing burns at the start, and the onlookers have no targets.
void InitBrandM04() {}
void InitGafferZieleM04() {}

void InitPassantenWegeM04() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

// The persons in the order they are made: the ringleader, the crowd in front of the prison and
// the six who come later from beyond the view's edges (x counted from its right edge there).
enum class Maker : std::uint8_t { Gaffer, Rioter, RioterRight };
struct PersonRow {
    Maker maker;
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint8_t direction;
};
constexpr std::int8_t kRioterTyp = 32;
constexpr auto kPersonenM04 = std::to_array<PersonRow>({
    {Maker::Gaffer, kRingleaderTyp, kGateSpotX, kGateSpotY, 9},
    {Maker::Rioter, kRioterTyp, 1024, 631, 9},
    {Maker::Gaffer, 27, 1033, 681, 9},
    {Maker::Gaffer, 28, 1140, 515, 1},
    {Maker::Rioter, kRioterTyp, 1161, 519, 1},
    {Maker::Gaffer, 30, 1199, 520, 1},
    {Maker::Gaffer, 27, 1231, 520, 1},
    {Maker::Rioter, kRioterTyp, 1231, 632, 3},
    {Maker::Gaffer, 28, 1223, 650, 3},
    {Maker::Gaffer, 27, 1192, 683, 3},
    {Maker::Rioter, kRioterTyp, 1013, 759, 7},
    {Maker::Gaffer, 28, 1049, 760, 7},
    {Maker::Gaffer, 27, 1083, 755, 7},
    {Maker::Rioter, kRioterTyp, -20, 1590, 1},
    {Maker::Rioter, kRioterTyp, -30, 1640, 1},
    {Maker::RioterRight, kRioterTyp, 20, 387, 9},
    {Maker::RioterRight, kRioterTyp, 10, 410, 9},
    {Maker::RioterRight, kRioterTyp, 30, 2208, 7},
    {Maker::RioterRight, kRioterTyp, 0, 2224, 7},
});
constexpr std::size_t kRingleaderRow = 0;
constexpr std::size_t kFirstRioterRow = 13;

// A failed creation leaves the word at 65535, naming nobody.
std::uint16_t IndexWord(std::int16_t made) {
    return made < 0 ? kNoIndex : static_cast<std::uint16_t>(made);
}

void InitPersonenM04() {
    PersonCount = 100;
    AllocPersonen();
    const std::int16_t xr = ViewRightEdgeX();
    for (std::size_t k = 0; k < kPersonenM04.size(); ++k) {
        const PersonRow& row = kPersonenM04[k];
        std::int16_t made = -1;
        switch (row.maker) {
            case Maker::Gaffer:
                made = CreateGaffer(row.type, row.x, row.y, 0, row.direction, 0);
                break;
            case Maker::Rioter:
                made = CreatePersonAt(row.x, row.y, 0, row.direction);
                break;
            case Maker::RioterRight:
                made =
                    CreatePersonAt(static_cast<std::int16_t>(xr + row.x), row.y, 0, row.direction);
                break;
        }
        if (k == kRingleaderRow) RingleaderIndex() = IndexWord(made);
        if (k == kFirstRioterRow) FirstRioterIndex() = IndexWord(made);
    }
}

constexpr auto kParkedCarsM04 = std::to_array<MissionCar>({
    {37, 2066, 1194, 9},
    {40, 2838, 566, 1},
    {43, 2776, 1786, 1},
    {36, 1859, 2074, 1},
    {37, 107, 921, 9},
    {36, 303, 339, 9},
    {37, 1270, 256, 7},
    {39, 1796, 541, 7},
    {40, 2907, 909, 9},
    {29, 2327, 1425, 9},
    {42, 1583, 1984, 3},
    {43, 1336, 1616, 9},
    {27, 350, 2020, 7},
    {28, 914, 1340, 7},
});

void InitFahrzeugeM04() {
    FahrzeugCount = 60;
    AllocFahrzeuge();
    PlaceCars(kParkedCarsM04);
}

// The traffic road along the top: cars come in at the right edge and leave at the left.
constexpr auto kZFTypenM04 =
    std::to_array<ZFWegTyp>({{27, 100}, {28, 50}, {29, 70}, {30, 20}, {31, 70}, {32, 20}});

void InitZFWegeM04() {
    ZFWegCount = 1;
    AllocZFWege();
    const std::int32_t xr = ViewRightEdgeX() + 100;
    ZFWeg& w = ZFWege[0];
    w.startX = xr;
    w.startY = 83;
    w.startDir = 9;
    w.targetX = -100;
    w.targetY = 83;
    w.turnX = xr;
    w.turnY = 139;
    w.interval = 100;
    SetZFWegTypen(w, kZFTypenM04);
}

// The barricades across the streets round the square, slots 3..7; slot 8 stays free.
struct Barricade {
    std::int16_t type;
    std::int16_t x;
    std::int16_t y;
};
constexpr auto kBarricadesM04 = std::to_array<Barricade>({
    {21, 1125, 465},
    {29, 1195, 465},
    {25, 1240, 620},
    {25, 1240, 680},
    {29, 975, 780},
});
constexpr std::int16_t kFirstBarricade = 3;
constexpr std::int16_t kLastBarricade = 8;
constexpr std::int16_t kFixedSlotsM04 = 9;

void InitSonderObjM04() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSlotsM04;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    for (std::size_t s = 0; s < quarter::kFixedObjects.size(); ++s) {
        const quarter::FixedObject& o = quarter::kFixedObjects[s];
        CreateSonderObj(static_cast<int>(s), o.type, o.x, o.y, 0, o.blockMask, o.depthLayer,
                        o.height, 0);
    }
    for (std::size_t k = 0; k < kBarricadesM04.size(); ++k) {
        const Barricade& b = kBarricadesM04[k];
        CreateSonderObj(kFirstBarricade + static_cast<int>(k), b.type, b.x, b.y, 0, 15, 0, 0.0f, 0);
    }
    for (const Point16& h : quarter::kHydrants) AddHydrant(h.x, h.y);
}

Point16 Whole(const Person& p) {
    return {Clamp16(TruncInt(p.x)), Clamp16(TruncInt(p.y))};
}

bool AtGateSpot(const Person& p) {
    return p.direction == kGateFacing && TruncInt(p.x) == kGateSpotX && TruncInt(p.y) == kGateSpotY;
}

// Paired with a police or fire person, he goes along with them.
bool PairedWithStaff(const Person& p) {
    const Person* partner = LinkedPartner(p.link);
    return partner != nullptr && partner->type >= 0 && partner->type <= kLastStaffTyp;
}

// The ringleader goes back to the gate whenever he is free, and his agitation there counts.
void DriveRingleader() {
    Person* found = UsedPersonAt(RingleaderIndex());
    if (found == nullptr || found->type != kRingleaderTyp) return;
    Person& p = *found;
    if (p.orders == nullptr && p.offMap == 0 && p.present != 0 && p.house == kNoIndex &&
        p.casualty == 0 && (p.controlFlags & kOnlookerFlags) == kOnlookerFlags &&
        !PairedWithStaff(p)) {
        const PersonTyp& t = PersonTypOf(p);
        if (AtGateSpot(p)) {
            GiveOrder(p, t, kOpAgitate, kSilent);
        } else {
            GiveOrder(p, t, kOpMove, kSilent, kGateSpotX, kGateSpotY);
            ThenOrder(p, kOpTurn, kGateSpotX, kGateSpotY, kGateFacing);
            ThenOrder(p, kOpAgitate);
        }
    }
    if (p.orders != nullptr && p.orders->opcode == kOpAgitate && StormTicks() < kStormTicksMax)
        ++StormTicks();
}

// The pair of the table nearest to the point; ties go to the first.
std::size_t NearestPair(const Point16& at) {
    std::int32_t best = kFarAway;
    std::size_t nearest = 0;
    for (std::size_t i = 0; i < kPrisonApproachPaths.size(); ++i) {
        const Point16& q = kPrisonApproachPaths[i];
        if (Same(q, kTableEnd)) break;
        if (!IsPoint(q)) continue;
        const std::int32_t d = DistanceInt(at.x, at.y, q.x, q.y);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

std::int32_t ToPrison(const Point16& p) {
    return DistanceInt(p.x, p.y, kPrisonX, kPrisonY);
}

// Held near the prison, or sent on along the chain from the nearest point, or from the one after
// it when he is already nearer the prison than that point.
void SendRioter(Person& p) {
    const Point16 at = Whole(p);
    if (ToPrison(at) <= kPrisonReach) {
        GiveOrder(p, PersonTypOf(p), kOpHold, kSilent);
        return;
    }
    std::size_t start = NearestPair(at);
    const Point16& next = kPrisonApproachPaths[start + 1];
    if (IsPoint(next) && ToPrison(at) < ToPrison(kPrisonApproachPaths[start])) ++start;
    std::size_t end = start;
    while (IsPoint(kPrisonApproachPaths[end])) ++end;
    WalkChainJittered(p, std::span(kPrisonApproachPaths).subspan(start, end - start));
}

void DriveRioters() {
    if (TickCounter <= kRiotersFrom) return;
    for (int k = 0; k < kRioterCount; ++k) {
        const std::int32_t index = static_cast<std::int32_t>(FirstRioterIndex()) + k;
        Person* p = UsedPersonAt(index);
        if (p == nullptr || index >= PersonCount || p->orders != nullptr ||
            !IsPersonEvadeIdle(static_cast<std::int16_t>(index)) ||
            (p->controlFlags & kPersonRival) == 0)
            continue;
        SendRioter(*p);
    }
}

void UpdateMissionM04() {
    DriveRingleader();
    DriveRioters();
}

// At the gate spot, facing the prison, he raises his arms once and stays; anywhere else the
// order and all behind it are dropped.
void Agitate(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    if (!AtGateSpot(*p)) {
        ClearBefehle(*p);
        return;
    }
    if (FirstBefehlTick(*p->orders)) SetPersonAnim(index, kAnimAgitate);
}

// A barricade under the mouse, slots 3..8; null elsewhere.
SonderObj* HoveredBarricade() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    if (slot < kFirstBarricade || slot > kLastBarricade) return nullptr;
    SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

// The crane's selection mode.
constexpr std::int16_t kCraneMode = 9;
constexpr std::int16_t kVehicleModeEnd = 1000;

std::uint8_t CursorOnSonderObjM04() {
    const SonderObj* o = HoveredBarricade();
    if (o == nullptr) return 0;
    const std::int16_t mode = SignedSelectionMode();
    if (CannonSelection(mode)) {
        CursorId = kCursorWater;
        return 1;
    }
    if (mode == kCraneMode && o->burning == 0) {
        CursorId = kCursorRescue;
        return 1;
    }
    return 0;
}

std::uint8_t ClickOnSonderObjM04() {
    const SonderObj* o = HoveredBarricade();
    if (o == nullptr) return 0;
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const std::int16_t mode = SignedSelectionMode();
    if (mode == kCraneMode && o->burning == 0) return SendCraneToObject(slot);
    if (CursorId != kCursorWater) return 0;
    // Water with no single vehicle chosen: the click is taken and nothing happens.
    if (mode < 0 || mode >= kVehicleModeEnd) return 1;
    return WaterOnPoint(slot) ? 1 : 0;
}

bool RiotOver() {
    for (const Person& p : Personen) {
        if (p.type == -1) continue;
        if (p.casualty != 0 || p.type == kBurningPersonTyp || (p.controlFlags & kPersonRival) != 0)
            return false;
    }
    return BurningCellCount == 0 && BurningHouseCount == 0;
}

void CheckMissionM04() {
    if (StormTicks() >= kStormAt) {
        // The gate no longer stands in anyone's way.
        if (SonderObj* gate = SonderObjAt(quarter::kGateSlot)) gate->visible = 0;
        BuildDrawList();
        ShowMissionFailed(kFailNow, W("Die Demonstranten haben das Gefängnis gestürmt!"));
        return;
    }
    if (ToteCount >= 4) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Tote!"));
        return;
    }
    if (RiotOver()) ShowWellDone();
}

void EvaluateMissionM04() {
    const int tote = WriteDeadLine(ResultLines[0], 25);
    const int zeit = WriteTimeLine(ResultLines[1], 36000, 54000);
    const int geld = WriteMoneyLine(ResultLines[2], 8000);
    EvaluationEfficiency = (2 * tote + zeit + geld) / 4;
    FinishEvaluation(13000);
}

}  // namespace

void RunPersonBefehl218M04(std::int16_t person) {
    Agitate(person);
}

const MissionHooks kMissionHooksM04{
    .InitLevel = InitLevelM04,
    .InitHouses = InitHousesM04,
    .InitZFWege = InitZFWegeM04,
    .InitPassantenWege = InitPassantenWegeM04,
    .InitFahrzeuge = InitFahrzeugeM04,
    .UpdateMission = UpdateMissionM04,
    .CheckMission = CheckMissionM04,
    .InitBrand = InitBrandM04,
    .InitSonderObj = InitSonderObjM04,
    .InitPersonen = InitPersonenM04,
    .InitGafferZiele = InitGafferZieleM04,
    .CursorOnSonderObj = CursorOnSonderObjM04,
    .ClickOnSonderObj = ClickOnSonderObjM04,
    .EvaluateMission = EvaluateMissionM04,
};

}  // namespace kv
