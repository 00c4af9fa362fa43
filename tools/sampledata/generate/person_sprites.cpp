// The person sprite sets: every picture file that the person types' tables ask for, with the
// frame counts they ask for. Each role has its own look; the figures face the direction of the
// file's number, walk with their legs and act out their animation's stem.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generate/person_figures.h"
#include "generate/topics.h"
#include "persons/person_sprite_table.h"
#include "writers/image_writers.h"

namespace kv::sampledata {

namespace {

constexpr double kPi = 3.14159265358979323846;

int R(double v) {
    return static_cast<int>(std::lround(v));
}

Look FireFighter() {
    return Look{pal::kFireBrigadeRamp, pal::kFireBrigadeDark.first, Headgear::Helmet, pal::kGold[4],
                pal::kYellow[5]};
}
Look TechnicalRelief() {
    return Look{pal::kTechnicalRamp, pal::kTechnicalRamp[0], Headgear::Helmet, pal::kOrange[4],
                pal::kLightGrey.first};
}
Look HeavyFireFighter() {
    Look l = FireFighter();
    l.headColour = pal::kMetal[6];
    l.stripe = pal::kMetal[7];
    l.tank = true;
    return l;
}
Look Police() {
    return Look{pal::kPoliceRamp, pal::kPoliceRamp[0], Headgear::Cap, pal::kPoliceRamp[1]};
}
Look Medic() {
    Look l{pal::kMedicRamp, pal::kMedicRamp[2], Headgear::Hair, pal::kHair[0],
           pal::kRescueOrange.first};
    l.redCross = true;
    return l;
}
Look Civilian(PaletteRamp shirt, std::uint8_t trousers, std::uint8_t hair) {
    return Look{shirt, trousers, Headgear::Hair, hair};
}
Look Casualty(PaletteRamp shirt, std::uint8_t trousers) {
    Look l = Civilian(shirt, trousers, pal::kHair[1]);
    l.bloody = true;
    return l;
}
Look Swimmer(PaletteRamp suit, std::uint8_t hair) {
    Look l = Civilian(suit, suit[2], hair);
    l.swimsuit = true;
    return l;
}
Look Carrying(Look l, Carry carry) {
    l.carry = carry;
    return l;
}

// The base look of each family, then the variants with what they carry.
Look LookOf(int type) {
    const Carry carries[] = {Carry::Extinguisher, Carry::Cutter,   Carry::HoseCoil, Carry::HoseJet,
                             Carry::Casualty,     Carry::Chainsaw, Carry::Box,      Carry::Rope};
    if (type >= 8 && type <= 15) return Carrying(FireFighter(), carries[type - 8]);
    switch (type) {
        case 0:
            return Police();
        case 1:
        case 6:
            return FireFighter();
        case 2:
            return TechnicalRelief();
        case 3:
            return HeavyFireFighter();
        case 4:
        case 5:
        case 26:
            return Medic();
        case 7: {
            Look l = Civilian(pal::kOrange, pal::kEarth[2], pal::kHair[2]);
            l.burning = true;
            return l;
        }
        case 16:
            return Carrying(TechnicalRelief(), Carry::Extinguisher);
        case 17:
            return Carrying(TechnicalRelief(), Carry::Cutter);
        case 19:
            return Carrying(TechnicalRelief(), Carry::Casualty);
        case 20:
            return Carrying(TechnicalRelief(), Carry::Chainsaw);
        case 21:
            return Carrying(HeavyFireFighter(), Carry::Extinguisher);
        case 22:
            return Carrying(HeavyFireFighter(), Carry::Cutter);
        case 24:
            return Carrying(HeavyFireFighter(), Carry::Casualty);
        case 25:
            return Carrying(HeavyFireFighter(), Carry::Chainsaw);
        case 27:
            return Civilian(pal::kViolet, pal::kRoad[1], pal::kHair[0]);
        case 28:
            return Civilian(pal::kPink, pal::kEarth[1], pal::kHair[2]);
        case 29:
            return Civilian(pal::kCyan, pal::kRoad[2], pal::kHair[1]);
        case 30:
            return Civilian(pal::kYellow, pal::kEarth[3], pal::kGrey[3]);
        case 31:
            return Civilian(pal::kSky, pal::kRoad[0], pal::kHair[2]);
        case 32:
        case 33: {
            Look l = Civilian(pal::kAsh, pal::kShadow[1], pal::kAsh[1]);
            l.head = Headgear::Hood;
            return l;
        }
        case 34:
            return Casualty(pal::kSand, pal::kRoad[1]);
        case 35:
            return Casualty(pal::kGrey, pal::kEarth[2]);
        case 53:
            return Casualty(pal::kEarth, pal::kRoad[2]);
        case 36:
            return Civilian(pal::kOrange, pal::kRoad[1], pal::kHair[0]);
        case 37:
            return Civilian(pal::kGrass, pal::kEarth[1], pal::kHair[1]);
        case 38:
            return Civilian(pal::kWood, pal::kRoad[0], pal::kGrey[10]);
        case 39:
            return Civilian(pal::kPink, pal::kShadow[2], pal::kHair[1]);
        case 40:
            return Civilian(pal::kCyan, pal::kEarth[4], pal::kHair[0]);
        case 41:
        case 42:
            return Civilian(pal::kSky, pal::kTechnicalRamp[0], pal::kHair[1]);
        case 43:
        case 44:
            return Civilian(pal::kBrick, pal::kRoad[0], pal::kHair[0]);
        case 45:
            return Carrying(FireFighter(), Carry::Tyre);
        case 46:
            return Carrying(FireFighter(), Carry::Ring);
        case 47:
            return Civilian(pal::kGold, pal::kRoad[1], pal::kHair[2]);
        case 48:
            return Civilian(pal::kViolet, pal::kEarth[2], pal::kHair[0]);
        case 49:
            return Swimmer(pal::kCyan, pal::kHair[0]);
        case 50:
            return Swimmer(pal::kToxic, pal::kHair[2]);
        case 51:
            return Swimmer(pal::kPink, pal::kHair[1]);
        case 52:
            return Civilian(pal::kGold, pal::kGold[1], pal::kOrange[5]);
        case 54: {
            Look l = Civilian(pal::kSky, pal::kSky[1], pal::kLightGrey.first);
            l.head = Headgear::FlightHelmet;
            return l;
        }
        default:
            return FireFighter();
    }
}

bool Is(std::string_view stem, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (stem == n) return true;
    return false;
}

bool IsFight(std::string_view stem) {
    return Is(stem, {"kampf_sp", "kampf_sr", "kpol_los", "kpol_win", "kblu_win", "kred_win"});
}

// Where a frame's figure goes: the canvas size and the anchor (feet, hips or middle).
struct Layout {
    int w;
    int h;
    int x;
    int y;
};

enum class Kind { Single, Stretcher, LoadedStretcher, Cushion, Large };

Kind KindOf(int type) {
    switch (type) {
        case 5:
            return Kind::Stretcher;
        case 26:
            return Kind::LoadedStretcher;
        case 6:
            return Kind::Cushion;
        case 52:
            return Kind::Large;
        default:
            return Kind::Single;
    }
}

Layout LayoutOf(int type, const AnimRow& anim, int d) {
    const std::string_view stem = anim.stem;
    if (anim.boxRule == BoxRule::Given && HasDir(anim.boxDirs, d)) {
        const Box16& b = anim.boxes[d];
        if (IsFight(stem)) return {b[2] + 1, b[3] + 1, anim.hot[d].x, b[3] - 2};
        return {b[2] + 1, b[3] + 1, (b[0] + b[2]) / 2, (b[1] + b[3]) / 2};
    }
    if (HasDir(anim.hotDirs, d)) {
        const Spot16 h = anim.hot[d];
        return {std::max(13, h.x + 7), h.y + 2, h.x, h.y};
    }
    switch (KindOf(type)) {
        case Kind::Stretcher:
        case Kind::LoadedStretcher:
        case Kind::Cushion:
            return {46, 38, 23, 32};
        case Kind::Large:
            return {22, 30, 11, 29};  // drawn twice as large
        case Kind::Single:
            break;
    }
    if (stem == "lay") return {30, 20, 15, 11};
    if (stem == "fall") return {30, 26, 15, 25};  // from standing to lying
    if (stem == "sit") return {16, 22, 8, 20};
    if (Is(stem, {"swim", "tauch", "swimmr"})) return {20, 16, 10, 10};
    return {16, 26, 8, 25};
}

// Two figures carrying something between them, the one further back drawn first.
void DrawTeam(Canvas& c, const Layout& at, int d, const Look& look, Kind kind, double stride,
              double unfold) {
    const double a = d * kPi / 6.0;
    const double s = std::sin(a);
    const double k = -std::cos(a);
    const bool stretcher = kind != Kind::Cushion;
    // A stretcher team walks one behind the other, the cushion team side by side.
    const double ox = stretcher ? s * 10 : std::cos(a) * 8;
    const double oy = stretcher ? k * 4 : std::sin(a) * 3;
    const int x1 = at.x - R(ox), y1 = at.y - R(oy);
    const int x2 = at.x + R(ox), y2 = at.y + R(oy);
    Pose pose;
    pose.stride = stride;
    pose.reach = 0.7;
    auto figure = [&](int x, int y, double phase) {
        Pose p = pose;
        p.stride = stride * phase;
        DrawFigure(c, x, y, d, look, p);
    };
    if (y1 <= y2)
        figure(x1, y1, 1);
    else
        figure(x2, y2, -1);
    if (stretcher) {
        c.line(x1, y1 - 10, x2, y2 - 10, pal::kMetal[5]);
        c.line(x1, y1 - 9, x2, y2 - 9, pal::kMedicRamp[5]);
        if (kind == Kind::LoadedStretcher) {
            Look patient = Civilian(pal::kSand, pal::kRoad[1], pal::kHair[1]);
            DrawLying(c, at.x, at.y - 11, d, patient, 0, 12);
        }
    } else {
        const int size = 3 + R(unfold * 14);
        c.fillRect(at.x - size, at.y - 8 - R(unfold * 2), 2 * size + 1, 3 + R(unfold * 6),
                   pal::kYellow[3]);
        c.frameRect(at.x - size, at.y - 8 - R(unfold * 2), 2 * size + 1, 3 + R(unfold * 6),
                    pal::kOrange[3]);
    }
    if (y1 <= y2)
        figure(x2, y2, -1);
    else
        figure(x1, y1, 1);
}

// Two people struggling; in the last third of a "win" sequence one of them lies on the ground.
void DrawFight(Canvas& c, const Layout& at, int type, std::string_view stem, double t) {
    const Look own = LookOf(type);
    const Look police = LookOf(0);
    const bool policeWins = stem == "kpol_win";
    const bool ownWins = Is(stem, {"kblu_win", "kred_win", "kampf_sr"});
    const bool decided = (policeWins || ownWins) && t > 0.66;
    const int sway = R(std::sin(t * 6 * kPi) * 2);
    Pose fighting;
    fighting.reach = 0.8;
    fighting.stride = std::sin(t * 8 * kPi) * 0.5;
    if (!decided) {
        DrawFigure(c, at.x - 5 + sway, at.y, 3, own, fighting);
        DrawFigure(c, at.x + 5 + sway, at.y, 9, police, fighting);
        return;
    }
    Pose standing;
    standing.raise = 1;
    const Look& winner = policeWins ? police : own;
    const Look& loser = policeWins ? own : police;
    DrawLying(c, at.x - 6, at.y - 2, 9, loser, t);
    DrawFigure(c, at.x + 8, at.y, 9, winner, standing);
}

Canvas DrawFrame(int type, const AnimRow& anim, int d, int facing, int frame) {
    const Layout at = LayoutOf(type, anim, d);
    Canvas c(at.w, at.h);
    const int n = anim.frames[d];
    const double cycle = static_cast<double>(frame) / n;                // 0 .. < 1
    const double t = n > 1 ? static_cast<double>(frame) / (n - 1) : 0;  // 0 .. 1
    const double wave = std::sin(cycle * 2 * kPi);
    const std::string_view stem = anim.stem;
    Look look = LookOf(type);
    const Kind kind = KindOf(type);

    if (IsFight(stem)) {
        DrawFight(c, at, type, stem, t);
        return c;
    }
    if (kind == Kind::Stretcher || kind == Kind::LoadedStretcher || kind == Kind::Cushion) {
        DrawTeam(c, at, facing, look, kind, stem == "go" ? wave : 0, stem == "aufbau" ? t : 0);
        return c;
    }
    if (stem == "lay") {
        DrawLying(c, at.x, at.y, facing, look, n > 1 ? 0.5 + 0.5 * wave : 0);
        return c;
    }
    if (stem == "sit") {
        DrawSitting(c, at.x, at.y, facing, look, n > 1 ? 0.5 - 0.5 * std::cos(cycle * 2 * kPi) : 0);
        return c;
    }
    if (Is(stem, {"swim", "tauch", "swimmr"})) {
        DrawSwimming(c, at.x, at.y, facing, look, cycle, stem == "tauch" ? t : 0, stem == "swimmr");
        return c;
    }
    if (stem == "fall" && t > 0.5) {
        DrawLying(c, at.x, at.y - 5, facing, look, t);
        return c;
    }

    Pose pose;
    int fx = at.x;
    int fy = at.y;
    if (stem == "go") {
        pose.stride = wave;
        if (look.carry == Carry::Box || look.carry == Carry::Tyre || look.carry == Carry::Ring)
            pose.reach = 0.6;
    } else if (stem == "stay") {
        // Standing still; a longer stand lets the figure scratch its head now and then.
        pose.raise = n > 1 ? 0.6 * (0.5 - 0.5 * std::cos(cycle * 2 * kPi)) : 0;
    } else if (stem == "up") {
        pose.crouch = 1 - t;
    } else if (stem == "down" || stem == "godown") {
        pose.crouch = t;
    } else if (stem == "use") {
        pose.reach = 0.7 + 0.3 * wave;
    } else if (stem == "anhydr") {
        pose.crouch = 0.7;
        pose.reach = 0.5 + 0.5 * wave;
    } else if (stem == "wurf") {
        pose.raise = t < 0.7 ? t / 0.7 : 0;
        pose.reach = t < 0.7 ? 0 : 1;
    } else if (stem == "fackel") {
        look.carry = Carry::Torch;
        pose.raise = 0.8 + 0.2 * wave;
    } else if (stem == "test") {
        pose.crouch = 0.8;
        pose.reach = 0.5 + 0.3 * wave;
    } else if (stem == "stop") {
        pose.raise = 1;
    } else if (stem == "back") {
        pose.handsBehind = true;
    } else if (stem == "spring") {
        pose.raise = 1;
        pose.reach = 0.5;
        pose.lift = 3;
    } else if (stem == "fall") {
        pose.crouch = t * 2;
        pose.raise = 0.5 + 0.5 * wave;
    }
    if (type == 33 || type == 42 || type == 44) pose.handsBehind = true;
    if (kind == Kind::Large) {
        Canvas small(at.w, at.h);
        DrawFigure(small, fx, fy, facing, look, pose);
        return Enlarged(small);
    }
    DrawFigure(c, fx, fy, facing, look, pose);
    return c;
}

}  // namespace

bool WritePersonSprites(const OutputTree& out) {
    for (int type = 0; type < kPersonTypCount; ++type) {
        const PersonTypRow& row = kPersonTypRows[type];
        for (const AnimRow& anim : row.anims) {
            if (anim.stem.empty()) continue;
            for (int d = 0; d < kDirectionCount; ++d) {
                if (!HasDir(anim.counted, d) || (anim.oneFile && d != 0)) continue;
                // The file of direction d shows the figure facing the file's own number.
                const int number = PersonSpriteFileNumber(row, d);
                std::vector<Canvas> frames;
                for (int f = 0; f < anim.frames[d]; ++f)
                    frames.push_back(DrawFrame(type, anim, d, number, f));
                const std::string path =
                    PersonSpritePath(row.folder, anim.stem, anim.oneFile ? -1 : number);
                if (!out.write(path, MakeVff(frames))) return false;
            }
        }
    }
    return true;
}

bool DrawPersonPortrait(Canvas& c, int picture) {
    for (std::size_t t = 0; t < kPersonTypRows.size(); ++t) {
        if (kPersonTypRows[t].code.empty() || kPersonTypRows[t].panelPicture != picture) continue;
        Canvas figure(40, 28);
        DrawFigure(figure, 20, 26, 6, LookOf(static_cast<int>(t)), Pose{});
        c.draw(Enlarged(figure), (c.width() - 80) / 2, (c.height() - 56) / 2);
        return true;
    }
    return false;
}

int HighestPersonPanelPicture() {
    int highest = 0;
    for (const PersonTypRow& s : kPersonTypRows) highest = std::max<int>(highest, s.panelPicture);
    return highest;
}

}  // namespace kv::sampledata
