#include "world/house_images.h"

#include <algorithm>
#include <cstdio>

#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "gfx/run_tiles.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "world/house_types.h"
#include "world/houses.h"

namespace kv {

std::array<HouseImageSet, kHouseHlSetCount> HouseHlSets;
std::array<HouseImageSet, kHouseUpperSetCount> HouseHmSets;
std::array<HouseImageSet, kHouseUpperSetCount> HouseHuSets;
std::array<HouseImageSet, kHouseUpperSetCount> HouseHoSets;
std::array<HouseFlameSet, kLowerFlameSetCount> LowerFlameSets;
std::array<HouseFlameSet, kMiddleFlameSetCount> MiddleFlameSets;
std::array<HouseFlameSet, kUpperFlameSetCount> UpperFlameSets;

namespace {

bool NotFound(const std::string& name) {
    FatalError(name + " not found!");
    return false;
}

// Reads a file with one of the readers; false after a FatalError.
template <class Set, class Reader>
bool LoadSetFile(const std::string& name, Set& set, Reader read) {
    set = Set{};
    const auto data = ReadFileBytes(name);
    if (!data) return NotFound(name);
    ByteReader in(*data);
    if (read(in, set)) return true;
    FileVersionCorrupt(name, in.fault());
    return false;
}

// The flame set numbers 1.. a cell names on each layer.
struct UsedFlameSets {
    std::array<bool, kLowerFlameSetCount> lower{};
    std::array<bool, kMiddleFlameSetCount> middle{};
    std::array<bool, kUpperFlameSetCount> upper{};

    template <std::size_t N>
    static void mark(std::array<bool, N>& used, int number) {
        if (number >= 1 && number <= static_cast<int>(N))
            used[static_cast<std::size_t>(number - 1)] = true;
    }
};

}  // namespace

std::span<HouseFlameSet> FlameSetsOf(FlameLayer layer) {
    switch (layer) {
        case FlameLayer::Lower:
            return LowerFlameSets;
        case FlameLayer::Middle:
            return MiddleFlameSets;
        case FlameLayer::Upper:
            return UpperFlameSets;
    }
    return {};
}

std::string HouseImageFileName(std::string_view prefix, int set) {
    char name[32];
    std::snprintf(name, sizeof name, "houses\\%.2s%02d.dat", prefix.data(), set + 1);
    return name;
}

bool ReadHouseImageSet(ByteReader& in, HouseImageSet& out) {
    out = HouseImageSet{};
    const bool read = ReadTileRecords(in, out.table) && ReadRunImages(in, in.u16(), out.images);
    if (!read) {
        out = HouseImageSet{};
        return false;
    }
    out.loaded = true;
    return true;
}

void FreeHouseImageSet(HouseImageSet& set) {
    set = HouseImageSet{};
}

bool LoadHouseHlSet(int set) {
    if (set < 0 || set >= kHouseHlSetCount) return true;
    HouseImageSet& hl = HouseHlSets[static_cast<std::size_t>(set)];
    if (hl.loaded) return true;
    return LoadSetFile(HouseImageFileName("hl", set), hl, ReadHouseImageSet);
}

bool LoadHouseUpperSets(int set) {
    if (set < 0 || set >= kHouseUpperSetCount) return true;
    const auto n = static_cast<std::size_t>(set);
    if (HouseHmSets[n].loaded || HouseHuSets[n].loaded) return true;
    return LoadSetFile(HouseImageFileName("hm", set), HouseHmSets[n], ReadHouseImageSet) &&
           LoadSetFile(HouseImageFileName("hu", set), HouseHuSets[n], ReadHouseImageSet) &&
           LoadSetFile(HouseImageFileName("ho", set), HouseHoSets[n], ReadHouseImageSet);
}

void FreeHouseHlSet(int set) {
    if (set < 0 || set >= kHouseHlSetCount) return;
    FreeHouseImageSet(HouseHlSets[static_cast<std::size_t>(set)]);
}

void FreeHouseUpperSet(int set) {
    if (set < 0 || set >= kHouseUpperSetCount) return;
    const auto n = static_cast<std::size_t>(set);
    FreeHouseImageSet(HouseHmSets[n]);
    FreeHouseImageSet(HouseHuSets[n]);
    FreeHouseImageSet(HouseHoSets[n]);
}

bool ReadHouseFlameSet(ByteReader& in, HouseFlameSet& out) {
    out = HouseFlameSet{};
    const std::uint16_t frames = in.u16();
    in.u16();
    const std::uint16_t ticks = in.u16();
    if (!in.ok()) return false;
    // A flame of no frames has nothing to show, nor a frame to start at.
    if (frames == 0 || frames > INT16_MAX)
        return in.refuseAt(
            0, std::to_string(frames) + " frames, 1 to " + std::to_string(INT16_MAX) + " allowed");
    RunImageSet images;
    if (!ReadRunImages(in, frames, images)) return false;
    out.frames = static_cast<std::int16_t>(frames);
    out.ticks = static_cast<std::int16_t>(ticks);
    out.images = std::move(images);
    return true;
}

bool LoadHousePartSet(std::string_view name, FlameLayer layer, int index) {
    const std::span<HouseFlameSet> sets = FlameSetsOf(layer);
    if (index < 0 || static_cast<std::size_t>(index) >= sets.size()) return true;
    return LoadSetFile(std::string(name), sets[static_cast<std::size_t>(index)], ReadHouseFlameSet);
}

bool LoadUsedHousePartSets() {
    FreeHousePartSets();
    UsedFlameSets used;
    for (const House& h : Houses) {
        if (h.type < 0 || h.type >= kHouseTypCount) continue;
        const HouseTyp& t = HouseTypOf(h);
        if (!t.loaded()) continue;
        for (int f = 0; f < t.floors; ++f)
            for (int i = 0; i < t.extentI; ++i)
                for (int j = 0; j < t.extentJ; ++j) {
                    const HouseCell& c = t.cell(f, i, j);
                    UsedFlameSets::mark(used.lower, c.lowerFlames);
                    UsedFlameSets::mark(used.middle, c.middleFlames);
                    UsedFlameSets::mark(used.upper, c.upperFlames);
                }
    }
    const auto load = [](const auto& usedSets, FlameLayer layer, std::string_view prefix) {
        for (std::size_t n = 0; n < usedSets.size(); ++n)
            if (usedSets[n] && !LoadHousePartSet(HouseImageFileName(prefix, static_cast<int>(n)),
                                                 layer, static_cast<int>(n)))
                return false;
        return true;
    };
    return load(used.lower, FlameLayer::Lower, "lb") &&
           load(used.middle, FlameLayer::Middle, "mb") && load(used.upper, FlameLayer::Upper, "ub");
}

void FreeHousePartSets() {
    LowerFlameSets = {};
    MiddleFlameSets = {};
    UpperFlameSets = {};
}

}  // namespace kv
