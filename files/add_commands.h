// The three ways files enter the list: Add File (one file picked in the open
// dialog), Add Folder (every file directly inside a picked folder) and a drop
// (its first item, as a file or a folder).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/list_ctrl.h"

class QWidget;

// What the add commands work on: the list, the refresh that follows a change
// to it, and the window that owns their dialogs.
struct FileCollection {
    CListCtrl& list;
    std::function<void()> refreshList;
    QWidget* parent = nullptr;
};

// Adds `path` when it names a regular file that is not listed yet, then
// refreshes; returns whether a row was added.
bool AddFile(FileCollection& files, const std::string& path);

// Adds every file directly inside the folder `path`, then refreshes; returns
// whether the folder held any file (even when all were listed already).
bool AddFolder(FileCollection& files, const std::string& path);

void OnAddFile(FileCollection& files);
void OnAddFolder(FileCollection& files);
void OnDropFiles(FileCollection& files, std::string_view droppedPath);
