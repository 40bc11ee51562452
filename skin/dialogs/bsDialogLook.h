#pragma once
// What the dialogs built in code share: their default font, captions from
// the controls' string table by key, and a flag held for the length of a
// piece of work.

#include "skin/core/bsSkinData.h"

#include "platform/core/Classes.h"
#include "platform/gfx/Graphics.h"

#include <string>

namespace platform {
class TForm;
}

namespace skin {

class TbsSkinForm;

// "Tahoma", height 13, no style: the font a dialog starts with.
void InitDialogFont(platform::TFont& AFont);

// The text of AKey in the string table of ACtrlSkinData when it has one (an
// empty text for a key the table lacks), else AText.
std::string DialogCaption(TbsSkinData* ACtrlSkinData, const char* AKey, const char* AText);

// The frame of a dialog form built in code: its caption, no caption
// buttons, the skins of the frame and its menus, the least size and the
// transparency.
struct TbsDialogFrame {
    std::string Title;
    TbsSkinData* SkinData = nullptr;
    TbsSkinData* MenusSkinData = nullptr;
    int MinWidth = 0, MinHeight = 0;
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    uint8_t AlphaBlendValue = 255;
};
void SetUpDialogFrame(platform::TForm* AForm, TbsSkinForm* ABSF, const TbsDialogFrame& AFrame);

// A run's client size: the one kept from the last run (AWidth, AHeight
// when above 0) or the default, at least the skinned frame's smallest.
void SizeDialog(platform::TForm* AForm, TbsSkinForm* ABSF, int AWidth, int AHeight, int ADefaultWidth,
                int ADefaultHeight);

// One run of a dialog component: the component knows its form while the
// run lasts, and OnClose fires when it ends, also by an exception.
template <class TFormT>
class TbsDialogRun {
public:
    TbsDialogRun(platform::TObject* ADialog, const platform::TNotifyEvent& AOnClose, TFormT*& AField, TFormT* AForm)
        : FDialog(ADialog), FOnClose(AOnClose), FField(AField)
    {
        FField = AForm;
    }
    ~TbsDialogRun()
    {
        if (FOnClose)
            FOnClose(FDialog);
        FField = nullptr;
    }
    TbsDialogRun(const TbsDialogRun&) = delete;
    TbsDialogRun& operator=(const TbsDialogRun&) = delete;

private:
    platform::TObject* FDialog;
    const platform::TNotifyEvent& FOnClose;
    TFormT*& FField;
};

// Runs AWork with AFlag set and clears it however AWork ends.
template <class F>
void WithFlag(bool& AFlag, F&& AWork)
{
    AFlag = true;
    struct TClear {
        bool& Flag;
        ~TClear() { Flag = false; }
    } clear{AFlag};
    AWork();
}

} // namespace skin
