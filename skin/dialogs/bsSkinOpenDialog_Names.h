#pragma once
// The file-name rules of the open and save dialogs, apart from their
// controls: the extension a filter entry implies, completing a typed name,
// what the OK button does with the typed name and the list's selection, and
// the names of new folders.

#include <string>

namespace skin {

// The extension (dot included) a filter mask implies: that of its first
// pattern, none when the mask contains ".*" ("*.bmp;*.dib" gives ".bmp").
std::string FilterExtension(const std::string& AMask);

// Whether the file part of AName (after the last "/") holds a dot.
bool HasFileExtension(const std::string& AName);

// A typed name given the extension of a newly chosen filter entry: its own
// extension replaced, or the extension appended. Unchanged for an empty
// name or extension.
std::string NameForFilter(const std::string& AName, const std::string& AFilterExt);

// The name a save dialog returns for AJoined: the filter extension when it
// has none, then "." + ADefaultExt when it still has none.
std::string CompletedSaveName(const std::string& AJoined, const std::string& AFilterExt,
                              const std::string& ADefaultExt);

// What the OK button sees and decides.
struct TbsOkInput {
    bool SaveMode = false;
    bool CheckFileExists = true;
    bool OverwritePrompt = false;
    std::string Selected;     // the list's selected file, empty for none or a folder
    std::string Typed;        // the name field
    std::string Folder;       // the list's folder, "/" at its end
    std::string DefaultExt;   // without the dot
    std::string FilterExt;    // FilterExtension of the chosen entry
};

struct TbsOkDecision {
    enum TAction { Stay, Close, AskOverwrite } Action = Stay;
    std::string FileName;     // Close, and AskOverwrite once the user agrees
};

// ADefaultExt preferred, else the filter's.
std::string DialogDefaultExt(const TbsOkInput& AInput);
TbsOkDecision DecideOk(const TbsOkInput& AInput);

// "New Folder", then "New Folder(2)", ... for the count of clicks.
std::string NewFolderName(const std::string& ABase, int ACount);

} // namespace skin
