#include "platform/bytes.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"

namespace kv {
namespace {

TEST(ByteReader, ReadsLittleEndianAndNeverPastTheEnd) {
    ByteWriter w;
    w.u16(0x1234);
    w.i32(-2);
    w.f32(1.5f);
    w.u8(9);
    const auto data = w.take();
    ByteReader r(data);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.i32(), -2);
    EXPECT_EQ(r.f32(), 1.5f);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.u32(), 0u) << "only one byte is left";
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.u8(), 0);
}

TEST(ByteReader, BytesAndSeekAreChecked) {
    const std::uint8_t data[] = {1, 2, 3};
    ByteReader r(data);
    std::uint8_t out[4] = {7, 7, 7, 7};
    EXPECT_FALSE(r.bytes(out));
    EXPECT_EQ(out[0], 0) << "a failed copy leaves zeros, not stale bytes";
    ByteReader s(data);
    EXPECT_TRUE(s.seek(3));
    EXPECT_FALSE(s.seek(4));
    ByteReader v(data);
    EXPECT_EQ(v.view(2).size(), 2u);
    EXPECT_TRUE(v.view(2).empty());
    EXPECT_FALSE(v.ok());
}

TEST(ByteReader, KeepsTheFirstFaultAndWhereItArose) {
    const std::uint8_t data[] = {1, 0, 2, 0, 3};
    ByteReader r(data);
    r.u16();
    EXPECT_EQ(r.u16(), 2);
    EXPECT_TRUE(r.fault().what.empty());
    EXPECT_FALSE(r.refuse("count 2 above 1"));
    EXPECT_EQ(r.fault().offset, 2u) << "the field read last";
    EXPECT_EQ(r.fault().what, "count 2 above 1");
    r.u32();
    r.refuseAt(0, "later");
    EXPECT_EQ(r.fault().what, "count 2 above 1") << "the first reason stays";

    ByteReader s(data);
    s.skip(3);
    s.u32();
    EXPECT_EQ(s.fault().offset, 3u);
    EXPECT_EQ(s.fault().what, "4 bytes wanted, only 2 left");
}

TEST(Cp1252, LiteralsAndConversions) {
    EXPECT_STREQ(W("Überprüfen"),
                 "\xDC"
                 "berpr\xFC"
                 "fen");
    EXPECT_STREQ(W("ß€"), "\xDF\x80");
    EXPECT_EQ(Utf8ToCp1252("Ä😀ö"), "\xC4\xF6") << "characters without a byte are dropped";
    EXPECT_EQ(Cp1252ToUtf8("\xC4\x80"), "Ä€");
}

}  // namespace
}  // namespace kv
