#include "skin/core/bsSkinData_BarControls.h"
#include "skin/core/bsSkinData_EditControls.h"
#include "skin/core/bsSkinData_Objects.h"
#include "skin/core/bsSkinData_PanelControls.h"
#include "skin/core/bsSkinData_ViewControls.h"
#include "skin/core/bsSkinData_Windows.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace skin;
using platform::TMemIniFile;

namespace {

const char* const ObjectKindWords[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                       "button",   "caption",         "animate",   "userobject"};
const char* const ControlKindWords[] = {
    "panel",       "expanel",    "menubutton", "button",    "checkradio",   "gauge",   "splitter", "trackbar",
    "label",       "stdlabel",   "updown",     "grid",      "tab",          "mainmenubar", "controlbar", "appmenu",
    "memo",        "edit",       "checklistbox", "listbox", "combobox",     "scrollbar", "spinedit", "scrollbox",
    "treeview",    "bevel",      "slider",     "listview",  "richedit"};

// A well-formed, non-default text for every key, distinct per key.
std::string SampleValue(const TbsSkinKey& AKey, int AIndex)
{
    const std::string n = platform::IntToStr(AIndex + 2);
    switch (AKey.Form) {
    case TbsSkinKeyForm::Integer: return n;
    case TbsSkinKeyForm::Color: return "-" + n;
    case TbsSkinKeyForm::String: return "text " + n;
    case TbsSkinKeyForm::Boolean: return "1";
    case TbsSkinKeyForm::Point: return n + ",1" + n;
    case TbsSkinKeyForm::Rect: return n + ",1" + n + ",2" + n + ",3" + n;
    case TbsSkinKeyForm::FontStyles: return "fsbold,fsstrikeout";
    case TbsSkinKeyForm::Alignment: return "taleftjustify";
    case TbsSkinKeyForm::StretchType: return "stvert";
    case TbsSkinKeyForm::MorphKind: return "mkpush";
    case TbsSkinKeyForm::InActiveEffect: return "ieinvert";
    case TbsSkinKeyForm::StdCommand: return "cmrollup";
    }
    return "";
}

std::vector<std::string> SectionKeys(const TMemIniFile& AIni, const std::string& ASection)
{
    platform::TStringList keys;
    AIni.ReadSection(ASection, keys);
    std::vector<std::string> result;
    for (int i = 0; i < keys.Count(); ++i)
        result.push_back(keys[i]);
    return result;
}

// Loads ARecord from a section holding a sample value for each of its keys
// (plus a foreign key), saves it into an INI object that already holds a
// stale key in that section, and checks that exactly the keys come back, in
// writing order, with the same texts.
void ExpectRoundTrip(TbsSkinRecord& ARecord, const std::string& ASection, bool AErases = true)
{
    const TbsSkinKeys keys = ARecord.Keys();
    TMemIniFile in("");
    in.WriteString(ASection, "foreignkey", "x");
    for (size_t i = 0; i < keys.Items().size(); ++i)
        in.WriteString(ASection, keys.Items()[i].Name, SampleValue(keys.Items()[i], int(i)));
    ARecord.LoadFromFile(in);

    TMemIniFile out("");
    out.WriteString(ASection, "stale", "1");
    ARecord.SaveToFile(out);
    std::vector<std::string> expected = keys.WriteOrder();
    if (!AErases)
        expected.insert(expected.begin(), "stale");
    EXPECT_EQ(SectionKeys(out, ASection), expected);
    for (const TbsSkinKey& k : keys.Items()) {
        if (ARecord.Keys().Items().empty())
            break;
        const bool forced = dynamic_cast<TbsDataSkinAnimate*>(&ARecord) && k.Name == "morphing";
        EXPECT_EQ(out.ReadString(ASection, k.Name, "?"), forced ? "0" : in.ReadString(ASection, k.Name, ""))
            << ASection << "." << k.Name;
    }
}

template <typename T>
T Loaded(const std::string& ASectionText)
{
    TMemIniFile ini("");
    ini.SetText("[r]\r\n" + ASectionText);
    T record("r");
    record.LoadFromFile(ini);
    return record;
}

std::vector<std::string> Tail(const std::vector<std::string>& AKeys, size_t ASkip)
{
    return {AKeys.begin() + std::ptrdiff_t(ASkip), AKeys.end()};
}

} // namespace

TEST(SkinRecords, EveryObjectKindRoundTrips)
{
    for (const char* word : ObjectKindWords) {
        SCOPED_TRACE(word);
        auto record = CreateSkinObject(word, std::string("obj_") + word);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(SkinObjectKind(*record), word);
        ExpectRoundTrip(*record, record->IDName);
    }
}

TEST(SkinRecords, EveryControlKindRoundTrips)
{
    for (const char* word : ControlKindWords) {
        SCOPED_TRACE(word);
        auto record = CreateSkinControl(word, std::string("ctl_") + word);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(SkinControlKind(*record), word);
        ExpectRoundTrip(*record, record->IDName);
    }
}

TEST(SkinRecords, WindowRecordsRoundTrip)
{
    TbsDataSkinPopupWindow popup;
    TbsDataSkinHintWindow hint;
    TbsDataSkinLayerFrame layer;
    TbsSkinColors colors;
    ExpectRoundTrip(popup, "POPUPWINDOW");
    ExpectRoundTrip(hint, "HINTWINDOW");
    ExpectRoundTrip(layer, "LAYERFRAME");
    ExpectRoundTrip(colors, "SKINCOLORS", false);
    EXPECT_EQ(layer.Keys().Items().size(), 33u);
    EXPECT_EQ(hint.Keys().Items().size(), 17u);
}

TEST(SkinRecords, UnknownKindsCreateNothingAndClassesWithoutWordWriteEmpty)
{
    for (const char* word : {"", "Button", "std:button", "mainmenuitem", "customcontrol"}) {
        EXPECT_EQ(CreateSkinObject(word, "x"), nullptr) << word;
        EXPECT_EQ(CreateSkinControl(word, "x"), nullptr) << word;
    }
    EXPECT_EQ(SkinObjectKind(TbsDataSkinMainMenuItem("x")), "");
    EXPECT_EQ(SkinControlKind(TbsDataSkinCustomControl("x")), "");
    EXPECT_EQ(SkinControlKind(TbsDataSkinControl("x")), "");
}

TEST(SkinRecords, KeyOrdersThatDifferFromTheReadingOrder)
{
    TbsDataSkinButtonControl button("b");
    const auto own = Tail(button.Keys().WriteOrder(), 14);
    ASSERT_EQ(own.size(), 31u);
    EXPECT_EQ(std::vector<std::string>(own.begin() + 24, own.begin() + 28),
              (std::vector<std::string>{"glowlayeroffsetleft", "glowlayeroffsetright", "glowlayeroffsettop",
                                        "glowlayeroffsetbottom"}));

    TbsDataSkinCheckListBox check("c");
    const auto checkKeys = check.Keys().WriteOrder();
    EXPECT_EQ(Tail(checkKeys, checkKeys.size() - 3),
              (std::vector<std::string>{"itemcheckrect", "uncheckimagerect", "checkimagerect"}));

    TbsDataSkinCheckRadioControl radio("r");
    const auto radioKeys = radio.Keys().WriteOrder();
    EXPECT_EQ(std::vector<std::string>(radioKeys.begin() + 14, radioKeys.begin() + 21),
              (std::vector<std::string>{"fontname", "fontheight", "fontstyle", "fontcolor", "framefontcolor",
                                        "activefontcolor", "unenabledfontcolor"}));

    auto after = [](TbsSkinRecord& ARecord, const std::string& AKey) {
        const auto order = ARecord.Keys().WriteOrder();
        auto it = std::find(order.begin(), order.end(), AKey);
        return it + 1 == order.end() ? std::string() : *(it + 1);
    };
    TbsDataSkinComboBox combo("c");
    EXPECT_EQ(after(combo, "unenabledbuttonrect"), "listboxname");
    EXPECT_EQ(after(combo, "listboxname"), "itemstretcheffect");
    TbsDataSkinGridControl grid("g");
    EXPECT_EQ(after(grid, "bgcolor"), "bgpictureindex");
    EXPECT_EQ(after(grid, "bgpictureindex"), "fontname");
    EXPECT_EQ(after(grid, "celltextrect"), "linescolor");
    EXPECT_EQ(after(grid, "fixedfontcolor"), "cellstretcheffect");
    TbsDataSkinControlBar bar("b");
    EXPECT_EQ(after(bar, "itemoffset2"), "itemstretcheffect");
    EXPECT_EQ(after(bar, "gripoffset2"), "itemoffset1");
    TbsDataSkinListBox list("l");
    EXPECT_EQ(after(list, "downcheckbuttonrect"), "vscrollbarname");
    EXPECT_EQ(after(list, "hscrollbarname"), "bothhscrollbarname");
    TbsDataSkinMainMenuBar menuBar("m");
    EXPECT_EQ(after(menuBar, "minbutton"), "maxbutton");
}

TEST(SkinRecords, TabReadsItsNineSliceKeysAmongItsOwn)
{
    TbsDataSkinTabControl tab("t");
    const auto keys = Tail(tab.Keys().ReadOrder(), 3);
    EXPECT_EQ(keys.size(), 52u);
    EXPECT_EQ(keys[4], "clientrect");
    EXPECT_EQ(keys[6], "lefttoppoint");
    EXPECT_EQ(keys[9], "rightbottompoint");
    EXPECT_EQ(keys[14], "leftstretch");
    EXPECT_EQ(keys[19], "stretchtype");
    EXPECT_EQ(keys[50], "tableftbottomactiverect");
    EXPECT_EQ(tab.Keys().WriteOrder(), tab.Keys().ReadOrder());
}

TEST(SkinRecords, BaseOnlyKindsHaveNoNineSliceKeys)
{
    for (const char* word : {"slider", "mainmenubar", "stdlabel", "bevel", "treeview", "listview", "richedit", "grid"}) {
        auto record = CreateSkinControl(word, "x");
        const auto keys = record->Keys().ReadOrder();
        EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 3),
                  (std::vector<std::string>{"pictureindex", "maskpictureindex", "skinrect"}))
            << word;
        EXPECT_EQ(std::count(keys.begin(), keys.end(), "righttoppoint"), 0) << word;
    }
    EXPECT_EQ(TbsDataSkinSlider("s").Keys().ReadOrder().size(), 10u);
    EXPECT_EQ(TbsDataSkinSlider("s").Keys().ReadOrder()[3], "bgcolor");
}

TEST(SkinRecords, MissingKeysGiveTheirDefaultsNotTheConstructorValues)
{
    EXPECT_EQ(TbsDataSkinButtonControl("b").AnimateInterval, 0);
    EXPECT_EQ(Loaded<TbsDataSkinButtonControl>("").AnimateInterval, 25);
    EXPECT_EQ(Loaded<TbsDataSkinButtonControl>("").GlowLayerPictureIndex, -1);
    EXPECT_EQ(Loaded<TbsDataSkinButtonControl>("").GlowLayerAlphaBlendValue, 255);
    EXPECT_EQ(TbsDataSkinScrollBarControl("s").ThumbTransparentColor, clFuchsia);
    EXPECT_EQ(Loaded<TbsDataSkinScrollBarControl>("").ThumbTransparentColor, 0);
    EXPECT_EQ(TbsDataSkinTreeView("t").BGColor, clWhite);
    EXPECT_EQ(Loaded<TbsDataSkinTreeView>("").BGColor, 0);
    EXPECT_EQ(Loaded<TbsDataSkinListView>("").BGColor, 0);
    EXPECT_EQ(TbsDataSkinRichEdit("r").FontHeight, 14);
    EXPECT_EQ(Loaded<TbsDataSkinRichEdit>("").FontHeight, 13);
    EXPECT_EQ(Loaded<TbsDataSkinStdLabelControl>("").ActiveFontColor, clBlue);
    EXPECT_EQ(Loaded<TbsDataSkinBevel>("").LightColor, 0);
    EXPECT_EQ(Loaded<TbsDataSkinScrollBoxControl>("").BGPictureIndex, -1);
    EXPECT_EQ(TbsDataSkinAppMenu("a").ItemOffset1, 0);
    EXPECT_EQ(Loaded<TbsDataSkinAppMenu>("").ItemOffset1, 3);
    EXPECT_EQ(Loaded<TbsDataSkinAppMenu>("").PageItemOffset1, 10);
    EXPECT_EQ(Loaded<TbsDataSkinAppMenu>("").FontPageHeight, 16);
    EXPECT_EQ(TbsDataSkinMenuItem("m").FontName, "");
    EXPECT_EQ(Loaded<TbsDataSkinMenuItem>("").FontName, "Tahoma");
    EXPECT_EQ(Loaded<TbsDataSkinAnimate>("").CountFrames, 1);
    EXPECT_EQ(Loaded<TbsDataSkinAnimate>("").TimerInterval, 50);
    EXPECT_EQ(Loaded<TbsDataSkinCaption>("").GlowSize, 3);
    EXPECT_EQ(Loaded<TbsDataSkinCaption>("").Alignment, platform::taCenter);
    EXPECT_EQ(Loaded<TbsDataSkinCaption>("").QuickButtonAlphaMaskPictureIndex, -1);
    EXPECT_EQ(Loaded<TbsDataSkinStdButton>("").Command, cmDefault);
    EXPECT_EQ(Loaded<TbsDataSkinPanelControl>("").Alignment, platform::taCenter);
    EXPECT_EQ(Loaded<TbsDataSkinPanelControl>("alignment=tarightjustify").Alignment, platform::taRightJustify);
    EXPECT_EQ(Loaded<TbsDataSkinPanelControl>("alignment=taleftjustify").Alignment, platform::taLeftJustify);
    EXPECT_EQ(Loaded<TbsDataSkinCustomControl>("leftstretch=2\r\ntopstretch=1").LeftStretch, false);
    EXPECT_EQ(Loaded<TbsDataSkinCustomControl>("leftstretch=2\r\ntopstretch=1").TopStretch, true);
}

TEST(SkinRecords, ListBoxScrollBarNames)
{
    const auto list = Loaded<TbsDataSkinListBox>("bothscrollbarname=single");
    EXPECT_EQ(list.HScrollBarName, "hscrollbar");
    EXPECT_EQ(list.VScrollBarName, "vscrollbar");
    EXPECT_EQ(list.BothScrollBarName, "bothhscrollbar");
    EXPECT_EQ(Loaded<TbsDataSkinListBox>("bothhscrollbarname=both").BothScrollBarName, "both");
    EXPECT_EQ(TbsDataSkinListBox("l").BothScrollBarName, "");
}

TEST(SkinRecords, OddlySpelledKeysAreKept)
{
    EXPECT_EQ(Loaded<TbsDataSkinButton>("disableskinrsect=1,2,3,4").DisableSkinRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(Loaded<TbsDataSkinCaption>("reflactioncolor=5\r\nreflactionactivecolor=6").ReflectionActiveColor, 6);
    EXPECT_EQ(Loaded<TbsDataSkinMainMenuBarItem>("UNENABLEDFONTCOLOR=7").UnEnabledFontColor, 7);
    const auto keys = TbsDataSkinMainMenuBarItem("m").Keys().WriteOrder();
    EXPECT_NE(std::find(keys.begin(), keys.end(), "unenabledfontColor"), keys.end());
}

TEST(SkinRecords, RestoreHintRule)
{
    EXPECT_EQ(Loaded<TbsDataSkinStdButton>("hint=Maximize\r\ncommand=cmmaximize").RestoreHint, "Restore");
    EXPECT_EQ(Loaded<TbsDataSkinStdButton>("hint=maximize\r\ncommand=cmmaximize").RestoreHint, "");
    EXPECT_EQ(Loaded<TbsDataSkinStdButton>("hint=Minimize\r\ncommand=cmminimize").RestoreHint, "Restore");
    EXPECT_EQ(Loaded<TbsDataSkinStdButton>("hint=Minimize\r\ncommand=cmmaximize").RestoreHint, "");
    EXPECT_EQ(Loaded<TbsDataSkinAnimate>("hint=Roll Up\r\ncommand=cmrollup").RestoreHint, "Restore");
    EXPECT_EQ(Loaded<TbsDataSkinMainMenuBarButton>("hint=RollUp\r\ncommand=cmrollup").RestoreHint, "Restore");
    EXPECT_EQ(Loaded<TbsDataSkinStdButton>("hint=Maximize\r\ncommand=cmmaximize\r\nrestorehint=Back").RestoreHint,
              "Back");
    EXPECT_EQ(Loaded<TbsDataSkinStdButton>("command=CMCLOSE").Command, cmMinimizeToTray);

    TMemIniFile out("");
    Loaded<TbsDataSkinStdButton>("hint=Maximize\r\ncommand=cmmaximize").SaveToFile(out);
    EXPECT_EQ(out.ReadString("r", "restorehint", ""), "Restore");
}

TEST(SkinRecords, AnimateNeverMorphsAndUserObjectReadsOnlySkinRect)
{
    EXPECT_FALSE(Loaded<TbsDataSkinAnimate>("morphing=1").Morphing);
    EXPECT_TRUE(Loaded<TbsDataSkinButton>("morphing=1").Morphing);
    const auto user = Loaded<TbsDataUserObject>("hint=h\r\nactivepictureindex=2\r\nskinrect=1,2,3,4");
    EXPECT_EQ(user.Hint, "");
    EXPECT_EQ(user.ActivePictureIndex, -1);
    EXPECT_EQ(user.SkinRect, (TRect{1, 2, 3, 4}));
}

TEST(SkinRecords, MenuItemHotImagesFallBackToNormalOnes)
{
    const auto item = Loaded<TbsDataSkinMenuItem>("checkimagerect=1,2,11,12\r\nradioimagerect=3,4,13,14\r\n"
                                                  "activeradioimagerect=5,6,15,16\r\narrowimagerect=1,1,1,9");
    EXPECT_EQ(item.ActiveCheckImageRect, (TRect{1, 2, 11, 12}));
    EXPECT_EQ(item.ActiveRadioImageRect, (TRect{5, 6, 15, 16}));
    EXPECT_EQ(item.ActiveArrowImageRect, (TRect{1, 1, 1, 9}));
}

TEST(SkinRecords, MalformedValueStopsTheReadWhereItStands)
{
    TMemIniFile ini("");
    ini.SetText("[r]\r\nfontname=Arial\r\nactivefontcolor=5\r\nactiveskinrect=1,,2,3\r\ndownskinrect=1,2,3,4\r\n"
                "animateinterval=40\r\n");
    TbsDataSkinButtonControl button("r");
    EXPECT_THROW(button.LoadFromFile(ini), platform::EConvertError);
    EXPECT_EQ(button.FontName, "Arial");
    EXPECT_EQ(button.ActiveFontColor, 5);
    EXPECT_EQ(button.DownSkinRect, (TRect{}));
    EXPECT_EQ(button.AnimateInterval, 0);
}

TEST(SkinRecords, SkinColorsDefaultToSystemColours)
{
    TbsSkinColors colors;
    EXPECT_EQ(colors.cBtnFace(), 0);
    colors.SetColorsToDefault();
    EXPECT_EQ(colors.cBtnFace(), -16777201);
    EXPECT_EQ(colors.cBtnShadow(), int32_t(0xFF000010));
    TMemIniFile out("");
    colors.SaveToFile(out);
    EXPECT_EQ(out.ReadString("SKINCOLORS", "cbtnface", ""), "-16777201");
    TbsSkinColors again;
    again.LoadFromFile(out);
    EXPECT_EQ(again.cHighLightText(), int32_t(0xFF00000E));
}

TEST(SkinRecords, HintWindowWithoutFontKeys)
{
    TMemIniFile ini("");
    ini.SetText("[HINTWINDOW]\r\nwindowpictureindex=2\r\n");
    TbsDataSkinHintWindow hint;
    hint.FontName = "x";
    hint.LoadFromFile(ini);
    EXPECT_EQ(hint.FontName, "Tahoma");
    EXPECT_EQ(hint.FontHeight, 13);
    EXPECT_EQ(hint.WindowPictureIndex, 2);
    TbsDataSkinLayerFrame layer;
    layer.LoadFromFile(ini);
    EXPECT_EQ(layer.PictureIndex, -1);
}
