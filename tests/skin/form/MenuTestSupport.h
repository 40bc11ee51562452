#pragma once
// A headless form with a skin form component and a focused control, a small
// menu skin made by the tests (an item strip, a divider, check and radio
// marks, a framed window picture), and input helpers that drive the menus
// through the message loop with a test clock.

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "../controls/SkinControlsTestSupport.h"

#include "platform/controls/StdCtrls.h"
#include "platform/gfx/PngImage.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace menutest {

using namespace platform;
using skintest::ColorOf;
using skintest::Rgb;

// Picture 0 (60 x 40): normal item 0,0-30,20; hot item 30,0-60,20; divider
// 0,20-30,24; check mark 0,25-10,35 and radio mark 10,25-20,35 on the key.
constexpr uint32_t ItemNormal = Rgb(200, 220, 240), ItemHot = Rgb(40, 60, 160), Divider = Rgb(255, 0, 0);
constexpr uint32_t CheckColor = Rgb(0, 128, 0), RadioColor = Rgb(128, 0, 128), MarkKey = Rgb(255, 0, 255);
// Picture 1 (20 x 20): the window, a 2-pixel frame round its items area.
constexpr uint32_t WindowFrame = Rgb(10, 10, 90), WindowFill = Rgb(230, 230, 200);

inline uint32_t MenuPicturePixel(int X, int Y)
{
    if (Y < 20)
        return X < 30 ? ItemNormal : ItemHot;
    if (Y < 24)
        return X < 30 ? Divider : MarkKey;
    if (Y >= 25 && Y < 35 && X < 20) {
        const bool mark = (X % 10) >= 2 && (X % 10) < 8 && Y >= 27 && Y < 33;
        return mark ? (X < 10 ? CheckColor : RadioColor) : MarkKey;
    }
    return MarkKey;
}

inline uint32_t WindowPicturePixel(int X, int Y) { return X < 2 || Y < 2 || X >= 18 || Y >= 18 ? WindowFrame : WindowFill; }

inline std::string MenuSkinIni(const std::string& AMenuItemExtra = "")
{
    return "[VERSION]\r\nskinname=Menus\r\n"
           "[PICTURES]\r\npicture=\r\ninactivepicture=\r\nmask=\r\nactivepicturescount=2\r\n0=menu.bmp\r\n1=window.bmp\r\n"
           "[FORMINFO]\r\nborderwidth=0\r\n"
           "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nlefttoppoint=2,2\r\nrighttoppoint=18,2\r\nleftbottompoint=2,18\r\n"
           "rightbottompoint=18,18\r\nitemsrect=2,2,18,18\r\nscrollmarkercolor=0\r\nscrollmarkeractivecolor=255\r\n"
           "[SKINCOLORS]\r\ncbtnface=12632256\r\n"
           "[SKINOBJECTS]\r\ncount=1\r\n0=menuitem:menuitem\r\n"
           "[menuitem]\r\nactivepictureindex=0\r\nskinrect=0,0,30,20\r\nactiveskinrect=30,0,60,20\r\n"
           "dividerrect=0,20,30,24\r\nitemleftoffset=3\r\nitemrightoffset=3\r\ntextrect=20,0,27,20\r\n"
           "fontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\nactivefontcolor=16777215\r\nunenabledfontcolor=8421504\r\n" +
           AMenuItemExtra +
           "[SKINCONTROLS]\r\ncount=0\r\n";
}

// The menu skin in a folder of its own.
struct TMenuSkinFolder {
    testsupport::TTempDir Dir;
    explicit TMenuSkinFolder(const std::string& AIni = MenuSkinIni())
    {
        testsupport::WriteFile(Dir.File("skin.ini"), AIni);
        testsupport::WriteFile(Dir.File("menu.bmp"), skintest::BmpFile(60, 40, MenuPicturePixel));
        testsupport::WriteFile(Dir.File("window.bmp"), skintest::BmpFile(20, 20, WindowPicturePixel));
    }
    std::string Ini() const { return Dir.File("skin.ini"); }
};

// A control that records the menu messages it receives.
class TMenuListener : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string>* Log = nullptr;
    void WndProc(TMessage& M) override
    {
        if (Log && M.Msg == SKN_MENUCLOSED)
            Log->push_back("opener closed");
        if (Log && M.Msg == SKN_MENUCOMMAND)
            Log->push_back("opener command");
        TCustomControl::WndProc(M);
    }
};

struct TMenuFixture : ::testing::Test {
    skintest::TFakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    skin::TbsSkinForm* SkinForm = nullptr;
    TEdit* Edit = nullptr;
    std::vector<std::string> Chosen;

    void SetUp() override
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 400, 300);
        SkinForm = new skin::TbsSkinForm(Form.get());
        Edit = new TEdit(Form.get());
        Edit->SetBounds(10, 200, 100, 22);
        Edit->SetParent(Form.get());
        Form->Show();
        Edit->SetFocus();
        Pump();
    }
    void TearDown() override { Form.reset(); }

    static void Pump() { Application()->ProcessMessages(); }
    void Advance(uint64_t AMs)
    {
        // Timers fire once per pump: step the clock in small slices.
        for (uint64_t done = 0; done < AMs; done += 10) {
            Clock.Now += 10;
            Pump();
        }
    }
    void Key(int AKey)
    {
        InjectKey(AKey, true);
        Pump();
        InjectKey(AKey, false);
        Pump();
    }
    TMenuItem* AddItem(TMenuItem* AParent, const std::string& ACaption, const std::string& AName = "")
    {
        auto* item = new TMenuItem(Form.get());
        item->Caption = ACaption;
        item->SetName(AName);
        const std::string tag = AName.empty() ? ACaption : AName;
        item->OnClick = [this, tag](TObject*) { Chosen.push_back(tag); };
        AParent->Add(item);
        return item;
    }
    skin::TbsSkinMenu* Manager() const { return SkinForm->SkinMenu(); }
    // The screen point at the middle of item AIndex of popup window AWindow.
    TPoint ItemPoint(int AWindow, int AIndex) const
    {
        skin::TbsSkinPopupWindow* w = Manager()->PopupWindow(AWindow);
        const TRect r = w->Item(AIndex)->ObjectRect;
        return w->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    void MoveTo(TPoint P)
    {
        InjectMouseMove(P);
        Pump();
        Advance(60);   // the windows poll the mouse every 50 ms
    }
    void ClickAt(TPoint P)
    {
        MoveTo(P);
        InjectMouseButton(TMouseButton::mbLeft, true, P);
        Pump();
        InjectMouseButton(TMouseButton::mbLeft, false, P);
        Pump();
    }
};

// Pixel of a bitmap as 0x00RRGGBB.
inline uint32_t BitmapPixel(TBitmap& B, int X, int Y)
{
    const COLORREF c = ColorToRGB(B.Canvas()->Pixels(X, Y));
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A pixel of a window's back buffer, 0x00RRGGBB.
inline uint32_t WindowPixel(HWND AWnd, int X, int Y)
{
    const TPixelSurface* s = GetWindowSurface(AWnd);
    return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
}

// Saves what a window shows as a PNG in the test's working folder.
inline void SaveWindowPng(HWND AWnd, const std::string& AFileName)
{
    const TPixelSurface* s = GetWindowSurface(AWnd);
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(s->Width, s->Height);
    for (int y = 0; y < s->Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(b.ScanLine(y));
        for (int x = 0; x < s->Width; ++x)
            row[x] = reinterpret_cast<const uint32_t*>(s->Row(y))[x] | 0xFF000000u;
    }
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(AFileName);
}

} // namespace menutest
