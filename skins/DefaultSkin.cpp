#include "skins/DefaultSkin.h"

#include "platform/core/Streams.h"

#include <cstddef>

namespace skins {

// Defined by the source the skin packer writes at build time.
extern const unsigned char DefaultSkinBytes[];
extern const std::size_t DefaultSkinBytesSize;

std::span<const uint8_t> DefaultSkinContainer()
{
    return {reinterpret_cast<const uint8_t*>(DefaultSkinBytes), DefaultSkinBytesSize};
}

skin::TbsSkinListItem* AddDefaultSkin(skin::TbsCompressedSkinList& AList)
{
    skin::TbsSkinListItem* item = AList.Skins().Add();
    item->Name = DefaultSkinName;
    item->Description = DefaultSkinDescription;
    platform::TMemoryStream container;
    const std::span<const uint8_t> bytes = DefaultSkinContainer();
    container.Write(bytes.data(), int64_t(bytes.size()));
    container.Seek(0, platform::soBeginning);
    item->ReadSkinData(container);
    return item;
}

} // namespace skins
