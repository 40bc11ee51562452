#pragma once
// A small skin made by the tests (one BMP picture of coloured blocks and the
// control records), a headless form that takes the model's change messages
// as the form frame does, and pixel reading from the form's back buffer.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Button.h"

#include "support/BmpFile.h"
#include "support/TestSupport.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <map>
#include <vector>

namespace platform {
inline void PrintTo(const TRect& R, std::ostream* S) { *S << "(" << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom << ")"; }
inline void PrintTo(const TPoint& P, std::ostream* S) { *S << "(" << P.X << "," << P.Y << ")"; }
} // namespace platform

namespace skintest {

using namespace platform;
using skin::TbsSkinData;

// RGB as the back buffer holds it (0x00RRGGBB).
constexpr uint32_t Rgb(uint8_t R, uint8_t G, uint8_t B) { return (uint32_t(R) << 16) | (uint32_t(G) << 8) | B; }
// The same colour as a TColor ($00BBGGRR).
constexpr TColor ColorOf(uint32_t ARgb) { return TColor(((ARgb & 0xFF) << 16) | (ARgb & 0xFF00) | (ARgb >> 16)); }

// A TColor (system colours resolved) as the back buffer holds it.
inline uint32_t ColorRgb(TColor AColor)
{
    const COLORREF c = ColorToRGB(AColor);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A skinned popup menu that only records how it was opened.
class TFakePopupMenu : public TComponent, public skin::IbsSkinPopupMenu {
public:
    TFakePopupMenu() : TComponent(nullptr) {}
    TComponent* MenuComponent() override { return this; }
    void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) override
    {
        ++Opened;
        For = ACtrl;
        Place = R;
        Up = APopupUp;
    }
    bool IsShortCut(uint16_t, TShiftState) override { return false; }
    int Opened = 0;
    TControl* For = nullptr;
    TRect Place;
    bool Up = true;
};

// A colour, system colours resolved, as the back buffer holds it.
inline uint32_t SysRgb(TColor AColor)
{
    const COLORREF c = ColorToRGB(AColor);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Colours of the test picture.
constexpr uint32_t NormalEdge = Rgb(200, 0, 0), NormalFill = Rgb(255, 120, 120);
constexpr uint32_t HotEdge = Rgb(0, 150, 0), HotFill = Rgb(120, 255, 120);
constexpr uint32_t DownEdge = Rgb(0, 0, 200), DownFill = Rgb(120, 120, 255);
constexpr uint32_t DisabledEdge = Rgb(90, 90, 90), DisabledFill = Rgb(180, 180, 180);
constexpr uint32_t CheckMark = Rgb(0, 0, 0), UncheckMark = Rgb(255, 255, 0), CheckKey = Rgb(255, 0, 255);
constexpr uint32_t MaskIn = Rgb(0, 0, 0), MaskOut = Rgb(255, 255, 255);
constexpr uint32_t Background = Rgb(10, 20, 30);

using testsupport::BmpFile;

// Picture 0, 120 x 60:
//  - four 30 x 20 state blocks in row 0 (normal, hot, down, disabled), each
//    a 3-pixel edge around a fill;
//  - row 20: 13 x 13 check images at x 0 (checked), 13 (unchecked), 26
//    (hot checked), 39 (hot unchecked), each a mark on the key colour with
//    the bottom-left pixel of the key;
//  - 60,20 - 90,40: a mask block, black inside with its two top corners white.
// Picture 1 is that mask block alone, the mask of the "masked" record.
inline uint32_t PicturePixel(int X, int Y)
{
    if (Y < 20) {
        static const uint32_t edges[] = {NormalEdge, HotEdge, DownEdge, DisabledEdge};
        static const uint32_t fills[] = {NormalFill, HotFill, DownFill, DisabledFill};
        const int block = X / 30, bx = X % 30;
        const bool edge = bx < 3 || bx >= 27 || Y < 3 || Y >= 17;
        return edge ? edges[block] : fills[block];
    }
    if (Y < 33 && X < 52) {
        static const uint32_t marks[] = {CheckMark, UncheckMark, HotEdge, HotFill};
        const int bx = X % 13, by = Y - 20;
        const bool inMark = bx >= 3 && bx < 10 && by >= 3 && by < 10;
        return inMark ? marks[X / 13] : CheckKey;
    }
    if (X >= 60 && X < 90 && Y >= 20 && Y < 40) {
        const bool corner = Y == 20 && (X == 60 || X == 89);
        return corner ? MaskOut : MaskIn;
    }
    return Rgb(1, 2, 3);
}

constexpr const char* ButtonRecord =
    "[button]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\n"
    "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,17\r\nrightbottompoint=27,17\r\n"
    "clientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\ndownskinrect=60,0,90,20\r\n"
    "disabledskinrect=90,0,120,20\r\nfontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\n"
    "activefontcolor=255\r\ndownfontcolor=16711680\r\ndisabledfontcolor=8421504\r\n";

// The standard test skin: records named as the controls' default names.
inline std::string SkinIni(const std::string& AExtraControls = "", const std::string& AExtraSections = "")
{
    std::string controls = "0=button:button\r\n1=fixed:button\r\n2=hbar:button\r\n3=vbar:button\r\n"
                           "4=masked:button\r\n5=stdlabel:stdlabel\r\n6=checkbox:checkradio\r\n"
                           "7=radiobox:checkradio\r\n8=plain:bevel\r\n9=fixeddown:button\r\n10=fixedbutton:button\r\n";
    int count = 11;
    // AExtraControls: "name:kind" entries, one a line.
    for (size_t at = 0; at < AExtraControls.size();) {
        size_t end = AExtraControls.find("\r\n", at);
        if (end == std::string::npos)
            end = AExtraControls.size();
        controls += std::to_string(count++) + "=" + AExtraControls.substr(at, end - at) + "\r\n";
        at = end + 2;
    }
    return "[VERSION]\r\nskinname=Test\r\n"
           "[PICTURES]\r\npicture=\r\ninactivepicture=\r\nmask=\r\nactivepicturescount=2\r\n0=pic.bmp\r\n1=mask.bmp\r\n"
           "[FORMINFO]\r\nborderwidth=0\r\n"
           "[SKINCOLORS]\r\ncbtnface=12632256\r\ncbtnhighlight=16777215\r\ncbtnshadow=4210752\r\n"
           "[SKINOBJECTS]\r\ncount=0\r\n"
           "[SKINCONTROLS]\r\ncount=" +
           std::to_string(count) + "\r\n" + controls + ButtonRecord +
           "[fixed]\r\npictureindex=0\r\nskinrect=30,0,60,20\r\nclientrect=3,3,27,17\r\n"
           "[hbar]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,0\r\nrighttoppoint=27,0\r\n"
           "clientrect=3,3,27,17\r\n"
           "[vbar]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=0,3\r\nleftbottompoint=0,17\r\n"
           "rightbottompoint=0,5\r\nclientrect=3,3,27,17\r\n"
           "[masked]\r\npictureindex=0\r\nmaskpictureindex=1\r\nskinrect=60,20,90,40\r\nclientrect=3,3,27,17\r\n"
           "[stdlabel]\r\nfontname=Tahoma\r\nfontheight=20\r\nfontstyle=fsbold\r\nfontcolor=255\r\n"
           "[checkbox]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
           "fontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\nframefontcolor=65280\r\nunenabledfontcolor=8421504\r\n"
           "checkimagerect=0,20,13,33\r\nuncheckimagerect=13,20,26,33\r\nactivecheckimagerect=26,20,39,33\r\n"
           "activeuncheckimagerect=39,20,52,33\r\ncheckimagearea=3,3,16,17\r\ntextarea=17,3,27,17\r\n"
           "[radiobox]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
           "checkimagerect=0,20,13,33\r\nuncheckimagerect=13,20,26,33\r\n"
           "[fixeddown]\r\npictureindex=0\r\nskinrect=60,0,90,20\r\n"
           "[fixedbutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
           "activeskinrect=30,0,60,20\r\ndownskinrect=60,0,90,20\r\ndisabledskinrect=90,0,120,20\r\n"
           "[plain]\r\n" +
           AExtraSections;
}

// A skin folder made by the test.
struct TSkinFolder {
    testsupport::TTempDir Dir;
    std::string Ini = Dir.File("skin.ini");

    explicit TSkinFolder(const std::string& AIni = SkinIni())
    {
        testsupport::WriteFile(Ini, AIni);
        testsupport::WriteFile(Dir.File("pic.bmp"), BmpFile(120, 60, PicturePixel));
        testsupport::WriteFile(Dir.File("mask.bmp"), BmpFile(30, 20, [](int X, int Y) { return PicturePixel(X + 60, Y + 20); }));
    }
    void Rewrite(const std::string& AIni) const { testsupport::WriteFile(Ini, AIni); }
};

// A headless form that passes the model's change messages to its controls
// as the form frame does.
class TSkinTestForm : public TForm, public skin::IbsSkinMessageReceiver {
public:
    TSkinTestForm() : TForm(nullptr)
    {
        SetBorderStyle(bsNone);
        SetBounds(100, 100, 300, 200);
        SetColor(ColorOf(Background));
    }
    std::string ReceiverClassName() const override { return "TSkinTestForm"; }
    void ReceiveSkinMessage(unsigned AMsg, intptr_t AWParam, intptr_t) override
    {
        auto* sender = reinterpret_cast<TbsSkinData*>(AWParam);
        if (AMsg == skin::SKN_BEFORESKINCHANGE)
            skin::BeforeChangeSkinDataOfControls(this, sender);
        else if (AMsg == skin::SKN_SKINCHANGE)
            skin::ChangeSkinDataOfControls(this, sender);
        Messages.push_back(AMsg);
    }
    std::vector<unsigned> Messages;
};

struct TFakeClock {
    uint64_t Now = 5000;
    TFakeClock() { SetWindowClockForTesting([this] { return Now; }); }
    ~TFakeClock() { SetWindowClockForTesting(nullptr); }
};

struct TSkinFixture : ::testing::Test {
    std::unique_ptr<TSkinTestForm> Form = std::make_unique<TSkinTestForm>();
    TSkinFolder Folder;
    TbsSkinData* Data = new TbsSkinData(nullptr);

    void SetUp() override
    {
        skin::SetSkinFormList([this] { return std::vector<skin::IbsSkinMessageReceiver*>{Form.get()}; });
    }
    void TearDown() override
    {
        Form.reset();
        delete Data;
        skin::SetSkinFormList(nullptr);
    }
    void LoadSkin() { ASSERT_TRUE(Data->LoadFromFile(Folder.Ini).Ok()); }
    template <class T>
    T* Add(T* AControl, TRect ABounds)
    {
        AControl->SetBoundsRect(ABounds);
        AControl->SetParent(Form.get());
        return AControl;
    }
    void ShowAndPaint()
    {
        Form->Show();
        Pump();
    }
    static void Pump() { Application()->ProcessMessages(); }
    // A pixel of the form's client area, 0x00RRGGBB.
    uint32_t Pixel(int X, int Y)
    {
        Pump();
        const TPixelSurface* s = GetWindowSurface(Form->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
    }
    // A pixel of a control, relative to its top-left corner.
    uint32_t PixelOf(TControl* AControl, int X, int Y)
    {
        const TPoint p = Form->ScreenToClient(AControl->ClientToScreen(Point(X, Y)));
        return Pixel(p.X, p.Y);
    }
    // Mouse input at a point of a control.
    void Mouse(TControl* AControl, int X, int Y, int ADown = -1)
    {
        const TPoint p = AControl->ClientToScreen(Point(X, Y));
        if (ADown < 0)
            InjectMouseMove(p);
        else
            InjectMouseButton(TMouseButton::mbLeft, ADown != 0, p);
        Pump();
    }
    void Click(TControl* AControl, int X, int Y)
    {
        Mouse(AControl, X, Y);
        Mouse(AControl, X, Y, 1);
        Mouse(AControl, X, Y, 0);
    }
    void Key(int AKey, bool ADown)
    {
        InjectKey(AKey, ADown);
        Pump();
    }
};

} // namespace skintest
