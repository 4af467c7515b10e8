// The Replace dialog: replaces a text in the New cell of every row, matching
// letter case or not. Its edits last until the next refresh of the list.
#pragma once

#include "platform/dialog.h"
#include "platform/list_ctrl.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

inline constexpr int IDC_FIND_TEXT = 1005;
inline constexpr int IDC_REPLACE_TEXT = 1006;
inline constexpr int IDC_REPLACE_BUTTON = 1007;
inline constexpr int IDC_MATCH_CASE = 1008;

class CReplaceDlg : public CDialog {
public:
    CReplaceDlg(CListCtrl* list, QWidget* parent);

    bool OnCommand(int id) override;
    void OnReplaceClicked();

    QLineEdit* FindBox() const { return m_find; }
    QLineEdit* ReplaceBox() const { return m_replace; }
    QCheckBox* MatchCase() const { return m_matchCase; }
    QPushButton* ReplaceButton() const { return m_replaceButton; }
    QPushButton* CancelButton() const { return m_cancelButton; }

private:
    void CreateControls();

    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    CListCtrl* m_list;
};

// Replaces in every New cell; a cell the replacement would make longer than
// a cell holds is left as it was.
void ReplaceInNewNames(CListCtrl& list, const std::string& find, const std::string& replacement,
                       bool matchCase);
