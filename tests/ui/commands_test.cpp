// The list commands, Replace, About and the manual, through the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "engine/path_names.h"
#include "files/file_list.h"
#include "platform/shell.h"
#include "rename/replace_dlg.h"
#include "support/dialog_answers.h"
#include "support/list_cells.h"
#include "support/open_main_window.h"
#include "support/settings_folders.h"
#include "support/temp_folder.h"
#include "ui/about_dlg.h"
#include "ui/main_dlg.h"
#include "ui/renamer_app.h"
#include "ui/resources.h"

namespace {

using Names = std::vector<std::string>;

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"a.txt", "b.txt", "c.txt"}) folder_.File(file);
        SetShellHook([this](const std::string& verb, const std::string& path) {
            shellRequests_.push_back(verb + " " + path);
            return shellAnswer_;
        });
        ASSERT_TRUE(OpenMainWindow(app_, dialog_));
        dialog_.AddFolder(folder_.Path());
        dialog_.Prototype().SetWindowText("${i}-${id}");
        dialog_.RefreshList();
    }
    void TearDown() override { SetShellHook({}); }

    Names NewNames() { return ColumnTexts(dialog_.List(), kNewColumn); }
    Names OldNames() { return ColumnTexts(dialog_.List(), kOldColumn); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &dialog_, key, modifiers);
    }
    // Runs `act` once the next modal dialog is open, then closes it.
    void WhenModal(std::function<void(QWidget*)> act) {
        QTimer::singleShot(0, [this, act] {
            QWidget* modal = QApplication::activeModalWidget();
            modalSeen_ = modal != nullptr;
            if (modal == nullptr) return;
            act(modal);
            if (modal->isVisible()) static_cast<QDialog*>(modal)->reject();
        });
    }

    SettingsFolders settings_;
    TempFolder folder_;
    DialogAnswers answers_;
    CRenamerApp app_;
    CMainDlg dialog_;
    std::vector<std::string> shellRequests_;
    int shellAnswer_ = 42;
    bool modalSeen_ = false;
};

TEST_F(CommandsTest, MovingARowRenumbersAndTheSelectionFollows) {
    dialog_.List().SetSelectedRow(0);
    Press(Qt::Key_F10);
    EXPECT_EQ(OldNames(), (Names{"b.txt", "a.txt", "c.txt"}));
    EXPECT_EQ(NewNames(), (Names{"0-b", "1-a", "2-c"}));
    EXPECT_EQ(dialog_.List().GetSelectedRow(), 1);
    Press(Qt::Key_F9);
    EXPECT_EQ(OldNames(), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(dialog_.List().GetSelectedRow(), 0);
}

TEST_F(CommandsTest, NoMoveBeyondTheEnds) {
    dialog_.List().SetItemText(0, kNewColumn, "edited");
    dialog_.List().SetSelectedRow(0);
    dialog_.OnMoveUp();
    dialog_.List().SetSelectedRow(2);
    dialog_.OnMoveDown();
    // Nothing moved, so nothing was refreshed either.
    EXPECT_EQ(NewNames().front(), "edited");
    EXPECT_EQ(OldNames(), (Names{"a.txt", "b.txt", "c.txt"}));
}

TEST_F(CommandsTest, RemovingRows) {
    dialog_.List().SetItemText(0, kNewColumn, "edited");
    dialog_.List().SetSelectedRow(-1);
    Press(Qt::Key_F11);
    EXPECT_EQ(NewNames(), (Names{"0-a", "1-b", "2-c"}));
    dialog_.List().SetSelectedRow(1);
    Press(Qt::Key_F11);
    EXPECT_EQ(OldNames(), (Names{"a.txt", "c.txt"}));
    EXPECT_EQ(NewNames(), (Names{"0-a", "1-c"}));

    answers_.AnswerBox(IDNO);
    Press(Qt::Key_F12);
    EXPECT_EQ(dialog_.List().GetItemCount(), 2);
    answers_.AnswerBox(IDYES);
    answers_.AnswerBox(IDYES);
    Press(Qt::Key_F12);
    Press(Qt::Key_F12);
    EXPECT_EQ(dialog_.List().GetItemCount(), 0);
    ASSERT_EQ(answers_.Boxes().size(), 3u);
    EXPECT_EQ(answers_.Boxes()[2].text, "Remove all items?");
    EXPECT_EQ(answers_.Boxes()[2].caption, "Question");
    EXPECT_EQ(answers_.Boxes()[2].type, MB_ICONQUESTION | MB_YESNO);
}

TEST_F(CommandsTest, DoubleClicksRemoveAndExplore) {
    ListView& view = dialog_.ListWidget();
    const QPoint second = view.visualRect(view.model()->index(1, 1)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(OldNames(), (Names{"a.txt", "c.txt"}));

    const QPoint first = view.visualRect(view.model()->index(0, 1)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(view.viewport(), Qt::RightButton, {}, first);
    EXPECT_EQ(shellRequests_, (std::vector<std::string>{"explore " + folder_.Path()}));
    dialog_.List().SetSelectedRow(-1);
    dialog_.OnListRDblClk();
    EXPECT_EQ(shellRequests_.size(), 1u);
}

TEST_F(CommandsTest, RefreshDiscardsEdits) {
    dialog_.List().SetItemText(1, kNewColumn, "edited");
    Press(Qt::Key_F5);
    EXPECT_EQ(NewNames(), (Names{"0-a", "1-b", "2-c"}));
}

TEST(ReplaceInNewNames, MatchCaseOrNot) {
    CListCtrl list;
    InsertFileListColumns(list);
    for (const char* name : {"banana", "Photo.JPG", "photo.jpg"}) {
        InsertFile(list, name);
        list.SetItemText(list.GetItemCount() - 1, kNewColumn, name);
    }
    ReplaceInNewNames(list, "a", "aa", true);
    EXPECT_EQ(list.GetItemText(0, kNewColumn), "baanaanaa");
    ReplaceInNewNames(list, "JPG", "jpeg", true);
    EXPECT_EQ(ColumnTexts(list, kNewColumn), (Names{"baanaanaa", "Photo.jpeg", "photo.jpg"}));
    ReplaceInNewNames(list, "PHOTO.JPG", "x.jpeg", false);
    EXPECT_EQ(list.GetItemText(2, kNewColumn), "x.jpeg");
    ReplaceInNewNames(list, "AA", "", false);
    EXPECT_EQ(list.GetItemText(0, kNewColumn), "bnn");
    // A cell the replacement would make too long stays as it was.
    ReplaceInNewNames(list, "bnn", std::string(kCellLimit + 1, 'z'), true);
    EXPECT_EQ(list.GetItemText(0, kNewColumn), "bnn");
}

TEST_F(CommandsTest, TheReplaceDialogEditsTheNewColumn) {
    CReplaceDlg replace(&dialog_.List(), &dialog_);
    replace.show();
    QApplication::setActiveWindow(&replace);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&replace));
    EXPECT_EQ(replace.windowTitle(), "Replace");

    replace.FindBox()->setFocus();
    QTest::keyClicks(replace.FindBox(), "-B:");
    QTest::keyClick(replace.FindBox(), Qt::Key_Tab);
    EXPECT_EQ(replace.FindBox()->text(), "-B ");
    QTest::keyClicks(replace.ReplaceBox(), "_");
    QTest::keyClick(replace.ReplaceBox(), Qt::Key_Tab);
    replace.FindBox()->setText("-B");
    QTest::mouseClick(replace.ReplaceButton(), Qt::LeftButton);
    EXPECT_EQ(NewNames(), (Names{"0-a", "1_", "2-c"}));
    replace.MatchCase()->setChecked(true);
    replace.FindBox()->setText("-A");
    QTest::mouseClick(replace.ReplaceButton(), Qt::LeftButton);
    EXPECT_EQ(NewNames().front(), "0-a");
    EXPECT_TRUE(replace.isVisible());
    QTest::mouseClick(replace.CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(replace.isVisible());
    // Leaving the prototype combo recomputes the names.
    dialog_.OnKillFocusPrototype();
    EXPECT_EQ(NewNames(), (Names{"0-a", "1-b", "2-c"}));
}

TEST_F(CommandsTest, ReplaceAsksForAFindText) {
    CReplaceDlg replace(&dialog_.List(), &dialog_);
    answers_.AnswerBox(IDOK);
    replace.OnReplaceClicked();
    ASSERT_EQ(answers_.Boxes().size(), 1u);
    EXPECT_EQ(answers_.Boxes()[0].text, "Find what?");
    EXPECT_EQ(answers_.Boxes()[0].caption, "Question");
    EXPECT_EQ(answers_.Boxes()[0].type, MB_ICONQUESTION);
}

TEST_F(CommandsTest, CtrlROpensReplaceOnlyWithRows) {
    WhenModal([](QWidget* modal) { EXPECT_EQ(modal->windowTitle(), "Replace"); });
    Press(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(modalSeen_);

    dialog_.List().DeleteAllItems();
    modalSeen_ = false;
    WhenModal([](QWidget*) {});
    Press(Qt::Key_R, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_FALSE(modalSeen_);
}

TEST_F(CommandsTest, F1OpensTheManualOrSaysThereIsNone) {
    Press(Qt::Key_F1);
    EXPECT_EQ(shellRequests_,
              (std::vector<std::string>{"open " + ProgramFolder() + "/Manual.html"}));
    shellAnswer_ = 2;
    answers_.AnswerBox(IDOK);
    Press(Qt::Key_F1);
    ASSERT_EQ(answers_.Boxes().size(), 1u);
    EXPECT_EQ(answers_.Boxes()[0].text, "No help is available!");
    EXPECT_EQ(answers_.Boxes()[0].caption, "Help Is Not Installed");
    EXPECT_EQ(answers_.Boxes()[0].type, MB_ICONERROR);
}

TEST_F(CommandsTest, F1WorksWhileTheAboutBoxIsOpen) {
    WhenModal([](QWidget* about) {
        EXPECT_EQ(about->windowTitle(), "About Quorvel");
        QTest::keyClick(about, Qt::Key_F1);
        QTest::keyClick(about, Qt::Key_Return);
    });
    dialog_.OnCommand(ID_HELP_ABOUT);
    EXPECT_TRUE(modalSeen_);
    EXPECT_EQ(shellRequests_.size(), 1u);
}

TEST(AboutBanner, IsThreeHundredByTwoHundredFifty) {
    EXPECT_EQ(AboutBanner().size(), QSize(300, 250));
}

TEST(ShellExecute, AMissingDocumentFailsWithoutStartingAnything) {
    EXPECT_LE(ShellExecute(nullptr, "open", "/no/such/Manual.html"), 32);
}

}  // namespace
