#include "mission/view/draw_fixture.h"

#include "core/mouse.h"
#include "core/view.h"
#include "gfx/frame_buffer.h"
#include "mission/panel_pictures.h"
#include "mission/view/draw_list.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/world_stand_in.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/wasser_strahl.h"

namespace kv::test {

std::vector<std::uint8_t> PatternPixels(int w, int h, int seed) {
    std::vector<std::uint8_t> p(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[static_cast<std::size_t>(y * w + x)] =
                (x + y) % 7 == 3
                    ? 0
                    : static_cast<std::uint8_t>(1 + (x * 5 + y * 11 + seed * 37) % 200);
    return p;
}

std::vector<std::array<int, 2>> PointsOverBoth(const Person& back, const Person& front) {
    std::vector<std::array<int, 2>> points;
    const VffImage* b = PersonPicture(back).image;
    const VffImage* f = PersonPicture(front).image;
    if (b == nullptr || f == nullptr) return points;
    for (int y = 0; y < f->height; ++y)
        for (int x = 0; x < f->width; ++x) {
            const int bx = front.drawX + x - back.drawX;
            const int by = front.drawY + y - back.drawY;
            if (f->pixels[y * f->width + x] == 0 || bx < 0 || by < 0 || bx >= b->width ||
                by >= b->height || b->pixels[by * b->width + bx] == 0)
                continue;
            points.push_back({front.drawX + x - ViewOrigin.x, front.drawY + y - ViewOrigin.y});
        }
    return points;
}

void TestImages::add(int w, int h, std::vector<std::uint8_t> pixels) {
    pixels_.push_back(std::move(pixels));
    sizes_.push_back({w, h});
}

VffImage* TestImages::images() {
    images_.clear();
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        images_.push_back({static_cast<std::uint16_t>(sizes_[i][0]),
                           static_cast<std::uint16_t>(sizes_[i][1]), pixels_[i].data()});
    images_.push_back({0, 0, nullptr});
    return images_.data();
}

FrameSet* TestImages::frames(std::int16_t dx, std::int16_t dy) {
    frames_.clear();
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        frames_.push_back({dx, dy, static_cast<std::uint16_t>(sizes_[i][0]),
                           static_cast<std::uint16_t>(sizes_[i][1]), pixels_[i].data()});
    frames_.push_back({0, 0, 0, 0, nullptr});
    return frames_.data();
}

namespace {

// Mixes that change again when applied twice, so that a pixel blended twice shows.
std::uint8_t Mix20(int s, int b) {
    return static_cast<std::uint8_t>(1 + (s * 3 + b) % 254);
}
std::uint8_t Mix50(int s, int b) {
    return static_cast<std::uint8_t>(1 + (s + b * 5) % 254);
}

}  // namespace

void DrawTest::SetUp() {
    HeadlessTest::SetUp();
    clearScreen();
    DrawPitch = 800;
    ViewOrigin = {100, 56};
    // Out of the view, so that the probe's 0 never lies under a blend.
    MouseX = 700;
    MouseY = 550;

    // A cell's own pixels in its box: each line 32 pixels from 16 - shear.
    std::vector<std::uint8_t> mask(48 * 28, 0);
    for (int t = 0; t < 28; ++t)
        for (int x = 16 - RowShear[static_cast<std::size_t>(t)];
             x < 48 - RowShear[static_cast<std::size_t>(t)]; ++x)
            mask[static_cast<std::size_t>(t * 48 + x)] = 1;
    maskImages.add(48, 28, std::move(mask));
    PieceMaskImages = maskImages.images();

    savedBlend = {BlendTable20, BlendTable50};
    for (int s = 0; s < 256; ++s)
        for (int b = 0; b < 256; ++b) {
            BlendTable20[static_cast<std::size_t>(s * 256 + b)] = Mix20(s, b);
            BlendTable50[static_cast<std::size_t>(s * 256 + b)] = Mix50(s, b);
        }

    unitImages.add(kUnitWidth, kUnitHeight, 1);
    unitSlot[0] = {1, 1, 35, 60, {5, kUnitBoxTop, 64, 59}, unitImages.images()};
    PersonTyp& pt = PersonTypen[kBenchPersonTyp];
    pt.dirAnims.fill(unitSlot.data());
    pt.animCount = 1;
    pt.selectBox = {-30, -40, 30, 0};
    FahrzeugTyp& ft = FahrzeugTypen[kBenchFahrzeugTyp];
    ft.dirAnims.fill(unitSlot.data());
    ft.animCount = 1;
    ft.selectBox = {-35, -50, 35, 0};
    kanoneImages.add(20, 16, 3);
    for (KanoneRichtung& d : kanone.dirs) d = {10, 8, kanoneImages.images()};
    kanone.mount.fill({0, -30});
    kanone.nozzle.fill({8, -4});
    kanone.height = 25;
    ft.kanone = &kanone;

    objectImages.add(60, 50, 2);
    SonderObjTypen.assign(kBenchSonderObjTyp + 1, SonderObjTyp{});
    SonderObjTypCount = kBenchSonderObjTyp + 1;
    SonderObjTypen[kBenchSonderObjTyp].frames = objectImages.frames(0, 0);
    HouseObjTypen[kBenchHouseObjSlot].images = SonderObjTypen[kBenchSonderObjTyp].frames;

    for (int f = 0; f < 4; ++f) {
        std::vector<std::uint8_t> texture(8 * 4);
        for (std::size_t i = 0; i < texture.size(); ++i)
            texture[i] = static_cast<std::uint8_t>(240 + f);
        jetImages.add(8, 4, std::move(texture));
    }
    JetImages = jetImages.frames(0, 0);
    markerImages.add(18, 10, std::vector<std::uint8_t>(180, kMarkerColour));
    markerImages.add(18, 10, std::vector<std::uint8_t>(180, kMarkerColour + 1));
    KontaminiertImage = markerImages.images();
}

void DrawTest::TearDown() {
    // The resets free what the tables hold; these pictures are the test's own.
    for (UnitTypHead* t : {static_cast<UnitTypHead*>(&PersonTypen[kBenchPersonTyp]),
                           static_cast<UnitTypHead*>(&FahrzeugTypen[kBenchFahrzeugTyp])}) {
        t->dirAnims.fill(nullptr);
        t->animCount = 0;
    }
    FahrzeugTypen[kBenchFahrzeugTyp].kanone = nullptr;
    SonderObjTypen.clear();
    HouseObjTypen[kBenchHouseObjSlot].images = nullptr;
    JetImages = nullptr;
    KontaminiertImage = nullptr;
    PieceMaskImages = nullptr;
    BlendTable20 = savedBlend[0];
    BlendTable50 = savedBlend[1];
    HeadlessTest::TearDown();
}

void DrawTest::alloc(int persons, int vehicles, int objects, int furniture) {
    Personen.assign(static_cast<std::size_t>(persons), Person{});
    Fahrzeuge.clear();
    Fahrzeuge.resize(static_cast<std::size_t>(vehicles));
    SonderObjs.clear();
    SonderObjs.resize(static_cast<std::size_t>(objects));
    SonderObjCount = static_cast<std::int16_t>(objects);
    HouseObjs.assign(static_cast<std::size_t>(furniture), HouseObj{});
}

Person& DrawTest::placePerson(int slot, int x, int y, int storey) {
    Person& p = Personen[static_cast<std::size_t>(slot)];
    p.type = kBenchPersonTyp;
    p.drawX = static_cast<std::int16_t>(x);
    p.drawY = static_cast<std::int16_t>(y);
    p.x = static_cast<float>(x + 35);
    p.y = static_cast<float>(y + 60);
    p.storey = static_cast<std::int8_t>(storey);
    return p;
}

Fahrzeug& DrawTest::placeFahrzeug(int slot, int x, int y) {
    Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(slot)];
    f.type = kBenchFahrzeugTyp;
    f.drawX = static_cast<std::int16_t>(x);
    f.drawY = static_cast<std::int16_t>(y);
    f.x = static_cast<float>(x + 35);
    f.y = static_cast<float>(y + 60);
    return f;
}

SonderObj& DrawTest::placeSonderObj(int slot, int x, int y, std::int16_t boxTop) {
    SonderObjTypen[kBenchSonderObjTyp].boxY0 = boxTop;
    SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
    o.type = kBenchSonderObjTyp;
    o.x = static_cast<float>(x);
    o.y = static_cast<float>(y);
    o.frame = 0;
    o.visible = 1;
    return o;
}

HouseObj& DrawTest::placeHouseObj(int slot, int x, int y, int storey, std::int16_t boxTop) {
    HouseObjTypen[kBenchHouseObjSlot].box = {0, boxTop, 59, 49};
    HouseObj& o = HouseObjs[static_cast<std::size_t>(slot)];
    o = HouseObj{kBenchHouseObjSlot,
                 static_cast<std::int16_t>(x),
                 static_cast<std::int16_t>(y),
                 static_cast<std::uint8_t>(storey),
                 1,
                 0,
                 0,
                 0};
    return o;
}

void DrawTest::drawWorld() {
    BuildDrawList();
    DrawEveryEntry();
}

void DrawTest::clearScreen() {
    screen = background();
    DrawTarget = screen.data();
}

std::vector<std::uint8_t> DrawTest::background() const {
    std::vector<std::uint8_t> b(800 * 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            b[static_cast<std::size_t>(y * 800 + x)] =
                static_cast<std::uint8_t>(30 + (x * 3 + y * 7) % 200);
    return b;
}

void DrawTest::blitWhole(std::vector<std::uint8_t>& s, const std::uint8_t* pixels, int w, int h,
                         int x, int y, std::uint8_t blend) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const std::uint8_t p = pixels[j * w + i];
            const int sx = x + i;
            const int sy = y + j;
            if (p == 0 || sx < 10 || sx > 639 || sy < 10 || sy > 479) continue;
            std::uint8_t& d = s[static_cast<std::size_t>(sy * 800 + sx)];
            d = blend == 0 ? p : blend == 1 ? Mix20(p, d) : Mix50(p, d);
        }
}

}  // namespace kv::test
