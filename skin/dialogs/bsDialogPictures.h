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

// A bitmap of the file controls by resource name: the drive kinds
// "BS_FLOPPY", "BS_HARD", "BS_NETWORK", "BS_CDROM" (16 x 16) and "BS_RAM"
// (16 x 11), the folder states "BS_CLOSEDFOLDER", "BS_OPENFOLDER" and
// "BS_CURRENTFOLDER" (16 x 15); false for other names.
bool DrawControlBitmap(std::string_view AName, platform::TImageData& AImage);
// The same as a transparent bitmap whose bottom-left pixel holds the
// transparent colour.
bool LoadControlBitmap(std::string_view AName, platform::TBitmap& ABitmap);

// Either of the above loaded into a PNG picture; false when the name or the
// identifier is unknown.
bool LoadMessageIcon(int AIconId, platform::TPngImage& APng);
bool LoadDialogPicture(std::string_view AName, platform::TPngImage& APng);

} // namespace skin
