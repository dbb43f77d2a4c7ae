#include <gtest/gtest.h>

#include "core/byte_stream.h"

namespace qm {
namespace {

TEST(ByteReaderTest, SingleBytesReadSignedOrUnsigned) {
    const Bytes bytes = {255, 128, 127, 200};
    ByteReader in(bytes);
    EXPECT_EQ(in.Signed8(), -1);
    EXPECT_EQ(in.Signed8(), -128);
    EXPECT_EQ(in.Signed8(), 127);
    EXPECT_EQ(in.Unsigned8(), 200);
    EXPECT_TRUE(in.AtEnd());
}

TEST(ByteReaderTest, ThirtyTwoBitValuesAreLittleEndian) {
    const Bytes bytes = {0x46, 0x50, 0x52, 0x4A, 0xFF, 0xFF, 0xFF, 0xFF};
    ByteReader in(bytes);
    EXPECT_EQ(in.Uint32(), 0x4A525046u);
    EXPECT_EQ(in.Int32(), -1);
}

TEST(ByteReaderTest, ReadsPastTheEndYieldZero) {
    const Bytes bytes = {0x01, 0x02};
    ByteReader in(bytes);
    EXPECT_EQ(in.Uint32(), 0x0201u);  // the missing high bytes are zero
    EXPECT_EQ(in.Signed8(), 0);
    EXPECT_EQ(in.Int32(), 0);
    std::uint8_t block[3] = {9, 9, 9};
    in.Read(block, 3);
    EXPECT_EQ(block[0] + block[1] + block[2], 0);

    const Bytes empty;
    ByteReader none(empty);
    EXPECT_EQ(none.Unsigned8(), 0);
}

TEST(ByteReaderTest, BlockReadStopsFillingAtTheEnd) {
    const Bytes bytes = {7, 8};
    ByteReader in(bytes);
    in.Skip(1);
    std::uint8_t block[3] = {9, 9, 9};
    in.Read(block, 3);
    EXPECT_EQ(block[0], 8);
    EXPECT_EQ(block[1], 0);
    EXPECT_EQ(block[2], 0);
}

TEST(ByteWriterTest, WritesLowByteAndLittleEndianValuesThatReadBack) {
    ByteWriter out;
    out.Byte(-1);
    out.Byte(0x1A7);
    out.Int32(-2);
    out.Uint32(0x11223344u);
    const Bytes bytes = out.Take();
    ASSERT_EQ(bytes.size(), 10u);
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[1], 0xA7);
    EXPECT_EQ(bytes[6], 0x44);
    EXPECT_EQ(bytes[9], 0x11);

    ByteReader in(bytes);
    EXPECT_EQ(in.Signed8(), -1);
    EXPECT_EQ(in.Unsigned8(), 0xA7);
    EXPECT_EQ(in.Int32(), -2);
    EXPECT_EQ(in.Uint32(), 0x11223344u);
}

}  // namespace
}  // namespace qm
