#include "mission/input/click_on_person.h"

#include <cstddef>
#include <utility>

#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "media/speech.h"
#include "media/unit_sounds.h"
#include "mission/input/click_targets.h"
#include "mission/input/cursor_on_units.h"
#include "mission/input/selected_unit.h"
#include "mission/selection.h"
#include "movement/befehl_opcodes.h"
#include "movement/stepping.h"
#include "persons/equipment.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/person_pursuit.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// Orders the clicks lay here, whoever's handlers run them.
constexpr std::uint8_t kOpFetchCasualty = 78;
constexpr std::uint8_t kOpPickUpObject = 179;
constexpr std::uint8_t kOpTakeRing = 200;
constexpr std::uint8_t kOpMissionAction = 201;
constexpr std::uint8_t kOpRevive = 202;
constexpr std::uint8_t kOpThrowRing = 207;
// Order 201's action for laying the patient onto a bed.
constexpr std::int32_t kLayOntoBed = 7;

// The sound of a casualty chosen by a click.
constexpr int kCasualtyChosenSound = 41;
// Leaders of a pair are of types 0..3.
constexpr int kLastLeaderTyp = 3;

int Whole(float v) {
    return TruncInt(v);
}

bool SameStorey(const Person& a, const Person& b) {
    return a.storey == b.storey;
}

bool StandsInBasket(const Person& p) {
    return BasketLadder(p) != nullptr;
}

std::int16_t Index(std::uint16_t id) {
    return static_cast<std::int16_t>(id);
}

// The casualty lies along the screen's vertical (directions 1 and 7) or across it (3 and 9).
bool LiesAlong(const Person& p) {
    return p.direction == 1 || p.direction == 7;
}
bool LiesAcross(const Person& p) {
    return p.direction == 3 || p.direction == 9;
}

bool Exists(const AnimSlot& slot) {
    return slot.frames != 0;
}

// The helicopter flies to the casualty, lands beside it and takes it aboard.
void FetchByHelicopter(Fahrzeug& heli, std::int16_t pi, const Person& p) {
    const int x = Whole(p.x);
    const int y = Whole(p.y);
    const FahrzeugTyp& type = FahrzeugTypOf(heli);
    if (heli.link2 == kNoLink) {
        GiveOrder(heli, type, kOpMove, kPhraseFlyThere, x, y);
    } else {
        GiveOrder(heli, type, kOpTakeOff, kPhraseFlyThere);
        ThenOrder(heli, kOpMove, x, y);
    }
    ThenOrder(heli, kOpWait, 1);
    ThenOrder(heli, kOpTurn, x, y, 3);
    ThenOrder(heli, kOpFetchCasualty, x, y, pi);
}

// A civilian goes after the person or takes it along.
void TakeUpPursuit(std::int16_t si, const Person& s, std::int16_t pi, bool struggle) {
    if (UnitSpeech == 1) SayPhrase(kPhraseOnMyWay, PersonTypOf(s).speaker);
    if (struggle)
        QueueTargetAction(si, pi);
    else
        OrderPersonPair(si, pi);
    SetMessageLine(kPursuitText, kPursuitFrames);
}

bool Civilian(std::int16_t si, const Person& s, std::int16_t pi, const Person& p) {
    if (!HasNoLink(s)) return false;
    const bool same = SameStorey(s, p);
    if ((p.controlFlags & (kPersonRival | kPersonFighter)) != 0 && same && HasNoLink(p)) {
        TakeUpPursuit(si, s, pi, true);
        return true;
    }
    const bool marked = (p.controlFlags & kPersonScriptMarked) != 0 && same && HasNoLink(p);
    if (((p.controlFlags & kPersonOnlooker) != 0 || marked) && !StandsInBasket(p)) {
        TakeUpPursuit(si, s, pi, false);
        return true;
    }
    return false;
}

// Staff kneel beside a casualty, at its head or its feet, and pick it up; an onlooker they take
// along.
bool Staff(std::int16_t si, Person& s, std::int16_t pi, const Person& p) {
    if (!HasNoLink(s)) return false;
    if (SameStorey(s, p) && p.casualty != 0) {
        const AnimSlot& a = PersonAnimSlot(p.type, p.direction, p.anim);
        const int x = Whole(p.x);
        const int y = Whole(p.y);
        GoalList goals;
        if (Exists(a) && LiesAlong(p))
            goals = {{static_cast<float>(x - 8), static_cast<float>(p.drawY + a.box[3] + 7), 1, 0},
                     {static_cast<float>(x + 8), static_cast<float>(p.drawY + a.box[1] - 7), 7, 0}};
        else if (Exists(a) && LiesAcross(p))
            goals = {{static_cast<float>(p.drawX + a.box[0] - 7), static_cast<float>(y + 3), 3, 0},
                     {static_cast<float>(p.drawX + a.box[2] + 7), static_cast<float>(y + 3), 9, 0}};
        if (!goals.empty()) {
            GiveOrder(s, PersonTypOf(s), kOpGoals, kPhraseGoing, std::move(goals));
            ThenOrder(s, kOpPickUpCasualty, pi, x, y);
            return true;
        }
    }
    if ((p.controlFlags & kPersonOnlooker) != 0 && HasNoLink(p) && SameStorey(s, p) &&
        !StandsInBasket(s) && !StandsInBasket(p)) {
        TakeUpPursuit(si, s, pi, false);
        return true;
    }
    return false;
}

// The medic revives a casualty lying on an object or being revived, and treats any other from
// either side, as it lies.
bool Medic(Person& s, std::int16_t pi, const Person& p) {
    if (!SameStorey(s, p) || p.casualty == 0) return false;
    const int x = Whole(p.x);
    const int y = Whole(p.y);
    const PersonLinkKind link = DecodePersonLink(p.link).kind;
    if (link == PersonLinkKind::OnSonderObj || link == PersonLinkKind::RevivedBy) {
        const int tx = x + 17;
        const int ty = y + 2;
        GiveOrder(s, PersonTypOf(s), kOpMove, kPhraseGoing, tx, ty);
        ThenOrder(s, kOpTurn, tx, ty, 9);
        ThenOrder(s, kOpRevive, pi, tx, ty);
        return true;
    }
    GoalList goals;
    if (LiesAlong(p))
        goals = {{p.x + 17, p.y, 9, 0}, {p.x - 17, p.y, 3, 0}};
    else if (LiesAcross(p))
        goals = {{p.x, p.y + 15, 1, 0}, {p.x, p.y - 15, 7, 0}};
    else
        return false;
    GiveOrder(s, PersonTypOf(s), kOpGoals, kPhraseGoing, std::move(goals));
    ThenOrder(s, kOpTreat, pi, x, y);
    return true;
}

// The stretcher team sets down beside the casualty, lengthwise, with the stretcher's picture.
bool StretcherTeam(Person& s, std::int16_t pi, const Person& p) {
    if (!SameStorey(s, p) || p.casualty == 0) return false;
    const AnimSlot& b = PersonAnimSlot(p.type, p.direction, kAnimLying);
    if (!Exists(b)) return false;
    const auto along = [&](std::uint8_t facing) {
        return GoalList{{p.x + static_cast<float>(b.box[2] - b.hotX + 15), p.y, facing, 0},
                        {p.x + static_cast<float>(b.box[0] - b.hotX - 15), p.y, facing, 0}};
    };
    const auto across = [&](std::uint8_t facing) {
        return GoalList{{p.x, p.y + static_cast<float>(b.box[1] - b.hotY - 15), facing, 0},
                        {p.x, p.y + static_cast<float>(b.box[3] - b.hotY + 15), facing, 0}};
    };
    GoalList goals;
    switch (p.direction) {
        case 1:
            goals = along(1);
            break;
        case 7:
            goals = along(7);
            break;
        case 3:
            goals = across(9);
            break;
        case 9:
            goals = across(3);
            break;
        default:
            return false;
    }
    GiveOrder(s, PersonTypOf(s), kOpGoals, kPhraseComing, std::move(goals));
    ThenOrder(s, kOpLoadStretcher, pi, Whole(p.x), Whole(p.y));
    return true;
}

bool PersonActions(const SelectedUnit& sel, std::int16_t pi, const Person& p) {
    if (!IsPersonMode(sel.mode)) return false;
    const auto si = Index(SelectedIndex);
    Person& s = *sel.person;
    switch (sel.mode - kPersonModeFirst) {
        case 0:
            return Civilian(si, s, pi, p);
        case 1:
        case 2:
        case 3:
            return Staff(si, s, pi, p);
        case kPersonTypMedic:
            return Medic(s, pi, p);
        case 5:
            return StretcherTeam(s, pi, p);
        default:
            return false;
    }
}

bool IsLeaderTyp(int type) {
    return type >= 0 && type <= kLastLeaderTyp;
}

// The person becomes the selection; a led person brings its leader, which is selected in its
// place with the led person beside it.
void SelectPerson(std::int16_t pi, Person& p) {
    ClearSelection();
    SelectedIndex = static_cast<std::uint16_t>(pi);
    Person* chosen = &p;
    if (p.casualty != 0) {
        SelectionMode = kCasualtySelected;
        PlayPersonSound(pi, kCasualtyChosenSound);
    } else if (Person* leader = LeaderOf(p); leader != nullptr && IsLeaderTyp(leader->type)) {
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + leader->type);
        SelectedIndex = p.link;
        chosen = leader;
    } else {
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + p.type);
    }
    chosen->selected = 1;
    if (IsLeaderTyp(chosen->type))
        if (Person* led = LedBy(*chosen); led != nullptr && (led->moverFlags & kMoverLed) != 0)
            led->selected = 1;
    if (SelectionMode != kCasualtySelected && (chosen->moverFlags & kMoverLed) == 0)
        SayPhrase(kPhrasePersonChosen, PersonTypOf(*chosen).speaker);
}

bool HookConsumes(std::uint8_t (*MissionHooks::*member)()) {
    const auto hook = OptionalMissionHook(MissionNummer, member);
    return hook != nullptr && hook() != 0;
}

}  // namespace

void HandlePersonClick(const ClickPoints&) {
    if (HookConsumes(&MissionHooks::ClickOnPerson)) return;
    const std::int16_t pi = Index(HoverIds[0]);
    Person* p = UsedPersonAt(HoverIds[0]);
    if (p == nullptr) return;
    const SelectedUnit sel = CurrentSelection();
    if (p->casualty != 0 && HouseOf(*p) == nullptr && sel.mode == kTypF203 &&
        HelicopterMayFetch(*p)) {
        FetchByHelicopter(*sel.vehicle, pi, *p);
        return;
    }
    if (p->targetable == 0) return;
    if (PersonActions(sel, pi, *p)) return;
    SelectPerson(pi, *p);
}

namespace {

// Persons of these modes act on the special objects.
constexpr std::int16_t kStaffMode = PersonSelection(1);
constexpr std::int16_t kHoseMode = PersonSelection(10);
constexpr std::int16_t kHoseHolderMode = PersonSelection(11);
constexpr std::int16_t kStretcherWithPatientMode = PersonSelection(26);
constexpr std::int16_t kRingCarrierMode = PersonSelection(46);

// A laid pontoon: its object names a point whose chain is complete.
bool PontonLaid(const SonderObj& o) {
    return o.user >= 0 && static_cast<std::size_t>(o.user) < PontonPunkte.size() &&
           PontonPunkte[static_cast<std::size_t>(o.user)].complete != 0;
}

// Where a person stands at a ring holder, above or below it.
GoalList RingHolderGoals(int x, int y) {
    return {{static_cast<float>(x + 9), static_cast<float>(y + 25), 0, 0},
            {static_cast<float>(x + 9), static_cast<float>(y - 5), 6, 0}};
}

void Hydrant(const SelectedUnit& sel, std::int16_t si, std::int16_t oi) {
    if (sel.mode != kHoseMode && sel.mode != kHoseHolderMode) return;
    const bool atThisOne = sel.person->link2 == static_cast<std::uint16_t>(oi);
    if (sel.mode == kHoseHolderMode && atThisOne)
        DropHose(si);
    else if (sel.mode == kHoseHolderMode || !atThisOne)
        WalkPersonToHydrant(si, oi);
}

// The woodpile: the crane lifts it, a staff person picks it up from one of its corners.
void Woodpile(const SelectedUnit& sel, std::int16_t oi, const SonderObj& o) {
    if (sel.mode == kTypF110) {
        SendCarrier(*sel.vehicle, PickUpSonderObj(oi), kOpTakeUpObject, oi, o.type);
        return;
    }
    Person* s = sel.person;
    if (sel.mode != kStaffMode || HouseOf(*s) != nullptr || !HasNoLink(*s)) return;
    const int x = Whole(o.x);
    const int y = Whole(o.y);
    GoalList goals = {{static_cast<float>(x - 7), static_cast<float>(y + 30), 1, 0},
                      {static_cast<float>(x - 7), static_cast<float>(y + 18), 3, 0},
                      {static_cast<float>(x + 24), static_cast<float>(y), 7, 0},
                      {static_cast<float>(x + 23), static_cast<float>(y + 6), 9, 0}};
    GiveOrder(*s, PersonTypOf(*s), kOpGoals, kPhraseUnderstood, std::move(goals));
    ThenOrder(*s, kOpPickUpObject, oi, x, y);
}

}  // namespace

void HandleSonderObjClick(const ClickPoints& click) {
    if (HookConsumes(&MissionHooks::ClickOnSonderObj)) return;
    const std::int16_t oi = Index(HoverIds[0]);
    const SonderObj* o = SonderObjAt(HoverIds[0]);
    if (o == nullptr || o->type < 0) return;
    const SelectedUnit sel = CurrentSelection();
    const auto si = Index(SelectedIndex);
    Person* s = sel.person;
    const int x = Whole(o->x);
    const int y = Whole(o->y);
    switch (o->type) {
        case kSobjHydrant:
            Hydrant(sel, si, oi);
            return;
        case kSobjHolzstapel:
            Woodpile(sel, oi, *o);
            return;
        case kSobjPonton:
            if (IsVehicleMode(sel.mode) && PontonLaid(*o) &&
                !(sel.mode == kTypF113 && sel.vehicle->anim >= 2 && sel.vehicle->anim <= 6))
                DockAtPontonPunkt(si, o->user);
            return;
        case kSobjZelt:
            if (IsPersonMode(sel.mode))
                GiveOrder(*s, PersonTypOf(*s), kOpMove, kPhraseMoving, click.mx, click.my + 23);
            return;
        case kSobjBett:
            if (sel.mode == kStretcherWithPatientMode && o->user == -1) {
                const int tx = x + 44;
                const int ty = y + 18;
                GiveOrder(*s, PersonTypOf(*s), kOpMove, kPhraseComing, tx, ty);
                ThenOrder(*s, kOpTurn, tx, ty, 7);
                ThenOrder(*s, kOpMissionAction, kLayOntoBed, oi);
            }
            return;
        case kSobjRingHalter:
            if (sel.mode == kRingCarrierMode) {
                GiveOrder(*s, PersonTypOf(*s), kOpGoals, kPhraseGoing, RingHolderGoals(x, y));
                ThenOrder(*s, kOpThrowRing, oi);
            }
            return;
        case kSobjRingHalterMitRing:
            if (sel.mode == kStaffMode && HasNoLink(*s)) {
                GiveOrder(*s, PersonTypOf(*s), kOpGoals, kPhraseGoing, RingHolderGoals(x, y));
                ThenOrder(*s, kOpTakeRing, oi);
            }
            return;
        default:
            return;
    }
}

}  // namespace kv
