#pragma once
// Text, number and file helpers with the run-time library's rules.
// Strings are UTF-8; case rules are ASCII-only, as the texts they serve
// (option names, INI keys, extensions) are ASCII.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

constexpr char PathDelim = '/';

std::string UpperCase(std::string_view S);
std::string LowerCase(std::string_view S);
int CompareText(std::string_view A, std::string_view B); // <0, 0, >0 ignoring ASCII case
bool SameText(std::string_view A, std::string_view B);
// As a file manager orders names: ASCII case ignored, runs of digits by
// their value ("t9" before "t10"); -1, 0 or 1.
int CompareLogicalText(std::string_view A, std::string_view B);
std::string Trim(std::string_view S);      // drops characters <= ' ' at both ends
std::string TrimLeft(std::string_view S);
std::string TrimRight(std::string_view S);
bool StartsText(std::string_view ASubText, std::string_view AText);

std::string IntToStr(int64_t AValue);
std::string IntToHex(uint64_t AValue, int ADigits);
// Decimal, or hexadecimal with "$" or "0x"; raises EConvertError with
// "'%s' is not a valid integer value".
int64_t StrToInt64(std::string_view S);
int StrToInt(std::string_view S);
int StrToIntDef(std::string_view S, int ADefault);
bool TryStrToInt64(std::string_view S, int64_t& AValue);
// "." is the decimal point whatever the locale; raises EConvertError with
// "'%s' is not a valid floating point value".
double StrToFloat(std::string_view S);
bool TryStrToFloat(std::string_view S, double& AValue);
std::string FloatToStr(double AValue);

// Paths
std::string IncludeTrailingPathDelimiter(std::string_view APath);
std::string ExcludeTrailingPathDelimiter(std::string_view APath);
std::string ExtractFilePath(std::string_view AFileName); // with trailing delimiter
std::string ExtractFileDir(std::string_view AFileName);  // without
std::string ExtractFileName(std::string_view AFileName);
std::string ExtractFileExt(std::string_view AFileName);  // with the dot, or empty
std::string ChangeFileExt(std::string_view AFileName, std::string_view AExt);
std::string ExpandFileName(std::string_view AFileName);

// Files: a folder is not a file.
bool FileExists(const std::string& AFileName);
bool DirectoryExists(const std::string& ADir);
bool ForceDirectories(const std::string& ADir);
int64_t FileSizeByName(const std::string& AFileName); // -1 when missing
bool DeleteFile(const std::string& AFileName);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& ADir);
std::string GetExeFileName();
std::string SysErrorMessage(int AErrorCode);

std::string GetEnvironmentVariable(const std::string& AName);
void SetEnvironmentVariable(const std::string& AName, const std::string& AValue);

uint32_t GetTickCount();  // milliseconds since an arbitrary start
int64_t GetTimeMicros();  // wall clock, microseconds since 1970
void Sleep(uint32_t AMilliseconds);

} // namespace platform
