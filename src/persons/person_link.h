#pragma once
// What a person's link field names, decoded in one place by range: a value that fits no kind
// names nobody, so a stale or foreign link never reaches another slot.

#include <cstdint>

#include "persons/personen.h"

namespace kv {

enum class PersonLinkKind : std::uint8_t {
    None,
    Partner,      // the patient, the carried person or the person being led
    Leads,        // 1000 + index: leads that person
    TreatedBy,    // 0x1000 + index: a medic treats it
    OnSonderObj,  // 0x2000 + n: lies on a special object
    RevivedBy,    // 0x3000 + index: being reanimated
};

struct PersonLink {
    PersonLinkKind kind = PersonLinkKind::None;
    // The person named (for OnSonderObj the low 12 bits); -1 for None.
    std::int32_t index = -1;
};

inline constexpr std::uint16_t kLeadsLinkBase = 1000;
inline constexpr std::uint16_t kTreatedByLink = 0x1000;
inline constexpr std::uint16_t kOnSonderObjLink = 0x2000;
inline constexpr std::uint16_t kRevivedByLink = 0x3000;

inline PersonLink DecodePersonLink(std::uint16_t link) {
    if (link == kNoLink) return {};
    const std::int32_t count = PersonCount > 0 ? PersonCount : 0;
    if (link < count) return {PersonLinkKind::Partner, link};
    if (link >= kLeadsLinkBase && link - kLeadsLinkBase < count)
        return {PersonLinkKind::Leads, link - kLeadsLinkBase};
    const std::int32_t low = link & 0x0FFF;
    switch (link & 0xF000) {
        case kTreatedByLink:
            return {PersonLinkKind::TreatedBy, low};
        case kOnSonderObjLink:
            return {PersonLinkKind::OnSonderObj, low};
        case kRevivedByLink:
            return {PersonLinkKind::RevivedBy, low};
        default:
            return {};
    }
}

// The person in use that the link names as a plain partner index; null for any other link.
inline Person* LinkedPartner(std::uint16_t link) {
    const PersonLink l = DecodePersonLink(link);
    return l.kind == PersonLinkKind::Partner ? UsedPersonAt(l.index) : nullptr;
}

}  // namespace kv
