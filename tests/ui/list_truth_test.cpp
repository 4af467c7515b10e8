// The list shows the truth: keys pressed while a rename waits for an answer
// change nothing, the selected row is the one the user selected, dropped
// files are added wherever they land, and names keep every byte.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <fstream>

#include "files/file_list.h"
#include "platform/file_dialogs.h"
#include "platform/list_view.h"
#include "platform/qt_text.h"
#include "platform/shell.h"
#include "rename/rename_command.h"
#include "settings/histories.h"
#include "settings/registry_store.h"
#include "support/dialog_answers.h"
#include "support/list_cells.h"
#include "support/open_main_window.h"
#include "support/settings_folders.h"
#include "support/temp_folder.h"

namespace {

using Names = std::vector<std::string>;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class ListTruthTest : public ::testing::Test {
protected:
    void Open(const Names& files) {
        for (const std::string& file : files) folder_.File(file, "content of " + file);
        SetShellHook([this](const std::string& verb, const std::string& path) {
            shellRequests_.push_back(verb + " " + path);
            return 42;
        });
        ASSERT_TRUE(OpenMainWindow(app_, dialog_));
        dialog_.AddFolder(folder_.Path());
        dialog_.Prototype().SetWindowText("${i}-${id}");
        dialog_.RefreshList();
    }
    void TearDown() override { SetShellHook({}); }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &dialog_, key, modifiers);
    }
    QWidget* Viewport() { return dialog_.ListWidget().viewport(); }
    QPoint RowCentre(int row) {
        ListView& view = dialog_.ListWidget();
        return view.visualRect(view.model()->index(row, 0)).center();
    }
    QPoint BelowTheRows() { return QPoint(10, Viewport()->height() - 5); }
    void Drop(QWidget* target, const std::string& encodedUrl) {
        QMimeData data;
        data.setUrls({QUrl::fromEncoded(QByteArray::fromStdString(encodedUrl))});
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }

    SettingsFolders settings_;
    TempFolder folder_;
    DialogAnswers answers_;
    CRenamerApp app_;
    CMainDlg dialog_;
    std::vector<std::string> shellRequests_;
};

TEST_F(ListTruthTest, KeysPressedDuringTheWarningChangeNothing) {
    Open({"a.txt", "b.txt", "c.txt"});
    folder_.File("1-b", "not listed");
    std::vector<std::string> captions;
    SetMessageBoxHook([&](const MessageBoxRequest& request) {
        captions.push_back(request.caption);
        if (request.caption == "Warning" && captions.size() == 2) {
            // Every command that would change the list, the names or the
            // files, while the plan waits for this answer.
            for (Qt::Key key : {Qt::Key_F12, Qt::Key_F11, Qt::Key_F8, Qt::Key_F9, Qt::Key_F10,
                                Qt::Key_F5, Qt::Key_F3, Qt::Key_F4})
                QTest::keyClick(&dialog_, key);
            dialog_.Prototype().SetWindowText("other-${i}");
            QTest::keyClick(&dialog_, Qt::Key_R, Qt::ControlModifier);
        }
        return request.caption == "Information" ? IDOK : IDYES;
    });
    dialog_.List().SetSelectedRow(0);
    dialog_.OnRename();
    SetMessageBoxHook({});
    EXPECT_EQ(captions, (Names{"Question", "Warning", "Information"}));
    EXPECT_EQ(ColumnTexts(dialog_.List(), kOldColumn), (Names{"0-a", "1-b", "2-c"}));
    EXPECT_EQ(ReadAll(folder_.PathOf("1-b")), "content of b.txt");
}

TEST_F(ListTruthTest, RemoveActsOnTheSelectionOnly) {
    Names files;
    for (int i = 0; i < 11; ++i) files.push_back("f" + std::to_string(i + 10));
    Open(files);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, RowCentre(5));
    ASSERT_EQ(dialog_.List().GetSelectedRow(), 5);
    for (int i = 0; i < 6; ++i) Press(Qt::Key_F11);
    EXPECT_EQ(dialog_.List().GetItemCount(), 10);
    EXPECT_EQ(dialog_.List().GetSelectedRow(), -1);
    EXPECT_EQ(dialog_.ListWidget().selectionModel()->selectedRows().size(), 0);

    // A row deselected with Ctrl+click is not removed.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, RowCentre(2));
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(2));
    EXPECT_EQ(dialog_.List().GetSelectedRow(), -1);
    Press(Qt::Key_F11);
    EXPECT_EQ(dialog_.List().GetItemCount(), 10);
}

TEST_F(ListTruthTest, DoubleClicksOnEmptySpaceActOnNoRow) {
    Open({"a", "b", "c"});
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, RowCentre(1));
    ASSERT_EQ(dialog_.List().GetSelectedRow(), 1);
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, BelowTheRows());
    EXPECT_EQ(dialog_.List().GetItemCount(), 3);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, RowCentre(0));
    QTest::mouseDClick(Viewport(), Qt::RightButton, {}, BelowTheRows());
    EXPECT_TRUE(shellRequests_.empty());
    // On a row, a double-click still removes it.
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, RowCentre(2));
    EXPECT_EQ(ColumnTexts(dialog_.List(), kOldColumn), (Names{"a", "b"}));
}

TEST_F(ListTruthTest, FilesDroppedOnTheComboBoxesAreAdded) {
    Open({});
    const std::string first = folder_.File("dropped.txt");
    Drop(dialog_.Prototype().Widget()->lineEdit(), "file://" + first);
    const std::string second = folder_.File("other.txt");
    Drop(dialog_.Filter().Widget()->lineEdit(), "file://" + second);
    EXPECT_EQ(ColumnTexts(dialog_.List(), kOldColumn), (Names{"dropped.txt", "other.txt"}));
    EXPECT_EQ(dialog_.Prototype().GetWindowText(), "${i}-${id}");
    EXPECT_EQ(dialog_.Filter().GetWindowText(), "");
}

TEST_F(ListTruthTest, ANameThatIsNotUtf8KeepsItsBytes) {
    Open({});
    const std::string name = "caf\xe9 \xff.txt";
    folder_.File(name);
    Drop(&dialog_, "file://" + folder_.Path() + "caf%E9%20%FF.txt");
    ASSERT_EQ(dialog_.List().GetItemCount(), 1);
    EXPECT_EQ(dialog_.List().GetItemText(0, kOldColumn), name);
    // Shown with replacement marks, never rewritten.
    const QString shown = dialog_.ListWidget().model()->index(0, kOldColumn).data().toString();
    EXPECT_EQ(FromQString(shown), name);
    EXPECT_TRUE(shown.startsWith("caf"));
}

TEST(QtText, EveryByteRoundTrips) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    for (const std::string& text : {all, std::string("日本語\xe6\x97"), std::string("\xed\xa0\x80"),
                                    std::string("a\xf4\x90\x80\x80z")})
        EXPECT_EQ(FromQString(ToQString(text)), text);
    EXPECT_EQ(ToQString("日本"), QString::fromUtf8("日本"));
}

TEST(QtText, ADialogPathWithReplacementMarksFindsItsFile) {
    TempFolder folder;
    const std::string name = "caf\xe9.txt";
    folder.File(name);
    const QString shown =
        QString::fromUtf8(folder.Path().c_str()) + QFile::decodeName(name.c_str());
    EXPECT_EQ(PathFromDialog(shown), folder.PathOf(name));
}

TEST(ListTableModel, KeepsTheModelContract) {
    CListCtrl list;
    InsertFileListColumns(list);
    ListTableModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int i = 0; i < 5; ++i) list.InsertItem(list.GetItemCount(), "row" + std::to_string(i));
    list.InsertItem(0, "first");
    list.AppendUniqueItem({"n", "x", "/f/"});
    list.AppendUniqueItem({"n", "x", "/f/"});
    list.DeleteItem(2);
    list.DeleteItems({0, 1, 3});
    list.SwapItems(0, 1);
    list.SetItemText(0, 1, "changed");
    {
        const CListCtrl::Batch batch(list);
        list.InsertItem(0, "batched");
        list.DeleteItem(1);
    }
    list.DeleteAllItems();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(Histories, AStoredEntryThatIsNotUtf8SurvivesAStartAndAClose) {
    SettingsFolders folders;
    CreateSettingsKeys();
    const std::string stored = "caf\xe9|${id}.${ext}|";
    WriteStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboPrototype", stored);
    {
        CMainDlg dialog;
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.Prototype().GetLBText(0), "caf\xe9");
        dialog.OnCancel();
    }
    std::string text;
    ReadStringValue(HKEY_CURRENT_USER, SettingsKeyPath, "cboPrototype", text);
    EXPECT_EQ(text, stored);
}

}  // namespace
