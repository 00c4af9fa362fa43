#include "generate/box_scene.h"

#include <algorithm>
#include <cmath>

namespace kv::sampledata {

namespace {

void FillPolygon(Canvas& c, std::span<const Pt> pts, std::uint8_t colour) {
    double minY = pts[0].y;
    double maxY = pts[0].y;
    for (const Pt& p : pts) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
        const double yc = y + 0.5;
        double xl = 1e9;
        double xr = -1e9;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Pt& a = pts[i];
            const Pt& b = pts[(i + 1) % pts.size()];
            if ((a.y <= yc && b.y > yc) || (b.y <= yc && a.y > yc)) {
                const double x = a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y);
                xl = std::min(xl, x);
                xr = std::max(xr, x);
            }
        }
        for (int x = static_cast<int>(std::ceil(xl - 0.5)); x + 0.5 <= xr; ++x) c.set(x, y, colour);
    }
}

bool Visible(const Projection& p, Face f) {
    switch (f) {
        case kFront:
            return p.cs < 0;
        case kBack:
            return p.cs > 0;
        case kRight:
            return p.sn > 0;
        case kLeft:
            return p.sn < 0;
    }
    return false;
}

std::array<Pt, 4> FaceQuad(const Projection& p, const Block& b, Face f, double s0, double s1,
                           double z0, double z1) {
    switch (f) {
        case kFront:
            return {p.at(b.u1, s0, z0), p.at(b.u1, s1, z0), p.at(b.u1, s1, z1), p.at(b.u1, s0, z1)};
        case kBack:
            return {p.at(b.u0, s0, z0), p.at(b.u0, s1, z0), p.at(b.u0, s1, z1), p.at(b.u0, s0, z1)};
        case kRight:
            return {p.at(s0, b.v1, z0), p.at(s1, b.v1, z0), p.at(s1, b.v1, z1), p.at(s0, b.v1, z1)};
        case kLeft:
            return {p.at(s0, b.v0, z0), p.at(s1, b.v0, z0), p.at(s1, b.v0, z1), p.at(s0, b.v0, z1)};
    }
    return {};
}

void DrawBlock(Canvas& c, const Projection& p, const Block& b) {
    for (Face f : {kFront, kBack, kRight, kLeft}) {
        if (!Visible(p, f)) continue;
        const bool end = f == kFront || f == kBack;
        const auto quad = end ? FaceQuad(p, b, f, b.v0, b.v1, b.z0, b.z1)
                              : FaceQuad(p, b, f, b.u0, b.u1, b.z0, b.z1);
        FillPolygon(c, quad, end ? b.ends : b.sides);
        for (const FaceDecal& d : b.faces)
            if (d.face == f) FillPolygon(c, FaceQuad(p, b, f, d.s0, d.s1, d.z0, d.z1), d.colour);
    }
    const std::array<Pt, 4> top = {p.at(b.u0, b.v0, b.z1), p.at(b.u1, b.v0, b.z1),
                                   p.at(b.u1, b.v1, b.z1), p.at(b.u0, b.v1, b.z1)};
    FillPolygon(c, top, b.top);
    for (const TopDecal& d : b.tops) {
        const std::array<Pt, 4> q = {p.at(d.u0, d.v0, b.z1), p.at(d.u1, d.v0, b.z1),
                                     p.at(d.u1, d.v1, b.z1), p.at(d.u0, d.v1, b.z1)};
        FillPolygon(c, q, d.colour);
    }
}

void DrawLine(Canvas& c, const Projection& p, const Line3& l) {
    const Pt a = p.at(l.u0, l.v0, l.z0);
    const Pt b = p.at(l.u1, l.v1, l.z1);
    const int lo = -(l.width - 1) / 2;
    for (int dy = lo; dy < lo + l.width; ++dy)
        for (int dx = lo; dx < lo + l.width; ++dx)
            c.line(static_cast<int>(std::floor(a.x)) + dx, static_cast<int>(std::floor(a.y)) + dy,
                   static_cast<int>(std::floor(b.x)) + dx, static_cast<int>(std::floor(b.y)) + dy,
                   l.colour);
}

void DrawDisc(Canvas& c, const Projection& p, const Disc& d) {
    const Pt m = p.at(d.u, d.v, d.z);
    FillEllipse(c, m.x, m.y, d.rx * p.sx, d.ry * p.sy, d.colour);
}

double GroundY(const Projection& p, const Block& b) {
    return p.at((b.u0 + b.u1) / 2, (b.v0 + b.v1) / 2, 0).y;
}

// Whether a must be drawn before b: it lies below b, or behind it along the vehicle's length or

// width as seen from the viewer. Blocks that overlap in every direction have no order.

bool DrawsBefore(const Projection& p, const Block& a, const Block& b) {
    if (a.z1 <= b.z0) return true;
    if (b.z1 <= a.z0) return false;
    // The viewer sees more of whatever lies towards larger screen y: -u cs + v sn.
    if (a.u1 <= b.u0 && p.cs != 0) return p.cs < 0;
    if (b.u1 <= a.u0 && p.cs != 0) return p.cs > 0;
    if (a.v1 <= b.v0 && p.sn != 0) return p.sn > 0;
    if (b.v1 <= a.v0 && p.sn != 0) return p.sn < 0;
    return false;
}

struct Bounds {
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    void add(Pt q, double rx = 0, double ry = 0) {
        minX = std::min(minX, q.x - rx);
        maxX = std::max(maxX, q.x + rx);
        minY = std::min(minY, q.y - ry);
        maxY = std::max(maxY, q.y + ry);
    }
};

Bounds ModelBounds(const Model& m, const Projection& p) {
    Bounds b;
    for (const Block& k : m.blocks)
        for (double u : {k.u0, k.u1})
            for (double v : {k.v0, k.v1})
                for (double z : {k.z0, k.z1}) b.add(p.at(u, v, z));
    for (const Line3& l : m.lines) {
        b.add(p.at(l.u0, l.v0, l.z0), l.width / 2.0, l.width / 2.0);
        b.add(p.at(l.u1, l.v1, l.z1), l.width / 2.0, l.width / 2.0);
    }
    for (const Disc& d : m.discs) b.add(p.at(d.u, d.v, d.z), d.rx * p.sx, d.ry * p.sy);
    return b;
}

// The model's extent with a margin round it; shift widens the picture on the left.

}  // namespace

Projection FacingProjection(int facing) {
    const double a = facing * kPi / 6;
    Projection p;
    p.sn = std::sin(a);
    p.cs = std::cos(a);
    // Exact zeros keep the faces that stand edge-on hidden.
    if (std::abs(p.sn) < 1e-9) p.sn = 0;
    if (std::abs(p.cs) < 1e-9) p.cs = 0;
    return p;
}

Block& Model::box(double u0, double u1, double v0, double v1, double z0, double z1,
                  std::uint8_t top, std::uint8_t ends, std::uint8_t sides) {
    blocks.push_back(Block{u0, u1, v0, v1, z0, z1, top, ends, sides, {}, {}});
    return blocks.back();
}

void Model::line(double u0, double v0, double z0, double u1, double v1, double z1,
                 std::uint8_t colour, int width) {
    lines.push_back({u0, v0, z0, u1, v1, z1, colour, width});
}

void Model::disc(double u, double v, double z, double rx, double ry, std::uint8_t colour,
                 bool under) {
    discs.push_back({u, v, z, rx, ry, colour, under});
}

void FillEllipse(Canvas& c, double cx, double cy, double rx, double ry, std::uint8_t colour) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry));
         ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy > 1) continue;
        const double half = rx * std::sqrt(1 - dy * dy);
        for (int x = static_cast<int>(std::ceil(cx - half - 0.5)); x + 0.5 <= cx + half; ++x)
            c.set(x, y, colour);
    }
}

void Render(Canvas& c, const Model& m, const Projection& p) {
    for (const Disc& d : m.discs)
        if (d.under) DrawDisc(c, p, d);
    // Back to front: a block goes before every block it lies below or behind.
    std::vector<const Block*> left;
    for (const Block& b : m.blocks) left.push_back(&b);
    std::vector<const Block*> order;
    while (!left.empty()) {
        std::size_t pick = 0;
        bool found = false;
        for (std::size_t i = 0; i < left.size() && !found; ++i) {
            found = true;
            for (std::size_t j = 0; j < left.size() && found; ++j)
                if (j != i && DrawsBefore(p, *left[j], *left[i])) found = false;
            if (found) pick = i;
        }
        if (!found) {
            // Blocks that pass through each other: the one standing further back first.
            for (std::size_t i = 1; i < left.size(); ++i)
                if (GroundY(p, *left[i]) < GroundY(p, *left[pick])) pick = i;
        }
        order.push_back(left[pick]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    for (const Block* b : order) DrawBlock(c, p, *b);
    for (const Line3& l : m.lines) DrawLine(c, p, l);
    for (const Disc& d : m.discs)
        if (!d.under) DrawDisc(c, p, d);
}

Layout NaturalLayout(const Model& m, int facing, int shift) {
    Layout l;
    l.p = FacingProjection(facing);
    const Bounds b = ModelBounds(m, l.p);
    l.p.ox = kMargin - b.minX + shift;
    l.p.oy = kMargin - b.minY;
    l.w = static_cast<int>(std::ceil(b.maxX - b.minX)) + 2 * kMargin + 1 + shift;
    l.h = static_cast<int>(std::ceil(b.maxY - b.minY)) + 2 * kMargin + 1;
    return l;
}

Layout MountedLayout(const Model& m, int facing, SpritePoint mount, double roof) {
    Layout l;
    l.p = FacingProjection(facing);
    const Bounds b = ModelBounds(m, l.p);
    l.p.ox = std::max<double>(mount.x, 1 - b.minX);
    l.p.oy = std::max<double>(mount.y + roof, 1 - b.minY);
    l.w = static_cast<int>(std::ceil(l.p.ox + b.maxX)) + kMargin + 1;
    l.h = static_cast<int>(std::ceil(l.p.oy + b.maxY)) + kMargin + 1;
    return l;
}

Layout FittedLayout(const Model& m, int facing, SpriteBox box) {
    Layout l;
    l.p = FacingProjection(facing);
    const Bounds b = ModelBounds(m, l.p);
    const double top = std::max<int>(box.top, 0);
    l.p.sx = (box.right + 1 - box.left - 0.02) / (b.maxX - b.minX);
    l.p.sy = (box.bottom + 1 - top - 0.02) / (b.maxY - b.minY);
    l.p.ox = box.left + 0.01 - b.minX * l.p.sx;
    l.p.oy = top + 0.01 - b.minY * l.p.sy;
    l.w = box.right + 1 + kMargin;
    l.h = box.bottom + 1 + kMargin;
    return l;
}

std::vector<Canvas> RenderFrames(std::span<const Model> models, const Layout& l) {
    int w = l.w;
    int h = l.h;
    for (const Model& m : models) {
        const Bounds b = ModelBounds(m, l.p);
        w = std::max(w, static_cast<int>(std::ceil(b.maxX)) + kMargin);
        h = std::max(h, static_cast<int>(std::ceil(b.maxY)) + kMargin);
    }
    std::vector<Canvas> frames;
    for (const Model& m : models) {
        Canvas c(w, h);
        Render(c, m, l.p);
        frames.push_back(std::move(c));
    }
    return frames;
}

}  // namespace kv::sampledata
