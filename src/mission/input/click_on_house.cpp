#include "mission/input/click_on_house.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "mission/input/click_targets.h"
#include "mission/input/selected_unit.h"
#include "movement/befehl_opcodes.h"
#include "movement/stepping.h"
#include "persons/person_houses.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/houses.h"

namespace kv {

namespace {

// Orders the clicks lay here, whoever's handlers run them.
constexpr std::uint8_t kOpFetchFromWindow = 63;
constexpr std::uint8_t kOpIntoHouseFromBasket = 68;
constexpr std::uint8_t kOpHoseAtHouse = 178;
constexpr std::uint8_t kOpCushionUnder = 187;

constexpr int kStoreyHeight = 31;
// The highest storey a click on the facade names, counted from the first floor above the ground,
// and the facade's columns.
constexpr int kLastFacadeStorey = 3;
constexpr int kLastFacadeColumn = 4;
constexpr std::uint8_t kBasketHome = 3;
// The ladder vehicle stands this far right of the house's front corner to set up.
constexpr int kLadderStandX = 80;

constexpr std::int16_t kCushionMode = PersonSelection(6);
// Staff who go into a house through its door.
constexpr std::array<std::int16_t, 13> kEnteringModes = {
    PersonSelection(1),  PersonSelection(2),  PersonSelection(3),  PersonSelection(8),
    PersonSelection(9),  PersonSelection(13), PersonSelection(15), PersonSelection(16),
    PersonSelection(17), PersonSelection(20), PersonSelection(21), PersonSelection(22),
    PersonSelection(25)};
// The carriers of a person, who only change storeys.
constexpr std::array<std::int16_t, 3> kCarrierModes = {PersonSelection(12), PersonSelection(19),
                                                       PersonSelection(24)};

template <std::size_t N>
bool OneOf(std::int16_t mode, const std::array<std::int16_t, N>& modes) {
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

int Whole(float v) {
    return TruncInt(v);
}

bool LeadsSomeone(const Person& p) {
    return DecodePersonLink(p.link).kind == PersonLinkKind::Leads;
}

bool CarriesSomeone(const Person& p) {
    return (p.moverFlags & kMoverLed) != 0;
}

// What the click is about.
struct HouseClick {
    const ClickPoints& at;
    std::int16_t index;
    House& h;
    const HouseTyp& t;
    HousePoints points;
    int i;
    int j;
    int storey;
    SelectedUnit sel;
};

// The facade window under the mouse as the basket names it: its column and its storey step.
struct FacadeWindow {
    int column;
    int step;
};
std::optional<FacadeWindow> FacadeWindowAtMouse() {
    if (GetHouseFacadeFlagAtMouse() == 0) return std::nullopt;
    int column = 0;
    int storey = 0;
    if (!GetHouseFacadeAtMouse(column, storey)) return std::nullopt;
    const int step = storey - 1;
    if (step < 0 || step > kLastFacadeStorey || column < 0 || column > kLastFacadeColumn)
        return std::nullopt;
    return FacadeWindow{BasketColumnAtFacade(column), step};
}

// The basket goes to the window, raised first when it waits at home.
void SendBasket(Fahrzeug& ladder, const FacadeWindow& w) {
    const FahrzeugTyp& type = FahrzeugTypOf(ladder);
    if (ladder.kanzel->column == kBasketHome) {
        GiveOrder(ladder, type, kOpBasketUp, kPhraseUnderstood);
        ThenOrder(ladder, kOpBasketToColumn, w.column, w.step);
    } else {
        GiveOrder(ladder, type, kOpBasketToColumn, kPhraseUnderstood, w.column, w.step);
    }
}

// Water at the hovered storey: the hose person from where it stands; a cannon at the front row's
// cell under the mouse, driving to the front line first when it is out of range or behind it.
void WaterAtHouse(const HouseClick& c) {
    if (c.sel.person != nullptr) {
        Person& p = *c.sel.person;
        GoalList target = {{static_cast<float>(c.at.mx), static_cast<float>(c.at.my),
                            static_cast<std::uint8_t>(c.storey), 0},
                           {static_cast<float>(c.h.x + c.i), static_cast<float>(c.points.frontRow),
                            static_cast<std::uint8_t>(c.index), 0}};
        GiveOrder(p, PersonTypOf(p), kOpHoseAtHouse, kPhraseUnderstood, std::move(target));
        return;
    }
    if (!IsVehicleMode(c.sel.mode)) return;
    Fahrzeug& v = *c.sel.vehicle;
    const FahrzeugTyp& type = FahrzeugTypOf(v);
    if (type.kanone == nullptr) return;
    const int frontLine = c.points.frontLine;
    const int k = CannonStoreyAt(c.h, c.t, c.at.my);
    if (k < 0) return;
    const int column = c.h.x + c.i;
    const int row = c.points.frontRow;
    const int tx = kCellWidth * column - 16 * row;
    const int ty = frontLine - (kStoreyHeight * k + 15);
    GoalList target = {
        {static_cast<float>(tx), static_cast<float>(ty), static_cast<std::uint8_t>(k), 0},
        {static_cast<float>(column), static_cast<float>(row), static_cast<std::uint8_t>(c.index),
         0}};
    const std::int32_t d =
        DistanceInt(Clamp16(Whole(v.x)), Clamp16(Whole(v.y)), Clamp16(tx), Clamp16(frontLine));
    if (d <= type.kanone->range && frontLine < Whole(v.y)) {
        GiveOrder(v, type, kOpCannonAim, kPhraseUnderstood, std::move(target));
        return;
    }
    GiveOrder(v, type, kOpRouteLeg, kPhraseDriveThere, tx, frontLine);
    ThenOrder(v, kOpCannonAim, std::move(target));
}

// Every selected person inside the house walks to the click, raised by its storey.
void MovePersonsInside(const HouseClick& c) {
    for (Person& p : Personen) {
        if (p.type < 0 || p.house != static_cast<std::uint16_t>(c.index) || p.selected == 0 ||
            p.selectable == 0)
            continue;
        const int lift = p.storey > 1 ? kStoreyHeight * (p.storey - 1) : 0;
        const OrderRedirect redirect = FollowTrailRedirect(p);
        if (redirect.follows) {
            if (redirect.to == nullptr) continue;
            SayPhrase(kPhraseGoing, PersonTypOf(p).speaker);
            GiveOrder(*redirect.to, PersonTypOf(*redirect.to), kOpMove, kSilentOrder, c.at.cx,
                      c.at.cy + lift);
        } else if (p.casualty == 0 && !CarriesSomeone(p)) {
            GiveOrder(p, PersonTypOf(p), kOpMove, kPhraseGoing, c.at.cx, c.at.cy + lift);
        }
    }
}

enum class Then : std::uint8_t { Done, Fallback };

// Up or down the stairs to the storey the cursor named, from the staircase cell.
Then ChangeStorey(const HouseClick& c, Person& s) {
    if (s.house != static_cast<std::uint16_t>(c.index) || c.i != c.t.entranceI ||
        c.j != c.t.entranceJ)
        return Then::Fallback;
    const int k = static_cast<int>(CursorId) - kCursorChangeStorey;
    // A cursor that names no storey (only five have a shape) changes none.
    if (k < 0 || k >= kCursorStoreys || k == s.storey - 1 || k >= c.t.floors - 1 ||
        CarriesSomeone(s))
        return Then::Done;
    const PixelPos z = c.points.stair;
    const OrderRedirect redirect = FollowTrailRedirect(s);
    if (redirect.follows) {
        if (redirect.to == nullptr) return Then::Done;
        SayPhrase(kPhraseComing, PersonTypOf(s).speaker);
        GiveOrder(*redirect.to, PersonTypOf(*redirect.to), kOpMove, kSilentOrder, z.x, z.y);
        ThenOrder(*redirect.to, kOpChangeStorey, k);
        return Then::Done;
    }
    GiveOrder(s, PersonTypOf(s), kOpMove, kPhraseComing, z.x, z.y);
    ThenOrder(s, kOpChangeStorey, k);
    return Then::Done;
}

// A civilian at the door marks the house as searched.
void MarkAtDoor(const HouseClick& c, Person& s) {
    const DoorWalk& w = kDoorMarkWalk[c.t.doorSide & 3u];
    const PixelPos base = c.points.doorBase;
    const int wx = base.x + w.wx;
    const int wy = base.y + w.wy;
    GiveOrder(s, PersonTypOf(s), kOpMove, kPhraseUnderstood, wx, wy);
    ThenOrder(s, kOpTurn, wx, wy, w.facing);
    ThenOrder(s, kOpMarkHouse, c.index, wx, wy);
    ThenOrder(s, kOpTurn, wx, wy, (w.facing + 6) % 12);
    ThenOrder(s, kOpMove, base.x + w.ox, base.y + w.oy);
}

// Staff go in through the door, marking the house on their way when nobody has.
void EnterByDoor(const HouseClick& c, Person& s) {
    const DoorWalk& w = kDoorEnterWalk[c.t.doorSide & 3u];
    const PixelPos base = c.points.doorBase;
    const int wx = base.x + w.wx;
    const int wy = base.y + w.wy;
    const int nx = base.x + w.nx;
    const int ny = base.y + w.ny;
    GiveOrder(s, PersonTypOf(s), kOpMove, kPhraseOnMyWay, wx, wy);
    ThenOrder(s, kOpTurn, wx, wy, w.facing);
    if (c.h.evacuated == 0) ThenOrder(s, kOpMarkHouse, c.index, wx, wy);
    ThenOrder(s, kOpMove, nx, ny);
    ThenOrder(s, kOpEnterHouse, nx, ny, c.index, -1);
    ThenOrder(s, kOpMove, base.x + w.ox, base.y + w.oy);
}

// The ladder vehicle drives to the house's front corner and sets its ladder up there.
void SetUpLadderAt(const HouseClick& c, Fahrzeug& v) {
    const AnimSlot& slot = FahrzeugAnimSlot(kTypF106, 3, 0);
    const int frontRow = c.h.y + c.t.extentJ;
    const int x = kCellWidth * c.h.x - 16 * frontRow - 16 + kLadderStandX + slot.hotX;
    const int y = kCellHeight * frontRow + kCellHeight + slot.hotY;
    GiveOrder(v, FahrzeugTypOf(v), kOpMove, kPhraseUnderstood, x, y);
    ThenOrder(v, kOpMove, x, y);
    ThenOrder(v, kOpWait, 1);
    ThenOrder(v, kOpTurn, x, y, 3);
    ThenOrder(v, kOpSetUp, x, y, 3, c.index);
    ThenOrder(v, kOpBasketDown);
}

// The jump cushion goes under the facade column the mouse is over.
void CushionUnderFacade(const HouseClick& c, Person& s) {
    const int frontRow = c.h.y + c.t.extentJ;
    const int x0 = kCellWidth * c.h.x - 16 * frontRow;
    const int n = (c.at.mx - x0) / 32;
    const int x = 32 * n + x0 + 5;
    const int y = kCellHeight * frontRow + 18;
    GiveOrder(s, PersonTypOf(s), kOpMove, kPhraseMoving, x, y);
    ThenOrder(s, kOpTurn, x, y, 1);
    ThenOrder(s, kOpCushionUnder, x, y, c.index, n);
}

Then HouseActions(const HouseClick& c) {
    const std::int16_t mode = c.sel.mode;
    if (mode == kTypF106) {
        Fahrzeug& v = *c.sel.vehicle;
        if (!LadderSetUp(v)) {
            SetUpLadderAt(c, v);
        } else if (v.kanzel->target == static_cast<std::uint16_t>(c.index)) {
            if (const std::optional<FacadeWindow> w = FacadeWindowAtMouse()) {
                SendBasket(v, *w);
                ThenOrder(v, kOpFetchFromWindow, w->column, w->step, c.index);
            }
        }
        return Then::Done;
    }
    if (!IsPersonMode(mode)) return Then::Fallback;
    Person& s = *c.sel.person;
    if (mode == kCushionMode) {
        CushionUnderFacade(c, s);
        return Then::Fallback;
    }
    if (mode == kPersonSelected) {
        if (c.h.evacuated != 0 || LeadsSomeone(s)) return Then::Fallback;
        MarkAtDoor(c, s);
        return Then::Done;
    }
    if (OneOf(mode, kEnteringModes)) {
        if (HouseOf(s) != nullptr || LeadsSomeone(s)) return ChangeStorey(c, s);
        EnterByDoor(c, s);
        return Then::Done;
    }
    if (OneOf(mode, kCarrierModes)) return ChangeStorey(c, s);
    return Then::Fallback;
}

}  // namespace

void HandleHouseClick(const ClickPoints& at) {
    House* h = PlacedHouse(HoverIds[3]);
    if (h == nullptr) return;
    const bool lowerPiece = HoverKind == kHoverHouseLower;
    if (!lowerPiece) {
        if (CursorId == kCursorWholeHouse) {
            h->shownStorey = static_cast<std::uint8_t>(HouseTypOf(*h).floors);
            h->interiorView = 0;
            return;
        }
        if (CursorId >= kCursorOpenStorey && CursorId < kCursorOpenStorey + kCursorStoreys) {
            h->shownStorey = static_cast<std::uint8_t>(HoverIds[2] + 1);
            h->interiorView = 1;
            return;
        }
    }
    if (const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::ClickOnHouse);
        hook != nullptr && hook() != 0)
        return;
    const auto index = static_cast<std::int16_t>(HoverIds[3]);
    const HouseClick c{at,          index,       *h,          HouseTypOf(*h),    GetHousePoints(*h),
                       HoverIds[0], HoverIds[1], HoverIds[2], CurrentSelection()};
    if (CursorId == kCursorWater) {
        WaterAtHouse(c);
        return;
    }
    if (IsPersonMode(c.sel.mode) && c.sel.person->selectable != 0) {
        if (Fahrzeug* ladder = BasketLadder(*c.sel.person)) {
            const std::optional<FacadeWindow> w = FacadeWindowAtMouse();
            if (!w) return;
            SendBasket(*ladder, *w);
            ThenOrder(*ladder, kOpIntoHouseFromBasket, static_cast<std::int32_t>(SelectedIndex));
            ThenOrder(*ladder, kOpFetchFromWindow, w->column, w->step, index);
            return;
        }
    }
    if (HouseActions(c) == Then::Fallback && lowerPiece && SelectionMode != kBoxGroupSelected)
        MovePersonsInside(c);
}

}  // namespace kv
