#include "engine/base/TextUtils.h"

#include "platform/core/Format.h"

namespace engine {

void SplitAtDelimiter(std::string& S, const std::string& ADelim, bool ARemove, std::string& AHead)
{
    const size_t p = ADelim.empty() ? std::string::npos : S.find(ADelim);
    if (p == std::string::npos) {
        AHead = S;
        if (ARemove)
            S.clear();
        return;
    }
    AHead = S.substr(0, p);
    if (ARemove)
        S.erase(0, p + ADelim.size());
}

std::string FormatByteSize(int64_t ASize)
{
    constexpr int64_t KB = 1024, MB = KB * 1024, GB = MB * 1024;
    if (ASize > GB)
        return platform::Format("%.2f GB", double(ASize) / double(GB));
    if (ASize > MB)
        return platform::Format("%.2f MB", double(ASize) / double(MB));
    if (ASize > KB)
        return platform::Format("%.2f KB", double(ASize) / double(KB));
    return platform::Format("%d Byte", ASize);
}

} // namespace engine
