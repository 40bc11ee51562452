#include "engine/loader/AVDeviceStubs.h"

// The devices only become known to avformat once registered.
ZARVELO_STUB_UNIT(ZARVELO_AVDEVICE_EXPORTS, ff, AVDevice, ff::avdevice_register_all();)
