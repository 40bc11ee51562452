#pragma once
// Binding the media libraries at run time: loading a library from the
// configured folder and looking its exports up by name.

#include "engine/base/Paths.h"
#include "platform/core/DynLibs.h"

#include <string>

namespace engine {

// Loads AFileName from ADir when the folder holds it, else by bare name
// through the system's search order. Returns nullptr and the system's text
// in AErrorText when it fails.
platform::TLibHandle LoadLibraryWithPath(const TPathFileName& ADir, const TPathFileName& AFileName,
                                         std::string& AErrorText);

// Looks an export up. A missing one that is not optional raises
// platform::Exception "Load function %s@%s error: %s" (export, library file,
// system text), or "Load variable ..." for a data export. The variable is
// filled in every case, with nullptr when the export is missing.
void* BindExportFunction(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                         bool AOptional);
void* BindExportVariable(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                         bool AOptional);

template <typename T>
void BindExportFunction(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                        bool AOptional, T& AEntry)
{
    AEntry = nullptr;
    AEntry = reinterpret_cast<T>(BindExportFunction(ALibName, AHandle, AName, AOptional));
}

template <typename T>
void BindExportVariable(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                        bool AOptional, T& AEntry)
{
    AEntry = nullptr;
    AEntry = reinterpret_cast<T>(BindExportVariable(ALibName, AHandle, AName, AOptional));
}

} // namespace engine
