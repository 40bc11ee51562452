#pragma once
// Parts shared by the list and tree views: the drawing state handed to
// custom drawing, and the in-place editor of a label.

#include "platform/controls/StdCtrls.h"

#include <functional>

namespace platform {

// Drawing state of an item handed to custom drawing.
enum TCustomDrawStateFlag : unsigned {
    cdsSelected = 1, cdsGrayed = 2, cdsDisabled = 4, cdsChecked = 8, cdsFocused = 16, cdsDefault = 32, cdsHot = 64,
};
using TCustomDrawState = unsigned;

// The editor of a label: Enter ends the edit, Escape cancels it, and moving
// the focus away ends it too. AEnd is told whether the edit was cancelled.
class TLabelEditor : public TEdit {
public:
    TLabelEditor(TComponent* AOwner, std::function<void(bool)> AEnd) : TEdit(AOwner), FEnd(std::move(AEnd)) {}
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTALLKEYS; }

protected:
    void KeyDown(uint16_t& AKey, TShiftState AShift) override
    {
        if (AKey == VK_RETURN || AKey == VK_ESCAPE) {
            bool cancel = AKey == VK_ESCAPE;
            AKey = 0;
            FEnd(cancel);
            return;
        }
        TEdit::KeyDown(AKey, AShift);
    }
    void DoExit() override
    {
        TEdit::DoExit();
        FEnd(false);
    }

private:
    std::function<void(bool)> FEnd;
};

} // namespace platform
