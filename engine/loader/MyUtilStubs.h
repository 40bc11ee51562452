#pragma once
// Entry points of the C runtime, libc.so.6: file access and C formatting for
// the texts and files the engine shares with the FFmpeg libraries.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls crt::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_CRT_EXPORTS(F, V) \
    F(fopen) F(fclose) F(fread) F(fwrite) F(fseek) F(ftell) F(fflush) F(fprintf) F(snprintf) \
    F(vsnprintf) F(strtod) F(strtol) F(setenv)

namespace crt {
ZARVELO_DECLARE_ENTRIES(ZARVELO_CRT_EXPORTS)
} // namespace crt

ZARVELO_DECLARE_STUB_UNIT(MyUtil)
