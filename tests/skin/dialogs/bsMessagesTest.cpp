// Message boxes: the built form's layout for each button set and icon
// source, captions from the UI string table, the check box, and the
// component's modal results, keys, placement and read-back.

#include "skin/dialogs/bsMessages.h"

#include "skin/core/bsSkinData_ResStr.h"
#include "skin/dialogs/bsDialogPictures.h"

#include "../controls/SkinControlsTestSupport.h"
#include "DialogsTestSupport.h"

#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using namespace platform;
using namespace skin;
using dialogtest::TWhenModal;

TbsSkinButton* ButtonNamed(TbsMessageForm* F, const char* AName)
{
    return dynamic_cast<TbsSkinButton*>(F->FindComponent(AName));
}

std::vector<TbsSkinButton*> Buttons(TbsMessageForm* F)
{
    std::vector<TbsSkinButton*> out;
    for (int i = 0; i < F->ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TbsSkinButton*>(F->Components(i)))
            out.push_back(b);
    return out;
}

struct MessageFormTest : skintest::TSkinFixture {
    TbsMessageLook Plain;   // no skins: the built-in look
};

// ---------------------------------------------------------------- layout

struct TButtonSetCase {
    TMsgDlgButtons Buttons;
    std::vector<std::string> Names;   // in the row's order
    const char* Default;              // "" for none
    const char* Cancel;
};

TEST_F(MessageFormTest, ButtonRowsAreCentredWithTheirDefaultAndCancelButtons)
{
    const TButtonSetCase cases[] = {
        {{}, {}, "", ""},
        {{mbOK}, {"OK"}, "OK", "OK"},
        {{mbNo, mbYes}, {"Yes", "No"}, "Yes", "No"},
        {{mbOK, mbCancel}, {"OK", "Cancel"}, "OK", "Cancel"},
        {{mbYes, mbNo, mbCancel}, {"Yes", "No", "Cancel"}, "Yes", "Cancel"},
        {{mbAbort, mbIgnore}, {"Abort", "Ignore"}, "", ""},
        {{mbRetry, mbCancel}, {"Cancel", "Retry"}, "Retry", "Cancel"},
        {{mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose},
         {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help", "Close"},
         "OK",
         "Cancel"},
    };
    for (const TButtonSetCase& c : cases) {
        SCOPED_TRACE(c.Names.size());
        auto f = CreateSkinMessageDialog("Hello", mtInformation, c.Buttons, MsgCentreX, MsgCentreX, Plain);
        TbsSkinStdLabel* label = f->Message;
        EXPECT_EQ(label->Left(), 50);
        EXPECT_EQ(label->Top(), 15);
        const int n = int(c.Names.size());
        const int rowWidth = n ? 70 * n + 10 * (n - 1) : 0;
        EXPECT_EQ(f->ClientHeight(), label->Height() + 25 + 50);
        const int wanted = std::max(label->Left() + label->Width(), rowWidth) + 40;
        // The frame's smallest outer width is 120.
        EXPECT_EQ(f->ClientWidth(), std::max(wanted, 120 - (f->Width() - f->ClientWidth())));
        if (n == 12) {
            EXPECT_EQ(f->ClientWidth(), 990);
        }

        const std::vector<TbsSkinButton*> buttons = Buttons(f.get());
        ASSERT_EQ(int(buttons.size()), n);
        const int x0 = (f->ClientWidth() - rowWidth) / 2;
        for (int i = 0; i < n; ++i) {
            TbsSkinButton* b = buttons[size_t(i)];
            EXPECT_EQ(b->Name(), c.Names[size_t(i)]);
            EXPECT_EQ(b->BoundsRect(), Bounds(x0 + 80 * i, f->ClientHeight() - 35, 70, 25)) << b->Name();
            EXPECT_EQ(b->Default(), b->Name() == c.Default) << b->Name();
            EXPECT_EQ(b->Cancel, b->Name() == c.Cancel) << b->Name();
        }
    }
}

TEST_F(MessageFormTest, ButtonsTakeTheSkinsHeightAndModalResults)
{
    LoadSkin();
    TbsMessageLook look;
    look.CtrlSkinData = Data;
    auto f = CreateSkinMessageDialog("Hello", mtWarning, {mbYes, mbNo, mbAll, mbHelp, mbClose}, MsgCentreX,
                                     MsgCentreX, look);
    const std::pair<const char*, int> results[] = {{"Yes", 6}, {"No", 7}, {"All", 8}, {"Help", 0}, {"Close", 11}};
    for (auto [name, result] : results) {
        TbsSkinButton* b = ButtonNamed(f.get(), name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->ModalResult, result) << name;
        EXPECT_EQ(b->Height(), 20) << name;   // the test skin's button record
        EXPECT_EQ(b->Top(), f->ClientHeight() - 30) << name;
    }
    EXPECT_EQ(f->ClientHeight(), f->Message->Height() + 20 + 50);
}

struct TIconCase {
    const char* Msg;
    TMsgDlgType Type;
    bool FromList;
    int ImageIndex;
};

TEST_F(MessageFormTest, IconsStandBesideTheMiddleOfTheMessage)
{
    TImageList images(nullptr);
    images.SetSize(24, 24);
    TBitmap b;
    b.SetSize(24, 24);
    images.Add(&b, nullptr);
    const TIconCase cases[] = {
        {"one line", mtInformation, false, 0},
        {"one\nline\nafter\nanother", mtError, false, 0},
        {"one line", mtCustom, true, 0},
        {"one\nline\nafter\nanother", mtCustom, true, 0},
    };
    for (const TIconCase& c : cases) {
        SCOPED_TRACE(c.Msg);
        const std::string title = "Title";
        auto f = c.FromList ? CreateCustomMessageDialog(c.Msg, title, &images, c.ImageIndex, {mbOK}, 0, 0, Plain)
                            : CreateSkinMessageDialog(c.Msg, c.Type, {mbOK}, 0, 0, Plain);
        auto* image = dynamic_cast<TImage*>(f->FindComponent("Image"));
        ASSERT_NE(image, nullptr);
        const int middle = f->Message->Top() + f->Message->Height() / 2 - 16;
        const int top = c.FromList ? middle : std::max(middle, 10);
        EXPECT_EQ(image->BoundsRect(), Bounds(5, top, c.FromList ? 24 : 32, c.FromList ? 24 : 32));
        EXPECT_FALSE(image->Picture()->Graphic() == nullptr || image->Picture()->Graphic()->Empty());
        EXPECT_EQ(f->Caption(), c.FromList ? "Title" : MsgDialogCaptions[c.Type]);
    }
    // A one-line label is under 22 pixels: the system icon is held at 10.
    auto one = CreateSkinMessageDialog("x", mtWarning, {mbOK}, 0, 0, Plain);
    ASSERT_LT(one->Message->Height(), 22);
    EXPECT_EQ(dynamic_cast<TImage*>(one->FindComponent("Image"))->Top(), 10);
    // Line breaks give further lines; nothing else wraps.
    auto three = CreateSkinMessageDialog("x\ny\nz", mtWarning, {mbOK}, 0, 0, Plain);
    EXPECT_GE(three->Message->Height(), 3 * one->Message->Height() - 2);
    EXPECT_EQ(three->ClientHeight(), three->Message->Height() + 75);
}

TEST_F(MessageFormTest, CustomTypesAndMissingImagesShowNoIcon)
{
    Application()->Title = "The Program";
    auto custom = CreateSkinMessageDialog("Hello", mtCustom, {mbOK}, 0, 0, Plain);
    auto* image = dynamic_cast<TImage*>(custom->FindComponent("Image"));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->Picture()->Graphic() == nullptr || image->Picture()->Graphic()->Empty());
    EXPECT_EQ(custom->Caption(), "The Program");
    EXPECT_EQ(custom->Message->Left(), 50);

    TImageList images(nullptr);
    for (int index : {-1, 0, 3}) {
        auto f = CreateCustomMessageDialog("Hello", "T", &images, index, {mbOK}, 0, 0, Plain);
        EXPECT_EQ(f->FindComponent("Image"), nullptr) << index;
        EXPECT_EQ(f->Message->Left(), 50);
    }
    auto none = CreateCustomMessageDialog("Hello", "T", nullptr, 0, {mbOK}, 0, 0, Plain);
    EXPECT_EQ(none->FindComponent("Image"), nullptr);
}

TEST_F(MessageFormTest, EveryMessageIconIsDrawnAndOtherIdsAreNot)
{
    for (int id : {IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK}) {
        TImageData image;
        ASSERT_TRUE(DrawMessageIcon(id, image)) << id;
        EXPECT_EQ(image.Width, 32);
        EXPECT_EQ(image.At(0, 0) >> 24, 0u) << "corners are clear";
        EXPECT_EQ(image.At(16, 20) >> 24, 255u) << "the middle is solid";
    }
    TImageData image;
    EXPECT_FALSE(DrawMessageIcon(0, image));
    EXPECT_FALSE(DrawMessageIcon(32512, image));
    for (const char* name : {"BS_BACK_PNG", "BS_UP_PNG", "BS_NEWFOLDER_PNG", "BS_LVSTYLE_PNG", "BS_STRETCH_PNG"}) {
        TImageData picture;
        ASSERT_TRUE(DrawDialogPicture(name, picture)) << name;
        EXPECT_EQ(picture.Width, 16);
        EXPECT_EQ(picture.Height, 16);
    }
    EXPECT_FALSE(DrawDialogPicture("BS_OTHER_PNG", image));
}

TEST_F(MessageFormTest, AMessageWiderThanTheWorkAreaNarrowsTheFormWithoutWrapping)
{
    const std::string wide(600, 'W');
    auto f = CreateSkinMessageDialog(wide, mtInformation, {mbOK}, MsgCentreX, MsgCentreX, Plain);
    EXPECT_EQ(f->Width(), f->BSF->GetMaxWidth());
    EXPECT_GT(f->Message->Width(), f->ClientWidth());
    auto tiny = CreateSkinMessageDialog("", mtCustom, {mbOK}, MsgCentreX, MsgCentreX, Plain);
    EXPECT_EQ(tiny->Width(), 120);
    EXPECT_EQ(ButtonNamed(tiny.get(), "OK")->Left(), (tiny->ClientWidth() - 70) / 2);
}

// ---------------------------------------------------------------- captions

TEST_F(MessageFormTest, CaptionsComeFromTheStringTableByKey)
{
    LoadSkin();
    TbsResourceStrData strings(nullptr);
    TStringList lines;
    lines.Add("MSG_BTN_CANCEL=取消");
    lines.Add("MSG_BTN_CLOSE=关闭");
    lines.Add("MSG_CAP_WARNING=警告");
    strings.SetResStrings(lines);
    Data->SetResourceStrData(&strings);
    TbsMessageLook look;
    look.CtrlSkinData = Data;
    look.ShowAgainFlag = true;
    auto f = CreateSkinMessageDialog("Hello", mtWarning, {mbOK, mbCancel, mbClose}, 0, 0, look);
    EXPECT_EQ(f->Caption(), "警告");
    EXPECT_EQ(ButtonNamed(f.get(), "OK")->Caption(), "");
    EXPECT_EQ(ButtonNamed(f.get(), "Cancel")->Caption(), "取消");
    EXPECT_EQ(ButtonNamed(f.get(), "Close")->Caption(), "关闭");
    ASSERT_NE(f->DisplayCheckBox, nullptr);
    EXPECT_EQ(f->DisplayCheckBox->Caption(), "Do not display this message again");
    auto info = CreateSkinMessageDialog("Hello", mtInformation, {mbOK}, 0, 0, look);
    EXPECT_EQ(info->Caption(), "");
    Data->SetResourceStrData(nullptr);

    auto plain = CreateSkinMessageDialog("Hello", mtConfirmation, {mbYes, mbNoToAll}, 0, 0, Plain);
    EXPECT_EQ(plain->Caption(), "Confirm");
    EXPECT_EQ(ButtonNamed(plain.get(), "Yes")->Caption(), "&Yes");
    EXPECT_EQ(ButtonNamed(plain.get(), "NoToAll")->Caption(), "N&oToAll");
}

TEST_F(MessageFormTest, TheCheckBoxStandsBetweenMessageAndButtons)
{
    for (bool value : {false, true}) {
        TbsMessageLook look;
        look.ShowAgainFlag = true;
        look.ShowAgainFlagValue = value;
        auto f = CreateSkinMessageDialog("Hi", mtInformation, {mbOK}, 0, 0, look);
        ASSERT_NE(f->DisplayCheckBox, nullptr);
        EXPECT_EQ(f->DisplayCheckBox->Checked(), !value);
        const int l = f->Message->Height();
        EXPECT_EQ(f->DisplayCheckBox->Top(), l + 40);
        EXPECT_EQ(f->DisplayCheckBox->Left(), 5);
        EXPECT_EQ(f->DisplayCheckBox->Height(), 30);
        EXPECT_EQ(ButtonNamed(f.get(), "OK")->Top(), l + 80);
        EXPECT_EQ(f->ClientHeight(), l + 25 + 90);
        // The short message leaves the caption to set the width.
        EXPECT_EQ(f->ClientWidth(), f->DisplayCheckBox->Width() + 5);
    }
    TbsMessageLook look;
    look.ShowAgainFlag = true;
    auto wide = CreateWideMessageDialog("Hi", mtInformation, {mbOK}, 0, 0, look);
    EXPECT_EQ(wide->DisplayCheckBox, nullptr);
}

TEST_F(MessageFormTest, AnExplicitDefaultButtonIsActiveAndReplacesTheRule)
{
    auto f = CreateSkinMessageDialogEx("Hello", mtConfirmation, {mbYes, mbNo}, mbNo, 0, 0, Plain);
    EXPECT_FALSE(ButtonNamed(f.get(), "Yes")->Default());
    EXPECT_TRUE(ButtonNamed(f.get(), "No")->Default());
    EXPECT_EQ(f->ActiveControl(), ButtonNamed(f.get(), "No"));
    auto absent = CreateSkinMessageDialogEx("Hello", mtConfirmation, {mbYes, mbNo}, mbOK, 0, 0, Plain);
    for (TbsSkinButton* b : Buttons(absent.get()))
        EXPECT_FALSE(b->Default()) << b->Name();
}

// ---------------------------------------------------------------- the component

struct SkinMessageTest : MessageFormTest {
    TbsSkinMessage Box{nullptr};
};

TbsMessageForm* AsMessageForm(TCustomForm* F) { return dynamic_cast<TbsMessageForm*>(F); }

TEST_F(SkinMessageTest, AClickedButtonClosesTheBoxWithItsResult)
{
    const std::pair<const char*, int> cases[] = {{"Yes", 6}, {"No", 7}, {"Cancel", 2}, {"Retry", 4}, {"Close", 11}};
    for (auto [name, result] : cases) {
        TWhenModal act([name = name](TCustomForm* F) { dialogtest::Click(ButtonNamed(AsMessageForm(F), name)); });
        EXPECT_EQ(Box.MessageDlg("Go on?", mtConfirmation, {mbYes, mbNo, mbCancel, mbRetry, mbClose}, 0), result)
            << name;
        EXPECT_TRUE(act.Done());
    }
}

struct TKeyCase {
    TMsgDlgButtons Buttons;
    int Key;
    int Result;
};

TEST_F(SkinMessageTest, EnterAndEscapeReachTheDefaultAndCancelButtons)
{
    const TKeyCase cases[] = {
        {{mbOK}, VK_RETURN, 1},        {{mbOK}, VK_ESCAPE, 1},          {{mbYes, mbNo}, VK_RETURN, 6},
        {{mbYes, mbNo}, VK_ESCAPE, 7}, {{mbOK, mbCancel}, VK_ESCAPE, 2}, {{mbYes, mbNo, mbCancel}, VK_ESCAPE, 2},
    };
    for (const TKeyCase& c : cases) {
        TWhenModal act([&](TCustomForm*) { dialogtest::PressKey(c.Key); });
        EXPECT_EQ(Box.MessageDlg2("文件已添加", "提示", mtInformation, c.Buttons, 0), c.Result) << c.Key;
    }
}

TEST_F(SkinMessageTest, ClosingTheWindowAnswersCancelAndHelpKeepsTheBoxOpen)
{
    std::vector<std::pair<std::string, int>> asked;
    Application()->OnHelp = [&](const std::string& AFile, int AContext) {
        asked.emplace_back(AFile, AContext);
        return true;
    };
    bool stillOpen = false;
    TWhenModal act([&](TCustomForm* F) {
        dialogtest::Click(ButtonNamed(AsMessageForm(F), "Help"));
        dialogtest::Pump();
        stillOpen = F->Visible() && F->ModalResult() == mrNone;
        // Escape has no button to reach: Abort and Ignore are neither.
        dialogtest::PressKey(VK_ESCAPE);
        dialogtest::Pump();
        stillOpen = stillOpen && F->ModalResult() == mrNone;
        PostMessage(F->Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(Box.MessageDlgHelp("Help?", mtError, {mbAbort, mbIgnore, mbHelp}, 42, "/tmp/help.html"), 2);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(std::string("/tmp/help.html"), 42));
    Application()->OnHelp = nullptr;
}

struct TShowAgainCase {
    bool In;
    bool ClickBox;   // the user toggles the box
    bool Out;
};

TEST_F(SkinMessageTest, TheShowAgainBoxIsReadBackAfterTheBox)
{
    Box.ShowAgainFlag = true;
    const TShowAgainCase cases[] = {{false, false, false}, {false, true, true}, {true, false, true}, {true, true, false}};
    for (const TShowAgainCase& c : cases) {
        Box.ShowAgainFlagValue = c.In;
        TWhenModal act([&](TCustomForm* F) {
            TbsMessageForm* m = AsMessageForm(F);
            if (c.ClickBox)
                m->DisplayCheckBox->SetChecked(!m->DisplayCheckBox->Checked());
            dialogtest::Click(ButtonNamed(m, "OK"));
        });
        EXPECT_EQ(Box.MessageDlg("Again?", mtInformation, {mbOK}, 0), 1);
        EXPECT_EQ(Box.ShowAgainFlagValue, c.Out) << c.In << c.ClickBox;
    }
    // The wide boxes never carry the box and leave the value alone.
    Box.ShowAgainFlagValue = true;
    bool hadBox = true;
    TWhenModal act([&](TCustomForm* F) {
        hadBox = AsMessageForm(F)->DisplayCheckBox != nullptr;
        dialogtest::PressKey(VK_RETURN);
    });
    EXPECT_EQ(Box.WideMessageDlg("Wide", mtInformation, {mbOK}, 0), 1);
    EXPECT_FALSE(hadBox);
    EXPECT_TRUE(Box.ShowAgainFlagValue);
    // Off: left as it was.
    Box.ShowAgainFlag = false;
    Box.ShowAgainFlagValue = false;
    TWhenModal act2([](TCustomForm*) { dialogtest::PressKey(VK_RETURN); });
    Box.MessageDlg("Plain", mtInformation, {mbOK}, 0);
    EXPECT_FALSE(Box.ShowAgainFlagValue);
}

TEST_F(SkinMessageTest, PositionedBoxesMayBeMovedByTheOwner)
{
    int calls = 0;
    Box.OnSetShowPos = [&](int& AX, int&, int AWidth, int AHeight) {
        ++calls;
        EXPECT_GT(AWidth, 0);
        EXPECT_GT(AHeight, 0);
        AX += 10;
    };
    TPoint at;
    TWhenModal act([&](TCustomForm* F) {
        at = Point(F->Left(), F->Top());
        dialogtest::PressKey(VK_RETURN);
    });
    EXPECT_EQ(Box.MessageDlgPos("Here", mtInformation, {mbOK}, 0, 100, 50), 1);
    EXPECT_EQ(at, Point(110, 50));
    EXPECT_EQ(calls, 1);

    TWhenModal centred([&](TCustomForm* F) {
        const TRect screen = Screen()->WorkAreaRect();
        at = Point(F->Left() + F->Width() / 2 - screen.Width() / 2, F->Top() + F->Height() / 2 - screen.Height() / 2);
        dialogtest::PressKey(VK_RETURN);
    });
    Box.MessageDlg("Middle", mtInformation, {mbOK}, 0);
    EXPECT_EQ(calls, 1) << "only the positioned members ask the owner";
    EXPECT_LE(std::abs(at.X), 1);
    EXPECT_LE(std::abs(at.Y), 1);
}

TEST_F(SkinMessageTest, AFreedSkinIsForgotten)
{
    auto* ctrl = new TbsSkinData(nullptr);
    auto* frame = new TbsSkinData(nullptr);
    Box.SetCtrlSkinData(ctrl);
    Box.SetSkinData(frame);
    delete ctrl;
    delete frame;
    EXPECT_EQ(Box.CtrlSkinData(), nullptr);
    EXPECT_EQ(Box.SkinData(), nullptr);
    TWhenModal act([](TCustomForm* F) {
        EXPECT_EQ(ButtonNamed(AsMessageForm(F), "OK")->Height(), 25);
        dialogtest::PressKey(VK_RETURN);
    });
    EXPECT_EQ(Box.MessageDlg("Still works", mtWarning, {mbOK}, 0), 1);
}

TEST_F(SkinMessageTest, TheBoxKeepsServingCallsFromOtherThreadsWhileOpen)
{
    bool ran = false;
    std::thread worker;
    TWhenModal act([&](TCustomForm* F) {
        worker = std::thread([&ran, F] {
            // As an engine's progress event reaches the GUI thread.
            Queue([&ran, F] {
                ran = true;
                F->SetModalResult(mrOk);
            });
        });
    });
    EXPECT_EQ(Box.MessageDlg("Working", mtInformation, {mbCancel}, 0), 1);
    worker.join();
    EXPECT_TRUE(ran);
}

TEST_F(SkinMessageTest, Screenshots)
{
    LoadSkin();
    Box.SetCtrlSkinData(Data);
    Box.ShowAgainFlag = true;
    TWhenModal act([](TCustomForm* F) {
        dialogtest::SaveScreenshot(F, "message_skinned_warning.png");
        dialogtest::PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(Box.MessageDlg("The file already exists.\nReplace it?", mtWarning, {mbOK, mbCancel}, 0), 2);

    TbsSkinMessage plain(nullptr);
    const struct {
        TMsgDlgType Type;
        const char* Name;
    } shots[] = {{mtInformation, "message_information.png"},
                 {mtWarning, "message_warning.png"},
                 {mtError, "message_error.png"},
                 {mtConfirmation, "message_confirmation.png"}};
    for (auto shot : shots) {
        TWhenModal take([&](TCustomForm* F) {
            dialogtest::SaveScreenshot(F, shot.Name);
            dialogtest::PressKey(VK_RETURN);
        });
        plain.MessageDlg2("输出文件夹不存在，请重新选择。", "提示", shot.Type, {mbYes, mbNo}, 0);
    }
}

} // namespace
