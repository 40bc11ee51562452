#pragma once
// The base classes of every skinned control, windowed and windowless.
//
// A skinned control reaches the skin model only through SkinData and its
// SkinDataName. It keeps the index of its record (FIndex, -1: no record, the
// built-in look), never the record itself, and looks the record up again on
// every paint, bounds change and skin change, so a record the model freed is
// never touched. It paints its whole face into an off-screen bitmap and copies
// that to its canvas in one step.

#include "skin/core/bsSkinData.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ImgList.h"

#include <functional>
#include <string>

namespace skin {

using platform::TBitmap;
using platform::TCanvas;
using platform::TComponent;
using platform::TControl;
using platform::TCustomImageList;
using platform::TFont;
using platform::TMessage;
using platform::TNotifyEvent;
using platform::TObject;
using platform::TWinControl;
using platform::Point;
using platform::Rect;
using platform::Bounds;

// What the form frame's skin-change dispatch needs of every skinned control,
// whatever platform class it derives from.
class IbsSkinnedControl {
public:
    virtual ~IbsSkinnedControl() = default;
    virtual TbsSkinData* SkinData() const = 0;
    // The model's skin has changed: look the record up again and repaint.
    virtual void ChangeSkinData() = 0;
};

// The skin link of a skinned control: the model, the record's name and
// index, the hint fields and the off-screen paint path. TBase is the
// platform class (windowed TCustomControl or windowless TGraphicControl).
template <class TBase>
class TbsSkinLink : public TBase, public IbsSkinnedControl {
public:
    explicit TbsSkinLink(TComponent* AOwner);

    int FIndex = -1;
    std::string HintTitle;
    int HintImageIndex = 0;
    TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(TCustomImageList* AValue);

    TbsSkinData* SkinData() const override { return FSD; }
    // Re-skins at once only when the model already holds a skin.
    virtual void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    // Takes effect at the next paint or skin change.
    virtual void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

    virtual void GetSkinData();
    void ChangeSkinData() override;
    // The model is about to free its records.
    virtual void BeforeChangeSkinData() { FIndex = -1; }

protected:
    void Paint() override;
    virtual void CreateControlDefaultImage(TBitmap* B) {}
    virtual void CreateControlSkinImage(TBitmap* B) {}
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    bool Skinned() const { return FIndex != -1; }
    // The record found by the last look-up, nil when none.
    TbsDataSkinControl* SkinRecord() const;

    TbsSkinData* FSD = nullptr;
    std::string FSkinDataName;
    TCustomImageList* FHintImageList = nullptr;
};

// The geometry of a nine-slice skin record and its fit to the control's
// present size; shared by the windowed and windowless custom bases.
struct TbsSkinLayout {
    TPoint LTPt, RTPt, LBPt, RBPt;
    TRect SkinRect;
    TRect ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TbsPicture* Picture = nullptr;   // an active picture of the model, not owned
    // -1 no picture, 0 fixed size, 1 nine-slice, 2 horizontal and 3 vertical three-slice.
    int ResizeMode = -1;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;

    TRect RealClientRect() const { return NewClRect; }
    int RealClientWidth() const { return NewClRect.Width(); }
    int RealClientHeight() const { return NewClRect.Height(); }
    int RealClientLeft() const { return NewClRect.Left; }
    int RealClientTop() const { return NewClRect.Top; }
    int SkinWidth() const { return SkinRect.Width(); }
    int SkinHeight() const { return SkinRect.Height(); }
    int CalcResizeMode() const;
    // Copies the record's geometry and pictures; a record of another kind
    // gives a fixed size and no pictures.
    void ReadLayout(TbsSkinData& AData, TbsDataSkinControl& ARecord);
    void FitLayout(int& W, int& H, bool ASkinned);
    TRect MapRect(const TRect& R, int W, int H) const;
    // Draws the piece R of SB into B fitted to W x H by ResizeMode; a
    // nine-slice piece only when ADrawNineSlice.
    void DrawPicture(TBitmap* B, TBitmap* SB, const TRect& R, int W, int H, bool ADrawNineSlice) const;
};

// The button record ARecord of AData (a resizable button) as a nine-slice
// image of W x H into B, pressed, hot or normal (an empty state picture falls
// back to the hot one, then the normal one). ACl, when given, becomes the
// record's client rectangle moved with the size. Nil, and B untouched, when
// the skin has no such record or picture.
TbsDataSkinButtonControl* CreateResizedButtonImage(TbsSkinData* AData, const std::string& ARecord, TBitmap* B, int W,
                                                   int H, bool AHot, bool APressed, TRect* ACl = nullptr);

// ---------------------------------------------------------------- windowed

class TbsSkinControl : public TbsSkinLink<platform::TCustomControl> {
public:
    explicit TbsSkinControl(TComponent* AOwner);

    // True while the control handles WM_PAINT.
    bool FromWMPaint = false;

    virtual void AfterChangeSkinData() {}
    // The parent's background has changed.
    virtual void CheckParentBackground() {}

    void Dispatch(TMessage& M) override;
    void WMPaint(TMessage& M) override;
    // The off-screen image covers the whole control: nothing is erased.
    void WMEraseBkgnd(TMessage& M) override { M.Result = 1; }

protected:
    platform::HRGN FRgn = nullptr;   // the region given to the window, 0 for none
};

class TbsSkinCustomControl : public TbsSkinControl, public TbsSkinLayout {
public:
    explicit TbsSkinCustomControl(TComponent* AOwner);
    ~TbsSkinCustomControl() override;

    bool ForcebackGround() const { return FForceBackground; }
    void SetForcebackGround(bool AValue) { FForceBackground = AValue; }
    bool DrawbackGround() const { return FDrawbackground; }
    void SetDrawbackGround(bool AValue) { FDrawbackground = AValue; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont = true;

    TbsPicture* MaskPicture = nullptr;   // not owned

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    virtual void DefaultFontChanged() {}
    virtual void CalcSkinLayout(int& W, int& H);
    virtual void UpdateSkinRegion();

    TRect MapSkinRect(const TRect& R) const { return MapRect(R, Width(), Height()); }
    void DrawSkinPicture(TBitmap* B, TBitmap* SB, const TRect& R);
    // Tells every child that the control's background changed.
    void SendCheckParentBG();

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateSkinRegion();
    void DefaultFontChange(TObject* Sender);
    // The frame as four strips straight onto the canvas.
    void PaintStrips();
    void PaintStripClient();

    bool FForceBackground = false;
    bool FDrawbackground = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont;
};

// ---------------------------------------------------------------- windowless

class TbsGraphicSkinControl : public TbsSkinLink<platform::TGraphicControl> {
public:
    explicit TbsGraphicSkinControl(TComponent* AOwner);
};

class TbsGraphicSkinCustomControl : public TbsGraphicSkinControl, public TbsSkinLayout {
public:
    explicit TbsGraphicSkinCustomControl(TComponent* AOwner);

    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont = true;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    virtual void DefaultFontChanged() {}
    virtual void CalcSkinLayout(int& W, int& H) { FitLayout(W, H, Skinned()); }

    TRect MapSkinRect(const TRect& R) const { return MapRect(R, Width(), Height()); }
    void DrawSkinPicture(TBitmap* B, TBitmap* SB, const TRect& R) { DrawPicture(B, SB, R, Width(), Height(), true); }

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;

    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont;
};

// Points AField of AHolder at AValue and moves AHolder's free notification
// from the component it watched to the new one.
template <class T>
void ChangeReference(TComponent* AHolder, T*& AField, T* AValue)
{
    if (AField && AField != AValue)
        AField->RemoveFreeNotification(AHolder);
    AField = AValue;
    if (AField)
        AField->FreeNotification(AHolder);
}

// Moves the hover among a control's buttons to AHit (-1: none). While the
// button ACapture is held no other one becomes active; the button left
// hears ALeave, the one entered AEnter. AOld keeps the previous hover.
template <class TLeave, class TEnter>
void TrackActiveButton(int AHit, int ACapture, int& AOld, int& AActive, TLeave ALeave, TEnter AEnter)
{
    AOld = AActive;
    AActive = ACapture != -1 && AHit != ACapture ? -1 : AHit;
    if (AActive == AOld)
        return;
    if (AOld != -1)
        ALeave(AOld);
    if (AActive != -1)
        AEnter(AActive);
}

// A skinned control placed on a tool bar that keeps its children centred
// stands in the middle of the bar's client area: ATop becomes that place
// when AParent is such a bar (the tool bar's unit answers).
void CentreOnToolBar(TWinControl* AParent, int AHeight, int& ATop);

// ---------------------------------------------------------------- skin changes

// The form frame's dispatch of the model's change messages to the controls
// of a form: depth first, each windowed control before its children, every
// control whose SkinData is ASender (every skinned control when ASender is
// nil). Before a change only windowed skinned controls forget their record.
void BeforeChangeSkinDataOfControls(TWinControl* AForm, TbsSkinData* ASender);
void ChangeSkinDataOfControls(TWinControl* AForm, TbsSkinData* ASender);

// The font of a caption: the record's name, height and style when
// AFromRecord (skinned with UseSkinFont), else ADefault; the charset from the
// model's string table when it has one, else ADefault's. The colour is the
// caller's.
// A CM_DIALOGCHAR with the accelerator of AControl's caption, when the
// control may and can take the focus: focuses it, runs AAction and answers 1.
// False when the key is not the control's.
bool RunAccel(TWinControl* AControl, TMessage& M, bool ACanFocused, const std::function<void()>& AAction);

void AssignCaptionFont(TFont* AFont, TFont* ADefault, TbsSkinData* AData, bool AFromRecord,
                       const TbsSkinFontFields& ARecordFont);

} // namespace skin
