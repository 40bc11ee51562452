#pragma once
// Records of the edits, spin buttons, list boxes, combo boxes and scroll
// boxes.

#include "skin/core/bsSkinData_Controls.h"

namespace skin {

// The item images of list boxes and combo boxes (normal, active, focused),
// composed to an item's width with fixed ends, and the text place in them.
struct TbsSkinItemFields {
    TRect SItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
};
void DescribeItemRects(TbsSkinKeys& AKeys, TbsSkinItemFields& AItems);

class TbsDataSkinEditControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect ActiveSkinRect;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
public:
    using TbsDataSkinEditControl::TbsDataSkinEditControl;

    TColor BGColor = 0;
    TColor ActiveBGColor = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl, public TbsUpDownButtonRects, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect ActiveSkinRect;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl, public TbsUpDownButtonRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl,
                           public TbsUpDownButtonRects,
                           public TbsSkinItemFields,
                           public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Tahoma";
    TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 13;
    TColor CaptionFontColor = 0;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    // Names of the scroll bar records; empty until the section is read.
    std::string HScrollBarName;
    std::string VScrollBarName;
    std::string BothScrollBarName;
    bool ShowFocus = false;
    TRect DisabledButtonsRect;
    TRect ButtonsArea;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
public:
    using TbsDataSkinListBox::TbsDataSkinListBox;

    TRect UnCheckImageRect;
    TRect CheckImageRect;
    TRect ItemCheckRect;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl, public TbsSkinItemFields, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    TRect ActiveSkinRect;
    std::string ListBoxName;
    bool ShowFocus = false;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    int BGPictureIndex = -1;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

} // namespace skin
