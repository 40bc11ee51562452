// The rows of a shell list: masks, the owner's veto, the default and column
// orders, and type-ahead.

#include "skin/dialogs/bsSkinShellCtrls_ListRows.h"

#include "platform/core/Masks.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace {

using namespace skin;

struct TMaskCase {
    const char* Mask;
    const char* Name;
    bool Accepted;
};

TEST(ShellMask, PatternsAreTestedOneByOne)
{
    const TMaskCase cases[] = {
        {"*.*|*.*", "README", false}, {"*.*|*.*", "song.mp3", true}, {"*", "README", true},
        {"", "song.mp3", false},      {"*.mp3;*.wav", "a.wav", true}, {"*.mp3;*.wav", "a.ogg", false},
        {"*.MP3", "song.mp3", true},  {"mp3", "mp3", false},          {"All files|*.*", "x.y", true},
        {"*.mp3;", "a.mp3", true},    {"Audio|*.mp3|Video|*.mp4|", "v.MP4", true},
    };
    for (const TMaskCase& c : cases)
        EXPECT_EQ(ShellMaskAccepts(c.Mask, c.Name), c.Accepted) << c.Mask << " / " << c.Name;
    EXPECT_THROW(ShellMaskAccepts("*.[", "a.b"), platform::EMaskException);
    EXPECT_FALSE(ShellMaskAccepts("[", "a.b")) << "a pattern without a dot is never tested";
}

struct ShellRowsTest : ::testing::Test {
    testsupport::TTempDir Dir;
    std::unique_ptr<TbsShellFolder> Root;
    std::vector<TbsShellFolder*> Rows;

    void SetUp() override
    {
        for (const char* folder : {"Zeta", "alpha"})
            mkdir(Dir.File(folder).c_str(), 0755);
        const std::pair<const char*, int> files[] = {
            {"song10.mp3", 300}, {"song9.mp3", 100}, {"README", 5}, {"b.wav", 200}, {"pack.zip", 50}};
        time_t t = 1700000000;
        for (auto [name, size] : files) {
            testsupport::WriteFile(Dir.File(name), std::string(size_t(size), 'x'));
            utimbuf times{t, t};
            utime(Dir.File(name).c_str(), &times);
            t -= 100;
        }
        std::string root = Dir.Path();
        Root.reset(RootItemFromText(nullptr, "", root));
    }
    void TearDown() override { Clear(); }
    void Clear()
    {
        for (TbsShellFolder* f : Rows)
            delete f;
        Rows.clear();
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (TbsShellFolder* f : Rows)
            names.push_back(f->DisplayName());
        return names;
    }
    void Fill(const std::string& AMask, const std::function<void(TbsShellFolder*, bool&)>& AOnAdd = nullptr)
    {
        Clear();
        std::string longest;
        ASSERT_TRUE(EnumerateShellFolders(Root.get(), otFolders | otNonFolders, AMask, AOnAdd, Rows, longest));
        SortShellFolders(Rows, {Root.get()});
    }
    void SortBy(int AColumn, bool ADescending)
    {
        TbsShellSortState s{Root.get(), true, AColumn, ADescending, 0};
        SortShellFolders(Rows, s);
    }
};

using TNames = std::vector<std::string>;

TEST_F(ShellRowsTest, FoldersComeFirstThenTheShellsOrderAndTheMaskFiltersFiles)
{
    Fill("*.*|*.*");
    EXPECT_EQ(Names(), (TNames{"alpha", "Zeta", "b.wav", "pack.zip", "song9.mp3", "song10.mp3"}));
    Fill("*.mp3");
    EXPECT_EQ(Names(), (TNames{"alpha", "Zeta", "song9.mp3", "song10.mp3"}));
    Fill("");
    EXPECT_EQ(Names(), (TNames{"alpha", "Zeta"}));
    // The owner's word wins either way.
    Fill("*.mp3", [](TbsShellFolder* F, bool& CanAdd) { CanAdd = F->DisplayName() == "README" || (CanAdd && !F->IsFolder()); });
    EXPECT_EQ(Names(), (TNames{"README", "song9.mp3", "song10.mp3"}));
}

TEST_F(ShellRowsTest, AClickedColumnOrdersFilesWithFoldersFirstAndReverses)
{
    Fill("*");
    SortBy(1, false);
    EXPECT_EQ(Names(), (TNames{"alpha", "Zeta", "README", "pack.zip", "song9.mp3", "b.wav", "song10.mp3"}));
    SortBy(1, true);
    EXPECT_EQ(Names(), (TNames{"song10.mp3", "b.wav", "song9.mp3", "pack.zip", "README", "Zeta", "alpha"}));
    SortBy(3, false);
    const TNames byTime = Names();
    EXPECT_EQ(TNames(byTime.begin() + 2, byTime.end()), (TNames{"pack.zip", "b.wav", "README", "song9.mp3", "song10.mp3"}));
    SortBy(0, false);
    EXPECT_EQ(Names(), (TNames{"alpha", "Zeta", "b.wav", "pack.zip", "README", "song10.mp3", "song9.mp3"}));
}

TEST_F(ShellRowsTest, AVanishedItemStopsAColumnSortWithoutLosingRows)
{
    Fill("*");
    SortBy(1, false);   // the details are read now
    const TNames before = Names();
    remove(Dir.File("b.wav").c_str());
    EXPECT_THROW(SortBy(3, false), EInvalidPath);
    EXPECT_EQ(Names(), before);
}

TEST_F(ShellRowsTest, TypeAheadFindsTheNextNameThatBeginsWithTheText)
{
    Fill("*");
    // alpha, Zeta, b.wav, pack.zip, README, song9.mp3, song10.mp3
    EXPECT_EQ(FindShellRow(Rows, "so", 0, false), 5);
    EXPECT_EQ(FindShellRow(Rows, "SO", 6, false), 6);
    EXPECT_EQ(FindShellRow(Rows, "a", 1, false), -1);
    EXPECT_EQ(FindShellRow(Rows, "a", 1, true), 0);
    EXPECT_EQ(FindShellRow(Rows, "q", 3, true), -1);
    EXPECT_EQ(FindShellRow(Rows, "a", -1, true), -1);
    EXPECT_EQ(FindShellRow(Rows, "a", 7, true), -1);
}

TEST_F(ShellRowsTest, AFolderThatCannotBeReadGivesNoRows)
{
    std::string missing = Dir.File("alpha");
    std::unique_ptr<TbsShellFolder> gone(RootItemFromText(nullptr, "", missing));
    rmdir(Dir.File("alpha").c_str());
    std::string longest;
    std::vector<TbsShellFolder*> rows;
    EXPECT_FALSE(EnumerateShellFolders(gone.get(), otFolders | otNonFolders, "*", nullptr, rows, longest));
    EXPECT_TRUE(rows.empty());
}

} // namespace
