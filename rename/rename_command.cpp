#include "rename/rename_command.h"

#include <optional>

#include "platform/message_box.h"
#include "platform/wait_cursor.h"
#include "rename/rename_job.h"

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

    struct PlanHeld {
        bool* flag;
        explicit PlanHeld(bool* f) : flag(f) {
            if (flag != nullptr) *flag = true;
        }
        ~PlanHeld() {
            if (flag != nullptr) *flag = false;
        }
    } planHeld(command.planHeld);

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
