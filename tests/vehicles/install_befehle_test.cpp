// Setting up and taking down on mission 1's map: the pontoon layer at a pontoon point on the
// pond, the tent vehicle on the meadow, and the ladder vehicle with its basket at a three-floor
// house.

#include "vehicles/install_befehle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/fatal_error.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "media/sound_slots.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person.h"
#include "persons/person_befehle.h"
#include "persons/person_types.h"
#include "platform/sound.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/move_fixture.h"
#include "world/houses.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::uint8_t kSetUp = 57;
constexpr std::uint8_t kBasketDown = 58;
constexpr std::uint8_t kBasketUp = 59;
constexpr std::uint8_t kBasketTo = 60;
constexpr std::uint8_t kTakeDown = 62;
constexpr std::uint8_t kFetch = 63;
constexpr std::uint8_t kStepIn = 68;
constexpr std::string_view kRefused = "Fahrzeug kann nicht installiert werden!";

// The pontoon point on the pond's east shore, and the tent's place on the meadow.
constexpr std::int16_t kPointX = 1190;
constexpr std::int16_t kPointY = 800;
constexpr std::int16_t kTentX = 1400;
constexpr std::int16_t kTentY = 800;

// A three-floor house north of the road: cell (0, 0) at column 35, row 10; its front row is 14.
constexpr int kHouseType = 0;
void InitHousesWithOne() {
    HouseCount = 1;
    InitHouseList();
    AddHouse(kHouseType, 35, 10, 0, 0, 1);
}

class InstallTest : public test::MoveTest {
  protected:
    void SetUp() override {
        MoveTest::SetUp();
        ASSERT_TRUE(SoundOpen());
        SoundAvailable = 1;
        test::FillSoundSlotsWithTones();
        PontonPunktCount = 1;
        AllocPontonPunkte();
    }
    void TearDown() override {
        ReleaseSounds();
        SoundAvailable = 0;
        FreePontonPunkte();
        FreeHouses();
        MoveTest::TearDown();
    }

    // What a simulation tick does for these orders: the vehicles with their orders, the special
    // objects' commands and the basket lifts.
    static void Step(int n = 1) {
        for (int i = 0; i < n; ++i) {
            UpdateFahrzeuge();
            UpdateSonderObj();
            UpdateKanzelLift();
        }
    }
    static bool StepUntil(const std::function<bool()>& done, int n) {
        for (int i = 0; i < n && !done(); ++i) Step();
        return done();
    }
    static void Order(std::int16_t v, std::uint8_t opcode, std::int32_t a = 0, std::int32_t b = 0,
                      std::int32_t c = 0, std::int32_t d = 0) {
        SetBefehl(V(v), FahrzeugTypOf(V(v)), opcode, -1, a, b, c, d, 0);
    }
    static int Count(std::int16_t type) {
        return static_cast<int>(
            std::count_if(SonderObjs.begin(), SonderObjs.end(),
                          [type](const SonderObj& o) { return o.type == type; }));
    }
    static int Used() {
        return static_cast<int>(std::count_if(SonderObjs.begin(), SonderObjs.end(),
                                              [](const SonderObj& o) { return o.type != -1; }));
    }
    static std::vector<int> Xs(std::int16_t type) {
        std::vector<int> xs;
        for (const SonderObj& o : SonderObjs)
            if (o.type == type) xs.push_back(static_cast<int>(o.x));
        std::sort(xs.begin(), xs.end());
        return xs;
    }
    static const SonderObj& Obj(int slot) { return SonderObjs[static_cast<std::size_t>(slot)]; }
    bool Looping(int id) const { return backend.sound.playing(SoundSlots[id].buffer); }
    bool Played(int id) const {
        const std::vector<int> ids = test::PlayedSoundIds(backend.sound);
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    }
    static std::string Message() { return MessageLine.data(); }

    // The pontoon layer standing on the point in facing 1, the point with n pieces that way.
    static std::int16_t PontoonLayer(int n, int direction) {
        AddPontonPunkt(kPointX, kPointY, static_cast<std::uint8_t>(direction),
                       static_cast<std::uint8_t>(n), 0);
        return Make(kTypF113, 2, kPointX, kPointY, 1);
    }
    // Laid as a whole: false when the order never ended.
    static bool Lay(std::int16_t v) {
        Order(v, kSetUp, 0);
        return StepUntil([v] { return V(v).orders == nullptr; }, 200);
    }
    // Every free slot above the fixed ones taken by a plain object, but for `leave`.
    static void FillSonderObjs(int leave) {
        std::vector<std::int16_t> free;
        for (int i = FixedSonderObjCount; i < SonderObjCount; ++i)
            if (Obj(i).type == -1) free.push_back(static_cast<std::int16_t>(i));
        for (std::size_t i = 0; i + static_cast<std::size_t>(leave) < free.size(); ++i)
            CreateSonderObj(free[i], kSobjHydrant, 0, 0, 0, 0, 0, 0.0f, 0);
    }
    static void FreeOne() {
        for (int i = SonderObjCount; i-- > FixedSonderObjCount;)
            if (Obj(i).type == kSobjHydrant) return FreeSonderObjSlot(i);
    }
};

// --- The pontoon layer ---

TEST_F(InstallTest, ThePontoonIsLaidAPieceACycleEitherWay) {
    struct Case {
        int direction;
        std::vector<int> placeholders;  // from the point's x
        std::vector<int> afterOneCycle;
        std::vector<int> pieces;  // pieces[0], [1], [2]
    };
    for (const Case& c : {Case{0, {-119, -87, -55}, {-87}, {-119, -87, -55}},
                          Case{1, {-55, -23, 9}, {-23}, {9, -23, -55}}}) {
        SCOPED_TRACE(c.direction);
        ClearUnits();
        FreeSonderObj();
        SonderObjTypCount = kCommonSonderObjTypen;
        AllocSonderObj();
        AllocPontonPunkte();
        backend.sound.clearCalls();
        const std::int16_t v = PontoonLayer(3, c.direction);
        Order(v, kSetUp, 0);
        Step();
        std::vector<int> want;
        for (int dx : c.placeholders) want.push_back(kPointX + dx);
        EXPECT_EQ(Xs(kSobjPontonUnsichtbar), want);
        EXPECT_EQ(V(v).anim, 2);
        EXPECT_EQ(V(v).link, 0);
        EXPECT_TRUE(Looping(kSoundPontoon));

        // A cycle pushes the first piece out by one piece, the slide taking 16 ticks.
        ASSERT_TRUE(StepUntil([v] { return V(v).pieceCount == 1; }, 60));
        const SonderObj& piece = Obj(V(v).pieces[0]);
        ASSERT_NE(piece.commands, nullptr);
        EXPECT_EQ(piece.commands->kind, kCmdPontoonSlide);
        EXPECT_EQ(piece.commands->a, kPointX + c.afterOneCycle[0]);
        Step(15);
        EXPECT_EQ(Xs(kSobjPonton), std::vector<int>{kPointX + c.afterOneCycle[0]});

        ASSERT_TRUE(StepUntil([v] { return V(v).orders == nullptr; }, 60));
        EXPECT_EQ(V(v).anim, 4);
        ASSERT_EQ(V(v).pieceCount, 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(static_cast<int>(Obj(V(v).pieces[static_cast<std::size_t>(i)]).x),
                      kPointX + c.pieces[static_cast<std::size_t>(i)])
                << i;
        Step(16);  // the last slide ends
        EXPECT_EQ(Xs(kSobjPonton), want) << "the chain lies where its placeholders stood";
        const PontonPunkt& p = PontonPunkte[0];
        const std::uint16_t first = V(v).pieces[0];
        const std::uint16_t last = V(v).pieces[2];
        EXPECT_EQ(p.pieces[kPontonLeftEnd], c.direction == 0 ? first : last);
        EXPECT_EQ(p.pieces[kPontonRightEnd], c.direction == 0 ? last : first);
        EXPECT_EQ(p.complete, 1);
        EXPECT_EQ(Obj(first).user, 0) << "a piece names its point";
        EXPECT_EQ(Count(kSobjPontonUnsichtbar), 0);
        EXPECT_FALSE(Looping(kSoundPontoon));
        EXPECT_EQ(V(v).sound, -1);
    }
}

TEST_F(InstallTest, TheSetUpIsRefusedWhereThePointOrItsStripWillNotDo) {
    struct Case {
        const char* what;
        int pieces;
        int point;       // the order's point
        std::int16_t x;  // where the vehicle stands
        bool heliInStrip;
        bool queueCleared;  // else only the order goes
    };
    for (const Case& c : {Case{"a helicopter over the strip", 3, 0, kPointX, true, true},
                          Case{"a chain of no pieces", 0, 0, kPointX, false, true},
                          Case{"a point not in use", 3, 1, kPointX, false, false},
                          Case{"a point out of range", 3, -1, kPointX, false, false},
                          Case{"beside the point", 3, 0, kPointX + 1, false, false}}) {
        SCOPED_TRACE(c.what);
        ClearUnits();
        PontonPunktCount = 2;
        AllocPontonPunkte();
        ClearMessageLine();
        const std::int16_t v = PontoonLayer(c.pieces, 0);
        V(v).x = c.x;
        if (c.heliInStrip) {
            const std::int16_t heli = Make(kTypF203, 2, kPointX - 60, kPointY + 57, 3);
            ASSERT_EQ(V(heli).storey, -1);
        }
        Order(v, kSetUp, c.point);
        AppendBefehl(V(v), kOpWait, 5, 0, 0, 0, 0);
        Step();
        EXPECT_EQ(Message(), kRefused);
        EXPECT_EQ(HeadBefehlOpcode(V(v)), c.queueCleared ? -1 : kOpWait);
        EXPECT_EQ(V(v).anim, 0);
        EXPECT_EQ(Count(kSobjPontonUnsichtbar), 0);
        EXPECT_EQ(V(v).sound, -1);
    }
}

TEST_F(InstallTest, TakingInWaitsForAPassingBoatThenTakesAPieceACycle) {
    const std::int16_t v = PontoonLayer(3, 0);
    ASSERT_TRUE(Lay(v));
    PontonPunkt& p = PontonPunkte[0];
    p.pieces[kPontonPassingBoat] = 7;
    Order(v, kTakeDown);
    Step(40);
    EXPECT_EQ(V(v).anim, 4);
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kTakeDown);
    EXPECT_EQ(Count(kSobjPonton), 3);
    EXPECT_EQ(p.complete, 1);

    p.pieces[kPontonPassingBoat] = kNoPontonPiece;
    Step();
    EXPECT_EQ(V(v).anim, 5);
    EXPECT_EQ(p.complete, 0);
    EXPECT_TRUE(Looping(kSoundPontoon));
    // The newest piece goes first; the rest slide back towards the vehicle.
    const std::uint16_t newest = V(v).pieces[2];
    const std::uint16_t first = V(v).pieces[0];
    ASSERT_TRUE(StepUntil([&] { return Count(kSobjPonton) == 2; }, 20));
    EXPECT_EQ(Obj(newest).type, -1);
    Step(16);
    EXPECT_EQ(static_cast<int>(Obj(first).x), kPointX - 87);
    ASSERT_TRUE(StepUntil([&] { return Count(kSobjPonton) == 1; }, 20));
    ASSERT_TRUE(StepUntil([&] { return Count(kSobjPonton) == 0; }, 20));
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kTakeDown);

    ASSERT_TRUE(StepUntil([v] { return V(v).orders == nullptr; }, 60));
    EXPECT_EQ(V(v).anim, 0);
    EXPECT_EQ(V(v).link, kNoLink);
    EXPECT_TRUE(V(v).pieces.empty());
    EXPECT_EQ(V(v).pieceCount, 0);
    EXPECT_FALSE(Looping(kSoundPontoon));
}

TEST_F(InstallTest, ALayingMakesItsOwnListAndGrowsAReloadedOne) {
    // A list left over from another chain is dropped.
    const std::int16_t v = PontoonLayer(3, 0);
    V(v).pieces.assign(5, 1);
    V(v).pieceCount = 2;
    ASSERT_TRUE(Lay(v));
    EXPECT_EQ(V(v).pieces.size(), 3u);
    EXPECT_EQ(Count(kSobjPonton), 3);

    // A game loaded after the first piece holds only the piece laid.
    ClearUnits();
    FreeSonderObj();
    SonderObjTypCount = kCommonSonderObjTypen;
    AllocSonderObj();
    const std::int16_t w = Make(kTypF113, 2, kPointX, kPointY, 1);
    Order(w, kSetUp, 0);
    ASSERT_TRUE(StepUntil([w] { return V(w).pieceCount == 1; }, 60));
    V(w).pieces.resize(1);
    ASSERT_TRUE(StepUntil([w] { return V(w).orders == nullptr; }, 60));
    ASSERT_EQ(V(w).pieces.size(), 3u);
    EXPECT_EQ(V(w).pieceCount, 3);
    EXPECT_EQ(PontonPunkte[0].pieces[kPontonLeftEnd], V(w).pieces[0]);
    EXPECT_EQ(Count(kSobjPonton), 3);
}

// --- The tent ---

TEST_F(InstallTest, TheTentIsPitchedWithFourBedsAndStruckAgain) {
    const std::int16_t v = Make(kTypF204, 2, kTentX, kTentY, 7);
    const int before = Used();
    Order(v, kSetUp);
    Step();
    ASSERT_EQ(V(v).anim, 2);
    const SonderObj& pitching = Obj(V(v).link);
    EXPECT_EQ(pitching.type, kSobjZeltUnsichtbar);
    EXPECT_EQ(static_cast<int>(pitching.x), kTentX);
    EXPECT_EQ(static_cast<int>(pitching.y), kTentY - 47);
    EXPECT_EQ(pitching.z, 23.0f);
    EXPECT_EQ(V(v).selectable, 0);

    ASSERT_TRUE(StepUntil([v] { return V(v).orders == nullptr; }, 100));
    EXPECT_EQ(V(v).anim, 3);
    EXPECT_EQ(Count(kSobjZeltUnsichtbar), 0);
    const SonderObj& tent = Obj(V(v).link);
    EXPECT_EQ(tent.type, kSobjZelt);
    EXPECT_EQ(static_cast<int>(tent.x), kTentX);
    EXPECT_EQ(static_cast<int>(tent.y), kTentY - 34);
    EXPECT_EQ(tent.blockMask, 11);
    ASSERT_NE(tent.commands, nullptr);
    EXPECT_EQ(tent.commands->kind, kCmdTent);
    EXPECT_EQ(tent.commands->a, static_cast<std::uint16_t>(v));
    ASSERT_EQ(V(v).pieceCount, 4);
    std::vector<std::pair<int, int>> beds;
    for (const std::uint16_t b : V(v).pieces) {
        EXPECT_EQ(Obj(b).type, kSobjBett);
        beds.emplace_back(static_cast<int>(Obj(b).x) - kTentX, static_cast<int>(Obj(b).y) - kTentY);
    }
    EXPECT_EQ(beds,
              (std::vector<std::pair<int, int>>{{86, -55}, {161, -55}, {70, -20}, {145, -20}}));

    Order(v, kTakeDown);
    Step();
    EXPECT_EQ(V(v).anim, 4);
    EXPECT_EQ(Used(), before) << "tent and beds gone as the striking starts";
    EXPECT_EQ(V(v).link, kNoLink);
    ASSERT_TRUE(StepUntil([v] { return V(v).orders == nullptr; }, 100));
    EXPECT_EQ(V(v).anim, 0);
    EXPECT_EQ(V(v).selectable, 1);
}

// --- Faults ---

TEST_F(InstallTest, TooFewSlotsCreateNothingUntilThereAreEnough) {
    const std::int16_t v = PontoonLayer(3, 0);
    FillSonderObjs(2);
    Order(v, kSetUp, 0);
    Step(3);
    EXPECT_EQ(V(v).anim, 0);
    EXPECT_EQ(Count(kSobjPontonUnsichtbar), 0);
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kSetUp);
    FreeOne();
    Step();
    EXPECT_EQ(Count(kSobjPontonUnsichtbar), 3);

    // The tent and its beds need five slots, the pitching object's counted.
    ClearUnits();
    const std::int16_t t = Make(kTypF204, 2, kTentX, kTentY, 7);
    Order(t, kSetUp);
    FillSonderObjs(1);
    Step();
    ASSERT_EQ(V(t).anim, 2);
    FillSonderObjs(0);
    for (int i = 0; i < 3; ++i) FreeOne();
    ASSERT_TRUE(StepUntil([t] { return V(t).frame == 37; }, 100));
    Step(3);
    EXPECT_EQ(V(t).anim, 2) << "the pitching goes round again";
    EXPECT_EQ(Count(kSobjZelt), 0);
    EXPECT_EQ(Count(kSobjZeltUnsichtbar), 1);
    FreeOne();
    ASSERT_TRUE(StepUntil([t] { return V(t).orders == nullptr; }, 100));
    EXPECT_EQ(Count(kSobjZelt), 1);
    EXPECT_EQ(Count(kSobjBett), 4);
}

TEST_F(InstallTest, AnOrderThatEndsEarlyLeavesNoObjectAndNoMotor) {
    struct Case {
        const char* what;
        std::int16_t type;
        std::function<bool(const Fahrzeug&)> when;
        bool removed;  // the vehicle leaves the map, else it gets a new order
    };
    for (const Case& c : {Case{"laying, a new order", kTypF113,
                               [](const Fahrzeug& f) { return f.pieceCount == 1; }, false},
                          Case{"laying, removed", kTypF113,
                               [](const Fahrzeug& f) { return f.pieceCount == 2; }, true},
                          Case{"opening, a new order", kTypF113,
                               [](const Fahrzeug& f) { return f.anim == 2; }, false},
                          Case{"pitching, a new order", kTypF204,
                               [](const Fahrzeug& f) { return f.anim == 2; }, false}}) {
        SCOPED_TRACE(c.what);
        ClearUnits();
        PontonPunktCount = 1;
        AllocPontonPunkte();
        backend.sound.clearCalls();
        const int before = Used();
        const std::int16_t v =
            c.type == kTypF113 ? PontoonLayer(3, 0) : Make(kTypF204, 2, kTentX, kTentY, 7);
        Order(v, kSetUp, 0);
        ASSERT_TRUE(StepUntil([&] { return c.when(V(v)); }, 100));
        if (c.removed)
            RemoveFahrzeug(v, kRemoveDrivenOff);
        else
            Order(v, kOpWait, 10);
        EXPECT_EQ(Used(), before);
        EXPECT_FALSE(Looping(kSoundPontoon));
        if (!c.removed) {
            EXPECT_EQ(V(v).link, kNoLink);
            EXPECT_EQ(V(v).sound, -1);
        }
    }

    // A take-in given another order half-way leaves nothing either.
    ClearUnits();
    const std::int16_t v = PontoonLayer(3, 0);
    ASSERT_TRUE(Lay(v));
    Order(v, kTakeDown);
    ASSERT_TRUE(StepUntil([] { return Count(kSobjPonton) == 2; }, 30));
    Order(v, kOpWait, 10);
    EXPECT_EQ(Count(kSobjPonton), 0);
    EXPECT_FALSE(Looping(kSoundPontoon));
}

// --- The ladder and its basket ---

class BasketTest : public InstallTest {
  protected:
    void SetUp() override {
        InstallTest::SetUp();
        MissionHookRows[0].InitHouses = InitHousesWithOne;
        ASSERT_TRUE(InitHouses(1));
        ASSERT_EQ(HouseTypOf(Houses[0]).floors, 3);
        // Where the house click sets the ladder up: 80 px right of the facade's foot line, the
        // standing picture's hot spot added.
        const AnimSlot& stand = FahrzeugAnimSlot(kTypF106, 3, 0);
        ladderX = static_cast<std::int16_t>(32 * 35 - 16 * 14 - 16 + 80 + stand.hotX);
        ladderY = static_cast<std::int16_t>(28 * 14 + 28 + stand.hotY);
        ladder = Make(kTypF106, 2, ladderX, ladderY, 3);
        Order(ladder, kSetUp, ladderX, ladderY, 3, 0);
        Step();
        ASSERT_EQ(V(ladder).anim, 3);
    }
    KanzelState& K() { return *V(ladder).kanzel; }
    // A person of type 1 riding in the basket.
    std::int16_t Rider(float x, float height) {
        const std::int16_t p = Walker(1, x, ladderY + 3);
        P(p).height = height;
        P(p).basketVehicle = static_cast<std::uint16_t>(ladder);
        ++K().persons;
        return p;
    }
    // A person of type 1 standing on a storey of the house.
    static std::int16_t Inside(float x, float y, int storey, std::uint8_t controlFlags) {
        const std::int16_t p = Walker(1, x, y);
        P(p).storey = static_cast<std::int8_t>(storey);
        P(p).house = 0;
        P(p).controlFlags = controlFlags;
        return p;
    }
    // The foot of facade column n.
    static PixelPos Facade(int n) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        GetHouseFacadePoint(n, 0, x, y);
        return {x, y};
    }

    std::int16_t ladderX = 0;
    std::int16_t ladderY = 0;
    std::int16_t ladder = -1;
};

TEST_F(BasketTest, TheLadderIsSetUpOnlyAtItsPointAndFacing) {
    EXPECT_EQ(V(ladder).orders, nullptr);
    EXPECT_EQ(K().column, 3);
    EXPECT_EQ(K().position, 0);
    EXPECT_EQ(K().target, 0);

    struct Case {
        const char* what;
        std::int16_t type;
        std::int32_t facing;
    };
    for (const Case& c :
         {Case{"another facing", kTypF106, 2}, Case{"a fire engine", kTypF102, 3}}) {
        SCOPED_TRACE(c.what);
        ClearMessageLine();
        const std::int16_t v = Make(c.type, 2, 600, 250, 3);
        Order(v, kSetUp, 600, 250, c.facing, 0);
        AppendBefehl(V(v), kOpWait, 5, 0, 0, 0, 0);
        Step();
        EXPECT_EQ(Message(), kRefused);
        EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpWait) << "only the set-up goes";
        EXPECT_EQ(V(v).anim, 0);
    }
}

TEST_F(BasketTest, TheBasketStepsEveryFourTicksAlongItsRing) {
    struct Case {
        const char* what;
        std::uint8_t column, position;  // where it starts
        std::int32_t a, b;              // where it goes
        int ticks;                      // until the order ends
        float dx, dheight;              // of the person riding
    };
    for (const Case& c :
         {Case{"where it stands", 0, 1, 0, 1, 4, 0, 0}, Case{"home to home", 3, 0, 3, 0, 8, 0, 0},
          Case{"home to column 2", 3, 0, 2, 0, 4, -30, 68},
          Case{"column 10 to 2", 10, 0, 2, 0, 16, 128, 0},
          Case{"column 2 to 10", 2, 0, 10, 0, 16, -128, 0},
          Case{"home to column 11 up one", 3, 0, 11, 1, 20, -126, 99},
          Case{"down two", 1, 3, 1, 1, 8, 0, -62},
          Case{"a column off the ring", 0, 0, 5, 0, 1, 0, 0},
          Case{"a position above 3", 0, 0, 0, 4, 1, 0, 0}}) {
        SCOPED_TRACE(c.what);
        K().column = c.column;
        K().position = c.position;
        K().persons = 0;
        backend.sound.clearCalls();
        const std::int16_t p = Rider(1000, 40);
        const float x = P(p).x;
        Order(ladder, kBasketTo, c.a, c.b);
        int ticks = 0;
        bool wentOut = false;
        while (V(ladder).orders != nullptr && ticks < 40) {
            Step();
            ++ticks;
            wentOut |= K().column == 2;
        }
        EXPECT_EQ(ticks, c.ticks);
        const bool valid = c.ticks > 1;
        if (valid) {
            EXPECT_EQ(K().column, c.a);
            EXPECT_EQ(K().position, c.b);
        }
        if (c.a == 3) {
            EXPECT_TRUE(wentOut) << "out to column 2 and back";
        }
        EXPECT_EQ(P(p).x, x + c.dx);
        EXPECT_EQ(P(p).height, 40 + c.dheight);
        const AnimSlot& slot = PersonAnimSlot(P(p).type, P(p).direction, P(p).anim);
        EXPECT_EQ(P(p).drawX, static_cast<int>(P(p).x - static_cast<float>(slot.hotX)));
        EXPECT_EQ(Played(kSoundTurntableLadder), valid);
        EXPECT_FALSE(Looping(kSoundTurntableLadder));
        DeletePerson(p);
    }
}

TEST_F(BasketTest, LoweringWhileTheLiftClimbsTurnsItAndLetsThePersonsOffOnceItStops) {
    const std::int16_t p = Rider(1000, 20);
    Order(ladder, kBasketUp);
    Step(9);
    ASSERT_EQ(K().moving, 1);
    ASSERT_EQ(K().reverse, 1);
    const float climbed = P(p).height;
    EXPECT_GT(climbed, 20.0f);

    Order(ladder, kBasketDown);
    Step();
    EXPECT_EQ(K().reverse, 0) << "the lift now comes down";
    EXPECT_EQ(K().down, 1);
    EXPECT_TRUE(Looping(kSoundTurntableLadder));
    ASSERT_TRUE(StepUntil([this] { return K().moving == 0; }, 100));
    EXPECT_LT(P(p).height, climbed);
    EXPECT_EQ(P(p).orders, nullptr) << "not before the lift has stopped";
    Step();
    EXPECT_EQ(Opcodes(P(p)), (std::vector<int>{182, kOpMove}));
    EXPECT_EQ(K().persons, 0);
    EXPECT_EQ(V(ladder).orders, nullptr);
    EXPECT_FALSE(Looping(kSoundTurntableLadder));
    EXPECT_EQ(V(ladder).sound, -1);

    // The step out lowers the count no further.
    ExecutePersonBefehl(p);
    EXPECT_EQ(K().persons, 0);
    EXPECT_EQ(P(p).basketVehicle, 0xFFFF);
}

TEST_F(BasketTest, ALoweringClearedByANewOrderStopsItsMotor) {
    Order(ladder, kBasketDown);
    Step();
    ASSERT_TRUE(Looping(kSoundTurntableLadder));
    Order(ladder, kOpWait, 10);
    EXPECT_FALSE(Looping(kSoundTurntableLadder));
    EXPECT_EQ(V(ladder).sound, -1);
}

TEST_F(BasketTest, ThePersonsAtTheBasketsStoreyAreCalledIntoIt) {
    K().column = 11;
    K().position = 1;
    const PixelPos f = Facade(1);
    const std::int16_t called = Inside(960, 340, 3, kPersonController);
    const std::int16_t below = Inside(960, 340, 2, kPersonController);
    const std::int16_t staff = Inside(990, 340, 3, 0);
    const std::int16_t busy = Inside(930, 340, 3, kPersonController);
    SetBefehl(P(busy), PersonTypOf(P(busy)), kOpWait, -1, 50, 0, 0, 0, 0);

    const std::int16_t rider = Rider(1000, 40);
    Order(ladder, kFetch, 11, 1, 0);
    Step();
    EXPECT_EQ(P(called).orders, nullptr) << "the basket is not empty";
    DeletePerson(rider);
    K().persons = 0;
    Step();
    EXPECT_EQ(HeadBefehlOpcode(V(ladder)), kFetch) << "the order stays";
    ASSERT_EQ(Opcodes(P(called)), (std::vector<int>{kOpMove, 181}));
    EXPECT_EQ(P(called).orders->aFloat(), static_cast<float>(f.x));
    EXPECT_EQ(P(called).orders->bFloat(), static_cast<float>(f.y - 7));
    const Befehl& enter = *P(called).orders->next;
    EXPECT_EQ(enter.aInt(), f.x);
    EXPECT_EQ(enter.bInt(), f.y - 7);
    EXPECT_EQ(enter.cInt(), ladder);
    EXPECT_EQ(enter.dInt(), 11);
    EXPECT_EQ(enter.e, 1u);
    EXPECT_EQ(P(below).orders, nullptr);
    EXPECT_EQ(P(staff).orders, nullptr);
    EXPECT_EQ(Opcodes(P(busy)), std::vector<int>{kOpWait});
}

TEST_F(BasketTest, APersonStepsFromTheBasketIntoTheHouseWhereThereIsRoom) {
    const PixelPos f = Facade(1);
    struct Case {
        const char* what;
        std::uint8_t position;
        bool blocker;
        bool inThisBasket;
        bool entered;
    };
    for (const Case& c : {Case{"room on storey 3", 1, false, true, true},
                          Case{"someone standing there", 1, true, true, false},
                          Case{"a storey the house lacks", 2, false, true, false},
                          Case{"a person in no basket", 1, false, false, false}}) {
        SCOPED_TRACE(c.what);
        K().column = 11;
        K().position = c.position;
        K().persons = 0;
        const std::int16_t p = Rider(static_cast<float>(f.x + 2), 100);
        if (!c.inThisBasket) P(p).basketVehicle = 0xFFFF;
        const int storey = c.position + 2;
        const std::int16_t other =
            c.blocker ? Inside(static_cast<float>(f.x), static_cast<float>(f.y - 7), storey, 0)
                      : -1;
        const std::int16_t before = Houses[0].floors[2].personCount;
        Order(ladder, kStepIn, p);
        Step();
        EXPECT_EQ(V(ladder).orders, nullptr);
        if (c.entered) {
            EXPECT_EQ(P(p).storey, storey);
            EXPECT_EQ(P(p).house, 0);
            EXPECT_EQ(P(p).x, static_cast<float>(f.x));
            EXPECT_EQ(P(p).y, static_cast<float>(f.y - 7));
            EXPECT_EQ(P(p).height, 0.0f);
            EXPECT_EQ(P(p).basketVehicle, 0xFFFF);
            EXPECT_EQ(K().persons, 0);
            EXPECT_EQ(Houses[0].floors[2].personCount, before + 1);
        } else {
            EXPECT_EQ(P(p).house, 0xFFFF);
            EXPECT_EQ(P(p).storey, 0);
            EXPECT_EQ(P(p).height, 100.0f);
            EXPECT_EQ(K().persons, 1) << "the count is unchanged";
            EXPECT_EQ(Houses[0].floors[2].personCount, before);
        }
        DeletePerson(p);
        if (other >= 0) DeletePerson(other);
        Houses[0].floors[2].personCount = 0;
    }
}

TEST_F(BasketTest, BasketOrdersWithoutABasketOrWithTheLadderDownEndAtOnce) {
    const std::int16_t engine = Make(kTypF102, 2, 600, 250, 3);
    const std::int16_t folded = Make(kTypF106, 2, 600, 400, 3);
    struct Case {
        std::int16_t vehicle;
        std::uint8_t opcode;
    };
    for (const Case& c :
         {Case{engine, kBasketDown}, Case{engine, kBasketUp}, Case{engine, kBasketTo},
          Case{engine, kFetch}, Case{engine, kStepIn}, Case{folded, kBasketDown},
          Case{folded, kBasketUp}, Case{folded, kBasketTo}}) {
        SCOPED_TRACE(testing::Message() << c.vehicle << " " << int{c.opcode});
        backend.sound.clearCalls();
        Order(c.vehicle, c.opcode, 3, 0, 0);
        Step();
        EXPECT_EQ(V(c.vehicle).orders, nullptr);
        EXPECT_FALSE(Played(kSoundTurntableLadder));
    }
}

}  // namespace
}  // namespace kv
