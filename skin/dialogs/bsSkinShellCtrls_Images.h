#pragma once
// The stand-in for the system image lists: one list per icon size whose
// image i is the picture of shell icon name i (ShellIconName), drawn the
// first time a view asks for that index. Both sizes share the indexes.

#include "platform/controls/ImgList.h"

namespace skin {

class TbsShellImageList : public platform::TCustomImageList {
public:
    TbsShellImageList(platform::TComponent* AOwner, int ASize);
    // Makes sure the pictures up to AIndex are in the list; answers AIndex.
    int Prepare(int AIndex);
};

// The process's lists of small (16) and large (32) icons, made when first
// asked for; they live as long as the program.
TbsShellImageList* ShellSmallImages();
TbsShellImageList* ShellLargeImages();

} // namespace skin
