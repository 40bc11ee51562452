// Helpers shared by the converter's files.

#include "engine/converter/ConversionJobInternal.h"
#include "engine/converter/ConversionJobStreams.h"
#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFilterStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/SwResampleStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/CodePage.h"
#include "platform/core/Format.h"

namespace engine {

void JobLog(TCustomFFmpeg* AJob, TLogLevel ALevel, const std::string& AText)
{
    GetFFLogger()->Log(AJob, ALevel, AText);
}

std::string ToAnsi(const std::string& AText) { return platform::Utf8ToAnsi(AText); }

void TCodecContextDeleter::operator()(AVCodecContext* P) const
{
    // The second pass's statistics belong to whoever set them, not to the
    // codec context.
    if (P)
        ff::av_freep(&P->stats_in);
    ff::avcodec_free_context(&P);
}
void TFrameDeleter::operator()(AVFrame* P) const { ff::av_frame_free(&P); }
void TPacketDeleter::operator()(AVPacket* P) const { ff::av_packet_free(&P); }
void TSwrDeleter::operator()(SwrContext* P) const { ff::swr_free(&P); }
void TSwsDeleter::operator()(SwsContext* P) const { ff::sws_freeContext(P); }
void TAudioFifoDeleter::operator()(AVAudioFifo* P) const { ff::av_audio_fifo_free(P); }
void TFilterGraphDeleter::operator()(AVFilterGraph* P) const { ff::avfilter_graph_free(&P); }
void TBsfDeleter::operator()(AVBSFContext* P) const { ff::av_bsf_free(&P); }
void TFileDeleter::operator()(FILE* P) const { std::fclose(P); }

TFramePtr NewFrame()
{
    TFramePtr F(ff::av_frame_alloc());
    if (!F)
        throw FFmpegException("av_frame_alloc fail");
    return F;
}

TPacketPtr NewPacket()
{
    TPacketPtr P(ff::av_packet_alloc());
    if (!P)
        throw FFmpegException("av_packet_alloc fail");
    return P;
}

void TCustomFFmpeg::SetLogLevelOption(const std::string& AValue) { GetFFLogger()->OptLogLevel(AValue); }

void TCustomFFmpeg::AddVideoHook(const std::string& AValue)
{
    // The library and its arguments, split at "|" when the text has one (so
    // a path may hold blanks), else at blanks.
    const char* separators = AValue.find('|') != std::string::npos ? "|" : " ";
    std::vector<std::string> words;
    for (size_t pos = 0; pos <= AValue.size();) {
        size_t end = AValue.find_first_of(separators, pos);
        if (end == std::string::npos)
            end = AValue.size();
        if (end > pos && words.size() < 64)
            words.push_back(AValue.substr(pos, end - pos));
        pos = end + 1;
    }
    std::vector<char*> argv(64);
    for (size_t i = 0; i < words.size(); ++i)
        argv[i] = words[i].data();
    if (AddFrameHook(int(words.size()), argv) != 0)
        throw FFmpegException("Failed to add video hook function: " + AValue);
    FHooks.Fusing_vhook = true;
}

} // namespace engine
