// Reads one column of every row, for comparing a list with what a test expects.
#pragma once

#include <string>
#include <vector>

#include "platform/list_ctrl.h"

inline std::vector<std::string> ColumnTexts(const CListCtrl& list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(list.GetItemText(row, column));
    return texts;
}
