#include "skin/core/bsSkinData_EditControls.h"

namespace skin {

void DescribeItemRects(TbsSkinKeys& K, TbsSkinItemFields& I)
{
    K.Rect("itemrect", I.SItemRect);
    K.Rect("activeitemrect", I.ActiveItemRect);
    K.Rect("focusitemrect", I.FocusItemRect);
    K.Integer("itemleftoffset", I.ItemLeftOffset);
    K.Integer("itemrightoffset", I.ItemRightOffset);
    K.Rect("itemtextrect", I.ItemTextRect);
}

void TbsDataSkinEditControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("activeskinrect", ActiveSkinRect);
    K.Font(*this);
    K.Color("disabledfontcolor", DisabledFontColor);
    K.Color("activefontcolor", ActiveFontColor);
    K.Rect("buttonrect", ButtonRect);
    K.Rect("activebuttonrect", ActiveButtonRect);
    K.Rect("downbuttonrect", DownButtonRect);
    K.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinMemoControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinEditControl::DescribeKeys(K);
    K.Color("bgcolor", BGColor);
    K.Color("activebgcolor", ActiveBGColor);
}

void TbsDataSkinSpinEditControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("activeskinrect", ActiveSkinRect);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("disabledfontcolor", DisabledFontColor);
    DescribeUpDownButtonRects(K, *this);
}

void TbsDataSkinUpDownControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    DescribeUpDownButtonRects(K, *this);
}

void TbsDataSkinListBox::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    DescribeItemRects(K, *this);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("focusfontcolor", FocusFontColor);
    K.Rect("captionrect", CaptionRect);
    K.Font(CaptionFontName, CaptionFontHeight, CaptionFontStyle, CaptionFontColor, "caption");
    DescribeUpDownButtonRects(K, *this);
    K.Rect("checkbuttonrect", CheckButtonRect);
    K.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    K.Rect("downcheckbuttonrect", DownCheckButtonRect);
    K.String("vscrollbarname", VScrollBarName, "vscrollbar");
    K.String("hscrollbarname", HScrollBarName, "hscrollbar");
    K.String("bothhscrollbarname", BothScrollBarName, "bothhscrollbar");
    K.Boolean("showfocus", ShowFocus);
    K.Rect("disabledbuttonsrect", DisabledButtonsRect);
    K.Rect("buttonsarea", ButtonsArea);
}

void TbsDataSkinCheckListBox::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinListBox::DescribeKeys(K);
    K.Rect("itemcheckrect", ItemCheckRect);
    K.Rect("checkimagerect", CheckImageRect);
    K.Rect("uncheckimagerect", UnCheckImageRect);
    K.WriteAfter("uncheckimagerect", "itemcheckrect");
}

void TbsDataSkinComboBox::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Rect("activeskinrect", ActiveSkinRect);
    DescribeItemRects(K, *this);
    K.Font(*this);
    K.Color("focusfontcolor", FocusFontColor);
    K.Color("activefontcolor", ActiveFontColor);
    K.String("listboxname", ListBoxName);
    K.Rect("buttonrect", ButtonRect);
    K.Rect("activebuttonrect", ActiveButtonRect);
    K.Rect("downbuttonrect", DownButtonRect);
    K.Rect("unenabledbuttonrect", UnEnabledButtonRect);
    K.Boolean("itemstretcheffect", ItemStretchEffect);
    K.Boolean("focusitemstretcheffect", FocusItemStretchEffect);
    K.Boolean("showfocus", ShowFocus);
    K.WriteAfter("listboxname", "unenabledbuttonrect");
}

void TbsDataSkinScrollBoxControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinCustomControl::DescribeKeys(K);
    K.Integer("bgpictureindex", BGPictureIndex, -1);
}

} // namespace skin
