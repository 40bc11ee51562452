#pragma once
// Entry points of libswscale.so.6.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls ff::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_SWSCALE_EXPORTS(F, V) \
    F(sws_getContext) F(sws_getCachedContext) F(sws_freeContext) F(sws_scale) F(sws_alloc_context) \
    F(sws_init_context) F(sws_get_class) F(sws_isSupportedInput) F(sws_isSupportedOutput)

namespace ff {
ZARVELO_DECLARE_ENTRIES(ZARVELO_SWSCALE_EXPORTS)
} // namespace ff

ZARVELO_DECLARE_STUB_UNIT(SwScale)
