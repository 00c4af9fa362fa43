#pragma once
// Where the station hall's pictures put what a test looks for.

#include "screens/basis.h"

namespace kv::sampledata {

// The top-left corner of a bay's number: left of the bay, clear of the vehicle drawn on it and of
// the vehicles of the neighbouring bays.
struct PlaceNumberSpot {
    int x, y;
};
constexpr PlaceNumberSpot PlaceNumberAt(const BasisPlace& p) {
    return {p.x - 58, p.y - 10};
}

}  // namespace kv::sampledata
