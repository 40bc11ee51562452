#include "platform/controls/SystemIcons.h"

#include <memory>

namespace platform {

TBitmap* SystemApplicationIcon()
{
    static std::unique_ptr<TBitmap> icon;
    if (icon)
        return icon.get();
    icon = std::make_unique<TBitmap>();
    icon->SetSize(32, 32);
    TCanvas* c = icon->Canvas();
    // Round the window the picture is see-through (keyed by its
    // lower-left pixel).
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, 32, 32));
    c->Brush()->SetColor(TColor(RGB(64, 64, 64)));
    c->FillRect(Rect(2, 4, 30, 28));
    c->Brush()->SetColor(TColor(RGB(10, 36, 106)));
    c->FillRect(Rect(3, 5, 29, 11));
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(3, 11, 29, 27));
    icon->SetTransparent(true);
    return icon.get();
}

} // namespace platform
