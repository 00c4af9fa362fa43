#include "mission/view/draw_list.h"

#include <algorithm>
#include <cstdlib>

#include "core/view.h"
#include "mission/selection.h"
#include "mission/view/draw_jets.h"
#include "mission/view/draw_pictures.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/furniture.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {
constexpr DrawListEntry kFreeEntry{kFreeDrawListSlot, kFreeDrawListSlot, -1, kFreeDrawListSlot, 0};
}  // namespace

std::array<DrawListEntry, kDrawListCapacity> DrawList = [] {
    std::array<DrawListEntry, kDrawListCapacity> list{};
    list.fill(kFreeEntry);
    return list;
}();
std::int16_t DrawListCount = 0;

namespace {

// The kinds in sort order, by the start of their id range.
constexpr std::array<std::uint16_t, 8> kKindStarts = {
    kDrawFahrzeug,      kDrawPerson,      kDrawHouseObj,    kDrawSonderObj,
    kDrawFahrzeugFrame, kDrawPersonFrame, kDrawFahrzeugJet, kDrawPersonJet,
};
// Slots past these would have no id of their own in one of the ranges their kind uses (a vehicle's
// jet range holds 2000, a person's frame range 4000), and get no entries.
constexpr int kFahrzeugIdSlots = kDrawPersonJet - kDrawFahrzeugJet;
constexpr int kPersonIdSlots = kDrawFahrzeugJet - kDrawPersonFrame;
constexpr int kObjectIdSlots = kDrawSonderObj - kDrawHouseObj;

int KindOrdinal(std::uint16_t id) {
    int k = 0;
    while (k + 1 < static_cast<int>(kKindStarts.size()) &&
           id >= kKindStarts[static_cast<std::size_t>(k + 1)])
        ++k;
    return k;
}

// What orders the things within one cell and layer: the foot line, then the left edge.
struct ThingKey {
    std::int16_t footY = 0;
    std::int16_t keyX = 0;
};
// Jets come after everything else in their cell.
constexpr ThingKey kJetKey{32767, 0};

ThingKey UnitKey(const UnitHead& u, const VffImage* image) {
    if (image == nullptr) return {};
    return {static_cast<std::int16_t>(u.drawY + image->height), u.drawX};
}

ThingKey SonderObjKey(const SonderObj& o) {
    const FrameSet* f = SonderObjFrame(o, nullptr);
    if (f == nullptr) return {};
    // Depth mode 1 lies under everything in its cell, 2 over everything but the jets.
    const float bias = o.depthLayer == 1 ? -10000.0f : o.depthLayer == 2 ? 10000.0f : 0.0f;
    return {static_cast<std::int16_t>(TruncInt(bias + o.y + f->dy + f->height)),
            static_cast<std::int16_t>(TruncInt(o.x + f->dx))};
}

ThingKey HouseObjKey(const HouseObj& o) {
    // A flat piece (sort flag 0) lies under everything in its cell.
    if (!HouseObjInUse(o) || o.flag == 0) return {0, o.x};
    const FrameSet* f0 = SetFrame(HouseObjTypen[o.slot].images, 0);
    return {static_cast<std::int16_t>(o.y + (f0 != nullptr ? f0->height : 0)), o.x};
}

ThingKey ThingKeyOf(std::uint16_t id) {
    const DrawListThing t = DrawListThingOf(id);
    const auto i = static_cast<std::size_t>(t.index);
    switch (t.kind) {
        case kDrawFahrzeug:
        case kDrawFahrzeugFrame:
            if (i < Fahrzeuge.size())
                return UnitKey(Fahrzeuge[i], FahrzeugPicture(Fahrzeuge[i]).image);
            return {};
        case kDrawPerson:
        case kDrawPersonFrame:
            if (i < Personen.size()) return UnitKey(Personen[i], PersonPicture(Personen[i]).image);
            return {};
        case kDrawHouseObj:
            return i < HouseObjs.size() ? HouseObjKey(HouseObjs[i]) : ThingKey{};
        case kDrawSonderObj: {
            const SonderObj* o = SonderObjAt(t.index);
            return o != nullptr ? SonderObjKey(*o) : ThingKey{};
        }
        default:
            return kJetKey;
    }
}

// The key of every filled entry, taken once per thing as it is entered.
std::array<ThingKey, kDrawListCapacity> g_keys{};
ThingKey g_thingKey;
// Slots below this may hold entries of an earlier frame; those from it on are free.
int g_dirtySlots = 0;

void Append(int column, int row, int layer, std::uint16_t id, std::uint8_t firstRow) {
    if (DrawListCount >= kDrawListCapacity) return;
    const auto i = static_cast<std::size_t>(DrawListCount++);
    g_dirtySlots = std::max<int>(g_dirtySlots, DrawListCount);
    DrawList[i] = {static_cast<std::uint16_t>(column), static_cast<std::uint16_t>(row),
                   static_cast<std::int16_t>(layer), id, firstRow};
    g_keys[i] = g_thingKey;
}

struct WorldRect {
    int x0;
    int y0;
    int x1;
    int y1;
};

// The view test of a body drawn lift pixels higher than its place, with its box top; then the
// rectangle cut to the view. False when nothing of it shows.
bool CutToView(WorldRect& r, int lift, int boxTop) {
    const int vx = ViewOrigin.x;
    const int vy = ViewOrigin.y;
    if (r.x0 >= vx + 640 || r.x1 < vx + 10 || r.y0 >= vy + lift + boxTop + 480 ||
        r.y1 < vy + lift + 10)
        return false;
    r.x0 = std::max(r.x0, vx + 10);
    r.y0 = std::max(r.y0, vy + lift + 10);
    r.x1 = std::min(r.x1, vx + 639);
    if (r.y1 >= vy + lift + boxTop + 480) r.y1 = vy + lift + boxTop + 479;
    return r.x0 <= r.x1 && r.y0 <= r.y1;
}

void AddBody(WorldRect r, int lift, int boxTop, int layer, std::uint16_t id, bool firstRowFlags) {
    if (CutToView(r, lift, boxTop))
        AddCoveredCells(r.x0, r.y0, r.x1, r.y1, static_cast<std::int16_t>(layer), id,
                        firstRowFlags);
}

// A selection frame goes into one row only, the row of its bottom line; its drawer draws the
// whole frame from every cell of that row.
void AddSelectionFrame(WorldRect r, int lift, int layer, std::uint16_t id) {
    const int vx = ViewOrigin.x;
    const int vy = ViewOrigin.y;
    if (r.x0 >= vx + 640 || r.x1 < vx + 10 || r.y0 >= vy + lift + 480 || r.y1 < vy + lift + 10)
        return;
    r.x0 = std::max(r.x0, vx + 10);
    r.x1 = std::min(r.x1, vx + 639);
    const int row = r.y1 / kCellHeight;
    const int right = r.x1 + 16 * row;
    const int last = right / kCellWidth + (right % kCellWidth >= 16 ? 1 : 0);
    for (int c = (r.x0 + 16 * row) / kCellWidth; c <= last; ++c) Append(c, row, layer, id, 0);
}

WorldRect SelectBoxAround(const UnitHead& u, const UnitTypHead& typ) {
    const int x = TruncInt(u.x);
    const int y = TruncInt(u.y);
    const auto& b = typ.selectBox;
    return {x + b[0] - 3, y + b[1] - 3, x + b[2] + 3, y + b[3] + 3};
}

// A body's box: the picture from its box top down.
WorldRect UnitBodyRect(const UnitHead& u, const UnitPicture& pic) {
    return {u.drawX, u.drawY + pic.boxTop, u.drawX + pic.image->width - 1,
            u.drawY + pic.image->height - 1};
}

// The raised basket reaches out of the vehicle's picture.
void WidenByKanzel(const Fahrzeug& f, WorldRect& r) {
    const KanzelState& k = *f.kanzel;
    const DrawOffset* o = KanzelOffsetAt(k.position, k.column);
    if (o == nullptr) return;
    const VffImage* basket = SetFrame(FahrzeugAnimSlot(f.type, k.column, 5 + k.position).images, 0);
    if (basket == nullptr) return;
    const int left = TruncInt(f.x) + o->dx - 49;
    r.x0 = std::min(r.x0, left);
    r.x1 = std::max(r.x1, left + basket->width);
}

}  // namespace

DrawListThing DrawListThingOf(std::uint16_t id) {
    const std::uint16_t start = kKindStarts[static_cast<std::size_t>(KindOrdinal(id))];
    return {start, id - start};
}

void AddCoveredCells(int x0, int y0, int x1, int y1, std::int16_t layer, std::uint16_t id,
                     bool firstRowFlags) {
    const int r0 = y0 / kCellHeight;
    const int r1 = y1 / kCellHeight;
    const int n = r1 - r0 + 1;
    // Each end of the column range moves one column right every second row, following the 16
    // pixels by which each row lies left of the one above; its phase says after which row.
    const int a = x0 + 16 * r0;
    int c0 = a / kCellWidth;
    int phaseL = a % kCellWidth < 16 ? 2 : 1;
    const int b = x1 + 16 * r1;
    const int cb = b / kCellWidth;
    int c1 = 0;
    int phaseR = 0;
    if (b % kCellWidth < 16) {
        c1 = cb - (n - 1) / 2;
        phaseR = 2 - n % 2;
    } else {
        c1 = cb - (n / 2 - 1);
        phaseR = n % 2 + 1;
    }
    for (int r = r0; r <= r1; ++r) {
        const std::uint8_t first = r == r0 && firstRowFlags ? 1 : 0;
        for (int c = c0; c <= c1; ++c) Append(c, r, layer, id, first);
        if (--phaseL == 0) {
            phaseL = 2;
            ++c0;
        }
        if (--phaseR == 0) {
            phaseR = 2;
            ++c1;
        }
    }
}

void AddJetLine(int nx, int ny, int ax, int ay, std::uint16_t id) {
    const int vx = ViewOrigin.x;
    const int vy = ViewOrigin.y;
    bool any = false;
    CellPos last;
    const auto visit = [&](int x, int y) {
        if (x < vx + 10 || x >= vx + 640 || y < vy + 10) return;
        const CellPos cell = CellFromPixel(x, y);
        if (any && cell == last) return;
        any = true;
        last = cell;
        Append(cell.column, cell.row, 0, id, 0);
    };
    // Bresenham along the longer axis, from the end with the smaller coordinate on it.
    const int adx = std::abs(ax - nx);
    const int ady = std::abs(ay - ny);
    if (adx < ady) {
        if (ny > ay) {
            std::swap(nx, ax);
            std::swap(ny, ay);
        }
        const int step = ax >= nx ? 1 : -1;
        int err = 2 * adx - ady;
        for (int x = nx, y = ny; y <= ay; ++y) {
            visit(x, y);
            if (err >= 0) {
                x += step;
                err += 2 * (adx - ady);
            } else {
                err += 2 * adx;
            }
        }
    } else {
        if (nx > ax) {
            std::swap(nx, ax);
            std::swap(ny, ay);
        }
        const int step = ay >= ny ? 1 : -1;
        int err = 2 * ady - adx;
        for (int x = nx, y = ny; x <= ax; ++x) {
            visit(x, y);
            if (err >= 0) {
                y += step;
                err += 2 * (ady - adx);
            } else {
                err += 2 * ady;
            }
        }
    }
}

void AddFahrzeugeToDrawList() {
    const int count = std::min(static_cast<int>(Fahrzeuge.size()), kFahrzeugIdSlots);
    for (int i = 0; i < count; ++i) {
        const Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(i)];
        // Flying vehicles are drawn over the world, not in it.
        if (f.type < 0 || f.present == 0 || f.storey < 0) continue;
        const FahrzeugTyp* typ = FahrzeugTypAt(f.type);
        const UnitPicture pic = FahrzeugPicture(f);
        if (typ == nullptr || pic.image == nullptr) continue;
        const int lift = TruncInt(f.height);
        g_thingKey = UnitKey(f, pic.image);
        WorldRect body = UnitBodyRect(f, pic);
        if (f.kanzel != nullptr) WidenByKanzel(f, body);
        AddBody(body, lift, pic.boxTop, f.storey, static_cast<std::uint16_t>(kDrawFahrzeug + i),
                true);
        if (DragActive == 0 && f.selected != 0)
            AddSelectionFrame(SelectBoxAround(f, *typ), lift, f.storey,
                              static_cast<std::uint16_t>(kDrawFahrzeugFrame + i));
        const WasserStrahl* w = f.wasserStrahl.get();
        JetLine line;
        if (w != nullptr && w->active != 0 && w->nozzle == w->nozzleTarget &&
            FahrzeugJetLine(f, line)) {
            // The walk follows the line on the ground, the drawer its picture raised by the
            // nozzle's height.
            g_thingKey = kJetKey;
            AddJetLine(line.nx, line.ny + line.nozzleHeight, line.ax, line.ay + line.nozzleHeight,
                       static_cast<std::uint16_t>(kDrawFahrzeugJet + i));
        }
    }
}

void AddPersonenToDrawList() {
    const int count = std::min(static_cast<int>(Personen.size()), kPersonIdSlots);
    for (int i = 0; i < count; ++i) {
        const Person& p = Personen[static_cast<std::size_t>(i)];
        if (p.type < 0 || p.offMap != 0 || p.present == 0) continue;
        const PersonTyp* typ = PersonTypAt(p.type);
        const UnitPicture pic = PersonPicture(p);
        if (typ == nullptr || pic.image == nullptr) continue;
        const int lift = p.storey > 1 ? 31 * (p.storey - 1) : TruncInt(p.height);
        g_thingKey = UnitKey(p, pic.image);
        AddBody(UnitBodyRect(p, pic), lift, pic.boxTop, p.storey,
                static_cast<std::uint16_t>(kDrawPerson + i), true);
        if (DragActive == 0 && p.selected != 0) {
            // A casualty's frame goes round its picture, which lies flat.
            const WorldRect frame = p.casualty == 0 ? SelectBoxAround(p, *typ)
                                                    : WorldRect{p.drawX - 3, p.drawY - 3,
                                                                p.drawX + pic.image->width + 2,
                                                                p.drawY + pic.image->height + 2};
            AddSelectionFrame(frame, lift, p.storey,
                              static_cast<std::uint16_t>(kDrawPersonFrame + i));
        }
        const SchlauchStrahl* s = p.attachment.jet();
        JetLine line;
        if (s != nullptr && s->active != 0 && s->direction == p.direction &&
            PersonJetLine(p, line)) {
            g_thingKey = kJetKey;
            AddJetLine(line.nx, line.ny + line.nozzleHeight, line.ax, line.ay + line.nozzleHeight,
                       static_cast<std::uint16_t>(kDrawPersonJet + i));
        }
    }
}

void AddSonderObjToDrawList() {
    for (int i = 0; i < kObjectIdSlots; ++i) {
        const SonderObj* at = SonderObjAt(i);
        if (at == nullptr) break;
        const SonderObj& o = *at;
        if (o.type < 0 || o.visible == 0) continue;
        const SonderObjTyp* typ = nullptr;
        const FrameSet* f = SonderObjFrame(o, &typ);
        if (f == nullptr) continue;
        const int boxTop = typ->boxY0;
        const int x0 = TruncInt(o.x + f->dx);
        const int top = TruncInt(o.y + f->dy);
        const WorldRect r{x0, std::max(top, TruncInt(o.y) + boxTop), x0 + f->width - 1,
                          top + f->height - 1};
        const int lift = o.storey > 1 ? 31 * (o.storey - 1) : TruncInt(o.z);
        g_thingKey = SonderObjKey(o);
        AddBody(r, lift, boxTop, o.storey, static_cast<std::uint16_t>(kDrawSonderObj + i),
                boxTop >= 1);
    }
}

void AddHouseObjToDrawList() {
    const int count = std::min(static_cast<int>(HouseObjs.size()), kObjectIdSlots);
    for (int i = 0; i < count; ++i) {
        const HouseObj& o = HouseObjs[static_cast<std::size_t>(i)];
        const FrameSet* f = HouseObjFrame(o);
        if (f == nullptr) continue;
        const int boxTop = HouseObjTypen[o.slot].box[1];
        const int x0 = o.x + f->dx;
        const int top = o.y + f->dy;
        const WorldRect r{x0, std::max(top, o.y + boxTop), x0 + f->width - 1, top + f->height - 1};
        g_thingKey = HouseObjKey(o);
        AddBody(r, 31 * (o.storey - 1), boxTop, o.storey,
                static_cast<std::uint16_t>(kDrawHouseObj + i), boxTop >= 1);
    }
}

int CompareDrawListEntries(const DrawListEntry& a, const DrawListEntry& b) {
    const auto order = [](auto x, auto y) { return x < y ? -1 : x > y ? 1 : 0; };
    if (const int c = order(a.row, b.row)) return c;
    if (const int c = order(a.layer, b.layer)) return c;
    if (const int c = order(a.column, b.column)) return c;
    const ThingKey ka = ThingKeyOf(a.id);
    const ThingKey kb = ThingKeyOf(b.id);
    if (const int c = order(ka.footY, kb.footY)) return c;
    if (const int c = order(ka.keyX, kb.keyX)) return c;
    return order(KindOrdinal(a.id), KindOrdinal(b.id));
}

namespace {

// The comparison above packed into two numbers per entry, with the entry's position last.
struct SortKey {
    std::uint64_t high;
    std::uint64_t low;
    bool operator<(const SortKey& o) const { return high != o.high ? high < o.high : low < o.low; }
};
std::array<SortKey, kDrawListCapacity> g_sortKeys;
std::array<DrawListEntry, kDrawListCapacity> g_unsorted;

std::uint64_t Biased(std::int16_t v) {
    return static_cast<std::uint16_t>(v) ^ 0x8000u;
}

void SortDrawList() {
    const auto n = static_cast<std::size_t>(DrawListCount);
    for (std::size_t i = 0; i < n; ++i) {
        const DrawListEntry& e = DrawList[i];
        const ThingKey& k = g_keys[i];
        g_sortKeys[i] = {
            (std::uint64_t{e.row} << 48) | (Biased(e.layer) << 32) |
                (std::uint64_t{e.column} << 16) | Biased(k.footY),
            (Biased(k.keyX) << 32) | (static_cast<std::uint64_t>(KindOrdinal(e.id)) << 16) | i};
    }
    std::sort(g_sortKeys.begin(), g_sortKeys.begin() + static_cast<std::ptrdiff_t>(n));
    std::copy_n(DrawList.begin(), n, g_unsorted.begin());
    for (std::size_t i = 0; i < n; ++i) DrawList[i] = g_unsorted[g_sortKeys[i].low & 0xFFFF];
}

}  // namespace

void BuildDrawList() {
    DrawListCount = 0;
    AddFahrzeugeToDrawList();
    AddPersonenToDrawList();
    AddSonderObjToDrawList();
    AddHouseObjToDrawList();
    // Only the slots an earlier frame filled need marking; the rest are free already.
    for (int i = DrawListCount; i < g_dirtySlots; ++i) {
        // The flag byte keeps what it held.
        DrawListEntry& e = DrawList[static_cast<std::size_t>(i)];
        e = {kFreeDrawListSlot, kFreeDrawListSlot, -1, kFreeDrawListSlot, e.firstRow};
    }
    g_dirtySlots = DrawListCount;
    SortDrawList();
}

void ResetDrawList() {
    DrawListCount = 0;
    DrawList.fill(kFreeEntry);
    g_dirtySlots = 0;
}

}  // namespace kv
