#include "engine/path_names.h"

#include <filesystem>
#include <system_error>

#include "engine/text_utils.h"

namespace {

// The file name of a path as a view: after the last separator, trimmed.
std::string_view FileNameView(std::string_view path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator != std::string_view::npos) path.remove_prefix(separator + 1);
    return TrimmedView(path);
}

}  // namespace

std::string FileNameOfPath(std::string_view path) { return std::string(FileNameView(path)); }

std::string FolderOfPath(std::string_view path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator == std::string_view::npos) return {};
    return Trimmed(path.substr(0, separator + 1));
}

std::string ExtensionOfFileName(std::string_view path) {
    const std::string_view name = FileNameView(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    return Trimmed(name.substr(dot + 1));
}

std::string IdOfFileName(std::string_view path) {
    const std::string_view name = FileNameView(path);
    return std::string(name.substr(0, name.rfind('.')));
}

std::string ProgramFolderOfPath(std::string_view programPath) {
    const std::size_t separator = programPath.rfind(kPathSeparator);
    return std::string(programPath.substr(0, separator));
}

std::string ProgramFolder() {
    // A program started through PATH has a bare name as its first argument,
    // so the kernel's record of the executable is the reliable source.
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", error);
    if (error) return {};
    return ProgramFolderOfPath(exe.string());
}

std::string ManualPath(const std::string& programFolder) {
    const std::filesystem::path folder(programFolder);
    const std::string candidates[] = {
        (folder / "Manual.html").lexically_normal().string(),
        (folder / "../share/doc/quorvel/Manual.html").lexically_normal().string()};
    for (const std::string& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return candidates[0];
}
