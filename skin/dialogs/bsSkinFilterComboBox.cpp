#include "skin/dialogs/bsSkinFilterComboBox.h"

#include "skin/dialogs/bsSkinFileCtrls.h"

#include "platform/core/SysUtils.h"

namespace skin {

void ParseFilter(const std::string& AFilter, std::vector<std::string>& ADescriptions,
                 std::vector<std::string>& AMasks)
{
    ADescriptions.clear();
    AMasks.clear();
    std::string s = AFilter;
    for (size_t bar = s.find('|'); bar != std::string::npos; bar = s.find('|')) {
        ADescriptions.push_back(s.substr(0, bar));
        s.erase(0, bar + 1);
        const size_t next = s.find('|');
        AMasks.push_back(s.substr(0, next));
        s = next == std::string::npos ? std::string() : s.substr(next + 1);
    }
}

TbsSkinFilterComboBox::TbsSkinFilterComboBox(TComponent* AOwner) : TbsSkinComboBox(AOwner) {}

TbsSkinFilterComboBox::~TbsSkinFilterComboBox()
{
    if (FFileList)
        FFileList->FFilterCombo = nullptr;
}

void TbsSkinFilterComboBox::SetFileList(TbsSkinFileListBox* AValue)
{
    if (FFileList && FFileList != AValue)
        FFileList->FFilterCombo = nullptr;
    ChangeReference(this, FFileList, AValue);
    if (FFileList)
        FFileList->FFilterCombo = this;
}

void TbsSkinFilterComboBox::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinComboBox::Notification(AComponent, AOperation);
    if (AOperation == platform::opRemove && AComponent == FFileList)
        FFileList = nullptr;
}

void TbsSkinFilterComboBox::Change()
{
    if (FFileList)
        FFileList->SetMask(Mask());
    TbsSkinComboBox::Change();
}

void TbsSkinFilterComboBox::SetFilter(const std::string& AValue)
{
    // File names compare without regard to case on the platform the
    // filters were written for; a filter differing only so is the same.
    if (platform::CompareText(AValue, FFilter) == 0)
        return;
    FFilter = AValue;
    if (HandleAllocated())
        RebuildLists();
    Change();
}

void TbsSkinFilterComboBox::RebuildLists()
{
    std::vector<std::string> descriptions;
    ParseFilter(FFilter, descriptions, FMaskList);
    Items()->Clear();
    for (const std::string& d : descriptions)
        Items()->Add(d);
    SetItemIndex(0);
}

std::string TbsSkinFilterComboBox::Mask()
{
    if (ItemIndex() < 0 && Items()->Count() > 0)
        SetItemIndex(Items()->Count() - 1);
    const int index = ItemIndex();
    if (index >= 0 && index < int(FMaskList.size()))
        return FMaskList[size_t(index)];
    return "*.*";
}

void TbsSkinFilterComboBox::Click()
{
    TbsSkinComboBox::Click();
    Change();
}

void TbsSkinFilterComboBox::CreateWnd()
{
    TbsSkinComboBox::CreateWnd();
    RebuildLists();
}

} // namespace skin
