#include "engine/path_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PathCase {
    std::string input, fileName, folder, extension, id;
};

TEST(PathNames, TakeAPathApart) {
    const std::vector<PathCase> cases = {
        {"/home/ann/Music/Track 01.MP3", "Track 01.MP3", "/home/ann/Music/", "MP3", "Track 01"},
        {"archive.tar.gz", "archive.tar.gz", "", "gz", "archive.tar"},
        {"README", "README", "", "", "README"},
        {".profile", ".profile", "", "profile", ""},
        {"name.", "name.", "", "", "name"},
        {"photo .jpg", "photo .jpg", "", "jpg", "photo "},
        // Only the part after the last separator has an extension.
        {"/srv/v1.2/Makefile", "Makefile", "/srv/v1.2/", "", "Makefile"},
        // A backslash is part of a Linux file name.
        {"/tmp/a\\b.txt", "a\\b.txt", "/tmp/", "txt", "a\\b"},
        {"C:\\Music\\x.mp3", "C:\\Music\\x.mp3", "", "mp3", "C:\\Music\\x"},
        {" /tmp/ name.JPG ", "name.JPG", "/tmp/", "JPG", "name"},
        {"/tmp/", "", "/tmp/", "", ""},
        {"", "", "", "", ""},
        {"a. b ", "a. b", "", "b", "a"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(FileNameOfPath(c.input), c.fileName) << c.input;
        EXPECT_EQ(FolderOfPath(c.input), c.folder) << c.input;
        EXPECT_EQ(ExtensionOfFileName(c.input), c.extension) << c.input;
        EXPECT_EQ(IdOfFileName(c.input), c.id) << c.input;
    }
}

TEST(ProgramFolder, CutsBeforeTheLastSeparator) {
    EXPECT_EQ(ProgramFolderOfPath("/usr/bin/quorvel"), "/usr/bin");
    EXPECT_EQ(ProgramFolderOfPath("quorvel"), "quorvel");
    EXPECT_EQ(ProgramFolderOfPath("/quorvel"), "");
    EXPECT_EQ(ProgramFolderOfPath("/opt/a\\b/quorvel"), "/opt/a\\b");
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_NE(folder.back(), '/');
    // The test binary lives in the build tree's tests folder.
    EXPECT_TRUE(folder.ends_with("/tests")) << folder;
}

}  // namespace
