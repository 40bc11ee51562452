// Draws the program's icon for the desktop's icon theme: the logo that the
// about box and the preview pane show, as a PNG whose surround is
// transparent.
//   zarvelo_program_icon <size in pixels> <file.png>
#include "app/forms/ProgramPictures.h"

#include "platform/gfx/ImageCodecs.h"
#include "platform/gfx/PngImage.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: %s <size 16..1024> <file.png>\n", argv[0]);
        return 2;
    }
    try {
        auto logo = app::MakeLogo(size, size);
        const uint32_t key = uint32_t(platform::ColorToRGB(logo->TransparentColor()));
        platform::TImageData image;
        platform::BitmapToImage(*logo, image);
        // The logo marks its surround with a key colour; the icon theme
        // wants it transparent instead.
        for (uint32_t& pixel : image.Pixels) {
            const uint32_t rgb = ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
            pixel = rgb == key ? 0 : (pixel | 0xFF000000u);
        }
        image.HasAlpha = true;
        platform::TPngImage png;
        png.SetImage(image);
        png.SaveToFile(argv[2]);
    } catch (const std::exception& E) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[2], E.what());
        return 1;
    }
    return 0;
}
