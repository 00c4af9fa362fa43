#include "game_invariants.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "core/campaign.h"
#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "mission/input/selected_unit.h"
#include "mission/view/draw_list.h"
#include "movement/route.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "platform/files.h"
#include "vehicles/fahrzeuge.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::play {

namespace {

// The checks append to one message; the first broken thing is kept.
class Findings {
  public:
    void expect(bool holds, std::string_view what, long index = -1) {
        if (holds || !first_.empty()) return;
        first_ = std::string(what);
        if (index >= 0) first_ += " (slot " + std::to_string(index) + ")";
    }
    const std::string& first() const { return first_; }

  private:
    std::string first_;
};

template <class Index>
bool InArray(Index index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

bool InArrayOr(std::uint16_t index, std::size_t size, std::uint16_t sentinel) {
    return index == sentinel || index < size;
}

bool Finite(float v) {
    return std::isfinite(v);
}

bool RowHoldsAnything(const GameModeHandlers& h) {
    return h.frame != nullptr || h.lButtonDown != nullptr || h.rButtonDown != nullptr ||
           h.mouseMove != nullptr || h.keyDown != nullptr || h.keyUp != nullptr ||
           h.lButtonUp != nullptr || h.character != nullptr || h.videoEnded != nullptr;
}

void CheckRoute(Findings& f, const Route& r, long slot) {
    for (const RouteWaypoints* list : {&r.listA, &r.listB})
        for (const RouteWaypoint& w : *list) {
            f.expect(InArrayOr(w.node, RoadNodes.size(), kNoNode), "route node past the nodes",
                     slot);
            f.expect(Finite(w.x) && Finite(w.y), "route point not finite", slot);
        }
    f.expect(r.copyCount <= r.copyIds.size() && r.copyCount <= r.copies.size(),
             "route copies past their room", slot);
    f.expect(
        r.candidatesLeft >= 0 && static_cast<std::size_t>(r.candidatesLeft) <= r.candidates.size(),
        "route candidates past their room", slot);
}

void CheckUnitHead(Findings& f, const UnitHead& u, long slot) {
    bool finite = Finite(u.x) && Finite(u.y) && Finite(u.height) && Finite(u.moveX) &&
                  Finite(u.moveY) && Finite(u.aimX) && Finite(u.aimY) && Finite(u.speed);
    for (const MoveStep& s : u.stepRing) finite = finite && Finite(s.x) && Finite(s.y);
    f.expect(finite, "unit position not finite", slot);
    f.expect(u.stepRead <= kStepRingEntries && u.stepWrite <= kStepRingEntries,
             "step ring index past the ring", slot);
    f.expect(InArrayOr(u.house, Houses.size(), 0xFFFF), "unit in a house past the houses", slot);
    if (u.route != nullptr) CheckRoute(f, *u.route, slot);
}

void CheckPersonLink(Findings& f, std::uint16_t link, long slot) {
    const PersonLink l = DecodePersonLink(link);
    switch (l.kind) {
        case PersonLinkKind::Partner:
        case PersonLinkKind::Leads:
        case PersonLinkKind::TreatedBy:
        case PersonLinkKind::RevivedBy:
            f.expect(InArray(l.index, Personen.size()), "person link past the persons", slot);
            break;
        case PersonLinkKind::OnSonderObj:
            f.expect(InArray(l.index, SonderObjs.size()), "person link past the objects", slot);
            break;
        case PersonLinkKind::None:
            break;
    }
}

void CheckPersonen(Findings& f) {
    f.expect(PersonCount >= 0 && static_cast<std::size_t>(PersonCount) <= Personen.size(),
             "person count past the slots");
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type < 0) continue;
        const long slot = static_cast<long>(i);
        CheckUnitHead(f, p, slot);
        CheckPersonLink(f, p.link, slot);
        CheckPersonLink(f, p.link2, slot);
        f.expect(InArrayOr(p.basketVehicle, Fahrzeuge.size(), 0xFFFF),
                 "person in the basket of no vehicle", slot);
    }
}

void CheckFahrzeuge(Findings& f) {
    // How often each person sits in a seat: once at most, in its one vehicle.
    std::vector<std::uint8_t> seatings(Personen.size());
    f.expect(FahrzeugCount >= 0 && static_cast<std::size_t>(FahrzeugCount) <= Fahrzeuge.size(),
             "vehicle count past the slots");
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        const Fahrzeug& v = Fahrzeuge[i];
        const long slot = static_cast<long>(i);
        if (v.type < 0) {
            f.expect(std::all_of(v.seats.begin(), v.seats.end(),
                                 [](std::uint16_t seat) { return seat == kNoPerson; }),
                     "person seated in a free vehicle slot", slot);
            continue;
        }
        CheckUnitHead(f, v, slot);
        for (const std::uint16_t seat : v.seats) {
            f.expect(InArrayOr(seat, Personen.size(), kNoPerson), "seat past the persons", slot);
            if (seat == kNoPerson || seat >= Personen.size()) continue;
            f.expect(Personen[seat].type >= 0, "seat holds a free person slot", slot);
            f.expect(++seatings[seat] == 1, "person seated in two places", slot);
        }
        f.expect(v.pieceCount >= 0, "negative piece count", slot);
        f.expect(InArrayOr(v.pushedObject, SonderObjs.size(), 0xFFFF),
                 "pushed object past the objects", slot);
    }
}

void CheckSonderObjs(Findings& f) {
    f.expect(SonderObjCount >= 0 && static_cast<std::size_t>(SonderObjCount) <= SonderObjs.size(),
             "object count past the slots");
    for (std::size_t i = 0; i < SonderObjs.size(); ++i) {
        const SonderObj& o = SonderObjs[i];
        if (o.type < 0) continue;
        const long slot = static_cast<long>(i);
        f.expect(InArray(o.type, SonderObjTypen.size()), "object of an unknown type", slot);
        f.expect(Finite(o.x) && Finite(o.y) && Finite(o.z), "object position not finite", slot);
    }
}

void CheckSelection(Findings& f) {
    const std::int16_t mode = SignedSelectionMode();
    if (IsVehicleMode(mode))
        f.expect(InArrayOr(SelectedIndex, Fahrzeuge.size(), 0xFFFF),
                 "selected vehicle past the vehicles");
    if (IsPersonMode(mode) || IsEquipmentMode(mode))
        f.expect(InArrayOr(SelectedIndex, Personen.size(), 0xFFFF),
                 "selected person past the persons");
    f.expect(HoverKind <= kHoverFurniture || HoverKind == kHoverNothing, "unknown hover kind");
    if (HoverKind >= kHoverHouseLower && HoverKind <= kHoverHouseUpper)
        f.expect(HoverIds[3] < Houses.size(), "hovered house past the houses");
}

void CheckDrawList(Findings& f) {
    f.expect(DrawListCount >= 0 && DrawListCount <= kDrawListCapacity,
             "draw list count past its capacity");
    if (DrawListCount < 0 || DrawListCount > kDrawListCapacity) return;
    for (int i = 0; i < DrawListCount; ++i) {
        const DrawListThing t = DrawListThingOf(DrawList[static_cast<std::size_t>(i)].id);
        std::size_t size = 0;
        switch (t.kind) {
            case kDrawFahrzeug:
            case kDrawFahrzeugFrame:
            case kDrawFahrzeugJet:
                size = Fahrzeuge.size();
                break;
            case kDrawPerson:
            case kDrawPersonFrame:
            case kDrawPersonJet:
                size = Personen.size();
                break;
            case kDrawHouseObj:
                size = HouseObjs.size();
                break;
            case kDrawSonderObj:
                size = SonderObjs.size();
                break;
            default:
                break;
        }
        f.expect(InArray(t.index, size), "draw list entry past its things", i);
    }
}

void CheckMoneyAndCounters(Findings& f) {
    f.expect(Money >= 0 && StartMoney >= 0, "money below zero");
    const MissionCounterSet& c = MissionCounters;
    f.expect(c.BurningCellCount <= MapCells.size(), "more burning cells than cells");
    f.expect(c.BurningHouseCount <= Houses.size(), "more burning houses than houses");
    f.expect(c.BurningSonderObjCount <= SonderObjs.size(), "more burning objects than objects");
    // The others only rise and fall by one: a wrap below zero shows as a huge count.
    for (const std::uint16_t n : {c.ToteCount, c.VerletzteCount, c.LostBoughtFahrzeugCount,
                                  c.LostMissionFahrzeugCount, c.BoughtFahrzeugCount, c.F101Count})
        f.expect(n < 0x8000, "a mission counter wrapped below zero");
}

}  // namespace

bool EndedOnMissingMission() {
    if (!FatalErrorRaised() || !FatalErrorMessage().starts_with("file not found")) return false;
    if (MissionNummer < 1 || MissionNummer > kMissionCount) return false;
    char level[32];
    std::snprintf(level, sizeof level, "CDmissions\\mi%02d.lev", MissionNummer);
    return !FileExists(ResolveCdPath(level));
}

std::string BrokenInvariant(const HeadlessBackend& backend) {
    if (FatalErrorRaised()) {
        if (EndedOnMissingMission()) return {};
        return "fatal error: " + FatalErrorMessage();
    }
    if (!backend.boxes().empty()) return "message box: " + backend.boxes().front().text;
    Findings f;
    f.expect(
        GameMode < kGameModeCount && (GameMode == 0 || RowHoldsAnything(HandlersFor(GameMode))),
        "game mode " + std::to_string(GameMode) + " is none of the table's");
    CheckPersonen(f);
    CheckFahrzeuge(f);
    CheckSonderObjs(f);
    CheckSelection(f);
    CheckDrawList(f);
    CheckMoneyAndCounters(f);
    return f.first();
}

}  // namespace kv::play
