#pragma once
// Generates a library's entry-point variables, its fixup (binds every export
// of the list) and its unfix (empties them) from the library's export list.
//
// An export list is a macro LIST(F, V) that names each function export as
// F(name) and each data export as V(name). Its entry point is the variable
// NS::name, typed after the header's declaration of ::name.

#include "engine/loader/LibraryBinding.h"

#define ZARVELO_DECLARE_ENTRY(name) extern decltype(&::name) name;
#define ZARVELO_DEFINE_ENTRY(name) decltype(&::name) name = nullptr;

// In a header, inside namespace NS.
#define ZARVELO_DECLARE_ENTRIES(LIST) LIST(ZARVELO_DECLARE_ENTRY, ZARVELO_DECLARE_ENTRY)

// In the unit's source, at file scope. AFTER_BIND runs once every export is
// bound (the libraries' own registration calls).
#define ZARVELO_STUB_UNIT(LIST, NS, UNIT, AFTER_BIND)                                           \
    namespace NS {                                                                               \
    LIST(ZARVELO_DEFINE_ENTRY, ZARVELO_DEFINE_ENTRY)                                             \
    }                                                                                            \
    namespace engine {                                                                           \
    void UNIT##Unfix()                                                                           \
    {                                                                                            \
        LIST(ZARVELO_STUB_CLEAR_##NS, ZARVELO_STUB_CLEAR_##NS)                                   \
    }                                                                                            \
    void UNIT##Fixup(const TPathFileName& ALibName, platform::TLibHandle AHandle)                \
    {                                                                                            \
        try {                                                                                    \
            LIST(ZARVELO_STUB_BIND_FUNCTION_##NS, ZARVELO_STUB_BIND_VARIABLE_##NS)               \
        } catch (...) {                                                                          \
            /* a library that failed to bind offers no entry point at all */                     \
            UNIT##Unfix();                                                                       \
            throw;                                                                               \
        }                                                                                        \
        AFTER_BIND                                                                               \
    }                                                                                            \
    }

// The per-namespace helpers: a macro argument cannot carry the namespace
// into the list's callbacks, so each namespace has its own three.
#define ZARVELO_STUB_CLEAR_ff(name) ff::name = nullptr;
#define ZARVELO_STUB_CLEAR_sdl(name) sdl::name = nullptr;
#define ZARVELO_STUB_CLEAR_crt(name) crt::name = nullptr;
#define ZARVELO_STUB_BIND_FUNCTION_ff(name) BindExportFunction(ALibName, AHandle, #name, false, ff::name);
#define ZARVELO_STUB_BIND_FUNCTION_sdl(name) BindExportFunction(ALibName, AHandle, #name, false, sdl::name);
#define ZARVELO_STUB_BIND_FUNCTION_crt(name) BindExportFunction(ALibName, AHandle, #name, false, crt::name);
#define ZARVELO_STUB_BIND_VARIABLE_ff(name) BindExportVariable(ALibName, AHandle, #name, false, ff::name);
#define ZARVELO_STUB_BIND_VARIABLE_sdl(name) BindExportVariable(ALibName, AHandle, #name, false, sdl::name);
#define ZARVELO_STUB_BIND_VARIABLE_crt(name) BindExportVariable(ALibName, AHandle, #name, false, crt::name);

// Declares a unit's fixup and unfix in a header.
#define ZARVELO_DECLARE_STUB_UNIT(UNIT)                                                          \
    namespace engine {                                                                           \
    void UNIT##Fixup(const TPathFileName& ALibName, platform::TLibHandle AHandle);               \
    void UNIT##Unfix();                                                                          \
    }
