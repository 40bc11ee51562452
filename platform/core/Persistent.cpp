#include "platform/core/Persistent.h"

#include "platform/core/Exceptions.h"

namespace platform {

void TPersistent::Assign(TPersistent* ASource)
{
    if (ASource != nullptr)
        ASource->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* ADest)
{
    ADest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* ASource)
{
    std::string SourceName = ASource != nullptr ? ASource->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + SourceName + " to a " + ClassName());
}

} // namespace platform
