#pragma once
// The records a skin describes once: the popup menu window, the hint
// window, the layered frame around forms and the eight skin colours. The
// model creates them with itself and keeps them for its whole life.

#include "skin/core/bsSkinData_Keys.h"
#include "skin/core/bseffects.h"

#include <memory>

namespace skin {

class TbsSkinData;

// The nine-slice window image that popup menus and hints share, drawn from
// an active picture.
class TbsDataSkinWindowImage : public TbsSkinRecord {
public:
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;

protected:
    // The picture and corner keys come first, the stretch keys last.
    void DescribeImageKeys(TbsSkinKeys& AKeys);
    void DescribeStretchKeys(TbsSkinKeys& AKeys);
};

// Section [POPUPWINDOW]: the window of skinned popup menus.
class TbsDataSkinPopupWindow : public TbsDataSkinWindowImage {
public:
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;

protected:
    std::string SectionName() const override { return "POPUPWINDOW"; }
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// Section [HINTWINDOW]: the image and font of the skinned hint window.
class TbsDataSkinHintWindow : public TbsDataSkinWindowImage, public TbsSkinFontFields {
public:
    TRect ClRect;

protected:
    std::string SectionName() const override { return "HINTWINDOW"; }
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// Section [LAYERFRAME]: a frame drawn around forms by layered windows. In
// use when PictureIndex is not -1.
class TbsDataSkinLayerFrame : public TbsSkinRecord {
public:
    // Rebuilds the two frame pictures with their alpha from the model's
    // active pictures. A frame needs both its picture and its mask; when
    // either index is -1 or past the list, that frame has no picture.
    void InitAlphaImages(TbsSkinData& ASkinData);

    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    int InActivePictureIndex = -1;
    int InActiveMaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    int AlphaBlendValue = 255;
    int InActiveAlphaBlendValue = 255;
    TRect BorderRect;
    bool HitTestEnable = false;
    bool FullBorder = false;
    int HitTestSize = 0;
    TRect CaptionRect;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ButtonsRect;
    TRect SysMenuButtonRect;
    bool FullStretch = false;
    int RollUpFormHeight = 0;
    int ButtonsTopOffset = 0;
    int SysButtonTopOffset = 0;
    int BlurMaskPictureIndex = -1;
    TRect IntersectBlurMaskRect;
    TRect ExcludeBlurMaskRect;
    int LeftOffset = 0;
    int TopOffset = 0;
    int WidthOffset = 0;
    int HeightOffset = 0;
    // The active and the inactive frame with the mask's grey as alpha, not
    // premultiplied; null until InitAlphaImages built them.
    std::unique_ptr<TbsBitmap> FSourceBitmap;
    std::unique_ptr<TbsBitmap> FSourceInActiveBitMap;

protected:
    std::string SectionName() const override { return "LAYERFRAME"; }
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// Section [SKINCOLORS]: the colours skinned controls use instead of the
// system's. A missing key gives the system colour itself (written back as
// a negative number).
class TbsSkinColors : public TbsSkinRecord {
public:
    TColor cBtnFace() const { return FcBtnFace; }
    TColor cBtnText() const { return FcBtnText; }
    TColor cWindow() const { return FcWindow; }
    TColor cWindowText() const { return FcWindowText; }
    TColor cHighLight() const { return FcHighLight; }
    TColor cHighLightText() const { return FcHighLightText; }
    TColor cBtnHighLight() const { return FcBtnHighLight; }
    TColor cBtnShadow() const { return FcBtnShadow; }

    void SetColorsToDefault();
    // The model erases [SKINCOLORS] itself before saving the colours.
    void SaveToFile(TCustomIniFile& AIniFile) override;

    TColor FcBtnFace = 0;
    TColor FcBtnText = 0;
    TColor FcWindow = 0;
    TColor FcWindowText = 0;
    TColor FcHighLight = 0;
    TColor FcHighLightText = 0;
    TColor FcBtnHighLight = 0;
    TColor FcBtnShadow = 0;

protected:
    std::string SectionName() const override { return "SKINCOLORS"; }
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

} // namespace skin
