// Undo Last Rename through the real window, after the window that renamed
// was closed; and the box that reports a recovery at start.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QMenuBar>
#include <filesystem>

#include "files/file_list.h"
#include "platform/file_ops.h"
#include "rename/job_recovery.h"
#include "rename/rename_command.h"
#include "rename/rename_job.h"
#include "support/dialog_answers.h"
#include "support/list_cells.h"
#include "support/open_main_window.h"
#include "support/settings_folders.h"
#include "support/temp_folder.h"

namespace {

using Names = std::vector<std::string>;

QAction* MenuAction(CMainDlg& dialog, const QString& text) {
    for (QAction* menu : dialog.MenuBar()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            if (action->text().startsWith(text)) return action;
        }
    }
    return nullptr;
}

Names FolderNames(const TempFolder& folder) {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(UndoWindow, UndoesTheLastRenameAfterARestart) {
    SettingsFolders settings;
    TempFolder folder;
    TempFolder state;
    setenv("XDG_STATE_HOME", state.Path().c_str(), 1);
    for (const char* name : {"a.txt", "b.txt"}) folder.File(name);
    DialogAnswers answers;
    {
        CRenamerApp app;
        CMainDlg dialog;
        ASSERT_TRUE(OpenMainWindow(app, dialog));
        dialog.AddFolder(folder.Path());
        dialog.Prototype().SetWindowText("${i}-${id}");
        dialog.RefreshList();
        answers.AnswerBox(IDYES);
        answers.AnswerBox(IDOK);
        QTest::keyClick(&dialog, Qt::Key_F8);
        dialog.OnCancel();
    }
    EXPECT_EQ(FolderNames(folder), (Names{"0-a", "1-b"}));

    CRenamerApp app;
    CMainDlg dialog;
    ASSERT_TRUE(OpenMainWindow(app, dialog));
    dialog.AddFolder(folder.Path());
    QAction* undo = MenuAction(dialog, "&Undo Last Rename");
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->text(), "&Undo Last Rename\tF7");
    answers.AnswerBox(IDYES);
    answers.AnswerBox(IDOK);
    undo->trigger();
    ASSERT_EQ(answers.Boxes().size(), 4u);
    EXPECT_EQ(answers.Boxes()[2].caption, "Question");
    EXPECT_EQ(answers.Boxes()[2].text, "Undo the last rename of 2 files?");
    EXPECT_EQ(answers.Boxes()[3].text, kUndoAllDone);
    EXPECT_EQ(FolderNames(folder), (Names{"a.txt", "b.txt"}));
    // The rows show the old names again, and the preview is fresh.
    EXPECT_EQ(ColumnTexts(dialog.List(), kOldColumn), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(ColumnTexts(dialog.List(), kNewColumn), (Names{"0-a", "1-b"}));

    // Nothing more to undo: F7 says so.
    answers.AnswerBox(IDOK);
    QTest::keyClick(&dialog, Qt::Key_F7);
    ASSERT_EQ(answers.Boxes().size(), 5u);
    EXPECT_EQ(answers.Boxes()[4].text, kNothingToUndo);
    dialog.OnCancel();
}

TEST(UndoWindow, AStartAfterACrashSaysWhatTheRecoveryDid) {
    TempFolder folder;
    TempFolder state;
    setenv("XDG_STATE_HOME", state.Path().c_str(), 1);
    folder.File("a", "content");
    CListCtrl list;
    InsertFileListColumns(list);
    InsertFile(list, folder.PathOf("a"));
    list.SetItemText(0, kNewColumn, "b");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Killed between the two moves of the file.
        int moves = 0;
        SetFileOpHook([&](FileOp op, const std::string&) {
            if (op == FileOp::MoveNoReplace && ++moves == 2) kill(getpid(), SIGKILL);
            return 0;
        });
        RenameJob job(list);
        job.Run();
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    DialogAnswers answers;
    answers.AnswerBox(IDOK);
    ReportRecovery(nullptr, RecoverInterruptedJobs());
    ASSERT_EQ(answers.Boxes().size(), 1u);
    EXPECT_EQ(answers.Boxes()[0].caption, "Information");
    EXPECT_EQ(answers.Boxes()[0].text,
              "The last rename job was interrupted. 1 file was moved on to their new names and 0 "
              "back to their old names.");
    EXPECT_EQ(FolderNames(folder), (Names{"b"}));
    // Nothing to say at the next start.
    ReportRecovery(nullptr, RecoverInterruptedJobs());
    EXPECT_EQ(answers.Boxes().size(), 1u);
}

}  // namespace
