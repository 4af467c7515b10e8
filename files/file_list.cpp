#include "files/file_list.h"

#include "engine/path_names.h"

void InsertFileListColumns(CListCtrl& list) {
    list.InsertColumn(kNewColumn, "New [ID <=> Name]", 195);
    list.InsertColumn(kOldColumn, "Old [ID <=> Name]", 195);
    list.InsertColumn(kFolderColumn, "Location <=> Folder Path", 335);
    list.SetPathColumns(kFolderColumn, kOldColumn);
}

bool InsertFile(CListCtrl& list, std::string_view path) {
    if (list.ContainsPath(path)) return false;
    const int row = list.InsertItem(list.GetItemCount(), "");
    list.SetItemText(row, kFolderColumn, FolderOfPath(path));
    list.SetItemText(row, kOldColumn, FileNameOfPath(path));
    return true;
}

std::string FullPathOfRow(const CListCtrl& list, int row) {
    return list.GetItemText(row, kFolderColumn) + list.GetItemText(row, kOldColumn);
}
