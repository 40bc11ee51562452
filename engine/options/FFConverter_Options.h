#pragma once
// The records that describe one conversion task to the engine: one
// TInputOptions per input file and one TOutputOptions per output file.
// Every value field has a not-set value; a record fresh from its defaults
// routine changes nothing in the converter.

#include "engine/base/LocalTime.h"

#include <cstdint>
#include <limits>
#include <string>

namespace engine {

// A time field that holds no time: the smallest 64-bit integer, the value
// the media libraries use for the same purpose.
constexpr int64_t NoOptionTime = std::numeric_limits<int64_t>::min();

enum TOptionTargetType { ttIgnore = 0, ttVCD = 1, ttSVCD = 2, ttDVD = 3 };
enum TOptionNormType { ntAuto = 0, ntPAL = 1, ntNTSC = 2 };
// Only ntPAL or ntNTSC: the norm a target falls back to.
using TOptionNormDefault = TOptionNormType;

struct TInputOptions {
    std::string FileName;            // empty: filled in from the file name given to the component
    std::string FileFormat;          // input format to force; empty: detect
    int64_t TimeStart = NoOptionTime; // µs; 0 or no time: no seek
    int ProgramID = -1;              // <= 0: keep every program
    std::string ExtOptions;          // further options, one name=value per line
    int Tag = 0;                     // the caller's own
    void* Data = nullptr;            // the caller's own
};
using PInputOptions = TInputOptions*;

// Recording time and metadata of an output file. The text fields are handed
// to the libraries as they stand.
struct TStreamInfo {
    TDateTime TimeStamp = -1.0;      // 0.0: now; > 0.0: that time; < 0.0: nothing
    int Year = -1;
    int Track = -1;
    std::string Title;
    std::string Author;
    std::string Copyright;
    std::string Comment;
    std::string Album;
    std::string Genre;
};

struct TOutputOptions {
    std::string FileName;            // empty: filled in from the file name given to the component
    std::string FileExt;             // the caller's choice; never read by the engine
    std::string FileFormat;          // empty: guessed from the file name
    int PacketSize = -1;
    int MuxRate = -1;                // bit/s
    float MuxDelay = -1.0f;          // seconds
    float MuxPreload = -1.0f;        // seconds
    std::string AudioCodec;          // encoder name or "copy"
    std::string AudioPreset;
    bool DisableAudio = false;
    int AudioVolume = -1;            // 256 = unchanged; 0 (silence) is a value
    int AudioChannels = -1;
    int AudioSampleRate = -1;        // Hz
    int AudioBitrate = -1;           // bit/s
    int AudioBitRateTolerance = -1;  // bits
    std::string AudioLanguage;       // always applied: empty clears the tag
    int AudioSyncMethod = 0;         // always applied
    std::string AudioTag;            // four characters
    std::string VideoCodec;          // encoder name or "copy"
    std::string VideoPreset;
    bool DisableVideo = false;
    std::string FrameRate;           // such as "30000/1001"
    std::string FrameSize;           // width x height
    std::string FrameAspectRatio;    // "4:3" or a decimal number
    int CropTop = -1;
    int CropBottom = -1;
    int CropLeft = -1;
    int CropRight = -1;
    int GroupPictureSize = -1;
    int VideoBitrate = -1;           // bit/s
    int VideoMaxRate = -1;
    int VideoMinRate = -1;
    int VideoBitRateTolerance = -1;
    int VideoBufSize = -1;           // bits
    int VideoSyncMethod = -1;        // always applied
    std::string VideoTag;            // four characters
    std::string VideoFilters;        // filter graph description
    std::string VideoLanguage;       // always applied: empty clears the tag
    std::string SubtitleCodec;       // encoder name or "copy"
    std::string SubtitlePreset;
    bool DisableSubtitle = false;
    std::string SubtitleLanguage;    // always applied: empty clears the tag
    bool InputSync = false;          // always applied
    bool CopyTimestamp = false;
    int64_t TimeStart = NoOptionTime; // µs
    int64_t TimeLength = NoOptionTime; // µs; also the task's total for progress
    TStreamInfo Info;
    TOptionTargetType TargetType = ttIgnore;
    TOptionNormType NormType = ntAuto;
    TOptionNormDefault NormDefault = ntPAL;
    bool CustomHook = false;
    bool Join = false;               // join every input of the task into this file
    std::string ExtOptions;          // further options, one name=value per line
    int Tag = 0;                     // the caller's own
    void* Data = nullptr;            // the caller's own
};
using POutputOptions = TOutputOptions*;

// Put every field into its not-set state, releasing the texts a used record
// still holds (a reset, not only an initialisation). The member initialisers
// are the single table of defaults.
inline void InitInputOptions(TInputOptions& AOptions)
{
    AOptions = TInputOptions{};
}

inline void InitOutputOptions(TOutputOptions& AOptions)
{
    AOptions = TOutputOptions{};
}

} // namespace engine
