// Editing the list between adding and starting: remove, move, rename, clear.
#include "app/workflow/Workflow.h"

#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"
#include "platform/core/SysUtils.h"

namespace app {

using namespace profiles;

namespace {

const char* const NothingToRemoveText = "请先选择您需要删除的项目！";
const char* const NothingToRenameText = "请先选中您需要重命名的项目！";
const char* const BadNameText = "输出文件名无效：不能含有“/”或控制字符，不能是“.”或“..”，且不能超过255字节。";
const char* const TakenNameText = "列表中的另一个文件已经使用这个文件名（作为输出或源文件），请换一个名字。";

// A name the file system takes as one plain file name in the folder.
bool IsValidFileName(const std::string& AName)
{
    if (AName.empty() || AName.size() > 255 || AName == "." || AName == "..")
        return false;
    for (unsigned char c : AName)
        if (c == '/' || c < 0x20 || c == 0x7f)
            return false;
    return true;
}

// The extension of a row's own profile; the current one when its code is
// unreadable.
std::string RowExtension(const TTaskRow& ARow, const std::string& AFallback)
{
    const auto choice = ParseRowChoice(ARow.Sub(siProfileCode), "000000000000");
    if (!choice)
        return AFallback;
    const auto names = ProfileNamesAt(choice->CategoryPosition);
    if (choice->ProfilePosition < 0 || choice->ProfilePosition >= int(names.size()))
        return AFallback;
    return ExtensionOfProfileName(names[size_t(choice->ProfilePosition)]);
}

} // namespace

void TConverterWorkflow::RemoveSelected()
{
    const int index = FRows.ItemIndex();
    if (index < 0) {
        FView.ShowHint(NothingToRemoveText);
        return;
    }
    const int number = platform::StrToIntDef(FRows.Row(index).Sub(siTaskNumber), 0);
    if (number >= 1) {
        try {
            FEngine.RemoveTask(number - 1);
        } catch (const std::exception& E) {
            AddLogLine(E.what());
        }
    }
    FRows.Delete(index);
    FRows.TaskRemoved(number);
    FCommands.RowsLeft(FRows.Count());
    FView.RowsChanged();
    if (!FRows.Empty())
        SelectRow(0);
    else
        FView.StopPreview();
}

void TConverterWorkflow::MoveSelectedUp()
{
    const int index = FRows.ItemIndex();
    if (index <= 0)
        return;
    FRows.Exchange(index, index - 1);
    SelectRow(index - 1);
}

void TConverterWorkflow::MoveSelectedDown()
{
    const int index = FRows.ItemIndex();
    if (index < 0 || index >= FRows.Count() - 1)
        return;
    FRows.Exchange(index, index + 1);
    SelectRow(index + 1);
}

std::optional<int> TConverterWorkflow::BeginRename(bool AWithHint)
{
    const int index = FRows.ItemIndex();
    if (index < 0) {
        if (AWithHint)
            FView.ShowHint(NothingToRenameText);
        return std::nullopt;
    }
    return index;
}

bool TConverterWorkflow::FinishRename(int ARow, const std::string& AText)
{
    if (ARow < 0 || ARow >= FRows.Count() || AText.empty())
        return false;
    TTaskRow& row = FRows.Row(ARow);
    const std::string name = AText + RowExtension(row, ProfileExtension());
    if (!IsValidFileName(name)) {
        FView.ShowHint(BadNameText);
        return false;
    }
    const std::string path = platform::IncludeTrailingPathDelimiter(FOutputFolder) + name;
    if (FRows.TakenPaths(FOutputFolder, ARow).count(OutputPathKey(path)) != 0) {
        FView.ShowHint(TakenNameText);
        return false;
    }
    SetRowOutput(ARow, path);
    FView.RowChanged(ARow);
    return true;
}

void TConverterWorkflow::Clear()
{
    try {
        FEngine.ClearTasks();
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
    FRows.Clear();
    FTaskRows.clear();
    FCommands.StartUp();
    FView.RowsChanged();
    FView.StopPreview();
}

void TConverterWorkflow::ListClicked()
{
    if (FRows.ItemIndex() < 0)
        FView.StopPreview();
}

} // namespace app
