// Options given by name that go to the libraries: recorded by kind (codec,
// format, scaler) and applied to each codec context, format context and
// scaler the job makes. A codec option is also searched among the private
// options of the encoders (the H.264 encoder's own names) and a format
// option among those of the muxers ("muxrate", "preload").

#include "engine/converter/FFmpegInternal.h"
#include "engine/converter/FFmpegStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "platform/core/SysUtils.h"

namespace engine {

TConverterState::~TConverterState()
{
    if (!ff::av_dict_free)
        return;
    ff::av_dict_free(&CodecOptions);
    ff::av_dict_free(&FormatOptions);
    ff::av_dict_free(&ScalerOptions);
    for (AVDictionary*& D : MuxerOptions)
        ff::av_dict_free(&D);
}

TConverterState& TCustomFFmpeg::ConverterState()
{
    if (!FConverterState)
        FConverterState = std::make_shared<TConverterState>();
    return *FConverterState;
}

void TCustomFFmpeg::ReleaseConverterState() { FConverterState.reset(); }

namespace {

// An option name the loaded libraries know under another name.
std::string LibraryName(const std::string& AName)
{
    return AName == "vb" ? "b" : AName;
}

// Whether a context of AClass takes AName=AValue: generic options are tried
// on a scratch context, private ones (found among the children) only by
// name, since their context exists only once the codec or muxer is chosen.
template <typename TAlloc, typename TFree>
bool Accepts(const AVClass* AClass, const std::string& AName, const std::string& AValue, TAlloc AAlloc, TFree AFree)
{
    const AVClass* Cls = AClass;
    if (ff::av_opt_find(&Cls, AName.c_str(), nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ)) {
        void* Scratch = AAlloc();
        if (!Scratch)
            return false;
        const bool Ok = ff::av_opt_set(Scratch, AName.c_str(), AValue.c_str(), 0) >= 0;
        AFree(Scratch);
        return Ok;
    }
    return ff::av_opt_find(&Cls, AName.c_str(), nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ | AV_OPT_SEARCH_CHILDREN);
}

} // namespace

bool TCustomFFmpeg::SetLibraryOption(const std::string& AName, const std::string& AValue)
{
    const std::string Name = LibraryName(ToAnsi(AName));
    const std::string Value = ToAnsi(AValue);
    TConverterState& S = ConverterState();
    bool Taken = false;
    if (Accepts(
            ff::avcodec_get_class(), Name, Value, [] { return (void*)ff::avcodec_alloc_context3(nullptr); },
            [](void* P) {
                auto* C = static_cast<AVCodecContext*>(P);
                ff::avcodec_free_context(&C);
            })) {
        ff::av_dict_set(&S.CodecOptions, Name.c_str(), Value.c_str(), 0);
        Taken = true;
    }
    if (Accepts(
            ff::avformat_get_class(), Name, Value, [] { return (void*)ff::avformat_alloc_context(); },
            [](void* P) { ff::avformat_free_context(static_cast<AVFormatContext*>(P)); })) {
        ff::av_dict_set(&S.FormatOptions, Name.c_str(), Value.c_str(), 0);
        Taken = true;
    }
    if (Accepts(
            ff::sws_get_class(), Name, Value, [] { return (void*)ff::sws_alloc_context(); },
            [](void* P) { ff::sws_freeContext(static_cast<SwsContext*>(P)); })) {
        ff::av_dict_set(&S.ScalerOptions, Name.c_str(), Value.c_str(), 0);
        Taken = true;
    }
    return Taken;
}

void TCustomFFmpeg::ApplyRecordedCodecOptions(AVCodecContext* AContext, AVMediaType AType)
{
    const int TypeFlag = AType == AVMEDIA_TYPE_VIDEO   ? AV_OPT_FLAG_VIDEO_PARAM
                         : AType == AVMEDIA_TYPE_AUDIO ? AV_OPT_FLAG_AUDIO_PARAM
                                                       : AV_OPT_FLAG_SUBTITLE_PARAM;
    const AVDictionaryEntry* E = nullptr;
    while ((E = ff::av_dict_get(ConverterState().CodecOptions, "", E, AV_DICT_IGNORE_SUFFIX))) {
        // "b" is the video bit rate and "ab" the audio one, as they always were.
        if ((AType == AVMEDIA_TYPE_AUDIO && std::string(E->key) == "b") ||
            (AType != AVMEDIA_TYPE_AUDIO && std::string(E->key) == "ab"))
            continue;
        const AVOption* O = ff::av_opt_find(AContext, E->key, nullptr, 0, AV_OPT_SEARCH_CHILDREN);
        if (O && (O->flags & TypeFlag))
            ff::av_opt_set(AContext, E->key, E->value, AV_OPT_SEARCH_CHILDREN);
    }
}

void TCustomFFmpeg::ApplyRecordedFormatOptions(AVFormatContext* AContext, bool AEncoding)
{
    const AVDictionaryEntry* E = nullptr;
    const int Flag = AEncoding ? AV_OPT_FLAG_ENCODING_PARAM : AV_OPT_FLAG_DECODING_PARAM;
    while ((E = ff::av_dict_get(ConverterState().FormatOptions, "", E, AV_DICT_IGNORE_SUFFIX))) {
        const AVOption* O = ff::av_opt_find(AContext, E->key, nullptr, 0, 0);
        if (O && (O->flags & Flag))
            ff::av_opt_set(AContext, E->key, E->value, 0);
    }
}

void TCustomFFmpeg::SetOutputFormatOptions(AVFormatContext* AOc, int AFileIndex)
{
    ApplyRecordedFormatOptions(AOc, true);
    TConverterState& S = ConverterState();
    if (int(S.MuxerOptions.size()) <= AFileIndex)
        S.MuxerOptions.resize(AFileIndex + 1, nullptr);
    AVDictionary*& Muxer = S.MuxerOptions[AFileIndex];
    ff::av_dict_free(&Muxer);
    const AVDictionaryEntry* E = nullptr;
    while ((E = ff::av_dict_get(S.FormatOptions, "", E, AV_DICT_IGNORE_SUFFIX)))
        if (!ff::av_opt_find(AOc, E->key, nullptr, 0, 0))
            ff::av_dict_set(&Muxer, E->key, E->value, 0);
    if (AOc->oformat->priv_class) {
        const AVClass* Cls = AOc->oformat->priv_class;
        if (ff::av_opt_find(&Cls, "preload", nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ))
            ff::av_dict_set_int(&Muxer, "preload", int64_t(Fmux_preload * 1000000), AV_DICT_DONT_OVERWRITE);
    }
}

int64_t TCustomFFmpeg::RecordedBitrate(AVMediaType AType)
{
    const char* Key = AType == AVMEDIA_TYPE_AUDIO ? "ab" : "b";
    const AVDictionaryEntry* E = ff::av_dict_get(ConverterState().CodecOptions, Key, nullptr, 0);
    if (!E)
        return AType == AVMEDIA_TYPE_AUDIO ? 128000 : 200000;
    int64_t Value = 0;
    return platform::TryStrToInt64(E->value, Value) ? Value : 1000;
}

int TCustomFFmpeg::RecordedStrictness(AVMediaType)
{
    const AVDictionaryEntry* E = ff::av_dict_get(ConverterState().CodecOptions, "strict", nullptr, 0);
    if (!E)
        return FF_COMPLIANCE_NORMAL;
    AVCodecContext* Scratch = ff::avcodec_alloc_context3(nullptr);
    ff::av_opt_set(Scratch, "strict", E->value, 0);
    const int Result = Scratch->strict_std_compliance;
    ff::avcodec_free_context(&Scratch);
    return Result;
}

uint32_t TCustomFFmpeg::RecordedScalerFlags()
{
    const AVDictionaryEntry* E = ff::av_dict_get(ConverterState().ScalerOptions, "sws_flags", nullptr, 0);
    if (!E)
        return Fsws_flags;
    SwsContext* Scratch = ff::sws_alloc_context();
    int64_t Flags = Fsws_flags;
    if (ff::av_opt_set(Scratch, "sws_flags", E->value, 0) >= 0)
        ff::av_opt_get_int(Scratch, "sws_flags", 0, &Flags);
    ff::sws_freeContext(Scratch);
    return uint32_t(Flags);
}

} // namespace engine
