// Options given by name that go to the libraries: the job's generic option
// set records them by kind (codec per media type, format, scaler) and the
// converter applies them to each codec context, format context and scaler
// it makes. Private options of encoders (the H.264 encoder's own names) and
// muxers ("muxrate", "preload") are taken too.

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwScaleStubs.h"

namespace engine {

TConverterState& TCustomFFmpeg::ConverterState()
{
    if (!FConverterState)
        FConverterState = std::make_shared<TConverterState>();
    return *FConverterState;
}

void TCustomFFmpeg::ReleaseConverterState() { FConverterState.reset(); }

namespace {

int MediaTypeFlag(AVMediaType AType)
{
    switch (AType) {
    case AVMEDIA_TYPE_VIDEO: return AV_OPT_FLAG_VIDEO_PARAM;
    case AVMEDIA_TYPE_AUDIO: return AV_OPT_FLAG_AUDIO_PARAM;
    case AVMEDIA_TYPE_SUBTITLE: return AV_OPT_FLAG_SUBTITLE_PARAM;
    default: return 0;
    }
}

// The recorded codec options of one media type; none for an unknown type.
const AVDictionary* CodecOptionsOf(const TFFOptions& AOptions, AVMediaType AType)
{
    return AType >= 0 && AType < int(std::size(AOptions.codec_opts)) ? AOptions.codec_opts[AType] : nullptr;
}

// The integer a recorded text value stands for, read back from a scratch
// context of the kind that took it (the text may be "64k", "+psnr", ...).
template <typename TAlloc, typename TFree>
int64_t RecordedInt(const AVDictionary* AFrom, const char* AKey, int64_t ADefault, TAlloc AAlloc, TFree AFree)
{
    const AVDictionaryEntry* E = ff::av_dict_get(AFrom, AKey, nullptr, 0);
    if (!E)
        return ADefault;
    void* Scratch = AAlloc();
    int64_t Value = ADefault;
    if (Scratch && ff::av_opt_set(Scratch, AKey, E->value, 0) >= 0)
        ff::av_opt_get_int(Scratch, AKey, 0, &Value);
    AFree(Scratch);
    return Value;
}

int64_t RecordedCodecInt(const AVDictionary* AFrom, const char* AKey, int64_t ADefault)
{
    return RecordedInt(
        AFrom, AKey, ADefault, [] { return static_cast<void*>(ff::avcodec_alloc_context3(nullptr)); },
        [](void* P) {
            auto* C = static_cast<AVCodecContext*>(P);
            ff::avcodec_free_context(&C);
        });
}

} // namespace

bool TCustomFFmpeg::SetLibraryOption(const std::string& AName, const std::string& AValue)
{
    // "b" has always been the video bit rate ("ab" the audio one); the
    // libraries' "b" serves every media type now, so it goes to video only.
    const std::string Name = ToAnsi(AName);
    return SetGenericOption(FMuxing.FOptions, Name == "b" ? "vb" : Name, ToAnsi(AValue));
}

void TCustomFFmpeg::ApplyRecordedCodecOptions(AVCodecContext* AContext, AVMediaType AType)
{
    ApplyRecordedOptions(FMuxing.FOptions, AContext, CodecOptionsOf(FMuxing.FOptions, AType), MediaTypeFlag(AType));
}

void TCustomFFmpeg::ApplyRecordedFormatOptions(AVFormatContext* AContext, bool AEncoding)
{
    ApplyRecordedOptions(FMuxing.FOptions, AContext, FMuxing.FOptions.format_opts,
                         AEncoding ? AV_OPT_FLAG_ENCODING_PARAM : AV_OPT_FLAG_DECODING_PARAM);
}

void TCustomFFmpeg::SetOutputFormatOptions(AVFormatContext* AOc)
{
    // The muxer's private options exist from the context's making on, so
    // they are set there like the generic ones.
    ApplyRecordedFormatOptions(AOc, true);
    if (!ff::av_dict_get(FMuxing.FOptions.format_opts, "preload", nullptr, 0) &&
        ff::av_opt_find(AOc, "preload", nullptr, AV_OPT_FLAG_ENCODING_PARAM, AV_OPT_SEARCH_CHILDREN))
        ff::av_opt_set_int(AOc, "preload", int64_t(FMuxing.Fmux_preload * 1000000), AV_OPT_SEARCH_CHILDREN);
}

int64_t TCustomFFmpeg::RecordedBitrate(AVMediaType AType)
{
    // The codec options know "ab" as the audio bit rate by that name.
    if (AType == AVMEDIA_TYPE_AUDIO)
        return RecordedCodecInt(CodecOptionsOf(FMuxing.FOptions, AType), "ab", 128000);
    return RecordedCodecInt(CodecOptionsOf(FMuxing.FOptions, AType), "b", 200000);
}

int TCustomFFmpeg::RecordedStrictness(AVMediaType AType)
{
    return int(RecordedCodecInt(CodecOptionsOf(FMuxing.FOptions, AType), "strict", FF_COMPLIANCE_NORMAL));
}

uint32_t TCustomFFmpeg::RecordedScalerFlags()
{
    return uint32_t(RecordedInt(
        FMuxing.FOptions.sws_opts, "sws_flags", FVideoOut.Fsws_flags,
        [] { return static_cast<void*>(ff::sws_alloc_context()); },
        [](void* P) { ff::sws_freeContext(static_cast<SwsContext*>(P)); }));
}

} // namespace engine
