#include "platform/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "platform/ascii.h"

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

FolderEntry EntryOf(const std::string& folder, const dirent& item) {
    FolderEntry entry;
    entry.name = item.d_name;
    // The type the listing already knows saves a status query per file.
    if (item.d_type == DT_REG || item.d_type == DT_DIR) {
        entry.isFolder = item.d_type == DT_DIR;
        return entry;
    }
    const std::string path = folder + entry.name;
    struct stat status {};
    if (lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        entry.isLink = true;
        entry.isFolder = stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    } else {
        entry.isFolder = S_ISDIR(status.st_mode);
    }
    return entry;
}

}  // namespace

bool FolderEntryNameLess(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return std::nullopt;
    std::vector<FolderEntry> entries;
    while (const dirent* item = readdir(dir.get())) {
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") continue;
        entries.push_back(EntryOf(folder, *item));
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return FolderEntryNameLess(a.name, b.name);
    });
    return entries;
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool PathExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
