#include "skin/dialogs/bsSkinShellCtrls_Folder.h"

#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace skin;

namespace {

// A tree made for each test:
//   b_folder/ (with sub/), A_folder/, .hidden_dir/, z.txt, Backup.ZIP/ (a folder), m10.mp3, m9.mp3, .hidden.txt
struct TTree {
    testsupport::TTempDir Dir;
    TTree()
    {
        for (const char* folder : {"b_folder", "b_folder/sub", "A_folder", ".hidden_dir", "Backup.ZIP"})
            mkdir(Dir.File(folder).c_str(), 0755);
        for (const char* file : {"z.txt", "m10.mp3", "m9.mp3", ".hidden.txt"})
            testsupport::WriteFile(Dir.File(file), "12345");
    }
};

std::unique_ptr<TbsShellFolder> RootOf(const std::string& APath)
{
    std::string root = APath;
    return std::unique_ptr<TbsShellFolder>(RootItemFromText(nullptr, "", root));
}

// The children of a folder as the views make them, sorted as the shell orders them.
std::vector<std::unique_ptr<TbsShellFolder>> Children(TbsShellFolder& AFolder, TShellObjectTypes ATypes)
{
    std::vector<std::unique_ptr<TbsShellFolder>> children;
    std::unique_ptr<IEnumIDList> items;
    if (!AFolder.ShellFolder()->EnumObjects(EnumFlagsOf(ATypes), items))
        return children;
    PItemIDList id = nullptr;
    while (items->Next(id)) {
        TItemIDListPtr owned(id);
        children.push_back(std::make_unique<TbsShellFolder>(&AFolder, id, BindChildFolder(AFolder.ShellFolder(), id, 0)));
    }
    std::sort(children.begin(), children.end(), [&](const auto& A, const auto& B) {
        return int16_t(AFolder.ShellFolder()->CompareIDs(0, A->RelativeID(), B->RelativeID()) & 0xFFFF) < 0;
    });
    return children;
}

std::vector<std::string> NamesOf(const std::vector<std::unique_ptr<TbsShellFolder>>& AItems)
{
    std::vector<std::string> names;
    for (const auto& item : AItems)
        names.push_back(item->DisplayName());
    return names;
}

} // namespace

TEST(ShellFolder, EnumeratesFoldersFirstInNameOrder)
{
    TTree tree;
    auto root = RootOf(tree.Dir.Path());
    EXPECT_EQ(root->PathName(), tree.Dir.Path());
    EXPECT_EQ(NamesOf(Children(*root, otFolders | otNonFolders)),
              (std::vector<std::string>{"A_folder", "b_folder", "Backup.ZIP", "m9.mp3", "m10.mp3", "z.txt"}));
    EXPECT_EQ(NamesOf(Children(*root, otFolders)), (std::vector<std::string>{"A_folder", "b_folder", "Backup.ZIP"}));
    EXPECT_EQ(NamesOf(Children(*root, otNonFolders)), (std::vector<std::string>{"m9.mp3", "m10.mp3", "z.txt"}));
    EXPECT_EQ(NamesOf(Children(*root, otFolders | otNonFolders | otHidden)),
              (std::vector<std::string>{".hidden_dir", "A_folder", "b_folder", "Backup.ZIP", ".hidden.txt", "m9.mp3",
                                        "m10.mp3", "z.txt"}));
}

TEST(ShellFolder, AttributesNamesAndLevels)
{
    TTree tree;
    auto root = RootOf(tree.Dir.Path());
    auto children = Children(*root, otFolders | otNonFolders | otHidden);
    auto find = [&](const std::string& AName) -> TbsShellFolder& {
        for (auto& child : children)
            if (child->DisplayName() == AName)
                return *child;
        throw std::runtime_error("missing " + AName);
    };
    TbsShellFolder& folder = find("b_folder");
    TbsShellFolder& file = find("z.txt");
    EXPECT_TRUE(folder.IsFolder());
    EXPECT_TRUE(folder.SubFolders());
    EXPECT_FALSE(find("A_folder").SubFolders());
    EXPECT_FALSE(file.IsFolder());
    EXPECT_FALSE(find("Backup.ZIP").IsFolder());  // an archive name counts as a file
    EXPECT_TRUE(folder.ShellFolder() != nullptr);
    EXPECT_TRUE(file.ShellFolder() == nullptr);
    EXPECT_EQ(file.PathName(), tree.Dir.File("z.txt"));
    EXPECT_EQ(file.FullObjectName(), tree.Dir.File("z.txt"));
    EXPECT_TRUE(file.Properties() & fpFileSystem);
    EXPECT_TRUE(find(".hidden.txt").Properties() & fpCut);
    EXPECT_FALSE(file.Properties() & fpCut);
    EXPECT_TRUE(file.Capabilities() & fcCanRename);
    EXPECT_TRUE(file.Capabilities() & fcCanCopy);
    EXPECT_FALSE(file.Capabilities() & fcHasPropSheet);
    // Levels: a root made without a parent is 0, its children 1, theirs 2.
    EXPECT_EQ(root->Level(), 0);
    EXPECT_EQ(root->Parent(), DesktopShellFolder());
    EXPECT_EQ(DesktopShellFolder()->Parent(), nullptr);
    EXPECT_EQ(folder.Level(), 1);
    auto grandChildren = Children(folder, otFolders);
    ASSERT_EQ(grandChildren.size(), 1u);
    EXPECT_EQ(grandChildren[0]->Level(), 2);
    EXPECT_TRUE(SameItemID(grandChildren[0]->AbsoluteID(), RootOf(tree.Dir.File("b_folder/sub"))->AbsoluteID()));
    EXPECT_FALSE(SameItemID(folder.AbsoluteID(), file.AbsoluteID()));
    EXPECT_NE(folder.ImageIndex(false), file.ImageIndex(false));
    EXPECT_EQ(ShellIconName(folder.ImageIndex(false)), "folder");
}

TEST(ShellFolder, RenameKeepsOthersAndReportsFailure)
{
    TTree tree;
    auto root = RootOf(tree.Dir.Path());
    auto children = Children(*root, otNonFolders);
    TbsShellFolder& m9 = *children[0];
    ASSERT_EQ(m9.DisplayName(), "m9.mp3");
    EXPECT_TRUE(m9.Rename("renamed.mp3"));
    EXPECT_EQ(m9.DisplayName(), "renamed.mp3");
    EXPECT_EQ(m9.PathName(), tree.Dir.File("renamed.mp3"));
    EXPECT_TRUE(platform::FileExists(tree.Dir.File("renamed.mp3")));
    // Renaming onto an existing name never replaces that file.
    EXPECT_THROW(
        {
            try {
                m9.Rename("z.txt");
            } catch (const platform::Exception& e) {
                EXPECT_STREQ(e.what(), "Rename to z.txt failed");
                throw;
            }
        },
        platform::Exception);
    EXPECT_EQ(testsupport::ReadFile(tree.Dir.File("z.txt")), "12345");
    EXPECT_EQ(m9.DisplayName(), "renamed.mp3");
    // A volume root cannot be renamed: False, nothing changes.
    auto top = RootOf("/");
    EXPECT_FALSE(top->Rename("x"));
}

TEST(ShellFolder, ColumnDetails)
{
    TTree tree;
    auto root = RootOf(tree.Dir.Path());
    auto children = Children(*root, otFolders | otNonFolders);
    TbsShellFolder& file = *children.back();  // z.txt
    EXPECT_THROW(file.DetailText(1), platform::Exception);
    file.LoadColumnDetails(root.get(), 0, 4);
    EXPECT_EQ(file.DetailText(1), "1 KB");
    EXPECT_EQ(file.DetailText(2), "plain text document");
    EXPECT_EQ(file.DetailText(3).size(), 16u);  // yyyy-mm-dd hh:nn
    EXPECT_NE(file.DetailText(4).find(':'), std::string::npos);
    TShellDetails header;
    ASSERT_TRUE(root->ShellFolder2()->GetDetailsOf(nullptr, 1, header));
    EXPECT_EQ(header.Str.Text, "Size");
    EXPECT_EQ(header.Format, 1);
    uint32_t state = 0;
    ASSERT_TRUE(root->ShellFolder2()->GetDefaultColumnState(4, state));
    EXPECT_FALSE(state & SHCOLSTATE_ONBYDEFAULT);
    EXPECT_FALSE(root->ShellFolder2()->GetDefaultColumnState(5, state));
    TFindData data = children[0]->LoadFindData();
    EXPECT_TRUE(data.Attributes & 0x10);
    testsupport::RunCommand("rm -r " + tree.Dir.File("A_folder"));
    EXPECT_THROW(children[0]->LoadFindData(), EInvalidPath);
}

TEST(ShellFolder, ShellStringTextDropsQuestionMarksBeforeDigits)
{
    const std::pair<const char*, const char*> cases[] = {{"?12?3", "123"}, {"?", "?"}, {"?a?", "?a?"}, {"", ""}};
    for (const auto& [input, expected] : cases) {
        TStrRet str;
        str.Text = input;
        EXPECT_EQ(ShellStringText(nullptr, str), expected) << input;
    }
    TItemIDListPtr item(MakeItemID('N', "name"));
    TStrRet offset;
    offset.Type = TStrRet::srOffset;
    offset.Offset = 3;
    EXPECT_EQ(ShellStringText(item.get(), offset), "name");
}

TEST(ShellFolder, RootsBySpecialNameOrPath)
{
    testsupport::TTempDir home;
    mkdir(home.File("Docs").c_str(), 0755);
    testsupport::WriteFile(home.File("user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    const std::string oldHome = platform::GetEnvironmentVariable("HOME");
    const std::string oldConfig = platform::GetEnvironmentVariable("XDG_CONFIG_HOME");
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    {
        auto personal = RootOf("RFPERSONAL");
        EXPECT_EQ(personal->PathName(), home.File("Docs"));
        auto computer = RootOf("rfMyComputer");
        EXPECT_EQ(computer->PathName(), "Computer");  // the parsing name is no path
        EXPECT_EQ(computer->DisplayName(), "Computer");
        auto volumes = Children(*computer, otFolders);
        ASSERT_FALSE(volumes.empty());
        EXPECT_EQ(volumes[0]->PathName(), "/");
        auto desktop = RootOf("rfDesktop");
        EXPECT_EQ(desktop->PathName(), home.File("Desktop"));
        EXPECT_EQ(NamesOf(Children(*desktop, otFolders)), (std::vector<std::string>{"Computer", "Home"}));
    }
    setenv("HOME", oldHome.c_str(), 1);
    if (oldConfig.empty())
        unsetenv("XDG_CONFIG_HOME");
    else
        setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);

    EXPECT_EQ(SpecialFolderIndex("RFMYCOMPUTER"), rfMyComputer);
    EXPECT_EQ(SpecialFolderIndex("rfTemplates"), 22);
    EXPECT_EQ(SpecialFolderIndex("rfNothing"), -1);
    EXPECT_EQ(EnumFlagsOf(otFolders | otHidden), 0xA0u);
}

TEST(ShellFolder, UnusableRootsKeepThePreviousRoot)
{
    TTree tree;
    TbsShellFolder* previous = RootItemFromID(TItemIDListPtr(AllocItemIDList(2)).get());
    for (const std::string& text : {std::string(""), std::string("/no/such/folder"), std::string("rfPrinters"),
                                   std::string("relative")}) {
        std::string root = text;
        try {
            RootItemFromText(previous, "rfDesktop", root);
            ADD_FAILURE() << text;
        } catch (const platform::Exception& e) {
            EXPECT_EQ(e.Message(), "Error setting path: \"" + text + "\"");
        }
        EXPECT_EQ(root, "rfDesktop");
    }
    std::string root = tree.Dir.Path() + "/";
    TbsShellFolder* item = RootItemFromText(previous, "rfDesktop", root);  // frees the previous item
    EXPECT_EQ(item->PathName(), tree.Dir.Path());
    // Back from a folder: the parent's list.
    TItemIDListPtr up(DuplicateItemIDList(item->AbsoluteID()));
    TruncateLastItem(up.get());
    std::string upPath;
    ASSERT_TRUE(SHGetPathFromIDList(up.get(), upPath));
    EXPECT_EQ(upPath, platform::ExtractFileDir(tree.Dir.Path()));
    delete item;
}
