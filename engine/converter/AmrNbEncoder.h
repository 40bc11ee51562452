#pragma once
// AMR-NB speech encoding, which the FFmpeg libraries of this generation do
// not offer: the system's AMR-NB codec library, loaded at run time, turns
// frames of 160 mono 16-bit samples at 8000 Hz into storage-format frames
// (a mode byte and the speech bits) that the .amr and 3GP muxers take.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace engine {

class TAmrNbEncoder {
public:
    static constexpr int SampleRate = 8000;
    static constexpr int FrameSamples = 160;

    // True for the encoder names the catalogue and the options use for
    // AMR-NB.
    static bool IsAmrNbName(const std::string& AName);
    // Loads the codec library once; false with the reason when it cannot.
    static bool Available(std::string* AWhy = nullptr);
    // The mode with the highest bit rate at most ABitRate (bit/s); the
    // lowest mode below 4750.
    static int ModeForBitRate(int64_t ABitRate);
    // The bit rate of a mode.
    static int BitRateOfMode(int AMode);

    // Raises platform::Exception when the library is missing.
    explicit TAmrNbEncoder(int64_t ABitRate);
    ~TAmrNbEncoder();
    TAmrNbEncoder(const TAmrNbEncoder&) = delete;
    TAmrNbEncoder& operator=(const TAmrNbEncoder&) = delete;

    int Mode() const { return FMode; }
    // One frame of FrameSamples samples; answers the encoded frame.
    std::vector<uint8_t> Encode(const int16_t* ASamples);

private:
    void* FState = nullptr;
    int FMode = 0;
};

} // namespace engine
