#pragma once
// The exception classes of the run-time library that the program's texts
// rely on. Message() is the text a user or a log sees.

#include <stdexcept>
#include <string>

namespace platform {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& AMessage) : std::runtime_error(AMessage) {}
    std::string Message() const { return what(); }
};

// Raised by failed conversions of text into numbers.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Raised by Assert; the text ends the way the run-time library words it.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// Raised when the operating system refuses a call.
class EOSError : public Exception {
public:
    using Exception::Exception;
};

// Raised by lists, string lists and collections for an index outside them:
// "List index out of bounds (<index>)".
class EListError : public Exception {
public:
    using Exception::Exception;
};

class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// Raises EAssertionFailed with "<message> (<file>, line <n>)" when the
// condition is false. With an empty message the text is "Assertion failure".
void AssertTrue(bool ACondition, const std::string& AMessage, const char* AFile, int ALine);

} // namespace platform

#define ZASSERT(cond) ::platform::AssertTrue((cond), std::string(), __FILE__, __LINE__)
#define ZASSERT_MSG(cond, msg) ::platform::AssertTrue((cond), (msg), __FILE__, __LINE__)
