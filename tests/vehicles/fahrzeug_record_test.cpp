// The vehicle record's save layout: the shared head, then the vehicle's own fields, as the save
// game's vehicle block copies them; and the boat point's.

#include <gtest/gtest.h>

#include "support/record_offsets.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug.h"

namespace kv {
namespace {

TEST(FahrzeugRecord, SaveOffsets) {
    test::ExpectLayout<Fahrzeug>(346, {{"moverFlags", 268},
                                       {"speed", 277},
                                       {"aimX", 298},
                                       {"zone", 308},
                                       {"sound", 310},
                                       {"seats", 312},
                                       {"heat", 316},
                                       {"KarteWeg", 320},
                                       {"KarteX", 321},
                                       {"KarteY", 323},
                                       {"KartePrevX", 325},
                                       {"KartePrevY", 327},
                                       {"KarteStepCountdown", 329},
                                       {"wasserStrahl", 330},
                                       {"kanzel", 334},
                                       {"pieces", 338},
                                       {"pieceCount", 342},
                                       {"pushedObject", 344}});
    test::ExpectLayout<KanzelState>(11, {{"position", 0},
                                         {"column", 1},
                                         {"persons", 2},
                                         {"down", 3},
                                         {"moving", 4},
                                         {"ticks", 5},
                                         {"reverse", 6},
                                         {"liftFrame", 7},
                                         {"spare", 8},
                                         {"target", 9}});
    test::ExpectLayout<WasserStrahl>(36, {{"active", 8},
                                          {"elevation", 9},
                                          {"targetX", 12},
                                          {"splash", 30},
                                          {"countdown", 32},
                                          {"spare", 34}});
}

TEST(FahrzeugRecord, NewSlotHasTheFreeDefaults) {
    const Fahrzeug v;
    EXPECT_EQ(v.type, -1);
    EXPECT_EQ(v.present, 1);
    EXPECT_EQ(v.targetable, 1);
    EXPECT_EQ(v.selectable, 1);
    EXPECT_EQ(v.controlFlags, 0);
    EXPECT_EQ(v.house, 0xFFFF);
    EXPECT_EQ(v.energy, 1000000);
    EXPECT_EQ(v.stepMarker, 128);
    EXPECT_EQ(v.moveByte, 0);
    EXPECT_EQ(v.KarteWeg, -1);
    EXPECT_EQ(v.sound, -1);
    EXPECT_EQ(v.pushedObject, 0xFFFF);
    EXPECT_TRUE(v.seats.empty());
    EXPECT_EQ(v.wasserStrahl, nullptr);
    EXPECT_EQ(v.kanzel, nullptr);
    EXPECT_EQ(v.orders, nullptr);
}

TEST(BootPunktRecord, SaveOffsets) {
    test::ExpectLayout<BootPunkt>(14, {{"x", 0},
                                       {"y", 2},
                                       {"dx", 4},
                                       {"dy", 6},
                                       {"ex", 8},
                                       {"ey", 10},
                                       {"facing", 12},
                                       {"active", 13}});
}

}  // namespace
}  // namespace kv
