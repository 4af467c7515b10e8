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

// The name with its ASCII letters upper-cased: the first sort key.
std::string SortKeyOf(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = AsciiUpper(c);
    return key;
}

}  // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return std::nullopt;
    // Each name's key is made once, not at every comparison of the sort.
    std::vector<std::pair<std::string, FolderEntry>> keyed;
    while (const dirent* item = readdir(dir.get())) {
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") continue;
        keyed.emplace_back(SortKeyOf(name), EntryOf(folder, *item));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int byKey = a.first.compare(b.first);
        return byKey != 0 ? byKey < 0 : a.second.name < b.second.name;
    });
    std::vector<FolderEntry> entries;
    entries.reserve(keyed.size());
    for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
    return entries;
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool PathExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
