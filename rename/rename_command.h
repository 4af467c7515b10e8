// The Rename command: asks, warns about existing files, runs the job under
// the wait cursor, enters the prototype and filter into their histories and
// reports the outcome.
#pragma once

#include <functional>

#include "platform/combo_box.h"
#include "platform/list_ctrl.h"
#include "rename/rename_job.h"

class QWidget;

struct RenameCommand {
    CListCtrl& list;
    CComboBox& prototype;
    CComboBox& filter;
    QWidget* parent = nullptr;
    // Set while the command holds a plan, from planning until its last box
    // is answered: the window's commands that change the list, the prototype
    // or the filter, and a second rename, then do nothing.
    bool* planHeld = nullptr;
};

// The warning for `count` existing files that the job would destroy.
std::string ExistingFilesWarning(int count);

void OnRename(RenameCommand& command);

// Undo Last Rename: asks, renames the files of the most recent recorded job
// back, shows their old names in the list, refreshes it and reports.
struct UndoCommand {
    CListCtrl& list;
    std::function<void()> refreshList;
    QWidget* parent = nullptr;
    bool* planHeld = nullptr;  // shared with the rename command
};
void OnUndoLastRename(UndoCommand& command);

struct RecoveryReport;
// Says in one box what the recovery of interrupted jobs did, if it did anything.
void ReportRecovery(QWidget* parent, const RecoveryReport& report);

// Selects the entry equal to the combo's text ignoring case, or inserts the
// text at `position` (clamped to the list) and selects it.
void AddToHistory(CComboBox& combo, int position);
