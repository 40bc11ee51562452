#include "engine/loader/AVUtilStubs.h"

ZARVELO_STUB_UNIT(ZARVELO_AVUTIL_EXPORTS, ff, AVUtil, )
