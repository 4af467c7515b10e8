#include "settings/histories.h"

#include "engine/default_prototypes.h"
#include "engine/text_utils.h"
#include "files/extension_filter.h"
#include "settings/registry_store.h"

namespace {

constexpr char kEntryEnd = '|';
const std::string kPrototypeValue = "cboPrototype";
const std::string kFilterValue = "cboFilter";

}  // namespace

void AppendHistoryEntry(CComboBox& combo, std::string_view text) {
    if (combo.FindStringExact(-1, text) == CComboBox::CB_ERR) combo.AddString(text);
}

void ResetPrototypes(CComboBox& prototypes) {
    prototypes.ResetContent();
    for (std::string_view prototype : kDefaultPrototypes) AppendHistoryEntry(prototypes, prototype);
    prototypes.SetCurSel(0);
}

std::string JoinEntries(const CComboBox& combo) {
    std::string stored;
    for (int i = 0; i < combo.GetCount(); ++i) stored += combo.GetLBText(i) + kEntryEnd;
    return stored;
}

void FillFromHistory(std::string_view stored, CComboBox& combo, HistoryKind kind) {
    // Pieces as a line reader with "|" as its delimiter reads them; unlike
    // SplitTokens, pieces keep their blanks.
    std::size_t begin = 0;
    while (begin < stored.size()) {
        std::size_t end = stored.find(kEntryEnd, begin);
        if (end == std::string_view::npos) end = stored.size();
        const std::string_view piece = stored.substr(begin, end - begin);
        AppendHistoryEntry(combo, kind == HistoryKind::Prototype ? CleanedName(piece)
                                                                 : CanonicalFilterText(piece));
        begin = end + 1;
    }
    if (combo.GetCount() > 0) combo.SetCurSel(0);
}

void LoadHistories(CComboBox& prototypes, CComboBox& filters) {
    CreateSettingsKeys();
    std::string stored;
    if (ReadStringValue(HKEY_CURRENT_USER, SettingsKeyPath, kPrototypeValue, stored) !=
        ERROR_SUCCESS) {
        ResetPrototypes(prototypes);
    } else {
        FillFromHistory(stored, prototypes, HistoryKind::Prototype);
    }
    std::string storedFilters;
    if (ReadStringValue(HKEY_CURRENT_USER, SettingsKeyPath, kFilterValue, storedFilters) ==
        ERROR_SUCCESS)
        FillFromHistory(storedFilters, filters, HistoryKind::Filter);
}

void SaveHistories(const CComboBox& prototypes, const CComboBox& filters) {
    CreateSettingsKeys();
    WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, kPrototypeValue, JoinEntries(prototypes));
    WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, kFilterValue, JoinEntries(filters));
}
