// The load and save screens' box with its twelve slot windows, each with a strip for its name;
// the options panel they are drawn over is the options screen's.

#include <vector>

#include "generate/topics.h"
#include "mission/screen_calls.h"
#include "screens/save_layout.h"
#include "screens/save_screens.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kBoxMargin = 8;
constexpr int kNameStripHeight = 16;
// Room above the windows for the screen's title.
constexpr int kTitleBandTop = 40;
constexpr int kTitleBandHeight = 24;

std::vector<Canvas> LoadBoxPicture() {
    const int columns = kSlotColumns;
    const int rows = kSaveSlotCount / kSlotColumns;
    const int windowsLeft = kSlotX - kLoadBoxX;
    const int windowsTop = kSlotY - kLoadBoxY;
    const int width = windowsLeft + kSlotStepX * (columns - 1) + kSavePreviewWidth + kBoxMargin;
    const int height = windowsTop + kSlotStepY * (rows - 1) + kSavePreviewHeight + 2 +
                       kNameStripHeight + kBoxMargin;
    Canvas box(width, height, pal::kPanel[3]);
    box.frameRect(0, 0, width, height, pal::kLightGrey.first);
    box.frameRect(3, 3, width - 6, height - 6, pal::kPanel[7]);
    box.fillRect(kBoxMargin, kTitleBandTop, width - 2 * kBoxMargin, kTitleBandHeight,
                 pal::kPanelDark.first);
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
        const int x = windowsLeft + kSlotStepX * (slot % columns);
        const int y = windowsTop + kSlotStepY * (slot / columns);
        box.frameRect(x - 1, y - 1, kSavePreviewWidth + 2, kSavePreviewHeight + 2, pal::kPanel[7]);
        box.fillRect(x, y, kSavePreviewWidth, kSavePreviewHeight, pal::kPanelDark.first);
        box.fillRect(x, kSlotNameY - kLoadBoxY - 1 + kSlotStepY * (slot / columns),
                     kSavePreviewWidth + 1, kNameStripHeight, pal::kLightGrey.first);
    }
    return {box};
}

}  // namespace

bool WriteLoadBox(const OutputTree& out) {
    return out.write(kLoadBoxPath, MakeVff(LoadBoxPicture()));
}

}  // namespace kv::sampledata
