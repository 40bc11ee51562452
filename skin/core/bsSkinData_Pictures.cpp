#include "skin/core/bsSkinData_Pictures.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace skin {

namespace {

uint32_t Le32(const std::string& AData, size_t AAt)
{
    uint32_t v;
    std::memcpy(&v, AData.data() + AAt, 4);
    return v;
}

void CheckBmp(const std::string& AData, const std::string& AFileName)
{
    const bool ok = AData.size() >= 26 && AData.compare(0, 2, "BM") == 0 && Le32(AData, 14) >= 12 &&
                    Le32(AData, 10) <= AData.size();
    if (!ok)
        throw platform::Exception("Bitmap image is not valid: " + AFileName);
}

} // namespace

std::unique_ptr<TbsPicture> NewPicture()
{
    return std::make_unique<TbsPicture>();
}

void LoadPicture(TbsPicture& APicture, const std::string& AFileName)
{
    if (!platform::FileExists(AFileName))
        throw platform::EFOpenError("Cannot open file \"" + AFileName + "\"");
    std::ifstream in(AFileName, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CheckBmp(data, AFileName);
    APicture.Bytes = std::move(data);
}

void SavePicture(TbsPicture& APicture, const std::string& AFileName)
{
    std::ofstream out(AFileName, std::ios::binary | std::ios::trunc);
    out.write(APicture.Bytes.data(), std::streamsize(APicture.Bytes.size()));
    out.close();
    if (!out)
        throw platform::EFOpenError("Cannot create file \"" + AFileName + "\"");
}

bool PictureEmpty(const TbsPicture& APicture)
{
    return APicture.Bytes.empty();
}

void ClearPicture(TbsPicture& APicture)
{
    APicture.Bytes.clear();
}

} // namespace skin
