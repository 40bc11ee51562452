#include "skin/core/bsSkinData_StoredSkin.h"

#include "SkinTestSupport.h"
#include "support/SamePicture.h"
#include "support/TestSupport.h"

#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace skin;
using platform::TMemoryStream;
using skintest::BmpFile;
using skintest::ChangeMessages;
using skintest::SkinIni;
using skintest::TDesigned;
using skintest::TRecordingForms;
using skintest::TSkinFolder;
using skintest::Unzlib;
using skintest::Zlib;
using testsupport::ReadFile;
using testsupport::SamePicture;
using testsupport::TTempDir;
using testsupport::WriteFile;

namespace {

std::string Int32(int32_t AValue)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[size_t(i)] = char(uint32_t(AValue) >> (8 * i));
    return bytes;
}

// A payload written field by field; an empty frame string is an empty picture.
struct TPayload {
    int32_t Version = 3;
    std::string Frames[3] = {BmpFile(146, 118, 0x30, true), "", ""};
    std::vector<std::string> Extra; // version 2: whole flag and BMP pairs
    std::vector<std::string> Active = {BmpFile(100, 50, 0x40, true), BmpFile(4, 4, 0x50, true)};
    int32_t Count = -1; // -1: the number of Active
    std::string Ini = SkinIni;

    std::string Bytes() const
    {
        std::string payload = Int32(Version);
        for (const std::string& frame : Frames)
            payload += frame.empty() ? std::string(1, '\1') : std::string(1, '\0') + frame;
        for (const std::string& extra : Extra)
            payload += extra;
        payload += Int32(Count == -1 ? int32_t(Active.size()) : Count);
        for (const std::string& picture : Active)
            payload += picture;
        return payload + Ini;
    }
};

std::string Bytes(TMemoryStream& AStream)
{
    return std::string(AStream.Data().begin(), AStream.Data().end());
}

void Put(TMemoryStream& AStream, const std::string& ABytes)
{
    AStream.Clear();
    AStream.WriteBuffer(ABytes.data(), int64_t(ABytes.size()));
    AStream.SetPosition(0);
}

void StoreZlib(TbsCompressedStoredSkin& AStored, const std::string& AZlib)
{
    TMemoryStream data;
    Put(data, AZlib);
    AStored.ReadCompressedData(data);
}


std::string IniText(TbsSkinData& AData)
{
    platform::TMemIniFile ini("");
    AData.WriteSkinIni(ini);
    return ini.Text();
}

void ExpectSameSkin(TbsSkinData& A, TbsSkinData& B)
{
    EXPECT_FALSE(B.Empty());
    EXPECT_EQ(IniText(A), IniText(B));
    EXPECT_TRUE(SamePicture(*A.FPicture, *B.FPicture));
    EXPECT_TRUE(SamePicture(*A.FInActivePicture, *B.FInActivePicture));
    EXPECT_TRUE(SamePicture(*A.FMask, *B.FMask));
    ASSERT_EQ(A.FActivePictures.size(), B.FActivePictures.size());
    for (size_t i = 0; i < A.FActivePictures.size(); ++i)
        EXPECT_TRUE(SamePicture(*A.FActivePictures[i], *B.FActivePictures[i])) << "active picture " << i;
}

class StoredSkin : public ::testing::Test {
protected:
    TRecordingForms Forms;
    TbsSkinData* Data = new TbsSkinData(Forms.B.get());
    TTempDir Dir;

    // Loads AZlib through a stored skin.
    TbsSkinStatus LoadZlib(const std::string& AZlib)
    {
        TbsCompressedStoredSkin stored(nullptr);
        StoreZlib(stored, AZlib);
        return Data->LoadCompressedStoredSkin(&stored);
    }
};

} // namespace

TEST_F(StoredSkin, FolderThroughACompressedFileIntoTheModel)
{
    const std::string withFrames = [] {
        std::string text = SkinIni;
        text.replace(text.find("inactivepicture=\r\nmask="), 23, "inactivepicture=controls.bmp\r\nmask=more.bmp");
        return text;
    }();
    for (const std::string& ini : {std::string(SkinIni), withFrames}) {
        TSkinFolder folder(ini);
        WriteFile(folder.Dir.File("more.bmp"), BmpFile(146, 118, 0x10, true));
        TbsSkinData fromFolder(nullptr);
        ASSERT_TRUE(fromFolder.LoadFromFile(folder.Ini).Ok());

        TbsCompressedStoredSkin stored(nullptr);
        const TbsSkinStatus built = stored.LoadFromIniFile(folder.Ini);
        ASSERT_TRUE(built.Ok()) << built.Message;
        const std::string file = Dir.File("skin.zsk");
        ASSERT_TRUE(stored.SaveToCompressFile(file).Ok());

        const std::string container = ReadFile(file);
        ASSERT_GT(container.size(), 10u);
        EXPECT_EQ(container.substr(0, 4), Int32(3));
        EXPECT_EQ(container.substr(4, 4), Int32(int32_t(container.size() - 8)));
        EXPECT_EQ(container.substr(8, 2), "\x78\xDA");
        const std::string payload = Unzlib(container.substr(8));
        EXPECT_EQ(payload.substr(0, 4), Int32(3));
        EXPECT_EQ(payload.substr(4, 3), std::string("\0BM", 3));
        EXPECT_NE(payload.find(ini), std::string::npos) << "the INI text is stored as the file holds it";

        Forms.Log.clear();
        const TbsSkinStatus loaded = Data->LoadFromCompressedFile(file);
        ASSERT_TRUE(loaded.Ok()) << loaded.Message;
        EXPECT_EQ(Forms.Log, ChangeMessages());
        ExpectSameSkin(fromFolder, *Data);
        EXPECT_EQ(Data->FActivePicturesNames.CommaText(), "controls.bmp,Sub\\More.BMP");
        EXPECT_EQ(Data->GetControlIndex("lb"), 4);
    }
}

TEST_F(StoredSkin, ModelThroughACompressedFileIntoAnotherModel)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    const std::string file = Dir.File("saved.zsk");
    ASSERT_TRUE(Data->SaveToCompressedFile(file).Ok());
    TbsSkinData again(nullptr);
    const TbsSkinStatus status = again.LoadFromCompressedFile(file);
    ASSERT_TRUE(status.Ok()) << status.Message;
    ExpectSameSkin(*Data, again);
    EXPECT_TRUE(again.FInActivePicture->Empty()) << "flag 1, no bitmap";

    Data->FActivePictures.push_back(NewPicture());
    const TbsSkinStatus refused = Data->SaveToCompressedFile(Dir.File("other.zsk"));
    EXPECT_EQ(refused.Code, TbsSkinStatusCode::Failed);
    EXPECT_NE(refused.Message.find("active picture 2 is empty"), std::string::npos) << refused.Message;
    EXPECT_FALSE(platform::FileExists(Dir.File("other.zsk")));
}

TEST_F(StoredSkin, PayloadVariantsThatLoad)
{
    struct TCase {
        const char* What;
        std::function<void(TPayload&)> Change;
        size_t Pictures;
    };
    const std::string extraPair = std::string(1, '\0') + BmpFile(3, 3) + "\1";
    const TCase cases[] = {
        {"version 2 with two extra pictures", [&](TPayload& P) { P.Version = 2, P.Extra = {extraPair}; }, 2},
        {"version 1", [](TPayload& P) { P.Version = 1; }, 2},
        {"version 0", [](TPayload& P) { P.Version = 0; }, 2},
        {"negative version", [](TPayload& P) { P.Version = -7; }, 2},
        {"no active pictures", [](TPayload& P) { P.Active.clear(); }, 0},
        {"negative count", [](TPayload& P) { P.Active.clear(), P.Count = -3; }, 0},
        {"lines ending in LF", [](TPayload& P) {
             std::string lf;
             for (char c : P.Ini)
                 if (c != '\r')
                     lf += c;
             P.Ini = lf;
         }, 2},
        {"text with a byte order mark", [](TPayload& P) { P.Ini = "\xEF\xBB\xBF" + P.Ini; }, 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TPayload payload;
        c.Change(payload);
        Forms.Log.clear();
        const TbsSkinStatus status = LoadZlib(Zlib(payload.Bytes()));
        ASSERT_TRUE(status.Ok()) << status.Message;
        EXPECT_EQ(Forms.Log, ChangeMessages());
        EXPECT_EQ(Data->FActivePictures.size(), c.Pictures);
        EXPECT_EQ(Data->FActivePicturesNames.Count(), 2) << "names come from the INI text";
        EXPECT_EQ(Data->SkinName, "Test skin");
        EXPECT_EQ(Data->FPicture->Width(), 146);
        EXPECT_EQ(Data->GetControlIndex("panel"), 1);
    }
    EXPECT_TRUE(LoadZlib(Zlib(TPayload().Bytes()) + "bytes after the zlib data").Ok());
}

TEST_F(StoredSkin, MalformedStreamsFailWithoutChangingTheSkin)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    const std::string good = Zlib(TPayload().Bytes());
    auto payload = [](const std::function<void(TPayload&)>& AChange) {
        TPayload p;
        AChange(p);
        return Zlib(p.Bytes());
    };
    std::string hugeBmp = BmpFile(2, 2);
    std::memcpy(&hugeBmp[18], "\xA0\x86\x01\x00\xA0\x86\x01\x00", 8); // 100000 x 100000
    std::string badDepth = BmpFile(2, 2);
    badDepth[28] = 7;
    struct TCase {
        const char* What;
        std::string Zlib;
        TbsSkinStatusCode Code;
        const char* MessagePart;
    };
    const TCase cases[] = {
        {"not zlib data", "not zlib data at all", TbsSkinStatusCode::Failed, "is damaged: compression error"},
        {"zlib data cut short", good.substr(0, good.size() / 2), TbsSkinStatusCode::Failed, "ends before the end"},
        {"payload without a version", Zlib("\3\0"), TbsSkinStatusCode::Failed, "ends before its version"},
        {"newer version", payload([](TPayload& P) { P.Version = 4; }), TbsSkinStatusCode::UnknownVersion,
         "has version 4"},
        {"largest version", payload([](TPayload& P) { P.Version = INT32_MAX; }), TbsSkinStatusCode::UnknownVersion,
         "versions up to 3"},
        {"no picture flag", Zlib(Int32(3)), TbsSkinStatusCode::Failed, "before the flag of the picture"},
        {"picture that is no BMP", payload([](TPayload& P) { P.Frames[0] = "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"; }),
         TbsSkinStatusCode::Failed, "picture: Bitmap image is not valid"},
        {"picture cut short", Zlib(TPayload().Bytes().substr(0, 2000)), TbsSkinStatusCode::Failed,
         "picture: Bitmap image is not valid"},
        {"huge picture", payload([&](TPayload& P) { P.Frames[0] = hugeBmp; }), TbsSkinStatusCode::Failed,
         "picture: "},
        {"inactive picture of an unknown depth", payload([&](TPayload& P) { P.Frames[1] = badDepth; }),
         TbsSkinStatusCode::Failed, "inactive picture: Bitmap image is not valid: unsupported bit count 7"},
        {"mask cut short", Zlib(Int32(3) + std::string("\1\1\0BM", 5)), TbsSkinStatusCode::Failed,
         "mask: Bitmap image is not valid"},
        {"one extra picture of two", Zlib(Int32(2) + "\1\1\1\1"), TbsSkinStatusCode::Failed,
         "flag of the second extra picture"},
        {"no picture count", Zlib(Int32(3) + "\1\1\1"), TbsSkinStatusCode::Failed, "before its active picture count"},
        {"count beyond the pictures", payload([](TPayload& P) { P.Count = 1000; }), TbsSkinStatusCode::Failed,
         "active picture 2 of 1000"},
        {"largest count", payload([](TPayload& P) { P.Count = INT32_MAX; }), TbsSkinStatusCode::Failed,
         "active picture 2 of 2147483647"},
        {"active picture that is no BMP", payload([](TPayload& P) { P.Active[0] = "BMxx"; }),
         TbsSkinStatusCode::Failed, "active picture 0 of 2"},
        {"no INI text", payload([](TPayload& P) { P.Ini.clear(); }), TbsSkinStatusCode::Failed, "INI text lacks"},
        {"malformed value", payload([](TPayload& P) { P.Ini.replace(P.Ini.find("0,0,75,25"), 9, "0,,75,25"); }),
         TbsSkinStatusCode::Failed, "skinrect"},
        {"empty stored skin", "", TbsSkinStatusCode::EmptyStoredSkin, "holds no skin"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Forms.Log.clear();
        Data->SkinName = "current";
        const TbsSkinStatus status = LoadZlib(c.Zlib);
        EXPECT_EQ(status.Code, c.Code);
        EXPECT_NE(status.Message.find(c.MessagePart), std::string::npos) << status.Message;
        EXPECT_NE(status.Message.find("Compressed skin"), std::string::npos) << status.Message;
        EXPECT_TRUE(Forms.Log.empty());
        EXPECT_EQ(Data->SkinName, "current");
        EXPECT_FALSE(Data->Empty());
        EXPECT_FALSE(Data->ChangeSkinDataProcess());
        EXPECT_EQ(Data->FActivePictures.size(), 2u);
    }
}

TEST_F(StoredSkin, Containers)
{
    TbsCompressedStoredSkin stored(nullptr);
    EXPECT_TRUE(stored.Empty());
    TMemoryStream stream;
    stream.WriteBuffer("xx", 2);
    ASSERT_TRUE(stored.SaveToCompressStream(stream).Ok());
    EXPECT_EQ(Bytes(stream), std::string("xx\3\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(stored.SaveToCompressFile(Dir.File("empty.zsk")).Code, TbsSkinStatusCode::EmptyStoredSkin);
    EXPECT_FALSE(platform::FileExists(Dir.File("empty.zsk")));

    const std::string zlib = Zlib(TPayload().Bytes());
    struct TCase {
        const char* What;
        std::string Container;
        TbsSkinStatusCode Code;
        const char* MessagePart;
        bool Empty;
    };
    const TCase cases[] = {
        {"whole", Int32(3) + Int32(int32_t(zlib.size())) + zlib, TbsSkinStatusCode::Done, "", false},
        {"older version", Int32(-2) + Int32(int32_t(zlib.size())) + zlib, TbsSkinStatusCode::Done, "", false},
        {"empty", Int32(3) + Int32(0), TbsSkinStatusCode::Done, "", true},
        {"newer version", Int32(4) + Int32(int32_t(zlib.size())) + zlib, TbsSkinStatusCode::UnknownVersion,
         "has version 4", true},
        {"length past the data", Int32(3) + Int32(int32_t(zlib.size()) + 1) + zlib, TbsSkinStatusCode::Failed,
         "announces", true},
        {"huge length", Int32(3) + Int32(INT32_MAX) + zlib, TbsSkinStatusCode::Failed, "2147483647", true},
        {"negative length", Int32(3) + Int32(-1) + zlib, TbsSkinStatusCode::Failed, "-1", true},
        {"no length", Int32(3) + "\1", TbsSkinStatusCode::Failed, "before its length", true},
        {"no version", "\3\0", TbsSkinStatusCode::Failed, "before its version", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        StoreZlib(stored, "old data");
        Put(stream, c.Container);
        stream.SetPosition(5); // read from the start whatever the position
        const TbsSkinStatus status = stored.LoadFromCompressStream(stream);
        EXPECT_EQ(status.Code, c.Code);
        EXPECT_NE(status.Message.find(c.MessagePart), std::string::npos) << status.Message;
        EXPECT_EQ(stored.Empty(), c.Empty);
        if (!c.Empty) {
            EXPECT_EQ(Bytes(stored.CompressedStream()), zlib);
        }

        const std::string file = Dir.File("container.zsk");
        WriteFile(file, c.Container);
        StoreZlib(stored, "old data");
        const TbsSkinStatus fromFile = stored.LoadFromCompressFile(file);
        EXPECT_EQ(fromFile.Code, c.Code);
        EXPECT_EQ(stored.Empty(), c.Empty);
    }
    const TbsSkinStatus missing = stored.LoadFromCompressFile(Dir.File("missing.zsk"));
    EXPECT_EQ(missing.Code, TbsSkinStatusCode::Failed);
    EXPECT_NE(missing.Message.find("missing.zsk"), std::string::npos);
    EXPECT_EQ(Data->LoadFromCompressedFile(Dir.File("missing.zsk")).Code, TbsSkinStatusCode::Failed);
    WriteFile(Dir.File("empty.zsk"), Int32(3) + Int32(0));
    EXPECT_EQ(Data->LoadFromCompressedFile(Dir.File("empty.zsk")).Code, TbsSkinStatusCode::EmptyStoredSkin);
    EXPECT_TRUE(Forms.Log.empty());
}

TEST_F(StoredSkin, SavingReplacesAFileOnlyWhenWhole)
{
    TbsCompressedStoredSkin stored(nullptr);
    StoreZlib(stored, Zlib(TPayload().Bytes()));
    const std::string file = Dir.File("skin.zsk");
    WriteFile(file, "old");
    ASSERT_TRUE(stored.SaveToCompressFile(file).Ok());
    EXPECT_EQ(ReadFile(file).substr(8), Zlib(TPayload().Bytes()));
    const TbsSkinStatus status = stored.SaveToCompressFile(Dir.File("no/such/folder/skin.zsk"));
    EXPECT_EQ(status.Code, TbsSkinStatusCode::Failed);
    EXPECT_NE(status.Message.find("skin.zsk"), std::string::npos) << status.Message;
}

TEST_F(StoredSkin, BuildingFromAFolderThatIsNoSkinKeepsTheData)
{
    TbsCompressedStoredSkin stored(nullptr);
    StoreZlib(stored, "kept");
    TSkinFolder folder;
    WriteFile(Dir.File("other.ini"), "[VERSION]\r\nskinname=x\r\n");
    EXPECT_EQ(stored.LoadFromIniFile(Dir.File("other.ini")).Code, TbsSkinStatusCode::NotASkin);
    EXPECT_EQ(stored.LoadFromIniFile(Dir.File("missing.ini")).Code, TbsSkinStatusCode::NotASkin);
    platform::DeleteFile(folder.Dir.File("controls.bmp"));
    const TbsSkinStatus broken = stored.LoadFromIniFile(folder.Ini);
    EXPECT_EQ(broken.Code, TbsSkinStatusCode::Failed);
    EXPECT_NE(broken.Message.find("controls.bmp"), std::string::npos) << broken.Message;
    EXPECT_EQ(Bytes(stored.CompressedStream()), "kept");
}

TEST_F(StoredSkin, FileNamesBuildOnlyWhileDesigned)
{
    TSkinFolder folder;
    TbsCompressedStoredSkin stored(nullptr);
    EXPECT_TRUE(stored.SetFileName(folder.Ini).Ok());
    EXPECT_EQ(stored.FileName(), folder.Ini);
    EXPECT_TRUE(stored.Empty()) << "at run time only the name is stored";
    EXPECT_TRUE(stored.SetCompressedFileName(Dir.File("missing.zsk")).Ok());
    EXPECT_TRUE(stored.Empty());

    TDesigned<TbsCompressedStoredSkin> designed;
    EXPECT_TRUE(designed.SetFileName(folder.Ini).Ok());
    EXPECT_EQ(designed.FileName(), "skin.ini");
    EXPECT_FALSE(designed.Empty());
    ASSERT_TRUE(designed.SaveToCompressFile(Dir.File("d.zsk")).Ok());
    TDesigned<TbsCompressedStoredSkin> fromFile;
    EXPECT_TRUE(fromFile.SetCompressedFileName(Dir.File("d.zsk")).Ok());
    EXPECT_EQ(fromFile.CompressedFileName(), "d.zsk");
    EXPECT_EQ(Bytes(fromFile.CompressedStream()), Bytes(designed.CompressedStream()));

    TMemoryStream formData;
    designed.WriteCompressedData(formData);
    EXPECT_EQ(Bytes(formData), Bytes(designed.CompressedStream())) << "the zlib data as it stands";
}
