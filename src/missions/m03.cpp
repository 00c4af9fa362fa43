// Mission 3: a cat sits in a tree in a villa quarter and a crowd gathers under it.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/random.h"
#include "core/view.h"
#include "gfx/image_files.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/selected_unit.h"
#include "mission/scroll_view.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "missions/mission_traffic.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 3;
constexpr std::uint32_t kModeMission = 2;

// The tree and the cat in it; the cat's type says which way it looks or that it jumps.
constexpr std::int16_t kTreeSlot = 0;
constexpr std::int16_t kCatSlot = 1;
constexpr std::int16_t kTreeTyp = 18;
constexpr std::int16_t kCatRightTyp = 19;
constexpr std::int16_t kCatLeftTyp = 20;
constexpr std::int16_t kCatJumpTyp = 21;
constexpr std::int16_t kCatWalkFrames = 4;

// The branch: its two ends, and the knot where it bends by two pixels and the cat jumps from.
constexpr float kBranchLeft = 717;
constexpr float kBranchRight = 747;
constexpr float kBranchKnot = 735;
constexpr float kCatStep = 2;
constexpr float kJumpStepX = 1;
constexpr float kJumpStepY = 4;
constexpr std::int16_t kCatRestTicks = 80;
// The cat is down once its y reaches the ground line.
constexpr float kGroundLine = 625;

// The cat's states (S6), and the side of the basket it flees from (S7).
constexpr std::uint8_t kCatResting = 0;
constexpr std::uint8_t kCatWalkingLeft = 1;
constexpr std::uint8_t kCatWalkingRight = 2;
constexpr std::uint8_t kCatJumping = 3;
constexpr std::uint8_t kNoFlight = 0;
constexpr std::uint8_t kBasketLeft = 1;
constexpr std::uint8_t kBasketRight = 2;
constexpr std::uint16_t kNoIndex = 65535;

// The scratch words no engine module reads. The rest countdown starts at 0 and is tested at 0 or
// below, so it is read signed: unsigned, the first tick would wrap it to 65535.
std::int16_t& CatRestTicks() {
    return SignedWord(MissionScratch.S0);
}
std::uint8_t& CatState() {
    return MissionScratch.S6;
}
std::uint8_t& FlightSide() {
    return MissionScratch.S7;
}
std::uint16_t& LadderFahrzeug() {
    return MissionScratch.S8;
}

// The cat's miaow, now and then; not saved, a loaded game starts it afresh.
constexpr int kSoundCat = kFirstMissionSound;
constexpr int kSoundFirstDelay = 200;
int g_soundCountdown = kSoundFirstDelay;

// The basket ladder's stand beside the tree, and the point below the tree the caller calls from.
constexpr std::int32_t kLadderX = 800;
constexpr std::int32_t kLadderY = 641;
constexpr std::int32_t kLadderFacing = 3;
constexpr std::int32_t kCallX = 760;
constexpr std::int32_t kCallY = 598;
constexpr std::int32_t kCallReach = 4;
// Clicks at this world x or right of it send the basket to the branch's right, the rest left.
constexpr std::int32_t kRightOfTree = 738;
constexpr std::int32_t kBasketColumnRight = 0;
constexpr std::int32_t kBasketColumnLeft = 11;
constexpr std::uint8_t kBasketHome = 3;
constexpr std::int8_t kAnimLadderUp = 3;
constexpr std::int8_t kAnimLadderDoorOpen = 13;
// The install order names no house: the ladder stands in a garden.
constexpr std::int32_t kNoHouse = 65535;

// The owner's car and who may speak with its owner: persons of types 0 to 3.
constexpr std::uint8_t kCarFacing = 3;
constexpr std::int16_t kFirstSpeaker = PersonSelection(0);
constexpr std::int16_t kLastSpeaker = PersonSelection(3);

constexpr std::uint8_t kOpMission64 = 64;
constexpr std::uint8_t kOpWaitAtCar = 184;
constexpr std::uint8_t kOpCallCat = 186;
constexpr std::int32_t kPhraseOnMyWay = 16;
constexpr std::int32_t kPhraseUnderstood = 17;

void InitLevelM03() {
    // The last column before the dispatcher takes it off the scroll width.
    const auto xv = static_cast<std::int16_t>((MapWidth - 1) * kCellWidth - MapHeight * 16);
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight);
    ViewOrigin = {380, 330};
    HomeView = {static_cast<std::int16_t>(xv - 640), 430};
    RoadEntry = {static_cast<std::int16_t>(xv + 100), 726, 250, 9};
    RoadExit = {-150, 726, kEdgeLeft};
    Money += 2000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
    MarkedPersonM03 = kNoIndex;
    CatState() = kCatResting;
    LadderFahrzeug() = kNoIndex;
    FlightSide() = kNoFlight;
    CatRestTicks() = 0;
    g_soundCountdown = kSoundFirstDelay;
}

constexpr auto kHousesM03 = std::to_array<MissionHouse>({
    {3, 6, 8, 0, 0},
    {3, 11, 8, 1, 0},
    {3, 11, 18, 0, 1},
    {3, 47, 18, 1, 0},
    {3, 52, 18, 1, 0},
    {3, 61, 32, 0, 1},
    {0, 2, -2, 0, 0},
    {0, 9, -2, 1, 0},
    {0, 21, -2, 2, 1},
    {0, 28, -2, 0, 1},
    {0, 35, -2, 1, 0},
    {0, 47, -2, 2, 0},
    {0, 47, 8, 0, 1},
    {66, 49, 32, 1, 6},
});

void InitHousesM03() {
    PlaceHouses(kHousesM03);
}

// Nothing burns.
void InitBrandM03() {}

// The crowd round the tree, and the pedestrians of the quarter.
constexpr auto kGafferM03 = std::to_array<MissionGaffer>({
    {31, 865, 605, 3},
    {29, 850, 630, 6},
    {27, 625, 695, 9},
    {28, 600, 670, 0},
    {30, 915, 730, 4},
    {27, 555, 700, 7},
    {31, 545, 660, 10},
    {29, 645, 650, 1},
    {28, 675, 750, 5},
    {31, 915, 745, 8},
    {30, 685, 625, 11},
    {27, 925, 740, 2},
    {31, 640, 710, 3},
});

struct PlacedPassant {
    std::uint8_t type;
    std::uint8_t path;
    std::uint8_t point;
};
constexpr auto kPassantenM03 =
    std::to_array<PlacedPassant>({{27, 0, 0}, {28, 1, 0}, {29, 0, 2}, {30, 2, 1}, {27, 2, 3}});

void InitPersonenM03() {
    PersonCount = 50;
    AllocPersonen();
    PlaceGaffers(kGafferM03);
    for (const PlacedPassant& p : kPassantenM03) SpawnPassant(p.type, p.path, p.point, 0);
}

void InitFahrzeugeM03() {
    FahrzeugCount = 40;
    AllocFahrzeuge();
}

// Two streets, each driven east from the left edge and back on its other lane.
constexpr auto kZFTypen0M03 = std::to_array<ZFWegTyp>(
    {{27, 100}, {28, 50}, {29, 70}, {30, 20}, {31, 70}, {32, 20}, {35, 30}});
constexpr auto kZFTypen1M03 = std::to_array<ZFWegTyp>(
    {{27, 100}, {28, 50}, {29, 70}, {30, 20}, {31, 70}, {32, 20}, {35, 30}, {44, 10}});

void InitZFWegeM03() {
    ZFWegCount = 2;
    AllocZFWege();
    const std::int32_t xr = ViewRightEdgeX() + 100;
    SetStreet(ZFWege[0], xr, 164, 114, 400, kZFTypen0M03);
    SetStreet(ZFWege[1], xr, 840, 790, 600, kZFTypen1M03);
}

void InitGafferZieleM03() {
    GafferZielCount = 1;
    AllocGafferZiele();
    SetGafferZiel(0, 735, 605, 50);
}

constexpr auto kPassantenWeg0M03 =
    std::to_array<Point16>({{967, 627}, {1203, 213}, {1285, 70}, {620, 70}});
constexpr auto kPassantenWeg1M03 =
    std::to_array<Point16>({{216, 880}, {302, 627}, {535, 210}, {1205, 210}, {882, 880}});
constexpr auto kPassantenWeg2M03 = std::to_array<Point16>(
    {{1430, 490}, {1200, 490}, {1450, 70}, {455, 70}, {295, 350}, {35, 350}});

void InitPassantenWegeM03() {
    PassantenWegCount = 3;
    AllocPassantenWege();
    SetPassantenWeg(0, kPassantenWegBackAndForth, kPassantenWeg0M03);
    SetPassantenWeg(1, kPassantenWegLoop, kPassantenWeg1M03);
    SetPassantenWeg(2, kPassantenWegBackAndForth, kPassantenWeg2M03);
}

constexpr auto kHydrantsM03 = std::to_array<Point16>(
    {{200, 62}, {49, 877}, {597, 877}, {970, 1014}, {1447, 622}, {1021, 208}});

void InitSonderObjM03() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = 2;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    CreateSonderObj(kTreeSlot, kTreeTyp, 703, 448, 0, 15, 0, 0.0f, 0);
    CreateSonderObj(kCatSlot, kCatRightTyp, 747, 570, 0, 15, 2, 44.0f, 0);
    for (const Point16& h : kHydrantsM03) AddHydrant(h.x, h.y);
}

// The cat in slot 1; null once the slot holds anything else.
SonderObj* Cat() {
    SonderObj* o = SonderObjAt(kCatSlot);
    if (o == nullptr) return nullptr;
    return o->type == kCatRightTyp || o->type == kCatLeftTyp || o->type == kCatJumpTyp ? o
                                                                                       : nullptr;
}

// Walking animates the cat's picture, resting holds its first frame. The count stays within the
// frames its file holds.
void SetCatFrames(const SonderObj& cat, bool walking) {
    SonderObjTyp* t = SonderObjTypAt(cat.type);
    if (t == nullptr) return;
    const auto held = static_cast<std::int16_t>(std::min<std::size_t>(FrameCount(t->frames), 32));
    t->frameCount = walking ? std::min(kCatWalkFrames, std::max<std::int16_t>(held, 1)) : 1;
}

void StartWalking(SonderObj& cat, bool left) {
    CatState() = left ? kCatWalkingLeft : kCatWalkingRight;
    cat.type = left ? kCatLeftTyp : kCatRightTyp;
    cat.frame = 0;
    SetCatFrames(cat, true);
}

void Rest(SonderObj& cat) {
    CatState() = kCatResting;
    cat.frame = 0;
    SetCatFrames(cat, false);
}

// One step along the branch, two pixels higher left of the knot; the cat rests at the end.
void WalkStep(SonderObj& cat) {
    if (CatState() == kCatWalkingLeft) {
        cat.x -= kCatStep;
        if (cat.x == kBranchKnot) cat.y -= kCatStep;
        if (cat.x <= kBranchLeft) Rest(cat);
    } else {
        cat.x += kCatStep;
        if (cat.x == kBranchKnot) cat.y += kCatStep;
        if (cat.x >= kBranchRight) Rest(cat);
    }
}

void PlayCatSound() {
    if (GameMode != kModeMission) return;
    if (--g_soundCountdown >= 0) return;
    PlaySoundFx(kSoundCat, kOwnerSonderObj, kCatSlot, 0, 0, 0, kSoundDepth);
    g_soundCountdown = kSoundFirstDelay + Rand() % 400;
}

// The cat's own life on the branch: it rests a while at one end, then walks to the other.
void MoveCat(SonderObj& cat) {
    switch (CatState()) {
        case kCatResting:
            if (--CatRestTicks() > 0) return;
            StartWalking(cat, cat.x == kBranchRight);
            CatRestTicks() = kCatRestTicks;
            break;
        case kCatWalkingLeft:
        case kCatWalkingRight:
            WalkStep(cat);
            break;
        case kCatJumping:
            cat.x += kJumpStepX;
            cat.y += kJumpStepY;
            break;
        default:
            break;
    }
}

// The ladder vehicle the cat watches, while S8 names an F106 with its basket.
Fahrzeug* WatchedLadder() {
    Fahrzeug* v = UsedFahrzeugAt(LadderFahrzeug());
    if (v == nullptr || v->type != kTypF106 || v->kanzel == nullptr) return nullptr;
    return v;
}

// The basket stands while no basket order is at the vehicle's head.
bool BasketStands(const Fahrzeug& v) {
    const int op = HeadBefehlOpcode(v);
    return op != kOpBasketDown && op != kOpBasketUp && op != kOpBasketToColumn;
}

bool LadderUp(const Fahrzeug& v) {
    return v.anim == kAnimLadderUp || v.anim == kAnimLadderDoorOpen;
}

// The cat keeps away from a basket that stands still beside its branch; once the basket moves or
// the ladder goes, it stops where it is.
void FleeBasket(SonderObj& cat) {
    const Fahrzeug* v = WatchedLadder();
    const std::uint8_t column =
        FlightSide() == kBasketLeft ? kBasketColumnLeft : kBasketColumnRight;
    if (v == nullptr || !LadderUp(*v) || !BasketStands(*v) || v->kanzel->column != column) {
        FlightSide() = kNoFlight;
        Rest(cat);
        return;
    }
    const bool toRight = FlightSide() == kBasketLeft;
    switch (CatState()) {
        case kCatResting:
            if (cat.x == (toRight ? kBranchRight : kBranchLeft)) return;
            StartWalking(cat, !toRight);
            break;
        case kCatWalkingLeft:
        case kCatWalkingRight:
            WalkStep(cat);
            break;
        default:
            break;
    }
}

void UpdateMissionM03() {
    PlayCatSound();
    SonderObj* cat = Cat();
    if (cat == nullptr) return;
    if (FlightSide() == kNoFlight)
        MoveCat(*cat);
    else
        FleeBasket(*cat);
}

// A type saved game brings back the type records as loaded: the walking cat's count again.
void RestorePhase2M03() {
    if (const SonderObj* cat = Cat())
        SetCatFrames(*cat, CatState() == kCatWalkingLeft || CatState() == kCatWalkingRight);
}

// The owner's car: a parked SF02 facing 3 under the mouse, and one person of types 0 to 3
// selected.
struct CarTalk {
    std::int16_t car;
    Person* person;
};
std::optional<CarTalk> HoveredCarTalk() {
    if (HoverKind != kHoverFahrzeug) return std::nullopt;
    const auto car = static_cast<std::int16_t>(HoverIds[0]);
    const Fahrzeug* v = UsedFahrzeugAt(car);
    if (v == nullptr || v->type != kTypSF02 || v->direction != kCarFacing || DrivesInTraffic(*v))
        return std::nullopt;
    const SelectedUnit sel = CurrentSelection();
    if (sel.person == nullptr || sel.mode < kFirstSpeaker || sel.mode > kLastSpeaker)
        return std::nullopt;
    return CarTalk{car, sel.person};
}

std::uint8_t CursorOnFahrzeugM03() {
    if (!HoveredCarTalk()) return 0;
    CursorId = kCursorRescue;
    return 1;
}

// The person walks to the car's door, turns to it and waits there for its owner.
std::uint8_t ClickOnFahrzeugM03() {
    const std::optional<CarTalk> talk = HoveredCarTalk();
    if (!talk) return 0;
    Person& p = *talk->person;
    const FahrzeugPunkt door =
        GetFahrzeugDoorPoint(talk->car, static_cast<std::int16_t>(SelectedIndex));
    SetBefehl(p, PersonTypOf(p), kOpMove, kPhraseUnderstood, door.x, door.y, 0, 0, 0);
    AppendBefehl(p, kOpTurn, door.x, door.y, kCarFacing, 0, 1);
    AppendBefehl(p, kOpWaitAtCar, talk->car, door.x, door.y, 0, 1);
    return 1;
}

// What the selection can do at the tree or the cat.
enum class TreeAction : std::uint8_t { None, Call, SetUpLadder, MoveBasket };

struct TreeClick {
    TreeAction action = TreeAction::None;
    Person* person = nullptr;
    Fahrzeug* ladder = nullptr;
};

TreeClick HoveredTreeAction() {
    if (HoverKind != kHoverSonderObj) return {};
    if (HoverIds[0] != kTreeSlot && HoverIds[0] != kCatSlot) return {};
    const SelectedUnit sel = CurrentSelection();
    if (sel.person != nullptr && IsPersonMode(sel.mode)) {
        if (UsedPersonAt(MarkedPersonM03) != sel.person || FlightSide() != kNoFlight) return {};
        return {TreeAction::Call, sel.person, nullptr};
    }
    if (sel.vehicle != nullptr && sel.mode == kTypF106 && sel.vehicle->kanzel != nullptr)
        return {LadderUp(*sel.vehicle) ? TreeAction::MoveBasket : TreeAction::SetUpLadder, nullptr,
                sel.vehicle};
    return {};
}

std::uint8_t CursorOnSonderObjM03() {
    const TreeClick c = HoveredTreeAction();
    if (c.action == TreeAction::None) return 0;
    if (c.action == TreeAction::MoveBasket && !BasketStands(*c.ladder)) return 0;
    CursorId = kCursorRescue;
    return 1;
}

void CallCat(Person& p) {
    SetBefehl(p, PersonTypOf(p), kOpMove, kPhraseOnMyWay, kCallX, kCallY, 0, 0, 0);
    AppendBefehl(p, kOpCallCat, kCallX, kCallY, 0, 0, 1);
}

void SetUpLadderAtTree(Fahrzeug& v) {
    SetBefehl(v, FahrzeugTypOf(v), kOpMove, kPhraseUnderstood, kLadderX, kLadderY, 0, 0, 0);
    AppendBefehl(v, kOpWait, 1, 0, 0, 0, 1);
    AppendBefehl(v, kOpTurn, kLadderX, kLadderY, kLadderFacing, 0, 1);
    AppendBefehl(v, kOpSetUp, kLadderX, kLadderY, kLadderFacing, kNoHouse, 1);
    AppendBefehl(v, kOpBasketDown, 0, 0, 0, 0, 1);
}

// The basket swings to the side of the branch clicked; the cat will keep away from it.
void MoveBasket(Fahrzeug& v) {
    if (TruncInt(v.x) != kLadderX || TruncInt(v.y) != kLadderY) return;
    const bool right = ViewOrigin.x + MouseX >= kRightOfTree;
    const std::int32_t column = right ? kBasketColumnRight : kBasketColumnLeft;
    const FahrzeugTyp& t = FahrzeugTypOf(v);
    if (v.kanzel->column == kBasketHome) {
        SetBefehl(v, t, kOpBasketUp, kPhraseUnderstood, 0, 0, 0, 0, 0);
        AppendBefehl(v, kOpBasketToColumn, column, 0, 0, 0, 1);
    } else {
        SetBefehl(v, t, kOpBasketToColumn, kPhraseUnderstood, column, 0, 0, 0, 0);
    }
    AppendBefehl(v, kOpMission64, right ? kBasketRight : kBasketLeft, 0, 0, 0, 1);
}

std::uint8_t ClickOnSonderObjM03() {
    const TreeClick c = HoveredTreeAction();
    switch (c.action) {
        case TreeAction::Call:
            CallCat(*c.person);
            return 1;
        case TreeAction::SetUpLadder:
            SetUpLadderAtTree(*c.ladder);
            return 1;
        case TreeAction::MoveBasket:
            MoveBasket(*c.ladder);
            return 1;
        default:
            return 0;
    }
}

// The basket has reached its side: the cat flees from it.
void RunFahrzeugBefehl64M03(std::int16_t vehicle) {
    Fahrzeug* v = RunningFahrzeug(vehicle);
    if (v == nullptr) return;
    FlightSide() = static_cast<std::uint8_t>(v->orders->aInt());
    LadderFahrzeug() = static_cast<std::uint16_t>(vehicle);
    CatState() = kCatResting;
    PopBefehl(*v);
}

// The caller below the tree: the cat walks to the knot and jumps down from there.
void RunCallCat(std::int16_t person) {
    Person* found = RunningPerson(person);
    if (found == nullptr) return;
    Person& p = *found;
    Befehl& order = *p.orders;
    SonderObj* cat = Cat();
    if (cat == nullptr) {
        PopBefehl(p);
        return;
    }
    if (FirstBefehlTick(order)) {
        if (std::abs(TruncInt(p.x) - order.aInt()) > kCallReach ||
            std::abs(TruncInt(p.y) - order.bInt()) > kCallReach) {
            ClearBefehle(p);
            return;
        }
        if (cat->x < kBranchKnot)
            StartWalking(*cat, false);
        else if (cat->x > kBranchKnot)
            StartWalking(*cat, true);
        return;
    }
    if (cat->x != kBranchKnot) return;
    CatState() = kCatJumping;
    cat->type = kCatJumpTyp;
    cat->frame = 0;
    PopBefehl(p);
}

void CheckMissionM03() {
    if (VerletzteCount >= 1) {
        ShowMissionFailed(kFailAfterExplosions, W("Es hat einen Verletzten gegeben!"));
        return;
    }
    const SonderObj* cat = Cat();
    if (cat == nullptr || cat->y < kGroundLine) return;
    ShowWellDone();
}

// Time and money; nobody may be hurt, so there is no line for the injured.
void EvaluateMissionM03() {
    const int zeit = WriteTimeLine(ResultLines[0], 3600, 72000);
    const int geld = WriteMoneyLine(ResultLines[1], 1000);
    EvaluationEfficiency = (zeit + 3 * geld) / 4;
    FinishEvaluation(2000);
}

}  // namespace

void RunPersonBefehl186M03(std::int16_t person) {
    RunCallCat(person);
}

const MissionHooks kMissionHooksM03{
    .InitLevel = InitLevelM03,
    .InitHouses = InitHousesM03,
    .InitZFWege = InitZFWegeM03,
    .InitPassantenWege = InitPassantenWegeM03,
    .InitFahrzeuge = InitFahrzeugeM03,
    .UpdateMission = UpdateMissionM03,
    .CheckMission = CheckMissionM03,
    .RestorePhase2 = RestorePhase2M03,
    .InitBrand = InitBrandM03,
    .InitSonderObj = InitSonderObjM03,
    .InitPersonen = InitPersonenM03,
    .RunFahrzeugBefehl64 = RunFahrzeugBefehl64M03,
    .InitGafferZiele = InitGafferZieleM03,
    .CursorOnSonderObj = CursorOnSonderObjM03,
    .ClickOnSonderObj = ClickOnSonderObjM03,
    .ClickOnFahrzeug = ClickOnFahrzeugM03,
    .EvaluateMission = EvaluateMissionM03,
    .CursorOnFahrzeug = CursorOnFahrzeugM03,
};

}  // namespace kv
