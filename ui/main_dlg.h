// The main window: the file list, the Prototype and Filter combo boxes, the
// image buttons, the menu. Every event goes through one message map to a
// handler, and each handler calls the subsystem that does the work.
#pragma once

#include <QPushButton>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/add_commands.h"
#include "files/extension_filter.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/list_ctrl.h"
#include "platform/list_view.h"
#include "rename/list_commands.h"

class QMenuBar;

class CMainDlg : public CDialog {
public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id) override;

    // Handlers.
    void OnAddFile();
    void OnAddFolder();
    void OnDropFiles(const std::string& path);
    void OnExit();
    void OnRename();
    void OnUndoLastRename();
    void OnRemoveItem();
    void OnRemoveAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnRefresh();
    void OnListDblClk();
    void OnListRDblClk();
    void OnReplace();
    void OnAbout();
    void OnManual();
    void OnKillFocusPrototype();
    void OnKillFocusFilter();
    void OnSelChangePrototype();
    void OnClearPrototype();
    void OnClearFilter();

    void RefreshList();
    // Files and folders to add when the window opens (its command line).
    void SetStartPaths(std::vector<std::string> paths) { m_startPaths = std::move(paths); }
    bool AddFile(const std::string& path) { return ::AddFile(host_, path); }
    bool AddFolder(const std::string& path) { return ::AddFolder(host_, path); }

    CListCtrl& List() { return m_list; }
    CComboBox& Prototype() { return m_prototype; }
    CComboBox& Filter() { return m_filter; }
    ListView& ListWidget() { return *m_listView; }
    QPushButton* Button(int id) const;
    QMenuBar* MenuBar() const { return m_menuBar; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Notification {
        Command,
        Clicked,
        KillFocus,
        SelChange,
        DoubleClick,
        RightDoubleClick
    };
    // Whether a handler may run while the rename command holds a plan.
    enum class DuringRename { Runs, Waits };
    struct MessageMapEntry {
        Notification code;
        int id;
        void (CMainDlg::*handler)();
        DuringRename duringRename;
    };
    static const MessageMapEntry kMessageMap[];

    bool Dispatch(Notification code, int id);
    void CreateControls();
    void CreateMenu();
    void CreateToolTips();
    void AddStartPaths();

    QIcon m_icon;
    QMenuBar* m_menuBar = nullptr;
    QWidget* m_content;  // the client area below the menu bar
    CListCtrl m_list;
    ListView* m_listView = nullptr;
    CComboBox m_prototype;
    CComboBox m_filter;
    std::map<int, QPushButton*> m_buttons;
    bool m_toolTipsCreated = false;
    bool m_planHeld = false;  // the rename command holds a plan
    std::vector<std::string> m_startPaths;

    FilterState filterState_;
    ListHost host_;  // what the add and list commands work on
};
