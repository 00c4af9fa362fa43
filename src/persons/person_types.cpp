#include "persons/person_types.h"

#include <algorithm>
#include <cstdlib>

#include "core/fatal_error.h"
#include "gfx/image_files.h"

namespace kv {

std::array<PersonTyp, kPersonTypCount> PersonTypen{};
AnimBoxReach PersonBoxReach;

namespace {

bool InRange(int type) {
    return type >= 0 && type < kPersonTypCount;
}

int AnimCount(int type) {
    return static_cast<int>(kPersonTypRows[type].anims.size());
}

void FreeOne(int type) {
    PersonTyp& t = PersonTypen[type];
    const int count = AnimCount(type);
    for (AnimSlot*& slots : t.dirAnims) {
        if (slots == nullptr) continue;
        for (int a = 0; a < count; ++a) {
            FreeVff(slots[a].images);
            slots[a].images = nullptr;
        }
        std::free(slots);
        slots = nullptr;
    }
    t.animCount = 0;
}

}  // namespace

bool PersonTypLoaded(int type) {
    if (!InRange(type)) return false;
    const auto& dirs = PersonTypen[type].dirAnims;
    return std::any_of(dirs.begin(), dirs.end(), [](const AnimSlot* s) { return s != nullptr; });
}

const UnitTypHead* PersonTypRecord(std::int32_t type) {
    return InRange(type) ? &PersonTypen[static_cast<std::size_t>(type)] : nullptr;
}

const AnimSlot& PersonAnimSlot(int type, int direction, int anim) {
    return InRange(type) ? UnitAnimSlot(PersonTypen[type], direction, anim) : kEmptyAnimSlot;
}

void LoadPersonTyp(std::int16_t type) {
    if (!InRange(type) || PersonTypLoaded(type)) return;
    const PersonTypGroup& group = kPersonTypGroups[type];
    for (int i = 0; i < group.count; ++i) {
        if (FatalErrorRaised()) return;
        LoadPersonTypSprites(group.types[i]);
    }
}

void FinishPersonTyp(std::int16_t type, std::uint8_t animCount) {
    if (!InRange(type)) return;
    PersonTyp& t = PersonTypen[type];
    const int count = std::min<int>(animCount, AnimCount(type));
    for (AnimSlot* slots : t.dirAnims) {
        if (slots == nullptr) continue;
        for (int a = 0; a < count; ++a) {
            AnimSlot& s = slots[a];
            s.box[0] = static_cast<std::int16_t>(s.box[0] + s.hotX);
            s.box[1] = static_cast<std::int16_t>(s.box[1] + s.hotY);
            s.box[2] = static_cast<std::int16_t>(s.box[2] + s.hotX);
            s.box[3] = static_cast<std::int16_t>(s.box[3] + s.hotY);
        }
    }
    WidenBoxReach(PersonBoxReach, t);
    // The footprint comes from walking; a type with a single animation has only its stand.
    t.extent = {0, 0, 0, 0};
    const int walk = count > 1 ? 1 : 0;
    if (count == 0) return;
    int width = 0;
    int height = 0;
    for (const AnimSlot* slots : t.dirAnims) {
        if (slots == nullptr) continue;
        width = std::max(width, slots[walk].box[2] - slots[walk].box[0]);
        height = std::max(height, slots[walk].box[3] - slots[walk].box[1]);
    }
    t.extent = {0, 0, static_cast<std::int16_t>(width + 2), static_cast<std::int16_t>(height + 2)};
}

void PreloadPersonTypen() {
    for (std::int16_t t = 0; t < kPreloadedPersonTypen; ++t) {
        LoadPersonTyp(t);
        if (FatalErrorRaised()) return;
    }
}

void FreePersonTyp(std::int16_t type) {
    if (!InRange(type)) return;
    const PersonTypGroup& group = kPersonTypGroups[type];
    for (int i = 0; i < group.count; ++i) FreeOne(group.types[i]);
}

void FreePreloadedPersonTypen() {
    for (std::int16_t t = 0; t < kPreloadedPersonTypen; ++t) FreePersonTyp(t);
}

}  // namespace kv
