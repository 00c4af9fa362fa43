#include "vehicles/fahrzeug_sprites.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "core/fatal_error.h"
#include "platform/ascii.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv {

namespace {

AnimSlot* AllocSlots(int count) {
    auto* slots =
        static_cast<AnimSlot*>(AllocMem(sizeof(AnimSlot) * static_cast<std::size_t>(count)));
    for (int i = 0; i < count; ++i) new (slots + i) AnimSlot{};
    return slots;
}

std::string MissingMessage(std::string_view name, const SpriteEntryRow& e,
                           const std::string& path) {
    std::string what;
    if (e.pathMessage)
        what = path;
    else if (!e.message.empty())
        what = e.message;
    else
        what = std::string(name) + AsciiUpper(e.stem);
    return "file not found: " + what + ".";
}

std::array<std::int16_t, 4> ToArray(SpriteBox b) {
    return {b.left, b.top, b.right, b.bottom};
}

std::array<std::int16_t, 4> BoxOf(const SpriteEntryRow& e, int d, const VffImage& first,
                                  const AnimSlot& entry0) {
    if (!HasFacing(e.boxFacings, d)) return {};
    switch (e.box) {
        case BoxRule::None:
            return {};
        case BoxRule::Picture:
            return ToArray(OpaqueBox(first));
        case BoxRule::Whole:
            return {0, 0, static_cast<std::int16_t>(first.width - 1),
                    static_cast<std::int16_t>(first.height - 1)};
        case BoxRule::Given:
            return ToArray(e.boxes[d]);
        case BoxRule::Entry0:
            return entry0.box;
        case BoxRule::F203Stay: {
            const AnimSlot* f203 = FahrzeugTypen[kTypF203].dirAnims[d];
            return f203 != nullptr ? f203[0].box : std::array<std::int16_t, 4>{};
        }
    }
    return {};
}

// One entry in every facing that has it; false after a fatal error.
bool LoadEntry(std::int16_t type, const SpriteEntryRow& e) {
    FahrzeugTyp& t = FahrzeugTypen[type];
    const std::string_view name = kFahrzeugTypNames[type].name;
    for (int d = 0; d < kDirectionCount; ++d) {
        if (!HasFacing(e.facings, d)) continue;
        AnimSlot* slots = t.dirAnims[d];
        AnimSlot& slot = slots[e.entry];
        if (e.stem.empty()) {
            slot = slots[0];
            continue;
        }
        const std::string path = SpritePath(name, e, d);
        VffImage* images = LoadVff(path);
        if (images == nullptr) {
            // An optional picture that is missing leaves the entry without frames, so that
            // nothing draws from its null picture.
            if (HasFacing(e.optionalFacings, d)) continue;
            FatalError(MissingMessage(name, e, path));
            return false;
        }
        slot.images = images;
        // A file with fewer frames than the table wants shows the ones it has.
        slot.frames =
            static_cast<std::uint16_t>(std::min<std::size_t>(e.frames, FrameCount(images)));
        slot.delay = e.delay;
        slot.box = BoxOf(e, d, images[0], slots[0]);
        if (e.hotSpot && HasFacing(e.boxFacings, d)) {
            slot.hotX = e.hotSpot->x;
            slot.hotY = e.hotSpot->y;
        }
    }
    return true;
}

void InsetAndHotSpots(FahrzeugTyp& t, const FahrzeugTypRow& row) {
    for (int d = 0; d < kDirectionCount; ++d) {
        const SpritePoint inset = row.inset == Inset::Normal  ? kNormalInset[d]
                                  : row.inset == Inset::Large ? kLargeInset[d]
                                                              : SpritePoint{};
        for (int i = 0; i < row.entries; ++i) {
            AnimSlot& s = t.dirAnims[d][i];
            if (s.frames == 0) continue;
            auto& b = s.box;
            b[0] = static_cast<std::int16_t>(b[0] + inset.x);
            b[1] = static_cast<std::int16_t>(b[1] + inset.y);
            b[2] = static_cast<std::int16_t>(b[2] - inset.x);
            b[3] = static_cast<std::int16_t>(b[3] - inset.y);
            s.hotX =
                static_cast<std::int16_t>(b[0] + (static_cast<std::int16_t>(b[2] - b[0] + 1) >> 1));
            s.hotY =
                static_cast<std::int16_t>(b[1] + (static_cast<std::int16_t>(b[3] - b[1] + 1) >> 1));
        }
    }
}

void LoadKanone(std::int16_t type, const KanoneRow& row) {
    FahrzeugTyp& t = FahrzeugTypen[type];
    const std::string_view name = kFahrzeugTypNames[type].name;
    auto* k = static_cast<KanoneTyp*>(AllocMem(sizeof(KanoneTyp)));
    new (k) KanoneTyp{};
    t.kanone = k;
    k->strength = row.strength;
    k->height = row.height;
    k->range = row.range;
    for (int c = 0; c < kDirectionCount; ++c) k->nozzle[c] = {row.nozzle[c].x, row.nozzle[c].y};
    for (int c = 0; c < kDirectionCount; ++c) {
        VffImage* images = LoadVff(KanonePath(name, c));
        if (images == nullptr) {
            FatalError("file not found: " + std::string(name) + "-Kanone.");
            return;
        }
        k->dirs[c] = {row.anchor[c].x, row.anchor[c].y, images};
    }
    for (int f = 0; f < kDirectionCount; ++f) {
        const AnimSlot& stay = t.dirAnims[f][0];
        k->mount[f] = {static_cast<std::int16_t>(row.mount[f].x - stay.hotX),
                       static_cast<std::int16_t>(row.mount[f].y - stay.hotY)};
    }
}

}  // namespace

std::string SpritePath(std::string_view name, const SpriteEntryRow& entry, int facing) {
    std::string path = "cars\\" + (entry.lowerFolder ? AsciiLower(name) : std::string(name)) + "\\";
    path += entry.stem;
    if (!entry.oneFile) path += std::to_string(facing);
    return path + ".vff";
}

std::string KanonePath(std::string_view name, int direction) {
    return "cars\\" + std::string(name) + "\\kanone" + std::to_string(direction) + ".vff";
}

SpriteBox OpaqueBox(const VffImage& frame) {
    const auto b = OpaqueBounds(frame);
    if (!b) return {};
    return {static_cast<std::int16_t>(b->left), static_cast<std::int16_t>(b->top),
            static_cast<std::int16_t>(b->right), static_cast<std::int16_t>(b->bottom)};
}

void LoadFahrzeugSprites(std::int16_t type) {
    if (type < 0 || type >= kFahrzeugTypCount) return;
    const FahrzeugTypRow& row = kFahrzeugTypRows[type];
    if (row.entries == 0) return;
    FahrzeugTyp& t = FahrzeugTypen[type];
    const WidenBoxReachOnExit widen(FahrzeugBoxReach, t);

    for (AnimSlot*& slots : t.dirAnims) slots = AllocSlots(row.entries);
    t.animCount = row.entries;

    const std::string_view code = kFahrzeugTypNames[type].code;
    t.setCode(code);
    if (!LoadFahrzeugDat(static_cast<std::uint32_t>(type), code)) return;

    t.selectBox = row.selectBox;
    t.shortcutBackSteps = row.shortcutBackSteps;
    t.panelPicture = row.panelPicture;
    t.speaker = row.speaker;
    t.terrainColumn = row.terrainColumn;
    t.unitClass = row.unitClass;
    t.explosionKind = row.explosionKind;
    t.material = row.material;
    t.rightOfWay = row.rightOfWay;
    if (row.heatProtection) t.heatProtection = *row.heatProtection;

    for (const SpriteEntryRow& e : row.sprites)
        if (!e.afterHotSpots && !LoadEntry(type, e)) return;
    InsetAndHotSpots(t, row);
    for (const SpriteEntryRow& e : row.sprites) {
        if (!e.hotXFromEntry0) continue;
        for (int d = 0; d < kDirectionCount; ++d) {
            AnimSlot& s = t.dirAnims[d][e.entry];
            if (HasFacing(e.facings, d) && s.frames != 0)
                s.hotX = static_cast<std::int16_t>(t.dirAnims[d][0].hotX + *e.hotXFromEntry0);
        }
    }
    for (const SpriteEntryRow& e : row.sprites)
        if (e.afterHotSpots && !LoadEntry(type, e)) return;

    if (row.kanone != nullptr) {
        LoadKanone(type, *row.kanone);
        if (FatalErrorRaised()) return;
    }
    CalcFahrzeugTypSize(type);
}

}  // namespace kv
