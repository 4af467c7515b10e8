// Folder listings and file status queries on POSIX.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct FolderEntry {
    std::string name;
    bool isFolder = false;  // a folder, or a symbolic link to one
    bool isLink = false;    // a symbolic link (never descended into)
};

// The entries of `folder` (which ends with "/"), without "." and "..", sorted
// by name with ASCII letters upper-cased, then byte for byte, so that a
// folder's files always come in the same visible order. The listing is read
// whole and closed before it is returned; nullopt when it cannot be opened.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// Whether `path` names a regular file (following symbolic links).
bool IsRegularFile(const std::string& path);

// Whether anything exists at `path` (access with F_OK).
bool PathExists(const std::string& path);

// Where the folder keywords of a walk lead: the system's program folders.
inline std::string WindowsDirectory() { return "/usr"; }
inline std::string SystemDirectory() { return "/usr/lib"; }
