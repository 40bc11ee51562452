#include "engine/loader/SwResampleStubs.h"

ZARVELO_STUB_UNIT(ZARVELO_SWRESAMPLE_EXPORTS, ff, SwResample, )
