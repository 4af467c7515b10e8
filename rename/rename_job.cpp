#include "rename/rename_job.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <functional>
#include <random>

#include "files/file_list.h"
#include "platform/ascii.h"

namespace {

std::minstd_rand& Letters() {
    static std::minstd_rand letters(static_cast<unsigned>(std::time(nullptr)));
    return letters;
}

char RandomLetter() { return static_cast<char>('a' + Letters()() % 26); }

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
int MoveToFreeName(int folder, const char* from, DrawnName& name,
                   const std::function<bool(DrawnName&)>& draw) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        if (name.empty() && !draw(name)) return EEXIST;
        const int error = MoveNoReplaceAt(folder, from, name.c_str());
        if (error != EEXIST) return error;
        name.clear();
    }
    return EEXIST;
}

// Draws a temporary name that is free in `folder` and moves `name` there.
int MoveAside(int folder, const char* name, DrawnName& aside) {
    aside.clear();
    return MoveToFreeName(folder, name, aside, [](DrawnName& drawn) {
        drawn.Draw();
        return true;
    });
}

// Destroys the file moved aside under `aside`: zeroed first when it is a
// regular file that no other name shares, then removed.
bool WipeAside(int folder, const char* aside, const FileStatus& moved, unsigned passes) {
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

void DrawnName::Draw() {
    for (int i = 0; i < 8; ++i) text[i] = RandomLetter();
    text[8] = '.';
    for (int i = 9; i < 12; ++i) text[i] = RandomLetter();
    text[12] = '\0';
}

void SeedRandomFileNames(unsigned seed) { Letters().seed(seed); }

bool WipeFile(const std::string& path, std::uint16_t passes) {
    const auto [folderPath, name] = SplitPath(path);
    FolderHandle folder;
    if (OpenFolder(folderPath, folder) != 0) return false;
    FileStatus status;
    if (QueryStatusAt(folder.fd(), name, status) != 0) return false;
    if (!status.exists || !(status.regular || status.link)) return true;
    DrawnName aside;
    if (MoveAside(folder.fd(), name.c_str(), aside) != 0) return false;
    FileStatus moved;
    if (QueryStatusAt(folder.fd(), aside.c_str(), moved) != 0 || !moved.exists) return false;
    return WipeAside(folder.fd(), aside.c_str(), moved, passes);
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
    DrawnName aside;
    if (MoveAside(folder.fd(), name.c_str(), aside) != 0) return false;
    FileStatus sourceNow;
    if (QueryStatus(source, sourceNow) != 0 || !sourceNow.exists)
        return MoveNoReplaceAt(folder.fd(), aside.c_str(), name.c_str()) == 0;
    if (MoveNoReplace(source, target) != 0) {
        MoveNoReplaceAt(folder.fd(), aside.c_str(), name.c_str());
        return false;
    }
    FileStatus moved;
    if (QueryStatusAt(folder.fd(), aside.c_str(), moved) == 0 && moved.exists)
        WipeAside(folder.fd(), aside.c_str(), moved, 1);
    return true;
}

RenameJob::RenameJob(CListCtrl& list, RenameJobOptions options)
    : list_(list), options_(std::move(options)) {
    const auto rows = static_cast<std::size_t>(list_.GetItemCount());
    steps_.reserve(rows);
    listedFiles_.Reserve(rows);
    stepBySource_.Reserve(rows);
    stepByTarget_.Reserve(rows);
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
    constexpr std::uint32_t kUnusable = UINT32_MAX;
    const auto known = folderBySpelling_.find(spelled);
    if (known != folderBySpelling_.end()) {
        step.folder = known->second;
        step.folderCell = &known->first;
        if (step.folder == kUnusable) step.reason = RowPlan::FailsCannotCheck;
        return step.folder != kUnusable;
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
        folderBySpelling_.emplace(spelled, kUnusable);
        return false;
    }
    const auto [found, added] =
        folderByCanonicalPath_.try_emplace(canonical, static_cast<std::uint32_t>(folders_.size()));
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
    std::vector<const char*>& names = folder.storedNames;
    folder.listed = ListNamesAt(folder.handle.fd(), [&](std::string_view name) {
                        names.push_back(names_.Keep(name));
                    }) == 0;
    if (!folder.listed) return;
    const auto hashOf = [&](std::uint32_t i) { return std::hash<std::string_view>{}(names[i]); };
    folder.names.Reserve(names.size());
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        folder.names.Insert(
            hashOf(i), i, [&](std::uint32_t held) { return names[held] == name; }, hashOf);
    }
    // Whether the folder ignores letter case is asked with a name it holds,
    // spelled in the other case (unless that spelling is a name of its own).
    for (const char* name : names) {
        const std::string other = OtherCaseName(name);
        if (other == name || Holds(folder, other)) continue;
        folder.foldsCase = FoldsCaseAt(folder.handle.fd(), name);
        break;
    }
    if (!folder.foldsCase) return;
    folder.byFoldedName.reserve(names.size());
    for (const char* name : names) folder.byFoldedName.emplace(AsciiLowercased(name), name);
}

bool RenameJob::Holds(const Folder& folder, std::string_view name) const {
    return folder.names.Find(std::hash<std::string_view>{}(name), [&](std::uint32_t held) {
        return folder.storedNames[held] == name;
    }) != IndexTable::kNone;
}

const char* RenameJob::StoredName(const Folder& folder, const char* name) const {
    if (!folder.foldsCase || Holds(folder, name)) return name;
    const auto found = folder.byFoldedName.find(AsciiLowercased(name));
    return found == folder.byFoldedName.end() ? name : found->second;
}

namespace {

std::size_t FileKeyHash(std::uint32_t folder, std::string_view name) {
    return std::hash<std::string_view>{}(name)*31 + folder;
}

}  // namespace

// The step whose name `field` is `name` in `folder`, or IndexTable::kNone.
std::uint32_t RenameJob::FindStep(const IndexTable& table, std::uint32_t folder,
                                  std::string_view name, const char* Step::*field) const {
    return table.Find(FileKeyHash(folder, name), [&](std::uint32_t i) {
        return steps_[i].folder == folder && steps_[i].*field == name;
    });
}

// Enters step `index` into `table` under its name `field`; returns the step
// that holds that name (itself, unless another step was there first).
std::uint32_t RenameJob::ClaimName(IndexTable& table, std::uint32_t index,
                                   const char* Step::*field) {
    const Step& step = steps_[index];
    const std::string_view name = step.*field;
    return table.Insert(
        FileKeyHash(step.folder, name), index,
        [&](std::uint32_t i) {
            return steps_[i].folder == step.folder && steps_[i].*field == name;
        },
        [&](std::uint32_t i) { return FileKeyHash(steps_[i].folder, steps_[i].*field); });
}

// Enters step `index` under its file's identity; returns the step listing
// that file first.
std::uint32_t RenameJob::ClaimIdentity(std::uint32_t index) {
    const FileIdentity& identity = steps_[index].source;
    return listedFiles_.Insert(
        IdentityHash{}(identity), index,
        [&](std::uint32_t i) { return steps_[i].source == identity; },
        [&](std::uint32_t i) { return IdentityHash{}(steps_[i].source); });
}

std::uint32_t RenameJob::FindListed(const FileIdentity& identity) const {
    return listedFiles_.Find(IdentityHash{}(identity),
                             [&](std::uint32_t i) { return steps_[i].source == identity; });
}

void RenameJob::PlanRow(int row) {
    const auto index = static_cast<std::uint32_t>(steps_.size());
    Step& step = steps_.emplace_back();
    step.row = row;
    const std::string& oldCell = list_.GetItemText(row, kOldColumn);
    const std::string& newCell = list_.GetItemText(row, kNewColumn);
    step.oldName = names_.Keep(oldCell);
    step.newName = names_.Keep(newCell);
    step.state = State::Failed;
    if (!FindFolder(list_.GetItemText(row, kFolderColumn), step)) return;
    if (!StaysInFolder(oldCell)) {
        step.reason = RowPlan::FailsInvalidName;
        return;
    }
    const Folder& folder = folders_[step.folder];

    // The name is claimed even when the file cannot be checked: no other row
    // may take it, since the file may still be there.
    step.sourceName = StoredName(folder, step.oldName);
    temporaryShapedNames_ = temporaryShapedNames_ || TemporaryShaped(step.sourceName);
    const bool firstClaim = ClaimName(stepBySource_, index, &Step::sourceName) == index;

    FileStatus source;
    const int error = QueryStatusAt(folder.handle.fd(), step.oldName, source);
    if (error != 0) sourcesUncertain_ = true;
    // Missing, unreadable, or the same file listed a second time.
    if (error != 0) return;
    if (!source.exists) {
        step.reason = RowPlan::FailsNotFound;
        return;
    }
    step.source = source.identity;
    if (!firstClaim || ClaimIdentity(index) != index) {
        step.reason = RowPlan::FailsListedTwice;
        return;
    }
    step.makeWritable = source.regular && !source.ownerWritable;

    FileStatus followed = source;
    if (source.link && QueryStatusAt(folder.handle.fd(), step.oldName, followed, true) != 0)
        followed.regular = false;
    if (!followed.regular) {
        step.reason = RowPlan::FailsNotRegular;
    } else if (!StaysInFolder(newCell)) {
        step.reason = RowPlan::FailsInvalidName;
    } else {
        step.targetName = StoredName(folder, step.newName);
        temporaryShapedNames_ = temporaryShapedNames_ || TemporaryShaped(step.targetName);
        step.action = newCell == oldCell ? Action::Keep : Action::Move;
        step.state = step.action == Action::Keep ? State::Done : State::Pending;
        step.reason = step.action == Action::Keep ? RowPlan::KeepsName : RowPlan::Renames;
    }
}

void RenameJob::GiveEachTargetToOneRow() {
    for (std::uint32_t i = 0; i < steps_.size(); ++i) {
        if (steps_[i].action == Action::Keep) ClaimName(stepByTarget_, i, &Step::targetName);
    }
    for (std::uint32_t i = 0; i < steps_.size(); ++i) {
        Step& step = steps_[i];
        if (step.action == Action::Move && ClaimName(stepByTarget_, i, &Step::targetName) != i)
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
    if (std::strcmp(step.targetName, step.sourceName) == 0) return;
    const std::uint32_t holder =
        FindStep(stepBySource_, step.folder, step.targetName, &Step::sourceName);
    if (holder != IndexTable::kNone) {
        step.waitsFor = static_cast<int>(holder);
        return;
    }
    const Folder& folder = folders_[step.folder];
    // A file that appears later is never replaced anyway: every move refuses
    // an existing target.
    const bool listedThere = Holds(folder, step.targetName);
    if (folder.listed && !listedThere && !folder.foldsCase) return;

    FileStatus target;
    if (QueryStatusAt(folder.handle.fd(), step.targetName, target) != 0) {
        Fail(step, RowPlan::FailsCannotCheck);
    } else if (!target.exists) {
        return;
    } else if (FindListed(target.identity) != IndexTable::kNone) {
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
        targets_.push_back({target.identity, target.changeTime, {}, kNotRecorded});
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
    std::uint32_t targets = 0;
    for (Step& step : steps_) {
        if (step.state != State::Pending) continue;
        if (!DrawFreeName(step, step.temporaryName)) step.temporaryName.Draw();
        step.recordRow = static_cast<std::uint32_t>(plan.Rows());
        plan.Row(folders_[step.folder].canonical, step.oldName, step.temporaryName.view(),
                 step.newName, step.source);
        if (step.targetIndex < 0) continue;
        Target& target = TargetOf(step);
        if (!DrawFreeName(step, target.asideName)) target.asideName.Draw();
        target.recordTarget = targets++;
        plan.Target(step.recordRow, target.asideName.view(), target.identity);
    }
    if (plan.Rows() == 0) return;
    record_.Begin(plan.TakeText());
}

void RenameJob::FinishRecord() {
    std::vector<RecordedRow::Outcome> outcomes;
    for (const Step& step : steps_) {
        if (step.recordRow == kNotRecorded) continue;
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
bool RenameJob::DrawFreeName(const Step& step, DrawnName& name) const {
    const Folder& folder = folders_[step.folder];
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name.Draw();
        if (!temporaryShapedNames_) return true;
        const char* stored = StoredName(folder, name.c_str());
        if (FindStep(stepBySource_, step.folder, stored, &Step::sourceName) == IndexTable::kNone &&
            FindStep(stepByTarget_, step.folder, stored, &Step::targetName) == IndexTable::kNone)
            return true;
    }
    return false;
}

// Moves the step's file to its temporary name: the one recorded, or where
// that is taken, another one, recorded before it is used.
bool RenameJob::MoveToTemporaryName(Step& step) {
    const int fd = FolderFd(step);
    if (step.makeWritable) MakeOwnerWritableAt(fd, step.oldName);
    folders_[step.folder].changed = true;
    return MoveToFreeName(fd, step.oldName, step.temporaryName, [&](DrawnName& name) {
               return DrawFreeName(step, name) &&
                      (!record_.Open() ||
                       record_.NoteTemporaryName(step.recordRow, name.view()) == 0);
           }) == 0;
}

// Moves the step's counted target aside, under the recorded name or another
// one recorded first.
int RenameJob::MoveTargetAside(Step& step) {
    Target& target = TargetOf(step);
    return MoveToFreeName(FolderFd(step), step.targetName, target.asideName, [&](DrawnName& name) {
        return DrawFreeName(step, name) &&
               (!record_.Open() || record_.NoteAsideName(target.recordTarget, name.view()) == 0);
    });
}

bool RenameJob::MoveIntoTarget(Step& step) {
    if (step.targetIndex >= 0) return ReplaceCountedTarget(step);
    return MoveNoReplaceAt(FolderFd(step), step.temporaryName.c_str(), step.newName) == 0;
}

// Moves the counted target aside, checks that it is the file counted, moves
// the row's file in and only then destroys what was moved aside. Whatever
// fails first, the target is back under its name.
bool RenameJob::ReplaceCountedTarget(Step& step) {
    const int fd = FolderFd(step);
    FileStatus now;
    if (QueryStatusAt(fd, step.targetName, now) != 0) return false;
    if (!now.exists) return MoveNoReplaceAt(fd, step.temporaryName.c_str(), step.newName) == 0;
    const Target& target = TargetOf(step);
    if (now.identity != target.identity || now.changeTime != target.changeTime) return false;

    if (MoveTargetAside(step) != 0) return false;
    const char* aside = target.asideName.c_str();
    FileStatus moved;
    const bool counted =
        QueryStatusAt(fd, aside, moved) == 0 && moved.exists && moved.identity == target.identity;
    if (!counted || MoveNoReplaceAt(fd, step.temporaryName.c_str(), step.newName) != 0) {
        if (MoveNoReplaceAt(fd, aside, step.targetName) != 0) complete_ = false;
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
    if (MoveNoReplaceAt(FolderFd(step), step.temporaryName.c_str(), step.oldName) != 0 &&
        rowHoldsFile)
        list_.SetItemText(step.row, kOldColumn, step.temporaryName.view());
}
