#include "persons/mission_actions_fixture.h"

#include <gtest/gtest.h>

#include <span>

#include "core/fatal_error.h"
#include "gfx/image_files.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/terrain.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv::test {

std::vector<std::pair<std::int32_t, std::int32_t>> MissionActionsTest::calls;

namespace {

void MakeType(std::int16_t slot, int width, int height, int frames,
              std::array<std::int16_t, 4> box) {
    std::vector<sampledata::AffFrame> pictures;
    for (int f = 0; f < frames; ++f)
        pictures.push_back(
            {0, 0, sampledata::Canvas(width, height, static_cast<std::uint8_t>(f + 1)), 0});
    SonderObjTyp& t = *SonderObjTypAt(slot);
    t.frames = LoadAffFromBytes(sampledata::MakeAff(pictures));
    t.frameCount = static_cast<std::int16_t>(frames);
    t.ticksPerFrame = 1000;  // the frames stay as a test sets them
    t.boxX0 = box[0];
    t.boxY0 = box[1];
    t.boxX1 = box[2];
    t.boxY1 = box[3];
    t.objectSet = 1;
}

}  // namespace

void MissionActionsTest::SetUp() {
    PersonHouseTest::SetUp();
    SonderObjTypCount = kCommonSonderObjTypen + 2;
    SonderObjCount = 0;
    AllocSonderObj();
    MakeType(kWorkTyp, 41, 24, 3, {2, 4, 35, 20});
    MakeType(kSmallTyp, 10, 10, 2, {-6, -10, 9, 5});
    BrandStates.assign(MapCells.size(), BrandState{});
    CellAnims.assign(MapCells.size(), CellAnim{});
    const TerrainTyp ground = TerrainTypen[1];
    TerrainTypen.resize(4, ground);
    TerrainTypen[kTreeTerrain].burntTerrain = kFelledTerrain;
    TerrainCount = 4;
    for (int type : {0, 1, 2, 3, 4, 5, 6, 46}) LoadPersonTyp(static_cast<std::int16_t>(type));
    calls.clear();
    callbacks_[kRecordingCallback] = [](std::int32_t object, std::int32_t person) {
        calls.emplace_back(object, person);
    };
    SetBefehlCallbackSource(&callbacks_);
    InitBefehlCallbacks();
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

void MissionActionsTest::TearDown() {
    SetBefehlCallbackSource(nullptr);
    PersonHouseTest::TearDown();
}

std::int16_t MissionActionsTest::object(std::int16_t type, int x, int y) {
    const std::int16_t slot = FindFreeSonderObj();
    EXPECT_GE(slot, 0);
    CreateSonderObj(slot, type, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0, 15,
                    0, 0.0f, 0);
    return slot;
}

std::int16_t MissionActionsTest::stand(int type, int x, int y, int direction) {
    return place(type, static_cast<float>(x), static_cast<float>(y), direction);
}

void MissionActionsTest::order(std::int16_t person, int opcode, std::int32_t a, std::int32_t b,
                               std::int32_t c, std::int32_t d, std::uint32_t e) {
    Person& p = Personen[static_cast<std::size_t>(person)];
    SetBefehl(p, PersonTypOf(p), static_cast<std::uint8_t>(opcode), -1, a, b, c, d, e);
}

void MissionActionsTest::run(int n) {
    for (int t = 0; t < n; ++t) {
        ticks(1);
        UpdateSonderObj();
        ++TickCounter;
    }
}

int MissionActionsTest::head(std::int16_t person) {
    return HeadBefehlOpcode(Personen[static_cast<std::size_t>(person)]);
}

std::int16_t MissionActionsTest::vehicle(std::int32_t type, int x, int y) {
    LoadFahrzeugTyp(static_cast<std::int16_t>(type));
    const std::int16_t v =
        CreateFahrzeug(type, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 3);
    EXPECT_GE(v, 0);
    if (v >= 0) SetupFahrzeug(v, 1);
    return v;
}

}  // namespace kv::test
