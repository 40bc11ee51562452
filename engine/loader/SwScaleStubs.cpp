#include "engine/loader/SwScaleStubs.h"

ZARVELO_STUB_UNIT(ZARVELO_SWSCALE_EXPORTS, ff, SwScale, )
