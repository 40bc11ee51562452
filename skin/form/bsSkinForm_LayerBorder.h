#pragma once
// The layered border of a skinned form: four borderless windows with
// per-pixel alpha laid around the form's window, each showing one strip of
// the skin's layer frame picture cut to the form's size. Without a full
// border they surround the form's own skinned frame (a shadow or glass
// edge); with one they are the whole frame: the form is a plain rectangle
// and the top strip carries the caption and the caption buttons. They
// follow the form as it moves, sizes and changes state, fade with its
// alpha, show the inactive picture and alpha while it is inactive, and
// size or move the form when the user drags them.
// Where the display has no compositing manager the windows are cut to
// their visible pixels and show them opaque; where one runs, a skin with a
// blur mask asks it to blur the desktop behind the glass of the strips.

#include "skin/core/bsSkinData.h"
#include "skin/core/bsUtils_Layer.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"

#include <array>
#include <memory>
#include <vector>

namespace skin {

class TbsSkinForm;
class TbsFormLayerBorder;

enum TbsFormLayerBorderType { bsflLeft, bsflTop, bsflRight, bsflBottom };

// What lies under the cursor on a border window: a sizing edge or corner,
// the caption (moves the form) or another frame object.
enum TbsFormLayerBorderHit {
    bsflhNone, bsflhLeft, bsflhTop, bsflhRight, bsflhBottom, bsflhTopLeft, bsflhTopRight, bsflhBottomLeft,
    bsflhBottomRight, bsflCaption, bsflObject
};

// One border window: its picture is the one put on it, never painted over.
// A press on a sizing zone or the caption starts a drag that sizes or
// moves the form step by step with the cursor.
class TbsFormLayerWindow : public TbsLayerWindow {
public:
    TbsFormLayerWindow(TbsFormLayerBorder* ALayerBorder, platform::TCustomForm* AForm, TbsFormLayerBorderType AType);
    void WndProc(platform::TMessage& AMessage) override;

    // The zone under the cursor; X, Y: the cursor in this window's client
    // coordinates (on the top strip the hover of its objects follows them).
    TbsFormLayerBorderHit HitTest(int X, int Y);

    bool FDown = false;
    platform::TCustomForm* FForm;
    TbsFormLayerBorder* FLayerBorder;
    // Screen cursor positions of the previous and the current drag step.
    TPoint MousePos1, MousePos2;
    TbsFormLayerBorderHit FHitMode = bsflhNone;
    TbsFormLayerBorderType BorderType;

protected:
    void CreateParams(platform::TCreateParams& AParams) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;

private:
    bool HitTestEnabled() const;
    bool FullBorder() const;
    // One step of a drag by (DX, DY); false when the step was dropped.
    void DragStep(int DX, int DY);
    void SizeStep(int DX, int DY);
    void MoveStep(int DX, int DY);
    void DblClick2();
    void ActivateForm();
};

class TbsFormLayerBorder : public platform::TComponent {
public:
    explicit TbsFormLayerBorder(TbsSkinForm* AOwner);
    ~TbsFormLayerBorder() override;

    TbsSkinForm* BSF;
    // Hover over the top strip ends within this long after the cursor left
    // it, even without a leave message.
    platform::TTimer* MouseTimer = nullptr;
    platform::TCustomForm* FForm = nullptr;
    TbsSkinData* FSD = nullptr;
    // The desktop can blur behind windows (a compositing manager runs).
    bool FIsAeroEnabled = false;
    // The layer frame record, nil when the skin has none.
    TbsDataSkinLayerFrame* FData = nullptr;
    bool FVisible = false;
    bool FActive = true;
    int FWidth = 0, FHeight = 0;
    // How far the hit-testable border reaches outside the form rectangle
    // on each side, and the sizes of the four corner sizing zones.
    int LeftSize = 0, TopSize = 0, RightSize = 0, BottomSize = 0;
    int HitTopLeftX = 0, HitTopLeftY = 0, HitTopRightX = 0, HitTopRightY = 0;
    int HitBottomLeftX = 0, HitBottomLeftY = 0, HitBottomRightX = 0, HitBottomRightY = 0;
    // Hover over the form's objects on the top strip (indexes into the
    // form's ObjectList, -1 for none).
    int OldActiveObject = -1, ActiveObject = -1, MouseCaptureObject = -1;
    int FCurrentAlphaBlendValue = -1, FCurrentInActiveAlphaBlendValue = -1;
    // The four strips at the current size, indexed by TbsFormLayerBorderType
    // (nil before the first build; a side strip without rows is empty).
    std::array<std::unique_ptr<TbsBitmap>, 4> Images;
    std::array<std::unique_ptr<TbsFormLayerWindow>, 4> Windows;
    // Messages of the border's windows being handled: a window that goes
    // while one of them runs (a caption button closing the form) is only
    // hidden, and freed once none runs.
    int FBusy = 0;

    void InitFrame(TbsSkinData* ASkinData, platform::TCustomForm* AForm);
    // The record draws the whole frame.
    bool FullBorder() const { return FData && FData->FullBorder; }
    // The layer rectangle around a form rectangle.
    TRect LayerRect(int ALeft, int ATop, int AWidth, int AHeight) const;
    void Show(int X, int Y, int AWidth, int AHeight);
    void Hide();
    void SetBounds(int X, int Y, int AWidth, int AHeight);
    // Rebuilds the strips and puts them on the windows where they stand.
    void Update(int X, int Y, int AWidth, int AHeight);
    // The strips drawn onto C as they stand around a layer at (X, Y).
    void Draw(platform::TCanvas* C, int X, int Y, int AWidth, int AHeight);
    void MoveTo(int X, int Y);
    void ShowWithForm();
    // Shown transparent, then faded in to the record's alpha.
    void ShowWithFormAnimation();
    void SetBoundsWithForm();
    void SetBoundsWithForm2(int AWidth, int AHeight);
    void SetBoundsWithForm3(int ALeft, int ATop, int AWidth, int AHeight);
    void UpdateBorder();
    void MoveWithForm();
    void MoveWithForm2(int ALeft, int ATop);
    void SetActive(bool AValue, bool AUpdate);
    // Scales both alphas of the record by AFormAlpha / 255.
    void CheckFormAlpha(int AFormAlpha, bool AUpdate);
    void SetAlphaBlend();
    void SetAlphaBlend2();
    void CreateBorderImages(int AWidth, int AHeight);
    // The strips ask for blur behind their glass: the desktop can blur, the
    // skin allows it and the form is not translucent itself.
    bool BlurEnabled() const;
    // The black pixels of the blur mask's four corners, each where its
    // corner lies in the strip it belongs to.
    void CreateMaskRegions();
    // The glass of each strip at the current size: the band between the
    // mask's outer and inner edges, with the corners' shapes.
    void CreateBlurRegions();
    // The blur mask's corners: top-left, top-right, bottom-left,
    // bottom-right; and the blur region of each strip. Owned, nil for none.
    platform::HRGN DataRgn1 = nullptr, DataRgn2 = nullptr, DataRgn3 = nullptr, DataRgn4 = nullptr;
    platform::HRGN TopRgn = nullptr, BottomRgn = nullptr, RightRgn = nullptr, LeftRgn = nullptr;
    // The blur region of a strip's window.
    platform::HRGN BlurRegion(TbsFormLayerBorderType AType) const;
    // Where each strip stands for a layer rectangle.
    TPoint StripPosition(TbsFormLayerBorderType AType, int X, int Y, int AWidth, int AHeight) const;

    // ---- the frame objects on the top strip of a full border
    // Places the caption buttons and the caption on the top strip.
    void ArrangeObjects();
    // Hover at (X, Y) of the top strip; (-1, -1) ends it.
    void TestActive(int X, int Y);
    void ResetStdButtons();
    void MouseTimerEvent();
    // The form can be sized by dragging the border.
    bool CanSizeThroughLayer() const;
    // The screen position of the top strip (where object rectangles count
    // from under a full border).
    TPoint TopOrigin() const;

private:
    // The skin's 32-bit frame picture of the active (or inactive) form.
    TbsBitmap* Source() const;
    void PutImages(bool AMove, int X, int Y);
    // New strips at the size, put on the windows (moved there with AMove).
    void Rebuild(bool AMove, int X, int Y, int AWidth, int AHeight);
    void DrawObjects();
    void RetireWindows();
    void DeleteMaskRegions();
    void DeleteBlurRegions();
    std::vector<std::unique_ptr<TbsFormLayerWindow>> FRetired;
};

} // namespace skin
