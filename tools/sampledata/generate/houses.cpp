// The house files of the 74 types, their picture sets and the flame overlays.

#include "generate/house_art.h"
#include "generate/house_shapes.h"
#include "generate/topics.h"
#include "generate/world_tables.h"
#include "world/house_images.h"
#include "world/wall_mask.h"

namespace kv::sampledata {

namespace {

// The middle picture of a cell with the given visible walls; a door where the type's door opens
// through one of them.
std::uint16_t MiddlePicture(bool front, bool right, bool door, int doorSide) {
    if (door && doorSide == 1 && front)
        return right ? hm_image::kCornerFrontDoor : hm_image::kFrontDoor;
    if (door && doorSide == 3 && right)
        return front ? hm_image::kCornerRightDoor : hm_image::kRightDoor;
    if (front && right) return hm_image::kCorner;
    if (front) return hm_image::kFront;
    if (right) return hm_image::kRight;
    return hm_image::kNone;
}

// The ceiling or roof of a cell, with the upper band of its front wall where it has one.
std::uint16_t UpperPicture(bool top, bool front, bool door, int doorSide) {
    if (front) {
        if (door && doorSide == 1) return top ? hu_image::kRoofFrontDoor : hu_image::kSlabFrontDoor;
        if (door) return top ? hu_image::kRoofFrontSideDoor : hu_image::kSlabFrontSideDoor;
        return top ? hu_image::kRoofFront : hu_image::kSlabFront;
    }
    if (top) return door ? hu_image::kRoofDoor : hu_image::kRoof;
    return door ? hu_image::kSlabDoor : hu_image::kSlab;
}

HouseCell Cell(int type, int floor, int i, int j) {
    HouseCell c;
    if (!HouseCellStands(type, i, j)) return c;
    const HouseShape& shape = kHouseShapes[static_cast<std::size_t>(type)];
    const HouseTypSettings& s = HouseTypSettingsOf(type);
    const bool door = floor == 0 && i == s.doorI && j == s.doorJ;
    const bool top = floor == shape.floors - 1;
    const bool front = !HouseCellStands(type, i, j + 1);
    const bool right = !HouseCellStands(type, i + 1, j);

    // Kitchens and bathrooms along the rear wall.
    c.lowerImage = j == 0 ? hl_image::kTiles : hl_image::kBoards;
    c.middleImage = MiddlePicture(front, right, door, s.doorSide);
    c.upperImage = UpperPicture(top, front, door, s.doorSide);
    c.material = HouseDrawnWithoutMaterials(type) ? material::kNone : material::kHouse;
    // The one-row halls (types 1 and 2) stand in a row in the underground stations: the west end
    // of each is a stone stairwell, so that a fire passes from one hall to the next only slowly,
    // and the rest is lined with timber, which burns hot but soon burns out, so that the people
    // lying beside a fire outlast it.
    if (type == 1 || type == 2) c.material = i == 0 ? material::kNone : material::kWood;

    // The outer walls, but where the door opens; the file holds their code.
    std::uint8_t walls = 0;
    if (front) walls |= kWallSouth;
    if (right) walls |= kWallEast;
    if (!HouseCellStands(type, i, j - 1)) walls |= kWallNorth;
    if (!HouseCellStands(type, i - 1, j)) walls |= kWallWest;
    if (door) {
        constexpr std::uint8_t kOpening[4] = {kWallNorth, kWallSouth, kWallWest, kWallEast};
        walls = static_cast<std::uint8_t>(walls & ~kOpening[s.doorSide & 3]);
    }
    c.walls = WallCode(walls);

    c.lowerFlames = static_cast<std::uint8_t>(1 + type % kLowerFlameSetCount);
    c.middleFlames = c.middleImage == hm_image::kNone
                         ? 0
                         : static_cast<std::uint8_t>(1 + type % kMiddleFlameSetCount);
    c.upperFlames = static_cast<std::uint8_t>(1 + type % kUpperFlameSetCount);
    return c;
}

HouseFile BuildHouseFile(int type) {
    const HouseShape& shape = kHouseShapes[static_cast<std::size_t>(type)];
    HouseFile file;
    for (int f = 0; f < shape.floors; ++f) {
        HouseFloorData floor{shape.extentI, shape.extentJ, {}};
        for (int i = 0; i < shape.extentI; ++i)
            for (int j = 0; j < shape.extentJ; ++j) floor.cells.push_back(Cell(type, f, i, j));
        file.floors.push_back(std::move(floor));
    }
    return file;
}

}  // namespace

bool WriteHouses(const OutputTree& out) {
    for (int type = 0; type < kHouseTypCount; ++type)
        if (!out.write(HouseFileName(type), WriteHouseFile(BuildHouseFile(type)))) return false;
    for (int set = 0; set < kHouseHlSetCount; ++set)
        if (!out.write(HouseImageFileName("hl", set), WriteHouseImageSetFile(BuildHlSet(set))))
            return false;
    for (int set = 0; set < kHouseUpperSetCount; ++set) {
        if (!out.write(HouseImageFileName("hm", set), WriteHouseImageSetFile(BuildHmSet(set))) ||
            !out.write(HouseImageFileName("hu", set),
                       WriteHouseImageSetFile(BuildHuSet(set, false))) ||
            !out.write(HouseImageFileName("ho", set),
                       WriteHouseImageSetFile(BuildHuSet(set, true))))
            return false;
    }
    struct FlameFiles {
        FlameLayer layer;
        const char* prefix;
        int count;
    };
    constexpr FlameFiles kFlames[] = {
        {FlameLayer::Lower, "lb", kLowerFlameSetCount},
        {FlameLayer::Middle, "mb", kMiddleFlameSetCount},
        {FlameLayer::Upper, "ub", kUpperFlameSetCount},
    };
    for (const FlameFiles& f : kFlames)
        for (int set = 0; set < f.count; ++set)
            if (!out.write(HouseImageFileName(f.prefix, set),
                           WriteHouseFlameSetFile(BuildFlameSet(f.layer, set))))
                return false;
    return true;
}

}  // namespace kv::sampledata
