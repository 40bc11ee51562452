// The skin chooser: the list of skins, the live preview on a skin model of
// its own, the answers of OK, Cancel, Escape and a double click, and the
// stored-skin mode.

#include "skin/dialogs/bsSelectSkinDialog.h"

#include "../controls/SkinControlsTestSupport.h"
#include "DialogsTestSupport.h"

#include "platform/core/Collections.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using namespace skin;
using dialogtest::TWhenModal;

TbsSelectSkinDlgForm* AsChooser(TCustomForm* F) { return dynamic_cast<TbsSelectSkinDlgForm*>(F); }

struct SkinChooserTest : skintest::TSkinFixture {
    TbsCompressedSkinList* List = new TbsCompressedSkinList(nullptr);
    TbsSelectSkinDialog Dialog{nullptr};

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        // Skin changes go to the forms of the screen, as in the program.
        skin::SetSkinFormList(nullptr);
        for (const char* description : {"Blue", ""}) {
            TbsSkinListItem* item = List->Skins().Add();
            ASSERT_TRUE(item->Skin().LoadFromIniFile(Folder.Ini).Ok());
            item->Description = description;
        }
        Dialog.SetSkinList(List);
    }
    void TearDown() override
    {
        delete List;
        skintest::TSkinFixture::TearDown();
    }
    static void ClickLine(TbsSelectSkinDlgForm* F, int ALine)
    {
        const TRect r = F->SkinsListBox->ItemRect(ALine);
        dialogtest::ClickAt(F->SkinsListBox->ListBox, r.Left + 5, r.Top + r.Height() / 2);
        dialogtest::Pump();
    }
};

TEST_F(SkinChooserTest, WithoutASkinListNothingIsShown)
{
    TbsSelectSkinDialog empty(nullptr);
    EXPECT_FALSE(empty.Execute(0));
    EXPECT_EQ(empty.DlgFrm(), nullptr);
}

TEST_F(SkinChooserTest, OkReportsTheStartingSkinWhenNothingWasPicked)
{
    std::vector<std::string> lines;
    bool previewSkinned = false;
    TSize client;
    TWhenModal act([&](TCustomForm* F) {
        TbsSelectSkinDlgForm* f = AsChooser(F);
        for (int i = 0; i < f->SkinsListBox->Items()->Count(); ++i)
            lines.push_back(f->SkinsListBox->Items()->Strings(i));
        previewSkinned = !f->PreviewSkinData->Empty();
        // The sample takes no input and is never the active window, yet
        // its frame is drawn as an active one.
        EXPECT_FALSE(f->PreviewForm->Active());
        EXPECT_TRUE(f->PreviewBSF->GetFormActive());
        client = TSize{f->ClientWidth(), f->ClientHeight()};
        dialogtest::SaveScreenshot(F, "skin_chooser.png");
        dialogtest::Click(f->OpenButton);
    });
    EXPECT_TRUE(Dialog.Execute(1));
    EXPECT_EQ(Dialog.SelectedSkinIndex(), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"Blue", List->Skins().Items(1)->Name}));
    EXPECT_TRUE(previewSkinned);
    EXPECT_EQ(client.cx, 420);
    EXPECT_EQ(client.cy, 240);
    EXPECT_EQ(Dialog.DlgFrm(), nullptr);
}

TEST_F(SkinChooserTest, PickingALineChangesOnlyThePreview)
{
    TbsSkinData appSkin(nullptr);
    int previewIndex = -1;
    TWhenModal act([&](TCustomForm* F) {
        ClickLine(AsChooser(F), 0);
        previewIndex = AsChooser(F)->PreviewSkinData->SkinIndex();
        dialogtest::PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Dialog.Execute(1));
    EXPECT_EQ(previewIndex, 0);
    EXPECT_EQ(Dialog.SelectedSkinIndex(), -1);
    EXPECT_TRUE(appSkin.Empty()) << "no other skin model took the skin";
    EXPECT_TRUE(Data->Empty());
}

TEST_F(SkinChooserTest, CancelClosingAndDoubleClickAnswerAsTheUserMeant)
{
    const struct {
        const char* What;
        std::function<void(TbsSelectSkinDlgForm*)> Act;
        bool Result;
        int Index;
    } cases[] = {
        {"cancel", [](TbsSelectSkinDlgForm* F) { dialogtest::Click(F->CancelButton); }, false, -1},
        {"closed", [](TbsSelectSkinDlgForm* F) { PostMessage(F->Handle(), WM_CLOSE, 0, 0); }, false, -1},
        {"double click",
         [](TbsSelectSkinDlgForm* F) {
             ClickLine(F, 0);
             const TRect r = F->SkinsListBox->ItemRect(0);
             SendMessage(F->SkinsListBox->ListBox->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(r.Left + 5, r.Top + 2));
         },
         true, 0},
    };
    for (const auto& c : cases) {
        TWhenModal act([&](TCustomForm* F) { c.Act(AsChooser(F)); });
        EXPECT_EQ(Dialog.Execute(1), c.Result) << c.What;
        EXPECT_EQ(Dialog.SelectedSkinIndex(), c.Index) << c.What;
    }
}

TEST_F(SkinChooserTest, AStartOutsideTheListSelectsNothingAndIsReportedBack)
{
    List->Skins().Delete(1);
    int selected = 0;
    bool previewSkinned = true;
    TWhenModal act([&](TCustomForm* F) {
        selected = AsChooser(F)->SkinsListBox->ItemIndex();
        previewSkinned = !AsChooser(F)->PreviewSkinData->Empty();
        dialogtest::PressKey(VK_RETURN);
    });
    EXPECT_TRUE(Dialog.Execute(1));
    EXPECT_EQ(selected, -1);
    EXPECT_FALSE(previewSkinned);
    EXPECT_EQ(Dialog.SelectedSkinIndex(), 1);
}

TEST_F(SkinChooserTest, StoredSkinsOfTheOwnerFormAreOffered)
{
    TForm owner(nullptr);
    TbsSelectSkinDialog dialog(&owner);
    EXPECT_THROW(dialog.Execute(static_cast<TbsCompressedStoredSkin*>(nullptr)), EListError);
    auto* first = new TbsCompressedStoredSkin(&owner);
    auto* second = new TbsCompressedStoredSkin(&owner);
    first->SetName("FirstSkin");
    second->Description = "Second";
    for (auto* s : {first, second})
        ASSERT_TRUE(s->LoadFromIniFile(Folder.Ini).Ok());
    std::vector<std::string> lines;
    TWhenModal act([&](TCustomForm* F) {
        TbsSelectSkinDlgForm* f = AsChooser(F);
        for (int i = 0; i < f->SkinsListBox->Items()->Count(); ++i)
            lines.push_back(f->SkinsListBox->Items()->Strings(i));
        EXPECT_EQ(f->SkinsListBox->ItemIndex(), 1);
        ClickLine(f, 0);
        dialogtest::Click(f->OpenButton);
    });
    EXPECT_TRUE(dialog.Execute(second));
    EXPECT_EQ(lines, (std::vector<std::string>{"FirstSkin", "Second"}));
    EXPECT_EQ(dialog.SelectedSkin(), first);
}

} // namespace

#include "skins/DefaultSkin.h"
#include "skin/dialogs/bsMessages.h"

namespace {

// The chooser and a message box as the program shows them, in its own skin.
TEST_F(SkinChooserTest, ScreenshotsInTheProgramsSkin)
{
    TbsCompressedSkinList programList(nullptr);
    skins::AddDefaultSkin(programList);
    TbsSkinListItem* test = programList.Skins().Add();
    ASSERT_TRUE(test->Skin().LoadFromIniFile(Folder.Ini).Ok());
    test->Description = "Test";
    TbsSkinData programSkin(nullptr);
    programSkin.SetSkinList(&programList);
    ASSERT_FALSE(programSkin.Empty());

    Dialog.SetSkinList(&programList);
    Dialog.SetSkinData(&programSkin);
    Dialog.SetCtrlSkinData(&programSkin);
    Dialog.Title = "选择皮肤";
    TWhenModal act([&](TCustomForm* F) {
        dialogtest::SaveScreenshot(F, "skin_chooser_program_skin.png");
        ClickLine(AsChooser(F), 1);
        dialogtest::SaveScreenshot(F, "skin_chooser_test_skin_preview.png");
        EXPECT_EQ(programSkin.SkinIndex(), 0) << "the program's skin model is left alone";
        dialogtest::PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Dialog.Execute(0));

    TbsSkinMessage box(nullptr);
    box.SetSkinData(&programSkin);
    box.SetCtrlSkinData(&programSkin);
    TWhenModal shot([](TCustomForm* F) {
        dialogtest::SaveScreenshot(F, "message_program_skin.png");
        dialogtest::PressKey(VK_RETURN);
    });
    EXPECT_EQ(box.MessageDlg2("输出文件夹不存在，请重新选择。", "提示", mtInformation, {mbOK}, 0), 1);
}

} // namespace
