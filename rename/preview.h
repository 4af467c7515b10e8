// The name preview: every row's proposed new name, recomputed from the
// prototype after each change to the list, the prototype or the filter.
#pragma once

#include <string>
#include <string_view>

#include "files/extension_filter.h"
#include "platform/list_ctrl.h"
#include "platform/text_field.h"

// Writes ExpandPrototype of every row's Old cell into its New cell, top to
// bottom, with one counter context for the whole pass.
void PreviewNames(CListCtrl& list, std::string_view prototype);

// What a refresh works on.
struct RefreshTargets {
    CListCtrl& list;
    TextField& prototype;
    TextField& filter;
    FilterState& filterState;
};

// Under the wait cursor: cleans the prototype field, applies the filter,
// then previews the names.
void RefreshList(RefreshTargets targets);
