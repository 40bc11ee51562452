#pragma once
// Compressed skins: a whole skin (frame bitmaps, active pictures, INI text)
// as one zlib block, kept by a stored-skin component and carried in files
// and streams inside a small container:
//   int32 version (3), int32 length L, L bytes of zlib data.
// The payload inside the zlib data:
//   int32 version (3); for the picture, the inactive picture and the mask a
//   flag byte (non-zero: empty) and, when 0, a BMP file image; version 2
//   only: two more flag and BMP pairs, dropped; int32 N; N BMP images (the
//   active pictures); the INI text up to the end.

#include "skin/core/bsSkinData.h"

#include "platform/core/Classes.h"
#include "platform/core/Streams.h"

#include <cstdint>
#include <string>

namespace skin {

// The version this program writes and the newest it reads.
constexpr int32_t CompressedSkinVersion = 3;

class TbsCompressedStoredSkin : public platform::TComponent {
public:
    explicit TbsCompressedStoredSkin(platform::TComponent* AOwner);
    ~TbsCompressedStoredSkin() override;

    std::string Description;
    // The skin folder's INI file / the compressed file this skin came from.
    // While designed (not loaded) setting one builds the skin from that file
    // and keeps only its name; otherwise only the value is stored.
    const std::string& FileName() const { return FFileName; }
    TbsSkinStatus SetFileName(const std::string& AValue);
    const std::string& CompressedFileName() const { return FCompressedFileName; }
    TbsSkinStatus SetCompressedFileName(const std::string& AValue);

    // True while no compressed bytes are held.
    bool Empty() const { return FCompressedStream.Data().empty(); }
    // The zlib data of one payload, without the container.
    platform::TMemoryStream& CompressedStream() { return FCompressedStream; }

    // Build the payload from a model or a skin folder. On failure the
    // previous data stays.
    TbsSkinStatus LoadFromSkinData(TbsSkinData& ASkinData);
    TbsSkinStatus LoadFromIniFile(const std::string& AFileName);
    // Inflates the payload into AStream; Failed when the data is damaged.
    TbsSkinStatus DeCompressToStream(platform::TMemoryStream& AStream);

    // The container, at the stream's position (also for an empty skin).
    TbsSkinStatus SaveToCompressStream(platform::TStream& AStream);
    // Nothing is written for an empty skin; an existing file is replaced
    // only once the new one was written whole.
    TbsSkinStatus SaveToCompressFile(const std::string& AFileName);
    // Read the container from the start of the stream or file. A newer
    // version (UnknownVersion), a length of 0 or a failure leave it empty.
    TbsSkinStatus LoadFromCompressStream(platform::TStream& AStream);
    TbsSkinStatus LoadFromCompressFile(const std::string& AFileName);

    // The raw "CompressedData" property of a form file: the zlib data as it
    // stands.
    void ReadCompressedData(platform::TStream& AStream);
    void WriteCompressedData(platform::TStream& AStream);

    // How the skin is named in messages.
    std::string DisplayName() const;

    // Sets AName, a file a skin came from: while ADesigning the skin is
    // built from that file and only the name part is kept, otherwise only
    // the value is stored.
    enum class TbsSkinSource { Folder, CompressedFile };
    TbsSkinStatus SetSourceName(bool ADesigning, TbsSkinSource ASource, const std::string& AValue, std::string& AName);

private:
    TbsSkinStatus ReadContainer(platform::TStream& AStream, const std::string& ASource);
    platform::TMemoryStream FCompressedStream;
    std::string FFileName;
    std::string FCompressedFileName;
};

} // namespace skin
