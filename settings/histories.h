// The Prototype and Filter histories: the entries of the two combo boxes.
#pragma once

#include <string_view>

#include "platform/combo_box.h"

// Appends `text` unless an entry equal to it ignoring letter case exists.
void AppendHistoryEntry(CComboBox& combo, std::string_view text);

// Empties the Prototype combo, fills it with the default prototypes and
// selects the first, "${id}.${ext}".
void ResetPrototypes(CComboBox& prototypes);
