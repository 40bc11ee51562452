#pragma once
// The common base of the engine's components, and the seek flags they pass
// to FFmpeg.

#include "platform/core/Classes.h"

#include <cstdint>
#include <initializer_list>

namespace engine {

class TFFBaseComponent : public platform::TComponent {
public:
    using platform::TComponent::TComponent;
};

enum TSeekFlag { sfBackward, sfByte, sfAny, sfFrame };

// A set of seek flags; its bits are FFmpeg's AVSEEK_FLAG_* values.
struct TSeekFlags {
    unsigned Bits = 0;
    constexpr TSeekFlags() = default;
    constexpr TSeekFlags(std::initializer_list<TSeekFlag> AFlags)
    {
        for (TSeekFlag F : AFlags)
            Bits |= 1u << F;
    }
    constexpr bool Contains(TSeekFlag F) const { return Bits & (1u << F); }
};

int ConvertSeekFlags(TSeekFlags AFlags);

// FFmpeg's numbering of picture types.
enum TPictureType { ptUnknown, ptI, ptP, ptB, ptS, ptSI, ptSP, ptBI };

} // namespace engine
