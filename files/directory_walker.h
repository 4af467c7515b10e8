// Lists the entries below a start folder and hands each one that passes the
// pattern (extensions) and the query (name fragments) to a handler.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum WalkMode : std::int32_t {
    FilesHere = 0,         // files of the start folder
    FilesRecursive = 1,    // files of the start folder and of every folder below it
    FoldersHere = 2,       // subfolders of the start folder
    FoldersRecursive = 3,  // every folder below the start folder
};

// Bad arguments raise std::invalid_argument with one of these texts.
inline constexpr const char* kInvalidHandlerMessage = "Invalid function pointer(handler).";
inline constexpr const char* kInvalidDirectoryMessage = "Invalid directory.";
inline constexpr const char* kInvalidPatternMessage =
    "The szPattern parameter contains invalid characters.";
inline constexpr const char* kInvalidQueryMessage =
    "The szQuery parameter contains invalid characters.";

class CDirectoryWalker {
public:
    // Receives a file's full path, or a folder's path ending with "/".
    using Handler = std::function<void(const std::string& path)>;

    // The directory may be a folder or one of the keywords "-win", "-sys" and
    // "-root"; pattern and query are comma-separated lists, "-all" for none.
    CDirectoryWalker(Handler handler, std::string_view directory, std::string_view pattern,
                     std::string_view query);
    virtual ~CDirectoryWalker() = default;

    void SetHandler(Handler handler);
    void SetDirectory(std::string_view directory);
    void SetPattern(std::string_view pattern);
    void SetQuery(std::string_view query);

    // Reports afresh on every call, depth first, a folder before its subtree.
    void Walk(WalkMode mode);

    const std::string& Directory() const { return directory_; }
    const std::vector<std::string>& Pattern() const { return pattern_; }
    const std::vector<std::string>& Query() const { return query_; }

private:
    void WalkFolder(const std::string& folder);
    void Report(const std::string& path);
    bool MatchesPattern(std::string_view name) const;
    bool MatchesQuery(std::string_view name) const;

    std::vector<std::string> pattern_;
    std::vector<std::string> query_;
    std::string directory_;
    WalkMode mode_ = FilesHere;
    Handler handler_;
};

// Adds a trailing "/" to `path` when it has none, then tells whether
// something exists there (with the "/", only a folder does).
bool FolderExists(std::string& path);
