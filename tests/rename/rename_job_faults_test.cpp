// The rename job under injected faults and crashes: whatever fails, every
// listed file's content stays on disk exactly once, where the list says.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <set>

#include "rename/job_recovery.h"
#include "rename/rename_fixture.h"
#include "rename/rename_job.h"

namespace {

using FileMap = std::map<std::string, std::string>;

// A chain, a cycle, two rows wanting one name and an existing target.
const std::vector<std::pair<std::string, std::string>> kRenames = {
    {"c1", "c2"}, {"c2", "c3"},  {"c3", "c4"},  {"x", "y"},
    {"y", "x"},   {"d1", "dup"}, {"d2", "dup"}, {"e", "t"},
};

void MakeJob(RenameFixture& fixture) {
    fixture.ListRenames(kRenames);
    fixture.Create("t", "confirmed target");
    fixture.Create("bystander", "not listed");
}

bool LooksTemporary(const std::string& name) {
    if (name.size() != 12 || name[8] != '.') return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i != 8 && (name[i] < 'a' || name[i] > 'z')) return false;
    }
    return true;
}

// Every listed content once on disk; the bystander untouched; the confirmed
// target unchanged, zeroed or gone.
void ExpectNothingLost(const FileMap& files, const std::string& context) {
    std::map<std::string, int> seen;
    for (const auto& [name, content] : files) ++seen[content];
    for (const auto& [oldName, newName] : kRenames)
        EXPECT_EQ(seen[RenameFixture::ContentOf(oldName)], 1) << oldName << " " << context;
    EXPECT_EQ(files.at("bystander"), "not listed") << context;
}

// Counts the file operations of a job and fails (or kills) at the k-th one.
struct FaultAt {
    int k;
    int error;  // 0: kill the process instead
    int count = 0;
    int operator()(FileOp, const std::string&) {
        if (++count != k) return 0;
        if (error == 0) kill(getpid(), SIGKILL);
        return error;
    }
};

// Runs the fixture's job in a child process killed at its k-th file
// operation; returns whether it died so.
bool KilledAt(RenameFixture& fixture, int k) {
    const pid_t child = fork();
    if (child == 0) {
        SetFileOpHook(FaultAt{k, 0});
        RenameJob job(fixture.list);
        job.Run();
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return false;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

int OperationsOfACleanJob() {
    RenameFixture fixture;
    MakeJob(fixture);
    int count = 0;
    SetFileOpHook([&](FileOp, const std::string&) { return ++count, 0; });
    RenameJob job(fixture.list);
    job.Run();
    SetFileOpHook({});
    return count;
}

TEST(RenameJobFaults, AnyFailingOperationLosesNothing) {
    const int operations = OperationsOfACleanJob();
    ASSERT_GT(operations, 20);
    for (int error : {EIO, EACCES, ENOSPC, EINVAL}) {
        for (int k = 1; k <= operations + 1; ++k) {
            RenameFixture fixture;
            MakeJob(fixture);
            // Planning counts: a status query may fail as well as a move.
            SetFileOpHook(FaultAt{k, error});
            RenameJob job(fixture.list);
            const int failures = job.Run();
            SetFileOpHook({});

            const std::string context =
                "error " + std::to_string(error) + " at " + std::to_string(k);
            const FileMap files = fixture.Files();
            ExpectNothingLost(files, context);
            int notRenamed = 0;
            for (int row = 0; row < fixture.list.GetItemCount(); ++row) {
                const std::string old = fixture.Old(row);
                // The list tells where each file is.
                EXPECT_EQ(files.count(old) ? files.at(old) : "<missing>",
                          RenameFixture::ContentOf(kRenames[static_cast<std::size_t>(row)].first))
                    << context << " row " << row;
                notRenamed += old != kRenames[static_cast<std::size_t>(row)].second;
            }
            EXPECT_EQ(failures, notRenamed) << context;
        }
    }
}

TEST(RenameJobFaults, ACrashAtAnyOperationLosesNothing) {
    const int operations = OperationsOfACleanJob();
    for (int k = 1; k <= operations; ++k) {
        RenameFixture fixture;
        MakeJob(fixture);
        EXPECT_TRUE(KilledAt(fixture, k)) << "at " << k;

        const FileMap files = fixture.Files();
        ExpectNothingLost(files, "crash at " + std::to_string(k));
        int temporary = 0;
        for (const auto& [name, content] : files) temporary += LooksTemporary(name);
        EXPECT_LE(temporary, 2) << "crash at " << k;
    }
}

// After a crash at any operation of the job, its own record writes included,
// the next process finishes or takes back every file.
TEST(RenameJobFaults, ACrashAtAnyOperationIsRecoveredByTheNextProcess) {
    const int operations = OperationsOfACleanJob();
    for (int k = 1; k <= operations; ++k) {
        RenameFixture fixture;
        MakeJob(fixture);
        KilledAt(fixture, k);
        RecoverInterruptedJobs();

        const std::string context = "crash at " + std::to_string(k);
        const FileMap files = fixture.Files();
        ExpectNothingLost(files, context);
        for (const auto& [name, content] : files) EXPECT_FALSE(LooksTemporary(name)) << context;
        for (const auto& [oldName, newName] : kRenames) {
            const std::string content = RenameFixture::ContentOf(oldName);
            const bool atOld = files.count(oldName) && files.at(oldName) == content;
            const bool atNew = files.count(newName) && files.at(newName) == content;
            EXPECT_TRUE(atOld || atNew) << oldName << " " << context;
        }
        // The confirmed target is whole under its name, or gone because its
        // row was completed.
        const bool targetWhole = files.count("t") && files.at("t") == "confirmed target";
        const bool rowDone = files.count("t") && files.at("t") == RenameFixture::ContentOf("e");
        EXPECT_TRUE(targetWhole || rowDone) << context;
        int confirmedCopies = 0;
        for (const auto& [name, content] : files) confirmedCopies += content == "confirmed target";
        EXPECT_EQ(confirmedCopies, targetWhole ? 1 : 0) << context;
    }
}

}  // namespace
