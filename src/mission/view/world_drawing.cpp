#include "mission/view/world_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "gfx/primitives.h"
#include "gfx/run_tiles.h"
#include "mission/selection.h"
#include "mission/view/draw_entries.h"
#include "mission/view/draw_list.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/hover_probe.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/house_types.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/tile_set.h"

namespace kv {

namespace {

// A cell's 48 columns still reach into the view from this left edge on.
constexpr int kCellLeftLimit = -38;
constexpr int kViewRightEnd = 640;  // exclusive
constexpr int kViewTopEdge = 10;    // a storey's bottom line must lie below it
constexpr int kViewBottomEnd = 480;
// Houses reach up into the view from rows this far below its top.
constexpr int kRowsReach = 960;
constexpr int kColumnsPerRow = 22;
constexpr int kStoreyHeight = 31;

// The frame colours of a box group: its members and its leading person.
constexpr std::uint8_t kGroupFrameColour = 251;
constexpr std::uint8_t kGroupLeaderColour = 203;
// Flying vehicles lie in these layers; they are drawn over the world, not from the list.
constexpr std::int8_t kHelicopterLayer = -1;
constexpr std::int8_t kAircraftLayer = -2;

// The position of the draw list's forward sweep.
int g_cursor = 0;

// A drawn thing that must not be picked: the probe pixel gets back what lay under it.
void PassOverHover() {
    RestoreHoverPixel();
    ArmHoverPixel();
}

const RunImage* ImageAt(const RunImageSet& images, int n) {
    return n >= 0 && static_cast<std::size_t>(n) < images.size()
               ? &images[static_cast<std::size_t>(n)]
               : nullptr;
}

void DrawRunImage(const RunImage& image, int x, int y) {
    DrawRunSpriteClipped(image.data.data(), x, y - image.height, image.height);
}

enum class Look { Own, Burning, Burnt };

// The picture of a part in a look; null when the set does not hold the numbers.
const RunImage* PartPicture(const HouseImageSet& set, std::uint16_t image, Look look) {
    if (!set.loaded) return nullptr;
    int n = image;
    if (look != Look::Own) {
        if (image >= set.table.size()) return nullptr;
        const TileTyp& t = set.table[image];
        n = look == Look::Burnt ? t.burntImage : t.fireImage;
    }
    return ImageAt(set.images, n);
}

// Frame n of flame set kind - 5 of a layer; null when that set or frame is not there.
const RunImage* FlameFrame(FlameLayer layer, int kind, int frame) {
    const std::span<HouseFlameSet> sets = FlameSetsOf(layer);
    const int k = kind - kFlameFirstSet;
    if (k < 0 || static_cast<std::size_t>(k) >= sets.size()) return nullptr;
    const HouseFlameSet& set = sets[static_cast<std::size_t>(k)];
    return set.loaded() ? ImageAt(set.images, frame) : nullptr;
}

// --- the draw list's sweep -------------------------------------------------------------------

// Whether an entry sorts before the cell (row, layer, column), compared as the list is sorted.
bool SortsBefore(const DrawListEntry& e, int row, int layer, int column) {
    if (e.row != row) return e.row < row;
    if (e.layer != layer) return e.layer < layer;
    return e.column < column;
}

// The entries of a cell on a layer, at the cursor: drawn, or passed over when draw is false.
// Entries that sort before the cell were left by cells not drawn (out of the view, failing a
// storey's tests) or lie in layers no pass visits; they are passed over first, so that they do
// not hold up every entry after them.
void MatchEntries(int row, int layer, int column, int x, int y, bool draw) {
    while (g_cursor < DrawListCount &&
           SortsBefore(DrawList[static_cast<std::size_t>(g_cursor)], row, layer, column))
        ++g_cursor;
    for (; g_cursor < DrawListCount; ++g_cursor) {
        const DrawListEntry& e = DrawList[static_cast<std::size_t>(g_cursor)];
        if (e.id == kFreeDrawListSlot || e.row != row || e.layer != layer || e.column != column)
            return;
        if (draw)
            RenderDrawListEntry(static_cast<std::int16_t>(x),
                                static_cast<std::int16_t>(y - kCellHeight),
                                static_cast<std::int16_t>(g_cursor));
    }
}

// --- cells -----------------------------------------------------------------------------------

// One cell in one pass: map column and row, the pass, the cell's left edge and bottom line.
struct CellVisit {
    int column;
    int row;
    int pass;
    int x;
    int y;
};

// A ground tile's picture by its animation state; null for kinds without one, frames past the
// animation and numbers the tile set does not hold.
const RunImage* GroundPicture(std::uint16_t tile, const CellAnim& anim) {
    if (anim.kind == 0) return ImageAt(TileImages, tile);
    if (tile >= TileTypen.size()) return nullptr;
    const TileTyp& t = TileTypen[tile];
    switch (anim.kind) {
        case 1:
        case 2: {
            const TileAnim& a = anim.kind == 1 ? t.animA : t.animB;
            if (anim.frame >= a.frames) return nullptr;
            return ImageAt(TileImages, a.first + anim.frame);
        }
        case 3:
            return ImageAt(TileImages, t.fireImage);
        case 4:
            return ImageAt(TileImages, t.burntImage);
        default:
            return nullptr;
    }
}

// A ground cell: its tile in pass 0, its entries matched in every pass and drawn on layer 0.
// A link to a house that is not placed is bare ground without a tile.
void DrawGroundCell(const CellVisit& v, int cell, bool withTile) {
    if (v.x < kCellLeftLimit || v.x >= kViewRightEnd) return;
    if (v.pass == 0 && withTile) {
        const CellAnim anim =
            static_cast<std::size_t>(cell) < CellAnims.size() ? CellAnims[cell] : CellAnim{};
        const RunImage* picture =
            GroundPicture(MapCells[static_cast<std::size_t>(cell)].tile, anim);
        if (picture != nullptr && v.y - picture->height < kViewBottomEnd) {
            DrawRunImage(*picture, v.x, v.y);
            CheckHoverPixel(kHoverMapCell, static_cast<std::uint16_t>(v.column),
                            static_cast<std::uint16_t>(v.row), 0, 0);
        }
    }
    MatchEntries(v.row, v.pass, v.column, v.x, v.y, v.pass == 0);
}

// A house cell with what it needs of its house.
struct HouseVisit {
    const CellVisit& cell;
    const House& house;
    const HouseTyp& typ;
    int index;
    int i;
    int j;
};

const HouseImageSet& NoImageSet() {
    static const HouseImageSet none;
    return none;
}

template <std::size_t N>
const HouseImageSet& SetOf(const std::array<HouseImageSet, N>& sets, int n) {
    return n >= 0 && static_cast<std::size_t>(n) < N ? sets[static_cast<std::size_t>(n)]
                                                     : NoImageSet();
}

// A part's height, for the test against the view's bottom; -1 when it has no picture.
int PartHeight(const HouseImageSet& set, std::uint16_t image) {
    const RunImage* picture = PartPicture(set, image, Look::Own);
    return picture != nullptr ? picture->height : -1;
}

// The door of a house marked as searched shows its next picture, unless the type's door always
// looks so.
std::uint16_t DoorPicture(const HouseVisit& h, int storey, std::uint16_t image) {
    const bool marked = storey == 0 && h.i == h.typ.doorI && h.j == h.typ.doorJ &&
                        h.house.evacuated != 0 && h.typ.drawFlag == 0;
    return static_cast<std::uint16_t>(image + (marked ? 1 : 0));
}

std::int8_t KindOf(const CellAnim& anim) {
    return static_cast<std::int8_t>(anim.kind);
}

void ProbeHousePart(std::uint16_t kind, const HouseVisit& h, int storey) {
    CheckHoverPixel(kind, static_cast<std::uint16_t>(h.i), static_cast<std::uint16_t>(h.j),
                    static_cast<std::uint16_t>(storey), static_cast<std::uint16_t>(h.index));
}

// The upper part of storey s in pass s + 2: the ceiling, or the roof on the top floor. False
// after a fatal error.
bool DrawUpperPart(const HouseVisit& h, int s) {
    const CellVisit& v = h.cell;
    const int y2 = v.y - kStoreyHeight * s;
    if (y2 <= kViewTopEdge || s >= h.typ.floors || v.x < kCellLeftLimit || v.x >= kViewRightEnd)
        return true;
    const HouseCell& cell = h.typ.cell(s, h.i, h.j);
    const HouseImageSet& hu = SetOf(HouseHuSets, h.house.upperSet);
    const HouseImageSet& ho = SetOf(HouseHoSets, h.house.upperSet);
    const int height = PartHeight(hu, cell.upperImage);
    if (height < 0 || y2 - height >= kViewBottomEnd) return true;
    const HouseFloor& floor = h.house.floors[static_cast<std::size_t>(s)];
    const auto ii = static_cast<std::size_t>(h.i);
    const auto jj = static_cast<std::size_t>(h.j);
    const CellAnim& upper = floor.flames[kFlameUpper][ii][jj];
    const CellAnim& seeThrough = floor.flames[kFlameFourth][ii][jj];
    const bool topOnly = h.typ.facadeLook[ii][jj] != 0;
    const int shown = h.house.shownStorey;
    if (s < shown) {
        const bool topShown = s == shown - 1;
        if (topOnly && !topShown) return true;
        const std::uint16_t image = DoorPicture(h, s, cell.upperImage);
        // A cut-open storey with persons on it shows them through its ceiling.
        if (h.house.interiorView != 0 && topShown && floor.personCount > 0) {
            DrawObjectFrame('O', KindOf(seeThrough), v.x, y2, ho, image);
            PassOverHover();
            return true;
        }
        ShowAni('U', KindOf(upper), v.x, y2, hu, image, upper.frame, 0);
        if (FatalErrorRaised()) return false;
        ProbeHousePart(kHoverHouseUpper, h, s);
        return true;
    }
    // Above the shown storeys only outlines stand, on top-only cells only the roof's.
    if (topOnly && s != h.typ.floors - 1) return true;
    DrawObjectFrame('O', KindOf(seeThrough), v.x, y2, ho, cell.upperImage);
    PassOverHover();
    return true;
}

// An upper part's flames at left edge x and bottom line y, if its kind burns; xTest is the
// visited cell's edge, which the view test reads.
void DrawRoofFlame(const CellAnim& anim, int x, int xTest, int y) {
    const RunImage* frame = FlameFrame(FlameLayer::Upper, KindOf(anim), anim.frame);
    if (frame == nullptr) return;
    if (x < kViewRightEnd && xTest >= kCellLeftLimit && y - frame->height < kViewBottomEnd)
        DrawRunImage(*frame, x, y);
}

// The last pass: the upper parts' flames over everything of the row, on the top floor along the
// cell's column back to its row, and on the front row's lower storeys. They are never picked.
void DrawRoofFlames(const HouseVisit& h) {
    const CellVisit& v = h.cell;
    const int top = h.typ.floors - 1;
    const auto ii = static_cast<std::size_t>(h.i);
    const int baseline0 = v.y - kCellHeight * h.j;  // the bottom line of the house's row 0
    if (h.house.interiorView == 0) {
        const HouseFloor& floor = h.house.floors[static_cast<std::size_t>(top)];
        for (int j = 0; j <= h.j; ++j)
            DrawRoofFlame(floor.flames[kFlameUpper][ii][static_cast<std::size_t>(j)],
                          v.x + 16 * (h.j - j), v.x,
                          baseline0 + kCellHeight * j - kStoreyHeight * top);
        PassOverHover();
    }
    if (h.j != h.typ.extentJ - 1) return;
    const int shown = h.house.shownStorey;
    for (int s = std::min(h.typ.floors - 2, shown - 1); s >= 0; --s) {
        const HouseFloor& floor = h.house.floors[static_cast<std::size_t>(s)];
        if (h.house.interiorView != 0 && s == shown - 1 && floor.personCount > 0) continue;
        DrawRoofFlame(floor.flames[kFlameUpper][ii][static_cast<std::size_t>(h.j)], v.x, v.x,
                      v.y - kStoreyHeight * s);
    }
    PassOverHover();
}

// Storey s in pass s + 1: the floor, the units on it, the walls. False after a fatal error.
bool DrawStorey(const HouseVisit& h, int s) {
    const CellVisit& v = h.cell;
    const int y1 = v.y - kStoreyHeight * s;
    if (y1 <= kViewTopEdge || v.x < kCellLeftLimit || v.x >= kViewRightEnd) return true;
    const HouseCell& cell = h.typ.cell(s, h.i, h.j);
    const HouseFloor& floor = h.house.floors[static_cast<std::size_t>(s)];
    const auto ii = static_cast<std::size_t>(h.i);
    const auto jj = static_cast<std::size_t>(h.j);
    const int shown = h.house.shownStorey;
    const bool shownHere = s < shown;
    // Top-only cells show only on the top shown storey.
    const bool facade = h.typ.facadeLook[ii][jj] == 0 || v.pass == shown;

    const HouseImageSet& hl = SetOf(HouseHlSets, h.house.hlSet);
    const int lowerHeight = PartHeight(hl, cell.lowerImage);
    if (lowerHeight >= 0 && y1 - lowerHeight < kViewBottomEnd && shownHere && facade) {
        const CellAnim& lower = floor.flames[kFlameLower][ii][jj];
        ShowAni('L', KindOf(lower), v.x, y1, hl, cell.lowerImage, lower.frame, 1);
        if (FatalErrorRaised()) return false;
        ProbeHousePart(kHoverHouseLower, h, s);
    }

    // Persons on hidden storeys are not shown. Units are placed on the ground's line; their
    // drawers lift them to their storey.
    MatchEntries(v.row, v.pass, v.column, v.x, v.y, shownHere);

    const HouseImageSet& hm = SetOf(HouseHmSets, h.house.upperSet);
    const int middleHeight = PartHeight(hm, cell.middleImage);
    if (middleHeight < 0 || y1 - middleHeight >= kViewBottomEnd || !facade) return true;
    const CellAnim& middle = floor.flames[kFlameMiddle][ii][jj];
    const std::uint16_t image = DoorPicture(h, s, cell.middleImage);
    if (shownHere) {
        ShowAni('M', KindOf(middle), v.x, y1, hm, image, middle.frame, 1);
        if (FatalErrorRaised()) return false;
        ProbeHousePart(kHoverHouseMiddle, h, s);
    } else {
        DrawObjectFrame('M', KindOf(middle), v.x, y1, hm, image);
        PassOverHover();
    }
    return true;
}

// A house cell in one pass. Pass 0 draws the units in front of the building on its ground cells;
// then pass L draws the upper part of storey L - 2 and storey L - 1 over it; the last pass the
// flames over the roofs. False after a fatal error.
bool DrawHouseCell(const CellVisit& v, const HouseLinkTarget& link) {
    if (v.pass == 0) {
        MatchEntries(v.row, 0, v.column, v.x, v.y, true);
        return true;
    }
    const House& house = Houses[static_cast<std::size_t>(link.house)];
    const HouseVisit h{v, house, HouseTypOf(house), link.house, link.i, link.j};
    if (v.pass >= 2 && v.pass <= MaxHouseFloors && !DrawUpperPart(h, v.pass - 2)) return false;
    if (v.pass == MaxHouseFloors + 1) DrawRoofFlames(h);
    if (v.pass <= h.typ.floors) return DrawStorey(h, v.pass - 1);
    return true;
}

// A placed house holds the state of every floor of its type; one that does not is drawn as bare
// ground rather than read past its floors.
bool FloorsInPlace(int house) {
    const House& h = Houses[static_cast<std::size_t>(house)];
    return h.floors.size() == HouseTypOf(h).floors;
}

// Every pass of one map row. False after a fatal error.
bool DrawRow(int row) {
    const int c0 = (16 * row + ViewOrigin.x + 10) / kCellWidth;
    const int first = std::max(c0, 0);
    const int last = std::min(c0 + kColumnsPerRow - 1, MapWidth - 1);
    const int y = kCellHeight * row + kCellHeight - ViewOrigin.y;
    for (int pass = 0; pass <= MaxHouseFloors + 1; ++pass)
        for (int column = first; column <= last; ++column) {
            const CellVisit v{column, row, pass, kCellWidth * column - 16 * row - 16 - ViewOrigin.x,
                              y};
            const int cell = CellIndex(column, row);
            const std::uint16_t tile = MapCells[static_cast<std::size_t>(cell)].tile;
            if (!IsHouseLink(tile)) {
                DrawGroundCell(v, cell, true);
                continue;
            }
            const HouseLinkTarget link = DecodeHouseLink(tile);
            if (link.house < 0 || !FloorsInPlace(link.house))
                DrawGroundCell(v, cell, false);
            else if (!DrawHouseCell(v, link))
                return false;
        }
    return true;
}

// --- units over the world --------------------------------------------------------------------

// Two frames around a box: 3 pixels outside with 7 more across, and 2 outside with 5 more.
void DrawBoxFrames(int x, int y, int w, int h, const std::uint8_t* colour) {
    for (const int d : {3, 2}) {
        const int grow = 2 * d + 1;
        if (colour != nullptr)
            DrawRectClipped(x - d, y - d, w + grow, h + grow, *colour);
        else
            DrawRectUnderSelection(x - d, y - d, w + grow, h + grow);
    }
}

// A unit's type box on the screen: its corner and its extent.
struct ScreenBox {
    int x;
    int y;
    int w;
    int h;
};
ScreenBox TypeBox(const UnitHead& u, const UnitTypHead& typ, int lift) {
    const auto& b = typ.selectBox;
    return {TruncInt(u.x) + b[0] - ViewOrigin.x, TruncInt(u.y) + b[1] - ViewOrigin.y - lift,
            b[2] - b[0], b[3] - b[1]};
}

// Helicopters and aircraft, in index order over everything; a selected helicopter's frames are
// drawn with it and never picked.
void DrawFlyingFahrzeuge() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        const Fahrzeug& f = Fahrzeuge[i];
        if (f.type == -1 || f.present == 0 ||
            (f.storey != kHelicopterLayer && f.storey != kAircraftLayer))
            continue;
        const VffImage* image = FahrzeugPicture(f).image;
        if (image == nullptr) continue;
        const int lift = TruncInt(f.height);
        BlitTransparentClipped(image->pixels, f.drawX - ViewOrigin.x, f.drawY - ViewOrigin.y - lift,
                               image->width, image->height, DrawTarget, DrawPitch);
        CheckHoverPixel(kHoverFahrzeug, static_cast<std::uint16_t>(i), 0, 0, 0);
        const FahrzeugTyp* typ = FahrzeugTypAt(f.type);
        if (f.storey != kHelicopterLayer || f.selected == 0 || typ == nullptr) continue;
        const ScreenBox b = TypeBox(f, *typ, lift);
        DrawBoxFrames(b.x, b.y, b.w, b.h, &kSelectionColour);
        PassOverHover();
    }
}

void DrawDragBox() {
    const int mx = MouseX + ViewOrigin.x;
    const int my = MouseY + ViewOrigin.y;
    const int left = std::min(MouseDownPoint.x, mx);
    const int top = std::min(MouseDownPoint.y, my);
    DrawSelectionRect(left - ViewOrigin.x, top - ViewOrigin.y, std::abs(MouseDownPoint.x - mx) + 1,
                      std::abs(MouseDownPoint.y - my) + 1);
}

// The frames over every selected unit, after the world: the group's colours while a box group is
// selected, else the frame under the selection colour.
void DrawSelectionFrames() {
    const bool group = SelectionMode == kBoxGroupSelected;
    for (const Fahrzeug& f : Fahrzeuge) {
        const FahrzeugTyp* typ = f.type != -1 && f.selected != 0 ? FahrzeugTypAt(f.type) : nullptr;
        if (typ == nullptr) continue;
        const ScreenBox b = TypeBox(f, *typ, TruncInt(f.height));
        DrawBoxFrames(b.x, b.y, b.w, b.h, group ? &kGroupFrameColour : nullptr);
    }
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        const PersonTyp* typ = p.type != -1 && p.selected != 0 ? PersonTypAt(p.type) : nullptr;
        if (typ == nullptr) continue;
        const int lift = TruncInt(p.height) + (p.storey > 1 ? kStoreyHeight * (p.storey - 1) : 0);
        if (p.casualty == 0) {
            const ScreenBox b = TypeBox(p, *typ, lift);
            const std::uint8_t* colour = nullptr;
            if (group) colour = i == SelectedIndex ? &kGroupLeaderColour : &kGroupFrameColour;
            DrawBoxFrames(b.x, b.y, b.w, b.h, colour);
            continue;
        }
        // A casualty lies flat: its frames go round its picture.
        const VffImage* image = PersonPicture(p).image;
        if (image == nullptr) continue;
        const int x = p.drawX - ViewOrigin.x;
        const int y = p.drawY - ViewOrigin.y - lift;
        DrawRectUnderSelection(x - 3, y - 3, image->width + 6, image->height + 6);
        DrawRectUnderSelection(x - 2, y - 2, image->width + 4, image->height + 4);
    }
}

}  // namespace

void ShowAni(char category, std::int8_t kind, int x, int y, const HouseImageSet& set,
             std::uint16_t image, std::uint8_t flameFrame, std::uint8_t withOverlay) {
    if (kind == 1 || kind == 2) {
        FatalError("Show: ANI_TYPA/B");
        return;
    }
    Look look = Look::Own;
    if (kind == kFlameIdle || kind >= kFlameFirstSet) look = Look::Burning;
    if (kind == kFlameBurnt) look = Look::Burnt;
    if (const RunImage* picture = PartPicture(set, image, look)) DrawRunImage(*picture, x, y);
    if (kind < kFlameFirstSet || withOverlay == 0) return;
    const FlameLayer layer = category == 'M'   ? FlameLayer::Middle
                             : category == 'U' ? FlameLayer::Upper
                                               : FlameLayer::Lower;
    if (const RunImage* flame = FlameFrame(layer, kind, flameFrame)) DrawRunImage(*flame, x, y);
}

void DrawObjectFrame(char /*category*/, std::int8_t kind, int x, int y, const HouseImageSet& set,
                     std::uint16_t image) {
    const Look look = kind == 0 ? Look::Own : kind == kFlameBurnt ? Look::Burnt : Look::Burning;
    const RunImage* picture = PartPicture(set, image, look);
    if (picture == nullptr) return;
    DrawRunSpriteBlend20(picture->data.data(), x, y - picture->height, picture->height);
}

void DrawWorld() {
    if (DrawTarget == nullptr) return;
    ResetHoverProbe();
    g_cursor = 0;
    const int firstRow = std::max((ViewOrigin.y + 10) / kCellHeight, 0);
    const int endRow = std::min<int>(MapHeight, (ViewOrigin.y + kRowsReach) / kCellHeight);
    if (MapCells.size() >= static_cast<std::size_t>(MapWidth) * MapHeight)
        for (int row = firstRow; row < endRow; ++row)
            if (!DrawRow(row)) return;
    DrawFlyingFahrzeuge();
    RestoreHoverPixel();
    if (DragActive != 0)
        DrawDragBox();
    else
        DrawSelectionFrames();
}

}  // namespace kv
