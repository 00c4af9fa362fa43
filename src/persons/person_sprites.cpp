// The one sprite loader that every person type goes through, driven by its row of the tables.

#include <algorithm>
#include <string>

#include "core/fatal_error.h"
#include "core/refused_file.h"
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

void SetConstants(PersonTyp& t, const PersonTypRow& row) {
    t.mayBoard.fill(0);
    for (int v = 0; v < kMayBoardCount; ++v)
        if ((row.mayBoard >> v) & 1u) t.mayBoard[v] = 1;
    t.setCode(row.code);
    t.price = row.price;
    t.speed = row.speed;
    t.selectBox = row.selectBox;
    t.shortcutBackSteps = kPersonShortcutBackSteps;
    t.panelPicture = row.panelPicture;
    t.speaker = row.speaker;
    t.heatProtection = row.heatProtection;
    t.heatDivisor = row.heatDivisor;
    t.soundGroup = row.soundGroup;
    t.terrainColumn = row.terrainColumn;
    t.unitClass = kPersonUnitClass;
    for (int i = 0; i < 4; ++i) {
        const int d = kLyingDirections[i];
        const LyingRow& l = row.lying[i];
        t.lyingPause[d] = l.pause;
        t.lyingObjKind[d] = l.kind;
        t.lyingObjOffset[d] = LyingOffset{l.dx, l.dy};
    }
}

// Reads one direction of one animation into its slot. False after a fatal error.
bool LoadSlot(const PersonTypRow& row, const AnimRow& anim, int d, AnimSlot& slot) {
    const int number = anim.oneFile ? -1 : PersonSpriteFileNumber(row, d);
    const std::string path = PersonSpritePath(row.folder, anim.stem, number);
    const bool counted = HasDir(anim.counted, d);
    const std::size_t needed = std::max<std::size_t>(counted ? anim.frames[d] : 0, 1);
    VffImage* set = LoadVff(path);
    if (set == nullptr) {
        if (!HasDir(anim.required, d)) return true;
        FatalError("file not found:  " + path + ".");
        return false;
    }
    // A set shorter than its animation would be read past its end: it is not used, and the
    // message says so rather than that the file is missing.
    if (const std::size_t frames = FrameCount(set); frames < needed) {
        FreeVff(set);
        const std::string what =
            std::to_string(frames) + " frames, " + std::to_string(needed) + " needed";
        if (!HasDir(anim.required, d)) {
            ReportRefusedFile(path, ReadFault{1, what});
            return true;
        }
        FatalError(path + ": " + what + ".");
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
    const PersonTypRow& row = kPersonTypRows[type];
    const std::size_t count = row.anims.size();
    // Loading over a loaded set would lose its pictures.
    if (count == 0 || PersonTypLoaded(type)) return;
    PersonTyp& t = PersonTypen[type];
    const WidenBoxReachOnExit widen(PersonBoxReach, t);
    for (AnimSlot*& slots : t.dirAnims) {
        slots = static_cast<AnimSlot*>(AllocMem(count * sizeof(AnimSlot)));
        for (std::size_t a = 0; a < count; ++a)
            slots[a] = AnimSlot{0, 0, 0, 0, row.defaultBox, nullptr};
    }
    t.animCount = static_cast<std::uint8_t>(count);
    SetConstants(t, row);
    for (std::size_t a = 0; a < count; ++a) {
        const AnimRow& anim = row.anims[a];
        if (anim.stem.empty()) continue;
        for (int d = 0; d < kDirectionCount; ++d) {
            if (anim.oneFile && d != 0) continue;
            if (!LoadSlot(row, anim, d, t.dirAnims[d][a])) return;
        }
    }
    FinishPersonTyp(static_cast<std::int16_t>(type), static_cast<std::uint8_t>(count));
}

}  // namespace kv
