#include "screens/auswertung.h"

#include <algorithm>
#include <string>

#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "mission/evaluation.h"
#include "screens/high_score.h"
#include "screens/screen_blits.h"
#include "screens/screen_picture.h"

namespace kv {

VffImage* AuswertungFont = nullptr;

namespace {

constexpr std::uint32_t kModeAuswertung = 18;
constexpr int kHeadingX = 103;
constexpr int kHeadingY = 47;
// The text stands above its bar; the marker sits in the bar.
constexpr int kLineTextAbove = 22;
constexpr int kMarkerBelowBar = 11;
constexpr int kEfficiencyTextY = 310;
constexpr int kEfficiencyBarY = 332;
constexpr int kPointsTextY = 382;

const VffImage* FrameOf(const VffImage* set, std::size_t i) {
    return set != nullptr && i < FrameCount(set) ? &set[i] : nullptr;
}

// A frame the font lacks is a blank one pixel wide.
const VffImage* GlyphOf(unsigned char c) {
    return FrameOf(AuswertungFont, kAuswertungGlyphs[c]);
}
int GlyphAdvance(const VffImage* glyph) {
    return (glyph != nullptr ? glyph->width : 0) + 1;
}

// A line's text up to its end or its 80th byte.
std::string_view LineText(const ResultLine& line) {
    const auto end = std::find(line.text.begin(), line.text.end(), '\0');
    return {line.text.data(), static_cast<std::size_t>(end - line.text.begin())};
}

// The percentage drawn only between 0 and 100.
void DrawBarWithMarker(int barY, std::int32_t percent) {
    DrawScreenPicture(FrameOf(ScreenPicture, kAuswertungBarFrame), kAuswertungBarX, barY, true);
    const std::int32_t p = std::clamp<std::int32_t>(percent, 0, 100);
    DrawScreenPicture(FrameOf(ScreenPicture, kAuswertungMarkerFrame),
                      kAuswertungMarkerX + kAuswertungMarkerSpan * p / 100, barY + kMarkerBelowBar,
                      true);
}

}  // namespace

void ResetAuswertung() {
    FreeScreenPicture();
    FreeVff(AuswertungFont);
    AuswertungFont = nullptr;
}

int AuswertungTextWidth(std::string_view text) {
    int width = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= ' ') width += GlyphAdvance(GlyphOf(c));
    }
    return width;
}

void DrawAuswertungText(int x, int y, std::string_view text) {
    const int left = x;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < ' ') continue;
        if (c == '|') {
            y += kAuswertungRowStep;
            x = left;
            continue;
        }
        const VffImage* glyph = GlyphOf(c);
        DrawScreenPicture(glyph, x, y, true);
        x += GlyphAdvance(glyph);
    }
}

void DrawAuswertungTextCentered(int y, std::string_view text) {
    DrawAuswertungText(kAuswertungPanelX + (kAuswertungColumnWidth - AuswertungTextWidth(text)) / 2,
                       y, text);
}

void OpenAuswertung() {
    ResetAuswertung();
    if (!LoadScreenPicture(ScreenPicture, kAuswertungPath, "file not found: AUSWERTUNG")) return;
    if (!LoadScreenPicture(AuswertungFont, kAuswertungFontPath, "file not found: AUSWERTUNGFONT."))
        return;
    for (ResultLine& line : ResultLines) line.text[0] = '\0';
    EvaluationEfficiency = 0;
    EvaluationPoints = 0;
    // Set before the hook, so that a hook that leaves it out still draws in place.
    EvaluationLineLayout = kResultLineLayout;
    if (MissionNummer >= 1 && MissionNummer <= kMissionCount) {
        const auto hook =
            MissionHook(MissionNummer, &MissionHooks::EvaluateMission, "EvaluateMission");
        if (hook == nullptr) return;
        hook();
    } else {
        ResultLines[0].percent = 0;
    }
    // The click that left the won screen must not also leave this one.
    PumpMessages();
    GameMode = kModeAuswertung;
}

void DrawAuswertung() {
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    DrawScreenPicture(FrameOf(ScreenPicture, kAuswertungPanelFrame), kAuswertungPanelX,
                      kAuswertungPanelY, true);
    DrawAuswertungText(kHeadingX, kHeadingY, "Ergebnis");
    int y = EvaluationLineLayout.firstBarY;
    for (const ResultLine& line : ResultLines) {
        const std::string_view text = LineText(line);
        if (text.empty()) break;
        DrawAuswertungTextCentered(y - kLineTextAbove, text);
        DrawBarWithMarker(y, line.percent);
        y += EvaluationLineLayout.step;
    }
    // The number, then the percent sign: the sign is a glyph of its own.
    DrawAuswertungTextCentered(kEfficiencyTextY,
                               "Effizienz: " + std::to_string(EvaluationEfficiency) + "%");
    DrawBarWithMarker(kEfficiencyBarY, EvaluationEfficiency);
    DrawAuswertungTextCentered(kPointsTextY, "Punkte: " + std::to_string(EvaluationPoints));
    EndFrame();
}

void RunAuswertungFrame() {
    DrawAuswertung();
}

void OnAuswertungLButtonDown() {
    CloseAuswertung();
}

void OnAuswertungKeyDown() {
    CloseAuswertung();
}

void CloseAuswertung() {
    ResetAuswertung();
    OpenHighScore();
}

}  // namespace kv
