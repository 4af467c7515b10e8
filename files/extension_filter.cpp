#include "files/extension_filter.h"

#include <algorithm>
#include <vector>

#include "engine/path_names.h"
#include "engine/text_utils.h"
#include "files/file_list.h"

namespace {

std::string CanonicalText(const ExtensionSet& set) {
    std::string text;
    for (const std::string& member : set) {
        if (!text.empty()) text += ", ";
        text += member;
    }
    return text;
}

// The extension as the filter names it: lower case, "-?" for none.
std::string FilterKeyOf(std::string_view fileName) {
    const std::string extension = ExtensionOfFileName(fileName);
    return extension.empty() ? "-?" : Lowercased(extension);
}

}  // namespace

std::string NormaliseFilter(std::string_view text, std::string& cache, ExtensionSet& set) {
    if (text == cache) return cache;
    set.clear();
    Tokens tokens;
    SplitTokens(text, ',', tokens);
    for (const std::string& token : tokens) {
        if (token.empty()) continue;
        const bool valid =
            token == "-?" || std::none_of(token.begin(), token.end(), IsInvalidNameChar);
        if (valid) set.insert(Lowercased(token));
    }
    cache = CanonicalText(set);
    return cache;
}

std::string CanonicalFilterText(std::string_view text) {
    std::string cache;
    ExtensionSet set;
    return NormaliseFilter(text, cache, set);
}

void ApplyFilter(CListCtrl& list, TextField& filterField, FilterState& state) {
    const std::string text = filterField.GetWindowText();
    if (text != state.cache)
        filterField.SetWindowText(NormaliseFilter(text, state.cache, state.set));
    if (state.set.empty()) return;

    std::vector<int> doomed;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (state.set.count(FilterKeyOf(list.GetItemText(row, kOldColumn))) != 0)
            doomed.push_back(row);
    }
    list.DeleteItems(doomed);
}
