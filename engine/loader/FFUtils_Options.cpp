// The converter's generic options: each name is looked up among the options
// of codecs, formats and scalers (the private options of every codec and
// muxer included), its value is tried on a scratch object that has the
// option, and it is kept by kind until the real object is opened.

#include "engine/loader/FFUtils.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/SysUtils.h"

namespace engine {
namespace {

// Option flags of the codec holders, by media type.
constexpr int MediaTypeFlags[5] = {AV_OPT_FLAG_VIDEO_PARAM, AV_OPT_FLAG_AUDIO_PARAM, 0,
                                   AV_OPT_FLAG_SUBTITLE_PARAM, 0};
constexpr int VideoHolder = 0;
constexpr int SearchClasses = AV_OPT_SEARCH_FAKE_OBJ | AV_OPT_SEARCH_CHILDREN;

const AVOption* FindInClass(const AVClass* AClass, const std::string& AName, int AFlags, int ASearch)
{
    return AClass ? ff::av_opt_find(&AClass, AName.c_str(), nullptr, AFlags, ASearch) : nullptr;
}

// One taker is enough: a private option may belong to several codecs.
int TryCodecValue(const std::string& AName, const std::string& AValue)
{
    TAVLogMute mute;
    if (FindInClass(ff::avcodec_get_class(), AName, 0, AV_OPT_SEARCH_FAKE_OBJ)) {
        AVCodecContext* ctx = ff::avcodec_alloc_context3(nullptr);
        const int r = ctx ? ff::av_opt_set(ctx, AName.c_str(), AValue.c_str(), 0) : AVERROR(ENOMEM);
        ff::avcodec_free_context(&ctx);
        return r;
    }
    int r = AVERROR_OPTION_NOT_FOUND;
    void* it = nullptr;
    while (const AVCodec* codec = ff::av_codec_iterate(&it)) {
        if (!FindInClass(codec->priv_class, AName, 0, AV_OPT_SEARCH_FAKE_OBJ))
            continue;
        AVCodecContext* ctx = ff::avcodec_alloc_context3(codec);
        r = ctx ? ff::av_opt_set(ctx, AName.c_str(), AValue.c_str(), AV_OPT_SEARCH_CHILDREN) : AVERROR(ENOMEM);
        ff::avcodec_free_context(&ctx);
        if (r >= 0)
            break;
    }
    return r;
}

// Demuxers make their private data only when they open a file, so their
// private options are taken unchecked; the opening reports a bad value.
int TryFormatValue(const std::string& AName, const std::string& AValue)
{
    TAVLogMute mute;
    if (FindInClass(ff::avformat_get_class(), AName, 0, AV_OPT_SEARCH_FAKE_OBJ)) {
        AVFormatContext* ctx = ff::avformat_alloc_context();
        const int r = ctx ? ff::av_opt_set(ctx, AName.c_str(), AValue.c_str(), 0) : AVERROR(ENOMEM);
        ff::avformat_free_context(ctx);
        return r;
    }
    int r = 0;
    void* it = nullptr;
    while (const AVOutputFormat* muxer = ff::av_muxer_iterate(&it)) {
        if (!FindInClass(muxer->priv_class, AName, 0, AV_OPT_SEARCH_FAKE_OBJ))
            continue;
        AVFormatContext* ctx = nullptr;
        r = ff::avformat_alloc_output_context2(&ctx, muxer, nullptr, nullptr);
        if (r >= 0)
            r = ff::av_opt_set(ctx, AName.c_str(), AValue.c_str(), AV_OPT_SEARCH_CHILDREN);
        ff::avformat_free_context(ctx);
        if (r >= 0)
            break;
    }
    return r;
}

int TryScalerValue(const std::string& AName, const std::string& AValue)
{
    TAVLogMute mute;
    SwsContext* ctx = ff::sws_alloc_context();
    const int r = ctx ? ff::av_opt_set(ctx, AName.c_str(), AValue.c_str(), 0) : AVERROR(ENOMEM);
    ff::sws_freeContext(ctx);
    return r;
}

// Whether the options set on the video codec holder or the format holder
// ask for debugging output.
bool DebugRequested(const TFFOptions& AOptions)
{
    TAVLogMute mute;
    int64_t codecDebug = 0, formatDebug = 0;
    if (AVCodecContext* ctx = ff::avcodec_alloc_context3(nullptr)) {
        AVDictionary* copy = nullptr;
        ff::av_dict_copy(&copy, AOptions.codec_opts[VideoHolder], 0);
        ff::av_opt_set_dict(ctx, &copy);
        ff::av_opt_get_int(ctx, "debug", 0, &codecDebug);
        ff::av_dict_free(&copy);
        ff::avcodec_free_context(&ctx);
    }
    if (AVFormatContext* ctx = ff::avformat_alloc_context()) {
        AVDictionary* copy = nullptr;
        ff::av_dict_copy(&copy, AOptions.format_opts, 0);
        ff::av_opt_set_dict(ctx, &copy);
        ff::av_opt_get_int(ctx, "fdebug", 0, &formatDebug);
        ff::av_dict_free(&copy);
        ff::avformat_free_context(ctx);
    }
    return codecDebug != 0 || formatDebug != 0;
}

// The codec holders that take an option: every media type whose flag the
// option carries (a flag of 0 takes any codec option).
const AVOption* SetCodecOption(TFFOptions& AOptions, const std::string& AName, const std::string& AValue, int& R)
{
    const AVOption* found = nullptr;
    for (int i = 0; i < 5; ++i) {
        const AVOption* o = FindInClass(ff::avcodec_get_class(), AName, MediaTypeFlags[i], SearchClasses);
        if (!o)
            continue;
        if (!found) {
            found = o;
            R = TryCodecValue(AName, AValue);
            if (R < 0)
                break;
        }
        ff::av_dict_set(&AOptions.codec_opts[i], AName.c_str(), AValue.c_str(), 0);
    }
    return found;
}

// "ab", "vb", "sfoo": the codec option of one media type written with its
// type letter in front.
const AVOption* SetPrefixedOption(TFFOptions& AOptions, const std::string& AName, const std::string& AValue,
                                  int& R)
{
    const std::string prefixes = "avs";
    const int holders[] = {1, 0, 3};
    const size_t p = AName.empty() ? std::string::npos : prefixes.find(AName[0]);
    if (p == std::string::npos || AName.size() < 2)
        return nullptr;
    const std::string name = AName.substr(1);
    const int holder = holders[p];
    const AVOption* o = FindInClass(ff::avcodec_get_class(), name, MediaTypeFlags[holder], SearchClasses);
    if (!o)
        return nullptr;
    R = TryCodecValue(name, AValue);
    if (R >= 0)
        ff::av_dict_set(&AOptions.codec_opts[holder], name.c_str(), AValue.c_str(), 0);
    return o;
}

} // namespace

void InitFFOptions(TFFOptions& AOptions)
{
    AOptions = TFFOptions{};
}

void AllocFFOptions(TFFOptions& AOptions, int AScalerFlags)
{
    FreeFFOptions(AOptions);
    ff::av_dict_set_int(&AOptions.sws_opts, "sws_flags", AScalerFlags, 0);
}

void FreeFFOptions(TFFOptions& AOptions)
{
    for (AVDictionary*& d : AOptions.codec_opts)
        ff::av_dict_free(&d);
    ff::av_dict_free(&AOptions.format_opts);
    ff::av_dict_free(&AOptions.sws_opts);
    AOptions.opt_names.clear();
}

bool SetGenericOption(TFFOptions& AOptions, const std::string& AName, const std::string& AValue)
{
    if (platform::Trim(AName).empty() || platform::Trim(AValue).empty())
        return false;
    int r = 0;
    const AVOption* o = SetCodecOption(AOptions, AName, AValue, r);
    if (!o && (o = FindInClass(ff::avformat_get_class(), AName, 0, SearchClasses))) {
        r = TryFormatValue(AName, AValue);
        if (r >= 0)
            ff::av_dict_set(&AOptions.format_opts, AName.c_str(), AValue.c_str(), 0);
    }
    if (!o && (o = FindInClass(ff::sws_get_class(), AName, 0, AV_OPT_SEARCH_FAKE_OBJ))) {
        r = TryScalerValue(AName, AValue);
        if (r >= 0)
            ff::av_dict_set(&AOptions.sws_opts, AName.c_str(), AValue.c_str(), 0);
    }
    if (!o)
        o = SetPrefixedOption(AOptions, AName, AValue, r);
    if (!o)
        return false;
    if (r < 0) {
        ff::av_log(nullptr, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", AValue.c_str(),
                   AName.c_str());
        return false;
    }
    AOptions.opt_names.push_back(o->name);
    if (DebugRequested(AOptions))
        GetFFLogger()->SetLogLevel(llDebug);
    return true;
}

int ApplyRecordedOptions(const TFFOptions& AOptions, void* ATarget, const AVDictionary* ASource, int AFlags)
{
    int count = 0;
    for (const std::string& name : AOptions.opt_names) {
        const AVDictionaryEntry* e = ff::av_dict_get(ASource, name.c_str(), nullptr, 0);
        if (!e || !ff::av_opt_find(ATarget, name.c_str(), nullptr, AFlags, AV_OPT_SEARCH_CHILDREN))
            continue;
        if (ff::av_opt_set(ATarget, name.c_str(), e->value, AV_OPT_SEARCH_CHILDREN) >= 0)
            ++count;
    }
    return count;
}

} // namespace engine
