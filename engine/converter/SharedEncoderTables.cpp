#include "engine/converter/SharedEncoderTables.h"

#include "engine/base/FFHeaders.h"

#include <cstring>

namespace engine {

namespace {

std::shared_mutex& SharedTablesLock()
{
    static std::shared_mutex Lock;
    return Lock;
}

} // namespace

bool UsesSharedEncoderTables(const AVCodec* ACodec)
{
    return ACodec && ACodec->name && std::strcmp(ACodec->name, "libxvid") == 0;
}

TSharedTablesSetUp::TSharedTablesSetUp(bool AActive) : FLock(SharedTablesLock(), std::defer_lock)
{
    if (AActive)
        FLock.lock();
}

TSharedTablesUse::TSharedTablesUse(bool AActive) : FLock(SharedTablesLock(), std::defer_lock)
{
    if (AActive)
        FLock.lock();
}

} // namespace engine
