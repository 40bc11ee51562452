#pragma once
// Frame object records: the caption, caption buttons, menu items, menu-bar
// items and buttons, animated frame elements and application-drawn areas of
// a skin's [SKINOBJECTS] list. Each reads and writes the section named by
// its IDName. Fields a class's constructor does not set stay zero, false
// or empty until the section is read, as stored skins and the form frame
// expect.

#include "skin/core/bsSkinData_Keys.h"
#include "skin/core/bseffects.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace skin {

class TbsSkinData;

class TbsDataSkinObject : public TbsSkinRecord {
public:
    explicit TbsDataSkinObject(const std::string& AIDName);

    // Builds the images a record derives from the model's pictures; called
    // by the reader right after the record has read its section.
    virtual void InitAlphaImages(TbsSkinData& ASkinData);

    std::string IDName;
    std::string Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    TRect InActiveSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

protected:
    std::string SectionName() const override { return IDName; }
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// An area the application draws itself: only "skinrect" is read.
class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinButton : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;

    TRect DownRect;
    TRect DisableSkinRect;
    int AlphaMaskPictureIndex = -1;
    int AlphaMaskActivePictureIndex = -1;
    int AlphaMaskInActivePictureIndex = -1;
    // The looks with per-pixel alpha for a layered border that draws the
    // whole frame; nil when the skin has none or a look is missing.
    std::unique_ptr<TbsBitmap> FAlphaNormalImage, FAlphaActiveImage, FAlphaDownImage, FAlphaInActiveImage;

    void InitAlphaImages(TbsSkinData& ASkinData) override;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
    // Whether the model's layer frame draws the whole frame.
    static bool UsesFullLayerBorder(TbsSkinData& ASkinData);
    // AImage := ARect of the record's active picture, its alpha from the
    // grey of AMaskPictureIndex (opaque without a mask); nil without a look.
    void InitAlphaImage(TbsSkinData& ASkinData, std::unique_ptr<TbsBitmap>& AImage, int AMaskPictureIndex,
                        const TRect& ARect) const;
    struct TAlphaLook {
        std::unique_ptr<TbsBitmap>* Image;
        int Mask;
        TRect Rect;
    };
    // Each look built, or freed when the skin has no full layered border.
    void InitAlphaLooks(TbsSkinData& ASkinData, std::initializer_list<TAlphaLook> ALooks) const;
};

// A caption button with a window command.
class TbsDataSkinStdButton : public TbsDataSkinButton {
public:
    using TbsDataSkinButton::TbsDataSkinButton;

    TbsStdCommand Command = cmClose;
    std::string RestoreHint;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::unique_ptr<TbsBitmap> FAlphaRestoreNormalImage, FAlphaRestoreActiveImage, FAlphaRestoreDownImage,
        FAlphaInActiveRestoreImage;

    void InitAlphaImages(TbsSkinData& ASkinData) override;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
    void AfterLoad() override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
public:
    using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

// An animated frame element, optionally acting as a caption button. It
// never morphs, whatever its section says.
class TbsDataSkinAnimate : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;

    int CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 0;
    TbsStdCommand Command = cmClose;
    TRect DownSkinRect;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::string RestoreHint;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
    void AfterLoad() override;
};

// An item of a skinned popup menu.
class TbsDataSkinMenuItem : public TbsDataSkinObject, public TbsSkinFontFields {
public:
    explicit TbsDataSkinMenuItem(const std::string& AIDName) : TbsDataSkinObject(AIDName), TbsSkinFontFields("", 0) {}

    TRect DividerRect;
    int DividerLO = 0;
    int DividerRO = 0;
    int ItemLO = 0;
    int ItemRO = 0;
    TColor UnEnabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRct;
    TRect ImageRct;
    bool UseImageColor = false;
    TColor ImageColor = 0;
    TColor ActiveImageColor = 0;
    bool StretchEffect = false;
    bool DividerStretchEffect = false;
    bool InActiveStretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;
    bool InActiveTransparent = false;
    TRect CheckImageRect;
    TRect ActiveCheckImageRect;
    TRect RadioImageRect;
    TRect ActiveRadioImageRect;
    TRect ArrowImageRect;
    TRect ActiveArrowImageRect;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
    void AfterLoad() override;
};

// An item of the skinned main menu bar.
class TbsDataSkinMainMenuItem : public TbsDataSkinObject, public TbsSkinFontFields {
public:
    explicit TbsDataSkinMainMenuItem(const std::string& AIDName) : TbsDataSkinObject(AIDName), TbsSkinFontFields("", 0) {}

    TRect DownRect;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect TextRct;
    int ItemLO = 0;
    int ItemRO = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
public:
    using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

// The caption text area.
class TbsDataSkinCaption : public TbsDataSkinObject, public TbsSkinFontFields {
public:
    explicit TbsDataSkinCaption(const std::string& AIDName) : TbsDataSkinObject(AIDName), TbsSkinFontFields("", 0) {}

    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = platform::taLeftJustify;
    TRect TextRct;
    TRect FrameRect;
    TRect ActiveFrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool GlowEffect = false;
    bool VistaGlowEffect = false;
    bool VistaGlowInActiveEffect = false;
    bool GlowInActiveEffect = false;
    int GlowSize = 0;
    TColor GlowColor = 0;
    TColor GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0;
    TColor ReflectionActiveColor = 0;
    int ReflectionOffset = 0;
    TRect DividerRect;
    TRect InActiveDividerRect;
    bool DividerTransparent = false;
    TColor DividerTransparentColor = 0;
    int QuickButtonAlphaMaskPictureIndex = 0;

protected:
    void DescribeKeys(TbsSkinKeys& AKeys) override;
};

// The kind word of an object record ("" for a class without one), and a new
// record of the kind named by AKind (nullptr for an unknown kind).
std::string SkinObjectKind(const TbsDataSkinObject& ARecord);
std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& AKind, const std::string& AIDName);

} // namespace skin
