#include "platform/shell/FileTypes.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A tiny database in the layout of shared-mime-info.
std::string MakeDatabase(const testsupport::TTempDir& ADir)
{
    const std::string mime = ADir.File("mime");
    testsupport::RunCommand("mkdir -p " + mime + "/audio " + mime + "/application");
    testsupport::WriteFile(mime + "/globs2",
                           "# comment\n"
                           "50:audio/mpeg:*.mp3\n"
                           "50:application/gzip:*.gz\n"
                           "50:application/x-compressed-tar:*.tar.gz\n"
                           "60:text/x-makefile:Makefile:cs\n"
                           "50:application/x-weird:*.wd\n");
    testsupport::WriteFile(mime + "/audio/mpeg.xml",
                           "<mime-type type=\"audio/mpeg\">\n  <comment xml:lang=\"de\">MP3-Audio</comment>\n"
                           "  <comment>MP3 audio &amp; more</comment>\n</mime-type>\n");
    testsupport::WriteFile(mime + "/application/x-compressed-tar.xml", "<mime-type><comment>Tar archive (gzip-compressed)</comment></mime-type>");
    testsupport::WriteFile(mime + "/generic-icons", "application/gzip:package-x-generic\napplication/x-compressed-tar:package-x-generic\n");
    return mime;
}

} // namespace

TEST(FileTypes, TheDatabaseAnswersByPatternCommentAndIcon)
{
    testsupport::TTempDir dir;
    const TMimeDatabase database({MakeDatabase(dir)});
    ASSERT_TRUE(database.Loaded());
    struct TCase {
        const char* Name;
        const char* MimeType;
        const char* Description;
        const char* Icon;
    };
    const TCase cases[] = {
        {"/music/Song.MP3", "audio/mpeg", "MP3 audio & more", "audio-x-generic"},
        {"backup.tar.gz", "application/x-compressed-tar", "Tar archive (gzip-compressed)", "package-x-generic"},
        {"x.gz", "application/gzip", "GZ file", "package-x-generic"},
        {"Makefile", "text/x-makefile", "File", "text-x-generic"},
        {"makefile", "application/octet-stream", "File", "unknown"},
        {"odd.wd", "application/x-weird", "WD file", "application-x-generic"},
        {"notes.xyz", "application/octet-stream", "XYZ file", "unknown"},
    };
    for (const TCase& c : cases) {
        const TFileTypeInfo info = FileTypeOf(c.Name, false, database);
        EXPECT_EQ(info.MimeType, c.MimeType) << c.Name;
        EXPECT_EQ(info.Description, c.Description) << c.Name;
        EXPECT_EQ(info.IconName, c.Icon) << c.Name;
    }
}

TEST(FileTypes, WithoutADatabaseTheBuiltInTableAnswers)
{
    testsupport::TTempDir dir;
    const TMimeDatabase none({dir.File("no-mime")});
    ASSERT_FALSE(none.Loaded());
    EXPECT_EQ(FileTypeOf("a.mp4", false, none).MimeType, "video/mp4");
    EXPECT_EQ(FileTypeOf("a.mp4", false, none).IconName, "video-x-generic");
    EXPECT_EQ(FileTypeOf("a.JPG", false, none).Description, "JPEG image");
    EXPECT_EQ(FileTypeOf("a.unknown", false, none).Description, "UNKNOWN file");
    EXPECT_EQ(FileTypeOf("README", false, none).Description, "File");
}

TEST(FileTypes, FoldersAreFolders)
{
    const TFileTypeInfo info = FileTypeOf("/home/u/music.mp3", true);
    EXPECT_EQ(info.MimeType, "inode/directory");
    EXPECT_EQ(info.Description, "Folder");
    EXPECT_EQ(info.IconName, "folder");
}
