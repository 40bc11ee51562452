// Opening a folder of 10,000 files in a shell list: enumerating it into
// rows (with the mask test), the default sort, and a column sort by size.
// Prints milliseconds per step (best of several rounds).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "skin/dialogs/bsSkinShellCtrls_ListRows.h"

using namespace skin;

namespace {

constexpr int FileCount = 10000;

double BestMs(const std::function<void()>& AWork)
{
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        AWork();
        std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - start;
        best = std::min(best, d.count());
    }
    return best;
}

void FreeRows(std::vector<TbsShellFolder*>& ARows)
{
    for (TbsShellFolder* f : ARows)
        delete f;
    ARows.clear();
}

} // namespace

int main()
{
    char pattern[] = "/tmp/zarvelo-bench-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir)
        return 1;
    for (int i = 0; i < FileCount; ++i) {
        const std::string name = std::string(dir) + "/track " + std::to_string(i) + (i % 3 ? ".mp3" : ".wav");
        const int f = open(name.c_str(), O_WRONLY | O_CREAT, 0644);
        if (f >= 0) {
            if (write(f, name.data(), size_t(i % 97)) < 0) {
            }
            close(f);
        }
    }
    std::string root = dir;
    std::unique_ptr<TbsShellFolder> folder(RootItemFromText(nullptr, "", root));
    std::vector<TbsShellFolder*> rows;
    std::string longest;
    const double fill = BestMs([&] {
        FreeRows(rows);
        EnumerateShellFolders(folder.get(), otFolders | otNonFolders, "*.mp3;*.wav", nullptr, rows, longest);
    });
    const double sort = BestMs([&] { SortShellFolders(rows, {folder.get()}); });
    const double bySize = BestMs([&] { SortShellFolders(rows, {folder.get(), true, 1, false, 0}); });
    std::printf("rows %zu\nfill %.1f ms\ndefault sort %.1f ms\nsize sort %.1f ms\n", rows.size(), fill, sort, bySize);
    FreeRows(rows);
    folder.reset();
    std::system((std::string("rm -rf '") + dir + "'").c_str());
    return 0;
}
