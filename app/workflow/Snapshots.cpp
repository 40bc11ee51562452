#include "app/workflow/Snapshots.h"

#include "platform/core/SysUtils.h"

namespace app {

std::string NextSnapshotName(const std::string& AFolder, const std::string& ASourceFile, const std::string& AExt)
{
    const std::string base = platform::IncludeTrailingPathDelimiter(AFolder) +
                             platform::ChangeFileExt(platform::ExtractFileName(ASourceFile), "") + "_";
    for (int64_t n = 1;; ++n) {
        std::string name = base + platform::IntToStr(n) + "." + AExt;
        if (!platform::FileExists(name))
            return name;
    }
}

int SliderValueOfTime(int64_t ATime, int64_t ADuration, int AMaxValue)
{
    if (ATime < 0 || ADuration <= 0)
        return 0;
    return int(int64_t(AMaxValue) * ATime / ADuration);
}

int64_t TimeOfSliderValue(int AValue, int AMaxValue, int64_t ADuration)
{
    if (AMaxValue <= 0 || ADuration <= 0)
        return 0;
    return ADuration * AValue / AMaxValue;
}

} // namespace app
