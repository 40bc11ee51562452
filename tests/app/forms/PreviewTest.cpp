// The preview pane's pictures are saved in the format their extension names.
#include "FormsTestSupport.h"

#include "app/forms/PreviewPane.h"

using namespace app;
using namespace formstest;
using namespace platform;

TEST(PreviewTest, PicturesAreWrittenInTheFormatTheirExtensionNames)
{
    testsupport::TTempDir dir;
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(16, 8);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(TRect{0, 0, 16, 8});
    const struct {
        const char* Name;
        std::string Magic;
    } cases[] = {{"a.bmp", "BM"}, {"a.jpg", "\xFF\xD8\xFF"}, {"a.JPEG", "\xFF\xD8\xFF"}, {"a.gif", "GIF8"},
                 {"a.png", "\x89PNG"}, {"a.snap", "BM"}};
    for (const auto& c : cases) {
        SavePicture(bmp, dir.File(c.Name));
        EXPECT_EQ(testsupport::ReadFile(dir.File(c.Name)).substr(0, c.Magic.size()), c.Magic) << c.Name;
    }
}

