#include "rename/rename_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

void RenameFixture::List(const std::string& name) {
    folder.File(name, ContentOf(name));
    InsertFile(list, folder.PathOf(name));
}

void RenameFixture::ListRenames(const std::vector<std::pair<std::string, std::string>>& renames) {
    for (const auto& [oldName, newName] : renames) {
        List(oldName);
        SetNew(list.GetItemCount() - 1, newName);
    }
}

std::map<std::string, std::string> RenameFixture::Files() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        const std::string name = entry.path().filename().string();
        files[name] = entry.is_directory() && !entry.is_symlink() ? "<dir>" : Content(name);
    }
    return files;
}

std::string RenameFixture::ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "<missing>";
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}
