#pragma once
// The model's pictures are platform bitmaps; the few operations the model
// needs of them are here, each naming the file it failed on.

#include "platform/gfx/Graphics.h"

#include <memory>
#include <string>

namespace skin {

using TbsPicture = platform::TBitmap;

std::unique_ptr<TbsPicture> NewPicture();
// Raise an exception naming the file when it is missing or not a readable
// bitmap.
void LoadPicture(TbsPicture& APicture, const std::string& AFileName);
// Writes a BMP file; raises an exception naming the file on failure.
void SavePicture(TbsPicture& APicture, const std::string& AFileName);
bool PictureEmpty(const TbsPicture& APicture);
void ClearPicture(TbsPicture& APicture);

} // namespace skin
