#pragma once
// Where the files the program ships live: its help pages and its finish
// chime. A build or an unpacked copy keeps them beside the program; an
// installed program keeps them in <prefix>/share/zarvelo, beside the bin
// folder that holds it.

#include <string>

namespace app {

// Whether the program at AExeFileName is an installed one: the folder
// above its own holds share/zarvelo.
bool IsInstalledProgram(const std::string& AExeFileName);
// The folder that holds help/ and sounds/, ending in "/": beside the
// program when they are there, else the installed share folder when it
// exists, else the program's own folder.
std::string ProgramDataFolder();
// The same for a program at AExeFileName.
std::string ProgramDataFolderOf(const std::string& AExeFileName);

// The program's own help page in a data folder (one ending in "/").
std::string HelpPageIn(const std::string& ADataFolder);
// Where the help menu and the about box send mail: a new message titled
// with the program's name, addressed to no one.
inline constexpr const char* ContactMailLink =
    "mailto:?subject=ZarveloMP3%E6%A0%BC%E5%BC%8F%E8%BD%AC%E6%8D%A2%E5%99%A8";

} // namespace app
