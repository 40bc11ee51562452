#include "engine/converter/EncoderPrivate.h"

#include "engine/converter/ConversionJob.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "platform/core/Format.h"

namespace engine {

TEncoderPrivate::~TEncoderPrivate()
{
    if (FSettings && ff::av_dict_free)
        ff::av_dict_free(&FSettings);
}

bool TEncoderPrivate::Release(AVCodecContext* AEnc)
{
    if (FReleased || !AEnc || !AEnc->codec || !AEnc->priv_data || !AEnc->codec->priv_class ||
        ff::avcodec_is_open(AEnc))
        return false;
    AVDictionary* Settings = nullptr;
    for (const AVOption* Opt = nullptr; (Opt = ff::av_opt_next(AEnc->priv_data, Opt));) {
        if (Opt->type == AV_OPT_TYPE_CONST || (Opt->flags & AV_OPT_FLAG_READONLY))
            continue;
        const int AtDefault = ff::av_opt_is_set_to_default(AEnc->priv_data, Opt);
        if (AtDefault > 0)
            continue;
        uint8_t* Value = nullptr;
        if (AtDefault < 0 || ff::av_opt_get(AEnc->priv_data, Opt->name, 0, &Value) < 0 || !Value ||
            ff::av_dict_set(&Settings, Opt->name, reinterpret_cast<char*>(Value), AV_DICT_DONT_STRDUP_VAL) < 0) {
            // A setting that cannot travel as text keeps the whole context.
            ff::av_dict_free(&Settings);
            return false;
        }
    }
    ff::av_opt_free(AEnc->priv_data);
    ff::av_freep(&AEnc->priv_data);
    FSettings = Settings;
    FReleased = true;
    return true;
}

void TEncoderPrivate::Restore(AVCodecContext* AEnc)
{
    if (!FReleased)
        return;
    // The private context's size is the library's own business: a scratch
    // codec context makes one with its defaults, and this one takes it.
    const AVCodec* Codec = AEnc->codec;
    AVCodecContext* Scratch = ff::avcodec_alloc_context3(Codec);
    void* Priv = Scratch ? Scratch->priv_data : nullptr;
    if (Scratch)
        Scratch->priv_data = nullptr;
    ff::avcodec_free_context(&Scratch);
    if (!Priv)
        throw FFmpegException(platform::Format("Out of memory making the %s encoder", std::string(Codec->name)));
    AEnc->priv_data = Priv;
    FReleased = false;
    const int Err = ff::av_opt_set_dict(Priv, &FSettings);
    AVDictionary* Left = FSettings;
    FSettings = nullptr;
    const AVDictionaryEntry* First = Left ? ff::av_dict_get(Left, "", nullptr, AV_DICT_IGNORE_SUFFIX) : nullptr;
    const std::string Name = First ? First->key : "";
    ff::av_dict_free(&Left);
    if (Err < 0 || !Name.empty())
        throw FFmpegException(platform::Format("The %s encoder refused its option %s", std::string(Codec->name), Name));
}

} // namespace engine
