#pragma once
// A file typed by hand from its layout table, never made by the game's own writers: numbers are
// typed as the bytes they are in the file (little-endian), and at(offset) checks that the next
// piece starts where the table says it does. A reader and a writer that agree with each other but
// not with the table fail against these bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv::test {

class GoldenBytes {
  public:
    // The next piece starts at this offset of the file.
    GoldenBytes& at(std::size_t offset) {
        EXPECT_EQ(bytes_.size(), offset) << "a piece typed before offset " << offset;
        return *this;
    }
    // Characters without a terminator.
    GoldenBytes& text(std::string_view s) {
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        return *this;
    }
    GoldenBytes& bytes(std::initializer_list<std::uint8_t> b) {
        bytes_.insert(bytes_.end(), b.begin(), b.end());
        return *this;
    }
    GoldenBytes& zeros(std::size_t count) {
        bytes_.insert(bytes_.end(), count, 0);
        return *this;
    }

    const std::vector<std::uint8_t>& data() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    operator std::span<const std::uint8_t>() const { return bytes_; }
    std::string str() const { return std::string(bytes_.begin(), bytes_.end()); }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace kv::test
