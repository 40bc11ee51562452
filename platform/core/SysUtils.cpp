#include "platform/core/SysUtils.h"

#include "platform/core/Exceptions.h"

#include <cerrno>
#include <chrono>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

std::string UpperCase(std::string_view S)
{
    std::string out(S);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return out;
}

std::string LowerCase(std::string_view S)
{
    std::string out(S);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

int CompareText(std::string_view A, std::string_view B)
{
    const size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char a = (unsigned char)A[i], b = (unsigned char)B[i];
        if (a >= 'a' && a <= 'z')
            a = (unsigned char)(a - 32);
        if (b >= 'a' && b <= 'z')
            b = (unsigned char)(b - 32);
        if (a != b)
            return int(a) - int(b);
    }
    return int(A.size()) - int(B.size());
}

int CompareLogicalText(std::string_view A, std::string_view B)
{
    const auto isDigit = [](char C) { return C >= '0' && C <= '9'; };
    // A run of digits without its leading zeros.
    const auto number = [&](std::string_view S, size_t& AAt) {
        const size_t begin = AAt;
        while (AAt < S.size() && isDigit(S[AAt]))
            ++AAt;
        std::string_view digits = S.substr(begin, AAt - begin);
        digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
        return digits;
    };
    size_t i = 0, j = 0;
    while (i < A.size() && j < B.size()) {
        if (isDigit(A[i]) && isDigit(B[j])) {
            const std::string_view numA = number(A, i), numB = number(B, j);
            if (numA.size() != numB.size())
                return numA.size() < numB.size() ? -1 : 1;
            if (const int c = numA.compare(numB))
                return c < 0 ? -1 : 1;
            continue;
        }
        const int a = tolower((unsigned char)A[i]), b = tolower((unsigned char)B[j]);
        if (a != b)
            return a < b ? -1 : 1;
        ++i;
        ++j;
    }
    if (A.size() - i != B.size() - j)
        return (A.size() - i) < (B.size() - j) ? -1 : 1;
    return 0;
}

bool SameText(std::string_view A, std::string_view B)
{
    return A.size() == B.size() && CompareText(A, B) == 0;
}

std::string TrimLeft(std::string_view S)
{
    size_t i = 0;
    while (i < S.size() && (unsigned char)S[i] <= ' ')
        ++i;
    return std::string(S.substr(i));
}

std::string TrimRight(std::string_view S)
{
    size_t n = S.size();
    while (n > 0 && (unsigned char)S[n - 1] <= ' ')
        --n;
    return std::string(S.substr(0, n));
}

std::string Trim(std::string_view S) { return TrimLeft(TrimRight(S)); }

bool StartsText(std::string_view ASubText, std::string_view AText)
{
    return AText.size() >= ASubText.size() && SameText(AText.substr(0, ASubText.size()), ASubText);
}

std::string IntToStr(int64_t AValue) { return std::to_string(AValue); }

std::string IntToHex(uint64_t AValue, int ADigits)
{
    char buf[32];
    snprintf(buf, sizeof buf, "%0*llX", ADigits, (unsigned long long)AValue);
    return buf;
}

bool TryStrToInt64(std::string_view S, int64_t& AValue)
{
    std::string text = Trim(S);
    if (text.empty())
        return false;
    bool negative = false;
    size_t i = 0;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (value > (UINT64_MAX - uint64_t(digit)) / uint64_t(base))
            return false;
        value = value * uint64_t(base) + uint64_t(digit);
    }
    // Hexadecimal may spell the full 64-bit pattern; decimal must fit.
    if (base == 10 && value > uint64_t(INT64_MAX) + (negative ? 1u : 0u))
        return false;
    AValue = negative ? int64_t(0 - value) : int64_t(value);
    return true;
}

int64_t StrToInt64(std::string_view S)
{
    int64_t value;
    if (!TryStrToInt64(S, value))
        throw EConvertError("'" + std::string(S) + "' is not a valid integer value");
    return value;
}

int StrToInt(std::string_view S)
{
    const int64_t value = StrToInt64(S);
    if (value < INT32_MIN || value > UINT32_MAX)
        throw EConvertError("'" + std::string(S) + "' is not a valid integer value");
    return int(int32_t(uint32_t(value)));
}

int StrToIntDef(std::string_view S, int ADefault)
{
    int64_t value;
    if (!TryStrToInt64(S, value) || value < INT32_MIN || value > UINT32_MAX)
        return ADefault;
    return int(int32_t(uint32_t(value)));
}

bool TryStrToFloat(std::string_view S, double& AValue)
{
    const std::string text = Trim(S);
    if (text.empty())
        return false;
    // strtod follows LC_NUMERIC; parse the C way regardless of the locale.
    for (char c : text)
        if (!(isdigit((unsigned char)c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    char* end = nullptr;
    errno = 0;
    const double value = strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        return false;
    AValue = value;
    return true;
}

double StrToFloat(std::string_view S)
{
    double value;
    if (!TryStrToFloat(S, value))
        throw EConvertError("'" + std::string(S) + "' is not a valid floating point value");
    return value;
}

std::string FloatToStr(double AValue)
{
    char buf[64];
    snprintf(buf, sizeof buf, "%.15G", AValue);
    return buf;
}

std::string IncludeTrailingPathDelimiter(std::string_view APath)
{
    std::string out(APath);
    if (out.empty() || out.back() != PathDelim)
        out += PathDelim;
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view APath)
{
    std::string out(APath);
    while (out.size() > 1 && out.back() == PathDelim)
        out.pop_back();
    return out;
}

std::string ExtractFilePath(std::string_view AFileName)
{
    const size_t p = AFileName.rfind(PathDelim);
    return p == std::string_view::npos ? std::string() : std::string(AFileName.substr(0, p + 1));
}

std::string ExtractFileDir(std::string_view AFileName)
{
    const size_t p = AFileName.rfind(PathDelim);
    if (p == std::string_view::npos)
        return std::string();
    return p == 0 ? std::string(1, PathDelim) : std::string(AFileName.substr(0, p));
}

std::string ExtractFileName(std::string_view AFileName)
{
    const size_t p = AFileName.rfind(PathDelim);
    return std::string(p == std::string_view::npos ? AFileName : AFileName.substr(p + 1));
}

std::string ExtractFileExt(std::string_view AFileName)
{
    const size_t p = AFileName.find_last_of("./");
    if (p == std::string_view::npos || AFileName[p] != '.')
        return std::string();
    return std::string(AFileName.substr(p));
}

std::string ChangeFileExt(std::string_view AFileName, std::string_view AExt)
{
    const size_t p = AFileName.find_last_of("./");
    const size_t cut = (p != std::string_view::npos && AFileName[p] == '.') ? p : AFileName.size();
    return std::string(AFileName.substr(0, cut)) + std::string(AExt);
}

std::string ExpandFileName(std::string_view AFileName)
{
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(std::string(AFileName)), ec);
    return ec ? std::string(AFileName) : p.lexically_normal().string();
}

bool FileExists(const std::string& AFileName)
{
    struct stat st;
    return !AFileName.empty() && stat(AFileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& ADir)
{
    struct stat st;
    return !ADir.empty() && stat(ADir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& ADir)
{
    std::error_code ec;
    fs::create_directories(fs::path(ADir), ec);
    return DirectoryExists(ADir);
}

int64_t FileSizeByName(const std::string& AFileName)
{
    struct stat st;
    if (AFileName.empty() || stat(AFileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return int64_t(st.st_size);
}

bool DeleteFile(const std::string& AFileName) { return unlink(AFileName.c_str()) == 0; }

std::string GetCurrentDir()
{
    std::error_code ec;
    return fs::current_path(ec).string();
}

bool SetCurrentDir(const std::string& ADir) { return chdir(ADir.c_str()) == 0; }

std::string GetExeFileName()
{
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

std::string SysErrorMessage(int AErrorCode)
{
    char buf[256];
    return std::string(strerror_r(AErrorCode, buf, sizeof buf));
}

std::string GetEnvironmentVariable(const std::string& AName)
{
    const char* v = getenv(AName.c_str());
    return v ? std::string(v) : std::string();
}

void SetEnvironmentVariable(const std::string& AName, const std::string& AValue)
{
    setenv(AName.c_str(), AValue.c_str(), 1);
}

uint32_t GetTickCount()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int64_t GetTimeMicros()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

void Sleep(uint32_t AMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(AMilliseconds)); }

} // namespace platform
