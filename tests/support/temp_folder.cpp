#include "support/temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& relative, const std::string& content) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
}

std::string TempFolder::Folder(const std::string& relative) const {
    std::filesystem::create_directories(path_ / relative);
    return (path_ / relative).string() + "/";
}

void TempFolder::Link(const std::string& target, const std::string& relative) const {
    std::filesystem::create_symlink(target, path_ / relative);
}
