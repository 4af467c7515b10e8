// quorvel-cli: the rename job from a terminal or a script, on the same core
// as the window: the list, the preview, the plan, the record, recovery and
// undo. Exit status: 0 when every row succeeded (or there was nothing to do),
// 1 when some rows failed or a question was declined, 2 for bad usage or input.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/plan_output.h"
#include "engine/text_utils.h"
#include "files/add_files.h"
#include "files/directory_walker.h"
#include "files/file_list.h"
#include "platform/file_ops.h"
#include "platform/folder_listing.h"
#include "platform/heap.h"
#include "rename/job_recovery.h"
#include "rename/preview.h"
#include "rename/rename_job.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kSomeFailed = 1;
constexpr int kBadInput = 2;

struct Options {
    std::string prototype = "${id}.${ext}";
    std::string filter;
    bool recursive = false;
    bool dryRun = false;
    bool yes = false;
    bool overwrite = false;
    bool json = false;
    bool undo = false;
    std::vector<std::string> paths;
};

void Say(const std::string& line) { std::cerr << "quorvel-cli: " << line << '\n'; }

// Asks on the terminal; false without one (never waits on a pipe).
bool Confirmed(const std::string& question) {
    if (isatty(STDIN_FILENO) == 0) return false;
    std::cerr << question << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

// Shows "files done of total" on a terminal once a job has run a second.
class Progress {
public:
    Progress() : start_(Clock::now()), shown_(isatty(STDERR_FILENO) != 0) {}
    ~Progress() {
        if (printed_) std::cerr << '\n';
    }
    void operator()(std::size_t done, std::size_t total) {
        if (!shown_ || (done % 256 != 0 && done != total)) return;
        const auto now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) ||
            (printed_ && now - last_ < std::chrono::milliseconds(100) && done != total))
            return;
        last_ = now;
        printed_ = true;
        std::cerr << "\r" << done << " of " << total << " files" << std::flush;
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start_;
    Clock::time_point last_;
    bool shown_;
    bool printed_ = false;
};

void ShowPlan(const std::vector<PlannedRow>& plan, bool json) {
    const std::string text = json ? PlanJson(plan) : PlanTable(plan);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// The final line goes where it cannot spoil JSON.
void Finally(const std::string& line, bool json) { (json ? std::cerr : std::cout) << line << '\n'; }

int CountFailing(const std::vector<PlannedRow>& plan) {
    int failing = 0;
    for (const PlannedRow& row : plan) failing += RowPlanFails(row.status);
    return failing;
}

int Undo(const Options& options) {
    UndoCandidate candidate;
    if (!FindUndoableJob(candidate)) {
        Finally(kNothingToUndo, options.json);
        return kSuccess;
    }
    const std::vector<PlannedRow> plan = UndoPlan(candidate);
    ShowPlan(plan, options.json);
    if (options.dryRun) return CountFailing(plan) == 0 ? kSuccess : kSomeFailed;
    if (!options.yes && !Confirmed(UndoQuestion(candidate))) {
        Say(isatty(STDIN_FILENO) != 0 ? "nothing undone"
                                      : "nothing undone: no terminal to ask on (use -y)");
        return kSomeFailed;
    }
    const UndoResult result = UndoJob(candidate);
    if (result.notRenamedBack != 0 || !result.complete) {
        Finally(UndoSomeFailed(result.notRenamedBack), options.json);
        return kSomeFailed;
    }
    Finally(kUndoAllDone, options.json);
    return kSuccess;
}

// Fills the list from the paths as the window's add commands would.
bool Collect(const Options& options, ListHost& host) {
    for (const std::string& path : options.paths) {
        if (IsRegularFile(path)) {
            AddFile(host, path);
            continue;
        }
        std::string folder = WithTrailingSeparator(path);
        if (!FolderExists(folder)) {
            Say(path + ": no such file or folder");
            return false;
        }
        // Opening it is enough to know it can be read; the add lists it.
        FolderHandle readable;
        if (OpenFolder(folder, readable) != 0) {
            Say(path + ": the folder cannot be read");
            return false;
        }
        if (options.recursive) {
            AddFolderTree(host, folder);
        } else {
            AddFolder(host, folder);
        }
    }
    return true;
}

// What a rename works on. It belongs to main, which ends the process without
// tearing it down: freeing 100,000 rows one by one would cost more than much
// of the job's own bookkeeping, and the process ends anyway.
struct Session {
    CListCtrl list;
    std::optional<RenameJob> job;
};

int Rename(const Options& options, Session& session) {
    CListCtrl& list = session.list;
    InsertFileListColumns(list);
    ListHost host{list, {}, nullptr};
    if (!Collect(options, host)) return kBadInput;

    PlainTextField prototype(options.prototype);
    PlainTextField filter(options.filter);
    FilterState filterState;
    RefreshList({list, prototype, filter, filterState});

    RenameJobOptions jobOptions;
    jobOptions.destroyExisting = options.overwrite;
    Progress progress;
    jobOptions.progress = [&](std::size_t done, std::size_t total) { progress(done, total); };
    RenameJob& job = session.job.emplace(list, jobOptions);
    const std::vector<PlannedRow> plan = job.Plan();
    ShowPlan(plan, options.json);
    const int failing = CountFailing(plan);
    if (options.dryRun) return failing == 0 ? kSuccess : kSomeFailed;

    const auto renaming = static_cast<int>(plan.size()) - failing;
    int moving = 0;
    for (const PlannedRow& row : plan) moving += row.status != RowPlan::KeepsName;
    if (moving - failing <= 0) {
        Finally(failing == 0 ? "Nothing to rename." : kRenameSomeFailed, options.json);
        return failing == 0 ? kSuccess : kSomeFailed;
    }
    if (!options.yes &&
        !Confirmed("Rename " + std::to_string(renaming) + (renaming == 1 ? " file?" : " files?"))) {
        Say(isatty(STDIN_FILENO) != 0 ? "nothing renamed"
                                      : "nothing renamed: no terminal to ask on (use -y)");
        return kSomeFailed;
    }
    const int existing = job.ExistingTargets();
    if (existing != 0 && !options.yes &&
        !Confirmed("This destroys " + std::to_string(existing) + " existing " +
                   (existing == 1 ? "file" : "files") + ". Go on?")) {
        Say("nothing renamed");
        return kSomeFailed;
    }
    const int failures = job.Run();
    if (failures != 0 || !job.Complete()) {
        Finally(kRenameSomeFailed, options.json);
        return kSomeFailed;
    }
    Finally(kRenameAllDone, options.json);
    return kSuccess;
}

}  // namespace

int main(int argc, char** argv) {
    UseHugePagesForHeap();
    Options options;
    CLI::App app{
        "Renames files by a name template (a prototype such as 'Photo-${i}.${ext;low}'),\n"
        "showing the plan first. Every move is no-replace; a record of the job allows\n"
        "recovery after a crash and undo.",
        "quorvel-cli"};
    app.set_version_flag("--version", "quorvel-cli " QUORVEL_VERSION);
    app.add_option("-p,--prototype", options.prototype, "the name template")
        ->default_str("${id}.${ext}");
    app.add_option("-f,--filter", options.filter,
                   "extensions whose files leave the list, such as 'jpg, txt' ('-?': none)");
    app.add_flag("-r,--recursive", options.recursive, "also add the files of every subfolder");
    app.add_flag("-n,--dry-run", options.dryRun, "show the plan and change nothing");
    app.add_flag("-y,--yes", options.yes, "rename without asking");
    app.add_flag("--overwrite", options.overwrite,
                 "destroy existing files that are not listed but have a new name (otherwise "
                 "those rows fail)");
    app.add_flag("--json", options.json,
                 "show the plan as JSON; a name that is not UTF-8 is {\"hex\": \"...\"}");
    auto* undo = app.add_flag("--undo", options.undo, "undo the last recorded rename");
    auto* paths = app.add_option("PATH", options.paths, "files, and folders whose files to add");
    undo->excludes(paths);
    app.footer(
        "Exit status: 0 when every row succeeded or there was nothing to do, 1 when some rows\n"
        "failed or a question was declined, 2 for bad usage or input. See quorvel-cli(1).");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        Say(e.what());
        return kBadInput;
    }
    if (!options.undo && options.paths.empty()) {
        Say("no PATH given (see --help)");
        return kBadInput;
    }

    // Before anything else: a job that a crash cut short is finished or taken back.
    const RecoveryReport recovery = RecoverInterruptedJobs();
    if (recovery.jobs != 0) Say(RecoveryMessage(recovery));

    options.prototype = CleanedName(options.prototype);
    auto* session = new Session;
    const int status = options.undo ? Undo(options) : Rename(options, *session);
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}
