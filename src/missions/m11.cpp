// Mission 11: heavy rain threatens a dam. In the first part the dam cracks while the valley is
// evacuated; when it breaks the valley floods, and in the second part boats fetch the people from
// the roofs and the water.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_extras.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/input/click_targets.h"
#include "mission/input/selected_unit.h"
#include "mission/mission_start.h"
#include "mission/scroll_view.h"
#include "mission/selection.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_rows.h"
#include "missions/part_two.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/zones.h"
#include "persons/gaffer.h"
#include "persons/person_houses.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_collision.h"
#include "world/sonder_obj_sets.h"
#include "world/terrain.h"

namespace kv {

namespace {

constexpr int kMission = 11;

// The dam's three stages, the roofs and the floating roofs.
constexpr std::int16_t kDamCrack = 18;
constexpr std::int16_t kDamSecond = 19;
constexpr std::int16_t kDamThird = 20;
constexpr std::int16_t kRoofLow = 21;   // over a house of type 3
constexpr std::int16_t kRoofHigh = 22;  // over a house of type 4
constexpr std::int16_t kFloatingRoof = 23;
constexpr std::int16_t kDamSlot = 0;
constexpr std::int16_t kFirstRoofSlot = 1;
constexpr std::int16_t kLastRoofSlot = 8;
constexpr std::array<std::int16_t, 2> kFloatingSlots = {9, 10};
constexpr std::int16_t kFixedSlots = 11;

// The dam's script by tick.
constexpr std::uint32_t kCrackTick = 2400;
constexpr std::uint32_t kSecondTick = 4800;
constexpr std::uint32_t kFirstWarningTick = 7200;
constexpr std::uint32_t kSecondWarningTick = 8800;
constexpr std::uint32_t kBreakTick = 9600;
constexpr int kBreakSound = 82;
constexpr int kWarningSound = 83;
constexpr int kBreakSoundX = 1300;
constexpr int kBreakSoundY = 400;
constexpr std::uint16_t kWarningFrames = 60;

// A floating roof drifts down the valley until this many rows' height past the map's top.
constexpr int kDriftRows = 28;
constexpr float kDriftX = -0.16f;
constexpr float kDriftY = 0.28f;
constexpr std::uint8_t kRoofMoveClass = 10;

// The people the flood takes: the drifting types, their water class and their plan.
constexpr std::int8_t kDriftingA = 49;  // was type 31
constexpr std::int8_t kDriftingB = 50;  // every other type
constexpr std::int8_t kDriftingC = 51;  // was type 29 or 30
constexpr std::uint8_t kWaterClass = 10;
constexpr std::uint8_t kDriftingFlags = kPersonInDistress | kPersonController;
constexpr int kPlanSeconds = 120;
constexpr int kPlanMinutes = 12;
constexpr std::uint8_t kPlaceEverywhere = 15;
constexpr std::uint8_t kOwnClass = 255;
constexpr std::int32_t kInjuredEnergy = 500000;
constexpr std::int32_t kInjuredSpread = 500000;

// The safe side of the valley, the losses the mission bears.
constexpr int kSafeX = 2900;
constexpr std::uint32_t kMaxDead = 3;
constexpr std::uint16_t kMaxLostFahrzeuge = 3;
constexpr std::int16_t kBoatSelection = 14;

// A second part is told by its level: its set-ups differ from the first part's.
bool InPartTwo() {
    return PartTwo != 0;
}

void InitLevelM11() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 2);
    ViewOrigin = {1110, 0};
    HomeView = {0, 680};
    RoadEntry = {-100, 977, 250, 3};
    RoadExit = {-150, 927, kEdgeLeft};
    Money += 35000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 25;
    BriefingBox.y = 80;
}

// The valley's houses; the second part has none left.
constexpr std::array<MissionHouse, 8> kHousesM11 = {{
    {3, 38, 17, 1, 1},
    {3, 43, 17, 1, 1},
    {3, 37, 27, 0, 0},
    {3, 42, 27, 0, 0},
    {4, 37, 37, 1, 1},
    {4, 42, 37, 1, 1},
    {4, 52, 37, 1, 1},
    {4, 52, 42, 1, 1},
}};

void InitHousesM11() {
    if (InPartTwo()) {
        PlaceHouses({});
        return;
    }
    PlaceHouses(kHousesM11);
}

void InitBrandM11() {}
void InitZFWegeM11() {}
void InitPassantenWegeM11() {}
void InitGafferZieleM11() {}

struct Resident {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
};
// Eleven upstairs in the houses, six outside.
constexpr std::array<Resident, 17> kResidentsM11 = {{
    {27, 991, 1231, 1, 6},
    {28, 1060, 1218, 1, 6},
    {29, 1133, 1085, 3, 6},
    {31, 1106, 1108, 1, 6},
    {30, 946, 527, 1, 6},
    {27, 913, 566, 3, 6},
    {28, 1121, 529, 2, 6},
    {29, 934, 804, 1, 6},
    {31, 742, 1104, 1, 6},
    {30, 732, 1122, 3, 6},
    {30, 564, 1122, 4, 6},
    {27, 781, 1322, 0, 5},
    {30, 249, 1347, 0, 4},
    {31, 291, 1356, 0, 9},
    {28, 1190, 635, 0, 9},
    {29, 1980, 1513, 0, 0},
    {27, 2149, 607, 0, 9},
}};

void InitPersonenM11() {
    PersonCount = 70;
    AllocPersonen();
    for (const std::int8_t t : {kDriftingA, kDriftingB, kDriftingC}) LoadPersonTyp(t);
    if (InPartTwo()) return;
    for (const Resident& r : kResidentsM11)
        CreateGaffer(r.type, r.x, r.y, r.storey, r.direction, 0);
}

void InitFahrzeugeM11() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
}

constexpr std::array<Point16, 3> kHydrantsM11 = {{{740, 1462}, {781, 589}, {1265, 665}}};

// The mission's types; in the first part the dam, its crack hidden, and the hydrants. A second
// part's objects come from its set-up or its save game.
void InitSonderObjM11() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSlots;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission) || InPartTwo()) return;
    CreateSonderObj(kDamSlot, kDamCrack, 1110, 0, 0, 0, 0, 0.0f, 0);
    if (SonderObj* dam = SonderObjAt(kDamSlot)) dam->visible = 0;
    for (const Point16& h : kHydrantsM11) AddHydrant(h.x, h.y);
}

void InitMissionExtrasM11() {
    MissionExtraCount = 1;
    AllocMissionExtras();
    MissionExtras[0] = {3430, 390, 3711, 675};
    MissionExtraActive = 1;
}

void InitZonesM11() {
    ZoneCount = 2;
    AllocZones();
    SetZone(0, 3381, 390, 3430, 479, 1);
    SetZone(1, 3374, 585, 3430, 675, 1);
}

void InitPontonPunkteM11() {
    if (InPartTwo()) return;
    PontonPunktCount = 2;
    AllocPontonPunkte();
    AddPontonPunkt(950, 1535, 1, 14, 1);
    AddPontonPunkt(1400, 1535, 0, 14, 1);
}

struct BootPunktRow {
    std::uint16_t x;
    std::uint16_t y;
    std::uint8_t facing;
    std::int16_t dx;
    std::int16_t dy;
    std::int16_t ex;
    std::int16_t ey;
    std::uint8_t active;
};
// Point 0 on the east bank, where the carrier launches the boat; points 1..8 beside the roofs of
// the same number, reached only by the roof click.
constexpr std::array<BootPunktRow, 9> kBootPunkteM11 = {{
    {3135, 420, 1, -55, 125, 70, 50, 1},
    {940, 618, 3, 0, 0, 0, -40, 0},
    {1110, 618, 3, 0, 0, 0, -40, 0},
    {755, 895, 3, 0, 0, 0, -40, 0},
    {920, 895, 3, 0, 0, 0, -40, 0},
    {646, 1006, 9, 0, 0, 0, 40, 0},
    {810, 1006, 9, 0, 0, 0, 40, 0},
    {999, 1092, 1, 0, 0, 55, 0, 0},
    {920, 1228, 1, 0, 0, 55, 0, 0},
}};

void InitBootPunkteM11() {
    if (!InPartTwo()) return;
    BootPunktCount = static_cast<std::int16_t>(kBootPunkteM11.size());
    AllocBootPunkte();
    for (const BootPunktRow& b : kBootPunkteM11)
        AddBootPunkt(b.x, b.y, b.facing, b.dx, b.dy, b.ex, b.ey, b.active);
}

// ---- the first part: the dam -------------------------------------------------------------

void PlayBreakSound() {
    PlaySoundFx(kBreakSound, kOwnerNone, -1, 0, kBreakSoundX, kBreakSoundY, kSoundDepth);
}

void Warn(const char* text) {
    SetMessageLine(text, kWarningFrames);
    PlaySoundFx(kWarningSound, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
}

bool BreakSoundOver() {
    return SoundSlots[kBreakSound].buffer == kNoSoundBuffer || IsSoundPlaying(kBreakSound) == 0;
}

void UpdateDam() {
    SonderObj* dam = SonderObjAt(kDamSlot);
    if (dam == nullptr) return;
    switch (dam->type) {
        case kDamCrack:
            if (dam->visible == 0) {
                if (TickCounter > kCrackTick) {
                    dam->visible = 1;
                    PlayBreakSound();
                }
            } else if (TickCounter > kSecondTick) {
                dam->type = kDamSecond;
                PlayBreakSound();
            }
            break;
        case kDamSecond:
            if (TickCounter == kFirstWarningTick) {
                Warn(W("Achtung! Staudamm stark überlastet!"));
            } else if (TickCounter > kFirstWarningTick) {
                dam->type = kDamThird;
                PlayBreakSound();
            }
            break;
        case kDamThird:
            if (TickCounter == kSecondWarningTick) {
                Warn(W("Achtung! Staudamm kurz vor Bruch!"));
            } else if (TickCounter == kBreakTick) {
                if (SoundOn != 0)
                    PlayBreakSound();
                else
                    ClearBefehleSignal = 1;
            } else if (TickCounter > kBreakTick && BreakSoundOver()) {
                ClearBefehleSignal = 1;
            }
            break;
        default:
            break;
    }
}

// ---- the second part: the floating roofs -------------------------------------------------

// The roofs drift with the map's edge left out of the test: the edge would hold a roof short of
// its line.
void DriftRoof(std::int16_t slot) {
    SonderObj* roof = SonderObjAt(slot);
    if (roof == nullptr || roof->type != kFloatingRoof) return;
    const float line = static_cast<float>(kDriftRows * ScrollRows);
    if (roof->y > line) {
        FreeSonderObjSlot(slot);
        return;
    }
    roof->x += kDriftX;
    roof->y += kDriftY;
    SonderObjContact contact;
    if (TestSonderObjCollision(slot, 0, kRoofMoveClass, contact) != 0) {
        roof->x -= kDriftX;
        roof->y -= kDriftY;
    }
}

void UpdateMissionM11() {
    if (!InPartTwo()) {
        UpdateDam();
        return;
    }
    for (const std::int16_t slot : kFloatingSlots) DriftRoof(slot);
}

// ---- the checks --------------------------------------------------------------------------

bool EveryoneSafe() {
    for (const Person& p : Personen) {
        if (p.type == -1) continue;
        if (p.casualty != 0) return false;
        if ((p.controlFlags & kPersonController) == 0) continue;
        if (p.offMap != 0 || static_cast<int>(p.x) < kSafeX) return false;
    }
    return true;
}

void CheckMissionM11() {
    if (!InPartTwo()) {
        if (ClearBefehleSignal != 0) PlayPhase2Video();
        return;
    }
    if (ToteCount >= kMaxDead) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Tote!"));
        return;
    }
    if (LostBoughtFahrzeugCount >= kMaxLostFahrzeuge) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Fahrzeuge zerstört!"));
        return;
    }
    if (EveryoneSafe()) ShowWellDone();
}

// ---- the boat to the roofs ---------------------------------------------------------------

enum class RoofAction : std::uint8_t { NotARoof, Nothing, Boat, Move };

RoofAction HoveredRoofAction(SelectedUnit& s) {
    if (HoverKind != kHoverSonderObj) return RoofAction::NotARoof;
    const int slot = HoverIds[0];
    if (slot < kFirstRoofSlot || slot > kLastRoofSlot) return RoofAction::NotARoof;
    s = CurrentSelection();
    if (s.mode < 0) return RoofAction::Nothing;
    if (s.mode == kBoatSelection && s.vehicle != nullptr) return RoofAction::Boat;
    return RoofAction::Move;
}

std::uint8_t CursorOnSonderObjM11() {
    SelectedUnit s;
    switch (HoveredRoofAction(s)) {
        case RoofAction::NotARoof:
            return 0;
        case RoofAction::Nothing:
            CursorId = kCursorPointer;
            break;
        case RoofAction::Boat:
            CursorId = kCursorRescue;
            break;
        case RoofAction::Move:
            CursorId = kCursorMove;
            break;
    }
    return 1;
}

// The boat goes to the roof's landing point and turns as the point faces.
void SendBoatToRoof(Fahrzeug& boat, std::int16_t slot) {
    const BootPunkt* b = slot < BootPunktCount ? UsedBootPunktAt(slot) : nullptr;
    if (b == nullptr) return;
    const int x = b->x + b->dx;
    const int y = b->y + b->dy;
    GiveOrder(boat, FahrzeugTypOf(boat), kOpMove, kPhraseUnderstood, x, y);
    ThenOrder(boat, kOpWait, 1);
    ThenOrder(boat, kOpTurn, x, y, b->facing);
}

std::uint8_t ClickOnSonderObjM11() {
    SelectedUnit s;
    switch (HoveredRoofAction(s)) {
        case RoofAction::NotARoof:
            return 0;
        case RoofAction::Nothing:
            break;
        case RoofAction::Boat:
            SendBoatToRoof(*s.vehicle, static_cast<std::int16_t>(HoverIds[0]));
            break;
        case RoofAction::Move:
            MoveSelectedTo(static_cast<std::int16_t>(MouseX + ViewOrigin.x),
                           static_cast<std::int16_t>(MouseY + ViewOrigin.y));
            break;
    }
    return 1;
}

// ---- the flood ---------------------------------------------------------------------------

// Frees every slot of the type; an F113's piece list lets go of the pieces freed, so that no list
// names a slot that a new object may take.
void FreeSlotsOfType(std::int16_t type) {
    std::vector<bool> freed(SonderObjs.size(), false);
    for (std::size_t i = 0; i < SonderObjs.size(); ++i) {
        if (SonderObjs[i].type != type) continue;
        FreeSonderObjSlot(static_cast<int>(i));
        freed[i] = true;
    }
    for (Fahrzeug& v : Fahrzeuge) {
        if (v.type == -1 || v.pieceCount <= 0) continue;
        const auto count =
            std::min<std::size_t>(static_cast<std::size_t>(v.pieceCount), v.pieces.size());
        std::size_t kept = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint16_t piece = v.pieces[k];
            if (piece < freed.size() && freed[piece]) continue;
            v.pieces[kept++] = piece;
        }
        v.pieces.erase(v.pieces.begin() + static_cast<std::ptrdiff_t>(kept),
                       v.pieces.begin() + static_cast<std::ptrdiff_t>(count));
        v.pieceCount = static_cast<std::int16_t>(kept);
    }
}

// Roof k stands over house k - 1, at the house's corner less 61 px and its top row; type 21 over
// a type-3 house, 22 over a type-4.
void PlaceRoofs() {
    for (std::size_t k = 0; k < kHousesM11.size(); ++k) {
        const MissionHouse& h = kHousesM11[k];
        const int x = kCellWidth * h.column - 16 * h.row - 61;
        const int y = kCellHeight * h.row;
        const std::int16_t type = h.type == 3 ? kRoofLow : kRoofHigh;
        CreateSonderObj(static_cast<int>(kFirstRoofSlot + k), type, static_cast<std::int16_t>(x),
                        static_cast<std::int16_t>(y), 0, 0, 1, 0.0f, 0);
    }
}

void PlaceFloodObjects() {
    FreeSonderObjSlot(kDamSlot);
    FreeSlotsOfType(kSobjHydrant);
    PlaceRoofs();
    CreateSonderObj(kFloatingSlots[0], kFloatingRoof, 1852, 1195, 0, 15, 0, 0.0f, 0);
    CreateSonderObj(kFloatingSlots[1], kFloatingRoof, 2100, 1402, 0, 15, 0, 0.0f, 0);
}

// Vehicles on the ground stop; those the water now stands under are lost.
void FloodFahrzeuge() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        Fahrzeug& v = Fahrzeuge[i];
        if (!FahrzeugInWorld(v) || v.storey != 0) continue;
        v.selected = 0;
        ClearBefehle(v);
        if (CollidesWithMap(v, FahrzeugTypOf(v), nullptr) != 0)
            RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDestroyed);
    }
}

bool IsWater(const CollisionHit& hit) {
    if (!CellInMap(hit.index1, hit.index2)) return false;
    const auto cell = static_cast<std::size_t>(CellIndex(hit.index1, hit.index2));
    return cell < MapCells.size() && TerrainSpeed(MapCells[cell].terrain, kWaterClass) > 0;
}

std::int8_t DriftingType(std::int8_t type) {
    if (type == 29 || type == 30) return kDriftingC;
    if (type == 31) return kDriftingA;
    return kDriftingB;
}

// The plan of a person the flood caught: lost two minutes and a random number of whole minutes
// from now.
void GivePlan(Person& p) {
    p.controlFlags = kDriftingFlags;
    DeadlinePlan& plan = p.attachment.makePlan();
    plan.active = 1;
    plan.startX = static_cast<std::int16_t>(static_cast<int>(p.x));
    const int minutes = Rand() % kPlanMinutes;
    plan.deadline =
        static_cast<std::int16_t>(static_cast<int>(TickCounter / 20) + kPlanSeconds + minutes * 60);
}

// A resident still in a house is put outside where it stood: two in three stand on what is left
// of the house and wait for a boat, the others are hurt.
void PutOutside(std::int16_t i, Person& p) {
    p.house = 0xFFFF;
    p.storey = 0;
    if (Rand() % 3 != 0) {
        PlacePersonFree(i, 3, 0, kPlaceEverywhere, kOwnClass);
        UpdatePersonDrawPos(p);
        if ((p.controlFlags & kPersonController) != 0) GivePlan(p);
        return;
    }
    const int r = Rand();
    InjurePerson(i, kInjuredEnergy + r % kInjuredSpread, kPlaceEverywhere, kInjureNoScream);
}

// A death counts once: a casualty already below energy 1 has been counted.
void Drown(std::int16_t i, const Person& p) {
    const bool living = p.energy >= 1;
    DeletePerson(i);
    if (living) ++ToteCount;
}

void FloodPersonen() {
    for (std::size_t n = 0; n < Personen.size(); ++n) {
        Person& p = Personen[n];
        const auto i = static_cast<std::int16_t>(n);
        if (p.type == -1 || p.offMap != 0 || p.storey < 0) continue;
        p.selected = 0;
        ClearBefehle(p);
        if (p.house != 0xFFFF || p.storey > 0) {
            PutOutside(i, p);
            continue;
        }
        CollisionHit hit;
        if (CollidesWithMap(p, PersonTypen[static_cast<std::size_t>(p.type)], &hit) == 0) continue;
        if (!IsWater(hit) || (p.controlFlags & kPersonController) == 0) {
            Drown(i, p);
            continue;
        }
        ChangePersonTyp(i, DriftingType(p.type));
        p.direction = 0;
        SetPersonAnim(i, kAnimDistress);
        GivePlan(p);
        PlacePersonFree(i, 0, 0, kPlaceEverywhere, kWaterClass);
    }
}

void StartPhase2M11() {
    LoadPartTwoLevel();
    if (FatalErrorRaised()) return;
    PlaceFloodObjects();
    if (!InitPontonPunkte(kMission) || !InitBootPunkte(kMission)) return;
    FreeHouses();
    if (!InitHouses(kMission)) return;
    FreeSlotsOfType(kSobjPonton);
    FloodFahrzeuge();
    FloodPersonen();
    SelectionMode = kNoSelection;
    SelectedIndex = 65535;
    StartMissionPartTwo();
}

void EvaluateMissionM11() {
    const int tote = WriteDeadLine(ResultLines[0], 50);
    const int zeit = WriteTimeLine(ResultLines[1], 21600, 72000);
    const int geld = WriteMoneyLine(ResultLines[2], 7000);
    EvaluationEfficiency = (2 * tote + zeit + geld) / 4;
    FinishEvaluation(35000);
}

}  // namespace

// The mid-mission video is the shared PlayPhase2Video; a save is rebuilt through the same hooks.
const MissionHooks kMissionHooksM11{
    .InitLevel = InitLevelM11,
    .InitHouses = InitHousesM11,
    .InitZFWege = InitZFWegeM11,
    .InitPassantenWege = InitPassantenWegeM11,
    .InitFahrzeuge = InitFahrzeugeM11,
    .InitMissionExtras = InitMissionExtrasM11,
    .UpdateMission = UpdateMissionM11,
    .CheckMission = CheckMissionM11,
    .StartPhase2 = StartPhase2M11,
    .InitBrand = InitBrandM11,
    .InitSonderObj = InitSonderObjM11,
    .InitPontonPunkte = InitPontonPunkteM11,
    .InitBootPunkte = InitBootPunkteM11,
    .InitZones = InitZonesM11,
    .InitPersonen = InitPersonenM11,
    .InitGafferZiele = InitGafferZieleM11,
    .CursorOnSonderObj = CursorOnSonderObjM11,
    .ClickOnSonderObj = ClickOnSonderObjM11,
    .EvaluateMission = EvaluateMissionM11,
};

}  // namespace kv
