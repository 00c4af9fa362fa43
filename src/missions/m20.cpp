// Mission 20: a light aircraft has crashed in the mountains. The pilot is trapped in the wreck
// beside its leaked fuel, a second casualty walks about hurt, and a third has fallen into a
// crevice where nobody sees him until the fire fighters search the right one.

#include <array>
#include <cstdint>
#include <optional>

#include "core/campaign.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "media/unit_sounds.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "mission/selection.h"
#include "missions/fuel_puddle.h"
#include "missions/held_casualty.h"
#include "missions/mission_checks.h"
#include "missions/mission_objects.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer_ziele.h"
#include "persons/mission_actions.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 20;

// The person in the crevice; -1 before the set-up made him.
std::int16_t& HiddenVictimIndex() {
    return SignedWord(MissionScratch.S0);
}

// The wreck holding the pilot, and the fuel leaked beside it.
constexpr std::int16_t kWreck = 0;
constexpr std::int16_t kPuddle = 1;
constexpr std::int16_t kFixedSonderObjM20 = 2;
constexpr std::int16_t kWreckTyp = 18;

constexpr std::int8_t kVictimTyp = 27;
// Where the victim lies in the crevice: the rope rescue works only there.
constexpr int kVictimX = 2893;
constexpr int kVictimY = 1284;
// Where the rope fire fighter stands at the crevice's edge.
constexpr int kRopeX = 2856;
constexpr int kRopeY = 1304;

// One fire fighter of type 1 without equipment, and one with the rope.
constexpr std::int16_t kFireFighterSelected = 1001;
constexpr std::int16_t kRopeSelected = 1015;
// One fire fighter holding the metal cutter (types 9, 17, 22).
constexpr bool CutterSelection(std::int16_t mode) {
    return mode == 1009 || mode == 1017 || mode == 1022;
}

constexpr std::uint8_t kCreviceTerrain = 7;
constexpr std::int32_t kPhraseOnMyWay = 17;
constexpr std::int32_t kPhraseUnderstood = 15;
constexpr std::int32_t kFacingUp = 1;
constexpr std::int32_t kNobody = -1;
constexpr std::int32_t kCasualtyVoice = 41;

// The wreck's work: cycles, the position rule that stands the worker below it, and the callback
// that lets the pilot out.
constexpr std::int32_t kCutCycles = 10;
constexpr std::int32_t kCutRule = 0;
constexpr std::uint32_t kPilotOutSlot = 11;
constexpr int kBelowWreck = 7;
// The binding order ends the whole queue once the puddle is gone.
constexpr std::uint32_t kBindE = 1;
constexpr std::uint8_t kPushMask = 6;

void InitLevelM20() {
    HiddenVictimIndex() = -1;
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 2);
    ViewOrigin = {1924, 238};
    HomeView = {0, 1900};
    RoadEntry = {-100, 2246, 250, 3};
    RoadExit = {-150, 2178, kEdgeLeft};
    Money += 16000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 190;
    BriefingBox.y = 100;
}

// The person in the crevice while the set-up's index names a used slot.
Person* HiddenVictim() {
    const std::int16_t i = HiddenVictimIndex();
    return i >= 0 && i < PersonCount ? UsedPersonAt(i) : nullptr;
}

void InitPersonenM20() {
    PersonCount = 50;
    AllocPersonen();
    const std::int16_t victim =
        CreateVerletzter(kVictimTyp, kVictimX, kVictimY, 0, 3, 800000, 20, 300, 0);
    HiddenVictimIndex() = victim;
    if (Person* p = HiddenVictim()) p->present = 0;
    CreateVerletzter(28, 2925, 1008, 0, 3, 699999, 20, 300, 0);
    CreateHeldCasualty(kVictimTyp, 599999, 30, 300, kWreck);
}

void InitFahrzeugeM20() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
}

// No traffic and nothing burning in the mountains.
void InitZFWegeM20() {}
void InitBrandM20() {}

void InitGafferZieleM20() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM20() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

void InitHousesM20() {
    HouseCount = 0;
    InitHouseList();
}

// The puddle lies flat under everything; the wreck blocks on every side.
constexpr std::array<MissionSonderObj, kFixedSonderObjM20> kSonderObjM20 = {{
    {kPuddle, kFuelPuddleTyp, 2211, 317, 0, 1, 0},
    {kWreck, kWreckTyp, 2180, 277, 15, 0, 0},
}};

void InitSonderObjM20() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSonderObjM20;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    PlaceSonderObjs(kSonderObjM20);
}

void InitBootPunkteM20() {
    BootPunktCount = 2;
    AllocBootPunkte();
    AddBootPunkt(980, 1915, 9, 190, 0, 95, 0, 1);
    AddBootPunkt(1860, 317, 0, -110, 8, -35, 3, 1);
}

// The crevices a fire fighter can search: a click in the rectangle (cells, corners included)
// sends him to the target cell; two of them hide the victim.
struct Crevice {
    int column0;
    int column1;
    int row0;
    int row1;
    int targetColumn;
    int targetRow;
    bool hidesVictim;
};
constexpr std::array<Crevice, 10> kCrevices = {{
    {15, 18, 7, 8, 15, 8, true},
    {26, 29, 51, 52, 26, 52, false},
    {89, 92, 51, 52, 89, 52, false},
    {83, 86, 32, 33, 83, 33, false},
    {91, 94, 16, 17, 91, 17, false},
    {112, 115, 45, 46, 112, 46, true},
    {122, 125, 63, 64, 122, 64, false},
    {148, 151, 72, 73, 148, 73, false},
    {135, 138, 48, 49, 135, 49, false},
    {132, 135, 30, 31, 132, 31, false},
}};

// The cell of crevice ground under the mouse, while one plain fire fighter is selected.
std::optional<CellPos> HoveredCrevice() {
    if (SignedSelectionMode() != kFireFighterSelected) return std::nullopt;
    const CellPos c = CellFromPixel(ViewOrigin.x + MouseX, ViewOrigin.y + MouseY);
    if (!CellInMap(c.column, c.row)) return std::nullopt;
    if (MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].terrain != kCreviceTerrain)
        return std::nullopt;
    return c;
}

std::uint8_t CursorOnGroundM20() {
    if (!HoveredCrevice()) return 0;
    CursorId = kCursorRescue;
    return 1;
}

// A crevice outside the rectangles has no spot to search from: the click is left to the engine.
std::uint8_t ClickOnGroundM20() {
    const std::optional<CellPos> c = HoveredCrevice();
    Person* p = UsedPersonAt(SelectedIndex);
    if (!c || p == nullptr) return 0;
    for (const Crevice& r : kCrevices) {
        if (c->column < r.column0 || c->column > r.column1 || c->row < r.row0 || c->row > r.row1)
            continue;
        const int x = 32 * r.targetColumn - 16 * r.targetRow + 8;
        const int y = 28 * r.targetRow + 16;
        const Person* victim = HiddenVictim();
        const std::int32_t found = r.hidesVictim && victim != nullptr && victim->type == kVictimTyp
                                       ? HiddenVictimIndex()
                                       : kNobody;
        SetBefehl(*p, PersonTypOf(*p), kOpMove, kPhraseOnMyWay, x, y, 0, 0, 0);
        AppendBefehl(*p, kOpTurn, x, y, kFacingUp, 0, 0);
        AppendBefehl(*p, kOpSearchCrevice, x, y, found, 0, 0);
        return 1;
    }
    return 0;
}

// The hovered person while it is the victim still lying in the crevice.
Person* HoveredVictimInCrevice() {
    Person* victim = HiddenVictim();
    if (HoverKind != kHoverPerson || victim == nullptr ||
        HoverIds[0] != static_cast<std::uint16_t>(HiddenVictimIndex()))
        return nullptr;
    if (victim->type != kVictimTyp || TruncInt(victim->x) != kVictimX ||
        TruncInt(victim->y) != kVictimY)
        return nullptr;
    return victim;
}

std::uint8_t CursorOnPersonM20() {
    if (HoveredVictimInCrevice() == nullptr) return 0;
    CursorId = SignedSelectionMode() == kRopeSelected ? kCursorRescue : kCursorSelect;
    return 1;
}

std::uint8_t ClickOnPersonM20() {
    Person* victim = HoveredVictimInCrevice();
    if (victim == nullptr) return 0;
    Person* rope = UsedPersonAt(SelectedIndex);
    if (SignedSelectionMode() == kRopeSelected && rope != nullptr) {
        SetBefehl(*rope, PersonTypOf(*rope), kOpMove, kPhraseOnMyWay, kRopeX, kRopeY, 0, 0, 0);
        AppendBefehl(*rope, kOpTurn, kRopeX, kRopeY, kFacingUp, 0, 0);
        AppendBefehl(*rope, kOpRopeRescue, kRopeX, kRopeY, HiddenVictimIndex(), 0, 0);
        return 1;
    }
    // Anybody else only looks at him: he becomes the selection, as a casualty does.
    ClearSelection();
    SelectionMode = kCasualtySelected;
    SelectedIndex = static_cast<std::uint16_t>(HiddenVictimIndex());
    victim->selected = 1;
    PlayPersonSound(HiddenVictimIndex(), kCasualtyVoice);
    return 1;
}

// What the selection can do at the hovered special object.
enum class Action : std::uint8_t { None, OpenWreck, BindFuel };

Action HoveredAction() {
    if (HoverKind != kHoverSonderObj) return Action::None;
    const SonderObj* o = SonderObjAt(static_cast<std::int16_t>(HoverIds[0]));
    if (o == nullptr || o->type == -1 || UsedPersonAt(SelectedIndex) == nullptr)
        return Action::None;
    const std::int16_t mode = SignedSelectionMode();
    if (HoverIds[0] == kWreck && CutterSelection(mode)) return Action::OpenWreck;
    if (HoverIds[0] == kPuddle && BinderSelection(mode)) return Action::BindFuel;
    return Action::None;
}

std::uint8_t CursorOnSonderObjM20() {
    if (HoveredAction() == Action::None) return 0;
    CursorId = kCursorRescue;
    return 1;
}

// The cutter stands below the middle of the wreck's picture, facing it, and works it open.
void SendCutterToWreck(Person& p) {
    const SonderObj& wreck = *SonderObjAt(kWreck);
    const SonderObjTyp* t = SonderObjTypAt(wreck.type);
    const int width = t != nullptr && t->frames != nullptr ? t->frames[0].width : 0;
    const int boxY1 = t != nullptr ? t->boxY1 : 0;
    const int x = TruncInt(wreck.x) + width / 2;
    const int y = TruncInt(wreck.y) + boxY1 + kBelowWreck;
    SetBefehl(p, PersonTypOf(p), kOpMove, kPhraseUnderstood, x, y, 0, 0, 0);
    AppendBefehl(p, kOpTurn, x, y, kFacingUp, 0, 0);
    // The callback slot is the order's own e, so it is appended as it stands.
    AppendBefehl(p, kOpWorkAtSonderObj, kWreck, kWreckTyp, kCutCycles, kCutRule, kPilotOutSlot);
}

std::uint8_t ClickOnSonderObjM20() {
    const Action action = HoveredAction();
    if (action == Action::None) return 0;
    Person& p = *UsedPersonAt(SelectedIndex);
    if (action == Action::OpenWreck)
        SendCutterToWreck(p);
    else
        SendBinderToFuel(p, kPuddle, kBindE);
    return 1;
}

bool SlotHolds(std::int16_t slot, std::int16_t type) {
    const SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type == type;
}

// Somebody working at the wreck.
bool WorksAtWreck(const Person& p) {
    return HeadBefehlOpcode(p) == kOpWorkAtSonderObj && p.orders->aInt() == kWreck;
}

void CheckMissionM20() {
    if (SlotHolds(kPuddle, kFuelPuddleTyp)) {
        // Work at the wreck beside the unbound fuel never gets going: it sets the fuel off.
        StopWorkBeside(kPuddle, WorksAtWreck);
        if (ExplosionPastFrame(kPuddle)) {
            ClearSonderObjCommands(kPuddle);
            ShowMissionFailed(kFailNow, W("Ausgelaufener Treibstoff ist explodiert!"));
            return;
        }
    }
    if (ToteCount >= 1) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    if (!RescuePending()) ShowWellDone();
}

void EvaluateMissionM20() {
    const int zeit = WriteTimeLine(ResultLines[0], 18000, 72000);
    const int geld = WriteMoneyLine(ResultLines[1], 6000);
    EvaluationEfficiency = (zeit + geld) / 2;
    FinishEvaluation(16000);
}

}  // namespace

void OnBefehlDone11M20(std::int32_t object, std::int32_t /*person*/) {
    const SonderObj* o = SonderObjAt(object);
    if (o == nullptr || o->type == -1) return;
    const SonderObjTyp* t = SonderObjTypAt(o->type);
    if (t == nullptr) return;
    const float x = o->x + static_cast<float>((t->boxX1 - t->boxX0) / 2);
    const float y = o->y + static_cast<float>((t->boxY1 - t->boxY0) / 2);
    ReleaseHeldPerson(static_cast<std::int16_t>(object), x, y, kPushMask);
}

// No UpdateMission: nothing here depends on time.
const MissionHooks kMissionHooksM20{
    .InitLevel = InitLevelM20,
    .InitHouses = InitHousesM20,
    .InitZFWege = InitZFWegeM20,
    .InitPassantenWege = InitPassantenWegeM20,
    .InitFahrzeuge = InitFahrzeugeM20,
    .CheckMission = CheckMissionM20,
    .InitBrand = InitBrandM20,
    .InitSonderObj = InitSonderObjM20,
    .InitBootPunkte = InitBootPunkteM20,
    .InitPersonen = InitPersonenM20,
    .InitGafferZiele = InitGafferZieleM20,
    .CursorOnSonderObj = CursorOnSonderObjM20,
    .ClickOnSonderObj = ClickOnSonderObjM20,
    .ClickOnPerson = ClickOnPersonM20,
    .EvaluateMission = EvaluateMissionM20,
    .CursorOnGround = CursorOnGroundM20,
    .CursorOnPerson = CursorOnPersonM20,
    .ClickOnGround = ClickOnGroundM20,
};

}  // namespace kv
