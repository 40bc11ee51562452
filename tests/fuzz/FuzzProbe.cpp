// The probe on arbitrary bytes, opened the way the program opens a file the
// user adds: it either refuses the file with a message or describes it
// consistently, and decoding its first frames never fails otherwise than
// with an answer of false.

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"
#include "engine/probe/AVProbe.h"

#include <string>

using namespace engine;

namespace {

void CheckDescription(TAVProbe& AProbe)
{
    const int Streams = AProbe.StreamCount();
    const int Audio = AProbe.AudioStreamCount(), Video = AProbe.VideoStreamCount(),
              Subtitles = AProbe.SubtitleStreamCount();
    FUZZ_CHECK(Streams >= 0 && Audio >= 0 && Video >= 0 && Subtitles >= 0);
    FUZZ_CHECK(Audio + Video + Subtitles <= Streams);
    FUZZ_CHECK((Audio == 0) == (AProbe.FirstAudioStreamIndex() < 0));
    FUZZ_CHECK((Video == 0) == (AProbe.FirstVideoStreamIndex() < 0));
    if (Video > 0)
        FUZZ_CHECK(AProbe.IsVideoStream(AProbe.FirstVideoStreamIndex()));
    if (Audio > 0)
        FUZZ_CHECK(AProbe.IsAudioStream(AProbe.FirstAudioStreamIndex()));
    for (int I = 0; I < Streams; ++I) {
        if (AProbe.IsAudioStream(I))
            AProbe.GetAudioStreamInfo(I);
        if (AProbe.IsVideoStream(I))
            AProbe.GetVideoStreamInfo(I);
        if (AProbe.IsSubtitleStream(I))
            AProbe.GetSubtitleStreamInfo(I);
    }
    AProbe.GetFileStreamInfo();
    FUZZ_CHECK(!AProbe.FileInfoText().empty());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    TAVProbe Probe(nullptr);
    if (!Probe.LoadAVLib("")) {
        std::fprintf(stderr, "%s\n", Probe.LastErrMsg().c_str());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const fuzz::TScratchFolder Folder;
    const std::string File =
        Folder.Write("input.media", std::string_view(reinterpret_cast<const char*>(Data), Size));
    TAVProbe Probe(nullptr);
    Probe.LoadAVLib("");
    if (!Probe.LoadFile(File)) {
        FUZZ_CHECK(!Probe.LastErrMsg().empty());
        return 0;
    }
    CheckDescription(Probe);
    // A few frames of the first video stream, as the preview takes them.
    for (int I = 0; I < 3 && Probe.VideoStreamCount() > 0; ++I)
        if (!Probe.Decode())
            break;
    Probe.CloseFile();
    return 0;
}
