#include "mission/input/click_fixture.h"

#include <gtest/gtest.h>

#include "core/view.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "media/speech.h"
#include "mission/input/mission_click.h"
#include "mission/selection.h"
#include "platform/sound.h"
#include "support/sound_log.h"

namespace kv::test {

void ClickTest::SetUp() {
    CursorTest::SetUp();
    ASSERT_TRUE(SoundOpen());
    SoundAvailable = 1;
    FillSoundSlotsWithTones();
    UnitSpeech = 1;
}

void ClickTest::TearDown() {
    ReleaseSounds();
    CursorTest::TearDown();
}

void ClickTest::Drag(int pressX, int pressY, int releaseX, int releaseY) {
    MouseDownPoint = {pressX, pressY};
    DragActive = 1;
    HandleMissionClick(0, releaseX - ViewOrigin.x, releaseY - ViewOrigin.y);
}

std::vector<int> ClickTest::played() const {
    return PlayedSoundIds(backend.sound);
}

void ClickTest::quiet() {
    StopAllSounds();
    backend.sound.clearCalls();
}

int ClickTest::Phrase(const UnitTypHead& type, int phrase) {
    return type.speaker * kPhraseCount + phrase;
}

}  // namespace kv::test
