// The one sprite loader that every person type goes through, driven by its row of the tables.

#include <algorithm>
#include <string>

#include "core/fatal_error.h"
#include "gfx/image_files.h"
#include "persons/person_types.h"

namespace kv {

namespace {

// The opaque bounds of the frame; the whole frame when it has none.
Box16 OpaqueBox(const VffImage& frame) {
    const auto b = OpaqueBounds(frame);
    if (!b)
        return {0, 0, static_cast<std::int16_t>(frame.width - 1),
                static_cast<std::int16_t>(frame.height - 1)};
    return {static_cast<std::int16_t>(b->left), static_cast<std::int16_t>(b->top),
            static_cast<std::int16_t>(b->right), static_cast<std::int16_t>(b->bottom)};
}

void SetConstants(PersonTyp& t, const PersonTypSpec& spec) {
    t.mayBoard.fill(0);
    for (int v = 0; v < kMayBoardCount; ++v)
        if ((spec.mayBoard >> v) & 1u) t.mayBoard[v] = 1;
    t.setCode(spec.code);
    t.price = spec.price;
    t.speed = spec.speed;
    t.selectBox = spec.selectBox;
    t.shortcutBackSteps = kPersonShortcutBackSteps;
    t.panelPicture = spec.panelPicture;
    t.speaker = spec.speaker;
    t.heatProtection = spec.heatProtection;
    t.heatDivisor = spec.heatDivisor;
    t.soundGroup = spec.soundGroup;
    t.terrainColumn = spec.terrainColumn;
    t.unitClass = kPersonUnitClass;
    for (int i = 0; i < 4; ++i) {
        const int d = kLyingDirections[i];
        const LyingSpec& l = spec.lying[i];
        t.lyingPause[d] = l.pause;
        t.lyingObjKind[d] = l.kind;
        t.lyingObjOffset[d] = LyingOffset{l.dx, l.dy};
    }
}

// Reads one direction of one animation into its slot. False after a fatal error.
bool LoadSlot(const PersonTypSpec& spec, const AnimSpec& anim, int d, AnimSlot& slot) {
    const int number = anim.oneFile ? -1 : PersonSpriteFileNumber(spec, d);
    const std::string path = PersonSpritePath(spec.folder, anim.stem, number);
    const bool counted = HasDir(anim.counted, d);
    const std::size_t needed = std::max<std::size_t>(counted ? anim.frames[d] : 0, 1);
    VffImage* set = LoadVff(path);
    // A set shorter than its animation would be read past its end: it counts as missing.
    if (set != nullptr && FrameCount(set) < needed) {
        FreeVff(set);
        set = nullptr;
    }
    if (set == nullptr) {
        if (!HasDir(anim.required, d)) return true;
        FatalError("file not found:  " + path + ".");
        return false;
    }
    slot.images = set;
    if (counted) {
        slot.frames = anim.frames[d];
        slot.delay = anim.delay[d];
    }
    const VffImage& first = set[0];
    if (HasDir(anim.hotDirs, d)) {
        slot.hotX = anim.hot[d].x;
        slot.hotY = anim.hot[d].y;
    } else {
        // The figure stands on its position with its feet.
        slot.hotX = static_cast<std::int16_t>(first.width / 2);
        slot.hotY = static_cast<std::int16_t>(first.height - 1);
    }
    if (HasDir(anim.boxDirs, d)) {
        Box16 box = slot.box;
        switch (anim.boxRule) {
            case BoxRule::Default:
                break;
            case BoxRule::WholeFrame:
                box = {0, 0, static_cast<std::int16_t>(first.width - 1),
                       static_cast<std::int16_t>(first.height - 1)};
                break;
            case BoxRule::Opaque:
                box = OpaqueBox(first);
                break;
            case BoxRule::Given:
                box = anim.boxes[d];
                break;
        }
        if (anim.boxRule != BoxRule::Default) {
            // Held around the hot spot until the type is finished.
            slot.box = {static_cast<std::int16_t>(box[0] - slot.hotX),
                        static_cast<std::int16_t>(box[1] - slot.hotY),
                        static_cast<std::int16_t>(box[2] - slot.hotX),
                        static_cast<std::int16_t>(box[3] - slot.hotY)};
        }
    }
    return true;
}

}  // namespace

void LoadPersonTypSprites(int type) {
    if (type < 0 || type >= kPersonTypCount) return;
    const PersonTypSpec& spec = kPersonTypSpecs[type];
    const std::size_t count = spec.anims.size();
    // Loading over a loaded set would lose its pictures.
    if (count == 0 || PersonTypLoaded(type)) return;
    PersonTyp& t = PersonTypen[type];
    for (AnimSlot*& slots : t.dirAnims) {
        slots = static_cast<AnimSlot*>(AllocMem(count * sizeof(AnimSlot)));
        for (std::size_t a = 0; a < count; ++a)
            slots[a] = AnimSlot{0, 0, 0, 0, spec.defaultBox, nullptr};
    }
    t.animCount = static_cast<std::uint8_t>(count);
    SetConstants(t, spec);
    for (std::size_t a = 0; a < count; ++a) {
        const AnimSpec& anim = spec.anims[a];
        if (anim.stem.empty()) continue;
        for (int d = 0; d < kDirectionCount; ++d) {
            if (anim.oneFile && d != 0) continue;
            if (!LoadSlot(spec, anim, d, t.dirAnims[d][a])) return;
        }
    }
    FinishPersonTyp(static_cast<std::int16_t>(type), static_cast<std::uint8_t>(count));
}

}  // namespace kv
