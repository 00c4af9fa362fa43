#pragma once
// The save format's view of a record that the save game copies by byte ranges: its fields in
// order with their widths, pointers counted as 4 bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kv {

struct RecordField {
    std::string_view name;
    std::uint16_t width = 0;
};

// The offset of a field; the record's size for an unknown name.
constexpr std::size_t RecordOffset(std::span<const RecordField> fields, std::string_view name) {
    std::size_t offset = 0;
    for (const RecordField& f : fields) {
        if (f.name == name) return offset;
        offset += f.width;
    }
    return offset;
}

}  // namespace kv
