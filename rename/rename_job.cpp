#include "rename/rename_job.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "files/file_list.h"
#include "platform/ascii.h"

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
           std::none_of(name.begin(), name.end(), [](char c) { return c == '/' || c == '\0'; });
}

// Whether `name` could be a temporary name: 8 letters, a full stop, 3 letters.
bool TemporaryShaped(std::string_view name) {
    if (name.size() != 12 || name[8] != '.') return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i != 8 && !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    }
    return true;
}

// How many temporary names are drawn before a row gives up.
constexpr int kTemporaryNameAttempts = 100;

// Moves `from` in `folder` to `name`, or where `name` is empty or taken, to
// a name that `draw` gives (false: none to be had). `name` ends as the name
// tried last.
int MoveToFreeName(int folder, const std::string& from, std::string& name,
                   const std::function<bool(std::string&)>& draw) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        if (name.empty() && !draw(name)) return EEXIST;
        const int error = MoveNoReplaceAt(folder, from, name);
        if (error != EEXIST) return error;
        name.clear();
    }
    return EEXIST;
}

// Draws a temporary name that is free in `folder` and moves `name` there.
int MoveAside(int folder, const std::string& name, std::string& aside) {
    aside.clear();
    return MoveToFreeName(folder, name, aside, [](std::string& drawn) {
        drawn = RandomFileName(8, 3);
        return true;
    });
}

// Destroys the file moved aside under `aside`: zeroed first when it is a
// regular file that no other name shares, then removed.
bool WipeAside(int folder, const std::string& aside, const FileStatus& moved, unsigned passes) {
    if (moved.regular && moved.links == 1) ZeroFileAt(folder, aside, moved.identity, passes);
    return RemoveFileAt(folder, aside) == 0;
}

// "dir/name" as the folder ("dir/", or "./" for a bare name) and the name.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {"./", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

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
    const auto [folderPath, name] = SplitPath(path);
    FolderHandle folder;
    if (OpenFolder(folderPath, folder) != 0) return false;
    FileStatus status;
    if (QueryStatusAt(folder.fd(), name, status) != 0) return false;
    if (!status.exists || !(status.regular || status.link)) return true;
    std::string aside;
    if (MoveAside(folder.fd(), name, aside) != 0) return false;
    FileStatus moved;
    if (QueryStatusAt(folder.fd(), aside, moved) != 0 || !moved.exists) return false;
    return WipeAside(folder.fd(), aside, moved, passes);
}

bool RenameFile(const std::string& source, const std::string& target, bool overwrite) {
    FileStatus status;
    if (QueryStatus(source, status, true) != 0 || !status.regular) return false;
    if (source == target) return true;
    if (!overwrite) return MoveNoReplace(source, target) == 0;

    const auto [folderPath, name] = SplitPath(target);
    FolderHandle folder;
    if (OpenFolder(folderPath, folder) != 0) return false;
    FileStatus existing;
    if (QueryStatusAt(folder.fd(), name, existing) != 0) return false;
    if (!existing.exists) return MoveNoReplace(source, target) == 0;
    if (!existing.regular && !existing.link) return false;

    // What stands at the target goes aside first. If the source went with
    // it, the target was another spelling of the source itself: it comes
    // back under the target's spelling, and nothing is destroyed.
    std::string aside;
    if (MoveAside(folder.fd(), name, aside) != 0) return false;
    FileStatus sourceNow;
    if (QueryStatus(source, sourceNow) != 0 || !sourceNow.exists)
        return MoveNoReplaceAt(folder.fd(), aside, name) == 0;
    if (MoveNoReplace(source, target) != 0) {
        MoveNoReplaceAt(folder.fd(), aside, name);
        return false;
    }
    FileStatus moved;
    if (QueryStatusAt(folder.fd(), aside, moved) == 0 && moved.exists)
        WipeAside(folder.fd(), aside, moved, 1);
    return true;
}

RenameJob::RenameJob(CListCtrl& list, RenameJobOptions options)
    : list_(list), options_(std::move(options)) {
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
        if (step.action == Action::Move && step.targetIndex >= 0 &&
            counted.insert(TargetOf(step).identity).second)
            ++existingTargets_;
    }
}

// The plan's folder for a Folder cell, opened and read on first use. Any
// spelling that cannot be opened makes the plan uncertain: a listed file
// behind it could be another row's target.
bool RenameJob::FindFolder(const std::string& spelled, Step& step) {
    const auto known = folderBySpelling_.find(spelled);
    if (known != folderBySpelling_.end()) {
        step.folder = known->second;
        step.folderCell = &known->first;
        if (step.folder == SIZE_MAX) step.reason = RowPlan::FailsCannotCheck;
        return step.folder != SIZE_MAX;
    }
    const std::string path = spelled.empty() ? "./" : spelled;
    std::string canonical;
    FolderHandle handle;
    int error = ResolveFolder(path, canonical);
    if (error == 0) error = OpenFolder(path, handle);
    if (error != 0) {
        step.reason = error == ENOENT || error == ENOTDIR ? RowPlan::FailsNotFound
                                                          : RowPlan::FailsCannotCheck;
        sourcesUncertain_ = true;
        folderBySpelling_.emplace(spelled, SIZE_MAX);
        return false;
    }
    const auto [found, added] = folderByCanonicalPath_.try_emplace(canonical, folders_.size());
    if (added) {
        Folder& folder = folders_.emplace_back();
        folder.canonical = canonical;
        folder.handle = std::move(handle);
        ReadNames(folder);
    }
    step.folder = found->second;
    step.folderCell = &folderBySpelling_.emplace(spelled, step.folder).first->first;
    return true;
}

void RenameJob::ReadNames(Folder& folder) {
    std::vector<std::string>& names = folder.storedNames;
    folder.listed = ListNamesAt(folder.handle.fd(), names) == 0;
    if (!folder.listed) return;
    folder.names.reserve(names.size());
    for (const std::string& name : names) folder.names.insert(name);
    // Whether the folder ignores letter case is asked with a name it holds,
    // spelled in the other case (unless that spelling is a name of its own).
    for (const std::string& name : names) {
        const std::string other = OtherCaseName(name);
        if (other == name || folder.names.count(other) != 0) continue;
        folder.foldsCase = FoldsCaseAt(folder.handle.fd(), name);
        break;
    }
    if (!folder.foldsCase) return;
    folder.byFoldedName.reserve(names.size());
    for (const std::string& name : names) folder.byFoldedName.emplace(AsciiLowercased(name), name);
}

const std::string& RenameJob::StoredName(const Folder& folder, const std::string& name) const {
    if (!folder.foldsCase || folder.names.count(name) != 0) return name;
    const auto found = folder.byFoldedName.find(AsciiLowercased(name));
    return found == folder.byFoldedName.end() ? name : found->second;
}

void RenameJob::PlanRow(int row) {
    Step& step = steps_.emplace_back();
    step.row = row;
    step.oldName = list_.GetItemText(row, kOldColumn);
    step.newName = list_.GetItemText(row, kNewColumn);
    step.state = State::Failed;
    if (!FindFolder(list_.GetItemText(row, kFolderColumn), step)) return;
    if (!StaysInFolder(step.oldName)) {
        step.reason = RowPlan::FailsInvalidName;
        return;
    }
    const Folder& folder = folders_[step.folder];

    // The name is claimed even when the file cannot be checked: no other row
    // may take it, since the file may still be there.
    step.sourceName = &StoredName(folder, step.oldName);
    temporaryShapedNames_ = temporaryShapedNames_ || TemporaryShaped(*step.sourceName);
    const bool firstClaim =
        stepBySource_.emplace(FileKey{step.folder, *step.sourceName}, steps_.size() - 1).second;

    FileStatus source;
    const int error = QueryStatusAt(folder.handle.fd(), step.oldName, source);
    if (error != 0) sourcesUncertain_ = true;
    // Missing, unreadable, or the same file listed a second time.
    if (error != 0) return;
    if (!source.exists) {
        step.reason = RowPlan::FailsNotFound;
        return;
    }
    if (!firstClaim || !listedFiles_.insert(source.identity).second) {
        step.reason = RowPlan::FailsListedTwice;
        return;
    }
    step.makeWritable = source.regular && !source.ownerWritable;
    step.source = source.identity;

    FileStatus followed = source;
    if (source.link && QueryStatusAt(folder.handle.fd(), step.oldName, followed, true) != 0)
        followed.regular = false;
    if (!followed.regular) {
        step.reason = RowPlan::FailsNotRegular;
    } else if (!StaysInFolder(step.newName)) {
        step.reason = RowPlan::FailsInvalidName;
    } else {
        step.targetName = &StoredName(folder, step.newName);
        temporaryShapedNames_ = temporaryShapedNames_ || TemporaryShaped(*step.targetName);
        step.action = step.newName == step.oldName ? Action::Keep : Action::Move;
        step.state = step.action == Action::Keep ? State::Done : State::Pending;
        step.reason = step.action == Action::Keep ? RowPlan::KeepsName : RowPlan::Renames;
    }
}

void RenameJob::GiveEachTargetToOneRow() {
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        const Step& step = steps_[i];
        if (step.action == Action::Keep) stepByTarget_[FileKey{step.folder, *step.targetName}] = i;
    }
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        Step& step = steps_[i];
        if (step.action != Action::Move) continue;
        if (!stepByTarget_.try_emplace(FileKey{step.folder, *step.targetName}, i).second)
            Fail(step, RowPlan::FailsDuplicate);
    }
}

void RenameJob::ResolveTargets() {
    for (Step& step : steps_) {
        if (step.action == Action::Move) ResolveTarget(step);
    }
}

void RenameJob::ResolveTarget(Step& step) {
    // Another spelling of the file itself (a change of letter case where the
    // folder ignores it): the name is free once the file has moved away.
    if (*step.targetName == *step.sourceName) return;
    const auto holder = stepBySource_.find(FileKey{step.folder, *step.targetName});
    if (holder != stepBySource_.end()) {
        step.waitsFor = static_cast<int>(holder->second);
        return;
    }
    const Folder& folder = folders_[step.folder];
    // A file that appears later is never replaced anyway: every move refuses
    // an existing target.
    const bool listedThere = folder.names.count(*step.targetName) != 0;
    if (folder.listed && !listedThere && !folder.foldsCase) return;

    FileStatus target;
    if (QueryStatusAt(folder.handle.fd(), *step.targetName, target) != 0) {
        Fail(step, RowPlan::FailsCannotCheck);
    } else if (!target.exists) {
        return;
    } else if (listedFiles_.count(target.identity) != 0) {
        Fail(step, RowPlan::FailsListedFileHasName);
    } else if (sourcesUncertain_ || !folder.listed || !listedThere) {
        // A spelling the folder's names do not account for, or (when some
        // listed file could not be checked) possibly a listed file: never
        // removed.
        Fail(step, RowPlan::FailsCannotCheck);
    } else if (!target.regular && !target.link) {
        Fail(step, RowPlan::FailsFolderHasName);
    } else if (!options_.destroyExisting) {
        Fail(step, RowPlan::FailsExistingFile);
    } else {
        step.targetIndex = static_cast<int>(targets_.size());
        step.reason = RowPlan::DestroysExisting;
        targets_.push_back({target.identity, target.changeTime, {}, SIZE_MAX});
    }
}

void RenameJob::FailWaitingSteps() {
    for (bool changed = true; changed;) {
        changed = false;
        for (Step& step : steps_) {
            if (step.action == Action::Move && step.waitsFor >= 0 &&
                steps_[static_cast<std::size_t>(step.waitsFor)].action != Action::Move) {
                Fail(step, RowPlan::FailsNameStaysTaken);
                changed = true;
            }
        }
    }
}

void RenameJob::Fail(Step& step, RowPlan reason) {
    step.action = Action::Fail;
    step.state = State::Failed;
    step.reason = reason;
}

std::vector<PlannedRow> RenameJob::Plan() const {
    std::vector<PlannedRow> plan;
    plan.reserve(steps_.size());
    for (const Step& step : steps_) {
        plan.push_back({step.row, list_.GetItemText(step.row, kFolderColumn),
                        list_.GetItemText(step.row, kOldColumn),
                        list_.GetItemText(step.row, kNewColumn), step.reason});
    }
    return plan;
}

const char* RowPlanText(RowPlan plan) {
    switch (plan) {
        case RowPlan::Renames:
            return "renames";
        case RowPlan::KeepsName:
            return "keeps its name";
        case RowPlan::DestroysExisting:
            return "destroys an existing file";
        case RowPlan::FailsDuplicate:
            return "fails: another row has this name";
        case RowPlan::FailsInvalidName:
            return "fails: invalid name";
        case RowPlan::FailsNotRegular:
            return "fails: not a regular file";
        case RowPlan::FailsNotFound:
            return "fails: file not found";
        case RowPlan::FailsListedTwice:
            return "fails: listed twice";
        case RowPlan::FailsCannotCheck:
            return "fails: cannot be checked";
        case RowPlan::FailsListedFileHasName:
            return "fails: a listed file has this name";
        case RowPlan::FailsFolderHasName:
            return "fails: a folder or special file has this name";
        case RowPlan::FailsExistingFile:
            return "fails: an existing file has this name";
        case RowPlan::FailsNameStaysTaken:
            return "fails: the name stays taken";
    }
    return "fails";
}

int RenameJob::Run() {
    // The Old cells change as one batch: the list's path lookup and its view
    // are brought up to date once, at the end.
    const CListCtrl::Batch batch(list_);
    for (const Step& step : steps_) toDo_ += step.state == State::Pending;
    if (options_.record) BeginRecord();
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        if (steps_[i].state == State::Pending) RunFrom(i);
    }
    if (record_.Open()) FinishRecord();
    int failures = 0;
    for (const Step& step : steps_) failures += step.state == State::Failed;
    // What the final message reports must survive a power cut.
    for (Folder& folder : folders_) {
        if (folder.changed && SyncFolderAt(folder.handle.fd()) != 0) complete_ = false;
    }
    return failures;
}

// Draws every temporary and aside name and writes the whole plan to the job's
// record before the first file moves. A job whose record cannot be written
// still runs, without the means to recover or undo it.
void RenameJob::BeginRecord() {
    JobPlanWriter plan(options_.recordKind, toDo_);
    std::size_t targets = 0;
    for (Step& step : steps_) {
        if (step.state != State::Pending) continue;
        if (!DrawFreeName(step, step.temporaryName)) step.temporaryName = RandomFileName(8, 3);
        step.recordRow = plan.Rows();
        plan.Row(folders_[step.folder].canonical, step.oldName, step.temporaryName, step.newName,
                 step.source);
        if (step.targetIndex < 0) continue;
        Target& target = TargetOf(step);
        if (!DrawFreeName(step, target.asideName)) target.asideName = RandomFileName(8, 3);
        target.recordTarget = targets++;
        plan.Target(step.recordRow, target.asideName, target.identity);
    }
    if (plan.Rows() == 0) return;
    record_.Begin(plan.Text());
}

void RenameJob::FinishRecord() {
    std::vector<RecordedRow::Outcome> outcomes;
    for (const Step& step : steps_) {
        if (step.recordRow == SIZE_MAX) continue;
        outcomes.push_back(step.state == State::Done ? RecordedRow::Outcome::Renamed
                                                     : RecordedRow::Outcome::Failed);
    }
    record_.Finish(outcomes);
}

// Runs the step at `first` after every step it waits for, in the order that
// frees each target before it is needed.
void RenameJob::RunFrom(std::size_t first) {
    std::vector<std::size_t>& chain = chain_;
    chain.assign(1, first);
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
            for (std::size_t index : chain) Fail(steps_[index], RowPlan::FailsCannotCheck);
            return;
        }
        head.state = State::Parked;
    }
    for (std::size_t k = chain.size(); k-- > (cycle ? 1 : 0);) {
        Step& step = steps_[chain[k]];
        if (!CanEnter(step) || !MoveToTemporaryName(step)) {
            Fail(step, step.reason);
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

// A temporary name that no file of the plan holds or is to take.
bool RenameJob::DrawFreeName(const Step& step, std::string& name) const {
    const Folder& folder = folders_[step.folder];
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = RandomFileName(8, 3);
        if (!temporaryShapedNames_) return true;
        const FileKey key{step.folder, StoredName(folder, name)};
        if (stepBySource_.count(key) == 0 && stepByTarget_.count(key) == 0) return true;
    }
    return false;
}

// Moves the step's file to its temporary name: the one recorded, or where
// that is taken, another one, recorded before it is used.
bool RenameJob::MoveToTemporaryName(Step& step) {
    const int fd = FolderFd(step);
    if (step.makeWritable) MakeOwnerWritableAt(fd, step.oldName);
    folders_[step.folder].changed = true;
    return MoveToFreeName(fd, step.oldName, step.temporaryName, [&](std::string& name) {
               return DrawFreeName(step, name) &&
                      (!record_.Open() || record_.NoteTemporaryName(step.recordRow, name) == 0);
           }) == 0;
}

// Moves the step's counted target aside, under the recorded name or another
// one recorded first.
int RenameJob::MoveTargetAside(Step& step) {
    Target& target = TargetOf(step);
    return MoveToFreeName(
        FolderFd(step), *step.targetName, target.asideName, [&](std::string& name) {
            return DrawFreeName(step, name) &&
                   (!record_.Open() || record_.NoteAsideName(target.recordTarget, name) == 0);
        });
}

bool RenameJob::MoveIntoTarget(Step& step) {
    if (step.targetIndex >= 0) return ReplaceCountedTarget(step);
    return MoveNoReplaceAt(FolderFd(step), step.temporaryName, step.newName) == 0;
}

// Moves the counted target aside, checks that it is the file counted, moves
// the row's file in and only then destroys what was moved aside. Whatever
// fails first, the target is back under its name.
bool RenameJob::ReplaceCountedTarget(Step& step) {
    const int fd = FolderFd(step);
    FileStatus now;
    if (QueryStatusAt(fd, *step.targetName, now) != 0) return false;
    if (!now.exists) return MoveNoReplaceAt(fd, step.temporaryName, step.newName) == 0;
    const Target& target = TargetOf(step);
    if (now.identity != target.identity || now.changeTime != target.changeTime) return false;

    if (MoveTargetAside(step) != 0) return false;
    const std::string& aside = target.asideName;
    FileStatus moved;
    const bool counted =
        QueryStatusAt(fd, aside, moved) == 0 && moved.exists && moved.identity == target.identity;
    if (!counted || MoveNoReplaceAt(fd, step.temporaryName, step.newName) != 0) {
        if (MoveNoReplaceAt(fd, aside, *step.targetName) != 0) complete_ = false;
        return false;
    }
    if (!WipeAside(fd, aside, moved, 1)) complete_ = false;
    return true;
}

// Whether the step's row still shows the file the plan was made for: only
// then are its cells written.
bool RenameJob::RowHoldsPlannedFile(const Step& step) const {
    return list_.GetItemText(step.row, kOldColumn) == step.oldName &&
           list_.GetItemText(step.row, kFolderColumn) == *step.folderCell;
}

void RenameJob::Finish(Step& step, bool moved) {
    if (options_.progress) options_.progress(++done_, toDo_);
    const bool rowHoldsFile = RowHoldsPlannedFile(step);
    if (moved) {
        step.state = State::Done;
        if (rowHoldsFile) list_.SetItemText(step.row, kOldColumn, step.newName);
        return;
    }
    step.state = State::Failed;
    // Back to the old name; where that fails the list shows where the file is.
    if (MoveNoReplaceAt(FolderFd(step), step.temporaryName, step.oldName) != 0 && rowHoldsFile)
        list_.SetItemText(step.row, kOldColumn, step.temporaryName);
}
