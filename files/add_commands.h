// The three ways files enter the list: Add File (one file picked in the open
// dialog), Add Folder (every file directly inside a picked folder) and a drop
// (its first item, as a file or a folder).
#pragma once

#include <string>
#include <string_view>

#include "files/add_files.h"
#include "files/file_list.h"

void OnAddFile(ListHost& files);
void OnAddFolder(ListHost& files);
void OnDropFiles(ListHost& files, std::string_view droppedPath);
