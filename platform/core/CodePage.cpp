#include "platform/core/CodePage.h"

#include <iconv.h>
#include <mutex>

namespace platform {
namespace {

std::mutex GCodePageLock;
std::string GCodePage = "UTF-8";

bool IsUtf8(const std::string& AName)
{
    return AName == "UTF-8" || AName == "utf-8" || AName == "UTF8" || AName == "utf8";
}

// Converts with iconv, replacing what cannot be converted by AReplacement.
std::string Convert(const std::string& AFrom, const std::string& ATo, std::string_view AText,
                    const std::string& AReplacement, bool* ALossy)
{
    if (ALossy)
        *ALossy = false;
    iconv_t cd = iconv_open(ATo.c_str(), AFrom.c_str());
    if (cd == (iconv_t)-1)
        return std::string(AText);
    std::string out;
    char* in = const_cast<char*>(AText.data());
    size_t inLeft = AText.size();
    char buf[1024];
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buf, size_t(o - buf));
        if (r == (size_t)-1 && errno != E2BIG) {
            // Skip one source character (a whole UTF-8 sequence when the
            // source is UTF-8) and write the replacement instead.
            size_t skip = 1;
            if (IsUtf8(AFrom)) {
                const unsigned char lead = (unsigned char)*in;
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (skip > inLeft)
                    skip = inLeft;
            }
            in += skip;
            inLeft -= skip;
            out += AReplacement;
            if (ALossy)
                *ALossy = true;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view AText)
{
    const std::string bytes = Convert("UTF-8", "UTF-16LE", AText, "\xFD\xFF", nullptr);
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = char16_t((unsigned char)bytes[2 * i] | ((unsigned char)bytes[2 * i + 1] << 8));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view AText)
{
    std::string bytes(AText.size() * 2, '\0');
    for (size_t i = 0; i < AText.size(); ++i) {
        bytes[2 * i] = char(AText[i] & 0xFF);
        bytes[2 * i + 1] = char(AText[i] >> 8);
    }
    return Convert("UTF-16LE", "UTF-8", bytes, "\xEF\xBF\xBD", nullptr);
}

bool SetSystemCodePage(const std::string& AName)
{
    iconv_t cd = iconv_open(AName.c_str(), "UTF-8");
    if (cd == (iconv_t)-1)
        return false;
    iconv_close(cd);
    std::lock_guard<std::mutex> guard(GCodePageLock);
    GCodePage = AName;
    return true;
}

std::string GetSystemCodePage()
{
    std::lock_guard<std::mutex> guard(GCodePageLock);
    return GCodePage;
}

std::string Utf8ToAnsi(std::string_view AText, bool* ALossy)
{
    const std::string cp = GetSystemCodePage();
    if (IsUtf8(cp)) {
        if (ALossy)
            *ALossy = false;
        return std::string(AText);
    }
    return Convert("UTF-8", cp, AText, "?", ALossy);
}

std::string AnsiToUtf8(std::string_view AText)
{
    const std::string cp = GetSystemCodePage();
    if (IsUtf8(cp))
        return std::string(AText);
    return Convert(cp, "UTF-8", AText, "\xEF\xBF\xBD", nullptr);
}

bool FitsAnsiCodePage(std::string_view AText)
{
    bool lossy = false;
    const std::string ansi = Utf8ToAnsi(AText, &lossy);
    return !lossy && AnsiToUtf8(ansi) == AText;
}

} // namespace platform
