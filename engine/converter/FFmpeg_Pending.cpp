#include "engine/converter/FFmpeg.h"
