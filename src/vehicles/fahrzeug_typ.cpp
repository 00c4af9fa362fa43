#include "vehicles/fahrzeug_typ.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "core/unit_views.h"
#include "vehicles/fahrzeug_sprite_table.h"
#include "vehicles/fahrzeug_sprites.h"
#include "world/data_file.h"

namespace kv {

std::array<FahrzeugTyp, kFahrzeugTypCount> FahrzeugTypen{};
AnimBoxReach FahrzeugBoxReach;

namespace {

bool ValidType(std::int32_t type) {
    return type >= 0 && type < kFahrzeugTypCount;
}

// Loads a companion unless it came with an earlier call already: loading it twice would lose the
// pictures of the first load.
void LoadCompanion(std::int16_t type) {
    if (!FatalErrorRaised() && !FahrzeugTypLoaded(type)) LoadFahrzeugSprites(type);
}

}  // namespace

TypedFahrzeug TypedFahrzeugAt(std::int32_t index) {
    UnitHead* v = FahrzeugUnits.at(index);
    FahrzeugTyp* typ = v != nullptr ? FahrzeugTypAt(v->type) : nullptr;
    if (typ == nullptr) return {};
    return {v, typ};
}

const UnitTypHead* FahrzeugTypRecord(std::int32_t type) {
    return FahrzeugTypAt(type);
}

bool FahrzeugTypHasKanone(std::int16_t type) {
    return ValidType(type) && kFahrzeugTypRows[static_cast<std::size_t>(type)].kanone != nullptr;
}

bool FahrzeugTypLoaded(std::int16_t type) {
    if (!ValidType(type)) return false;
    const auto& dirs = FahrzeugTypen[type].dirAnims;
    return std::any_of(dirs.begin(), dirs.end(), [](const AnimSlot* s) { return s != nullptr; });
}

const AnimSlot& FahrzeugAnimSlot(int type, int facing, int anim) {
    if (!ValidType(type)) return kEmptyAnimSlot;
    return UnitAnimSlot(FahrzeugTypen[static_cast<std::size_t>(type)], facing, anim);
}

void LoadFahrzeugTyp(std::int16_t type) {
    if (!ValidType(type) || FahrzeugTypLoaded(type)) return;
    switch (type) {
        case kTypNone:
        case kTypF110MD:
        case kTypF119:
        case kTypF203B:
            return;  // they come only with the types that bring them
        default:
            break;
    }
    LoadFahrzeugSprites(type);
    switch (type) {
        case kTypF110:
            LoadCompanion(kTypF110MD);
            break;
        case kTypF117:
            LoadCompanion(kTypF119);
            LoadCompanion(kTypF116);
            break;
        case kTypF118:
            LoadCompanion(kTypF119);
            LoadCompanion(kTypF114);
            break;
        case kTypF203:
            LoadCompanion(kTypF203B);
            break;
        default:
            break;
    }
}

void LoadMissionFahrzeugTypen() {
    if (MissionNummer < 1 || MissionNummer > kMissionCount) return;
    for (std::int16_t t = 0; t < kPlayerFahrzeugTypCount && !FatalErrorRaised(); ++t)
        if (FahrzeugAvailability[t][MissionNummer - 1] != 0) LoadFahrzeugTyp(t);
}

bool LoadFahrzeugDat(std::uint32_t type, std::string_view code) {
    if (type >= kFahrzeugTypCount) return false;
    const std::string path = "data\\cars\\" + std::string(code) + ".dat";
    DataFile file;
    if (!file.open(path)) {
        FatalError(path + " not found");
        return false;
    }
    // The reader closes the file on its first error; nothing is read after that.
    std::int32_t numbers[5];
    for (std::int32_t& n : numbers) {
        n = ReadDataNumber(file, true);
        if (!file.isOpen()) return false;
    }
    file.close();
    FahrzeugTyp& t = FahrzeugTypen[type];
    t.price = static_cast<std::uint32_t>(numbers[0]);
    t.seats = static_cast<std::uint8_t>(numbers[1]);
    t.speed = numbers[2] <= 0 ? 1.0f : static_cast<float>(numbers[2]);
    // Kept within -127..127, so that a slow type's countdown can hold its pace.
    t.karteStep = numbers[3] == 0
                      ? std::int8_t{1}
                      : static_cast<std::int8_t>(std::clamp<std::int32_t>(numbers[3], -127, 127));
    t.heatProtection = numbers[4];
    return true;
}

void CalcFahrzeugTypSize(std::int16_t type) {
    if (!ValidType(type)) return;
    FahrzeugTyp& t = FahrzeugTypen[type];
    std::int16_t width = 0;
    std::int16_t height = 0;
    for (const AnimSlot* slots : t.dirAnims) {
        if (slots == nullptr || slots[1].images == nullptr) continue;
        const auto& box = slots[1].box;
        width = std::max(width, static_cast<std::int16_t>(box[2] - box[0]));
        height = std::max(height, static_cast<std::int16_t>(box[3] - box[1]));
    }
    t.extent = {0, 0, static_cast<std::int16_t>(width + 2), static_cast<std::int16_t>(height + 2)};
}

void FreeFahrzeugTyp(std::int16_t type) {
    if (!ValidType(type)) return;
    FahrzeugTyp& t = FahrzeugTypen[type];
    const int entries = kFahrzeugTypRows[type].entries;
    for (AnimSlot*& slots : t.dirAnims) {
        if (slots == nullptr) continue;
        for (int i = 0; i < entries; ++i) {
            VffImage* images = slots[i].images;
            // An entry that repeats an earlier entry's picture only lets go of it.
            const bool shared = std::any_of(
                slots, slots + i, [images](const AnimSlot& s) { return s.images == images; });
            if (images != nullptr && !shared) FreeVff(images);
        }
        for (int i = 0; i < entries; ++i) slots[i].images = nullptr;
        std::free(slots);
        slots = nullptr;
    }
    t.animCount = 0;
    if (t.kanone != nullptr) {
        for (KanoneRichtung& dir : t.kanone->dirs) {
            FreeVff(dir.images);
            dir.images = nullptr;
        }
        std::free(t.kanone);
        t.kanone = nullptr;
    }
}

}  // namespace kv
