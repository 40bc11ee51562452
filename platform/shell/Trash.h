#pragma once
// The desktop's trash (the freedesktop trash layout): a trashed file or
// folder moves to <trash>/files with a <trash>/info/<name>.trashinfo record
// of where it came from and when, so the desktop's trash can restore it.

#include <string>

namespace platform {

// The trash that takes APath: the home trash ($XDG_DATA_HOME/Trash) for
// items on its file system, else the volume's own <mount>/.Trash/<uid>
// (when the administrator made a sticky .Trash there) or <mount>/.Trash-<uid>.
std::string TrashFolderFor(const std::string& APath);

// Moves the file or folder APath (an absolute path) into its trash under a
// name no other trashed item has. False, with the reason and the file's
// name in AError, when it cannot: the item then stays where it was.
bool MoveToTrash(const std::string& APath, std::string* AError = nullptr);

} // namespace platform
