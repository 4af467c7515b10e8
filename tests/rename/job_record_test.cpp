// The job record (any name round-trips, a torn record is read as far as it is
// whole), undo across processes, and a running job left alone by recovery.
#include "rename/job_record.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rename/job_recovery.h"
#include "rename/rename_fixture.h"
#include "rename/rename_job.h"

namespace {

using FileMap = std::map<std::string, std::string>;

// Each test gets a state folder of its own.
class JobRecordTest : public ::testing::Test, public RenameFixture {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", state_.Path().c_str(), 1); }
    void TearDown() override { SetFileOpHook({}); }

    // Plans and runs a job over the listed rows; returns its failures.
    int RunJob() {
        RenameJob job(list);
        return job.Run();
    }
    // Lists the folder's files afresh with new names: a later job.
    void Relist(const std::vector<std::pair<std::string, std::string>>& renames) {
        list.DeleteAllItems();
        for (const auto& [oldName, newName] : renames) {
            InsertFile(list, folder.PathOf(oldName));
            SetNew(list.GetItemCount() - 1, newName);
        }
    }
    UndoResult Undo() {
        UndoCandidate candidate;
        EXPECT_TRUE(FindUndoableJob(candidate));
        return UndoJob(candidate);
    }

    TempFolder state_;
};

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(JobRecordTest, AnyNameRoundTrips) {
    std::string every;
    for (int c = 1; c < 256; ++c) every += static_cast<char>(c == '/' ? 'x' : c);
    JobRecordData plan;
    plan.rows.push_back({"/a b/%/\xff/", every, "tmp.abc", "new\nline", {7, 42}});
    plan.rows.push_back({"/f/", "%-", "t", "%41", {1, 2}});
    plan.targets.push_back({1, "aside", {3, 4}});
    JobRecord record;
    ASSERT_EQ(record.Begin(plan), 0);
    record.NoteTemporaryName(0, "other.tmp");
    record.Finish({RecordedRow::Outcome::Renamed, RecordedRow::Outcome::Failed});

    JobRecordData read;
    ASSERT_TRUE(ReadJobRecord(record.Path(), read));
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[0].folder, plan.rows[0].folder);
    EXPECT_EQ(read.rows[0].oldName, every);
    EXPECT_EQ(read.rows[0].newName, "new\nline");
    EXPECT_EQ(read.rows[0].temporaryName, "other.tmp");
    EXPECT_EQ(read.rows[1].oldName, "%-");
    EXPECT_EQ(read.rows[1].newName, "%41");
    EXPECT_EQ(read.rows[0].identity, (FileIdentity{7, 42}));
    EXPECT_EQ(read.targets.at(0).identity, (FileIdentity{3, 4}));
    EXPECT_EQ(read.rows[0].outcome, RecordedRow::Outcome::Renamed);
    EXPECT_EQ(read.rows[1].outcome, RecordedRow::Outcome::Failed);
    EXPECT_TRUE(read.planWhole && read.finished && !read.undone);
}

TEST_F(JobRecordTest, ATornRecordIsReadAsFarAsItIsWhole) {
    ListRenames({{"a", "b"}, {"b", "c"}, {"x", "t"}});
    Create("t", "theirs");
    ASSERT_EQ(RunJob(), 0);
    const std::string text = ReadAll(ListJobRecords().back());
    JobRecordData whole;
    ASSERT_TRUE(ParseJobRecord(text, whole));
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        JobRecordData torn;
        if (!ParseJobRecord(text.substr(0, cut), torn)) continue;
        EXPECT_LE(torn.rows.size(), whole.rows.size()) << cut;
        // Finished only when the last line is whole.
        EXPECT_EQ(torn.finished, cut == text.size()) << cut;
        if (torn.planWhole) {
            EXPECT_EQ(torn.rows.size(), whole.rows.size()) << cut;
        }
    }
}

TEST_F(JobRecordTest, ATornEndIsRecoveredAndMarkedFinished) {
    ListRenames({{"a", "b"}, {"b", "a"}, {"c", "d"}});
    ASSERT_EQ(RunJob(), 0);
    const std::string path = ListJobRecords().back();
    const std::string text = ReadAll(path);
    // The record as if the process died while writing its outcomes.
    const std::size_t outcomes = text.find("outcome");
    ASSERT_NE(outcomes, std::string::npos);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text.substr(0, outcomes + 12);
    const RecoveryReport report = RecoverInterruptedJobs();
    EXPECT_EQ(report.jobs, 1);
    EXPECT_EQ(report.movedOn + report.movedBack, 0);
    JobRecordData data;
    ASSERT_TRUE(ReadJobRecord(path, data));
    EXPECT_TRUE(data.finished);
    EXPECT_EQ(data.Renamed(), 3);
    EXPECT_EQ(RecoverInterruptedJobs().jobs, 0);
}

TEST_F(JobRecordTest, RecoveryMessages) {
    RecoveryReport report;
    report.jobs = 1;
    report.movedOn = 2;
    EXPECT_EQ(RecoveryMessage(report),
              "The last rename job was interrupted. 2 files were moved on to their new names and "
              "0 back to their old names.");
    report.movedOn = 1;
    report.movedBack = 1;
    report.unplaced = {"/d/qkzvhwpa.mzt"};
    EXPECT_EQ(RecoveryMessage(report),
              "The last rename job was interrupted. 1 file was moved on to their new names and 1 "
              "back to their old names.\nThese files could not be placed and are still where "
              "they are:\n/d/qkzvhwpa.mzt");
}

TEST_F(JobRecordTest, AChainAndACycleAreUndoneAfterARestart) {
    ListRenames({{"a", "b"}, {"b", "c"}, {"x", "y"}, {"y", "x"}, {"p", "t"}});
    Create("t", "theirs");
    {
        RenameJob job(list);
        ASSERT_EQ(job.ExistingTargets(), 1);
        ASSERT_EQ(job.Run(), 0);
    }
    // A new process knows the job only from its record.
    UndoCandidate candidate;
    ASSERT_TRUE(FindUndoableJob(candidate));
    EXPECT_EQ(UndoQuestion(candidate),
              "Undo the last rename of 5 files?\nThe 1 existing file it replaced cannot be "
              "brought back.");
    const UndoResult result = UndoJob(candidate);
    EXPECT_EQ(result.renamedBack, 5);
    EXPECT_EQ(result.notRenamedBack, 0);
    EXPECT_EQ(Files(), (FileMap{{"a", ContentOf("a")},
                                {"b", ContentOf("b")},
                                {"x", ContentOf("x")},
                                {"y", ContentOf("y")},
                                {"p", ContentOf("p")}}));
    EXPECT_FALSE(FindUndoableJob(candidate));
}

TEST_F(JobRecordTest, UndoSkipsWhatChangedSinceAndDestroysNothing) {
    ListRenames({{"a", "A"}, {"b", "B"}, {"c", "C"}, {"d", "D"}});
    ASSERT_EQ(RunJob(), 0);
    std::filesystem::rename(folder.PathOf("A"), folder.PathOf("renamed by hand"));
    std::filesystem::remove(folder.PathOf("B"));
    Create("c", "a new file under the old name");
    const UndoResult result = Undo();
    EXPECT_EQ(result.renamedBack, 1);
    EXPECT_EQ(result.notRenamedBack, 3);
    EXPECT_EQ(UndoSomeFailed(result.notRenamedBack),
              "Undo done, 3 files could not be renamed back.");
    EXPECT_EQ(Files(), (FileMap{{"renamed by hand", ContentOf("a")},
                                {"c", "a new file under the old name"},
                                {"C", ContentOf("c")},
                                {"d", ContentOf("d")}}));
}

TEST_F(JobRecordTest, UndoWalksBackThreeJobs) {
    ListRenames({{"f", "g"}});
    ASSERT_EQ(RunJob(), 0);
    Relist({{"g", "h"}});
    ASSERT_EQ(RunJob(), 0);
    Relist({{"h", "i"}});
    ASSERT_EQ(RunJob(), 0);
    for (const char* expected : {"h", "g", "f"}) {
        EXPECT_EQ(Undo().renamedBack, 1);
        EXPECT_EQ(Files(), (FileMap{{expected, ContentOf("f")}}));
    }
    UndoCandidate none;
    EXPECT_FALSE(FindUndoableJob(none));
}

TEST_F(JobRecordTest, OnlyTheLastTenRecordsAreKept) {
    List("f0");
    for (int i = 0; i < 12; ++i) {
        Relist({{"f" + std::to_string(i), "f" + std::to_string(i + 1)}});
        ASSERT_EQ(RunJob(), 0);
    }
    EXPECT_EQ(ListJobRecords().size(), kKeptJobRecords);
}

TEST_F(JobRecordTest, ARunningJobIsLeftAlone) {
    ListRenames({{"a", "b"}, {"c", "d"}});
    int toChild[2];
    int toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The job stops after its first move until the other process has
        // looked for interrupted jobs.
        int moves = 0;
        SetFileOpHook([&](FileOp op, const std::string&) {
            if (op == FileOp::MoveNoReplace && ++moves == 2) {
                char c = 'x';
                if (write(toParent[1], &c, 1) != 1 || read(toChild[0], &c, 1) != 1) _exit(3);
            }
            return 0;
        });
        RenameJob job(list);
        _exit(job.Run() == 0 ? 0 : 1);
    }
    char c = 0;
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    const RecoveryReport report = RecoverInterruptedJobs();
    EXPECT_EQ(report.jobs, 0);
    ASSERT_EQ(write(toChild[1], &c, 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Files(), (FileMap{{"b", ContentOf("a")}, {"d", ContentOf("c")}}));
    for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) close(fd);
}

}  // namespace
