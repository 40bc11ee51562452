#pragma once
// Records of the scroll bars, track bars, sliders, gauges, splitters,
// control bars, the main menu bar and the application menu.

#include "skin/core/bsSkinData_Controls.h"

namespace skin {

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl, public TbsUpDownButtonRects {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect TrackArea;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = clFuchsia;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = clFuchsia;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect ActiveSkinRect;
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = clFuchsia;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// Uses only PictureIndex of the base fields.
class TbsDataSkinSlider : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    int EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect ProgressArea;
    TRect ProgressRect;
    bool Vertical = false;
    int BeginOffset = 0;
    int EndOffset = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = clFuchsia;
    bool ProgressStretch = false;
    TRect AnimationSkinRect;
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0;
    int ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0;
    int AnimationEndOffset = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = clFuchsia;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TRect ItemRect;
    int BGPictureIndex = -1;
    TRect HGripRect;
    TRect VGripRect;
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 0;
    int ItemOffset2 = 0;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// The menu bar names frame-object records for its items and for the
// buttons of a maximised child window.
class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TRect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MaxButton;
    std::string MinButton;
    std::string SysMenuButton;
    int TrackMarkColor = 0;
    int TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinAppMenu : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    explicit TbsDataSkinAppMenu(const std::string& AIDName) : TbsDataSkinCustomControl(AIDName), TbsSkinFontFields("", 0) {}

    int BGPictureIndex = -1;
    bool BGStretchEffect = false;
    int BGPagePictureIndex = -1;
    bool BGPageStretchEffect = false;
    TRect ItemRect;
    TRect PageItemRect;
    TRect PageItemActiveRect;
    int ItemOffset1 = 0;
    int ItemOffset2 = 0;
    int PageItemOffset1 = 0;
    int PageItemOffset2 = 0;
    int PageOffset = 0;
    int FontPageHeight = 0;
    TColor DisabledFontColor = 0;
    TColor FontPageColor = 0;
    TColor ActiveFontColor = 0;
    TColor ActiveFontPageColor = 0;
    TRect GripperRect;
    TColor GripperTransparentColor = 0;
    TRect TopLineRect;
    int TopLineOffset1 = 0;
    int TopLineOffset2 = 0;
    TRect BackButtonRect;
    TRect BackButtonActiveRect;
    TRect CaptionRect;
    int CaptionLeftOffset = 0;
    int CaptionTopOffset = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

} // namespace skin
