// A folder of files with distinct contents, listed in a file list, for the
// rename job's tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "files/file_list.h"
#include "support/temp_folder.h"

class RenameFixture {
public:
    // Creates the file (its content names it) and lists it.
    void List(const std::string& name);
    // Creates a file that is not listed.
    void Create(const std::string& name, const std::string& content) { folder.File(name, content); }
    // Lists files and gives each its new name: {old, new} pairs.
    void ListRenames(const std::vector<std::pair<std::string, std::string>>& renames);
    void SetNew(int row, const std::string& name) { list.SetItemText(row, kNewColumn, name); }

    // Every file of the folder by name, with its content ("<dir>" for folders).
    std::map<std::string, std::string> Files() const;
    std::string Content(const std::string& name) const { return ReadFile(folder.PathOf(name)); }
    static std::string ReadFile(const std::string& path);
    std::string Old(int row) const { return list.GetItemText(row, kOldColumn); }
    // The content a listed file was created with.
    static std::string ContentOf(const std::string& name) { return "content of " + name; }

    TempFolder folder;
    CListCtrl list;

    RenameFixture() { InsertFileListColumns(list); }
};
