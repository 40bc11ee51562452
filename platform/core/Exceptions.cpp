#include "platform/core/Exceptions.h"

namespace platform {

void AssertTrue(bool ACondition, const std::string& AMessage, const char* AFile, int ALine)
{
    if (ACondition)
        return;
    const std::string text = AMessage.empty() ? std::string("Assertion failure") : AMessage;
    throw EAssertionFailed(text + " (" + AFile + ", line " + std::to_string(ALine) + ")");
}

} // namespace platform
