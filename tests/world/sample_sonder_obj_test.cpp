// The special-object image sets of the generated sample data, and every mission's type layout
// loaded from them.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "generate/sonder_obj_looks.h"
#include "gfx/image_files.h"
#include "support/headless_test.h"
#include "world/explosions.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv {
namespace {

using sampledata::Look;
using sampledata::SonderObjLook;

const SonderObjLook* LookOf(std::string_view path) {
    for (const SonderObjLook& l : sampledata::kSonderObjLooks)
        if (l.path == path) return &l;
    return nullptr;
}

class SampleSonderObj : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        cwd_ = std::make_unique<test::WorkingDirectory>(KV_SAMPLEDATA_DIR);
    }
    void TearDown() override {
        cwd_.reset();
        HeadlessTest::TearDown();
    }
    static void allocFor(int mission) {
        SonderObjTypCount = MissionSonderObjTypCount(mission);
        SonderObjCount = 0;
        AllocSonderObj();
    }
    std::unique_ptr<test::WorkingDirectory> cwd_;
};

TEST_F(SampleSonderObj, EveryPictureHoldsItsBox) {
    for (const SonderObjSet& set : kSonderObjSets) {
        SCOPED_TRACE(std::string(set.path));
        FrameSet* frames = LoadFrameSet(set.path);
        ASSERT_NE(frames, nullptr);
        const std::size_t count = FrameCount(frames);
        EXPECT_GE(count, static_cast<std::size_t>(set.frames));
        const SonderObjLook* look = LookOf(set.path);
        if (look != nullptr) {
            EXPECT_GE(count, look->frames) << "the states a mission sets";
            bool opaque = false;
            for (std::size_t i = 0; i < count; ++i) {
                const FrameSet& f = frames[i];
                opaque = opaque || std::any_of(f.pixels, f.pixels + f.width * f.height,
                                               [](std::uint8_t p) { return p != 0; });
            }
            EXPECT_EQ(opaque, look->look != Look::kTransparent);
        }
        if (set.boxRule == SobjBox::kFixed) {
            // The box relative to the picture, which is drawn at the set's offset.
            const int dx = set.moved ? set.dx : frames[0].dx;
            const int dy = set.moved ? set.dy : frames[0].dy;
            for (std::size_t i = 0; i < count; ++i) {
                EXPECT_GE(set.box[0] - dx, 0);
                EXPECT_GE(set.box[1] - dy, 0);
                EXPECT_LT(set.box[2] - dx, frames[i].width);
                EXPECT_LT(set.box[3] - dy, frames[i].height);
            }
        }
        FreeFrameSet(frames);
    }
    EXPECT_EQ(sampledata::kSonderObjLooks.size() + 1, kSonderObjSets.size())
        << "every set has a look, but the shadow the vehicles bring";
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// Mission 1's fuel lies on the road with the road showing round it, and the crashed tractor
// has clear windows, not soot.
TEST_F(SampleSonderObj, MissionOnesFuelAndTractorShowTheRoadAndTheirWindows) {
    FrameSet* fuel = LoadFrameSet("sobj\\01\\lache.vff");
    ASSERT_NE(fuel, nullptr);
    const FrameSet& f = fuel[0];
    const auto at = [&](int x, int y) { return f.pixels[y * f.width + x]; };
    for (const auto& [x, y] :
         {std::pair{0, 0}, {f.width - 1, 0}, {0, f.height - 1}, {f.width - 1, f.height - 1}})
        EXPECT_EQ(at(x, y), 0) << x << ", " << y;
    EXPECT_NE(at(f.width / 2, f.height / 2), 0);
    FreeFrameSet(fuel);

    FrameSet* tractor = LoadFrameSet("sobj\\01\\traktor.vff");
    ASSERT_NE(tractor, nullptr);
    const FrameSet& t = tractor[0];
    const auto in = [&](sampledata::PaletteRamp r) {
        return std::count_if(t.pixels, t.pixels + t.width * t.height,
                             [&](std::uint8_t p) { return p >= r.first && p < r.first + r.count; });
    };
    EXPECT_EQ(in(sampledata::pal::kAsh), 0);
    EXPECT_GT(in(sampledata::pal::kGlass), 60);
    FreeFrameSet(tractor);
}

TEST_F(SampleSonderObj, EveryMissionLayoutLoads) {
    for (int mission = 1; mission <= kMissionCount; ++mission) {
        SCOPED_TRACE(mission);
        allocFor(mission);
        ASSERT_TRUE(LoadMissionSonderObjTypen(mission)) << FatalErrorMessage();
        const int own = MissionSonderObjTypCount(mission);
        std::vector<bool> listed(static_cast<std::size_t>(SonderObjTypCount), false);
        for (int t = 0; t < kCommonSonderObjTypen; ++t) listed[static_cast<std::size_t>(t)] = true;
        for (const SonderObjLayoutRow& row : kSonderObjLayouts) {
            if (row.mission != mission) continue;
            const SonderObjSet& set = kSonderObjSets[row.set];
            SCOPED_TRACE(std::string(set.path));
            ASSERT_LT(row.slot, own);
            listed[row.slot] = true;
            const SonderObjTyp& t = *SonderObjTypAt(row.slot);
            ASSERT_NE(t.frames, nullptr);
            EXPECT_EQ(t.frameCount, set.frames);
            EXPECT_EQ(t.ticksPerFrame, set.ticks);
            EXPECT_EQ(t.boxX0, set.box[0]);
            EXPECT_EQ(t.boxY0, set.box[1]);
            EXPECT_EQ(t.boxX1, set.box[2]);
            EXPECT_EQ(t.boxY1, set.box[3]);
            for (std::size_t f = 0; f < FrameCount(t.frames); ++f) {
                EXPECT_EQ(t.frames[f].dx, set.moved ? set.dx : 0);
                EXPECT_EQ(t.frames[f].dy, set.moved ? set.dy : 0);
            }
            EXPECT_EQ(t.explosionKind, row.fire.explosionKind);
            EXPECT_EQ(t.material, row.fire.material);
            EXPECT_EQ(t.vanishes, row.fire.vanishes);
            EXPECT_EQ(t.burningTyp, row.burningTyp == kSelf ? row.slot : row.burningTyp);
            EXPECT_EQ(t.burntTyp, row.burntTyp == kSelf ? row.slot : row.burntTyp);
            EXPECT_EQ(t.extinguishedTyp,
                      row.extinguishedTyp == kSelf ? row.slot : row.extinguishedTyp);
            // A link leads into the mission's own slots, or nowhere (two open cases, below).
            for (int link : {t.burningTyp, t.burntTyp, t.extinguishedTyp}) EXPECT_LT(link, own);
        }
        for (int t = 0; t < SonderObjTypCount; ++t)
            EXPECT_EQ(SonderObjTypAt(t)->frames != nullptr, listed[static_cast<std::size_t>(t)])
                << "slot " << t;
        EXPECT_EQ(FindFreeSonderObjTyp(),
                  std::find(listed.begin(), listed.end(), false) - listed.begin())
            << "explosions take the lowest empty slot";
    }
}

TEST_F(SampleSonderObj, CommonTypesTakeTheirBoxesFromTheirPictures) {
    allocFor(5);
    for (int t = kSobjBlutLache; t < kSobjBlutLache + 4; ++t) {
        const SonderObjTyp& pool = *SonderObjTypAt(t);
        EXPECT_EQ(pool.boxX1, pool.frames[0].width - 1) << "the whole picture";
        EXPECT_EQ(pool.boxY1, pool.frames[0].height - 1);
        EXPECT_EQ(pool.ticksPerFrame, 1);
    }
    const SonderObjTyp& shadow = *SonderObjTypAt(kSobjHeliSchatten);
    const FrameSet& landed = shadow.frames[FrameCount(shadow.frames) - 1];
    EXPECT_GT(FrameCount(shadow.frames), 1u);
    EXPECT_EQ(shadow.frameCount, 1);
    EXPECT_EQ(shadow.boxX1, landed.width - 1) << "the whole last frame";
    EXPECT_EQ(shadow.boxY1, landed.height - 1);
    const SonderObjTyp& hit = *SonderObjTypAt(kSobjAuftreffpunkt);
    EXPECT_EQ(hit.frameCount, 4);
    EXPECT_EQ(hit.boxY0, hit.frames[0].height - 1) << "the bottom line";
    EXPECT_EQ(hit.boxY1, hit.frames[0].height - 1);
    EXPECT_EQ(hit.boxX1, hit.frames[0].width - 1);
    const SonderObjTyp& bottle = *SonderObjTypAt(kSobjMolotow);
    EXPECT_EQ(bottle.explosionKind, 4);
    EXPECT_EQ(bottle.material, 2);
    EXPECT_EQ(bottle.boxY1, 9);
    const SonderObjTyp& tent = *SonderObjTypAt(kSobjZelt);
    EXPECT_EQ(tent.boxY0, 65);
    EXPECT_EQ(tent.boxX1, 218);
    EXPECT_EQ(SonderObjTypAt(kSobjZeltUnsichtbar)->boxY1, 79);
}

// The same container picture in three missions, at other slots, with each mission's links.
TEST_F(SampleSonderObj, SharedSetsKeepTheirMissionsLinks) {
    struct Case {
        int mission, slot, burning, burnt, extinguished;
    };
    const Case cases[] = {{18, 46, 47, 49, 46}, {18, 47, 47, 49, 48}, {28, 22, 23, 25, 22},
                          {28, 23, 23, 25, 24}, {30, 22, 23, 25, 22}, {30, 23, 23, 25, 24}};
    for (const Case& c : cases) {
        allocFor(c.mission);
        ASSERT_TRUE(LoadMissionSonderObjTypen(c.mission));
        const SonderObjTyp& t = *SonderObjTypAt(c.slot);
        EXPECT_EQ(t.burningTyp, c.burning) << c.mission << "/" << c.slot;
        EXPECT_EQ(t.burntTyp, c.burnt) << c.mission << "/" << c.slot;
        EXPECT_EQ(t.extinguishedTyp, c.extinguished) << c.mission << "/" << c.slot;
        EXPECT_EQ(t.material, 4);
    }
    // Mission 17 burns the caravan as chemicals, mission 18 as wood; only 17's gas house
    // explodes.
    allocFor(17);
    LoadMissionSonderObjTypen(17);
    EXPECT_EQ(SonderObjTypAt(22)->material, 12);
    EXPECT_EQ(SonderObjTypAt(18)->explosionKind, 2);
    allocFor(18);
    LoadMissionSonderObjTypen(18);
    EXPECT_EQ(SonderObjTypAt(36)->material, 4);
    allocFor(4);
    LoadMissionSonderObjTypen(4);
    EXPECT_EQ(SonderObjTypAt(18)->explosionKind, 0);
    EXPECT_EQ(SonderObjTypAt(18)->material, 0);

    // Mission 23 loads the stand and the kiosk with mission 7's links into slots it leaves
    // empty: such a link changes nothing.
    allocFor(23);
    LoadMissionSonderObjTypen(23);
    EXPECT_EQ(SonderObjTypCount, 25 + 28);
    EXPECT_EQ(SonderObjTypAt(18)->burningTyp, 20);
    EXPECT_EQ(SonderObjTypAt(20)->frames, nullptr);
    EXPECT_EQ(FollowSonderObjTypLink(18, 20), 18);
}

TEST_F(SampleSonderObj, AMissingPictureStopsTheLoad) {
    test::ScratchDir dir;
    dir.linkSampleData("sobj");
    dir.linkSampleData("cars");
    test::WorkingDirectory cwd(dir.path());
    allocFor(19);
    EXPECT_FALSE(LoadMissionSonderObjTypen(19));
    EXPECT_EQ(FatalErrorMessage(), "file not found: 'graphs\\scanner.vff'")
        << "the picture loader speaks first";
    EXPECT_EQ(SonderObjTypAt(19)->frames, nullptr) << "nothing after it loads";

    // A picture file without frames: the set's own message.
    ResetFatalError();
    const std::vector<std::uint8_t> empty = sampledata::MakeVff({});
    dir.write("graphs/scanner.vff", std::string(empty.begin(), empty.end()));
    EXPECT_FALSE(LoadMissionSonderObjTypen(19));
    EXPECT_EQ(FatalErrorMessage(), "file not found:  SCANNER");

    // Fewer frames than the set runs through: the animation runs through those there are.
    ResetFatalError();
    const std::vector<std::uint8_t> two = sampledata::MakeVff(
        std::vector<sampledata::Canvas>{sampledata::Canvas(8, 8, 1), sampledata::Canvas(8, 8, 2)});
    dir.write("graphs/scanner.vff", std::string(two.begin(), two.end()));
    dir.linkSampleData("graphs/scanpnt.vff");
    EXPECT_TRUE(LoadMissionSonderObjTypen(19)) << FatalErrorMessage();
    EXPECT_EQ(SonderObjTypAt(18)->frameCount, 2);
}

TEST_F(SampleSonderObj, EveryMissionsObjectsLiveTwoHundredTicks) {
    ASSERT_TRUE(LoadMaterials());
    for (int mission = 1; mission <= kMissionCount; ++mission) {
        SCOPED_TRACE(mission);
        SeedRandom(static_cast<std::uint32_t>(1000 + mission));
        MissionNummer = static_cast<std::uint8_t>(mission);
        FirstIgnitionFlagM21 = mission == 21 ? 1 : 0;
        BurningSonderObjCount = 0;
        ClearExplosions();
        allocFor(mission);
        ASSERT_TRUE(LoadMissionSonderObjTypen(mission));
        // One object of every type in use, each that can burn hot enough to ignite or explode; two
        // bottles in flight.
        int hot = 0;
        for (int t = 0; t < SonderObjTypCount; ++t) {
            const SonderObjTyp& typ = *SonderObjTypAt(t);
            if (typ.frames == nullptr) continue;
            const std::int16_t slot = FindFreeSonderObj();
            ASSERT_GE(slot, 0);
            CreateSonderObj(slot, t, static_cast<std::int16_t>(Rand() % 2000),
                            static_cast<std::int16_t>(Rand() % 1000), 0, 15, 0, 0.0f, 0);
            SonderObj& o = *SonderObjAt(slot);
            if (o.fuel > 0) {
                o.heat = MaterialOf(typ.material).ignite + 1 + Rand() % 100;
                ++hot;
            }
        }
        for (int k = 0; k < 2; ++k) {
            const std::int16_t slot = FindFreeSonderObj();
            CreateSonderObj(slot, kSobjMolotow, 500, 500, 0, 1, 0, 0.0f, 0);
            SetSonderObjCommand(slot, kCmdThrown,
                                FlightBlock{0.6f, 0.8f, 20, 0, static_cast<std::int16_t>(31 + k)});
        }
        int flying = 2;
        std::set<int> exploded;  // objects that came under an explosion
        for (int tick = 0; tick < 200; ++tick) {
            UpdateSonderObj();
            int burning = 0;
            int inFlight = 0;
            for (int i = 0; i < SonderObjCount; ++i) {
                const SonderObj& o = *SonderObjAt(i);
                if (o.type == -1) continue;
                const SonderObjTyp& t = *SonderObjTypAt(o.type);
                ASSERT_NE(t.frames, nullptr) << "slot " << i << " took an empty type";
                // Scripts and great fires use frames as states beyond the animation; every frame
                // shown has a picture.
                EXPECT_LT(static_cast<std::size_t>(o.frame), FrameCount(t.frames)) << "slot " << i;
                burning += o.burning;
                inFlight += o.commands && o.commands->kind == kCmdThrown;
                if (o.commands && o.commands->kind <= kCmdGreatFire) exploded.insert(i);
            }
            ASSERT_EQ(BurningSonderObjCount, burning) << "tick " << tick;
            flying = std::min(flying, inFlight);
        }
        EXPECT_EQ(flying, 0) << "the bottles landed";
        EXPECT_GE(exploded.size(), 2u) << "and burst";
        EXPECT_GT(hot, 0);
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    }
}

}  // namespace
}  // namespace kv
