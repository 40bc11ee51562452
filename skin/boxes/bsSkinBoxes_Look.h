#pragma once
// What the edit and list controls draw alike: the unskinned button face in
// its three states, and a button record's picture fitted to a new size.

#include "skin/core/bsSkinData.h"

#include "platform/gfx/Graphics.h"

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

// Draws the piece ASrcRect of ASrc on K at (X, Y) with the colour of the
// piece's lower-left pixel keyed out.
void DrawTransparentPiece(platform::TCanvas* K, int X, int Y, platform::TBitmap* ASrc, const platform::TRect& ASrcRect);

} // namespace skin
