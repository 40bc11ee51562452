#include "skin/core/bsSkinData_Windows.h"

namespace skin {

namespace {

// System colours: the flag 0xFF000000 plus the system colour's index.
constexpr TColor SystemColor(int AIndex)
{
    return TColor(0xFF000000u | unsigned(AIndex));
}
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor clBtnShadow = SystemColor(16);

void DescribeCorners(TbsSkinKeys& K, TPoint& ALT, TPoint& ART, TPoint& ALB, TPoint& ARB)
{
    K.Point("lefttoppoint", ALT);
    K.Point("righttoppoint", ART);
    K.Point("leftbottompoint", ALB);
    K.Point("rightbottompoint", ARB);
}

void DescribeStretch(TbsSkinKeys& K, bool& ALeft, bool& ARight, bool& ATop, bool& ABottom, bool& AEffect,
                     TbsStretchType& AType)
{
    K.Boolean("leftstretch", ALeft);
    K.Boolean("rightstretch", ARight);
    K.Boolean("topstretch", ATop);
    K.Boolean("bottomstretch", ABottom);
    K.Boolean("stretcheffect", AEffect);
    K.StretchType("stretchtype", AType);
}

} // namespace

void TbsDataSkinPopupWindow::DescribeKeys(TbsSkinKeys& K)
{
    K.Integer("windowpictureindex", WindowPictureIndex, -1);
    K.Integer("maskpictureindex", MaskPictureIndex, -1);
    DescribeCorners(K, LTPoint, RTPoint, LBPoint, RBPoint);
    K.Rect("itemsrect", ItemsRect);
    K.Color("scrollmarkercolor", ScrollMarkerColor);
    K.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    DescribeStretch(K, LeftStretch, RightStretch, TopStretch, BottomStretch, StretchEffect, StretchType);
}

void TbsDataSkinHintWindow::DescribeKeys(TbsSkinKeys& K)
{
    K.Integer("windowpictureindex", WindowPictureIndex, -1);
    K.Integer("maskpictureindex", MaskPictureIndex, -1);
    DescribeCorners(K, LTPoint, RTPoint, LBPoint, RBPoint);
    K.Rect("clientrect", ClRect);
    K.String("fontname", FontName, "Tahoma");
    K.Integer("fontheight", FontHeight, 13);
    K.FontStyles("fontstyle", FontStyle);
    K.Color("fontcolor", FontColor);
    DescribeStretch(K, LeftStretch, RightStretch, TopStretch, BottomStretch, StretchEffect, StretchType);
}

void TbsDataSkinLayerFrame::DescribeKeys(TbsSkinKeys& K)
{
    K.Integer("pictureindex", PictureIndex, -1);
    K.Integer("maskpictureindex", MaskPictureIndex, -1);
    K.Integer("inactivepictureindex", InActivePictureIndex, -1);
    K.Integer("inactivemaskpictureindex", InActiveMaskPictureIndex, -1);
    DescribeCorners(K, LTPoint, RTPoint, LBPoint, RBPoint);
    K.Rect("clientrect", ClRect);
    K.Integer("alphablendvalue", AlphaBlendValue, 255);
    K.Integer("inactivealphablendvalue", InActiveAlphaBlendValue, 255);
    K.Rect("borderrect", BorderRect);
    K.Boolean("hittestenable", HitTestEnable);
    K.Boolean("fullborder", FullBorder);
    K.Integer("hittestsize", HitTestSize);
    K.Rect("captionrect", CaptionRect);
    K.Point("hittestlefttoppoint", HitTestLTPoint);
    K.Point("hittestrighttoppoint", HitTestRTPoint);
    K.Point("hittestleftbottompoint", HitTestLBPoint);
    K.Point("hittestrightbottompoint", HitTestRBPoint);
    K.Rect("buttonsrect", ButtonsRect);
    K.Rect("sysmenubuttonrect", SysMenuButtonRect);
    K.Boolean("fullstretch", FullStretch);
    K.Integer("rollupformheight", RollUpFormHeight);
    K.Integer("buttonstopoffset", ButtonsTopOffset);
    K.Integer("sysbuttontopoffset", SysButtonTopOffset);
    K.Integer("blurmaskpictureindex", BlurMaskPictureIndex, -1);
    K.Rect("intersectblurmaskrect", IntersectBlurMaskRect);
    K.Rect("excludeblurmaskrect", ExcludeBlurMaskRect);
    K.Integer("leftoffset", LeftOffset);
    K.Integer("topoffset", TopOffset);
    K.Integer("widthoffset", WidthOffset);
    K.Integer("heightoffset", HeightOffset);
}

void TbsSkinColors::DescribeKeys(TbsSkinKeys& K)
{
    K.Color("cbtnface", FcBtnFace, clBtnFace);
    K.Color("cbtntext", FcBtnText, clBtnText);
    K.Color("cwindow", FcWindow, clWindow);
    K.Color("cwindowtext", FcWindowText, clWindowText);
    K.Color("chighlight", FcHighLight, clHighlight);
    K.Color("chighlighttext", FcHighLightText, clHighlightText);
    K.Color("cbtnhighlight", FcBtnHighLight, clBtnHighlight);
    K.Color("cbtnshadow", FcBtnShadow, clBtnShadow);
}

// The defaults are those of the missing keys.
void TbsSkinColors::SetColorsToDefault()
{
    Keys().Read(platform::TMemIniFile(""), SectionName());
}

void TbsSkinColors::SaveToFile(TCustomIniFile& AIniFile)
{
    Keys().Write(AIniFile, SectionName());
}

} // namespace skin
