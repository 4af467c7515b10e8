// Adding files to the list without a window: one file as Add File adds it,
// the files of a folder as Add Folder adds them, or of a whole tree.
#pragma once

#include <string>

#include "files/file_list.h"

// Adds `path` when it names a regular file that is not listed yet, then
// refreshes; returns whether a row was added.
bool AddFile(ListHost& files, const std::string& path);

// Adds every file directly inside the folder `path`, then refreshes; returns
// whether the folder held any file (even when all were listed already).
bool AddFolder(ListHost& files, const std::string& path);

// Adds the files of the folder `path` and of every folder below it, depth
// first, each folder's files in listing order, then refreshes; returns
// whether any file was found.
bool AddFolderTree(ListHost& files, const std::string& path);

// `path` with a "/" at its end.
std::string WithTrailingSeparator(std::string path);
