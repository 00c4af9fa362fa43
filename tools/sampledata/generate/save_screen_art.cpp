// The pictures of the load and save screens: the box with its twelve slot windows, each with a
// strip for its name, and the options panel they are drawn over.

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

// A button of the options panel, at its place on the screen, labelled.
void Button(Canvas& panel, int left, int top, int right, int bottom, std::string_view label) {
    constexpr int kPanelX = 10;
    constexpr int kPanelY = 50;
    const int w = right - left + 1;
    const int h = bottom - top + 1;
    panel.fillRect(left - kPanelX, top - kPanelY, w, h, pal::kPanel[5]);
    panel.frameRect(left - kPanelX, top - kPanelY, w, h, pal::kLightGrey.first);
    panel.text(left - kPanelX + (w - Canvas::textWidth(label, 1)) / 2,
               top - kPanelY + (h - Canvas::textHeight(1)) / 2, label, 1, pal::kWhite.first);
}

// Frame 0 the panel with its buttons; 1..10 the toggles' and knobs' states.
std::vector<Canvas> OptionsPictures() {
    Canvas panel(620, 420, pal::kPanel[2]);
    panel.frameRect(0, 0, 620, 420, pal::kLightGrey.first);
    Button(panel, 92, 393, 176, 423, "LADEN");
    Button(panel, 206, 393, 332, 423, "SPEICHERN");
    Button(panel, 361, 369, 477, 448, "ZURUECK");
    Button(panel, 485, 369, 621, 448, "BEENDEN");
    Button(panel, 98, 430, 226, 465, "NEUSTART");
    Button(panel, 235, 430, 326, 465, "TIPPS");
    std::vector<Canvas> frames{panel};
    for (int f = 1; f <= 10; ++f) {
        Canvas state(24, 14, f % 2 == 1 ? pal::kPoliceGreen.first : pal::kFireBrigadeRed.first);
        state.frameRect(0, 0, 24, 14, pal::kWhite.first);
        frames.push_back(std::move(state));
    }
    return frames;
}

}  // namespace

bool WriteLoadBox(const OutputTree& out) {
    return out.write(kLoadBoxPath, MakeVff(LoadBoxPicture()));
}

bool WriteOptionsPanel(const OutputTree& out) {
    return out.write(kOptionsPicturePath, MakeVff(OptionsPictures()));
}

}  // namespace kv::sampledata
