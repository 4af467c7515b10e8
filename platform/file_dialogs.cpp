#include "platform/file_dialogs.h"

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

}  // namespace

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
            QObject::connect(
                &dialog, &QFileDialog::directoryEntered, &dialog,
                [&](const QString& path) { events.selectionChanged(&dialog, FromQString(path)); });
        }
        if (events.initialized)
            QTimer::singleShot(0, &dialog, [&] { events.initialized(&dialog); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FromQString(dialog.selectedFiles().front());
}

void SetChooserAcceptText(QWidget* chooser, const std::string& text) {
    if (auto* dialog = qobject_cast<QFileDialog*>(chooser))
        dialog->setLabelText(QFileDialog::Accept, ToQString(text));
}

void SetChooserFolder(QWidget* chooser, const std::string& path) {
    if (auto* dialog = qobject_cast<QFileDialog*>(chooser)) dialog->setDirectory(ToQString(path));
}
