// The campaign map's screen on mission 1: the briefing box, the plates, the marker and the ways
// into play, and what the world does behind the map.

#include "screens/karte.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "gfx/frame_buffer.h"
#include "mission/mission_fixture.h"
#include "mission/mission_tick.h"
#include "platform/messages.h"
#include "screens/basis.h"
#include "screens/heli_basis.h"
#include "screens/karte_wege.h"
#include "screens/lflug_basis.h"
#include "screens/schiff_basis.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeuge.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

class KarteScreen : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        clickStartPicture();
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    }

    static void ClickMarker() { OnKarteLButtonDown(KarteMarker.x, KarteMarker.y); }
    static void ClickPlate(int base) {
        const Basis& b = Basen[static_cast<std::size_t>(base)];
        OnKarteLButtonDown(b.x + 30, b.y + 4);
    }
    // Every opening of the map starts its blink afresh: a counter past 0 tells whether the map
    // was left for a base and opened again.
    static void MarkThisOpening() { KarteBlinkCounter = 5; }
    static bool OpenedAgain() { return GameMode == 10 && KarteBlinkCounter == 0; }
    // A plate that was entered: its base's screen is open, and is closed here, which opens the
    // map again.
    static bool Entered() {
        switch (GameMode) {
            case kGameModeBasis:
                CloseBasis();
                break;
            case 13:
                CloseLflugBasis(-1);
                break;
            case 14:
                CloseHeliBasis();
                break;
            case 15:
                CloseSchiffBasis();
                break;
            default:
                return OpenedAgain();
        }
        return GameMode == 10;
    }
};

TEST_F(KarteScreen, TheBriefingBoxOpensInSevenFramesThenTypesEightCharactersAFrame) {
    EXPECT_EQ(BriefingUnread, 1);
    EXPECT_EQ(BriefingState, kBriefingClosed);
    EXPECT_FALSE(BriefingText.empty()) << "mission 1's briefing";
    ClickMarker();
    EXPECT_EQ(BriefingUnread, 0);
    ASSERT_EQ(BriefingState, kBriefingOpening);
    for (int frame = 1; frame <= 6; ++frame) {
        RunKarteFrame();
        EXPECT_EQ(BriefingState, kBriefingOpening);
        EXPECT_EQ(BriefingOpenStep, 3 * frame);
        ClickMarker();
        EXPECT_EQ(BriefingOpenStep, 3 * frame) << "the opening box is not restarted";
    }
    RunKarteFrame();
    EXPECT_EQ(BriefingState, kBriefingTyping);
    EXPECT_EQ(BriefingOpenStep, 20);
    EXPECT_EQ(BriefingTypedChars, 1);

    // On the first typing frame 9 characters are typed; a text without a file has none.
    struct Case {
        const char* text;
        std::int16_t typed;
        std::uint8_t state;
    };
    for (const Case c : {Case{"123456789", 9, kBriefingComplete},
                         Case{"1234567890", 9, kBriefingTyping}, Case{"", 0, kBriefingComplete}}) {
        BriefingText = c.text;
        BriefingState = kBriefingTyping;
        BriefingTypedChars = 1;
        RunKarteFrame();
        EXPECT_EQ(BriefingTypedChars, c.typed) << c.text;
        EXPECT_EQ(BriefingState, c.state) << c.text;
        ClickMarker();
        EXPECT_EQ(BriefingState, c.state) << "clicks do nothing while the box is open";
    }
}

TEST_F(KarteScreen, BeforeTheBriefingOnlyThePlatesLeadAway) {
    MarkThisOpening();
    OnKarteKeyDown(VK_ESCAPE);
    OnKarteRButtonDown();
    OnKarteLButtonDown(kMapCamX + 10, kMapCamY + 10);
    EXPECT_FALSE(OpenedAgain());
    EXPECT_EQ(GameMode, 10u);
    EXPECT_EQ(WorldStarted, 0);

    // Base 0's station opens; back on the map the world still waits.
    ClickPlate(0);
    EXPECT_TRUE(Entered());
    EXPECT_EQ(WorldStarted, 0);
    EXPECT_EQ(BriefingUnread, 1);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(KarteScreen, AfterTheBriefingEscTheRightButtonAndTheCameraBoxLeadIntoPlay) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        OpenKarte();
        ASSERT_EQ(GameMode, 10u);
        BriefingUnread = 0;
        if (way == 0) OnKarteKeyDown(VK_ESCAPE);
        if (way == 1) OnKarteRButtonDown();
        // The camera box takes clicks 10 pixels around it.
        if (way == 2) OnKarteLButtonDown(kMapCamX - 10, kMapCamY - 10);
        EXPECT_EQ(GameMode, 2u);
        EXPECT_EQ(WorldStarted, 1);
        EXPECT_EQ(KarteImages, nullptr) << "the map's pictures are freed";
    }
    OpenKarte();
    OnKarteLButtonDown(kMapCamX - 11, kMapCamY);
    OnKarteKeyDown(VK_SPACE);
    EXPECT_EQ(GameMode, 10u) << "beside the camera box, and other keys";
}

TEST_F(KarteScreen, APlateTakesAClickBeforeTheMarker) {
    Basen[0].x = static_cast<std::int16_t>(KarteMarker.x - 10);
    Basen[0].y = static_cast<std::int16_t>(KarteMarker.y - 4);
    MarkThisOpening();
    ClickMarker();
    EXPECT_TRUE(Entered());
    EXPECT_EQ(BriefingUnread, 1);
    EXPECT_EQ(BriefingState, kBriefingClosed);
}

// Whether the plate's mark is drawn as the enterable or the grey one, or not at all.
int DrawnMark(int base) {
    const Basis& b = Basen[static_cast<std::size_t>(base)];
    for (int frame = 0; frame < 2; ++frame) {
        const VffImage& mark = BasisMarkeImages[frame];
        bool same = true;
        for (int y = 0; y < mark.height && same; ++y)
            same = std::memcmp(WorkBuffer + (b.y + y) * kScreenWidth + b.x,
                               mark.pixels + y * mark.width, mark.width) == 0;
        if (same) return frame;
    }
    return -1;
}

TEST_F(KarteScreen, PlatesAreGreyAndClosedWhereTheMissionSaysSo) {
    struct Case {
        std::uint8_t mission;
        std::uint8_t partTwo;
        std::int16_t cooldown;
        int base;
        int mark;  // 0 enterable, 1 grey, -1 not shown
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0},  {1, 0, 0, 1, -1},  // mission 1 offers base 0 alone
        {7, 0, 0, 4, 1},                     // offered, not to be entered
        {2, 0, 0, 4, 0},  {2, 0, 1, 4, 1},   // the airfield rests after a flight
        {11, 1, 0, 0, 1}, {11, 1, 0, 2, 1}, {11, 1, 0, 3, 0},
        {11, 0, 0, 0, 0}, {30, 0, 0, 5, 0},  // mission 30's ship base stands further right
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mission " << int{c.mission} << " part "
                                        << int{c.partTwo} << " base " << c.base);
        MissionNummer = c.mission;
        PartTwo = c.partTwo;
        LflugCooldown = c.cooldown;
        InitBasen();
        if (GameMode != 10) OpenKarte();
        MarkThisOpening();
        DrawKarte();
        EXPECT_EQ(DrawnMark(c.base), c.mark);
        MarkThisOpening();
        ClickPlate(c.base);
        EXPECT_EQ(Entered(), c.mark == 0);
    }
    EXPECT_EQ(Basen[5].x, 520);
}

TEST_F(KarteScreen, TheWorldWaitsUntilTheMapHasHandedOverButTheMapRoadsAreDriven) {
    GameSpeed = 3;
    const std::int16_t v = CreateFahrzeug(kTypF201, RoadEntry.x, RoadEntry.y, 7);
    LoadFahrzeugTyp(kTypF201);
    SetupFahrzeug(v, kOwnerBought);
    Fahrzeug& car = Fahrzeuge[static_cast<std::size_t>(v)];
    car.storey = -5;
    PlaceFahrzeugOnKarte(v, 0);
    const KarteStartPoint start = KarteStartPoints[0];
    auto travelled = [&] {
        return std::abs(car.KarteX - start.x) + std::abs(car.KarteY - start.y);
    };

    RunKarteFrame();
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_EQ(travelled(), 9) << "pace 3, three times a frame";

    // A base entered and left: the world still waits.
    LeaveKarte(1);
    EXPECT_EQ(WorldStarted, 0);
    OpenKarte();
    RunKarteFrame();
    EXPECT_EQ(TickCounter, 0u);

    // Handed over once, the map runs the world behind it, which moves the map roads' vehicles.
    BriefingUnread = 0;
    OnKarteKeyDown(VK_ESCAPE);
    ASSERT_EQ(WorldStarted, 1);
    OpenKarte();
    const int before = travelled();
    RunKarteFrame();
    EXPECT_EQ(TickCounter, 3u);
    EXPECT_EQ(travelled(), before + 9);
    EXPECT_EQ(car.KarteWeg, 0);
}

// A dot at the screen's right edge would spill into the next row, one at the bottom past the
// buffer; sets shorter than the frames asked of them draw nothing there.
TEST_F(KarteScreen, DrawingKeepsToTheScreenAndToTheFramesASetHas) {
    const std::int16_t v = CreateFahrzeug(kTypF201, RoadEntry.x, RoadEntry.y, 7);
    SetupFahrzeug(v, kOwnerBought);
    Fahrzeug& car = Fahrzeuge[static_cast<std::size_t>(v)];
    car.KarteWeg = 0;
    car.KarteX = 799;
    car.KarteY = 5;
    DrawKarte();
    EXPECT_EQ(WorkBuffer[5 * kScreenWidth + 799], 253);
    EXPECT_NE(WorkBuffer[6 * kScreenWidth + 0], 253) << "the next row";
    car.KarteY = 599;
    DrawKarte();

    for (VffImage** set : {&KartePointImages, &BasisInfoImages, &MapCarSchilderImages}) {
        VffImage* full = *set;
        *set = LoadVffFromBytes(
            sampledata::MakeVff(std::vector<sampledata::Canvas>{sampledata::Canvas(4, 4, 1)}));
        DrawKarte();
        OnKarteLButtonDown(Basen[0].x + 1, Basen[0].y + 1);
        if (GameMode == kGameModeBasis) CloseBasis();
        ClickMarker();
        FreeVff(*set);
        *set = full;
    }
    EXPECT_EQ(GameMode, 10u);
}

// The briefing file is read whole up to a NUL, and cut where the typed count could not reach.
using KarteBriefing = test::HeadlessTest;

TEST_F(KarteBriefing, ReadsTheFileUpToItsFirstNulAndNoFurtherThanTheCountReaches) {
    test::ScratchDir dir;
    test::WorkingDirectory cwd(dir.path());
    MissionNummer = 1;
    dir.write("data/d/briefing/M101.dat", std::string("Achtung!\r\nZweite Zeile", 22) + '\0' + "x");
    LoadBriefingText();
    EXPECT_EQ(BriefingText, "Achtung!\r\nZweite Zeile");

    dir.write("data/d/briefing/M101.dat", std::string(40000, 'a'));
    LoadBriefingText();
    ASSERT_EQ(BriefingText.size(), kBriefingMaxChars);
    BriefingState = kBriefingTyping;
    BriefingTypedChars = 1;
    for (int frame = 0; frame < 5000 && BriefingState == kBriefingTyping; ++frame) RunKarteFrame();
    EXPECT_EQ(BriefingState, kBriefingComplete);
    EXPECT_EQ(BriefingTypedChars, 32767);

    MissionNummer = 2;  // no briefing file in this folder: the box stays empty
    LoadBriefingText();
    EXPECT_TRUE(BriefingText.empty());
}

}  // namespace
}  // namespace kv
