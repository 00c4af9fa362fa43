#include "world/sonder_obj_sets.h"

#include <algorithm>

#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "gfx/image_files.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

std::uint16_t LinkOrSelf(std::int16_t link, std::uint8_t slot) {
    return static_cast<std::uint16_t>(link == kSelf ? slot : link);
}

bool LoadRows(int mission) {
    for (const SonderObjLayoutRow& row : kSonderObjLayouts)
        if (row.mission == mission && !LoadSobj(row)) return false;
    return true;
}

}  // namespace

void ClearSonderObjTyp(SonderObjTyp& t, std::uint16_t self) {
    t = SonderObjTyp{};
    t.burningTyp = self;
    t.burntTyp = self;
    t.extinguishedTyp = self;
}

std::size_t LoadSonderObjTypFrames(std::int16_t slot, std::string_view path,
                                   std::string_view message, std::size_t wanted, std::int16_t ticks,
                                   bool fresh) {
    SonderObjTyp* t = SonderObjTypAt(slot);
    if (t == nullptr) return 0;
    FreeSonderObjTypFrames(slot);
    FrameSet* frames = LoadFrameSet(path);
    const std::size_t count = FrameCount(frames);
    if (count == 0) {
        FreeFrameSet(frames);
        FatalError(message);
        return 0;
    }
    if (fresh) ClearSonderObjTyp(*t, static_cast<std::uint16_t>(slot));
    t->frames = frames;
    t->frameCount = static_cast<std::int16_t>(std::min(wanted, count));
    t->ticksPerFrame = ticks;
    return count;
}

bool LoadSobj(const SonderObjLayoutRow& row) {
    SonderObjTyp* t = SonderObjTypAt(row.slot);
    if (t == nullptr || row.set >= kSonderObjSets.size()) return false;
    const SonderObjSet& set = kSonderObjSets[row.set];
    const std::size_t count = LoadSonderObjTypFrames(
        row.slot, set.path, set.message, static_cast<std::size_t>(set.frames), set.ticks, false);
    if (count == 0) return false;
    FrameSet* frames = t->frames;
    if (set.moved)
        for (std::size_t i = 0; i < count; ++i) {
            frames[i].dx = set.dx;
            frames[i].dy = set.dy;
        }
    const FrameSet& first = frames[0];
    const FrameSet& last = frames[count - 1];
    std::array<int, 4> box{};
    switch (set.boxRule) {
        case SobjBox::kFixed:
            box = {set.box[0], set.box[1], set.box[2], set.box[3]};
            break;
        case SobjBox::kWholeFirstFrame:
            box = {0, 0, first.width - 1, first.height - 1};
            break;
        case SobjBox::kBottomLine:
            box = {0, first.height - 1, first.width - 1, first.height - 1};
            break;
        case SobjBox::kWholeLastFrame:
            box = {0, 0, last.width - 1, last.height - 1};
            break;
    }
    t->boxX0 = static_cast<std::int16_t>(box[0]);
    t->boxY0 = static_cast<std::int16_t>(box[1]);
    t->boxX1 = static_cast<std::int16_t>(box[2]);
    t->boxY1 = static_cast<std::int16_t>(box[3]);
    t->explosionKind = row.fire.explosionKind;
    t->material = row.fire.material;
    t->vanishes = row.fire.vanishes;
    t->burningTyp = LinkOrSelf(row.burningTyp, row.slot);
    t->burntTyp = LinkOrSelf(row.burntTyp, row.slot);
    t->extinguishedTyp = LinkOrSelf(row.extinguishedTyp, row.slot);
    t->objectSet = 1;
    return true;
}

bool LoadCommonSonderObjTypen() {
    return LoadRows(0);
}

bool LoadMissionSonderObjTypen(int mission) {
    if (mission < 1 || mission > kMissionCount) return true;
    return LoadRows(mission);
}

std::int16_t MissionSonderObjTypCount(int mission) {
    if (mission < 1 || mission > kMissionCount) return kCommonSonderObjTypen;
    return kMissionSonderObjTypCounts[static_cast<std::size_t>(mission - 1)];
}

}  // namespace kv
