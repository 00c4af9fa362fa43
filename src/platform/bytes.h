#pragma once
// Little-endian reading and writing of file data, field by field. The reader never reads past its
// data: a read beyond the end yields zero and marks the reader failed, so a loader checks ok()
// once after reading a record instead of before every field. A failed reader remembers the first
// reason and where it arose, for the one who has to mend the file.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

// Why a file was refused: the byte offset of the field at fault and what was wrong with it.
struct ReadFault {
    std::size_t offset = 0;
    std::string what;
};

// For a loader whose caller may want the reason: stores it in why when given, and returns the
// empty Result (false, nullopt) for the loader to return.
template <class Result = bool>
Result RefuseInto(ReadFault* why, std::size_t offset, std::string what) {
    if (why != nullptr) *why = ReadFault{offset, std::move(what)};
    return Result{};
}

class ByteReader {
  public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    bool ok() const { return ok_; }
    // The first failure; empty while the reader is ok.
    const ReadFault& fault() const { return fault_; }
    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }

    // Moves to an absolute offset; an offset past the end fails the reader.
    bool seek(std::size_t offset) {
        if (offset > data_.size()) return tooShort(offset - pos_);
        pos_ = offset;
        return true;
    }
    bool skip(std::size_t count) {
        if (count > remaining()) return tooShort(count);
        fieldAt_ = pos_;
        pos_ += count;
        return true;
    }

    // True when count more bytes are there; else fails as a read of them would. Checked before
    // allocating for a count the data gives, so a lying count costs nothing.
    bool require(std::size_t count) { return count <= remaining() || tooShort(count); }

    // Refuses the data for a reason of the loader's own: the field read last is at fault, or the
    // one at offset. Always false, so a loader can `return in.refuse("...")`.
    bool refuse(std::string what) { return refuseAt(fieldAt_, std::move(what)); }
    bool refuseAt(std::size_t offset, std::string what) {
        if (ok_) fault_ = ReadFault{offset, std::move(what)};
        ok_ = false;
        pos_ = data_.size();
        return false;
    }

    std::uint8_t u8() { return static_cast<std::uint8_t>(unsignedLE(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(unsignedLE(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(unsignedLE(4)); }
    std::int8_t i8() { return static_cast<std::int8_t>(u8()); }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32() {
        const std::uint32_t bits = u32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

    // Copies exactly out.size() bytes, or fails and fills out with zeros.
    bool bytes(std::span<std::uint8_t> out) {
        if (out.size() > remaining()) {
            std::memset(out.data(), 0, out.size());
            return tooShort(out.size());
        }
        if (!out.empty()) std::memcpy(out.data(), data_.data() + pos_, out.size());
        fieldAt_ = pos_;
        pos_ += out.size();
        return true;
    }
    // A view of the next count bytes; empty (and failed) when fewer remain.
    std::span<const std::uint8_t> view(std::size_t count) {
        if (count > remaining()) {
            tooShort(count);
            return {};
        }
        auto v = data_.subspan(pos_, count);
        fieldAt_ = pos_;
        pos_ += count;
        return v;
    }

  private:
    bool tooShort(std::size_t wanted) {
        if (!ok_) return false;
        return refuseAt(pos_, std::to_string(wanted) + " bytes wanted, only " +
                                  std::to_string(data_.size() - pos_) + " left");
    }
    std::uint64_t unsignedLE(std::size_t n) {
        if (n > remaining()) {
            tooShort(n);
            return 0;
        }
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < n; ++i)
            v |= static_cast<std::uint64_t>(data_[pos_ + i]) << (8 * i);
        fieldAt_ = pos_;
        pos_ += n;
        return v;
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    std::size_t fieldAt_ = 0;  // where the last read began
    bool ok_ = true;
    ReadFault fault_;
};

// Reads a file's leading magic text; a mismatch refuses the data with "not \"<magic>\"". False
// when the reader has failed.
inline bool ReadMagic(ByteReader& in, std::string_view magic) {
    const auto read = in.view(magic.size());
    if (in.ok() && !std::equal(read.begin(), read.end(), magic.begin()))
        in.refuse("not \"" + std::string(magic) + "\"");
    return in.ok();
}

class ByteWriter {
  public:
    void u8(std::uint8_t v) { data_.push_back(v); }
    void u16(std::uint16_t v) { unsignedLE(v, 2); }
    void u32(std::uint32_t v) { unsignedLE(v, 4); }
    void i8(std::int8_t v) { u8(static_cast<std::uint8_t>(v)); }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        u32(bits);
    }
    void bytes(std::span<const std::uint8_t> b) { data_.insert(data_.end(), b.begin(), b.end()); }
    void text(std::string_view s) { data_.insert(data_.end(), s.begin(), s.end()); }
    void zeros(std::size_t count) { data_.insert(data_.end(), count, 0); }
    // Overwrites bytes already written, for sizes known only at the end.
    void patchU16(std::size_t offset, std::uint16_t v) {
        for (std::size_t i = 0; i < 2; ++i)
            data_.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * i));
    }
    void patchU32(std::size_t offset, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i)
            data_.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * i));
    }

    std::size_t size() const { return data_.size(); }
    const std::vector<std::uint8_t>& data() const { return data_; }
    std::vector<std::uint8_t> take() { return std::move(data_); }

  private:
    void unsignedLE(std::uint64_t v, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            data_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t> data_;
};

}  // namespace kv
