// The shell combo box: the entries under a root with their depths, the
// chain down to a followed folder, and the linked views told of the user's
// choices but not of the combo's own rebuilding.

#include "skin/dialogs/bsSkinShellCtrls_ComboBox.h"

#include "../controls/SkinControlsTestSupport.h"
#include "DialogsTestSupport.h"

#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace skin;
using namespace platform;

// A linked view that records what it is told.
class TFakeView : public TComponent, public IbsShellLinkedView {
public:
    TFakeView() : TComponent(nullptr) {}
    TComponent* ViewComponent() override { return this; }
    void SetRoot(const TRoot& AValue) override { Roots.push_back(AValue); }
    void ShowLinkedFolder(PCItemIDList AID) override
    {
        std::string path;
        SHGetPathFromIDList(AID, path);
        Shown.push_back(path);
    }
    void LinkView(IbsShellLinkedView*, bool ALinked) override { Linked = ALinked; }
    std::vector<std::string> Roots, Shown;
    bool Linked = false;
};

struct ShellComboTest : skintest::TSkinFixture {
    testsupport::TTempDir Dir;
    TbsSkinShellComboBox* Combo = nullptr;

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        for (const char* folder : {"b", "a", "a/inner", "a/inner/deep", "c"})
            mkdir(Dir.File(folder).c_str(), 0755);
        testsupport::WriteFile(Dir.File("file.txt"), "x");
        Combo = Add(new TbsSkinShellComboBox(Form.get()), Rect(10, 10, 260, 31));
        Combo->SetRoot(Dir.Path());
        ShowAndPaint();
    }
    std::vector<std::pair<std::string, int>> Entries()
    {
        std::vector<std::pair<std::string, int>> entries;
        for (int i = 0; i < Combo->ItemsEx().Count(); ++i)
            entries.emplace_back(Combo->ItemsEx().Items(i)->Caption, Combo->ItemsEx().Items(i)->Indent);
        return entries;
    }
    using TEntries = std::vector<std::pair<std::string, int>>;
};

TEST_F(ShellComboTest, TheRootComesFirstWithItsFoldersBelowIt)
{
    const std::string root = platform::ExtractFileName(Dir.Path());
    EXPECT_EQ(Entries(), (TEntries{{root, 0}, {"a", 1}, {"b", 1}, {"c", 1}}));
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Combo->Items()->Count(), 4) << "the combo's strings follow the entries";
    EXPECT_EQ(Combo->Path(), Dir.Path());
}

TEST_F(ShellComboTest, AFollowedFolderShowsItsChainSelected)
{
    const std::string root = platform::ExtractFileName(Dir.Path());
    Combo->SetPath(Dir.File("a/inner/deep"));
    EXPECT_EQ(Entries(),
              (TEntries{{root, 0}, {"a", 1}, {"inner", 2}, {"deep", 3}, {"b", 1}, {"c", 1}}));
    EXPECT_EQ(Combo->ItemIndex(), 3);
    EXPECT_EQ(Combo->Path(), Dir.File("a/inner/deep"));
    // Another chain replaces it.
    Combo->SetPath(Dir.File("c"));
    EXPECT_EQ(Entries(), (TEntries{{root, 0}, {"a", 1}, {"b", 1}, {"c", 1}}));
    EXPECT_EQ(Combo->ItemIndex(), 3);
    // A folder outside the root leaves the root chosen.
    Combo->SetPath("/");
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_THROW(Combo->SetPath("no such place"), EInvalidPath);
}

TEST_F(ShellComboTest, LinkedViewsFollowTheUsersChoiceOnly)
{
    TFakeView list;
    Combo->SetShellListView(&list);
    EXPECT_TRUE(list.Linked);
    EXPECT_EQ(list.Roots, (std::vector<std::string>{Dir.Path()}));
    // The combo's own moves are not passed on.
    PItemIDList id = nullptr;
    ASSERT_TRUE(DesktopFolderInterface()->ParseDisplayName(Dir.File("a/inner"), id));
    TItemIDListPtr owned(id);
    Combo->FollowFolder(id);
    EXPECT_TRUE(list.Shown.empty());
    // A choice is.
    Combo->SetItemIndex(Combo->IndexOfID(id) - 1);
    EXPECT_EQ(list.Shown, (std::vector<std::string>{Dir.File("a")}));
    Combo->SetShellListView(nullptr);
    EXPECT_FALSE(list.Linked);
}

TEST_F(ShellComboTest, TheDesktopRootListsTheDrivesBelowComputer)
{
    Combo->SetRoot("rfDesktop");
    bool computerFound = false;
    for (int i = 0; i + 1 < Combo->ItemsEx().Count(); ++i)
        if (Combo->ItemsEx().Items(i)->Caption == "Computer") {
            computerFound = true;
            EXPECT_EQ(Combo->ItemsEx().Items(i)->Indent, 1);
            EXPECT_EQ(Combo->ItemsEx().Items(i + 1)->Indent, 2) << "a drive follows";
        }
    EXPECT_TRUE(computerFound);
    EXPECT_EQ(Combo->ItemsEx().Items(0)->Indent, 0);
    dialogtest::SaveScreenshot(Form.get(), "shell_combo.png");
}

} // namespace
