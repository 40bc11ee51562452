#include "skin/core/bsSkinData.h"

#include "SkinTestSupport.h"
#include "support/TestSupport.h"

#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace skin;
using skintest::BmpFile;
using skintest::SkinIni;
using skintest::TSkinFolder;
using testsupport::TTempDir;
using testsupport::WriteFile;

namespace {

struct TMessage {
    std::string Form;
    unsigned Msg;
    intptr_t WParam;
    intptr_t LParam;
    bool operator==(const TMessage&) const = default;
};

// A form that records the skin messages it receives into a shared log.
class TFakeForm : public platform::TComponent, public IbsSkinMessageReceiver {
public:
    TFakeForm(std::string AName, std::vector<TMessage>& ALog, std::string AClass = "TForm1")
        : TComponent(nullptr), FName(std::move(AName)), FClass(std::move(AClass)), FLog(ALog)
    {
    }
    std::string ReceiverClassName() const override { return FClass; }
    void ReceiveSkinMessage(unsigned AMsg, intptr_t AWParam, intptr_t ALParam) override
    {
        FLog.push_back({FName, AMsg, AWParam, ALParam});
        if (OnMessage)
            OnMessage(AMsg);
    }
    std::function<void(unsigned)> OnMessage;

private:
    std::string FName, FClass;
    std::vector<TMessage>& FLog;
};

class SkinModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSkinFormList([this] { return std::vector<IbsSkinMessageReceiver*>{&FormA, &FormB, &Layer}; });
    }
    void TearDown() override { SetSkinFormList(nullptr); }

    std::vector<TMessage> Log;
    TFakeForm FormA{"A", Log};
    TFakeForm FormB{"B", Log};
    TFakeForm Layer{"L", Log, LayerWindowClassName};
    // Owned by form B.
    TbsSkinData* Data = new TbsSkinData(&FormB);
    intptr_t W() const { return reinterpret_cast<intptr_t>(Data); }

    std::vector<std::string> Sequence() const
    {
        std::vector<std::string> seq;
        for (const TMessage& m : Log)
            seq.push_back(m.Form + platform::IntToStr(m.Msg));
        return seq;
    }
};

} // namespace

TEST_F(SkinModel, CreatedEmpty)
{
    EXPECT_TRUE(Data->Empty());
    EXPECT_FALSE(Data->ChangeSkinDataProcess());
    EXPECT_EQ(Data->GetControlIndex("button"), -1);
    EXPECT_EQ(Data->BGPictureIndex, -1);
    EXPECT_EQ(Data->SkinColors().cBtnFace(), 0);
    EXPECT_TRUE(Data->SkinnableForm());
    EXPECT_EQ(Data->DlgListViewItemSkinDataName, "listbox");
}

TEST_F(SkinModel, LoadsAFolderAndFindsRecordsByName)
{
    TSkinFolder folder;
    const TbsSkinStatus status = Data->LoadFromFile(folder.Ini);
    ASSERT_TRUE(status.Ok()) << status.Message;
    EXPECT_FALSE(Data->Empty());
    EXPECT_EQ(Data->SkinName, "Test skin");
    EXPECT_EQ(Data->FActivePictures.size(), 2u);
    EXPECT_EQ(Data->FActivePicturesNames.CommaText(), "controls.bmp,Sub\\More.BMP");
    EXPECT_EQ(Data->FPicture->Width(), 146);
    EXPECT_EQ(Data->FActivePictures[0]->Height(), 50);
    EXPECT_TRUE(PictureEmpty(*Data->FMask));

    ASSERT_EQ(Data->ObjectList.size(), 3u);
    EXPECT_EQ(Data->GetIndex("caption"), 0) << "the first of two records of one name";
    EXPECT_NE(dynamic_cast<TbsDataSkinMenuItem*>(Data->ObjectList[2].get()), nullptr);
    EXPECT_EQ(static_cast<TbsDataSkinCaption&>(*Data->ObjectList[0]).FontHeight, 15);
    EXPECT_EQ(static_cast<TbsDataSkinMenuItem&>(*Data->ObjectList[2]).FontHeight, 15);
    EXPECT_EQ(Data->GetIndex("closebutton"), 1);
    EXPECT_EQ(static_cast<TbsDataSkinStdButton&>(*Data->ObjectList[1]).Command, cmClose);
    EXPECT_EQ(Data->GetIndex("odd"), -1);

    ASSERT_EQ(Data->CtrlList.size(), 5u);
    const int button = Data->GetControlIndex("button");
    ASSERT_EQ(button, 0);
    const auto& record = dynamic_cast<TbsDataSkinButtonControl&>(*Data->CtrlList[size_t(button)]);
    EXPECT_EQ(record.FontColor, 255);
    EXPECT_EQ(record.SkinRect, (TRect{0, 0, 75, 25}));
    EXPECT_EQ(Data->GetControlIndex("Button"), 2) << "names are compared with their letter case";
    EXPECT_EQ(Data->GetControlIndex("BUTTON"), -1);
    EXPECT_NE(dynamic_cast<TbsDataSkinListBox*>(Data->CtrlList[size_t(Data->GetControlIndex("lb"))].get()), nullptr);

    EXPECT_EQ(Data->LTPoint, (TPoint{3, 21})) << "corners are kept out of the client part";
    EXPECT_EQ(Data->RTPoint, (TPoint{140, 21}));
    EXPECT_EQ(Data->LBPoint, (TPoint{3, 110}));
    EXPECT_EQ(Data->BorderW, 3);
    EXPECT_EQ(Data->FormMinWidth, 200);
    EXPECT_EQ(Data->InActiveEffect, ieDarkness);
    EXPECT_EQ(Data->HintWindow->FontHeight, 12);
    EXPECT_EQ(Data->SkinColors().cBtnFace(), 12632256);
    EXPECT_EQ(Data->SkinColors().cBtnText(), int32_t(0xFF000012));
    EXPECT_EQ(Data->LayerFrame->PictureIndex, -1);
}

TEST_F(SkinModel, ChangeMessagesReachTheFormsInOrder)
{
    TSkinFolder folder;
    std::vector<std::string> seenDuringLoadData;
    Data->OnLoadData = [&](platform::TObject* ASender) {
        EXPECT_EQ(ASender, Data);
        EXPECT_TRUE(Data->ChangeSkinDataProcess());
        EXPECT_FALSE(Data->Empty());
        seenDuringLoadData = Sequence();
    };
    std::vector<std::pair<bool, bool>> states; // Empty, ChangeSkinDataProcess as form A saw them
    FormA.OnMessage = [&](unsigned) { states.emplace_back(Data->Empty(), Data->ChangeSkinDataProcess()); };

    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"A1225", "B1225", "A1226", "B1226", "A1227", "B1227"}));
    EXPECT_EQ(seenDuringLoadData, (std::vector<std::string>{"A1225", "B1225"}));
    EXPECT_EQ(states, (std::vector<std::pair<bool, bool>>{{true, true}, {false, true}, {false, false}}));
    for (const TMessage& m : Log) {
        EXPECT_EQ(m.WParam, W());
        EXPECT_EQ(m.LParam, 1000);
    }
}

TEST_F(SkinModel, OwnerFirstWithoutLayeredBordersAndReversedWithALayerFrame)
{
    Data->SetShowLayeredBorders(false);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"B1427", "A1427"}));
    Log.clear();
    Data->ClearSkin();
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"B1225", "A1225", "B1226", "A1226", "B1227", "A1227"}));

    Data->SetShowLayeredBorders(true);
    Data->LayerFrame->PictureIndex = 0;
    Log.clear();
    Data->SendSkinDataMessage(SKN_SKINCHANGE);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"B1226", "A1226"}));
}

TEST_F(SkinModel, OptionChangesAreAnnouncedOnlyWhenTheyChange)
{
    Data->SetSkinnableForm(true);
    Data->SetAeroBlurEnabled(true);
    EXPECT_TRUE(Log.empty());
    Data->SetSkinnableForm(false);
    Data->SetAeroBlurEnabled(false);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"A1294", "B1294", "A1428", "B1428"}));
    Log.clear();
    Data->SetLoading(true);
    Data->SetSkinnableForm(true);
    EXPECT_TRUE(Log.empty()) << "not while the form is being loaded";
    auto* strings = new TbsResourceStrData(&FormA);
    Data->SetResourceStrData(strings);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"A1274", "B1274"})) << "UI strings change even while loading";
    Data->SetLoading(false);
    delete strings;
    EXPECT_EQ(Data->ResourceStrData(), nullptr);
    Log.clear();
    Data->SetResourceStrData(nullptr);
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"A1274", "B1274"}));
}

TEST_F(SkinModel, BrokenSkinsLeaveTheCurrentSkinAndSendNothing)
{
    TSkinFolder good;
    ASSERT_TRUE(Data->LoadFromFile(good.Ini).Ok());

    struct TCase {
        const char* What;
        std::function<void(TSkinFolder&)> Break;
        TbsSkinStatusCode Code;
        const char* MessagePart;
    };
    auto replaceIni = [](const std::string& AFrom, const std::string& ATo) {
        return [=](TSkinFolder& F) {
            std::string text = SkinIni;
            text.replace(text.find(AFrom), AFrom.size(), ATo);
            WriteFile(F.Ini, text);
        };
    };
    const TCase cases[] = {
        {"malformed rectangle", replaceIni("skinrect=0,0,75,25", "skinrect=0,,75,25"), TbsSkinStatusCode::Failed,
         "[button] skinrect=0,,75,25"},
        {"malformed point", replaceIni("righttoppoint=140,20", "righttoppoint=140"), TbsSkinStatusCode::Failed,
         "righttoppoint"},
        {"missing picture", [](TSkinFolder& F) { platform::DeleteFile(F.Dir.File("controls.bmp")); },
         TbsSkinStatusCode::Failed, "controls.bmp"},
        {"bad BMP", [](TSkinFolder& F) { WriteFile(F.Dir.File("frame.bmp"), "not a bitmap"); },
         TbsSkinStatusCode::Failed, "frame.bmp"},
        {"picture outside the folder", replaceIni("picture=frame.bmp", "picture=../outside.bmp"),
         TbsSkinStatusCode::Failed, "inside the skin's folder"},
        {"picture by absolute name", replaceIni("0=controls.bmp", "0=/etc/passwd"), TbsSkinStatusCode::Failed,
         "inside the skin's folder"},
        {"picture through a link out of the folder",
         [](TSkinFolder& F) {
             platform::DeleteFile(F.Dir.File("frame.bmp"));
             ASSERT_EQ(::symlink("/etc/passwd", F.Dir.File("frame.bmp").c_str()), 0);
         },
         TbsSkinStatusCode::Failed, "inside the skin's folder"},
        {"picture that is a pipe",
         [](TSkinFolder& F) {
             platform::DeleteFile(F.Dir.File("frame.bmp"));
             ASSERT_EQ(::mkfifo(F.Dir.File("frame.bmp").c_str(), 0600), 0);
         },
         TbsSkinStatusCode::Failed, "regular file"},
        {"picture list longer than its names", replaceIni("activepicturescount=2", "activepicturescount=3"),
         TbsSkinStatusCode::Failed, "skin.ini"},
        {"no controls section", replaceIni("[SKINCONTROLS]\r\ncount=6", "[OTHER]\r\ncount=6"),
         TbsSkinStatusCode::NotASkin, "not a skin file"},
        {"controls section without keys", [](TSkinFolder& F) {
             WriteFile(F.Ini, "[VERSION]\r\na=1\r\n[PICTURES]\r\na=1\r\n[FORMINFO]\r\na=1\r\n[SKINOBJECTS]\r\na=1\r\n"
                              "[SKINCONTROLS]\r\n");
         },
         TbsSkinStatusCode::NotASkin, "not a skin file"},
        {"no INI file", [](TSkinFolder& F) { platform::DeleteFile(F.Ini); }, TbsSkinStatusCode::NotASkin,
         "does not exist"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TSkinFolder broken;
        c.Break(broken);
        Log.clear();
        Data->SkinName = "current";
        const TbsSkinStatus status = Data->LoadFromFile(broken.Ini);
        EXPECT_EQ(status.Code, c.Code);
        EXPECT_NE(status.Message.find(c.MessagePart), std::string::npos) << status.Message;
        EXPECT_TRUE(Log.empty());
        EXPECT_EQ(Data->SkinName, "current");
        EXPECT_FALSE(Data->Empty());
        EXPECT_FALSE(Data->ChangeSkinDataProcess());
        EXPECT_EQ(Data->GetControlIndex("button"), 0);
        EXPECT_EQ(Data->FActivePictures.size(), 2u);
    }
}

TEST_F(SkinModel, ClearSkinAnnouncesEvenAnEmptyModel)
{
    Data->ClearSkin();
    EXPECT_EQ(Sequence(), (std::vector<std::string>{"A1225", "B1225", "A1226", "B1226", "A1227", "B1227"}));
    EXPECT_TRUE(Data->Empty());
    EXPECT_EQ(Data->SkinColors().cBtnFace(), -16777201) << "a clear sets the system colours";
}

TEST_F(SkinModel, ClearKeepsInactivePictureNameAndGeometry)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    Data->FInActivePictureName = "kept.bmp";
    Data->ClearAll();
    EXPECT_TRUE(Data->Empty());
    EXPECT_EQ(Data->FPictureName, "");
    EXPECT_EQ(Data->FInActivePictureName, "kept.bmp");
    EXPECT_EQ(Data->BorderW, 3);
    EXPECT_TRUE(Data->ObjectList.empty());
    EXPECT_TRUE(Data->FActivePictures.empty());
    EXPECT_EQ(Data->GetControlIndex("button"), -1);
}

TEST_F(SkinModel, FrameGeometryWithAMask)
{
    const std::string base = "[VERSION]\r\na=1\r\n[PICTURES]\r\nmask=frame.bmp\r\n[SKINOBJECTS]\r\ncount=0\r\n"
                             "[SKINCONTROLS]\r\ncount=0\r\n[FORMINFO]\r\nlefttoppoint=5,6\r\nrighttoppoint=7,8\r\n"
                             "rightbottompoint=9,10\r\nclientrect=3,4,50,60\r\n";
    {
        TSkinFolder folder(base + "hittestlefttoppoint=0,2\r\nhittestrighttoppoint=1,1\r\n");
        ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
        EXPECT_EQ(Data->MaskRectArea, (TRect{3, 4, 50, 60}));
        EXPECT_EQ(Data->HitTestLTPoint, (TPoint{5, 6}));
        EXPECT_EQ(Data->HitTestRTPoint, (TPoint{1, 1}));
        EXPECT_EQ(Data->HitTestRBPoint, (TPoint{9, 10}));
    }
    {
        TSkinFolder folder(base + "maskrectarea=10,1,20,70\r\n");
        ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
        EXPECT_EQ(Data->MaskRectArea, (TRect{3, 1, 50, 70}));
    }
    {
        std::string noMask = base;
        noMask.replace(noMask.find("mask=frame.bmp"), 14, "mask=");
        TSkinFolder folder(noMask);
        ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
        EXPECT_EQ(Data->MaskRectArea, (TRect{}));
        EXPECT_EQ(Data->HitTestLTPoint, (TPoint{}));
    }
    {
        std::string sameX = base;
        sameX.replace(sameX.find("rightbottompoint=9,10"), 21, "rightbottompoint=5,10");
        TSkinFolder folder(sameX);
        ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
        EXPECT_EQ(Data->LTPoint, (TPoint{5, 6})) << "no clamp when the corners share an axis";
    }
}

// The layer frame's pictures carry the grey of their masks as alpha; a frame
// without a usable mask has no picture, yet still counts as in use.
TEST_F(SkinModel, LayerFrameTakesItsAlphaFromItsMask)
{
    std::string ini = SkinIni;
    const std::string pictures = "activepicturescount=2\r\n0=controls.bmp\r\n1=Sub\\More.BMP\r\n";
    ini.replace(ini.find(pictures), pictures.size(),
                "activepicturescount=5\r\n0=controls.bmp\r\n1=Sub\\More.BMP\r\n2=layer.bmp\r\n3=layermask.bmp\r\n"
                "4=layerinactive.bmp\r\n");
    enum TExpect { None, Masked, MaskedTopLeft };
    struct TCase {
        const char* Name;
        const char* Section;
        TExpect Active, InActive;
    } cases[] = {
        {"both frames masked",
         "pictureindex=2\r\nmaskpictureindex=3\r\ninactivepictureindex=4\r\ninactivemaskpictureindex=3\r\n", Masked,
         Masked},
        {"no inactive frame", "pictureindex=2\r\nmaskpictureindex=3\r\n", Masked, None},
        {"mask index -1", "pictureindex=2\r\nmaskpictureindex=-1\r\ninactivepictureindex=4\r\n"
                          "inactivemaskpictureindex=3\r\n", None, Masked},
        {"mask past the list", "pictureindex=2\r\nmaskpictureindex=5\r\n", None, None},
        {"picture past the list", "pictureindex=9\r\nmaskpictureindex=3\r\n", None, None},
        {"mask smaller than the frame", "pictureindex=2\r\nmaskpictureindex=1\r\n", MaskedTopLeft, None},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSkinFolder folder(ini + "[LAYERFRAME]\r\n" + c.Section);
        WriteFile(folder.Dir.File("layer.bmp"), BmpFile(20, 10, 0x10, true));
        WriteFile(folder.Dir.File("layermask.bmp"), BmpFile(20, 10, 0x40));
        WriteFile(folder.Dir.File("layerinactive.bmp"), BmpFile(20, 10, 0x90, true));
        const TbsSkinStatus status = Data->LoadFromFile(folder.Ini);
        ASSERT_TRUE(status.Ok()) << status.Message;
        const TbsDataSkinLayerFrame& layer = *Data->LayerFrame;
        EXPECT_NE(layer.PictureIndex, -1) << "the frame counts as in use as read";
        const std::pair<const TbsBitmap*, int> frames[] = {{layer.FSourceBitmap.get(), 2},
                                                           {layer.FSourceInActiveBitMap.get(), 4}};
        const TExpect expected[] = {c.Active, c.InActive};
        for (int f = 0; f < 2; ++f) {
            const TbsBitmap* frame = frames[f].first;
            if (expected[f] == None) {
                EXPECT_EQ(frame, nullptr) << "frame " << f;
                continue;
            }
            ASSERT_NE(frame, nullptr) << "frame " << f;
            TbsBitmap picture;
            picture.Assign(Data->FActivePictures[size_t(frames[f].second)].get());
            TbsBitmap smallMask;
            smallMask.Assign(Data->FActivePictures[1].get());
            ASSERT_EQ(frame->Width(), 20);
            ASSERT_EQ(frame->Height(), 10);
            EXPECT_TRUE(frame->AlphaBlend);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 20; ++x) {
                    const TbsColor p = *frame->GetPixelPtr(x, y);
                    const TbsColor source = *picture.GetPixelPtr(x, y);
                    ASSERT_EQ(p & 0xFFFFFF, source & 0xFFFFFF) << "colours are not premultiplied at " << x << "," << y;
                    int alpha = 0x40;
                    if (expected[f] == MaskedTopLeft) {
                        const TbsColor m = x < 4 && y < 4 ? *smallMask.GetPixelPtr(x, y) : 0xFFFFFFFF;
                        alpha = x < 4 && y < 4 ? int(((m >> 16 & 0xFF) + (m >> 8 & 0xFF) + (m & 0xFF)) / 3) : 255;
                    }
                    ASSERT_EQ(int(p >> 24), alpha) << "at " << x << "," << y;
                }
        }
    }
    Data->ClearSkin();
    EXPECT_EQ(Data->LayerFrame->PictureIndex, -1);
    EXPECT_EQ(Data->LayerFrame->FSourceBitmap, nullptr) << "a clear drops the frame pictures";
    EXPECT_EQ(Data->LayerFrame->FSourceInActiveBitMap, nullptr);
}

TEST_F(SkinModel, SaveAndReadAgain)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    const std::string saved = folder.Dir.File("saved.ini");
    WriteFile(saved, "[foreign]\r\nkeep=1\r\n[button]\r\nstale=1\r\n");
    ASSERT_TRUE(Data->SaveToFile(saved).Ok());
    platform::TMemIniFile ini(saved);
    EXPECT_EQ(ini.ReadString("foreign", "keep", ""), "1");
    EXPECT_FALSE(ini.ValueExists("button", "stale"));
    EXPECT_EQ(ini.ReadString("VERSION", "ver", ""), "1");
    EXPECT_EQ(ini.ReadString("SKINOBJECTS", "2", ""), "caption:menuitem");
    EXPECT_EQ(ini.ReadString("SKINCONTROLS", "count", ""), "5");
    EXPECT_EQ(ini.ReadString("SKINCONTROLS", "4", ""), "lb:checklistbox");
    EXPECT_EQ(ini.ReadString("SKINCOLORS", "cbtntext", ""), "-16777198");
    EXPECT_EQ(ini.ReadString("FORMINFO", "lefttoppoint", ""), "3,21");
    platform::TStringList formInfo;
    ini.ReadSection("FORMINFO", formInfo);
    EXPECT_EQ(formInfo.Count(), 32);
    EXPECT_EQ(formInfo[26], "autorenderinginactiveimage");
    EXPECT_EQ(formInfo[28], "formminwidth");

    TbsSkinData again(nullptr);
    ASSERT_TRUE(again.LoadFromFile(saved).Ok());
    EXPECT_EQ(again.CtrlList.size(), 5u);
    EXPECT_EQ(again.LTPoint, Data->LTPoint);
    platform::TMemIniFile first(saved);
    ASSERT_TRUE(again.SaveToFile(folder.Dir.File("twice.ini")).Ok());
    platform::TMemIniFile second(folder.Dir.File("twice.ini"));
    platform::TStringList a, b;
    first.EraseSection("foreign");
    first.GetStrings(a);
    second.GetStrings(b);
    EXPECT_EQ(a.Text(), b.Text());
}

TEST_F(SkinModel, StoreToDiskWritesTheFolder)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    TTempDir target;
    const TbsSkinStatus status = Data->StoreToDisk(target.File("copy.ini"));
    ASSERT_TRUE(status.Ok()) << status.Message;
    const struct {
        const char* Name;
        int Width, Height;
    } files[] = {{"frame.bmp", 146, 118}, {"controls.bmp", 100, 50}, {"Sub/More.BMP", 4, 4}};
    for (const auto& f : files) {
        platform::TBitmap stored;
        ASSERT_NO_THROW(stored.LoadFromFile(target.File(f.Name))) << f.Name;
        EXPECT_EQ(stored.Width(), f.Width) << f.Name;
        EXPECT_EQ(stored.Height(), f.Height) << f.Name;
        EXPECT_EQ(stored.ScanLine(f.Height - 1)[0], 0x80) << f.Name;
    }
    TbsSkinData copy(nullptr);
    EXPECT_TRUE(copy.LoadFromFile(target.File("copy.ini")).Ok());
    ASSERT_EQ(copy.FActivePictures.size(), 2u);
    EXPECT_EQ(copy.FActivePictures[1]->Width(), 4);
}

TEST_F(SkinModel, StoreToDiskChecksBeforeWritingAnything)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    struct TCase {
        const char* What;
        std::function<void()> Break;
        const char* MessagePart;
    };
    const TCase cases[] = {
        {"fewer names than pictures", [&] { Data->FActivePicturesNames.Delete(1); }, "picture names"},
        {"name outside the folder", [&] { Data->FActivePicturesNames.SetStrings(0, "../x.bmp"); }, "../x.bmp"},
        {"frame picture without a name", [&] { Data->FPictureName.clear(); }, "is not a file name"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
        c.Break();
        TTempDir target;
        const TbsSkinStatus status = Data->StoreToDisk(target.File("copy.ini"));
        EXPECT_EQ(status.Code, TbsSkinStatusCode::Failed);
        EXPECT_NE(status.Message.find(c.MessagePart), std::string::npos) << status.Message;
        EXPECT_FALSE(platform::FileExists(target.File("copy.ini")));
        EXPECT_FALSE(platform::FileExists(target.File("frame.bmp")));
    }
    EXPECT_EQ(Data->StoreToDisk(folder.Dir.File("no/such/folder/x.ini")).Code, TbsSkinStatusCode::Failed);
}

TEST_F(SkinModel, DamagedListCountsDoNotHang)
{
    std::string text = SkinIni;
    text.replace(text.find("count=6"), 7, "count=2147483647");
    TSkinFolder folder(text);
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    EXPECT_EQ(Data->CtrlList.size(), 5u);
}

TEST_F(SkinModel, GlobalChangeFont)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->LoadFromFile(folder.Ini).Ok());
    Log.clear();
    Data->GlobalChangeFont("Arial", -2);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Data->HintWindow->FontName, "Arial");
    EXPECT_EQ(Data->HintWindow->FontHeight, 10);
    EXPECT_EQ(static_cast<TbsDataSkinCaption&>(*Data->ObjectList[0]).FontHeight, 13);
    EXPECT_EQ(static_cast<TbsDataSkinMenuItem&>(*Data->ObjectList[2]).FontName, "Arial");
    const auto& button = static_cast<TbsDataSkinButtonControl&>(*Data->CtrlList[0]);
    EXPECT_EQ(button.FontName, "Arial");
    EXPECT_EQ(button.FontHeight, 11);
    const auto& list = static_cast<TbsDataSkinCheckListBox&>(*Data->CtrlList[4]);
    EXPECT_EQ(list.FontHeight, 11);
    EXPECT_EQ(list.CaptionFontName, "Arial");
    EXPECT_EQ(list.CaptionFontHeight, 11);
}

TEST_F(SkinModel, AddAndDeletePictures)
{
    TSkinFolder folder;
    ASSERT_TRUE(Data->AddBitMap(folder.Dir.File("controls.bmp")).Ok());
    EXPECT_EQ(Data->FActivePicturesNames.CommaText(), "controls.bmp");
    EXPECT_EQ(Data->AddBitMap(folder.Dir.File("missing.bmp")).Code, TbsSkinStatusCode::Failed);
    EXPECT_EQ(Data->FActivePictures.size(), 1u);
    EXPECT_THROW(Data->DeleteBitMap(1), platform::Exception);
    Data->DeleteBitMap(0);
    EXPECT_TRUE(Data->FActivePictures.empty());
    EXPECT_EQ(Data->FActivePicturesNames.Count(), 0);
}

TEST(SkinModelAlone, SplitSkinListEntry)
{
    const struct {
        const char* Text;
        const char* Name;
        const char* Kind;
    } cases[] = {
        {"closebutton:stdbutton", "closebutton", "stdbutton"},
        {"closebutton:std:button", "closebutton", "std:button"},
        {"button", "", ""},
        {"", "", ""},
        {":panel", "", "panel"},
    };
    for (const auto& c : cases) {
        std::string name, kind;
        TbsSkinData::SplitSkinListEntry(c.Text, name, kind);
        EXPECT_EQ(name, c.Name) << c.Text;
        EXPECT_EQ(kind, c.Kind) << c.Text;
    }
}

// A record's section is named after it and storing a record erases its
// section first: a record named like one of the skin's own sections is left
// out, so the skin's pictures, lists and windows survive a store.
TEST_F(SkinModel, ARecordNamedLikeASectionOfTheSkinIsLeftOut)
{
    for (const char* reserved : {"pictures", "SKINCONTROLS", "SkinObjects", "version", "FORMINFO", "popupwindow",
                                 "LayerFrame", "hintwindow", "skincolors"}) {
        SCOPED_TRACE(reserved);
        std::string text = SkinIni;
        const std::string list = "[SKINCONTROLS]\r\ncount=6\r\n0=button:button\r\n1=nothing\r\n";
        const size_t at = text.find(list);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, list.size(), "[SKINCONTROLS]\r\ncount=6\r\n0=button:button\r\n1=" + std::string(reserved) +
                                          ":panel\r\n");
        TSkinFolder folder(text);
        TbsSkinData first(nullptr);
        ASSERT_TRUE(first.LoadFromFile(folder.Ini).Ok());
        EXPECT_EQ(first.GetControlIndex(reserved), -1);
        const size_t controls = first.CtrlList.size();

        const std::string stored = folder.Dir.File("stored.ini");
        ASSERT_TRUE(first.StoreToDisk(stored).Ok());
        TbsSkinData second(nullptr);
        ASSERT_TRUE(second.LoadFromFile(stored).Ok());
        EXPECT_EQ(second.FActivePictures.size(), 2u);
        EXPECT_EQ(second.FActivePicturesNames.CommaText(), first.FActivePicturesNames.CommaText());
        EXPECT_EQ(second.CtrlList.size(), controls);
    }
}
