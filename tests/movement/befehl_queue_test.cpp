// The order queue on bare vehicle heads and a small person array: building the orders, the
// three ways to give them, popping with its clean-ups, the drop operations and the callbacks.

#include "movement/befehl_queue.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "core/befehl_callbacks.h"
#include "core/mission_state.h"
#include "media/sound_fixture.h"
#include "media/speech.h"
#include "movement/befehl_opcodes.h"
#include "persons/personen.h"

namespace kv {
namespace {

std::uint32_t Bits(float v) {
    return std::bit_cast<std::uint32_t>(v);
}

// The opcodes of a unit's queue, head first.
std::vector<int> Opcodes(const UnitHead& unit) {
    std::vector<int> ops;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

UnitTypHead TypOfClass(std::uint8_t unitClass) {
    UnitTypHead t{};
    t.unitClass = unitClass;
    t.speaker = 0;
    return t;
}

class BefehlQueue : public test::SoundTest {
  protected:
    void SetUp() override {
        test::SoundTest::SetUp();
        PersonCount = 6;
        AllocPersonen();
        for (Person& p : Personen) p.type = 1;
        unit = &vehicles[0];
        unit->x = 100.0f;
        unit->y = 50.0f;
        unit->direction = 4;
    }
    void TearDown() override {
        for (UnitHead& v : vehicles) DiscardBefehle(v);
        test::SoundTest::TearDown();
    }
    Person& person(int i) { return Personen[static_cast<std::size_t>(i)]; }

    UnitHead* unit = nullptr;
};

TEST_F(BefehlQueue, TheOpcodeTableSharesItsRowsWithBothInterpreters) {
    EXPECT_EQ(BefehlOpcode(0).form, BefehlForm::Move);
    EXPECT_EQ(BefehlOpcode(159).form, BefehlForm::Move);
    EXPECT_EQ(BefehlOpcode(1).form, BefehlForm::Turn);
    EXPECT_EQ(BefehlOpcode(54).form, BefehlForm::Route);
    EXPECT_EQ(BefehlOpcode(12).form, BefehlForm::Raw) << "only the planners build 12, typed";
    for (int op : {0, 1, 3, 4, 8, 12, 47, 54, 56, 159}) EXPECT_TRUE(BefehlOpcodes[op].zone) << op;
    for (int op : {2, 5, 6, 7, 9, 10, 11, 160, 161}) EXPECT_FALSE(BefehlOpcodes[op].zone) << op;
    for (int op : {9, 13, 149, 228, 255}) EXPECT_FALSE(BefehlOpcodes[op].person) << op;
    for (int op : {9, 13, 39, 84, 150}) EXPECT_FALSE(BefehlOpcodes[op].vehicle) << op;
    EXPECT_TRUE(BefehlOpcodes[227].person && BefehlOpcodes[83].vehicle &&
                BefehlOpcodes[40].vehicle);
    EXPECT_TRUE(BefehlOpcodes[10].person && BefehlOpcodes[10].vehicle);
}

TEST_F(BefehlQueue, EachFormKeepsItsArgumentsBitExact) {
    AppendBefehl(*unit, 0, 12, -7, 3, 4, 1);
    AppendBefehl(*unit, 1, 5, 6, 9, -1, 1);
    AppendBefehl(*unit, 54, 300, 200, 0, 0, 1, 4, 2);
    AppendBefehl(*unit, 77, -2, 0x7FFFFFFF, 0, 0, 9, 0, -1);
    AppendMoveBefehl(*unit, 4, 1.25f, -2.5f, 0.1f, 7.0f, 3);
    AppendTurnBefehl(*unit, 12, 10.5f, 11.5f, 7, -1, 0);
    AppendBefehl54(*unit, 54, 1.5f, 2.5f, 3.5f, 4.5f, 1, 4, 0, 99.5f, 88.5f);
    const Befehl* b = unit->orders;
    EXPECT_EQ(b->a, Bits(12.0f));
    EXPECT_EQ(b->b, Bits(-7.0f));
    EXPECT_EQ(b->d, Bits(4.0f));
    b = b->next;
    EXPECT_EQ(b->a, Bits(5.0f));
    EXPECT_EQ(b->c, 9u) << "a turn's direction stays an integer";
    EXPECT_EQ(b->dInt(), -1);
    b = b->next;
    EXPECT_EQ(b->finalX, 300.0f);
    EXPECT_EQ(b->finalY, 200.0f);
    EXPECT_EQ(b->flags, 4);
    EXPECT_EQ(b->extra, 2);
    b = b->next;
    EXPECT_EQ(b->a, 0xFFFFFFFEu);
    EXPECT_EQ(b->b, 0x7FFFFFFFu);
    EXPECT_EQ(b->e, 9u);
    b = b->next;
    EXPECT_EQ(b->c, Bits(0.1f));
    b = b->next;
    EXPECT_EQ(b->b, Bits(11.5f));
    EXPECT_EQ(b->c, 7u);
    b = b->next;
    EXPECT_EQ(b->d, Bits(4.5f));
    EXPECT_EQ(b->finalX, 99.5f);
    EXPECT_EQ(b->next, nullptr);
}

TEST_F(BefehlQueue, AppendingAMoveToAnEmptyQueueStartsPlanningWhereTheUnitStands) {
    unit->moveX = unit->moveY = 7.0f;
    unit->stepWrite = 5;
    AppendBefehl(*unit, 7, 10, 0, 0, 0, 1);
    AppendBefehl(*unit, 0, 500, 500, 0, 0, 1);
    EXPECT_EQ(unit->moveX, 7.0f) << "behind another order nothing is reset";
    EXPECT_EQ(unit->stepWrite, 5);
    DiscardBefehle(*unit);
    AppendBefehl(*unit, 0, 500, 500, 0, 0, 1);
    EXPECT_EQ(unit->moveX, 100.0f);
    EXPECT_EQ(unit->moveY, 50.0f);
    EXPECT_EQ(unit->moveDir, 4);
    EXPECT_EQ(unit->stepWrite, 0);
}

TEST_F(BefehlQueue, PushingEmptiesTheShortcutWindowAppendingDoesNot) {
    Befehl marker;
    unit->shortcutFirst = unit->shortcutLast = &marker;
    unit->stepMarker = 3;
    AppendBefehl(*unit, 7, 1, 0, 0, 0, 1);
    EXPECT_EQ(unit->shortcutFirst, &marker);
    EXPECT_EQ(unit->stepMarker, 3);
    DiscardBefehle(*unit);
    unit->shortcutFirst = unit->shortcutLast = &marker;
    PushBefehl(*unit, 7, 1, 0, 0, 0, 1);
    EXPECT_EQ(unit->shortcutFirst, nullptr);
    EXPECT_EQ(unit->shortcutLast, nullptr);
    EXPECT_EQ(unit->stepMarker, 128);
    PushMoveBefehl(*unit, 4, 1, 2, 0, 0, 1);
    PushTurnBefehl(*unit, 12, 3, 4, 5, 0, 1);
    PushBefehl54(*unit, 54, 5, 6, 0, 0, 1, 0, -1, 7, 8);
    PushBefehl(*unit, 2, GoalList{{1, 2}, {3, 4}}, 0, 0, 1);
    EXPECT_EQ(Opcodes(*unit), (std::vector<int>{2, 54, 12, 4, 7}));
    EXPECT_EQ(unit->orders->b, 2u) << "b is the list's size";
    EXPECT_EQ(unit->orders->a, 0u);
}

TEST_F(BefehlQueue, SetBefehlStandsTheUnitUpWhereItsKindAndStateAllow) {
    struct Case {
        std::uint8_t unitClass;
        std::int8_t type;
        std::int8_t anim;
        std::uint8_t controlFlags;
        std::int8_t after;
    };
    const Case cases[] = {
        {4, 1, 3, 0, 0},    // a person stands again
        {4, 1, 3, 64, 3},   // a person in distress keeps its pose
        {1, 3, 2, 0, 0},    // a player vehicle shuts its door
        {1, 5, 13, 0, 13},  // a set-up ladder stays set up
        {1, 19, 3, 0, 3},   // a landed helicopter
        {1, 19, 2, 0, 0},   //   but not otherwise
        {1, 11, 4, 0, 4},   // a laid pontoon layer
        {1, 11, 3, 0, 0},   //
        {1, 20, 2, 0, 2},   // a set-up crane
        {1, 20, 3, 0, 3},   //
        {1, 20, 4, 0, 0},   //
        {2, 30, 2, 0, 2},   // civilian vehicles keep theirs
    };
    for (const Case& c : cases) {
        UnitHead& u = vehicles[1];
        u.type = c.type;
        u.anim = c.anim;
        u.frame = 5;
        u.controlFlags = c.controlFlags;
        AppendBefehl(u, 8, 0, 0, 0, 0, 1);
        SetBefehl(u, TypOfClass(c.unitClass), 7, -1, 30, 0, 0, 0, 1);
        EXPECT_EQ(u.anim, c.after) << int(c.type) << "/" << int(c.anim);
        EXPECT_EQ(Opcodes(u), std::vector<int>{7});
        EXPECT_EQ(u.orders->flags, 0);
        EXPECT_EQ(u.orders->extra, -1);
        EXPECT_EQ(u.stepMarker, 128);
        DiscardBefehle(u);
    }
}

TEST_F(BefehlQueue, TheAcknowledgementIsSpokenOnlyWhileUnitSpeechIsOn) {
    fill(3);
    fill(kPhraseCount + 3);
    UnitTypHead typ = TypOfClass(2);
    typ.speaker = 1;
    UnitSpeech = 1;
    SetBefehl(*unit, typ, 7, 3, 5, 0, 0, 0, 1);
    EXPECT_EQ(played(), std::vector<int>{kPhraseCount + 3});
    SetBefehl(*unit, typ, 7, -1, 5, 0, 0, 0, 1);
    UnitSpeech = 0;
    SetBefehl(*unit, typ, 7, 3, 5, 0, 0, 0, 1);
    EXPECT_EQ(played(), std::vector<int>{kPhraseCount + 3}) << "no voice, or speech off: silent";
}

TEST_F(BefehlQueue, PoppingRunsTheCleanUpOfTheOrderThatLeaves) {
    // 170: each half names a door double of the order when it is not negative.
    Person& worker = person(0);
    AppendBefehl(worker, 170, 0, 0, static_cast<std::int32_t>(0xFFFF0003u), 0, 1);
    person(3).doorOrder = worker.orders;
    person(2).doorOrder = worker.orders;
    PopBefehl(worker);
    EXPECT_EQ(person(3).type, -1);
    EXPECT_EQ(person(2).type, 1);
    AppendBefehl(worker, 170, 0, 0, -1, 0, 1);
    AppendBefehl(worker, 170, 0, 0, 0x00050002, 0, 1);
    person(2).doorOrder = worker.orders->next;
    person(5).doorOrder = worker.orders->next;
    PopBefehl(worker);
    PopBefehl(worker);
    EXPECT_EQ(person(2).type, -1) << "the low half";
    EXPECT_EQ(person(5).type, -1) << "the high half";

    // 169: d names the double; out of the array nothing.
    AppendBefehl(worker, 169, 0, 0, 0, 4, 1);
    AppendBefehl(worker, 169, 0, 0, 0, 600, 1);
    person(4).doorOrder = worker.orders;
    PopBefehl(worker);
    PopBefehl(worker);
    EXPECT_EQ(person(4).type, -1);
    // A slot that no longer holds the order's double, or never did, stays.
    AppendBefehl(worker, 169, 0, 0, 0, 1, 1);
    AppendBefehl(worker, 170, 0, 0, 0x00030001, 0, 1);
    person(1).doorOrder = worker.orders->next;
    PopBefehl(worker);
    PopBefehl(worker);
    EXPECT_EQ(person(1).type, -1) << "the double of the second order";
    AppendBefehl(worker, 169, 0, 0, 0, 0, 1);
    PopBefehl(worker);
    EXPECT_EQ(worker.type, 1) << "an order cleared before it started names person 0";

    // 167 and 173 put the unit back on the map; 176 stops its sound.
    worker.present = 0;
    worker.sound = 5;
    AppendBefehl(worker, 173, 0, 0, 0, 0, 1);
    AppendBefehl(worker, 176, 0, 0, 0, 0, 1);
    PopBefehl(worker);
    EXPECT_EQ(worker.present, 1);
    EXPECT_EQ(worker.sound, 5);
    PopBefehl(worker);
    EXPECT_EQ(worker.sound, -1);

    // 202: the patient lies on its object again.
    worker.link = 1;
    AppendBefehl(worker, 202, 0, 0, 0, 0, 1);
    PopBefehl(worker);
    EXPECT_EQ(person(1).link, 0x2000);
    EXPECT_EQ(worker.link, 0xFFFF);
    worker.link = 1000 + 1;
    person(1).link = 7;
    AppendBefehl(worker, 202, 0, 0, 0, 0, 1);
    PopBefehl(worker);
    EXPECT_EQ(person(1).link, 7) << "only a plain index names the patient";
    EXPECT_EQ(worker.link, 0xFFFF);
}

TEST_F(BefehlQueue, PoppingThePickUpTurnsRoundOrGivesUp) {
    Person& p = person(0);
    // The order took its object: the person turns round and stands, whatever holds the slot now.
    objects[3].used = true;
    p.direction = 8;
    p.anim = 2;
    p.frame = 4;
    AppendBefehl(p, 179, 3, 0, 0, 0, 1, kBefehlObjectTaken);
    PopBefehl(p);
    EXPECT_EQ(p.direction, 2);
    EXPECT_EQ(p.anim, 0);
    EXPECT_EQ(p.frame, 0);
    // Not taken yet, even with the slot free: the carrier form ends and the link goes.
    p.type = 14;
    p.selected = 1;
    p.link = 2;
    SelectionMode = 1014;
    AppendBefehl(p, 179, 2, 0, 0, 0, 1);
    PopBefehl(p);
    EXPECT_EQ(p.type, 1);
    EXPECT_EQ(SelectionMode, 1001);
    EXPECT_EQ(p.link, 0xFFFF);
    EXPECT_EQ(p.direction, 2);
}

TEST_F(BefehlQueue, AnOrderThatDeletesItsOwnUnitIsFreedOnce) {
    Person& p = person(5);
    AppendBefehl(p, 169, 0, 0, 0, 5, 1);
    p.doorOrder = p.orders;
    AppendBefehl(p, 2, GoalList{{1, 2}}, 0, 0, 1);
    AppendBefehl(p, 7, 1, 0, 0, 0, 1);
    ClearBefehle(p);  // AddressSanitizer reports a second free or a leak
    EXPECT_EQ(p.type, -1);
    EXPECT_EQ(p.orders, nullptr);
    EXPECT_EQ(p.present, 1) << "the slot has the free defaults";
}

TEST_F(BefehlQueue, ClearingCutsThePositionToWholePixelsAndKeepsOnlyTheLedBit) {
    unit->x = 12.9f;
    unit->y = -3.7f;
    unit->moverFlags = 0x3F;
    AppendBefehl(*unit, 5, GoalList{{1, 1}, {2, 2}}, 0, 0, 1);
    AppendBefehl(*unit, 178, GoalList{{1, 1, 0}, {2, 3, 1}}, 0, 0, 1);
    ClearBefehle(*unit);
    EXPECT_EQ(unit->x, 12.0f);
    EXPECT_EQ(unit->y, -3.0f);
    EXPECT_EQ(unit->moverFlags, 16);
    EXPECT_EQ(unit->orders, nullptr);
    ClearBefehle(*unit);  // an empty queue only resets the move target
    EXPECT_EQ(unit->moveX, 12.0f);
}

TEST_F(BefehlQueue, DropOperations) {
    // Done waypoints and markers go; the first other order stays.
    AppendBefehl(*unit, 0, 1, 1, 0, 0, 1, kBefehlDone);
    AppendBefehl(*unit, 6, 0, 0, 0, 0, 1);
    AppendBefehl(*unit, 12, 0, 0, 0, 0, 1, kBefehlDone);
    AppendBefehl(*unit, 3, 0, 0, 0, 0, 1);
    AppendBefehl(*unit, 0, 0, 0, 0, 0, 1, kBefehlDone);
    DropDoneMoveBefehle(*unit);
    EXPECT_EQ(Opcodes(*unit), (std::vector<int>{3, 0}));
    DiscardBefehle(*unit);

    // Passed route legs go while another leg follows.
    for (int i = 0; i < 3; ++i) AppendBefehl(*unit, 0, i, 0, 0, 0, 1, kBefehlRouteLeg);
    AppendBefehl(*unit, 7, 0, 0, 0, 0, 1);
    DropDoneRouteBefehle(*unit);
    EXPECT_EQ(Opcodes(*unit), (std::vector<int>{0, 7}));
    EXPECT_EQ(unit->orders->aFloat(), 2.0f);
    EXPECT_EQ(unit->orders->flags & kBefehlRouteLeg, 0);
    DiscardBefehle(*unit);

    // Every movement order at the head.
    for (int op : {0, 1, 2, 3, 4, 5, 6, 8, 12, 54, 159, 7, 0})
        AppendBefehl(*unit, static_cast<std::uint8_t>(op), 0, 0, 0, 0, 1);
    DropMoveBefehle(*unit);
    EXPECT_EQ(Opcodes(*unit), (std::vector<int>{7, 0}));
}

TEST_F(BefehlQueue, FreeingBetweenTwoOrdersStopsAtTheTail) {
    for (int op = 20; op < 25; ++op)
        AppendBefehl(*unit, static_cast<std::uint8_t>(op), 0, 0, 0, 0, 1);
    Befehl* from = unit->orders;
    Befehl* to = from->next->next->next;
    FreeBefehleUntil(from, to);
    EXPECT_EQ(Opcodes(*unit), (std::vector<int>{20, 23, 24}));
    AppendBefehl(*unit, 2, GoalList{{1, 1}}, 0, 0, 1);
    FreeBefehleUntil(from->next, from);  // not behind: the rest goes, its list with it
    EXPECT_EQ(Opcodes(*unit), (std::vector<int>{20, 23}));
    FreeBefehleUntil(nullptr, from);
}

std::vector<std::pair<int, int>> g_calls;

TEST_F(BefehlQueue, TheCallbackMarkerFiresBehindTheHeadWithSpeechOff) {
    BefehlCallbackTable table{};
    table[9] = [](std::int32_t index, std::int32_t parameter) {
        g_calls.emplace_back(index, parameter);
        EXPECT_EQ(UnitSpeech, 0);
    };
    SetBefehlCallbackSource(&table);
    InitBefehlCallbacks();
    g_calls.clear();
    UnitSpeech = 1;

    // [12, 6]: the marker's slot is called with the high half of its c.
    AppendTurnBefehl(*unit, 12, 40.0f, 41.0f, 3, 0, 1, 2);
    AppendBefehl(*unit, 6, 0, 9, static_cast<std::int32_t>(0xFFFE0004u), 0, 1);
    RunBefehlCallback(*unit, 0);
    EXPECT_EQ(g_calls, (std::vector<std::pair<int, int>>{{0, -2}}));
    EXPECT_EQ(UnitSpeech, 1);
    EXPECT_EQ(unit->orders->opcode, 12);
    EXPECT_EQ(unit->orders->c, 3u);

    // Empty or unknown slots call nothing.
    unit->orders->next->b = 8;
    RunBefehlCallback(*unit, 0);
    unit->orders->next->b = 15;
    RunBefehlCallback(*unit, 0);
    EXPECT_EQ(g_calls.size(), 1u);

    // [12, 7]: a fresh move to the same point.
    unit->orders->next->opcode = 7;
    RunBefehlCallback(*unit, 0);
    const Befehl& head = *unit->orders;
    EXPECT_EQ(head.opcode, 0);
    EXPECT_EQ(head.aFloat(), 40.0f);
    EXPECT_EQ(head.bFloat(), 41.0f);
    EXPECT_EQ(head.c, 0u);
    EXPECT_EQ(head.e, 0u);
    EXPECT_EQ(head.flags, 0);
    DiscardBefehle(*unit);
    RunBefehlCallback(*unit, 0);  // nothing with no orders
}

TEST_F(BefehlQueue, OpcodeTenClearsTheQueueAndTellsTheScripts) {
    AppendBefehl(*unit, 10, 0, 0, 0, 0, 1);
    AppendBefehl(*unit, 7, 0, 0, 0, 0, 1);
    RunBefehl10(*unit);
    EXPECT_EQ(unit->orders, nullptr);
    EXPECT_EQ(ClearBefehleSignal, 1);
    ResetBefehlQueue();
    EXPECT_EQ(ClearBefehleSignal, 0);
}

}  // namespace
}  // namespace kv
