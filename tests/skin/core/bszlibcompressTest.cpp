#include "skin/core/bszlibcompress.h"

#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <string>

using namespace skin;
using platform::TMemoryStream;
using skintest::Unzlib;
using skintest::Zlib;

namespace {

std::string Sample(size_t ASize)
{
    std::string text;
    for (size_t i = 0; text.size() < ASize; ++i)
        text += "line " + std::to_string(i % 97) + " of a skin\r\n";
    text.resize(ASize);
    return text;
}

std::string Bytes(TMemoryStream& AStream)
{
    return std::string(AStream.Data().begin(), AStream.Data().end());
}

void Put(TMemoryStream& AStream, const std::string& ABytes)
{
    AStream.Clear();
    AStream.WriteBuffer(ABytes.data(), int64_t(ABytes.size()));
}

} // namespace

TEST(ZlibStreams, DeflateAtLevelNineAndInflateBack)
{
    for (size_t size : {size_t(0), size_t(1), size_t(8192), size_t(100000)}) {
        SCOPED_TRACE(size);
        const std::string text = Sample(size);
        TMemoryStream source, packed, unpacked;
        Put(source, text);
        packed.WriteBuffer("ab", 2);
        DeflateMemoryStream(source, packed);
        const std::string data = Bytes(packed).substr(2);
        ASSERT_GE(data.size(), 2u);
        EXPECT_EQ(uint8_t(data[0]), 0x78);
        EXPECT_EQ(uint8_t(data[1]), 0xDA);
        EXPECT_EQ(Unzlib(data, size + 1), text);
        Put(packed, data);
        packed.SetPosition(packed.Size());
        InflateToStream(unpacked, packed);
        EXPECT_EQ(Bytes(unpacked), text);
    }
}

TEST(ZlibStreams, CompressionStreamReportsRateAndProgress)
{
    TMemoryStream dest;
    int progress = 0;
    {
        TCompressionStream stream(clFastest, dest);
        stream.OnProgress = [&](platform::TObject* ASender) {
            EXPECT_EQ(ASender, &stream);
            ++progress;
        };
        EXPECT_EQ(stream.CompressionRate(), 0.0f);
        std::string noise(100000, '\0');
        uint32_t seed = 1;
        for (char& c : noise)
            c = char((seed = seed * 1103515245 + 12345) >> 24);
        stream.WriteBuffer(noise.data(), int64_t(noise.size()));
        EXPECT_EQ(stream.Seek(0, platform::soCurrent), 100000);
        EXPECT_THROW(stream.Seek(1, platform::soCurrent), ECompressionError);
        char byte;
        try {
            stream.Read(&byte, 1);
            FAIL();
        } catch (const ECompressionError& E) {
            EXPECT_STREQ(E.what(), "Invalid stream operation");
        }
    }
    EXPECT_GT(progress, 0);
    EXPECT_EQ(Unzlib(Bytes(dest), 100001).size(), 100000u) << "finished by the destructor";

    const std::string text = Sample(50000);
    TMemoryStream small;
    TCompressionStream stream(clMax, small);
    stream.WriteBuffer(text.data(), int64_t(text.size()));
    stream.Finish();
    EXPECT_GT(stream.CompressionRate(), 90.0f);
    EXPECT_NEAR(stream.CompressionRate(), (1.0 - double(small.Size()) / 50000.0) * 100.0, 0.01);
    EXPECT_THROW(stream.Write("x", 1), ECompressionError) << "nothing after the end";
}

TEST(ZlibStreams, DecompressionStreamReadsSeeksAndStopsAtTheEnd)
{
    const std::string text = Sample(20000);
    TMemoryStream packed;
    Put(packed, Zlib(text) + "trailing bytes after the zlib data");
    packed.SetPosition(0);
    TDecompressionStream stream(packed);
    std::string part(100, '\0');
    ASSERT_EQ(stream.Read(part.data(), 100), 100);
    EXPECT_EQ(part, text.substr(0, 100));
    EXPECT_EQ(stream.Seek(900, platform::soCurrent), 1000);
    EXPECT_EQ(stream.Seek(5000, platform::soBeginning), 5000);
    ASSERT_EQ(stream.Read(part.data(), 100), 100);
    EXPECT_EQ(part, text.substr(5000, 100));
    EXPECT_THROW(stream.Seek(10, platform::soBeginning), EDecompressionError) << "backwards";
    EXPECT_THROW(stream.Seek(-1, platform::soCurrent), EDecompressionError);
    EXPECT_THROW(stream.Seek(0, platform::soEnd), EDecompressionError);
    EXPECT_EQ(stream.Seek(0, platform::soBeginning), 0);
    std::string all(30000, '\0');
    EXPECT_EQ(stream.Read(all.data(), 30000), 20000) << "ends at the end of the zlib data";
    EXPECT_TRUE(stream.Ended());
    EXPECT_EQ(all.substr(0, 20000), text);
    EXPECT_EQ(stream.Read(all.data(), 10), 0);
    EXPECT_THROW(stream.Write("x", 1), EDecompressionError);
}

TEST(ZlibStreams, DamagedDataFailsWithItsReason)
{
    const std::string good = Zlib(Sample(50000));
    struct TCase {
        const char* What;
        std::string Data;
        int64_t MaxSize;
        const char* Message;
    };
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x55;
    const TCase cases[] = {
        {"not zlib", "this is not zlib data", MaxInflatedSize, "compression error"},
        {"damaged in the middle", flipped, MaxInflatedSize, "compression error"},
        {"truncated", good.substr(0, good.size() / 2), MaxInflatedSize, "ends before the end"},
        {"empty", "", MaxInflatedSize, "ends before the end"},
        {"more than allowed", good, 4096, "inflates to more than 4096 bytes"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TMemoryStream packed, unpacked;
        Put(packed, c.Data);
        try {
            InflateToStream(unpacked, packed, c.MaxSize);
            ADD_FAILURE() << "no error";
        } catch (const EDecompressionError& E) {
            EXPECT_NE(std::string(E.what()).find(c.Message), std::string::npos) << E.what();
        }
        EXPECT_LE(unpacked.Size(), std::max<int64_t>(c.MaxSize, 0) + 4096);
    }
}

TEST(ZlibStreams, ResultChecks)
{
    EXPECT_EQ(CheckDeflateResult(Z_STREAM_END), Z_STREAM_END);
    EXPECT_EQ(CheckInflateResult(0), 0);
    try {
        CheckDeflateResult(Z_DATA_ERROR);
        FAIL();
    } catch (const ECompressionError& E) {
        EXPECT_STREQ(E.what(), "error");
    }
    try {
        CheckInflateResult(Z_BUF_ERROR);
        FAIL();
    } catch (const EDecompressionError& E) {
        EXPECT_STREQ(E.what(), "compression error");
    }
}
