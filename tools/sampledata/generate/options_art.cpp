// The options screen's pictures: the panel with its captioned buttons, the sound and music
// toggles, the speed knobs at their three steps, the yes/no box and the hints
// frame.

#include <string>
#include <string_view>
#include <vector>

#include "generate/topics.h"
#include "platform/cp1252.h"
#include "screens/hints.h"
#include "screens/options.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kPanelWidth = 620;
constexpr int kPanelHeight = 420;
constexpr int kToggleWidth = 76;
constexpr int kToggleHeight = 56;
constexpr int kKnobWidth = 40;
constexpr int kKnobHeight = 30;
// The slider tracks run under the knobs, panel-relative.
constexpr int kTrackLeft = 110;
constexpr int kTrackRight = 600;

int PanelX(int screenX) {
    return screenX - kOptionsFramePos[kOptionsPanelFrame].x;
}
int PanelY(int screenY) {
    return screenY - kOptionsFramePos[kOptionsPanelFrame].y;
}

// The caption of each button of the panel, in the table's order.
std::string_view Caption(OptionsHit hit) {
    switch (hit) {
        case OptionsHit::Load:
            return "LADEN";
        case OptionsHit::Save:
            return "SICHERN";
        case OptionsHit::Quit:
            return "ENDE";
        case OptionsHit::Back:
            return W("ZURÜCK");
        case OptionsHit::Restart:
            return "NEUSTART";
        case OptionsHit::Hints:
            return "TIPPS";
        default:
            return "";
    }
}

void CentredText(Canvas& c, const OptionsRect& r, std::string_view text, int scale,
                 std::uint8_t colour) {
    const int x = PanelX(r.left) + (r.right - r.left + 1 - Canvas::textWidth(text, scale)) / 2;
    const int y = PanelY(r.top) + (r.bottom - r.top + 1 - Canvas::textHeight(scale)) / 2;
    c.text(x, y, text, scale, colour);
}

void Track(Canvas& c, int knobScreenY, std::string_view label) {
    const int y = PanelY(knobScreenY) + kKnobHeight / 2;
    c.text(kTrackLeft, PanelY(knobScreenY) - 14, label, 1, pal::kLightGrey.first);
    c.fillRect(kTrackLeft, y - 2, kTrackRight - kTrackLeft, 4, pal::kPanelDark.first);
    for (const int step : {1, 2, 3}) {
        const int x = kTrackLeft + (kTrackRight - kTrackLeft) * (step - 1) / 2;
        c.text(x, y + 18, std::to_string(step), 2, pal::kLightGrey.first);
    }
}

Canvas Panel() {
    Canvas c(kPanelWidth, kPanelHeight, pal::kPanel[3]);
    c.frameRect(0, 0, kPanelWidth, kPanelHeight, pal::kLightGrey.first);
    c.frameRect(3, 3, kPanelWidth - 6, kPanelHeight - 6, pal::kPanel[6]);
    c.text(PanelX(14), PanelY(86), "TON", 1, pal::kLightGrey.first);
    c.text(PanelX(14), PanelY(194), "MUSIK", 1, pal::kLightGrey.first);
    Track(c, kOptionsFramePos[kGameSpeedFrame].y, "SPIELTEMPO");
    Track(c, kOptionsFramePos[kScrollSpeedFrame].y, "SCROLLTEMPO");
    for (const OptionsButtonRect& b : kOptionsButtons) {
        const std::string_view caption = Caption(b.hit);
        if (caption.empty()) continue;
        const OptionsRect& r = b.rect;
        c.fillRect(PanelX(r.left), PanelY(r.top), r.right - r.left + 1, r.bottom - r.top + 1,
                   pal::kPanel[5]);
        c.frameRect(PanelX(r.left), PanelY(r.top), r.right - r.left + 1, r.bottom - r.top + 1,
                    pal::kWhite.first);
        CentredText(c, r, caption, 2, pal::kYellow[5]);
    }
    return c;
}

Canvas Toggle(bool on) {
    Canvas c(kToggleWidth, kToggleHeight, on ? pal::kPoliceGreen.first : pal::kGrey[4]);
    c.frameRect(0, 0, kToggleWidth, kToggleHeight, pal::kWhite.first);
    const std::string_view text = on ? "AN" : "AUS";
    c.text((kToggleWidth - Canvas::textWidth(text, 2)) / 2,
           (kToggleHeight - Canvas::textHeight(2)) / 2, text, 2, pal::kWhite.first);
    return c;
}

Canvas Knob() {
    Canvas c(kKnobWidth, kKnobHeight, pal::kGold[4]);
    c.frameRect(0, 0, kKnobWidth, kKnobHeight, pal::kPanelDark.first);
    c.fillRect(kKnobWidth / 2 - 1, 4, 3, kKnobHeight - 8, pal::kPanelDark.first);
    return c;
}

std::vector<Canvas> OptionsFrames() {
    std::vector<Canvas> frames{Panel(), Toggle(true), Toggle(false), Toggle(true), Toggle(false)};
    for (int i = 0; i < 6; ++i) frames.push_back(Knob());
    return frames;
}

// The box under the options' question, with its two answer buttons.
Canvas YesNoBox() {
    constexpr int kWidth = 410;
    constexpr int kHeight = 220;
    Canvas c(kWidth, kHeight, pal::kPanelDark.first);
    c.frameRect(0, 0, kWidth, kHeight, pal::kWhite.first);
    c.frameRect(3, 3, kWidth - 6, kHeight - 6, pal::kPanel[6]);
    for (const OptionsRect& r : {kYesRect, kNoRect}) {
        const int x = r.left - kYesNoBoxPos.x;
        const int y = r.top - kYesNoBoxPos.y;
        c.fillRect(x, y, r.right - r.left + 1, r.bottom - r.top + 1,
                   r.top == kYesRect.top ? pal::kPoliceGreen.first : pal::kFireBrigadeRed.first);
        c.frameRect(x, y, r.right - r.left + 1, r.bottom - r.top + 1, pal::kWhite.first);
    }
    return c;
}

// The hints frame: a near-black page, where the small font's black glyph boxes hardly show.
Canvas HintsFrame() {
    constexpr int kWidth = 380;
    constexpr int kHeight = 440;
    Canvas c(kWidth, kHeight, pal::kPanel[2]);
    c.frameRect(0, 0, kWidth, kHeight, pal::kWhite.first);
    c.frameRect(3, 3, kWidth - 6, kHeight - 6, pal::kPanel[6]);
    c.fillRect(kHintsTextX - kHintsFrameX - 6, kHintsTextY - kHintsFrameY - 6,
               kHintsColumnWidth + 12, kHeight - (kHintsTextY - kHintsFrameY) - 6,
               pal::kShadow.first);
    return c;
}

}  // namespace

bool WriteOptionsScreens(const OutputTree& out) {
    return out.write(kOptionsPicturePath, MakeVff(OptionsFrames())) &&
           out.write(kYesNoBoxPath, MakeVff(std::vector<Canvas>{YesNoBox()})) &&
           out.write(kHintsPicturePath, MakeVff(std::vector<Canvas>{HintsFrame()}));
}

}  // namespace kv::sampledata
