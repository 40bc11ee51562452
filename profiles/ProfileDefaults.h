#pragma once
// The output values each profile starts from, and the output file name of a
// file converted with it.

#include <set>
#include <span>
#include <string>

#include "platform/core/Exceptions.h"
#include "profiles/OutputFields.h"

namespace profiles {

// A profile the catalogue cannot serve, or an output name that cannot be made.
class EProfileError : public platform::Exception {
public:
    using platform::Exception::Exception;
};

// One profile's defaults. Empty texts and BitrateNotSet leave a field at its
// reset value.
struct TProfileDefaults {
    int Key;
    const char* Ext;      // extension of the output file name
    const char* FileExt;  // Video_FileExt, which differs from Ext for a few profiles
    const char* VideoCodec;
    const char* VideoTag;
    const char* FrameSize;
    const char* FrameRate;
    const char* FrameAspectRatio;
    int VideoBitrate;
    const char* AudioCodec;
    const char* AudioChannels;
    const char* AudioSampleRate;
    int AudioBitrate;
    const char* TargetType;
    const char* NormType;
    bool DisableVideo;
};

// The defaults of a catalogue key, or nullptr.
const TProfileDefaults* FindProfileDefaults(int AKey);

// Every profile's defaults, ascending by key.
std::span<const TProfileDefaults> AllProfileDefaults();

// Writes every value of a profile's row into the fields (Video_FileExt,
// codecs, tag, sizes, rates, bitrates, channels, target, norm, audio-only
// flag), empty texts and BitrateNotSet included; touches nothing else.
void ApplyProfileValues(TOutputFields& AFields, const TProfileDefaults& ARow);

// What an output file name depends on besides the input and the extension.
struct TOutputNaming {
    std::string Folder;     // the output folder as the user chose it
    bool Overwrite = false; // an existing output file may be overwritten
    // Files the file list already reads or writes, as OutputPathKey gives
    // them; they count as taken whether or not files on disk may be
    // overwritten.
    const std::set<std::string>* Taken = nullptr;
};

// The form of a path under which two spellings of one file compare equal:
// absolute, without "." and "..", with the links of its existing part
// resolved.
std::string OutputPathKey(const std::string& APath);

// Output folder + "/" + the input's file name with its extension replaced
// by AExt (appended when it has none). A taken name, or unless overwriting
// a name that exists as a file, gets "_" and the first free number N = 1, 2,
// ... before its extension ("clip_2.mp4"). The input file itself is never
// the result, overwriting or not. Raises EProfileError when no folder is
// given, rather than aiming at the file system's root.
std::string MakeOutputFileName(const std::string& AInputFile, const std::string& AExt, const TOutputNaming& ANaming);
// The same for a file name AName ("clip.mp4") in the output folder, made
// free by the same rules for the input AInputFile.
std::string FreeOutputFileName(const std::string& AName, const std::string& AInputFile, const TOutputNaming& ANaming);

// Resets the fields and writes the defaults of the profile with catalogue
// key AKey: All_Trant_Number, every value of the table, and
// Video_OutPutFileName for Video_AddFileName. Raises EProfileError, and
// changes nothing, for a key without defaults. (The hidden profile-defaults
// button's operation, without its copy into the selected row.)
void ApplyProfileDefaults(TOutputFields& AFields, int AKey, const TOutputNaming& ANaming);

} // namespace profiles
