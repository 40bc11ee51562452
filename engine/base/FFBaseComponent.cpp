#include "engine/base/FFBaseComponent.h"

#include "engine/base/FFHeaders.h"

namespace engine {

static_assert(AVSEEK_FLAG_BACKWARD == 1 << sfBackward && AVSEEK_FLAG_BYTE == 1 << sfByte &&
                  AVSEEK_FLAG_ANY == 1 << sfAny && AVSEEK_FLAG_FRAME == 1 << sfFrame,
              "seek flag bits are FFmpeg's");
static_assert(int(AV_PICTURE_TYPE_BI) == ptBI && int(AV_PICTURE_TYPE_NONE) == ptUnknown,
              "picture types are FFmpeg's");

int ConvertSeekFlags(TSeekFlags AFlags)
{
    return int(AFlags.Bits);
}

} // namespace engine
