// The file operations a rename job performs, each of which can be made to
// fail through a hook (for tests that inject faults or crashes). Every
// function returns 0 or an errno value.
//
// The `...At` forms take names relative to an open folder descriptor, so a
// path re-pointed while a job runs cannot redirect them; AT_FDCWD makes them
// take paths.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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
    Resolve,  // realpath, opening a folder
    List,     // reading a folder's names
};

// Called before every operation with the name (or path) it acts on;
// returning non-zero fails the operation with that errno without performing it.
using FileOpHook = std::function<int(FileOp op, const std::string& path)>;
void SetFileOpHook(FileOpHook hook);
// What the hook answers for an operation (0 without a hook), for writers
// outside this file that take part in fault injection.
int InjectedFault(FileOp op, const std::string& path);

// Stands in for a file system that ignores letter case, for tests on machines
// that cannot mount one: given a folder and a name, the name as the folder
// stores it (or the name itself), and whether the folder folds case at all.
struct CaseFoldingFake {
    std::function<bool(int folder)> foldsCase;
    std::function<std::string(int folder, const std::string& name)> storedName;
};
void SetCaseFoldingFake(CaseFoldingFake fake);

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

// An open folder descriptor, closed with the object.
class FolderHandle {
public:
    FolderHandle() = default;
    explicit FolderHandle(int fd) : fd_(fd) {}
    ~FolderHandle();
    FolderHandle(FolderHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    int fd() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Opens the folder at `path` (following links, once).
int OpenFolder(const std::string& path, FolderHandle& folder);

// lstat (`followLinks` false) or stat of `name` in `folder`; ENOENT leaves
// `status.exists` false.
int QueryStatusAt(int folder, const char* name, FileStatus& status, bool followLinks = false);
inline int QueryStatusAt(int folder, const std::string& name, FileStatus& status,
                         bool followLinks = false) {
    return QueryStatusAt(folder, name.c_str(), status, followLinks);
}
inline int QueryStatus(const std::string& path, FileStatus& status, bool followLinks = false) {
    return QueryStatusAt(AT_FDCWD, path, status, followLinks);
}

// Moves `from` to `to` inside `folder` without ever replacing what is at `to`
// (EEXIST then). Where the file system refuses the flag, moves by link +
// unlink; where it has no links either, checks that `to` is free right before
// a plain rename.
int MoveNoReplaceAt(int folder, const char* from, const char* to);
inline int MoveNoReplaceAt(int folder, const std::string& from, const std::string& to) {
    return MoveNoReplaceAt(folder, from.c_str(), to.c_str());
}
inline int MoveNoReplace(const std::string& from, const std::string& to) {
    return MoveNoReplaceAt(AT_FDCWD, from, to);
}

// Gives the owner write permission to a regular file; links are left alone.
int MakeOwnerWritableAt(int folder, const char* name);
inline int MakeOwnerWritableAt(int folder, const std::string& name) {
    return MakeOwnerWritableAt(folder, name.c_str());
}

int RemoveFileAt(int folder, const char* name);
inline int RemoveFileAt(int folder, const std::string& name) {
    return RemoveFileAt(folder, name.c_str());
}

// Overwrites with zeros, `passes` times, the data of the regular file `name`
// in `folder`, provided it is still `expected` and has no other name. Only
// the parts a sparse file really holds are written. ESTALE when the file is
// not the expected one.
int ZeroFileAt(int folder, const char* name, const FileIdentity& expected, unsigned passes);
inline int ZeroFileAt(int folder, const std::string& name, const FileIdentity& expected,
                      unsigned passes) {
    return ZeroFileAt(folder, name.c_str(), expected, passes);
}

// Flushes a folder's entries to disk.
int SyncFolderAt(int folder);
int SyncFolder(const std::string& folder);

// The names in a folder as it stores them, read once.
int ListNamesAt(int folder, const std::function<void(std::string_view)>& each);
int ListNamesAt(int folder, std::vector<std::string>& names);

// Whether lookups in `folder` ignore letter case (FAT, exFAT and NTFS through
// FUSE, case-folding ext4 folders): learnt by asking for `name`, a name the
// folder holds, spelled with its ASCII letters in the other case.
bool FoldsCaseAt(int folder, const std::string& name);

// Writes all of `bytes` to `fd`; the hook sees each write as FileOp::Write
// on `name`.
int WriteAll(int fd, const std::string& name, std::string_view bytes);
// Flushes an open file to disk (FileOp::Sync on `name` for the hook).
int SyncFile(int fd, const std::string& name);

// Replaces the file at `path` by `bytes` in one step: a new file in the same
// folder, written and flushed, then renamed over it. A failure leaves the old
// file as it was. The folder itself is not flushed.
int ReplaceFile(const std::string& path, std::string_view bytes);

// Reads a whole regular file of at most `limit` bytes, never waiting on a
// pipe or a device: ENOENT or ENOTDIR when there is none, EINVAL when it is
// not a regular file, EFBIG when it is larger.
int ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& contents);

// The canonical absolute form of an existing folder, ending with "/".
int ResolveFolder(const std::string& folder, std::string& resolved);

// A name with each ASCII letter in the other case.
std::string OtherCaseName(const std::string& name);
