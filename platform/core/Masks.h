#pragma once
// File-name masks: "*" any run of characters (also none), "?" one
// character, "[a-z]" one character of a set, "[!a-z]" one outside it; other
// characters match themselves, ASCII letters without regard to case.
// Characters are UTF-8 code points.

#include "platform/core/Exceptions.h"

#include <string>

namespace platform {

// "'<mask>' is an invalid mask at (<1-based position>)": an empty or
// unclosed set, a range without a start, or more than 30 "*".
class EMaskException : public Exception {
public:
    using Exception::Exception;
};

// Raises EMaskException for an invalid mask.
bool MatchesMask(const std::string& AFileName, const std::string& AMask);

} // namespace platform
