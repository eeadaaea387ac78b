#include "core/byte_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// One stream routine, run the three ways, as the file owners do.
struct Record {
    uint8_t kind = 0;
    int32_t amount = 0;
    CStr name;
    int16_t delta = 0;
    uint16_t flags = 0;
    uint32_t id = 0;
    int8_t sign = 0;

    void Stream(CByteStream& s)
    {
        s.U8(kind);
        s.I32(amount);
        s.String(name);
        s.I16(delta);
        s.U16(flags);
        s.U32(id);
        s.I8(sign);
    }
};

}  // namespace

TEST(ByteStreamTest, CountWriteReadRoundTrip)
{
    Record out{7, -2, CStr("abc"), -300, 0xBEEF, 0x01020304, -1};
    CSizeCounter counter;
    EXPECT_TRUE(counter.IsStoring());
    out.Stream(counter);
    EXPECT_EQ(counter.Capacity(), 1u + 4 + 4 + 2 + 2 + 4 + 1);

    std::vector<uint8_t> buffer(counter.Capacity());
    CStreamWriter writer(buffer.data(), counter.Capacity());
    out.Stream(writer);
    EXPECT_FALSE(writer.HasError());
    EXPECT_EQ(writer.Position(), counter.Capacity());
    const std::vector<uint8_t> expected = {0x07, 0xFE, 0xFF, 0xFF, 0xFF, 'a',  'b',  'c',  0x00,
                                           0xD4, 0xFE, 0xEF, 0xBE, 0x04, 0x03, 0x02, 0x01, 0xFF};
    EXPECT_EQ(buffer, expected);

    CStreamReader reader(buffer.data(), static_cast<uint32_t>(buffer.size()));
    EXPECT_FALSE(reader.IsStoring());
    Record in;
    in.Stream(reader);
    EXPECT_FALSE(reader.HasError());
    EXPECT_EQ(in.kind, 7);
    EXPECT_EQ(in.amount, -2);
    EXPECT_EQ(in.name, "abc");
    EXPECT_EQ(in.delta, -300);
    EXPECT_EQ(in.flags, 0xBEEF);
    EXPECT_EQ(in.id, 0x01020304u);
    EXPECT_EQ(in.sign, -1);
    EXPECT_EQ(reader.Version(), 9);
}

TEST(ByteStreamTest, WriterOverrunStoresNothingMore)
{
    uint8_t buffer[5] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    CStreamWriter writer(buffer, 5);
    uint16_t first = 0x1234;
    int32_t tooBig = 0x55667788;
    uint8_t wouldFit = 0x99;
    writer.U16(first);
    writer.I32(tooBig);  // 3 bytes left
    EXPECT_TRUE(writer.HasError());
    writer.U8(wouldFit);  // fits, but the stream has failed
    CStr text("x");
    writer.String(text);
    EXPECT_EQ(writer.Position(), 2u);
    const uint8_t expected[5] = {0x34, 0x12, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 5), std::vector<uint8_t>(expected, expected + 5));
}

TEST(ByteStreamTest, ReaderOverrunLeavesLaterVariablesUnchanged)
{
    const uint8_t bytes[] = {0x01, 0x02, 0x03};
    CStreamReader reader(bytes, 3);
    uint16_t a = 0;
    uint16_t b = 0xFFFF;
    uint8_t c = 0xEE;
    CStr s("keep");
    reader.U16(a);
    reader.U16(b);  // one byte left
    reader.U8(c);
    reader.String(s);
    EXPECT_TRUE(reader.HasError());
    EXPECT_EQ(a, 0x0201);
    EXPECT_EQ(b, 0xFFFF);
    EXPECT_EQ(c, 0xEE);
    EXPECT_EQ(s, "keep");
}

TEST(ByteStreamTest, ReaderStringsAreBoundedByTheBuffer)
{
    struct Case {
        std::vector<uint8_t> bytes;
        bool error;
        const char* text;
        uint32_t position;
    };
    const Case cases[] = {
        {{0x00}, false, "", 1},
        {{'h', 'i', 0x00, 'x'}, false, "hi", 3},
        {{'h', 'i', 'x'}, true, "old", 0},  // no NUL inside the buffer
        {{}, true, "old", 0},
    };
    for (const Case& c : cases) {
        CStreamReader reader(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()));
        CStr value("old");
        reader.String(value);
        EXPECT_EQ(reader.HasError(), c.error);
        EXPECT_EQ(value, c.text);
        EXPECT_EQ(reader.Position(), c.position);
        if (!c.error && value.IsEmpty()) {
            EXPECT_TRUE(value.IsSharedEmpty());
        }
    }
}

TEST(ByteStreamTest, SkipToMovesOnlyForward)
{
    const uint8_t bytes[] = {1, 2, 3, 4, 5, 6};
    CStreamReader reader(bytes, 6);
    uint8_t v = 0;
    reader.SkipTo(3);
    reader.U8(v);
    EXPECT_EQ(v, 4);
    reader.SkipTo(1);  // behind: stays
    reader.U8(v);
    EXPECT_EQ(v, 5);
    reader.SkipTo(100);  // past the end: the next read fails
    EXPECT_FALSE(reader.HasError());
    reader.U8(v);
    EXPECT_TRUE(reader.HasError());
    EXPECT_EQ(v, 5);

    uint8_t out[2] = {};
    CStreamWriter writer(out, 2);
    writer.SkipTo(1);  // writers and counters ignore it
    EXPECT_EQ(writer.Position(), 0u);
    CSizeCounter counter;
    counter.SkipTo(50);
    EXPECT_EQ(counter.Capacity(), 0u);
}
