#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "files/file_list.h"
#include "support/dialog_answers.h"
#include "support/open_main_window.h"
#include "support/settings_folders.h"
#include "support/temp_folder.h"
#include "ui/main_dlg.h"
#include "ui/renamer_app.h"
#include "ui/resources.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"b.txt", "a.JPG", "c.doc"}) folder_.File(file);
        ASSERT_TRUE(OpenMainWindow(app_, dialog_));
    }

    QLineEdit* PrototypeField() { return dialog_.Prototype().Widget()->lineEdit(); }
    QLineEdit* FilterField() { return dialog_.Filter().Widget()->lineEdit(); }
    std::string Cell(int row, int column) { return dialog_.List().GetItemText(row, column); }
    void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(target, key, modifiers);
    }
    // Replaces a combo box's text by typing, as a user does.
    void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    SettingsFolders settings_;
    TempFolder folder_;
    DialogAnswers answers_;
    CRenamerApp app_;
    CMainDlg dialog_;
};

TEST_F(MainWindowTest, LooksAsDesigned) {
    EXPECT_EQ(dialog_.windowTitle(), "Quorvel v1.0.20");
    EXPECT_EQ(dialog_.minimumSize(), dialog_.maximumSize());
    EXPECT_FALSE(dialog_.windowFlags() & Qt::WindowMaximizeButtonHint);

    const QHeaderView* header = dialog_.ListWidget().horizontalHeader();
    ASSERT_EQ(header->count(), 3);
    const std::vector<std::pair<QString, int>> columns = {
        {"New [ID <=> Name]", 195}, {"Old [ID <=> Name]", 195}, {"Location <=> Folder Path", 335}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dialog_.ListWidget().model()->headerData(i, Qt::Horizontal).toString(),
                  columns[i].first);
        EXPECT_EQ(header->sectionSize(i), columns[i].second);
    }

    for (const Tooltip& tip : kTooltips)
        EXPECT_EQ(dialog_.Button(tip.control)->toolTip().toStdString(), tip.text) << tip.control;
    EXPECT_EQ(dialog_.Button(IDC_RENAME)->text(), "&Rename (F8)");
    EXPECT_EQ(dialog_.Button(IDC_EXIT)->text(), "E&xit (Esc)");
    for (const ButtonIcon& image : kButtonIcons)
        EXPECT_FALSE(dialog_.Button(image.button)->icon().isNull());

    QStringList menus;
    for (QAction* menu : dialog_.MenuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Task", "&Help"}));

    EXPECT_EQ(dialog_.Prototype().GetWindowText(), "${id}.${ext}");
    EXPECT_EQ(dialog_.Prototype().GetCount(), 7);
    EXPECT_EQ(dialog_.Filter().GetWindowText(), "");
}

TEST_F(MainWindowTest, TabFollowsTheTemplateOrder) {
    QWidget* expected[] = {dialog_.Prototype().Widget(), dialog_.Button(IDC_CLEAR_PROTOTYPE),
                           &dialog_.ListWidget(), dialog_.Button(IDC_ADD_FILE)};
    QWidget* widget = expected[0];
    for (QWidget* next : std::vector<QWidget*>(std::begin(expected) + 1, std::end(expected))) {
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || widget->focusProxy() != nullptr ||
               !dialog_.isAncestorOf(widget) || widget->parentWidget() == next)
            widget = widget->nextInFocusChain();
        EXPECT_EQ(widget, next);
    }
}

TEST_F(MainWindowTest, F3AndF4AddThroughTheirDialogs) {
    answers_.AnswerDialog(folder_.PathOf("c.doc"));
    Press(PrototypeField(), Qt::Key_F3);
    ASSERT_EQ(dialog_.List().GetItemCount(), 1);
    EXPECT_EQ(Cell(0, kNewColumn), "c.doc");

    answers_.AnswerDialog(folder_.Path());
    Press(PrototypeField(), Qt::Key_F4);
    ASSERT_EQ(dialog_.List().GetItemCount(), 3);
    EXPECT_EQ(Cell(1, kOldColumn), "a.JPG");
    EXPECT_EQ(Cell(2, kOldColumn), "b.txt");
    EXPECT_TRUE(answers_.AllUsed());
    EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(MainWindowTest, ADropAddsItsFirstItemOnly) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder_.PathOf("b.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(folder_.PathOf("a.JPG")))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog_, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog_, &drop);
    ASSERT_EQ(dialog_.List().GetItemCount(), 1);
    EXPECT_EQ(Cell(0, kOldColumn), "b.txt");
}

TEST_F(MainWindowTest, AcceleratorsReachTheMainWindowWhileAMessageBoxIsOpen) {
    answers_.AnswerDialog(folder_.PathOf("b.txt"));
    bool boxWasOpen = false;
    SetMessageBoxHook([](const MessageBoxRequest&) { return kShowMessageBox; });
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        boxWasOpen = box != nullptr && box != &dialog_;
        if (box == nullptr) return;
        QTest::keyClick(box, Qt::Key_F3);
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(MessageBox(&dialog_, "Open", "Information", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_TRUE(boxWasOpen);
    EXPECT_EQ(dialog_.List().GetItemCount(), 1);
}

TEST_F(MainWindowTest, TypingAPrototypeAndLeavingTheComboUpdatesTheNames) {
    dialog_.AddFolder(folder_.Path());
    Type(PrototypeField(), "Photo-${i}.${ext;low}");
    EXPECT_EQ(Cell(0, kNewColumn), "a.JPG");
    Press(PrototypeField(), Qt::Key_Tab);
    EXPECT_EQ(Cell(0, kNewColumn), "Photo-0.jpg");
    EXPECT_EQ(Cell(2, kNewColumn), "Photo-2.doc");
}

TEST_F(MainWindowTest, TheFilterRemovesRowsWhenLeft) {
    dialog_.AddFolder(folder_.Path());
    Type(FilterField(), "TXT ,, jpg");
    Press(FilterField(), Qt::Key_Tab);
    EXPECT_EQ(dialog_.Filter().GetWindowText(), "jpg, txt");
    ASSERT_EQ(dialog_.List().GetItemCount(), 1);
    EXPECT_EQ(Cell(0, kOldColumn), "c.doc");
}

TEST_F(MainWindowTest, EnterInThePrototypeComboEndsThroughOK) {
    PrototypeField()->setFocus();
    Press(PrototypeField(), Qt::Key_Return);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), IDOK);
}

TEST_F(MainWindowTest, EnterOnAFocusedButtonPressesIt) {
    answers_.AnswerDialog(std::nullopt);
    QPushButton* addFile = dialog_.Button(IDC_ADD_FILE);
    addFile->setFocus();
    Press(addFile, Qt::Key_Return);
    EXPECT_EQ(answers_.Dialogs().size(), 1u);
    EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(MainWindowTest, EscapeEndsThroughCancel) {
    Press(PrototypeField(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), IDCANCEL);
}

TEST_F(MainWindowTest, TheCloseBoxEndsThroughCancel) {
    dialog_.close();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), IDCANCEL);
}

TEST_F(MainWindowTest, CtrlQAndTheExitButtonEndThroughCancel) {
    Press(PrototypeField(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), IDCANCEL);

    dialog_.show();
    dialog_.setResult(0);
    QTest::mouseClick(dialog_.Button(IDC_EXIT), Qt::LeftButton);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), IDCANCEL);
}

TEST_F(MainWindowTest, F8RenamesTheListedFiles) {
    dialog_.AddFolder(folder_.Path());
    Type(PrototypeField(), "Photo-${i}.${ext;low}");
    Press(PrototypeField(), Qt::Key_Tab);
    answers_.AnswerBox(IDYES);
    answers_.AnswerBox(IDOK);
    Press(dialog_.Button(IDC_ADD_FILE), Qt::Key_F8);
    ASSERT_EQ(answers_.Boxes().size(), 2u);
    EXPECT_EQ(answers_.Boxes()[1].text, "Job done, all files were renamed successfully.");
    for (const char* name : {"Photo-0.jpg", "Photo-1.txt", "Photo-2.doc"})
        EXPECT_TRUE(std::filesystem::exists(folder_.PathOf(name))) << name;
    EXPECT_EQ(Cell(0, kOldColumn), "Photo-0.jpg");
    // The prototype is a default already: the history selects it, adds nothing.
    EXPECT_EQ(dialog_.Prototype().GetCount(), 7);
    EXPECT_EQ(dialog_.Prototype().GetCurSel(), 3);
}

TEST_F(MainWindowTest, ClearButtonsResetTheCombos) {
    dialog_.AddFolder(folder_.Path());
    dialog_.Prototype().SetWindowText("x${i}");
    dialog_.Filter().SetWindowText("doc");
    // The click takes the focus from the Prototype combo, whose refresh
    // applies the filter first; clearing it brings no row back.
    QTest::mouseClick(dialog_.Button(IDC_CLEAR_FILTER), Qt::LeftButton);
    EXPECT_EQ(dialog_.Filter().GetWindowText(), "");
    EXPECT_EQ(dialog_.List().GetItemCount(), 2);
    QTest::mouseClick(dialog_.Button(IDC_CLEAR_PROTOTYPE), Qt::LeftButton);
    EXPECT_EQ(dialog_.Prototype().GetWindowText(), "${id}.${ext}");
    EXPECT_EQ(Cell(0, kNewColumn), "a.JPG");
}

TEST_F(MainWindowTest, ChoosingAHistoryEntryRecomputesAtOnce) {
    dialog_.AddFolder(folder_.Path());
    QComboBox* combo = dialog_.Prototype().Widget();
    combo->setCurrentIndex(3);
    emit combo->activated(3);
    EXPECT_EQ(dialog_.Prototype().GetWindowText(), "Photo-${i}.${ext;low}");
    EXPECT_EQ(Cell(1, kNewColumn), "Photo-1.txt");
}

}  // namespace
