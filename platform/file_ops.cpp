#include "platform/file_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

FileOpHook& Hook() {
    static FileOpHook hook;
    return hook;
}

int Injected(FileOp op, const std::string& path) { return Hook() ? Hook()(op, path) : 0; }

int ErrnoOf(int result) { return result == 0 ? 0 : errno; }

// The file systems that refuse RENAME_NOREPLACE answer EINVAL; those without
// hard links answer one of these to link().
bool LinksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

int MoveByLink(const std::string& from, const std::string& to) {
    int linkError = Injected(FileOp::Link, to);
    if (linkError == 0) linkError = ErrnoOf(link(from.c_str(), to.c_str()));
    if (linkError == 0) {
        // Both names hold the file now; dropping the old one completes the
        // move, and where that fails the new name goes again.
        int error = Injected(FileOp::Unlink, from);
        if (error == 0) error = ErrnoOf(unlink(from.c_str()));
        if (error != 0 && Injected(FileOp::Unlink, to) == 0) unlink(to.c_str());
        return error;
    }
    if (!LinksUnsupported(linkError)) return linkError;
    // The narrowest window such a file system allows.
    FileStatus target;
    if (const int error = QueryStatus(to, target)) return error;
    if (target.exists) return EEXIST;
    if (const int error = Injected(FileOp::Move, to)) return error;
    return ErrnoOf(rename(from.c_str(), to.c_str()));
}

}  // namespace

void SetFileOpHook(FileOpHook hook) { Hook() = std::move(hook); }

int InjectedFault(FileOp op, const std::string& path) { return Injected(op, path); }

int QueryStatus(const std::string& path, FileStatus& status, bool followLinks) {
    status = {};
    if (const int error = Injected(FileOp::Status, path)) return error;
    struct stat info {};
    const int result = followLinks ? stat(path.c_str(), &info) : lstat(path.c_str(), &info);
    if (result != 0) return errno == ENOENT ? 0 : errno;
    status.exists = true;
    status.regular = S_ISREG(info.st_mode);
    status.directory = S_ISDIR(info.st_mode);
    status.link = S_ISLNK(info.st_mode);
    status.ownerWritable = (info.st_mode & S_IWUSR) != 0;
    status.links = info.st_nlink;
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.identity = {info.st_dev, info.st_ino};
    status.changeTime =
        static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return 0;
}

int MoveNoReplace(const std::string& from, const std::string& to) {
    int error = Injected(FileOp::MoveNoReplace, to);
    if (error == 0) {
        error = ErrnoOf(renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE));
    }
    if (error == EINVAL || error == ENOSYS) return MoveByLink(from, to);
    return error;
}

int MakeOwnerWritable(const std::string& path) {
    if (const int error = Injected(FileOp::Chmod, path)) return error;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return errno;
    if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) != 0) return 0;
    return ErrnoOf(chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR));
}

int RemoveFile(const std::string& path) {
    if (const int error = Injected(FileOp::Unlink, path)) return error;
    return ErrnoOf(unlink(path.c_str()));
}

int ZeroFile(const std::string& path, const FileIdentity& expected, std::uint64_t size,
             unsigned passes) {
    if (passes == 0 || size == 0) return 0;
    if (const int error = Injected(FileOp::Open, path)) return error;
    const int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat info {};
    int error = fstat(fd, &info) != 0 ? errno : 0;
    if (error == 0 &&
        (!S_ISREG(info.st_mode) || FileIdentity{info.st_dev, info.st_ino} != expected))
        error = ESTALE;
    const std::vector<char> zeros(64 * 1024, 0);
    for (unsigned pass = 0; error == 0 && pass < passes; ++pass) {
        if (lseek(fd, 0, SEEK_SET) != 0) error = errno;
        for (std::uint64_t left = size; error == 0 && left > 0;) {
            if ((error = Injected(FileOp::Write, path)) != 0) break;
            const std::size_t chunk =
                left < zeros.size() ? static_cast<std::size_t>(left) : zeros.size();
            const ssize_t written = write(fd, zeros.data(), chunk);
            if (written <= 0) {
                error = written < 0 ? errno : EIO;
                break;
            }
            left -= static_cast<std::uint64_t>(written);
        }
    }
    close(fd);
    return error;
}

int SyncFolder(const std::string& folder) {
    if (const int error = Injected(FileOp::Sync, folder)) return error;
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ErrnoOf(fsync(fd));
    close(fd);
    return error;
}

int ListNames(const std::string& folder, std::unordered_set<std::string>& names) {
    names.clear();
    if (const int error = Injected(FileOp::Status, folder)) return error;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return errno;
    errno = 0;
    while (const dirent* entry = readdir(dir)) names.emplace(entry->d_name);
    const int error = errno;
    closedir(dir);
    return error;
}

int ResolveFolder(const std::string& folder, std::string& resolved) {
    if (const int error = Injected(FileOp::Resolve, folder)) return error;
    char buffer[PATH_MAX];
    if (realpath(folder.c_str(), buffer) == nullptr) return errno;
    resolved = buffer;
    if (resolved.back() != '/') resolved += '/';
    return 0;
}
