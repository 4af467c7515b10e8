// A temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending with "/".
    std::string Path() const { return path_.string() + "/"; }
    std::string PathOf(const std::string& relative) const { return Path() + relative; }

    // Creates a file (with its folders) holding `content`; returns its path.
    std::string File(const std::string& relative, const std::string& content = "x") const;
    // Creates a folder (with its parents); returns its path ending with "/".
    std::string Folder(const std::string& relative) const;
    // Creates a symbolic link at `relative` pointing to `target`.
    void Link(const std::string& target, const std::string& relative) const;

private:
    std::filesystem::path path_;
};
