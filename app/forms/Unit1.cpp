// The main window's construction: every control at its place, the menus,
// the off-screen panels, and the creation and close handlers.
#include "app/forms/Unit1.h"

#include "app/forms/OutputPictures.h"
#include "app/forms/PreviewPane.h"
#include "app/forms/SkinAssign.h"
#include "app/forms/ProgramPictures.h"
#include "app/forms/TaskListView.h"
#include "app/forms/Unit5.h"

#include "engine/logger/FFmpegLogger.h"
#include "engine/player/FFPlay.h"
#include "profiles/PresetLists.h"
#include "profiles/ProfileCatalogue.h"
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/core/bsPngImageList.h"
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsTrayIcon.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/controls/bsSkinHint.h"
#include "skins/DefaultSkin.h"
#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/controls/bsSkinCtrls_TextLabel.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/dialogs/bsMessages.h"

#include "platform/core/SysUtils.h"

#include <utility>

namespace app {

using namespace platform;
using skin::TbsSkinButton;
using skin::TbsSkinPanel;

const char* const ProgramTitle = "ZarveloMP3格式转换器";

namespace {

// Off-screen panels start here, beyond the 827-pixel client area.
constexpr int HiddenLeft = 905;

const TGlyph CommandGlyphs[CommandCount] = {TGlyph::Add,    TGlyph::Start,  TGlyph::Stop,   TGlyph::Pause,
                                            TGlyph::Resume, TGlyph::Remove, TGlyph::Rename, TGlyph::Clear};
const char* const PrimaryNames[CommandCount] = {"btnAdd",    "btnStart",  "btnStop", "btnPause",
                                                "btnResume", "btnRemove", "",        "btnClear"};

// The captions beside the preset lists, by TPreset.
const char* const PresetLabelNames[profiles::PresetCount] = {"bsSkinTextLabel3", "bsSkinTextLabel4",
                                                            "bsSkinTextLabel5", "bsSkinTextLabel6",
                                                            "bsSkinTextLabel7", "bsSkinTextLabel8"};

// The controls the second skin model draws: the tool bar's buttons, start,
// stop and pause, and the skin chooser's button (the preset lists too).
const char* const SecondSkinControls[] = {"bsSkinMenuSpeedButton1", "bsSkinButton7", "bsSkinButton8",
                                          "bsSkinButton19",         "bsSkinButton2", "bsSkinButton10",
                                          "bsSkinButton11",         "bsSkinButton9"};

// The log memo's form of an engine log line.
std::string LogLine(uint32_t AThreadID, engine::TLogLevel ALevel, const std::string& AMsg)
{
    return "#" + IntToStr(AThreadID) + "." + IntToStr(int(ALevel)) + ": " + AMsg;
}

} // namespace

TForm1::TForm1(TComponent* AOwner, std::unique_ptr<IConversionEngine> AEngine, std::string AOptionFileName)
    : TForm(AOwner),
      FEngine(AEngine ? std::move(AEngine) : std::make_unique<TConverterEngine>()),
      FOptionFile(AOptionFileName.empty() ? DefaultOptionFileName() : AOptionFileName)
{
    SetName("Form1");
    SetCaption(ProgramTitle);
    SetBorderStyle(bsSingle);
    BorderIcons = 0;
    Position = poScreenCenter;
    SetClientSize(827, 489);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);
    FWorkflow = std::make_unique<TConverterWorkflow>(*FEngine, FOptionFile, *this);
    FWorkflow->OnLog = [this](const std::string& ALine) { FLog->Lines()->Add(ALine); };
    FWorkflow->Commands().OnChange = [this] { ApplyCommandStates(); };
    FMessages = std::make_unique<skin::TbsSkinMessage>(nullptr);
    FMessages->SetName("bsSkinMessage1");
    for (TFont* font : {FMessages->DefaultFont(), FMessages->DefaultButtonFont()}) {
        font->SetName("Arial");
        font->SetHeight(14);
    }
    FOptionFile.OnProblem = [this](const std::string& AProblem) {
        if (!FStarting)
            ShowHint(AProblem);
        else if (FStartupProblem.empty())
            FStartupProblem = AProblem;
    };
    FLogger = new engine::TFFLogger(this);
    FLogger->SetOnLog([this](TObject*, uint32_t AThreadID, engine::TLogLevel ALevel, const std::string& AMsg) {
        FLog->Lines()->Add(LogLine(AThreadID, ALevel, AMsg));
    });
    CreateControls();
    ApplySkin();
    OnCloseQuery = [this](TObject*, bool& ACanClose) { FormCloseQuery(ACanClose); };
}

TForm1::~TForm1()
{
    if (FWorkflow)
        FWorkflow->Close();
}

TbsSkinButton* TForm1::NewButton(TWinControl* AParent, const std::string& AName, const std::string& ACaption,
                                 const TRect& ABounds, std::function<void()> AClick)
{
    auto* button = new TbsSkinButton(this);
    button->SetName(AName);
    button->SetCaption(ACaption);
    button->UseSkinSize = false;
    button->SetBounds(ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height());
    button->SetParent(AParent);
    button->OnClick = [AClick = std::move(AClick)](TObject*) { AClick(); };
    return button;
}

TMenuItem* TForm1::NewItem(TMenuItem* AParent, const std::string& AName, const std::string& ACaption,
                           std::function<void()> AClick)
{
    auto* item = new TMenuItem(this);
    item->SetName(AName);
    item->Caption = ACaption;
    if (AClick)
        item->OnClick = [AClick = std::move(AClick)](TObject*) { AClick(); };
    AParent->Add(item);
    FMenuItems[AName] = item;
    return item;
}

TMenuItem* TForm1::MenuItem(const std::string& AName) const
{
    const auto found = FMenuItems.find(AName);
    return found == FMenuItems.end() ? nullptr : found->second;
}

void TForm1::CreateMenus()
{
    FMainMenu = new skin::TbsSkinMainMenu(this);
    FMainMenu->SetName("bsSkinMainMenu1");
    TMenuItem* root = FMainMenu->Items();
    TMenuItem* file = NewItem(root, "File1", "文件", nullptr);
    NewItem(file, "Item111", "添加一个文件", [this] { btnAddClick(); });
    NewItem(file, "Item121", "添加多个文件", [this] { Button8Click(); });
    NewItem(file, "N21", "添加整个目录", [this] { Button12Click(); });
    NewItem(file, "N3", "-", nullptr);
    NewItem(file, "N4", "退出", [this] { Close(); });
    TMenuItem* edit = NewItem(root, "Edit1", "编辑", nullptr);
    NewItem(edit, "N111", "上移文件", [this] { MoveUpClick(); });
    NewItem(edit, "N2221", "下移文件", [this] { MoveDownClick(); });
    NewItem(edit, "N12", "-", nullptr);
    NewItem(edit, "N13", "删除选择", [this] { btnRemoveClick(); });
    NewItem(edit, "N14", "清空文件", [this] { btnClearClick(); });
    NewItem(edit, "N25", "-", nullptr);
    NewItem(edit, "N26", "重新命名", [this] { RenameClick(true); });
    TMenuItem* action = NewItem(root, "Action1", "动作", nullptr);
    NewItem(action, "N7", "开始转换", [this] { btnStartClick(); });
    NewItem(action, "N8", "停止转换", [this] { btnStopClick(); });
    NewItem(action, "N9", "-", nullptr);
    NewItem(action, "N10", "暂停转换", [this] { Twin(TCommand::Pause)->ButtonClick(); });
    NewItem(action, "N11", "继续继续", [this] { Twin(TCommand::Resume)->ButtonClick(); });
    NewItem(action, "N23", "-", nullptr);
    NewItem(action, "N24", "转换选项", [this] { OptionsClick(); });
    TMenuItem* help = NewItem(root, "Help1", "帮助", nullptr);
    NewItem(help, "N15", "帮助系统", [this] { HelpClick(); })->ShortCut = TShortCut(VK_F1);
    NewItem(help, "N16", "-", nullptr);
    NewItem(help, "N19", "官方网站", [this] { HomePageClick(); });
    NewItem(help, "EMAIL1", "联系邮箱", [this] { MailClick(); });
    NewItem(help, "N5", "关于软件", [this] { AboutClick(); });

    FAddMenu = new skin::TbsSkinPopupMenu(this);
    FAddMenu->SetName("bsSkinPopupMenu1");
    NewItem(FAddMenu->Items(), "N11111", "添加一个文件", [this] { btnAddClick(); });
    NewItem(FAddMenu->Items(), "N2222", "添加多个文件", [this] { Button8Click(); });
    NewItem(FAddMenu->Items(), "N3331", "添加整个目录", [this] { Button12Click(); });

    FMenuBar = new skin::TbsSkinMainMenuBar(this);
    FMenuBar->SetName("bsSkinMainMenuBar1");
    FMenuBar->SetBounds(0, 0, 827, 22);
    FMenuBar->SetAlign(alTop);
    FMenuBar->ScrollMenu = true;
    FMenuBar->UseSkinSize = true;
    FMenuBar->UseSkinFont = true;
    FMenuBar->ToolBarMode = false;
    FMenuBar->DefItemFont()->SetName("Arial");
    FMenuBar->DefItemFont()->SetHeight(14);
    FMenuBar->DefItemFont()->SetColor(clBtnText);
    FMenuBar->SetParent(this);
    FMenuBar->SetMainMenu(FMainMenu);
}

void TForm1::CreateControls()
{
    CreateMenus();
    CreateHiddenPanels();

    FToolBar = new skin::TbsSkinToolBar(this);
    FToolBar->SetName("bsSkinToolBar2");
    FToolBar->SetSkinDataName("resizetoolpanel");
    FToolBar->SetBounds(0, 22, 827, 69);
    FToolBar->SetAlign(alTop);
    // Buttons that do not fit scroll in when the pointer rests on an arrow.
    FToolBar->CanScroll = true;
    FToolBar->HotScroll = true;
    FToolBar->SetScrollOffset(30);
    FToolBar->SetScrollTimerInterval(50);
    FToolBar->AdjustControls = true;
    FToolBar->SetShowCaptions(true);
    FToolBar->SetFlat(true);
    FToolBar->SetParent(this);
    FAddButton = new skin::TbsSkinMenuSpeedButton(this);
    FAddButton->SetName("bsSkinMenuSpeedButton1");
    FAddButton->SetSkinDataName("resizetoolbutton");
    FAddButton->SetFlat(true);
    FAddButton->SetTransparent(true);
    FAddButton->SetCaption("添加");
    FAddButton->SetBounds(8, 4, 72, 60);
    FAddButton->SetLayout(skin::blGlyphTop);
    FAddButton->SetParent(FToolBar);
    FOnGlyphs[size_t(TCommand::Add)] = MakeGlyph(TGlyph::Add, 32);
    FAddButton->SetGlyph(FOnGlyphs[size_t(TCommand::Add)].get());
    // Any press drops the add menu: the button itself runs no command.
    FAddButton->SetSkinPopupMenu(FAddMenu);
    const struct {
        TCommand Command;
        const char* Name;
        const char* Caption;
        int Left;
    } toolButtons[] = {{TCommand::Remove, "bsSkinButton7", "删除", 84}, {TCommand::Clear, "bsSkinButton8", "清空", 160}};
    for (const auto& b : toolButtons) {
        TbsSkinButton* twin = NewButton(FToolBar, b.Name, b.Caption, TRect{b.Left, 4, b.Left + 72, 64},
                                        [this, c = b.Command] { c == TCommand::Remove ? btnRemoveClick() : btnClearClick(); });
        twin->SetLayout(skin::blGlyphTop);
        FTwins[size_t(b.Command)] = twin;
    }
    auto* options = NewButton(FToolBar, "bsSkinButton19", "选项", TRect{236, 4, 308, 64}, [this] { OptionsClick(); });
    options->SetLayout(skin::blGlyphTop);
    static std::unique_ptr<TBitmap> optionsGlyph = MakeGlyph(TGlyph::Options, 32);
    options->SetGlyph(optionsGlyph.get());
    // A thin divider after the commands.
    auto* divider = new skin::TbsSkinBevel(this);
    divider->SetName("bsSkinBevel1");
    divider->SetDividerMode(true);
    divider->SetBounds(314, 0, 25, 70);
    divider->SetParent(FToolBar);

    // The file list with its row buttons, and the picture over it while empty.
    FFilePanel = new TbsSkinPanel(this);
    FFilePanel->SetName("bsSkinPanel1");
    FFilePanel->SetBounds(5, 99, 570, 260);
    FFilePanel->SetParent(this);
    FTaskList = new TTaskListView(this, FWorkflow->Rows());
    FTaskList->SetName("lvFiles");
    FTaskList->SetBounds(13, 10, 523, 202);
    FTaskList->SetParent(FFilePanel);
    FTaskList->OnUserSelect = [this](int AIndex) { FWorkflow->SelectRow(AIndex); };
    FTaskList->OnListClick = [this] { FWorkflow->ListClicked(); };
    FTaskList->OnListDblClick = [this] { RenameClick(false); };
    CreateListScrollBars();
    const struct {
        const char* Name;
        const char* Hint;
        int Left;
        TGlyph Glyph;
    } rowButtons[] = {{"bsSkinButton4", "下移", 13, TGlyph::MoveDown},
                      {"bsSkinButton3", "上移", 53, TGlyph::MoveUp},
                      {"bsSkinButton21", "重命名", 93, TGlyph::Rename}};
    for (const auto& b : rowButtons) {
        TbsSkinButton* button = NewButton(FFilePanel, b.Name, "", TRect{b.Left, 233, b.Left + 34, 257}, [this, b] {
            if (b.Glyph == TGlyph::MoveDown)
                MoveDownClick();
            else if (b.Glyph == TGlyph::MoveUp)
                MoveUpClick();
            else
                RenameClick(true);
        });
        button->Hint = b.Hint;
        button->ShowHint = true;
        if (b.Glyph == TGlyph::Rename) {
            FTwins[size_t(TCommand::Rename)] = button;
        } else {
            static std::unique_ptr<TBitmap> up = MakeGlyph(TGlyph::MoveUp, 20);
            static std::unique_ptr<TBitmap> down = MakeGlyph(TGlyph::MoveDown, 20);
            button->SetGlyph(b.Glyph == TGlyph::MoveUp ? up.get() : down.get());
        }
    }
    FRenameEdit = new TEdit(this);
    FRenameEdit->SetName("edt");
    FRenameEdit->SetVisible(false);
    FRenameEdit->SetParent(FTaskList);
    FRenameEdit->OnExit = [this](TObject*) { edtExit(); };
    FRenameEdit->OnKeyPress = [this](TObject*, char16_t& AKey) {
        if (AKey == u'\r') {
            AKey = 0;
            FTaskList->SetFocus();
        }
    };

    FEmptyPanel = new TbsSkinPanel(this);
    FEmptyPanel->SetName("bsSkinPanel5");
    FEmptyPanel->SetBounds(5, 99, 570, 260);
    FEmptyPanel->SetParent(this);
    auto* picture = new TImage(this);
    picture->SetName("Image1");
    picture->SetBounds(2, 2, 566, 256);
    auto empty = MakeEmptyListPicture(566, 256);
    picture->Picture()->Assign(empty.get());
    picture->SetParent(FEmptyPanel);

    FPreview = std::make_unique<TPreviewPane>(*this, *FWorkflow, FOptionFile);
    CreateOutputPanel();
    CreateRunButtons();
}

// The file list's skinned bars: the vertical one along its right edge, the
// horizontal one under it; the list shows them only while it can scroll.
void TForm1::CreateListScrollBars()
{
    const struct {
        const char* Name;
        TScrollBarKind Kind;
        const char* SkinDataName;
        TRect Bounds;
    } bars[] = {{"bsSkinScrollBar1", sbHorizontal, "hscrollbar", TRect{13, 212, 475, 231}},
                {"bsSkinScrollBar2", sbVertical, "vscrollbar", TRect{536, 10, 555, 212}}};
    for (const auto& b : bars) {
        auto* bar = new skin::TbsSkinScrollBar(this);
        bar->SetName(b.Name);
        bar->SetKind(b.Kind);
        bar->SetSkinDataName(b.SkinDataName);
        // A bar keeps the skin's thickness across and any length along.
        bar->SetDefaultHeight(b.Kind == sbHorizontal ? 19 : 0);
        bar->SetDefaultWidth(b.Kind == sbVertical ? 19 : 0);
        bar->SetBounds(b.Bounds.Left, b.Bounds.Top, b.Bounds.Width(), b.Bounds.Height());
        bar->SetVisible(false);
        bar->SetParent(FFilePanel);
        if (b.Kind == sbHorizontal)
            FTaskList->SetHScrollBar(bar);
        else
            FTaskList->SetVScrollBar(bar);
    }
}

void TForm1::CreateOutputPanel()
{
    FOutputPanel = new TbsSkinPanel(this);
    FOutputPanel->SetName("bsSkinPanel2");
    FOutputPanel->SetBounds(3, 367, 572, 109);
    FOutputPanel->SetParent(this);
    auto label = [this](const char* AName, const char* AText, int ATop) {
        auto* l = new skin::TbsSkinTextLabel(this);
        l->SetName(AName);
        l->Lines()->Add(AText);
        l->SetBounds(12, ATop, 64, 18);
        l->SetParent(FOutputPanel);
    };
    label("bsSkinTextLabel1", "输出格式：", 21);
    label("bsSkinTextLabel2", "输出目录：", 68);
    // Both lists show their items' pictures, so they are as tall as one.
    FCategoryImages = NewCategoryImages(this);
    FProfileImages = NewProfileImages(this);
    FCategory = new skin::TbsSkinOfficeComboBox(this);
    FCategory->SetName("bsSkinOfficeComboBox2");
    FCategory->SetBounds(80, 8, 150, 44);
    FCategory->SetParent(FOutputPanel);
    FCategory->SetImages(FCategoryImages);
    FCategory->SetListBoxItemHeight(36);
    FCategory->SetListBoxShowItemTitles(false);
    FCategory->SetDropDownCount(10);
    for (const profiles::TCategory& c : profiles::Categories()) {
        skin::TbsSkinOfficeItem* item = FCategory->Items()->Add();
        item->SetCaption(c.Caption);
        item->SetImageIndex(c.Number);
    }
    FCategory->OnChange = [this](TObject*) {
        if (!FFollowing)
            FWorkflow->SetCategory(FCategory->ItemIndex());
    };
    FProfile = new skin::TbsSkinOfficeComboBox(this);
    FProfile->SetName("bsSkinOfficeComboBox1");
    FProfile->SetBounds(236, 8, 250, 44);
    FProfile->SetParent(FOutputPanel);
    FProfile->SetImages(FProfileImages);
    FProfile->SetListBoxItemHeight(36);
    FProfile->SetListBoxShowItemTitles(false);
    FProfile->SetDropDownCount(10);
    FProfile->OnChange = [this](TObject*) {
        if (!FFollowing)
            FWorkflow->SetProfile(FProfile->ItemIndex());
    };
    NewButton(FOutputPanel, "bsSkinButton24", "设置...", TRect{492, 17, 562, 43}, [this] {
        if (ShowOutputSettings)
            ShowOutputSettings();
        else
            FTaskList->SetFocus();
    });
    FOutputFolder = new skin::TbsSkinEdit(this);
    FOutputFolder->SetName("Video_OutPut_Folder_Edit");
    FOutputFolder->ReadOnly = true;
    FOutputFolder->SetBounds(80, 64, 330, 22);
    FOutputFolder->SetParent(FOutputPanel);
    FOutputFolder->OnClick = [this](TObject*) { FTaskList->SetFocus(); };
    FBrowseButton = NewButton(FOutputPanel, "bsSkinButton5", "浏览...", TRect{416, 62, 486, 88},
                              [this] { BrowseOutputFolderClick(); });
    NewButton(FOutputPanel, "bsSkinButton6", "打开", TRect{492, 62, 562, 88}, [this] { OpenOutputFolderClick(); });
    // A second way to the options dialog that the panel keeps hidden.
    NewButton(FOutputPanel, "bsSkinButton1", "设置", TRect{492, 62, 562, 88}, [this] { OptionsClick(); })
        ->SetVisible(false);
}

void TForm1::CreateRunButtons()
{
    const struct {
        TCommand Command;
        const char* Name;
        const char* Caption;
        TRect Bounds;
    } buttons[] = {
        {TCommand::Start, "bsSkinButton2", "开始", TRect{584, 366, 709, 477}},
        {TCommand::Pause, "bsSkinButton11", "暂停", TRect{724, 366, 810, 426}},
        {TCommand::Resume, "bsSkinButton12", "继续", TRect{724, 366, 810, 426}},
        {TCommand::Stop, "bsSkinButton10", "停止", TRect{724, 432, 810, 476}},
    };
    for (const auto& b : buttons) {
        TbsSkinButton* twin = NewButton(this, b.Name, b.Caption, b.Bounds, [this, c = b.Command] {
            switch (c) {
            case TCommand::Start: btnStartClick(); break;
            case TCommand::Stop: btnStopClick(); break;
            case TCommand::Pause: btnPauseClick(); break;
            default: btnResumeClick(); break;
            }
        });
        twin->SetLayout(b.Command == TCommand::Start ? skin::blGlyphTop : skin::blGlyphLeft);
        FTwins[size_t(b.Command)] = twin;
    }
    for (int i = 0; i < CommandCount; ++i) {
        if (i == int(TCommand::Add))
            continue;
        const int size = TCommand(i) == TCommand::Start ? 48 : TCommand(i) == TCommand::Rename ? 20
                         : (TCommand(i) == TCommand::Remove || TCommand(i) == TCommand::Clear) ? 32 : 24;
        FOnGlyphs[size_t(i)] = MakeGlyph(CommandGlyphs[i], size, true);
        FOffGlyphs[size_t(i)] = MakeGlyph(CommandGlyphs[i], size, false);
    }
    ApplyCommandStates();
}

void TForm1::CreateHiddenPanels()
{
    // Panel1: the primary buttons of the commands.
    auto* panel1 = new TPanel(this);
    panel1->SetName("Panel1");
    panel1->SetBounds(HiddenLeft, 10, 460, 200);
    panel1->SetParent(this);
    for (int i = 0; i < CommandCount; ++i) {
        if (!*PrimaryNames[i])
            continue;
        auto* button = new TButton(this);
        button->SetName(PrimaryNames[i]);
        button->SetBounds(8 + (i % 4) * 72, 8 + (i / 4) * 30, 68, 25);
        button->SetParent(panel1);
        FPrimaries[size_t(i)] = button;
    }
    FThreadMode = new TCheckBox(this);
    FThreadMode->SetName("chkThreadMode");
    FThreadMode->SetCaption("Thread Mode");
    FThreadMode->SetChecked(true);
    FThreadMode->SetBounds(8, 72, 120, 20);
    FThreadMode->SetParent(panel1);
    // The developer's own ways to the help file and the options dialog; two
    // buttons without a routine: the adds and row selection click "播放视频"
    // to no effect, and Button19 is never shown; and the catalogue's steps
    // that code runs by clicking their buttons.
    const struct {
        const char* Name;
        const char* Caption;
        int Left, Top, Width;
        void (TForm1::*Click)();
        bool Visible;
    } routines[] = {{"Button1", "help", 8, 100, 68, &TForm1::Button1Click, true},
                    {"Button26", "Button26", 80, 100, 68, &TForm1::OptionsClick, true},
                    {"Button9", "播放视频", 152, 100, 68, nullptr, true},
                    {"Button19", "Button19", 224, 100, 68, nullptr, false},
                    {"Button18", "根据combox添加预设选项", 300, 8, 150, &TForm1::Button18Click, true},
                    {"Button13", "确认预置选项数据", 300, 38, 150, &TForm1::Button13Click, true}};
    for (const auto& d : routines) {
        auto* button = new TButton(this);
        button->SetName(d.Name);
        button->SetCaption(d.Caption);
        button->SetBounds(d.Left, d.Top, d.Width, 25);
        button->SetVisible(d.Visible);
        button->SetParent(panel1);
        if (d.Click)
            button->OnClick = [this, click = d.Click](TObject*) { (this->*click)(); };
    }
    // The add's progress, reset for every file and never advanced.
    FAddProgress = new TProgressBar(this);
    FAddProgress->SetName("ProgressBar1");
    FAddProgress->SetBounds(8, 130, 284, 16);
    FAddProgress->SetParent(panel1);
    // The names the last folder scan found.
    FFolderNames = new TListBox(this);
    FFolderNames->SetName("ListBox1");
    FFolderNames->SetBounds(8, 150, 284, 44);
    FFolderNames->SetParent(panel1);

    // bsSkinPanel4: the six preset lists of the output choice.
    auto* presets = new TbsSkinPanel(this);
    presets->SetName("bsSkinPanel4");
    presets->SetCaption("预置选项");
    presets->SetBounds(HiddenLeft, 220, 480, 200);
    presets->SetParent(this);
    for (profiles::TPreset p : profiles::AllPresets) {
        const int i = profiles::PresetIndex(p);
        const int left = 8 + (i % 2) * 235, top = 24 + (i / 2) * 30;
        auto* label = new skin::TbsSkinTextLabel(this);
        label->SetName(PresetLabelNames[i]);
        label->Lines()->Add(profiles::PresetLabel(p));
        label->SetBounds(left, top + 3, 80, 18);
        label->SetParent(presets);
        auto* combo = new skin::TbsSkinComboBox(this);
        combo->SetName(profiles::PresetComboName(p));
        combo->SetBounds(left + 82, top, 140, 24);
        combo->SetParent(presets);
        combo->OnChange = [this, p, combo](TObject*) {
            if (!FFollowing)
                FWorkflow->SetPreset(p, combo->ItemIndex());
        };
        FPresets[size_t(i)] = combo;
    }

    // Two more off-screen panels that hold nothing the program uses.
    TWinControl* spare[] = {new TPanel(this), new TbsSkinPanel(this)};
    const char* const spareNames[] = {"Panel3", "bsSkinPanel6"};
    for (int i = 0; i < 2; ++i) {
        spare[i]->SetName(spareNames[i]);
        spare[i]->SetBounds(HiddenLeft, 730 + i * 50, 120, 40);
        spare[i]->SetParent(this);
    }

    // Panel4: the skin chooser's button, reachable only from code.
    auto* panel4 = new TPanel(this);
    panel4->SetName("Panel4");
    panel4->SetBounds(HiddenLeft, 680, 120, 40);
    panel4->SetParent(this);
    NewButton(panel4, "bsSkinButton9", "皮肤", TRect{8, 8, 88, 32}, [this] { bsSkinButton9Click(); });

    // Panel5: the log and the render targets of the preview.
    auto* panel5 = new TPanel(this);
    panel5->SetName("Panel5");
    panel5->SetBounds(HiddenLeft, 430, 450, 240);
    panel5->SetParent(this);
    FLog = new TMemo(this);
    FLog->SetName("mmoLog");
    FLog->SetBounds(8, 8, 284, 190);
    FLog->SetParent(panel5);
    FScreens = new TComboBox(this);
    FScreens->SetName("cboScreens");
    FScreens->SetStyle(csDropDownList);
    FScreens->SetBounds(8, 206, 140, 24);
    FScreens->SetParent(panel5);
    CreatePlayerSettings(panel5);
}

// The player's settings beside the log: drivers, "Open Paused", the volume,
// "Stay On Top" and "Capture". Set here and read when the preview needs them.
void TForm1::CreatePlayerSettings(TWinControl* APanel)
{
    const struct {
        TComboBox*& List;
        const char* Name;
        int Top;
        std::function<std::string(int)> Driver;
    } lists[] = {
        {FVideoDriver, "cboVideoDriver", 8, [](int I) { return std::string(engine::VideoDriverName(engine::TVideoDriver(I))); }},
        {FAudioDriver, "cboAudioDriver", 38, [](int I) { return std::string(engine::AudioDriverName(engine::TAudioDriver(I))); }},
    };
    for (const auto& l : lists) {
        l.List = new TComboBox(this);
        l.List->SetName(l.Name);
        l.List->SetStyle(csDropDownList);
        l.List->SetBounds(300, l.Top, 140, 24);
        l.List->SetParent(APanel);
        // "Default" leaves the user's environment; then each further driver
        // of the player, once: the entry's position is the player's choice.
        l.List->Items()->Add("Default");
        for (int i = 1; i <= 2; ++i) {
            const std::string name = l.Driver(i);
            if (l.List->Items()->IndexOf(name) < 0)
                l.List->Items()->Add(name);
        }
        l.List->SetItemIndex(0);
    }
    const struct {
        TCheckBox*& Box;
        const char* Name;
        const char* Caption;
        int Top;
        bool Checked;
    } boxes[] = {{FOpenPaused, "chkOpenPaused", "Open Paused", 68, true},
                 {FStayOnTop, "chkStayOnTop", "Stay On Top", 128, false}};
    for (const auto& b : boxes) {
        b.Box = new TCheckBox(this);
        b.Box->SetName(b.Name);
        b.Box->SetCaption(b.Caption);
        b.Box->SetChecked(b.Checked);
        b.Box->SetBounds(300, b.Top, 140, 20);
        b.Box->SetParent(APanel);
    }
    FVolume = new TTrackBar(this);
    FVolume->SetName("TrackBar2");
    FVolume->SetBounds(300, 96, 140, 26);
    FVolume->SetRange(0, engine::MaxAudioVolume);
    FVolume->SetPosition(engine::MaxAudioVolume);
    FVolume->SetParent(APanel);
    FVolume->OnChange = [this](TObject*) { TrackBar2Change(); };
    // An older developer track bar; moving it changes nothing.
    auto* spare = new TTrackBar(this);
    spare->SetName("TrackBar1");
    spare->SetBounds(156, 206, 136, 26);
    spare->SetParent(APanel);
    auto* capture = new TButton(this);
    capture->SetName("btnCapture");
    capture->SetCaption("Capture");
    capture->SetBounds(300, 156, 75, 25);
    capture->SetParent(APanel);
    capture->OnClick = [this](TObject*) { btnCaptureClick(); };
    // The developer's own switch of the live conversion preview.
    auto* preview = new TCheckBox(this);
    preview->SetName("chkPreview");
    preview->SetCaption("Preview");
    preview->SetBounds(380, 158, 64, 20);
    preview->SetParent(APanel);
    preview->OnClick = [this, preview](TObject*) { FEngine->SetPreview(preview->Checked()); };
}

// Gives the window's frame and every skinned control the program's skin
// model. The model starts outside its one-skin list, so nothing is loaded
// until the stored skin index is applied at start-up. A second model with
// its own list of the same skin loads it at once and keeps it: the skin
// chooser changes only the first, so the controls of the second keep their
// look whatever is chosen.
void TForm1::ApplySkin()
{
    FSkinList = new skin::TbsCompressedSkinList(this);
    FSkinList->SetName("bsCompressedSkinList1");
    skins::AddDefaultSkin(*FSkinList);
    FSkinData = new skin::TbsSkinData(this);
    FSkinData->SetName("bsSkinData1");
    FSkinData->SetSkinIndex(1);
    FSkinData->SetSkinList(FSkinList);
    skin::TbsSkinForm* frame = SkinFormWith(*this, FSkinData);
    frame->SetName("bsSkinForm1");
    SetUpMainFrame(*frame);
    FMenuBar->SetSkinForm(frame);
    // Every hint of the program is drawn from the skin.
    auto* hint = new skin::TbsSkinHint(this);
    hint->SetName("bsSkinHint1");
    hint->SetSkinData(FSkinData);
    hint->DefaultFont()->SetName("MS Sans Serif");
    hint->DefaultFont()->SetHeight(-11);
    frame->SetSkinHint(hint);
    FMessages->SetSkinData(FSkinData);
    Choosers = std::make_unique<TSkinChoosers>(this, FSkinData);
    FMessages->SetCtrlSkinData(FSkinData);

    FSkinList2 = new skin::TbsCompressedSkinList(this);
    FSkinList2->SetName("bsCompressedSkinList2");
    skins::AddDefaultSkin(*FSkinList2);
    FSkinData2 = new skin::TbsSkinData(this);
    FSkinData2->SetName("bsSkinData2");
    const skin::TbsSkinStatus status = FSkinData2->SetSkinList(FSkinList2);
    if (!status.Ok())
        FLog->Lines()->Add(status.Message);
    for (const char* name : SecondSkinControls)
        SetComponentSkinData(FindComponent(name), FSkinData2);
    for (skin::TbsSkinComboBox* combo : FPresets)
        combo->SetSkinData(FSkinData2);
}

// The frame's own settings: only the minimize button, Arial captions and
// menu items while a skin gives no font, the menu bar and a tray icon.
void TForm1::SetUpMainFrame(skin::TbsSkinForm& AFrame)
{
    AFrame.SetBorderIcons(biMinimize);
    SetArialFrameFonts(AFrame);
    AFrame.SetMainMenuBar(FMenuBar);
    // The window never goes to the notification area: its icon stays out
    // of it and deaf to the mouse.
    auto* tray = new skin::TbsTrayIcon(this);
    tray->SetName("bsTrayIcon1");
    tray->Enabled = false;
    tray->SetAnimateTimerInterval(0);
    tray->SetIconVisible(false);
    AFrame.SetTrayIcon(tray);
}

void TForm1::FillRenderTargets()
{
    FScreens->Items()->Clear();
    FScreens->Items()->Add("Panel6");
    // The form's windowed children in tab order; a gap in the numbers ends it.
    for (int order = 0;; ++order) {
        TWinControl* found = nullptr;
        for (int i = 0; i < ControlCount() && !found; ++i) {
            auto* child = dynamic_cast<TWinControl*>(Controls(i));
            if (child && child->TabOrder() == order)
                found = child;
        }
        if (!found)
            break;
        FScreens->Items()->Add(found->Name());
    }
    FScreens->SetItemIndex(0);
}

void TForm1::FormCreate()
{
    Button17Click();
    Button3Click();
    // The skin's frame is in place now; the client area keeps its size.
    SetClientSize(827, 489);
    FillRenderTargets();
    FollowChoice();
    RowsChanged();
}

void TForm1::ShowStartupProblem()
{
    FStarting = false;
    if (!FStartupProblem.empty())
        ShowHint(std::exchange(FStartupProblem, std::string()));
}

void TForm1::FormCloseQuery(bool& ACanClose)
{
    ACanClose = true;
    FPreview->Detach();
    FLogger->SetOnLog(nullptr);
    FWorkflow->Close();
}

void TForm1::DoClose(TCloseAction& AAction)
{
    TForm::DoClose(AAction);
    Application()->Terminate();
}

bool TForm1::IsShortCut(TMessage& M)
{
    if (FMainMenu && FMainMenu->IsShortCut(uint16_t(M.WParam), KeyDataToShiftState(M.LParam)))
        return true;
    return TForm::IsShortCut(M);
}

} // namespace app
