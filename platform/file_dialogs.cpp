#include "platform/file_dialogs.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileDialog>
#include <QStringList>
#include <QTimer>

#include "platform/qt_text.h"

namespace {

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

// "All Files (*.*)|*.*|" becomes the Qt filter "All Files (*)": on Linux a
// name needs no full stop to be a file.
QStringList QtFilters(const std::string& filter) {
    QStringList filters;
    const QStringList parts = ToQString(filter).split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i];
        caption.replace("*.*", "*");
        filters << caption;
    }
    return filters;
}

// The entry of `folder` that Qt shows as `shown`, when exactly one does.
std::optional<std::string> EntryShownAs(const std::string& folder, const QString& shown) {
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::optional<std::string> match;
    int matches = 0;
    while (const dirent* entry = readdir(dir)) {
        if (QFile::decodeName(entry->d_name) == shown) {
            match = entry->d_name;
            ++matches;
        }
    }
    closedir(dir);
    return matches == 1 ? match : std::nullopt;
}

}  // namespace

// Qt's file dialogs decode names lossily: a name that is not valid UTF-8
// comes back with replacement marks. Each such component is looked up again
// in its folder, byte for byte.
std::string PathFromDialog(const QString& path) {
    const std::string direct = FromQString(path);
    struct stat info {};
    if (!path.contains(QChar::ReplacementCharacter) || lstat(direct.c_str(), &info) == 0)
        return direct;
    std::string result;
    const QStringList components = path.split('/');
    for (qsizetype i = 0; i < components.size(); ++i) {
        if (i > 0) result += '/';
        const QString& component = components[i];
        std::optional<std::string> bytes;
        if (component.contains(QChar::ReplacementCharacter))
            bytes = EntryShownAs(result, component);
        result += bytes ? *bytes : FromQString(component);
    }
    return result;
}

void SetFileDialogHook(FileDialogHook hook) { Hook() = std::move(hook); }

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         const FolderChooserEvents& events) {
    if (Hook()) return Hook()(request);

    QFileDialog dialog(parent, ToQString(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.kind == FileDialogKind::OpenFile) {
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(QtFilters(request.filter));
    } else {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (!request.initialPath.empty()) dialog.setDirectory(ToQString(request.initialPath));
        if (events.selectionChanged) {
            QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog,
                             [&](const QString& path) {
                                 events.selectionChanged(&dialog, PathFromDialog(path));
                             });
        }
        if (events.initialized)
            QTimer::singleShot(0, &dialog, [&] { events.initialized(&dialog); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathFromDialog(dialog.selectedFiles().front());
}

void SetChooserAcceptText(QWidget* chooser, const std::string& text) {
    if (auto* dialog = qobject_cast<QFileDialog*>(chooser))
        dialog->setLabelText(QFileDialog::Accept, ToQString(text));
}

void SetChooserFolder(QWidget* chooser, const std::string& path) {
    if (auto* dialog = qobject_cast<QFileDialog*>(chooser)) dialog->setDirectory(ToQString(path));
}
