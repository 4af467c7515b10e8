#include "rename/list_commands.h"

#include "files/directory_walker.h"
#include "files/file_list.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace {

// Exchanges the files (Old and Folder cells) of two rows; the New cells are
// recomputed by the refresh that follows.
void ExchangeFiles(CListCtrl& list, int a, int b) {
    const std::string oldA = list.GetItemText(a, kOldColumn);
    const std::string folderA = list.GetItemText(a, kFolderColumn);
    list.SetItemText(a, kOldColumn, list.GetItemText(b, kOldColumn));
    list.SetItemText(a, kFolderColumn, list.GetItemText(b, kFolderColumn));
    list.SetItemText(b, kOldColumn, oldA);
    list.SetItemText(b, kFolderColumn, folderA);
}

bool Move(ListHost& commands, int step) {
    CListCtrl& list = commands.list;
    const int selected = list.GetSelectedRow();
    const int target = selected + step;
    if (selected < 0 || target < 0 || target >= list.GetItemCount()) return false;
    ExchangeFiles(list, selected, target);
    list.SetSelectedRow(target);
    commands.refreshList();
    return true;
}

}  // namespace

void OnRemoveItem(ListHost& commands) {
    if (commands.list.GetItemCount() == 0) return;
    commands.list.DeleteItem(commands.list.GetSelectedRow());
    commands.refreshList();
}

void OnRemoveAll(ListHost& commands) {
    if (MessageBox(commands.parent, "Remove all items?", "Question", MB_ICONQUESTION | MB_YESNO) !=
        IDYES)
        return;
    commands.list.DeleteAllItems();
    commands.refreshList();
}

bool OnMoveUp(ListHost& commands) { return Move(commands, -1); }

bool OnMoveDown(ListHost& commands) { return Move(commands, +1); }

void OnListRDblClk(ListHost& commands) {
    const int selected = commands.list.GetSelectedRow();
    // Without a selected row there is no folder to open.
    if (selected < 0) return;
    const std::string folder = commands.list.GetItemText(selected, kFolderColumn);
    std::string check = folder;
    if (!folder.empty() && FolderExists(check)) ShellExecute(commands.parent, "explore", folder);
}
