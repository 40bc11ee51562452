#pragma once
// The model's pictures, behind the few operations it needs, so that the
// model does not depend on how bitmaps are held.

#include <memory>
#include <string>

namespace skin {

// Until the bitmap class is available the model keeps a picture as the
// bytes of its BMP file, checked when loaded.
class TbsPicture {
public:
    std::string Bytes;
};

std::unique_ptr<TbsPicture> NewPicture();
// Raise an exception naming the file when it is missing or not a BMP file.
void LoadPicture(TbsPicture& APicture, const std::string& AFileName);
void SavePicture(TbsPicture& APicture, const std::string& AFileName);
bool PictureEmpty(const TbsPicture& APicture);
void ClearPicture(TbsPicture& APicture);

} // namespace skin
