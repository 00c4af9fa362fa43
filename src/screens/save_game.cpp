#include "screens/save_game.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/refused_file.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "gfx/primitives.h"
#include "mission/screen_calls.h"
#include "persons/personen.h"
#include "platform/crc32.h"
#include "platform/data_folders.h"
#include "platform/files.h"
#include "screens/save_screens.h"
#include "screens/save_sections.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::uint8_t SaveChosenSlot = 255;
std::array<char, kSaveNameBytes> SaveEditName{};
SaveSlotInfo LastSaveSlotInfo;
std::string LastSaveRefusal;

namespace {

constexpr char kCaret = '_';
constexpr std::uint16_t kLoadFailedFrames = 100;

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The slot's header and sections, checked on their own and the trailer taken off; the header
// read.
std::optional<std::vector<std::uint8_t>> ReadCheckedSlot(int slot, SaveHeader& header) {
    LastSaveRefusal.clear();
    const std::string path = ReadBackPath(SaveSlotPath(slot));
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    ReadFault why;
    const auto sections = CheckSaveFile(*bytes, why);
    if (!sections) {
        ReportRefusedFile(path, why);
        LastSaveRefusal = why.what;
        return std::nullopt;
    }
    // The sections are the file's start.
    bytes->resize(sections->size());
    ByteReader in(*bytes);
    ReadRecord(in, header);
    return bytes;
}

void KeepSlotInfo(const SaveHeader& header) {
    std::memcpy(LastSaveSlotInfo.name.data(), header.name.data(), kSaveNameBytes);
    LastSaveSlotInfo.name.back() = 0;
    LastSaveSlotInfo.preview = header.preview;
}

}  // namespace

std::string SaveSlotPath(int slot) {
    return std::to_string(slot + 1) + ".sav";
}

std::optional<std::span<const std::uint8_t>> CheckSaveFile(std::span<const std::uint8_t> file,
                                                           ReadFault& why) {
    const auto refuse = [&why](std::size_t at, std::string what) {
        why = ReadFault{at, std::move(what)};
        return std::nullopt;
    };
    if (file.size() < kSaveHeaderBytes) return refuse(file.size(), "the header is cut short");
    std::span<const std::uint8_t> sections = file;
    const std::size_t trailerAt = file.size() - kSaveTrailerBytes;
    const bool marked = file.size() >= kSaveHeaderBytes + kSaveTrailerBytes &&
                        std::equal(kSaveTrailerMarker.begin(), kSaveTrailerMarker.end(),
                                   file.begin() + static_cast<std::ptrdiff_t>(trailerAt));
    if (marked) {
        if (ReadU32(file, trailerAt + 4) != trailerAt)
            return refuse(trailerAt + 4, "the trailer's length is not the file's");
        sections = file.first(trailerAt);
        if (ReadU32(file, trailerAt + 8) != Crc32(sections))
            return refuse(trailerAt + 8, "the trailer's check does not match");
    } else if (HasNameMark(file.data() + FieldOffset<SaveHeader>("name"))) {
        return refuse(file.size(), "the trailer is missing: the file is cut short");
    }
    ByteReader in(sections);
    const SaveHeader header = ReadRecord<SaveHeader>(in);
    if (header.version != kSaveVersion)
        return refuse(0, "version " + std::to_string(header.version) + ", not 190");
    if (header.mission < 1 || header.mission > kMissionCount)
        return refuse(FieldOffset<SaveHeader>("mission"),
                      "mission " + std::to_string(header.mission));
    if (header.partTwo > 1)
        return refuse(FieldOffset<SaveHeader>("partTwo"),
                      "part two flag " + std::to_string(header.partTwo));
    return sections;
}

std::vector<std::uint8_t> BuildSaveFile(std::string_view name) {
    SaveHeader header;
    const std::size_t length = std::min(name.size(), kNameMarkAt - 1);
    std::memcpy(header.name.data(), name.data(), length);
    std::copy(kSaveNameMarkPathCount.begin(), kSaveNameMarkPathCount.end(),
              header.name.begin() + kNameMarkAt);
    header.preview = SavePreview;
    header.mission = MissionNummer;
    header.partTwo = PartTwo;
    std::vector<std::uint8_t> file = BuildSaveSections(header);
    const auto length32 = static_cast<std::uint32_t>(file.size());
    const std::uint32_t crc = Crc32(file);
    ByteWriter trailer;
    trailer.bytes(kSaveTrailerMarker);
    trailer.u32(length32);
    trailer.u32(crc);
    file.insert(file.end(), trailer.data().begin(), trailer.data().end());
    return file;
}

bool WriteSaveSlot(int slot, std::string_view name) {
    if (slot < 0 || slot >= kSaveSlotCount) return false;
    const std::vector<std::uint8_t> file = BuildSaveFile(name);
    const std::string path = WritePath(SaveSlotPath(slot));
    RemoveStaleTemporaries(path);
    return WriteFileAtomic(path, file);
}

bool WriteSaveGame() {
    const int slot = SaveChosenSlot;
    SaveChosenSlot = 255;
    std::string name(SaveEditName.data(), strnlen(SaveEditName.data(), kSaveNameBytes));
    if (const auto caret = name.rfind(kCaret);
        caret != std::string::npos && caret + 1 == name.size())
        name.pop_back();
    // The screen shows the slot under its new name while the file is written.
    NameSaveSlot(slot, name);
    DrawSaveGame();
    ShowStatusText("Daten werden gesichert...", nullptr);
    const bool written = WriteSaveSlot(slot, name);
    BlankScreen();
    SetPalette(Palette);
    return written;
}

bool ReadSaveSlotInfo(int slot) {
    SaveHeader header;
    if (!ReadCheckedSlot(slot, header)) return false;
    KeepSlotInfo(header);
    return true;
}

bool ReadSaveHeader(int slot) {
    SaveHeader header;
    if (!ReadCheckedSlot(slot, header)) return false;
    ShowStatusText("Spielstand wird geladen...", nullptr);
    KeepSlotInfo(header);
    SavePreview = header.preview;
    MissionNummer = header.mission;
    PartTwo = header.partTwo;
    return true;
}

bool ReadSaveGame(int slot) {
    SaveHeader header;
    const auto sections = ReadCheckedSlot(slot, header);
    if (!sections) return false;
    ByteReader in(*sections);
    StagedSave save;
    bool staged = StageSaveFile(in, CurrentSaveShape(), save);
    if (staged && (save.header.mission != MissionNummer || save.header.partTwo != PartTwo))
        staged = in.refuseAt(FieldOffset<SaveHeader>("mission"), "not the mission started");
    if (!staged) {
        ReportRefusedFile(ReadBackPath(SaveSlotPath(slot)), in.fault());
        LastSaveRefusal = in.fault().what;
        SetMessageLine("Spielstand konnte nicht geladen werden!", kLoadFailedFrames);
        return false;
    }
    ApplySaveGame(save);
    return true;
}

void MakeSavePreview() {
    if (WorkBuffer == nullptr) return;
    constexpr int kViewLeft = 10;
    constexpr int kViewTop = 10;
    ShrinkBy8(WorkBuffer + kViewTop * kScreenWidth + kViewLeft, kScreenWidth, kSavePreviewWidth * 8,
              kSavePreviewHeight * 8, SavePreview.data());
}

SaveShape CurrentSaveShape() {
    SaveShape s;
    s.pontonPunkte = PontonPunkte.size();
    s.zfWege = ZFWege.size();
    for (const House& h : Houses) s.houseFloors.push_back(h.floors.size());
    s.cells = MapCells.size();
    s.personen = Personen.size();
    s.fahrzeuge = Fahrzeuge.size();
    s.sonderObjs = SonderObjs.size();
    s.sonderObjTypen = SonderObjTypen.size();
    s.houseObjs = HouseObjs.size();
    for (std::size_t t = 0; t < kFahrzeugTypCount; ++t) {
        const auto type = static_cast<std::int16_t>(t);
        const int seats = static_cast<std::int8_t>(FahrzeugTypen[t].seats);
        s.seats[t] = !FahrzeugTypLoaded(type) ? kUnknownSeats
                                              : static_cast<std::uint8_t>(std::max(seats, 0));
        s.cannon[t] = FahrzeugTypHasKanone(type);
    }
    return s;
}

}  // namespace kv
