#include <gtest/gtest.h>

#include "platform/core/Persistent.h"
#include "platform/core/Streams.h"
#include "support/TestSupport.h"

using namespace platform;

TEST(Streams, MemoryStreamReadWriteSeek)
{
    TMemoryStream M;
    M.WriteBuffer("abcdef", 6);
    EXPECT_EQ(M.Size(), 6);
    M.SetPosition(2);
    char Buf[8] = {};
    EXPECT_EQ(M.Read(Buf, 8), 4);
    EXPECT_STREQ(Buf, "cdef");
    M.SetPosition(5);
    EXPECT_THROW(M.ReadBuffer(Buf, 2), EReadError);
    M.Seek(-1, soEnd);
    M.WriteBuffer("XY", 2);
    EXPECT_EQ(M.Size(), 7);
}

TEST(Streams, FileStreamRoundTripAndErrors)
{
    testsupport::TTempDir Dir;
    {
        TFileStream F(Dir.File("a.bin"), fmCreate);
        F.WriteBuffer("hello", 5);
    }
    TMemoryStream M;
    M.LoadFromFile(Dir.File("a.bin"));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(M.Memory()), 5), "hello");
    EXPECT_THROW(TFileStream(Dir.File("missing"), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(Dir.Path(), fmOpenRead), EFOpenError);
}

TEST(Persistent, AssignErrorNamesBothClasses)
{
    struct TA : TPersistent {
        std::string ClassName() const override { return "TA"; }
    };
    TA A, B;
    try {
        A.Assign(&B);
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TA to a TA");
    }
}
