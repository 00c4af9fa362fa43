#include "mission/view/draw_entries.h"

#include <algorithm>

#include "core/hover.h"
#include "core/view.h"
#include "gfx/frame_buffer.h"
#include "gfx/primitives.h"
#include "gfx/sprite_blits.h"
#include "mission/panel_pictures.h"
#include "mission/view/draw_jets.h"
#include "mission/view/draw_list.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/hover_probe.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/furniture.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr int kViewLeft = 10;
constexpr int kViewTop = 10;
constexpr int kViewRight = 639;
constexpr int kViewBottom = 479;
constexpr int kLastBoxColumn = kPieceMaskWidth - 1;
constexpr int kLastBoxRow = kPieceMaskHeight - 1;
// A special object's first-row piece covers only the cell's own 32 columns, so that the pieces of
// one row meet without overlapping and a see-through object is mixed in once.
constexpr int kSonderObjFirstRowLastColumn = 31;
// How far a thing on storey s > 1 stands higher than on the ground.
constexpr int kStoreyLift = 31;

int StoreyLift(int layer) {
    return layer > 1 ? kStoreyLift * (layer - 1) : 0;
}

// A picture placed in the world by its top-left corner.
struct PlacedPicture {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
};
PlacedPicture Placed(const VffImage& image, int left, int top) {
    return {image.pixels, image.width, image.height, left, top};
}
PlacedPicture Placed(const FrameSet& frame, int left, int top) {
    return {frame.pixels, frame.width, frame.height, left, top};
}

// How a piece of a body is cut to one cell.
struct PieceCut {
    int lift = 0;   // pixels by which the thing is drawn higher than its place
    int upper = 0;  // world row where the rows below the first one begin
    bool firstRow = false;
    int firstRowLastColumn = kLastBoxColumn;
    std::uint8_t blend = 0;  // 0 opaque, else the blend table's selector
};

// Cuts the picture to the cell's box, the view on all four sides and the picture itself, and
// copies what is left: the first row plainly, with everything above the cell; the rows below
// through the piece mask.
void DrawPiece(const PlacedPicture& pic, int cellX, int cellY, const PieceCut& cut) {
    if (pic.pixels == nullptr) return;
    const int cx = cellX + ViewOrigin.x;
    const int cy = cellY + ViewOrigin.y;
    const int lastColumn = cut.firstRow ? cut.firstRowLastColumn : kLastBoxColumn;
    int sx0 = std::max(pic.left - cx, 0);
    int sx1 = std::min(lastColumn, pic.left + pic.width - 1 - cx);
    sx0 = std::max(sx0, kViewLeft - cellX);
    sx1 = std::min(sx1, kViewRight - cellX);
    int sy0 = cut.firstRow ? pic.top - cy : std::max(cut.upper - cy, 0);
    // The lower rows' limit may lie above the picture's top.
    sy0 = std::max(sy0, pic.top - cy);
    int sy1 = std::min(kLastBoxRow, pic.top + pic.height - 1 - cy);
    sy0 = std::max(sy0, kViewTop - cellY + cut.lift);
    sy1 = std::min(sy1, kViewBottom - cellY + cut.lift);
    if (sx0 > sx1 || sy0 > sy1) return;
    const int srcX = cx - pic.left;
    const int srcY = cy - pic.top;
    const int dstY = cellY - cut.lift;
    if (cut.firstRow) {
        if (cut.blend != 0)
            BlitSpriteRectBlended(pic.pixels, pic.width, sx0, sy0, sx1, sy1, srcX, srcY, cellX,
                                  dstY, cut.blend);
        else
            BlitSpriteRect(pic.pixels, pic.width, sx0, sy0, sx1, sy1, srcX, srcY, cellX, dstY);
        return;
    }
    const std::uint8_t* mask = PieceMaskImages != nullptr ? PieceMaskImages[0].pixels : nullptr;
    if (mask == nullptr) return;
    if (cut.blend != 0)
        BlitSpriteRectMaskedBlended(pic.pixels, pic.width, sx0, sy0, sx1, sy1, srcX, srcY, cellX,
                                    dstY, mask, cut.blend);
    else
        BlitSpriteRectMasked(pic.pixels, pic.width, sx0, sy0, sx1, sy1, srcX, srcY, cellX, dstY,
                             mask);
}

// The ladder basket, while the ladder stands (animation 3 or 13).
void DrawKanzel(const Fahrzeug& f, int cellX, int cellY, int lift, bool firstRow) {
    const KanzelState& k = *f.kanzel;
    const int x = TruncInt(f.x);
    const int y = TruncInt(f.y);
    const VffImage* image = nullptr;
    int left = 0;
    int top = 0;
    if (k.moving == 1) {
        image = SetFrame(FahrzeugAnimSlot(kKanzelPictureTyp, 3, 4).images, k.liftFrame);
        left = x - 54;
        top = y - 39;
    } else {
        const DrawOffset* o = KanzelOffsetAt(k.position, k.column);
        if (o == nullptr) return;
        // The home column shows the lowered basket in its second frame.
        const int frame = k.column == 3 && k.position == 0 && k.down != 0 ? 1 : 0;
        image =
            SetFrame(FahrzeugAnimSlot(kKanzelPictureTyp, k.column, 5 + k.position).images, frame);
        left = x + o->dx - 49;
        top = y + o->dy - 17;
    }
    if (image == nullptr) return;
    const int upper = std::max(f.drawY + FahrzeugAnimSlot(kKanzelPictureTyp, 3, 0).box[1], top);
    DrawPiece(Placed(*image, left, top), cellX, cellY, {lift, upper, firstRow});
}

// The water cannon, turned to its nozzle's direction.
void DrawKanone(const Fahrzeug& f, int bodyUpper, int cellX, int cellY, int lift, bool firstRow) {
    const FahrzeugTyp* typ = FahrzeugTypAt(f.type);
    if (typ == nullptr || typ->kanone == nullptr || f.direction < 0 ||
        f.direction >= kDirectionCount)
        return;
    const KanoneTyp& k = *typ->kanone;
    const KanoneRichtung& d = k.dirs[WrapDirection(f.direction + f.wasserStrahl->nozzle)];
    const VffImage* image = SetFrame(d.images, 0);
    if (image == nullptr) return;
    const KanonePunkt& mount = k.mount[static_cast<std::size_t>(f.direction)];
    const int left = TruncInt(f.x) + mount.x - d.anchorX;
    const int top = TruncInt(f.y) + mount.y - d.anchorY;
    DrawPiece(Placed(*image, left, top), cellX, cellY, {lift, std::max(bodyUpper, top), firstRow});
}

// A unit's box on the screen, for its selection frame.
struct ScreenBox {
    int x0;
    int y0;
    int x1;
    int y1;
};
ScreenBox SelectBoxOnScreen(const UnitHead& u, const UnitTypHead& typ) {
    const int x = TruncInt(u.x) - ViewOrigin.x;
    const int y = TruncInt(u.y) - ViewOrigin.y;
    const auto& b = typ.selectBox;
    return {x + b[0], y + b[1], x + b[2], y + b[3]};
}

// A double line 3 and 2 pixels outside the box, as far as it lies in the cell's columns and the
// view; the cell's own rows play no part.
void DrawSelectionFrameInCell(const ScreenBox& box, int cellX, int lift) {
    const int left = cellX + std::max(std::max(box.x0 - 3 - cellX, 0), kViewLeft - cellX);
    const int right =
        cellX + std::min(std::min(kLastBoxColumn, box.x1 + 3 - cellX), kViewRight - cellX);
    if (left > right) return;
    for (const int row : {box.y0 - 3, box.y0 - 2, box.y1 + 3, box.y1 + 2}) {
        const int y = row - lift;
        if (y >= kViewTop && y <= kViewBottom)
            DrawHLine8(left, right, y, kSelectionColour, DrawTarget, DrawPitch);
    }
    const int top = std::max(box.y0 - 3, lift + kViewTop);
    const int bottom = std::min(box.y1 + 3, lift + kViewBottom);
    if (top > bottom) return;
    for (const int column : {box.x0 - 3, box.x0 - 2, box.x1 + 3, box.x1 + 2})
        if (column >= left && column <= right)
            DrawVLine8(column, top - lift, bottom - lift, kSelectionColour, DrawTarget, DrawPitch);
}

// A piece that must not be picked: the probe pixel gets back what lay under it.
void PassOverHover() {
    RestoreHoverPixel();
    ArmHoverPixel();
}

template <class R>
bool InArray(const std::vector<R>& records, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < records.size();
}

}  // namespace

void DrawFahrzeugEntry(int cellX, int cellY, int slot, std::uint8_t firstRow) {
    const Fahrzeug* f = UsedFahrzeugAt(slot);
    if (f == nullptr) return;
    const UnitPicture pic = FahrzeugPicture(*f);
    if (pic.image == nullptr) return;
    const int lift = TruncInt(f->height);
    const bool first = firstRow != 0;
    const int bodyUpper = f->drawY + pic.boxTop;
    DrawPiece(Placed(*pic.image, f->drawX, f->drawY), cellX, cellY, {lift, bodyUpper, first});
    if (f->kanzel != nullptr && (f->anim == 3 || f->anim == 13))
        DrawKanzel(*f, cellX, cellY, lift, first);
    if (f->wasserStrahl != nullptr) DrawKanone(*f, bodyUpper, cellX, cellY, lift, first);
}

void DrawPersonEntry(int cellX, int cellY, int slot, int layer, std::uint8_t firstRow) {
    const Person* p = UsedPersonAt(slot);
    if (p == nullptr) return;
    const UnitPicture pic = PersonPicture(*p);
    if (pic.image == nullptr) return;
    const int lift = TruncInt(p->height) + StoreyLift(layer);
    DrawPiece(Placed(*pic.image, p->drawX, p->drawY), cellX, cellY,
              {lift, p->drawY + pic.boxTop, firstRow != 0});
    // The contamination marker floats over the head, drawn with the first row.
    const PersonTyp* typ = PersonTypAt(p->type);
    if (firstRow == 0 || typ == nullptr || (p->contamination != 1 && p->contamination != 2)) return;
    const VffImage* marker = SetFrame(KontaminiertImage, p->contamination - 1);
    if (marker == nullptr) return;
    const int top = TruncInt(p->y) + typ->selectBox[1] - 2 - marker->height;
    DrawPiece(Placed(*marker, TruncInt(p->x) - 9, top), cellX, cellY, {lift, top, true});
}

void DrawHouseObjEntry(int cellX, int cellY, int slot, int layer, std::uint8_t firstRow) {
    if (!InArray(HouseObjs, slot)) return;
    const HouseObj& o = HouseObjs[static_cast<std::size_t>(slot)];
    const FrameSet* f = HouseObjFrame(o);
    if (f == nullptr) return;
    const int lift = layer >= 2 ? kStoreyLift * (layer - 1) : 0;
    DrawPiece(Placed(*f, o.x + f->dx, o.y + f->dy), cellX, cellY,
              {lift, o.y + HouseObjTypen[o.slot].box[1], firstRow != 0});
}

void DrawSonderObjEntry(int cellX, int cellY, int slot, int layer, std::uint8_t firstRow) {
    const SonderObj* o = SonderObjAt(slot);
    if (o == nullptr) return;
    const SonderObjTyp* typ = nullptr;
    const FrameSet* f = SonderObjFrame(*o, &typ);
    if (f == nullptr) return;
    const int top = TruncInt(o->y) + f->dy;
    const PieceCut cut{TruncInt(o->z) + StoreyLift(layer),
                       std::max(TruncInt(o->y) + typ->boxY0, top), firstRow != 0,
                       kSonderObjFirstRowLastColumn, o->drawStyle};
    DrawPiece(Placed(*f, TruncInt(o->x) + f->dx, top), cellX, cellY, cut);
}

void DrawFahrzeugSelectionFrame(int cellX, int /*cellY*/, int slot) {
    const Fahrzeug* f = UsedFahrzeugAt(slot);
    const FahrzeugTyp* typ = f != nullptr ? FahrzeugTypAt(f->type) : nullptr;
    if (typ == nullptr) return;
    DrawSelectionFrameInCell(SelectBoxOnScreen(*f, *typ), cellX, TruncInt(f->height));
}

void DrawPersonSelectionFrame(int cellX, int /*cellY*/, int slot, int layer) {
    const Person* p = UsedPersonAt(slot);
    const PersonTyp* typ = p != nullptr ? PersonTypAt(p->type) : nullptr;
    if (typ == nullptr) return;
    ScreenBox box = SelectBoxOnScreen(*p, *typ);
    if (p->casualty != 0) {
        // A casualty lies flat: the frame goes round its picture.
        const UnitPicture pic = PersonPicture(*p);
        if (pic.image == nullptr) return;
        const int x = p->drawX - ViewOrigin.x;
        const int y = p->drawY - ViewOrigin.y;
        box = {x, y, x + pic.image->width - 1, y + pic.image->height - 1};
    }
    DrawSelectionFrameInCell(box, cellX, TruncInt(p->height) + StoreyLift(layer));
}

void RenderDrawListEntry(std::int16_t cellX, std::int16_t cellY, std::int16_t position) {
    if (position < 0 || position >= DrawListCount) return;
    const DrawListEntry& e = DrawList[static_cast<std::size_t>(position)];
    const DrawListThing thing = DrawListThingOf(e.id);
    const int i = thing.index;
    const auto id = static_cast<std::uint16_t>(i);
    switch (thing.kind) {
        case kDrawFahrzeug:
            if (!InArray(Fahrzeuge, i)) return;
            DrawFahrzeugEntry(cellX, cellY, i, e.firstRow);
            CheckHoverPixel(kHoverFahrzeug, id, 0, 0, 0);
            return;
        case kDrawPerson:
            if (!InArray(Personen, i)) return;
            DrawPersonEntry(cellX, cellY, i, e.layer, e.firstRow);
            CheckHoverPixel(kHoverPerson, id, 0, 0, 0);
            return;
        case kDrawHouseObj:
            if (!InArray(HouseObjs, i)) return;
            DrawHouseObjEntry(cellX, cellY, i, e.layer, e.firstRow);
            CheckHoverPixel(kHoverFurniture, id, 0, 0, 0);
            return;
        case kDrawSonderObj: {
            const SonderObj* o = SonderObjAt(i);
            if (o == nullptr) return;
            DrawSonderObjEntry(cellX, cellY, i, e.layer, e.firstRow);
            // Blood pools and other small marks, and see-through objects, are never picked.
            if (o->drawStyle == 0 && o->type > 3)
                CheckHoverPixel(kHoverSonderObj, id, 0, 0, 0);
            else
                PassOverHover();
            return;
        }
        case kDrawFahrzeugFrame:
            if (!InArray(Fahrzeuge, i)) return;
            DrawFahrzeugSelectionFrame(cellX, cellY, i);
            break;
        case kDrawPersonFrame:
            if (!InArray(Personen, i)) return;
            DrawPersonSelectionFrame(cellX, cellY, i, e.layer);
            break;
        case kDrawFahrzeugJet:
            if (!InArray(Fahrzeuge, i)) return;
            DrawFahrzeugJet(cellX, cellY, i);
            break;
        default:
            if (!InArray(Personen, i)) return;
            DrawPersonJet(cellX, cellY, i);
            break;
    }
    PassOverHover();
}

}  // namespace kv
