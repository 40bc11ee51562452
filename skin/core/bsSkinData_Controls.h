#pragma once
// Control skin records: what one kind of skinned control draws itself from.
// A control finds its record by name in the model's control list, tests the
// record's class and copies the values it needs. Every record reads and
// writes the section named by its IDName: first the base keys, then the
// nine-slice keys where the class has them, then its own.
//
// Fields a constructor sets differently from a missing key (transparent
// colours, some offsets and heights) keep those constructor values only
// until the section is read, as stored skins expect.

#include "skin/core/bsSkinData_Keys.h"

#include <memory>
#include <string>

namespace skin {

constexpr TColor clFuchsia = 16711935;
constexpr TColor clBlue = 16711680;
constexpr TColor clWhite = 16777215;

// Base of every control record: the control's image SkinRect in active
// picture PictureIndex and the picture holding its region mask.
class TbsDataSkinControl : public TbsSkinRecord {
public:
    explicit TbsDataSkinControl(const std::string& AIDName) : IDName(AIDName) {}

    std::string IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;

protected:
    std::string SectionName() const override { return IDName; }
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// The nine-slice geometry most kinds share: corner points and client
// rectangle relative to SkinRect, and how edges and client are filled.
class TbsDataSkinCustomControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect DisabledSkinRect;
    TRect FocusedSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect;
    TRect MenuMarkerRect;
    TRect MenuMarkerActiveRect;
    TRect MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0;
    int GlowLayerOffsetRight = 0;
    int GlowLayerOffsetTop = 0;
    int GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0;
    int GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
public:
    using TbsDataSkinButtonControl::TbsDataSkinButtonControl;

    TRect TrackButtonRect;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    TRect GrayedCheckImageRect;
    TRect ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    TColor FrameFontColor = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// The up and down button images (normal, hot, pressed) that spin edits,
// up-downs, list boxes and scroll bars describe with the same six keys.
struct TbsUpDownButtonRects {
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
};
void DescribeUpDownButtonRects(TbsSkinKeys& AKeys, TbsUpDownButtonRects& ARects);

// The kind word of a control record ("" for a class without one), and a new
// record of the kind named by AKind (nullptr for an unknown kind).
std::string SkinControlKind(const TbsDataSkinControl& ARecord);
std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& AKind, const std::string& AIDName);

} // namespace skin
