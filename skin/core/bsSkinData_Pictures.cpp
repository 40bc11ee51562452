#include "skin/core/bsSkinData_Pictures.h"

#include "platform/core/Exceptions.h"

#include <exception>

namespace skin {

std::unique_ptr<TbsPicture> NewPicture()
{
    return std::make_unique<TbsPicture>();
}

void LoadPicture(TbsPicture& APicture, const std::string& AFileName)
{
    try {
        APicture.LoadFromFile(AFileName);
    } catch (const std::exception& E) {
        const std::string why = E.what();
        throw platform::Exception(why.find(AFileName) != std::string::npos ? why
                                                                          : "\"" + AFileName + "\": " + why);
    }
}

void SavePicture(TbsPicture& APicture, const std::string& AFileName)
{
    APicture.SaveToFile(AFileName);
}

bool PictureEmpty(const TbsPicture& APicture)
{
    return APicture.Empty();
}

void ClearPicture(TbsPicture& APicture)
{
    APicture.Assign(nullptr);
}

} // namespace skin
