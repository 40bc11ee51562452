// Draws the pictures of the program's own skin into a folder:
//   zarvelo_skin_pictures <folder>
// The build runs it beside a copy of zarvelo.ini and packs the folder.

#include "skins/paint/SkinPictures.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    try {
        using namespace skinpaint;
        const std::pair<const char*, TPainter (*)()> pictures[] = {
            {"frame.bmp", FramePicture}, {"caption.bmp", CaptionButtons}, {"buttons.bmp", ButtonPicture},
            {"marks.bmp", MarkPicture},  {"boxes.bmp", BoxPicture},       {"popup.bmp", PopupPicture},
            {"hint.bmp", HintPicture},   {"scroll.bmp", ScrollPicture},
        };
        for (const auto& [name, draw] : pictures)
            draw().Save(folder + "/" + name);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: cannot write the skin pictures into %s: %s\n", argv[0], folder.c_str(), e.what());
        return 1;
    }
    return 0;
}
