#include "rename/rename_job.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "rename/rename_fixture.h"

namespace {

using FileMap = std::map<std::string, std::string>;

class RenameJobTest : public ::testing::Test, public RenameFixture {
protected:
    // Plans and runs the job; returns the failures.
    int Run(int expectedTargets = 0) {
        RenameJob job(list);
        EXPECT_EQ(job.ExistingTargets(), expectedTargets);
        return job.Run();
    }
};

TEST_F(RenameJobTest, ChainsCyclesAndRotationsCompleteWithoutWarning) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> renames;
    };
    const std::vector<Case> cases = {
        {{{"a", "b"}, {"b", "c"}, {"c", "d"}}},
        {{{"c", "d"}, {"b", "c"}, {"a", "b"}}},
        {{{"a", "b"}, {"b", "a"}}},
        {{{"a", "b"}, {"b", "c"}, {"c", "a"}}},
        {{{"x", "y"}, {"p", "q"}, {"y", "x"}, {"q", "p"}}},
        {{{"f0", "f1"},
          {"f1", "f2"},
          {"f2", "f3"},
          {"f3", "f4"},
          {"f4", "f5"},
          {"f5", "f6"},
          {"f6", "f7"},
          {"f7", "f8"},
          {"f8", "f9"},
          {"f9", "f0"}}},
    };
    for (const Case& c : cases) {
        RenameFixture fixture;
        fixture.ListRenames(c.renames);
        RenameJob job(fixture.list);
        EXPECT_EQ(job.ExistingTargets(), 0);
        EXPECT_EQ(job.Run(), 0);
        FileMap expected;
        for (const auto& [oldName, newName] : c.renames) expected[newName] = ContentOf(oldName);
        EXPECT_EQ(fixture.Files(), expected)
            << c.renames.front().first << "->" << c.renames.front().second;
        for (std::size_t row = 0; row < c.renames.size(); ++row)
            EXPECT_EQ(fixture.Old(static_cast<int>(row)), c.renames[row].second);
    }
}

TEST_F(RenameJobTest, OneTargetOneFile) {
    ListRenames({{"a", "same"}, {"b", "same"}, {"c", "c"}, {"d", "c"}});
    EXPECT_EQ(Run(), 2);
    EXPECT_EQ(Files(), (FileMap{{"same", ContentOf("a")},
                                {"b", ContentOf("b")},
                                {"c", ContentOf("c")},
                                {"d", ContentOf("d")}}));
    EXPECT_EQ(Old(1), "b");
    EXPECT_EQ(Old(3), "d");
}

TEST_F(RenameJobTest, ARowKeepingItsNameKeepsTheTarget) {
    ListRenames({{"a", "keep"}, {"keep", "keep"}});
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Files(), (FileMap{{"a", ContentOf("a")}, {"keep", ContentOf("keep")}}));
}

TEST_F(RenameJobTest, ANewNameEqualToTheOldOneTouchesNothing) {
    ListRenames({{"a.txt", "a.txt"}});
    const auto before = std::filesystem::last_write_time(folder.PathOf("a.txt"));
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(std::filesystem::last_write_time(folder.PathOf("a.txt")), before);
}

TEST_F(RenameJobTest, NamesStayInsideTheFolder) {
    folder.Folder("a");
    ListRenames(
        {{"n1", ""}, {"n2", "."}, {"n3", ".."}, {"n4", "a/b"}, {"n5", std::string("x\0y", 3)}});
    EXPECT_EQ(Run(), 5);
    EXPECT_EQ(Files().size(), 6u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.PathOf("a")));
    EXPECT_EQ(Content("n4"), ContentOf("n4"));
}

TEST_F(RenameJobTest, ExistingTargetsAreDestroyedOnlyAsCounted) {
    ListRenames({{"a", "t1"}, {"b", "t2"}, {"c", "dir"}});
    Create("t1", "old t1");
    Create("t2", "old t2");
    chmod(folder.PathOf("t2").c_str(), 0444);
    folder.Folder("dir");
    EXPECT_EQ(Run(2), 1);
    EXPECT_EQ(Files(), (FileMap{{"t1", ContentOf("a")},
                                {"t2", ContentOf("b")},
                                {"c", ContentOf("c")},
                                {"dir", "<dir>"}}));
}

TEST_F(RenameJobTest, ALinkAtTheTargetIsRemovedNeverWrittenThrough) {
    TempFolder outside;
    outside.File("precious", "keep me");
    ListRenames({{"a", "link"}});
    folder.Link(outside.PathOf("precious"), "link");
    EXPECT_EQ(Run(1), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(folder.PathOf("link")));
    EXPECT_EQ(Content("link"), ContentOf("a"));
    EXPECT_EQ(ReadFile(outside.PathOf("precious")), "keep me");
}

TEST_F(RenameJobTest, AHardLinkedTargetIsRemovedWithoutZeroing) {
    TempFolder other;
    other.File("twin", "shared content");
    ListRenames({{"a", "target"}});
    ASSERT_EQ(link(other.PathOf("twin").c_str(), folder.PathOf("target").c_str()), 0);
    EXPECT_EQ(Run(1), 0);
    EXPECT_EQ(Content("target"), ContentOf("a"));
    EXPECT_EQ(ReadFile(other.PathOf("twin")), "shared content");
}

TEST_F(RenameJobTest, ATargetThatChangedAfterTheCountStays) {
    ListRenames({{"a", "t"}});
    Create("t", "counted");
    RenameJob job(list);
    EXPECT_EQ(job.ExistingTargets(), 1);
    // A new file takes the name (and might take the freed inode number).
    std::filesystem::remove(folder.PathOf("t"));
    Create("t", "arrived later");
    EXPECT_EQ(job.Run(), 1);
    EXPECT_EQ(Files(), (FileMap{{"a", ContentOf("a")}, {"t", "arrived later"}}));
}

TEST_F(RenameJobTest, VanishedAndUnreadableSources) {
    ListRenames({{"gone", "x"}, {"a", "b"}});
    std::filesystem::remove(folder.PathOf("gone"));
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Old(0), "gone");
    EXPECT_EQ(Files(), (FileMap{{"b", ContentOf("a")}}));
}

TEST_F(RenameJobTest, AReadOnlySourceIsRenamedAndMadeWritable) {
    ListRenames({{"ro", "rw"}});
    chmod(folder.PathOf("ro").c_str(), 0444);
    EXPECT_EQ(Run(), 0);
    struct stat info {};
    ASSERT_EQ(stat(folder.PathOf("rw").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IWUSR);
}

TEST_F(RenameJobTest, ATakenTemporaryNameIsDrawnAgain) {
    SeedRandomFileNames(7);
    const std::string first = RandomFileName(8, 3);
    SeedRandomFileNames(7);
    ListRenames({{"a", "b"}});
    Create(first, "bystander");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Files(), (FileMap{{"b", ContentOf("a")}, {first, "bystander"}}));
}

TEST(RandomFileName, HasEightAndThreeLowercaseLetters) {
    for (int i = 0; i < 200; ++i) {
        const std::string name = RandomFileName(0, 0);
        ASSERT_EQ(name.size(), 12u);
        EXPECT_EQ(name[8], '.');
        for (std::size_t k = 0; k < name.size(); ++k) {
            if (k != 8) {
                EXPECT_TRUE(name[k] >= 'a' && name[k] <= 'z') << name;
            }
        }
    }
    EXPECT_EQ(RandomFileName(2, 1).size(), 4u);
}

TEST(WipeFile, ZeroesAndRemovesOnlyWhatIsThere) {
    TempFolder folder;
    EXPECT_TRUE(WipeFile(folder.PathOf("none"), 1));
    folder.File("f", "data");
    EXPECT_TRUE(WipeFile(folder.PathOf("f"), 3));
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("f")));
}

TEST(RenameFile, OverwritesOnlyWhenAllowed) {
    TempFolder folder;
    folder.File("a", "new");
    folder.File("b", "old");
    EXPECT_FALSE(RenameFile(folder.PathOf("a"), folder.PathOf("b"), false));
    EXPECT_EQ(RenameFixture::ReadFile(folder.PathOf("b")), "old");
    EXPECT_TRUE(RenameFile(folder.PathOf("a"), folder.PathOf("a"), false));
    EXPECT_TRUE(RenameFile(folder.PathOf("a"), folder.PathOf("b"), true));
    EXPECT_EQ(RenameFixture::ReadFile(folder.PathOf("b")), "new");
    EXPECT_FALSE(RenameFile(folder.PathOf("a"), folder.PathOf("c"), true));
}

TEST(MoveNoReplace, NeverReplacesEvenWithoutTheFlag) {
    TempFolder folder;
    folder.File("a", "a");
    folder.File("b", "b");
    for (bool flagRefused : {false, true}) {
        SetFileOpHook([&](FileOp op, const std::string&) {
            return flagRefused && op == FileOp::MoveNoReplace ? EINVAL : 0;
        });
        EXPECT_EQ(MoveNoReplace(folder.PathOf("a"), folder.PathOf("b")), EEXIST);
        EXPECT_EQ(RenameFixture::ReadFile(folder.PathOf("b")), "b");
        EXPECT_EQ(MoveNoReplace(folder.PathOf("a"), folder.PathOf("c")), 0);
        EXPECT_EQ(MoveNoReplace(folder.PathOf("c"), folder.PathOf("a")), 0);
    }
    // Without links either: the status check right before a plain rename.
    SetFileOpHook([](FileOp op, const std::string&) {
        return op == FileOp::MoveNoReplace ? EINVAL : op == FileOp::Link ? EPERM : 0;
    });
    EXPECT_EQ(MoveNoReplace(folder.PathOf("a"), folder.PathOf("b")), EEXIST);
    EXPECT_EQ(MoveNoReplace(folder.PathOf("a"), folder.PathOf("c")), 0);
    SetFileOpHook({});
    EXPECT_TRUE(std::filesystem::exists(folder.PathOf("c")));
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("a")));
}

TEST_F(RenameJobTest, WorksWhereTheFileSystemRefusesTheFlag) {
    ListRenames({{"a", "b"}, {"b", "a"}, {"c", "d"}});
    Create("d", "theirs");
    SetFileOpHook(
        [](FileOp op, const std::string&) { return op == FileOp::MoveNoReplace ? EINVAL : 0; });
    EXPECT_EQ(Run(1), 0);
    SetFileOpHook({});
    EXPECT_EQ(Files(),
              (FileMap{{"a", ContentOf("b")}, {"b", ContentOf("a")}, {"d", ContentOf("c")}}));
}

}  // namespace
