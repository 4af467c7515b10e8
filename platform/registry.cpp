#include "platform/registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/file_ops.h"

// A value file holds one header line, "QRV1 <type>", a line feed, then the
// value's bytes exactly as given, up to the end of the file.

namespace {

constexpr std::string_view kHeader = "QRV1 ";
// Far above any history; a larger file is not one of ours.
constexpr std::uint64_t kMaxValueFileBytes = 1 << 20;

std::string KeyFolder(HKEY hive, const std::string& keyPath) {
    std::string folder = HiveFolder(hive);
    std::string component;
    std::istringstream parts(keyPath);
    while (std::getline(parts, component, '\\')) {
        if (!component.empty() && component != "." && component != "..") folder += "/" + component;
    }
    return folder;
}

// Value names may hold any byte; file names hold them percent-encoded.
std::string ValueFile(HKEY hive, const std::string& keyPath, const std::string& name) {
    std::string file = KeyFolder(hive, keyPath) + "/";
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '_' || c == '-') {
            file += static_cast<char>(c);
        } else {
            static const char* hex = "0123456789ABCDEF";
            file += '%';
            file += hex[c >> 4];
            file += hex[c & 15];
        }
    }
    return file + ".value";
}

long ErrorOf(int error) {
    if (error == ENOENT || error == ENOTDIR) return ERROR_FILE_NOT_FOUND;
    if (error == EACCES || error == EPERM || error == EROFS) return ERROR_ACCESS_DENIED;
    return ERROR_WRITE_FAULT;
}

// Reads a value file whole: only a regular file, never waiting on a pipe or
// a device, and no larger than any value the program writes.
long ReadValueFile(const std::string& path, std::string& contents) {
    const int error = ReadWholeFile(path, kMaxValueFileBytes, contents);
    if (error == ENOENT || error == ENOTDIR) return ERROR_FILE_NOT_FOUND;
    return error == 0 ? ERROR_SUCCESS : ERROR_BADDB;
}

// The file a chain of symbolic links at `path` ends at (`path` itself when
// it is no link).
std::string LinkTarget(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0) break;
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : path.substr(0, path.rfind('/') + 1) + target;
    }
    return path;
}

}  // namespace

std::string HiveFolder(HKEY hive) {
    if (hive == HKEY_CURRENT_USER) {
        if (const char* config = std::getenv("XDG_CONFIG_HOME");
            config != nullptr && *config == '/')
            return config;
        const char* home = std::getenv("HOME");
        return std::string(home != nullptr ? home : "") + "/.config";
    }
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::string first =
        dirs != nullptr ? std::string(dirs).substr(0, std::string(dirs).find(':')) : "";
    return first.empty() || first.front() != '/' ? "/etc/xdg" : first;
}

long RegCreateKey(HKEY hive, const std::string& keyPath) {
    std::error_code error;
    std::filesystem::create_directories(KeyFolder(hive, keyPath), error);
    if (error) return ErrorOf(error.value());
    return RegOpenKey(hive, keyPath);
}

long RegOpenKey(HKEY hive, const std::string& keyPath) {
    std::error_code error;
    if (!std::filesystem::is_directory(KeyFolder(hive, keyPath), error))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_SUCCESS;
}

long RegQueryValue(HKEY hive, const std::string& keyPath, const std::string& name,
                   std::uint32_t& type, std::string& data) {
    std::string contents;
    if (const long error = ReadValueFile(ValueFile(hive, keyPath, name), contents)) return error;
    const std::size_t lineEnd = contents.find('\n');
    if (lineEnd == std::string::npos) return ERROR_BADDB;
    const std::string header = contents.substr(0, lineEnd);
    if (!header.starts_with(kHeader)) return ERROR_BADDB;
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(header.c_str() + kHeader.size(), &end, 10);
    if (end == header.c_str() + kHeader.size() || *end != '\0' || parsed > 0xFFFFFFFFul)
        return ERROR_BADDB;
    type = static_cast<std::uint32_t>(parsed);
    data = contents.substr(lineEnd + 1);
    return ERROR_SUCCESS;
}

long RegSetValue(HKEY hive, const std::string& keyPath, const std::string& name, std::uint32_t type,
                 const std::string& data) {
    // A value file that is a symbolic link (as dotfile managers make them)
    // is replaced where the link points, and the link stays.
    const std::string path = LinkTarget(ValueFile(hive, keyPath, name));
    std::string bytes = std::string(kHeader) + std::to_string(type) + "\n";
    bytes += data;
    if (const int error = ReplaceFile(path, bytes)) return ErrorOf(error);
    SyncFolder(path.substr(0, path.rfind('/') + 1));
    return ERROR_SUCCESS;
}
