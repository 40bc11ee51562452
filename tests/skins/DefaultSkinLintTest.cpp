// The lint of the program's own skin: the folder loads whole, every key in
// it is one a record reads, every record the forms and dialogs name is
// there, and the limits a skin must respect hold (picture indexes, pieces
// inside their pictures, nine-slice geometry, explicit colours, keyed
// corners, readable text in every state).

#include "DefaultSkinTestSupport.h"

#include "platform/core/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using namespace platform;
using namespace skin;
using skintest::RgbOf;
using skintest::TDefaultSkin;

TDefaultSkin& Skin()
{
    static TDefaultSkin* s = new TDefaultSkin();
    return *s;
}

const TbsSkinKey* FindKey(const TbsSkinKeys& AKeys, std::string_view AName)
{
    for (const TbsSkinKey& k : AKeys.Items())
        if (SameText(k.Name, AName))
            return &k;
    return nullptr;
}

TRect RectKey(TbsSkinRecord& ARecord, std::string_view AName)
{
    const TbsSkinKeys keys = ARecord.Keys();
    const TbsSkinKey* k = FindKey(keys, AName);
    return k && k->Form == TbsSkinKeyForm::Rect ? *static_cast<TRect*>(k->Field) : TRect{};
}

TColor ColorKey(TbsSkinRecord& ARecord, std::string_view AName)
{
    const TbsSkinKeys keys = ARecord.Keys();
    const TbsSkinKey* k = FindKey(keys, AName);
    return k && k->Form == TbsSkinKeyForm::Color ? *static_cast<TColor*>(k->Field) : TColor(-1);
}

std::vector<std::string> IniKeys(const std::string& ASection)
{
    TStringList keys;
    Skin().Ini.ReadSection(ASection, keys);
    std::vector<std::string> out;
    for (int i = 0; i < keys.Count(); ++i)
        out.push_back(keys[i]);
    return out;
}

bool Inside(const TRect& R, int AWidth, int AHeight)
{
    return R.Left >= 0 && R.Top >= 0 && R.Right <= AWidth && R.Bottom <= AHeight && R.Left < R.Right && R.Top < R.Bottom;
}

std::string Show(const TRect& R)
{
    return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
           std::to_string(R.Bottom);
}

// Rectangles that are places inside a control's own image, not pieces of a
// picture.
const std::set<std::string> RelativeRects = {"clientrect",  "textarea",     "checkimagearea", "captionrect",
                                             "trackarea",   "itemsrect",    "trackbuttonrect", "textrect",
                                             "imagerect",   "progressarea", "frametextrect",  "buttonsarea"};
// Places inside a list item's image.
const std::set<std::string> ItemRects = {"itemtextrect", "itemcheckrect"};

bool IsRelative(const TbsDataSkinControl& ARecord, const std::string& AKey)
{
    if (RelativeRects.count(AKey))
        return true;
    // The arrow buttons of scroll bars and spin buttons are places in their
    // image; the other controls name button images.
    const bool placesButtons = dynamic_cast<const TbsDataSkinScrollBarControl*>(&ARecord) ||
                               dynamic_cast<const TbsDataSkinUpDownControl*>(&ARecord);
    if (placesButtons && (AKey == "upbuttonrect" || AKey == "downbuttonrect"))
        return true;
    // So is a combo box's drop button, whose normal look is part of its face.
    return dynamic_cast<const TbsDataSkinComboBox*>(&ARecord) && AKey == "buttonrect";
}

// Relative luminance and contrast ratio of two 0xRRGGBB colours.
double Luminance(uint32_t C)
{
    auto channel = [](uint32_t V) {
        const double c = V / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel((C >> 16) & 0xFF) + 0.7152 * channel((C >> 8) & 0xFF) + 0.0722 * channel(C & 0xFF);
}

double Contrast(uint32_t A, uint32_t B)
{
    const double la = Luminance(A), lb = Luminance(B);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool Grey(uint32_t C)
{
    const int r = (C >> 16) & 0xFF, g = (C >> 8) & 0xFF, b = C & 0xFF;
    return std::max({r, g, b}) - std::min({r, g, b}) <= 24;
}

} // namespace

TEST(DefaultSkinLint, TheFolderLoadsWholeWithEveryListedRecord)
{
    TDefaultSkin& s = Skin();
    ASSERT_TRUE(s.Status.Ok()) << s.Status.Message;
    EXPECT_FALSE(s.Data.Empty());
    EXPECT_EQ(int(s.Data.ObjectList.size()), s.Ini.ReadInteger("SKINOBJECTS", "count", -1));
    EXPECT_EQ(int(s.Data.CtrlList.size()), s.Ini.ReadInteger("SKINCONTROLS", "count", -1));
    EXPECT_EQ(s.Data.FActivePictures.size(), size_t(s.Ini.ReadInteger("PICTURES", "activepicturescount", -1)));
    // Record names are unique, so no lookup finds an unintended one.
    std::set<std::string> names;
    for (const auto& c : s.Data.CtrlList)
        EXPECT_TRUE(names.insert(c->IDName).second) << c->IDName;
}

TEST(DefaultSkinLint, EveryKeyIsOneItsSectionsReaderReads)
{
    TDefaultSkin& s = Skin();
    auto check = [](const std::string& ASection, const std::vector<std::string>& AKnown) {
        for (const std::string& key : IniKeys(ASection)) {
            const bool known = std::any_of(AKnown.begin(), AKnown.end(), [&](const std::string& k) { return SameText(k, key); });
            EXPECT_TRUE(known) << "[" << ASection << "] " << key << " is read by nothing";
        }
    };
    for (const auto& c : s.Data.CtrlList)
        check(c->IDName, c->Keys().ReadOrder());
    for (const auto& o : s.Data.ObjectList)
        check(o->IDName, o->Keys().ReadOrder());
    check("POPUPWINDOW", s.Data.PopupWindow->Keys().ReadOrder());
    check("HINTWINDOW", s.Data.HintWindow->Keys().ReadOrder());
    check("LAYERFRAME", s.Data.LayerFrame->Keys().ReadOrder());
    check("SKINCOLORS", s.Data.FSkinColors->Keys().ReadOrder());
    check("VERSION", {"skinname", "skinauthor", "authoremail", "authorurl", "skincomments"});
    std::vector<std::string> pictures = {"picture", "inactivepicture", "mask", "activepicturescount"};
    for (size_t i = 0; i < s.Data.FActivePictures.size(); ++i)
        pictures.push_back(std::to_string(i));
    check("PICTURES", pictures);
    check("FORMINFO",
          {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint", "clientrect", "bgpictureindex",
           "mdibgpictureindex", "leftstretch", "rightstretch", "topstretch", "bottomstretch", "stretcheffect",
           "stretchtype", "mdibgstretcheffect", "mdibgstretchtype", "maskrectarea", "hittestlefttoppoint",
           "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint", "buttonsrect", "captionrect",
           "buttonsoffset", "buttonsinleft", "mainmenupopupup", "borderwidth", "formminwidth", "formminheight",
           "mditabstransparent", "mainmenubartransparent", "autorenderinginactiveimage", "inactiveeffect"});
}

TEST(DefaultSkinLint, HoldsEveryRecordTheFormsAndDialogsName)
{
    TDefaultSkin& s = Skin();
    struct TNamed {
        const char* Name;
        const char* Kind;
    };
    const TNamed controls[] = {
        {"button", "button"},           {"resizebutton", "button"},     {"resizetoolbutton", "button"},
        {"header", "button"},           {"toolbutton", "button"},       {"toolmenubutton", "menubutton"},
        {"resizetoolpanel", "panel"},   {"toolpanel", "panel"},         {"panel", "panel"},
        {"groupbox", "panel"},          {"statusbar", "panel"},         {"checkbox", "checkradio"},
        {"radiobox", "checkradio"},     {"stdlabel", "stdlabel"},       {"listview", "listview"},
        {"listbox", "listbox"},         {"hscrollbar", "scrollbar"},    {"vscrollbar", "scrollbar"},
        {"bothhscrollbar", "scrollbar"}, {"combobox", "combobox"},      {"edit", "edit"},
        {"slider", "slider"},           {"tab", "tab"},                 {"hupdown", "updown"},
        {"bevel", "bevel"},             {"treeview", "treeview"},       {"vsplitter", "splitter"},
        {"hsplitter", "splitter"},      {"mainmenubar", "mainmenubar"}, {"label", "label"},
        {"menuheader", "label"},        {"checklistbox", "checklistbox"}, {"scrollbox", "scrollbox"},
        {"memo", "memo"},               {"combobutton", "button"},      {"editbutton", "button"},
        {"vupdown", "updown"},          {"buttonedit", "edit"},
    };
    for (const TNamed& n : controls) {
        TbsDataSkinControl* c = s.Control(n.Name);
        ASSERT_NE(c, nullptr) << n.Name;
        EXPECT_EQ(SkinControlKind(*c), n.Kind) << n.Name;
    }
    const TNamed objects[] = {{"caption", "caption"},       {"closebutton", "stdbutton"}, {"minbutton", "stdbutton"},
                              {"maxbutton", "stdbutton"},   {"menuitem", "menuitem"},
                              {"mainmenubaritem", "mainmenubaritem"}};
    for (const TNamed& n : objects) {
        TbsDataSkinObject* o = s.Object(n.Name);
        ASSERT_NE(o, nullptr) << n.Name;
        EXPECT_EQ(SkinObjectKind(*o), n.Kind) << n.Name;
    }
    // Names records give to other records.
    auto* combo = dynamic_cast<TbsDataSkinComboBox*>(s.Control("combobox"));
    ASSERT_NE(combo, nullptr);
    EXPECT_NE(s.Control(combo->ListBoxName), nullptr) << combo->ListBoxName;
    auto* list = dynamic_cast<TbsDataSkinListBox*>(s.Control("listbox"));
    ASSERT_NE(list, nullptr);
    for (const std::string& bar : {list->HScrollBarName, list->VScrollBarName, list->BothScrollBarName})
        EXPECT_NE(s.Control(bar), nullptr) << bar;
    auto* tab = dynamic_cast<TbsDataSkinTabControl*>(s.Control("tab"));
    ASSERT_NE(tab, nullptr);
    EXPECT_NE(s.Control(tab->UpDown), nullptr) << tab->UpDown;
    auto* bar = dynamic_cast<TbsDataSkinMainMenuBar*>(s.Control("mainmenubar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(s.Object(bar->MenuBarItem), nullptr) << bar->MenuBarItem;
    // The caption buttons carry the hints the frame shows, and the window
    // commands they stand for.
    for (auto [name, hint, command] : {std::tuple{"closebutton", "Close", cmClose}, std::tuple{"maxbutton", "Maximize", cmMaximize},
                                       std::tuple{"minbutton", "Minimize", cmMinimize}}) {
        auto* b = dynamic_cast<TbsDataSkinStdButton*>(s.Object(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->Hint, hint);
        EXPECT_EQ(b->Command, command);
    }
}

TEST(DefaultSkinLint, EveryPictureIndexAndPieceLiesInItsPicture)
{
    TDefaultSkin& s = Skin();
    const int count = int(s.Pictures.size());
    for (const auto& c : s.Data.CtrlList) {
        EXPECT_GE(c->PictureIndex, -1) << c->IDName;
        EXPECT_LT(c->PictureIndex, count) << c->IDName;
        EXPECT_EQ(c->MaskPictureIndex, -1) << c->IDName << ": the skin has no masks";
        const TbsSkinKeys keys = c->Keys();
        for (const TbsSkinKey& k : keys.Items()) {
            if (k.Form == TbsSkinKeyForm::Integer && k.Name.ends_with("pictureindex") && k.Name != "pictureindex") {
                EXPECT_EQ(*static_cast<int*>(k.Field), -1) << c->IDName << " " << k.Name;
            }
            if (k.Form != TbsSkinKeyForm::Rect)
                continue;
            const TRect r = *static_cast<TRect*>(k.Field);
            if (r.IsEmpty() && r.Left == 0 && r.Top == 0)
                continue;
            if (ItemRects.count(k.Name)) {
                const TRect item = RectKey(*c, "itemrect");
                EXPECT_TRUE(Inside(r, item.Width(), item.Height())) << c->IDName << " " << k.Name << " " << Show(r);
            } else if (IsRelative(*c, k.Name)) {
                EXPECT_TRUE(Inside(r, c->SkinRect.Width(), c->SkinRect.Height()))
                    << c->IDName << " " << k.Name << " " << Show(r) << " lies outside the control's image";
            } else {
                ASSERT_GE(c->PictureIndex, 0) << c->IDName << " " << k.Name << " has no picture";
                const platform::TImageData& p = s.Pictures[size_t(c->PictureIndex)];
                EXPECT_TRUE(Inside(r, p.Width, p.Height)) << c->IDName << " " << k.Name << " " << Show(r);
            }
        }
    }
    for (const auto& o : s.Data.ObjectList) {
        // Only the caption is drawn from the frame picture alone.
        if (o->IDName != "caption") {
            EXPECT_GE(o->ActivePictureIndex, 0) << o->IDName;
        }
        EXPECT_LT(o->ActivePictureIndex, count) << o->IDName;
        EXPECT_EQ(o->GlowLayerPictureIndex, -1) << o->IDName;
        const TbsSkinKeys keys = o->Keys();
        for (const TbsSkinKey& k : keys.Items()) {
            if (k.Form != TbsSkinKeyForm::Rect)
                continue;
            const TRect r = *static_cast<TRect*>(k.Field);
            if (r.IsEmpty() && r.Left == 0 && r.Top == 0)
                continue;
            if (k.Name == "textrect" || k.Name == "imagerect") {
                EXPECT_TRUE(Inside(r, o->SkinRect.Width(), o->SkinRect.Height())) << o->IDName << " " << k.Name;
                continue;
            }
            const bool inFrame = k.Name == "skinrect" && !o->SkinRectInAPicture;
            const platform::TImageData& p = inFrame ? s.Frame : s.Pictures.at(size_t(o->ActivePictureIndex));
            EXPECT_TRUE(Inside(r, p.Width, p.Height)) << o->IDName << " " << k.Name << " " << Show(r);
        }
    }
}

TEST(DefaultSkinLint, NineSliceGeometryComposesAtEverySize)
{
    TDefaultSkin& s = Skin();
    for (const auto& c : s.Data.CtrlList) {
        auto* n = dynamic_cast<TbsDataSkinCustomControl*>(c.get());
        if (!n || n->SkinRect.IsEmpty() || dynamic_cast<TbsDataSkinUpDownControl*>(n))
            continue;
        const int w = n->SkinRect.Width(), h = n->SkinRect.Height();
        const bool nine = n->RBPoint.X != 0 && n->RBPoint.Y != 0;
        if (nine) {
            EXPECT_NE(n->RBPoint.X, n->LTPoint.X) << n->IDName;
            EXPECT_NE(n->RBPoint.Y, n->LTPoint.Y) << n->IDName;
        }
        for (const TPoint& p : {n->LTPoint, n->RTPoint, n->LBPoint, n->RBPoint}) {
            EXPECT_GE(p.X, 0) << n->IDName;
            EXPECT_LE(p.X, w) << n->IDName;
            EXPECT_GE(p.Y, 0) << n->IDName;
            EXPECT_LE(p.Y, h) << n->IDName;
        }
        // Strips and tiles are cut by the client rectangle.
        EXPECT_FALSE(n->ClRect.IsEmpty()) << n->IDName;
        const bool threeSlice = !nine && (n->RTPoint.X != 0 || n->RTPoint.Y != 0 || n->LBPoint.X != 0 || n->LBPoint.Y != 0);
        EXPECT_TRUE(nine || threeSlice) << n->IDName << " keeps its picture's size";
    }
    // The frame: corners, client, caption and buttons inside the frame
    // picture, the client reaching the sides, the buttons to the right.
    const TbsSkinData& d = s.Data;
    const int fw = s.Frame.Width, fh = s.Frame.Height;
    EXPECT_TRUE(Inside(d.ClRect, fw, fh));
    EXPECT_TRUE(Inside(d.CaptionRect, fw, fh));
    EXPECT_TRUE(Inside(d.ButtonsRect, fw, fh));
    EXPECT_GT(d.ButtonsRect.Left, fw / 2) << "the buttons follow the right edge";
    EXPECT_LT(d.LTPoint.X, d.RTPoint.X);
    EXPECT_LT(d.LTPoint.Y, d.LBPoint.Y);
    EXPECT_EQ(d.BorderW, fw - d.ClRect.Right);
    EXPECT_GE(d.FormMinWidth, fw);
    // Window images.
    for (const TbsDataSkinWindowImage* w : {static_cast<TbsDataSkinWindowImage*>(d.PopupWindow.get()),
                                            static_cast<TbsDataSkinWindowImage*>(d.HintWindow.get())}) {
        ASSERT_GE(w->WindowPictureIndex, 0);
        ASSERT_LT(w->WindowPictureIndex, int(s.Pictures.size()));
        const platform::TImageData& p = s.Pictures[size_t(w->WindowPictureIndex)];
        EXPECT_NE(w->RBPoint.X, w->LTPoint.X);
        EXPECT_NE(w->RBPoint.Y, w->LTPoint.Y);
        EXPECT_LE(w->RBPoint.X, p.Width);
        EXPECT_LE(w->RBPoint.Y, p.Height);
        EXPECT_EQ(w->MaskPictureIndex, -1);
    }
    EXPECT_TRUE(Inside(d.PopupWindow->ItemsRect, s.Pictures[3].Width, s.Pictures[3].Height));
    EXPECT_TRUE(Inside(d.HintWindow->ClRect, s.Pictures[4].Width, s.Pictures[4].Height));
}

TEST(DefaultSkinLint, NoEffectTheSkinDoesNotDraw)
{
    TDefaultSkin& s = Skin();
    EXPECT_EQ(s.Data.LayerFrame->PictureIndex, -1);
    EXPECT_TRUE(s.Data.FMaskName.empty());
    for (const auto& c : s.Data.CtrlList)
        if (auto* b = dynamic_cast<TbsDataSkinButtonControl*>(c.get())) {
            EXPECT_TRUE(b->AnimateSkinRect.IsEmpty() || b->FrameCount > 0) << b->IDName;
            EXPECT_FALSE(b->Morphing) << b->IDName;
        }
    for (const auto& o : s.Data.ObjectList)
        EXPECT_FALSE(o->Morphing) << o->IDName;
}

TEST(DefaultSkinLint, ColoursAreGivenNotLeftToDefaults)
{
    TDefaultSkin& s = Skin();
    for (const std::string& key : s.Data.FSkinColors->Keys().ReadOrder()) {
        EXPECT_TRUE(s.Ini.ValueExists("SKINCOLORS", key)) << key;
        EXPECT_GE(s.Ini.ReadInteger("SKINCOLORS", key, -1), 0) << key;
    }
    struct TGiven {
        const char* Section;
        const char* Key;
    };
    for (const TGiven& g : {TGiven{"listview", "bgcolor"}, TGiven{"treeview", "bgcolor"}, TGiven{"richedit", "bgcolor"},
                            TGiven{"slider", "bgcolor"}, TGiven{"bevel", "lightcolor"}, TGiven{"bevel", "darkcolor"},
                            TGiven{"tab", "buttontransparentcolor"}, TGiven{"tab", "dividertransparentcolor"},
                            TGiven{"memo", "bgcolor"}, TGiven{"resizetoolbutton", "menumarkertransparentcolor"}})
        EXPECT_TRUE(s.Ini.ValueExists(g.Section, g.Key)) << g.Section << " " << g.Key;
}

TEST(DefaultSkinLint, PiecesDrawnOverTheirBackgroundHaveTheKeyInTheirCorner)
{
    // Check marks, slider rulers and thumbs are drawn transparent with their
    // bottom-left pixel as the key; nothing else of them may be that colour
    // at the edge, or a piece of the mark would vanish.
    TDefaultSkin& s = Skin();
    std::vector<std::pair<std::string, TRect>> pieces;
    for (const char* name : {"checkbox", "radiobox"}) {
        auto* c = dynamic_cast<TbsDataSkinCheckRadioControl*>(s.Control(name));
        ASSERT_NE(c, nullptr);
        for (const TRect& r : {c->CheckImageRect, c->UnCheckImageRect, c->ActiveCheckImageRect, c->ActiveUnCheckImageRect,
                               c->UnEnabledCheckImageRect, c->UnEnabledUnCheckImageRect})
            pieces.emplace_back(name, r);
    }
    auto* slider = dynamic_cast<TbsDataSkinSlider*>(s.Control("slider"));
    ASSERT_NE(slider, nullptr);
    const TRect h = slider->HThumbRect, v = slider->VThumbRect;
    pieces.emplace_back("slider", slider->HRulerRect);
    pieces.emplace_back("slider", slider->VRulerRect);
    pieces.emplace_back("slider", TRect{h.Left, h.Top, h.Left + h.Width() / 2, h.Bottom});
    pieces.emplace_back("slider", TRect{h.Left + h.Width() / 2, h.Top, h.Right, h.Bottom});
    pieces.emplace_back("slider", TRect{v.Left, v.Top, v.Left + v.Width() / 2, v.Bottom});
    pieces.emplace_back("slider", TRect{v.Left + v.Width() / 2, v.Top, v.Right, v.Bottom});
    for (const auto& [name, r] : pieces) {
        const uint32_t key = s.Pixel(1, r.Left, r.Bottom - 1);
        EXPECT_EQ(key, 0xFF00FFu) << name << " " << Show(r);
        EXPECT_NE(s.Centre(1, r), key) << name << " " << Show(r);
    }
}

TEST(DefaultSkinLint, TextIsReadableOnEveryStateAndDisabledTextIsGrey)
{
    TDefaultSkin& s = Skin();
    struct TOn {
        const char* Record;
        const char* FontKey;
        const char* RectKey;
        bool Disabled;
    };
    const TOn controls[] = {
        {"button", "fontcolor", "skinrect", false},          {"button", "activefontcolor", "activeskinrect", false},
        {"button", "downfontcolor", "downskinrect", false},  {"button", "activefontcolor", "focusedskinrect", false},
        {"button", "disabledfontcolor", "disabledskinrect", true},
        {"resizebutton", "fontcolor", "skinrect", false},    {"resizebutton", "disabledfontcolor", "disabledskinrect", true},
        {"resizetoolbutton", "fontcolor", "skinrect", false}, {"resizetoolbutton", "activefontcolor", "activeskinrect", false},
        {"resizetoolbutton", "downfontcolor", "downskinrect", false},
        {"resizetoolbutton", "disabledfontcolor", "disabledskinrect", true},
        {"header", "fontcolor", "skinrect", false},          {"header", "activefontcolor", "activeskinrect", false},
        {"edit", "fontcolor", "skinrect", false},            {"edit", "activefontcolor", "activeskinrect", false},
        {"edit", "disabledfontcolor", "skinrect", true},
        {"combobox", "fontcolor", "itemrect", false},        {"combobox", "activefontcolor", "activeitemrect", false},
        {"combobox", "focusfontcolor", "focusitemrect", false},
        {"listbox", "fontcolor", "itemrect", false},         {"listbox", "activefontcolor", "activeitemrect", false},
        {"listbox", "focusfontcolor", "focusitemrect", false},
        {"tab", "fontcolor", "tabrect", false},              {"tab", "activefontcolor", "activetabrect", false},
        {"tab", "mouseinfontcolor", "mouseintabrect", false}, {"tab", "focusfontcolor", "focustabrect", false},
        {"groupbox", "fontcolor", "skinrect", false},        {"statusbar", "fontcolor", "skinrect", false},
        {"label", "fontcolor", "skinrect", false},
    };
    auto check = [](const std::string& AWhat, uint32_t AText, uint32_t ABack, bool ADisabled) {
        const double c = Contrast(AText, ABack);
        if (ADisabled) {
            EXPECT_TRUE(Grey(AText)) << AWhat;
            EXPECT_GE(c, 2.0) << AWhat << ": disabled text must stay visible";
            EXPECT_LT(c, 4.5) << AWhat << ": disabled text must look disabled";
        } else {
            EXPECT_GE(c, 4.5) << AWhat;
        }
    };
    for (const TOn& on : controls) {
        TbsDataSkinControl* c = s.Control(on.Record);
        ASSERT_NE(c, nullptr) << on.Record;
        const TRect r = RectKey(*c, on.RectKey);
        ASSERT_FALSE(r.IsEmpty()) << on.Record << " " << on.RectKey;
        check(std::string(on.Record) + " " + on.FontKey, RgbOf(ColorKey(*c, on.FontKey)), s.Centre(c->PictureIndex, r),
              on.Disabled);
    }
    const TOn objects[] = {
        {"menuitem", "fontcolor", "skinrect", false},   {"menuitem", "activefontcolor", "activeskinrect", false},
        {"menuitem", "unenabledfontcolor", "skinrect", true}, {"mainmenubaritem", "fontcolor", "skinrect", false},
        {"mainmenubaritem", "activefontcolor", "activeskinrect", false},
        {"mainmenubaritem", "downfontcolor", "downrect", false},
    };
    for (const TOn& on : objects) {
        TbsDataSkinObject* o = s.Object(on.Record);
        ASSERT_NE(o, nullptr) << on.Record;
        const TRect r = RectKey(*o, on.RectKey);
        check(std::string(on.Record) + " " + on.FontKey, RgbOf(ColorKey(*o, on.FontKey)), s.Centre(o->ActivePictureIndex, r),
              on.Disabled);
    }
    // Labels and check boxes stand on the face colour, the caption on the
    // caption bar, hints on the hint picture.
    const uint32_t face = RgbOf(s.Data.SkinColors().cBtnFace());
    for (const char* name : {"checkbox", "radiobox"}) {
        auto* c = dynamic_cast<TbsDataSkinCheckRadioControl*>(s.Control(name));
        ASSERT_NE(c, nullptr);
        check(std::string(name) + " framefontcolor", RgbOf(c->FrameFontColor), face, false);
        check(std::string(name) + " unenabledfontcolor", RgbOf(c->UnEnabledFontColor), face, true);
    }
    auto* label = dynamic_cast<TbsDataSkinStdLabelControl*>(s.Control("stdlabel"));
    ASSERT_NE(label, nullptr);
    check("stdlabel", RgbOf(label->FontColor), face, false);
    check("stdlabel activefontcolor", RgbOf(label->ActiveFontColor), face, false);
    auto* caption = dynamic_cast<TbsDataSkinCaption*>(s.Object("caption"));
    ASSERT_NE(caption, nullptr);
    check("caption", RgbOf(caption->ActiveFontColor), s.Centre(-1, s.Data.CaptionRect), false);
    // An inactive caption stands on the frame picture turned grey.
    const uint32_t bar = s.Centre(-1, s.Data.CaptionRect);
    const int grey = int(0.299 * ((bar >> 16) & 0xFF) + 0.587 * ((bar >> 8) & 0xFF) + 0.114 * (bar & 0xFF));
    ASSERT_EQ(s.Data.InActiveEffect, ieGrayScale);
    EXPECT_GE(Contrast(RgbOf(caption->FontColor), uint32_t(grey * 0x010101)), 4.5) << "inactive caption";
    const TbsDataSkinHintWindow& hint = *s.Data.HintWindow;
    check("hint", RgbOf(hint.FontColor), s.Centre(hint.WindowPictureIndex, hint.ClRect), false);
    // The disabled button is grey as a whole, not only its text.
    auto* button = dynamic_cast<TbsDataSkinButtonControl*>(s.Control("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(Grey(s.Centre(0, button->DisabledSkinRect)));
}

TEST(DefaultSkinLint, TextFitsEveryPieceItIsDrawnIn)
{
    // The pieces that hold a line of text are at least as high as the text
    // in the record's font (fonts map to the installed CJK family).
    TDefaultSkin& s = Skin();
    TBitmap measure;
    measure.SetSize(1, 1);
    auto textHeight = [&](const TbsSkinFontFields& AFont) {
        measure.Canvas()->Font()->SetName(AFont.FontName);
        measure.Canvas()->Font()->SetHeight(AFont.FontHeight);
        measure.Canvas()->Font()->SetStyle(AFont.FontStyle);
        return measure.Canvas()->TextHeight("格式Ag");
    };
    // 9-point text: twelve pixels a line at least.
    EXPECT_GE(textHeight(*dynamic_cast<TbsSkinFontFields*>(s.Control("button"))), 12);
    struct TPiece {
        const char* Record;
        const char* RectKey;
    };
    for (const TPiece& p : {TPiece{"button", "clientrect"}, TPiece{"edit", "clientrect"}, TPiece{"combobox", "itemrect"},
                            TPiece{"combobox", "focusitemrect"}, TPiece{"listbox", "itemrect"},
                            TPiece{"tab", "tabrect"}, TPiece{"header", "clientrect"}, TPiece{"groupbox", "captionrect"},
                            TPiece{"statusbar", "clientrect"}}) {
        TbsDataSkinControl* c = s.Control(p.Record);
        ASSERT_NE(c, nullptr) << p.Record;
        auto* font = dynamic_cast<TbsSkinFontFields*>(c);
        ASSERT_NE(font, nullptr) << p.Record;
        EXPECT_GE(RectKey(*c, p.RectKey).Height(), textHeight(*font)) << p.Record << " " << p.RectKey;
    }
    for (const char* name : {"menuitem", "mainmenubaritem"}) {
        TbsDataSkinObject* o = s.Object(name);
        ASSERT_NE(o, nullptr);
        EXPECT_GE(o->SkinRect.Height(), textHeight(*dynamic_cast<TbsSkinFontFields*>(o)) + 4) << name;
    }
    EXPECT_GE(s.Data.CaptionRect.Height(), textHeight(*dynamic_cast<TbsSkinFontFields*>(s.Object("caption"))) + 8);
    EXPECT_GE(s.Data.HintWindow->ClRect.Height(), textHeight(*s.Data.HintWindow));
}

TEST(DefaultSkinLint, PanelsTileAPlainClientPiece)
{
    // Panels repeat their client piece over their whole inside: anything in
    // it but one colour (a rounded corner, an edge line) would repeat as a
    // pattern of dots and lines.
    TDefaultSkin& s = Skin();
    for (const char* name : {"panel", "groupbox", "toolpanel", "resizetoolpanel", "statusbar", "scrollbox", "label",
                             "menuheader"}) {
        auto* c = dynamic_cast<TbsDataSkinCustomControl*>(s.Control(name));
        ASSERT_NE(c, nullptr) << name;
        const TRect piece{c->SkinRect.Left + c->ClRect.Left, c->SkinRect.Top + c->ClRect.Top,
                          c->SkinRect.Left + c->ClRect.Right, c->SkinRect.Top + c->ClRect.Bottom};
        const uint32_t first = s.Pixel(c->PictureIndex, piece.Left, piece.Top);
        int others = 0;
        for (int y = piece.Top; y < piece.Bottom; ++y)
            for (int x = piece.Left; x < piece.Right; ++x)
                others += s.Pixel(c->PictureIndex, x, y) != first;
        EXPECT_EQ(others, 0) << name << " " << Show(piece);
    }
}
