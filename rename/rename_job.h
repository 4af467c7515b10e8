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
#include "rename/index_table.h"
#include "rename/job_record.h"
#include "rename/name_store.h"

// A temporary name: `nameLength` and `extensionLength` random lowercase
// letters joined by a full stop (0 stands for 8 and 3).
std::string RandomFileName(std::uint8_t nameLength, std::uint8_t extensionLength);

// A temporary name of eight letters and three, held without a heap block.
struct DrawnName {
    char text[13] = {};
    const char* c_str() const { return text; }
    std::string_view view() const { return text; }
    bool empty() const { return text[0] == '\0'; }
    void clear() { text[0] = '\0'; }
    // Eight random lowercase letters, a full stop and three more.
    void Draw();
};

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
    static constexpr std::uint32_t kNotRecorded = UINT32_MAX;

    // A folder of the plan, opened once.
    struct Folder {
        std::string canonical;  // absolute, for the record
        FolderHandle handle;
        bool listed = false;  // its names were read
        bool foldsCase = false;
        bool changed = false;
        std::vector<const char*> storedNames;                       // as the folder stores them
        IndexTable names;                                           // of storedNames
        std::unordered_map<std::string, const char*> byFoldedName;  // when it folds case
    };

    // A row of the plan. The names are kept in `names_` (or are a folder's
    // stored names), so a step holds pointers only.
    struct Step {
        int row = 0;
        std::uint32_t folder = 0;
        Action action = Action::Fail;
        State state = State::Pending;
        RowPlan reason = RowPlan::FailsCannotCheck;
        bool makeWritable = false;
        int waitsFor = -1;     // the step whose file must leave the target first
        int targetIndex = -1;  // in targets_: an existing file that is not listed
        std::uint32_t recordRow = kNotRecorded;
        const std::string* folderCell = nullptr;  // the Folder cell as planned
        const char* oldName = "";                 // as the Old cell spells it
        const char* newName = "";                 // as the New cell spells it
        // The old and the new name as the folder stores them: the step's own
        // names, or a folder's stored name.
        const char* sourceName = nullptr;
        const char* targetName = nullptr;
        FileIdentity source;
        DrawnName temporaryName;
    };

    // An existing file that is not listed, at a step's new name, to destroy.
    struct Target {
        FileIdentity identity;
        std::int64_t changeTime = 0;
        DrawnName asideName;  // where it goes aside
        std::uint32_t recordTarget = kNotRecorded;
    };

    struct IdentityHash {
        std::size_t operator()(const FileIdentity& id) const {
            return static_cast<std::size_t>(id.inode) * 31 + static_cast<std::size_t>(id.device);
        }
    };

    void PlanRow(int row);
    bool FindFolder(const std::string& spelled, Step& step);
    bool RowHoldsPlannedFile(const Step& step) const;
    void ReadNames(Folder& folder);
    bool Holds(const Folder& folder, std::string_view name) const;
    const char* StoredName(const Folder& folder, const char* name) const;
    std::uint32_t FindStep(const IndexTable& table, std::uint32_t folder, std::string_view name,
                           const char* Step::*field) const;
    std::uint32_t ClaimName(IndexTable& table, std::uint32_t index, const char* Step::*field);
    std::uint32_t ClaimIdentity(std::uint32_t index);
    std::uint32_t FindListed(const FileIdentity& identity) const;
    void GiveEachTargetToOneRow();
    void ResolveTargets();
    void ResolveTarget(Step& step);
    void FailWaitingSteps();
    void BeginRecord();
    void FinishRecord();
    void RunFrom(std::size_t first);
    bool DrawFreeName(const Step& step, DrawnName& name) const;
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
    NameStore names_;
    std::vector<Step> steps_;
    std::vector<Target> targets_;
    std::vector<Folder> folders_;
    int existingTargets_ = 0;
    bool complete_ = true;
    std::size_t done_ = 0;
    std::vector<std::size_t> chain_;  // RunFrom's walk, kept between calls
    std::size_t toDo_ = 0;
    bool sourcesUncertain_ = false;  // a listed file could not be checked
    std::unordered_map<std::string, std::uint32_t> folderBySpelling_;
    std::unordered_map<std::string, std::uint32_t> folderByCanonicalPath_;
    // Steps by the identity of their file, by (folder, source name) and by
    // (folder, target name): the current and the new names of the plan,
    // which temporary names avoid.
    IndexTable listedFiles_;
    IndexTable stepBySource_;
    IndexTable stepByTarget_;
    // Whether any name of the plan has the shape of a temporary name; only
    // then must a drawn temporary name be looked up in the tables above.
    bool temporaryShapedNames_ = false;
};