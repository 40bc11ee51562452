#pragma once
// Small services of the engine: binding library exports, the program's own
// path, text helpers, local time, and reaching the GUI thread.

#include "platform/core/DynLibs.h"

#include <cstdint>
#include <functional>
#include <string>

namespace engine {

// Folder and file names: UTF-8 paths.
using TPathFileName = std::string;
// Local date and time as days since 1899-12-30, the time of day as fraction.
using TDateTime = double;

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

void GetExeFileName(TPathFileName& AFileName);
// The program's folder with its trailing delimiter.
void GetExePath(TPathFileName& APath);
// -1 when the file is missing (a folder counts as missing).
int64_t FileSizeByName(const TPathFileName& AFileName);

// Head := the text before the first ADelim in S (all of S when there is
// none); with ARemove, S keeps only the text after the delimiter (empty when
// there was none).
void SplitAtDelimiter(std::string& S, const std::string& ADelim, bool ARemove, std::string& AHead);

// "%.2f GB", "%.2f MB", "%.2f KB" above each power of 1024, else "%d Byte".
std::string FormatByteSize(int64_t ASize);

// Seconds since 1970 (universal) to local date-time and back, with the
// offset from universal time that held at that instant, daylight saving
// included.
TDateTime UnixTimeToLocalDateTime(int64_t ASeconds);
int64_t LocalDateTimeToUnixTime(TDateTime AValue);
// The offset of local time from universal time at that instant, in days.
double TimeZoneBiasDays(int64_t ASeconds);
// Formats with the patterns yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s and
// zzz; any other character stands for itself.
std::string DateTimeText(const std::string& APattern, TDateTime AValue);

// Runs AMethod on the GUI thread and waits for it; on the GUI thread it runs
// at once.
void CallInMainThread(const std::function<void()>& AMethod);
// Handles one waiting synchronised call or window message; false when there
// was none.
bool ProcessOneMessage();
// Handles waiting calls and messages until none is left; waits on the GUI
// thread call it so that the threads they wait for can reach it.
void PumpMessages();

} // namespace engine
