#pragma once
// One field list per stored record. Each record that a file holds or the save game copies has a
// `VisitFields(record, visitor)` beside its struct that names its fields in stored order:
//
//     template <class V> constexpr void VisitFields(Zone& r, V& v) {
//         v("x1", r.x1); v("y1", r.y1); ... v.pointer("next", r.next); v.pad("spare", 2);
//     }
//
// The offsets, the reader and the writer all come from that one list, so they cannot disagree.
// A field is a number (stored at its own width, little-endian), a std::array of fields, a nested
// record with a VisitFields of its own, a pointer or owned block (`pointer`: 4 bytes, as the save
// format counts them), or padding (`pad`: zero bytes). The widths of the in-memory members are
// the stored widths; pick member types accordingly.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "platform/bytes.h"

namespace kv {

template <class T>
concept StoredNumber = std::is_arithmetic_v<T> || std::is_enum_v<T>;

namespace record_fields_detail {

struct SizeProbe {
    std::size_t size = 0;
    template <class T>
    constexpr void operator()(std::string_view, T&);
    template <class P>
    constexpr void pointer(std::string_view, P&) {
        size += 4;
    }
    constexpr void pad(std::string_view, std::size_t bytes) { size += bytes; }
};

template <class T>
concept StoredRecord = requires(T& r, SizeProbe& v) {
    VisitFields(r, v);
};

template <class T>
constexpr void SizeProbe::operator()(std::string_view, T& field) {
    if constexpr (StoredNumber<T>) {
        size += sizeof(T);
    } else if constexpr (StoredRecord<T>) {
        VisitFields(field, *this);
    } else {
        for (auto& e : field) (*this)("", e);
    }
}

// Whether a pointer field points somewhere: a pointer or owned block set, a list not empty.
template <class P>
constexpr bool PointsSomewhere(const P& p) {
    if constexpr (requires { p.empty(); })
        return !p.empty();
    else
        return p != nullptr;
}

}  // namespace record_fields_detail

// Finds a field's offset: the visitor counts bytes until the named field; nested records and
// array elements count as one field of the outer list.
class FieldOffsetProbe {
  public:
    constexpr explicit FieldOffsetProbe(std::string_view wanted) : wanted_(wanted) {}

    template <class T>
    constexpr void operator()(std::string_view name, T& field) {
        mark(name);
        record_fields_detail::SizeProbe inner;
        inner("", field);
        offset_ += inner.size;
    }
    template <class P>
    constexpr void pointer(std::string_view name, P&) {
        mark(name);
        offset_ += 4;
    }
    constexpr void pad(std::string_view name, std::size_t bytes) {
        mark(name);
        offset_ += bytes;
    }

    constexpr bool found() const { return found_; }
    constexpr std::size_t offset() const { return found_ ? at_ : offset_; }

  private:
    constexpr void mark(std::string_view name) {
        if (!found_ && !name.empty() && name == wanted_) {
            found_ = true;
            at_ = offset_;
        }
    }
    std::string_view wanted_;
    std::size_t offset_ = 0;
    std::size_t at_ = 0;
    bool found_ = false;
};

// Reads the fields in order; pointers are skipped (the loader rebuilds what they point to) and
// padding is skipped. A short read leaves the reader failed and the rest of the fields zero.
class FieldReader {
  public:
    explicit FieldReader(ByteReader& in) : in_(in) {}

    template <class T>
    void operator()(std::string_view, T& field) {
        if constexpr (std::is_same_v<T, float>) {
            field = in_.f32();
        } else if constexpr (std::is_same_v<T, double>) {
            static_assert(!std::is_same_v<T, double>, "no stored record holds a double");
        } else if constexpr (std::is_enum_v<T>) {
            field = static_cast<T>(readInt<std::underlying_type_t<T>>());
        } else if constexpr (StoredNumber<T>) {
            field = readInt<T>();
        } else if constexpr (record_fields_detail::StoredRecord<T>) {
            VisitFields(field, *this);
        } else {
            for (auto& e : field) (*this)("", e);
        }
    }
    template <class P>
    void pointer(std::string_view, P&) {
        in_.skip(4);
    }
    void pad(std::string_view, std::size_t bytes) { in_.skip(bytes); }

  private:
    template <class T>
    T readInt() {
        if constexpr (sizeof(T) == 1) return static_cast<T>(in_.u8());
        if constexpr (sizeof(T) == 2) return static_cast<T>(in_.u16());
        if constexpr (sizeof(T) == 4) return static_cast<T>(in_.u32());
        if constexpr (sizeof(T) == 8)
            return static_cast<T>(static_cast<std::uint64_t>(in_.u32()) |
                                  (static_cast<std::uint64_t>(in_.u32()) << 32));
    }
    ByteReader& in_;
};

// Writes the fields in order; a pointer is written as 1 when it points somewhere, else 0 (the
// save game's "block follows" mark), padding as zeros.
class FieldWriter {
  public:
    explicit FieldWriter(ByteWriter& out) : out_(out) {}

    template <class T>
    void operator()(std::string_view, T& field) {
        if constexpr (std::is_same_v<T, float>) {
            out_.f32(field);
        } else if constexpr (std::is_enum_v<T>) {
            writeInt(static_cast<std::underlying_type_t<T>>(field));
        } else if constexpr (StoredNumber<T>) {
            writeInt(field);
        } else if constexpr (record_fields_detail::StoredRecord<T>) {
            VisitFields(field, *this);
        } else {
            for (auto& e : field) (*this)("", e);
        }
    }
    template <class P>
    void pointer(std::string_view, P& p) {
        out_.u32(record_fields_detail::PointsSomewhere(p) ? 1u : 0u);
    }
    void pad(std::string_view, std::size_t bytes) { out_.zeros(bytes); }

  private:
    template <class T>
    void writeInt(T v) {
        if constexpr (sizeof(T) == 1) out_.u8(static_cast<std::uint8_t>(v));
        if constexpr (sizeof(T) == 2) out_.u16(static_cast<std::uint16_t>(v));
        if constexpr (sizeof(T) == 4) out_.u32(static_cast<std::uint32_t>(v));
        if constexpr (sizeof(T) == 8) {
            out_.u32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
            out_.u32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32));
        }
    }
    ByteWriter& out_;
};

namespace record_fields_detail {
// The record that sizes and offsets are measured on. Only its fields' addresses are taken, never
// their values, so records that own blocks and cannot be built at compile time are measured too.
template <class R>
struct LayoutProbe {
    static R object;
};
template <class R>
R LayoutProbe<R>::object;
}  // namespace record_fields_detail

// The stored size of a record; a constant wherever its field list is constexpr.
template <class R>
constexpr std::size_t RecordSize() {
    record_fields_detail::SizeProbe v;
    VisitFields(record_fields_detail::LayoutProbe<R>::object, v);
    return v.size;
}

// The stored offset of a named field; the record's size for a name it does not have.
template <class R>
constexpr std::size_t FieldOffset(std::string_view name) {
    FieldOffsetProbe v(name);
    VisitFields(record_fields_detail::LayoutProbe<R>::object, v);
    return v.offset();
}

template <class R>
void ReadRecord(ByteReader& in, R& record) {
    FieldReader v(in);
    VisitFields(record, v);
}

template <class R>
R ReadRecord(ByteReader& in) {
    R record{};
    ReadRecord(in, record);
    return record;
}

// The field list takes its record by non-const reference so that one list serves reading and
// writing; the writer only reads through it.
template <class R>
void WriteRecord(ByteWriter& out, const R& record) {
    FieldWriter v(out);
    VisitFields(const_cast<R&>(record), v);
}

}  // namespace kv
