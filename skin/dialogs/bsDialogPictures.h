#pragma once
// The program's own pictures of the skinned dialogs, drawn in code: the four
// 32 x 32 message-box icons (by their icon identifiers), the 16 x 16 tool
// images of the file dialogs (by their resource names) and the icons of
// shell items in any size.

#include "platform/gfx/ImageCodecs.h"
#include "platform/gfx/PngImage.h"

#include <string_view>

namespace skin {

// Message-box icon identifiers.
constexpr int IDI_HAND = 32513, IDI_QUESTION = 32514, IDI_EXCLAMATION = 32515, IDI_ASTERISK = 32516;

// The icon of an identifier above, 32 x 32 with alpha; false (and AImage
// untouched) for any other identifier.
bool DrawMessageIcon(int AIconId, platform::TImageData& AImage);

// A tool image by resource name: "BS_BACK_PNG", "BS_UP_PNG",
// "BS_NEWFOLDER_PNG", "BS_LVSTYLE_PNG" or "BS_STRETCH_PNG", 16 x 16 with
// alpha; false for other names.
bool DrawDialogPicture(std::string_view AName, platform::TImageData& AImage);

// The icon of a shell item by its icon name ("folder", "drive-harddisk",
// "audio-x-generic", ...; see ShellIconNameOf), ASize pixels a side with
// alpha; names of no known kind get the plain file.
void DrawShellIcon(std::string_view AIconName, int ASize, platform::TImageData& AImage);

// Either of the above loaded into a PNG picture; false when the name or the
// identifier is unknown.
bool LoadMessageIcon(int AIconId, platform::TPngImage& APng);
bool LoadDialogPicture(std::string_view AName, platform::TPngImage& APng);

} // namespace skin
