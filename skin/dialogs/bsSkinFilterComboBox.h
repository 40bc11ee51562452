#pragma once
// The filter combo box of the file dialogs: a filter string of description
// and mask pairs ("All files (*.*)|*.*|Sounds|*.mp3;*.wav") becomes a list
// of descriptions, and Mask answers the mask of the chosen line.

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"

#include <string>
#include <vector>

namespace skin {

class TbsSkinFileListBox;

// The lines of a filter string: a description, "|", its mask, "|", ... A
// last description without its mask is dropped; one followed by "|" alone
// has an empty mask.
void ParseFilter(const std::string& AFilter, std::vector<std::string>& ADescriptions,
                 std::vector<std::string>& AMasks);

class TbsSkinFilterComboBox : public TbsSkinComboBox {
public:
    static constexpr const char* DefaultFilter = "All files (*.*)|*.*";

    explicit TbsSkinFilterComboBox(TComponent* AOwner);
    ~TbsSkinFilterComboBox() override;

    const std::string& Filter() const { return FFilter; }
    // Rebuilds the lines (once the window exists) unless only the letter
    // case differs, then runs Change.
    void SetFilter(const std::string& AValue);
    // The chosen line's mask; with none chosen the last line is chosen
    // first; "*.*" for an empty list.
    std::string Mask();
    const std::vector<std::string>& MaskList() const { return FMaskList; }
    // A file list box that takes the chosen line's mask on every choice.
    TbsSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TbsSkinFileListBox* AValue);

    void Click() override;
    void Change() override;

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    friend class TbsSkinFileListBox;
    void RebuildLists();

    TbsSkinFileListBox* FFileList = nullptr;
    std::string FFilter = DefaultFilter;
    std::vector<std::string> FMaskList;
};

} // namespace skin
