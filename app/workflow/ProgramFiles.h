#pragma once
// Where the files the program ships live: its help pages and its finish
// chime. A build or an unpacked copy keeps them beside the program; an
// installed program keeps them in <prefix>/share/zarvelo, beside the bin
// folder that holds it.

#include <string>

namespace app {

// The folder that holds help/ and sounds/, ending in "/": beside the
// program when they are there, else the installed share folder when it
// exists, else the program's own folder.
std::string ProgramDataFolder();
// The same for a program at AExeFileName.
std::string ProgramDataFolderOf(const std::string& AExeFileName);

} // namespace app
