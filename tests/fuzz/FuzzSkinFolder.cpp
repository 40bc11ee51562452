// A skin folder: the first part of the input is the INI file "skin.ini", the
// others are the pictures "p1.bmp", "p2.bmp", ... beside it. A load either
// gives a skin or fails with a message and leaves the model empty; a skin
// that loaded is stored to another folder and loads from there the same.

#include "fuzz/FuzzFiles.h"

#include <filesystem>
#include "fuzz/FuzzSkinShared.h"

using namespace skin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const fuzz::TScratchFolder Folder;
    Folder.Clear();
    const auto Files = fuzz::SplitFiles(std::string_view(reinterpret_cast<const char*>(Data), Size));
    const std::string IniFile = Folder.Write("skin.ini", Files[0]);
    for (size_t I = 1; I < Files.size(); ++I)
        Folder.Write("p" + std::to_string(I) + ".bmp", Files[I]);

    TbsSkinData First(nullptr);
    const TbsSkinStatus Status = First.LoadFromFile(IniFile);
    fuzz::CheckLoadStatus(Status, First);
    if (!Status.Ok())
        return 0;

    std::filesystem::create_directory(Folder.Path() + "/stored");
    const std::string StoredIni = Folder.Path() + "/stored/skin.ini";
    FUZZ_CHECK(First.StoreToDisk(StoredIni).Ok());
    TbsSkinData Second(nullptr);
    const TbsSkinStatus Reloaded = Second.LoadFromFile(StoredIni);
    FUZZ_CHECK(Reloaded.Ok());
    FUZZ_CHECK_SAME_TEXT(fuzz::SkinIniText(Second), fuzz::Reread(fuzz::SkinIniText(First)));
    FUZZ_CHECK(Second.FActivePictures.size() == First.FActivePictures.size());
    return 0;
}
