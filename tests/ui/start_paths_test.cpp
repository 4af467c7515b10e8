// The window opened with files and folders, as "Open With" starts it.
#include <gtest/gtest.h>

#include "files/file_list.h"
#include "support/list_cells.h"
#include "support/settings_folders.h"
#include "support/temp_folder.h"
#include "ui/main_dlg.h"

namespace {

TEST(StartPaths, FilesAndFoldersGivenAreListedInOrder) {
    SettingsFolders settings;
    TempFolder folder;
    const std::string single = folder.File("single.txt");
    folder.File("album/b.jpg");
    folder.File("album/a.jpg");
    folder.File("album/deeper/not-added.jpg");
    CMainDlg dialog;
    // A folder given without its trailing "/", and a path that names nothing.
    dialog.SetStartPaths({single, folder.PathOf("album"), folder.PathOf("missing"), single});
    dialog.OnInitDialog();
    EXPECT_EQ(ColumnTexts(dialog.List(), kOldColumn),
              (std::vector<std::string>{"single.txt", "a.jpg", "b.jpg"}));
    EXPECT_EQ(dialog.List().GetItemText(1, kFolderColumn), folder.PathOf("album/"));
    // The preview is there when the window first shows its list.
    EXPECT_EQ(dialog.List().GetItemText(0, kNewColumn), "single.txt");
}

}  // namespace
