#include "engine/loader/MyUtilStubs.h"

ZARVELO_STUB_UNIT(ZARVELO_CRT_EXPORTS, crt, MyUtil, )
