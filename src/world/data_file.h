#pragma once
// The game's tab-separated text data files (DATAFILE): records are lines ending in CR LF, fields
// end at a TAB. Only digits and '-' are kept, so header lines and names read as 0 or as the digits
// they hold. The reader works on an open file; on an error it closes it and reports through
// FatalError (and on stderr, with the file and the offset), and the caller returns.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

inline constexpr std::string_view kDataFieldTooLong = "String in DATAFILE too long.";
inline constexpr std::string_view kDataFileTooShort = "DATAFILE: number of datas too low.";
// Digits and signs one field may hold; one more is an error.
inline constexpr int kDataFieldMax = 254;

// Move-only: the bytes it reads may be its own, and a copy would read those of the original.
class DataFile {
  public:
    DataFile() = default;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    // The file moves with its place in it; the one moved from is closed.
    DataFile(DataFile&& other) noexcept { *this = std::move(other); }
    DataFile& operator=(DataFile&& other) noexcept;

    // Reads the whole file; false when it cannot be opened.
    bool open(std::string_view gamePath);
    // Reads from bytes the caller keeps alive while the file is open; name is for the messages.
    void openBytes(std::span<const std::uint8_t> data, std::string_view name = "DATAFILE");
    void close();
    bool isOpen() const { return open_; }
    // The next byte, or -1 at the end of the file or once it is closed.
    int get();
    // The offset of the next byte.
    std::size_t position() const { return pos_; }
    const std::string& name() const { return name_; }

  private:
    std::vector<std::uint8_t> owned_;
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool open_ = false;
    std::string name_;
};

// One field, ended by a TAB or a CR (the LF after the CR is dropped too).
std::int32_t ReadDataValue(DataFile& file);
// The rest of the line, up to its CR: a TAB is dropped like any other character. Not strict, it
// returns 0 for a field too long or cut off by the end of the file, without closing the file or
// an error.
std::int32_t ReadDataNumber(DataFile& file, bool strict);
void SkipDataValues(DataFile& file, int n);
void SkipDataLines(DataFile& file, int n, bool strict);

}  // namespace kv
