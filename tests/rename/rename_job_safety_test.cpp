// How the rename job destroys a confirmed target (moved aside, checked, wiped
// only after the row is done), how it keeps to the folders it planned in, and
// how it recognises a listed file under every spelling a folder accepts.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/ascii.h"
#include "rename/rename_fixture.h"
#include "rename/rename_job.h"

namespace {

using FileMap = std::map<std::string, std::string>;

class RenameJobSafety : public ::testing::Test, public RenameFixture {
protected:
    void TearDown() override {
        SetFileOpHook({});
        SetCaseFoldingFake({});
    }
};

bool LooksTemporary(const std::string& name) { return name.size() == 12 && name[8] == '.'; }

TEST_F(RenameJobSafety, ATargetThatCannotBeMovedAsideIsNeitherZeroedNorLost) {
    ListRenames({{"a", "t"}});
    Create("t", "their data");
    // A sticky folder or a mount point refuses to move the target away.
    int moves = 0;
    SetFileOpHook([&](FileOp op, const std::string&) {
        return op == FileOp::MoveNoReplace && ++moves == 2 ? EPERM : 0;
    });
    RenameJob job(list);
    EXPECT_EQ(job.ExistingTargets(), 1);
    EXPECT_EQ(job.Run(), 1);
    EXPECT_EQ(Files(), (FileMap{{"a", ContentOf("a")}, {"t", "their data"}}));
    EXPECT_EQ(Old(0), "a");
}

TEST_F(RenameJobSafety, InAStickyFolderAnotherUsersFileStaysWhole) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) GTEST_SKIP() << "no user nobody";
    chmod(folder.Path().c_str(), 0755);
    const std::string shared = folder.Folder("shared");
    chmod(shared.c_str(), 01777);
    const std::string target = shared + "t";
    { std::ofstream(target) << "root's data"; }
    chmod(target.c_str(), 0666);
    const std::string source = shared + "a";
    { std::ofstream(source) << "nobody's data"; }
    chown(source.c_str(), nobody->pw_uid, nobody->pw_gid);
    InsertFile(list, source);
    list.SetItemText(0, kNewColumn, "t");

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(3);
        RenameJob job(list);
        _exit(job.ExistingTargets() == 1 && job.Run() == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile(target), "root's data");
    EXPECT_EQ(ReadFile(source), "nobody's data");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(shared))
        ++entries;
    EXPECT_EQ(entries, 2u);
}

TEST_F(RenameJobSafety, ANewVersionSavedOverTheTargetDuringTheJobSurvives) {
    ListRenames({{"a", "t"}});
    Create("t", "counted version");
    RenameJob job(list);
    ASSERT_EQ(job.ExistingTargets(), 1);
    // Right before the target is moved aside, another program saves a new
    // version the usual way: a new file renamed over the old one.
    int moves = 0;
    SetFileOpHook([&](FileOp op, const std::string&) {
        if (op == FileOp::MoveNoReplace && ++moves == 2) {
            Create("t.new", "new version");
            std::rename(folder.PathOf("t.new").c_str(), folder.PathOf("t").c_str());
        }
        return 0;
    });
    EXPECT_EQ(job.Run(), 1);
    EXPECT_EQ(Files(), (FileMap{{"a", ContentOf("a")}, {"t", "new version"}}));
}

TEST_F(RenameJobSafety, AHardLinkMadeJustBeforeTheWipeKeepsTheContent) {
    ListRenames({{"a", "t"}});
    Create("t", "counted");
    SetFileOpHook([&](FileOp op, const std::string& name) {
        if (op == FileOp::Open) link(folder.PathOf(name).c_str(), folder.PathOf("twin").c_str());
        return 0;
    });
    RenameJob job(list);
    EXPECT_EQ(job.Run(), 0);
    EXPECT_TRUE(job.Complete());
    EXPECT_EQ(Files(), (FileMap{{"t", ContentOf("a")}, {"twin", "counted"}}));
}

TEST_F(RenameJobSafety, TheWipeZeroesOnlyTheDataASparseFileHolds) {
    ListRenames({{"a", "t"}});
    const std::string target = folder.PathOf("t");
    {
        const int fd = open(target.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(pwrite(fd, "data", 4, 0), 4);
        ASSERT_EQ(ftruncate(fd, off_t{4} << 30), 0);  // 4 GiB, nearly all hole
        close(fd);
    }
    int writes = 0;
    std::string contentWhenRemoved;
    SetFileOpHook([&](FileOp op, const std::string& name) {
        if (op == FileOp::Write) ++writes;
        if (op == FileOp::Unlink && LooksTemporary(name)) {
            std::ifstream aside(folder.PathOf(name), std::ios::binary);
            contentWhenRemoved.resize(4);
            aside.read(contentWhenRemoved.data(), 4);
        }
        return 0;
    });
    RenameJob job(list);
    ASSERT_EQ(job.ExistingTargets(), 1);
    EXPECT_EQ(job.Run(), 0);
    EXPECT_EQ(contentWhenRemoved, std::string(4, '\0'));
    EXPECT_LE(writes, 4);
    EXPECT_EQ(Files(), (FileMap{{"t", ContentOf("a")}}));
}

TEST_F(RenameJobSafety, ARepointedFolderLinkCannotRedirectTheJob) {
    TempFolder other;
    other.File("a", "other a");
    other.File("t", "other t");
    const std::string real = folder.Folder("real");
    folder.File("real/a", "real a");
    folder.File("real/t", "real t");
    folder.Link(real, "via");
    InsertFile(list, folder.PathOf("via/a"));
    list.SetItemText(0, kNewColumn, "t");
    RenameJob job(list);
    ASSERT_EQ(job.ExistingTargets(), 1);
    // Once the plan is made, the link is pointed at another folder.
    std::filesystem::remove(folder.PathOf("via"));
    folder.Link(other.Path(), "via");
    EXPECT_EQ(job.Run(), 0);
    EXPECT_EQ(ReadFile(real + "t"), "real a");
    EXPECT_FALSE(std::filesystem::exists(real + "a"));
    EXPECT_EQ(ReadFile(other.PathOf("a")), "other a");
    EXPECT_EQ(ReadFile(other.PathOf("t")), "other t");
}

TEST_F(RenameJobSafety, AFolderThatCannotBeResolvedMakesThePlanUncertain) {
    // The same folder spelled twice; the second spelling cannot be resolved,
    // so its listed file cannot be told from an unlisted target.
    ListRenames({{"p", "a"}, {"a", "x"}});
    list.SetItemText(1, kFolderColumn, folder.Path() + "./");
    SetFileOpHook([&](FileOp op, const std::string& path) {
        return op == FileOp::Resolve && path == folder.Path() + "./" ? ENOENT : 0;
    });
    RenameJob job(list);
    EXPECT_EQ(job.ExistingTargets(), 0);
    EXPECT_EQ(job.Run(), 2);
    EXPECT_EQ(Files(), (FileMap{{"p", ContentOf("p")}, {"a", ContentOf("a")}}));
}

TEST_F(RenameJobSafety, AFolderFlushThatFailsIsNotASuccess) {
    ListRenames({{"a", "b"}});
    SetFileOpHook([](FileOp op, const std::string&) { return op == FileOp::Sync ? EIO : 0; });
    RenameJob job(list);
    EXPECT_EQ(job.Run(), 0);
    EXPECT_FALSE(job.Complete());
}

TEST(RenameFileSafety, AnotherSpellingOfTheSourceIsNeverWiped) {
    TempFolder folder;
    folder.File("a", "precious");
    folder.Folder("sub");
    for (const std::string& spelling :
         {folder.Path() + "./a", folder.Path() + "sub/../a", folder.Path() + "/a"}) {
        EXPECT_TRUE(RenameFile(folder.PathOf("a"), spelling, true)) << spelling;
        EXPECT_EQ(RenameFixture::ReadFile(folder.PathOf("a")), "precious") << spelling;
    }
}

// Answers as a file system that ignores letter case does (exFAT through FUSE):
// every spelling of a stored name finds it, and each spelling reports an
// inode number of its own.
std::string StoredSpelling(const std::string& folderPath, const std::string& name) {
    DIR* dir = opendir(folderPath.c_str());
    if (dir == nullptr) return name;
    std::string stored = name;
    bool exact = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate == name) exact = true;
        if (AsciiLowercased(candidate) == AsciiLowercased(name)) stored = candidate;
    }
    closedir(dir);
    return exact ? name : stored;
}

std::string FoldedPath(const std::string& path) {
    std::string result = path.front() == '/' ? "/" : "";
    std::size_t start = path.front() == '/' ? 1 : 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string component = path.substr(start, end - start);
        if (!component.empty()) {
            result += StoredSpelling(result.empty() ? "." : result, component);
            if (end < path.size()) result += '/';
        } else if (end < path.size() && !result.empty() && result.back() != '/') {
            result += '/';
        }
        start = end + 1;
    }
    return result;
}

void UseCaseFoldingFake() {
    SetCaseFoldingFake({[](int) { return true; },
                        [](int folder, const std::string& name) {
                            if (folder == AT_FDCWD) return FoldedPath(name);
                            return StoredSpelling("/proc/self/fd/" + std::to_string(folder), name);
                        }});
}

TEST_F(RenameJobSafety, AListedFileSpelledInAnotherCaseIsRecognised) {
    folder.File("dir/p", "content of p");
    folder.File("dir/a", "content of a");
    UseCaseFoldingFake();
    InsertFile(list, folder.PathOf("DIR/p"));
    InsertFile(list, folder.PathOf("dir/a"));
    list.SetItemText(0, kNewColumn, "a");
    list.SetItemText(1, kNewColumn, "x");
    RenameJob job(list);
    EXPECT_EQ(job.ExistingTargets(), 0);
    EXPECT_EQ(job.Run(), 0);
    SetCaseFoldingFake({});
    EXPECT_EQ(ReadFile(folder.PathOf("dir/a")), "content of p");
    EXPECT_EQ(ReadFile(folder.PathOf("dir/x")), "content of a");
}

TEST_F(RenameJobSafety, CaseVariantsOnAFoldingFolder) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> renames;  // old -> new, as listed
        int failures;
        FileMap after;
    };
    const std::vector<Case> cases = {
        // A change of letter case alone renames the file itself.
        {{{"a", "A"}}, 0, {{"A", "content of a"}}},
        // A target spelled in another case is the listed file it names.
        {{{"b", "A"}, {"a", "c"}}, 0, {{"A", "content of b"}, {"c", "content of a"}}},
        // One file listed under two spellings: the second row fails.
        {{{"a", "x"}, {"A", "y"}}, 1, {{"x", "content of a"}}},
    };
    for (const Case& c : cases) {
        RenameFixture fixture;
        std::vector<std::string> created;
        for (const auto& [oldName, newName] : c.renames) {
            if (StoredSpelling(fixture.folder.Path(), oldName) == oldName &&
                !std::filesystem::exists(fixture.folder.PathOf(oldName)))
                fixture.folder.File(oldName, ContentOf(oldName));
        }
        UseCaseFoldingFake();
        for (const auto& [oldName, newName] : c.renames) {
            InsertFile(fixture.list, fixture.folder.PathOf(oldName));
            fixture.SetNew(fixture.list.GetItemCount() - 1, newName);
        }
        RenameJob job(fixture.list);
        EXPECT_EQ(job.ExistingTargets(), 0);
        EXPECT_EQ(job.Run(), c.failures) << c.renames.front().first;
        SetCaseFoldingFake({});
        EXPECT_EQ(fixture.Files(), c.after) << c.renames.front().first;
    }
}

// A real exFAT file system through FUSE on a loop device, where the machine
// allows it (root, the exFAT tools, loop devices).
class ExfatMount {
public:
    ExfatMount() {
        if (geteuid() != 0 || std::system("command -v mkfs.exfat mount.exfat-fuse losetup "
                                          ">/dev/null 2>&1") != 0)
            return;
        const std::string image = scratch_.PathOf("exfat.img");
        if (std::system(
                ("truncate -s 16M " + image + " && mkfs.exfat " + image + " >/dev/null 2>&1")
                    .c_str()) != 0)
            return;
        FILE* pipe = popen(("losetup -f --show " + image + " 2>/dev/null").c_str(), "r");
        char line[256] = {};
        if (pipe == nullptr) return;
        if (fgets(line, sizeof line, pipe) != nullptr) device_ = line;
        pclose(pipe);
        while (!device_.empty() && device_.back() == '\n') device_.pop_back();
        if (device_.empty()) return;
        mountPoint_ = scratch_.Folder("mount");
        mounted_ =
            std::system(
                ("mount.exfat-fuse " + device_ + " " + mountPoint_ + " >/dev/null 2>&1").c_str()) ==
            0;
    }
    ~ExfatMount() {
        if (mounted_) std::system(("umount " + mountPoint_).c_str());
        if (!device_.empty()) std::system(("losetup -d " + device_).c_str());
    }
    bool Mounted() const { return mounted_; }
    const std::string& Path() const { return mountPoint_; }

private:
    TempFolder scratch_;
    std::string device_;
    std::string mountPoint_;
    bool mounted_ = false;
};

TEST(RenameJobOnExfat, AListedFileSpelledInAnotherCaseIsRecognised) {
    ExfatMount exfat;
    if (!exfat.Mounted()) GTEST_SKIP() << "no exFAT file system can be mounted here";
    const std::string dir = exfat.Path() + "dir/";
    std::filesystem::create_directory(dir);
    std::ofstream(dir + "p") << "content of p";
    std::ofstream(dir + "a") << "content of a";
    std::ofstream(dir + "c") << "content of c";
    CListCtrl list;
    InsertFileListColumns(list);
    const std::vector<std::array<std::string, 2>> rows = {
        {exfat.Path() + "DIR/p", "a"}, {dir + "a", "x"}, {dir + "c", "C"}};
    for (const auto& [path, newName] : rows) {
        InsertFile(list, path);
        list.SetItemText(list.GetItemCount() - 1, kNewColumn, newName);
    }
    RenameJob job(list);
    EXPECT_EQ(job.ExistingTargets(), 0);
    EXPECT_EQ(job.Run(), 0);
    EXPECT_EQ(RenameFixture::ReadFile(dir + "a"), "content of p");
    EXPECT_EQ(RenameFixture::ReadFile(dir + "x"), "content of a");
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"a", "x", "C"}));
}

}  // namespace
