// Drawing into the screen surface: the current picture scaled with its
// aspect ratio and centred, bitmap subtitles blended in, and for files
// without video a waveform or a scrolling spectrum.

#include "engine/player/FFPlay.h"
#include "engine/player/FFPlay_Pixels.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/libsdl.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace engine {

namespace {

void FillRect(SDL_Surface* AScreen, int x, int y, int w, int h, uint32_t AColor)
{
    SDL_Rect rect{int16_t(x), int16_t(y), uint16_t(std::max(w, 0)), uint16_t(std::max(h, 0))};
    sdl::SDL_FillRect(AScreen, &rect, AColor);
}

} // namespace

int TCustomPlayer::VideoOpen(TVideoState* is, bool AForce)
{
    int w, h;
    if (Fis_full_screen && Ffs_screen_width > 0) {
        w = Ffs_screen_width;
        h = Ffs_screen_height;
    } else if (!Fis_full_screen && Fscreen_width > 0) {
        w = Fscreen_width;
        h = Fscreen_height;
    } else if (is->out_width > 0) {
        w = is->out_width & ~1;
        h = is->out_height & ~1;
    } else {
        w = 640;
        h = 480;
    }
    if (!AForce && Fscreen && is->width == Fscreen->w && Fscreen->w == w && is->height == Fscreen->h &&
        Fscreen->h == h)
        return 0;
    uint32_t flags = SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_HWACCEL;
    flags |= Fis_full_screen ? SDL_FULLSCREEN : SDL_RESIZABLE;
    // Overlays need at least 16 bits per pixel; a display without a depth
    // of its own (the dummy driver) gets 32.
    const SDL_VideoInfo* info = sdl::SDL_GetVideoInfo();
    const int depth = (info && info->vfmt && info->vfmt->BitsPerPixel >= 16) ? 0 : 32;
    Fscreen = sdl::SDL_SetVideoMode(w, h, depth, flags);
    if (!Fscreen) {
        ReportError("SDL: could not set video mode.", false);
        return -1;
    }
    if (FScreenHandle == 0)
        sdl::SDL_WM_SetCaption("DOVozori", "DOVozori");
    is->width = Fscreen->w;
    is->height = Fscreen->h;
    // The window keeps what an earlier surface (another file's, another
    // size's) put there until this one draws over all of it.
    ClearScreen(is);
    is->shown_place = TDisplayRect{};
    return 0;
}

void TCustomPlayer::ClearScreen(TVideoState* is)
{
    FillRect(Fscreen, is->xleft, is->ytop, is->width, is->height, sdl::SDL_MapRGB(Fscreen->format, 0, 0, 0));
    sdl::SDL_UpdateRect(Fscreen, is->xleft, is->ytop, uint32_t(is->width), uint32_t(is->height));
}

void TCustomPlayer::VideoDisplay(TVideoState* is)
{
    if (!Fscreen && VideoOpen(is, false) < 0)
        return;
    if (is->audio_stream >= 0 && is->show_audio)
        VideoAudioDisplay(is);
    else if (is->video_stream >= 0)
        VideoImageDisplay(is);
}

void TCustomPlayer::VideoImageDisplay(TVideoState* is)
{
    TVideoPicture& vp = is->pictq[is->pictq_rindex];
    if (!vp.bmp)
        return;
    if (is->subtitle_stream >= 0) {
        std::unique_lock<std::mutex> lock(is->subpq_mutex);
        if (is->subpq_size > 0) {
            const TSubPicture& sp = is->subpq[is->subpq_rindex];
            lock.unlock();
            if (vp.pts >= sp.pts + double(sp.sub.start_display_time) / 1000) {
                sdl::SDL_LockYUVOverlay(vp.bmp);
                TYUVPicture pict{{vp.bmp->pixels[0], vp.bmp->pixels[2], vp.bmp->pixels[1]},
                                 {vp.bmp->pitches[0], vp.bmp->pitches[2], vp.bmp->pitches[1]}};
                for (unsigned i = 0; i < sp.sub.num_rects; ++i) {
                    const AVSubtitleRect* r = sp.sub.rects[i];
                    TPaletteRect rect{r->x, r->y, r->w, r->h, r->data[0], r->linesize[0],
                                      reinterpret_cast<const uint32_t*>(r->data[1])};
                    if (rect.pixels && rect.palette)
                        BlendSubtitleRect(pict, rect, vp.bmp->w, vp.bmp->h);
                }
                sdl::SDL_UnlockYUVOverlay(vp.bmp);
            }
        }
    }
    KeepShownPicture(is, vp);
    ShowKeptPicture(is);
}

void TCustomPlayer::KeepShownPicture(TVideoState* is, const TVideoPicture& vp)
{
    TVideoPicture& kept = is->shown;
    if (kept.bmp && (kept.bmp->w != vp.bmp->w || kept.bmp->h != vp.bmp->h)) {
        sdl::SDL_FreeYUVOverlay(kept.bmp);
        kept.bmp = nullptr;
    }
    if (!kept.bmp)
        kept.bmp = sdl::SDL_CreateYUVOverlay(vp.bmp->w, vp.bmp->h, SDL_YV12_OVERLAY, Fscreen);
    if (!kept.bmp)
        return;
    kept.pts = vp.pts;
    kept.width = vp.width;
    kept.height = vp.height;
    kept.sample_aspect_ratio = vp.sample_aspect_ratio;
    sdl::SDL_LockYUVOverlay(vp.bmp);
    sdl::SDL_LockYUVOverlay(kept.bmp);
    // YV12: a full-size luma plane, then two chroma planes of half the size.
    for (int p = 0; p < 3; ++p) {
        const int rows = p == 0 ? vp.bmp->h : (vp.bmp->h + 1) / 2;
        const int bytes = std::min<int>(vp.bmp->pitches[p], kept.bmp->pitches[p]);
        for (int y = 0; y < rows; ++y)
            memcpy(kept.bmp->pixels[p] + ptrdiff_t(y) * kept.bmp->pitches[p],
                   vp.bmp->pixels[p] + ptrdiff_t(y) * vp.bmp->pitches[p], size_t(bytes));
    }
    sdl::SDL_UnlockYUVOverlay(kept.bmp);
    sdl::SDL_UnlockYUVOverlay(vp.bmp);
}

void TCustomPlayer::ShowKeptPicture(TVideoState* is)
{
    const TVideoPicture& kept = is->shown;
    if (!kept.bmp || !Fscreen)
        return;
    const double aspect = PictureAspect(FAspectRatio, is->width, is->height, kept.sample_aspect_ratio.num,
                                        kept.sample_aspect_ratio.den, kept.width, kept.height);
    const TDisplayRect place = FitPicture(aspect, is->width, is->height);
    // A picture of another shape leaves bands where the last one was:
    // black them before it shows.
    if (is->shown_place.w > 0 && !(is->shown_place == place))
        ClearScreen(is);
    is->shown_place = place;
    SDL_Rect rect{int16_t(is->xleft + place.x), int16_t(is->ytop + place.y), uint16_t(std::max(place.w, 0)),
                  uint16_t(std::max(place.h, 0))};
    sdl::SDL_DisplayYUVOverlay(kept.bmp, &rect);
}

void TCustomPlayer::ShowAgain(TVideoState* is)
{
    if (!Fscreen)
        return;
    if (is->audio_stream >= 0 && is->show_audio)
        VideoAudioDisplay(is);
    else if (is->video_stream >= 0)
        ShowKeptPicture(is);
}

void TCustomPlayer::VideoAudioDisplay(TVideoState* is)
{
    int rdft_bits = 1;
    while ((1 << rdft_bits) < 2 * is->height)
        ++rdft_bits;
    const int nb_freq = 1 << (rdft_bits - 1);
    const int channels = std::max(is->audio_channels, 1);
    const int show = is->show_audio;
    int i_start;
    if (!is->paused) {
        const int data_used = show == 1 ? is->width : 2 * nb_freq;
        int delay = (int(is->audio_buf_size) - is->audio_buf_index) / (2 * channels);
        const int64_t callbackTime = Faudio_callback_time;
        if (callbackTime)
            delay -= int(int32_t(ff::av_gettime() - callbackTime) * int64_t(is->audio_sample_rate) / 1000000);
        delay += 2 * data_used;
        if (delay < data_used)
            delay = data_used;
        int x = (is->sample_array_index - delay * channels) % SAMPLE_ARRAY_SIZE;
        if (x < 0)
            x += SAMPLE_ARRAY_SIZE;
        i_start = x;
        if (show == 1) {
            // Start at a rising edge, so the waves stand still.
            int best = INT_MIN;
            for (int i = 0; i < 1000; i += channels) {
                const int idx = (SAMPLE_ARRAY_SIZE + x - i) % SAMPLE_ARRAY_SIZE;
                const int a = is->sample_array[idx];
                const int b = is->sample_array[(idx + 4 * channels) % SAMPLE_ARRAY_SIZE];
                const int c = is->sample_array[(idx + 5 * channels) % SAMPLE_ARRAY_SIZE];
                const int d = is->sample_array[(idx + 9 * channels) % SAMPLE_ARRAY_SIZE];
                const int score = a - d;
                if (score > best && (b ^ c) < 0) {
                    best = score;
                    i_start = idx;
                }
            }
        }
        is->last_i_start = i_start;
    } else {
        i_start = is->last_i_start;
    }

    const uint32_t white = sdl::SDL_MapRGB(Fscreen->format, 0xFF, 0xFF, 0xFF);
    if (show == 1) {
        FillRect(Fscreen, is->xleft, is->ytop, is->width, is->height, sdl::SDL_MapRGB(Fscreen->format, 0, 0, 0));
        const int h = is->height / channels;
        const int h2 = h * 9 / 20;
        for (int ch = 0; ch < channels; ++ch) {
            int i = i_start + ch;
            const int y1 = is->ytop + ch * h + h / 2;
            for (int x = 0; x < is->width; ++x) {
                const int y = (is->sample_array[i % SAMPLE_ARRAY_SIZE] * h2) >> 15;
                if (y < 0)
                    FillRect(Fscreen, is->xleft + x, y1 + y, 1, -y, white);
                else
                    FillRect(Fscreen, is->xleft + x, y1, 1, y, white);
                i = (i + channels) % SAMPLE_ARRAY_SIZE;
            }
        }
        for (int ch = 1; ch < channels; ++ch)
            FillRect(Fscreen, is->xleft, is->ytop + ch * h, is->width, 1, white);
        sdl::SDL_UpdateRect(Fscreen, is->xleft, is->ytop, uint32_t(is->width), uint32_t(is->height));
        return;
    }
    const int shown = std::min(channels, 2);
    if (rdft_bits != is->rdft_bits) {
        ff::av_rdft_end(is->rdft);
        ff::av_free(is->rdft_data);
        is->rdft = ff::av_rdft_init(rdft_bits, DFT_R2C);
        is->rdft_bits = rdft_bits;
        is->rdft_data = static_cast<FFTSample*>(ff::av_malloc(size_t(4 * nb_freq) * sizeof(FFTSample)));
    }
    if (!is->rdft || !is->rdft_data)
        return;
    FFTSample* data[2];
    for (int ch = 0; ch < shown; ++ch) {
        data[ch] = is->rdft_data + 2 * nb_freq * ch;
        int i = i_start + ch;
        for (int x = 0; x < 2 * nb_freq; ++x) {
            const double w = (x - nb_freq) * (1.0 / nb_freq);
            data[ch][x] = FFTSample(is->sample_array[i % SAMPLE_ARRAY_SIZE] * (1.0 - w * w));
            i = (i + channels) % SAMPLE_ARRAY_SIZE;
        }
        ff::av_rdft_calc(is->rdft, data[ch]);
    }
    if (shown == 1)
        data[1] = data[0]; // a single channel paints both colours
    const double w = 1 / std::sqrt(double(nb_freq));
    for (int y = 0; y < is->height; ++y) {
        auto magnitude = [&](const FFTSample* d) {
            const double v = std::nearbyint(std::sqrt(w * std::sqrt(double(d[2 * y]) * d[2 * y] +
                                                                   double(d[2 * y + 1]) * d[2 * y + 1])));
            return int(std::min(v, 255.0));
        };
        const int a = magnitude(data[0]), b = magnitude(data[1]);
        FillRect(Fscreen, is->xpos, is->height - y, 1, 1,
                 sdl::SDL_MapRGB(Fscreen->format, uint8_t(a), uint8_t(b), uint8_t((a + b) / 2)));
    }
    sdl::SDL_UpdateRect(Fscreen, is->xpos, is->ytop, 1, uint32_t(is->height));
    if (++is->xpos >= is->width)
        is->xpos = is->xleft;
}

} // namespace engine
