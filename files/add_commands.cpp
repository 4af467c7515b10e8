#include "files/add_commands.h"

#include "engine/text_utils.h"
#include "files/add_files.h"
#include "files/file_list.h"
#include "files/folder_dialog.h"
#include "platform/file_dialogs.h"
#include "platform/folder_listing.h"
#include "platform/message_box.h"

void OnAddFile(ListHost& files) {
    FileDialogRequest request;
    request.kind = FileDialogKind::OpenFile;
    request.initialPath = "*.*";
    request.filter = "All Files (*.*)|*.*|";
    const auto chosen = RunFileDialog(nullptr, request);
    if (chosen) AddFile(files, *chosen);
}

void OnAddFolder(ListHost& files) {
    CFolderDialog dialog(nullptr, nullptr, files.parent, BIF_RETURNONLYFSDIRS);
    if (dialog.DoModal() != IDOK) return;
    AddFolder(files, WithTrailingSeparator(dialog.GetPathName()));
}

void OnDropFiles(ListHost& files, std::string_view droppedPath) {
    const std::string path(CutBetweenCharacters(droppedPath, kCellLimit));
    if (IsRegularFile(path)) {
        AddFile(files, path);
    } else {
        AddFolder(files, WithTrailingSeparator(path));
    }
}
