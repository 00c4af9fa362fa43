#include "generate/vehicle_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "generate/box_scene.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

struct Livery {
    std::uint8_t top;
    std::uint8_t ends;
    std::uint8_t sides;
    std::uint8_t stripe;  // 0: none
    std::uint8_t lower;   // the lower half of the sides; 0: as the rest
};

constexpr Livery kFire{pal::kFireBrigadeRamp[4], pal::kFireBrigadeRamp[3], pal::kFireBrigadeRamp[2],
                       pal::kWhite.first, 0};
constexpr Livery kMedic{pal::kMedicRamp[5], pal::kMedicRamp[4], pal::kMedicRamp[3],
                        pal::kFireBrigadeRed.first, 0};
constexpr Livery kPolice{pal::kPoliceRamp[4], pal::kMedicRamp[4], pal::kMedicRamp[3], 0,
                         pal::kPoliceRamp[2]};
constexpr Livery kTechnical{pal::kTechnicalRamp[4], pal::kTechnicalRamp[3], pal::kTechnicalRamp[2],
                            pal::kWhite.first, 0};
constexpr Livery Civil(PaletteRamp r) {
    return {r[4], r[3], r[2], 0, 0};
}

enum class Shape : std::uint8_t { None, Truck, Van, Car, Boat, Carrier, Heli, Plane, Shark, Bike };
enum class Extra : std::uint8_t {
    None,
    Cannon,
    Ladder,
    Crane,
    CraneLoaded,
    Pontoons,
    SmallBoat,
    Trailer,
    EmptyBed,
    Tent,
    Winch,
    Awning
};

struct VehicleArt {
    Shape shape = Shape::None;
    double length = 0;
    double width = 0;
    double height = 0;
    Livery livery{};
    Extra extra = Extra::None;
};

// clang-format off
constexpr std::array<VehicleArt, kFahrzeugTypCount> kArt = {{
    /* F101 */ {Shape::Truck, 100, 32, 20, kFire},
    /* F102 */ {Shape::Truck, 92, 32, 22, kFire},
    /* F103 */ {Shape::Truck, 88, 32, 22, kFire},
    /* F104 */ {Shape::Truck, 84, 30, 20, kFire, Extra::Cannon},
    /* F105 */ {Shape::Truck, 96, 32, 22, kFire, Extra::Cannon},
    /* F106 */ {Shape::Truck, 110, 32, 22, kFire, Extra::Ladder},
    /* F107 */ {Shape::Truck, 76, 32, 22, kFire, Extra::Cannon},
    /* F108 */ {Shape::Truck, 66, 28, 20, kFire},
    /* F109 */ {Shape::Truck, 84, 30, 22, kFire},
    /* F110 */ {Shape::Truck, 100, 32, 20, kTechnical, Extra::Crane},
    /* F111 */ {Shape::Plane, 190, 60, 24, kFire},
    /* F113 */ {Shape::Truck, 94, 32, 20, kTechnical, Extra::Pontoons},
    /* F114 */ {Shape::Boat, 96, 36, 14, kTechnical},
    /* F115 */ {Shape::Boat, 150, 46, 20, kFire, Extra::Cannon},
    /* F116 */ {Shape::Boat, 66, 26, 10, kTechnical},
    /* F117 */ {Shape::Carrier, 118, 34, 20, kTechnical, Extra::SmallBoat},
    /* F118 */ {Shape::Carrier, 118, 34, 20, kTechnical, Extra::Trailer},
    /* F201 */ {Shape::Van, 72, 30, 22, kMedic},
    /* F202 */ {Shape::Car, 62, 26, 16, kMedic},
    /* F203 */ {Shape::Heli, 120, 28, 24, kMedic},
    /* F204 */ {Shape::Truck, 90, 32, 22, kMedic, Extra::Tent},
    /* F301 */ {Shape::Car, 62, 26, 14, kPolice},
    /* F302 */ {Shape::Van, 72, 30, 22, kPolice},
    /* F303 */ {Shape::Truck, 76, 32, 24, kPolice, Extra::Cannon},
    /* none */ {},
    /* F110MD */ {Shape::Truck, 100, 32, 20, kTechnical, Extra::CraneLoaded},
    /* F119 */ {Shape::Carrier, 118, 34, 20, kTechnical, Extra::EmptyBed},
    /* ZF01 */ {Shape::Car, 62, 26, 14, Civil(pal::kViolet)},
    /* ZF02 */ {Shape::Car, 58, 26, 14, Civil(pal::kCyan)},
    /* ZF03 */ {Shape::Car, 58, 26, 14, Civil(pal::kYellow)},
    /* ZF04 */ {Shape::Van, 58, 26, 18, Civil(pal::kOrange)},
    /* ZF05 */ {Shape::Car, 58, 26, 14, Civil(pal::kGrey)},
    /* ZF06 */ {Shape::Car, 58, 26, 14, Civil(pal::kPink)},
    /* ZF07 */ {Shape::Van, 58, 26, 18, Civil(pal::kSand)},
    /* ZF08 */ {Shape::Car, 58, 26, 14, Civil(pal::kEarth)},
    /* SF02 */ {Shape::Van, 80, 28, 22, Civil(pal::kGold), Extra::Awning},
    /* PARK01 */ {Shape::Car, 58, 26, 14, Civil(pal::kPink)},
    /* PARK02 */ {Shape::Car, 58, 26, 14, Civil(pal::kSky)},
    /* PARK03 */ {Shape::Car, 58, 26, 14, Civil(pal::kGrey)},
    /* PARK04 */ {Shape::Car, 58, 26, 14, Civil(pal::kYellow)},
    /* PARK05 */ {Shape::Car, 58, 26, 14, Civil(pal::kViolet)},
    /* PARK06 */ {Shape::Car, 58, 26, 14, Civil(pal::kCyan)},
    /* PARK07 */ {Shape::Car, 58, 26, 14, Civil(pal::kOrange)},
    /* PARK08 */ {Shape::Car, 58, 26, 14, Civil(pal::kSand)},
    /* HONDA01 */ {Shape::Bike, 34, 10, 14, Civil(pal::kFireBrigadeRamp)},
    /* F203B */ {Shape::Heli, 120, 28, 24, kMedic, Extra::Winch},
    /* HAI */ {Shape::Shark, 56, 16, 8, Civil(pal::kGrey)},
}};
// clang-format on

// What the picture shows beyond the vehicle standing.
struct Look {
    std::string_view stem = "stay";
    int frame = 0;
    int frames = 1;
    bool layoutOnly = false;  // leave out what the layout must not follow (water, wake, tent)

    bool is(std::string_view s) const { return stem == s; }
    // 0 at the first frame, 1 at the last.
    double progress() const { return frames > 1 ? static_cast<double>(frame) / (frames - 1) : 1; }
};

const std::uint8_t kGlassColour = pal::kGlass[2];
const std::uint8_t kDark = pal::kShadow[0];

void AddStripes(Block& b, const Livery& lv, double h) {
    if (lv.stripe != 0) {
        const double z = b.z0 + (h - b.z0) * 0.45;
        for (Face f : {kRight, kLeft}) b.faces.push_back({f, b.u0, b.u1, z, z + 3, lv.stripe});
        for (Face f : {kFront, kBack}) b.faces.push_back({f, b.v0, b.v1, z, z + 3, lv.stripe});
    }
    if (lv.lower != 0) {
        const double z = b.z0 + (b.z1 - b.z0) * 0.5;
        for (Face f : {kRight, kLeft}) b.faces.push_back({f, b.u0, b.u1, b.z0, z, lv.lower});
        for (Face f : {kFront, kBack}) b.faces.push_back({f, b.v0, b.v1, b.z0, z, lv.lower});
    }
}

void AddBlueLights(Block& b, double front) {
    const double w = (b.v1 - b.v0) / 2;
    b.tops.push_back({front - 5, front - 2, -w + 3, -w + 8, pal::kBlueLight1.first});
    b.tops.push_back({front - 5, front - 2, w - 8, w - 3, pal::kBlueLight2.first});
}

// A crew door: a dark opening with the door swung against the cab's rear part.
void AddOpenDoor(Block& b, double z0, double z1) {
    const double len = b.u1 - b.u0;
    for (Face f : {kRight, kLeft}) {
        b.faces.push_back({f, b.u0 + len * 0.35, b.u1 - 3, z0, z1, kDark});
        b.faces.push_back({f, b.u0 + 1, b.u0 + len * 0.35, z0 + 1, z1 - 1, pal::kLightGrey.first});
    }
}

void AddTruck(Model& m, const VehicleArt& a, const Look& look, double bodyTop) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const Livery& lv = a.livery;
    const double front = L / 2;
    const double back = -L / 2;
    const double cabBack = front - std::min(26.0, L * 0.27);
    m.box(back + 4, front - 3, -W / 2 + 2, W / 2 - 2, 0, 3, pal::kRubber[1], pal::kRubber[0],
          pal::kRubber[0]);
    Block& cab = m.box(cabBack, front, -W / 2, W / 2, 3, H - 2, lv.top, lv.ends, lv.sides);
    cab.faces.push_back({kFront, -W / 2 + 3, W / 2 - 3, H - 10, H - 5, kGlassColour});
    for (Face f : {kRight, kLeft})
        cab.faces.push_back({f, cabBack + 3, front - 3, H - 10, H - 5, kGlassColour});
    if (lv.lower != 0) AddStripes(cab, {0, 0, 0, 0, lv.lower}, H);
    if (look.is("open") || look.is("iopen")) AddOpenDoor(cab, 5, H - 4);
    AddBlueLights(cab, front);

    Block& body = m.box(back, cabBack - 1, -W / 2, W / 2, 3, bodyTop, lv.top, lv.ends, lv.sides);
    AddStripes(body, lv, bodyTop);
    if (look.is("sopen")) {
        const double len = cabBack - 1 - back;
        for (int k = 0; k < 3; ++k) {
            const double u0 = back + 3 + k * len / 3;
            for (Face f : {kRight, kLeft}) {
                body.faces.push_back({f, u0, u0 + len / 3 - 5, 5, bodyTop - 3, kDark});
                body.faces.push_back(
                    {f, u0 + 3, u0 + len / 3 - 8, 7, bodyTop - 8, pal::kRescueOrange.first});
            }
        }
    }
    if (look.is("hopen")) {
        body.faces.push_back({kBack, -W / 2 + 3, W / 2 - 3, 5, bodyTop - 2, kDark});
        body.faces.push_back({kBack, -W / 2 + 6, W / 2 - 6, 7, 12, pal::kMetal[5]});
    }
}

void AddCar(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const Livery& lv = a.livery;
    const double waist = H * 0.55;
    m.box(-L / 2 + 3, L / 2 - 3, -W / 2 + 1, W / 2 - 1, 0, 3, pal::kRubber[1], pal::kRubber[0],
          pal::kRubber[0]);
    Block& lower = m.box(-L / 2, L / 2, -W / 2, W / 2, 3, waist, lv.top, lv.ends, lv.sides);
    lower.faces.push_back({kFront, -W / 2 + 2, -W / 2 + 6, waist - 4, waist - 1, pal::kYellow[5]});
    lower.faces.push_back({kFront, W / 2 - 6, W / 2 - 2, waist - 4, waist - 1, pal::kYellow[5]});
    if (lv.lower != 0) AddStripes(lower, {0, 0, 0, 0, lv.lower}, waist);
    if (lv.stripe != 0)
        for (Face f : {kRight, kLeft})
            lower.faces.push_back({f, -L / 2, L / 2, waist - 4, waist - 2, lv.stripe});
    Block& cabin = m.box(-L * 0.28, L * 0.18, -W / 2 + 2, W / 2 - 2, waist, H, lv.top, kGlassColour,
                         kGlassColour);
    if (lv.lower != 0 || lv.stripe != 0) AddBlueLights(cabin, L * 0.18);
    if (look.is("open")) {
        for (Face f : {kRight, kLeft}) {
            lower.faces.push_back({f, -L * 0.05, L * 0.15, 3, waist, kDark});
            cabin.faces.push_back({f, -L * 0.05, L * 0.15, waist, H - 1, kDark});
        }
    }
}

void AddVan(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const Livery& lv = a.livery;
    const double bonnet = L / 2 - L * 0.16;
    m.box(-L / 2 + 3, L / 2 - 3, -W / 2 + 1, W / 2 - 1, 0, 3, pal::kRubber[1], pal::kRubber[0],
          pal::kRubber[0]);
    Block& nose = m.box(bonnet, L / 2, -W / 2, W / 2, 3, H * 0.5, lv.top, lv.ends, lv.sides);
    if (lv.lower != 0) AddStripes(nose, {0, 0, 0, 0, lv.lower}, H);
    Block& body = m.box(-L / 2, bonnet, -W / 2, W / 2, 3, H, lv.top, lv.ends, lv.sides);
    body.faces.push_back({kFront, -W / 2 + 2, W / 2 - 2, H * 0.55, H - 3, kGlassColour});
    for (Face f : {kRight, kLeft})
        body.faces.push_back({f, bonnet - 12, bonnet - 2, H * 0.55, H - 3, kGlassColour});
    AddStripes(body, lv, H);
    if (lv.stripe != 0 || lv.lower != 0) AddBlueLights(body, bonnet);
    if (look.is("open")) {
        for (Face f : {kRight, kLeft})
            body.faces.push_back({f, -L / 2 + 6, -L / 2 + L * 0.4, 4, H - 3, kDark});
        body.faces.push_back({kBack, -W / 2 + 2, W / 2 - 2, 4, H - 3, kDark});
    }
}

void AddBoat(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const Livery& lv = a.livery;
    const double deck = H * 0.55;
    const double bow = L / 2 - L * 0.22;
    if (look.is("go") && !look.layoutOnly) {
        for (int k = 1; k <= 4; ++k) {
            const double u = -L / 2 - k * 6;
            m.disc(u, 0, 0, 3 + k * 1.5, 2 + k, pal::kWater[7], true);
        }
        m.line(-L / 2, -W / 3, 0, -L / 2 - 30, -W / 2 - 8, 0, pal::kWhite.first);
        m.line(-L / 2, W / 3, 0, -L / 2 - 30, W / 2 + 8, 0, pal::kWhite.first);
    }
    Block& hull = m.box(-L / 2, bow, -W / 2, W / 2, 0, deck, pal::kWood[4], lv.ends, lv.sides);
    AddStripes(hull, lv, deck);
    const double steps[3][2] = {{0.4, 0.08}, {0.27, 0.15}, {0.13, 0.22}};
    double u = bow;
    for (const auto& s : steps) {
        const double next = bow + L * s[1];
        m.box(u, std::min(next, L / 2), -W * s[0], W * s[0], 0, deck, pal::kWood[4], lv.ends,
              lv.sides);
        u = next;
    }
    Block& cabin = m.box(-L * 0.15, L * 0.1, -W * 0.3, W * 0.3, deck, H, lv.top, pal::kMedicRamp[4],
                         pal::kMedicRamp[3]);
    cabin.faces.push_back({kFront, -W * 0.25, W * 0.25, deck + 2, H - 2, kGlassColour});
    for (Face f : {kRight, kLeft})
        cabin.faces.push_back({f, -L * 0.1, L * 0.05, deck + 2, H - 2, kGlassColour});
}

void AddHeli(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const Livery& lv = a.livery;
    Block& cabin = m.box(-0.08 * L, 0.3 * L, -W / 2, W / 2, 6, H, lv.top, lv.ends, lv.sides);
    cabin.faces.push_back({kFront, -W / 2 + 3, W / 2 - 3, H - 12, H - 3, kGlassColour});
    for (Face f : {kRight, kLeft}) {
        cabin.faces.push_back({f, 0.18 * L, 0.3 * L - 2, H - 12, H - 3, kGlassColour});
        cabin.faces.push_back({f, -0.08 * L, 0.3 * L, 11, 14, lv.stripe});
        if (look.is("open")) cabin.faces.push_back({f, -0.02 * L, 0.12 * L, 8, H - 3, kDark});
    }
    m.box(0.3 * L, 0.36 * L, -W / 2 + 4, W / 2 - 4, 8, H - 6, lv.top, kGlassColour, kGlassColour);
    m.box(-0.5 * L, -0.08 * L, -3, 3, H - 10, H - 5, lv.top, lv.ends, lv.sides);
    m.box(-0.5 * L, -0.44 * L, -1, 1, H - 5, H + 4, lv.stripe, lv.stripe, lv.stripe);
    for (double v : {-W / 2, W / 2}) {
        m.line(-0.05 * L, v, 0, 0.3 * L, v, 0, pal::kRubber[2], 2);
        m.line(0.0, v, 0, 0.0, v * 0.8, 6, pal::kMetal[3]);
        m.line(0.2 * L, v, 0, 0.2 * L, v * 0.8, 6, pal::kMetal[3]);
    }
    // The rotor: turning while flying, still on the ground.
    const bool still = look.is("land") || look.is("open");
    const double angle =
        still ? kPi / 4 : look.frame * 0.7 + (look.is("stay") ? look.frame * 0.1 : 0);
    const double r = 0.45 * L;
    const double hubU = 0.1 * L;
    for (int k = 0; k < 2; ++k) {
        const double ca = std::cos(angle + k * kPi / 2) * r;
        const double sa = std::sin(angle + k * kPi / 2) * r;
        m.line(hubU - ca, -sa, H + 3, hubU + ca, sa, H + 3, pal::kMetal[1], 2);
    }
    m.disc(hubU, 0, H + 3, 2, 2, pal::kMetal[0]);
    if (a.extra == Extra::Winch) {
        const double drop = 30;
        m.line(hubU, 0, 6, hubU, 0, -drop, pal::kMetal[6]);
        m.box(hubU - 3, hubU + 3, -3, 3, -drop - 9, -drop, pal::kRescueOrange.first,
              pal::kRescueOrange.first, pal::kRescueOrange.first);
        m.disc(hubU, 0, -drop + 2, 2, 2, pal::kSkin[2]);
    }
}

void AddPlane(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const Livery& lv = a.livery;
    if (look.is("wasser") && !look.layoutOnly) {
        // The load falls behind and below the aircraft, thickest half way through the drop.
        const int n = std::min(look.frame + 1, look.frames - look.frame + 3);
        for (int k = 0; k < n; ++k)
            m.disc(-6.0 * k, 0, 8 - 5.0 * k, 5 + k * 0.8, 3 + k * 0.6,
                   pal::kWater[7 - std::min(k / 3, 3)]);
    }
    Block& body = m.box(-L / 2, L / 2 - 12, -7, 7, 10, 24, lv.top, lv.ends, lv.sides);
    body.faces.push_back({kRight, -L / 2, L / 2 - 12, 15, 18, pal::kWhite.first});
    body.faces.push_back({kLeft, -L / 2, L / 2 - 12, 15, 18, pal::kWhite.first});
    m.box(L / 2 - 12, L / 2, -5, 5, 12, 22, lv.top, kGlassColour, kGlassColour);
    for (double side : {-1.0, 1.0}) {
        const double v0 = side < 0 ? -a.width / 2 : 7;
        const double v1 = side < 0 ? -7 : a.width / 2;
        m.box(-0.02 * L, 0.12 * L, v0, v1, 20, 23, pal::kWhite.first, lv.ends, lv.ends);
        m.box(-L / 2, -0.44 * L, side < 0 ? -14 : 7, side < 0 ? -7 : 14, 22, 24, pal::kWhite.first,
              lv.ends, lv.ends);
    }
    m.box(-L / 2, -0.42 * L, -1, 1, 24, 40, lv.top, lv.ends, lv.sides);
    for (double v : {-16.0, 16.0}) {
        m.disc(0.1 * L, v, 20, 4, 4, pal::kMetal[2]);
        if (look.frame % 2 == 0)
            m.line(0.12 * L, v, 12, 0.12 * L, v, 28, pal::kMetal[6]);
        else
            m.line(0.12 * L, v - 8, 20, 0.12 * L, v + 8, 20, pal::kMetal[6]);
    }
}

void AddShark(Model& m, const VehicleArt& a, const Look& look, int facing) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const Projection p = FacingProjection(facing);
    const double rx = (L * std::abs(p.sn) + W * std::abs(p.cs)) / 2 + 4;
    const double ry = kSquash * (L * std::abs(p.cs) + W * std::abs(p.sn)) / 2 + 3;
    m.disc(0, 0, 0, rx, ry, pal::kWater[4], true);
    const double wag = 3 * std::sin(2 * kPi * look.frame / std::max(look.frames, 1));
    const bool bite = look.is("friss");
    const double open = bite ? std::sin(kPi * look.frame / std::max(look.frames - 1, 1)) : 0;
    m.box(-0.4 * L, 0.35 * L, -W / 2, W / 2, 0, 4, pal::kGrey[7], pal::kGrey[5], pal::kGrey[4]);
    m.box(0.35 * L, 0.5 * L, -W / 3, W / 3, 0, 3 + 8 * open, pal::kGrey[8], pal::kGrey[6],
          pal::kGrey[5]);
    m.box(-0.5 * L, -0.4 * L, -2 + wag, 2 + wag, 0, 6, pal::kGrey[6], pal::kGrey[4], pal::kGrey[3]);
    m.box(-0.05 * L, 0.08 * L, -1, 1, 4, H, pal::kGrey[5], pal::kGrey[3], pal::kGrey[3]);
    if (bite) {
        m.disc(0.5 * L, 0, 3 + 4 * open, 1 + 4 * open, 1 + 3 * open, pal::kBlood[2]);
        if (!look.layoutOnly)
            for (int k = 0; k < 4; ++k)
                m.disc(0.45 * L + (k - 1.5) * 5, (k % 2 ? 1 : -1) * W * 0.4, 0, 2 + 3 * open,
                       1 + 2 * open, pal::kWater[7], true);
    }
}

void AddBike(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double H = a.height;
    const Livery& lv = a.livery;
    for (double u : {-0.35 * L, 0.35 * L}) m.disc(u, 0, 4, 4, 4, pal::kRubber[0]);
    m.box(-0.3 * L, 0.3 * L, -2, 2, 4, 8, lv.top, lv.ends, lv.sides);
    m.box(0.0, 0.2 * L, -3, 3, 7, 10, lv.top, lv.ends, lv.sides);
    m.line(0.3 * L, -4, 11, 0.3 * L, 4, 11, pal::kMetal[6]);
    if (look.is("go")) {
        m.box(-0.12 * L, 0.06 * L, -3, 3, 8, H - 2, pal::kEarth[3], pal::kEarth[2], pal::kEarth[1]);
        m.disc(0, 0, H, 2.5, 2.5, pal::kYellow[4]);
    }
}

void AddCarrier(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double W = a.width;
    // The cab of a truck with a low bed for its box; the load follows.
    AddTruck(m, a, look, 8);
    const double cabBack = L / 2 - std::min(26.0, L * 0.27);
    const Livery& lv = a.livery;
    switch (a.extra) {
        case Extra::SmallBoat: {
            Block& hull = m.box(-L / 2 + 6, cabBack - 14, -W * 0.32, W * 0.32, 8, 15, pal::kWood[4],
                                pal::kMedicRamp[4], pal::kMedicRamp[3]);
            hull.faces.push_back({kRight, -L / 2 + 6, cabBack - 14, 11, 12, lv.ends});
            m.box(cabBack - 14, cabBack - 6, -W * 0.15, W * 0.15, 8, 15, pal::kWood[4],
                  pal::kMedicRamp[4], pal::kMedicRamp[3]);
            break;
        }
        case Extra::Trailer: {
            // A trailer frame on the rear of the bed, the boat on it.
            const double gap = -L / 2 + L * 0.5;
            m.box(-L / 2 + 2, gap, -W * 0.4, W * 0.4, 8, 10, pal::kMetal[4], pal::kMetal[2],
                  pal::kMetal[3]);
            m.box(-L / 2 + 4, gap - 4, -W * 0.33, W * 0.33, 10, 17, pal::kWood[4],
                  pal::kMedicRamp[4], pal::kMedicRamp[3]);
            break;
        }
        case Extra::EmptyBed:
            for (double u : {-L / 2 + 10, cabBack - 18})
                m.box(u, u + 5, -W * 0.3, W * 0.3, 8, 11, pal::kMetal[5], pal::kMetal[3],
                      pal::kMetal[3]);
            break;
        default:
            break;
    }
}

// The ladder lies on the roof while driving; set up, the outriggers stand out and the turntable
// lifts the ladder's foot.
void AddLadder(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const double back = -L / 2;
    const double turntable = back + 12;
    const bool up = look.is("inst") || look.is("iopen");
    m.disc(turntable, 0, H + 1, 5, 3, pal::kMetal[4]);
    if (up) {
        for (double u : {back + 8, L / 2 - 34})
            for (double v : {-W / 2 - 10, W / 2})
                m.box(u, u + 6, v, v + 10, 0, 3, pal::kMetal[5], pal::kMetal[3], pal::kMetal[3]);
        for (double v : {-4.0, 4.0})
            m.line(turntable, v, H + 2, turntable + 14, v, H + 24, pal::kMetal[6], 2);
        return;
    }
    const double tip = L / 2 - 4;
    for (double v : {-4.0, 4.0}) m.line(turntable, v, H + 1, tip, v, H + 1, pal::kMetal[6]);
    for (double u = turntable + 4; u < tip; u += 6)
        m.line(u, -4, H + 1, u, 4, H + 1, pal::kMetal[5]);
}

void AddCrane(Model& m, const VehicleArt& a, bool loaded) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const double back = -L / 2;
    m.box(back + 4, back + 18, -8, 8, H, H + 5, pal::kYellow[4], pal::kYellow[3], pal::kYellow[2]);
    m.line(back + 10, 0, H + 6, L / 2 - 30, 0, H + 10, pal::kYellow[5], 3);
    if (loaded)
        m.box(back + 20, back + 50, -W / 2 + 3, W / 2 - 3, H, H + 8, pal::kAsh[4], pal::kAsh[3],
              pal::kAsh[2]);
}

// Two pontoons on the roof; setting up lifts them one after the other down beside the vehicle's
// left, taking down brings them back.
void AddPontoons(Model& m, const VehicleArt& a, const Look& look) {
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    const double u0 = -L / 2 + 4;
    const double u1 = L / 2 - 30;
    // How far each pontoon has gone: 0 on the roof, 1 on the ground beside.
    double out[2] = {0, 0};
    const double t = look.progress();
    if (look.is("install1")) out[1] = t;
    if (look.is("install2")) out[1] = 1, out[0] = t;
    if (look.is("inst")) out[0] = out[1] = 1;
    if (look.is("deinst1")) out[1] = 1, out[0] = 1 - t;
    if (look.is("deinst2")) out[1] = 1 - t;
    for (int k = 0; k < 2; ++k) {
        const double s = out[k];
        const double v = -s * (W / 2 + 6 + 16 * (1 - k));
        const double z = (H + 4 * k) * (1 - s) + 10 * std::sin(kPi * s);
        m.box(u0, u1, v - W / 2 + 3, v + W / 2 - 3, z, z + 4, pal::kConcrete[5], pal::kConcrete[3],
              pal::kConcrete[2]);
    }
}

void AddTent(Model& m, const VehicleArt& a, const Look& look) {
    if (look.layoutOnly) return;
    double t = 0;
    if (look.is("install1")) t = look.progress();
    if (look.is("inst")) t = 1;
    if (look.is("deinst1")) t = 1 - look.progress();
    if (t <= 0) return;
    const double W = a.width;
    Block& tent = m.box(-22, 22, -W / 2 - 50, -W / 2 - 10, 0, 2 + 22 * t, pal::kMedicRamp[5],
                        pal::kMedicRamp[3], pal::kMedicRamp[2]);
    tent.tops.push_back({-3, 3, -W / 2 - 40, -W / 2 - 20, pal::kFireBrigadeRed.first});
    tent.tops.push_back({-10, 10, -W / 2 - 33, -W / 2 - 27, pal::kFireBrigadeRed.first});
}

void AddAwning(Model& m, const VehicleArt& a, const Look& look) {
    if (!look.is("open")) return;
    const double L = a.length;
    const double W = a.width;
    const double H = a.height;
    m.box(-L / 2 + 8, L / 2 - 22, W / 2, W / 2 + 16, H - 3, H - 1, pal::kRescueOrange.first,
          pal::kOrange[3], pal::kOrange[2]);
    m.line(-L / 2 + 8, W / 2 + 16, H - 3, -L / 2 + 8, W / 2 + 16, 0, pal::kMetal[5]);
    m.line(L / 2 - 22, W / 2 + 16, H - 3, L / 2 - 22, W / 2 + 16, 0, pal::kMetal[5]);
}

Model BuildModel(int type, const Look& look, int facing) {
    const VehicleArt& a = kArt[type];
    Model m;
    switch (a.shape) {
        case Shape::Truck:
            AddTruck(m, a, look, a.height);
            break;
        case Shape::Van:
            AddVan(m, a, look);
            break;
        case Shape::Car:
            AddCar(m, a, look);
            break;
        case Shape::Boat:
            AddBoat(m, a, look);
            break;
        case Shape::Carrier:
            AddCarrier(m, a, look);
            break;
        case Shape::Heli:
            AddHeli(m, a, look);
            break;
        case Shape::Plane:
            AddPlane(m, a, look);
            break;
        case Shape::Shark:
            AddShark(m, a, look, facing);
            break;
        case Shape::Bike:
            AddBike(m, a, look);
            break;
        case Shape::None:
            break;
    }
    switch (a.extra) {
        case Extra::Cannon:
            m.disc(0, 0, a.height, 4, 3, pal::kMetal[5]);
            break;
        case Extra::Ladder:
            AddLadder(m, a, look);
            break;
        case Extra::Crane:
        case Extra::CraneLoaded:
            AddCrane(m, a, a.extra == Extra::CraneLoaded);
            break;
        case Extra::Pontoons:
            AddPontoons(m, a, look);
            break;
        case Extra::Tent:
            AddTent(m, a, look);
            break;
        case Extra::Awning:
            AddAwning(m, a, look);
            break;
        default:
            break;
    }
    return m;
}

// The model a type's pictures in a facing are laid out by, so that every entry of the facing
// shows the vehicle at the same place: the standing vehicle, or one holding what some entries add.
Model LayoutModel(int type, int facing) {
    if (type == kTypF106 && facing == 3) return BuildModel(type, Look{.stem = "inst"}, facing);
    // F203 keeps room for the person that F203B carries below, and both share its boxes.
    if (type == kTypF203 || type == kTypF203B) return BuildModel(kTypF203B, Look{}, facing);
    // Vehicles that drive with a wake or a rider keep room for it.
    for (const SpriteEntryRow& e : kFahrzeugTypRows[type].sprites)
        if (e.stem == "go") return BuildModel(type, Look{.stem = "go"}, facing);
    return BuildModel(type, Look{}, facing);
}

Layout EntryLayout(int type, const SpriteEntryRow& e, int facing) {
    const FahrzeugTypRow& row = kFahrzeugTypRows[type];
    if (e.box == BoxRule::Given && HasFacing(e.boxFacings, facing)) {
        const Model fit =
            BuildModel(type, Look{.stem = e.stem, .frames = e.frames, .layoutOnly = true}, facing);
        return FittedLayout(fit, facing, e.boxes[facing]);
    }
    const Model base = LayoutModel(type, facing);
    // Traffic cars also stand in car parks, as close together as the parked makes: in a parking
    // facing, one that would come out larger than a parked car is drawn to the parked car's box.
    if (type >= kTypZF01 && type < kTypSF02 && (facing == 1 || facing == 7)) {
        const SpriteBox park = sprites::kParkStay[facing];
        const Layout natural = NaturalLayout(base, facing, 0);
        if (natural.w - 2 * kMargin > park.right + 1 - park.left ||
            natural.h - 2 * kMargin > park.bottom + 1 - park.top)
            return FittedLayout(base, facing, park);
    }
    if (row.kanone != nullptr)
        return MountedLayout(base, facing, row.kanone->mount[facing], kArt[type].height);
    return NaturalLayout(base, facing, e.hotXFromEntry0.value_or(0));
}

// ---------------------------------------------------------------------------------------------
// The ladder's own pictures, drawn in picture space

void DrawLadderRails(Canvas& c, int x0, int y0, int x1, int y1) {
    const double len = std::hypot(x1 - x0, y1 - y0);
    const double nx = (y1 - y0) / len * 4;
    const double ny = -(x1 - x0) / len * 4;
    for (int s : {-1, 1})
        c.line(static_cast<int>(x0 + s * nx), static_cast<int>(y0 + s * ny),
               static_cast<int>(x1 + s * nx), static_cast<int>(y1 + s * ny), pal::kMetal[6]);
    for (double t = 0.05; t < 1; t += 7 / len) {
        const double x = x0 + (x1 - x0) * t;
        const double y = y0 + (y1 - y0) * t;
        c.line(static_cast<int>(x - nx), static_cast<int>(y - ny), static_cast<int>(x + nx),
               static_cast<int>(y + ny), pal::kMetal[4]);
    }
}

void DrawBasket(Canvas& c, int x, int y) {
    c.fillRect(x - 10, y - 6, 20, 12, pal::kFireBrigadeRamp[3]);
    c.fillRect(x - 10, y - 6, 20, 3, pal::kFireBrigadeRamp[5]);
    c.frameRect(x - 10, y - 6, 20, 12, pal::kMetal[6]);
}

// How far the basket stands above the vehicle at each position, and how far to the side a
// column leans.
int LadderRise(int k) {
    return 90 + 28 * k;
}
int LadderLean(int column) {
    return column == 10 ? 68 : column == 11 ? 38 : 0;
}

// The basket sits at (49, 17) of every section picture; the ladder runs down to its foot.
std::vector<Canvas> DrawLadderSection(int k, int column, int frames) {
    const int footX = 49 + LadderLean(column);
    const int footY = 17 + (column == 3 ? 22 : LadderRise(k));
    std::vector<Canvas> out;
    for (int f = 0; f < frames; ++f) {
        Canvas c(std::max(footX, 49) + 16, footY + 8);
        DrawLadderRails(c, footX, footY, 49, 17 + 4);
        DrawBasket(c, 49, 17 + 4 * f);
        out.push_back(std::move(c));
    }
    return out;
}

std::vector<Canvas> DrawLadderPiece(int k) {
    Canvas c(16, 24 + 6 * k);
    DrawLadderRails(c, 8, c.height() - 2, 8, 1);
    return {std::move(c)};
}

// The basket climbing the ladder from the vehicle's roof.
std::vector<Canvas> DrawLadderStep(int frames) {
    std::vector<Canvas> out;
    for (int f = 0; f < frames; ++f) {
        Canvas c(110, 64);
        DrawLadderRails(c, 12, 56, 100, 10);
        const double t = static_cast<double>(f) / std::max(frames - 1, 1);
        DrawBasket(c, static_cast<int>(16 + 80 * t), static_cast<int>(50 - 40 * t));
        out.push_back(std::move(c));
    }
    return out;
}

}  // namespace

bool VehiclePictureWanted(int type, const SpriteEntryRow& entry, int facing) {
    if (entry.stem.empty() || !HasFacing(entry.facings, facing)) return false;
    if (type == kTypF111) return facing == 3;
    if (type == kTypHAI && entry.stem == "friss") return !HasFacing(entry.optionalFacings, facing);
    return true;
}

std::vector<Canvas> DrawVehiclePicture(int type, const SpriteEntryRow& e, int facing) {
    if (e.stem == "step") return DrawLadderStep(e.frames);
    if (e.stem.starts_with("ldr")) {
        const int k = e.stem[3] - '0';
        return e.stem[4] == 'm' ? DrawLadderSection(k, facing, e.frames) : DrawLadderPiece(k);
    }
    std::vector<Model> models;
    for (int f = 0; f < e.frames; ++f)
        models.push_back(
            BuildModel(type, Look{.stem = e.stem, .frame = f, .frames = e.frames}, facing));
    return RenderFrames(models, EntryLayout(type, e, facing));
}

Canvas DrawKanonePicture(const KanoneRow& k, int direction) {
    const SpritePoint a = k.anchor[direction];
    const SpritePoint n = k.nozzle[direction];
    const int tipX = a.x + n.x;
    const int tipY = a.y + n.y;
    Canvas c(std::max<int>(a.x, tipX) + 3, std::max<int>(a.y, tipY) + 3);
    c.fillCircle(a.x, a.y, 2, pal::kMetal[3]);
    c.line(a.x, a.y, tipX, tipY, pal::kMetal[6]);
    c.line(a.x + 1, a.y, tipX + 1, tipY, pal::kMetal[5]);
    c.set(tipX, tipY, pal::kMetal[7]);
    return c;
}

std::vector<AffFrame> DrawHeliShadow() {
    constexpr int kFrames = 18;
    constexpr double kRx = 50;
    constexpr double kRy = 16;
    std::vector<AffFrame> frames;
    for (int i = 0; i < kFrames; ++i) {
        const double s = 0.3 + 0.7 * std::min(i, 16) / 16.0;
        const double rx = kRx * s;
        const double ry = kRy * s;
        const int w = static_cast<int>(2 * rx) + 1;
        const int h = static_cast<int>(2 * ry) + 1;
        Canvas c(w, h);
        FillEllipse(c, w / 2.0, h / 2.0, rx, ry, pal::kShadow[1]);
        if (i < kFrames - 1) FillEllipse(c, w / 2.0, h / 2.0, rx * 0.35, ry * 0.5, pal::kShadow[2]);
        frames.push_back(AffFrame{static_cast<std::int16_t>(std::lround(kRx - rx)),
                                  static_cast<std::int16_t>(std::lround(kRy - ry)), std::move(c),
                                  0});
    }
    return frames;
}

}  // namespace kv::sampledata
