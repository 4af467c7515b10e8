#include "rename/rename_command.h"

#include <optional>

#include "platform/message_box.h"
#include "platform/wait_cursor.h"
#include "rename/job_recovery.h"
#include "rename/rename_job.h"

namespace {

// Marks the plan held for as long as it lives.
class PlanHeld {
public:
    explicit PlanHeld(bool* flag) : flag_(flag) {
        if (flag_ != nullptr) *flag_ = true;
    }
    ~PlanHeld() {
        if (flag_ != nullptr) *flag_ = false;
    }
    PlanHeld(const PlanHeld&) = delete;
    PlanHeld& operator=(const PlanHeld&) = delete;

private:
    bool* flag_;
};

}  // namespace

std::string ExistingFilesWarning(int count) {
    return "You are about to rename " + std::to_string(count) +
           " existing files.\nAre you sure you want to continue?\nPS: Any existing files will be "
           "overridden.";
}

void OnRename(RenameCommand& command) {
    if (command.list.GetItemCount() == 0) return;
    if (command.planHeld != nullptr && *command.planHeld) return;
    if (MessageBox(command.parent, kRenameQuestion, "Question", MB_ICONQUESTION | MB_YESNO) !=
        IDYES)
        return;

    const PlanHeld planHeld(command.planHeld);

    // The cells are read only now: answering the question may have refreshed them.
    std::optional<RenameJob> job;
    {
        const CWaitCursor wait;
        job.emplace(command.list);
    }
    if (job->ExistingTargets() != 0 &&
        MessageBox(command.parent, ExistingFilesWarning(job->ExistingTargets()), "Warning",
                   MB_ICONWARNING | MB_YESNO) != IDYES)
        return;

    int failures = 0;
    {
        const CWaitCursor wait;
        failures = job->Run();
        AddToHistory(command.prototype, 0);
        AddToHistory(command.filter, 0);
    }
    if (failures != 0 || !job->Complete()) {
        MessageBox(command.parent, kRenameSomeFailed, "Warning", MB_ICONWARNING);
    } else {
        MessageBox(command.parent, kRenameAllDone, "Information", MB_ICONINFORMATION);
    }
}

void OnUndoLastRename(UndoCommand& command) {
    if (command.planHeld != nullptr && *command.planHeld) return;
    const PlanHeld planHeld(command.planHeld);
    UndoCandidate candidate;
    if (!FindUndoableJob(candidate)) {
        MessageBox(command.parent, kNothingToUndo, "Information", MB_ICONINFORMATION);
        return;
    }
    if (MessageBox(command.parent, UndoQuestion(candidate), "Question",
                   MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    UndoResult result;
    {
        const CWaitCursor wait;
        result = UndoJob(candidate);
        ShowUndoneNames(command.list, result);
        if (command.refreshList) command.refreshList();
    }
    if (result.notRenamedBack != 0 || !result.complete) {
        MessageBox(command.parent, UndoSomeFailed(result.notRenamedBack), "Warning",
                   MB_ICONWARNING);
    } else {
        MessageBox(command.parent, kUndoAllDone, "Information", MB_ICONINFORMATION);
    }
}

void ReportRecovery(QWidget* parent, const RecoveryReport& report) {
    if (report.jobs == 0) return;
    MessageBox(parent, RecoveryMessage(report), "Information", MB_ICONINFORMATION);
}

void AddToHistory(CComboBox& combo, int position) {
    const std::string text = combo.GetWindowText();
    const int found = combo.FindStringExact(0, text);
    if (found != CComboBox::CB_ERR) {
        combo.SetCurSel(found);
        return;
    }
    if (position < 0 || position > combo.GetCount()) position = combo.GetCount();
    combo.InsertString(position, text);
    combo.SetCurSel(position);
}
