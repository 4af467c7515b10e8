// The Prototype and Filter histories: the entries of the two combo boxes,
// loaded once when the main window starts and saved once when it closes.
// Stored form: every entry followed by "|".
#pragma once

#include <string>
#include <string_view>

#include "platform/combo_box.h"

enum class HistoryKind { Prototype, Filter };

// Appends `text` unless an entry equal to it ignoring letter case exists.
void AppendHistoryEntry(CComboBox& combo, std::string_view text);

// Empties the Prototype combo, fills it with the default prototypes and
// selects the first, "${id}.${ext}".
void ResetPrototypes(CComboBox& prototypes);

// The stored form of a combo's entries.
std::string JoinEntries(const CComboBox& combo);

// Appends the entries of a stored text (prototypes cleaned, filters made
// canonical) and selects the first entry.
void FillFromHistory(std::string_view stored, CComboBox& combo, HistoryKind kind);

// The defaults stand in for a prototype history that could not be read; an
// unreadable filter history leaves the Filter combo empty.
void LoadHistories(CComboBox& prototypes, CComboBox& filters);
void SaveHistories(const CComboBox& prototypes, const CComboBox& filters);
