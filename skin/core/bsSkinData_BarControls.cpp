#include "skin/core/bsSkinData_BarControls.h"

namespace skin {

void TbsDataSkinScrollBarControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("trackarea", TrackArea);
    DescribeUpDownButtonRects(K, *this);
    K.Rect("thumbrect", ThumbRect);
    K.Rect("activethumbrect", ActiveThumbRect);
    K.Rect("downthumbrect", DownThumbRect);
    K.Integer("thumboffset1", ThumbOffset1);
    K.Integer("thumboffset2", ThumbOffset2);
    K.Boolean("thumbtransparent", ThumbTransparent);
    K.Color("thumbtransparentcolor", ThumbTransparentColor);
    K.Boolean("thumbstretcheffect", ThumbStretchEffect);
    K.Integer("thumbminsize", ThumbMinSize);
    K.Integer("thumbminpagesize", ThumbMinPageSize);
    K.Rect("glyphrect", GlyphRect);
    K.Rect("activeglyphrect", ActiveGlyphRect);
    K.Rect("downglyphrect", DownGlyphRect);
    K.Boolean("glyphtransparent", GlyphTransparent);
    K.Color("glyphtransparentcolor", GlyphTransparentColor);
}

void TbsDataSkinTrackBarControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("activeskinrect", ActiveSkinRect);
    K.Rect("trackarea", TrackArea);
    K.Rect("buttonrect", ButtonRect);
    K.Rect("activebuttonrect", ActiveButtonRect);
    K.Boolean("vertical", Vertical);
    K.Boolean("buttontransparent", ButtonTransparent);
    K.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TbsDataSkinSlider::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Color("bgcolor", BGColor);
    K.Rect("hrulerrect", HRulerRect);
    K.Rect("hthumbrect", HThumbRect);
    K.Rect("vrulerrect", VRulerRect);
    K.Rect("vthumbrect", VThumbRect);
    K.Integer("edgesize", EdgeSize);
    K.Color("pointscolor", PointsColor);
}

void TbsDataSkinGaugeControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("progressarea", ProgressArea);
    K.Rect("progressrect", ProgressRect);
    K.Integer("beginoffset", BeginOffset);
    K.Integer("endoffset", EndOffset);
    K.Boolean("vertical", Vertical);
    K.Font(*this);
    K.Boolean("progresstransparent", ProgressTransparent);
    K.Color("progresstransparentcolor", ProgressTransparentColor);
    K.Boolean("progressstretch", ProgressStretch);
    K.Rect("animationskinrect", AnimationSkinRect);
    K.Integer("animationcountframes", AnimationCountFrames);
    K.Integer("animationtimerinterval", AnimationTimerInterval);
    K.Rect("progressanimationskinrect", ProgressAnimationSkinRect);
    K.Integer("progressanimationcountframes", ProgressAnimationCountFrames);
    K.Integer("progressanimationtimerinterval", ProgressAnimationTimerInterval);
    K.Integer("animationbeginoffset", AnimationBeginOffset);
    K.Integer("animationendoffset", AnimationEndOffset);
}

void TbsDataSkinSplitterControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("gripperrect", GripperRect);
    K.Boolean("grippertransparent", GripperTransparent);
    K.Color("grippertransparentcolor", GripperTransparentColor);
}

void TbsDataSkinControlBar::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("itemrect", ItemRect);
    K.Integer("bgpictureindex", BGPictureIndex, -1);
    K.Rect("hgriprect", HGripRect);
    K.Rect("vgriprect", VGripRect);
    K.Integer("gripoffset1", GripOffset1);
    K.Integer("gripoffset2", GripOffset2);
    K.Boolean("itemstretcheffect", ItemStretchEffect);
    K.Integer("itemoffset1", ItemOffset1, 3);
    K.Integer("itemoffset2", ItemOffset2, 3);
    K.Boolean("itemtransparent", ItemTransparent);
    K.Color("itemtransparentcolor", ItemTransparentColor);
    K.Boolean("griptransparent", GripTransparent);
    K.Color("griptransparentcolor", GripTransparentColor);
    K.WriteAfter("itemstretcheffect", "itemoffset2");
}

void TbsDataSkinMainMenuBar::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Rect("itemsrect", ItemsRect);
    K.String("menubaritem", MenuBarItem);
    K.String("closebutton", CloseButton);
    K.String("minbutton", MinButton);
    K.String("maxbutton", MaxButton);
    K.String("sysmenubutton", SysMenuButton);
    K.Integer("trackmarkcolor", TrackMarkColor);
    K.Integer("trackmarkactivecolor", TrackMarkActiveColor);
    K.Boolean("stretcheffect", StretchEffect);
    K.Boolean("itemtransparent", ItemTransparent);
}

void TbsDataSkinAppMenu::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Integer("bgpictureindex", BGPictureIndex, -1);
    K.Boolean("bgstretcheffect", BGStretchEffect);
    K.Integer("bgpagepictureindex", BGPagePictureIndex, -1);
    K.Boolean("bgpagestretcheffect", BGPageStretchEffect);
    K.Rect("itemrect", ItemRect);
    K.Rect("pageitemrect", PageItemRect);
    K.Rect("pageitemactiverect", PageItemActiveRect);
    K.Integer("itemoffset1", ItemOffset1, 3);
    K.Integer("itemoffset2", ItemOffset2, 3);
    K.Integer("pageitemoffset1", PageItemOffset1, 10);
    K.Integer("pageitemoffset2", PageItemOffset2, 10);
    K.Integer("pageoffset", PageOffset);
    K.String("fontname", FontName, "Tahoma");
    K.Integer("fontheight", FontHeight, 13);
    K.Integer("fontpageheight", FontPageHeight, 16);
    K.FontStyles("fontstyle", FontStyle);
    K.Color("fontcolor", FontColor);
    K.Color("disabledfontcolor", DisabledFontColor);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("fontpagecolor", FontPageColor);
    K.Color("activefontpagecolor", ActiveFontPageColor);
    K.Rect("gripperrect", GripperRect);
    K.Color("grippertransparentcolor", GripperTransparentColor);
    K.Rect("toplinerect", TopLineRect);
    K.Integer("toplineoffset1", TopLineOffset1);
    K.Integer("toplineoffset2", TopLineOffset2);
    K.Rect("backbuttonrect", BackButtonRect);
    K.Rect("backbuttonactiverect", BackButtonActiveRect);
    K.Rect("captionrect", CaptionRect);
    K.Integer("captionleftoffset", CaptionLeftOffset);
    K.Integer("captiontopoffset", CaptionTopOffset);
}

} // namespace skin
