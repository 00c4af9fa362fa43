// Selecting by dragging a box: which units a box catches by their pictures, the selection it
// leaves, what it says, and the group that a box around a person of type 0 gathers.

#include "mission/input/box_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "core/mission_state.h"
#include "media/sound_table.h"
#include "media/unit_sounds.h"
#include "mission/input/click_fixture.h"
#include "mission/input/selected_unit.h"
#include "movement/stepping.h"
#include "movement/unit_type.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

// Where a unit's picture stands, corners included, worked out from its loaded animation: its draw
// corner, lifted by its height and, inside a house above the ground floor, 31 px a storey.
struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

Rect Picture(const UnitHead& u, const AnimSlot& slot, int lift) {
    const VffImage* image = UnitFrameImage(slot, u.frame);
    EXPECT_NE(image, nullptr);
    if (image == nullptr) return {};
    const int top = u.drawY - static_cast<int>(u.height) - lift;
    return {u.drawX, top, u.drawX + image->width - 1, top + image->height - 1};
}
Rect Picture(const Fahrzeug& v) {
    return Picture(v, FahrzeugAnim(v), 0);
}
Rect Picture(const Person& p, int lift = 0) {
    return Picture(p, PersonAnimSlot(p.type, p.direction, p.anim), lift);
}

// Unit references for the table: a vehicle or a person of the scene, by its name.
using Selected = std::set<std::string>;

class BoxSelection : public test::ClickTest {
  protected:
    void SetUp() override {
        ClickTest::SetUp();
        ClearUnits();
    }
    // A box around the rectangle, as dragged from its top-left to its bottom-right corner.
    static void Box(const Rect& r) { Drag(r.left, r.top, r.right, r.bottom); }
    // A box of 10 x 10 px whose bottom-right corner is the point.
    static void BoxEndingAt(int x, int y) { Drag(x - 10, y - 10, x, y); }
    // A box of 10 x 10 px whose top-left corner is the point.
    static void BoxFrom(int x, int y) { Drag(x, y, x + 10, y + 10); }
    static void Select(UnitHead& u, std::uint16_t mode, std::int16_t index) {
        u.selected = 1;
        SelectionMode = mode;
        SelectedIndex = static_cast<std::uint16_t>(index);
    }
    // The indices of the selected units in use.
    template <class Unit>
    static std::vector<std::int16_t> SelectedOf(const std::vector<Unit>& units) {
        std::vector<std::int16_t> out;
        for (std::size_t i = 0; i < units.size(); ++i)
            if (units[i].type >= 0 && units[i].selected != 0)
                out.push_back(static_cast<std::int16_t>(i));
        return out;
    }
    // Leader l of type 0..3 leading person d.
    static void Pair(std::int16_t l, std::int16_t d) {
        P(l).link = static_cast<std::uint16_t>(1000 + d);
        P(d).link = static_cast<std::uint16_t>(l);
        P(d).moverFlags |= kMoverLed;
    }
    std::int16_t car(int x, int y = 505) {
        const std::int16_t v =
            Bought(kTypF101, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
        UpdateFahrzeugDrawPos(V(v));
        return v;
    }
};

TEST_F(BoxSelection, TheBoxCatchesPicturesCornersIncluded) {
    const std::int16_t v = car(600);
    const std::int16_t p = Walker(1, 700, 300);
    const Rect rv = Picture(V(v));
    const Rect rp = Picture(P(p));
    const struct {
        const char* what;
        Rect box;
        bool caught;
    } cases[] = {
        {"over the bottom-right corner",
         {rv.right, rv.bottom, rv.right + 10, rv.bottom + 10},
         true},
        {"a pixel right of it", {rv.right + 1, rv.bottom, rv.right + 11, rv.bottom + 10}, false},
        {"a pixel below it", {rv.right, rv.bottom + 1, rv.right + 10, rv.bottom + 11}, false},
        {"over the top-left corner", {rv.left - 10, rv.top - 10, rv.left, rv.top}, true},
        {"a pixel above it", {rv.left - 10, rv.top - 11, rv.left, rv.top - 1}, false},
    };
    for (const auto& c : cases) {
        for (Fahrzeug& u : Fahrzeuge) u.selected = 0;
        SelectionMode = kNoSelection;
        SelectedIndex = 65535;
        Drag(c.box.left, c.box.top, c.box.right, c.box.bottom);
        EXPECT_EQ(V(v).selected, c.caught ? 1 : 0) << c.what;
        EXPECT_EQ(SelectionMode, c.caught ? kTypF101 : kNoSelection) << c.what;
    }

    // A person's picture likewise, and a frame past its animation's pictures is no picture.
    BoxEndingAt(rp.left, rp.top);
    EXPECT_EQ(SelectionMode, PersonSelection(1));
    EXPECT_EQ(SelectedIndex, p);
    P(p).selected = 0;
    SelectionMode = kNoSelection;
    P(p).frame = 200;
    Box(rp);
    EXPECT_EQ(P(p).selected, 0);
    EXPECT_EQ(SelectionMode, kNoSelection);
}

TEST_F(BoxSelection, APersonInsideAHouseIsCaughtItsStoreysAboveItsDrawCorner) {
    const struct {
        std::int8_t storey;
        float height;
        int above;  // how far the picture's top lies above the draw corner
    } cases[] = {{0, 4.7f, 4}, {1, 4.7f, 4}, {2, 0.0f, 31}, {3, 4.7f, 62 + 4}};
    for (const auto& c : cases) {
        ClearUnits();
        const std::int16_t p = Walker(1, 700, 300);
        P(p).storey = c.storey;
        P(p).height = c.height;
        const Rect r = Picture(P(p), c.above - static_cast<int>(c.height));
        ASSERT_EQ(r.top, P(p).drawY - c.above);
        BoxFrom(r.left, r.bottom + 1);
        EXPECT_EQ(P(p).selected, 0) << int{c.storey} << ": below its picture";
        BoxEndingAt(r.left, r.top - 1);
        EXPECT_EQ(P(p).selected, 0) << int{c.storey} << ": above its picture";
        BoxEndingAt(r.left, r.top);
        EXPECT_EQ(P(p).selected, 1) << int{c.storey};
        EXPECT_EQ(SelectionMode, PersonSelection(1)) << int{c.storey};
    }
}

TEST_F(BoxSelection, TheSelectionTheBoxLeaves) {
    const struct {
        const char* what;
        // The scene: a car at 600 (selected before the drag when the old mode is its type), a
        // second car at 800, and on the ground persons p0..p3 of types 5, 1, 2, 3 in a row, p1
        // leading p0 (the lower index) and p2 leading p3, and p4 of type 4 alone below the road.
        std::uint16_t oldMode;
        std::vector<std::string> boxed;  // the units the box covers
        std::uint16_t mode;
        std::string index;
        Selected selected;
    } cases[] = {
        {"a box over nothing keeps the selection", kTypF101, {}, kTypF101, "car", {"car"}},
        {"two cars", kNoSelection, {"car", "car2"}, kSeveralSelected, "", {"car", "car2"}},
        {"a person and a car", kNoSelection, {"car", "p4"}, kSeveralSelected, "", {"car", "p4"}},
        {"a person alone", kTypF101, {"p4"}, PersonSelection(4), "p4", {"p4"}},
        {"a leader alone brings its led person",
         kNoSelection,
         {"p1"},
         PersonSelection(1),
         "p1",
         {"p0", "p1"}},
        {"a leader and its led person, the leader first",
         kNoSelection,
         {"p2", "p3"},
         PersonSelection(2),
         "p2",
         {"p2", "p3"}},
        {"the led person alone brings its leader",
         kNoSelection,
         {"p3"},
         PersonSelection(2),
         "p2",
         {"p2", "p3"}},
        {"a led person before its leader",
         kNoSelection,
         {"p0", "p1"},
         PersonSelection(1),
         "p1",
         {"p0", "p1"}},
    };
    for (const auto& c : cases) {
        ClearUnits();
        quiet();
        const std::int16_t v = car(600);
        const std::int16_t v2 = car(800);
        std::int16_t p[5];
        for (int t = 0; t < 4; ++t) p[t] = Walker(t == 0 ? 5 : t, 560.0f + 90.0f * t, 300);
        p[4] = Walker(4, 700, 560);
        Pair(p[1], p[0]);
        Pair(p[2], p[3]);
        if (c.oldMode == kTypF101) Select(V(v), kTypF101, v);
        auto rectOf = [&](const std::string& name) {
            if (name == "car") return Picture(V(v));
            if (name == "car2") return Picture(V(v2));
            return Picture(P(p[name[1] - '0']));
        };
        if (c.boxed.empty()) {
            BoxFrom(700, 150);  // open field
        } else {
            Rect box = rectOf(c.boxed.front());
            for (const std::string& name : c.boxed) {
                const Rect r = rectOf(name);
                box = {std::min(box.left, r.left), std::min(box.top, r.top),
                       std::max(box.right, r.right), std::max(box.bottom, r.bottom)};
            }
            Box(box);
        }
        Selected got;
        for (std::int16_t i : SelectedOf(Fahrzeuge)) got.insert(i == v ? "car" : "car2");
        for (std::int16_t i : SelectedOf(Personen))
            for (int t = 0; t < 5; ++t)
                if (p[t] == i) got.insert(std::string("p").append(std::to_string(t)));
        EXPECT_EQ(got, c.selected) << c.what;
        EXPECT_EQ(SelectionMode, c.mode) << c.what;
        int index = 65535;
        if (c.index == "car") index = v;
        if (c.index.size() == 2 && c.index[0] == 'p') index = p[c.index[1] - '0'];
        EXPECT_EQ(SelectedIndex, index) << c.what;
        if (c.boxed.empty()) {
            EXPECT_TRUE(played().empty()) << c.what;
        }
    }
}

TEST_F(BoxSelection, UnitsOutOfTheWorldOrNotTargetableAreNeverCaught) {
    const std::int16_t kept = car(900);
    const std::int16_t aircraft = car(600);
    V(aircraft).storey = -2;
    const std::int16_t offMap = Walker(1, 650, 300);
    P(offMap).offMap = 1;
    const std::int16_t inBase = Walker(1, 700, 300);
    P(inBase).storey = -3;
    const std::int16_t untouchable = Walker(1, 750, 300);
    P(untouchable).targetable = 0;
    const std::int16_t untouchableCar = car(700);
    V(untouchableCar).targetable = 0;
    for (const UnitHead* u : std::initializer_list<const UnitHead*>{
             &V(aircraft), &P(offMap), &P(inBase), &P(untouchable), &V(untouchableCar)}) {
        Select(V(kept), kTypF101, kept);
        const Rect r = u == &V(aircraft) || u == &V(untouchableCar)
                           ? Picture(static_cast<const Fahrzeug&>(*u))
                           : Picture(static_cast<const Person&>(*u));
        Box(r);
        EXPECT_EQ(u->selected, 0);
        EXPECT_EQ(SelectionMode, kTypF101);
        EXPECT_EQ(SelectedIndex, kept);
    }
}

TEST_F(BoxSelection, TheBoxAnswersWithTheLastSpeakerFound) {
    LoadFahrzeugTyp(kTypF203);
    const struct {
        const char* what;
        std::int32_t vehicle;  // -1 none
        bool casualty;
        bool led;
        int phrase;  // -1 none
    } cases[] = {
        {"the helicopter alone", kTypF203, false, false, 1},
        {"a car", kTypF101, false, false, 18},
        {"a staff person", -1, false, false, 18},
        {"a casualty", -1, true, false, -1},
        {"a led person", -1, false, true, -1},
    };
    for (const auto& c : cases) {
        ClearUnits();
        quiet();
        Rect r{};
        int speaker = -1;
        int cry = -1;
        if (c.vehicle >= 0) {
            const std::int16_t v = Bought(c.vehicle, 600, 400);
            UpdateFahrzeugDrawPos(V(v));
            r = Picture(V(v));
            speaker = FahrzeugTypOf(V(v)).speaker;
        } else {
            const std::int16_t p = Walker(1, 700, 300);
            speaker = PersonTypOf(P(p)).speaker;
            r = Picture(P(p));
            if (c.casualty) {
                P(p).casualty = 1;
                P(p).energy = 500000;
                // The cry the casualty gives when it becomes the selection.
                PlayPersonSound(p, 41);
                ASSERT_EQ(played().size(), 1u);
                cry = played().front();
                quiet();
            }
            if (c.led) {
                const std::int16_t leader = Walker(5, 900, 300);
                P(p).moverFlags |= kMoverLed;
                P(p).link = static_cast<std::uint16_t>(leader);
            }
        }
        Box(r);
        std::vector<int> expected;
        if (cry >= 0) expected.push_back(cry);
        if (c.phrase >= 0) expected.push_back(speaker * kPhraseCount + c.phrase);
        EXPECT_EQ(played(), expected) << c.what;
        if (c.casualty) {
            EXPECT_EQ(SelectionMode, kCasualtySelected) << c.what;
        }
    }
}

TEST_F(BoxSelection, ABoxAroundATypeZeroPersonGathersAGroup) {
    const struct {
        const char* what;
        std::vector<int> storeys;  // one staff person per entry, at 600 + 60 n
        bool boxLeader;
        bool boxLedPerson;  // the leader leads a person at 900, which the box catches
        std::uint16_t mode;
        bool leaderSelected;
        std::string index;  // "leader", "s<n>" or "" for none
    } cases[] = {
        {"three staff on the ground", {0, 0, 0}, false, false, kBoxGroupSelected, true, "leader"},
        {"one staff inside on storey 2", {2}, false, false, PersonSelection(1), false, "s0"},
        {"two upstairs, unpaired", {2, 3}, false, false, kSeveralSelected, false, ""},
        {"the leader in the box with one upstairs", {2}, true, false, kSeveralSelected, true, ""},
        {"the leader's own led person", {}, false, true, PersonSelection(0), true, "leader"},
        {"one staff on the ground, the leader leading nobody",
         {0},
         false,
         false,
         kBoxGroupSelected,
         true,
         "leader"},
        {"nothing", {}, false, false, PersonSelection(0), true, "leader"},
    };
    for (const auto& c : cases) {
        ClearUnits();
        const std::int16_t leader = Walker(0, 450, 200);
        std::vector<std::int16_t> staff;
        for (std::size_t n = 0; n < c.storeys.size(); ++n) {
            const std::int16_t s = Walker(1, 600.0f + 60.0f * static_cast<float>(n), 300);
            P(s).storey = static_cast<std::int8_t>(c.storeys[n]);
            staff.push_back(s);
        }
        std::int16_t led = -1;
        if (c.boxLedPerson) {
            led = Walker(5, 900, 300);
            Pair(leader, led);
        }
        Select(P(leader), PersonSelection(0), leader);
        Rect box{700, 150, 710, 160};  // open field
        auto widen = [&box](const Rect& r) {
            box = {std::min(box.left, r.left), std::min(box.top, r.top),
                   std::max(box.right, r.right), std::max(box.bottom, r.bottom)};
        };
        for (std::size_t n = 0; n < staff.size(); ++n)
            widen(Picture(P(staff[n]), c.storeys[n] > 1 ? 31 * (c.storeys[n] - 1) : 0));
        if (c.boxLeader) widen(Picture(P(leader)));
        if (led >= 0) widen(Picture(P(led)));
        if (!c.boxLeader) {
            ASSERT_LT(Picture(P(leader)).right, box.left) << c.what;
        }
        Box(box);
        EXPECT_EQ(SelectionMode, c.mode) << c.what;
        EXPECT_EQ(P(leader).selected, c.leaderSelected ? 1 : 0) << c.what;
        int index = 65535;
        if (c.index == "leader") index = leader;
        if (c.index == "s0") index = staff[0];
        EXPECT_EQ(SelectedIndex, index) << c.what;
        if (c.mode == kBoxGroupSelected) {
            for (std::int16_t s : staff) EXPECT_EQ(P(s).selected, 1) << c.what;
        }
    }
}

}  // namespace
}  // namespace kv
