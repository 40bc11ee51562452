#include "engine/loader/AVFilterStubs.h"

ZARVELO_STUB_UNIT(ZARVELO_AVFILTER_EXPORTS, ff, AVFilter, )
