#include "files/directory_walker.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

using Paths = std::vector<std::string>;

class DirectoryWalkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"a.txt", "B.doc", "readme", ".hidden", "c.TXT", "z.txt.bak",
                                 "sub1/x.txt", "sub1/deep/y.txt", "sub2/w.txt"})
            tree_.File(file);
        tree_.Folder("...");
        tree_.Link(tree_.PathOf("sub1"), "linkToSub1");
        tree_.Link(".", "loop");
    }

    // What a walk of the tree reports, as paths relative to it.
    Paths Walk(WalkMode mode, const std::string& pattern = "-all",
               const std::string& query = "-all") {
        Paths reported;
        CDirectoryWalker walker([&](const std::string& path) { reported.push_back(path); },
                                tree_.Path(), pattern, query);
        walker.Walk(mode);
        for (std::string& path : reported) path.erase(0, tree_.Path().size());
        return reported;
    }

    TempFolder tree_;
};

TEST_F(DirectoryWalkerTest, FourModesDepthFirstInNameOrder) {
    EXPECT_EQ(Walk(FilesHere),
              (Paths{".hidden", "a.txt", "B.doc", "c.TXT", "readme", "z.txt.bak"}));
    EXPECT_EQ(Walk(FilesRecursive),
              (Paths{".hidden", "a.txt", "B.doc", "c.TXT", "readme", "sub1/deep/y.txt",
                     "sub1/x.txt", "sub2/w.txt", "z.txt.bak"}));
    // Links to folders are folders, reported but never entered: the loop ends.
    EXPECT_EQ(Walk(FoldersHere), (Paths{"linkToSub1/", "loop/", "sub1/", "sub2/"}));
    EXPECT_EQ(Walk(FoldersRecursive),
              (Paths{"linkToSub1/", "loop/", "sub1/", "sub1/deep/", "sub2/"}));
}

TEST_F(DirectoryWalkerTest, WalksAgainOnEveryCall) {
    Paths reported;
    CDirectoryWalker walker([&](const std::string& path) { reported.push_back(path); },
                            tree_.PathOf("sub2"), "", "");
    walker.Walk(FilesHere);
    walker.Walk(FilesHere);
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(walker.Directory(), tree_.PathOf("sub2/"));
}

TEST_F(DirectoryWalkerTest, PatternsSelectExtensions) {
    EXPECT_EQ(Walk(FilesHere, "TXT, Doc ,txt,, -?"), (Paths{"a.txt", "B.doc", "c.TXT", "readme"}));
    EXPECT_EQ(Walk(FilesHere, "hidden"), (Paths{".hidden"}));
    EXPECT_EQ(Walk(FilesHere, "-ALL").size(), 6u);
    EXPECT_EQ(Walk(FilesHere, " \t ").size(), 6u);
}

TEST_F(DirectoryWalkerTest, ListsKeepTokensOnceInFirstOrder) {
    CDirectoryWalker walker([](const std::string&) {}, tree_.Path(), "TXT, Doc ,txt,, -?", "B,a,b");
    EXPECT_EQ(walker.Pattern(), (Paths{"txt", "doc", "-?"}));
    EXPECT_EQ(walker.Query(), (Paths{"b", "a"}));
    walker.SetPattern("-all, txt");
    EXPECT_EQ(walker.Pattern(), (Paths{"-all", "txt"}));
    walker.SetPattern(" -All ");
    EXPECT_TRUE(walker.Pattern().empty());
}

TEST_F(DirectoryWalkerTest, QueriesMatchNameFragments) {
    TempFolder folder;
    for (const char* file :
         {"report.doc", "Rep.txt", "re.txt", "pre.doc", "a.b.c", ".profile", "..x"})
        folder.File(file);
    folder.Folder("a.b");
    const auto walk = [&](WalkMode mode, const std::string& query) {
        Paths reported;
        CDirectoryWalker walker(
            [&](const std::string& path) { reported.push_back(path.substr(folder.Path().size())); },
            folder.Path(), "-all", query);
        walker.Walk(mode);
        return reported;
    };
    EXPECT_EQ(walk(FilesHere, "rep"), (Paths{"re.txt", "Rep.txt", "report.doc"}));
    // Only the last extension is stripped from a file; a folder keeps its name whole.
    EXPECT_EQ(walk(FilesHere, "a.b"), (Paths{"a.b.c"}));
    EXPECT_EQ(walk(FoldersHere, "a.b"), (Paths{"a.b/"}));
    EXPECT_EQ(walk(FoldersHere, "b.c"), (Paths{}));
    EXPECT_EQ(walk(FilesHere, "profile"), (Paths{".profile"}));
    EXPECT_EQ(walk(FilesHere, "x"), (Paths{}));
    EXPECT_EQ(walk(FilesHere, " ").size(), 7u);
}

TEST_F(DirectoryWalkerTest, BadArgumentsRaiseTheirMessages) {
    const auto messageOf = [](auto&& build) -> std::string {
        try {
            build();
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
        return "no error";
    };
    const auto ignore = [](const std::string&) {};
    EXPECT_EQ(messageOf([&] { CDirectoryWalker({}, tree_.Path(), "", ""); }),
              "Invalid function pointer(handler).");
    EXPECT_EQ(messageOf([&] { CDirectoryWalker(ignore, tree_.PathOf("missing"), "", ""); }),
              "Invalid directory.");
    EXPECT_EQ(messageOf([&] { CDirectoryWalker(ignore, tree_.PathOf("a.txt"), "", ""); }),
              "Invalid directory.");
    EXPECT_EQ(messageOf([&] { CDirectoryWalker(ignore, "  ", "", ""); }), "Invalid directory.");
    EXPECT_EQ(messageOf([&] { CDirectoryWalker(ignore, tree_.Path(), "*.txt", ""); }),
              "The szPattern parameter contains invalid characters.");
    EXPECT_EQ(messageOf([&] { CDirectoryWalker(ignore, tree_.Path(), "", "-?"); }),
              "The szQuery parameter contains invalid characters.");

    CDirectoryWalker walker(ignore, tree_.Path(), "", "");
    EXPECT_EQ(messageOf([&] { walker.SetPattern("txt, doc, a/b, jpg"); }),
              "The szPattern parameter contains invalid characters.");
    EXPECT_EQ(walker.Pattern(), (Paths{"txt", "doc"}));
}

TEST(DirectoryWalkerKeywords, NameTheSystemFolders) {
    const auto ignore = [](const std::string&) {};
    EXPECT_EQ(CDirectoryWalker(ignore, "  -Win ", "", "").Directory(), "/usr/");
    EXPECT_EQ(CDirectoryWalker(ignore, "-SYS", "", "").Directory(), "/usr/lib/");
    EXPECT_EQ(CDirectoryWalker(ignore, "-root", "", "").Directory(), "/");
}

TEST_F(DirectoryWalkerTest, AFailingReportDoesNotStopTheWalk) {
    Paths reported;
    CDirectoryWalker walker(
        [&](const std::string& path) {
            reported.push_back(path);
            if (reported.size() == 2) throw std::runtime_error("full");
        },
        tree_.Path(), "", "");
    walker.Walk(FilesHere);
    EXPECT_EQ(reported.size(), 6u);
}

TEST(FolderExists, AppendsASeparatorAndChecks) {
    TempFolder folder;
    folder.File("file");
    std::string path = folder.Path().substr(0, folder.Path().size() - 1);
    EXPECT_TRUE(FolderExists(path));
    EXPECT_EQ(path, folder.Path());
    std::string file = folder.PathOf("file");
    EXPECT_FALSE(FolderExists(file));
    std::string missing = folder.PathOf("none");
    EXPECT_FALSE(FolderExists(missing));
    EXPECT_EQ(missing, folder.PathOf("none/"));
}

}  // namespace
