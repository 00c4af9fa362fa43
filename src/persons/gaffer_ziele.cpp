#include "persons/gaffer_ziele.h"

#include "core/mission_hooks.h"
#include "world/geometry.h"

namespace kv {

std::uint8_t GafferZielCount = 0;
std::vector<GafferZiel> GafferZiele;

bool GetGafferZiel(std::int64_t index, GafferZiel& out) {
    if (index < 0 || index >= static_cast<std::int64_t>(GafferZiele.size())) return false;
    out = GafferZiele[static_cast<std::size_t>(index)];
    return true;
}

void InitGafferZiele(int mission) {
    FreeGafferZiele();
    if (const auto hook = MissionHook(mission, &MissionHooks::InitGafferZiele, "InitGafferZiele"))
        hook();
}

void AllocGafferZiele() {
    GafferZiele.assign(GafferZielCount, GafferZiel{});
}

void SetGafferZiel(std::int16_t index, std::uint16_t x, std::uint16_t y, std::uint16_t radius) {
    if (index < 0 || static_cast<std::size_t>(index) >= GafferZiele.size()) return;
    GafferZiele[static_cast<std::size_t>(index)] = {static_cast<std::int16_t>(x),
                                                    static_cast<std::int16_t>(y),
                                                    static_cast<std::int16_t>(radius)};
}

std::int16_t FindNearestGafferZiel(std::int16_t x, std::int16_t y) {
    std::int16_t nearest = -1;
    std::int32_t best = 0;
    for (std::size_t i = 0; i < GafferZiele.size(); ++i) {
        const GafferZiel& z = GafferZiele[i];
        const std::int32_t d = DistanceInt(x, y, z.x, z.y);
        if (nearest >= 0 && d >= best) continue;
        nearest = static_cast<std::int16_t>(i);
        best = d;
    }
    return nearest;
}

void FreeGafferZiele() {
    GafferZiele = {};
    GafferZielCount = 0;
}

}  // namespace kv
