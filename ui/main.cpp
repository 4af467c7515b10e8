#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "engine/path_names.h"
#include "platform/heap.h"
#include "ui/renamer_app.h"

namespace {

constexpr const char* kUsage =
    "Usage: quorvel [FILE | FOLDER]...\n"
    "Opens the Quorvel window with the files (and the files of the folders) in its list.\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "  --manual-path  show where the user manual is found\n";

// A path as given, made absolute, so that its row names its folder.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

// Answers --help, --version and --manual-path without a display; -1 when
// the window is to open.
int AnswerOptions(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") break;
        if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::puts("quorvel " QUORVEL_VERSION);
            return 0;
        }
        if (argument == "--manual-path") {
            std::puts(ManualPath(ProgramFolder()).c_str());
            return 0;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = AnswerOptions(argc, argv); status >= 0) return status;
    UseHugePagesForHeap();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quorvel");
    QApplication::setApplicationVersion(QUORVEL_VERSION);
    QGuiApplication::setDesktopFileName("com.brindlecote.Quorvel");

    CRenamerApp renamer;
    // Qt has taken its own options out of argc and argv by now; the rest are
    // read as bytes, so that any file name arrives whole.
    bool afterOptions = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!afterOptions && argument == "--") {
            afterOptions = true;
            continue;
        }
        renamer.m_startPaths.push_back(Absolute(argument));
    }
    return renamer.Run();
}
