// The commands that edit the file list by hand: remove one row or all, move
// a row up or down (which renumbers it), refresh, and open a row's folder.
#pragma once

#include <functional>

#include "platform/list_ctrl.h"

class QWidget;

// What the list commands work on: the list, the refresh that ends every
// change, and the window that owns their message boxes.
struct ListCommands {
    CListCtrl& list;
    std::function<void()> refreshList;
    QWidget* parent = nullptr;
};

// Removes the selected row, if any, then refreshes (also for a double-click).
void OnRemoveItem(ListCommands& commands);
// Asks "Remove all items?" and on Yes empties the list and refreshes.
void OnRemoveAll(ListCommands& commands);
// Exchange the selected file with its neighbour; the selection follows it.
// Return whether a row moved.
bool OnMoveUp(ListCommands& commands);
bool OnMoveDown(ListCommands& commands);
// Opens the selected row's folder in the file manager when it exists.
void OnListRDblClk(ListCommands& commands);
