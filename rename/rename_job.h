// The rename job: every listed file renamed inside its own folder to its New
// cell, through a temporary name, without ever overwriting a listed file.
//
// The whole plan is made before the first file moves. Rows whose target is
// another listed file's current name wait for that file to move away: a chain
// runs from its end, and a cycle parks one of its files under its temporary
// name until the rest of the cycle is done, so no more than two listed files
// are ever away from both their old and their new names. Only one row gets
// each target; existing files that are not listed are destroyed only after
// the warning was confirmed and only if they are still the files counted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/file_ops.h"
#include "platform/list_ctrl.h"

// A temporary name: `nameLength` and `extensionLength` random lowercase
// letters joined by a full stop (0 stands for 8 and 3).
std::string RandomFileName(std::uint8_t nameLength, std::uint8_t extensionLength);

// Seeds the letters of RandomFileName (otherwise seeded once from the clock).
void SeedRandomFileNames(unsigned seed);

// Overwrites the regular file at `path` with zeros `passes` times and deletes
// it; true when nothing is left there. A symbolic link is removed, never
// written through; a file with several hard links is removed without zeroing.
bool WipeFile(const std::string& path, std::uint16_t passes);

// Renames one regular file without replacing anything at `target` unless
// `overwrite` allows a regular file there to be wiped first.
bool RenameFile(const std::string& source, const std::string& target, bool overwrite);

class RenameJob {
public:
    // Plans the job from the list's cells as they are now.
    explicit RenameJob(CListCtrl& list);

    // How many existing files that are not listed the job will destroy.
    int ExistingTargets() const { return existingTargets_; }

    // Carries the plan out; returns the number of rows that failed.
    int Run();

private:
    enum class Action { Keep, Move, Fail };
    enum class State { Pending, Parked, Done, Failed };

    struct Step {
        int row = 0;
        const std::string* folder = nullptr;    // as the Folder cell spells it
        const std::string* resolved = nullptr;  // its canonical form
        std::string oldPath;
        std::string newPath;
        std::string newName;
        std::string sourceKey;  // the canonical path of the file
        std::string targetKey;  // the canonical path of its new name
        bool makeWritable = false;
        Action action = Action::Fail;
        int waitsFor = -1;           // the step whose file must leave the target first
        bool destroyTarget = false;  // an existing file that is not listed
        FileIdentity target;
        std::int64_t targetChangeTime = 0;
        State state = State::Pending;
        std::string temporaryName;
    };

    struct IdentityHash {
        std::size_t operator()(const FileIdentity& id) const {
            return std::hash<std::uint64_t>{}(static_cast<std::uint64_t>(id.inode) * 31 +
                                              static_cast<std::uint64_t>(id.device));
        }
    };

    void PlanRow(int row);
    void GiveEachTargetToOneRow();
    void ResolveTargets();
    void FailWaitingSteps();
    void RunFrom(std::size_t first);
    bool MoveToTemporaryName(Step& step);
    bool MoveIntoTarget(Step& step);
    void Finish(Step& step, bool moved);
    void Fail(Step& step);
    bool CanEnter(const Step& step) const;
    bool MayExist(const Step& step);
    // The folder's entry in the table of folders: spelled form and canonical
    // form (empty when it cannot be resolved).
    const std::pair<const std::string, std::string>& FolderEntry(const std::string& folder);

    CListCtrl& list_;
    std::vector<Step> steps_;
    int existingTargets_ = 0;
    bool sourcesUncertain_ = false;  // a listed file could not be checked
    std::unordered_map<std::string, std::string> resolvedFolders_;
    std::unordered_set<FileIdentity, IdentityHash> listedFiles_;
    // Keyed by views of the steps' own keys: `steps_` is reserved whole
    // before planning, so its elements never move.
    std::unordered_map<std::string_view, std::size_t> stepBySource_;
    // The current and the new names of the plan (temporary names avoid both).
    std::unordered_map<std::string_view, std::size_t> stepByTarget_;
    // The names each folder held when the plan was made (absent: unreadable).
    std::unordered_map<std::string, std::optional<std::unordered_set<std::string>>> folderNames_;
};
