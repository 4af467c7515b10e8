// What a person sees is whole: the About banner, the captions of message
// boxes, and the entries of the Prototype drop-down.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "platform/combo_box.h"
#include "platform/message_box.h"
#include "support/settings_folders.h"
#include "ui/about_dlg.h"
#include "ui/main_dlg.h"

namespace {

TEST(Looks, TheAboutBoxShowsTheWholeBanner) {
    CAboutDlg about(nullptr);
    const QLabel* picture = about.findChild<QLabel*>();
    ASSERT_NE(picture, nullptr);
    EXPECT_GE(picture->contentsRect().width(), 300);
    EXPECT_GE(picture->contentsRect().height(), 250);
    EXPECT_TRUE(about.rect().contains(picture->geometry()));
    // Drawn for the screen's pixels at any scale.
    const QPixmap sharp = AboutBanner(2.0);
    EXPECT_EQ(sharp.size(), QSize(600, 500));
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(300, 250));
}

TEST(Looks, AMessageBoxIsWiderThanItsCaption) {
    int width = 0;
    int captionWidth = 0;
    SetMessageBoxHook([](const MessageBoxRequest&) { return kShowMessageBox; });
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        width = box->width();
        QFont title = QApplication::font();
        title.setBold(true);
        captionWidth = QFontMetrics(title).horizontalAdvance(box->windowTitle());
        box->accept();
    });
    MessageBox(nullptr, "No help is available!", "Help Is Not Installed", MB_ICONERROR);
    SetMessageBoxHook({});
    ASSERT_GT(width, 0);
    EXPECT_GE(width, captionWidth + 100);
}

TEST(Looks, TheDropDownShowsLongPrototypesWhole) {
    SettingsFolders folders;
    CMainDlg dialog;
    dialog.OnInitDialog();
    QComboBox* combo = dialog.Prototype().Widget();
    const QAbstractItemView* view = combo->view();
    EXPECT_EQ(view->textElideMode(), Qt::ElideNone);
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, view->fontMetrics().horizontalAdvance(combo->itemText(i)));
    EXPECT_GE(view->minimumWidth(), widest);
}

}  // namespace
