#include "settings/histories.h"

#include "engine/default_prototypes.h"

void AppendHistoryEntry(CComboBox& combo, std::string_view text) {
    if (combo.FindStringExact(-1, text) == CComboBox::CB_ERR) combo.AddString(text);
}

void ResetPrototypes(CComboBox& prototypes) {
    prototypes.ResetContent();
    for (std::string_view prototype : kDefaultPrototypes) AppendHistoryEntry(prototypes, prototype);
    prototypes.SetCurSel(0);
}
