#include "files/directory_walker.h"

#include <algorithm>
#include <stdexcept>

#include "engine/path_names.h"
#include "engine/text_utils.h"
#include "platform/folder_listing.h"

namespace {

bool HasInvalidNameChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsInvalidNameChar);
}

bool IsDotsOnly(std::string_view name) {
    return !name.empty() && name.find_first_not_of('.') == std::string_view::npos;
}

enum class NameList { Pattern, Query };

// Fills `list` from a comma-separated text: tokens trimmed and lower-cased,
// empty ones skipped, each kept once in order of first appearance.
void ParseNameList(std::string_view text, std::vector<std::string>& list, NameList kind) {
    std::string lowered = Lowercased(TrimmedView(text));
    if (lowered.empty()) return;
    if (lowered == "-all") {
        list.clear();
        return;
    }
    Tokens tokens;
    SplitTokens(lowered, ',', tokens);
    for (const std::string& token : tokens) {
        if (token.empty()) continue;
        const bool acceptedAsIs = kind == NameList::Pattern && token == "-?";
        if (!acceptedAsIs && HasInvalidNameChar(token)) {
            throw std::invalid_argument(kind == NameList::Pattern ? kInvalidPatternMessage
                                                                  : kInvalidQueryMessage);
        }
        if (std::find(list.begin(), list.end(), token) == list.end()) list.push_back(token);
    }
}

}  // namespace

CDirectoryWalker::CDirectoryWalker(Handler handler, std::string_view directory,
                                   std::string_view pattern, std::string_view query) {
    SetHandler(std::move(handler));
    SetDirectory(directory);
    SetPattern(pattern);
    SetQuery(query);
}

void CDirectoryWalker::SetHandler(Handler handler) {
    if (!handler) throw std::invalid_argument(kInvalidHandlerMessage);
    handler_ = std::move(handler);
}

void CDirectoryWalker::SetDirectory(std::string_view directory) {
    std::string text = Trimmed(directory);
    if (Lowercased(text) == "-win") text = WindowsDirectory() + kPathSeparator;
    if (Lowercased(text) == "-sys") text = SystemDirectory() + kPathSeparator;
    if (Lowercased(text) == "-root") text = std::string(1, kPathSeparator);
    // An empty text would otherwise name the root folder.
    if (text.empty() || !FolderExists(text)) throw std::invalid_argument(kInvalidDirectoryMessage);
    directory_ = std::move(text);
}

void CDirectoryWalker::SetPattern(std::string_view pattern) {
    pattern_.clear();
    ParseNameList(pattern, pattern_, NameList::Pattern);
}

void CDirectoryWalker::SetQuery(std::string_view query) {
    query_.clear();
    ParseNameList(query, query_, NameList::Query);
}

void CDirectoryWalker::Walk(WalkMode mode) {
    mode_ = mode;
    WalkFolder(directory_);
}

void CDirectoryWalker::WalkFolder(const std::string& folder) {
    const auto entries = ListFolder(folder);
    if (!entries) return;
    const bool files = mode_ == FilesHere || mode_ == FilesRecursive;
    const bool recursive = mode_ == FilesRecursive || mode_ == FoldersRecursive;
    for (const FolderEntry& entry : *entries) {
        if (!entry.isFolder) {
            if (files && MatchesPattern(entry.name) && MatchesQuery(entry.name))
                Report(folder + entry.name);
            continue;
        }
        if (IsDotsOnly(entry.name) || mode_ == FilesHere) continue;
        const std::string sub = folder + entry.name + kPathSeparator;
        if (!files && MatchesQuery(entry.name)) Report(sub);
        // A link to a folder is reported, never entered, so no walk can loop.
        if (recursive && !entry.isLink) WalkFolder(sub);
    }
}

void CDirectoryWalker::Report(const std::string& path) {
    // One failing report must not cut the rest of the walk short.
    try {
        handler_(path);
    } catch (const std::exception&) {
    }
}

bool CDirectoryWalker::MatchesPattern(std::string_view name) const {
    if (pattern_.empty()) return true;
    std::string extension = ExtensionOfFileName(name);
    extension = extension.empty() ? "-?" : Lowercased(extension);
    return std::find(pattern_.begin(), pattern_.end(), extension) != pattern_.end();
}

bool CDirectoryWalker::MatchesQuery(std::string_view name) const {
    if (query_.empty()) return true;
    std::string stem = Trimmed(name);
    if (stem.empty()) return false;
    if (mode_ == FilesHere || mode_ == FilesRecursive) {
        const std::size_t dot = stem.rfind('.');
        if (dot != std::string::npos && dot != 0) {
            stem.erase(dot);
            TrimRightInPlace(stem);
        }
    }
    if (stem.front() == '.') {
        stem.erase(0, 1);
        TrimLeftInPlace(stem);
        if (stem.empty()) return false;
    }
    LowercaseInPlace(stem);
    return std::any_of(query_.begin(), query_.end(), [&](const std::string& token) {
        return token.size() <= stem.size() ? stem.find(token) != std::string::npos
                                           : token.find(stem) != std::string::npos;
    });
}

bool FolderExists(std::string& path) {
    if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
    return PathExists(path);
}
