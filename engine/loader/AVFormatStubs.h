#pragma once
// Entry points of libavformat.so.59.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls ff::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_AVFORMAT_EXPORTS(F, V) \
    F(avformat_alloc_context) F(avformat_free_context) F(avformat_get_class) F(avformat_open_input) \
    F(avformat_find_stream_info) F(avformat_close_input) F(av_find_best_stream) F(av_read_frame) \
    F(av_read_pause) F(av_read_play) F(av_seek_frame) F(avformat_seek_file) F(avformat_flush) \
    F(av_find_input_format) F(av_guess_format) F(av_guess_codec) F(av_guess_frame_rate) \
    F(av_guess_sample_aspect_ratio) F(av_demuxer_iterate) F(av_muxer_iterate) \
    F(avformat_alloc_output_context2) F(avformat_new_stream) F(avformat_query_codec) \
    F(avformat_write_header) F(av_write_frame) F(av_interleaved_write_frame) F(av_write_trailer) \
    F(av_codec_get_id) F(av_codec_get_tag) F(av_filename_number_test) F(av_dump_format) \
    F(av_sdp_create) F(av_pkt_dump_log2) F(av_stream_get_end_pts) F(avformat_match_stream_specifier) \
    F(avio_alloc_context) F(avio_context_free) F(avio_open) F(avio_open2) F(avio_close) F(avio_closep) \
    F(avio_read) F(avio_write) F(avio_seek) F(avio_skip) F(avio_size) F(avio_feof) F(avio_flush) \
    F(avio_find_protocol_name)

namespace ff {
ZARVELO_DECLARE_ENTRIES(ZARVELO_AVFORMAT_EXPORTS)
} // namespace ff

ZARVELO_DECLARE_STUB_UNIT(AVFormat)
