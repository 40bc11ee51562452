#pragma once
// The run-time library's input/output error: a file or folder operation
// failed with a system error code.

#include "platform/core/Exceptions.h"

namespace platform {

class EInOutError : public Exception {
public:
    EInOutError(const std::string& AMessage, int AErrorCode) : Exception(AMessage), ErrorCode(AErrorCode) {}
    int ErrorCode;
};

} // namespace platform
