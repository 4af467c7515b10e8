#include "ui/main_dlg.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>

#include "engine/path_names.h"
#include "engine/text_utils.h"
#include "files/file_list.h"
#include "platform/drop.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"
#include "platform/shell.h"
#include "rename/preview.h"
#include "rename/rename_command.h"
#include "rename/replace_dlg.h"
#include "settings/histories.h"
#include "ui/about_dlg.h"
#include "ui/icons.h"
#include "ui/resources.h"

const CMainDlg::MessageMapEntry CMainDlg::kMessageMap[] = {
    {Notification::KillFocus, IDC_PROTOTYPE, &CMainDlg::OnKillFocusPrototype, DuringRename::Waits},
    {Notification::KillFocus, IDC_FILTER, &CMainDlg::OnKillFocusFilter, DuringRename::Waits},
    {Notification::SelChange, IDC_PROTOTYPE, &CMainDlg::OnSelChangePrototype, DuringRename::Waits},
    {Notification::Clicked, IDC_CLEAR_PROTOTYPE, &CMainDlg::OnClearPrototype, DuringRename::Waits},
    {Notification::Clicked, IDC_CLEAR_FILTER, &CMainDlg::OnClearFilter, DuringRename::Waits},
    {Notification::Command, ID_FILE_EXIT, &CMainDlg::OnExit, DuringRename::Runs},
    {Notification::Command, ID_TASK_RENAME, &CMainDlg::OnRename, DuringRename::Waits},
    {Notification::Command, ID_TASK_UNDO, &CMainDlg::OnUndoLastRename, DuringRename::Waits},
    {Notification::Command, ID_EDIT_REPLACE, &CMainDlg::OnReplace, DuringRename::Waits},
    {Notification::Command, ID_HELP_MANUAL, &CMainDlg::OnManual, DuringRename::Runs},
    {Notification::Command, ID_HELP_ABOUT, &CMainDlg::OnAbout, DuringRename::Runs},
    {Notification::Clicked, IDC_RENAME, &CMainDlg::OnRename, DuringRename::Waits},
    {Notification::Clicked, IDC_EXIT, &CMainDlg::OnExit, DuringRename::Runs},
    {Notification::Clicked, IDC_ADD_FILE, &CMainDlg::OnAddFile, DuringRename::Waits},
    {Notification::Clicked, IDC_ADD_FOLDER, &CMainDlg::OnAddFolder, DuringRename::Waits},
    {Notification::Clicked, IDC_REMOVE_ITEM, &CMainDlg::OnRemoveItem, DuringRename::Waits},
    {Notification::Clicked, IDC_REMOVE_ALL, &CMainDlg::OnRemoveAll, DuringRename::Waits},
    {Notification::Clicked, IDC_MOVE_UP, &CMainDlg::OnMoveUp, DuringRename::Waits},
    {Notification::Clicked, IDC_MOVE_DOWN, &CMainDlg::OnMoveDown, DuringRename::Waits},
    {Notification::Clicked, IDC_REFRESH, &CMainDlg::OnRefresh, DuringRename::Waits},
    {Notification::DoubleClick, IDC_LIST, &CMainDlg::OnListDblClk, DuringRename::Waits},
    {Notification::RightDoubleClick, IDC_LIST, &CMainDlg::OnListRDblClk, DuringRename::Runs},
};

CMainDlg::CMainDlg(QWidget* parent)
    : CDialog(parent),
      m_icon(LoadIcon(kMainIcon)),
      m_content(new QWidget(this)),
      m_prototype(m_content),
      m_filter(m_content),
      host_{m_list, [this] { RefreshList(); }, this} {
    setWindowTitle(ToQString(kMainCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    CreateMenu();
    CreateControls();
}

CMainDlg::~CMainDlg() {
    // The controls go first, while the rows they show still exist, and
    // without telling handlers that their focus leaves.
    m_prototype.OnKillFocus({});
    m_filter.OnKillFocus({});
    delete m_content;
}

void CMainDlg::CreateMenu() {
    m_menuBar = new QMenuBar(this);
    std::map<std::string_view, QMenu*> menus;
    for (const MenuItem& item : kMainMenu) {
        QMenu*& menu = menus[item.menu];
        if (menu == nullptr) menu = m_menuBar->addMenu(ToQString(item.menu));
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        const int command = item.command;
        menu->addAction(ToQString(item.text), this, [this, command] { OnCommand(command); });
    }
}

void CMainDlg::CreateControls() {
    QFont font("Courier New");
    font.setPointSize(8);
    m_content->setFont(font);
    const DialogUnits units(font);

    QWidget* previous = nullptr;
    for (const ControlTemplate& control : kMainTemplate) {
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::GroupBox: {
                auto* box = new QGroupBox(ToQString(control.text), m_content);
                box->setAlignment(control.titleCentred ? Qt::AlignHCenter : Qt::AlignLeft);
                box->setGeometry(units.Rect(control.x, control.y, control.width, control.height));
                box->lower();
                continue;
            }
            case ControlKind::ComboBox: {
                CComboBox& combo = control.id == IDC_PROTOTYPE ? m_prototype : m_filter;
                widget = combo.Widget();
                // The template's height includes the drop-down list; the
                // field itself is as high as the buttons beside it.
                widget->setGeometry(units.Rect(control.x, control.y, control.width, 13));
                combo.OnKillFocus(
                    [this, id = control.id] { Dispatch(Notification::KillFocus, id); });
                combo.OnSelChange(
                    [this, id = control.id] { Dispatch(Notification::SelChange, id); });
                break;
            }
            case ControlKind::ListView:
                m_listView = new ListView(m_list, m_content);
                m_listView->doubleClicked = [this] {
                    Dispatch(Notification::DoubleClick, IDC_LIST);
                };
                m_listView->rightDoubleClicked = [this] {
                    Dispatch(Notification::RightDoubleClick, IDC_LIST);
                };
                widget = m_listView;
                widget->setGeometry(
                    units.Rect(control.x, control.y, control.width, control.height));
                break;
            case ControlKind::PushButton:
            case ControlKind::IconButton: {
                auto* button = new QPushButton(ToQString(control.text), m_content);
                button->setAutoDefault(false);
                button->setGeometry(
                    units.Rect(control.x, control.y, control.width, control.height));
                connect(button, &QPushButton::clicked, this,
                        [this, id = control.id] { Dispatch(Notification::Clicked, id); });
                m_buttons[control.id] = button;
                widget = button;
                break;
            }
        }
        widget->raise();
        if (previous != nullptr) setTabOrder(previous, widget);
        previous = widget;
    }

    const QSize client(units.X(kMainWidthUnits), units.Y(kMainHeightUnits));
    m_content->setGeometry(0, m_menuBar->sizeHint().height(), client.width(), client.height());
    m_menuBar->setGeometry(0, 0, client.width(), m_menuBar->sizeHint().height());
    setFixedSize(client.width(), client.height() + m_menuBar->sizeHint().height());
}

void CMainDlg::AddStartPaths() {
    for (const std::string& path : m_startPaths) {
        // As Add File adds a file and Add Folder a folder; anything else is skipped.
        if (!AddFile(path)) AddFolder(WithTrailingSeparator(path));
    }
}

bool CMainDlg::OnInitDialog() {
    setWindowIcon(m_icon);
    for (const ButtonIcon& image : kButtonIcons) {
        QPushButton* button = m_buttons.at(image.button);
        button->setIcon(LoadIcon(image.icon));
        button->setIconSize(QSize(32, 32));
    }
    InsertFileListColumns(m_list);
    m_listView->ShowColumns();
    LoadHistories(m_prototype, m_filter);
    CreateToolTips();
    AddStartPaths();
    RefreshList();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    m_prototype.Widget()->setFocus();
    return true;
}

void CMainDlg::CreateToolTips() {
    if (m_toolTipsCreated) return;
    m_toolTipsCreated = true;
    for (const Tooltip& tip : kTooltips) m_buttons.at(tip.control)->setToolTip(ToQString(tip.text));
}

QPushButton* CMainDlg::Button(int id) const {
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

bool CMainDlg::Dispatch(Notification code, int id) {
    for (const MessageMapEntry& entry : kMessageMap) {
        if (entry.code == code && entry.id == id) {
            if (!(m_planHeld && entry.duringRename == DuringRename::Waits))
                (this->*entry.handler)();
            return true;
        }
    }
    return false;
}

bool CMainDlg::OnCommand(int id) {
    // A menu item or an accelerator arrives exactly as a click of the
    // button with the same number.
    return Dispatch(Notification::Command, id) || Dispatch(Notification::Clicked, id) ||
           CDialog::OnCommand(id);
}

void CMainDlg::OnOK() {
    SaveHistories(m_prototype, m_filter);
    CDialog::OnOK();
}

void CMainDlg::OnCancel() {
    SaveHistories(m_prototype, m_filter);
    CDialog::OnCancel();
}

void CMainDlg::OnExit() { OnCancel(); }

void CMainDlg::OnRename() {
    RenameCommand command{m_list, m_prototype, m_filter, this, &m_planHeld};
    ::OnRename(command);
}

void CMainDlg::OnUndoLastRename() {
    UndoCommand command{m_list, [this] { RefreshList(); }, this, &m_planHeld};
    ::OnUndoLastRename(command);
}

void CMainDlg::OnRemoveItem() { ::OnRemoveItem(host_); }

void CMainDlg::OnListDblClk() { ::OnRemoveItem(host_); }

void CMainDlg::OnRemoveAll() { ::OnRemoveAll(host_); }

// The list takes the focus, as its own arrow keys would have moved the selection.
void CMainDlg::OnMoveUp() {
    if (::OnMoveUp(host_)) m_listView->setFocus();
}

void CMainDlg::OnMoveDown() {
    if (::OnMoveDown(host_)) m_listView->setFocus();
}

void CMainDlg::OnRefresh() { RefreshList(); }

void CMainDlg::OnListRDblClk() { ::OnListRDblClk(host_); }

void CMainDlg::OnReplace() {
    if (m_list.GetItemCount() == 0) return;
    CReplaceDlg dialog(&m_list, this);
    dialog.DoModal();
}

void CMainDlg::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}

void CMainDlg::OnManual() {
    if (ShellExecute(this, "open", ManualPath(ProgramFolder())) <= 32)
        MessageBox(this, "No help is available!", "Help Is Not Installed", MB_ICONERROR);
}

void CMainDlg::RefreshList() { ::RefreshList({m_list, m_prototype, m_filter, filterState_}); }

void CMainDlg::OnAddFile() { ::OnAddFile(host_); }

void CMainDlg::OnAddFolder() { ::OnAddFolder(host_); }

void CMainDlg::OnDropFiles(const std::string& path) { ::OnDropFiles(host_, path); }

void CMainDlg::OnKillFocusPrototype() {
    m_prototype.SetWindowText(CleanedName(m_prototype.GetWindowText()));
    RefreshList();
}

void CMainDlg::OnKillFocusFilter() {
    m_filter.SetWindowText(CanonicalFilterText(m_filter.GetWindowText()));
    RefreshList();
}

void CMainDlg::OnSelChangePrototype() {
    m_prototype.SetWindowText(CleanedName(m_prototype.GetLBText(m_prototype.GetCurSel())));
    RefreshList();
}

void CMainDlg::OnClearPrototype() {
    ResetPrototypes(m_prototype);
    RefreshList();
}

void CMainDlg::OnClearFilter() {
    m_filter.ResetContent();
    RefreshList();
}

void CMainDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainDlg::dropEvent(QDropEvent* event) {
    const auto path = FirstDroppedPath(*event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    if (!m_planHeld) OnDropFiles(*path);
}
