#pragma once
// The locale's number formatting, as the run-time library keeps it: one
// process-wide setting that number entry and formatting consult.

namespace platform {

// The character between the integer and fractional digits.
inline char16_t DecimalSeparator = u'.';

} // namespace platform
