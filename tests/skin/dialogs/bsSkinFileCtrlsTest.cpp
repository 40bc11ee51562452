// The classic file controls on a folder tree and mount table made by the
// test: the drive lines, the folder path and sub-folders, the listed files
// by kind and mask, and the three controls and the filter combo following
// each other. No control moves the process's current folder.

#include "skin/dialogs/bsSkinFileCtrls.h"

#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsSkinFilterComboBox.h"

#include "../controls/SkinControlsTestSupport.h"

#include "platform/core/InOutError.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace skin;
using TLines = std::vector<std::string>;

// A tree of three volumes of different kinds, their labels and the removable
// flag of one, all as the system would describe them.
struct TTree {
    testsupport::TTempDir Dir;
    std::string Base = Dir.Path();
    std::string Vol = Base + "/vol", Usb = Base + "/usb", Net = Base + "/net", Cd = Base + "/cd";
    platform::TVolumeSources Sources;

    TTree()
    {
        chmod(Base.c_str(), 0755);
        for (const std::string& d : {Vol, Usb, Net, Cd, Vol + "/alpha", Vol + "/Beta", Vol + "/gamma",
                                     Vol + "/.hidden", Vol + "/alpha/deep", Vol + "/locked", Vol + "/listless",
                                     Base + "/labels", Base + "/sys", Base + "/sys/sdz2"})
            mkdir(d.c_str(), 0755);
        for (const char* f : {"song.mp3", "Song.mp3", "clip.mp4", "notes.txt", ".secret.mp3", "ro.wav"})
            testsupport::WriteFile(Vol + "/alpha/" + f, "x");
        chmod((Vol + "/alpha/ro.wav").c_str(), 0444);
        testsupport::WriteFile(Usb + "/stick.mp3", "x");
        testsupport::WriteFile(Base + "/mounts", "/dev/root / ext4 rw 0 0\n/dev/sdz1 " + Vol + " ext4 rw 0 0\n"
                                                 "/dev/sdz2 " + Usb + " vfat rw 0 0\nserver:/export " + Net +
                                                 " nfs4 rw 0 0\n/dev/sr0 " + Cd + " iso9660 ro 0 0\n");
        symlink("/dev/sdz1", (Base + "/labels/Music").c_str());
        symlink("/dev/sr0", (Base + "/labels/Disc").c_str());
        testsupport::WriteFile(Base + "/sys/sdz2/removable", "1\n");
        Sources.MountsFile = Base + "/mounts";
        Sources.LabelFolder = Base + "/labels";
        Sources.SysBlockFolder = Base + "/sys";
    }
    ~TTree()
    {
        chmod((Vol + "/locked").c_str(), 0755);
        chmod((Vol + "/listless").c_str(), 0755);
    }
};

struct FileCtrlsTest : skintest::TSkinFixture {
    TTree Tree;
    std::string StartDir = platform::GetCurrentDir();
    TbsSkinDriveComboBox* Drives = nullptr;
    TbsSkinDirectoryListBox* Folders = nullptr;
    TbsSkinFileListBox* Files = nullptr;
    TbsSkinFilterComboBox* Filter = nullptr;
    int FolderChanges = 0, FileChanges = 0;

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        Drives = Add(new TbsSkinDriveComboBox(Form.get()), platform::Rect(5, 5, 305, 26));
        Folders = Add(new TbsSkinDirectoryListBox(Form.get()), platform::Rect(5, 30, 155, 230));
        Files = Add(new TbsSkinFileListBox(Form.get()), platform::Rect(160, 30, 305, 230));
        Filter = Add(new TbsSkinFilterComboBox(Form.get()), platform::Rect(160, 235, 305, 256));
        Drives->VolumeSources = Folders->VolumeSources = Tree.Sources;
        Drives->SetDirList(Folders);
        Folders->SetFileList(Files);
        Filter->SetFileList(Files);
        ShowAndPaint();
        Folders->SetDirectory(Tree.Vol + "/alpha");
        Folders->OnChange = [this](platform::TObject*) { ++FolderChanges; };
        Files->OnChange = [this](platform::TObject*) { ++FileChanges; };
    }
    void TearDown() override
    {
        EXPECT_EQ(platform::GetCurrentDir(), StartDir);
        skintest::TSkinFixture::TearDown();
    }
    static TLines Lines(platform::TStringList* AItems)
    {
        TLines lines;
        for (int i = 0; i < AItems->Count(); ++i)
            lines.push_back(AItems->Strings(i));
        return lines;
    }
};

TEST_F(FileCtrlsTest, TheDriveLinesNameEachVolumeByItsKind)
{
    const TLines lower = {"/ []", Tree.Vol + " [music]", Tree.Usb, Tree.Net + " server:/export",
                          Tree.Cd + " [disc]"};
    EXPECT_EQ(Lines(Drives->Items()), lower);
    platform::TStringList* items = Drives->Items();
    // Fixed volumes share a picture; the removable, network and disc
    // volumes each have their own.
    EXPECT_EQ(items->Objects(0), items->Objects(1));
    const std::set<platform::TObject*> kinds = {items->Objects(1), items->Objects(2), items->Objects(3),
                                                items->Objects(4)};
    EXPECT_EQ(kinds.size(), 4u);

    Drives->SetTextCase(tcUpperCase);
    EXPECT_EQ(Lines(Drives->Items()), (TLines{"/ []", Tree.Vol + " [MUSIC]", Tree.Usb,
                                              Tree.Net + " SERVER:/EXPORT", Tree.Cd + " [DISC]"}));
    EXPECT_EQ(Drives->ItemIndex(), 1);
    Drives->SetTextCase(tcLowerCase);
    EXPECT_EQ(Lines(Drives->Items()), lower);
    EXPECT_EQ(Drives->Drive(), Tree.Vol);
    EXPECT_EQ(Drives->ItemIndex(), 1);
}

TEST_F(FileCtrlsTest, AFolderShowsItsPathFromTheVolumeAndItsSortedSubFolders)
{
    EXPECT_EQ(Lines(Folders->Items()), (TLines{Tree.Vol, "alpha", "deep"}));
    EXPECT_EQ(Folders->ItemIndex(), 1);
    Folders->SetDirectory(Tree.Vol);
    // Hidden folders stay out; names sort together whatever their case.
    EXPECT_EQ(Lines(Folders->Items()), (TLines{Tree.Vol, "alpha", "Beta", "gamma", "listless", "locked"}));
    EXPECT_EQ(Folders->ItemIndex(), 0);
    struct TPathCase {
        int Index;
        std::string Path;
    };
    Folders->SetDirectory(Tree.Vol + "/alpha/deep");
    for (const TPathCase& c : {TPathCase{0, Tree.Vol}, TPathCase{1, Tree.Vol + "/alpha"},
                               TPathCase{2, Tree.Vol + "/alpha/deep"}, TPathCase{3, ""}})
        EXPECT_EQ(Folders->GetItemPath(c.Index), c.Path) << c.Index;
    EXPECT_TRUE(Folders->CaseSensitive());
}

TEST_F(FileCtrlsTest, MovesOfTheFolderListCarryTheFileListAndFireOnce)
{
    EXPECT_EQ(Files->Directory(), Tree.Vol + "/alpha");
    // Up by the line of a folder above, down by a sub-folder's line.
    Folders->SetItemIndex(0);
    Folders->OpenCurrent();
    EXPECT_EQ(Folders->Directory(), Tree.Vol);
    EXPECT_EQ(Files->Directory(), Tree.Vol);
    EXPECT_EQ(FolderChanges, 1);
    Folders->SetItemIndex(3);   // "gamma"
    Folders->OpenCurrent();
    EXPECT_EQ(Folders->Directory(), Tree.Vol + "/gamma");
    EXPECT_EQ(Files->Directory(), Tree.Vol + "/gamma");
    EXPECT_EQ(FolderChanges, 2);
    // Relative input resolves against the folder shown.
    Folders->SetDirectory("../alpha");
    EXPECT_EQ(Folders->Directory(), Tree.Vol + "/alpha");
}

TEST_F(FileCtrlsTest, DriveAndFolderFollowEachOther)
{
    // A folder on another volume selects that volume's line, and the list
    // is built once.
    Folders->SetDirectory(Tree.Usb);
    EXPECT_EQ(Drives->Drive(), Tree.Usb);
    EXPECT_EQ(Drives->ItemIndex(), 2);
    EXPECT_EQ(FolderChanges, 1);
    EXPECT_EQ(Lines(Files->Items()), (TLines{"stick.mp3"}));
    // Choosing a line of the combo moves the folder and the files.
    Drives->SetItemIndex(1);
    EXPECT_EQ(Drives->Drive(), Tree.Vol);
    EXPECT_EQ(Folders->Directory(), Tree.Vol);
    EXPECT_EQ(Files->Directory(), Tree.Vol);
    EXPECT_EQ(FolderChanges, 2);
    // The current drive again changes nothing.
    Drives->SetDrive(Tree.Vol);
    EXPECT_EQ(FolderChanges, 2);
}

TEST_F(FileCtrlsTest, TheFilterComboGivesTheFileListItsMask)
{
    Filter->SetFilter("Audio|*.mp3;*.wav|Video|*.mp4|All|*.*");
    EXPECT_EQ(Files->Mask(), "*.mp3;*.wav");
    EXPECT_EQ(Lines(Files->Items()), (TLines{"ro.wav", "Song.mp3", "song.mp3"}));
    Filter->SetItemIndex(1);
    EXPECT_EQ(Lines(Files->Items()), (TLines{"clip.mp4"}));
    Filter->SetItemIndex(2);
    EXPECT_EQ(Files->Mask(), "*.*");
    EXPECT_EQ(Files->Items()->Count(), 5);
    EXPECT_EQ(Files->Items()->Strings(3), "Song.mp3");
    EXPECT_EQ(Files->Items()->Strings(4), "song.mp3");
}

TEST_F(FileCtrlsTest, TheFileTypeAndMaskChooseTheEntries)
{
    struct TCase {
        TbsFileType Type;
        const char* Mask;
        TLines Lines;
    };
    const TCase cases[] = {
        {bsftNormal, "*.*", {"clip.mp4", "notes.txt", "ro.wav", "Song.mp3", "song.mp3"}},
        {bsftNormal | bsftDirectory, "*", {"clip.mp4", "notes.txt", "ro.wav", "Song.mp3", "song.mp3", "[..]", "[.]",
                                           "[deep]"}},
        {bsftReadOnly, "*.*", {"ro.wav"}},
        {bsftNormal | bsftHidden, "*.MP3", {".secret.mp3", "Song.mp3", "song.mp3"}},
        {bsftNormal, "*.mp4;*.txt", {"clip.mp4", "notes.txt"}},
        // A space after ";" belongs to the next pattern.
        {bsftNormal, "*.mp4; *.txt", {"clip.mp4"}},
        {bsftNormal, "*.flac", {}},
    };
    for (const TCase& c : cases) {
        Files->SetFileType(c.Type);
        Files->SetMask(c.Mask);
        EXPECT_EQ(Lines(Files->Items()), c.Lines) << c.Type << " " << c.Mask;
        EXPECT_EQ(Files->ReadError(), "");
    }
    Files->SetMask("[z-");
    EXPECT_EQ(Files->Items()->Count(), 0);
    EXPECT_NE(Files->ReadError(), "");
}

TEST_F(FileCtrlsTest, TypedPathInputMovesMasksAndSelects)
{
    Files->ApplyFilePath("*.mp4");
    EXPECT_EQ(Files->Mask(), "*.mp4");
    EXPECT_EQ(Lines(Files->Items()), (TLines{"clip.mp4"}));
    // A file the mask hides becomes the mask and is selected.
    Files->ApplyFilePath("notes.txt");
    EXPECT_EQ(Files->Mask(), "notes.txt");
    EXPECT_EQ(Files->GetFileName(), Tree.Vol + "/alpha/notes.txt");
    Files->SetMask("*.*");
    // Names differing by case are two files here.
    Files->ApplyFilePath("Song.mp3");
    EXPECT_EQ(Files->GetFileName(), Tree.Vol + "/alpha/Song.mp3");
    Files->ApplyFilePath("song.mp3");
    EXPECT_EQ(Files->GetFileName(), Tree.Vol + "/alpha/song.mp3");
    // A folder name moves the file list and the linked folder list.
    Files->ApplyFilePath("deep");
    EXPECT_EQ(Files->Directory(), Tree.Vol + "/alpha/deep");
    EXPECT_EQ(Folders->Directory(), Tree.Vol + "/alpha/deep");
    // Nothing by that name: an error naming it, and nothing moves.
    const int changes = FolderChanges;
    EXPECT_THROW(Files->ApplyFilePath(Tree.Vol + "/missing/a.mp3"), platform::EInOutError);
    EXPECT_THROW(Folders->SetDirectory(Tree.Vol + "/nowhere"), platform::EInOutError);
    EXPECT_EQ(Files->Directory(), Tree.Vol + "/alpha/deep");
    EXPECT_EQ(Folders->Directory(), Tree.Vol + "/alpha/deep");
    EXPECT_EQ(FolderChanges, changes);
}

TEST_F(FileCtrlsTest, TheSelectionReachesTheEditAndAClickFiresOnce)
{
    auto* edit = Add(new platform::TEdit(Form.get()), platform::Rect(5, 260, 155, 280));
    Files->SetFileEdit(edit);
    EXPECT_EQ(edit->Text(), "*.*");
    Files->SetItemIndex(0);
    Files->ListBoxClick();
    EXPECT_EQ(edit->Text(), "clip.mp4");
    EXPECT_EQ(FileChanges, 1);
    Files->ListBoxClick();
    EXPECT_EQ(FileChanges, 1);
}

// Folders the user may not read: running as the superuser, the test takes
// an ordinary user's rights for a moment, or it could read anything.
class TOrdinaryUser {
public:
    TOrdinaryUser() : FSwitched(geteuid() == 0 && seteuid(65534) == 0) {}
    ~TOrdinaryUser()
    {
        if (FSwitched) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }

private:
    bool FSwitched;
};

TEST_F(FileCtrlsTest, AFolderThatCannotBeReadListsNothingAndSaysWhy)
{
    chmod((Tree.Vol + "/listless").c_str(), 0111);
    chmod((Tree.Vol + "/locked").c_str(), 0);
    TOrdinaryUser user;
    Folders->SetDirectory(Tree.Vol + "/listless");
    EXPECT_EQ(Folders->Directory(), Tree.Vol + "/listless");
    EXPECT_EQ(Lines(Folders->Items()), (TLines{Tree.Vol, "listless"}));
    EXPECT_EQ(Files->Items()->Count(), 0);
    for (const std::string& error : {Folders->ReadError(), Files->ReadError(), Files->NoticeText()})
        EXPECT_NE(error.find("Cannot read folder \"" + Tree.Vol + "/listless\""), std::string::npos) << error;
    // One that cannot even be entered is refused and nothing moves.
    try {
        Folders->SetDirectory(Tree.Vol + "/locked");
        ADD_FAILURE() << "entered a locked folder";
    } catch (const platform::EInOutError& E) {
        EXPECT_NE(E.Message().find(Tree.Vol + "/locked"), std::string::npos) << E.Message();
    }
    EXPECT_EQ(Folders->Directory(), Tree.Vol + "/listless");
    EXPECT_EQ(Files->Directory(), Tree.Vol + "/listless");
}

TEST_F(FileCtrlsTest, ALongPathInANarrowLabelLosesItsLeadingFolders)
{
    auto* label = Add(new TbsSkinStdLabel(Form.get()), platform::Rect(5, 260, 85, 275));
    label->SetAutoSize(false);
    label->SetWidth(80);
    Folders->SetDirLabel(label);
    const std::string caption = label->Caption();
    EXPECT_EQ(caption.substr(0, 5), "/.../") << caption;
    EXPECT_EQ(caption.substr(caption.size() - 6), "/alpha") << caption;
}

TEST(FileCtrlBitmaps, EachPictureHasItsSizeAndATransparentCorner)
{
    struct TCase {
        const char* Name;
        int Width, Height;
    };
    const TCase cases[] = {{"BS_FLOPPY", 16, 16},       {"BS_HARD", 16, 16},       {"BS_NETWORK", 16, 16},
                           {"BS_CDROM", 16, 16},        {"BS_RAM", 16, 11},        {"BS_CLOSEDFOLDER", 16, 15},
                           {"BS_OPENFOLDER", 16, 15},   {"BS_CURRENTFOLDER", 16, 15}};
    for (const TCase& c : cases) {
        platform::TBitmap bitmap;
        ASSERT_TRUE(LoadControlBitmap(c.Name, bitmap)) << c.Name;
        EXPECT_EQ(bitmap.Width(), c.Width) << c.Name;
        EXPECT_EQ(bitmap.Height(), c.Height) << c.Name;
        EXPECT_TRUE(bitmap.Transparent()) << c.Name;
        // The key colour is the bottom-left pixel's, and the picture is
        // more than that colour.
        const platform::TColor key = bitmap.TransparentColor() & 0xFFFFFF;
        int drawn = 0;
        for (int y = 0; y < c.Height; ++y)
            for (int x = 0; x < c.Width; ++x)
                drawn += (bitmap.Canvas()->Pixels(x, y) & 0xFFFFFF) != key ? 1 : 0;
        EXPECT_GT(drawn, c.Width * c.Height / 4) << c.Name;
    }
    platform::TBitmap none;
    EXPECT_FALSE(LoadControlBitmap("BS_NOTHING", none));
}

} // namespace
