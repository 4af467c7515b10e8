// The rename job: every listed file renamed inside its own folder to its New
// cell, through a temporary name, without ever overwriting a listed file.
//
// The whole plan is made before the first file moves. Rows whose target is
// another listed file's current name wait for that file to move away: a chain
// runs from its end, and a cycle parks one of its files under its temporary
// name until the rest of the cycle is done, so no more than two listed files
// are ever away from both their old and their new names. Only one row gets
// each target; existing files that are not listed are destroyed only after
// the warning was confirmed, only if they are still the files counted, and
// never in place: they are moved aside first and wiped once the row is done.
//
// Each folder is opened once when the plan is made, and every operation in it
// goes through that descriptor. Files are keyed by folder and by the name as
// the folder stores it, so a folder that ignores letter case cannot pass off
// a listed file, spelled another way, as an unlisted target.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/file_ops.h"
#include "platform/list_ctrl.h"
#include "rename/job_record.h"

// A temporary name: `nameLength` and `extensionLength` random lowercase
// letters joined by a full stop (0 stands for 8 and 3).
std::string RandomFileName(std::uint8_t nameLength, std::uint8_t extensionLength);

// Seeds the letters of RandomFileName (otherwise seeded once from the clock).
void SeedRandomFileNames(unsigned seed);

// Overwrites the regular file at `path` with zeros `passes` times and deletes
// it; true when nothing is left there. The file is moved aside first, so a
// file that cannot be removed is never zeroed. A symbolic link is removed,
// never written through; a file with several hard links is removed without
// zeroing.
bool WipeFile(const std::string& path, std::uint16_t passes);

// Renames one regular file without replacing anything at `target` unless
// `overwrite` allows a file there to be destroyed. Another spelling of the
// source itself is never destroyed.
bool RenameFile(const std::string& source, const std::string& target, bool overwrite);

inline constexpr const char* kRenameQuestion =
    "Are you sure you want to rename the files presented in the list?";
inline constexpr const char* kRenameAllDone = "Job done, all files were renamed successfully.";
inline constexpr const char* kRenameSomeFailed = "Job done, some files could not be renamed.";

// What the plan says of a row, before anything moves.
enum class RowPlan : std::uint8_t {
    Renames,
    KeepsName,
    DestroysExisting,        // renames, destroying an existing file that is not listed
    FailsDuplicate,          // another row has this new name
    FailsInvalidName,        // the new (or old) name would leave the folder
    FailsNotRegular,         // not a regular file
    FailsNotFound,           // no file at the old name
    FailsListedTwice,        // the same file is listed in an earlier row
    FailsCannotCheck,        // the file, its folder or its target could not be checked
    FailsListedFileHasName,  // another name of a listed file
    FailsFolderHasName,      // a folder or special file has this name
    FailsExistingFile,       // an existing file has this name and may not be destroyed
    FailsNameStaysTaken,     // the row it waits for fails, so its name stays taken
};

// "renames", "fails: another row has this name", ...
const char* RowPlanText(RowPlan plan);
inline bool RowPlanFails(RowPlan plan) {
    return plan != RowPlan::Renames && plan != RowPlan::KeepsName &&
           plan != RowPlan::DestroysExisting;
}

// A row of a plan. The texts are views: of the list's cells for a job's plan
// (valid until the job runs or the list changes), of the record for an undo.
struct PlannedRow {
    int row = 0;
    std::string_view folder;  // as the Folder cell spells it
    std::string_view oldName;
    std::string_view newName;
    RowPlan status = RowPlan::Renames;
};

struct RenameJobOptions {
    // Existing files that are not listed may be destroyed (after the
    // warning); otherwise the rows that want their names fail.
    bool destroyExisting = true;
    // Keeps a record of the job for recovery and undo.
    bool record = true;
    std::string recordKind = "rename";
    // Told after each row the job carries out: rows done, rows to do.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

class RenameJob {
public:
    // Plans the job from the list's cells as they are now.
    explicit RenameJob(CListCtrl& list, RenameJobOptions options = {});

    // How many existing files that are not listed the job will destroy.
    int ExistingTargets() const { return existingTargets_; }

    // Every row of the list with what the plan will do to it; the views are
    // of the list's cells, so they hold until the job runs.
    std::vector<PlannedRow> Plan() const;

    // Carries the plan out; returns the number of rows that failed.
    int Run();

    // Whether everything the job did is on disk and every destroyed file is
    // gone: false when a folder could not be flushed or a file moved aside
    // could not be removed or put back.
    bool Complete() const { return complete_; }

private:
    enum class Action : std::uint8_t { Keep, Move, Fail };
    enum class State : std::uint8_t { Pending, Parked, Done, Failed };

    // A folder of the plan, opened once.
    struct Folder {
        std::string canonical;  // absolute, for the record
        FolderHandle handle;
        bool listed = false;  // its names were read
        bool foldsCase = false;
        bool changed = false;
        std::vector<std::string> storedNames;                       // as the folder stores them
        std::unordered_set<std::string_view> names;                 // views of storedNames
        std::unordered_map<std::string, std::string> byFoldedName;  // when it folds case
    };

    struct Step {
        int row = 0;
        std::size_t folder = 0;
        const std::string* folderCell = nullptr;  // the Folder cell as planned
        std::string oldName;                      // as the Old cell spells it
        std::string newName;                      // as the New cell spells it
        // The old and the new name as the folder stores them: the step's own
        // names, or a folder's stored name (both stay where they are).
        const std::string* sourceName = nullptr;
        const std::string* targetName = nullptr;
        bool makeWritable = false;
        Action action = Action::Fail;
        State state = State::Pending;
        RowPlan reason = RowPlan::FailsCannotCheck;
        int waitsFor = -1;     // the step whose file must leave the target first
        int targetIndex = -1;  // in targets_: an existing file that is not listed
        std::string temporaryName;
        FileIdentity source;
        std::size_t recordRow = SIZE_MAX;
    };

    // An existing file that is not listed, at a step's new name, to destroy.
    struct Target {
        FileIdentity identity;
        std::int64_t changeTime = 0;
        std::string asideName;  // where it goes aside
        std::size_t recordTarget = SIZE_MAX;
    };

    // A file of the plan: its folder and its stored name.
    struct FileKey {
        std::size_t folder;
        std::string_view name;
        friend bool operator==(const FileKey&, const FileKey&) = default;
    };
    struct FileKeyHash {
        std::size_t operator()(const FileKey& key) const {
            return std::hash<std::string_view>{}(key.name) * 31 + key.folder;
        }
    };
    struct IdentityHash {
        std::size_t operator()(const FileIdentity& id) const {
            return std::hash<std::uint64_t>{}(static_cast<std::uint64_t>(id.inode) * 31 +
                                              static_cast<std::uint64_t>(id.device));
        }
    };

    void PlanRow(int row);
    bool FindFolder(const std::string& spelled, Step& step);
    bool RowHoldsPlannedFile(const Step& step) const;
    void ReadNames(Folder& folder);
    const std::string& StoredName(const Folder& folder, const std::string& name) const;
    void GiveEachTargetToOneRow();
    void ResolveTargets();
    void ResolveTarget(Step& step);
    void FailWaitingSteps();
    void BeginRecord();
    void FinishRecord();
    void RunFrom(std::size_t first);
    bool DrawFreeName(const Step& step, std::string& name) const;
    bool MoveToTemporaryName(Step& step);
    int MoveTargetAside(Step& step);
    bool MoveIntoTarget(Step& step);
    bool ReplaceCountedTarget(Step& step);
    void Finish(Step& step, bool moved);
    void Fail(Step& step, RowPlan reason);
    bool CanEnter(const Step& step) const;
    int FolderFd(const Step& step) const { return folders_[step.folder].handle.fd(); }
    Target& TargetOf(const Step& step) {
        return targets_[static_cast<std::size_t>(step.targetIndex)];
    }

    CListCtrl& list_;
    RenameJobOptions options_;
    JobRecord record_;
    std::vector<Step> steps_;
    std::vector<Target> targets_;
    std::vector<Folder> folders_;
    int existingTargets_ = 0;
    bool complete_ = true;
    std::size_t done_ = 0;
    std::vector<std::size_t> chain_;  // RunFrom's walk, kept between calls
    std::size_t toDo_ = 0;
    bool sourcesUncertain_ = false;  // a listed file could not be checked
    std::unordered_map<std::string, std::size_t> folderBySpelling_;
    std::unordered_map<std::string, std::size_t> folderByCanonicalPath_;
    std::unordered_set<FileIdentity, IdentityHash> listedFiles_;
    // Keyed by views of the steps' own names: `steps_` is reserved whole
    // before planning, so its elements never move.
    std::unordered_map<FileKey, std::size_t, FileKeyHash> stepBySource_;
    // The current and the new names of the plan (temporary names avoid both).
    std::unordered_map<FileKey, std::size_t, FileKeyHash> stepByTarget_;
    // Whether any name of the plan has the shape of a temporary name; only
    // then must a drawn temporary name be looked up in the tables above.
    bool temporaryShapedNames_ = false;
};
