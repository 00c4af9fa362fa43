#include "world/data_file.h"

#include <limits>

#include "core/fatal_error.h"
#include "platform/files.h"

namespace kv {

bool DataFile::open(std::string_view gamePath) {
    close();
    auto bytes = ReadFileBytes(gamePath);
    if (!bytes) return false;
    owned_ = std::move(*bytes);
    data_ = owned_;
    open_ = true;
    return true;
}

void DataFile::openBytes(std::span<const std::uint8_t> data) {
    close();
    data_ = data;
    open_ = true;
}

void DataFile::close() {
    owned_ = {};
    data_ = {};
    pos_ = 0;
    open_ = false;
}

int DataFile::get() {
    if (!open_ || pos_ >= data_.size()) return -1;
    return data_[pos_++];
}

namespace {

// A sign, then digits up to the first character that is none ("12-3" is 12, "-" and "" are 0).
// Numbers beyond 32 bits stop at the largest or smallest value instead of wrapping.
std::int32_t ParseField(const char* text, int length) {
    int i = 0;
    const bool negative = length > 0 && text[0] == '-';
    if (negative) i = 1;
    std::int64_t value = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) break;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int32_t Fail(DataFile& file, bool strict, std::string_view message) {
    if (strict) {
        file.close();
        FatalError(message);
    }
    return 0;
}

std::int32_t ReadField(DataFile& file, bool tabEnds, bool strict) {
    char text[kDataFieldMax];
    int length = 0;
    while (true) {
        const int c = file.get();
        if (c < 0) return Fail(file, strict, kDataFileTooShort);
        if (c == '\r') {
            file.get();  // its LF
            break;
        }
        if (c == '\t' && tabEnds) break;
        if ((c >= '0' && c <= '9') || c == '-') {
            if (length == kDataFieldMax) return Fail(file, strict, kDataFieldTooLong);
            text[length++] = static_cast<char>(c);
        }
    }
    return ParseField(text, length);
}

}  // namespace

std::int32_t ReadDataValue(DataFile& file) {
    return ReadField(file, true, true);
}

std::int32_t ReadDataNumber(DataFile& file, bool strict) {
    return ReadField(file, false, strict);
}

void SkipDataValues(DataFile& file, int n) {
    for (int i = 0; i < n && file.isOpen(); ++i) ReadDataValue(file);
}

void SkipDataLines(DataFile& file, int n, bool strict) {
    for (int i = 0; i < n && file.isOpen(); ++i) ReadDataNumber(file, strict);
}

}  // namespace kv
