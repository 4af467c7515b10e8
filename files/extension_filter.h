// The extension filter: a comma-separated list of extensions (without the
// dot; "-?" for files without one) whose files leave the list.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/list_ctrl.h"
#include "platform/text_field.h"

// Sorted by unsigned byte value, each member once.
using ExtensionSet = std::set<std::string>;

// The filter in force for a whole run of the program.
struct FilterState {
    ExtensionSet set;
    std::string cache;  // canonical text of `set` as last built
};

// Rebuilds `set` and `cache` from `text` unless `text` equals `cache`;
// returns `cache`: the members in order, joined by ", ".
std::string NormaliseFilter(std::string_view text, std::string& cache, ExtensionSet& set);

// The canonical form of any filter text.
std::string CanonicalFilterText(std::string_view text);

// Brings `state` up to date with the field's text (writing the canonical
// text back when it parsed anew) and deletes every row whose file has an
// extension of the set.
void ApplyFilter(CListCtrl& list, TextField& filterField, FilterState& state);
