#include "screens/basis_screen.h"

#include "core/campaign.h"
#include "core/options.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_staff.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

BasisScreenState BasisScreen;

namespace {

constexpr std::int8_t kDriveOutFacing = 7;
constexpr std::int8_t kDriveOutFacingSide = 3;  // the helicopter and F111
constexpr float kDriveOutStepX = -1.8181819F;
constexpr float kDriveOutStepY = 3.1818182F;
constexpr float kDriveOutEndY = 550.0F;

}  // namespace

const Basis* OpenBasisRecord() {
    if (BasisScreen.base < 0 || static_cast<std::size_t>(BasisScreen.base) >= Basen.size())
        return nullptr;
    return &Basen[static_cast<std::size_t>(BasisScreen.base)];
}

void BeginBasisScreen(std::int16_t base, std::string_view pathTemplate, std::uint32_t gameMode) {
    BasisScreen.pathTemplate = pathTemplate;
    BasisScreen.base = base;
    BasisScreen.gameMode = gameMode;
    BasisScreen.buttons = {};
    BasisScreen.chosenPlace = -1;
    BasisScreen.previewMoney = Money;
    BasisScreen.infoIndex = -1;
    BasisScreen.infoKind = kInfoNone;
    BasisScreen.infoText.clear();
    BasisScreen.firstFrame = 1;
}

void ChooseBasisInfo(std::int16_t index, std::uint8_t kind, std::int16_t type) {
    if (index == BasisScreen.infoIndex && kind == BasisScreen.infoKind) return;
    BasisScreen.infoText.clear();
    BasisScreen.infoIndex = index;
    BasisScreen.infoKind = kind;
    if (index >= 0) LoadInfoText(type, kind);
}

std::int16_t CreateBasisFahrzeug() {
    const Basis* base = OpenBasisRecord();
    if (base == nullptr || BasisScreen.chosenPlace < 0 ||
        BasisScreen.chosenPlace >= base->placeCount)
        return -1;
    const std::int16_t type = base->places[static_cast<std::size_t>(BasisScreen.chosenPlace)].type;
    const bool side = type == kTypF203 || type == kTypF111;
    const std::int16_t v = CreateFahrzeug(type, base->exitX, base->exitY,
                                          side ? kDriveOutFacingSide : kDriveOutFacing);
    if (v < 0) return -1;
    Fahrzeug& car = Fahrzeuge[static_cast<std::size_t>(v)];
    car.targetable = type == kTypF111 ? 0 : 1;
    car.selectable = 1;
    SetupFahrzeug(v, kOwnerBought);
    car.storey = -5;
    return v;
}

bool DriveBasisFahrzeugOut() {
    Fahrzeug* car = UsedFahrzeugAt(BasisScreen.vehicle);
    if (car == nullptr) return false;
    for (int step = 0; step < GameSpeed; ++step) {
        car->x += kDriveOutStepX;
        car->y += kDriveOutStepY;
        if (car->y > kDriveOutEndY) {
            CommitFahrzeugPurchase(BasisScreen.vehicle);
            const Basis* base = OpenBasisRecord();
            PlaceBasisStaff(base != nullptr ? base->type : 0);
            return true;
        }
    }
    UpdateFahrzeugDrawPos(*car);
    return false;
}

}  // namespace kv
