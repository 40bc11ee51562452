#pragma once
// The editing steps the task-row fuzz target replays, as bytes: a step's
// code, then its arguments. The seed maker writes sequences a user could
// make with these; the fuzzer mutates them into any other.

#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

enum class TRowStep : uint8_t {
    Add,          // source index
    Remove,
    MoveUp,
    MoveDown,
    Select,       // row index, or none past the last row
    Rename,       // row index, name length, name bytes
    Clear,
    Category,     // category position
    Profile,      // profile position
    Overwrite,    // 0 rename an existing output, 1 overwrite it
    OutputExists, // name length, name bytes: a file appears in the output folder
    Count
};

// The sources the target can add: plain names, one that is another
// source's output under the first profile, one with an odd name.
constexpr std::string_view RowSources[] = {"song.wav", "song.mp3", "clip.avi", "a b.mkv", ".hidden", "x.y.z.flac"};
constexpr int RowSourceCount = int(std::size(RowSources));

inline void AppendStep(std::string& AOut, TRowStep AStep, std::initializer_list<uint8_t> AArgs = {})
{
    AOut += char(AStep);
    for (uint8_t Arg : AArgs)
        AOut += char(Arg);
}

inline void AppendNamed(std::string& AOut, TRowStep AStep, std::initializer_list<uint8_t> AArgs, std::string_view AName)
{
    AppendStep(AOut, AStep, AArgs);
    AOut += char(uint8_t(AName.size()));
    AOut += AName;
}

} // namespace fuzz
