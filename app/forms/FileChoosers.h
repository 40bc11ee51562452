#pragma once
// Choosing files and folders for the add commands and the folder buttons.
// The window asks through this interface so tests answer for the user.

#include "platform/controls/Forms.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {
class TbsSkinData;
class TbsSkinOpenDialog;
class TbsSkinSelectDirectoryDialog;
} // namespace skin

namespace app {

class IFileChoosers {
public:
    virtual ~IFileChoosers() = default;
    // Empty when the user cancelled.
    virtual std::string ChooseFile(const std::string& AFilter) = 0;
    virtual std::vector<std::string> ChooseFiles(const std::string& AFilter) = 0;
    virtual std::string ChooseFolder(const std::string& ATitle, const std::string& AStartFolder) = 0;
    // A name to save a picture under: asks before an existing file is
    // replaced, and adds ADefaultExt to a name typed without an extension.
    virtual std::string ChoosePictureName(const std::string& AFilter, const std::string& ADefaultExt) = 0;
};

// The open-dialog filter of the add commands: 42 entries of description and masks.
const std::string& MediaFileFilter();

// The skinned dialogs: "打开文件" for one or several files, and the folder
// dialogs, where the output and snapshot folders share one that opens on
// the folder last confirmed in either use.
class TSkinChoosers : public IFileChoosers {
public:
    TSkinChoosers(platform::TComponent* AOwner, skin::TbsSkinData* ASkinData);
    std::string ChooseFile(const std::string& AFilter) override;
    std::vector<std::string> ChooseFiles(const std::string& AFilter) override;
    std::string ChooseFolder(const std::string& ATitle, const std::string& AStartFolder) override;
    std::string ChoosePictureName(const std::string& AFilter, const std::string& ADefaultExt) override;

private:
    skin::TbsSkinOpenDialog* FOpenOne;   // OpenDialog1
    skin::TbsSkinOpenDialog* FOpenMany;  // OpenDialog2
    skin::TbsSkinOpenDialog* FSavePicture; // SavePictureDialog1
    skin::TbsSkinSelectDirectoryDialog* FAddFolder;    // bsSkinSelectDirectoryDialog1
    skin::TbsSkinSelectDirectoryDialog* FOutputFolder; // bsSkinSelectDirectoryDialog2
};

} // namespace app
