#pragma once
// Text formatting.
//
// Format follows the run-time library's rules, which the program's texts are
// written in: %d %u %x %e %f %g %n %m %p %s with optional "-", width,
// ".precision" and "*"; "%f" without precision means two decimals; "%x" is
// upper-case hexadecimal; "%.2d" pads with zeros. Arguments are checked by
// kind: a mismatch raises EConvertError ("Format '%s' invalid or incompatible
// with argument").
//
// FormatC is C's printf, for texts that the C libraries format.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace platform {

using TFormatArg = std::variant<int64_t, uint64_t, double, std::string, const void*>;

std::string FormatArgs(std::string_view AFormat, const std::vector<TFormatArg>& AArgs);

namespace detail {
template <typename T>
TFormatArg ToFormatArg(const T& AValue)
{
    using D = std::decay_t<T>;
    if constexpr (std::is_same_v<D, bool>)
        return TFormatArg(int64_t(AValue ? 1 : 0));
    else if constexpr (std::is_enum_v<D>)
        return TFormatArg(int64_t(AValue));
    else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>)
        return TFormatArg(int64_t(AValue));
    else if constexpr (std::is_integral_v<D>)
        return TFormatArg(uint64_t(AValue));
    else if constexpr (std::is_floating_point_v<D>)
        return TFormatArg(double(AValue));
    else if constexpr (std::is_convertible_v<const D&, std::string_view>)
        return TFormatArg(std::string(std::string_view(AValue)));
    else if constexpr (std::is_pointer_v<D>)
        return TFormatArg(static_cast<const void*>(AValue));
    else
        static_assert(sizeof(D) == 0, "Format: unsupported argument type");
}
} // namespace detail

template <typename... Args>
std::string Format(std::string_view AFormat, const Args&... AArgs)
{
    return FormatArgs(AFormat, std::vector<TFormatArg>{detail::ToFormatArg(AArgs)...});
}

std::string FormatC(const char* AFormat, ...) __attribute__((format(printf, 1, 2)));

} // namespace platform
