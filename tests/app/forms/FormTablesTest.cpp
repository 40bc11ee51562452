// Each form as start-up makes it, compared with one table of what is fixed
// for its components: kind, parent, place, caption, skin record, skin model,
// hint and font; and its frame: border icons, fonts, placement.
#include "FormsTestSupport.h"
#include "support/SamePicture.h"

#include "app/forms/ProgramPictures.h"
#include "app/forms/TaskListView.h"
#include "app/workflow/ProgramFiles.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinOpenDialog.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsTrayIcon.h"

#include "platform/controls/ExtCtrls.h"


using namespace app;
using namespace formstest;
using namespace platform;
using namespace skin;
using testsupport::SamePicture;

namespace {

class FormTablesTest : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        Create(std::make_unique<apptest::TFakeEngine>());
    }

    static TbsSkinForm* FrameOf(TComponent& AForm)
    {
        for (int i = 0; i < AForm.ComponentCount(); ++i)
            if (auto* frame = dynamic_cast<TbsSkinForm*>(AForm.Components(i)))
                return frame;
        return nullptr;
    }

    // The names of AForm's controls that Tab visits from the start, in order.
    static std::vector<std::string> TabWalk(TCustomForm& AForm)
    {
        std::vector<std::string> names;
        TWinControl* first = AForm.FindNextControl(nullptr, true, true, false);
        for (TWinControl* c = first; c; c = AForm.FindNextControl(c, true, true, false)) {
            names.push_back(c->Name());
            if (names.size() > 50 || AForm.FindNextControl(c, true, true, false) == first)
                break;
        }
        return names;
    }
};

} // namespace

TEST_F(FormTablesTest, MainWindow)
{
    ExpectFormRows(*Form1, *Form1, {
        {"bsSkinMainMenuBar1", typeid(TbsSkinMainMenuBar), "Form1", {0, 0, 827, 22}, true, nullptr, "mainmenubar", 1},
        {"bsSkinToolBar2", typeid(TbsSkinToolBar), "Form1", {0, 22, 827, 91}, true, nullptr, "resizetoolpanel", 1},
        {"bsSkinMenuSpeedButton1", typeid(TbsSkinMenuSpeedButton), "bsSkinToolBar2", {8, 4, 80, 64}, true, "添加", "resizetoolbutton", 2},
        {"bsSkinButton7", typeid(TbsSkinButton), "bsSkinToolBar2", {84, 4, 156, 64}, true, "删除", nullptr, 2},
        {"bsSkinButton8", typeid(TbsSkinButton), "bsSkinToolBar2", {160, 4, 232, 64}, true, "清空", nullptr, 2},
        {"bsSkinButton19", typeid(TbsSkinButton), "bsSkinToolBar2", {236, 4, 308, 64}, true, "选项", nullptr, 2},
        {"bsSkinBevel1", typeid(TbsSkinBevel), "bsSkinToolBar2", {314, -1, 339, 69}, true, nullptr, "bevel", 1},
        {"bsSkinPanel1", typeid(TbsSkinPanel), "Form1", {5, 99, 575, 359}, true, nullptr, nullptr, 1},
        {"lvFiles", typeid(TTaskListView), "bsSkinPanel1", {13, 10, 536, 212}, true, nullptr, "listview", 1},
        // The list's bars stand 19 pixels across, the skin's as designed.
        {"bsSkinScrollBar1", typeid(TbsSkinScrollBar), "bsSkinPanel1", {13, 212, 475, 231}, true, nullptr, "hscrollbar", 1},
        {"bsSkinScrollBar2", typeid(TbsSkinScrollBar), "bsSkinPanel1", {536, 10, 555, 212}, false, nullptr, "vscrollbar", 1},
        {"bsSkinButton4", typeid(TbsSkinButton), "bsSkinPanel1", {13, 233, 47, 257}, true, nullptr, nullptr, 1, "下移"},
        {"bsSkinButton3", typeid(TbsSkinButton), "bsSkinPanel1", {53, 233, 87, 257}, true, nullptr, nullptr, 1, "上移"},
        {"bsSkinButton21", typeid(TbsSkinButton), "bsSkinPanel1", {93, 233, 127, 257}, true, nullptr, nullptr, 1, "重命名"},
        {"bsSkinPanel5", typeid(TbsSkinPanel), "Form1", {5, 99, 575, 359}, true, nullptr, nullptr, 1},
        {"bsSkinPanel3", typeid(TbsSkinPanel), "Form1", {584, 99, 810, 360}, true, "视频预览", "groupbox", 1},
        {"Panel6", typeid(TPanel), "Form1", {591, 131, 801, 266}, true},
        {"Image18", typeid(TImage), "Panel6", {0, 0, 210, 135}, true},
        {"bsSkinSlider1", typeid(TbsSkinSlider), "bsSkinPanel3", {3, 173, 221, 204}, true, nullptr, "slider", 1},
        {"bsSkinButton13", typeid(TbsSkinButton), "bsSkinPanel3", {8, 204, 38, 234}, true, nullptr, "resizetoolbutton", 1, "播放"},
        {"bsSkinButton14", typeid(TbsSkinButton), "bsSkinPanel3", {45, 204, 75, 234}, true, nullptr, "resizetoolbutton", 1, "暂停"},
        {"bsSkinButton15", typeid(TbsSkinButton), "bsSkinPanel3", {79, 204, 109, 234}, true, nullptr, "resizetoolbutton", 1, "停止"},
        {"bsSkinButton16", typeid(TbsSkinButton), "bsSkinPanel3", {115, 204, 145, 234}, true, nullptr, "resizetoolbutton", 1, "静音"},
        {"bsSkinButton20", typeid(TbsSkinButton), "bsSkinPanel3", {115, 204, 145, 234}, false, nullptr, "resizetoolbutton", 1, "静音"},
        {"bsSkinButton22", typeid(TbsSkinButton), "bsSkinPanel3", {151, 204, 181, 234}, true, nullptr, "resizetoolbutton", 1, "快照"},
        {"bsSkinButton23", typeid(TbsSkinButton), "bsSkinPanel3", {187, 204, 217, 234}, true, nullptr, "resizetoolbutton", 1, "设置"},
        {"bsSkinPanel2", typeid(TbsSkinPanel), "Form1", {3, 367, 575, 476}, true, nullptr, nullptr, 1},
        {"bsSkinTextLabel1", typeid(TbsSkinTextLabel), "bsSkinPanel2", {12, 21, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinTextLabel2", typeid(TbsSkinTextLabel), "bsSkinPanel2", {12, 68, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinOfficeComboBox2", typeid(TbsSkinOfficeComboBox), "bsSkinPanel2", {80, 8, 0, 0}, true, nullptr, nullptr, 1},
        {"bsSkinOfficeComboBox1", typeid(TbsSkinOfficeComboBox), "bsSkinPanel2", {236, 8, 0, 0}, true, nullptr, nullptr, 1},
        {"bsSkinButton24", typeid(TbsSkinButton), "bsSkinPanel2", {492, 17, 562, 43}, true, "设置...", nullptr, 1},
        {"Video_OutPut_Folder_Edit", typeid(TbsSkinEdit), "bsSkinPanel2", {80, 64, 0, 0}, true, nullptr, "edit", 1},
        {"bsSkinButton5", typeid(TbsSkinButton), "bsSkinPanel2", {416, 62, 486, 88}, true, "浏览...", nullptr, 1},
        {"bsSkinButton6", typeid(TbsSkinButton), "bsSkinPanel2", {492, 62, 562, 88}, true, "打开", nullptr, 1},
        {"bsSkinButton2", typeid(TbsSkinButton), "Form1", {584, 366, 709, 477}, true, "开始", nullptr, 2},
        {"bsSkinButton11", typeid(TbsSkinButton), "Form1", {724, 366, 810, 426}, true, "暂停", nullptr, 2},
        {"bsSkinButton12", typeid(TbsSkinButton), "Form1", {724, 366, 810, 426}, false, "继续", nullptr, 1},
        {"bsSkinButton10", typeid(TbsSkinButton), "Form1", {724, 432, 810, 476}, true, "停止", nullptr, 2},
        {"bsSkinPanel4", typeid(TbsSkinPanel), "Form1", {905, 220, 0, 0}, true, "预置选项", nullptr, 1},
        {"bsSkinTextLabel3", typeid(TbsSkinTextLabel), "bsSkinPanel4", {8, 27, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinTextLabel4", typeid(TbsSkinTextLabel), "bsSkinPanel4", {243, 27, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinTextLabel5", typeid(TbsSkinTextLabel), "bsSkinPanel4", {8, 57, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinTextLabel6", typeid(TbsSkinTextLabel), "bsSkinPanel4", {243, 57, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinTextLabel7", typeid(TbsSkinTextLabel), "bsSkinPanel4", {8, 87, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinTextLabel8", typeid(TbsSkinTextLabel), "bsSkinPanel4", {243, 87, 0, 0}, true, nullptr, "stdlabel", 1},
        {"Button18", typeid(TButton), "Panel1", {300, 8, 450, 33}, true, "根据combox添加预设选项"},
        {"Button13", typeid(TButton), "Panel1", {300, 38, 450, 63}, true, "确认预置选项数据"},
        {"bsSkinButton9", typeid(TbsSkinButton), "Panel4", {8, 8, 88, 32}, true, "皮肤", nullptr, 2},
    });
    for (const char* name : {"bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox3", "bsSkinComboBox4",
                             "bsSkinComboBox9", "bsSkinComboBox10"})
        ExpectFormRows(*Form1, *Form1, {{name, typeid(TbsSkinComboBox), "bsSkinPanel4", Anywhere, true, nullptr, nullptr, 2}});
    // Each preset list's caption stands on its left.
    const struct {
        const char* Label;
        const char* Text;
        const char* List;
    } captions[] = {{"bsSkinTextLabel3", "视频分辨率：", "bsSkinComboBox1"},
                    {"bsSkinTextLabel4", "视频比特率：", "bsSkinComboBox2"},
                    {"bsSkinTextLabel5", "音频比特率：", "bsSkinComboBox3"},
                    {"bsSkinTextLabel6", "视频缩放：", "bsSkinComboBox4"},
                    {"bsSkinTextLabel7", "视频帧率：", "bsSkinComboBox9"},
                    {"bsSkinTextLabel8", "音频采样率：", "bsSkinComboBox10"}};
    for (const auto& c : captions) {
        auto* label = dynamic_cast<TbsSkinTextLabel*>(Form1->FindComponent(c.Label));
        auto* list = dynamic_cast<TControl*>(Form1->FindComponent(c.List));
        ASSERT_TRUE(label && list) << c.Label;
        ASSERT_EQ(label->Lines()->Count(), 1) << c.Label;
        EXPECT_EQ(label->Lines()->Strings(0), c.Text) << c.Label;
        EXPECT_LE(label->BoundsRect().Right, list->Left()) << c.Label;
        EXPECT_LT(label->Top(), list->BoundsRect().Bottom) << c.Label;
        EXPECT_GT(label->BoundsRect().Bottom, list->Top()) << c.Label;
    }

    // The seek slider: no ticks, see-through, the skin's knob.
    auto* slider = dynamic_cast<TbsSkinSlider*>(Form1->FindComponent("bsSkinSlider1"));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->Options(), TbsSliderOptions(SliderOption(soShowFocus) | SliderOption(soSmooth)));
    EXPECT_TRUE(slider->Transparent());
    EXPECT_TRUE(slider->UseSkinThumb);
    EXPECT_EQ(slider->Orientation(), soHorizontal);
    for (const char* name : {"bsSkinButton13", "bsSkinButton14", "bsSkinButton15", "bsSkinButton16", "bsSkinButton20",
                             "bsSkinButton22", "bsSkinButton23"})
        EXPECT_TRUE(dynamic_cast<TControl*>(Form1->FindComponent(name))->ShowHint) << name;

    // The tool bar scrolls what does not fit; the add button is flat and
    // drops its menu.
    auto* bar = dynamic_cast<TbsSkinToolBar*>(Form1->FindComponent("bsSkinToolBar2"));
    EXPECT_EQ(bar->Align(), alTop);
    EXPECT_TRUE(bar->CanScroll && bar->HotScroll && bar->AdjustControls);
    EXPECT_EQ(bar->ScrollOffset(), 30);
    EXPECT_EQ(bar->ScrollTimerInterval(), 50);
    EXPECT_TRUE(bar->ShowCaptions());
    EXPECT_TRUE(bar->Flat());
    auto* add = dynamic_cast<TbsSkinMenuSpeedButton*>(Form1->FindComponent("bsSkinMenuSpeedButton1"));
    EXPECT_TRUE(add->Flat());
    EXPECT_TRUE(add->Transparent());
    // Any press on it drops the add menu; it has no command of its own.
    EXPECT_FALSE(add->TrackButtonMode());
    EXPECT_EQ(dynamic_cast<TComponent*>(add->SkinPopupMenu()), Form1->FindComponent("bsSkinPopupMenu1"));
    EXPECT_TRUE(add->CanMenuTrack(0, 0));
    EXPECT_TRUE(add->CanMenuTrack(add->Width() / 2, add->Height() / 2));
    EXPECT_FALSE(add->OnClick);
    EXPECT_TRUE(dynamic_cast<TbsSkinBevel*>(Form1->FindComponent("bsSkinBevel1"))->DividerMode());

    // The tool bar's pictures stand above their captions: 添加 and 选项 in
    // colour, 删除 and 清空 greyed while the list is empty.
    const struct {
        const char* Name;
        TGlyph Glyph;
        bool On;
    } pictures[] = {{"bsSkinButton7", TGlyph::Remove, false},
                    {"bsSkinButton8", TGlyph::Clear, false},
                    {"bsSkinButton19", TGlyph::Options, true}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.Name);
        auto* button = dynamic_cast<TbsSkinButton*>(Form1->FindComponent(p.Name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Layout(), blGlyphTop);
        EXPECT_TRUE(SamePicture(*button->Glyph(), *MakeGlyph(p.Glyph, 32, p.On)));
    }
    EXPECT_EQ(add->Layout(), blGlyphTop);
    EXPECT_TRUE(SamePicture(*add->Glyph(), *MakeGlyph(TGlyph::Add, 32)));

    // The "提示" boxes write in Arial 14, text and buttons, in the main skin.
    TbsSkinMessage* messages = Form1->Messages();
    EXPECT_EQ(messages->Name(), "bsSkinMessage1");
    for (TFont* font : {messages->DefaultFont(), messages->DefaultButtonFont()}) {
        EXPECT_EQ(font->Name(), "Arial");
        EXPECT_EQ(font->Height(), 14);
    }
    EXPECT_EQ(messages->SkinData(), Form1->SkinData());
    EXPECT_EQ(messages->CtrlSkinData(), Form1->SkinData());

    // The frame: the minimize button only, Arial captions and menu items,
    // the menu bar and the hint component.
    TbsSkinForm* frame = FrameOf(*Form1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->BorderIcons(), TbsBorderIcons(biMinimize));
    EXPECT_EQ(frame->SkinData(), Form1->SkinData());
    EXPECT_EQ(frame->MenusSkinData(), Form1->SkinData());
    EXPECT_EQ(frame->MainMenuBar(), Form1->FindComponent("bsSkinMainMenuBar1"));
    for (TFont* font : {frame->DefCaptionFont(), frame->DefInActiveCaptionFont(), frame->SkinMenu()->DefaultMenuItemFont()}) {
        EXPECT_EQ(font->Name(), "Arial");
        EXPECT_EQ(font->Height(), 14);
    }
    EXPECT_TRUE(frame->DefCaptionFont()->Style().Contains(fsBold));
    EXPECT_EQ(frame->SkinMenu()->DefaultMenuItemHeight, 20);
    auto* hint = dynamic_cast<TbsSkinHint*>(Form1->FindComponent("bsSkinHint1"));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(frame->SkinHint(), hint);
    EXPECT_EQ(hint->SkinData(), Form1->SkinData());
    EXPECT_TRUE(hint->Active());
    EXPECT_EQ(hint->DefaultFont()->Name(), "MS Sans Serif");
    auto* menuBar = dynamic_cast<TbsSkinMainMenuBar*>(Form1->FindComponent("bsSkinMainMenuBar1"));
    EXPECT_EQ(menuBar->DefItemFont()->Name(), "Arial");
    EXPECT_EQ(menuBar->DefItemFont()->Height(), 14);

    // The window never goes to the notification area: its icon is there
    // for the frame, hidden and deaf to the mouse.
    auto* tray = dynamic_cast<TbsTrayIcon*>(Form1->FindComponent("bsTrayIcon1"));
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(frame->TrayIcon(), tray);
    EXPECT_FALSE(tray->Enabled);
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_EQ(tray->AnimateTimerInterval(), 0u);

    // The two open dialogs of the add commands.
    const struct {
        const char* Name;
        bool Many;
    } dialogs[] = {{"OpenDialog1", false}, {"OpenDialog2", true}};
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.Name);
        auto* dialog = dynamic_cast<TbsSkinOpenDialog*>(Form1->FindComponent(d.Name));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Title, "打开文件");
        EXPECT_EQ(dialog->MultiSelection, d.Many);
        EXPECT_TRUE(dialog->ToolButtonsTransparent);
        EXPECT_EQ(dialog->LVHeaderSkinDataName, "resizebutton");
        EXPECT_EQ(dialog->DefaultFont()->Name(), "Arial");
        EXPECT_EQ(dialog->DefaultFont()->Height(), 14);
        EXPECT_EQ(dialog->SkinData(), Form1->SkinData());
        EXPECT_EQ(dialog->CtrlSkinData(), Form1->SkinData());
    }
}

TEST_F(FormTablesTest, AboutBox)
{
    ExpectFormRows(*Form2, *Form1, {
        {"Image1", typeid(TImage), "Form2", {30, 18, 117, 101}},
        {"bsSkinStdLabel3", typeid(TbsSkinStdLabel), "Form2", {144, 14, 0, 0}, true, "ZarveloMP3格式转换器", nullptr, 1, nullptr, "黑体", -20},
        {"bsSkinStdLabel4", typeid(TbsSkinStdLabel), "Form2", {160, 50, 0, 0}, true, "Ver:1.00.218", nullptr, 1, nullptr, "宋体", -12},
        {"bsSkinStdLabel1", typeid(TbsSkinStdLabel), "Form2", {30, 126, 0, 0}, true, "了解更多请访问：", nullptr, 1},
        {"bsSkinStdLabel2", typeid(TbsSkinStdLabel), "Form2", {202, 124, 0, 0}, true, "联系邮箱：", nullptr, 1},
        {"bsSkinLinkLabel1", typeid(TbsSkinLinkLabel), "Form2", {19, 145, 172, 178}, true, nullptr, nullptr, 1},
        {"bsSkinLinkLabel2", typeid(TbsSkinLinkLabel), "Form2", {186, 145, 339, 178}, true, nullptr, nullptr, 1},
        {"bsSkinButton1", typeid(TbsSkinButton), "Form2", {252, 184, 324, 209}, true, "确定", nullptr, 1},
    });
    EXPECT_EQ(Form2->Caption(), "关于");
    EXPECT_FALSE(Form2->Visible()) << "made at start-up, shown by its command";
    EXPECT_TRUE(dynamic_cast<TImage*>(Form2->FindComponent("Image1"))->Transparent);
    EXPECT_TRUE(dynamic_cast<TbsSkinStdLabel*>(Form2->FindComponent("bsSkinStdLabel4"))->Font()->Style().Contains(fsBold));
    TbsSkinForm* frame = FrameOf(*Form2);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->SkinData(), Form1->SkinData());
    EXPECT_EQ(frame->BorderIcons(), TbsBorderIcons(0));
    EXPECT_EQ(frame->PositionInMonitor, bspDesktopCenter);
    EXPECT_TRUE(frame->ShowIcon);
    EXPECT_TRUE(frame->Magnetic);
    EXPECT_EQ(frame->MagneticSize, 10);
    EXPECT_EQ(frame->ClientWidth, 368);
    EXPECT_EQ(frame->ClientHeight, 238);
    EXPECT_EQ(Form2->ClientWidth(), 368);
    EXPECT_EQ(Form2->ClientHeight(), 238);
    // The title stands whole inside the box, with room to its border.
    EXPECT_LE(dynamic_cast<TControl*>(Form2->FindComponent("bsSkinStdLabel3"))->BoundsRect().Right + 8,
              Form2->ClientWidth());

    // The two links: centred in their boxes, underlined, glowing under the
    // hand pointer; the first opens the help page, the second a new mail.
    const struct {
        const char* Name;
        std::string Url;
    } links[] = {{"bsSkinLinkLabel1", Form1->HelpPage()}, {"bsSkinLinkLabel2", ContactMailLink}};
    for (const auto& l : links) {
        SCOPED_TRACE(l.Name);
        auto* link = dynamic_cast<TbsSkinLinkLabel*>(Form2->FindComponent(l.Name));
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->Alignment, taCenter);
        EXPECT_FALSE(link->AutoSize());
        EXPECT_TRUE(link->UseUnderLine());
        EXPECT_TRUE(link->GlowEffect);
        EXPECT_EQ(link->Cursor, crHandPoint);
        EXPECT_EQ(link->URL, l.Url);
    }
    // Its one button answers both Return and Escape.
    auto* ok = dynamic_cast<TbsSkinButton*>(Form2->FindComponent("bsSkinButton1"));
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(ok->Cancel);
}

TEST_F(FormTablesTest, OptionsDialog)
{
    ExpectFormRows(*Form5, *Form1, {
        {"bsSkinPageControl1", typeid(TbsSkinPageControl), "Form5", {33, 23, 504, 401}, true, nullptr, "tab", 1},
        {"bsSkinTabSheet1", typeid(TbsSkinTabSheet), "bsSkinPageControl1", Anywhere, false, "CPU"},
        {"bsSkinTabSheet2", typeid(TbsSkinTabSheet), "bsSkinPageControl1", Anywhere, true, "常规"},
        {"bsSkinCheckRadioBox9", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "系统空闲时进行", "radiobox", 2},
        {"bsSkinCheckRadioBox10", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "最低优先级进行", "radiobox", 2},
        {"bsSkinCheckRadioBox11", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "较低优先级进行", "radiobox", 2},
        {"bsSkinCheckRadioBox12", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "正常优先级进行", "radiobox", 2},
        {"bsSkinComboBox2", typeid(TbsSkinComboBox), "", Anywhere, true, nullptr, nullptr, 1},
        {"bsSkinCheckRadioBox7", typeid(TbsSkinCheckRadioBox), "", Anywhere, false, "启用多线程模式   （同时进行转换的视频个数）", nullptr, 1},
        {"bsSkinCheckRadioBox8", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "转换时进行实时视频预览", nullptr, 1},
        {"bsSkinCheckRadioBox3", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "直接覆盖输出文件", "radiobox", 2},
        {"bsSkinCheckRadioBox6", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "自动重命名输出文件", "radiobox", 2},
        {"bsSkinCheckRadioBox1", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "自动打开输出文件夹", "radiobox", 2},
        {"bsSkinCheckRadioBox2", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "自动关闭计算机", "radiobox", 2},
        {"bsSkinCheckRadioBox4", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, " 播放提示音乐", "radiobox", 2},
        {"bsSkinCheckRadioBox5", typeid(TbsSkinCheckRadioBox), "", Anywhere, true, "不进行任何操作", "radiobox", 2},
        {"bsSkinButton6", typeid(TbsSkinButton), "Form5", {328, 415, 403, 440}, true, "确定", nullptr, 1},
        {"bsSkinButton1", typeid(TbsSkinButton), "Form5", {423, 415, 498, 440}, true, "取消", nullptr, 1},
    });
    EXPECT_EQ(Form5->Caption(), "选项");
    EXPECT_EQ(Form5->ShownPage(), 1) << "常规 is shown first";
    EXPECT_TRUE(dynamic_cast<TbsSkinButton*>(Form5->FindComponent("bsSkinButton1"))->Cancel);
    TbsSkinForm* frame = FrameOf(*Form5);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->BorderIcons(), TbsBorderIcons(0));
    EXPECT_EQ(frame->SkinData(), Form1->SkinData());
}

TEST_F(FormTablesTest, OutputSettingsDialog)
{
    ExpectFormRows(*Form7, *Form1, {
        {"bsSkinOfficeComboBox2", typeid(TbsSkinOfficeComboBox), "Form7", {26, 17, 157, 68}, true, nullptr, "combobox", 1, nullptr, "宋体", -12},
        {"bsSkinOfficeComboBox1", typeid(TbsSkinOfficeComboBox), "Form7", {164, 17, 492, 68}, true, nullptr, "combobox", 1, nullptr, "宋体", -12},
        {"bsSkinPanel4", typeid(TbsSkinPanel), "Form7", {26, 85, 492, 243}, true, "预置视频参数", "groupbox", 1},
        {"bsSkinPanel1", typeid(TbsSkinPanel), "Form7", {26, 256, 492, 353}, true, "预置音频参数", "groupbox", 1},
        {"bsSkinComboBox1", typeid(TbsSkinComboBox), "bsSkinPanel4", {15, 66, 191, 86}, true, nullptr, nullptr, 1},
        {"bsSkinComboBox2", typeid(TbsSkinComboBox), "bsSkinPanel4", {264, 66, 440, 86}, true, nullptr, nullptr, 1},
        {"bsSkinComboBox4", typeid(TbsSkinComboBox), "bsSkinPanel4", {15, 119, 191, 139}, true, nullptr, nullptr, 1},
        {"bsSkinComboBox9", typeid(TbsSkinComboBox), "bsSkinPanel4", {264, 119, 440, 139}, true, nullptr, nullptr, 1},
        {"bsSkinComboBox3", typeid(TbsSkinComboBox), "bsSkinPanel1", {15, 56, 191, 76}, true, nullptr, nullptr, 1},
        {"bsSkinComboBox10", typeid(TbsSkinComboBox), "bsSkinPanel1", {264, 57, 440, 77}, true, nullptr, nullptr, 1},
        {"bsSkinButton2", typeid(TbsSkinButton), "Form7", {323, 371, 392, 396}, true, "确定", nullptr, 1},
        {"bsSkinButton3", typeid(TbsSkinButton), "Form7", {419, 371, 488, 396}, true, "取消", nullptr, 1},
    });
    EXPECT_EQ(Form7->Caption(), "选项设置");
    EXPECT_EQ(Form7->ClientWidth(), 511);
    EXPECT_EQ(Form7->ClientHeight(), 418);
    EXPECT_TRUE(dynamic_cast<TbsSkinButton*>(Form7->FindComponent("bsSkinButton3"))->Cancel);
    // Its field captions read the skin's label record.
    int captions = 0;
    for (int i = 0; i < Form7->ComponentCount(); ++i)
        if (auto* label = dynamic_cast<TbsSkinTextLabel*>(Form7->Components(i))) {
            ++captions;
            EXPECT_EQ(label->SkinData(), Form1->SkinData());
            EXPECT_TRUE(label->UseSkinFont && label->UseSkinColor);
        }
    EXPECT_EQ(captions, 6);
    EXPECT_EQ(FrameOf(*Form7)->BorderIcons(), TbsBorderIcons(0));

    // Tab order: the video group, Cancel, OK, the audio group, the profile,
    // the category; inside the groups their lists in reading order.
    const std::vector<std::string> order = {"bsSkinPanel4", "bsSkinButton3", "bsSkinButton2",
                                            "bsSkinPanel1", "bsSkinOfficeComboBox1", "bsSkinOfficeComboBox2"};
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(dynamic_cast<TWinControl*>(Form7->FindComponent(order[i]))->TabOrder(), int(i)) << order[i];
    const struct {
        const char* Group;
        std::vector<std::string> Lists;
    } groups[] = {{"bsSkinPanel4", {"bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox4", "bsSkinComboBox9"}},
                  {"bsSkinPanel1", {"bsSkinComboBox3", "bsSkinComboBox10"}}};
    for (const auto& g : groups)
        for (size_t i = 0; i < g.Lists.size(); ++i)
            EXPECT_EQ(dynamic_cast<TWinControl*>(Form7->FindComponent(g.Lists[i]))->TabOrder(), int(i)) << g.Lists[i];
}

// Shown, the output settings dialog walks its Tab order; opened on an audio
// profile it gives the first focus to Cancel, the first control on.
TEST_F(FormTablesTest, OutputSettingsDialogFocus)
{
    Form7->Opening();
    Form7->Show();
    Application()->ProcessMessages();
    ASSERT_NE(Form7->ActiveControl(), nullptr);
    EXPECT_EQ(Form7->ActiveControl()->Name(), "bsSkinButton3");
    // With the first category's audio profile the video lists are off, so
    // the walk starts at Cancel; a video profile starts it at the resolution.
    EXPECT_EQ(TabWalk(*Form7), (std::vector<std::string>{"bsSkinButton3", "bsSkinButton2", "bsSkinComboBox3",
                                                          "bsSkinComboBox10", "bsSkinOfficeComboBox1",
                                                          "bsSkinOfficeComboBox2"}));
    Form7->CategoryCombo()->SetItemIndex(1);
    EXPECT_EQ(TabWalk(*Form7), (std::vector<std::string>{
                                   "bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox4", "bsSkinComboBox9",
                                   "bsSkinButton3", "bsSkinButton2", "bsSkinComboBox3", "bsSkinComboBox10",
                                   "bsSkinOfficeComboBox1", "bsSkinOfficeComboBox2"}));
    Form7->Hide();
}

TEST_F(FormTablesTest, LegacySettingsDialog)
{
    ExpectFormRows(*Form6, *Form1, {
        {"bsSkinPanel2", typeid(TbsSkinPanel), "Form6", {157, 20, 782, 129}, true, nullptr, nullptr, 1},
        {"bsSkinTextLabel5", typeid(TbsSkinTextLabel), "bsSkinPanel2", {17, 48, 0, 0}, true, nullptr, "stdlabel", 1},
        {"bsSkinButton1", typeid(TbsSkinButton), "bsSkinPanel2", {621, 139, 676, 190}, false, "设置", "resizebutton", NoModel},
        {"bsSkinPageControl1", typeid(TbsSkinPageControl), "Form6", {38, 175, 663, 397}, true, nullptr, "tab", 1},
        {"bsSkinTabSheet1", typeid(TbsSkinTabSheet), "bsSkinPageControl1", Anywhere, true, "标准参数设置"},
        {"bsSkinTabSheet2", typeid(TbsSkinTabSheet), "bsSkinPageControl1", Anywhere, false, "剪辑设置"},
        {"bsSkinTabSheet3", typeid(TbsSkinTabSheet), "bsSkinPageControl1", Anywhere, false, "文字水印"},
        {"Panel1", typeid(TPanel), "Form6", {704, 77, 1009, 382}, true, "Panel1"},
        {"bsSkinButton2", typeid(TbsSkinButton), "Form6", {480, 416, 0, 0}, true, "确定", nullptr, 1},
        {"bsSkinButton3", typeid(TbsSkinButton), "Form6", {594, 416, 0, 0}, true, "取消", nullptr, 1},
    });
    EXPECT_EQ(Form6->Caption(), "设置选项");
    EXPECT_FALSE(Form6->Visible());
    EXPECT_EQ(Form6->BorderStyle(), bsSingle);
    EXPECT_EQ(Form6->BorderIcons, TBorderIcons(0));
    EXPECT_EQ(Form6->Position, poMainFormCenter);
    EXPECT_EQ(Form6->ClientWidth(), 1078);
    EXPECT_EQ(Form6->ClientHeight(), 474);
    EXPECT_EQ(Form6->Font()->Name(), "Tahoma");
    EXPECT_EQ(Form6->Font()->Height(), -11);

    // Its frame keeps the caption buttons and system menu it was designed
    // with, no icon, no clinging to edges, no blending, Arial captions and menus.
    TbsSkinForm* frame = FrameOf(*Form6);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->SkinData(), Form1->SkinData());
    EXPECT_EQ(frame->BorderIcons(), TbsBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp));
    EXPECT_FALSE(frame->HideCaptionButtons);
    EXPECT_FALSE(frame->ShowIcon);
    EXPECT_TRUE(frame->UseDefaultSysMenu);
    EXPECT_FALSE(frame->Magnetic);
    EXPECT_EQ(frame->MagneticSize, 5);
    EXPECT_FALSE(frame->AlphaBlend());
    const struct {
        TFont* Font;
        TColor Color;
    } captions[] = {{frame->DefCaptionFont(), clBtnText}, {frame->DefInActiveCaptionFont(), clBtnShadow}};
    for (const auto& c : captions) {
        EXPECT_EQ(c.Font->Name(), "Arial");
        EXPECT_EQ(c.Font->Height(), 14);
        EXPECT_TRUE(c.Font->Style().Contains(fsBold));
        EXPECT_EQ(c.Font->Color(), c.Color);
    }
    EXPECT_EQ(frame->SkinMenu()->DefaultMenuItemFont()->Name(), "Arial");
    EXPECT_EQ(frame->SkinMenu()->DefaultMenuItemFont()->Height(), 14);
    EXPECT_EQ(frame->SkinMenu()->DefaultMenuItemHeight, 20);
}
