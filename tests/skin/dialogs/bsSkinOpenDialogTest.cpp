// The open and save dialog on a folder tree made by the test: the start
// folder, typed names and filters, multi-selection, history, new folders,
// the overwrite question, and what is written back after every run.

#include "skin/dialogs/bsSkinOpenDialog.h"

#include "../controls/SkinControlsTestSupport.h"
#include "DialogsTestSupport.h"

#include "skin/dialogs/bsMessages.h"

#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace skin;
using namespace platform;
using dialogtest::TWhenModal;

class TSaveDialog : public TbsSkinOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TbsSkinOpenDialog(AOwner) { SaveMode = true; }
};

TbsOpenDlgForm* AsDialog(TCustomForm* F) { return dynamic_cast<TbsOpenDlgForm*>(F); }

struct OpenDialogTest : skintest::TSkinFixture {
    testsupport::TTempDir Dir;
    TbsSkinOpenDialog Dialog{nullptr};

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        for (const char* folder : {"music", "music/live"})
            mkdir(Dir.File(folder).c_str(), 0755);
        for (const char* file : {"song.mp3", "Other.MP3", "notes.txt", "readme.txt", "music/one.mp3"})
            testsupport::WriteFile(Dir.File(file), "x");
        Dialog.Filter = "Sounds|*.mp3|Texts|*.txt|All files|*.*";
        Dialog.InitialDir = Dir.Path();
    }
    static void Type(TbsOpenDlgForm* F, const std::string& AText, bool AEnter)
    {
        F->FileNameEdit->SetText(AText);
        if (AEnter) {
            char16_t key = 13;
            F->EditKeyPress(key);
        }
    }
};

TEST_F(OpenDialogTest, ATypedNameIsCompletedByTheFilterAndReturned)
{
    std::vector<std::string> rows;
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenDlgForm* f = AsDialog(F);
        for (int i = 0; i < f->FileListView->RowCount(); ++i)
            rows.push_back(f->FileListView->FolderAt(i)->DisplayName());
        dialogtest::SaveScreenshot(F, "open_dialog.png");
        f->FilterComboBox->SetItemIndex(1);
        Type(f, "readme", true);
    });
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(rows, (std::vector<std::string>{"music", "Other.MP3", "song.mp3"})) << "the filter's mask takes any case";
    EXPECT_EQ(Dialog.FileName(), Dir.File("readme.txt"));
    EXPECT_EQ(Dialog.FilterIndex, 2);
}

TEST_F(OpenDialogTest, CancelLeavesTheNameButWritesTheLookBack)
{
    Dialog.SetFileName(Dir.File("music/one.mp3"));
    std::string start, field;
    TWhenModal act([&](TCustomForm* F) {
        start = AsDialog(F)->FileListView->Path();
        field = AsDialog(F)->FileNameEdit->Text();
        AsDialog(F)->SetViewStyle(vsReport);
        F->SetClientSize(500, 320);
        dialogtest::PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(start, Dir.File("music"));
    EXPECT_EQ(field, "one.mp3");
    EXPECT_EQ(Dialog.FileName(), Dir.File("music/one.mp3"));
    EXPECT_EQ(Dialog.ListViewStyle, vsReport);
    EXPECT_EQ(Dialog.DialogWidth, 500);
    EXPECT_EQ(Dialog.DialogHeight, 320);
}

TEST_F(OpenDialogTest, SeveralSelectedFilesComeBackInListOrder)
{
    Dialog.MultiSelection = true;
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenDlgForm* f = AsDialog(F);
        f->FilterComboBox->SetItemIndex(2);
        for (int i = 0; i < f->FileListView->RowCount(); ++i)
            if (f->FileListView->FolderAt(i)->DisplayName() != "music" &&
                f->FileListView->FolderAt(i)->DisplayName() != "notes.txt")
                f->FileListView->Items()->Item(i)->SetSelected(true);
        dialogtest::Click(f->OpenButton);
    });
    EXPECT_TRUE(Dialog.Execute());
    ASSERT_EQ(Dialog.Files()->Count(), 3);
    EXPECT_EQ(Dialog.Files()->Strings(0), Dir.File("Other.MP3"));
    EXPECT_EQ(Dialog.Files()->Strings(1), Dir.File("readme.txt"));
    EXPECT_EQ(Dialog.Files()->Strings(2), Dir.File("song.mp3"));
}

TEST_F(OpenDialogTest, BackUpAndTypedFoldersMoveThroughTheHistory)
{
    std::vector<std::string> paths;
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenDlgForm* f = AsDialog(F);
        f->BackToolButtonClick();   // one entry: nothing
        paths.push_back(f->FileListView->Path());
        Type(f, Dir.File("music"), true);
        Type(f, Dir.File("music/live"), true);
        paths.push_back(f->ShellBox->Path());
        f->BackToolButtonClick();
        paths.push_back(f->FileListView->Path());
        f->BackToolButtonClick();
        paths.push_back(f->FileListView->Path());
        f->UpToolButtonClick();
        paths.push_back(f->FileListView->Path());
        dialogtest::PressKey(VK_ESCAPE);
    });
    Dialog.Execute();
    EXPECT_EQ(paths, (std::vector<std::string>{Dir.Path(), Dir.File("music/live"), Dir.File("music"), Dir.Path(),
                                               ExtractFileDir(Dir.Path())}));
}

TEST_F(OpenDialogTest, NewFoldersAreNumberedAndOpenForRenaming)
{
    bool editing = false;
    TWhenModal act([&](TCustomForm* F) {
        TbsOpenDlgForm* f = AsDialog(F);
        f->NewFolderToolButtonClick();
        f->NewFolderToolButtonClick();
        editing = f->FileListView->IsEditing();
        F->SetModalResult(mrCancel);
    });
    Dialog.Execute();
    struct stat st {};
    EXPECT_EQ(stat(Dir.File("New Folder").c_str(), &st), 0);
    EXPECT_EQ(stat(Dir.File("New Folder(2)").c_str(), &st), 0);
    EXPECT_TRUE(editing);
}

TEST_F(OpenDialogTest, SavingOverAFileAsksFirst)
{
    TSaveDialog save(nullptr);
    save.Filter = Dialog.Filter;
    save.InitialDir = Dir.Path();
    save.OverwritePromt = true;
    for (const char* answer : {"Cancel", "OK"}) {
        bool stillOpen = false;
        TWhenModal act([&](TCustomForm* F) {
            TbsOpenDlgForm* f = AsDialog(F);
            EXPECT_EQ(f->OpenButton->Caption(), "&Save");
            Type(f, "song", false);
            TbsGuiTimer reply(5, [answer] {
                auto* box = dynamic_cast<TbsMessageForm*>(Screen()->ActiveForm());
                if (box && box->IsModal())
                    dialogtest::Click(dynamic_cast<TControl*>(box->FindComponent(answer)));
            });
            f->OpenButtonClick();
            stillOpen = f->ModalResult() == mrNone;
            if (stillOpen)
                dialogtest::PressKey(VK_ESCAPE);
        });
        const bool ok = save.Execute();
        EXPECT_EQ(ok, std::string(answer) == "OK");
        EXPECT_EQ(stillOpen, !ok);
        if (ok) {
            EXPECT_EQ(save.FileName(), Dir.File("song.mp3"));
        }
    }
}

} // namespace
