#pragma once
// The interactive pieces of a skinned frame: caption buttons, skin buttons,
// animated strips, areas the application draws and the caption text. The
// skin form component builds one object per object record of the skin (or
// six unskinned caption buttons without a skin), places them on the frame,
// routes the mouse to them and lets them draw themselves.

#include "skin/core/bsSkinData.h"

#include "platform/controls/Controls.h"
#include "platform/controls/Menus.h"
#include "platform/gfx/Graphics.h"

#include <string>

namespace skin {

class TbsSkinForm;
class TbsLayerManager;

using platform::TCanvas;
using platform::TMenuItem;
using platform::TMouseButtonKind;

class TbsActiveSkinObject {
public:
    // AData may be nil: the object keeps its defaults and draws nothing
    // from a skin.
    TbsActiveSkinObject(TbsSkinForm* AParent, TbsDataSkinObject* AData);
    virtual ~TbsActiveSkinObject() = default;
    TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
    TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

    TbsSkinForm* Parent;
    double FMorphKf = 0;
    bool FMouseIn = false;
    TbsPicture* Picture = nullptr;
    TbsPicture* ActivePicture = nullptr;
    TbsPicture* ActiveMaskPicture = nullptr;
    TbsSkinData* SD = nullptr;
    std::string IDName;
    std::string Hint;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
    // Where the object stands, in frame coordinates.
    TRect ObjectRect;
    bool Active = false;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    bool Enabled = true;
    bool Visible = true;
    bool SkinRectInAPicture = false;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double AValue);

    // Fine hit test, relative to ObjectRect.
    virtual bool InObjectArea(int X, int Y);
    virtual void ShowLayer();
    virtual void HideLayer();
    virtual bool CanMorphing();
    // UpDate: the object is drawn alone over an existing frame.
    virtual void Draw(TCanvas* Cnvs, bool UpDate);
    // Draws onto the 32-bit top strip of a full layered border, keeping
    // the strip's per-pixel alpha; nothing in the base.
    virtual void DrawAlpha(TCanvas* Cnvs, TbsBitmap& ABitMap);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButtonKind Button);
    virtual void MouseUp(int X, int Y, TMouseButtonKind Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    bool EnableMorphing() const;
    void DoMorphing();
    void ReDraw();
    // ObjectRect on the screen.
    TRect ObjectScreenRect() const;

protected:
    bool HasSkin() const;
    bool FormActive() const;
    // Stretching copy of S of APicture onto ObjectRect of Cnvs.
    void CopyLook(TCanvas* Cnvs, TbsPicture* APicture, const TRect& S) const;
    // The look S of A cross-faded towards the look T of B by MorphKf.
    void DrawMorphed(TCanvas* Cnvs, TbsPicture* A, const TRect& S, TbsPicture* B, const TRect& T) const;
    // The glow layer this object shows its glow in.
    virtual TbsLayerManager* GlowManager() const;
    // Drawing through the form, alone over the frame.
    void DrawSelf();
};

// An area the application paints through the form's OnPaintEvent.
class TbsUserObject : public TbsActiveSkinObject {
public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(TbsSkinForm* AParent, TbsDataSkinObject* AData);

    bool FDown = false;
    bool FPopupUp = false;
    TRect DisableSkinRect, DownRect;
    // The menu the button pops up (not owned), or nil.
    TMenuItem* MenuItem = nullptr;

    bool Down() const { return FDown; }
    void SetDown(bool AValue);

    void ShowLayer() override;
    void HideLayer() override;
    bool CanMorphing() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButtonKind Button) override;
    void MouseUp(int X, int Y, TMouseButtonKind Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    TbsLayerManager* GlowManager() const override;
    void TrackMenu();
};

// A caption button that runs a window command on click.
class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(TbsSkinForm* AParent, TbsDataSkinObject* AData);

    bool FSkinSupport = false;
    TbsStdCommand Command = cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    std::string RestoreHint;
    std::string FTempHint;
    // The looks with alpha the skin record prepared for a full layered
    // border (owned by the record; nil when missing).
    TbsBitmap *FAlphaNormalImage = nullptr, *FAlphaActiveImage = nullptr, *FAlphaDownImage = nullptr;
    TbsBitmap *FAlphaRestoreNormalImage = nullptr, *FAlphaRestoreActiveImage = nullptr,
              *FAlphaRestoreDownImage = nullptr;
    TbsBitmap *FAlphaInActiveImage = nullptr, *FAlphaInActiveRestoreImage = nullptr;

    // The form is in the state this button undoes (maximized for the
    // maximize button, and so on): the restore looks and hint apply.
    bool InRestoreState() const;
    // The system-menu button showing the form's icon.
    bool IconCase() const;
    // The ribbon's application menu draws its caption over the button.
    bool CoveredByAppMenuCaption() const;

    bool InObjectArea(int X, int Y) override;
    void ShowLayer() override;
    void HideLayer() override;
    bool CanMorphing() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DrawAlpha(TCanvas* Cnvs, TbsBitmap& ABitMap) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButtonKind Button) override;
    void MouseUp(int X, int Y, TMouseButtonKind Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void DefaultDraw(TCanvas* Cnvs);
    void DoCommand();
};

// A strip of frames played forward while hovered and back on leaving;
// with ButtonStyle it acts as a caption button.
class TbsSkinAnimateObject : public TbsActiveSkinObject {
public:
    TbsSkinAnimateObject(TbsSkinForm* AParent, TbsDataSkinAnimate* AData);

    int FFrame = 1;
    int FInc = 25;
    int TimerInterval = 25;
    TMenuItem* MenuItem = nullptr;
    bool FPopupUp = false;
    bool FDown = false;
    bool FMenuTracking = false;
    int CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increment = true;
    TbsStdCommand Command = cmDefault;
    TRect DownSkinRect, RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    std::string RestoreHint;
    std::string FTempHint;

    int Frame() const { return FFrame; }
    void SetFrame(int AValue);
    void ChangeFrame();
    void Start();
    void Stop();
    bool InRestoreState() const;

    void ShowLayer() override;
    void HideLayer() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButtonKind Button) override;
    void MouseUp(int X, int Y, TMouseButtonKind Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void DoCommand();
    void TrackMenu();

protected:
    TbsLayerManager* GlowManager() const override;
};

// The caption text area of the frame.
class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
    TbsSkinCaptionObject(TbsSkinForm* AParent, TbsDataSkinCaption* AData);

    int ActiveQuickButton = -1;
    int OldActiveQuickButton = -1;
    int MouseCaptureQuickButton = -1;
    int PopupMenuQuickButton = -1;
    bool FDown = false;
    std::string FontName;
    platform::TFontStyles FontStyle{};
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    bool Shadow = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool Light = false;
    TAlignment Alignment = platform::taLeftJustify;
    TRect TextRct, FrameRect, ActiveFrameRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect FrameTextRect;
    bool StretchEffect = false;
    bool FullFrame = false;
    int FIncTime = 0;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;
    bool VistaGlowEffect = false, VistaGlowInActiveEffect = false;
    bool GlowEffect = false, GlowInActiveEffect = false;
    int GlowSize = 0;
    TColor GlowColor = 0, GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0, ReflectionActiveColor = 0;
    int ReflectionOffset = 0;
    // The divider between the quick buttons and the text, in ActivePicture.
    TRect DividerRect, InActiveDividerRect;
    bool DividerTransparent = false;
    TColor DividerTransparentColor = 0;
    // The active picture whose grey gives the quick button frames their
    // alpha on a full layered border; -1: the frames are drawn opaque.
    int QuickButtonAlphaMaskPictureIndex = -1;

    bool EnableAnimation() const;
    // Where the title starts on the window frame, from the object's left:
    // past the quick-button strip (hidden items keep their share) and its
    // divider; 0 without quick buttons.
    int QuickButtonsWidth() const;
    // The caption text: the form's, with a maximized MDI child's appended.
    std::string CaptionText() const;
    // The text rectangle relative to the object.
    TRect TextRect() const;
    void RePaintCaption();
    // The quick button at (X, Y) (frame coordinates) becomes hot.
    void TestActiveQuickButton(int X, int Y);
    // The hot quick button is neither hot nor pressed any more.
    void ResetQuickButtons();

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DrawAlpha(TCanvas* Cnvs, TbsBitmap& ABitMap) override;
    void MouseMove(int X, int Y) override;
    void MouseDown(int X, int Y, TMouseButtonKind Button) override;
    void MouseUp(int X, int Y, TMouseButtonKind Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void SetCaptionFont(TCanvas* C, TColor AColor) const;
    // The text laid out in T of a canvas whose origin is (DX, DY) from the
    // object, drawn with the effects of the state AActive; with AForce
    // every copy (light, shadow, glow) in that one colour and no text frame.
    void DrawCaptionText(TCanvas* C, const TRect& T, int DX, int DY, bool AActive,
                         const TColor* AForce = nullptr) const;
    // ObjectRect-sized background cut from S of P, the text drawn on it.
    void BackgroundImage(platform::TBitmap& B, TbsPicture* P, const TRect& S) const;
    void TextImage(platform::TBitmap& B, TbsPicture* P, const TRect& S, TColor AColor, bool AActive) const;
    void ApplyInActiveEffect(platform::TBitmap& B) const;
    void DrawQuickButtons(TCanvas* C) const;
    // The strip on the top image of a full layered border, each piece
    // keeping or taking alpha as it should; moves AText's left edge past it.
    void DrawQuickButtonsAlpha(TbsBitmap& ABitMap, TRect& AText) const;
    // Gives the visible items their places from X on.
    void LayOutQuickButtons(int X) const;
    // The divider piece for the caption's state; empty for none.
    TRect DividerPiece() const;
    // The divider the window frame shows before the strip; empty for none.
    TRect FrameDividerPiece() const;
    bool HasQuickButtons() const;
    TRect AnimationFrameRect() const;
};

} // namespace skin
