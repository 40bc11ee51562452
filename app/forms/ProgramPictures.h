#pragma once
// The program's own pictures, drawn in code: the command buttons' on and
// off glyphs, the preview pane's button glyphs, the empty-list picture and
// the logo.

#include "platform/gfx/Graphics.h"

#include <memory>
#include <optional>

namespace app {

enum class TGlyph {
    Add, Start, Stop, Pause, Resume, Remove, Clear, Rename, Options, MoveUp, MoveDown,
    Play, PreviewPause, PreviewStop, MuteOn, MuteOff, Snapshot, Settings,
};

// A square glyph of ASize pixels; AOn false draws the grey "off" look.
// The corner pixel's colour is the transparent key.
std::unique_ptr<platform::TBitmap> MakeGlyph(TGlyph AGlyph, int ASize, bool AOn = true);

// The picture lying over the empty file list.
std::unique_ptr<platform::TBitmap> MakeEmptyListPicture(int AWidth, int AHeight);

// The program's logo: a play mark inside a round badge with sound waves, on
// ABackground, or transparent around it when none is given.
std::unique_ptr<platform::TBitmap> MakeLogo(int AWidth, int AHeight, std::optional<platform::TColor> ABackground = {});

} // namespace app
