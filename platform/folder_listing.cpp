#include "platform/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// An entry's sort key, its name with ASCII letters upper-cased, as a place
// in one buffer of all keys.
struct SortKey {
    std::uint32_t offset;
    std::uint32_t length;
    std::uint32_t entry;
};

}  // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return std::nullopt;
    std::vector<FolderEntry> listed;
    std::size_t keyBytes = 0;
    while (const dirent* item = readdir(dir.get())) {
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") continue;
        listed.push_back(EntryOf(folder, *item));
        keyBytes += name.size();
    }
    // Each name's key is made once, into one buffer; the sort moves small
    // records and compares keys with memcmp.
    std::string keys(keyBytes, '\0');
    std::vector<SortKey> order(listed.size());
    std::size_t at = 0;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const std::string& name = listed[i].name;
        std::transform(name.begin(), name.end(), keys.begin() + static_cast<std::ptrdiff_t>(at),
                       AsciiUpper);
        order[i] = {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(name.size()),
                    static_cast<std::uint32_t>(i)};
        at += name.size();
    }
    const char* base = keys.data();
    std::sort(order.begin(), order.end(), [&](const SortKey& a, const SortKey& b) {
        const int byKey =
            std::memcmp(base + a.offset, base + b.offset, std::min(a.length, b.length));
        if (byKey != 0) return byKey < 0;
        if (a.length != b.length) return a.length < b.length;
        return listed[a.entry].name < listed[b.entry].name;
    });
    std::vector<FolderEntry> entries;
    entries.reserve(listed.size());
    for (const SortKey& key : order) entries.push_back(std::move(listed[key.entry]));
    return entries;
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool PathExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
