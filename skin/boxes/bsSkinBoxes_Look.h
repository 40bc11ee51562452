#pragma once
// What the edit and list controls draw alike: the unskinned button face in
// its three states, and a button record's picture fitted to a new size.

#include "skin/core/bsSkinData.h"

#include "platform/gfx/Graphics.h"
#include "platform/ui/Window.h"

#include <functional>

namespace skin {

// The record named AName when the model holds a skin and the record is of
// kind T; nil otherwise.
template <class T>
T* FindSkinRecord(TbsSkinData* AData, const std::string& AName)
{
    if (!AData || AData->Empty())
        return nullptr;
    const int i = AData->GetControlIndex(AName);
    return i < 0 ? nullptr : dynamic_cast<T*>(AData->CtrlList[size_t(i)].get());
}

// The unskinned looks: a one-pixel frame and a fill, normal, hot or pressed.
void DrawPlainButtonFace(platform::TCanvas* C, const platform::TRect& R, bool AHot, bool APressed);

// The record's piece for a state: pressed and hot the down piece, hot the
// active one; an empty active piece means the normal one, an empty down
// piece the active one.
platform::TRect ButtonRecordPiece(const TbsDataSkinButtonControl& ARecord, bool AHot, bool APressed);

// A becomes the piece ASource of the button record's picture APicture at
// A's present size, corners kept and edges and client fitted by the record's
// stretch flags.
void CreateButtonRecordImage(const TbsDataSkinButtonControl& ARecord, platform::TBitmap* APicture,
                             const platform::TRect& ASource, platform::TBitmap* A);

// An item piece's text rectangle ARect fitted to APiece when APiece is
// smaller than the normal item piece ANormal.
platform::TRect FittedTextRect(platform::TRect ARect, const platform::TRect& ANormal, const platform::TRect& APiece);

// The drop-down button of a combo face stretched to R from the first of the
// records "combobutton", "editbutton" and "resizebutton", with its arrow or
// its menu marker (taken from AFacePicture); nothing without a record.
void DrawStretchedDropButton(platform::TCanvas* C, TbsSkinData* AData, platform::TBitmap* AFacePicture,
                             const platform::TRect& R, bool AHot, bool APressed, bool AEnabled);

// A button record's menu marker piece drawn centred in R with the record's
// transparent colour keyed out.
void DrawRecordMenuMarker(platform::TCanvas* C, platform::TBitmap* APicture, const TbsDataSkinButtonControl& ARecord,
                          const platform::TRect& APiece, const platform::TRect& R);

// Draws the piece ASrcRect of ASrc on K at (X, Y) with the colour of the
// piece's lower-left pixel keyed out.
void DrawTransparentPiece(platform::TCanvas* K, int X, int Y, platform::TBitmap* ASrc, const platform::TRect& ASrcRect);

// The translucency of a drop-down list window, following its combo box's
// alpha settings at every show.
struct TbsPopupAlpha {
    bool OldAlphaBlend = false;   // the window has the layered style
    uint8_t OldAlphaBlendValue = 0;
    // Adds or removes the layered style and sets the alpha: 0 when the list
    // fades in (so every show fades from nothing), else AValue.
    void Apply(platform::HWND AWnd, bool ABlend, bool AAnimation, uint8_t AValue);
    // Raises the alpha to AValue in about fifteen steps a few milliseconds
    // apart; a fixed number of steps, so a stalled clock cannot hold the GUI
    // thread. Stops early when AStillShown answers false.
    static void FadeIn(platform::HWND AWnd, uint8_t AValue, const std::function<bool()>& AStillShown);
};

} // namespace skin
