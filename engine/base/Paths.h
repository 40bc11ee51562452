#pragma once
// The program's own path and file sizes, as the engine's units ask for them.

#include <cstdint>
#include <string>

namespace engine {

// Folder and file names: UTF-8 paths.
using TPathFileName = std::string;

void GetExeFileName(TPathFileName& AFileName);
// The program's folder with its trailing delimiter.
void GetExePath(TPathFileName& APath);
// -1 when the file is missing (a folder counts as missing).
int64_t FileSizeByName(const TPathFileName& AFileName);
// The absolute path a name leads to, whether the file exists or not: its
// folder resolved (links, "." and ".."), and its last component followed
// while it is a symbolic link, dangling ones too: the file that opening the
// name for writing would create or replace.
TPathFileName ResolvedPath(const TPathFileName& AFileName);

} // namespace engine
