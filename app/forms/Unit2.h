#pragma once
// The about box "关于": the logo, the program's name and version, and where
// to learn more.

#include "platform/controls/Forms.h"

namespace app {

class TForm2 : public platform::TForm {
public:
    explicit TForm2(platform::TComponent* AOwner);
};

} // namespace app
