// The file list: the rows of the main window's list, one listed file each.
// A row's full path is its Folder cell followed directly by its Old cell.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/list_ctrl.h"

class QWidget;

inline constexpr int kNewColumn = 0;
inline constexpr int kOldColumn = 1;
inline constexpr int kFolderColumn = 2;

// The three columns of the file list, with their titles and widths.
void InsertFileListColumns(CListCtrl& list);

// Appends a row for `path` (empty New cell, Old = its file name, Folder = its
// folder up to and including the last "/") unless a row already has exactly
// this path; returns whether a row was added. Paths are compared byte for
// byte, as Linux file systems do.
bool InsertFile(CListCtrl& list, std::string_view path);

std::string FullPathOfRow(const CListCtrl& list, int row);

// What the commands that change the list work on: the list, the refresh that
// follows every change to it, and the window that owns their dialogs.
struct ListHost {
    CListCtrl& list;
    std::function<void()> refreshList;
    QWidget* parent = nullptr;
};
