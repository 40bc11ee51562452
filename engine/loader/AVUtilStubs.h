#pragma once
// Entry points of libavutil.so.57.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls ff::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_AVUTIL_EXPORTS(F, V) \
    F(av_log) F(av_vlog) F(av_log_default_callback) F(av_log_get_level) F(av_log_set_level) \
    F(av_log_set_callback) F(av_log_set_flags) F(av_default_item_name) \
    F(av_malloc) F(av_mallocz) F(av_malloc_array) F(av_calloc) F(av_realloc) F(av_realloc_array) \
    F(av_fast_malloc) F(av_fast_realloc) F(av_free) F(av_freep) F(av_strdup) F(av_memdup) \
    F(av_strlcpy) F(av_strlcat) F(av_strstart) F(av_stristart) F(av_strcasecmp) F(av_strerror) \
    F(av_compare_ts) F(av_rescale) F(av_rescale_rnd) F(av_rescale_q) F(av_rescale_q_rnd) F(av_gcd) \
    F(av_reduce) F(av_mul_q) F(av_div_q) F(av_d2q) F(av_find_nearest_q_idx) \
    F(av_get_pix_fmt) F(av_get_pix_fmt_name) F(av_pix_fmt_desc_get) F(av_get_bits_per_pixel) \
    F(av_get_pix_fmt_string) F(av_get_sample_fmt) F(av_get_sample_fmt_name) F(av_get_sample_fmt_string) \
    F(av_get_bytes_per_sample) F(av_sample_fmt_is_planar) F(av_get_packed_sample_fmt) \
    F(av_samples_get_buffer_size) F(av_samples_alloc) F(av_samples_alloc_array_and_samples) F(av_samples_fill_arrays) F(av_samples_copy) \
    F(av_samples_set_silence) F(av_get_media_type_string) F(av_get_picture_type_char) \
    F(av_channel_layout_default) F(av_channel_layout_from_mask) F(av_channel_layout_from_string) \
    F(av_channel_layout_copy) F(av_channel_layout_uninit) F(av_channel_layout_compare) \
    F(av_channel_layout_describe) \
    F(av_dict_get) F(av_dict_set) F(av_dict_set_int) F(av_dict_copy) F(av_dict_count) F(av_dict_free) \
    F(av_dict_parse_string) \
    F(av_opt_find) F(av_opt_find2) F(av_opt_next) F(av_opt_set) F(av_opt_set_int) F(av_opt_set_double) \
    F(av_opt_set_q) F(av_opt_set_bin) F(av_opt_set_dict) F(av_opt_set_dict2) F(av_opt_get) F(av_opt_get_int) F(av_opt_get_double) \
    F(av_opt_set_defaults) F(av_opt_is_set_to_default) F(av_opt_free) F(av_opt_child_class_iterate) \
    F(av_frame_alloc) F(av_frame_free) F(av_frame_ref) F(av_frame_unref) F(av_frame_move_ref) \
    F(av_frame_clone) F(av_frame_get_buffer) F(av_frame_make_writable) F(av_frame_copy) \
    F(av_frame_copy_props) F(av_frame_apply_cropping) F(av_frame_get_side_data) \
    F(av_image_get_buffer_size) F(av_image_fill_arrays) F(av_image_fill_linesizes) F(av_image_alloc) \
    F(av_image_copy) F(av_image_copy_to_buffer) F(av_image_check_size) \
    F(av_audio_fifo_alloc) F(av_audio_fifo_free) F(av_audio_fifo_realloc) F(av_audio_fifo_write) \
    F(av_audio_fifo_read) F(av_audio_fifo_drain) F(av_audio_fifo_size) \
    F(av_fifo_alloc2) F(av_fifo_freep2) F(av_fifo_write) F(av_fifo_read) F(av_fifo_peek) \
    F(av_fifo_can_read) F(av_fifo_can_write) F(av_fifo_grow2) F(av_fifo_drain2) F(av_fifo_reset2) \
    F(av_gettime) F(av_gettime_relative) F(av_usleep) \
    F(av_parse_video_rate) F(av_parse_video_size) F(av_parse_time) F(av_parse_ratio)

namespace ff {
ZARVELO_DECLARE_ENTRIES(ZARVELO_AVUTIL_EXPORTS)
} // namespace ff

ZARVELO_DECLARE_STUB_UNIT(AVUtil)
