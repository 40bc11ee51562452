#include "skin/core/bsSkinData_Controls.h"

#include "skin/core/bsSkinData_BarControls.h"
#include "skin/core/bsSkinData_EditControls.h"
#include "skin/core/bsSkinData_PanelControls.h"
#include "skin/core/bsSkinData_ViewControls.h"

#include <typeindex>

namespace skin {

namespace {

template <typename T>
std::unique_ptr<TbsDataSkinControl> Make(const std::string& AIDName)
{
    return std::make_unique<T>(AIDName);
}

struct TControlKind {
    const char* Word;
    std::type_index Type;
    std::unique_ptr<TbsDataSkinControl> (*Create)(const std::string&);
};

// The control kinds in the order the reader compares them.
const TControlKind ControlKinds[] = {
    {"panel", typeid(TbsDataSkinPanelControl), Make<TbsDataSkinPanelControl>},
    {"expanel", typeid(TbsDataSkinExPanelControl), Make<TbsDataSkinExPanelControl>},
    {"menubutton", typeid(TbsDataSkinMenuButtonControl), Make<TbsDataSkinMenuButtonControl>},
    {"button", typeid(TbsDataSkinButtonControl), Make<TbsDataSkinButtonControl>},
    {"checkradio", typeid(TbsDataSkinCheckRadioControl), Make<TbsDataSkinCheckRadioControl>},
    {"gauge", typeid(TbsDataSkinGaugeControl), Make<TbsDataSkinGaugeControl>},
    {"splitter", typeid(TbsDataSkinSplitterControl), Make<TbsDataSkinSplitterControl>},
    {"trackbar", typeid(TbsDataSkinTrackBarControl), Make<TbsDataSkinTrackBarControl>},
    {"label", typeid(TbsDataSkinLabelControl), Make<TbsDataSkinLabelControl>},
    {"stdlabel", typeid(TbsDataSkinStdLabelControl), Make<TbsDataSkinStdLabelControl>},
    {"updown", typeid(TbsDataSkinUpDownControl), Make<TbsDataSkinUpDownControl>},
    {"grid", typeid(TbsDataSkinGridControl), Make<TbsDataSkinGridControl>},
    {"tab", typeid(TbsDataSkinTabControl), Make<TbsDataSkinTabControl>},
    {"mainmenubar", typeid(TbsDataSkinMainMenuBar), Make<TbsDataSkinMainMenuBar>},
    {"controlbar", typeid(TbsDataSkinControlBar), Make<TbsDataSkinControlBar>},
    {"appmenu", typeid(TbsDataSkinAppMenu), Make<TbsDataSkinAppMenu>},
    {"memo", typeid(TbsDataSkinMemoControl), Make<TbsDataSkinMemoControl>},
    {"edit", typeid(TbsDataSkinEditControl), Make<TbsDataSkinEditControl>},
    {"checklistbox", typeid(TbsDataSkinCheckListBox), Make<TbsDataSkinCheckListBox>},
    {"listbox", typeid(TbsDataSkinListBox), Make<TbsDataSkinListBox>},
    {"combobox", typeid(TbsDataSkinComboBox), Make<TbsDataSkinComboBox>},
    {"scrollbar", typeid(TbsDataSkinScrollBarControl), Make<TbsDataSkinScrollBarControl>},
    {"spinedit", typeid(TbsDataSkinSpinEditControl), Make<TbsDataSkinSpinEditControl>},
    {"scrollbox", typeid(TbsDataSkinScrollBoxControl), Make<TbsDataSkinScrollBoxControl>},
    {"treeview", typeid(TbsDataSkinTreeView), Make<TbsDataSkinTreeView>},
    {"bevel", typeid(TbsDataSkinBevel), Make<TbsDataSkinBevel>},
    {"slider", typeid(TbsDataSkinSlider), Make<TbsDataSkinSlider>},
    {"listview", typeid(TbsDataSkinListView), Make<TbsDataSkinListView>},
    {"richedit", typeid(TbsDataSkinRichEdit), Make<TbsDataSkinRichEdit>},
};

} // namespace

void TbsDataSkinControl::DescribeKeys(TbsSkinKeys& K)
{
    K.Integer("pictureindex", PictureIndex, -1);
    K.Integer("maskpictureindex", MaskPictureIndex, -1);
    K.Rect("skinrect", SkinRect);
}

void TbsDataSkinCustomControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Corners(LTPoint, RTPoint, LBPoint, RBPoint);
    K.Rect("clientrect", ClRect);
    K.Boolean("leftstretch", LeftStretch);
    K.Boolean("topstretch", TopStretch);
    K.Boolean("rightstretch", RightStretch);
    K.Boolean("bottomstretch", BottomStretch);
    K.Boolean("stretcheffect", StretchEffect);
    K.StretchType("stretchtype", StretchType);
}

void TbsDataSkinButtonControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("downfontcolor", DownFontColor);
    K.Color("disabledfontcolor", DisabledFontColor);
    K.Rect("activeskinrect", ActiveSkinRect);
    K.Rect("downskinrect", DownSkinRect);
    K.Rect("focusedskinrect", FocusedSkinRect);
    K.Rect("disabledskinrect", DisabledSkinRect);
    K.Boolean("morphing", Morphing);
    K.MorphKind("morphkind", MorphKind);
    K.Rect("animateskinrect", AnimateSkinRect);
    K.Integer("framecount", FrameCount);
    K.Integer("animateinterval", AnimateInterval, 25);
    K.Boolean("showfocus", ShowFocus);
    K.Rect("menumarkerflatrect", MenuMarkerFlatRect);
    K.Rect("menumarkerrect", MenuMarkerRect);
    K.Rect("menumarkeractiverect", MenuMarkerActiveRect);
    K.Rect("menumarkerdownrect", MenuMarkerDownRect);
    K.Color("menumarkertransparentcolor", MenuMarkerTransparentColor);
    K.Integer("glowlayerpictureindex", GlowLayerPictureIndex, -1);
    K.Integer("glowlayermaskpictureindex", GlowLayerMaskPictureIndex, -1);
    K.Integer("glowlayeroffsetleft", GlowLayerOffsetLeft);
    K.Integer("glowlayeroffsettop", GlowLayerOffsetTop);
    K.Integer("glowlayeroffsetright", GlowLayerOffsetRight);
    K.Integer("glowlayeroffsetbottom", GlowLayerOffsetBottom);
    K.Integer("glowlayershowoffsetx", GlowLayerShowOffsetX);
    K.Integer("glowlayershowoffsety", GlowLayerShowOffsetY);
    K.Integer("glowlayeralphablendvalue", GlowLayerAlphaBlendValue, 255);
    K.WriteAfter("glowlayeroffsetright", "glowlayeroffsetleft");
}

void TbsDataSkinMenuButtonControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinButtonControl::DescribeKeys(K);
    K.Rect("trackbuttonrect", TrackButtonRect);
}

void TbsDataSkinCheckRadioControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("unenabledfontcolor", UnEnabledFontColor);
    K.Color("framefontcolor", FrameFontColor);
    K.Rect("activeskinrect", ActiveSkinRect);
    K.Rect("checkimagearea", CheckImageArea);
    K.Rect("textarea", TextArea);
    K.Rect("checkimagerect", CheckImageRect);
    K.Rect("uncheckimagerect", UnCheckImageRect);
    K.Rect("activecheckimagerect", ActiveCheckImageRect);
    K.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    K.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    K.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    K.Rect("grayedcheckimagerect", GrayedCheckImageRect);
    K.Rect("activegrayedcheckimagerect", ActiveGrayedCheckImageRect);
    K.Boolean("morphing", Morphing);
    K.MorphKind("morphkind", MorphKind);
    K.WriteAfter("framefontcolor", "fontcolor");
}

void DescribeUpDownButtonRects(TbsSkinKeys& K, TbsUpDownButtonRects& R)
{
    K.Rect("upbuttonrect", R.UpButtonRect);
    K.Rect("activeupbuttonrect", R.ActiveUpButtonRect);
    K.Rect("downupbuttonrect", R.DownUpButtonRect);
    K.Rect("downbuttonrect", R.DownButtonRect);
    K.Rect("activedownbuttonrect", R.ActiveDownButtonRect);
    K.Rect("downdownbuttonrect", R.DownDownButtonRect);
}

std::string SkinControlKind(const TbsDataSkinControl& ARecord)
{
    for (const TControlKind& k : ControlKinds)
        if (k.Type == typeid(ARecord))
            return k.Word;
    return "";
}

std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& AKind, const std::string& AIDName)
{
    for (const TControlKind& k : ControlKinds)
        if (AKind == k.Word)
            return k.Create(AIDName);
    return nullptr;
}

} // namespace skin
