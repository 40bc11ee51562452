#pragma once
// The panel that freezes a faded or blurred picture of a form's client
// area while the form is inactive.

#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/core/bseffects.h"

#include "platform/controls/Forms.h"

#include <memory>

namespace skin {

enum TbsClientInActiveEffect { bsieSemiTransparent, bsieBlur };

class TbsClientInActivePanel : public TbsSkinPaintPanel {
public:
    explicit TbsClientInActivePanel(platform::TComponent* AOwner);
    // Covers AForm's client area with its present picture, blurred or
    // seen through the form's background; nothing for a hidden or empty form.
    void ShowPanel(platform::TCustomForm* AForm, TbsClientInActiveEffect AEffect);
    void HidePanel();
    // The frozen picture, nil while hidden.
    TbsBitmap* Buffer() const { return FBuffer.get(); }

    void WMEraseBkgnd(platform::TMessage& M) override;

protected:
    void Paint() override;

private:
    std::unique_ptr<TbsBitmap> FBuffer;
};

} // namespace skin
