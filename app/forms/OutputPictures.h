#pragma once
// The pictures of the output choice, drawn for the program: one per output
// category, by the category's case number (the image index its item shows),
// and the alternating pictures of the profile lists; and the image lists
// the category and profile combos draw them from.

#include "platform/controls/ImgList.h"
#include "platform/gfx/ImageCodecs.h"

namespace skin {
class TbsPngImageList;
}

namespace app {

// Case numbers 0 .. CategoryPictureCount - 1 have a picture; the combos'
// items use 0 to 15 and 19.
constexpr int CategoryPictureCount = 20;
// The profile lists alternate between the first two; the third is spare.
constexpr int ProfilePictureCount = 3;
constexpr int OutputPictureSize = 32;

// ASize pixels a side with alpha, smooth edges. An out-of-range number
// gives the plain film picture of an unnamed category.
platform::TImageData DrawCategoryPicture(int ACaseNumber, int ASize = OutputPictureSize);
platform::TImageData DrawProfilePicture(int AIndex, int ASize = OutputPictureSize);

// The main window's category pictures (bsPngImageList5) and profile pictures
// (bsPngImageList3), 32 x 32, owned by AOwner.
skin::TbsPngImageList* NewCategoryImages(platform::TComponent* AOwner);
skin::TbsPngImageList* NewProfileImages(platform::TComponent* AOwner);
// The legacy dialog's category pictures (ImageList1): twelve, the index
// being the category's position, which is its case number.
platform::TImageList* NewLegacyCategoryImages(platform::TComponent* AOwner);

} // namespace app
