// The classic file controls and the picture dialog in the program's skin on
// a real display, saved as PNG files in the build folder for a reviewer to
// look at: file_controls_x11.png (drive combo, folder path and sub-folders,
// files of the chosen filter, the shortened path label) and
// picture_dialog_x11.png (a selected picture in the preview).

#include <gtest/gtest.h>

#include "skin/core/bsSkinData_StoredList.h"
#include "skin/dialogs/bsSkinFileCtrls.h"
#include "skin/dialogs/bsSkinFilterComboBox.h"
#include "skin/dialogs/bsSkinOpenPictureDialog.h"
#include "skins/DefaultSkin.h"
#include "skin/controls/bsSkinCtrls_Button.h"

#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/ImageCodecs.h"
#include "platform/x11/X11Backend.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"
#include "support/XDisplayTestSupport.h"

#include <sys/stat.h>

namespace {

using namespace platform;
using namespace skin;

struct FileCtrlsOnX11 : ::testing::Test {
    testsupport::TTempDir Dir;
    std::unique_ptr<TForm> Owner;
    TbsSkinData* Data = nullptr;

    void SetUp() override
    {
        if (GetEnvironmentVariable("DISPLAY").empty())
            GTEST_SKIP() << "no X display";
        ASSERT_TRUE(InstallX11Backend());
        Owner.reset(new TForm(nullptr));
        auto* list = new TbsCompressedSkinList(Owner.get());
        skins::AddDefaultSkin(*list);
        Data = new TbsSkinData(Owner.get());
        ASSERT_TRUE(Data->SetSkinList(list).Ok());
        for (const char* d : {"music", "music/live", "music/Albums", "music/demos", "pictures"})
            mkdir(Dir.File(d).c_str(), 0755);
        for (const char* f : {"music/song.mp3", "music/Tune.wav", "music/intro.mp3", "music/cover.png",
                              "music/notes.txt"})
            testsupport::WriteFile(Dir.File(f), "x");
        TImageData image;
        AllocateImage(image, 120, 80, "test");
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                image.At(x, y) = 0xFF000000u | (x < 60 ? 0x2E6FD0u : 0xF0B020u) | (y > 40 ? 0x00400000u : 0u);
        TFileStream out(Dir.File("pictures/sample.png"), fmCreate);
        WritePng(out, image, false);
    }
};

TEST_F(FileCtrlsOnX11, TheFileControlsFollowEachOtherInTheSkin)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 40, 420, 300);
    form->SetColor(TColor(0xF0F0F0));
    auto* drives = new TbsSkinDriveComboBox(form.get());
    drives->SetBounds(10, 10, 400, 22);
    auto* label = new TbsSkinStdLabel(form.get());
    label->SetAutoSize(false);
    label->SetBounds(10, 40, 190, 16);
    auto* folders = new TbsSkinDirectoryListBox(form.get());
    folders->SetBounds(10, 60, 190, 200);
    auto* files = new TbsSkinFileListBox(form.get());
    files->SetBounds(210, 60, 200, 200);
    auto* filter = new TbsSkinFilterComboBox(form.get());
    filter->SetBounds(210, 268, 200, 22);
    for (TControl* c : std::initializer_list<TControl*>{drives, label, folders, files, filter})
        c->SetParent(form.get());
    drives->SetSkinData(Data);
    label->SetSkinData(Data);
    folders->SetSkinData(Data);
    files->SetSkinData(Data);
    filter->SetSkinData(Data);
    form->Show();
    drives->SetDirList(folders);
    folders->SetFileList(files);
    folders->SetDirLabel(label);
    filter->SetFileList(files);
    filter->SetFilter("Sounds (*.mp3;*.wav)|*.mp3;*.wav|All files (*.*)|*.*");
    folders->SetDirectory(Dir.File("music"));
    EXPECT_EQ(files->Directory(), Dir.File("music"));
    EXPECT_EQ(files->Items()->Count(), 3);
    EXPECT_EQ(folders->Items()->Strings(folders->ItemIndex()), "music");
    EXPECT_FALSE(drives->Drive().empty());
    EXPECT_EQ(drives->DriveOfLine(drives->ItemIndex()), drives->Drive());
    testsupport::PumpUntil([&] { return form->HandleAllocated(); });
    for (int i = 0; i < 20; ++i)
        Application()->ProcessMessages();
    testsupport::SaveWindowPng(form.get(), "file_controls_x11.png");
}

TEST_F(FileCtrlsOnX11, ThePictureDialogPreviewsTheSelectedPicture)
{
    TbsSkinOpenPictureDialog dialog(nullptr);
    dialog.SetSkinData(Data);
    dialog.SetCtrlSkinData(Data);
    dialog.Filter = "Pictures (*.png;*.bmp;*.jpg;*.gif)|*.png;*.bmp;*.jpg;*.gif";
    dialog.SetFileName(Dir.File("pictures/sample.png"));
    int previewWidth = 0;
    bool shown = false;
    TbsGuiTimer timer(20, [&] {
        auto* f = dynamic_cast<TbsOpenPictureDlgForm*>(platform::Screen()->ActiveForm());
        if (!f || !f->IsModal() || shown)
            return;
        shown = true;
        for (int i = 0; i < f->FileListView->RowCount(); ++i)
            if (f->FileListView->FolderAt(i)->DisplayName() == "sample.png")
                f->FileListView->SetItemIndex(i);
        for (int i = 0; i < 20; ++i)
            Application()->ProcessMessages();
        previewWidth = f->Image->Width();
        testsupport::SaveWindowPng(f, "picture_dialog_x11.png");
        f->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(shown);
    EXPECT_EQ(previewWidth, 120);
}

} // namespace
