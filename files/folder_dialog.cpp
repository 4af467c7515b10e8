#include "files/folder_dialog.h"

#include <QApplication>

#include "platform/file_dialogs.h"
#include "platform/folder_listing.h"
#include "platform/message_box.h"

CFolderDialog::CFolderDialog(const char* title, const char* initialFolder, QWidget* parent,
                             unsigned flags)
    : CDialog(parent),
      title_(title != nullptr ? title : ""),
      initialFolder_(initialFolder != nullptr ? initialFolder : ""),
      flags_(flags) {}

int CFolderDialog::DoModal() {
    FileDialogRequest request;
    request.kind = FileDialogKind::ChooseFolder;
    request.title = title_;
    request.initialPath = initialFolder_.empty() ? rootFolder_ : initialFolder_;

    FolderChooserEvents events;
    events.initialized = [this](QWidget* chooser) {
        chooser_ = chooser;
        OnInitialized();
        chooser_ = nullptr;
    };
    events.selectionChanged = [this](QWidget* chooser, const std::string& path) {
        chooser_ = chooser;
        OnSelChanged(path);
        chooser_ = nullptr;
    };
    const auto chosen = RunFileDialog(parentWidget(), request, events);
    if (!chosen) return -1;
    if (chosen->empty() || chosen->front() != '/') return IDCANCEL;
    selectedPath_ = *chosen;
    while (selectedPath_.size() > 1 && selectedPath_.back() == '/') selectedPath_.pop_back();
    return IDOK;
}

void CFolderDialog::OnInitialized() {
    if (!initialFolder_.empty()) SetExpanded(initialFolder_);
}

void CFolderDialog::OnSelChanged(const std::string&) {
    // The chooser has no status line; BIF_STATUSTEXT has nothing to show in.
}

int CFolderDialog::OnValidateFailed(const std::string&) {
    QApplication::beep();
    return 1;
}

void CFolderDialog::OnIUnknown(void*) {}

void CFolderDialog::SetOKText(const std::string& text) {
    if (chooser_ != nullptr) SetChooserAcceptText(chooser_, text);
}

void CFolderDialog::SetExpanded(const std::string& path) {
    if (chooser_ != nullptr) SetChooserFolder(chooser_, path);
}

bool CFolderDialog::SetRootFolder(const char* path) {
    if (path == nullptr) {
        rootFolder_.clear();
        return true;
    }
    std::string folder = path;
    if (folder.empty() || folder.back() != '/') folder += '/';
    if (!PathExists(folder)) return false;
    rootFolder_ = path;
    return true;
}

bool CFolderDialog::GetRootFolder(std::string& path) const {
    if (rootFolder_.empty()) return false;
    path = rootFolder_;
    return true;
}
