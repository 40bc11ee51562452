#pragma once
// What the dialogs built in code share: their default font, captions from
// the controls' string table by key, and a flag held for the length of a
// piece of work.

#include "skin/core/bsSkinData.h"

#include "platform/gfx/Graphics.h"

#include <string>

namespace skin {

// "Tahoma", height 13, no style: the font a dialog starts with.
void InitDialogFont(platform::TFont& AFont);

// The text of AKey in the string table of ACtrlSkinData when it has one (an
// empty text for a key the table lacks), else AText.
std::string DialogCaption(TbsSkinData* ACtrlSkinData, const char* AKey, const char* AText);

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
