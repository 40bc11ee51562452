#pragma once
// TPersistent: objects that can copy themselves from other objects. An
// assignment that neither side understands raises EConvertError with the
// class library's text "Cannot assign a <source> to a <destination>".

#include <string>

#include "platform/core/Classes.h"

namespace platform {

class TPersistent : public TObject {
public:
    // Copies ASource into this object; the default asks ASource to AssignTo.
    virtual void Assign(TPersistent* ASource);
    virtual std::string ClassName() const { return "TPersistent"; }

protected:
    virtual void AssignTo(TPersistent* ADest);
    [[noreturn]] void AssignError(TPersistent* ASource);
};

} // namespace platform
