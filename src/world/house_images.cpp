#include "world/house_images.h"

#include <algorithm>
#include <cstdio>

#include "core/fatal_error.h"
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

bool Corrupt(const std::string& name) {
    FatalError(name + ": fileversion corrupt!");
    return false;
}

bool LoadImageSetFile(const std::string& name, HouseImageSet& set) {
    FreeHouseImageSet(set);
    const auto data = ReadFileBytes(name);
    if (!data) return NotFound(name);
    if (!ReadHouseImageSet(*data, set)) return Corrupt(name);
    return true;
}

void FreeFlameSet(HouseFlameSet& set) {
    FreeVff(set.images);
    set = HouseFlameSet{};
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

bool ReadHouseImageSet(std::span<const std::uint8_t> data, HouseImageSet& out) {
    FreeHouseImageSet(out);
    TileSetData read;
    if (!ReadTileSetData(data, read)) return false;
    out.table = std::move(read.tiles);
    out.images = read.images;
    out.imageCount = static_cast<std::uint16_t>(read.imageCount);
    read.images = nullptr;
    return true;
}

void FreeHouseImageSet(HouseImageSet& set) {
    FreeVff(set.images);
    set = HouseImageSet{};
}

bool LoadHouseHlSet(int set) {
    if (set < 0 || set >= kHouseHlSetCount) return true;
    HouseImageSet& hl = HouseHlSets[static_cast<std::size_t>(set)];
    if (hl.images != nullptr) return true;
    return LoadImageSetFile(HouseImageFileName("hl", set), hl);
}

bool LoadHouseUpperSets(int set) {
    if (set < 0 || set >= kHouseUpperSetCount) return true;
    const auto n = static_cast<std::size_t>(set);
    if (HouseHmSets[n].images != nullptr || HouseHuSets[n].images != nullptr) return true;
    return LoadImageSetFile(HouseImageFileName("hm", set), HouseHmSets[n]) &&
           LoadImageSetFile(HouseImageFileName("hu", set), HouseHuSets[n]) &&
           LoadImageSetFile(HouseImageFileName("ho", set), HouseHoSets[n]);
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

bool ReadHouseFlameSet(std::span<const std::uint8_t> data, HouseFlameSet& out) {
    FreeFlameSet(out);
    ByteReader in(data);
    const std::uint16_t frames = in.u16();
    in.u16();
    const std::uint16_t ticks = in.u16();
    // Every frame takes at least its two words and one row.
    if (!in.ok() || frames > INT16_MAX || in.remaining() / 5 < frames) return false;
    auto* images = static_cast<VffImage*>(AllocMem((frames + 1u) * sizeof(VffImage)));
    for (int i = 0; i <= frames; ++i) images[i] = VffImage{kRunTileWidth, 0, nullptr};
    for (int i = 0; i < frames; ++i) {
        const std::uint16_t length = in.u16();
        const std::uint16_t height = in.u16();
        const auto pixels = in.view(length);
        if (!in.ok() || !ValidateRunTile(pixels, height)) {
            FreeVff(images);
            return false;
        }
        auto* copy = static_cast<std::uint8_t*>(AllocMem(length));
        std::copy(pixels.begin(), pixels.end(), copy);
        images[i] = VffImage{kRunTileWidth, height, copy};
    }
    out.frames = static_cast<std::int16_t>(frames);
    out.ticks = static_cast<std::int16_t>(ticks);
    out.images = images;
    return true;
}

bool LoadHousePartSet(std::string_view name, FlameLayer layer, int index) {
    const std::span<HouseFlameSet> sets = FlameSetsOf(layer);
    if (index < 0 || static_cast<std::size_t>(index) >= sets.size()) return true;
    HouseFlameSet& set = sets[static_cast<std::size_t>(index)];
    FreeFlameSet(set);
    const std::string path(name);
    const auto data = ReadFileBytes(path);
    if (!data) return NotFound(path);
    if (!ReadHouseFlameSet(*data, set)) return Corrupt(path);
    return true;
}

bool LoadUsedHousePartSets() {
    FreeHousePartSets();
    UsedFlameSets used;
    for (const House& h : Houses) {
        if (h.type < 0 || h.type >= kHouseTypCount) continue;
        const HouseTyp& t = HouseTypen[static_cast<std::size_t>(h.type)];
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
    for (HouseFlameSet& s : LowerFlameSets) FreeFlameSet(s);
    for (HouseFlameSet& s : MiddleFlameSets) FreeFlameSet(s);
    for (HouseFlameSet& s : UpperFlameSets) FreeFlameSet(s);
}

}  // namespace kv
