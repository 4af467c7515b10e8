#include "platform/registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/file_ops.h"

// A value file holds one header line, "QRV1 <type>", a line feed, then the
// value's bytes exactly as given, up to the end of the file.

namespace {

constexpr std::string_view kHeader = "QRV1 ";

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

int WriteAll(int fd, const std::string& path, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (const int error = InjectedFault(FileOp::Write, path)) return error;
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) return errno;
        done += static_cast<std::size_t>(written);
    }
    return 0;
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
    std::ifstream file(ValueFile(hive, keyPath, name), std::ios::binary);
    if (!file) return ERROR_FILE_NOT_FOUND;
    std::string header;
    if (!std::getline(file, header) || !header.starts_with(kHeader)) return ERROR_BADDB;
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(header.c_str() + kHeader.size(), &end, 10);
    if (end == header.c_str() + kHeader.size() || *end != '\0' || parsed > 0xFFFFFFFFul)
        return ERROR_BADDB;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) return ERROR_BADDB;
    type = static_cast<std::uint32_t>(parsed);
    data = bytes.str();
    return ERROR_SUCCESS;
}

long RegSetValue(HKEY hive, const std::string& keyPath, const std::string& name, std::uint32_t type,
                 const std::string& data) {
    const std::string path = ValueFile(hive, keyPath, name);
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return ErrorOf(errno);
    std::string bytes = std::string(kHeader) + std::to_string(type) + "\n";
    bytes += data;
    int error = WriteAll(fd, temporary, bytes);
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    // Replacing the old value by rename makes the new one appear whole or not at all.
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return ErrorOf(error);
    }
    SyncFolder(KeyFolder(hive, keyPath));
    return ERROR_SUCCESS;
}
