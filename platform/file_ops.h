// The file operations a rename job performs, each of which can be made to
// fail through a hook (for tests that inject faults or crashes). Every
// function returns 0 or an errno value.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>

enum class FileOp {
    Status,         // lstat or stat
    MoveNoReplace,  // renameat2 with RENAME_NOREPLACE
    Link,           // link (the no-replace fallback)
    Unlink,
    Move,  // plain rename, the last resort where links do not exist
    Chmod,
    Open,
    Write,
    Sync,
    Resolve,  // realpath
};

// Called before every operation; returning non-zero fails the operation with
// that errno without performing it.
using FileOpHook = std::function<int(FileOp op, const std::string& path)>;
void SetFileOpHook(FileOpHook hook);
// What the hook answers for an operation (0 without a hook), for writers
// outside this file that take part in fault injection.
int InjectedFault(FileOp op, const std::string& path);

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct FileStatus {
    bool exists = false;
    bool regular = false;
    bool directory = false;
    bool link = false;
    bool ownerWritable = false;
    std::uint64_t links = 0;
    std::uint64_t size = 0;
    FileIdentity identity;
    // Nanoseconds of the last status change: a file created where another
    // was removed may get its inode number, but not its change time.
    std::int64_t changeTime = 0;
};

// lstat (`followLinks` false) or stat of `path`; ENOENT leaves `status.exists` false.
int QueryStatus(const std::string& path, FileStatus& status, bool followLinks = false);

// Moves `from` to `to` without ever replacing what is at `to` (EEXIST then).
// Where the file system refuses the flag, moves by link + unlink; where it has
// no links either, checks that `to` is free right before a plain rename.
int MoveNoReplace(const std::string& from, const std::string& to);

// Gives the owner write permission; symbolic links are left alone.
int MakeOwnerWritable(const std::string& path);

int RemoveFile(const std::string& path);

// Overwrites the regular file at `path` with zeros `passes` times, provided
// it is still `expected` (never through a symbolic link).
int ZeroFile(const std::string& path, const FileIdentity& expected, std::uint64_t size,
             unsigned passes);

// Flushes a folder's entries to disk.
int SyncFolder(const std::string& folder);

// The names in a folder, read once (cheaper than a status query per name).
int ListNames(const std::string& folder, std::unordered_set<std::string>& names);

// The canonical absolute form of an existing folder.
int ResolveFolder(const std::string& folder, std::string& resolved);
