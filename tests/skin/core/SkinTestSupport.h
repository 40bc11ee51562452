#pragma once
// Skin fixtures shared by the skin core tests: BMP files and a small skin
// folder made by the test itself.

#include "support/BmpFile.h"
#include "support/TestSupport.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace skintest {

// A 24-bit BMP file of AWidth x AHeight pixels, all of one grey, or, with
// APattern, bytes counting up from that grey so that pictures differ.
inline std::string BmpFile(int AWidth, int AHeight, uint8_t AGrey = 0x80, bool APattern = false)
{
    std::string bmp = testsupport::BmpHeader(AWidth, AHeight);
    const uint32_t imageSize = uint32_t((AWidth * 3 + 3) / 4 * 4 * AHeight);
    for (uint32_t i = 0; i < imageSize; ++i)
        bmp += char(APattern ? uint8_t(AGrey + i * 7) : AGrey);
    return bmp;
}

inline const char* const SkinIni =
    "[VERSION]\r\nskinname=Test skin\r\nskinauthor=Us\r\n"
    "[PICTURES]\r\npicture=frame.bmp\r\ninactivepicture=\r\nmask=\r\n"
    "activepicturescount=2\r\n0=controls.bmp\r\n1=Sub\\More.BMP\r\n"
    "[FORMINFO]\r\nlefttoppoint=0,0\r\nrighttoppoint=140,20\r\nleftbottompoint=2,110\r\n"
    "rightbottompoint=140,110\r\nclientrect=3,21,143,115\r\nborderwidth=3\r\nformminwidth=200\r\n"
    "inactiveeffect=iedarkness\r\n"
    "[HINTWINDOW]\r\nfontheight=12\r\n"
    "[SKINCOLORS]\r\ncbtnface=12632256\r\n"
    "[SKINOBJECTS]\r\ncount=4\r\n0=caption:caption\r\n1=closebutton:stdbutton\r\n2=caption:menuitem\r\n"
    "3=odd:std:button\r\n"
    "[caption]\r\nfontheight=15\r\n"
    "[closebutton]\r\ncommand=cmclose\r\nhint=Close\r\n"
    "[SKINCONTROLS]\r\ncount=6\r\n0=button:button\r\n1=nothing\r\n2=panel:panel\r\n3=Button:button\r\n"
    "4=button:listbox\r\n5=lb:checklistbox\r\n"
    "[button]\r\npictureindex=0\r\nskinrect=0,0,75,25\r\nfontcolor=255\r\n"
    "[panel]\r\nclientrect=2,2,8,8\r\n"
    "[Button]\r\nfontcolor=7\r\n"
    "[lb]\r\nitemcheckrect=1,1,5,5\r\n";

// A skin folder made by the test: the INI file and its three pictures.
struct TSkinFolder {
    testsupport::TTempDir Dir;
    std::string Ini = Dir.File("skin.ini");

    explicit TSkinFolder(const std::string& AIniText = SkinIni)
    {
        testsupport::WriteFile(Ini, AIniText);
        testsupport::WriteFile(Dir.File("frame.bmp"), BmpFile(146, 118, 0x80, true));
        testsupport::WriteFile(Dir.File("controls.bmp"), BmpFile(100, 50, 0x80, true));
        platform::ForceDirectories(Dir.File("sub"));
        testsupport::WriteFile(Dir.File("sub/more.bmp"), BmpFile(4, 4, 0x80, true));
    }
};

// zlib's own one-call deflate at level 9 and inflate, independent of the
// units under test.
inline std::string Zlib(const std::string& AData)
{
    uLongf size = compressBound(uLong(AData.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(AData.data()),
              uLong(AData.size()), 9);
    out.resize(size);
    return out;
}

inline std::string Unzlib(const std::string& AData, size_t AMaxSize = 1 << 20)
{
    std::string out(AMaxSize, '\0');
    uLongf size = uLongf(out.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(AData.data()),
                         uLong(AData.size())),
              Z_OK);
    out.resize(size);
    return out;
}

// A component as the form designer has it.
template <typename TComponentClass>
struct TDesigned : TComponentClass {
    TDesigned() : TComponentClass(nullptr) { this->SetDesigning(true); }
};

// Two real forms, A and B, whose window procedures log the skin model's
// messages they see ("A1225", ...), with their wParam.
struct TRecordingForms {
    std::unique_ptr<platform::TForm> A{new platform::TForm(nullptr)};
    std::unique_ptr<platform::TForm> B{new platform::TForm(nullptr)};
    std::vector<std::string> Log;
    std::vector<platform::WPARAM> WParams;

    TRecordingForms()
    {
        Record(*A, "A");
        Record(*B, "B");
    }
    void Record(platform::TForm& AForm, const std::string& AName)
    {
        static const std::set<unsigned> skinMessages = {1225, 1226, 1227, 1274, 1294, 1427, 1428};
        platform::TWndMethod old = AForm.WindowProc;
        AForm.WindowProc = [this, old, AName](platform::TMessage& M) {
            if (skinMessages.count(M.Msg) && M.LParam == 1000) {
                Log.push_back(AName + std::to_string(M.Msg));
                WParams.push_back(M.WParam);
            }
            old(M);
        };
    }
};

// The three messages of a skin change as forms A and B see them.
inline std::vector<std::string> ChangeMessages()
{
    return {"A1225", "B1225", "A1226", "B1226", "A1227", "B1227"};
}

} // namespace skintest
