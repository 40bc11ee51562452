#pragma once
// A sizeable 200 x 120 form at (100, 100) with a skin form component over
// the small frame test skin, shown on a headless 800 x 600 screen whose
// work area ends at 560.

#include "skin/form/bsSkinForm.h"

#include "FrameTestSkin.h"

#include "platform/ui/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace frametest {

// A control of kind TBase that counts the messages AMsg it receives.
template <class TBase, platform::UINT AMsg>
struct TMessageCounter : TBase {
    using TBase::TBase;
    int Count = 0;
    void WndProc(platform::TMessage& M) override
    {
        if (M.Msg == AMsg)
            ++Count;
        TBase::WndProc(M);
    }
};

inline platform::THeadlessBackend& Headless() { return static_cast<platform::THeadlessBackend&>(platform::Backend()); }

struct SkinnedFormFixture : ::testing::Test {
    testsupport::TTempDir Dir;
    std::unique_ptr<platform::TForm> Form = std::make_unique<platform::TForm>(nullptr);
    skin::TbsSkinForm* SkinForm = nullptr;
    std::unique_ptr<skin::TbsSkinData> Data = std::make_unique<skin::TbsSkinData>(nullptr);

    // The skin.ini the form starts with (its pictures are written first).
    virtual std::string StartIni() { return SkinIni(LeftText); }

    void SetUp() override
    {
        using namespace platform;
        Headless().SetScreen(Rect(0, 0, 800, 600), Rect(0, 0, 800, 560));
        WriteSkinPictures(Dir);
        Form->SetBorderStyle(bsSizeable);
        Form->SetBounds(100, 100, 200, 120);
        Form->SetCaption("Frame");
        SkinForm = new skin::TbsSkinForm(Form.get());
        SkinForm->SetSkinData(Data.get());
        LoadIni(StartIni());
        Form->Show();
        Application()->ProcessMessages();
    }
    void TearDown() override
    {
        using namespace platform;
        Form.reset();
        Data.reset();
        Headless().SetScreen(Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040));
    }
    void LoadIni(const std::string& AIni)
    {
        testsupport::WriteFile(Dir.File("skin.ini"), AIni);
        ASSERT_TRUE(Data->LoadFromFile(Dir.File("skin.ini")).Ok());
    }
    skin::TbsActiveSkinObject* Object(const std::string& AName)
    {
        const int i = SkinForm->GetIndex(AName);
        return i == -1 ? nullptr : SkinForm->ObjectList[size_t(i)].get();
    }
};

} // namespace frametest
