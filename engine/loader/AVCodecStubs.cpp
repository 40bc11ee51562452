#include "engine/loader/AVCodecStubs.h"

ZARVELO_STUB_UNIT(ZARVELO_AVCODEC_EXPORTS, ff, AVCodec, )
