// The pictures of the mission screen: the two panel backgrounds, the cursors, the piece mask, the
// unit pictures of the panels, the buttons and their covers, the state bars, the pressed side
// buttons; the pause picture; mission 1's short opening video.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/mission_state.h"
#include "generate/person_figures.h"
#include "generate/topics.h"
#include "generate/vehicle_art.h"
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
constexpr int kRightPanelX = 640;
constexpr int kRightPanelY = 10;
constexpr int kRightPanelWidth = 160;
constexpr int kRightPanelHeight = 470;
constexpr int kBottomPanelWidth = 792;
constexpr int kBottomPanelHeight = 120;
// Cursor frames are 23 pixels square.
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
    // The map button, the options button and the money box, where the panel drawing puts them.
    // The panel's top stays plain: nothing is shown there, and an empty dark box read as a clock
    // that never runs.
    const int mapX = kMapButtonPlace.x - kRightPanelX;
    const int mapY = kMapButtonPlace.y - kRightPanelY;
    Bevel(right, mapX, mapY, kMapButtonPlace.width, kMapButtonPlace.height, true);
    right.text(mapX + (kMapButtonPlace.width - Canvas::textWidth("KARTE", 2)) / 2,
               mapY + (kMapButtonPlace.height - Canvas::textHeight(2)) / 2, "KARTE", 2,
               pal::kLightGrey.first);
    Bevel(right, kOptionsButtonDownPlace.x - kRightPanelX, kOptionsButtonDownPlace.y - kRightPanelY,
          kOptionsButtonDownPlace.width, kOptionsButtonDownPlace.height, true);
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

// A cursor shape in white; Outlined() then rims it with a dark line so it reads on any ground.
void Arrow(Canvas& c, int tipX, int tipY, int dx, int dy, std::uint8_t colour) {
    // A head 5 deep and a shaft 3 wide, 10 behind the tip along (dx, dy); measured per pixel so
    // the diagonal ones are as solid as the straight ones.
    const double length = std::hypot(dx, dy);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const double back = -((x - tipX) * dx + (y - tipY) * dy) / length;
            const double side = std::abs((x - tipX) * dy - (y - tipY) * dx) / length;
            const bool head = back >= 0 && back <= 5 && side <= back + 0.5;
            const bool shaft = back >= 0 && back <= 10 && side <= 1.2;
            if (head || shaft) c.set(x, y, colour);
        }
}

int StoreyTop(int storey) {
    return 19 - storey * 3;
}

// A house front: roof and walls, with the storeys up to top filled (-1 none, 4 all).
void House(Canvas& c, int top, std::uint8_t fill) {
    constexpr std::uint8_t white = pal::kWhite.first;
    c.line(3, 6, 11, 0, white);
    c.line(11, 0, 19, 6, white);
    c.frameRect(5, 6, 13, 16, white);
    for (int storey = 0; storey <= top && storey < kCursorStoreys; ++storey)
        c.fillRect(6, StoreyTop(storey), 11, 2, fill);
}

void Outlined(Canvas& c) {
    const Canvas shape = c;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            if (shape.at(x, y) != 0) continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < c.width() && ny < c.height() &&
                        shape.at(nx, ny) != 0)
                        c.set(x, y, pal::kGrey.first);
                }
        }
}

// The scroll directions in the order of their cursor numbers: up, right, down, left, then the
// corners clockwise from the upper right.
constexpr int kScrollDx[8] = {0, 1, 0, -1, 1, 1, -1, -1};
constexpr int kScrollDy[8] = {-1, 0, 1, 0, -1, 1, 1, -1};

// Each cursor shows what a click does there; the hot spot is pixel (11, 11) of every one.
Canvas CursorShape(int id) {
    constexpr std::uint8_t white = pal::kWhite.first;
    Canvas c(kCursorSize, kCursorSize);
    if (id == kCursorPointer) {
        // The plain arrow, its tip on the hot spot.
        for (int r = 0; r < 9; ++r) c.fillRect(11, 11 + r, r * 2 / 3 + 1, 1, white);
        c.fillRect(13, 19, 2, 2, white);
        c.fillRect(14, 21, 2, 2, white);
    } else if (id == kCursorMove || id == kCursorMoveGroup) {
        // A target ring where the unit goes; the group's ring is doubled.
        c.circle(11, 11, 6, white);
        c.fillCircle(11, 11, 1, pal::kYellow[5]);
        if (id == kCursorMoveGroup) c.circle(11, 11, 9, pal::kYellow[5]);
    } else if (id >= kCursorScrollUp && id < kCursorScrollUp + 2 * kCursorAtLimit) {
        // An arrow towards the edge; where the view cannot move on it is grey behind a bar.
        const int d = (id - kCursorScrollUp) % kCursorAtLimit;
        const bool atLimit = id >= kCursorScrollUp + kCursorAtLimit;
        const int dx = kScrollDx[d];
        const int dy = kScrollDy[d];
        const std::uint8_t colour = atLimit ? pal::kGrey[8] : white;
        Arrow(c, 11 + 6 * dx, 11 + 6 * dy, dx, dy, colour);
        if (atLimit) {
            const int bx = 11 + 9 * dx;
            const int by = 11 + 9 * dy;
            c.line(bx + 5 * dy, by - 5 * dx, bx - 5 * dy, by + 5 * dx, pal::kFireBrigadeRed.first);
            c.line(bx + 5 * dy + dx, by - 5 * dx + dy, bx - 5 * dy + dx, by + 5 * dx + dy,
                   pal::kFireBrigadeRed.first);
        }
    } else if (id == kCursorSelect) {
        // The four corners of a selection frame.
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) {
                c.line(11 + 8 * sx, 11 + 8 * sy, 11 + 4 * sx, 11 + 8 * sy, white);
                c.line(11 + 8 * sx, 11 + 8 * sy, 11 + 8 * sx, 11 + 4 * sy, white);
            }
        c.set(11, 11, white);
    } else if (id == kCursorRescue) {
        // An open hand that takes hold: four fingers over a palm, the thumb to the left.
        for (int f = 0; f < 4; ++f) c.fillRect(9 + f * 3, f == 0 || f == 3 ? 5 : 3, 2, 8, white);
        c.fillRect(9, 11, 11, 8, white);
        c.line(5, 12, 8, 15, white);
        c.line(5, 13, 8, 16, white);
    } else if (id == kCursorLand) {
        // A landing pad: an H in a ring.
        c.circle(11, 11, 9, white);
        c.fillRect(7, 6, 2, 11, white);
        c.fillRect(14, 6, 2, 11, white);
        c.fillRect(9, 10, 5, 2, white);
    } else if (id == kCursorWater) {
        // A drop of water.
        c.fillCircle(11, 14, 6, pal::kWater[7]);
        for (int y = 2; y < 12; ++y) {
            const int half = (y - 2) * 6 / 10;
            c.fillRect(11 - half, y, 2 * half + 1, 1, pal::kWater[7]);
        }
        c.fillRect(8, 14, 2, 3, white);
    } else if (id >= kCursorOpenStorey && id < kCursorOpenStorey + kCursorStoreys) {
        // The house shown up to the storey: its lower storeys filled.
        House(c, id - kCursorOpenStorey, pal::kYellow[5]);
    } else if (id >= kCursorChangeStorey && id < kCursorChangeStorey + kCursorStoreys) {
        // Up to another storey: an arrow up the house, the step marked.
        House(c, -1, 0);
        c.fillRect(6, StoreyTop(id - kCursorChangeStorey), 11, 2, pal::kGroupMark.first);
        Arrow(c, 11, 4, 0, -1, pal::kYellow[5]);
    } else if (id == kCursorWholeHouse) {
        House(c, kCursorStoreys - 1, pal::kGlass[3]);
    }
    Outlined(c);
    return c;
}

std::vector<Canvas> Cursors() {
    std::vector<Canvas> frames;
    for (int id = 0; id < kCursorCount; ++id) frames.push_back(CursorShape(id));
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

// The unit the panel shows in picture n: the first person type, else the first vehicle type,
// that names it; drawn on the panel's dark field, a person enlarged facing the player.
Canvas Portrait(int n) {
    Canvas c(150, 64, pal::kPanel[1]);
    c.fillRect(4, 4, 142, 56, pal::kPanelDark.first);
    if (DrawPersonPortrait(c, n)) return c;
    if (n == kMarkedPersonPicture) {
        // Mission 3's marked person: the one being looked for.
        c.text((150 - Canvas::textWidth("?", 6)) / 2, (64 - Canvas::textHeight(6)) / 2, "?", 6,
               pal::kYellow[5]);
        return c;
    }
    for (std::size_t t = 0; t < kFahrzeugTypRows.size(); ++t) {
        const FahrzeugTypRow& row = kFahrzeugTypRows[t];
        if (row.entries == 0 || row.sprites.empty() || row.panelPicture != n) continue;
        // Side on (facing 3, to the right) where the data set has it.
        for (int k = 0; k < kDirectionCount; ++k) {
            const int facing = (3 + k) % kDirectionCount;
            if (!VehiclePictureWanted(static_cast<int>(t), row.sprites[0], facing)) continue;
            const std::vector<Canvas> frames =
                DrawVehiclePicture(static_cast<int>(t), row.sprites[0], facing);
            if (frames.empty()) continue;
            const Canvas& v = frames[0];
            c.draw(v, 75 - v.width() / 2, 32 - v.height() / 2);
            c.fillRect(0, 0, 150, 4, pal::kPanel[1]);
            c.fillRect(0, 60, 150, 4, pal::kPanel[1]);
            return c;
        }
    }
    return c;
}

std::vector<Canvas> MaskPics() {
    std::vector<Canvas> frames;
    for (int n = 0; n < PanelPictureCount(); ++n) frames.push_back(Portrait(n));
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

// A cover lies inside its slot's sunken frame (the cover at x + 3, y + 3 of the slot), so the
// slot shows one frame around an empty well, not a second frame beside the first.
std::vector<Canvas> Covers() {
    constexpr int kWidth = 98;
    constexpr int kHeight = 52;
    std::vector<Canvas> frames;
    for (int k = 0; k < 3; ++k) frames.emplace_back(kWidth, kHeight, pal::kPanel[2]);
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
    if (file.held == &MapButDownImages)
        return Pressed(kMapButtonPlace.width, kMapButtonPlace.height);
    if (file.held == &OptionsButDownImages)
        return Pressed(kOptionsButtonDownPlace.width, kOptionsButtonDownPlace.height);
    if (file.held == &ZBalkenImages) return StateBars();
    if (file.held == &AbdeckImages) return Covers();
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
