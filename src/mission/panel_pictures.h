#pragma once
// The pictures of the mission screen's control panels, its cursor and its piece mask, held from
// mission start to mission end, and the minimap's road overlay of the running mission.

#include <array>
#include <cstdint>
#include <string_view>

#include "gfx/image_files.h"
#include "gfx/sprite_blits.h"
#include "platform/cp1252.h"

namespace kv {

extern VffImage* MaskeImages;           // 0: right panel, 1: bottom panel
extern VffImage* MausImages;            // the cursor shapes, by CursorId
extern VffImage* PieceMaskImages;       // 0: the pixels of a map cell in its 48 x 28 box
extern VffImage* MaskPicsImages;        // unit pictures, by panel picture number
extern VffImage* ButsImages;            // the raised command buttons 1..3
extern VffImage* MapButDownImages;      // the map button pressed
extern VffImage* OptionsButDownImages;  // the options button pressed
extern VffImage* ZBalkenImages;         // the two fixed state pictures
extern VffImage* AnzFontImages;         // digits and "GELD"
extern VffImage* AnzFontLittleImages;   // the button labels
extern VffImage* AbdeckImages;          // covers over buttons that offer nothing
extern VffImage* MapWegeImages;         // the road overlay of the minimap

struct PanelPictureFile {
    std::string_view path;
    // The fatal message when the file is missing or unreadable.
    const char* message;
    VffImage** held;
    // A bitmap font must hold every glyph the text drawer uses.
    bool font;
    // The first picture must be at least this large, or the file is refused as if missing.
    std::uint16_t minWidth = 0;
    std::uint16_t minHeight = 0;
};

// In the order the mission start loads them.
inline constexpr std::array<PanelPictureFile, 11> kPanelPictureFiles = {{
    {"graphs\\d\\maske.vff", "file not found: Maske", &MaskeImages, false},
    {"graphs\\maus.vff", "file not found: Maus", &MausImages, false},
    // The drawers read the mask over a map cell's whole 48 x 28 box.
    {"graphs\\piecemsk.vff", W("file not found: Maske für Pieces"), &PieceMaskImages, false,
     kPieceMaskWidth, kPieceMaskHeight},
    {"graphs\\maskpics.vff", "file not found: MASKPICS", &MaskPicsImages, false},
    {"graphs\\buts.vff", "file not found: BUTS.", &ButsImages, false},
    {"graphs\\d\\mapdown.vff", "file not found: MAPBUTDOWN.", &MapButDownImages, false},
    {"graphs\\d\\optdown.vff", "file not found: OPTIONSBUTDOWN.", &OptionsButDownImages, false},
    {"graphs\\d\\zbalken.vff", "file not found: ZBALKEN.", &ZBalkenImages, false},
    {"graphs\\anzfont.vff", "file not found: ANZFONT.", &AnzFontImages, true},
    {"graphs\\anzfontl.vff", "file not found: ANZFONTLITTLE.", &AnzFontLittleImages, true},
    {"graphs\\abdeck.vff", "file not found: ABDECKUNG.", &AbdeckImages, false},
}};

// The map side button is drawn where a click presses it (662..769 x 155..188); its pressed look
// covers the same place. The options button's drawn place and pressed place already agree.
struct SideButtonPlace {
    int x, y, width, height;
};
inline constexpr SideButtonPlace kMapButtonPlace{662, 155, 108, 34};
inline constexpr SideButtonPlace kOptionsButtonDownPlace{660, 352, 107, 58};

// "mapwege\<code>.vff" with the mission's code.
inline constexpr std::string_view kMapWegeFolder = "mapwege\\";
inline constexpr const char* kMapWegeMessage = "file not found: MAPWEGE";

// The eleven panel pictures, then the road overlay of the mission; stops at the first that is
// missing, after its FatalError. False then.
bool LoadPanelPictures(int mission);
// The panel pictures in the order the mission's end frees them.
void FreePanelPictures();
void FreeMapWege();

}  // namespace kv
