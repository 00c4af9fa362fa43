#include "mission/panel_pictures.h"

#include <string>

#include "core/fatal_error.h"
#include "gfx/bitmap_text.h"
#include "mission/campaign_tables.h"

namespace kv {

VffImage* MaskeImages = nullptr;
VffImage* MausImages = nullptr;
VffImage* PieceMaskImages = nullptr;
VffImage* MaskPicsImages = nullptr;
VffImage* ButsImages = nullptr;
VffImage* MapButDownImages = nullptr;
VffImage* OptionsButDownImages = nullptr;
VffImage* ZBalkenImages = nullptr;
VffImage* AnzFontImages = nullptr;
VffImage* AnzFontLittleImages = nullptr;
VffImage* AbdeckImages = nullptr;
VffImage* MapWegeImages = nullptr;

namespace {

constexpr std::array<VffImage**, 11> kFreeOrder = {
    &MapButDownImages, &OptionsButDownImages, &ButsImages,      &MaskPicsImages,
    &MaskeImages,      &MausImages,           &PieceMaskImages, &ZBalkenImages,
    &AnzFontImages,    &AnzFontLittleImages,  &AbdeckImages};

void Replace(VffImage*& held, VffImage* set) {
    FreeVff(held);
    held = set;
}

bool LargeEnough(const VffImage* set, const PanelPictureFile& file) {
    return set != nullptr && set[0].width >= file.minWidth && set[0].height >= file.minHeight;
}

}  // namespace

bool LoadPanelPictures(int mission) {
    for (const PanelPictureFile& file : kPanelPictureFiles) {
        Replace(*file.held, file.font ? LoadBitmapFont(file.path) : LoadVff(file.path));
        if (!LargeEnough(*file.held, file)) {
            Replace(*file.held, nullptr);
            FatalError(file.message);
            return false;
        }
    }
    const char* code = mission >= 1 && mission <= kMissionCount
                           ? MissionCodes[static_cast<std::size_t>(mission)]
                           : "";
    Replace(MapWegeImages, LoadVff(std::string(kMapWegeFolder) + code + ".vff"));
    if (MapWegeImages == nullptr) {
        FatalError(kMapWegeMessage);
        return false;
    }
    return true;
}

void FreePanelPictures() {
    for (VffImage** held : kFreeOrder) Replace(*held, nullptr);
}

void FreeMapWege() {
    Replace(MapWegeImages, nullptr);
}

}  // namespace kv
