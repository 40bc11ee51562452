#pragma once
// Reading a task record's free-form option text, and the list of codec,
// preset, frame size and filter defaults that an output file's extra
// streams draw from.

#include <string>
#include <utility>
#include <vector>

#include "engine/options/FFConverter_Options.h"
#include "engine/converter/ConversionJob.h"

namespace engine {

// The defaults "def_acodec", "def_vcodec", "def_scodec", "def_apre",
// "def_vpre", "def_spre", "def_s", "def_vf" of an output file's first
// streams, and the per-stream lines of its option text in text order.
class TCodecDefaults {
public:
    void Collect(const TOutputOptions& AOptions);
    // Value of "def_" + AName; empty when not set.
    std::string Default(const std::string& AName) const;
    // Value of the first per-stream line named exactly AName, which is
    // consumed; the default when there is none.
    std::string Next(const std::string& AName);
    // Lines not consumed yet, for tests.
    const std::vector<TOptionLine>& Lines() const { return FLines; }

private:
    void SetDefault(const std::string& AName, const std::string& AValue);
    std::vector<TOptionLine> FDefaults;
    std::vector<TOptionLine> FLines;
};

} // namespace engine
