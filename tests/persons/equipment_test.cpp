// Equipment at a fire engine's compartments: every take and return order for the three base
// types, the selection that follows the person, the refusals and the compartment that is asked to
// open; then the hydrant: the walk there, the room for the hose, the sound at frame 12, the hose
// and the person where they belong, too few free slots, and letting the hose go. The walk itself
// runs in the whole-game hose test.

#include "persons/equipment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "core/message_line.h"
#include "core/mission_state.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_queue.h"
#include "persons/person_befehle.h"
#include "persons/person_update_fixture.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kEngineX = 600;
constexpr std::int16_t kEngineY = 300;

class Equipment : public test::PersonUpdateTest {
  protected:
    void SetUp() override {
        PersonUpdateTest::SetUp();
        alloc(8);
        MissionNummer = 1;
        FahrzeugCount = 4;
        AllocFahrzeuge();
        LoadFahrzeugTyp(kTypF102);
        engine = CreateFahrzeug(kTypF102, kEngineX, kEngineY, 3);
        ASSERT_GE(engine, 0);
        SetupFahrzeug(engine, 1);
        const std::array<std::uint8_t, 4> pcm{128, 200, 128, 56};
        ASSERT_EQ(CreateSoundBuffer(kSoundHydrant, PcmFormat{1, 11025, 8, 1}, pcm), 1);
    }
    Fahrzeug& v() { return Fahrzeuge[static_cast<std::size_t>(engine)]; }

    // A person of the type on the engine's side point, or on its other side point, given the
    // compartment order as the click gives it.
    std::int16_t atCompartment(int type, std::uint8_t opcode, bool otherSide = false) {
        const std::int16_t p = stand(type, 100, 100);
        const FahrzeugPunkt at =
            otherSide ? GetFahrzeugOtherSidePoint(engine, p) : GetFahrzeugSidePoint(engine, p);
        person(p).x = at.x;
        person(p).y = at.y;
        AppendBefehl(person(p), opcode, engine, kEngineX, kEngineY, 0, 0);
        return p;
    }
    void freeAll() {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1) DeletePerson(static_cast<std::int32_t>(i));
    }

    // A hydrant in the first free slot.
    static std::int16_t hydrant(std::int16_t x, std::int16_t y) {
        const std::int16_t slot = FindFreeSonderObj();
        AddHydrant(x, y);
        return slot;
    }
    // A hose carrier on the hydrant's spot facing 3, given order 174.
    std::int16_t atHydrant(std::int16_t h) {
        const SonderObj& o = SonderObjs[static_cast<std::size_t>(h)];
        const std::int16_t p = stand(10, o.x - 11, o.y + 8, 3);
        AppendBefehl(person(p), 174, h, 0, 0, 0, 0);
        return p;
    }
    static int countOf(std::int16_t type) {
        return static_cast<int>(
            std::count_if(SonderObjs.begin(), SonderObjs.end(),
                          [type](const SonderObj& o) { return o.type == type; }));
    }
    // Runs the person update until the person's orders are done; the frames of its animation at
    // which the hydrant sounded.
    std::vector<int> connect(std::int16_t p, int maxTicks = 200) {
        std::vector<int> soundFrames;
        const SoundBuffer sound = SoundSlots[kSoundHydrant].buffer;
        for (int t = 0; t < maxTicks && person(p).orders != nullptr; ++t) {
            backend.sound.clearCalls();
            ticks(1);
            const auto& calls = backend.sound.calls();
            if (std::any_of(calls.begin(), calls.end(), [sound](const HeadlessSound::Call& c) {
                    return c.op == HeadlessSound::Op::Play && c.buffer == sound;
                })) {
                soundFrames.push_back(person(p).frame);
                backend.sound.finish(sound);
            }
        }
        return soundFrames;
    }

    std::int16_t engine = -1;
};

struct CompartmentCase {
    int type;
    std::uint8_t opcode;
    int becomes;
};

TEST_F(Equipment, EachTakeAndReturnOrderChangesTheTypeAtTheOpenCompartment) {
    const CompartmentCase cases[] = {
        {1, 154, 8},  {1, 155, 9},  {1, 156, 10}, {1, 175, 13},  {1, 211, 15}, {2, 154, 16},
        {2, 155, 17}, {2, 156, 2},  {2, 175, 20}, {2, 211, 2},   {3, 154, 21}, {3, 155, 22},
        {3, 156, 3},  {3, 175, 25}, {3, 211, 3},  {8, 157, 1},   {9, 157, 1},  {10, 157, 1},
        {13, 157, 1}, {15, 157, 1}, {16, 157, 2}, {17, 157, 2},  {20, 157, 2}, {21, 157, 3},
        {22, 157, 3}, {25, 157, 3}, {1, 157, 1},  {11, 157, 11}, {8, 154, 8},
    };
    EXPECT_EQ(PersonBefehlHandlers[154], TakeFeuerloescher);
    EXPECT_EQ(PersonBefehlHandlers[155], TakeMetallschneider);
    EXPECT_EQ(PersonBefehlHandlers[156], TakeSchlauch);
    EXPECT_EQ(PersonBefehlHandlers[157], ReturnEquipment);
    EXPECT_EQ(PersonBefehlHandlers[175], TakeMotorsaege);
    EXPECT_EQ(PersonBefehlHandlers[211], TakeSeil);
    v().anim = kFahrzeugAnimOpen;
    bool otherSide = false;
    for (const CompartmentCase& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " order " + std::to_string(c.opcode));
        freeAll();
        otherSide = !otherSide;
        const std::int16_t p = atCompartment(c.type, c.opcode, otherSide);
        person(p).link2 = 3;
        ticks(1);
        EXPECT_EQ(person(p).type, c.becomes);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).anim, kAnimStand);
        EXPECT_EQ(person(p).link2, 0xFFFF);
    }
}

TEST_F(Equipment, DroppingEquipmentFallsBackToTheBaseTypeAnywhere) {
    EXPECT_EQ(PersonBefehlHandlers[204], DropEquipment);
    constexpr std::array<std::pair<int, int>, 6> kFallBack{
        {{8, 1}, {13, 1}, {17, 2}, {25, 3}, {11, 11}, {0, 0}}};
    for (const auto& [type, becomes] : kFallBack) {
        SCOPED_TRACE("type " + std::to_string(type));
        const std::int16_t p = stand(type, 100, 100);
        AppendBefehl(person(p), 204, 0, 0, 0, 0, 0);
        ticks(1);
        EXPECT_EQ(person(p).type, becomes);
        EXPECT_EQ(person(p).orders, nullptr);
        DeletePerson(p);
    }
    const std::int16_t p = stand(9, 100, 100);
    person(p).selected = 1;
    SelectionMode = 1009;
    AppendBefehl(person(p), 204, 0, 0, 0, 0, 0);
    ticks(1);
    EXPECT_EQ(SelectionMode, 1001);
}

struct ModeCase {
    const char* name;
    int type;
    std::uint8_t opcode;
    bool selected;
    std::uint16_t mode;
    std::uint16_t becomes;
    std::uint8_t engineSelected;  // afterwards, having been selected
};

TEST_F(Equipment, TheSelectionFollowsTheSelectedPersonFromItsModes) {
    const ModeCase cases[] = {
        {"the person's own mode", 1, 154, true, 1001, 1008, 0},
        {"the extinguisher's mode", 1, 154, true, 2003, 1008, 0},
        {"a mode of another order", 1, 154, true, 2001, 2001, 0},
        {"the cutter's first mode", 1, 155, true, 2007, 1009, 0},
        {"the cutter's second mode", 2, 155, true, 2009, 1017, 0},
        {"the hose's first mode", 1, 156, true, 2001, 1010, 0},
        {"the hose's second mode", 1, 156, true, 2005, 1010, 0},
        {"the chainsaw's first mode", 3, 175, true, 2001, 1025, 0},
        {"the chainsaw's second mode", 1, 175, true, 2009, 1013, 0},
        {"the rope's mode", 1, 211, true, 2005, 1015, 0},
        {"a type that keeps its type", 2, 156, true, 2005, 1002, 0},
        {"not selected", 1, 154, false, 1001, 1001, 0},
        {"a vehicle's mode", 1, 154, true, 14, 14, 0},
        {"given back", 8, 157, true, 1008, 1001, 0},
        {"given back, unselected", 8, 157, false, 1008, 1008, 1},
        {"given back, several selected", 8, 157, true, 65534, 65534, 1},
        {"given back, a vehicle's mode", 8, 157, true, 1, 1, 1},
    };
    v().anim = kFahrzeugAnimOpen;
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        freeAll();
        const std::int16_t p = atCompartment(c.type, c.opcode);
        person(p).selected = c.selected ? 1 : 0;
        SelectionMode = c.mode;
        v().selected = 1;
        ticks(1);
        EXPECT_EQ(SelectionMode, c.becomes);
        EXPECT_EQ(v().selected, c.engineSelected);
    }
}

TEST_F(Equipment, AMovedOrGoneEngineOrAWrongSpotEndsTheOrders) {
    v().anim = kFahrzeugAnimOpen;
    const auto refused = [this](const char* name, auto&& spoil) {
        SCOPED_TRACE(name);
        freeAll();
        const std::int16_t p = atCompartment(1, 154);
        AppendBefehl(person(p), 7, 10, 0, 0, 0, 0);
        spoil(person(p));
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).type, 1);
        EXPECT_EQ(HeadBefehlOpcode(v()), -1) << "nothing asked of the engine";
    };
    refused("one pixel off", [](Person& p) { p.y += 1; });
    refused("past the vehicle array", [](Person& p) { p.orders->setA(FahrzeugCount); });
    refused("a negative index", [](Person& p) { p.orders->setA(-1); });
    refused("a free vehicle slot", [](Person& p) { p.orders->setA(3); });
    refused("the engine moved", [this](Person&) { v().x += 1; });
}

TEST_F(Equipment, AShutCompartmentIsAskedToOpenEveryTickUntilItShowsOpen) {
    const std::int16_t p = atCompartment(1, 156);
    for (int t = 0; t < 3; ++t) {
        DiscardBefehle(v());
        ticks(1);
        ASSERT_EQ(HeadBefehlOpcode(v()), 43);
        EXPECT_EQ(v().orders->aInt(), 8);
        EXPECT_EQ(HeadBefehlOpcode(person(p)), 156) << "waits";
        EXPECT_EQ(person(p).type, 1);
    }
    // The engine runs its order first in a tick: it shows open, and the person takes the hose.
    UpdateFahrzeuge();
    EXPECT_EQ(v().anim, kFahrzeugAnimOpen);
    ticks(1);
    EXPECT_EQ(person(p).type, 10);
    EXPECT_EQ(person(p).orders, nullptr);
}

TEST_F(Equipment, WalkingToTheHydrantLetsGoOfTheHoseAndLaysTheWalkTheTurnAndTheConnection) {
    const std::int16_t h = hydrant(400, 200);
    const std::int16_t p = atHydrant(h);
    connect(p);
    ASSERT_EQ(person(p).type, 11);

    WalkPersonToHydrant(p, h);
    EXPECT_EQ(person(p).type, 10) << "the hose it held is let go";
    EXPECT_EQ(countOf(kSobjSchlauch), 0);
    const Befehl* order = person(p).orders;
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->opcode, 0);
    EXPECT_EQ(order->aFloat(), 389.0f);
    EXPECT_EQ(order->bFloat(), 208.0f);
    ASSERT_NE(order->next, nullptr);
    EXPECT_EQ(order->next->opcode, 1);
    EXPECT_EQ(order->next->cInt(), 3);
    ASSERT_NE(order->next->next, nullptr);
    EXPECT_EQ(order->next->next->opcode, 174);
    EXPECT_EQ(order->next->next->aInt(), h);

    // No hydrant there: nothing is laid.
    DiscardBefehle(person(p));
    WalkPersonToHydrant(p, 99);
    WalkPersonToHydrant(p, static_cast<std::int16_t>(SonderObjs.size()));
    EXPECT_EQ(person(p).orders, nullptr);
}

TEST_F(Equipment, TheHydrantSoundsAtFrame12AndTheHoseLiesLeftOfThePerson) {
    const std::int16_t h = hydrant(400, 200);
    const std::int16_t p = atHydrant(h);
    person(p).selected = 1;
    SelectionMode = 1010;
    // A jet the person somehow owns already goes first, with its object.
    const std::int16_t old = FindFreeSonderObj();
    CreateSonderObj(old, kSplashSonderObjTyp, 0, 0, 0, 0, 2, 0.0f, 0);
    person(p).attachment.makeJet().splash = old;
    EXPECT_EQ(connect(p), std::vector<int>{12}) << "once, at frame 12";
    EXPECT_EQ(countOf(kSplashSonderObjTyp), 1);
    const Person& holder = person(p);
    EXPECT_EQ(holder.type, 11);
    EXPECT_EQ(holder.orders, nullptr);
    EXPECT_FLOAT_EQ(holder.x, 400 - 11 - 16);
    EXPECT_FLOAT_EQ(holder.y, 208);
    EXPECT_EQ(holder.link2, h);
    EXPECT_EQ(SelectionMode, 1011);
    const SonderObj* hose = SonderObjAt(holder.link);
    ASSERT_NE(hose, nullptr);
    EXPECT_EQ(hose->type, kSobjSchlauch);
    EXPECT_FLOAT_EQ(hose->x, 400 - 26);
    EXPECT_FLOAT_EQ(hose->y, 203);
    EXPECT_EQ(hose->blockMask, 15);
    EXPECT_EQ(hose->visible, 1);
    EXPECT_EQ(hose->depthLayer, 0);
    const SchlauchStrahl* jet = holder.attachment.jet();
    ASSERT_NE(jet, nullptr);
    EXPECT_EQ(jet->direction, 2);
    EXPECT_EQ(jet->active, 0);
    const SonderObj* splash = SonderObjAt(jet->splash);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->type, kSplashSonderObjTyp);
    EXPECT_EQ(splash->visible, 0);
    EXPECT_EQ(splash->blockMask, 0) << "shown, the splash must not block";
}

TEST_F(Equipment, AHydrantWithoutRoomForTheHoseIsBlocked) {
    const std::int16_t h = hydrant(400, 200);
    const std::int16_t p = atHydrant(h);
    const std::int16_t blocker = stand(0, 371, 208);  // in the hose's room, left of the person
    ticks(1);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(std::string(MessageLine.data()), "Der Hydrant ist blockiert!");
    EXPECT_EQ(MessageLineCountdown, 60);
    EXPECT_EQ(person(p).type, 10);

    // Further left the room is free.
    person(blocker).x = 360;
    UpdatePersonDrawPos(person(blocker));
    ClearMessageLine();
    AppendBefehl(person(p), 174, h, 0, 0, 0, 0);
    connect(p);
    EXPECT_EQ(person(p).type, 11);
    EXPECT_EQ(MessageLine[0], '\0');
}

TEST_F(Equipment, AWrongSpotOrSomethingElseThanAHydrantEndsTheOrders) {
    const std::int16_t h = hydrant(400, 200);
    const std::int16_t hose = FindFreeSonderObj();
    CreateSonderObj(hose, kSobjSchlauch, 500, 200, 0, 15, 0, 0.0f, 0);
    const auto refused = [&](const char* name, auto&& spoil) {
        SCOPED_TRACE(name);
        const std::int16_t p = atHydrant(h);
        spoil(person(p));
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).anim, kAnimStand);
        EXPECT_EQ(MessageLine[0], '\0');
        DeletePerson(p);
    };
    refused("one pixel off", [](Person& p) { p.x += 1; });
    refused("facing 2", [](Person& p) { p.direction = 2; });
    refused("a hose, not a hydrant", [&](Person& p) { p.orders->setA(hose); });
    refused("a free slot", [&](Person& p) { p.orders->setA(hose + 1); });
    refused("past the array",
            [](Person& p) { p.orders->setA(static_cast<std::int32_t>(SonderObjs.size())); });
}

TEST_F(Equipment, WithOneFreeSlotNothingIsMadeUntilASecondIsFree) {
    const std::int16_t h = hydrant(400, 200);
    const std::int16_t p = atHydrant(h);
    // Every slot but the last is taken; the hydrant is in slot 0, where a jet made from no slot
    // would take its splash.
    for (std::size_t s = 0; s + 1 < SonderObjs.size(); ++s) {
        if (SonderObjs[s].type != -1) continue;
        CreateSonderObj(static_cast<int>(s), kSobjHolzstapel, 5, 5, 0, 15, 0, 0.0f, 0);
        SonderObjs[s].visible = 0;
    }
    ASSERT_EQ(h, 0);
    int lastFrames = 0;
    for (int t = 0; t < 200; ++t) {
        ticks(1);
        if (person(p).frame == 55) ++lastFrames;
    }
    EXPECT_GE(lastFrames, 2) << "the last frame went by at least once";
    EXPECT_EQ(person(p).type, 10);
    EXPECT_EQ(HeadBefehlOpcode(person(p)), 174);
    EXPECT_EQ(person(p).attachment.jet(), nullptr);
    EXPECT_EQ(countOf(kSobjSchlauch), 0);
    EXPECT_EQ(countOf(kSplashSonderObjTyp), 0);
    EXPECT_EQ(SonderObjs.back().type, -1);
    EXPECT_EQ(SonderObjs[0].type, kSobjHydrant);
    EXPECT_EQ(SonderObjs[0].x, 400.0f);
    EXPECT_EQ(SonderObjs[0].y, 200.0f);

    FreeSonderObjSlot(5);
    connect(p);
    EXPECT_EQ(person(p).type, 11);
    EXPECT_EQ(person(p).link, 5);
    EXPECT_EQ(person(p).attachment.jet()->splash, static_cast<std::int16_t>(SonderObjs.size() - 1));
}

TEST_F(Equipment, DroppingTheHoseLeavesNoHoseJetOrAttachment) {
    const std::int16_t h = hydrant(400, 200);
    const std::int16_t p = atHydrant(h);
    connect(p);
    person(p).selected = 1;
    SelectionMode = 1011;
    backend.sound.clearCalls();
    DropHose(p);
    EXPECT_EQ(person(p).type, 10);
    EXPECT_EQ(SelectionMode, 1010);
    EXPECT_EQ(person(p).link, 0xFFFF);
    EXPECT_EQ(person(p).link2, 0xFFFF);
    EXPECT_TRUE(person(p).attachment.empty());
    EXPECT_EQ(countOf(kSobjSchlauch), 0);
    EXPECT_EQ(countOf(kSplashSonderObjTyp), 0);
    EXPECT_EQ(countOf(kSobjHydrant), 1);
    EXPECT_TRUE(backend.sound.playing(SoundSlots[kSoundHydrant].buffer));

    // A deadline plan is no hose, and an object that is no hose stays.
    const std::int16_t other = stand(11, 200, 200);
    person(other).attachment.makePlan();
    person(other).link = static_cast<std::uint16_t>(h);
    DropHose(other);
    EXPECT_NE(person(other).attachment.plan(), nullptr);
    EXPECT_EQ(countOf(kSobjHydrant), 1);
    EXPECT_EQ(person(other).type, 10);
}

}  // namespace
}  // namespace kv
