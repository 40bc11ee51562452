// Skin folders: one INI file describing the skin and, beside it, the BMP
// files it names.

#include "skin/core/bsSkinData.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <fstream>
#include <set>

namespace skin {

using platform::IntToStr;

namespace {

namespace fs = std::filesystem;

const char* const RequiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};

// Sections of the skin itself. A record's section is named after the
// record, and storing a record erases its section first: a record of such a
// name would read the skin's own keys and wipe them when stored.
bool IsReservedSectionName(const std::string& AName)
{
    static const char* const Others[] = {"POPUPWINDOW", "LAYERFRAME", "HINTWINDOW", "SKINCOLORS"};
    const auto same = [&](const char* ASection) { return platform::SameText(AName, ASection); };
    return std::any_of(std::begin(RequiredSections), std::end(RequiredSections), same) ||
           std::any_of(std::begin(Others), std::end(Others), same);
}

// Skins made on other systems may name files with "\" and in another letter
// case than the files have on disk.
std::string SkinFilePath(const std::string& AFolder, std::string AName)
{
    std::replace(AName.begin(), AName.end(), '\\', '/');
    fs::path path(AFolder);
    for (const fs::path& part : fs::path(AName)) {
        std::error_code ec;
        fs::path next = path / part;
        if (!fs::exists(next, ec) && fs::is_directory(path, ec))
            for (const auto& entry : fs::directory_iterator(path, ec))
                if (platform::SameText(entry.path().filename().string(), part.string())) {
                    next = entry.path();
                    break;
                }
        path = std::move(next);
    }
    return path.string();
}

// A stored name must stay inside the skin's folder.
bool IsSafeSkinFileName(const std::string& AName)
{
    if (AName.empty())
        return false;
    std::string name = AName;
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path path(name);
    if (path.is_absolute() || path.filename().empty())
        return false;
    for (const auto& part : path)
        if (part == "..")
            return false;
    return true;
}

// The file a skin's picture name reads: only inside the skin's folder (no
// absolute name, no "..", no link that leads out) and only a regular file,
// so that a skin can neither read files elsewhere nor hang the load on a
// pipe or a device.
std::string SkinPicturePath(const std::string& AFolder, const std::string& AName)
{
    if (!IsSafeSkinFileName(AName))
        throw platform::Exception("\"" + AName + "\": a skin picture must be a file inside the skin's folder");
    const std::string path = SkinFilePath(AFolder, AName);
    std::error_code ec;
    const fs::path real = fs::canonical(path, ec);
    if (ec)
        return path; // missing: the picture reader says so
    const fs::path folder = fs::canonical(AFolder, ec);
    const auto [end, inside] = std::mismatch(folder.begin(), folder.end(), real.begin(), real.end());
    if (ec || end != folder.end())
        throw platform::Exception("\"" + path + "\": a skin picture must be a file inside the skin's folder");
    if (!fs::is_regular_file(real, ec))
        throw platform::Exception("\"" + path + "\": a skin picture must be a regular file");
    return path;
}

// One past the largest entry index present in a list section, so that a
// damaged "count" cannot make the reader walk billions of missing entries.
int ListEntryLimit(const TCustomIniFile& AIniFile, const std::string& ASection, int ACount)
{
    platform::TStringList keys;
    AIniFile.ReadSection(ASection, keys);
    int limit = 0;
    for (int i = 0; i < keys.Count(); ++i) {
        const int index = platform::StrToIntDef(keys[i], -1);
        if (index >= 0 && IntToStr(index) == keys[i])
            limit = std::max(limit, index + 1);
    }
    return std::min(limit, ACount);
}

template <typename TRecord, typename TCreate>
void ReadSkinList(const TCustomIniFile& AIniFile, const std::string& ASection,
                  std::vector<std::unique_ptr<TRecord>>& AList, TCreate ACreate,
                  const std::function<void(TRecord&)>& AAfterRead)
{
    const int count = ListEntryLimit(AIniFile, ASection, AIniFile.ReadInteger(ASection, "count", 0));
    for (int i = 0; i < count; ++i) {
        std::string name, kind;
        TbsSkinData::SplitSkinListEntry(AIniFile.ReadString(ASection, IntToStr(i), ""), name, kind);
        if (IsReservedSectionName(name))
            continue;
        auto record = ACreate(kind, name);
        if (!record)
            continue;
        AList.push_back(std::move(record));
        AList.back()->LoadFromFile(AIniFile);
        if (AAfterRead)
            AAfterRead(*AList.back());
    }
}

template <typename TRecord, typename TKind>
void WriteSkinList(TCustomIniFile& AIniFile, const std::string& ASection,
                   const std::vector<std::unique_ptr<TRecord>>& AList, TKind AKindOf)
{
    AIniFile.EraseSection(ASection);
    AIniFile.WriteInteger(ASection, "count", int(AList.size()));
    for (size_t i = 0; i < AList.size(); ++i) {
        AIniFile.WriteString(ASection, IntToStr(int64_t(i)), AList[i]->IDName + ":" + AKindOf(*AList[i]));
        AList[i]->SaveToFile(AIniFile);
    }
}

TbsSkinStatus Failed(const std::string& AMessage)
{
    return {TbsSkinStatusCode::Failed, AMessage};
}

} // namespace

bool TbsSkinData::IsSkinIniFile(const TCustomIniFile& AIniFile)
{
    for (const char* section : RequiredSections) {
        platform::TStringList keys;
        AIniFile.ReadSection(section, keys);
        if (keys.Count() == 0)
            return false;
    }
    return true;
}

void TbsSkinData::SplitSkinListEntry(const std::string& AText, std::string& AIDName, std::string& AKind)
{
    const size_t colon = AText.find(':');
    AIDName = colon == std::string::npos ? std::string() : AText.substr(0, colon);
    AKind = colon == std::string::npos ? std::string() : AText.substr(colon + 1);
}

// ---------------------------------------------------------------- reading

TbsSkinStatus TbsSkinData::LoadFromFile(const std::string& AFileName)
{
    return LoadSkin([&](TbsSkinData& AStaging) -> TbsSkinStatus {
        if (!platform::FileExists(AFileName))
            return {TbsSkinStatusCode::NotASkin, "Skin file \"" + AFileName + "\" does not exist"};
        platform::TMemIniFile ini(AFileName);
        if (!IsSkinIniFile(ini))
            return {TbsSkinStatusCode::NotASkin, "\"" + AFileName + "\" is not a skin file"};
        try {
            AStaging.ReadSkinIni(ini, platform::ExtractFilePath(platform::ExpandFileName(AFileName)));
        } catch (const std::exception& E) {
            return Failed("Skin \"" + AFileName + "\" cannot be loaded: " + E.what());
        }
        return {};
    });
}

void TbsSkinData::ReadSkinIni(const TCustomIniFile& AIniFile, const std::string& AFolder, bool ALoadPictures)
{
    SkinName = AIniFile.ReadString("VERSION", "skinname", "");
    SkinAuthor = AIniFile.ReadString("VERSION", "skinauthor", "");
    AuthorEmail = AIniFile.ReadString("VERSION", "authoremail", "");
    AuthorURL = AIniFile.ReadString("VERSION", "authorurl", "");
    SkinComments = AIniFile.ReadString("VERSION", "skincomments", "");

    FPictureName = AIniFile.ReadString("PICTURES", "picture", "");
    FInActivePictureName = AIniFile.ReadString("PICTURES", "inactivepicture", "");
    FMaskName = AIniFile.ReadString("PICTURES", "mask", "");
    const std::pair<const std::string*, TbsPicture*> frames[] = {
        {&FPictureName, FPicture.get()}, {&FInActivePictureName, FInActivePicture.get()}, {&FMaskName, FMask.get()}};
    for (const auto& [name, picture] : frames) {
        if (!ALoadPictures)
            break;
        if (name->empty())
            ClearPicture(*picture);
        else
            LoadPicture(*picture, SkinPicturePath(AFolder, *name));
    }
    ReadActivePictures(AIniFile, AFolder, ALoadPictures);

    ReadFormInfo(AIniFile);
    PopupWindow->LoadFromFile(AIniFile);
    LayerFrame->LoadFromFile(AIniFile);
    LayerFrame->InitAlphaImages(*this);
    HintWindow->LoadFromFile(AIniFile);
    FSkinColors->LoadFromFile(AIniFile);
    ReadSkinObjects(AIniFile);
    ReadSkinControls(AIniFile);
}

void TbsSkinData::ReadActivePictures(const TCustomIniFile& AIniFile, const std::string& AFolder, bool ALoadPictures)
{
    ReadSkinStrings(AIniFile, "PICTURES", "activepictures", FActivePicturesNames);
    for (int i = 0; ALoadPictures && i < FActivePicturesNames.Count(); ++i) {
        auto picture = NewPicture();
        LoadPicture(*picture, SkinPicturePath(AFolder, FActivePicturesNames[i]));
        FActivePictures.push_back(std::move(picture));
    }
}

// Keys 1 to 20 (corners to hit-test points) are read before the mask
// adjustment, the rest after it.
void TbsSkinData::DescribeFormInfo(TbsSkinKeys& K)
{
    K.Corners(LTPoint, RTPoint, LBPoint, RBPoint);
    K.Rect("clientrect", ClRect);
    K.Integer("bgpictureindex", BGPictureIndex, -1);
    K.Integer("mdibgpictureindex", MDIBGPictureIndex, -1);
    K.Boolean("leftstretch", LeftStretch);
    K.Boolean("rightstretch", RightStretch);
    K.Boolean("topstretch", TopStretch);
    K.Boolean("bottomstretch", BottomStretch);
    K.Boolean("stretcheffect", StretchEffect);
    K.StretchType("stretchtype", StretchType);
    K.Boolean("mdibgstretcheffect", MDIBGStretchEffect);
    K.StretchType("mdibgstretchtype", MDIBGStretchType);
    K.Rect("maskrectarea", MaskRectArea);
    K.Corners(HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint, "hittest");
    K.Rect("buttonsrect", ButtonsRect);
    K.Rect("captionrect", CaptionRect);
    K.Integer("buttonsoffset", ButtonsOffset);
    K.Boolean("buttonsinleft", CapButtonsInLeft);
    K.Boolean("mainmenupopupup", MainMenuPopupUp);
    K.Integer("borderwidth", BorderW);
    K.Integer("formminwidth", FormMinWidth);
    K.Integer("formminheight", FormMinHeight);
    K.Boolean("mditabstransparent", MDITabsTransparent);
    K.Boolean("mainmenubartransparent", MainMenuBarTransparent);
    K.Boolean("autorenderinginactiveimage", AutoRenderingInActiveImage);
    K.InActiveEffect("inactiveeffect", InActiveEffect);
    K.WriteAfter("autorenderinginactiveimage", "borderwidth");
    K.WriteAfter("inactiveeffect", "autorenderinginactiveimage");
}

void TbsSkinData::ReadFormInfo(const TCustomIniFile& AIniFile)
{
    TbsSkinKeys keys;
    DescribeFormInfo(keys);
    constexpr size_t GeometryKeys = 20;
    keys.Read(AIniFile, "FORMINFO", 0, GeometryKeys);
    if (!FMaskName.empty()) {
        if (MaskRectArea.IsEmpty())
            MaskRectArea = ClRect;
        else
            MaskRectArea = {std::min(MaskRectArea.Left, ClRect.Left), std::min(MaskRectArea.Top, ClRect.Top),
                            std::max(MaskRectArea.Right, ClRect.Right), std::max(MaskRectArea.Bottom, ClRect.Bottom)};
        const std::pair<TPoint*, const TPoint*> hitTests[] = {
            {&HitTestLTPoint, &LTPoint}, {&HitTestRTPoint, &RTPoint}, {&HitTestLBPoint, &LBPoint}, {&HitTestRBPoint, &RBPoint}};
        for (const auto& [hitTest, corner] : hitTests)
            if (hitTest->X == 0 || hitTest->Y == 0)
                *hitTest = *corner;
    }
    keys.Read(AIniFile, "FORMINFO", GeometryKeys, keys.Items().size() - GeometryKeys);
    // Corner pieces never reach into the client part, unless the corner
    // points collapse on an axis.
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint = {std::max(LTPoint.X, ClRect.Left), std::max(LTPoint.Y, ClRect.Top)};
        RTPoint = {std::min(RTPoint.X, ClRect.Right), std::max(RTPoint.Y, ClRect.Top)};
        LBPoint = {std::max(LBPoint.X, ClRect.Left), std::min(LBPoint.Y, ClRect.Bottom)};
        RBPoint = {std::min(RBPoint.X, ClRect.Right), std::min(RBPoint.Y, ClRect.Bottom)};
    }
}

void TbsSkinData::ReadSkinObjects(const TCustomIniFile& AIniFile)
{
    ReadSkinList<TbsDataSkinObject>(AIniFile, "SKINOBJECTS", ObjectList, CreateSkinObject,
                                    [this](TbsDataSkinObject& ARecord) { ARecord.InitAlphaImages(*this); });
}

void TbsSkinData::ReadSkinControls(const TCustomIniFile& AIniFile)
{
    ReadSkinList<TbsDataSkinControl>(AIniFile, "SKINCONTROLS", CtrlList, CreateSkinControl, nullptr);
}

// ---------------------------------------------------------------- writing

void TbsSkinData::WriteSkinIni(TCustomIniFile& AIniFile)
{
    AIniFile.EraseSection("VERSION");
    AIniFile.WriteInteger("VERSION", "ver", 1);
    AIniFile.WriteString("VERSION", "skinname", SkinName);
    AIniFile.WriteString("VERSION", "skinauthor", SkinAuthor);
    AIniFile.WriteString("VERSION", "authoremail", AuthorEmail);
    AIniFile.WriteString("VERSION", "authorurl", AuthorURL);
    AIniFile.WriteString("VERSION", "skincomments", SkinComments);

    AIniFile.EraseSection("PICTURES");
    AIniFile.WriteString("PICTURES", "picture", FPictureName);
    AIniFile.WriteString("PICTURES", "inactivepicture", FInActivePictureName);
    AIniFile.WriteString("PICTURES", "mask", FMaskName);
    WriteActivePicturesNames(AIniFile);

    AIniFile.EraseSection("FORMINFO");
    WriteFormInfo(AIniFile);

    PopupWindow->SaveToFile(AIniFile);
    LayerFrame->SaveToFile(AIniFile);
    HintWindow->SaveToFile(AIniFile);
    AIniFile.EraseSection("SKINCOLORS");
    FSkinColors->SaveToFile(AIniFile);

    WriteSkinObjects(AIniFile);
    WriteSkinControls(AIniFile);
}

void TbsSkinData::WriteActivePicturesNames(TCustomIniFile& AIniFile)
{
    WriteSkinStrings(AIniFile, "PICTURES", "activepictures", FActivePicturesNames);
}

void TbsSkinData::WriteFormInfo(TCustomIniFile& AIniFile)
{
    TbsSkinKeys keys;
    DescribeFormInfo(keys);
    keys.Write(AIniFile, "FORMINFO");
}

void TbsSkinData::WriteSkinObjects(TCustomIniFile& AIniFile)
{
    WriteSkinList(AIniFile, "SKINOBJECTS", ObjectList, SkinObjectKind);
}

void TbsSkinData::WriteSkinControls(TCustomIniFile& AIniFile)
{
    WriteSkinList(AIniFile, "SKINCONTROLS", CtrlList, SkinControlKind);
}

TbsSkinStatus TbsSkinData::SaveToFile(const std::string& AFileName)
{
    try {
        platform::TMemIniFile ini(AFileName);
        WriteSkinIni(ini);
        ini.UpdateFile();
    } catch (const std::exception& E) {
        return Failed("Skin \"" + AFileName + "\" cannot be saved: " + E.what());
    }
    return {};
}

// Everything is checked and written to temporary files first; only when all
// of them were written do they replace the files of the folder.
TbsSkinStatus TbsSkinData::StoreToDisk(const std::string& AFileName)
{
    const std::string folder = platform::ExtractFilePath(platform::ExpandFileName(AFileName));
    if (!platform::DirectoryExists(folder))
        return Failed("Skin folder \"" + folder + "\" does not exist");

    struct TOutput {
        std::string Name;
        TbsPicture* Picture; // nullptr: the INI file
    };
    std::vector<TOutput> outputs{{platform::ExtractFileName(AFileName), nullptr}};
    const std::pair<const std::string*, TbsPicture*> frames[] = {
        {&FPictureName, FPicture.get()}, {&FInActivePictureName, FInActivePicture.get()}, {&FMaskName, FMask.get()}};
    for (const auto& [name, picture] : frames)
        if (!PictureEmpty(*picture))
            outputs.push_back({*name, picture});
    if (int(FActivePictures.size()) > FActivePicturesNames.Count())
        return Failed("Skin has " + IntToStr(int64_t(FActivePictures.size())) + " pictures but only " +
                      IntToStr(FActivePicturesNames.Count()) + " picture names");
    for (size_t i = 0; i < FActivePictures.size(); ++i)
        outputs.push_back({FActivePicturesNames[int(i)], FActivePictures[i].get()});
    for (const TOutput& out : outputs)
        if (!IsSafeSkinFileName(out.Name))
            return Failed("Skin picture name \"" + out.Name + "\" is not a file name inside the skin folder");

    std::set<std::string> written;
    try {
        platform::TMemIniFile ini(AFileName);
        WriteSkinIni(ini);
        const std::string text = ini.Text();
        for (const TOutput& out : outputs) {
            const std::string target = SkinFilePath(folder, out.Name) + ".~zskin";
            fs::create_directories(fs::path(target).parent_path());
            written.insert(target);
            if (out.Picture) {
                SavePicture(*out.Picture, target);
                continue;
            }
            std::ofstream file(target, std::ios::binary | std::ios::trunc);
            file.write(text.data(), std::streamsize(text.size()));
            file.close();
            if (!file)
                throw platform::EFOpenError("Cannot create file \"" + target + "\"");
        }
        for (const std::string& temp : written)
            fs::rename(temp, temp.substr(0, temp.size() - 7));
    } catch (const std::exception& E) {
        std::error_code ec;
        for (const std::string& temp : written)
            fs::remove(temp, ec);
        return Failed("Skin \"" + AFileName + "\" cannot be stored: " + E.what());
    }
    return {};
}

} // namespace skin
