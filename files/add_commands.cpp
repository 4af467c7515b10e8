#include "files/add_commands.h"

#include <stdexcept>
#include <vector>

#include "engine/text_utils.h"
#include "files/directory_walker.h"
#include "files/file_list.h"
#include "files/folder_dialog.h"
#include "platform/file_dialogs.h"
#include "platform/folder_listing.h"
#include "platform/message_box.h"
#include "platform/wait_cursor.h"

namespace {

std::string WithTrailingSeparator(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// Every file directly inside `folder`, in listing order; empty when the
// folder cannot be walked (it may vanish after it was checked).
std::vector<std::string> FilesInFolder(const std::string& folder) {
    std::vector<std::string> collected;
    try {
        CDirectoryWalker walker([&](const std::string& path) { collected.push_back(path); }, folder,
                                "-all", "-all");
        walker.Walk(FilesHere);
    } catch (const std::invalid_argument&) {
        collected.clear();
    }
    return collected;
}

}  // namespace

bool AddFile(ListHost& files, const std::string& path) {
    if (!IsRegularFile(path) || !InsertFile(files.list, path)) return false;
    files.refreshList();
    return true;
}

bool AddFolder(ListHost& files, const std::string& path) {
    std::string folder = path;
    if (!FolderExists(folder)) return false;
    const CWaitCursor wait;
    const std::vector<std::string> collected = FilesInFolder(path);
    if (collected.empty()) return false;
    {
        const CListCtrl::Batch batch(files.list);
        files.list.Reserve(files.list.GetItemCount() + static_cast<int>(collected.size()));
        for (const std::string& file : collected) InsertFile(files.list, file);
    }
    files.refreshList();
    return true;
}

void OnAddFile(ListHost& files) {
    FileDialogRequest request;
    request.kind = FileDialogKind::OpenFile;
    request.initialPath = "*.*";
    request.filter = "All Files (*.*)|*.*|";
    const auto chosen = RunFileDialog(nullptr, request);
    if (chosen) AddFile(files, *chosen);
}

void OnAddFolder(ListHost& files) {
    CFolderDialog dialog(nullptr, nullptr, files.parent, BIF_RETURNONLYFSDIRS);
    if (dialog.DoModal() != IDOK) return;
    AddFolder(files, WithTrailingSeparator(dialog.GetPathName()));
}

void OnDropFiles(ListHost& files, std::string_view droppedPath) {
    const std::string path(CutBetweenCharacters(droppedPath, kCellLimit));
    if (IsRegularFile(path)) {
        AddFile(files, path);
    } else {
        AddFolder(files, WithTrailingSeparator(path));
    }
}
