#include "screens/basis_kauf.h"

namespace kv {

void LoadInfoText(std::int16_t, std::uint8_t) {}

void CommitFahrzeugPurchase(std::int16_t) {}

}  // namespace kv
