// The vehicle bought at a station: made at the exit point, driven out at game speed.

#include "screens/basis_screen.h"

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "persons/personen.h"
#include "screens/basis.h"
#include "screens/basis_views.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

class BasisDriveOut : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        MissionNummer = 1;
        InitBasen();
        FahrzeugCount = 4;
        AllocFahrzeuge();
        PersonCount = 20;
        AllocPersonen();
        BasisScreen = {};
        BasisScreen.base = 0;
    }
    void TearDown() override {
        FreePersonen();
        FreeFahrzeuge();
        FreeBasen();
        GameSpeed = 1;
        BasisScreen = {};
        HeadlessTest::TearDown();
    }
};

TEST_F(BasisDriveOut, TheVehicleLeavesAtGameSpeedUntilPastTheFoot) {
    struct Case {
        std::uint8_t speed;
        int frames;
    };
    for (const Case c : {Case{1, 88}, Case{3, 30}}) {
        SCOPED_TRACE(int{c.speed});
        GameSpeed = c.speed;
        BasisScreen.chosenPlace = 0;  // F301
        BasisScreen.vehicle = CreateBasisFahrzeug();
        ASSERT_GE(BasisScreen.vehicle, 0);
        const Fahrzeug& car = Fahrzeuge[static_cast<std::size_t>(BasisScreen.vehicle)];
        EXPECT_EQ(car.type, kTypF301);
        EXPECT_EQ(car.x, 277.0F);
        EXPECT_EQ(car.y, 270.0F);
        EXPECT_EQ(car.direction, 7);
        EXPECT_EQ(car.storey, -5);
        EXPECT_EQ(car.controlFlags & kOwnerBought, kOwnerBought);
        EXPECT_FALSE(DriveBasisFahrzeugOut());
        EXPECT_NEAR(car.x, 277 - 1.8181819 * c.speed, 1e-3);
        EXPECT_NEAR(car.y, 270 + 3.1818182 * c.speed, 1e-3);
        int frames = 1;  // the frame that ends the drive-out counts
        while (!DriveBasisFahrzeugOut() && frames < 200) ++frames;
        EXPECT_EQ(frames + 1, c.frames);
        EXPECT_EQ(car.KarteWeg, 0) << "bought, it waits at the start of its base's map road";
        EXPECT_EQ(Personen[0].storey, -3);  // fresh staff for the next purchase
    }
}

TEST_F(BasisDriveOut, NoFreeSlotMeansNoVehicleAndNothingDriven) {
    BasisScreen.chosenPlace = 0;
    for (int i = 0; i < FahrzeugCount; ++i) ASSERT_GE(CreateBasisFahrzeug(), 0);
    EXPECT_EQ(CreateBasisFahrzeug(), -1);
    BasisScreen.vehicle = -1;
    EXPECT_FALSE(DriveBasisFahrzeugOut());
    // START then leaves the hall as it is: no gate opens for a vehicle that is not there.
    BasisScreen.view = kBasisViewUnten;
    LoadBasisAussen();
    EXPECT_EQ(BasisScreen.view, kBasisViewUnten);
    EXPECT_EQ(BasisScreen.vehicle, -1);
}

// A view picture that is missing ends the game, named as the screen names it.
TEST_F(BasisDriveOut, AMissingViewPictureIsFatal) {
    test::ScratchDir dir;
    test::WorkingDirectory cwd(dir.path());
    BasisScreen.pathTemplate = "basen\\klein\\%s";
    BasisScreen.chosenPlace = 0;
    struct Case {
        void (*load)();
        const char* message;
    };
    for (const Case c : {Case{LoadBasisOben, "file not found: BASISOBENANSICHT"},
                         Case{LoadBasisUnten, "file not found: basen\\klein\\unten.vff"},
                         Case{LoadBasisAussen, "file not found: BASISAUSSENANSICHT"},
                         Case{LoadBasisMaske, "file not found: BASISAUSSENMASKE"}}) {
        ResetFatalError();
        c.load();
        EXPECT_EQ(FatalErrorMessage(), c.message);
    }
    ResetFatalError();
    BasisScreen.pathTemplate.clear();
}

}  // namespace
}  // namespace kv
