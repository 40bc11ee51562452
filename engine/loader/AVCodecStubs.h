#pragma once
// Entry points of libavcodec.so.59.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls ff::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_AVCODEC_EXPORTS(F, V) \
    F(avcodec_find_decoder) F(avcodec_find_decoder_by_name) F(avcodec_find_encoder) \
    F(avcodec_find_encoder_by_name) F(av_codec_iterate) F(av_codec_is_encoder) F(av_codec_is_decoder) \
    F(avcodec_alloc_context3) F(avcodec_free_context) F(avcodec_open2) F(avcodec_is_open) F(avcodec_close) \
    F(avcodec_get_class) F(avcodec_get_name) F(avcodec_descriptor_get) F(avcodec_string) \
    F(avcodec_parameters_alloc) F(avcodec_parameters_free) F(avcodec_parameters_copy) \
    F(avcodec_parameters_to_context) F(avcodec_parameters_from_context) \
    F(avcodec_send_packet) F(avcodec_receive_frame) F(avcodec_send_frame) F(avcodec_receive_packet) \
    F(avcodec_flush_buffers) F(avcodec_decode_subtitle2) F(avcodec_encode_subtitle) F(avsubtitle_free) \
    F(avcodec_align_dimensions2) F(avcodec_find_best_pix_fmt_of_list) F(av_get_bits_per_sample) \
    F(av_get_audio_frame_duration2) \
    F(av_packet_alloc) F(av_packet_free) F(av_packet_ref) F(av_packet_unref) F(av_packet_move_ref) F(av_packet_make_refcounted) \
    F(av_packet_clone) F(av_packet_copy_props) F(av_new_packet) F(av_packet_rescale_ts) \
    F(av_packet_get_side_data) F(av_packet_new_side_data) \
    F(av_bsf_get_by_name) F(av_bsf_alloc) F(av_bsf_init) F(av_bsf_send_packet) F(av_bsf_receive_packet) \
    F(av_bsf_flush) F(av_bsf_free) F(av_bsf_list_parse_str) \
    F(av_rdft_init) F(av_rdft_calc) F(av_rdft_end)

namespace ff {
ZARVELO_DECLARE_ENTRIES(ZARVELO_AVCODEC_EXPORTS)
} // namespace ff

ZARVELO_DECLARE_STUB_UNIT(AVCodec)
