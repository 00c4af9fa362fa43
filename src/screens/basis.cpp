#include "screens/basis.h"

#include "core/mission_state.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"

namespace kv {

std::array<Basis, kBasisCount> Basen{};

void InitBasen() {
    Basen = kBasisPlates;
    if (MissionNummer == 30) Basen[kSchiffBasisIndex].x = kSchiffBasisXM30;
}

void FreeBasen() {
    Basen = {};
}

// The stations' screen is not in the game yet: the map opens again.
void OpenBasis(std::int16_t) {}

void UpdateBasis() {}

void DrawBasisPanel() {}

void DrawBasisView() {}

void SetBasisCursor() {}

}  // namespace kv
