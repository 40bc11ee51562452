#pragma once
// A small skin for frame tests: a 120 x 60 frame picture with a dark top
// strip, caption buttons (close, maximize, minimize, roll-up) drawn from
// their own 16 x 16 looks, a caption object with white text, and a quick
// button record whose hot and pressed frames are the close button's hot and
// pressed looks.

#include "../controls/SkinControlsTestSupport.h"

#include <string>

namespace frametest {

using skintest::Rgb;

constexpr uint32_t TopColor = Rgb(40, 40, 40), ClientColor = Rgb(100, 100, 100), BottomColor = Rgb(0, 0, 120);
constexpr uint32_t CloseColor = Rgb(200, 0, 0), CloseHot = Rgb(0, 200, 0), CloseDown = Rgb(0, 0, 200);
constexpr uint32_t MaxColor = Rgb(200, 200, 0), MaxHot = Rgb(0, 200, 200), RestoreColor = Rgb(200, 0, 200);
constexpr uint32_t MinColor = Rgb(255, 128, 0), RollUpColor = Rgb(128, 0, 255);
constexpr uint32_t TextColor = Rgb(255, 255, 255);

// Frame picture 120 x 60: the top strip above y 30 and the bottom one from
// y 55 in their own colours, the client part grey.
inline uint32_t FramePixel(int, int Y)
{
    return Y < 30 ? TopColor : Y >= 55 ? BottomColor : ClientColor;
}

// Button looks, 16 x 16 each, side by side.
inline uint32_t ButtonsPixel(int X, int)
{
    const uint32_t looks[] = {CloseColor, CloseHot, CloseDown, MaxColor, MaxHot, RestoreColor, MinColor, RollUpColor};
    return looks[X / 16];
}

inline std::string Button(const std::string& AName, const std::string& ACommand, int ALook, const std::string& AExtra)
{
    const auto rect = [](int ALookIndex) {
        return std::to_string(ALookIndex * 16) + ",0," + std::to_string(ALookIndex * 16 + 16) + ",16";
    };
    return "[" + AName + "]\r\ncommand=" + ACommand + "\r\nskinrectinapicture=1\r\nactivepictureindex=0\r\nskinrect=" +
           rect(ALook) + "\r\n" + AExtra;
}

inline std::string SkinIni(const std::string& ACaptionExtra, const std::string& ALayerFrame = "")
{
    return std::string("[VERSION]\r\nskinname=Objects\r\n"
                       "[PICTURES]\r\npicture=frame.bmp\r\ninactivepicture=\r\nmask=\r\n"
                       "activepicturescount=4\r\n0=buttons.bmp\r\n1=layer.bmp\r\n2=layermask.bmp\r\n"
                       "3=quickmask.bmp\r\n"
                       "[FORMINFO]\r\nlefttoppoint=10,30\r\nrighttoppoint=110,30\r\nleftbottompoint=10,55\r\n"
                       "rightbottompoint=110,55\r\nclientrect=4,30,116,55\r\nborderwidth=3\r\n"
                       "captionrect=4,4,116,26\r\nbuttonsrect=70,6,114,22\r\nbuttonsoffset=2\r\n"
                       "hittestlefttoppoint=10,10\r\nhittestrighttoppoint=110,10\r\n"
                       "hittestleftbottompoint=10,50\r\nhittestrightbottompoint=110,50\r\n"
                       "[SKINOBJECTS]\r\ncount=5\r\n0=closebutton:stdbutton\r\n1=maxbutton:stdbutton\r\n"
                       "2=minbutton:stdbutton\r\n3=rollupbutton:stdbutton\r\n4=caption:caption\r\n") +
           Button("closebutton", "cmclose", 0, "activeskinrect=16,0,32,16\r\ndownrect=32,0,48,16\r\n") +
           Button("maxbutton", "cmmaximize", 3, "activeskinrect=64,0,80,16\r\nrestorerect=80,0,96,16\r\n") +
           Button("minbutton", "cmminimize", 6, "") + Button("rollupbutton", "cmrollup", 7, "") +
           "[caption]\r\nskinrect=4,4,116,26\r\ntextrect=4,2,70,20\r\nfontname=Tahoma\r\nfontheight=14\r\n"
           "fontcolor=16777215\r\nactivefontcolor=16777215\r\n" +
           ACaptionExtra + ALayerFrame +
           "[SKINCONTROLS]\r\ncount=1\r\n0=officequickbutton:button\r\n"
           "[officequickbutton]\r\npictureindex=0\r\nskinrect=16,0,32,16\r\nclientrect=2,2,14,14\r\n"
           "activeskinrect=16,0,32,16\r\ndownskinrect=32,0,48,16\r\n";
}

// A layer frame of 140 x 80 around the form's rectangle (10, 10, 130, 70):
// opaque blue outside it, transparent inside.
constexpr uint32_t LayerColor = Rgb(0, 128, 255);
inline const std::string LayerFrame =
    "[LAYERFRAME]\r\npictureindex=1\r\nmaskpictureindex=2\r\nlefttoppoint=20,10\r\nrighttoppoint=120,10\r\n"
    "leftbottompoint=20,70\r\nrightbottompoint=120,70\r\nclientrect=10,10,130,70\r\nalphablendvalue=200\r\n"
    "inactivealphablendvalue=100\r\n";

const std::string LeftText = "alignment=taleftjustify\r\n";

// Caption keys for the quick-button strip's dividers, cut from the button
// looks: the active one half restore look (keyed out) and half minimize
// look, the inactive one the roll-up look.
const std::string QuickButtonDividers =
    "activepictureindex=0\r\ndividerrect=94,0,98,16\r\ninactivedividerrect=112,0,116,16\r\n"
    "dividertransparent=1\r\ndividertransparentcolor=13107400\r\n";

// The quick button frames' alpha mask: an opaque one-pixel rim round a
// half-seen inside.
inline uint32_t QuickMaskPixel(int X, int Y)
{
    return X == 0 || Y == 0 || X == 15 || Y == 15 ? Rgb(255, 255, 255) : Rgb(128, 128, 128);
}

// The frame skin with an "appmenu" record over the buttons picture for a
// ribbon's application menu; AExtra adds to the record.
inline std::string SkinIniWithAppMenu(const std::string& AExtra, const std::string& ALayerFrame = "")
{
    std::string ini = SkinIni(LeftText, ALayerFrame);
    const std::string list = "[SKINCONTROLS]\r\ncount=1\r\n0=officequickbutton:button\r\n";
    ini.replace(ini.find(list), list.size(),
                "[SKINCONTROLS]\r\ncount=2\r\n0=officequickbutton:button\r\n1=appmenu:appmenu\r\n");
    return ini +
           "[appmenu]\r\npictureindex=0\r\nskinrect=0,0,48,16\r\nclientrect=3,3,45,13\r\n"
           "lefttoppoint=3,3\r\nrighttoppoint=45,3\r\nleftbottompoint=3,13\r\nrightbottompoint=45,13\r\n"
           "itemrect=16,0,32,16\r\npageitemrect=32,0,48,16\r\npageitemactiverect=48,0,64,16\r\n" +
           AExtra;
}

// The menu's caption picture (the restore look, magenta) stretched over the
// strip from x 4 and y 2 on.
constexpr uint32_t AppMenuCaptionColor = RestoreColor;
inline const std::string AppMenuCaption = "captionrect=80,0,96,16\r\ncaptionleftoffset=4\r\ncaptiontopoffset=2\r\n";

// The pictures beside skin.ini in ADir.
inline void WriteSkinPictures(const testsupport::TTempDir& ADir)
{
    testsupport::WriteFile(ADir.File("quickmask.bmp"), skintest::BmpFile(16, 16, QuickMaskPixel));
    testsupport::WriteFile(ADir.File("frame.bmp"), skintest::BmpFile(120, 60, FramePixel));
    testsupport::WriteFile(ADir.File("buttons.bmp"), skintest::BmpFile(128, 16, ButtonsPixel));
    testsupport::WriteFile(ADir.File("layer.bmp"), skintest::BmpFile(140, 80, [](int, int) { return LayerColor; }));
    testsupport::WriteFile(ADir.File("layermask.bmp"), skintest::BmpFile(140, 80, [](int X, int Y) {
                               const bool inside = X >= 10 && X < 130 && Y >= 10 && Y < 70;
                               return inside ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
                           }));
}

// A full border around the form's rectangle (10, 30, 130, 70) of a 140 x 80
// picture: a 30-pixel top strip with the caption and buttons, sizing edges
// 6 pixels outside the form (26 above it), a 4-pixel sizing band and
// 10-pixel corners. The caption strip is see-through, the rest opaque.
inline const std::string FullLayerFrame =
    "[LAYERFRAME]\r\npictureindex=1\r\nmaskpictureindex=2\r\nlefttoppoint=20,30\r\nrighttoppoint=120,30\r\n"
    "leftbottompoint=20,70\r\nrightbottompoint=120,70\r\nclientrect=10,30,130,70\r\nborderrect=4,4,136,76\r\n"
    "hittestenable=1\r\nhittestsize=4\r\nhittestlefttoppoint=14,14\r\nhittestrighttoppoint=126,14\r\n"
    "hittestleftbottompoint=14,66\r\nhittestrightbottompoint=126,66\r\ncaptionrect=12,8,128,26\r\n"
    "fullborder=1\r\nalphablendvalue=255\r\ninactivealphablendvalue=255\r\n";

inline void WriteFullBorderMask(const testsupport::TTempDir& ADir)
{
    testsupport::WriteFile(ADir.File("layermask.bmp"), skintest::BmpFile(140, 80, [](int X, int Y) {
                               const bool form = X >= 10 && X < 130 && Y >= 30 && Y < 70;
                               const bool caption = X >= 12 && X < 128 && Y >= 8 && Y < 26;
                               return form || caption ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
                           }));
}

// The full border's skin with a blur mask: black inside the sizing edges
// and outside the form, so the glass is the 6-pixel band round the form and
// the 26-pixel one above it. Writes the mask into ADir.
inline std::string WithBlurMask(const testsupport::TTempDir& ADir, std::string AIni)
{
    testsupport::WriteFile(ADir.File("blurmask.bmp"), skintest::BmpFile(140, 80, [](int X, int Y) {
                               const bool edge = X >= 4 && X < 136 && Y >= 4 && Y < 76;
                               const bool form = X >= 10 && X < 130 && Y >= 30 && Y < 70;
                               return edge && !form ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
                           }));
    const auto replace = [&AIni](const std::string& AOld, const std::string& ANew) {
        AIni.replace(AIni.find(AOld), AOld.size(), ANew);
    };
    replace("activepicturescount=4\r\n", "activepicturescount=5\r\n");
    replace("3=quickmask.bmp\r\n", "3=quickmask.bmp\r\n4=blurmask.bmp\r\n");
    replace("fullborder=1\r\n", "fullborder=1\r\nblurmaskpictureindex=4\r\nintersectblurmaskrect=4,4,136,76\r\n"
                                "excludeblurmaskrect=10,30,130,70\r\n");
    return AIni;
}

} // namespace frametest
