// Packs a skin folder into the compressed skin container (the form a skin
// list item keeps) and writes it as a C++ source that defines the bytes:
//   zarvelo_skin_pack <skin.ini> <output.cpp> <symbol>
// A folder that does not load whole fails the build, naming why.

#include "skin/core/bsSkinData_StoredSkin.h"

#include "platform/core/Streams.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Source(const std::vector<uint8_t>& ABytes, const std::string& ASymbol)
{
    std::ostringstream s;
    s << "// Made by zarvelo_skin_pack from the skin folder; not edited by hand.\n"
         "#include <cstddef>\n\nnamespace skins {\n\nextern const unsigned char "
      << ASymbol << "[];\nextern const std::size_t " << ASymbol << "Size;\n\nconst unsigned char " << ASymbol
      << "[] = {";
    for (size_t i = 0; i < ABytes.size(); ++i)
        s << (i % 20 == 0 ? "\n    " : "") << unsigned(ABytes[i]) << ",";
    s << "\n};\nconst std::size_t " << ASymbol << "Size = " << ABytes.size() << ";\n\n} // namespace skins\n";
    return s.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <skin.ini> <output.cpp> <symbol>\n", argv[0]);
        return 2;
    }
    try {
        skin::TbsCompressedStoredSkin stored(nullptr);
        const skin::TbsSkinStatus status = stored.LoadFromIniFile(argv[1]);
        if (!status.Ok()) {
            std::fprintf(stderr, "%s: %s\n", argv[0], status.Message.c_str());
            return 1;
        }
        platform::TMemoryStream container;
        const skin::TbsSkinStatus saved = stored.SaveToCompressStream(container);
        if (!saved.Ok()) {
            std::fprintf(stderr, "%s: %s\n", argv[0], saved.Message.c_str());
            return 1;
        }
        const std::string temp = std::string(argv[2]) + ".tmp";
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out << Source(container.Data(), argv[3]);
            if (!out.flush()) {
                std::fprintf(stderr, "%s: cannot write %s\n", argv[0], temp.c_str());
                return 1;
            }
        }
        if (std::rename(temp.c_str(), argv[2]) != 0) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: cannot pack %s: %s\n", argv[0], argv[1], e.what());
        return 1;
    }
    return 0;
}
