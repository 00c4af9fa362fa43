#pragma once
// A small renderer for placeholder art: boxes, lines and ellipses in a body's own space, seen
// from above at an angle and turned to one of the twelve facings, drawn back to front on a
// canvas. The vehicle art builds its vehicles from it.

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "vehicles/fahrzeug_sprite_table.h"
#include "writers/canvas.h"

namespace kv::sampledata {

inline constexpr double kPi = 3.14159265358979323846;
// How much the ground shrinks towards the horizon.
inline constexpr double kSquash = 0.6;
// Transparent pixels round a body in its picture.
inline constexpr int kMargin = 3;

struct Pt {
    double x;
    double y;
};

// Body space: u forward, v to the body's right, z up, the origin on the ground under the body's
// centre. Facing 0 points up the screen, facing 3 to the right.
struct Projection {
    double sn = 0;
    double cs = 1;
    double ox = 0;  // where the origin lands in the picture
    double oy = 0;
    double sx = 1;  // stretch, for bodies fitted to a box
    double sy = 1;

    Pt at(double u, double v, double z) const {
        const double x = u * sn + v * cs;
        const double y = (-u * cs + v * sn) * kSquash - z;
        return {ox + x * sx, oy + y * sy};
    }
};

Projection FacingProjection(int facing);

enum Face { kFront, kBack, kRight, kLeft };

// A rectangle on a side face: s runs along the face (v on front and back, u on the sides).
struct FaceDecal {
    Face face;
    double s0, s1, z0, z1;
    std::uint8_t colour;
};
// A rectangle on the top face.
struct TopDecal {
    double u0, u1, v0, v1;
    std::uint8_t colour;
};

struct Block {
    double u0, u1, v0, v1, z0, z1;
    std::uint8_t top, ends, sides;  // ends: front and back faces
    std::vector<FaceDecal> faces;
    std::vector<TopDecal> tops;
};

struct Line3 {
    double u0, v0, z0, u1, v1, z1;
    std::uint8_t colour;
    int width = 1;
};

// An ellipse with radii in picture pixels (before stretching).
struct Disc {
    double u, v, z, rx, ry;
    std::uint8_t colour;
    bool under = false;  // drawn before the blocks
};

struct Model {
    // A deque: the builders keep references to blocks while they add more.
    std::deque<Block> blocks;
    std::vector<Line3> lines;
    std::vector<Disc> discs;

    Block& box(double u0, double u1, double v0, double v1, double z0, double z1, std::uint8_t top,
               std::uint8_t ends, std::uint8_t sides);
    void line(double u0, double v0, double z0, double u1, double v1, double z1, std::uint8_t colour,
              int width = 1);
    void disc(double u, double v, double z, double rx, double ry, std::uint8_t colour,
              bool under = false);
};

void FillEllipse(Canvas& c, double cx, double cy, double rx, double ry, std::uint8_t colour);
// Blocks back to front, then the lines, with the discs before (under) or after them.
void Render(Canvas& c, const Model& m, const Projection& p);

// Where a model lands in its picture and how big the picture is.
struct Layout {
    Projection p;
    int w = 1;
    int h = 1;
};

// The model's extent with the margin round it; shift widens the picture on the left.
Layout NaturalLayout(const Model& m, int facing, int shift = 0);
// The point (0, 0, roof) on the mount point.
Layout MountedLayout(const Model& m, int facing, SpritePoint mount, double roof);
// The model stretched to fill the box exactly (a box reaching above the picture is cut at 0).
Layout FittedLayout(const Model& m, int facing, SpriteBox box);
// Draws the frames in one layout, all of one size: what reaches right of or below the layout's
// picture makes every frame larger.
std::vector<Canvas> RenderFrames(std::span<const Model> models, const Layout& l);

}  // namespace kv::sampledata
