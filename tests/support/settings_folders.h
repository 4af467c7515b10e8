// Points the settings store at fresh temporary folders for one test.
#pragma once

#include <cstdlib>
#include <string>

#include "support/temp_folder.h"

class SettingsFolders {
public:
    SettingsFolders() {
        Save("XDG_CONFIG_HOME", savedHome_);
        Save("XDG_CONFIG_DIRS", savedDirs_);
        setenv("XDG_CONFIG_HOME", folder_.Folder("home").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (folder_.Folder("machine") + ":/nowhere").c_str(), 1);
    }
    ~SettingsFolders() {
        Restore("XDG_CONFIG_HOME", savedHome_);
        Restore("XDG_CONFIG_DIRS", savedDirs_);
    }
    // The folder of the product key under the current user's hive.
    std::string UserKey() const { return folder_.PathOf("home/Software/Brindlecote/Quorvel/"); }
    std::string MachineKey() const {
        return folder_.PathOf("machine/Software/Brindlecote/Quorvel/");
    }

private:
    static void Save(const char* name, std::string& saved) {
        const char* value = std::getenv(name);
        saved = value != nullptr ? value : "";
    }
    static void Restore(const char* name, const std::string& saved) {
        setenv(name, saved.c_str(), 1);
    }

    TempFolder folder_;
    std::string savedHome_, savedDirs_;
};
