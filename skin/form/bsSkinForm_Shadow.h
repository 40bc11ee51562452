#pragma once
// The drop shadow of a skinned form: one click-through, never-activated
// layered window of the form's size, offset down and to the right and
// stacked just below the form, showing a soft dark band along the form's
// right and bottom edges, the picture the window system gives the shadows of
// popups. A window-class flag would give every form of the class a shadow,
// so each form that asks for one carries its own; and unlike a popup's, it
// shows where the display has no compositing manager, with an opaque band.

#include "skin/core/bsUtils_Layer.h"

#include "platform/controls/Forms.h"
#include "platform/ui/DropShadow.h"

#include <memory>

namespace skin {

class TbsFormShadow : public platform::TComponent {
public:
    // How far the shadow reaches beyond the form's right and bottom edges,
    // and its alpha next to them.
    static constexpr int Size = platform::DropShadowSize;
    static constexpr int EdgeAlpha = platform::DropShadowEdgeAlpha;

    explicit TbsFormShadow(platform::TComponent* AOwner);
    ~TbsFormShadow() override;

    // Shows the shadow under AForm where it stands now, or hides it when
    // AShow is off or the form is hidden or minimized.
    void Sync(platform::TCustomForm* AForm, bool AShow);
    void Hide();
    bool Visible() const { return FWindow && FWindow->Visible(); }
    TbsLayerWindow* Window() const { return FWindow; }

    // The shadow's picture for a form of AWidth x AHeight: transparent
    // under the form, the band along its right and bottom edges.
    static void Paint(TbsBitmap& B, int AWidth, int AHeight);

private:
    TbsLayerWindow* FWindow = nullptr;   // owned, made on the first show
    std::unique_ptr<TbsBitmap> FPicture;
};

} // namespace skin
