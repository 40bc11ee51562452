// Writes the seed corpus of every fuzz target into <folder>/<target>/, made
// with the program's own writers (pictures, skins) and, for media, Debian's
// ffmpeg program: small valid inputs from which the fuzzer mutates.

#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzSeedsApp.h"
#include "platform/core/IniFiles.h"
#include "platform/core/Streams.h"
#include "platform/gfx/ImageCodecs.h"
#include "skin/core/bsSkinData.h"
#include "skin/core/bsSkinData_StoredSkin.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace platform;
namespace fs = std::filesystem;

namespace {

fs::path Root;

void Seed(const std::string& ATarget, const std::string& AName, std::string_view AContent)
{
    const fs::path Folder = Root / ATarget;
    fs::create_directories(Folder);
    std::ofstream Out(Folder / AName, std::ios::binary | std::ios::trunc);
    Out.write(AContent.data(), std::streamsize(AContent.size()));
}

std::string Bytes(TMemoryStream& AStream)
{
    return std::string(AStream.Data().begin(), AStream.Data().end());
}

// A small picture with a gradient, and alpha when asked.
TImageData Picture(int AWidth, int AHeight, bool AAlpha)
{
    TImageData Image;
    AllocateImage(Image, AWidth, AHeight, "seed");
    for (int Y = 0; Y < AHeight; ++Y)
        for (int X = 0; X < AWidth; ++X) {
            const uint32_t A = AAlpha ? uint32_t(255 * X / std::max(1, AWidth - 1)) : 255;
            Image.At(X, Y) = A << 24 | uint32_t(X * 40 & 255) << 16 | uint32_t(Y * 60 & 255) << 8 | 0x80;
        }
    Image.HasAlpha = AAlpha;
    return Image;
}

void ImageSeeds()
{
    const struct {
        int Width, Height;
        bool Alpha;
    } Sizes[] = {{1, 1, false}, {7, 5, false}, {16, 9, true}};
    for (const auto& S : Sizes) {
        const TImageData Image = Picture(S.Width, S.Height, S.Alpha);
        const std::string Name = std::to_string(S.Width) + "x" + std::to_string(S.Height);
        TMemoryStream Bmp24, Bmp32, Png, Jpeg, Gif;
        WriteBmp(Bmp24, Image, 24);
        WriteBmp(Bmp32, Image, 32);
        WritePng(Png, Image, S.Alpha);
        WriteJpeg(Jpeg, Image, 80);
        WriteGif(Gif, Image);
        Seed("bmp", Name + "-24.bmp", Bytes(Bmp24));
        Seed("bmp", Name + "-32.bmp", Bytes(Bmp32));
        Seed("png", Name + ".png", Bytes(Png));
        Seed("jpeg", Name + ".jpg", Bytes(Jpeg));
        Seed("gif", Name + ".gif", Bytes(Gif));
    }
}

// A skin naming records of every kind, with the pictures p1.bmp (frame) and
// p2.bmp (controls) beside it.
const char* const SkinIni =
    "[VERSION]\r\nskinname=Seed\r\nskinauthor=Fuzz\r\n"
    "[PICTURES]\r\npicture=p1.bmp\r\ninactivepicture=\r\nmask=\r\nactivepicturescount=1\r\n0=p2.bmp\r\n"
    "[FORMINFO]\r\nlefttoppoint=4,24\r\nrighttoppoint=60,24\r\nleftbottompoint=4,40\r\nrightbottompoint=60,40\r\n"
    "clientrect=4,24,60,44\r\nbuttonsrect=40,2,62,20\r\ncaptionrect=4,2,40,20\r\nborderwidth=4\r\n"
    "formminwidth=120\r\nformminheight=60\r\nautorenderinginactiveimage=1\r\ninactiveeffect=iedarkness\r\n"
    "stretchtype=stvert\r\n"
    "[POPUPWINDOW]\r\nwindowpictureindex=0\r\nlefttoppoint=2,2\r\nrighttoppoint=14,2\r\n"
    "leftbottompoint=2,14\r\nrightbottompoint=14,14\r\nitemsrect=2,2,14,14\r\n"
    "[HINTWINDOW]\r\nwindowpictureindex=0\r\nclientrect=2,2,14,14\r\nfontname=Tahoma\r\nfontheight=12\r\n"
    "fontstyle=fsbold,fsitalic\r\nfontcolor=0\r\n"
    "[SKINCOLORS]\r\ncbtnface=15790320\r\ncbtntext=0\r\ncwindow=16777215\r\ncwindowtext=0\r\n"
    "chighlight=13395456\r\nchighlighttext=16777215\r\ncbtnhighlight=16777215\r\ncbtnshadow=8421504\r\n"
    "[SKINOBJECTS]\r\ncount=8\r\n0=caption:caption\r\n1=closebutton:stdbutton\r\n2=item:menuitem\r\n"
    "3=baritem:mainmenubaritem\r\n4=btn:button\r\n5=mbb:mainmenubarbutton\r\n6=anim:animate\r\n7=user:userobject\r\n"
    "[caption]\r\ntextrect=0,0,30,16\r\nfontname=Tahoma\r\nfontheight=13\r\nalignment=tacenter\r\n"
    "[closebutton]\r\ncommand=cmclose\r\nhint=Close\r\nskinrectinapicture=0,0,16,16\r\nactiveskinrect=16,0,32,16\r\n"
    "[item]\r\nskinrect=0,0,32,18\r\nactiveskinrect=0,18,32,36\r\ndividerrect=0,36,32,38\r\n"
    "[baritem]\r\nskinrect=0,0,20,18\r\n[btn]\r\nskinrect=0,0,16,16\r\n[mbb]\r\ncommand=cmminimize\r\n"
    "[anim]\r\nframecount=2\r\n[user]\r\nskinrect=1,1,5,5\r\n"
    "[SKINCONTROLS]\r\ncount=29\r\n0=panel:panel\r\n1=expanel:expanel\r\n2=menubutton:menubutton\r\n"
    "3=button:button\r\n4=checkbox:checkradio\r\n5=gauge:gauge\r\n6=vsplitter:splitter\r\n7=trackbar:trackbar\r\n"
    "8=label:label\r\n9=stdlabel:stdlabel\r\n10=hupdown:updown\r\n11=grid:grid\r\n12=tab:tab\r\n"
    "13=mainmenubar:mainmenubar\r\n14=controlbar:controlbar\r\n15=appmenu:appmenu\r\n16=memo:memo\r\n"
    "17=edit:edit\r\n18=checklistbox:checklistbox\r\n19=listbox:listbox\r\n20=combobox:combobox\r\n"
    "21=hscrollbar:scrollbar\r\n22=spinedit:spinedit\r\n23=scrollbox:scrollbox\r\n24=treeview:treeview\r\n"
    "25=bevel:bevel\r\n26=slider:slider\r\n27=listview:listview\r\n28=richedit:richedit\r\n"
    "[panel]\r\npictureindex=0\r\nskinrect=0,0,32,32\r\nlefttoppoint=4,4\r\nrighttoppoint=28,4\r\n"
    "leftbottompoint=4,28\r\nrightbottompoint=28,28\r\nclientrect=4,4,28,28\r\n"
    "[button]\r\npictureindex=0\r\nskinrect=0,0,32,20\r\nactiveskinrect=0,20,32,40\r\ndownskinrect=0,40,32,60\r\n"
    "fontname=Tahoma\r\nfontheight=12\r\nfontcolor=0\r\nactivefontcolor=255\r\nmorphing=1\r\nmorphkind=mkpush\r\n"
    "[checkbox]\r\ncheckimagerect=0,0,13,13\r\nuncheckimagerect=13,0,26,13\r\n"
    "[listbox]\r\nitemrect=0,0,30,16\r\nactiveitemrect=0,16,30,32\r\n"
    "[combobox]\r\nbuttonrect=0,0,16,16\r\nlistboxname=listbox\r\n"
    "[hscrollbar]\r\ntrackarea=16,0,48,16\r\nthumbrect=0,0,16,16\r\nthumbminsize=8\r\n"
    "[tab]\r\ntabrect=0,0,40,20\r\nactivetabrect=0,20,40,40\r\nupdown=hupdown\r\n"
    "[slider]\r\nhrulerrect=0,0,40,8\r\nhthumbrect=0,8,16,24\r\nedgesize=2\r\n"
    "[listview]\r\nbgcolor=16777215\r\nfontcolor=0\r\n[treeview]\r\nbgcolor=16777215\r\n"
    "[bevel]\r\nlightcolor=16777215\r\ndarkcolor=8421504\r\n";

void SkinSeeds()
{
    Seed("skin_ini", "skin.ini", SkinIni);
    Seed("skin_ini", "minimal.ini",
         "[VERSION]\r\na=1\r\n[PICTURES]\r\na=1\r\n[FORMINFO]\r\na=1\r\n[SKINOBJECTS]\r\ncount=0\r\n"
         "[SKINCONTROLS]\r\ncount=0\r\n");

    TMemoryStream Frame, Controls;
    WriteBmp(Frame, Picture(64, 48, false), 24);
    WriteBmp(Controls, Picture(40, 60, false), 24);
    Seed("skin_folder", "skin", fuzz::JoinFiles({SkinIni, Bytes(Frame), Bytes(Controls)}));

    // The same skin as a stored skin: a container, and (first byte odd) its
    // inflated payload.
    const fuzz::TScratchFolder Folder;
    Folder.Write("skin.ini", SkinIni);
    Folder.Write("p1.bmp", Bytes(Frame));
    Folder.Write("p2.bmp", Bytes(Controls));
    skin::TbsCompressedStoredSkin Stored(nullptr);
    const skin::TbsSkinStatus Status = Stored.LoadFromIniFile(Folder.Path() + "/skin.ini");
    if (!Status.Ok()) {
        std::fprintf(stderr, "The seed skin does not load: %s\n", Status.Message.c_str());
        std::exit(1);
    }
    TMemoryStream Container, Payload;
    Stored.SaveToCompressStream(Container);
    Stored.DeCompressToStream(Payload);
    Seed("skin_stream", "container", "\0" + Bytes(Container));
    Seed("skin_stream", "payload", "\1" + Bytes(Payload));
    Seed("skin_stream", "empty", std::string("\0\3\0\0\0\0\0\0\0", 9));
}

void TextSeeds()
{
    Seed("ini", "option.ini",
         "[Options]\r\nThread_Count=2\r\nAfter_Done=0\r\nShow_Preview=1\r\n[OutPath]\r\nOutPath=/home/u/out\r\n"
         "[Skin]\r\nSetSkin=0\r\n");
    Seed("ini", "odd.ini", "; comment\nkey outside=1\n[ Spaced ]\n  a = b \n[Spaced]\nA=c\n[]\n=empty\n[x]y]\nz\n");
    Seed("ini", "skin.ini", SkinIni);

    const char* const Values[] = {"1,2,3,4", "10,20", "-5, +6 ,7,8,9", "$10", "0x1F", "1", "fsbold,fsitalic",
                                  "fsunderline fsstrikeout", "tacenter", "taleftjustify", "stvert", "sthorz",
                                  "mkleftslide", "iesplitblur", "ieinvert", "cmrollup", "cmsysmenu",
                                  "listcount=2\n0=a.bmp\n1=b.bmp"};
    for (size_t I = 0; I < std::size(Values); ++I)
        Seed("skin_values", "v" + std::to_string(I), Values[I]);

    // The first byte chooses the road: 0 the option lines of a task, 1 a preset file.
    const struct {
        char Road;
        const char* Text;
    } Options[] = {
        {0, "vcodec=mpeg4\nb=800000\nr=25\ns=320x240\naspect=4:3"},
        {0, "acodec=libmp3lame\nab=128000\nar=44100\nac=2"},
        {0, "target=pal-vcd<CRLF>bufsize=100"},
        {0, "ss=00:00:01.5\nt=10\nmetadata=title=x\nvol=256"},
        {1, "coder=1\nflags=+loop\ncmp=+chroma\npartitions=+parti8x8+parti4x4\nme_method=hex\nsubq=7\n"},
        {1, "flags2=+mixed_refs+wpred+dct8x8+fastpskip\nwpredp=2\ndirectpred=1\ncqp=0\n"},
    };
    for (size_t I = 0; I < std::size(Options); ++I)
        Seed("options", "o" + std::to_string(I), std::string(1, Options[I].Road) + Options[I].Text);
}

// Tiny media files of common containers, made with Debian's ffmpeg program.
void MediaSeeds()
{
    const fs::path Folder = Root / "probe";
    fs::create_directories(Folder);
    const struct {
        const char* Name;
        const char* Arguments;
    } Media[] = {
        {"tone.wav", "-f lavfi -i sine=duration=0.05:sample_rate=8000 -c:a pcm_s16le"},
        {"tone.mp3", "-f lavfi -i sine=duration=0.1 -c:a libmp3lame -b:a 32k"},
        {"tone.ogg", "-f lavfi -i sine=duration=0.1 -c:a libvorbis"},
        {"bars.avi", "-f lavfi -i testsrc=size=16x16:rate=5:duration=0.4 -c:v mpeg4"},
        {"bars.mp4", "-f lavfi -i testsrc=size=16x16:rate=5:duration=0.4 -f lavfi -i sine=duration=0.4 "
                     "-c:v libx264 -preset ultrafast -c:a aac -shortest"},
        {"bars.flv", "-f lavfi -i testsrc=size=16x16:rate=5:duration=0.4 -c:v flv1"},
        {"bars.mkv", "-f lavfi -i testsrc=size=16x16:rate=5:duration=0.4 -c:v mjpeg"},
    };
    for (const auto& M : Media) {
        const fs::path Out = Folder / M.Name;
        const std::string Command = "ffmpeg -nostdin -loglevel error -y " + std::string(M.Arguments) + " '" +
                                    Out.string() + "'";
        if (std::system(Command.c_str()) != 0) {
            std::fprintf(stderr, "ffmpeg could not make %s\n", M.Name);
            std::exit(1);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    Root = argv[1];
    ImageSeeds();
    SkinSeeds();
    TextSeeds();
    MediaSeeds();
    fuzz::WriteAppSeeds(Seed);
    return 0;
}
