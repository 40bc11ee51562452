// Compressed skins. The first byte of the input chooses what the rest is:
// even, a whole container (version, length, zlib data) as skin files and
// form files carry it; odd, the inflated payload, which the target deflates
// so that the payload reader sees more than zlib's checksum failures.
// A skin that loads is stored again and loads the same; a container written
// reads back byte for byte.

#include "fuzz/FuzzSkinShared.h"
#include "platform/core/Streams.h"
#include "skin/core/bsSkinData_StoredSkin.h"
#include "skin/core/bszlibcompress.h"

using namespace platform;
using namespace skin;

namespace {

bool ReadStoredSkin(const uint8_t* AData, size_t ASize, bool APayload, TbsCompressedStoredSkin& AStored)
{
    TMemoryStream Input;
    Input.Write(AData, int64_t(ASize));
    Input.Seek(0, soBeginning);
    if (APayload) {
        TMemoryStream Deflated;
        DeflateMemoryStream(Input, Deflated);
        Deflated.Seek(0, soBeginning);
        AStored.ReadCompressedData(Deflated);
        return true;
    }
    const TbsSkinStatus Status = AStored.LoadFromCompressStream(Input);
    if (!Status.Ok())
        FUZZ_CHECK(AStored.Empty());
    return Status.Ok();
}

void CheckContainerRoundTrip(TbsCompressedStoredSkin& AStored)
{
    TMemoryStream Container;
    FUZZ_CHECK(AStored.SaveToCompressStream(Container).Ok());
    Container.Seek(0, soBeginning);
    TbsCompressedStoredSkin Again(nullptr);
    FUZZ_CHECK(Again.LoadFromCompressStream(Container).Ok());
    FUZZ_CHECK(Again.CompressedStream().Data() == AStored.CompressedStream().Data());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0)
        return 0;
    TbsCompressedStoredSkin Stored(nullptr);
    if (!ReadStoredSkin(Data + 1, Size - 1, Data[0] & 1, Stored))
        return 0;

    TbsSkinData First(nullptr);
    const TbsSkinStatus Status = First.LoadCompressedStoredSkin(&Stored);
    fuzz::CheckLoadStatus(Status, First);
    if (!Status.Ok())
        return 0;

    TbsCompressedStoredSkin Restored(nullptr);
    FUZZ_CHECK(Restored.LoadFromSkinData(First).Ok());
    CheckContainerRoundTrip(Restored);
    TbsSkinData Second(nullptr);
    FUZZ_CHECK(Second.LoadCompressedStoredSkin(&Restored).Ok());
    FUZZ_CHECK_SAME_TEXT(fuzz::SkinIniText(Second), fuzz::Reread(fuzz::SkinIniText(First)));
    FUZZ_CHECK(Second.FActivePictures.size() == First.FActivePictures.size());
    return 0;
}
