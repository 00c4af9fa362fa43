#include "world/data_file.h"

#include <limits>
#include <string>
#include <utility>

#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "platform/files.h"

namespace kv {

DataFile& DataFile::operator=(DataFile&& other) noexcept {
    if (this == &other) return *this;
    const bool ownBytes = other.data_.data() == other.owned_.data();
    owned_ = std::move(other.owned_);
    data_ = ownBytes ? std::span<const std::uint8_t>(owned_) : other.data_;
    pos_ = other.pos_;
    open_ = other.open_;
    name_ = std::move(other.name_);
    other.close();
    return *this;
}

bool DataFile::open(std::string_view gamePath) {
    close();
    auto bytes = ReadFileBytes(gamePath);
    if (!bytes) return false;
    owned_ = std::move(*bytes);
    data_ = owned_;
    open_ = true;
    name_ = std::string(gamePath);
    return true;
}

void DataFile::openBytes(std::span<const std::uint8_t> data, std::string_view name) {
    close();
    data_ = data;
    open_ = true;
    name_ = std::string(name);
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

// The field that began at fieldAt cannot be read. Strict, that closes the file and is fatal.
std::int32_t Fail(DataFile& file, bool strict, std::size_t fieldAt, std::string_view message,
                  std::string why) {
    if (strict) {
        // A read after the file was closed has nothing new to tell.
        if (file.isOpen()) ReportRefusedFile(file.name(), ReadFault{fieldAt, std::move(why)});
        file.close();
        FatalError(message);
    }
    return 0;
}

std::int32_t ReadField(DataFile& file, bool tabEnds, bool strict) {
    char text[kDataFieldMax];
    int length = 0;
    const std::size_t fieldAt = file.position();
    while (true) {
        const int c = file.get();
        if (c < 0)
            return Fail(file, strict, fieldAt, kDataFileTooShort,
                        "the file ends before this field does");
        if (c == '\r') {
            file.get();  // its LF
            break;
        }
        if (c == '\t' && tabEnds) break;
        if ((c >= '0' && c <= '9') || c == '-') {
            if (length == kDataFieldMax)
                return Fail(file, strict, fieldAt, kDataFieldTooLong,
                            "more than " + std::to_string(kDataFieldMax) + " digits and signs");
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
