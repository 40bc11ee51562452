#pragma once
// The main window on the test's own folders, with a recording engine or
// the real one, answering its boxes and choosers for the user, and saving
// what it shows as PNG pictures in the build folder.

#include "app/forms/Unit1.h"
#include "app/forms/Unit5.h"
#include "app/workflow/WorkflowFakes.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/PngImage.h"
#include "platform/ui/Paint.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>

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

// How many pixels of AControl's area in its window's back buffer have the
// colour ARgb (0xRRGGBB).
inline int CountPixels(platform::HWND AWindow, platform::TControl* AControl, uint32_t ARgb)
{
    const platform::TPixelSurface* s = platform::GetWindowSurface(AWindow);
    if (!s)
        return 0;
    platform::TRect window;
    platform::GetWindowRect(AWindow, window);
    const platform::TPoint at = AControl->ClientToScreen(platform::TPoint{0, 0});
    int count = 0;
    for (int y = at.Y - window.Top; y < at.Y - window.Top + AControl->Height() && y < s->Height; ++y)
        for (int x = at.X - window.Left; x < at.X - window.Left + AControl->Width() && x < s->Width; ++x)
            if (x >= 0 && y >= 0)
                count += (reinterpret_cast<const uint32_t*>(s->Row(y))[x] & 0xFFFFFF) == ARgb;
    return count;
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
        Form5 = nullptr;
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
        Form5 = new app::TForm5(Form1.get(), Form1->OptionFile());
        Form5->SkinWith(Form1->SkinData(), Form1->SkinData2());
        Form5->OnPreviewChanged = [this](bool AOn) { Form1->Engine().SetPreview(AOn); };
        Form5->Button1Click();
        Form1->SetOptionsDialog(Form5);
        Form1->Workflow().SetOptions(Form5->Options());
        Form1->Show();
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
    app::TForm5* Form5 = nullptr;
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
