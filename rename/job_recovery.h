// What the job records are for: finishing or taking back a job that a crash
// cut short, and undoing a finished one, in any later process. Every move is
// no-replace and every file is found by its identity; a file that cannot be
// found so is left alone.
#pragma once

#include <string>
#include <vector>

#include "platform/list_ctrl.h"
#include "rename/job_record.h"
#include "rename/rename_job.h"

struct RecoveryReport {
    int jobs = 0;                       // interrupted jobs found and recovered
    int movedOn = 0;                    // files moved on to their new names
    int movedBack = 0;                  // files moved back to their old names
    std::vector<std::string> unplaced;  // where files that could not be placed are
};

// Recovers every job whose record was never marked finished and that no
// running process holds, then marks it finished (so that it can be undone).
RecoveryReport RecoverInterruptedJobs();

// "The last rename job was interrupted. ..." for the window and the command line.
std::string RecoveryMessage(const RecoveryReport& report);

// The most recent recorded rename that renamed files and was not undone.
struct UndoCandidate {
    std::string path;
    JobRecordData data;
};
bool FindUndoableJob(UndoCandidate& candidate);

// "Undo the last rename of N files?", with a line on the files the job
// destroyed when it did.
std::string UndoQuestion(const UndoCandidate& candidate);

// What undoing the job would do to each of its renamed files.
std::vector<PlannedRow> UndoPlan(const UndoCandidate& candidate);

struct UndoResult {
    int renamedBack = 0;
    int notRenamedBack = 0;  // renamed again, removed, replaced, or old name taken
    bool complete = true;    // flushed to disk
    // (folder, name the job gave, old name) of each file renamed back.
    struct Move {
        std::string folder, newName, oldName;
    };
    std::vector<Move> moves;
};

// Renames the job's files back, as a job of its own with every rule of the
// rename job and nothing destroyed, and marks the record undone.
UndoResult UndoJob(const UndoCandidate& candidate);

inline constexpr const char* kNothingToUndo = "There is no rename to undo.";
inline constexpr const char* kUndoAllDone = "Undo done, all files were renamed back.";
// "Undo done, N files could not be renamed back."
std::string UndoSomeFailed(int count);

// Shows the old names again in the rows of `list` that name files renamed back.
void ShowUndoneNames(CListCtrl& list, const UndoResult& result);
