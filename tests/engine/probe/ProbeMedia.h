#pragma once
// Test media of the probe's tests, made once with Debian's ffmpeg and kept
// in the test folder of the build tree, so that the many test processes do
// not each make them again. A recipe change gives a new file name.

#include <map>
#include <string>

namespace probetest {

enum TMedia {
    mdAudioMp3,   // 2 s tone, MP3 with ID3 tags and a Chinese title
    mdVideoMp4,   // 3 s 160x120 H.264 (key frame every second, B-frames) + AAC, tags
    mdFastMp4,    // mdVideoMp4 with its index in front, so a cut copy still opens
    mdRedMp4,     // 1 s plain red 64x48 MPEG-4 video
    mdSubsMkv,    // video, audio and an English SubRip subtitle in Matroska
    mdVideoTs,    // MPEG transport stream: one program, ids shown
    mdStillPng,   // one 32x24 picture
};

// Full path of the medium; made on first use. Fails the test when ffmpeg fails.
std::string Media(TMedia AMedia);

// Debian's ffprobe run on a file: its "flat" output as key=value pairs with
// the quotes removed, e.g. "streams.stream.0.width" -> "160".
std::map<std::string, std::string> FFprobe(const std::string& AFileName, const std::string& AOptions);

} // namespace probetest
