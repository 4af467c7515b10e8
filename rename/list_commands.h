// The commands that edit the file list by hand: remove one row or all, move
// a row up or down (which renumbers it), refresh, and open a row's folder.
#pragma once

#include "files/file_list.h"

// Removes the selected row, if any, then refreshes (also for a double-click).
void OnRemoveItem(ListHost& commands);
// Asks "Remove all items?" and on Yes empties the list and refreshes.
void OnRemoveAll(ListHost& commands);
// Exchange the selected file with its neighbour; the selection follows it.
// Return whether a row moved.
bool OnMoveUp(ListHost& commands);
bool OnMoveDown(ListHost& commands);
// Opens the selected row's folder in the file manager when it exists.
void OnListRDblClk(ListHost& commands);
