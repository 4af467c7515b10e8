#include "files/add_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/file_list.h"
#include "files/folder_dialog.h"
#include "support/dialog_answers.h"
#include "support/list_cells.h"
#include "support/temp_folder.h"

namespace {

class AddCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InsertFileListColumns(list_);
        for (const char* file : {"b.txt", "A.jpg", ".hidden", "c", "sub/inner.txt"})
            folder_.File(file);
    }

    std::vector<std::string> OldNames() const { return ColumnTexts(list_, kOldColumn); }

    CListCtrl list_;
    int refreshes_ = 0;
    ListHost files_{list_, [this] { ++refreshes_; }, nullptr};
    TempFolder folder_;
};

TEST_F(AddCommandsTest, AddFolderAddsTheFilesDirectlyInsideInNameOrder) {
    EXPECT_TRUE(AddFolder(files_, folder_.Path()));
    EXPECT_EQ(OldNames(), (std::vector<std::string>{".hidden", "A.jpg", "b.txt", "c"}));
    EXPECT_EQ(list_.GetItemText(0, kFolderColumn), folder_.Path());
    EXPECT_EQ(refreshes_, 1);
}

TEST_F(AddCommandsTest, AddFolderOfListedFilesStillRefreshes) {
    AddFolder(files_, folder_.Path());
    EXPECT_TRUE(AddFolder(files_, folder_.Path()));
    EXPECT_EQ(list_.GetItemCount(), 4);
    EXPECT_EQ(refreshes_, 2);
}

TEST_F(AddCommandsTest, AddFolderWithoutFilesChangesNothing) {
    folder_.Folder("empty");
    folder_.Folder("onlyfolders/x");
    EXPECT_FALSE(AddFolder(files_, folder_.PathOf("empty/")));
    EXPECT_FALSE(AddFolder(files_, folder_.PathOf("onlyfolders")));
    EXPECT_FALSE(AddFolder(files_, folder_.PathOf("missing/")));
    EXPECT_FALSE(AddFolder(files_, folder_.PathOf("b.txt")));
    EXPECT_EQ(list_.GetItemCount(), 0);
    EXPECT_EQ(refreshes_, 0);
}

TEST_F(AddCommandsTest, AddFileTakesOnlyNewRegularFiles) {
    EXPECT_TRUE(AddFile(files_, folder_.PathOf("b.txt")));
    EXPECT_FALSE(AddFile(files_, folder_.PathOf("b.txt")));
    EXPECT_FALSE(AddFile(files_, folder_.PathOf("sub")));
    EXPECT_FALSE(AddFile(files_, folder_.PathOf("missing")));
    EXPECT_EQ(list_.GetItemCount(), 1);
    EXPECT_EQ(refreshes_, 1);
}

TEST_F(AddCommandsTest, DropAddsAFileOrAFolder) {
    OnDropFiles(files_, folder_.PathOf("sub/inner.txt"));
    EXPECT_EQ(OldNames(), (std::vector<std::string>{"inner.txt"}));
    OnDropFiles(files_, folder_.PathOf("sub"));
    EXPECT_EQ(OldNames(), (std::vector<std::string>{"inner.txt"}));
    EXPECT_EQ(refreshes_, 2);
    OnDropFiles(files_, folder_.Path());
    EXPECT_EQ(list_.GetItemCount(), 5);
    OnDropFiles(files_, folder_.PathOf("vanished"));
    EXPECT_EQ(list_.GetItemCount(), 5);
    EXPECT_EQ(refreshes_, 3);
}

TEST_F(AddCommandsTest, AddFileAsksTheOpenDialog) {
    DialogAnswers answers;
    answers.AnswerDialog(folder_.PathOf("c"));
    answers.AnswerDialog(std::nullopt);
    OnAddFile(files_);
    OnAddFile(files_);
    ASSERT_EQ(answers.Dialogs().size(), 2u);
    EXPECT_EQ(answers.Dialogs()[0].kind, FileDialogKind::OpenFile);
    EXPECT_EQ(answers.Dialogs()[0].initialPath, "*.*");
    EXPECT_EQ(answers.Dialogs()[0].filter, "All Files (*.*)|*.*|");
    EXPECT_EQ(OldNames(), (std::vector<std::string>{"c"}));
    EXPECT_EQ(refreshes_, 1);
}

TEST_F(AddCommandsTest, AddFolderAsksTheFolderDialog) {
    DialogAnswers answers;
    answers.AnswerDialog(folder_.PathOf("sub"));
    answers.AnswerDialog(std::nullopt);
    OnAddFolder(files_);
    OnAddFolder(files_);
    ASSERT_EQ(answers.Dialogs().size(), 2u);
    EXPECT_EQ(answers.Dialogs()[0].kind, FileDialogKind::ChooseFolder);
    EXPECT_EQ(answers.Dialogs()[0].initialPath, "");
    EXPECT_EQ(OldNames(), (std::vector<std::string>{"inner.txt"}));
}

TEST(FolderDialog, ReturnsThePickedFolder) {
    struct Case {
        std::optional<std::string> answer;
        int result;
        std::string path;
    };
    const std::vector<Case> cases = {
        {"/tmp/photos/", IDOK, "/tmp/photos"},
        {"/tmp/photos", IDOK, "/tmp/photos"},
        {"/", IDOK, "/"},
        {std::nullopt, -1, ""},
        {"", IDCANCEL, ""},
        {"relative/place", IDCANCEL, ""},
    };
    for (const Case& c : cases) {
        DialogAnswers answers;
        answers.AnswerDialog(c.answer);
        CFolderDialog dialog(nullptr, "/start", nullptr, BIF_RETURNONLYFSDIRS);
        EXPECT_EQ(dialog.DoModal(), c.result) << c.answer.value_or("(cancel)");
        EXPECT_EQ(dialog.GetPathName(), c.path);
        EXPECT_EQ(answers.Dialogs().at(0).initialPath, "/start");
    }
}

TEST(FolderDialog, RootFolder) {
    CFolderDialog dialog(nullptr, nullptr, nullptr, 0);
    std::string root;
    EXPECT_FALSE(dialog.GetRootFolder(root));
    EXPECT_FALSE(dialog.SetRootFolder("/no/such/folder"));
    EXPECT_TRUE(dialog.SetRootFolder("/tmp"));
    EXPECT_TRUE(dialog.GetRootFolder(root));
    EXPECT_EQ(root, "/tmp");
    EXPECT_TRUE(dialog.SetRootFolder(nullptr));
    EXPECT_FALSE(dialog.GetRootFolder(root));
}

}  // namespace
