// The campaign map in the generated data set: its pictures with the frames the map draws, the
// briefing, and every road picture's roads walked as the map walks them.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "core/mission_hooks.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "gfx/image_files.h"
#include "mission/campaign_tables.h"
#include "mission/panel_pictures.h"
#include "missions/mission_rows.h"
#include "platform/files.h"
#include "screens/karte.h"
#include "screens/karte_wege.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

using SampleKarte = test::FahrzeugTest;

TEST_F(SampleKarte, HoldsTheMapsPicturesWithTheFramesTheMapDraws) {
    struct Frames {
        VffImage** held;
        std::size_t count;
    };
    const Frames wanted[] = {{&KarteImages, 1},
                             {&KartePointImages, 5},
                             {&BasisMarkeImages, 2},
                             {&MapCamImages, 1},
                             {&MapInfoImages, 1},
                             {&BasisInfoImages, kBasisCount},
                             {&BasisInfoGreyImages, kBasisCount},
                             {&MapCarSchilderImages, kFahrzeugTypCount}};
    for (const KartePictureFile& f : kKartePictureFiles) {
        VffImage* set = LoadVff(f.path);
        ASSERT_NE(set, nullptr) << f.path;
        for (const Frames& w : wanted) {
            if (w.held == f.held) {
                EXPECT_EQ(FrameCount(set), w.count) << f.path;
            }
        }
        if (f.held == &KarteImages) {
            EXPECT_EQ(set[0].width, 780);
            EXPECT_EQ(set[0].height, 580);
        }
        FreeVff(set);
    }

    const auto briefing = ReadFileBytes(std::string(kBriefingFolder) + MissionCodes[1] + ".dat");
    ASSERT_TRUE(briefing.has_value());
    const std::string text(briefing->begin(), briefing->end());
    EXPECT_GT(text.size(), 300u);
    EXPECT_NE(text.find("\r\n"), std::string::npos);
}

// Mission 1's road picture, drawn from its station's plate, its bends and its site, is the file
// it was before the roads of all missions were drawn by one function.
TEST_F(SampleKarte, MissionOnesRoadPictureKeepsItsBytes) {
    const auto bytes = ReadFileBytes(std::string(kMapWegeFolder) + MissionCodes[1] + ".vff");
    ASSERT_TRUE(bytes.has_value());
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const std::uint8_t b : *bytes) hash = (hash ^ b) * 16777619u;
    EXPECT_EQ(bytes->size(), 7730u);
    EXPECT_EQ(hash, 0x62509b0au);
}

// Each road from its first pixel to the mission's site, pixel by pixel, never turning back: a road
// pixel touching more than the two it lies between would send the rightmost-first walk astray.
TEST_F(SampleKarte, EveryDrawnRoadLeadsToItsMissionsSite) {
    InstallMissionHooks();
    int walked = 0;
    for (int mission = 1; mission <= kMissionCount; ++mission) {
        const std::string path = std::string(kMapWegeFolder) + MissionCodes[mission] + ".vff";
        if (!FileExists(path)) continue;
        SCOPED_TRACE(path);
        MissionNummer = static_cast<std::uint8_t>(mission);
        const auto level = MissionHook(mission, &MissionHooks::InitLevel, "InitLevel");
        ASSERT_NE(level, nullptr) << "a road picture needs its mission's site";
        level();
        EXPECT_EQ(KarteMarker.x, KarteMarkers[static_cast<std::size_t>(mission)].x);
        EXPECT_EQ(KarteMarker.y, KarteMarkers[static_cast<std::size_t>(mission)].y);
        FreeMapWege();
        MapWegeImages = LoadVff(path);
        ASSERT_NE(MapWegeImages, nullptr);
        FindKarteStartPoints();
        const VffImage& roads = MapWegeImages[0];
        for (int n = 0; n < kBasisCount; ++n) {
            const KarteStartPoint start = KarteStartPoints[static_cast<std::size_t>(n)];
            if (start.x == 11 && start.y == 11) continue;
            SCOPED_TRACE(n);
            int pixels = 0;
            for (int i = 0; i < roads.width * roads.height; ++i)
                pixels += roads.pixels[i] == kKarteRoadColour + kKarteRoadColourStep * n;
            const std::int16_t v = Make(kTypF201, kOwnerBought, RoadEntry.x, RoadEntry.y, 7);
            FahrzeugTypen[kTypF201].karteStep = 1;
            PlaceFahrzeugOnKarte(v, static_cast<std::int16_t>(n));
            const Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(v)];
            std::set<std::pair<int, int>> visited{{f.KarteX, f.KarteY}};
            while (f.KarteWeg != -1 && visited.size() <= static_cast<std::size_t>(pixels) + 1) {
                MoveFahrzeugOnKarte(v);
                visited.insert({f.KarteX, f.KarteY});
            }
            EXPECT_EQ(f.KarteWeg, -1);
            EXPECT_EQ(f.KarteX, KarteMarker.x);
            EXPECT_EQ(f.KarteY, KarteMarker.y);
            EXPECT_EQ(visited.size(), static_cast<std::size_t>(pixels) + 1)
                << "every pixel of the road, each once";
            RemoveFahrzeug(v, kRemoveDrivenOff);
            ++walked;
        }
    }
    EXPECT_GE(walked, 1);
}

}  // namespace
}  // namespace kv
