#include "files/file_list.h"

#include "engine/path_names.h"

void InsertFileListColumns(CListCtrl& list) {
    list.InsertColumn(kNewColumn, "New [ID <=> Name]", 195);
    list.InsertColumn(kOldColumn, "Old [ID <=> Name]", 195);
    list.InsertColumn(kFolderColumn, "Location <=> Folder Path", 335);
    list.SetPathColumns(kFolderColumn, kOldColumn);
}

bool InsertFile(CListCtrl& list, std::string_view path) {
    // Cut at the last separator without trimming: on Linux blanks at either
    // end belong to a file's name, and Folder + Old must name this very file.
    const std::size_t cut = path.rfind(kPathSeparator) + 1;  // 0 without a separator
    CListCtrl::Row cells;
    cells[kFolderColumn] = path.substr(0, cut);
    cells[kOldColumn] = path.substr(cut);
    return list.AppendUniqueItem(std::move(cells)) >= 0;
}

std::string FullPathOfRow(const CListCtrl& list, int row) {
    return list.GetItemText(row, kFolderColumn) + list.GetItemText(row, kOldColumn);
}
