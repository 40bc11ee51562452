#include "skin/core/bsSkinData_StoredSkin.h"

#include "skin/core/bszlibcompress.h"

#include "platform/core/CodePage.h"
#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"

#include <cstdio>
#include <exception>
#include <memory>

namespace skin {

using platform::IntToStr;
using platform::TMemoryStream;
using platform::TStream;

namespace {

TbsSkinStatus Failed(const std::string& AMessage)
{
    return {TbsSkinStatusCode::Failed, AMessage};
}

void WriteInt32(TStream& AStream, int32_t AValue)
{
    const auto v = uint32_t(AValue);
    const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    AStream.WriteBuffer(bytes, 4);
}

// Raises an exception naming AWhat when fewer than four bytes are left.
int32_t ReadInt32(TStream& AStream, const std::string& AWhat)
{
    uint8_t b[4];
    if (AStream.Read(b, 4) != 4)
        throw platform::EReadError("the data ends before its " + AWhat);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

// ---------------------------------------------------------------- payload

struct TPayloadParts {
    TbsPicture* Frames[3];
    const TbsPictureList* Active;
    std::string IniText; // UTF-8
};

const char* const FrameNames[3] = {"picture", "inactive picture", "mask"};

// A BMP without pixels cannot be read back, so such a skin is refused
// before anything is written.
void CheckActivePictures(const TbsPictureList& AActive)
{
    for (size_t i = 0; i < AActive.size(); ++i)
        if (PictureEmpty(*AActive[i]))
            throw platform::Exception("active picture " + IntToStr(int64_t(i)) + " is empty");
}

void BuildPayload(const TPayloadParts& AParts, TMemoryStream& AZlibData)
{
    CheckActivePictures(*AParts.Active);
    TMemoryStream payload;
    WriteInt32(payload, CompressedSkinVersion);
    for (TbsPicture* frame : AParts.Frames) {
        const uint8_t empty = PictureEmpty(*frame) ? 1 : 0;
        payload.WriteBuffer(&empty, 1);
        if (!empty)
            frame->SaveToStream(payload);
    }
    WriteInt32(payload, int32_t(AParts.Active->size()));
    for (const auto& picture : *AParts.Active)
        picture->SaveToStream(payload);
    const std::string text = platform::Utf8ToAnsi(AParts.IniText);
    payload.WriteBuffer(text.data(), int64_t(text.size()));
    DeflateMemoryStream(payload, AZlibData);
}

// Reads one BMP image; the next field starts right after it.
void ReadPayloadPicture(TMemoryStream& APayload, TbsPicture& APicture, const std::string& AWhat)
{
    try {
        APicture.LoadFromStream(APayload);
    } catch (const std::exception& E) {
        throw platform::Exception(AWhat + ": " + E.what());
    }
}

void ReadFramePicture(TMemoryStream& APayload, TbsPicture& APicture, const std::string& AWhat)
{
    uint8_t empty = 0;
    if (APayload.Read(&empty, 1) != 1)
        throw platform::EReadError("the data ends before the flag of the " + AWhat);
    if (empty)
        ClearPicture(APicture);
    else
        ReadPayloadPicture(APayload, APicture, AWhat);
}

// Everything after the version: pictures, then the INI text, read as the
// folder reader reads it but without loading picture files.
void ReadPayloadBody(TMemoryStream& APayload, int32_t AVersion, TbsSkinData& AStaging)
{
    TbsPicture* frames[3] = {AStaging.FPicture.get(), AStaging.FInActivePicture.get(), AStaging.FMask.get()};
    for (int i = 0; i < 3; ++i)
        ReadFramePicture(APayload, *frames[i], FrameNames[i]);
    if (AVersion == 2) {
        TbsPicture dropped;
        ReadFramePicture(APayload, dropped, "first extra picture");
        ReadFramePicture(APayload, dropped, "second extra picture");
    }
    const int32_t count = ReadInt32(APayload, "active picture count");
    for (int32_t i = 0; i < count; ++i) {
        auto picture = NewPicture();
        ReadPayloadPicture(APayload, *picture,
                           "active picture " + IntToStr(i) + " of " + IntToStr(count));
        AStaging.FActivePictures.push_back(std::move(picture));
    }
    std::string text(size_t(APayload.Size() - APayload.Position()), '\0');
    APayload.ReadBuffer(text.data(), int64_t(text.size()));
    platform::TMemIniFile ini("");
    ini.SetText(platform::FileTextToUtf8(std::move(text)));
    if (!TbsSkinData::IsSkinIniFile(ini))
        throw platform::Exception("its INI text lacks one of the sections VERSION, PICTURES, FORMINFO, "
                                  "SKINOBJECTS and SKINCONTROLS");
    AStaging.ReadSkinIni(ini, "", false);
}

// The whole payload into AStaging; nothing is announced before it was read.
TbsSkinStatus ReadPayload(TbsCompressedStoredSkin& AStoredSkin, TbsSkinData& AStaging)
{
    const std::string name = AStoredSkin.DisplayName();
    TMemoryStream payload;
    TbsSkinStatus status = AStoredSkin.DeCompressToStream(payload);
    if (!status.Ok())
        return status;
    payload.SetPosition(0);
    try {
        const int32_t version = ReadInt32(payload, "version");
        if (version > CompressedSkinVersion)
            return {TbsSkinStatusCode::UnknownVersion,
                    name + " has version " + IntToStr(version) + "; this program reads versions up to " +
                        IntToStr(CompressedSkinVersion)};
        ReadPayloadBody(payload, version, AStaging);
    } catch (const std::exception& E) {
        return Failed(name + " cannot be loaded: " + E.what());
    }
    return {};
}

} // namespace

// ---------------------------------------------------------------- component

TbsCompressedStoredSkin::TbsCompressedStoredSkin(platform::TComponent* AOwner) : TComponent(AOwner) {}

TbsCompressedStoredSkin::~TbsCompressedStoredSkin() = default;

std::string TbsCompressedStoredSkin::DisplayName() const
{
    const std::string& source = !FCompressedFileName.empty() ? FCompressedFileName
                                : !FFileName.empty()         ? FFileName
                                                             : Name();
    return source.empty() ? "Compressed skin" : "Compressed skin \"" + source + "\"";
}

TbsSkinStatus TbsCompressedStoredSkin::SetSourceName(bool ADesigning, TbsSkinSource ASource,
                                                     const std::string& AValue, std::string& AName)
{
    if (!ADesigning) {
        AName = AValue;
        return {};
    }
    TbsSkinStatus status = ASource == TbsSkinSource::Folder ? LoadFromIniFile(AValue) : LoadFromCompressFile(AValue);
    AName = platform::ExtractFileName(AValue);
    return status;
}

TbsSkinStatus TbsCompressedStoredSkin::SetFileName(const std::string& AValue)
{
    return SetSourceName(IsDesigning() && !IsLoading(), TbsSkinSource::Folder, AValue, FFileName);
}

TbsSkinStatus TbsCompressedStoredSkin::SetCompressedFileName(const std::string& AValue)
{
    return SetSourceName(IsDesigning() && !IsLoading(), TbsSkinSource::CompressedFile, AValue, FCompressedFileName);
}

TbsSkinStatus TbsCompressedStoredSkin::LoadFromSkinData(TbsSkinData& ASkinData)
{
    try {
        platform::TMemIniFile ini("");
        ASkinData.WriteSkinIni(ini);
        TMemoryStream data;
        BuildPayload({{ASkinData.FPicture.get(), ASkinData.FInActivePicture.get(), ASkinData.FMask.get()},
                      &ASkinData.FActivePictures,
                      ini.Text()},
                     data);
        FCompressedStream.LoadFromStream(data);
    } catch (const std::exception& E) {
        return Failed("The skin cannot be compressed: " + std::string(E.what()));
    }
    return {};
}

// The folder is read whole first, so that a skin that would not load is
// never stored; the INI text is stored as the file holds it.
TbsSkinStatus TbsCompressedStoredSkin::LoadFromIniFile(const std::string& AFileName)
{
    if (!platform::FileExists(AFileName))
        return {TbsSkinStatusCode::NotASkin, "Skin file \"" + AFileName + "\" does not exist"};
    try {
        platform::TMemIniFile ini(AFileName);
        if (!TbsSkinData::IsSkinIniFile(ini))
            return {TbsSkinStatusCode::NotASkin, "\"" + AFileName + "\" is not a skin file"};
        TbsSkinData folder(nullptr);
        folder.ReadSkinIni(ini, platform::ExtractFilePath(platform::ExpandFileName(AFileName)));
        TMemoryStream text;
        text.LoadFromFile(AFileName);
        TMemoryStream data;
        BuildPayload({{folder.FPicture.get(), folder.FInActivePicture.get(), folder.FMask.get()},
                      &folder.FActivePictures,
                      platform::FileTextToUtf8(std::string(text.Data().begin(), text.Data().end()))},
                     data);
        FCompressedStream.LoadFromStream(data);
    } catch (const std::exception& E) {
        return Failed("Skin \"" + AFileName + "\" cannot be compressed: " + E.what());
    }
    return {};
}

TbsSkinStatus TbsCompressedStoredSkin::DeCompressToStream(TMemoryStream& AStream)
{
    try {
        InflateToStream(AStream, FCompressedStream);
    } catch (const std::exception& E) {
        return Failed(DisplayName() + " is damaged: " + E.what());
    }
    return {};
}

// ---------------------------------------------------------------- container

TbsSkinStatus TbsCompressedStoredSkin::SaveToCompressStream(TStream& AStream)
{
    try {
        WriteInt32(AStream, CompressedSkinVersion);
        WriteInt32(AStream, int32_t(FCompressedStream.Size()));
        AStream.WriteBuffer(FCompressedStream.Memory(), FCompressedStream.Size());
    } catch (const std::exception& E) {
        return Failed(DisplayName() + " cannot be written: " + E.what());
    }
    return {};
}

TbsSkinStatus TbsCompressedStoredSkin::SaveToCompressFile(const std::string& AFileName)
{
    if (Empty())
        return {TbsSkinStatusCode::EmptyStoredSkin, DisplayName() + " holds no skin; \"" + AFileName +
                                                        "\" was not written"};
    const std::string temp = AFileName + ".~zskin";
    TbsSkinStatus status;
    try {
        platform::TFileStream file(temp, platform::fmCreate);
        status = SaveToCompressStream(file);
    } catch (const std::exception& E) {
        status = Failed(E.what());
    }
    if (status.Ok() && std::rename(temp.c_str(), AFileName.c_str()) != 0)
        status = Failed("Cannot create file \"" + AFileName + "\"");
    if (!status.Ok())
        std::remove(temp.c_str());
    return status;
}

// A length that runs past the data is refused before anything is allocated.
TbsSkinStatus TbsCompressedStoredSkin::ReadContainer(TStream& AStream, const std::string& ASource)
{
    FCompressedStream.Clear();
    try {
        const int32_t version = ReadInt32(AStream, "version");
        if (version > CompressedSkinVersion)
            return {TbsSkinStatusCode::UnknownVersion, ASource + " has version " + IntToStr(version) +
                                                           "; this program reads versions up to " +
                                                           IntToStr(CompressedSkinVersion)};
        const int32_t length = ReadInt32(AStream, "length");
        const int64_t left = AStream.Size() - AStream.Position();
        if (length < 0 || length > left)
            return Failed(ASource + " announces " + IntToStr(length) + " bytes of skin data but holds " +
                          IntToStr(left));
        if (length > 0)
            FCompressedStream.CopyFrom(AStream, length);
        FCompressedStream.SetPosition(0);
    } catch (const std::exception& E) {
        FCompressedStream.Clear();
        return Failed(ASource + " cannot be read: " + E.what());
    }
    return {};
}

TbsSkinStatus TbsCompressedStoredSkin::LoadFromCompressStream(TStream& AStream)
{
    try {
        AStream.SetPosition(0);
    } catch (const std::exception& E) {
        FCompressedStream.Clear();
        return Failed(DisplayName() + " cannot be read: " + E.what());
    }
    return ReadContainer(AStream, "The compressed skin stream");
}

TbsSkinStatus TbsCompressedStoredSkin::LoadFromCompressFile(const std::string& AFileName)
{
    FCompressedStream.Clear();
    try {
        platform::TFileStream file(AFileName, platform::fmOpenRead);
        return ReadContainer(file, "Compressed skin file \"" + AFileName + "\"");
    } catch (const std::exception& E) {
        return Failed(E.what());
    }
}

void TbsCompressedStoredSkin::ReadCompressedData(TStream& AStream)
{
    FCompressedStream.Clear();
    const int64_t count = AStream.Size() - AStream.Position();
    if (count > 0)
        FCompressedStream.CopyFrom(AStream, count);
    FCompressedStream.SetPosition(0);
}

void TbsCompressedStoredSkin::WriteCompressedData(TStream& AStream)
{
    AStream.WriteBuffer(FCompressedStream.Memory(), FCompressedStream.Size());
}

// ---------------------------------------------------------------- model

TbsSkinStatus TbsSkinData::LoadCompressedStoredSkin(TbsCompressedStoredSkin* AStoredSkin)
{
    if (!AStoredSkin || AStoredSkin->Empty())
        return {TbsSkinStatusCode::EmptyStoredSkin,
                (AStoredSkin ? AStoredSkin->DisplayName() : std::string("Compressed skin")) + " holds no skin"};
    return LoadSkin([AStoredSkin](TbsSkinData& AStaging) { return ReadPayload(*AStoredSkin, AStaging); });
}

TbsSkinStatus TbsSkinData::LoadFromCompressedFile(const std::string& AFileName)
{
    TbsCompressedStoredSkin stored(nullptr);
    TbsSkinStatus status = stored.LoadFromCompressFile(AFileName);
    if (!status.Ok())
        return status;
    stored.SetCompressedFileName(AFileName);
    return LoadCompressedStoredSkin(&stored);
}

TbsSkinStatus TbsSkinData::SaveToCompressedFile(const std::string& AFileName)
{
    TbsCompressedStoredSkin stored(nullptr);
    TbsSkinStatus status = stored.LoadFromSkinData(*this);
    return status.Ok() ? stored.SaveToCompressFile(AFileName) : status;
}

} // namespace skin
