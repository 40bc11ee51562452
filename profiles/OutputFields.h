#pragma once
// The output value fields: what the catalogue derives for the file being
// added or the selected row (container, encoders, sizes, rates, flags), from
// which a conversion task's output options are built. The main window owns
// one record; the names are the window's field names.

#include <string>

#include "engine/options/FFConverter_Options.h"

namespace profiles {

// Bitrate values with a meaning of their own.
constexpr int BitrateNotSet = -1;        // the reset value
constexpr int BitrateAutomatic = -1000;  // no stream, or the encoder's choice
constexpr int AudioBitrateAutomatic2 = -2000; // also automatic, for audio only

// Volume on the scale where 256 leaves the audio unchanged.
inline const char* const UnchangedVolume = "256";

struct TOutputFields {
    std::string Video_OutPutFileName;   // output folder + "/" + file name
    std::string Video_AddFileName;      // the input being added; never reset
    std::string Video_FileExt;          // ".mp4"
    std::string Video_AudioChannels;    // "2"; empty: not given
    std::string Video_AudioSampleRate;  // "44100"; empty or "AUTO": not given
    std::string Video_FrameSize;        // "640*480"; empty: keep the source size
    std::string Video_FrameRate;        // "25", "29.97", "25.00"; empty: keep the source rate
    std::string Video_NormType;         // "PAL", "NTSC"; empty: automatic
    std::string Video_VideoFilters;     // empty: none
    std::string Video_AudioVolume;      // "256": unchanged
    std::string Video_FrameAspectRatio; // "4:3", "16:9", "37:20", "47:20"; empty: keep
    std::string Video_VideoCodec;       // encoder name; empty: not given
    std::string Video_AudioCodec;       // encoder name; empty or "AUTO": not given
    std::string Video_CopyTimestamp;    // kept for the row; no task uses it
    std::string Video_FileFormat;       // container name; empty: from the file name
    std::string Video_TargetType;       // "vcd", "svcd", "dvd"; empty: none
    std::string Video_VideoTag;         // fourcc such as "XVID"; empty: none
    int Video_VideoBitrate = 0;         // bit/s; BitrateNotSet, BitrateAutomatic
    int Video_AudioBitrate = 0;         // bit/s; BitrateNotSet, BitrateAutomatic(2)
    int Video_TimeStart = 0;            // only the reset writes it
    int Video_TimeLength = 0;           // only the reset writes it
    bool Video_DisableVideo = false;    // the profile writes no video stream

    // Catalogue key of the last lookup; the reset leaves it alone.
    int All_Trant_Number = 0;

    friend bool operator==(const TOutputFields&, const TOutputFields&) = default;
};

// Puts every field but Video_AddFileName and All_Trant_Number back to its
// reset value: texts empty, the volume "256", the four integers -1, video
// enabled. (The hidden reset button's operation.)
void ResetOutputFields(TOutputFields& AFields);

// Writes what the fields give into a task's output options; a field that
// means not given, automatic or not set leaves the record's value in place.
// "libx264" also asks for the encoder's default preset. The comparisons are
// exact: "pal" is no norm and "VCD" no target. The output file name is not
// written: it goes to the task as its output file. Raises EConvertError for
// a channel count, sample rate or volume that is no number.
void OutputFieldsToOptions(const TOutputFields& AFields, engine::TOutputOptions& AOptions);

} // namespace profiles
