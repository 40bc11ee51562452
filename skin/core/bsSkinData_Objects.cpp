#include "skin/core/bsSkinData_Objects.h"

#include "skin/core/bsSkinData.h"

#include <typeindex>

namespace skin {

namespace {

// A maximise, minimise or roll-up button whose skin names no restore hint
// gets "Restore"; the rule rewrites the record, so a skin saved again
// carries the derived hint.
void ApplyRestoreHintRule(const std::string& AHint, TbsStdCommand ACommand, std::string& ARestoreHint)
{
    if (!ARestoreHint.empty())
        return;
    if ((AHint == "Maximize" && ACommand == cmMaximize) || (AHint == "Minimize" && ACommand == cmMinimize) ||
        ((AHint == "RollUp" || AHint == "Roll Up") && ACommand == cmRollUp))
        ARestoreHint = "Restore";
}

void DescribeRestoreRects(TbsSkinKeys& K, TRect& ARestore, TRect& AActive, TRect& ADown, TRect& AInActive)
{
    K.Rect("restorerect", ARestore);
    K.Rect("restoreactiverect", AActive);
    K.Rect("restoredownrect", ADown);
    K.Rect("restoreinactiverect", AInActive);
}

template <typename T>
std::unique_ptr<TbsDataSkinObject> Make(const std::string& AIDName)
{
    return std::make_unique<T>(AIDName);
}

struct TObjectKind {
    const char* Word;
    std::type_index Type;
    std::unique_ptr<TbsDataSkinObject> (*Create)(const std::string&);
};

// The object kinds in the order the reader compares them.
const TObjectKind ObjectKinds[] = {
    {"menuitem", typeid(TbsDataSkinMenuItem), Make<TbsDataSkinMenuItem>},
    {"mainmenubaritem", typeid(TbsDataSkinMainMenuBarItem), Make<TbsDataSkinMainMenuBarItem>},
    {"stdbutton", typeid(TbsDataSkinStdButton), Make<TbsDataSkinStdButton>},
    {"mainmenubarbutton", typeid(TbsDataSkinMainMenuBarButton), Make<TbsDataSkinMainMenuBarButton>},
    {"button", typeid(TbsDataSkinButton), Make<TbsDataSkinButton>},
    {"caption", typeid(TbsDataSkinCaption), Make<TbsDataSkinCaption>},
    {"animate", typeid(TbsDataSkinAnimate), Make<TbsDataSkinAnimate>},
    {"userobject", typeid(TbsDataUserObject), Make<TbsDataUserObject>},
};

} // namespace

TbsDataSkinObject::TbsDataSkinObject(const std::string& AIDName) : IDName(AIDName) {}

void TbsDataSkinObject::InitAlphaImages(TbsSkinData& /*ASkinData*/) {}

void TbsDataSkinObject::DescribeKeys(TbsSkinKeys& K)
{
    K.String("hint", Hint);
    K.Integer("activepictureindex", ActivePictureIndex, -1);
    K.Integer("activemaskpictureindex", ActiveMaskPictureIndex, -1);
    K.Boolean("skinrectinapicture", SkinRectInAPicture);
    K.Rect("skinrect", SkinRect);
    K.Rect("activeskinrect", ActiveSkinRect);
    K.Rect("inactiveskinrect", InActiveSkinRect);
    K.Boolean("morphing", Morphing);
    K.MorphKind("morphkind", MorphKind);
    K.Integer("glowlayerpictureindex", GlowLayerPictureIndex, -1);
    K.Integer("glowlayermaskpictureindex", GlowLayerMaskPictureIndex, -1);
    K.Integer("glowlayeroffsetx", GlowLayerOffsetX);
    K.Integer("glowlayeroffsety", GlowLayerOffsetY);
    K.Integer("glowlayeralphablendvalue", GlowLayerAlphaBlendValue, 255);
}

void TbsDataUserObject::DescribeKeys(TbsSkinKeys& K)
{
    K.Rect("skinrect", SkinRect);
}

void TbsDataSkinButton::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinObject::DescribeKeys(K);
    K.Rect("downrect", DownRect);
    K.Rect("disableskinrsect", DisableSkinRect);
    K.Integer("alphamaskpictureindex", AlphaMaskPictureIndex, -1);
    K.Integer("alphamaskactivepictureindex", AlphaMaskActivePictureIndex, -1);
    K.Integer("alphamaskinactivepictureindex", AlphaMaskInActivePictureIndex, -1);
}

bool TbsDataSkinButton::UsesFullLayerBorder(TbsSkinData& ASkinData)
{
    return ASkinData.LayerFrame && ASkinData.LayerFrame->PictureIndex != -1 && ASkinData.LayerFrame->FullBorder;
}

void TbsDataSkinButton::InitAlphaImage(TbsSkinData& ASkinData, std::unique_ptr<TbsBitmap>& AImage, int AMaskPictureIndex,
                                       const TRect& ARect) const
{
    AImage.reset();
    const int count = int(ASkinData.FActivePictures.size());
    if (ARect.Width() <= 0 || ARect.Height() <= 0 || ActivePictureIndex < 0 || ActivePictureIndex >= count ||
        !ASkinData.FActivePictures[size_t(ActivePictureIndex)])
        return;
    auto image = std::make_unique<TbsBitmap>();
    image->SetSize(ARect.Width(), ARect.Height());
    TbsBitmap picture;
    picture.Assign(ASkinData.FActivePictures[size_t(ActivePictureIndex)].get());
    picture.Draw(*image, 0, 0, ARect);
    image->AlphaBlend = true;
    if (AMaskPictureIndex < 0 || AMaskPictureIndex >= count || !ASkinData.FActivePictures[size_t(AMaskPictureIndex)])
        image->SetAlpha(255);
    else {
        // The mask's top-left corner of the look's size gives the alpha.
        TbsBitmap mask;
        mask.Assign(ASkinData.FActivePictures[size_t(AMaskPictureIndex)].get());
        TbsBitmap grey;
        grey.SetSize(ARect.Width(), ARect.Height());
        mask.Draw(grey, 0, 0, platform::Rect(0, 0, ARect.Width(), ARect.Height()));
        AlphaFromGrayBitmapPremul(*image, grey);
    }
    AImage = std::move(image);
}

void TbsDataSkinButton::InitAlphaLooks(TbsSkinData& ASkinData, std::initializer_list<TAlphaLook> ALooks) const
{
    const bool full = UsesFullLayerBorder(ASkinData);
    for (const TAlphaLook& look : ALooks)
        if (full)
            InitAlphaImage(ASkinData, *look.Image, look.Mask, look.Rect);
        else
            look.Image->reset();
}

// The pressed look has no mask of its own: it takes the hot one's.
void TbsDataSkinButton::InitAlphaImages(TbsSkinData& ASkinData)
{
    InitAlphaLooks(ASkinData, {{&FAlphaNormalImage, AlphaMaskPictureIndex, SkinRect},
                               {&FAlphaActiveImage, AlphaMaskActivePictureIndex, ActiveSkinRect},
                               {&FAlphaDownImage, AlphaMaskActivePictureIndex, DownRect},
                               {&FAlphaInActiveImage, AlphaMaskInActivePictureIndex, InActiveSkinRect}});
}

void TbsDataSkinStdButton::InitAlphaImages(TbsSkinData& ASkinData)
{
    TbsDataSkinButton::InitAlphaImages(ASkinData);
    InitAlphaLooks(ASkinData, {{&FAlphaRestoreNormalImage, AlphaMaskPictureIndex, RestoreRect},
                               {&FAlphaRestoreActiveImage, AlphaMaskActivePictureIndex, RestoreActiveRect},
                               {&FAlphaRestoreDownImage, AlphaMaskActivePictureIndex, RestoreDownRect},
                               {&FAlphaInActiveRestoreImage, AlphaMaskInActivePictureIndex, RestoreInActiveRect}});
}

void TbsDataSkinStdButton::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinButton::DescribeKeys(K);
    K.StdCommand("command", Command);
    DescribeRestoreRects(K, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect);
    K.String("restorehint", RestoreHint);
}

void TbsDataSkinStdButton::AfterLoad()
{
    ApplyRestoreHintRule(Hint, Command, RestoreHint);
}

void TbsDataSkinAnimate::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinObject::DescribeKeys(K);
    K.Integer("countframes", CountFrames, 1);
    K.Boolean("cycle", Cycle);
    K.Boolean("buttonstyle", ButtonStyle);
    K.Integer("timerinterval", TimerInterval, 50);
    K.StdCommand("command", Command);
    K.Rect("downskinrect", DownSkinRect);
    DescribeRestoreRects(K, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect);
    K.String("restorehint", RestoreHint);
}

void TbsDataSkinAnimate::AfterLoad()
{
    Morphing = false;
    ApplyRestoreHintRule(Hint, Command, RestoreHint);
}

void TbsDataSkinMenuItem::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinObject::DescribeKeys(K);
    K.Integer("itemleftoffset", ItemLO);
    K.Integer("itemrightoffset", ItemRO);
    K.Rect("dividerrect", DividerRect);
    K.Integer("dividerleftoffset", DividerLO);
    K.Integer("dividerrightoffset", DividerRO);
    K.Rect("textrect", TextRct);
    K.Rect("imagerect", ImageRct);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("unenabledfontcolor", UnEnabledFontColor);
    K.Boolean("stretcheffect", StretchEffect);
    K.Boolean("inactivestretcheffect", InActiveStretchEffect);
    K.Boolean("dividerstretcheffect", DividerStretchEffect);
    K.Rect("animateskinrect", AnimateSkinRect);
    K.Integer("framecount", FrameCount);
    K.Integer("animateinterval", AnimateInterval, 25);
    K.Boolean("inactiveanimation", InActiveAnimation);
    K.Boolean("useimagecolor", UseImageColor);
    K.Color("imagecolor", ImageColor);
    K.Color("activeimagecolor", ActiveImageColor);
    K.Boolean("inactivetransparent", InActiveTransparent);
    K.Rect("checkimagerect", CheckImageRect);
    K.Rect("activecheckimagerect", ActiveCheckImageRect);
    K.Rect("radioimagerect", RadioImageRect);
    K.Rect("activeradioimagerect", ActiveRadioImageRect);
    K.Rect("arrowimagerect", ArrowImageRect);
    K.Rect("activearrowimagerect", ActiveArrowImageRect);
}

// A skin without hot images for the marks uses the normal ones in both states.
void TbsDataSkinMenuItem::AfterLoad()
{
    if (ActiveCheckImageRect.IsEmpty())
        ActiveCheckImageRect = CheckImageRect;
    if (ActiveRadioImageRect.IsEmpty())
        ActiveRadioImageRect = RadioImageRect;
    if (ActiveArrowImageRect.IsEmpty())
        ActiveArrowImageRect = ArrowImageRect;
}

void TbsDataSkinMainMenuItem::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinObject::DescribeKeys(K);
    K.Integer("itemleftoffset", ItemLO);
    K.Integer("itemrightoffset", ItemRO);
    K.Rect("downrect", DownRect);
    K.Rect("textrect", TextRct);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Color("downfontcolor", DownFontColor);
    K.Color("unenabledfontColor", UnEnabledFontColor);
    K.Boolean("stretcheffect", StretchEffect);
    K.Rect("animateskinrect", AnimateSkinRect);
    K.Integer("framecount", FrameCount);
    K.Integer("animateinterval", AnimateInterval, 25);
    K.Boolean("inactiveanimation", InActiveAnimation);
}

void TbsDataSkinCaption::DescribeKeys(TbsSkinKeys& K)
{
    TbsDataSkinObject::DescribeKeys(K);
    K.Rect("textrect", TextRct);
    K.Font(*this);
    K.Color("activefontcolor", ActiveFontColor);
    K.Alignment("alignment", Alignment);
    K.Boolean("light", Light);
    K.Color("lightcolor", LightColor);
    K.Color("activelightcolor", ActiveLightColor);
    K.Boolean("shadow", Shadow);
    K.Color("shadowcolor", ShadowColor);
    K.Color("activeshadowcolor", ActiveShadowColor);
    K.Rect("framerect", FrameRect);
    K.Rect("activeframerect", ActiveFrameRect);
    K.Rect("frametextrect", FrameTextRect);
    K.Integer("frameleftoffset", FrameLeftOffset);
    K.Integer("framerightoffset", FrameRightOffset);
    K.Boolean("stretcheffect", StretchEffect);
    K.Rect("animateskinrect", AnimateSkinRect);
    K.Integer("framecount", FrameCount);
    K.Integer("animateinterval", AnimateInterval, 25);
    K.Boolean("inactiveanimation", InActiveAnimation);
    K.Boolean("fullframe", FullFrame);
    K.Boolean("vistagloweffect", VistaGlowEffect);
    K.Boolean("vistaglowinactiveeffect", VistaGlowInActiveEffect);
    K.Boolean("gloweffect", GlowEffect);
    K.Boolean("glowinactiveeffect", GlowInActiveEffect);
    K.Integer("glowsize", GlowSize, 3);
    K.Color("glowcolor", GlowColor);
    K.Color("glowactivecolor", GlowActiveColor);
    K.Integer("glowoffset", GlowOffset);
    K.Boolean("reflectioneffect", ReflectionEffect);
    K.Color("reflactioncolor", ReflectionColor);
    K.Color("reflactionactivecolor", ReflectionActiveColor);
    K.Integer("reflectionoffset", ReflectionOffset);
    K.Rect("dividerrect", DividerRect);
    K.Rect("inactivedividerrect", InActiveDividerRect);
    K.Boolean("dividertransparent", DividerTransparent);
    K.Color("dividertransparentcolor", DividerTransparentColor);
    K.Integer("quickbuttonalphamaskpictureindex", QuickButtonAlphaMaskPictureIndex, -1);
}

std::string SkinObjectKind(const TbsDataSkinObject& ARecord)
{
    for (const TObjectKind& k : ObjectKinds)
        if (k.Type == typeid(ARecord))
            return k.Word;
    return "";
}

std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& AKind, const std::string& AIDName)
{
    for (const TObjectKind& k : ObjectKinds)
        if (AKind == k.Word)
            return k.Create(AIDName);
    return nullptr;
}

} // namespace skin
