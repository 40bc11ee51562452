#include "skin/core/bsSkinData_PanelControls.h"

namespace skin {

void TbsDataSkinPanelControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Integer("bgpictureindex", BGPictureIndex, -1);
    K.Rect("captionrect", CaptionRect);
    K.Alignment("alignment", Alignment);
    K.Font(*this);
    K.Rect("checkimagerect", CheckImageRect);
    K.Rect("uncheckimagerect", UnCheckImageRect);
    K.Rect("markframerect", MarkFrameRect);
    K.Rect("framerect", FrameRect);
    K.Rect("frametextrect", FrameTextRect);
    K.Integer("frameleftoffset", FrameLeftOffset);
    K.Integer("framerightoffset", FrameRightOffset);
    K.Rect("gripperrect", GripperRect);
    K.Boolean("grippertransparent", GripperTransparent);
    K.Color("grippertransparentcolor", GripperTransparentColor);
    K.Rect("buttonrect", ButtonRect);
    K.Rect("buttonactiverect", ButtonActiveRect);
    K.Rect("buttondownrect", ButtonDownRect);
    K.Boolean("buttontransparent", ButtonTransparent);
    K.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TbsDataSkinExPanelControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("rollhskinrect", RollHSkinRect);
    K.Rect("rollvskinrect", RollVSkinRect);
    K.Integer("rollleftoffset", RollLeftOffset);
    K.Integer("rollrightoffset", RollRightOffset);
    K.Integer("rolltopoffset", RollTopOffset);
    K.Integer("rollbottomoffset", RollBottomOffset);
    K.Rect("rollvcaptionrect", RollVCaptionRect);
    K.Rect("rollhcaptionrect", RollHCaptionRect);
    K.Rect("closebuttonrect", CloseButtonRect);
    K.Rect("closebuttonactiverect", CloseButtonActiveRect);
    K.Rect("closebuttondownrect", CloseButtonDownRect);
    K.Rect("hrollbuttonrect", HRollButtonRect);
    K.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    K.Rect("hrollbuttondownrect", HRollButtonDownRect);
    K.Rect("hrestorebuttonrect", HRestoreButtonRect);
    K.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    K.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    K.Rect("vrollbuttonrect", VRollButtonRect);
    K.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    K.Rect("vrollbuttondownrect", VRollButtonDownRect);
    K.Rect("vrestorebuttonrect", VRestoreButtonRect);
    K.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    K.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    K.Rect("captionrect", CaptionRect);
    K.Font(*this);
    K.Boolean("buttonstransparent", ButtonsTransparent);
    K.Color("buttonstransparentcolor", ButtonsTransparentColor);
}

void TbsDataSkinLabelControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Font(*this);
}

void TbsDataSkinStdLabelControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor, clBlue);
}

void TbsDataSkinBevel::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Color("lightcolor", LightColor);
    K.Color("darkcolor", DarkColor);
}

} // namespace skin
