#pragma once
// The main window on the test's own folders, with a recording engine or
// the real one, and the dialogs start-up makes after it, answering its boxes and choosers for the user, and saving
// what it shows as PNG pictures in the build folder.

#include "app/forms/Unit1.h"
#include "app/forms/Program.h"
#include "app/forms/Unit2.h"
#include "app/forms/Unit5.h"
#include "app/forms/Unit6.h"
#include "app/forms/Unit7.h"
#include "app/workflow/WorkflowFakes.h"

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_ListView.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/controls/bsSkinCtrls_TextLabel.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/PngImage.h"
#include "platform/ui/Paint.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <typeinfo>
#include <deque>
#include <vector>

namespace formstest {

// Choosers that answer what the test queued.
class TQueuedChoosers : public app::IFileChoosers {
public:
    std::deque<std::vector<std::string>> Answers;
    std::string ChooseFile(const std::string&) override { return Next().empty() ? "" : Last.front(); }
    std::vector<std::string> ChooseFiles(const std::string&) override { return Next(); }
    std::string ChooseFolder(const std::string&, const std::string&) override
    {
        return Next().empty() ? "" : Last.front();
    }
    // Remembers what the save dialog was given.
    std::string ChoosePictureName(const std::string& AFilter, const std::string& ADefaultExt) override
    {
        SaveFilter = AFilter;
        SaveDefaultExt = ADefaultExt;
        return Next().empty() ? "" : Last.front();
    }
    std::string SaveFilter, SaveDefaultExt;

private:
    const std::vector<std::string>& Next()
    {
        Last.clear();
        if (!Answers.empty()) {
            Last = Answers.front();
            Answers.pop_front();
        }
        return Last;
    }
    std::vector<std::string> Last;
};

// Where a control of a form lies and how it starts. A Bounds.Right of 0
// checks only the place (a label sizes itself); an empty Caption and a null
// Hint are not checked.
struct TControlPlace {
    const char* Name;
    const char* Parent;
    platform::TRect Bounds;
    bool Visible;
    const char* Caption;
    const char* Hint = nullptr;
};

inline void ExpectPlaces(platform::TComponent& AOwner, std::initializer_list<TControlPlace> APlaces)
{
    for (const TControlPlace& c : APlaces) {
        auto* control = dynamic_cast<platform::TControl*>(AOwner.FindComponent(c.Name));
        ASSERT_NE(control, nullptr) << c.Name;
        ASSERT_NE(control->Parent(), nullptr) << c.Name;
        EXPECT_EQ(control->Parent()->Name(), c.Parent) << c.Name;
        if (c.Bounds.Right == 0) {
            EXPECT_EQ(control->BoundsRect().TopLeft(), c.Bounds.TopLeft()) << c.Name;
        } else {
            EXPECT_EQ(control->BoundsRect(), c.Bounds) << c.Name;
        }
        EXPECT_EQ(control->Visible(), c.Visible) << c.Name;
        if (*c.Caption) {
            EXPECT_EQ(control->Caption(), c.Caption) << c.Name;
        }
        if (c.Hint) {
            EXPECT_EQ(control->Hint, c.Hint) << c.Name;
        }
    }
}

// The record name a skinned component reads its look by; empty for a
// component of no skinned kind.
inline std::string SkinDataNameOf(platform::TComponent* AComponent)
{
    if (auto* c = dynamic_cast<skin::TbsSkinLink<platform::TCustomControl>*>(AComponent))
        return c->SkinDataName();
    if (auto* c = dynamic_cast<skin::TbsSkinLink<platform::TGraphicControl>*>(AComponent))
        return c->SkinDataName();
    if (auto* c = dynamic_cast<skin::TbsSkinPageControl*>(AComponent))
        return c->SkinDataName;
    if (auto* c = dynamic_cast<skin::TbsSkinCustomListView*>(AComponent))
        return c->SkinDataName;
    if (auto* c = dynamic_cast<skin::TbsSkinTextLabel*>(AComponent))
        return c->SkinDataName;
    if (auto* c = dynamic_cast<skin::TbsSkinStdLabel*>(AComponent))
        return c->SkinDataName;
    if (auto* c = dynamic_cast<skin::TbsSkinBevel*>(AComponent))
        return c->SkinDataName();
    if (auto* c = dynamic_cast<skin::TbsSkinCustomEdit*>(AComponent))
        return c->SkinDataName();
    return "";
}

// What the Parts fix of one component of a form: its kind, parent and
// place, whether it shows, its caption, the skin record it reads and which
// of the main window's two models draws it (1 or 2), its hint and its own
// font. A Bounds.Right of 0 checks only the place, Unplaced none; a null
// text and a model or font height of 0 are not checked; NoModel: a skinned
// control without a skin model.
constexpr int Unplaced = -10000;
constexpr int NoModel = -1;
constexpr platform::TRect Anywhere{Unplaced, 0, 0, 0};
struct TFormRow {
    const char* Name;
    const std::type_info& Type;
    const char* Parent;
    platform::TRect Bounds;
    bool Visible = true;
    const char* Caption = nullptr;
    const char* SkinDataName = nullptr;
    int Model = 0;
    const char* Hint = nullptr;
    const char* FontName = nullptr;
    int FontHeight = 0;
};

// Compares every row with the component of its name that AForm owns; the
// models are those of AMain.
inline void ExpectFormRows(platform::TComponent& AForm, app::TForm1& AMain, std::initializer_list<TFormRow> ARows)
{
    for (const TFormRow& r : ARows) {
        platform::TComponent* component = AForm.FindComponent(r.Name);
        ASSERT_NE(component, nullptr) << r.Name;
        EXPECT_EQ(std::string(typeid(*component).name()), r.Type.name()) << r.Name;
        if (auto* control = dynamic_cast<platform::TControl*>(component)) {
            ASSERT_NE(control->Parent(), nullptr) << r.Name;
            EXPECT_EQ(control->Parent()->Name(), r.Parent) << r.Name;
            if (r.Bounds.Left == Unplaced) {
            } else if (r.Bounds.Right == 0) {
                EXPECT_EQ(control->BoundsRect().TopLeft(), r.Bounds.TopLeft()) << r.Name;
            } else {
                EXPECT_EQ(control->BoundsRect(), r.Bounds) << r.Name;
            }
            EXPECT_EQ(control->Visible(), r.Visible) << r.Name;
            if (r.Caption) {
                EXPECT_EQ(control->Caption(), r.Caption) << r.Name;
            }
            if (r.Hint) {
                EXPECT_EQ(control->Hint, r.Hint) << r.Name;
            }
            if (r.FontName) {
                EXPECT_EQ(control->Font()->Name(), r.FontName) << r.Name;
                EXPECT_EQ(control->Font()->Height(), r.FontHeight) << r.Name;
            }
        }
        if (r.SkinDataName) {
            EXPECT_EQ(SkinDataNameOf(component), r.SkinDataName) << r.Name;
        }
        if (r.Model) {
            auto* skinned = dynamic_cast<skin::IbsSkinnedControl*>(component);
            ASSERT_NE(skinned, nullptr) << r.Name;
            EXPECT_EQ(skinned->SkinData(), r.Model == NoModel ? nullptr
                                           : r.Model == 1     ? AMain.SkinData()
                                                              : AMain.SkinData2())
                << r.Name;
        }
    }
}

// Saves a window's back buffer as a PNG file.
inline void SaveScreenshot(platform::HWND AWnd, const std::string& AFileName)
{
    const platform::TPixelSurface* s = platform::GetWindowSurface(AWnd);
    ASSERT_NE(s, nullptr);
    platform::TBitmap bmp;
    bmp.SetPixelFormat(platform::pf24bit);
    bmp.SetSize(s->Width, s->Height);
    for (int y = 0; y < s->Height; ++y) {
        const uint8_t* from = s->Row(y);
        uint8_t* to = bmp.ScanLine(y);
        for (int x = 0; x < s->Width; ++x)
            std::memcpy(to + x * 3, from + x * 4, 3);
    }
    platform::TPngImage png;
    png.Assign(&bmp);
    png.SaveToFile(AFileName);
}

// The pixels of AControl's area in its window's back buffer (0xRRGGBB), row
// by row; what lies outside the buffer is left out.
inline std::vector<uint32_t> ControlPixels(platform::HWND AWindow, platform::TControl* AControl)
{
    std::vector<uint32_t> pixels;
    const platform::TPixelSurface* s = platform::GetWindowSurface(AWindow);
    if (!s)
        return pixels;
    platform::TRect window;
    platform::GetWindowRect(AWindow, window);
    const platform::TPoint at = AControl->ClientToScreen(platform::TPoint{0, 0});
    for (int y = at.Y - window.Top; y < at.Y - window.Top + AControl->Height() && y < s->Height; ++y)
        for (int x = at.X - window.Left; x < at.X - window.Left + AControl->Width() && x < s->Width; ++x)
            if (x >= 0 && y >= 0)
                pixels.push_back(reinterpret_cast<const uint32_t*>(s->Row(y))[x] & 0xFFFFFF);
    return pixels;
}

// How many pixels of AControl's area in its window's back buffer have the
// colour ARgb (0xRRGGBB).
inline int CountPixels(platform::HWND AWindow, platform::TControl* AControl, uint32_t ARgb)
{
    const std::vector<uint32_t> pixels = ControlPixels(AWindow, AControl);
    return int(std::count(pixels.begin(), pixels.end(), ARgb));
}

class TMainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldHome = platform::GetEnvironmentVariable("HOME");
        platform::SetEnvironmentVariable("HOME", Home.Path());
        FOldActions = platform::SetSystemActions(std::make_unique<apptest::TFakeSystemActions>(&Actions));
        FOldLauncher = platform::SetLauncher(std::make_unique<apptest::TFakeLauncher>(&Actions));
    }
    void TearDown() override
    {
        Form2 = nullptr;
        Form5 = nullptr;
        Form6 = nullptr;
        Form7 = nullptr;
        Form1.reset();
        platform::SetSystemActions(std::move(FOldActions));
        platform::SetLauncher(std::move(FOldLauncher));
        platform::SetEnvironmentVariable("HOME", FOldHome);
    }

    // The window as start-up makes it, on AEngine (null: the real engine).
    void Create(std::unique_ptr<app::IConversionEngine> AEngine)
    {
        Form1.reset(new app::TForm1(nullptr, std::move(AEngine), Home.File("option.ini")));
        Form1->MessageBoxHook = [this](const std::string& ACaption, const std::string& AText, platform::TMsgDlgType) {
            Boxes.push_back(ACaption + ": " + AText);
        };
        Form1->ConfirmShutdownHook = [this] {
            ++ShutdownQuestions;
            return true;
        };
        auto choosers = std::make_unique<TQueuedChoosers>();
        Choosers = choosers.get();
        Form1->Choosers = std::move(choosers);
        Form1->Workflow().ProgramFolder = Home.Path();
        Form1->FormCreate();
        const app::TProgramDialogs dialogs = app::ShowThenCreateDialogs(*Form1);
        Form2 = dialogs.Form2;
        Form5 = dialogs.Form5;
        Form6 = dialogs.Form6;
        Form7 = dialogs.Form7;
        Form1->ShowStartupProblem();
        platform::Application()->ProcessMessages();
    }

    std::string Source(const std::string& AName)
    {
        testsupport::WriteFile(Media.File(AName), "media");
        return Media.File(AName);
    }

    // The build folder, where pictures of the window are kept.
    static std::string PictureFile(const std::string& AName)
    {
        return platform::GetCurrentDir() + "/" + AName;
    }

    testsupport::TTempDir Home;
    testsupport::TTempDir Media;
    std::unique_ptr<app::TForm1> Form1;
    // The forms start-up makes after the main window, owned by it.
    app::TForm2* Form2 = nullptr;
    app::TForm5* Form5 = nullptr;
    app::TForm6* Form6 = nullptr;
    app::TForm7* Form7 = nullptr;
    TQueuedChoosers* Choosers = nullptr;
    std::vector<std::string> Boxes;
    std::vector<std::string> Actions;
    int ShutdownQuestions = 0;

private:
    std::string FOldHome;
    std::unique_ptr<platform::ISystemActions> FOldActions;
    std::unique_ptr<platform::ILauncher> FOldLauncher;
};

} // namespace formstest
