#pragma once
// Ready-made option sets of the converter: the disc and DV targets and the
// built-in H.264 encoder presets, as data, plus the translation of the
// presets' option names to those the loaded encoder library understands.

#include <string>
#include <utility>
#include <vector>

namespace engine {

// Television norms of the targets.
enum TTargetNorm : int { tnPAL = 0, tnNTSC = 1, tnFILM = 2, tnUnknown = 3 };

// Frame rate text of each norm; empty for an undetermined norm.
extern const char* const TargetFrameRates[4];

struct TOptionsPreset {
    std::string Name;
    std::string Value; // lines key=value, each ended by LF
};

// The 36 built-in presets in their search order.
const std::vector<TOptionsPreset>& BuiltinPresets();

// Text of the first built-in preset whose name equals AName ignoring case;
// empty when there is none.
std::string FindBuiltinPreset(const std::string& AName);

// One preset line as the encoder library of this generation takes it. The
// presets were written for an older library whose generic option names
// ("directpred", "cqp", the "flags2" bits, "partitions" as flags) are now
// private options of the H.264 encoder with other names and forms; every
// other key passes unchanged.
using TOptionPairs = std::vector<std::pair<std::string, std::string>>;
TOptionPairs TranslatePresetOption(const std::string& AKey, const std::string& AValue);

// What one step of a target sets.
enum TTargetStepKind {
    tsVideoCodec,     // SetVideoCodec(value)
    tsAudioCodec,     // SetAudioCodec(value)
    tsFormat,         // SetFormat(value)
    tsFrameSize,      // SetFrameSize(PAL value or other value)
    tsPixelFormat,    // SetPixelFormat(PAL value or other value)
    tsFrameRate,      // SetFrameRate(TargetFrameRates[norm])
    tsLibrary,        // SetLibraryOption(key, PAL value or other value), result not checked
    tsSampleRate,     // audio sample rate := value
    tsChannels,       // audio channels := value
    tsChannelsNoMono, // a mono setting becomes stereo, others are kept
    tsMuxPreload,     // mux preload := value (seconds)
    tsAspect,         // when no aspect ratio is known: log, then SetAspectRatio(value)
};

struct TTargetStep {
    TTargetStepKind Kind;
    const char* Key;   // tsLibrary only
    const char* Pal;   // value for PAL
    const char* Other; // value for NTSC and FILM; nullptr: same as Pal
};

// The steps of a target type ("vcd", "svcd", "dvd", "dv", "dv50"), in the
// order they are applied; nullptr for an unknown type.
const std::vector<TTargetStep>* FindTargetSteps(const std::string& AType);

} // namespace engine
