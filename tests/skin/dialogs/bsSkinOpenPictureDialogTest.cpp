// The open and save picture dialogs on pictures made by the test: the
// preview of each format read at its natural size, the reader's error for
// files that are no pictures, the Stretch button, and what a run writes
// back for the next one.

#include "skin/dialogs/bsSkinOpenPictureDialog.h"

#include "../controls/SkinControlsTestSupport.h"
#include "DialogsTestSupport.h"

#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/ImageCodecs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace skin;
using namespace platform;
using dialogtest::TWhenModal;

TbsOpenPictureDlgForm* AsDialog(TCustomForm* F) { return dynamic_cast<TbsOpenPictureDlgForm*>(F); }

// A picture of one colour in a format.
void WritePicture(const std::string& AFileName, int AWidth, int AHeight, uint32_t ARgb)
{
    TImageData image;
    AllocateImage(image, AWidth, AHeight, "test");
    for (uint32_t& p : image.Pixels)
        p = 0xFF000000u | ARgb;
    TFileStream out(AFileName, fmCreate);
    const std::string ext = ExtractFileExt(AFileName);
    if (ext == ".bmp")
        WriteBmp(out, image, 24);
    else if (ext == ".png")
        WritePng(out, image, false);
    else if (ext == ".jpg")
        WriteJpeg(out, image, 95);
    else
        WriteGif(out, image);
}

// A pixel of the dialog's window where AControl's point lies, 0x00RRGGBB.
uint32_t PixelAt(TCustomForm* F, TControl* AControl, int X, int Y)
{
    dialogtest::Pump();
    const TPixelSurface* s = GetWindowSurface(F->Handle());
    RECT r;
    GetWindowRect(F->Handle(), r);
    const TPoint p = AControl->ClientToScreen(Point(X, Y));
    return reinterpret_cast<const uint32_t*>(s->Row(p.Y - r.Top))[p.X - r.Left] & 0xFFFFFF;
}

bool Near(uint32_t A, uint32_t B)
{
    for (int shift = 0; shift <= 16; shift += 8)
        if (std::abs(int((A >> shift) & 0xFF) - int((B >> shift) & 0xFF)) > 12)
            return false;
    return true;
}

void SelectRow(TbsOpenPictureDlgForm* F, const std::string& AName)
{
    for (int i = 0; i < F->FileListView->RowCount(); ++i)
        if (F->FileListView->FolderAt(i)->DisplayName() == AName) {
            F->FileListView->SetItemIndex(i);
            dialogtest::Pump();
            return;
        }
    ADD_FAILURE() << "no row " << AName;
}

struct PictureDialogTest : skintest::TSkinFixture {
    testsupport::TTempDir Dir;
    TbsSkinOpenPictureDialog Dialog{nullptr};

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        WritePicture(Dir.File("red.bmp"), 40, 30, 0xD02020);
        WritePicture(Dir.File("green.png"), 30, 20, 0x20B040);
        WritePicture(Dir.File("blue.jpg"), 24, 16, 0x2050D0);
        WritePicture(Dir.File("yellow.gif"), 20, 10, 0xF0E020);
        testsupport::WriteFile(Dir.File("broken.png"), "\x89PNG\r\n\x1a\n but nothing after");
        testsupport::WriteFile(Dir.File("notes.txt"), "words");
        mkdir(Dir.File("sub").c_str(), 0755);
        Dialog.Filter = "All|*.*";
        Dialog.InitialDir = Dir.Path();
    }
};

TEST_F(PictureDialogTest, EachFormatIsPreviewedAtItsNaturalSize)
{
    struct TCase {
        const char* Name;
        int Width, Height;
        uint32_t Rgb;
    };
    const TCase cases[] = {{"red.bmp", 40, 30, 0xD02020},
                           {"green.png", 30, 20, 0x20B040},
                           {"blue.jpg", 24, 16, 0x2050D0},
                           {"yellow.gif", 20, 10, 0xF0E020}};
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenPictureDlgForm* f = AsDialog(F);
        for (const TCase& c : cases) {
            SelectRow(f, c.Name);
            EXPECT_EQ(f->FileNameEdit->Text(), c.Name);
            EXPECT_EQ(f->Image->BoundsRect(), Rect(0, 0, c.Width, c.Height)) << c.Name;
            EXPECT_FALSE(f->PreviewError->Visible()) << c.Name;
            EXPECT_TRUE(Near(PixelAt(F, f->Image, c.Width / 2, c.Height / 2), c.Rgb)) << c.Name;
            EXPECT_TRUE(Near(PixelAt(F, f->Image, c.Width - 1, c.Height - 1), c.Rgb)) << c.Name;
            if (std::string(c.Name) == "red.bmp")
                dialogtest::SaveScreenshot(F, "picture_dialog.png");
        }
        F->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_TRUE(act.Done());
}

TEST_F(PictureDialogTest, AFileThatIsNoPictureShowsTheReadersErrorInThePreview)
{
    struct TCase {
        const char* Name;
        const char* ErrorPart;
    };
    const TCase cases[] = {{"broken.png", "broken.png"}, {"notes.txt", "notes.txt"}};
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenPictureDlgForm* f = AsDialog(F);
        SelectRow(f, "red.bmp");
        for (const TCase& c : cases) {
            SelectRow(f, c.Name);
            EXPECT_TRUE(f->PreviewError->Visible()) << c.Name;
            const std::string error = f->PreviewError->Caption();
            EXPECT_NE(error.find(c.ErrorPart), std::string::npos) << error;
            EXPECT_GT(error.size(), std::string(c.Name).size() + 4) << "the reader's own words follow: " << error;
            EXPECT_EQ(f->Image->BoundsRect(), Rect(0, 0, 0, 0)) << c.Name;
            EXPECT_FALSE(Near(PixelAt(F, f->ScrollBox, 2, f->ScrollBox->Height() - 2), 0xD02020)) << c.Name;
            if (std::string(c.Name) == "broken.png")
                dialogtest::SaveScreenshot(F, "picture_dialog_broken.png");
        }
        // A folder clears the field and the preview.
        SelectRow(f, "sub");
        EXPECT_EQ(f->FileNameEdit->Text(), "");
        EXPECT_FALSE(f->PreviewError->Visible());
        EXPECT_EQ(f->Image->BoundsRect(), Rect(0, 0, 0, 0));
        F->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_TRUE(act.Done());
}

TEST_F(PictureDialogTest, StretchFillsThePanelAndTheNextRunRemembersIt)
{
    Dialog.SetFileName(Dir.File("red.bmp"));
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenPictureDlgForm* f = AsDialog(F);
        // The component's file is previewed before anything is chosen.
        EXPECT_EQ(f->Image->BoundsRect(), Rect(0, 0, 40, 30));
        EXPECT_EQ(f->ImagePanel->Width(), 190);
        dialogtest::Click(f->StretchButton);
        dialogtest::Pump();
        EXPECT_TRUE(f->StretchButton->Down());
        EXPECT_EQ(f->Image->BoundsRect(), f->ScrollBox->ClientRect());
        const TRect box = f->ScrollBox->ClientRect();
        EXPECT_TRUE(Near(PixelAt(F, f->ScrollBox, box.Right - 2, box.Bottom - 2), 0xD02020));
        dialogtest::SaveScreenshot(F, "picture_dialog_stretched.png");
        f->ImagePanel->SetWidth(230);
        F->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_TRUE(Dialog.DialogStretch);
    EXPECT_EQ(Dialog.ImagePanelWidth, 230);
    bool stretched = false;
    int width = 0;
    TWhenModal again([&](TCustomForm* F) {
        stretched = AsDialog(F)->StretchButton->Down() && AsDialog(F)->Image->Stretch;
        width = AsDialog(F)->ImagePanel->Width();
        // A second click lets the picture back to its own size.
        dialogtest::Click(AsDialog(F)->StretchButton);
        dialogtest::Pump();
        EXPECT_EQ(AsDialog(F)->Image->BoundsRect(), Rect(0, 0, 40, 30));
        F->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_TRUE(stretched);
    EXPECT_EQ(width, 230);
    EXPECT_FALSE(Dialog.DialogStretch);
}

TEST_F(PictureDialogTest, TheSaveVariantNamesItsButtonAndCompletesTheExtension)
{
    TbsSkinSavePictureDialog save(nullptr);
    save.Filter = "BMP files (*.bmp)|*.bmp|JPEG files (*.jpg)|*.jpg";
    save.InitialDir = Dir.Path();
    std::string title, button;
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenPictureDlgForm* f = AsDialog(F);
        title = F->Caption();
        button = f->OpenButton->Caption();
        f->FileNameEdit->SetText("shot");
        dialogtest::Click(f->OpenButton);
    });
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(title, "Save file");
    EXPECT_EQ(button, "&Save");
    EXPECT_EQ(save.FileName(), Dir.File("shot.bmp"));
}

TEST_F(PictureDialogTest, TheBottomRowKeepsItsPlacesWhenTheDialogWidens)
{
    TRect edit, cancel;
    TWhenModal act([&](TCustomForm* F) {
        F->SetClientSize(800, 400);
        dialogtest::Pump();
        edit = AsDialog(F)->FileNameEdit->BoundsRect();
        cancel = AsDialog(F)->CancelButton->BoundsRect();
        F->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(edit.Left, 70);
    EXPECT_EQ(edit.Width(), 280);
    EXPECT_EQ(cancel, Rect(370, 45, 440, 70));
}

} // namespace
