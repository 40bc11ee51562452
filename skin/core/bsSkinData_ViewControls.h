#pragma once
// Records of the tree and list views, rich edits, tab controls and grids.

#include "skin/core/bsSkinData_Controls.h"

namespace skin {

class TbsDataSkinTreeView : public TbsDataSkinControl, public TbsSkinFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TColor BGColor = clWhite;
    TRect ExpandImageRect;
    TRect NoExpandImageRect;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinListView : public TbsDataSkinControl, public TbsSkinFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TColor BGColor = clWhite;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinRichEdit : public TbsDataSkinControl, public TbsSkinFontFields {
public:
    explicit TbsDataSkinRichEdit(const std::string& AIDName) : TbsDataSkinControl(AIDName), TbsSkinFontFields("Tahoma", 14) {}

    TColor BGColor = clWhite;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// Carries its own nine-slice fields for the page frame, read among its own
// keys.
class TbsDataSkinTabControl : public TbsDataSkinControl, public TbsSkinFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClRect;
    TRect TabsBGRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    std::string UpDown;
    int BGPictureIndex = -1;
    bool TabStretchEffect = false;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = clFuchsia;
    TRect DividerRect;
    bool DividerTransparent = false;
    TColor DividerTransparentColor = clFuchsia;
    TRect TabLeftBottomActiveRect;
    TRect TabLeftBottomFocusRect;
    TRect MDICloseRect;
    TRect MDICloseActiveRect;
    TRect MDICloseDownRect;
    TRect MDIRestoreRect;
    TRect MDIRestoreActiveRect;
    TRect MDIRestoreDownRect;
    TRect MDIMinRect;
    TRect MDIMinActiveRect;
    TRect MDIMinDownRect;
    bool MDIButtonsTransparent = false;
    TColor MDIButtonsTransparentColor = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinGridControl : public TbsDataSkinControl, public TbsSkinFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    std::string FixedFontName = "Tahoma";
    TFontStyles FixedFontStyle;
    int FixedFontHeight = 13;
    TColor FixedFontColor = 0;
    bool FixedCellStretchEffect = false;
    bool CellStretchEffect = false;
    bool ShowFocus = false;
    int BGPictureIndex = -1;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

} // namespace skin
