#include "media/speech.h"

#include "media/sound_slots.h"

namespace kv {

std::uint8_t UnitSpeech = 0;

void EnableUnitSpeech() {
    UnitSpeech = 1;
}

void DisableUnitSpeech() {
    UnitSpeech = 0;
}

void PlaySpeech(int phrase, int speaker) {
    if (speaker == -1) return;
    // Phrase 0 of speaker 0 is id 0, which never plays: effects start at id 1.
    PlaySoundFx(speaker * kPhraseCount + phrase, kOwnerNone, 0, 0, 0, 0, kSoundDepth);
}

}  // namespace kv
