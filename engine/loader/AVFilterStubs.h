#pragma once
// Entry points of libavfilter.so.8.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls ff::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_AVFILTER_EXPORTS(F, V) \
    F(avfilter_get_by_name) F(avfilter_get_class) F(avfilter_graph_alloc) F(avfilter_graph_free) \
    F(avfilter_graph_create_filter) F(avfilter_graph_alloc_filter) F(avfilter_init_str) F(avfilter_link) \
    F(avfilter_graph_parse_ptr) F(avfilter_graph_config) F(avfilter_graph_dump) \
    F(avfilter_inout_alloc) F(avfilter_inout_free) \
    F(av_buffersrc_add_frame_flags) F(av_buffersrc_close) F(av_buffersink_get_frame) \
    F(av_buffersink_get_frame_flags) F(av_buffersink_get_samples) F(av_buffersink_set_frame_size) \
    F(av_buffersink_get_time_base) F(av_buffersink_get_format) F(av_buffersink_get_w) \
    F(av_buffersink_get_h) F(av_buffersink_get_sample_aspect_ratio) F(av_buffersink_get_frame_rate) \
    F(av_buffersink_get_sample_rate) F(av_buffersink_get_ch_layout)

namespace ff {
ZARVELO_DECLARE_ENTRIES(ZARVELO_AVFILTER_EXPORTS)
} // namespace ff

ZARVELO_DECLARE_STUB_UNIT(AVFilter)
