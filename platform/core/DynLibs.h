#pragma once
// Shared libraries loaded at run time, with the system's error texts.

#include <string>

namespace platform {

using TLibHandle = void*;

// Loads by path, or by bare name through the system's search order.
// Returns nullptr and fills AErrorText when it fails.
TLibHandle LoadLibrary(const std::string& AFileName, std::string* AErrorText = nullptr);
void* GetProcAddress(TLibHandle AHandle, const std::string& AName, std::string* AErrorText = nullptr);
void FreeLibrary(TLibHandle AHandle);

} // namespace platform
