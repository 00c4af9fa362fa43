#include "movement/searching_movers.h"

namespace kv {

std::uint8_t RecountSearchers = 0;
std::uint8_t SearchingMoverCount = 0;

void ResetSearchingMovers() {
    RecountSearchers = 0;
    SearchingMoverCount = 0;
}

}  // namespace kv
