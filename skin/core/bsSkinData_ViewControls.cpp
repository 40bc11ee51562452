#include "skin/core/bsSkinData_ViewControls.h"

namespace skin {

void TbsDataSkinTreeView::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Font(*this);
    K.Color("bgcolor", BGColor);
    K.Rect("expandimagerect", ExpandImageRect);
    K.Rect("noexpandimagerect", NoExpandImageRect);
}

void TbsDataSkinListView::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Font(*this);
    K.Color("bgcolor", BGColor);
}

void TbsDataSkinRichEdit::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Font(*this);
    K.Color("bgcolor", BGColor);
}

void TbsDataSkinTabControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Rect("tabrect", TabRect);
    K.Rect("activetabrect", ActiveTabRect);
    K.Rect("focustabrect", FocusTabRect);
    K.Rect("mouseintabrect", MouseInTabRect);
    K.Rect("clientrect", ClRect);
    K.Integer("bgpictureindex", BGPictureIndex, -1);
    K.Corners(LTPoint, RTPoint, LBPoint, RBPoint);
    K.Integer("tableftoffset", TabLeftOffset);
    K.Integer("tabrightoffset", TabRightOffset);
    K.Rect("tabsbgrect", TabsBGRect);
    K.Boolean("tabstretcheffect", TabStretchEffect);
    K.Boolean("leftstretch", LeftStretch);
    K.Boolean("topstretch", TopStretch);
    K.Boolean("rightstretch", RightStretch);
    K.Boolean("bottomstretch", BottomStretch);
    K.Boolean("stretcheffect", StretchEffect);
    K.StretchType("stretchtype", StretchType);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("focusfontcolor", FocusFontColor);
    K.Color("mouseinfontcolor", MouseInFontColor);
    K.String("updown", UpDown);
    K.Boolean("showfocus", ShowFocus);
    K.Integer("focusoffsetx", FocusOffsetX);
    K.Integer("focusoffsety", FocusOffsetY);
    K.Rect("closebuttonrect", CloseButtonRect);
    K.Rect("closebuttonactiverect", CloseButtonActiveRect);
    K.Rect("closebuttondownrect", CloseButtonDownRect);
    K.Boolean("buttontransparent", ButtonTransparent);
    K.Color("buttontransparentcolor", ButtonTransparentColor);
    K.Rect("dividerrect", DividerRect);
    K.Boolean("dividertransparent", DividerTransparent);
    K.Color("dividertransparentcolor", DividerTransparentColor);
    K.Rect("mdicloserect", MDICloseRect);
    K.Rect("mdicloseactiverect", MDICloseActiveRect);
    K.Rect("mdiclosedownrect", MDICloseDownRect);
    K.Rect("mdirestorerect", MDIRestoreRect);
    K.Rect("mdirestoreactiverect", MDIRestoreActiveRect);
    K.Rect("mdirestoredownrect", MDIRestoreDownRect);
    K.Rect("mdiminrect", MDIMinRect);
    K.Rect("mdiminactiverect", MDIMinActiveRect);
    K.Rect("mdimindownrect", MDIMinDownRect);
    K.Boolean("mdibuttonstransparent", MDIButtonsTransparent);
    K.Color("mdibuttonstransparentcolor", MDIButtonsTransparentColor);
    K.Rect("tableftbottomactiverect", TabLeftBottomActiveRect);
    K.Rect("tableftbottomfocusrect", TabLeftBottomFocusRect);
}

void TbsDataSkinGridControl::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinControl::DescribeKeys(K);
    K.Rect("fixedcellrect", FixedCellRect);
    K.Rect("selectcellrect", SelectCellRect);
    K.Rect("focuscellrect", FocusCellRect);
    K.Integer("fixedcellleftoffset", FixedCellLeftOffset);
    K.Integer("fixedcellrightoffset", FixedCellRightOffset);
    K.Rect("fixedcelltextrect", FixedCellTextRect);
    K.Integer("cellleftoffset", CellLeftOffset);
    K.Integer("cellrightoffset", CellRightOffset);
    K.Rect("celltextrect", CellTextRect);
    K.Integer("bgpictureindex", BGPictureIndex, -1);
    K.Color("linescolor", LinesColor);
    K.Color("bgcolor", BGColor);
    K.Font(*this);
    K.Color("selectfontcolor", SelectFontColor);
    K.Color("focusfontcolor", FocusFontColor);
    K.Font(FixedFontName, FixedFontHeight, FixedFontStyle, FixedFontColor, "fixed");
    K.Boolean("cellstretcheffect", CellStretchEffect);
    K.Boolean("fixedcellstretcheffect", FixedCellStretchEffect);
    K.Boolean("showfocus", ShowFocus);
    K.WriteAfter("bgpictureindex", "bgcolor");
}

} // namespace skin
