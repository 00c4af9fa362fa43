#pragma once
// A mission started on the generated sample data, as the missions' own tests set it up: at its
// campaign position, with a seed, its map left for play; and the player's units a test places in
// it.

#include <gtest/gtest.h>

#include <cstdint>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class SampleMissionTest : public MissionTest {
  protected:
    SampleMissionTest(int mission, std::uint32_t seed) : mission_(mission), seed_(seed) {}

    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        start();
    }
    void start() {
        GameSpeed = 1;
        SeedRandom(seed_);
        CampaignPosition = CampaignPositionOf(mission_);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, mission_);
    }
    // The mission anew, as after a failure.
    void restart() {
        ShutdownMission(1);
        start();
    }

    // One of the player's persons (no controller) standing there.
    static std::int16_t staff(std::int8_t type, std::int16_t x, std::int16_t y,
                              std::int8_t storey = 0, std::int8_t direction = 0) {
        const std::int16_t i = CreatePersonAt(x, y, storey, direction);
        EXPECT_GE(i, 0) << x << "," << y;
        if (i < 0) return i;
        Person& p = P(i);
        LoadPersonTyp(type);
        p.type = type;
        p.controlFlags = 0;
        return i;
    }
    // One of the player's vehicles standing there, facing east.
    static std::int16_t vehicle(std::int16_t type, std::int16_t x, std::int16_t y) {
        LoadFahrzeugTyp(type);
        const std::int16_t v = CreateFahrzeug(type, x, y, 3);
        EXPECT_GE(v, 0);
        if (v >= 0) SetupFahrzeug(v, 1);
        return v;
    }
    static Person& P(std::int32_t i) { return Personen[static_cast<std::size_t>(i)]; }
    static SonderObj& O(std::int32_t slot) { return SonderObjs[static_cast<std::size_t>(slot)]; }

  private:
    int mission_;
    std::uint32_t seed_;
};

}  // namespace kv::test
