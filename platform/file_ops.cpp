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

#include "platform/ascii.h"

namespace {

FileOpHook& Hook() {
    static FileOpHook hook;
    return hook;
}

CaseFoldingFake& Fake() {
    static CaseFoldingFake fake;
    return fake;
}

int Injected(FileOp op, const std::string& path) { return Hook() ? Hook()(op, path) : 0; }
int Injected(FileOp op, const char* name) { return Hook() ? Hook()(op, std::string(name)) : 0; }

int ErrnoOf(int result) { return result == 0 ? 0 : errno; }

// The name the file system finds for `name`: the name itself (not copied),
// or under the case-folding fake, the stored name it answers to.
class FoundName {
public:
    FoundName(int folder, const char* name) : name_(name) {
        if (!Fake().storedName) return;
        stored_ = Fake().storedName(folder, name);
        name_ = stored_.c_str();
        other_ = stored_ != name;
    }
    FoundName(const FoundName&) = delete;
    FoundName& operator=(const FoundName&) = delete;
    const char* c_str() const { return name_; }
    // Whether the fake answers for another stored name.
    bool other() const { return other_; }

private:
    const char* name_;
    std::string stored_;
    bool other_ = false;
};

FoundName Found(int folder, const char* name) { return FoundName(folder, name); }
FoundName Found(int folder, const std::string& name) { return FoundName(folder, name.c_str()); }

// The file systems that refuse RENAME_NOREPLACE answer EINVAL; those without
// hard links answer one of these to link().
bool LinksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

int MoveByLink(int folder, const char* from, const char* to) {
    int linkError = Injected(FileOp::Link, to);
    if (linkError == 0) {
        linkError = ErrnoOf(
            linkat(folder, Found(folder, from).c_str(), folder, Found(folder, to).c_str(), 0));
    }
    if (linkError == 0) {
        // Both names hold the file now; dropping the old one completes the
        // move, and where that fails the new name goes again.
        int error = Injected(FileOp::Unlink, from);
        if (error == 0) error = ErrnoOf(unlinkat(folder, Found(folder, from).c_str(), 0));
        if (error != 0 && Injected(FileOp::Unlink, to) == 0)
            unlinkat(folder, Found(folder, to).c_str(), 0);
        return error;
    }
    if (!LinksUnsupported(linkError)) return linkError;
    // The narrowest window such a file system allows.
    FileStatus target;
    if (const int error = QueryStatusAt(folder, to, target)) return error;
    if (target.exists) return EEXIST;
    if (const int error = Injected(FileOp::Move, to)) return error;
    return ErrnoOf(
        renameat(folder, Found(folder, from).c_str(), folder, Found(folder, to).c_str()));
}

FileStatus StatusOf(const struct stat& info) {
    FileStatus status;
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
    return status;
}

// Writes zeros over [offset, end) of an open file.
int WriteZeros(int fd, const std::string& name, off_t offset, off_t end) {
    static const std::vector<char> zeros(64 * 1024, 0);
    while (offset < end) {
        if (const int error = Injected(FileOp::Write, name)) return error;
        const off_t left = end - offset;
        const std::size_t chunk =
            left < static_cast<off_t>(zeros.size()) ? static_cast<std::size_t>(left) : zeros.size();
        const ssize_t written = pwrite(fd, zeros.data(), chunk, offset);
        if (written <= 0) return written < 0 ? errno : EIO;
        offset += written;
    }
    return 0;
}

// One pass over the data a file holds; holes stay holes.
int ZeroData(int fd, const std::string& name, off_t size) {
    for (off_t offset = 0; offset < size;) {
        off_t data = lseek(fd, offset, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) return 0;  // nothing but a hole from here on
            if (errno != EINVAL) return errno;
            data = offset;  // no hole support: all of it is data
        }
        off_t hole = lseek(fd, data, SEEK_HOLE);
        if (hole < 0) hole = size;
        if (hole > size) hole = size;
        if (const int error = WriteZeros(fd, name, data, hole)) return error;
        offset = hole;
    }
    return 0;
}

char OtherCase(char c) { return c >= 'a' && c <= 'z' ? AsciiUpper(c) : AsciiLower(c); }

}  // namespace

void SetFileOpHook(FileOpHook hook) { Hook() = std::move(hook); }

int InjectedFault(FileOp op, const std::string& path) { return Injected(op, path); }

void SetCaseFoldingFake(CaseFoldingFake fake) { Fake() = std::move(fake); }

FolderHandle::~FolderHandle() {
    if (fd_ >= 0) close(fd_);
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

int OpenFolder(const std::string& path, FolderHandle& folder) {
    folder = FolderHandle();
    if (const int error = Injected(FileOp::Resolve, path)) return error;
    const int fd = open(Found(AT_FDCWD, path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    folder = FolderHandle(fd);
    return 0;
}

int QueryStatusAt(int folder, const char* name, FileStatus& status, bool followLinks) {
    status = {};
    if (const int error = Injected(FileOp::Status, name)) return error;
    struct stat info {};
    const FoundName found = Found(folder, name);
    if (fstatat(folder, found.c_str(), &info, followLinks ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : errno;
    status = StatusOf(info);
    // A file system reached through FUSE may give each spelling of one file
    // an inode number of its own; the fake does the same.
    if (found.other()) status.identity.inode ^= std::hash<std::string_view>{}(name) | 1;
    return 0;
}

int MoveNoReplaceAt(int folder, const char* from, const char* to) {
    int error = Injected(FileOp::MoveNoReplace, to);
    if (error == 0) {
        error = ErrnoOf(renameat2(folder, Found(folder, from).c_str(), folder,
                                  Found(folder, to).c_str(), RENAME_NOREPLACE));
    }
    if (error == EINVAL || error == ENOSYS) return MoveByLink(folder, from, to);
    return error;
}

int MakeOwnerWritableAt(int folder, const char* name) {
    if (const int error = Injected(FileOp::Chmod, name)) return error;
    const FoundName found = Found(folder, name);
    struct stat info {};
    if (fstatat(folder, found.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) != 0) return 0;
    return ErrnoOf(fchmodat(folder, found.c_str(), (info.st_mode & 07777) | S_IWUSR, 0));
}

int RemoveFileAt(int folder, const char* name) {
    if (const int error = Injected(FileOp::Unlink, name)) return error;
    return ErrnoOf(unlinkat(folder, Found(folder, name).c_str(), 0));
}

int ZeroFileAt(int folder, const char* name, const FileIdentity& expected, unsigned passes) {
    if (passes == 0) return 0;
    if (const int error = Injected(FileOp::Open, name)) return error;
    const int fd =
        openat(folder, Found(folder, name).c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ELOOP ? ESTALE : errno;
    struct stat info {};
    int error = fstat(fd, &info) != 0 ? errno : 0;
    // Checked on the open file itself: whatever happens to names from here
    // on, only this file is written, and only while no other name shares it.
    if (error == 0 && (!S_ISREG(info.st_mode) || info.st_nlink != 1 ||
                       FileIdentity{info.st_dev, info.st_ino} != expected))
        error = ESTALE;
    for (unsigned pass = 0; error == 0 && pass < passes; ++pass)
        error = ZeroData(fd, name, info.st_size);
    if (error == 0 && (error = Injected(FileOp::Sync, name)) == 0) error = ErrnoOf(fdatasync(fd));
    close(fd);
    return error;
}

int SyncFolderAt(int folder) {
    if (const int error = Injected(FileOp::Sync, "")) return error;
    return ErrnoOf(fsync(folder));
}

int SyncFolder(const std::string& folder) {
    if (const int error = Injected(FileOp::Sync, folder)) return error;
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ErrnoOf(fsync(fd));
    close(fd);
    return error;
}

int ListNamesAt(int folder, const std::function<void(std::string_view)>& each) {
    if (const int error = Injected(FileOp::List, "")) return error;
    // The listing reads through a descriptor of its own, so that the
    // folder's stays where it is.
    const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        const int error = errno;
        close(fd);
        return error;
    }
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name != "." && name != "..") each(name);
    }
    const int error = errno;
    closedir(dir);
    return error;
}

int ListNamesAt(int folder, std::vector<std::string>& names) {
    names.clear();
    return ListNamesAt(folder, [&](std::string_view name) { names.emplace_back(name); });
}

std::string OtherCaseName(const std::string& name) {
    std::string other = name;
    for (char& c : other) c = OtherCase(c);
    return other;
}

bool FoldsCaseAt(int folder, const std::string& name) {
    if (Fake().foldsCase) return Fake().foldsCase(folder);
    const std::string other = OtherCaseName(name);
    if (other == name) return false;
    struct stat info {};
    return fstatat(folder, other.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

namespace {

// `component` as the folder `parent` stores it: another spelling only where
// the parent ignores letter case.
std::string StoredComponent(const std::string& parent, const std::string& component) {
    FolderHandle folder;
    if (OpenFolder(parent, folder) != 0 || !FoldsCaseAt(folder.fd(), component)) return component;
    std::vector<std::string> names;
    if (ListNamesAt(folder.fd(), names) != 0) return component;
    const std::string folded = AsciiLowercased(component);
    for (const std::string& name : names) {
        if (name == component) return component;
    }
    for (const std::string& name : names) {
        if (AsciiLowercased(name) == folded) return name;
    }
    return component;
}

}  // namespace

int ResolveFolder(const std::string& folder, std::string& resolved) {
    if (const int error = Injected(FileOp::Resolve, folder)) return error;
    char buffer[PATH_MAX];
    if (realpath(Found(AT_FDCWD, folder).c_str(), buffer) == nullptr) return errno;
    // realpath keeps each component as it was typed; a folder that ignores
    // letter case answers to every spelling, so each is put as stored.
    const std::string typed = buffer;
    std::string stored(1, '/');
    for (std::size_t start = 1; start < typed.size();) {
        std::size_t end = typed.find('/', start);
        if (end == std::string::npos) end = typed.size();
        stored += StoredComponent(stored, typed.substr(start, end - start)) + '/';
        start = end + 1;
    }
    resolved = std::move(stored);
    return 0;
}

int WriteAll(int fd, const std::string& name, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        if (const int error = Injected(FileOp::Write, name)) return error;
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

int SyncFile(int fd, const std::string& name) {
    if (const int error = Injected(FileOp::Sync, name)) return error;
    return ErrnoOf(fsync(fd));
}

int ReplaceFile(const std::string& path, std::string_view bytes) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return errno;
    int error = WriteAll(fd, temporary, bytes);
    if (error == 0) error = SyncFile(fd, temporary);
    if (close(fd) != 0 && error == 0) error = errno;
    // The rename makes the new content appear whole or not at all.
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) unlink(temporary.c_str());
    return error;
}

int ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& contents) {
    contents.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno;
    struct stat info {};
    int error = fstat(fd, &info) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(info.st_mode)) error = EINVAL;
    if (error == 0 && static_cast<std::uint64_t>(info.st_size) > limit) error = EFBIG;
    char buffer[64 * 1024];
    while (error == 0) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = errno;
        } else if (got == 0) {
            break;
        } else if (contents.size() + static_cast<std::size_t>(got) > limit) {
            error = EFBIG;  // it grew while it was read
        } else {
            contents.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    return error;
}
