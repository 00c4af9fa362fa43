// Save files: the load's parse step over any bytes, on a fixed shape of a rebuilt mission. The
// input is the file without its trailer; the target adds a matching one, since random bytes
// would never pass its check and the parse step would never run. Each input is refused or
// staged with every slot, count and index inside the shape.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "persons/person_sprite_table.h"
#include "platform/crc32.h"
#include "screens/save_game.h"
#include "screens/save_sections.h"
#include "support/fuzz_support.h"

namespace {

// Mission 1 on the sample data as the game rebuilds it: the shape of the seed, a save of it.
constexpr std::size_t kFuzzPontonPunkte = 0;
constexpr std::size_t kFuzzZFWege = 1;
constexpr std::size_t kFuzzHouses = 0;
constexpr std::size_t kFuzzCells = 2850;
constexpr std::size_t kFuzzPersonen = 50;
constexpr std::size_t kFuzzFahrzeuge = 20;
constexpr std::size_t kFuzzSonderObjs = 395;
constexpr std::size_t kFuzzSonderObjTypen = 51;
constexpr std::size_t kFuzzHouseObjs = 0;
struct TypSeats {
    std::size_t type;
    std::uint8_t seats;
};
// The vehicle types the mission loads, with their seats.
constexpr std::array<TypSeats, 15> kFuzzSeats = {{
    {3, 3},
    {9, 2},
    {17, 4},
    {18, 2},
    {21, 4},
    {25, 2},
    {27, 0},
    {28, 0},
    {29, 0},
    {30, 0},
    {31, 0},
    {32, 0},
    {33, 0},
    {34, 0},
    {44, 0},
}};
constexpr std::array<std::size_t, 5> kFuzzCannons = {3, 4, 6, 13, 23};

kv::SaveShape FixedShape() {
    kv::SaveShape s;
    s.pontonPunkte = kFuzzPontonPunkte;
    s.zfWege = kFuzzZFWege;
    s.houseFloors.assign(kFuzzHouses, 0);
    s.cells = kFuzzCells;
    s.personen = kFuzzPersonen;
    s.fahrzeuge = kFuzzFahrzeuge;
    s.sonderObjs = kFuzzSonderObjs;
    s.sonderObjTypen = kFuzzSonderObjTypen;
    s.houseObjs = kFuzzHouseObjs;
    s.seats.fill(kv::kUnknownSeats);
    for (const auto& [type, seats] : kFuzzSeats) s.seats[type] = seats;
    for (const std::size_t type : kFuzzCannons) s.cannon[type] = true;
    return s;
}

void Fail(int line) {
    std::fprintf(stderr, "fuzz_save.cpp:%d: the staged file breaks its shape\n", line);
    std::abort();
}
#define Check(holds)                  \
    do {                              \
        if (!(holds)) Fail(__LINE__); \
    } while (false)

template <class Staged>
void CheckSlots(const std::vector<Staged>& staged, std::size_t capacity) {
    std::vector<bool> seen(capacity);
    for (const Staged& s : staged) {
        Check(s.slot < capacity && !seen[s.slot]);
        seen[s.slot] = true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    static const kv::SaveShape shape = FixedShape();
    std::vector<std::uint8_t> file(data, data + size);
    kv::ByteWriter trailer;
    trailer.bytes(kv::kSaveTrailerMarker);
    trailer.u32(static_cast<std::uint32_t>(size));
    trailer.u32(kv::Crc32(std::span(data, size)));
    file.insert(file.end(), trailer.data().begin(), trailer.data().end());

    kv::ReadFault why;
    const auto sections = kv::CheckSaveFile(file, why);
    if (!sections) return 0;
    // A shorter input and its trailer are read as a file without one.
    Check(size < kv::kSaveHeaderBytes || sections->size() == size);
    kv::ByteReader in(*sections);
    kv::StagedSave save;
    if (!kv::StageSaveFile(in, shape, save)) {
        Check(!in.ok() && !in.fault().what.empty());
        return 0;
    }
    Check(in.ok() && in.atEnd());
    Check(save.header.mission >= 1 && save.header.mission <= 30 && save.header.partTwo <= 1);
    Check(save.pontonPunkte.size() == shape.pontonPunkte && save.zfWege.size() == shape.zfWege);
    Check(save.houses.size() == shape.houseFloors.size());
    for (std::size_t i = 0; i < save.houses.size(); ++i)
        Check(save.houses[i].floors.size() == shape.houseFloors[i]);
    Check(save.cells.size() == shape.cells && save.cellAnims.size() == shape.cells &&
          save.brandStates.size() == shape.cells);
    CheckSlots(save.fahrzeuge, shape.fahrzeuge);
    CheckSlots(save.personen, shape.personen);
    CheckSlots(save.sonderObjs, shape.sonderObjs);
    CheckSlots(save.houseObjs, shape.houseObjs);
    for (const kv::StagedFahrzeug& v : save.fahrzeuge) {
        const auto type = static_cast<std::size_t>(v.record.type);
        Check(type < kv::kFahrzeugTypCount && shape.seats[type] != kv::kUnknownSeats);
        Check(v.record.seats.size() == shape.seats[type]);
        Check(shape.cannon[type] == (v.record.wasserStrahl != nullptr));
    }
    for (const kv::StagedPerson& p : save.personen)
        Check(p.record.type >= 0 && p.record.type < kv::kPersonTypCount);
    for (const kv::StagedSonderObj& o : save.sonderObjs)
        Check(o.record.type >= 0 && static_cast<std::size_t>(o.record.type) < shape.sonderObjTypen);
    for (const kv::ExplosionSlot& e : save.explosions)
        Check(e.live == 0 || e.animType < shape.sonderObjTypen);
    return 0;
}
