// A task's option text and preset files, as a user or a preset file gives
// them. The first byte chooses the road: even, the option lines of a task
// record; odd, a preset file named by the "fpre" option. Every input is either taken or
// refused with the converter's exception; nothing else may escape.

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"
#include "engine/converter/ConversionJob.h"
#include "engine/loader/FFmpegLoader.h"

#include <string>

using namespace engine;

namespace {

// Option text never opens input files here: a fuzzed name could be a
// device or a pipe that never ends.
class TFuzzJob : public TCustomFFmpeg {
public:
    TFuzzJob() : TCustomFFmpeg(4) {}
    bool OpenInputFile(const std::string&) override { return false; }
};

void CheckLines(const std::string& AText)
{
    for (const auto& [Name, Value] : ReadOptionLines(AText)) {
        FUZZ_CHECK(Name.find_first_of("\r\n=") == std::string::npos);
        FUZZ_CHECK(Value.find_first_of("\r\n") == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!GlobalLoader().Load(ConverterLibraries)) {
        std::fprintf(stderr, "%s\n", GlobalLoader().LastErrMsg().c_str());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0)
        return 0;
    const std::string Text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    CheckLines(Text);
    static TFuzzJob Job;
    static const fuzz::TScratchFolder Folder;
    Job.ResetJob();
    try {
        if (Data[0] & 1)
            Job.ApplyPreset("fpre", Folder.Write("preset.ffpreset", Text));
        else
            Job.ApplyExtOptions(Text, true);
    } catch (const platform::Exception&) {
        // Refused with a message, as the task would be.
    }
    return 0;
}
