#include "media/unit_sounds.h"

#include "core/options.h"
#include "core/random.h"
#include "core/unit_views.h"
#include "media/sound_slots.h"

namespace kv {

namespace {

// A casualty this weak has no breath left to scream.
constexpr std::int32_t kScreamEnergy = 100000;

}  // namespace

void PlayPersonSound(int person, int id) {
    const UnitHead* p = PersonUnits.at(person);
    if (p == nullptr || p->type < 0) return;
    if (PersonUnits.casualty != nullptr &&
        PersonUnits.casualty(static_cast<std::int16_t>(person)) && p->energy < kScreamEnergy)
        return;
    const int group = PersonUnits.soundGroup != nullptr
                          ? PersonUnits.soundGroup(static_cast<std::int16_t>(person))
                          : -1;
    if (group < 0 || group >= kScreamVoiceCount) return;
    const int shift = kScreamsPerVoice * group;
    const int s39 = 39 + shift;
    const int s40 = 40 + shift;
    const int s41 = 41 + shift;
    switch (id) {
        case 38:
            // The burning scream plays over whatever the person screams already.
            break;
        case 39:
            if (IsPersonSoundPlaying(person, s40)) StopSound(s40);
            if (IsPersonSoundPlaying(person, s41)) StopSound(s41);
            break;
        case 40:
            if (IsPersonSoundPlaying(person, s39)) return;
            if (IsPersonSoundPlaying(person, s41)) StopSound(s41);
            break;
        case 41:
            if (IsPersonSoundPlaying(person, s39) || IsPersonSoundPlaying(person, s40)) return;
            break;
        default:
            return;
    }
    PlaySoundFx(id + shift, kOwnerPerson, person, 0, 0, 0, kSoundDepth);
}

void PlayHeliSound(int vehicle, int loop) {
    if (SoundOn != 0) {
        int id = kSoundHeli;
        while (id < kSoundHeli + kHeliCopies - 1 && IsSoundPlaying(id)) ++id;
        PlaySoundFx(id, kOwnerFahrzeug, vehicle, loop, 0, 0, kSoundDepth);
        return;
    }
    const int pick = Rand() % kHeliCopies;
    if (UnitHead* v = FahrzeugUnits.at(vehicle))
        v->sound = static_cast<std::int16_t>(kSoundHeli + pick);
}

void PlaySirenSound(int vehicle, int loop) {
    if (SoundOn != 0) {
        if (loop == 0)
            for (int id = kSoundSiren; id < kSoundSiren + kSirenCopies; ++id)
                if (IsFahrzeugSoundPlaying(vehicle, id)) StopSound(id);
        int id = kSoundSiren;
        while (id < kSoundSiren + kSirenCopies - 1 && IsSoundPlaying(id)) ++id;
        PlaySoundFx(id, kOwnerFahrzeug, vehicle, loop, 0, 0, kSoundDepth);
        return;
    }
    const int pick = Rand() & 3;
    if (UnitHead* v = FahrzeugUnits.at(vehicle))
        v->sound = static_cast<std::int16_t>(kSoundSiren + pick);
}

}  // namespace kv
