// The three ways files enter the list: Add File (one file picked in the open
// dialog), Add Folder (every file directly inside a picked folder) and a drop
// (its first item, as a file or a folder).
#pragma once

#include <string>
#include <string_view>

#include "files/file_list.h"

// Adds `path` when it names a regular file that is not listed yet, then
// refreshes; returns whether a row was added.
bool AddFile(ListHost& files, const std::string& path);

// Adds every file directly inside the folder `path`, then refreshes; returns
// whether the folder held any file (even when all were listed already).
bool AddFolder(ListHost& files, const std::string& path);

void OnAddFile(ListHost& files);
void OnAddFolder(ListHost& files);
void OnDropFiles(ListHost& files, std::string_view droppedPath);
