#pragma once
// An encoder's private state held back until its task runs. Some encoders
// allocate a large private context with their codec context (the AAC
// encoder's is about half a megabyte), and a queued task holds its encoder
// contexts from the moment its output file is set until it runs. Once a
// stream is set up, its encoder keeps only the private options that differ
// from their defaults, as text; the run rebuilds the private context from
// them before anything else touches the encoder.

#include "engine/base/FFHeaders.h"

namespace engine {

class TEncoderPrivate {
public:
    TEncoderPrivate() = default;
    ~TEncoderPrivate();
    TEncoderPrivate(const TEncoderPrivate&) = delete;
    TEncoderPrivate& operator=(const TEncoderPrivate&) = delete;

    // Frees AEnc's private context after noting its settings. Leaves the
    // context alone (and answers false) when it has none, is open, or holds
    // a setting that cannot be read back as text.
    bool Release(AVCodecContext* AEnc);
    // Makes the private context again with the noted settings; raises
    // FFmpegException when a setting is refused. Does nothing when nothing
    // was released.
    void Restore(AVCodecContext* AEnc);
    bool Released() const { return FReleased; }

private:
    AVDictionary* FSettings = nullptr;
    bool FReleased = false;
};

} // namespace engine
