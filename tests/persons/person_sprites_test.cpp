// The sprite sets: required against optional pictures, short pictures, the carrying variants'
// reversed directions, hot spots and boxes, the one-file fight slots, and all sets of the
// generated sample data.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "gfx/image_files.h"
#include "persons/person_types.h"
#include "support/box_reach.h"
#include "support/headless_test.h"
#include "writers/image_writers.h"
#include "writers/output_tree.h"

namespace kv {
namespace {

using sampledata::Canvas;

const std::string kData = KV_SAMPLEDATA_DIR;

// A plain frame of w x h in the colour, with a transparent margin of `margin` pixels.
Canvas Plain(int w, int h, std::uint8_t colour, int margin = 0) {
    Canvas c(w, h);
    c.fillRect(margin, margin, w - 2 * margin, h - 2 * margin, colour);
    return c;
}

struct TreeOptions {
    // The frame of a file: its number in colour (number + 1), 8 x 12 unless changed.
    std::function<Canvas(std::string_view stem, int number)> frame = [](std::string_view, int n) {
        return Plain(8, 12, static_cast<std::uint8_t>(n + 1));
    };
};

class PersonSprites : public test::HeadlessTest {
  protected:
    void TearDown() override {
        for (std::int16_t t = 0; t < kPersonTypCount; ++t) FreePersonTyp(t);
        test::HeadlessTest::TearDown();
    }

  public:
    // Every picture that the type's table counts on, with exactly the frames it asks for.
    void writeSet(int type, const TreeOptions& options = {}) {
        const PersonTypRow& row = kPersonTypRows[type];
        const sampledata::OutputTree out(dir.path().string());
        for (const AnimRow& anim : row.anims) {
            if (anim.stem.empty()) continue;
            for (int d = 0; d < kDirectionCount; ++d) {
                if (!HasDir(anim.counted, d) || (anim.oneFile && d != 0)) continue;
                const int number = anim.oneFile ? -1 : PersonSpriteFileNumber(row, d);
                const std::vector<Canvas> frames(anim.frames[d], options.frame(anim.stem, number));
                ASSERT_TRUE(out.write(PersonSpritePath(row.folder, anim.stem, number),
                                      sampledata::MakeVff(frames)));
            }
        }
    }
    void writeGroup(int base) {
        const PersonTypGroup& g = kPersonTypGroups[base];
        for (int i = 0; i < g.count; ++i) writeSet(g.types[i]);
    }
    std::filesystem::path file(const std::string& gamePath) const {
        std::string p = gamePath;
        std::replace(p.begin(), p.end(), '\\', '/');
        return dir.path() / p;
    }
    void remove(const std::string& gamePath) const {
        ASSERT_TRUE(std::filesystem::remove(file(gamePath))) << gamePath;
    }
    void replace(const std::string& gamePath, int frames) const {
        const std::vector<Canvas> f(frames, Plain(8, 12, 3));
        ASSERT_TRUE(
            sampledata::OutputTree(dir.path().string()).write(gamePath, sampledata::MakeVff(f)));
    }

    test::ScratchDir dir;
    test::WorkingDirectory cwd{dir.path()};
};

TEST_F(PersonSprites, RequiredAndOptionalPictures) {
    struct Case {
        const char* what;
        int base;
        std::function<void(PersonSprites&)> change;
        std::string message;  // empty: loads
    };
    const Case cases[] = {
        {"the torch needs only direction 1", 1,
         [](PersonSprites& t) { t.remove("persons\\p02\\fackel0.vff"); }, ""},
        {"the torch's direction 1", 1,
         [](PersonSprites& t) { t.remove("persons\\p02\\fackel1.vff"); },
         "file not found:  persons\\p02\\fackel1.vff."},
        {"a diagonal lying picture", 0,
         [](PersonSprites& t) { t.remove("persons\\p01\\lay3.vff"); },
         "file not found:  persons\\p01\\lay3.vff."},
        {"a walking picture", 4, [](PersonSprites& t) { t.remove("persons\\p05\\go10.vff"); },
         "file not found:  persons\\p05\\go10.vff."},
        {"an optional animation", 4,
         [](PersonSprites& t) {
             for (int d = 0; d < 12; ++d)
                 t.remove("persons\\p05\\godown" + std::to_string(d) + ".vff");
         },
         ""},
        {"a walking picture one frame short", 4,
         [](PersonSprites& t) { t.replace("persons\\p05\\go3.vff", 7); },
         "persons\\p05\\go3.vff: 7 frames, 8 needed."},
        {"an optional picture one frame short", 4,
         [](PersonSprites& t) { t.replace("persons\\p05\\test5.vff", 6); }, ""},
        {"a picture without frames", 7,
         [](PersonSprites& t) { t.replace("persons\\burn01\\lay9.vff", 0); },
         "persons\\burn01\\lay9.vff: 0 frames, 1 needed."},
        {"a fight sequence", 41, [](PersonSprites& t) { t.remove("persons\\sp101\\kblu_win.vff"); },
         "file not found:  persons\\sp101\\kblu_win.vff."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(dir.path() / "persons");
        writeGroup(c.base);
        c.change(*this);
        LoadPersonTyp(static_cast<std::int16_t>(c.base));
        EXPECT_EQ(FatalErrorMessage(), c.message);
        // Loaded or given up half way, the collision tests' reach covers what is there.
        for (int t = 0; t < kPersonTypCount; ++t)
            test::ExpectReachCovers(PersonBoxReach, PersonTypen[static_cast<std::size_t>(t)], t);
        for (std::int16_t t = 0; t < kPersonTypCount; ++t) FreePersonTyp(t);
        ResetFatalError();
    }
}

TEST_F(PersonSprites, AnOptionalDirectionWithoutItsPictureHasNoFrames) {
    writeGroup(1);
    remove("persons\\p02\\fackel0.vff");
    replace("persons\\p02\\sit5.vff", 7);  // one short of sitting's eight
    LoadPersonTyp(1);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    EXPECT_EQ(PersonAnimSlot(1, 0, 6).frames, 0);
    EXPECT_EQ(PersonAnimSlot(1, 0, 6).images, nullptr);
    EXPECT_EQ(PersonAnimSlot(1, 1, 6).frames, 11);
    EXPECT_EQ(PersonAnimSlot(1, 2, 6).frames, 11) << "found, so it counts";
    EXPECT_EQ(PersonAnimSlot(1, 5, 3).frames, 0);
    EXPECT_EQ(PersonAnimSlot(1, 5, 3).images, nullptr);
}

TEST_F(PersonSprites, ALargeFigureNeedsOnlyDirectionThree) {
    writeSet(52);
    for (int d = 0; d < 12; ++d)
        if (d != 3) {
            remove("persons\\sp18\\stay" + std::to_string(d) + ".vff");
            remove("persons\\sp18\\go" + std::to_string(d) + ".vff");
        }
    LoadPersonTyp(52);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    EXPECT_EQ(PersonAnimSlot(52, 3, 0).frames, 1);
    EXPECT_EQ(PersonAnimSlot(52, 3, 1).frames, 8);
    EXPECT_EQ(PersonAnimSlot(52, 3, 1).delay, 4);
    for (int d : {0, 2, 4, 11}) {
        EXPECT_EQ(PersonAnimSlot(52, d, 0).frames, 0);
        EXPECT_EQ(PersonAnimSlot(52, d, 1).frames, 0);
    }
    // Its default box is larger: around a hot spot of (4, 11) in an 8 x 12 picture.
    EXPECT_EQ(PersonAnimSlot(52, 3, 0).box, (Box16{-16, -9, 24, 31}));
}

TEST_F(PersonSprites, LyingOnlyInTheDiagonals) {
    writeGroup(3);
    replace("persons\\p04\\lay0.vff", 8);  // tried, kept, but not an animation there
    LoadPersonTyp(3);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    EXPECT_EQ(PersonAnimSlot(3, 0, 2).frames, 0);
    EXPECT_NE(PersonAnimSlot(3, 0, 2).images, nullptr);
    EXPECT_EQ(PersonAnimSlot(3, 2, 2).images, nullptr);
    EXPECT_EQ(PersonAnimSlot(3, 3, 2).frames, 8);
    EXPECT_EQ(PersonAnimSlot(3, 3, 2).delay, 3);
    EXPECT_EQ(PersonAnimSlot(3, 9, 2).delay, 50);
    // Standing plays in bursts in the quarters, with its delay everywhere.
    EXPECT_EQ(PersonAnimSlot(3, 6, 0).frames, 8);
    EXPECT_EQ(PersonAnimSlot(3, 5, 0).frames, 1);
    EXPECT_EQ(PersonAnimSlot(3, 5, 0).delay, 3);
}

TEST_F(PersonSprites, CarryingVariantsShowTheOppositeDirection) {
    writeGroup(1);
    LoadPersonTyp(1);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    for (int d = 0; d < 12; ++d)
        for (int anim : {0, 1}) {
            const AnimSlot& s = PersonAnimSlot(12, d, anim);
            ASSERT_NE(s.images, nullptr) << d;
            EXPECT_EQ(s.images[0].pixels[0], (d + 6) % 12 + 1) << "direction " << d;
        }
    EXPECT_EQ(PersonAnimSlot(8, 2, 0).images[0].pixels[0], 3) << "other variants do not turn";

    FreePersonTyp(1);
    remove("persons\\p02gd\\stay6.vff");
    LoadPersonTyp(1);
    EXPECT_EQ(FatalErrorMessage(), "file not found:  persons\\p02gd\\stay6.vff.");
    EXPECT_EQ(PersonAnimSlot(12, 0, 0).images, nullptr);
    EXPECT_EQ(PersonAnimSlot(12, 1, 0).images, nullptr) << "stopped at direction 0";
    EXPECT_FALSE(PersonTypLoaded(13)) << "the group stops too";
}

TEST_F(PersonSprites, HotSpotsAndLyingBoxes) {
    // Figures in a 20 x 16 picture whose outer two pixels are transparent.
    TreeOptions inset;
    inset.frame = [](std::string_view, int) { return Plain(20, 16, 5, 2); };
    for (int type : {0, 34, 53}) writeSet(type, inset);
    for (std::int16_t type : {0, 34, 53}) LoadPersonTyp(type);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();

    // The table's hot spot, or the feet: the bottom centre of the first frame.
    EXPECT_EQ(PersonAnimSlot(0, 3, 0).hotX, 2);
    EXPECT_EQ(PersonAnimSlot(0, 3, 0).hotY, 22);
    EXPECT_EQ(PersonAnimSlot(0, 3, 0).box, (Box16{-3, 17, 7, 27}));
    EXPECT_EQ(PersonAnimSlot(53, 1, 2).hotX, 10);
    EXPECT_EQ(PersonAnimSlot(53, 1, 2).hotY, 15);

    struct Case {
        int type;
        int direction;
        Box16 box;  // image coordinates
    };
    const Case cases[] = {
        {0, 1, {0, 2, 14, 25}},   // given
        {0, 9, {0, 3, 30, 11}},   // given
        {34, 3, {0, 0, 19, 15}},  // the whole first frame
        {53, 7, {2, 2, 17, 13}},  // around the figure
    };
    for (const Case& c : cases)
        EXPECT_EQ(PersonAnimSlot(c.type, c.direction, 2).box, c.box)
            << "type " << c.type << " direction " << c.direction;
    EXPECT_EQ(PersonAnimSlot(0, 1, 2).hotX, 8);
    EXPECT_EQ(PersonAnimSlot(0, 1, 2).hotY, 11);
}

TEST_F(PersonSprites, FightSequencesFillDirectionZeroFromOneFile) {
    writeGroup(41);
    LoadPersonTyp(41);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    const AnimSlot& lost = PersonAnimSlot(41, 0, 3);
    EXPECT_EQ(lost.frames, 73);
    EXPECT_EQ(lost.delay, 2);
    EXPECT_EQ(lost.hotX, 25);
    EXPECT_EQ(lost.hotY, 28);
    EXPECT_EQ(lost.box, (Box16{0, 20, 55, 45}));
    EXPECT_EQ(PersonAnimSlot(41, 0, 5).box, (Box16{0, 10, 46, 28}));
    for (int d = 1; d < 12; ++d) {
        EXPECT_EQ(PersonAnimSlot(41, d, 3).images, nullptr);
        EXPECT_EQ(PersonAnimSlot(41, d, 3).box, (Box16{-5, -5, 5, 5}));
    }
}

using PersonSampleData = test::HeadlessTest;

// The generated data: all 53 sets load, each as its table asks.
TEST_F(PersonSampleData, EverySetLoads) {
    test::WorkingDirectory data(kData);
    for (std::int16_t t = 0; t < kPersonTypCount; ++t) LoadPersonTyp(t);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    int sets = 0;
    for (int t = 0; t < kPersonTypCount; ++t) {
        const PersonTypRow& row = kPersonTypRows[t];
        if (row.anims.empty()) continue;
        ++sets;
        for (std::size_t a = 0; a < row.anims.size(); ++a)
            for (int d = 0; d < 12; ++d) {
                const AnimRow& anim = row.anims[a];
                const bool has =
                    !anim.stem.empty() && HasDir(anim.counted, d) && (!anim.oneFile || d == 0);
                const AnimSlot& s = PersonAnimSlot(t, d, static_cast<int>(a));
                EXPECT_EQ(s.frames, has ? anim.frames[d] : 0) << t << " " << a << " " << d;
                std::size_t n = 0;
                while (s.images != nullptr && s.images[n].pixels != nullptr) ++n;
                EXPECT_GE(n, s.frames);
            }
    }
    EXPECT_EQ(sets, 53);
    for (int t = 0; t < kPersonTypCount; ++t)
        test::ExpectReachCovers(PersonBoxReach, PersonTypen[static_cast<std::size_t>(t)], t);

    // Each direction its own picture, so that a turned direction shows.
    for (int t : {0, 1, 4, 32, 41, 52}) {
        std::vector<std::span<const std::uint8_t>> pictures;
        for (int d = 0; d < 12; ++d) {
            const VffImage& f = PersonAnimSlot(t, d, 0).images[0];
            pictures.emplace_back(f.pixels, static_cast<std::size_t>(f.width) * f.height);
        }
        for (std::size_t a = 0; a < pictures.size(); ++a)
            for (std::size_t b = a + 1; b < pictures.size(); ++b)
                EXPECT_FALSE(std::ranges::equal(pictures[a], pictures[b]))
                    << "type " << t << ", directions " << a << " and " << b;
    }
    for (std::int16_t t = 0; t < kPersonTypCount; ++t) FreePersonTyp(t);
}

}  // namespace
}  // namespace kv
