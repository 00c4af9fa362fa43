#include "screens/basis_kauf.h"

#include "screens/basis_screen.h"

namespace kv {

// The purchase rules are not in the game yet: nothing can be chosen or bought.
bool CanBuyFahrzeug(std::int16_t) {
    return false;
}

bool IsPersonAssigned(std::uint16_t person) {
    if (person == kNoStaff) return false;
    for (const std::uint16_t entry : BasisScreen.assigned) {
        if (entry == person) return true;
    }
    return false;
}

void BasisPurchaseClick() {}

void ChooseBasisFahrzeug(std::int16_t) {}

void AssignBasisStaff(std::uint16_t) {}

void LoadInfoText(std::int16_t, std::uint8_t) {}

void CommitFahrzeugPurchase(std::int16_t) {}

}  // namespace kv
