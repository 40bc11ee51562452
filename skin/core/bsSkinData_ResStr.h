#pragma once
// The table of texts the skin engine itself shows (system menu, caption
// button hints, edit menu, message-box buttons and captions, file dialog
// labels, file list columns). Replacing its lines translates the engine.

#include "platform/core/Classes.h"
#include "platform/gfx/Graphics.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace skin {

using platform::TFontCharset;


class TbsResourceStrData : public platform::TComponent {
public:
    explicit TbsResourceStrData(platform::TComponent* AOwner);

    // One "KEY=text" line per entry; starts with the default table.
    const platform::TStringList& ResStrings() const { return FResStrings; }
    void SetResStrings(const platform::TStringList& AValue) { FResStrings.Assign(AValue); }
    TFontCharset CharSet = platform::DEFAULT_CHARSET;

    // The text after the first "=" of the first line whose key matches
    // AResName without regard to letter case; empty when none does.
    std::string GetResStr(std::string_view AResName) const;

    // The default lines, in table order.
    static void GetDefaultStrings(platform::TStringList& AList);

private:
    platform::TStringList FResStrings;
};

} // namespace skin
