#include "engine/converter/AmrNbEncoder.h"

#include "platform/core/DynLibs.h"
#include "platform/core/Exceptions.h"

#include <mutex>

namespace engine {

namespace {

// The library's interface: an encoder state made with the DTX switch, one
// call per 20 ms frame with the mode (0 .. 7), and its release.
using TInit = void* (*)(int ADtx);
using TEncode = int (*)(void* AState, int AMode, const short* ASpeech, unsigned char* AOut, int AForceSpeech);
using TExit = void (*)(void* AState);

struct TAmrLibrary {
    TInit Init = nullptr;
    TEncode Encode = nullptr;
    TExit Exit = nullptr;
    std::string Error;
};

const char* const LibraryName = "libopencore-amrnb.so.0";

// The bit rates of the eight modes, lowest first.
const int ModeBitRates[] = {4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200};

const TAmrLibrary& Library()
{
    static TAmrLibrary library;
    static std::once_flag once;
    std::call_once(once, [] {
        std::string error;
        platform::TLibHandle handle = platform::LoadLibrary(LibraryName, &error);
        if (!handle) {
            library.Error = "the AMR-NB encoder library " + std::string(LibraryName) + " cannot be loaded: " + error;
            return;
        }
        // The library stays loaded for the rest of the process.
        library.Init = reinterpret_cast<TInit>(platform::GetProcAddress(handle, "Encoder_Interface_init", &error));
        library.Encode =
            reinterpret_cast<TEncode>(platform::GetProcAddress(handle, "Encoder_Interface_Encode", &error));
        library.Exit = reinterpret_cast<TExit>(platform::GetProcAddress(handle, "Encoder_Interface_exit", &error));
        if (!library.Init || !library.Encode || !library.Exit) {
            library.Init = nullptr;
            library.Error = "the AMR-NB encoder library " + std::string(LibraryName) + " is incomplete: " + error;
        }
    });
    return library;
}

} // namespace

bool TAmrNbEncoder::IsAmrNbName(const std::string& AName)
{
    return AName == "libopencore_amrnb" || AName == "libamr_nb" || AName == "amr_nb" || AName == "amrnb";
}

bool TAmrNbEncoder::Available(std::string* AWhy)
{
    const TAmrLibrary& library = Library();
    if (AWhy)
        *AWhy = library.Error;
    return library.Init != nullptr;
}

int TAmrNbEncoder::ModeForBitRate(int64_t ABitRate)
{
    int mode = 0;
    for (int i = 0; i < int(std::size(ModeBitRates)); ++i)
        if (ModeBitRates[i] <= ABitRate)
            mode = i;
    return mode;
}

int TAmrNbEncoder::BitRateOfMode(int AMode)
{
    return ModeBitRates[AMode];
}

TAmrNbEncoder::TAmrNbEncoder(int64_t ABitRate) : FMode(ModeForBitRate(ABitRate))
{
    std::string why;
    if (!Available(&why))
        throw platform::Exception(why);
    FState = Library().Init(0);
    if (!FState)
        throw platform::Exception("the AMR-NB encoder cannot be started");
}

TAmrNbEncoder::~TAmrNbEncoder()
{
    if (FState)
        Library().Exit(FState);
}

std::vector<uint8_t> TAmrNbEncoder::Encode(const int16_t* ASamples)
{
    // A frame of the highest mode is 31 bytes with its mode byte.
    std::vector<uint8_t> out(64);
    const int size = Library().Encode(FState, FMode, ASamples, out.data(), 0);
    out.resize(size > 0 ? size_t(size) : 0);
    return out;
}

} // namespace engine
