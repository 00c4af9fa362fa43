// The pictures after a won mission's evaluation: the high-score heading and the table's
// background, and the end picture that closes the campaign.

#include <vector>

#include "generate/topics.h"
#include "screens/end_picture.h"
#include "screens/high_score.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

// The heading's letters in gold over a dark shadow; the rest is transparent.
Canvas HighScoreHeading() {
    constexpr int kScale = 8;
    constexpr std::string_view kTitle = "HIGHSCORES";
    Canvas c(Canvas::textWidth(kTitle, kScale) + kScale, Canvas::textHeight(kScale) + 14);
    c.text(kScale / 2, kScale / 2 + 6, kTitle, kScale, pal::kShadow[0]);
    c.text(0, 6, kTitle, kScale, pal::kGold[4]);
    return c;
}

// A light sheet with a row band for each of the ten rows; the game's text on it is black, the
// typed row red.
Canvas HighScoreBackground() {
    constexpr int kWidth = 500;
    constexpr int kHeight = 380;
    // The first row's text stands 25 pixels into the sheet.
    constexpr int kFirstRow = kHighScoreFirstRowY - kHighBackY;
    Canvas c(kWidth, kHeight, pal::kMedicRamp[3]);
    c.frameRect(0, 0, kWidth, kHeight, pal::kPanelDark.first);
    c.frameRect(2, 2, kWidth - 4, kHeight - 4, pal::kGold[2]);
    for (int i = 0; i < kHighScoreRows; ++i) {
        const int y = kFirstRow - 4 + kHighScoreRowStep * i;
        if (i % 2 == 0) c.fillRect(8, y, kWidth - 16, kHighScoreRowStep - 4, pal::kMedicRamp[5]);
        c.fillRect(8, y + kHighScoreRowStep - 3, kWidth - 16, 1, pal::kGrey[9]);
    }
    // The column of the points.
    c.fillRect(kHighScorePointsX - kHighBackX - 10, 12, 1, kHeight - 24, pal::kGrey[9]);
    return c;
}

// Night over the city: stars, a moon, dark roofs with lit windows, and the closing words.
Canvas EndPicture() {
    Canvas c(800, 600, pal::kShadow[0]);
    const std::uint8_t sky[] = {pal::kShadow[0], pal::kShadow[1], pal::kShadow[2],
                                pal::kTechnicalRamp[0], pal::kTechnicalRamp[1]};
    c.verticalBands(0, 0, 800, 420, sky);
    for (int i = 0; i < 90; ++i) c.set((i * 137) % 800, (i * 71) % 300, pal::kWhite.first);
    c.fillCircle(640, 110, 46, pal::kYellow[5]);
    c.fillCircle(660, 96, 40, pal::kShadow[1]);
    for (int x = 0, n = 0; x < 800; x += 70, ++n) {
        const int h = 90 + (n * 53) % 120;
        c.fillRect(x, 520 - h, 62, h, pal::kShadow[2]);
        for (int wy = 530 - h; wy + 12 < 510; wy += 24)
            for (int wx = x + 8; wx + 10 < x + 58; wx += 18)
                if ((wx / 18 + wy / 24 + n) % 3 == 0) c.fillRect(wx, wy, 10, 12, pal::kYellow[3]);
    }
    c.fillRect(0, 520, 800, 80, pal::kRoad[0]);
    constexpr std::string_view kWords = "ENDE";
    constexpr int kScale = 16;
    const int x = (800 - Canvas::textWidth(kWords, kScale)) / 2;
    c.text(x + 6, 186, kWords, kScale, pal::kShadow[0]);
    c.text(x, 180, kWords, kScale, pal::kGold[5]);
    constexpr std::string_view kThanks =
        "ALLE EINS\xC4"
        "TZE BESTANDEN";  // Windows-1252
    c.text((800 - Canvas::textWidth(kThanks, 3)) / 2, 320, kThanks, 3, pal::kLightGrey.first);
    return c;
}

}  // namespace

bool WriteHighScoreScreens(const OutputTree& out) {
    const std::vector<Canvas> heading{HighScoreHeading()};
    const std::vector<Canvas> background{HighScoreBackground()};
    return out.write(kHighAniPath, MakeVff(heading)) &&
           out.write(kHighBackPath, MakeVff(background)) &&
           out.write(kEndPicturePath, MakeCff(EndPicture(), MakeSamplePalette()));
}

}  // namespace kv::sampledata
