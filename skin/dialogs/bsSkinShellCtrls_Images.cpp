#include "skin/dialogs/bsSkinShellCtrls_Images.h"

#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsSkinShellCtrls_Namespace.h"

namespace skin {

TbsShellImageList::TbsShellImageList(platform::TComponent* AOwner, int ASize) : TCustomImageList(AOwner)
{
    SetSize(ASize, ASize);
}

int TbsShellImageList::Prepare(int AIndex)
{
    while (Count() <= AIndex) {
        const std::string name = ShellIconName(Count());
        if (name.empty())
            break;
        platform::TImageData image;
        DrawShellIcon(name, Width(), image);
        // The list keeps premultiplied pixels.
        for (uint32_t& p : image.Pixels) {
            const uint32_t a = p >> 24;
            uint32_t out = a << 24;
            for (int shift = 0; shift <= 16; shift += 8)
                out |= ((((p >> shift) & 0xFF) * a + 127) / 255) << shift;
            p = out;
        }
        AddPixels(image.Pixels);
    }
    return AIndex;
}

TbsShellImageList* ShellSmallImages()
{
    static TbsShellImageList* list = new TbsShellImageList(nullptr, 16);
    return list;
}

TbsShellImageList* ShellLargeImages()
{
    static TbsShellImageList* list = new TbsShellImageList(nullptr, 32);
    return list;
}

} // namespace skin
