#pragma once
// Pins a stored record's layout: its size and the offset of each named field.

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "core/record_fields.h"

namespace kv::test {

struct FieldAt {
    std::string_view name;
    std::size_t offset;
};

template <class R>
void ExpectLayout(std::size_t size, std::initializer_list<FieldAt> fields) {
    EXPECT_EQ(RecordSize<R>(), size);
    for (const FieldAt& f : fields) {
        FieldOffsetProbe probe(f.name);
        R record{};
        VisitFields(record, probe);
        EXPECT_TRUE(probe.found()) << f.name;
        EXPECT_EQ(probe.offset(), f.offset) << f.name;
    }
}

}  // namespace kv::test
