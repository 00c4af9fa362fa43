// The pictures of the mission screen: the two panel backgrounds, the cursors, the piece mask, the
// unit pictures of the panels, the buttons and their covers, the state bars, the pressed side
// buttons; the pause picture; mission 1's short opening video.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "generate/person_figures.h"
#include "generate/topics.h"
#include "mission/panel_pictures.h"
#include "mission/pause.h"
#include "vehicles/fahrzeug_sprite_table.h"
#include "world/level_map.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

// The panels around the 640 x 480 view: right of it from (640, 10), below it from (8, 480).
constexpr int kRightPanelWidth = 160;
constexpr int kRightPanelHeight = 470;
constexpr int kBottomPanelWidth = 792;
constexpr int kBottomPanelHeight = 120;
// Cursor frames; the hot spot is pixel (11, 11) of every one.
constexpr int kCursorCount = 34;
constexpr int kCursorSize = 23;
// The picture number the panel shows for mission 3's marked person.
constexpr int kMarkedPersonPicture = 46;

void Bevel(Canvas& c, int x, int y, int w, int h, bool raised) {
    c.fillRect(x, y, w, h, pal::kPanel[raised ? 5 : 2]);
    c.fillRect(x, y, w, 2, pal::kPanel[raised ? 7 : 0]);
    c.fillRect(x, y, 2, h, pal::kPanel[raised ? 7 : 0]);
    c.fillRect(x, y + h - 2, w, 2, pal::kPanel[raised ? 0 : 7]);
    c.fillRect(x + w - 2, y, 2, h, pal::kPanel[raised ? 0 : 7]);
}

std::vector<Canvas> Maske() {
    Canvas right(kRightPanelWidth, kRightPanelHeight, pal::kPanel[3]);
    right.frameRect(0, 0, kRightPanelWidth, kRightPanelHeight, pal::kPanelDark.first);
    // The minimap, the map button, the options button and the money box, where the panel
    // drawing puts them.
    right.fillRect(12, 8, 136, 40, pal::kPanelDark.first);
    Bevel(right, 26, 47, 100, 60, true);
    right.text(46, 70, "KARTE", 2, pal::kLightGrey.first);
    Bevel(right, 20, 342, 107, 58, true);
    right.text(30, 364, "OPTION", 2, pal::kLightGrey.first);
    right.fillRect(30, 420, 100, 42, pal::kPanelDark.first);
    Canvas bottom(kBottomPanelWidth, kBottomPanelHeight, pal::kPanel[3]);
    bottom.frameRect(0, 0, kBottomPanelWidth, kBottomPanelHeight, pal::kPanelDark.first);
    for (int x : {24, 195}) bottom.fillRect(x - 2, 11, 154, 68, pal::kPanelDark.first);
    // The three command buttons, sunken: a label above, the raised strip below lifts a button
    // that is not pressed.
    for (int x : {344, 457, 570}) Bevel(bottom, x, 22, 104, 77, false);
    return {right, bottom};
}

// An arrow for the plain cursor, a cross with the shape's number for the others.
std::vector<Canvas> Cursors() {
    std::vector<Canvas> frames;
    for (int id = 0; id < kCursorCount; ++id) {
        Canvas c(kCursorSize, kCursorSize);
        if (id == 0) {
            for (int i = 0; i < 12; ++i) c.fillRect(11, 11 + i, i / 2 + 1, 1, pal::kWhite.first);
            c.line(11, 11, 11, 23, pal::kBlack.first + 1);
        } else {
            c.line(11, 4, 11, 18, pal::kWhite.first);
            c.line(4, 11, 18, 11, pal::kWhite.first);
            c.text(13, 0, std::to_string(id), 1, pal::kYellow[5]);
        }
        c.set(11, 11, pal::kFireCrewMark.first);
        frames.push_back(std::move(c));
    }
    return frames;
}

// A map cell's own pixels in its 48 x 28 box: each line 32 pixels from 16 - shear.
std::vector<Canvas> PieceMask() {
    Canvas c(48, kCellHeight);
    for (int t = 0; t < kCellHeight; ++t) c.fillRect(16 - RowShear[t], t, kCellWidth, 1, 1);
    return {c};
}

int PanelPictureCount() {
    int highest = std::max(kMarkedPersonPicture, HighestPersonPanelPicture());
    for (const FahrzeugTypRow& s : kFahrzeugTypRows)
        highest = std::max<int>(highest, s.panelPicture);
    return highest + 1;
}

std::vector<Canvas> MaskPics() {
    std::vector<Canvas> frames;
    for (int n = 0; n < PanelPictureCount(); ++n) {
        Canvas c(150, 64, pal::kPanel[1]);
        c.fillRect(4, 14, 142, 46, pal::kConcrete[2 + n % 5]);
        c.text(8, 20, "BILD " + std::to_string(n), 2, pal::kWhite.first);
        frames.push_back(std::move(c));
    }
    return frames;
}

std::vector<Canvas> Buttons(int width, int height, bool raised, std::uint8_t mark) {
    std::vector<Canvas> frames;
    for (int k = 0; k < 3; ++k) {
        Canvas c(width, height);
        Bevel(c, 0, 0, width, height, raised);
        if (mark != 0) c.fillRect(width / 2 - 8 + k * 4, height / 2 - 2, 4, 4, mark);
        frames.push_back(std::move(c));
    }
    return frames;
}

std::vector<Canvas> StateBars() {
    Canvas dead(124, 9, pal::kBlack.first + 1);
    dead.fillRect(0, 3, 124, 3, pal::kGrey[4]);
    Canvas safe(124, 9, pal::kGroupMark.first);
    return {safe, dead};
}

std::vector<Canvas> Pressed(int width, int height) {
    Canvas c(width, height);
    Bevel(c, 0, 0, width, height, false);
    return {c};
}

std::vector<Canvas> ArtFor(const PanelPictureFile& file) {
    if (file.held == &MaskeImages) return Maske();
    if (file.held == &MausImages) return Cursors();
    if (file.held == &PieceMaskImages) return PieceMask();
    if (file.held == &MaskPicsImages) return MaskPics();
    if (file.held == &ButsImages) return Buttons(100, 16, true, pal::kLightGrey.first);
    if (file.held == &MapButDownImages) return Pressed(100, 60);
    if (file.held == &OptionsButDownImages) return Pressed(107, 58);
    if (file.held == &ZBalkenImages) return StateBars();
    if (file.held == &AbdeckImages) return Buttons(105, 52, false, 0);
    return {};
}

// "PAUSE" on a framed panel box, with a transparent margin; it fits over the view at x 208 and
// over the campaign map at x 368.
std::vector<Canvas> PausePicture() {
    constexpr int kWidth = 234;
    constexpr int kHeight = 60;
    constexpr int kMargin = 2;
    constexpr int kScale = 5;
    Canvas c(kWidth, kHeight);
    const int boxWidth = kWidth - 2 * kMargin;
    const int boxHeight = kHeight - 2 * kMargin;
    c.fillRect(kMargin, kMargin, boxWidth, boxHeight, pal::kPanel[3]);
    c.frameRect(kMargin, kMargin, boxWidth, boxHeight, pal::kPanel[7]);
    c.frameRect(kMargin + 2, kMargin + 2, boxWidth - 4, boxHeight - 4, pal::kPanel[0]);
    c.text((kWidth - Canvas::textWidth("PAUSE", kScale)) / 2,
           (kHeight - Canvas::textHeight(kScale)) / 2, "PAUSE", kScale, pal::kWhite.first);
    return {c};
}

}  // namespace

bool WriteMissionScreen(const OutputTree& out) {
    for (const PanelPictureFile& file : kPanelPictureFiles) {
        if (file.font) continue;  // the bitmap fonts are written with the fonts
        if (!out.write(file.path, MakeVff(ArtFor(file)))) return false;
    }
    return out.write(kPausePicture, MakeVff(PausePicture()));
}

}  // namespace kv::sampledata
