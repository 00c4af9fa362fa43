#include "media/sound_slots.h"

#include <cmath>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/unit_views.h"
#include "core/view.h"
#include "media/wav_file.h"

namespace kv {

std::array<SoundSlot, kSoundSlotCount> SoundSlots;
std::uint8_t SoundAvailable = 0;

namespace {

struct RelPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

bool ValidId(int id) {
    return id >= 0 && id < kSoundSlotCount;
}

// A position as the 16-bit integer the arithmetic below works in: truncated toward zero, and
// wrapped like a 16-bit store (clamped first, so that a wild float stays defined).
std::int16_t Whole16(float v) {
    if (!(v > -2147483648.0f && v < 2147483648.0f)) return 0;
    return static_cast<std::int16_t>(static_cast<std::int32_t>(v));
}

std::int16_t Sub16(int a, int b) {
    return static_cast<std::int16_t>(a - b);
}

RelPoint FromView(int x, int y) {
    return {Sub16(Sub16(x, ViewOrigin.x), kListenerX), Sub16(Sub16(y, ViewOrigin.y), kListenerY)};
}

UnitHead* OwnerHead(int kind, std::uint16_t index) {
    if (kind == kOwnerFahrzeug) return FahrzeugUnits.at(index);
    if (kind == kOwnerPerson) return PersonUnits.at(index);
    return nullptr;
}

RelPoint UnitPosition(const UnitHead* unit) {
    // Units below the helicopter and aircraft layers (persons in a base) sound at the listener.
    if (unit == nullptr || unit->storey < -2) return {};
    return FromView(Whole16(unit->x), Whole16(unit->y));
}

RelPoint RelativePosition(const SoundSlot& slot) {
    switch (slot.ownerKind) {
        case kOwnerFahrzeug:
        case kOwnerPerson:
            return UnitPosition(OwnerHead(slot.ownerKind, slot.ownerIndex));
        case kOwnerSonderObj: {
            SonderObjPlace o;
            if (!SonderObjPlaces.get(slot.ownerIndex, o)) return {slot.relX, slot.relY};
            const int midX = o.boxX0 + static_cast<std::int16_t>(o.boxX1 - o.boxX0) / 2;
            const int midY = o.boxY0 + static_cast<std::int16_t>(o.boxY1 - o.boxY0) / 2;
            return FromView(static_cast<std::int16_t>(Whole16(o.x) + midX),
                            static_cast<std::int16_t>(Whole16(o.y) + midY));
        }
        case kOwnerMapPoint:
            return FromView(slot.x, slot.y);
        default:
            return {};
    }
}

void Place(SoundSlot& slot) {
    SoundSetPosition(slot.buffer, static_cast<float>(slot.relX) / kSoundUnitsX,
                     static_cast<float>(slot.relY) / kSoundUnitsY, slot.depth);
}

bool Playing(const SoundSlot& slot) {
    bool playing = false;
    return slot.buffer != kNoSoundBuffer && SoundIsPlaying(slot.buffer, playing) && playing;
}

}  // namespace

void ClearSoundSlots() {
    SoundSlots.fill(SoundSlot{});
}

void LoadSounds() {
    if (SoundAvailable == 0) return;
    for (const SoundFile& f : kSoundFiles) {
        LoadWav(f.path.view(), f.id);
        if (FatalErrorRaised()) return;
    }
    const auto own = MissionSounds(MissionNummer);
    for (int k = 0; k < kMissionSoundCount; ++k) {
        if (own[k].empty()) continue;
        LoadWav(own[k], kFirstMissionSound + k);
        if (FatalErrorRaised()) return;
    }
}

void ReleaseSounds() {
    StopAllSounds();
    for (SoundSlot& slot : SoundSlots) {
        SoundReleaseBuffer(slot.buffer);
        slot.buffer = kNoSoundBuffer;
    }
}

int CreateSoundBuffer(int id, const PcmFormat& format, std::span<const std::uint8_t> pcm) {
    if (!ValidId(id)) return 0;
    SoundSlot& slot = SoundSlots[id];
    // Loading over a filled slot would lose its buffer.
    SoundReleaseBuffer(slot.buffer);
    slot.buffer = SoundCreateBuffer(format, pcm);
    return slot.buffer != kNoSoundBuffer ? 1 : 0;
}

void PlaySoundFx(int id, int ownerKind, int ownerIndex, int loop, int x, int y, float depth) {
    const auto index = static_cast<std::uint16_t>(ownerIndex);
    // Callers name "no owner" by kind 0 or -1, or by index -1.
    if (index == 0xFFFF || ownerKind < kOwnerFahrzeug || ownerKind > kOwnerMapPoint)
        ownerKind = kOwnerNone;
    UnitHead* owner = loop == 1 ? OwnerHead(ownerKind, index) : nullptr;
    if (SoundOn != 0 && id >= 1) {
        if (owner != nullptr) {
            if (owner->sound >= 0) StopOwnerSound(ownerKind, index);
            owner->sound = static_cast<std::int16_t>(id);
        }
        StartSoundSlot(id, ownerKind, index, loop, x, y, depth);
    } else if (owner != nullptr) {
        owner->sound = static_cast<std::int16_t>(id);
    }
}

int StartSoundSlot(int id, int ownerKind, int ownerIndex, int loop, int x, int y, float depth) {
    if (!ValidId(id)) return 0;
    if (FatalErrorRaised()) return 1;
    SoundSlot& slot = SoundSlots[id];
    if (slot.buffer == kNoSoundBuffer) return 1;
    bool playing = false;
    if (!SoundIsPlaying(slot.buffer, playing) || playing) return 1;
    slot.ownerKind = static_cast<std::uint8_t>(ownerKind);
    slot.ownerIndex = static_cast<std::uint16_t>(ownerIndex);
    slot.x = static_cast<std::uint16_t>(x);
    slot.y = static_cast<std::uint16_t>(y);
    const RelPoint rel = RelativePosition(slot);
    slot.relX = rel.x;
    slot.relY = rel.y;
    slot.depth = depth;
    Place(slot);
    SoundPlay(slot.buffer, loop == 1);
    return 1;
}

void StopSound(int id) {
    if (!ValidId(id) || !Playing(SoundSlots[id])) return;
    SoundStop(SoundSlots[id].buffer);
    SoundRewind(SoundSlots[id].buffer);
}

void StopAllSounds() {
    for (SoundSlot& slot : SoundSlots)
        if (Playing(slot)) SoundStop(slot.buffer);
}

void StopOwnerSound(int ownerKind, int ownerIndex) {
    const auto index = static_cast<std::uint16_t>(ownerIndex);
    if (index == 0xFFFF) return;
    UnitHead* owner = OwnerHead(ownerKind, index);
    if (owner == nullptr) return;
    StopSound(owner->sound);
    owner->sound = -1;
}

int IsSoundPlaying(int id) {
    return ValidId(id) && Playing(SoundSlots[id]) ? 1 : 0;
}

namespace {

int IsOwnerSoundPlaying(int kind, int index, int id) {
    if (!ValidId(id)) return 0;
    const SoundSlot& slot = SoundSlots[id];
    return slot.ownerKind == kind && slot.ownerIndex == static_cast<std::uint16_t>(index) &&
                   Playing(slot)
               ? 1
               : 0;
}

}  // namespace

int IsPersonSoundPlaying(int person, int id) {
    return IsOwnerSoundPlaying(kOwnerPerson, person, id);
}

int IsFahrzeugSoundPlaying(int vehicle, int id) {
    return IsOwnerSoundPlaying(kOwnerFahrzeug, vehicle, id);
}

void UpdateSoundPositions() {
    if (FatalErrorRaised()) return;
    for (SoundSlot& slot : SoundSlots) {
        if (slot.buffer == kNoSoundBuffer) continue;
        bool playing = false;
        if (!SoundIsPlaying(slot.buffer, playing)) return;
        if (!playing) continue;
        const RelPoint rel = RelativePosition(slot);
        if (rel.x == slot.relX && rel.y == slot.relY) continue;
        slot.relX = rel.x;
        slot.relY = rel.y;
        Place(slot);
    }
}

void UpdateAmbientSound() {
    // Mission 21's burning aircraft engine (special object 7 as type 31) is a fire of its own.
    constexpr int kEngineObject = 7;
    constexpr int kBurningEngineType = 31;
    SonderObjPlace engine;
    const bool engineBurns = MissionNummer == 21 && SonderObjPlaces.get(kEngineObject, engine) &&
                             engine.type == kBurningEngineType;
    if (BurningCellCount > 0 || BurningHouseCount > 0 || BurningSonderObjCount > 0 || engineBurns)
        PlaySoundFx(kSoundFire, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
    else
        StopSound(kSoundFire);
}

void RestartOwnerSounds() {
    if (SoundOn != 0) {
        // Started as they are recorded: a slot that plays for another unit already goes on.
        for (int i = 0; i < FahrzeugUnits.count; ++i) {
            const UnitHead* v = FahrzeugUnits.at(i);
            if (v != nullptr && v->type >= 0 && v->sound >= 0)
                StartSoundSlot(v->sound, kOwnerFahrzeug, i, 1, 0, 0, kSoundDepth);
        }
        for (int i = 0; i < PersonUnits.count; ++i) {
            const UnitHead* p = PersonUnits.at(i);
            if (p != nullptr && p->type >= 0 && p->sound >= 0)
                StartSoundSlot(p->sound, kOwnerPerson, i, 1, 0, 0, kSoundDepth);
        }
    }
    UpdateAmbientSound();
}

}  // namespace kv
