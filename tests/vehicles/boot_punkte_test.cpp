// Boat points on mission 1's pond: the stored record, the mission's set-up with its marker, the
// points the mouse hits, the orders a click gives each selected type, and the markers drawn.

#include "vehicles/boot_punkte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/frame_buffer.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "media/speech.h"
#include "movement/befehl_queue.h"
#include "platform/bytes.h"
#include "platform/sound.h"
#include "support/sound_log.h"
#include "vehicles/boat_fixture.h"
#include "world/point_marker.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kPointX = test::kShorePoint.x;
constexpr int kPointY = test::kShorePoint.y;

TEST(BootPunktRecords, TheBytesOfAddedAndUnusedPoints) {
    BootPunktCount = 2;
    AllocBootPunkte();
    BootPunkte[1].active = 1;  // a stale byte is not kept
    AllocBootPunkte();
    // The definers pass the facing third, the record keeps it after the offsets.
    AddBootPunkt(1085, 725, 3, 0, -75, 70, -20, 1);
    ByteWriter out;
    for (const BootPunkt& b : BootPunkte) WriteRecord(out, b);
    const std::vector<std::uint8_t> expected = {
        0x3D, 0x04, 0xD5, 0x02, 0x00, 0x00, 0xB5, 0xFF, 0x46, 0x00, 0xEC, 0xFF, 0x03, 0x01,
        0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
    EXPECT_EQ(out.data(), expected);

    AddBootPunkt(2000, 100, 6, 1, 2, 3, 4, 0);
    AddBootPunkt(3000, 100, 6, 1, 2, 3, 4, 0);  // no room left
    ASSERT_EQ(BootPunkte.size(), 2u);
    EXPECT_EQ(BootPunkte[1].x, 2000);

    for (const std::int16_t count : {0, -3}) {
        BootPunktCount = count;
        AllocBootPunkte();
        AddBootPunkt(1085, 725, 3, 0, 75, 70, 20, 1);
        EXPECT_TRUE(BootPunkte.empty()) << count;
    }
    FreeBootPunkte();
}

std::uint8_t g_added = 0;
void ThreeAllocated() {
    BootPunktCount = 3;
    AllocBootPunkte();
    for (std::uint8_t i = 0; i < g_added; ++i) AddBootPunkt(100, 100, 0, 0, 0, 0, 0, 1);
}

class BootPunkteTest : public test::BoatTest {
  protected:
    void SetUp() override {
        BoatTest::SetUp();
        carrier = Put(kTypF117, 1000, 640);
        Select(carrier);
        ViewOrigin = {1000, 620};
    }
    void TearDown() override {
        DrawTarget = nullptr;
        BoatTest::TearDown();
    }
    // The mouse over a world point; the cursor the hover gives, 0 when it gives none.
    static int hoverAt(int x, int y) {
        MouseX = static_cast<std::uint16_t>(x - ViewOrigin.x);
        MouseY = static_cast<std::uint16_t>(y - ViewOrigin.y);
        CursorId = 0;
        const std::uint8_t over = HoverBootPunkt();
        EXPECT_EQ(over != 0, CursorId != 0);
        return CursorId;
    }
    // The carrier under the mouse.
    static void hover(std::int16_t vehicle) {
        HoverKind = kHoverFahrzeug;
        HoverIds[0] = static_cast<std::uint16_t>(vehicle);
    }
    std::int16_t carrier = -1;
};

TEST_F(BootPunkteTest, TheMissionSetsItsPointsUpOnceWithTheMarkerWhenEveryPointIsUsed) {
    ASSERT_EQ(BootPunkte.size(), 2u);
    EXPECT_EQ(BootPunkte[0].x, test::kShorePoint.x);
    EXPECT_EQ(BootPunkte[1].active, 0);
    ASSERT_NE(BootMarkerImage, nullptr);
    ASSERT_EQ(FrameCount(BootMarkerImage), 4u);
    EXPECT_EQ(BootMarkerImage[0].width, kPointMarkerSize);

    ASSERT_TRUE(InitBootPunkte(1));
    EXPECT_EQ(BootPunkte.size(), 2u) << "a second part starts afresh";

    ASSERT_TRUE(InitBootPunkte(2));
    EXPECT_TRUE(BootPunkte.empty()) << "a mission without a definer has none";
    EXPECT_NE(BootMarkerImage, nullptr);

    MissionHookRows[1].InitBootPunkte = ThreeAllocated;
    g_added = 2;
    ASSERT_TRUE(InitBootPunkte(2));
    EXPECT_EQ(BootMarkerImage, nullptr) << "a point left unused";
    g_added = 3;
    ASSERT_TRUE(InitBootPunkte(2));
    EXPECT_NE(BootMarkerImage, nullptr);

    test::ScratchDir dir;
    test::WorkingDirectory cwd(dir.path());
    EXPECT_FALSE(InitBootPunkte(1));
    EXPECT_EQ(FatalErrorMessage(), "file not found: BOOTPUNKT");
}

TEST_F(BootPunkteTest, AnActivePointIsHitFromTenPixelsBeforeToNineAfter) {
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {kPointX, kPointY, true},       {kPointX - 10, kPointY, true},
        {kPointX - 11, kPointY, false}, {kPointX + 9, kPointY, true},
        {kPointX + 10, kPointY, false}, {kPointX, kPointY - 10, true},
        {kPointX, kPointY - 11, false}, {kPointX, kPointY + 9, true},
        {kPointX, kPointY + 10, false}, {test::kIdlePoint.x, test::kIdlePoint.y, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(hoverAt(c.x, c.y), c.hit ? kCursorRescue : 0);
        EXPECT_EQ(ClickBootPunkt(static_cast<std::int16_t>(c.x), static_cast<std::int16_t>(c.y)),
                  c.hit ? 1 : 0);
    }

    // Only with one boat or carrier selected, and only the one the selection names.
    struct Selection {
        std::uint16_t mode;
        std::uint16_t index;
    };
    const std::int16_t engine = Put(kTypF102, 900, 640);
    const Selection others[] = {
        {kTypF102, static_cast<std::uint16_t>(engine)},
        {kTypF117, static_cast<std::uint16_t>(engine)},
        {kTypF117, 65535},
        {kTypF117, static_cast<std::uint16_t>(FahrzeugCount)},
        {kNoSelection, 65535},
    };
    for (const Selection& s : others) {
        SCOPED_TRACE(testing::Message() << s.mode << " " << s.index);
        SelectionMode = s.mode;
        SelectedIndex = s.index;
        EXPECT_EQ(hoverAt(kPointX, kPointY), 0);
        EXPECT_EQ(ClickBootPunkt(kPointX, kPointY), 0);
    }
}

TEST_F(BootPunkteTest, EachSelectedTypeIsSentToThePointWithItsOrder) {
    ASSERT_TRUE(SoundOpen());
    SoundAvailable = 1;
    test::FillSoundSlotsWithTones();
    UnitSpeech = 1;
    struct Case {
        std::int32_t type;
        float x, y;  // where it is selected
        int toX, toY;
        int opcode;
    };
    const Case cases[] = {
        {kTypF116, 1100, 900, test::kShorePoint.x + test::kShorePoint.dx,
         test::kShorePoint.y + test::kShorePoint.dy, 72},
        {kTypF117, 1000, 640, kPointX, kPointY, 71},
        {kTypF119, 1000, 640, kPointX, kPointY, 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ClearUnits();
        StopAllSounds();
        backend.sound.clearCalls();
        const std::int16_t v = Put(c.type, c.x, c.y, 9);
        Select(v);
        ASSERT_EQ(ClickBootPunkt(kPointX + 5, kPointY - 5), 1);
        ASSERT_EQ(Opcodes(V(v)), (std::vector<int>{0, 7, 1, c.opcode}));
        const Befehl& move = *V(v).orders;
        EXPECT_EQ(move.aFloat(), static_cast<float>(c.toX));
        EXPECT_EQ(move.bFloat(), static_cast<float>(c.toY));
        const Befehl& wait = *move.next;
        EXPECT_EQ(wait.aInt(), 1);
        const Befehl& turn = *wait.next;
        EXPECT_EQ(turn.aFloat(), static_cast<float>(c.toX));
        EXPECT_EQ(turn.bFloat(), static_cast<float>(c.toY));
        EXPECT_EQ(turn.cInt(), test::kShorePoint.facing);
        EXPECT_EQ(turn.dInt(), 0) << "an absolute facing";
        const Befehl& task = *turn.next;
        EXPECT_EQ(task.aInt(), 0) << "the point";
        for (const Befehl* b = &wait; b != nullptr; b = b->next) {
            EXPECT_EQ(b->e, 1u);
            EXPECT_EQ(b->flags, 0);
            EXPECT_EQ(b->extra, -1);
        }
        const int speaker = FahrzeugTypen[static_cast<std::size_t>(c.type)].speaker;
        EXPECT_EQ(test::PlayedSoundIds(backend.sound),
                  std::vector<int>{speaker * kPhraseCount + 17});
    }
    ReleaseSounds();
}

TEST_F(BootPunkteTest, APointTheVehicleIsOnOrWhoseCarrierIsUnderTheMouseIsPassedOver) {
    // The carrier on the point, to the whole pixel.
    V(carrier).x = kPointX + 0.5f;
    V(carrier).y = kPointY;
    EXPECT_EQ(hoverAt(kPointX, kPointY), 0);
    EXPECT_EQ(ClickBootPunkt(kPointX, kPointY), 0);
    EXPECT_EQ(V(carrier).orders, nullptr);

    // The boat on its launch place, exactly.
    const std::int16_t boat = BoatOnPoint();
    V(carrier).selected = 0;
    Select(boat);
    ASSERT_EQ(SelectionMode, kTypF116);
    EXPECT_EQ(hoverAt(kPointX, kPointY), 0);
    V(boat).x = test::kBoatX + 0.5f;
    EXPECT_EQ(hoverAt(kPointX, kPointY), kCursorRescue);

    // The carrier under the mouse takes the click, facing as the point does.
    V(boat).x = 1100;
    V(carrier).x = kPointX;
    V(carrier).direction = test::kShorePoint.facing;
    hover(carrier);
    EXPECT_EQ(ClickBootPunkt(kPointX, kPointY), 0);
    EXPECT_EQ(V(boat).orders, nullptr);
    V(carrier).direction = 4;
    EXPECT_EQ(hoverAt(kPointX, kPointY), kCursorRescue);
    V(carrier).direction = test::kShorePoint.facing;
    hover(500);  // names no vehicle
    EXPECT_EQ(ClickBootPunkt(kPointX, kPointY), 1);
}

TEST_F(BootPunkteTest, TheMarkerCyclesFourFramesInEightDrawsOnTheActivePointsAVehicleCanUse) {
    std::vector<std::uint8_t> screen(kScreenWidth * kScreenHeight, 0);
    DrawTarget = screen.data();
    DrawPitch = kScreenWidth;
    const int left = kPointX - 10 - ViewOrigin.x;
    const int top = kPointY - 10 - ViewOrigin.y;
    // The frame whose picture covers the screen from (left, top) alone; -2 for nothing drawn, -1
    // for anything else.
    auto drawn = [&]() {
        std::fill(screen.begin(), screen.end(), 0);
        DrawBootPunkte();
        const auto lit = std::count_if(screen.begin(), screen.end(), [](auto p) { return p; });
        if (lit == 0) return -2;
        for (int f = 0; f < kPointMarkerFrames; ++f) {
            const VffImage& m = BootMarkerImage[f];
            bool same = lit == std::count_if(m.pixels, m.pixels + m.width * m.height,
                                             [](auto p) { return p; });
            for (int y = 0; y < m.height && same; ++y)
                for (int x = 0; x < m.width && same; ++x)
                    if (const std::uint8_t want = m.pixels[y * m.width + x]; want != 0)
                        same = screen[(top + y) * kScreenWidth + left + x] == want;
            if (same) return f;
        }
        return -1;
    };
    std::vector<int> shown;
    for (int n = 0; n < 9; ++n) shown.push_back(drawn());
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3, 0}));

    // A carrier on the point hides it from any boat or carrier.
    const std::int16_t other = CarrierOnPoint();
    EXPECT_EQ(drawn(), -2);
    V(other).direction = 4;
    EXPECT_NE(drawn(), -2) << "one facing elsewhere does not stand on it";
    RemoveFahrzeug(other, kRemoveDrivenOff);

    // The boat standing on its launch place sees none; elsewhere it does.
    const std::int16_t boat = BoatOnPoint();
    V(carrier).selected = 0;
    Select(boat);
    EXPECT_EQ(drawn(), -2);
    V(boat).x = 1100;
    EXPECT_GE(drawn(), 0);
    SelectionMode = kTypF102;
    EXPECT_EQ(drawn(), -2);
    SelectionMode = kTypF116;

    // A marker of fewer than four frames is not drawn.
    const std::vector<sampledata::Canvas> three(3, sampledata::Canvas(20, 20, 9));
    FreeVff(BootMarkerImage);
    BootMarkerImage = LoadVffFromBytes(sampledata::MakeVff(three));
    EXPECT_EQ(drawn(), -2);
    FreeVff(BootMarkerImage);
    BootMarkerImage = nullptr;
    EXPECT_EQ(drawn(), -2);
}

}  // namespace
}  // namespace kv
