#pragma once
// Entry points of libavdevice.so.59.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls ff::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_AVDEVICE_EXPORTS(F, V) \
    F(avdevice_register_all)

namespace ff {
ZARVELO_DECLARE_ENTRIES(ZARVELO_AVDEVICE_EXPORTS)
} // namespace ff

ZARVELO_DECLARE_STUB_UNIT(AVDevice)
