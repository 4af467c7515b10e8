#include "rename/replace_dlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/text_utils.h"
#include "files/file_list.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"
#include "platform/wait_cursor.h"

namespace {

// Cleans an edit box when the focus leaves it, so neither text can hold a
// character a file name may not contain.
class CleanOnFocusOut : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        // An edit being destroyed is no longer a QLineEdit; it needs no cleaning.
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::FocusOut && edit != nullptr)
            edit->setText(ToQString(CleanedName(FromQString(edit->text()))));
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

CReplaceDlg::CReplaceDlg(CListCtrl* list, QWidget* parent) : CDialog(parent), m_list(list) {
    setWindowTitle("Replace");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    CreateControls();
}

void CReplaceDlg::CreateControls() {
    QFont font("Courier New");
    font.setPointSize(8);
    setFont(font);
    const DialogUnits units(font);

    auto* frame = new QGroupBox(this);
    frame->setGeometry(units.Rect(4, 0, 180, 40));
    auto* findLabel = new QLabel("Find what ---->", this);
    findLabel->setGeometry(units.Rect(9, 11, 61, 8));
    auto* replaceLabel = new QLabel("Replace with ->", this);
    replaceLabel->setGeometry(units.Rect(9, 25, 61, 8));
    m_find = new QLineEdit(this);
    m_find->setGeometry(units.Rect(73, 9, 105, 12));
    m_replace = new QLineEdit(this);
    m_replace->setGeometry(units.Rect(73, 23, 105, 12));
    m_matchCase = new QCheckBox("&Match Case", this);
    m_matchCase->setGeometry(units.Rect(6, 47, 56, 10));
    m_replaceButton = new QPushButton("&Replace", this);
    m_replaceButton->setGeometry(units.Rect(73, 43, 53, 14));
    m_cancelButton = new QPushButton("&Cancel", this);
    m_cancelButton->setGeometry(units.Rect(129, 43, 54, 14));

    auto* cleaner = new CleanOnFocusOut(this);
    for (QLineEdit* edit : {m_find, m_replace}) edit->installEventFilter(cleaner);
    for (QPushButton* button : {m_replaceButton, m_cancelButton}) button->setAutoDefault(false);
    connect(m_replaceButton, &QPushButton::clicked, this,
            [this] { OnCommand(IDC_REPLACE_BUTTON); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { OnCommand(IDCANCEL); });
    setTabOrder(m_find, m_replace);
    setTabOrder(m_replace, m_matchCase);
    setTabOrder(m_matchCase, m_replaceButton);
    setTabOrder(m_replaceButton, m_cancelButton);
    setFixedSize(units.X(187), units.Y(60));
    m_find->setFocus();
}

bool CReplaceDlg::OnCommand(int id) {
    if (id == IDC_REPLACE_BUTTON) {
        OnReplaceClicked();
        return true;
    }
    return CDialog::OnCommand(id);
}

void CReplaceDlg::OnReplaceClicked() {
    const std::string find = FromQString(m_find->text());
    const std::string replacement = FromQString(m_replace->text());
    if (find.empty()) {
        MessageBox(this, "Find what?", "Question", MB_ICONQUESTION);
        return;
    }
    const CWaitCursor wait;
    ReplaceInNewNames(*m_list, find, replacement, m_matchCase->isChecked());
}

void ReplaceInNewNames(CListCtrl& list, const std::string& find, const std::string& replacement,
                       bool matchCase) {
    const CListCtrl::Batch batch(list);
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::string name = list.GetItemText(row, kNewColumn);
        if (matchCase) {
            ReplaceAll(name, find, replacement);
        } else {
            ReplaceAllNoCase(name, find, replacement);
        }
        if (name.size() <= kCellLimit) list.SetItemText(row, kNewColumn, name);
    }
}
