#include "engine/base/Paths.h"

#include "platform/core/SysUtils.h"

namespace engine {

void GetExeFileName(TPathFileName& AFileName)
{
    AFileName = platform::GetExeFileName();
}

void GetExePath(TPathFileName& APath)
{
    APath = platform::ExtractFilePath(platform::GetExeFileName());
}

int64_t FileSizeByName(const TPathFileName& AFileName)
{
    return platform::FileSizeByName(AFileName);
}

} // namespace engine
