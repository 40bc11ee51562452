#include "platform/shell/FileTypes.h"

#include "platform/core/SysUtils.h"

#include <cstring>
#include <fnmatch.h>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

// Without a database: the extensions this program meets most.
struct TKnownType {
    const char* Extension;
    const char* MimeType;
    const char* Description;
};

const TKnownType KnownTypes[] = {
    {"mp3", "audio/mpeg", "MP3 audio"},            {"wav", "audio/x-wav", "WAV audio"},
    {"wma", "audio/x-ms-wma", "Windows Media audio"}, {"aac", "audio/aac", "AAC audio"},
    {"m4a", "audio/mp4", "MPEG-4 audio"},          {"ogg", "audio/ogg", "Ogg audio"},
    {"flac", "audio/flac", "FLAC audio"},          {"ac3", "audio/ac3", "Dolby Digital audio"},
    {"aif", "audio/x-aiff", "AIFF/Amiga/Mac audio"}, {"aiff", "audio/x-aiff", "AIFF/Amiga/Mac audio"},
    {"mp2", "audio/mp2", "MP2 audio"},             {"amr", "audio/AMR", "AMR audio"},
    {"ra", "audio/vnd.rn-realaudio", "RealAudio document"},
    {"mp4", "video/mp4", "MPEG-4 video"},          {"m4v", "video/mp4", "MPEG-4 video"},
    {"avi", "video/x-msvideo", "AVI video"},       {"mkv", "video/x-matroska", "Matroska video"},
    {"mov", "video/quicktime", "QuickTime video"}, {"wmv", "video/x-ms-wmv", "Windows Media video"},
    {"flv", "video/x-flv", "Flash video"},         {"mpg", "video/mpeg", "MPEG video"},
    {"mpeg", "video/mpeg", "MPEG video"},          {"vob", "video/mpeg", "MPEG video"},
    {"3gp", "video/3gpp", "3GPP multimedia file"}, {"webm", "video/webm", "WebM video"},
    {"swf", "application/vnd.adobe.flash.movie", "Shockwave Flash file"},
    {"jpg", "image/jpeg", "JPEG image"},           {"jpeg", "image/jpeg", "JPEG image"},
    {"png", "image/png", "PNG image"},             {"gif", "image/gif", "GIF image"},
    {"bmp", "image/bmp", "Windows BMP image"},     {"txt", "text/plain", "plain text document"},
    {"ini", "text/plain", "plain text document"},  {"zip", "application/zip", "Zip archive"},
};

std::string DecodeEntities(const std::string& AText)
{
    static const std::pair<const char*, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < AText.size(); ++i) {
        bool replaced = false;
        for (const auto& [entity, ch] : entities) {
            if (AText.compare(i, strlen(entity), entity) == 0) {
                out += ch;
                i += strlen(entity) - 1;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += AText[i];
    }
    return out;
}

// "audio/mpeg" -> "audio-x-generic", the icon spec's fallback.
std::string MediaGenericIcon(const std::string& AMimeType)
{
    const std::string media = AMimeType.substr(0, AMimeType.find('/'));
    for (const char* known : {"audio", "video", "image", "text", "font"})
        if (media == known)
            return media + "-x-generic";
    return "application-x-generic";
}

std::vector<std::string> SystemMimeFolders()
{
    std::vector<std::string> folders;
    std::string dataHome = GetEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.empty() && !GetEnvironmentVariable("HOME").empty())
        dataHome = GetEnvironmentVariable("HOME") + "/.local/share";
    if (!dataHome.empty())
        folders.push_back(dataHome + "/mime");
    std::string dirs = GetEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.empty())
        dirs = "/usr/local/share:/usr/share";
    std::stringstream list(dirs);
    std::string dir;
    while (std::getline(list, dir, ':'))
        if (!dir.empty())
            folders.push_back(dir + "/mime");
    return folders;
}

} // namespace

TMimeDatabase::TMimeDatabase(const std::vector<std::string>& AMimeFolders) : FFolders(AMimeFolders)
{
    for (const std::string& folder : FFolders) {
        LoadGlobs(folder + "/globs2");
        LoadIcons(folder + "/generic-icons");
    }
}

const TMimeDatabase& TMimeDatabase::System()
{
    static const TMimeDatabase database(SystemMimeFolders());
    return database;
}

void TMimeDatabase::LoadGlobs(const std::string& AFile)
{
    std::ifstream in(AFile);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        // weight:type:pattern[:flags[:...]]
        std::stringstream fields(line);
        std::string weight, type, pattern, flags;
        if (!std::getline(fields, weight, ':') || !std::getline(fields, type, ':')
            || !std::getline(fields, pattern, ':'))
            continue;
        std::getline(fields, flags, ':');
        if (type == "__NOGLOBS__")
            continue;
        FGlobs.push_back({StrToIntDef(weight, 50), type, pattern, flags.find("cs") != std::string::npos});
        FLoaded = true;
    }
}

void TMimeDatabase::LoadIcons(const std::string& AFile)
{
    std::ifstream in(AFile);
    std::string line;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos)
            FIcons.emplace(line.substr(0, colon), line.substr(colon + 1));
    }
}

std::string TMimeDatabase::MimeTypeOfName(const std::string& AFileName) const
{
    const std::string name = ExtractFileName(AFileName);
    const TGlob* best = nullptr;
    for (const TGlob& glob : FGlobs) {
        const int flags = glob.CaseSensitive ? 0 : FNM_CASEFOLD;
        if (fnmatch(glob.Pattern.c_str(), name.c_str(), flags) != 0)
            continue;
        // The heavier pattern wins, then the longer one (".tar.gz" over ".gz").
        if (!best || glob.Weight > best->Weight
            || (glob.Weight == best->Weight && glob.Pattern.size() > best->Pattern.size()))
            best = &glob;
    }
    return best ? best->MimeType : std::string();
}

std::string TMimeDatabase::Comment(const std::string& AMimeType) const
{
    if (auto it = FComments.find(AMimeType); it != FComments.end())
        return it->second;
    std::string comment;
    for (const std::string& folder : FFolders) {
        std::ifstream in(folder + "/" + AMimeType + ".xml");
        if (!in)
            continue;
        std::stringstream text;
        text << in.rdbuf();
        const std::string xml = text.str();
        // The untranslated comment is the one without an xml:lang.
        const size_t start = xml.find("<comment>");
        const size_t end = xml.find("</comment>", start);
        if (start != std::string::npos && end != std::string::npos) {
            comment = DecodeEntities(xml.substr(start + 9, end - start - 9));
            break;
        }
    }
    FComments[AMimeType] = comment;
    return comment;
}

std::string TMimeDatabase::GenericIcon(const std::string& AMimeType) const
{
    auto it = FIcons.find(AMimeType);
    return it != FIcons.end() ? it->second : MediaGenericIcon(AMimeType);
}

TFileTypeInfo FileTypeOf(const std::string& AFileName, bool AIsFolder, const TMimeDatabase& ADatabase)
{
    if (AIsFolder)
        return {"inode/directory", "Folder", "folder"};
    TFileTypeInfo info;
    const std::string ext = LowerCase(ExtractFileExt(ExtractFileName(AFileName)));
    const std::string bare = ext.empty() ? std::string() : ext.substr(1);
    const TKnownType* known = nullptr;
    for (const TKnownType& type : KnownTypes)
        if (bare == type.Extension)
            known = &type;
    if (ADatabase.Loaded()) {
        info.MimeType = ADatabase.MimeTypeOfName(AFileName);
        if (!info.MimeType.empty())
            info.Description = ADatabase.Comment(info.MimeType);
    } else if (known) {
        info.MimeType = known->MimeType;
        info.Description = known->Description;
    }
    if (info.MimeType.empty())
        info.MimeType = "application/octet-stream";
    if (info.Description.empty())
        info.Description = bare.empty() ? std::string("File") : UpperCase(bare) + " file";
    info.IconName = info.MimeType == "application/octet-stream" ? std::string("unknown")
                                                                : ADatabase.GenericIcon(info.MimeType);
    return info;
}

} // namespace platform
