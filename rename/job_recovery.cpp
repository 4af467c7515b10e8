#include "rename/job_recovery.h"

#include <unistd.h>

#include <map>
#include <set>

#include "files/file_list.h"

namespace {

// Whether `name` in `folder` is the file with `identity`.
bool IsFile(int folder, const std::string& name, const FileIdentity& identity) {
    FileStatus status;
    return QueryStatusAt(folder, name, status) == 0 && status.exists && status.identity == identity;
}

bool Exists(int folder, const std::string& name) {
    FileStatus status;
    return QueryStatusAt(folder, name, status) != 0 || status.exists;
}

// The folders of one record, each opened once.
class Folders {
public:
    int Fd(const std::string& path) {
        auto [found, added] = open_.try_emplace(path);
        if (added) OpenFolder(path, found->second);
        return found->second.valid() ? found->second.fd() : -1;
    }
    void SyncAll() {
        for (auto& [path, handle] : open_) {
            if (handle.valid()) SyncFolderAt(handle.fd());
        }
    }

private:
    std::map<std::string, FolderHandle> open_;
};

// A target moved aside goes back under its name, unless its row completed:
// then the job had confirmed its destruction, and the wipe is finished.
void RecoverTarget(const JobRecordData& data, const RecordedTarget& target, Folders& folders,
                   RecoveryReport& report) {
    const RecordedRow& row = data.rows[target.row];
    const int fd = folders.Fd(row.folder);
    if (fd < 0 || !IsFile(fd, target.asideName, target.identity)) return;
    if (IsFile(fd, row.newName, row.identity)) {
        FileStatus aside;
        QueryStatusAt(fd, target.asideName, aside);
        if (aside.regular && aside.links == 1) ZeroFileAt(fd, target.asideName, aside.identity, 1);
        RemoveFileAt(fd, target.asideName);
        return;
    }
    if (MoveNoReplaceAt(fd, target.asideName, row.newName) != 0)
        report.unplaced.push_back(row.folder + target.asideName);
}

// A file under its temporary name goes on to its new name if that is free,
// else back to its old name. Returns the row's outcome.
RecordedRow::Outcome RecoverRow(const RecordedRow& row, Folders& folders, RecoveryReport& report) {
    const int fd = folders.Fd(row.folder);
    if (fd < 0) return RecordedRow::Outcome::Failed;
    if (IsFile(fd, row.temporaryName, row.identity)) {
        if (MoveNoReplaceAt(fd, row.temporaryName, row.newName) == 0) {
            ++report.movedOn;
            return RecordedRow::Outcome::Renamed;
        }
        if (MoveNoReplaceAt(fd, row.temporaryName, row.oldName) == 0) {
            ++report.movedBack;
        } else {
            report.unplaced.push_back(row.folder + row.temporaryName);
        }
        return RecordedRow::Outcome::Failed;
    }
    // A file under the temporary name that is not the one recorded is not ours.
    if (Exists(fd, row.temporaryName)) report.unplaced.push_back(row.folder + row.temporaryName);
    return IsFile(fd, row.newName, row.identity) ? RecordedRow::Outcome::Renamed
                                                 : RecordedRow::Outcome::Failed;
}

void RecoverJob(const std::string& path, JobRecordData& data, RecoveryReport& report) {
    Folders folders;
    for (const RecordedTarget& target : data.targets) RecoverTarget(data, target, folders, report);
    for (RecordedRow& row : data.rows) row.outcome = RecoverRow(row, folders, report);
    folders.SyncAll();
    data.finished = true;
    RewriteJobRecord(path, data);
}

std::string Files(int count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

}  // namespace

RecoveryReport RecoverInterruptedJobs() {
    RecoveryReport report;
    for (const std::string& path : ListJobRecords()) {
        int fd = -1;
        // A record another process holds belongs to a job still running.
        if (LockJobRecord(path, fd) != 0) continue;
        if (EndsFinished(fd)) {
            close(fd);
            continue;
        }
        JobRecordData data;
        if (ReadJobRecord(path, data) && data.planWhole && !data.finished) {
            ++report.jobs;
            RecoverJob(path, data, report);
        }
        close(fd);
    }
    return report;
}

std::string RecoveryMessage(const RecoveryReport& report) {
    std::string text = report.jobs == 1
                           ? "The last rename job was interrupted. "
                           : std::to_string(report.jobs) + " rename jobs were interrupted. ";
    text += Files(report.movedOn) + (report.movedOn == 1 ? " was" : " were") +
            " moved on to their new names and " + std::to_string(report.movedBack) +
            " back to their old names.";
    if (!report.unplaced.empty()) {
        text += "\nThese files could not be placed and are still where they are:";
        for (const std::string& path : report.unplaced) text += "\n" + path;
    }
    return text;
}

bool FindUndoableJob(UndoCandidate& candidate) {
    const std::vector<std::string> records = ListJobRecords();
    for (auto path = records.rbegin(); path != records.rend(); ++path) {
        JobRecordData data;
        if (!ReadJobRecord(*path, data) || data.kind != "rename" || !data.finished || data.undone ||
            data.Renamed() == 0)
            continue;
        candidate = {*path, std::move(data)};
        return true;
    }
    return false;
}

std::string UndoQuestion(const UndoCandidate& candidate) {
    std::string text = "Undo the last rename of " + Files(candidate.data.Renamed()) + "?";
    int destroyed = 0;
    for (const RecordedTarget& target : candidate.data.targets) {
        destroyed += candidate.data.rows[target.row].outcome == RecordedRow::Outcome::Renamed;
    }
    if (destroyed != 0) {
        text += "\nThe " + std::to_string(destroyed) + " existing " +
                (destroyed == 1 ? "file it replaced cannot" : "files it replaced cannot") +
                " be brought back.";
    }
    return text;
}

namespace {

// The undo as a list of its own: each file the job renamed, looked for by
// identity under the name the job gave it, with its old name as the new one.
// A file renamed again, removed or replaced since is left out (`missing`).
struct UndoList {
    CListCtrl list;
    std::vector<const RecordedRow*> listed;
    std::vector<const RecordedRow*> missing;

    explicit UndoList(const UndoCandidate& candidate) {
        InsertFileListColumns(list);
        Folders folders;
        for (const RecordedRow& row : candidate.data.rows) {
            if (row.outcome != RecordedRow::Outcome::Renamed) continue;
            const int fd = folders.Fd(row.folder);
            if (fd < 0 || !IsFile(fd, row.newName, row.identity)) {
                missing.push_back(&row);
                continue;
            }
            list.InsertItem(list.GetItemCount(), {row.oldName, row.newName, row.folder});
            listed.push_back(&row);
        }
    }
};

RenameJobOptions UndoOptions() {
    RenameJobOptions options;
    options.destroyExisting = false;
    options.recordKind = "undo";
    return options;
}

}  // namespace

std::vector<PlannedRow> UndoPlan(const UndoCandidate& candidate) {
    UndoList undo(candidate);
    RenameJobOptions options = UndoOptions();
    options.record = false;
    // The undo's own list goes with this function: the rows are given as
    // views of the candidate's record.
    const std::vector<PlannedRow> planned = RenameJob(undo.list, options).Plan();
    std::vector<PlannedRow> plan;
    for (std::size_t i = 0; i < planned.size(); ++i) {
        const RecordedRow& row = *undo.listed[i];
        plan.push_back({planned[i].row, row.folder, row.newName, row.oldName, planned[i].status});
    }
    for (const RecordedRow* row : undo.missing)
        plan.push_back({0, row->folder, row->newName, row->oldName, RowPlan::FailsNotFound});
    return plan;
}

UndoResult UndoJob(const UndoCandidate& candidate) {
    UndoResult result;
    int recordFd = -1;
    if (LockJobRecord(candidate.path, recordFd) != 0) {
        result.notRenamedBack = candidate.data.Renamed();
        return result;
    }
    UndoList undo(candidate);
    CListCtrl& list = undo.list;
    const std::vector<const RecordedRow*>& listed = undo.listed;
    result.notRenamedBack = static_cast<int>(undo.missing.size());
    RenameJob job(list, UndoOptions());
    job.Run();
    result.complete = job.Complete();
    for (int i = 0; i < list.GetItemCount(); ++i) {
        const RecordedRow& row = *listed[static_cast<std::size_t>(i)];
        if (list.GetItemText(i, kOldColumn) == row.oldName) {
            ++result.renamedBack;
            result.moves.push_back({row.folder, row.newName, row.oldName});
        } else {
            ++result.notRenamedBack;
        }
    }
    AppendToJobRecord(recordFd, candidate.path, "undone\n");
    close(recordFd);
    return result;
}

std::string UndoSomeFailed(int count) {
    return "Undo done, " + Files(count) + " could not be renamed back.";
}

void ShowUndoneNames(CListCtrl& list, const UndoResult& result) {
    std::map<std::pair<std::string, std::string>, const std::string*> oldNames;
    for (const UndoResult::Move& move : result.moves)
        oldNames[{move.folder, move.newName}] = &move.oldName;
    std::map<std::string, std::string> canonical;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const std::string& folder = list.GetItemText(row, kFolderColumn);
        auto [known, added] = canonical.try_emplace(folder);
        if (added && ResolveFolder(folder.empty() ? "./" : folder, known->second) != 0)
            known->second.clear();
        const auto found = oldNames.find({known->second, list.GetItemText(row, kOldColumn)});
        if (found != oldNames.end()) list.SetItemText(row, kOldColumn, *found->second);
    }
}
