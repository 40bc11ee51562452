#include "platform/core/Format.h"

#include "platform/core/Exceptions.h"

#include <cstdarg>
#include <cstdio>

namespace platform {
namespace {

[[noreturn]] void FormatError(std::string_view AFormat)
{
    throw EConvertError("Format '" + std::string(AFormat) + "' invalid or incompatible with argument");
}

struct TSpec {
    bool LeftAlign = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

std::string Pad(std::string AText, const TSpec& ASpec)
{
    if (ASpec.Width > 0 && int(AText.size()) < ASpec.Width) {
        const std::string fill(size_t(ASpec.Width) - AText.size(), ' ');
        AText = ASpec.LeftAlign ? AText + fill : fill + AText;
    }
    return AText;
}

// Digits of an integer, zero-padded to the precision, sign in front.
std::string IntegerText(bool ANegative, std::string ADigits, int APrecision)
{
    if (APrecision > int(ADigits.size()))
        ADigits.insert(0, size_t(APrecision) - ADigits.size(), '0');
    return ANegative ? "-" + ADigits : ADigits;
}

std::string WithThousands(const std::string& AFixed)
{
    const size_t start = (AFixed[0] == '-') ? 1 : 0;
    size_t dot = AFixed.find('.');
    if (dot == std::string::npos)
        dot = AFixed.size();
    std::string out = AFixed.substr(0, start);
    for (size_t i = start; i < dot; ++i) {
        out += AFixed[i];
        const size_t left = dot - i - 1;
        if (left > 0 && left % 3 == 0)
            out += ',';
    }
    return out + AFixed.substr(dot);
}

std::string FloatText(double AValue, const TSpec& ASpec)
{
    char buf[512];
    switch (ASpec.Type) {
    case 'f':
    case 'm':
        snprintf(buf, sizeof buf, "%.*f", ASpec.Precision < 0 ? 2 : ASpec.Precision, AValue);
        return buf;
    case 'n':
        snprintf(buf, sizeof buf, "%.*f", ASpec.Precision < 0 ? 2 : ASpec.Precision, AValue);
        return WithThousands(buf);
    case 'g':
        snprintf(buf, sizeof buf, "%.*G", ASpec.Precision < 0 ? 15 : ASpec.Precision, AValue);
        return buf;
    default: { // 'e': the run-time library writes at least three exponent digits
        const int digits = ASpec.Precision < 0 ? 15 : ASpec.Precision;
        snprintf(buf, sizeof buf, "%.*E", digits > 0 ? digits - 1 : 0, AValue);
        std::string text = buf;
        const size_t e = text.find('E');
        if (e != std::string::npos && text.size() - e - 2 < 3)
            text.insert(e + 2, 3 - (text.size() - e - 2), '0');
        return text;
    }
    }
}

std::string Convert(std::string_view AFormat, const TSpec& ASpec, const TFormatArg& AArg)
{
    switch (ASpec.Type) {
    case 'd':
        if (auto v = std::get_if<int64_t>(&AArg)) {
            const uint64_t magnitude = *v < 0 ? 0 - uint64_t(*v) : uint64_t(*v);
            return IntegerText(*v < 0, std::to_string(magnitude), ASpec.Precision);
        }
        if (auto v = std::get_if<uint64_t>(&AArg))
            return IntegerText(false, std::to_string(*v), ASpec.Precision);
        break;
    case 'u':
    case 'x': {
        uint64_t v = 0;
        if (auto s = std::get_if<int64_t>(&AArg))
            v = uint64_t(*s) & (*s < 0 && *s >= INT32_MIN ? 0xFFFFFFFFull : ~0ull);
        else if (auto u = std::get_if<uint64_t>(&AArg))
            v = *u;
        else
            break;
        char buf[32];
        snprintf(buf, sizeof buf, ASpec.Type == 'u' ? "%llu" : "%llX", (unsigned long long)v);
        return IntegerText(false, buf, ASpec.Precision);
    }
    case 'e':
    case 'f':
    case 'g':
    case 'n':
    case 'm':
        if (auto v = std::get_if<double>(&AArg))
            return FloatText(*v, ASpec);
        break;
    case 's':
        if (auto v = std::get_if<std::string>(&AArg))
            return ASpec.Precision >= 0 && size_t(ASpec.Precision) < v->size()
                       ? v->substr(0, size_t(ASpec.Precision))
                       : *v;
        break;
    case 'p':
        if (auto v = std::get_if<const void*>(&AArg)) {
            char buf[32];
            snprintf(buf, sizeof buf, "%016llX", (unsigned long long)(uintptr_t)*v);
            return buf;
        }
        break;
    }
    FormatError(AFormat);
}

} // namespace

std::string FormatArgs(std::string_view AFormat, const std::vector<TFormatArg>& AArgs)
{
    std::string out;
    size_t next = 0;
    auto takeInt = [&]() -> int {
        if (next >= AArgs.size())
            FormatError(AFormat);
        const auto* v = std::get_if<int64_t>(&AArgs[next++]);
        if (!v)
            FormatError(AFormat);
        return int(*v);
    };
    for (size_t i = 0; i < AFormat.size(); ++i) {
        const char c = AFormat[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= AFormat.size())
            FormatError(AFormat);
        if (AFormat[i] == '%') {
            out += '%';
            continue;
        }
        TSpec spec;
        auto readNumber = [&](int& AValue) {
            if (AFormat[i] == '*') {
                AValue = takeInt();
                ++i;
                return;
            }
            if (!isdigit((unsigned char)AFormat[i]))
                return;
            AValue = 0;
            while (i < AFormat.size() && isdigit((unsigned char)AFormat[i]))
                AValue = AValue * 10 + (AFormat[i++] - '0');
        };
        // An index "n:" selects the argument; it looks like a width at first.
        size_t j = i;
        int index = 0;
        while (j < AFormat.size() && isdigit((unsigned char)AFormat[j]))
            index = index * 10 + (AFormat[j++] - '0');
        if (j > i && j < AFormat.size() && AFormat[j] == ':') {
            next = size_t(index);
            i = j + 1;
        }
        if (i < AFormat.size() && AFormat[i] == '-') {
            spec.LeftAlign = true;
            ++i;
        }
        if (i < AFormat.size())
            readNumber(spec.Width);
        if (i < AFormat.size() && AFormat[i] == '.') {
            ++i;
            spec.Precision = 0;
            if (i < AFormat.size())
                readNumber(spec.Precision);
        }
        if (i >= AFormat.size())
            FormatError(AFormat);
        spec.Type = char(tolower((unsigned char)AFormat[i]));
        if (next >= AArgs.size())
            FormatError(AFormat);
        out += Pad(Convert(AFormat, spec, AArgs[next++]), spec);
    }
    return out;
}

std::string FormatC(const char* AFormat, ...)
{
    va_list args;
    va_start(args, AFormat);
    va_list copy;
    va_copy(copy, args);
    const int length = vsnprintf(nullptr, 0, AFormat, copy);
    va_end(copy);
    std::string out;
    if (length > 0) {
        out.resize(size_t(length) + 1);
        vsnprintf(out.data(), out.size(), AFormat, args);
        out.resize(size_t(length));
    }
    va_end(args);
    return out;
}

} // namespace platform
