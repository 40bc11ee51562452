#pragma once
// The start of a display test of skinned windows: the X11 presenter on the
// display and the small frame test skin loaded.

#include "skin/form/bsSkinForm.h"

#include "../FrameTestSkin.h"

#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>

#include <gtest/gtest.h>

#include <string>

namespace frametest {

struct TFrameSkinOnX11 {
    platform::TX11Backend* X = nullptr;
    Display* D = nullptr;
    testsupport::TTempDir Dir;
    skin::TbsSkinData Data{nullptr};

    // False without a display (the test skips); the skin carries
    // ACaptionExtra among its caption keys.
    bool Start(const std::string& ACaptionExtra = LeftText)
    {
        X = testsupport::InstallTestX11Backend();
        if (!X)
            return false;
        D = static_cast<Display*>(X->XDisplay());
        WriteSkinPictures(Dir);
        testsupport::WriteFile(Dir.File("skin.ini"), SkinIni(ACaptionExtra));
        EXPECT_TRUE(Data.LoadFromFile(Dir.File("skin.ini")).Ok());
        return true;
    }
};

} // namespace frametest
