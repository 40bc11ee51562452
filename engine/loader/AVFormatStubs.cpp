#include "engine/loader/AVFormatStubs.h"

ZARVELO_STUB_UNIT(ZARVELO_AVFORMAT_EXPORTS, ff, AVFormat, )
