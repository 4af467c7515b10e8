// The open dialog (one existing file) and the folder chooser (one existing
// folder), each with a hook through which tests answer it.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

enum class FileDialogKind { OpenFile, ChooseFolder };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::OpenFile;
    std::string title;
    std::string initialPath;  // a file name or pattern for OpenFile, a folder for ChooseFolder
    std::string filter;       // OpenFile: entries "Caption|pattern|", as the caller gives them
};

// Returns the chosen path, or nullopt for a cancel, instead of showing a dialog.
using FileDialogHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void SetFileDialogHook(FileDialogHook hook);

// Called while the real folder chooser is open: once when it is shown, and
// with the path of every folder the user moves to.
struct FolderChooserEvents {
    std::function<void(QWidget* chooser)> initialized;
    std::function<void(QWidget* chooser, const std::string& path)> selectionChanged;
};

// Runs the dialog modally; the chosen path, or nullopt when cancelled.
std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         const FolderChooserEvents& events = {});

// A path as a Qt file dialog gives it, with the bytes of every name that Qt
// could only show with replacement marks found again in its folder.
std::string PathFromDialog(const QString& path);

// Sets the text of the chooser's accept button, or expands it to `path`.
void SetChooserAcceptText(QWidget* chooser, const std::string& text);
void SetChooserFolder(QWidget* chooser, const std::string& path);
