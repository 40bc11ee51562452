#pragma once
// The about box "关于": the logo, the program's name and version, and where
// to learn more.

#include "platform/controls/Forms.h"

#include <string>

namespace skin {
class TbsSkinData;
}

namespace app {

class TForm2 : public platform::TForm {
public:
    // AHelpPage is what the first link opens (the program's own pages stand
    // for its home page); the second writes to us.
    TForm2(platform::TComponent* AOwner, const std::string& AHelpPage);

    // The box's frame and controls drawn by ASkinData: centred on the
    // desktop at its first show, with its icon, clinging to screen edges
    // within 10 pixels, without caption buttons.
    void SkinWith(skin::TbsSkinData* ASkinData);
};

} // namespace app
