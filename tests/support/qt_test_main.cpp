// Runs GoogleTest inside a QApplication on the offscreen platform, with the
// settings and state folders pointed away from the real ones.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "support/temp_folder.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const TempFolder settings;
    setenv("XDG_CONFIG_HOME", settings.PathOf("config-home").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", settings.PathOf("config-dirs").c_str(), 1);
    // Job records go there too, never to the real state folder.
    setenv("XDG_STATE_HOME", settings.PathOf("state").c_str(), 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
