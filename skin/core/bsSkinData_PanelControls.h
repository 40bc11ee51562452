#pragma once
// Records of the panels, labels and bevels.

#include "skin/core/bsSkinData_Controls.h"

namespace skin {

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect CaptionRect;
    TAlignment Alignment = platform::taCenter;
    int BGPictureIndex = -1;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect MarkFrameRect;
    TRect FrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = clFuchsia;
    TRect ButtonRect;
    TRect ButtonActiveRect;
    TRect ButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = clFuchsia;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect RollHSkinRect;
    TRect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = clFuchsia;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;


protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl, public TbsSkinFontFields {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TColor ActiveFontColor = clBlue;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// Uses none of the base fields.
class TbsDataSkinBevel : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TColor LightColor = 0;
    TColor DarkColor = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

} // namespace skin
