#include "files/add_files.h"

#include <stdexcept>
#include <vector>

#include "files/directory_walker.h"
#include "platform/folder_listing.h"
#include "platform/wait_cursor.h"

namespace {

// The files the walk finds in `mode`, in its order; empty when the folder
// cannot be walked (it may vanish after it was checked).
std::vector<std::string> FilesInFolder(const std::string& folder, WalkMode mode) {
    std::vector<std::string> collected;
    try {
        CDirectoryWalker walker([&](const std::string& path) { collected.push_back(path); }, folder,
                                "-all", "-all");
        walker.Walk(mode);
    } catch (const std::invalid_argument&) {
        collected.clear();
    }
    return collected;
}

bool AddFiles(ListHost& files, const std::string& path, WalkMode mode) {
    std::string folder = path;
    if (!FolderExists(folder)) return false;
    const CWaitCursor wait;
    const std::vector<std::string> collected = FilesInFolder(path, mode);
    if (collected.empty()) return false;
    {
        const CListCtrl::Batch batch(files.list);
        files.list.Reserve(files.list.GetItemCount() + static_cast<int>(collected.size()));
        for (const std::string& file : collected) InsertFile(files.list, file);
    }
    if (files.refreshList) files.refreshList();
    return true;
}

}  // namespace

std::string WithTrailingSeparator(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

bool AddFile(ListHost& files, const std::string& path) {
    if (!IsRegularFile(path) || !InsertFile(files.list, path)) return false;
    if (files.refreshList) files.refreshList();
    return true;
}

bool AddFolder(ListHost& files, const std::string& path) {
    return AddFiles(files, path, FilesHere);
}

bool AddFolderTree(ListHost& files, const std::string& path) {
    return AddFiles(files, path, FilesRecursive);
}
