#include "skin/core/bsSkinData_Windows.h"

#include "skin/core/bsSkinData.h"

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

} // namespace

void TbsDataSkinWindowImage::DescribeImageKeys(TbsSkinKeys& K)
{
    K.Integer("windowpictureindex", WindowPictureIndex, -1);
    K.Integer("maskpictureindex", MaskPictureIndex, -1);
    K.Corners(LTPoint, RTPoint, LBPoint, RBPoint);
}

void TbsDataSkinWindowImage::DescribeStretchKeys(TbsSkinKeys& K)
{
    K.Boolean("leftstretch", LeftStretch);
    K.Boolean("rightstretch", RightStretch);
    K.Boolean("topstretch", TopStretch);
    K.Boolean("bottomstretch", BottomStretch);
    K.Boolean("stretcheffect", StretchEffect);
    K.StretchType("stretchtype", StretchType);
}

void TbsDataSkinPopupWindow::DescribeKeys(TbsSkinKeys& K)
{
    DescribeImageKeys(K);
    K.Rect("itemsrect", ItemsRect);
    K.Color("scrollmarkercolor", ScrollMarkerColor);
    K.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    DescribeStretchKeys(K);
}

void TbsDataSkinHintWindow::DescribeKeys(TbsSkinKeys& K)
{
    DescribeImageKeys(K);
    K.Rect("clientrect", ClRect);
    K.Font(*this);
    DescribeStretchKeys(K);
}

void TbsDataSkinLayerFrame::DescribeKeys(TbsSkinKeys& K)
{
    K.Integer("pictureindex", PictureIndex, -1);
    K.Integer("maskpictureindex", MaskPictureIndex, -1);
    K.Integer("inactivepictureindex", InActivePictureIndex, -1);
    K.Integer("inactivemaskpictureindex", InActiveMaskPictureIndex, -1);
    K.Corners(LTPoint, RTPoint, LBPoint, RBPoint);
    K.Rect("clientrect", ClRect);
    K.Integer("alphablendvalue", AlphaBlendValue, 255);
    K.Integer("inactivealphablendvalue", InActiveAlphaBlendValue, 255);
    K.Rect("borderrect", BorderRect);
    K.Boolean("hittestenable", HitTestEnable);
    K.Boolean("fullborder", FullBorder);
    K.Integer("hittestsize", HitTestSize);
    K.Rect("captionrect", CaptionRect);
    K.Corners(HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint, "hittest");
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

namespace {

// The frame picture APicture with the grey of the mask picture AMask as its
// alpha, pixel by pixel; null unless both pictures exist.
std::unique_ptr<TbsBitmap> FrameWithAlpha(TbsSkinData& ASkinData, int APicture, int AMask)
{
    TbsPicture* picture = ActivePicture(ASkinData, APicture);
    TbsPicture* mask = ActivePicture(ASkinData, AMask);
    if (!picture || !mask)
        return nullptr;
    auto frame = std::make_unique<TbsBitmap>();
    frame->Assign(picture);
    TbsBitmap grey;
    grey.Assign(mask);
    // A mask smaller than the frame leaves the pixels it does not cover
    // as the picture had them.
    AlphaFromGrayBitmap(*frame, grey);
    frame->CheckingAlphaBlend();
    return frame;
}

} // namespace

void TbsDataSkinLayerFrame::InitAlphaImages(TbsSkinData& ASkinData)
{
    FSourceBitmap = FrameWithAlpha(ASkinData, PictureIndex, MaskPictureIndex);
    FSourceInActiveBitMap = FrameWithAlpha(ASkinData, InActivePictureIndex, InActiveMaskPictureIndex);
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
