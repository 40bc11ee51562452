#pragma once
// Names of snapshot files and the slider's mapping between time and place.

#include <cstdint>
#include <string>

namespace app {

// Folder + "/" + the source's file name without extension + "_N." + AExt,
// with N the first number from 1 whose file does not exist; numbers are
// counted per extension.
std::string NextSnapshotName(const std::string& AFolder, const std::string& ASourceFile, const std::string& AExt);

// The slider place of a playback time; 0 while the duration is unknown.
int SliderValueOfTime(int64_t ATime, int64_t ADuration, int AMaxValue);
// The time a released slider asks for; 0 before a file is open or while
// its duration is unknown.
int64_t TimeOfSliderValue(int AValue, int AMaxValue, int64_t ADuration);

} // namespace app
