// The control panel drawn into a screen buffer on the sample data's panel pictures: the buttons
// and pictures each selection gives, the money, the blinking bar, the crew squares, and pictures
// and seat counts from files that do not fit.

#include "mission/panels/control_panel.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "core/campaign.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "gfx/blend_tables.h"
#include "gfx/frame_buffer.h"
#include "mission/command_slots.h"
#include "mission/panel_pictures.h"
#include "mission/panels/command_tables.h"
#include "mission/scan_display.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"
#include "world/wasser_strahl.h"

namespace kv {
namespace {

constexpr std::uint16_t N = kNoCommand;
// The tint of a plain energy bar, as the test's blend table makes it.
constexpr std::uint8_t kTinted = 77;

// The unit panels' corners.
constexpr std::array<std::pair<int, int>, 2> kPanels = {{{32, 493}, {203, 493}}};

class ControlPanel : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        ASSERT_TRUE(LoadPanelPictures(1));
        DrawTarget = screen.data();
        DrawPitch = kScreenWidth;
        WorldMaxX = 3000;
        WorldMaxY = 2000;
        savedBlend = BlendTable50;
        for (int c = 0; c < 256; ++c) BlendTable50[203 * 256 + c] = kTinted;
        PanelBlink = 4;
    }
    void TearDown() override {
        BlendTable50 = savedBlend;
        DrawTarget = nullptr;
        FreePanelPictures();
        FreeMapWege();
        BootPunkte.clear();
        PontonPunkte.clear();
        FahrzeugTest::TearDown();
    }

    static void Fresh() {
        FreshUnitArrays();
        BootPunkte.clear();
        PontonPunkte.clear();
        MissionNummer = 1;
        WorldMaxX = 3000;
        WorldMaxY = 2000;
        PanelBlink = 4;
    }
    static Fahrzeug& V(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }
    // A vehicle at (600, 500) with its flag bytes as when bought, selected.
    static std::int16_t SelectVehicle(std::int32_t type, std::int32_t facing = 3) {
        const std::int16_t v = Make(type, kOwnerBought, 600, 500, facing);
        V(v).targetable = 1;
        V(v).selectable = 1;
        SelectionMode = static_cast<std::uint16_t>(type);
        SelectedIndex = static_cast<std::uint16_t>(v);
        return v;
    }
    static std::int16_t Standing(std::int8_t type, std::int32_t energy = kFullEnergy) {
        LoadPersonTyp(type);
        const std::int16_t p = MakePerson(type, energy);
        P(p).x = 300;
        P(p).y = 400;
        return p;
    }
    static std::int16_t SelectPerson(std::int8_t type, std::uint16_t mode = 0) {
        const std::int16_t p = Standing(type);
        SelectionMode = mode != 0 ? mode : static_cast<std::uint16_t>(kPersonSelected + type);
        SelectedIndex = static_cast<std::uint16_t>(p);
        return p;
    }
    // A seated person of a loaded type.
    static std::int16_t Aboard(std::int16_t v, std::int8_t type,
                               std::int32_t energy = kFullEnergy) {
        LoadPersonTyp(type);
        return Seat(v, type, energy);
    }
    // A treated casualty.
    static std::int16_t Patient(std::int32_t energy) {
        const std::int16_t p = Standing(27, energy);
        P(p).casualty = 1;
        P(p).treated = 1;
        return p;
    }
    static int VPic(int type) { return FahrzeugTypen[static_cast<std::size_t>(type)].panelPicture; }
    static int PPic(int type) { return PersonTypen[static_cast<std::size_t>(type)].panelPicture; }

    std::uint8_t at(int x, int y) const {
        return screen[static_cast<std::size_t>(y) * kScreenWidth + x];
    }
    // Whether the frame's pixels (its non-zero ones when transparent) stand at (x, y); only the
    // part from (fromX, fromY) of the frame is compared.
    bool shows(const VffImage& f, int x, int y, bool transparent, int fromX = 0,
               int fromY = 0) const {
        for (int j = fromY; j < f.height; ++j)
            for (int i = fromX; i < f.width; ++i) {
                const std::uint8_t c = f.pixels[j * f.width + i];
                if ((!transparent || c != 0) && at(x + i, y + j) != c) return false;
            }
        return true;
    }
    // The unit picture in panel k (0, 1), left of the crew squares and below the bar; -1 none.
    int pictureIn(int k) const {
        for (std::size_t n = 0; n < FrameCount(MaskPicsImages); ++n)
            if (shows(MaskPicsImages[n], kPanels[k].first, kPanels[k].second, false, 8, 12))
                return static_cast<int>(n);
        return -1;
    }
    // The bar mode that shows in panel k: a state picture, a tinted or a critical bar; -1 none.
    int barIn(int k) const {
        const int x = kPanels[k].first + 2;
        const int y = kPanels[k].second + 2;
        if (shows(ZBalkenImages[1], x, y, true)) return 0;
        if (shows(ZBalkenImages[0], x, y, true)) return 1;
        if (at(x, y) == kTinted) return 2;
        if (at(x, y) == 249) return 3;
        return -1;
    }
    static std::array<std::uint16_t, 3> Buttons() {
        return {CommandSlots[0].command, CommandSlots[1].command, CommandSlots[2].command};
    }

    std::vector<std::uint8_t> screen = std::vector<std::uint8_t>(kScreenWidth * kScreenHeight, 0);
    BlendTable savedBlend{};
};

// What a selection gives: the three buttons, the pictures and bars of both panels (-1 none).
struct Shown {
    std::array<std::uint16_t, 3> buttons;
    int picture1 = -1;
    int bar1 = -1;
    int picture2 = -1;
    int bar2 = -1;
};
struct PanelCase {
    const char* what;
    std::function<Shown()> scene;
};

TEST_F(ControlPanel, TheSelectionDecidesTheButtonsAndPictures) {
    // The F102's door for its last occupant, moved to (x, y) by moving the vehicle.
    auto doorAt = [](std::int16_t v, std::int16_t person, int x, int y) {
        const FahrzeugPunkt d = GetFahrzeugDoorPoint(v, person);
        V(v).x += static_cast<float>(x - d.x);
        V(v).y += static_cast<float>(y - d.y);
        UpdateFahrzeugDrawPos(V(v));
        const FahrzeugPunkt moved = GetFahrzeugDoorPoint(v, person);
        EXPECT_EQ(moved.x, x);
        EXPECT_EQ(moved.y, y);
    };
    auto crewedF102 = [] {
        const std::int16_t v = SelectVehicle(kTypF102);
        for (int i = 0; i < 3; ++i) Aboard(v, 1);
        return v;
    };
    const PanelCase cases[] = {
        // One vehicle.
        {"a fire engine with its crew",
         [&] {
             crewedF102();
             return Shown{{1, N, 3}, VPic(kTypF102), 2};
         }},
        {"energy 0: no way back",
         [&] {
             V(crewedF102()).energy = 0;
             return Shown{{1, N, N}, VPic(kTypF102), -1};
         }},
        {"not selectable as when bought",
         [&] {
             V(crewedF102()).selectable = 0;
             return Shown{{1, N, N}, VPic(kTypF102), 2};
         }},
        {"only a casualty and a led person aboard",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF102);
             P(Aboard(v, 27)).casualty = 1;
             P(Aboard(v, 0)).controlFlags = kPersonController;
             return Shown{{N, N, 3}, VPic(kTypF102), 2};
         }},
        {"the exit 19 px from the left edge",
         [&] {
             const std::int16_t v = crewedF102();
             doorAt(v, V(v).seats[2], 19, 500);
             return Shown{{N, N, 3}, VPic(kTypF102), 2};
         }},
        {"the exit 20 px from the left edge",
         [&] {
             const std::int16_t v = crewedF102();
             doorAt(v, V(v).seats[2], 20, 500);
             return Shown{{1, N, 3}, VPic(kTypF102), 2};
         }},
        {"the exit 19 px from the top edge",
         [&] {
             const std::int16_t v = crewedF102();
             doorAt(v, V(v).seats[2], 600, 19);
             return Shown{{N, N, 3}, VPic(kTypF102), 2};
         }},
        {"the exit at WorldMaxX",
         [&] {
             const std::int16_t v = crewedF102();
             WorldMaxX = static_cast<std::uint16_t>(GetFahrzeugDoorPoint(v, V(v).seats[2]).x);
             return Shown{{1, N, 3}, VPic(kTypF102), 2};
         }},
        {"the exit one past WorldMaxX",
         [&] {
             const std::int16_t v = crewedF102();
             WorldMaxX = static_cast<std::uint16_t>(GetFahrzeugDoorPoint(v, V(v).seats[2]).x - 1);
             return Shown{{N, N, 3}, VPic(kTypF102), 2};
         }},
        {"a helicopter in the air",
         [&] {
             Aboard(SelectVehicle(kTypF203), 1);
             return Shown{{N, N, 3}, VPic(kTypF203), 2};
         }},
        {"a landed helicopter",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF203);
             Aboard(v, 1);
             V(v).anim = 3;
             return Shown{{1, N, 3}, VPic(kTypF203), 2};
         }},
        {"the ladder up, its basket out",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF106);
             V(v).anim = 13;
             V(v).kanzel->column = 0;
             return Shown{{N, 15, 3}, VPic(kTypF106), 2};
         }},
        {"the ladder up, its basket home",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF106);
             V(v).anim = 3;
             return Shown{{N, N, 3}, VPic(kTypF106), 2};
         }},
        {"a boat with a casualty aboard",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF116);
             Aboard(v, 1);
             P(Aboard(v, 27)).casualty = 1;
             return Shown{{1, 0, N}, VPic(kTypF116), 2};
         }},
        {"an ambulance bringing its patient",
         [&] {
             const std::int16_t v = SelectVehicle(8);
             V(v).link = static_cast<std::uint16_t>(Patient(500000));
             return Shown{{N, N, 3}, VPic(8), 2, PPic(27), 3};
         }},
        {"the helicopter carrying a person",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF203);
             V(v).type = static_cast<std::int8_t>(kTypF203B);
             SelectionMode = kTypF203B;
             V(v).link = static_cast<std::uint16_t>(Standing(27));
             return Shown{{N, N, N}, VPic(kTypF203B), 2, PPic(27), 1};
         }},
        {"the pontoon layer laying",
         [&] {
             V(SelectVehicle(kTypF113)).anim = 2;
             return Shown{{N, N, N}, VPic(kTypF113), 2};
         }},
        {"the pontoon layer set up",
         [&] {
             V(SelectVehicle(kTypF113)).anim = 4;
             return Shown{{18, N, N}, VPic(kTypF113), 2};
         }},
        {"the pontoon layer on its point",
         [&] {
             SelectVehicle(kTypF113);
             PontonPunkte.resize(2);
             PontonPunkte[1].x = 600;
             PontonPunkte[1].y = 500;
             return Shown{{19, N, 3}, VPic(kTypF113), 2};
         }},
        {"the pontoon layer beside its point",
         [&] {
             SelectVehicle(kTypF113);
             PontonPunkte.resize(1);
             PontonPunkte[0].x = 600;
             PontonPunkte[0].y = 501;
             return Shown{{N, N, 3}, VPic(kTypF113), 2};
         }},
        {"the boat carrier on an active point with its facing",
         [&] {
             SelectVehicle(kTypF117, 5);
             BootPunkte = {{600, 500, 0, 0, 0, 0, 5, 1}};
             return Shown{{17, N, 3}, VPic(kTypF117), 2};
         }},
        {"the boat carrier on an inactive point",
         [&] {
             SelectVehicle(kTypF117, 5);
             BootPunkte = {{600, 500, 0, 0, 0, 0, 5, 0}};
             return Shown{{N, N, 3}, VPic(kTypF117), 2};
         }},
        {"the trailer",
         [&] {
             SelectVehicle(kTypF118);
             return Shown{{17, N, 3}, VPic(kTypF118), 2};
         }},
        {"the loaded crane",
         [&] {
             V(SelectVehicle(kTypF110)).type = static_cast<std::int8_t>(kTypF110MD);
             SelectionMode = kTypF110MD;
             return Shown{{17, N, 3}, VPic(kTypF110MD), 2};
         }},
        {"an ambulance whose patient is low",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF201);
             P(Aboard(v, kPersonTypStretcherTeam)).link =
                 static_cast<std::uint16_t>(Patient(200000));
             return Shown{{1, N, N}, VPic(kTypF201), 2, PPic(27), 3};
         }},
        {"an ambulance whose patient holds on",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF201);
             P(Aboard(v, kPersonTypStretcherTeam)).link =
                 static_cast<std::uint16_t>(Patient(300000));
             return Shown{{1, N, 3}, VPic(kTypF201), 2, PPic(27), 3};
         }},
        {"the helicopter's patient at 200000 holds on",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF203);
             P(Aboard(v, kPersonTypStretcherTeam)).link =
                 static_cast<std::uint16_t>(Patient(200000));
             return Shown{{N, N, 3}, VPic(kTypF203), 2, PPic(27), 3};
         }},
        {"the tent moving",
         [&] {
             V(SelectVehicle(kTypF204)).anim = 4;
             return Shown{{N, N, N}, VPic(kTypF204), 2};
         }},
        {"the tent up, ready to come down",
         [&] {
             const std::int16_t v = SelectVehicle(kTypF204);
             V(v).anim = 3;
             const std::int16_t slot = FindFreeSonderObj();
             CreateSonderObj(slot, kSobjZelt, 600, 500, 0, 15, 0, 0.0f, 0);
             SonderObjAt(slot)->commands = std::make_unique<SonderObjCommand>();
             SonderObjAt(slot)->commands->b = 1;
             V(v).link = static_cast<std::uint16_t>(slot);
             return Shown{{18, N, N}, VPic(kTypF204), 2};
         }},
        {"the tent up, still busy",
         [&] {
             V(SelectVehicle(kTypF204)).anim = 3;
             return Shown{{N, N, N}, VPic(kTypF204), 2};
         }},
        {"the tent folded",
         [&] {
             SelectVehicle(kTypF204);
             return Shown{{19, N, 3}, VPic(kTypF204), 2};
         }},
        {"the crowd cannon dry",
         [&] {
             SelectVehicle(kTypF303);
             return Shown{{N, 12, 3}, VPic(kTypF303), 2};
         }},
        {"the crowd cannon spraying",
         [&] {
             FahrzeugWasserStrahl(SelectVehicle(kTypF303))->active = 1;
             return Shown{{N, 13, 3}, VPic(kTypF303), 2};
         }},
        // One person.
        {"a police officer",
         [&] {
             SelectPerson(0);
             return Shown{{4, 5, N}, PPic(0), 2};
         }},
        {"a police officer leading someone",
         [&] {
             const std::int16_t led = Standing(27, 500000);
             P(SelectPerson(0)).link = static_cast<std::uint16_t>(1000 + led);
             return Shown{{11, N, N}, PPic(0), 2, PPic(27), 2};
         }},
        {"a fire fighter leading someone",
         [&] {
             const std::int16_t led = Standing(27);
             P(SelectPerson(2)).link = static_cast<std::uint16_t>(1000 + led);
             return Shown{{11, N, N}, PPic(2), 2, PPic(27), 2};
         }},
        {"a fire fighter alone",
         [&] {
             SelectPerson(2);
             return Shown{{N, N, N}, PPic(2), 2};
         }},
        {"a medic treating",
         [&] {
             const std::int16_t patient = Patient(100000);
             const std::int16_t p = SelectPerson(4);
             P(p).anim = 5;
             P(p).link = static_cast<std::uint16_t>(patient);
             return Shown{{N, N, N}, PPic(4), 2, PPic(27), 3};
         }},
        {"a medic reviving",
         [&] {
             const std::int16_t patient = Standing(27, 0);
             P(patient).treated = 1;
             const std::int16_t p = SelectPerson(4);
             P(p).link = static_cast<std::uint16_t>(patient);
             AppendBefehl(P(p), 202, 0, 0, 0, 0, 1, 2);
             return Shown{{N, N, N}, PPic(4), 2, PPic(27), 0};
         }},
        {"a fire fighter with an extinguisher",
         [&] {
             SelectPerson(8);
             return Shown{{20, N, N}, PPic(8), 2};
         }},
        {"a fire fighter carrying a casualty",
         [&] {
             const std::int16_t carried = Standing(27);
             P(SelectPerson(12)).link = static_cast<std::uint16_t>(carried);
             return Shown{{2, N, N}, PPic(12), 2, PPic(27), 1};
         }},
        {"a fire fighter carrying an object",
         [&] {
             SelectPerson(14);
             return Shown{{2, N, N}, PPic(14), 2};
         }},
        {"a fire fighter carrying a tyre",
         [&] {
             SelectPerson(45);
             return Shown{{16, N, N}, PPic(45), 2};
         }},
        {"mission 3's marked person",
         [&] {
             MissionNummer = 3;
             MarkedPersonM03 = SelectPerson(2);
             return Shown{{N, N, N}, PPic(2), 2, 46, -1};
         }},
        // Other selections.
        {"a casualty untreated",
         [&] {
             const std::int16_t p = SelectPerson(27, kCasualtySelected);
             P(p).casualty = 1;
             return Shown{{N, N, N}, PPic(27), 1};
         }},
        {"a casualty treated, lifeless",
         [&] {
             const std::int16_t p = SelectPerson(27, kCasualtySelected);
             P(p).treated = 1;
             P(p).energy = 0;
             return Shown{{N, N, N}, PPic(27), 0};
         }},
        {"a casualty treated",
         [&] {
             P(SelectPerson(27, kCasualtySelected)).treated = 1;
             return Shown{{N, N, N}, PPic(27), 3};
         }},
        {"a fire fighter at the hose compartment",
         [&] {
             const std::int16_t v = Make(kTypF102);
             P(SelectPerson(1, 2001)).link2 = static_cast<std::uint16_t>(v);
             return Shown{{9, 8, 14}, PPic(1), 2, VPic(kTypF102), 2};
         }},
        {"another fire fighter at the hose compartment",
         [&] {
             const std::int16_t v = Make(kTypF102);
             P(SelectPerson(2, 2001)).link2 = static_cast<std::uint16_t>(v);
             return Shown{{9, N, 14}, PPic(2), 2, VPic(kTypF102), 2};
         }},
        {"giving equipment back",
         [&] {
             const std::int16_t v = Make(kTypF102);
             P(SelectPerson(8, 2004)).link2 = static_cast<std::uint16_t>(v);
             return Shown{{9, 10, N}, PPic(8), 2, VPic(kTypF102), 2};
         }},
        {"at the extinguishers of a full vehicle",
         [&] {
             const std::int16_t v = Make(kTypF102);
             for (int i = 0; i < 9; ++i) Aboard(v, 1);
             P(SelectPerson(1, 2003)).link2 = static_cast<std::uint16_t>(v);
             return Shown{{N, 6, N}, PPic(1), 2, VPic(kTypF102), 2};
         }},
        {"at the hoses and rope",
         [&] {
             const std::int16_t v = Make(kTypF102);
             P(SelectPerson(1, 2005)).link2 = static_cast<std::uint16_t>(v);
             return Shown{{9, 8, 21}, PPic(1), 2, VPic(kTypF102), 2};
         }},
        {"at the cutters",
         [&] {
             const std::int16_t v = Make(kTypF102);
             P(SelectPerson(1, 2007)).link2 = static_cast<std::uint16_t>(v);
             return Shown{{9, 7, N}, PPic(1), 2, VPic(kTypF102), 2};
         }},
        {"at the cutters and saws",
         [&] {
             const std::int16_t v = Make(kTypF102);
             P(SelectPerson(1, 2009)).link2 = static_cast<std::uint16_t>(v);
             return Shown{{9, 7, 14}, PPic(1), 2, VPic(kTypF102), 2};
         }},
        {"at a vehicle gone since",
         [&] {
             P(SelectPerson(1, 2003)).link2 = 7;
             return Shown{{N, N, N}};
         }},
        {"a box group",
         [&] {
             SelectPerson(3, kBoxGroupSelected);
             return Shown{{N, N, N}, PPic(3), 2};
         }},
        {"several",
         [&] {
             SelectionMode = kSeveralSelected;
             SelectedIndex = 65535;
             return Shown{{N, N, N}};
         }},
        {"nothing",
         [&] {
             SelectionMode = kNoSelection;
             SelectedIndex = 65535;
             return Shown{{N, N, N}};
         }},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        std::fill(screen.begin(), screen.end(), 0);
        for (CommandSlot& slot : CommandSlots) slot.command = 0;
        const Shown e = c.scene();
        DrawControlPanel();
        EXPECT_EQ(Buttons(), e.buttons);
        EXPECT_EQ(pictureIn(0), e.picture1);
        EXPECT_EQ(barIn(0), e.bar1);
        EXPECT_EQ(pictureIn(1), e.picture2);
        EXPECT_EQ(barIn(1), e.bar2);
    }
}

TEST_F(ControlPanel, TheMoneyShowsItsLastSixDigitsAndNothingBelowZero) {
    auto digitAt = [this](int x, int d) { return shows(AnzFontImages[d + 1], x, 463, true); };
    // The right panel's background, where no digit stands.
    auto bare = [this](int x) {
        const VffImage& m = MaskeImages[0];
        for (int j = 0; j < AnzFontImages[1].height; ++j)
            for (int i = 0; i < 14; ++i)
                if (at(x + i, 463 + j) != m.pixels[(463 + j - 10) * m.width + x + i - 640])
                    return false;
        return true;
    };
    Money = 0;
    DrawControlPanel();
    EXPECT_TRUE(digitAt(746, 0));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(bare(676 + 14 * i)) << i;

    Money = 1234567;
    DrawControlPanel();
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(digitAt(676 + 14 * i, 2 + i)) << i;
    EXPECT_TRUE(bare(662));

    Money = -5;
    DrawControlPanel();
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(bare(676 + 14 * i)) << i;

    Money = 6000;
    DrawControlPanel();
    EXPECT_TRUE(bare(676) && bare(690));
    for (int i = 2; i < 6; ++i) EXPECT_TRUE(digitAt(676 + 14 * i, i == 2 ? 6 : 0)) << i;
}

TEST_F(ControlPanel, ACriticalBarBlinksFasterTheLowerTheEnergy) {
    const std::int16_t p = SelectPerson(27, kCasualtySelected);
    P(p).treated = 1;
    struct Case {
        std::int32_t energy;
        std::array<bool, 10> shown;
    };
    const Case cases[] = {
        {100000, {false, false, true, true, true, false, false, true, true, true}},
        {200000, {false, false, false, false, true, true, true, true, true, true}},
        {300000, {true, true, true, true, true, true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        P(p).energy = c.energy;
        PanelBlink = 0;
        std::array<bool, 10> shown{};
        for (bool& s : shown) {
            std::fill(screen.begin(), screen.end(), 0);
            DrawControlPanel();
            s = at(34, 495) == 249;
        }
        EXPECT_EQ(shown, c.shown) << c.energy;
        EXPECT_EQ(PanelBlink, 0) << "ten frames, round to 0 again";
    }
    // The bar is 124 px at full energy and never longer.
    P(p).energy = 5000000;
    DrawControlPanel();
    EXPECT_EQ(at(34 + 123, 495), 249);
    EXPECT_NE(at(34 + 124, 495), 249);
}

TEST_F(ControlPanel, OccupantsShowAsSquaresColouredByType) {
    const std::int16_t v = SelectVehicle(kTypF102);
    const std::array<std::int8_t, 6> types = {0, 1, 4, 5, 26, 30};
    for (const std::int8_t t : types) Aboard(v, t);
    DrawControlPanel();
    const std::array<std::uint8_t, 6> colours = {203, 249, 255, 251, 251, 242};
    for (int n = 0; n < 6; ++n) {
        const int y = 517 + 6 * n;
        EXPECT_EQ(at(34, y), colours[n]) << n;
        EXPECT_EQ(at(37, y + 3), colours[n]) << n;
        EXPECT_NE(at(34, y + 4), colours[n]) << "4 px high, 6 apart: " << n;
    }
    EXPECT_NE(at(34, 553), 242) << "no seventh";
}

TEST_F(ControlPanel, SeatsAndPicturesFromFilesThatDoNotFitStayInside) {
    // 255 seats, every one taken: the squares run past the screen's bottom and are clipped there.
    const std::int16_t v = SelectVehicle(kTypF102);
    const std::int16_t p = Aboard(v, 1);
    FahrzeugTyp& t = FahrzeugTypen[kTypF102];
    const std::uint8_t seats = t.seats;
    const std::uint8_t picture = t.panelPicture;
    t.seats = 255;
    t.panelPicture = 250;
    V(v).seats.assign(255, static_cast<std::uint16_t>(p));
    DrawControlPanel();
    EXPECT_EQ(at(34, 595), 249);
    EXPECT_EQ(pictureIn(0), -1) << "a picture past the set is left out";
    t.seats = seats;
    t.panelPicture = picture;
}

TEST_F(ControlPanel, PressedButtonsLoseTheirRaisedLookAndTheSideButtonsShowPressed) {
    const std::int16_t v = SelectVehicle(kTypF102);
    Aboard(v, 1);
    CommandSlots[0].pressed = 1;
    MapButton.pressed = 1;
    DrawControlPanel();
    EXPECT_FALSE(shows(ButsImages[0], 354, 561, false)) << "button 1 pressed";
    EXPECT_TRUE(shows(ButsImages[2], 665, 563, false)) << "button 3 raised at x 665";
    EXPECT_TRUE(shows(AbdeckImages[1], 467, 505, true)) << "button 2 covered";
    EXPECT_TRUE(shows(MapButDownImages[0], 662, 155, false));
    EXPECT_FALSE(shows(OptionsButDownImages[0], 660, 352, false));
}

TEST_F(ControlPanel, MissionNineteensScannerRunsWhileTheHelicopterSearches) {
    MissionNummer = 19;
    FreeSonderObj();
    SonderObjTypCount = MissionSonderObjTypCount(19);
    AllocSonderObj();
    ASSERT_TRUE(LoadMissionSonderObjTypen(19));
    const std::int16_t v = SelectVehicle(kTypF203);
    V(v).storey = kLayerHelicopter;
    MountaineerIndex = Standing(28);
    ScannerFrameCounter = 2;
    ScanOffset = {5, -3};
    ScanBlink = 0;
    const FrameSet& scanner = SonderObjTypAt(18)->frames[1];
    const FrameSet& point = SonderObjTypAt(19)->frames[0];
    // Unit picture 1, drawn after it, covers the scanner's left edge.
    auto shown = [this](const FrameSet& f, int x, int y) {
        return shows(VffImage{f.width, f.height, f.pixels}, x, y, true, 8);
    };

    DrawControlPanel();
    EXPECT_TRUE(shown(scanner, 174, 480)) << "frame counter / 2";
    EXPECT_FALSE(shown(point, 271, 531));
    EXPECT_EQ(ScanBlink, 1);
    std::fill(screen.begin(), screen.end(), 0);
    DrawControlPanel();
    EXPECT_TRUE(shown(point, 271, 531)) << "the point on every second frame";
    EXPECT_EQ(ScanBlink, 0);

    // Found and aboard, or the stretcher team aboard: no scanner.
    Personen[static_cast<std::size_t>(MountaineerIndex)].offMap = 1;
    std::fill(screen.begin(), screen.end(), 0);
    DrawControlPanel();
    EXPECT_FALSE(shown(scanner, 174, 480));
    Personen[static_cast<std::size_t>(MountaineerIndex)].offMap = 0;
    Aboard(v, kPersonTypStretcherTeam);
    std::fill(screen.begin(), screen.end(), 0);
    DrawControlPanel();
    EXPECT_FALSE(shown(scanner, 174, 480));
}

}  // namespace
}  // namespace kv
