#pragma once
// The 85 sound slots of a mission: loaded at its start, played by id, placed around a listener
// near the bottom middle of the world view. A sound may follow a vehicle, a person, a special
// object or a map point; looping sounds of vehicles and persons are recorded in their sound
// field so that they can be started again after sound was off or a screen was left.

#include <array>
#include <cstdint>
#include <span>

#include "media/sound_table.h"
#include "platform/sound.h"

namespace kv {

enum SoundOwnerKind : std::uint8_t {
    kOwnerNone = 0,
    kOwnerFahrzeug = 1,
    kOwnerPerson = 2,
    kOwnerSonderObj = 3,
    kOwnerMapPoint = 4,
};

struct SoundSlot {
    SoundBuffer buffer = kNoSoundBuffer;  // none: the slot is empty
    std::uint8_t ownerKind = kOwnerNone;
    std::uint16_t ownerIndex = 0;  // not read for a map point
    // The position last given to the buffer, in pixels relative to the listener.
    std::int16_t relX = 0;
    std::int16_t relY = 0;
    // The map point of an owner of kind 4.
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    float depth = 0;
};
extern std::array<SoundSlot, kSoundSlotCount> SoundSlots;
// 1 when the sound device is open.
extern std::uint8_t SoundAvailable;

// The listener, relative to ViewOrigin; a sound at (dx, dy) from it is placed at
// (dx / 300, dy / 600, depth).
inline constexpr int kListenerX = 320;
inline constexpr int kListenerY = 470;
inline constexpr float kSoundUnitsX = 300.0f;
inline constexpr float kSoundUnitsY = 600.0f;
// The depth every caller passes.
inline constexpr float kSoundDepth = -0.5f;

// At start-up: every slot empty, without releasing anything.
void ClearSoundSlots();
// The slots of the current mission; nothing without a sound device. Stops at a missing file.
void LoadSounds();
// Stops every sound and releases every buffer.
void ReleaseSounds();
// Puts a buffer of that PCM into slot id, releasing what the slot held. 1 on success, 0 when the
// buffer cannot be made (the slot is then empty).
int CreateSoundBuffer(int id, const PcmFormat& format, std::span<const std::uint8_t> pcm);

// The one entry for effects. An owner index of -1 (65535) means no owner; loop 1 loops and, for a
// vehicle or a person, records the id in its sound field.
void PlaySoundFx(int id, int ownerKind, int ownerIndex, int loop, int x, int y, float depth);
// Places and starts a slot unless it is empty or plays already. 0 for an id outside 0..84.
int StartSoundSlot(int id, int ownerKind, int ownerIndex, int loop, int x, int y, float depth);

// Stops and rewinds.
void StopSound(int id);
// Stops every playing slot where it is.
void StopAllSounds();
// Stops the sound recorded in a vehicle's (1) or person's (2) sound field and clears the field.
void StopOwnerSound(int ownerKind, int ownerIndex);

int IsSoundPlaying(int id);
int IsPersonSoundPlaying(int person, int id);
int IsFahrzeugSoundPlaying(int vehicle, int id);

// Each simulation tick: sends the playing sounds' positions that changed.
void UpdateSoundPositions();
// Each mission frame: loops the fire sound while anything burns.
void UpdateAmbientSound();
// The looping sounds recorded in vehicles and persons play again.
void RestartOwnerSounds();

}  // namespace kv
