#pragma once
// The program's own skin, compiled into the program: its main window and
// every dialog are skinned from it (skin list item 0).
//
// The skin's source is skins/default (zarvelo.ini) and the picture program
// in skins/paint; the build draws the pictures, packs the folder with the
// skin core's own writer and compiles the packed bytes in here.

#include "skin/core/bsSkinData_StoredList.h"

#include <cstdint>
#include <span>

namespace skins {

// The packed skin as a skin list item stores it: int32 version, int32
// length, then that many bytes of zlib data.
std::span<const uint8_t> DefaultSkinContainer();

// The name and description the skin chooser shows for it.
constexpr const char* DefaultSkinName = "Zarvelo";
constexpr const char* DefaultSkinDescription = "Zarvelo";

// Appends the program's skin to AList as a new item (item 0 of an empty
// list) and answers it.
skin::TbsSkinListItem* AddDefaultSkin(skin::TbsCompressedSkinList& AList);

} // namespace skins
