#pragma once
// The layered border of a skinned form: four borderless windows with
// per-pixel alpha laid around the form's window, each showing one strip of
// the skin's layer frame picture (an outer shadow or glass edge) cut to the
// form's size. They follow the form as it moves and sizes, fade with its
// alpha and show the inactive picture and alpha while it is inactive.
// Where the display has no compositing manager the windows are cut to
// their visible pixels and show them opaque.

#include "skin/core/bsSkinData.h"
#include "skin/core/bsUtils_Layer.h"

#include "platform/controls/Forms.h"

#include <array>
#include <memory>

namespace skin {

class TbsSkinForm;

enum TbsFormLayerBorderType { bsflLeft, bsflTop, bsflRight, bsflBottom };

// One border window: its picture is the one put on it, never painted over.
class TbsFormLayerWindow : public TbsLayerWindow {
public:
    using TbsLayerWindow::TbsLayerWindow;
    void WndProc(platform::TMessage& AMessage) override;
    TbsFormLayerBorderType BorderType = bsflTop;
};

class TbsFormLayerBorder : public platform::TComponent {
public:
    explicit TbsFormLayerBorder(TbsSkinForm* AOwner);
    ~TbsFormLayerBorder() override;

    TbsSkinForm* BSF;
    platform::TCustomForm* FForm = nullptr;
    TbsSkinData* FSD = nullptr;
    // The layer frame record, nil when the skin has none.
    TbsDataSkinLayerFrame* FData = nullptr;
    bool FVisible = false;
    bool FActive = true;
    int FWidth = 0, FHeight = 0;
    // How far the border reaches outside the form rectangle on each side.
    int LeftSize = 0, TopSize = 0, RightSize = 0, BottomSize = 0;
    int FCurrentAlphaBlendValue = -1, FCurrentInActiveAlphaBlendValue = -1;
    // The four strips at the current size, indexed by TbsFormLayerBorderType.
    std::array<TbsBitmap, 4> Images;
    std::array<std::unique_ptr<TbsFormLayerWindow>, 4> Windows;

    void InitFrame(TbsSkinData* ASkinData, platform::TCustomForm* AForm);
    // The layer rectangle around a form rectangle.
    TRect LayerRect(int ALeft, int ATop, int AWidth, int AHeight) const;
    void Show(int X, int Y, int AWidth, int AHeight);
    void Hide();
    void SetBounds(int X, int Y, int AWidth, int AHeight);
    void MoveTo(int X, int Y);
    void ShowWithForm();
    void SetBoundsWithForm();
    void MoveWithForm();
    void SetActive(bool AValue, bool AUpdate);
    // Scales both alphas of the record by AFormAlpha / 255.
    void CheckFormAlpha(int AFormAlpha, bool AUpdate);
    void SetAlphaBlend();
    void CreateBorderImages(int AWidth, int AHeight);
    // Where each strip stands for a layer rectangle.
    TPoint StripPosition(TbsFormLayerBorderType AType, int X, int Y, int AWidth, int AHeight) const;

private:
    // The 32-bit picture of the active (or inactive) form: the picture with
    // its mask's grey as alpha.
    TbsBitmap* Source();
    void BuildSources();
    void PutImages(bool AMove, int X, int Y);
    std::unique_ptr<TbsBitmap> FSource, FInActiveSource;
};

} // namespace skin
