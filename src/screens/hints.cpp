#include "screens/hints.h"

#include <algorithm>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "gfx/bitmap_text.h"
#include "gfx/frame_buffer.h"
#include "mission/campaign_tables.h"
#include "mission/panel_pictures.h"
#include "platform/files.h"
#include "screens/options.h"
#include "screens/screen_blits.h"
#include "screens/screen_picture.h"

namespace kv {

std::string HintText;
VffImage* HintsImages = nullptr;

namespace {

constexpr std::uint32_t kModeHints = 19;
// The line buffer holds 255 characters and its end mark.
constexpr std::size_t kLineBufferChars = 255;

void FreeHintsPictures() {
    FreeScreenPicture();
    FreeVff(HintsImages);
    HintsImages = nullptr;
}

int GlyphWidth(const VffImage* font, unsigned char c) {
    return font[GlyphOfChar(c)].width;
}

}  // namespace

std::string UpperCaseCp1252(std::string_view text) {
    std::string upper(text);
    for (char& ch : upper) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
            ch = static_cast<char>(c - 0x20);
        } else if (c == 0x9A || c == 0x9C || c == 0x9E) {  // š œ ž
            ch = static_cast<char>(c - 0x10);
        } else if (c == 0xFF) {  // ÿ
            ch = static_cast<char>(0x9F);
        }
    }
    return upper;
}

void DrawWrappedText(int x, int y, std::string_view text, const VffImage* font) {
    if (font == nullptr) return;
    std::string line;
    int pen = x;
    // The last blank of the line: where the text goes on after it, and the line's length with it.
    std::size_t blankResume = 0;
    std::size_t blankLength = 0;
    auto newLine = [&] {
        DrawText(x, y, line, font);
        y += kBitmapTextLineHeight;
        pen = x;
        line.clear();
        blankResume = 0;
        blankLength = 0;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0) break;
        if (c == '\r') {
            newLine();
            ++i;
            if (i < text.size() && text[i] == '\n') ++i;
            continue;
        }
        if (c < ' ') {
            ++i;
            continue;
        }
        line.push_back(static_cast<char>(c));
        pen += GlyphWidth(font, c) + 1;
        if (c == ' ') {
            blankResume = i + 1;
            blankLength = line.size();
        }
        ++i;
        const bool overflows = pen - x > kHintsColumnWidth;
        if (!overflows && line.size() < kLineBufferChars) continue;
        if (blankLength > 0) {
            // Back to just after the blank: the rest of the line is read again.
            line.resize(blankLength);
            i = blankResume;
        } else if (overflows && line.size() > 1) {
            // A word wider than the column is cut where it overflows; the character that did not
            // fit starts the next line.
            line.pop_back();
            --i;
        }
        newLine();
    }
    DrawText(x, y, line, font);
}

void LoadHintText() {
    HintText.clear();
    if (MissionNummer < 1 || MissionNummer > kMissionCount) return;
    // A second part has its own file; without one it shows no hints, not the first part's.
    const std::string path = std::string(kHintsFolder) + MissionCodes[MissionNummer] +
                             (PartTwo != 0 ? "b" : "") + ".dat";
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return;
    const auto end = std::find(bytes->begin(), bytes->end(), std::uint8_t{0});
    HintText = UpperCaseCp1252(std::string(bytes->begin(), end));
}

void OpenHints() {
    FreeHintsPictures();
    if (!LoadScreenPicture(ScreenPicture, kOptionsPicturePath, "file not found: OPTIONS")) return;
    if (!LoadScreenPicture(HintsImages, kHintsPicturePath, "file not found: HINTS")) return;
    LoadHintText();
    CursorId = kNoCursor;
    GameMode = kModeHints;
}

void CloseHints() {
    FreeHintsPictures();
    HintText.clear();
    OpenOptionsScreen();
}

void DrawHintsText() {
    DrawScreenFrame(HintsImages, 0, kHintsFrameX, kHintsFrameY, true);
    // Both fonts come with the mission screen's pictures.
    if (AnzFontImages != nullptr) DrawText(kHintsTitleX, kHintsTitleY, kHintsTitle, AnzFontImages);
    DrawWrappedText(kHintsTextX, kHintsTextY, HintText, AnzFontLittleImages);
}

void DrawHints() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawOptionsScreen();
    DrawHintsText();
    DrawTarget = nullptr;
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    EndFrame();
}

void RunHintsFrame() {
    DrawBehindOptions();
    if (GameMode != kModeHints) return;
    DrawHints();
}

void OnHintsLButtonDown() {
    CloseHints();
}

void OnHintsRButtonDown() {
    CloseHints();
}

void OnHintsKeyDown() {
    CloseHints();
}

void ResetHints() {
    FreeHintsPictures();
    HintText.clear();
}

}  // namespace kv
