#pragma once
// Entry points of libswresample.so.4.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls ff::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_SWRESAMPLE_EXPORTS(F, V) \
    F(swr_alloc) F(swr_alloc_set_opts2) F(swr_init) F(swr_is_initialized) F(swr_free) F(swr_close) \
    F(swr_convert) F(swr_convert_frame) F(swr_set_compensation) F(swr_get_delay) F(swr_get_out_samples) \
    F(swr_inject_silence) F(swr_drop_output) F(swr_get_class)

namespace ff {
ZARVELO_DECLARE_ENTRIES(ZARVELO_SWRESAMPLE_EXPORTS)
} // namespace ff

ZARVELO_DECLARE_STUB_UNIT(SwResample)
