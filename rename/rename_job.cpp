#include "rename/rename_job.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <set>

#include "files/file_list.h"

namespace {

bool seeded = false;

char RandomLetter() {
    if (!seeded) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        seeded = true;
    }
    return static_cast<char>('a' + std::rand() % 26);
}

// A name that keeps its file inside its folder.
bool StaysInFolder(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

// Removes what `status` describes at `path`: a link as it is, a regular file
// zeroed first unless other names share its content.
bool WipeEntry(const std::string& path, const FileStatus& status, unsigned passes) {
    if (status.link) return RemoveFile(path) == 0;
    if (!status.regular) return true;
    MakeOwnerWritable(path);
    if (status.links == 1 && ZeroFile(path, status.identity, status.size, passes) == ESTALE)
        return false;
    return RemoveFile(path) == 0;
}

// How many temporary names are drawn before a row gives up.
constexpr int kTemporaryNameAttempts = 100;

}  // namespace

std::string RandomFileName(std::uint8_t nameLength, std::uint8_t extensionLength) {
    if (nameLength == 0) nameLength = 8;
    if (extensionLength == 0) extensionLength = 3;
    std::string name;
    for (int i = 0; i < nameLength; ++i) name += RandomLetter();
    name += '.';
    for (int i = 0; i < extensionLength; ++i) name += RandomLetter();
    return name;
}

void SeedRandomFileNames(unsigned seed) {
    std::srand(seed);
    seeded = true;
}

bool WipeFile(const std::string& path, std::uint16_t passes) {
    FileStatus status;
    if (QueryStatus(path, status) != 0) return false;
    return !status.exists || WipeEntry(path, status, passes);
}

bool RenameFile(const std::string& source, const std::string& target, bool overwrite) {
    FileStatus status;
    if (QueryStatus(source, status, true) != 0 || !status.regular) return false;
    if (source == target) return true;
    if (overwrite && !WipeFile(target, 1)) return false;
    return MoveNoReplace(source, target) == 0;
}

RenameJob::RenameJob(CListCtrl& list) : list_(list) {
    const auto rows = static_cast<std::size_t>(list_.GetItemCount());
    steps_.reserve(rows);
    listedFiles_.reserve(rows);
    stepBySource_.reserve(rows);
    stepByTarget_.reserve(rows);
    for (int row = 0; row < list_.GetItemCount(); ++row) PlanRow(row);
    GiveEachTargetToOneRow();
    ResolveTargets();
    FailWaitingSteps();
    std::unordered_set<FileIdentity, IdentityHash> counted;
    for (const Step& step : steps_) {
        if (step.action == Action::Move && step.destroyTarget && counted.insert(step.target).second)
            ++existingTargets_;
    }
}

const std::pair<const std::string, std::string>& RenameJob::FolderEntry(const std::string& folder) {
    const auto [found, added] = resolvedFolders_.try_emplace(folder);
    if (!added) return *found;
    const int error = ResolveFolder(folder.empty() ? "./" : folder, found->second);
    if (error != 0) {
        found->second.clear();
        if (error != ENOENT && error != ENOTDIR) sourcesUncertain_ = true;
    }
    return *found;
}

void RenameJob::PlanRow(int row) {
    Step& step = steps_.emplace_back();
    step.row = row;
    const auto& [spelled, folder] = FolderEntry(list_.GetItemText(row, kFolderColumn));
    step.folder = &spelled;
    step.resolved = &folder;
    const std::string& oldName = list_.GetItemText(row, kOldColumn);
    step.newName = list_.GetItemText(row, kNewColumn);
    step.oldPath = spelled + oldName;
    step.newPath = spelled + step.newName;
    step.state = State::Failed;

    if (folder.empty() || !StaysInFolder(oldName)) return;
    // The name is claimed even when the file cannot be checked: no other row
    // may take it, since the file may still be there.
    step.sourceKey = folder + oldName;
    const bool firstClaim = stepBySource_.emplace(step.sourceKey, steps_.size() - 1).second;

    FileStatus source;
    const int error = QueryStatus(step.oldPath, source);
    if (error != 0) sourcesUncertain_ = true;
    // Missing, unreadable, or the same file listed a second time.
    if (!firstClaim || error != 0 || !source.exists || !listedFiles_.insert(source.identity).second)
        return;
    step.makeWritable = source.regular && !source.ownerWritable;

    FileStatus followed = source;
    if (source.link && QueryStatus(step.oldPath, followed, true) != 0) followed.regular = false;
    if (followed.regular && StaysInFolder(step.newName)) {
        step.targetKey = folder + step.newName;
        step.action = step.targetKey == step.sourceKey ? Action::Keep : Action::Move;
        step.state = step.action == Action::Keep ? State::Done : State::Pending;
    }
}

void RenameJob::GiveEachTargetToOneRow() {
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        if (steps_[i].action == Action::Keep) stepByTarget_[steps_[i].targetKey] = i;
    }
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        Step& step = steps_[i];
        if (step.action != Action::Move) continue;
        if (!stepByTarget_.try_emplace(step.targetKey, i).second) Fail(step);
    }
}

void RenameJob::ResolveTargets() {
    for (Step& step : steps_) {
        if (step.action != Action::Move) continue;
        const auto holder = stepBySource_.find(step.targetKey);
        if (holder != stepBySource_.end()) {
            step.waitsFor = static_cast<int>(holder->second);
            continue;
        }
        FileStatus target;
        if (!MayExist(step)) {
            continue;
        } else if (QueryStatus(step.newPath, target) != 0) {
            Fail(step);
        } else if (!target.exists) {
            continue;
        } else if (sourcesUncertain_ || listedFiles_.count(target.identity) != 0) {
            // Another name of a listed file (or, when some listed file could
            // not be checked, possibly one): never removed.
            Fail(step);
        } else if (target.regular || target.link) {
            step.destroyTarget = true;
            step.target = target.identity;
            step.targetChangeTime = target.changeTime;
        } else {
            Fail(step);  // a folder or a special file
        }
    }
}

// Whether a file may stand at the step's new name: one listing of the folder
// answers for all its rows. A file that appears later is never replaced
// anyway: every move refuses an existing target.
bool RenameJob::MayExist(const Step& step) {
    const std::string& folder = *step.resolved;
    auto [entry, added] = folderNames_.try_emplace(folder);
    std::optional<std::unordered_set<std::string>>& names = entry->second;
    if (added) {
        names.emplace();
        if (ListNames(folder, *names) != 0) names.reset();
    }
    return !names || names->count(step.newName) != 0;
}

void RenameJob::FailWaitingSteps() {
    for (bool changed = true; changed;) {
        changed = false;
        for (Step& step : steps_) {
            if (step.action == Action::Move && step.waitsFor >= 0 &&
                steps_[static_cast<std::size_t>(step.waitsFor)].action != Action::Move) {
                Fail(step);
                changed = true;
            }
        }
    }
}

void RenameJob::Fail(Step& step) {
    step.action = Action::Fail;
    step.state = State::Failed;
}

int RenameJob::Run() {
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        if (steps_[i].state == State::Pending) RunFrom(i);
    }
    std::set<std::string> changedFolders;
    int failures = 0;
    for (const Step& step : steps_) {
        if (step.state == State::Failed) ++failures;
        if (!step.temporaryName.empty())
            changedFolders.insert(step.folder->empty() ? "." : *step.folder);
    }
    // What the final message reports must survive a power cut.
    for (const std::string& folder : changedFolders) SyncFolder(folder);
    return failures;
}

// Runs the step at `first` after every step it waits for, in the order that
// frees each target before it is needed.
void RenameJob::RunFrom(std::size_t first) {
    std::vector<std::size_t> chain{first};
    bool cycle = false;
    for (std::size_t at = first;;) {
        const int next = steps_[at].waitsFor;
        if (next < 0) break;
        if (static_cast<std::size_t>(next) == first) {
            cycle = true;
            break;
        }
        // Each target has one claimant, so a walk can only close its cycle at
        // `first`; the bound keeps a broken plan from walking forever.
        if (steps_[static_cast<std::size_t>(next)].state != State::Pending ||
            chain.size() > steps_.size())
            break;
        at = static_cast<std::size_t>(next);
        chain.push_back(at);
    }

    Step& head = steps_[first];
    if (cycle) {
        // Park the head so that the last step of the cycle can take its name.
        if (!MoveToTemporaryName(head)) {
            for (std::size_t index : chain) Fail(steps_[index]);
            return;
        }
        head.state = State::Parked;
    }
    for (std::size_t k = chain.size(); k-- > (cycle ? 1 : 0);) {
        Step& step = steps_[chain[k]];
        if (!CanEnter(step) || !MoveToTemporaryName(step)) {
            Fail(step);
            continue;
        }
        Finish(step, MoveIntoTarget(step));
    }
    if (cycle) Finish(head, CanEnter(head) && MoveIntoTarget(head));
}

bool RenameJob::CanEnter(const Step& step) const {
    if (step.waitsFor < 0) return true;
    const State holder = steps_[static_cast<std::size_t>(step.waitsFor)].state;
    return holder == State::Done || holder == State::Parked;
}

bool RenameJob::MoveToTemporaryName(Step& step) {
    if (step.makeWritable) MakeOwnerWritable(step.oldPath);
    const std::string& folder = *step.resolved;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string name = RandomFileName(8, 3);
        const std::string key = folder + name;
        if (stepBySource_.count(key) != 0 || stepByTarget_.count(key) != 0) continue;
        const int error = MoveNoReplace(step.oldPath, *step.folder + name);
        if (error == 0) {
            step.temporaryName = name;
            return true;
        }
        if (error != EEXIST) return false;
    }
    return false;
}

bool RenameJob::MoveIntoTarget(Step& step) {
    if (step.destroyTarget) {
        // Only the file that was counted in the warning may go.
        FileStatus target;
        if (QueryStatus(step.newPath, target) != 0) return false;
        const bool counted =
            target.identity == step.target && target.changeTime == step.targetChangeTime;
        if (target.exists && (!counted || !WipeEntry(step.newPath, target, 1))) return false;
    }
    return MoveNoReplace(*step.folder + step.temporaryName, step.newPath) == 0;
}

void RenameJob::Finish(Step& step, bool moved) {
    if (moved) {
        step.state = State::Done;
        list_.SetItemText(step.row, kOldColumn, step.newName);
        return;
    }
    step.state = State::Failed;
    // Back to the old name; where that fails the list shows where the file is.
    if (!RenameFile(*step.folder + step.temporaryName, step.oldPath, false))
        list_.SetItemText(step.row, kOldColumn, step.temporaryName);
}
