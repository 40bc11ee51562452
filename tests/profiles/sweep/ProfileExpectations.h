#pragma once
// What a profile's output must look like to Debian's ffprobe, worked out
// from the catalogue's own tables: the defaults row (extension, codecs,
// tag, channels, target) and the texts the preset lists select by default
// (frame size, frame rate, sample rate, aspect). Call with the media
// libraries loaded: a codec the profile leaves empty is the container's
// default, asked of the format library.

#include <string>

namespace profilesweep {

// The generated input a profile converts.
struct TSourceMedia {
    int Width = 0; // 0: no video
    int Height = 0;
    double FrameRate = 0;
    int SampleRate = 0;
    int Channels = 0;
};

struct TExpectedOutput {
    std::string Format;     // ffprobe's format_name
    std::string VideoCodec; // ffprobe's codec_name; empty: no video stream
    std::string VideoTag;   // codec_tag_string; empty: not checked
    int Width = 0;
    int Height = 0;
    double FrameRate = 0;
    double DisplayAspect = 0; // 0: not checked
    std::string AudioCodec;
    int SampleRate = 0;
    int Channels = 0;
    // Non-empty: the conversion must fail with an error holding this text.
    std::string Failure;
    std::string FailureReason; // why, for the test's messages
};

// The name ffprobe reports for what an encoder writes ("libx264" gives
// "h264"); the encoder name itself when both agree.
std::string ProbeCodecName(const std::string& AEncoder);

// ffprobe's format_name for an output file extension (".m4a" gives
// "mov,mp4,m4a,3gp,3g2,mj2"); empty for an extension no profile writes.
std::string ProbeFormatName(const std::string& AExt);

// The value of a rate or ratio text: "29.97", "12", "30000/1001", "16:9".
double RatioValue(const std::string& AText);

// The expected output of the profile with catalogue key AKey, converted
// from ASource into AOutputFile.
TExpectedOutput ExpectedOutput(int AKey, const std::string& AOutputFile, const TSourceMedia& ASource);

} // namespace profilesweep
