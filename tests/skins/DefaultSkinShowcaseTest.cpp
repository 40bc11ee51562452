// A form with one of each skinned control, skinned from the packed skin as
// the program's forms are, painted into its window's back buffer (the very
// pixels the X presenter puts on the display) and saved as PNG files in the
// build folder for a reviewer to look at. The test checks the layout boxes
// and a few pixels of each state, not the whole picture; hover and press
// come as injected input, so no pointer of a real display gets in the way.

#include "skins/DefaultSkin.h"

#include "DefaultSkinTestSupport.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"
#include "skin/boxes/bsSkinBoxCtrls_UpDown.h"
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_ListView.h"
#include "skin/controls/bsSkinCtrls_TreeView.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_StatusBar.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace platform;
using namespace skin;
using skintest::RgbOf;

// The skin's colours as its pictures hold them (0xRRGGBB).
constexpr uint32_t Face = 0xF3F5F8, Window = 0xFFFFFF, Accent = 0x2470E6, CaptionBar = 0x2464D2,
                   DisabledFill = 0xEEF0F3, HotFill = 0xE6F0FD,
                   DownFill = 0xCEE0FA;

// Writes a picture as an opaque PNG, each pixel AScale x AScale.
void SaveScaled(const TImageData& ASource, const std::string& AFileName, int AScale)
{
    TImageData image;
    AllocateImage(image, ASource.Width * AScale, ASource.Height * AScale, "PNG");
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            image.At(x, y) = 0xFF000000u | ASource.At(x / AScale, y / AScale);
    TFileStream f(AFileName, fmCreate);
    WritePng(f, image, false);
}

// The application's main form, as the program's own is: hints are served by
// the hint component of the main form.
TForm* NewMainForm()
{
    TForm* form = nullptr;
    Application()->CreateForm(form);
    return form;
}

struct TShowcase {
    std::unique_ptr<TForm> Form{NewMainForm()};
    TbsCompressedSkinList* List = new TbsCompressedSkinList(Form.get());
    TbsSkinData* Data = new TbsSkinData(Form.get());
    TbsSkinForm* SkinForm = new TbsSkinForm(Form.get());

    TShowcase()
    {
        Form->SetBorderStyle(bsSizeable);
        Form->SetCaption("ZarveloMP3格式转换器");
        Form->SetBounds(40, 40, 600, 440);
        skins::AddDefaultSkin(*List);
        SkinForm->SetSkinData(Data);
    }
    // A control as a form file makes it: its record's name comes before its
    // skin.
    template <class T>
    T* Add(TWinControl* AParent, TRect ABounds, const std::string& ACaption = "", const char* ASkinDataName = nullptr)
    {
        auto* c = new T(Form.get());
        if constexpr (requires { c->SetSkinDataName(std::string()); })
            if (ASkinDataName)
                c->SetSkinDataName(ASkinDataName);
        c->SetBoundsRect(ABounds);
        if (!ACaption.empty())
            c->SetCaption(ACaption);
        c->SetParent(AParent);
        c->SetSkinData(Data);
        return c;
    }
    void Pump() const
    {
        for (int i = 0; i < 5; ++i)
            Application()->ProcessMessages();
    }
    const TPixelSurface& Surface() const
    {
        Pump();
        const TPixelSurface* s = GetWindowSurface(Form->Handle());
        EXPECT_NE(s, nullptr);
        return *s;
    }
    // A pixel of the window (frame included), 0x00RRGGBB.
    uint32_t Pixel(int X, int Y) const { return reinterpret_cast<const uint32_t*>(Surface().Row(Y))[X] & 0xFFFFFF; }
    // A pixel of a control, relative to its top-left corner.
    uint32_t PixelOf(TControl* AControl, int X, int Y) const
    {
        TRect w;
        GetWindowRect(Form->Handle(), w);
        const TPoint p = AControl->ClientToScreen(Point(X, Y));
        return Pixel(p.X - w.Left, p.Y - w.Top);
    }
    // Writes a window (or the part ACrop of it) as a PNG, scaled up by AScale.
    void Save(const std::string& AFileName, int AScale, HWND AWnd = nullptr, TRect ACrop = {}) const
    {
        Pump();
        const TPixelSurface& s = *GetWindowSurface(AWnd ? AWnd : Form->Handle());
        if (ACrop.IsEmpty())
            ACrop = Rect(0, 0, s.Width, s.Height);
        TImageData image;
        AllocateImage(image, ACrop.Width(), ACrop.Height(), "PNG");
        for (int y = 0; y < image.Height; ++y)
            for (int x = 0; x < image.Width; ++x)
                image.At(x, y) = reinterpret_cast<const uint32_t*>(s.Row(ACrop.Top + y))[ACrop.Left + x];
        SaveScaled(image, AFileName, AScale);
    }
};

// Writes a skin picture as a PNG, scaled up by AScale.
void SavePicture(TBitmap& APicture, const std::string& AFileName, int AScale)
{
    TImageData image;
    BitmapToImage(APicture, image);
    SaveScaled(image, AFileName, AScale);
}

} // namespace

TEST(DefaultSkinShowcase, AFormWithEveryControlInTheProgramsSkin)
{
    TShowcase s;
    ASSERT_TRUE(s.Data->SetSkinList(s.List).Ok());
    ASSERT_FALSE(s.Data->Empty());
    ASSERT_TRUE(s.SkinForm->SkinSupport());
    TForm* f = s.Form.get();

    auto* bar = s.Add<TbsSkinToolBar>(f, Rect(0, 0, 560, 36), "", "resizetoolpanel");
    bar->SetAlign(alTop);
    s.Add<TbsSkinSpeedButton>(bar, Rect(4, 4, 68, 32), "添加", "resizetoolbutton");
    auto* clear = s.Add<TbsSkinSpeedButton>(bar, Rect(72, 4, 136, 32), "清空", "resizetoolbutton");
    clear->SetEnabled(false);
    auto* divider = s.Add<TbsSkinBevel>(bar, Rect(142, 6, 144, 30));
    divider->Shape = bsLeftLine;

    auto* start = s.Add<TbsSkinButton>(f, Rect(12, 48, 112, 74), "开始转换");
    auto* stop = s.Add<TbsSkinButton>(f, Rect(120, 48, 220, 74), "停止");
    stop->SetEnabled(false);
    auto* ok = s.Add<TbsSkinButton>(f, Rect(228, 48, 328, 74), "确定");

    auto* rename = s.Add<TbsSkinCheckRadioBox>(f, Rect(12, 86, 200, 106), "自动重命名输出文件");
    rename->SetChecked(true);
    auto* overwrite = s.Add<TbsSkinCheckRadioBox>(f, Rect(12, 110, 200, 130), "直接覆盖输出文件");
    auto* locked = s.Add<TbsSkinCheckRadioBox>(f, Rect(12, 134, 200, 154), "完成后关闭计算机");
    locked->SetChecked(true);
    locked->SetEnabled(false);
    auto* audio = s.Add<TbsSkinCheckRadioBox>(f, Rect(210, 86, 330, 106), "音频格式", "radiobox");
    audio->SetRadio(true);
    audio->SetChecked(true);
    auto* video = s.Add<TbsSkinCheckRadioBox>(f, Rect(210, 110, 330, 130), "视频格式", "radiobox");
    video->SetRadio(true);
    auto* device = s.Add<TbsSkinCheckRadioBox>(f, Rect(210, 134, 330, 154), "设备格式", "radiobox");
    device->SetRadio(true);
    device->SetEnabled(false);

    auto* label = s.Add<TbsSkinStdLabel>(f, Rect(12, 168, 80, 184), "输出目录:");
    auto* folder = s.Add<TbsSkinEdit>(f, Rect(84, 164, 330, 188));
    folder->SetText("/home/用户/Zarvelo视频软件/输出");
    auto* name = s.Add<TbsSkinEdit>(f, Rect(84, 194, 250, 218));
    name->SetText("不可编辑");
    name->SetEnabled(false);
    auto* spin = s.Add<TbsSkinUpDown>(f, Rect(256, 194, 288, 214));
    auto* vspin = s.Add<TbsSkinUpDown>(f, Rect(294, 194, 310, 218), "", "vupdown");
    vspin->SetOrientation(udVertical);
    auto* link = s.Add<TbsSkinLinkLabel>(f, Rect(12, 226, 120, 242), "官方网站");

    auto* category = s.Add<TbsSkinOfficeComboBox>(f, Rect(136, 226, 330, 250));
    for (const char* text : {"音频格式", "视频格式", "设备格式"})
        category->Items()->Add()->SetCaption(text);
    category->SetItemIndex(0);
    auto* preview = s.Add<TbsSkinGroupBox>(f, Rect(344, 48, 580, 200), "预览");
    auto* seek = s.Add<TbsSkinSlider>(preview, Rect(8, 100, 226, 131));
    seek->SetValue(40);
    auto* panel = s.Add<TbsSkinPanel>(f, Rect(344, 210, 580, 330), "面板");
    auto* preset = s.Add<TbsSkinComboBox>(panel, Rect(8, 8, 228, 28));
    for (const char* text : {"320x240", "640x480", "1280x720"})
        preset->Items()->Add(text);
    preset->SetItemIndex(1);
    auto* files = s.Add<TbsSkinListBox>(panel, Rect(8, 36, 228, 112));
    for (const char* text : {"歌曲一.mp3", "歌曲二.wav", "视频.avi", "录音.amr"})
        files->Items()->Add(text);
    files->SetItemIndex(1);
    auto* hbar = s.Add<TbsSkinScrollBar>(f, Rect(12, 260, 330, 276));
    hbar->SetRange(0, 100, 30, 20);
    auto* vbar = s.Add<TbsSkinScrollBar>(f, Rect(312, 282, 331, 360), "", "vscrollbar");
    vbar->SetKind(sbVertical);
    vbar->SetRange(0, 100, 10, 30);
    auto* hint = new TbsSkinHint(f);
    hint->SetSkinData(s.Data);
    auto* list = new TbsSkinListView(f);
    list->SetBoundsRect(Rect(12, 282, 300, 376));
    list->SetViewStyle(vsReport);
    for (auto [caption, width] : {std::pair{"文件名", 140}, std::pair{"时长", 70}, std::pair{"大小", 70}}) {
        TListColumn* column = list->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(width);
    }
    for (auto [name, length, size] : {std::tuple{"歌曲一.mp3", "00:03:25", "3.1 MB"}, std::tuple{"视频.avi", "00:12:02", "88 MB"},
                                      std::tuple{"录音.amr", "00:00:41", "64 KB"}}) {
        TListItem* row = list->Items()->Add();
        row->SetCaption(name);
        row->SubItems()->Add(length);
        row->SubItems()->Add(size);
    }
    list->Items()->Item(1)->SetSelected(true);
    list->SetParent(f);
    list->SetDrawSkin(true);
    list->SetSkinData(s.Data);
    auto* tree = new TbsSkinCustomTreeView(f);
    tree->SetBoundsRect(Rect(344, 336, 580, 376));
    tree->SetParent(f);
    TTreeNode* home = tree->Items()->Add(nullptr, "Zarvelo视频软件");
    tree->Items()->AddChild(home, "输出");
    tree->Items()->AddChild(home, "快照");
    home->Expand(false);
    tree->SetDrawSkin(true);
    tree->SetSkinData(s.Data);
    auto* status = s.Add<TbsSkinStatusBar>(f, Rect(0, 0, 560, 24), "就绪");
    status->SetAlign(alBottom);

    f->Show();
    ok->SetFocus();
    s.Pump();
    s.Save("default-skin-showcase.png", 1);
    s.Save("default-skin-showcase-2x.png", 2);
    s.Save("default-skin-showcase-lists-4x.png", 4, nullptr, Rect(346, 240, 590, 372));
    for (size_t i = 0; i < s.Data->FActivePictures.size(); ++i)
        SavePicture(*s.Data->FActivePictures[i], "default-skin-picture-" + ChangeFileExt(s.Data->FActivePicturesNames[int(i)], ".png"), 3);
    SavePicture(*s.Data->FPicture, "default-skin-picture-frame.png", 3);

    // The frame: a caption bar of the skin's colour, the client of the face.
    EXPECT_EQ(s.Pixel(300, 12), CaptionBar);
    const TPoint client = f->ClientToScreen(Point(0, 0));
    TRect w;
    GetWindowRect(f->Handle(), w);
    EXPECT_EQ(client.Y - w.Top, 30) << "the caption bar is 30 pixels high";
    EXPECT_EQ(client.X - w.Left, 4) << "the border is 4 pixels wide";
    EXPECT_EQ(s.PixelOf(f, 6, 250), Face);

    // Layout: every control where it was put.
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 0, f->ClientWidth(), 36));
    EXPECT_EQ(status->BoundsRect().Bottom, f->ClientHeight());
    EXPECT_EQ(start->BoundsRect(), Rect(12, 48, 112, 74));
    EXPECT_EQ(seek->BoundsRect(), Rect(8, 100, 226, 131));

    // Buttons: a white face, a grey disabled one, the focused one ringed in
    // the accent colour.
    EXPECT_EQ(s.PixelOf(start, 5, 5), Window);
    EXPECT_EQ(s.PixelOf(stop, 5, 5), DisabledFill);
    EXPECT_EQ(s.PixelOf(ok, 0, 12), Accent);
    EXPECT_EQ(s.PixelOf(ok, 1, 12), Accent);
    // Check and radio marks: the checked box filled with the accent.
    EXPECT_EQ(s.PixelOf(rename, 7, 15), Accent);
    EXPECT_EQ(s.PixelOf(overwrite, 7, 15), Window);
    EXPECT_NE(s.PixelOf(locked, 7, 15), Accent);
    EXPECT_EQ(s.PixelOf(audio, 10, 10), Accent);
    // Text is drawn in every state, dark on the face, grey when disabled.
    auto darkest = [&](TControl* C, int X0, int X1) {
        uint32_t best = 0xFFFFFF;
        for (int y = 0; y < C->Height(); ++y)
            for (int x = X0; x < X1; ++x) {
                const uint32_t p = s.PixelOf(C, x, y);
                if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < ((best >> 16) & 0xFF) + ((best >> 8) & 0xFF) + (best & 0xFF))
                    best = p;
            }
        return best;
    };
    EXPECT_LT(darkest(rename, 24, 120) & 0xFF, 0x60u);
    EXPECT_GT(darkest(locked, 24, 120) & 0xFF, 0x90u) << "disabled captions are grey";
    EXPECT_LT(darkest(start, 20, 80) & 0xFF, 0x60u);
    EXPECT_GT(darkest(stop, 20, 80) & 0xFF, 0x90u);
    EXPECT_LT(darkest(label, 0, label->Width()) & 0xFF, 0x60u);
    EXPECT_LT(darkest(folder, 4, 200) & 0xFF, 0x60u);
    // Edits and combo boxes: white with the skin's edge, dark text.
    EXPECT_EQ(s.PixelOf(folder, 3, 12), Window);
    EXPECT_EQ(s.PixelOf(category, 3, 12), Window);
    EXPECT_LT(darkest(category, 4, 100) & 0xFF, 0x60u);
    // The status bar and tool bar keep their edge lines.
    EXPECT_EQ(s.PixelOf(status, 10, 0), 0xC8CED6u);
    EXPECT_EQ(s.PixelOf(bar, 300, bar->Height() - 1), 0xE1E5EBu);

    // A hint: the skin's light picture round dark text.
    hint->ActivateHint(Point(200, 200), "添加文件到转换列表");
    TbsSkinHintWindow* tip = hint->HintWindow();
    ASSERT_NE(tip, nullptr);
    s.Save("default-skin-hint-2x.png", 2, tip->Handle());
    const TPixelSurface* tipPixels = GetWindowSurface(tip->Handle());
    ASSERT_NE(tipPixels, nullptr);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(tipPixels->Row(0))[5] & 0xFFFFFF, 0xC8CED6u) << "its edge";
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(tipPixels->Row(2))[2] & 0xFFFFFF, 0xFAFBFDu) << "its fill";
    hint->HideHint();

    // Hover and press: the light and the deeper accent fills.
    InjectMouseMove(start->ClientToScreen(Point(50, 13)));
    s.Pump();
    EXPECT_EQ(s.PixelOf(start, 5, 5), HotFill);
    InjectMouseButton(TMouseButton::mbLeft, true, start->ClientToScreen(Point(50, 13)));
    s.Pump();
    EXPECT_EQ(s.PixelOf(start, 5, 5), DownFill);
    s.Save("default-skin-showcase-pressed-2x.png", 2);
    InjectMouseMove(f->ClientToScreen(Point(560, 360)));
    InjectMouseButton(TMouseButton::mbLeft, false, f->ClientToScreen(Point(560, 360)));
    s.Pump();
    EXPECT_EQ(s.PixelOf(start, 5, 5), Window);

    // A focused edit and a focused check box show it: the accent edge, the
    // dotted frame round the caption.
    EXPECT_EQ(s.PixelOf(folder, -3, 12), 0xC8CED6u) << "the frame lies round the client";
    folder->SetFocus();
    s.Pump();
    EXPECT_EQ(s.PixelOf(folder, -3, 12), Accent);
    s.Save("default-skin-showcase-focus-2x.png", 2);
    // A focused check box frames its caption with a dotted line.
    auto pixels = [&](TControl* C) {
        std::vector<uint32_t> all;
        for (int y = 0; y < C->Height(); ++y)
            for (int x = 0; x < C->Width(); ++x)
                all.push_back(s.PixelOf(C, x, y));
        return all;
    };
    const std::vector<uint32_t> unfocused = pixels(rename);
    rename->SetFocus();
    s.Pump();
    const std::vector<uint32_t> focused = pixels(rename);
    int dots = 0;
    for (size_t i = 0; i < focused.size(); ++i)
        dots += focused[i] != unfocused[i];
    EXPECT_GT(dots, 60) << "a dotted frame round the caption";
    s.Save("default-skin-checkbox-focus-4x.png", 4, nullptr, Rect(10, 112, 220, 140));

    // Caption buttons flow from the right end of the caption bar: close,
    // maximize, minimize, each 30 pixels wide; the close button turns red
    // under the pointer.
    const int right = w.Width() - 4;
    EXPECT_EQ(s.Pixel(right - 15 - 5, 15 - 5), 0xFFFFFFu) << "the close cross";
    EXPECT_EQ(s.Pixel(right - 3, 3), CaptionBar);
    InjectMouseMove(Point(w.Left + right - 3, w.Top + 3));
    s.Pump();
    EXPECT_EQ(s.Pixel(right - 3, 3), 0xE81123u);
    EXPECT_EQ(s.Pixel(right - 33, 3), CaptionBar) << "the maximize button stays";
    s.Save("default-skin-caption-hover-4x.png", 4, nullptr, Rect(w.Width() - 130, 0, w.Width(), 34));
    // Spin buttons: the skin's pictures at their skin size.
    EXPECT_EQ(spin->BoundsRect(), Rect(256, 194, 288, 214));
    EXPECT_EQ(vspin->BoundsRect(), Rect(294, 194, 310, 218));
    EXPECT_EQ(s.PixelOf(vspin, 3, 3), Window);
    EXPECT_EQ(vbar->BoundsRect(), Rect(312, 282, 331, 360));
    (void)link;
    // The tree view: white, with the skin's chevrons.
    EXPECT_EQ(s.PixelOf(tree, tree->Width() - 5, tree->Height() - 5), Window);
    s.Save("default-skin-treeview-3x.png", 3, nullptr, Rect(346, 364, 590, 410));
    // The list view: white rows under a header of the skin.
    EXPECT_EQ(s.PixelOf(list, list->Width() - 30, list->Height() - 8), Window);
    s.Save("default-skin-listview-3x.png", 3, nullptr, Rect(10, 306, 304, 410));
    // The list shows its selected row in the accent colour.
    EXPECT_EQ(s.PixelOf(files, files->Width() / 2, 2 + 22 + 11), Accent);
    EXPECT_EQ(s.PixelOf(preset, 3, 10), Window);
    (void)vbar;
    (void)hbar;
}

TEST(DefaultSkinShowcase, MenusInTheProgramsSkin)
{
    TShowcase s;
    ASSERT_TRUE(s.Data->SetSkinList(s.List).Ok());
    TForm* f = s.Form.get();
    auto* menu = new TbsSkinMainMenu(f);
    menu->SetSkinData(s.Data);
    auto item = [&](TMenuItem* AParent, const std::string& ACaption) {
        auto* i = new TMenuItem(f);
        i->Caption = ACaption;
        AParent->Add(i);
        return i;
    };
    item(menu->Items(), "文件");
    item(menu->Items(), "选项");
    item(menu->Items(), "帮助");
    auto* bar = new TbsSkinMainMenuBar(f);
    bar->SetSkinDataName("mainmenubar");
    bar->SetBoundsRect(Rect(0, 0, 560, 22));
    bar->SetAlign(alTop);
    bar->SetParent(f);
    bar->SetSkinForm(s.SkinForm);
    bar->SetMainMenu(menu);
    bar->SetSkinData(s.Data);
    f->Show();
    s.Pump();

    auto* popup = new TbsSkinPopupMenu(f);
    popup->SetSkinData(s.Data);
    item(popup->Items(), "添加一个文件");
    item(popup->Items(), "添加多个文件")->SetChecked(true);
    item(popup->Items(), "-");
    item(popup->Items(), "清空文件")->Enabled = false;
    TMenuItem* more = item(popup->Items(), "更多");
    item(more, "打开输出目录");
    const TPoint at = f->ClientToScreen(Point(20, 30));
    popup->Popup(at.X, at.Y);
    s.Pump();
    // The first item is highlighted on opening; Down moves to the second.
    InjectKey(VK_DOWN, true);
    InjectKey(VK_DOWN, false);
    s.Pump();
    TbsSkinPopupWindow* window = s.SkinForm->SkinMenu()->PopupWindow(0);
    ASSERT_NE(window, nullptr);
    s.Save("default-skin-menus-2x.png", 2);
    s.Save("default-skin-popup-menu-2x.png", 2, window->Handle());

    // The bar is white with the skin's item font; the popup window has the
    // skin's edge round white items, the highlighted one light blue.
    EXPECT_EQ(s.PixelOf(bar, bar->Width() - 5, 5), Window);
    const TPixelSurface* w = GetWindowSurface(window->Handle());
    ASSERT_NE(w, nullptr);
    auto at2 = [&](int X, int Y) { return reinterpret_cast<const uint32_t*>(w->Row(Y))[X] & 0xFFFFFF; };
    EXPECT_EQ(at2(0, 10), 0xC8CED6u);
    const TRect first = window->Item(0)->ObjectRect;
    EXPECT_EQ(at2(first.Left + 60, first.Top + 3), Window);
    const TRect second = window->Item(1)->ObjectRect;
    EXPECT_EQ(at2(second.Left + 60, second.Top + 3), HotFill) << "the highlighted item";
    // The bar keeps its bottom line under its items too.
    EXPECT_EQ(s.PixelOf(bar, 10, bar->Height() - 1), 0xE1E5EBu);
    InjectKey(VK_ESCAPE, true);
    InjectKey(VK_ESCAPE, false);
    s.Pump();

    // Another window active: the caption bar turns grey, dark enough for
    // white text.
    TForm other(nullptr);
    other.SetBounds(700, 40, 200, 100);
    other.Show();
    other.SetFocus();
    s.Pump();
    s.Save("default-skin-inactive-2x.png", 2);
    const uint32_t inactive = s.Pixel(300, 12);
    const int r = (inactive >> 16) & 0xFF, g = (inactive >> 8) & 0xFF, b = inactive & 0xFF;
    EXPECT_LE(std::max({r, g, b}) - std::min({r, g, b}), 8) << "grey";
    EXPECT_LT(g, 0x90) << "white text stays readable on it";
}
