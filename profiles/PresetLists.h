#pragma once
// The six preset value lists a profile offers (resolution, video bitrate,
// audio bitrate, video mode, frame rate, sample rate), with the entry each
// list selects by default, looked up by catalogue key.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace profiles {

// The presets in the order of their pairs in a row's preset code; the lists
// are also cleared, enabled and restored in this order.
enum class TPreset { Resolution, VideoBitrate, AudioBitrate, VideoMode, FrameRate, SampleRate };
constexpr int PresetCount = 6;
constexpr std::array<TPreset, PresetCount> AllPresets = {
    TPreset::Resolution, TPreset::VideoBitrate, TPreset::AudioBitrate,
    TPreset::VideoMode,  TPreset::FrameRate,    TPreset::SampleRate};

// The order in which the lists are filled and their defaults selected. A
// selection whose shown text changes runs that list's change handler before
// the next list is filled.
constexpr std::array<TPreset, PresetCount> PresetFillOrder = {
    TPreset::Resolution, TPreset::VideoBitrate, TPreset::FrameRate,
    TPreset::AudioBitrate, TPreset::SampleRate, TPreset::VideoMode};

// The lists an audio-only profile disables after filling, in this order.
constexpr std::array<TPreset, 4> AudioOnlyDisabledPresets = {
    TPreset::Resolution, TPreset::VideoBitrate, TPreset::VideoMode, TPreset::FrameRate};

inline int PresetIndex(TPreset APreset) { return int(APreset); }

// Name of the main window's combo that holds a preset list ("bsSkinComboBox1").
const char* PresetComboName(TPreset APreset);
// The caption beside a preset list, the same in every window ("视频分辨率：").
const char* PresetLabel(TPreset APreset);

// One list with its default entry.
struct TPresetPick {
    std::span<const char* const> Texts;
    int DefaultIndex = 0;

    const char* DefaultText() const { return Texts[DefaultIndex]; }
};

// The six lists of one catalogue key.
struct TPresetChoices {
    int Key = 0;
    std::array<TPresetPick, PresetCount> Picks; // by TPreset
    bool AudioOnly = false;

    const TPresetPick& Pick(TPreset APreset) const { return Picks[PresetIndex(APreset)]; }

    // The texts the six lists show once filled (indexed by TPreset).
    std::array<std::string, PresetCount> DefaultTexts() const;
};

// The lists of a catalogue key; none for a key without an entry (the lists
// then stay empty and enabled).
std::optional<TPresetChoices> FindPresetChoices(int AKey);

// Every key that has lists, ascending.
std::vector<int> PresetKeys();

} // namespace profiles
