// The pictures of the mission's end: the failed and won banners, the evaluation's panel, bar and
// marker, and the evaluation font with one glyph per frame of the game's glyph table.

#include <string>
#include <vector>

#include "generate/topics.h"
#include "screens/auswertung.h"
#include "screens/mission_end.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kGlyphScale = 2;
constexpr int kGlyphHeight = 7 * kGlyphScale;
constexpr int kBlankWidth = 6;

std::vector<Canvas> Banner(std::string_view text, std::uint8_t box, std::uint8_t edge) {
    constexpr int kWidth = 384;
    constexpr int kHeight = 90;
    Canvas c(kWidth, kHeight, box);
    c.frameRect(0, 0, kWidth, kHeight, edge);
    c.frameRect(3, 3, kWidth - 6, kHeight - 6, edge);
    c.text((kWidth - Canvas::textWidth(text, 3)) / 2, (kHeight - Canvas::textHeight(3)) / 2, text,
           3, pal::kWhite.first);
    return {c};
}

std::vector<Canvas> AuswertungPictures() {
    Canvas panel(530, 380, pal::kPanel[2]);
    panel.frameRect(0, 0, 530, 380, pal::kLightGrey.first);
    panel.frameRect(2, 2, 526, 376, pal::kPanel[6]);
    panel.fillRect(40, 24, 450, 2, pal::kPanel[6]);
    Canvas bar(330, 22, pal::kGrey[3]);
    bar.frameRect(0, 0, 330, 22, pal::kLightGrey.first);
    // Red on the left to green on the right, where the marker's 0 and 100 stand.
    bar.fillRect(18, 6, 148, 10, pal::kFireBrigadeRed.first);
    bar.fillRect(166, 6, 148, 10, pal::kPoliceGreen.first);
    Canvas marker(8, 12, pal::kYellow[5]);
    marker.frameRect(0, 0, 8, 12, pal::kPanelDark.first);
    return {panel, bar, marker};
}

// The character a frame shows: the first code the table gives that frame.
unsigned char GlyphCharacter(int frame) {
    for (int c = '!'; c < 256; ++c)
        if (kAuswertungGlyphs[static_cast<std::size_t>(c)] == frame)
            return static_cast<unsigned char>(c);
    return ' ';
}

std::vector<Canvas> AuswertungFontFrames() {
    std::vector<Canvas> frames;
    frames.emplace_back(kBlankWidth, kGlyphHeight);
    for (int f = 1; f < kAuswertungGlyphCount; ++f) {
        const std::string text(1, static_cast<char>(GlyphCharacter(f)));
        Canvas c(Canvas::textWidth(text, kGlyphScale), kGlyphHeight);
        c.text(0, 0, text, kGlyphScale, pal::kWhite.first);
        frames.push_back(std::move(c));
    }
    return frames;
}

}  // namespace

bool WriteEndScreens(const OutputTree& out) {
    return out.write(kFailedBannerPath,
                     MakeVff(Banner("EINSATZ GESCHEITERT", pal::kFireBrigadeDark.first,
                                    pal::kFireBrigadeRed.first))) &&
           out.write(kWellDoneBannerPath,
                     MakeVff(Banner("EINSATZ ERFOLGREICH", pal::kPoliceGreen.first,
                                    pal::kWhite.first))) &&
           out.write(kAuswertungPath, MakeVff(AuswertungPictures())) &&
           out.write(kAuswertungFontPath, MakeVff(AuswertungFontFrames()));
}

}  // namespace kv::sampledata
