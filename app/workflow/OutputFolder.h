#pragma once
// Whether the output folder can take converted files, told in the words the
// user reads.

#include <string>

namespace app {

// Empty when AFolder is a folder this program may write into (created with
// its parents when missing); otherwise why it is not, naming the folder.
std::string OutputFolderProblem(const std::string& AFolder);

} // namespace app
