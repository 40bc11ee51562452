#include "engine/component/FFConverter_Options.h"

namespace engine {

// The member initialisers are the single table of defaults; assigning a
// fresh record releases every text of the old one.
void InitInputOptions(TInputOptions& AOptions)
{
    AOptions = TInputOptions{};
}

void InitOutputOptions(TOutputOptions& AOptions)
{
    AOptions = TOutputOptions{};
}

} // namespace engine
