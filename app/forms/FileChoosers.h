#pragma once
// Choosing files and folders for the add commands and the folder buttons.
// The window asks through this interface so tests answer for the user.

#include "platform/controls/Forms.h"

#include <memory>
#include <string>
#include <vector>

namespace app {

class IFileChoosers {
public:
    virtual ~IFileChoosers() = default;
    // Empty when the user cancelled.
    virtual std::string ChooseFile(const std::string& AFilter) = 0;
    virtual std::vector<std::string> ChooseFiles(const std::string& AFilter) = 0;
    virtual std::string ChooseFolder(const std::string& ATitle, const std::string& AStartFolder) = 0;
};

// The open-dialog filter of the add commands: 42 entries of description and masks.
const std::string& MediaFileFilter();

// A modal box with a path line: a typed or pasted path, or several paths
// separated by ";" for several files.
class TPathChoosers : public IFileChoosers {
public:
    explicit TPathChoosers(platform::TCustomForm* AOwner) : FOwner(AOwner) {}
    std::string ChooseFile(const std::string& AFilter) override;
    std::vector<std::string> ChooseFiles(const std::string& AFilter) override;
    std::string ChooseFolder(const std::string& ATitle, const std::string& AStartFolder) override;

private:
    std::string AskPath(const std::string& ATitle, const std::string& APrompt, const std::string& AStart);
    platform::TCustomForm* FOwner;
    std::string FLastFolder;
};

} // namespace app
