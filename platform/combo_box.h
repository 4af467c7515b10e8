// An editable drop-down combo box: an edit field with a list of entries. It
// never inserts entries by itself and never completes what is typed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/text_field.h"

class QComboBox;
class QWidget;

class CComboBox final : public TextField {
public:
    static constexpr int CB_ERR = -1;

    // Creates the combo box as a child of `parent`, which owns the widget.
    explicit CComboBox(QWidget* parent);

    std::string GetWindowText() const override;
    void SetWindowText(std::string_view text) override;

    int GetCount() const;
    std::string GetLBText(int index) const;
    // The first entry from `start + 1` on (wrapping round) equal to `text`
    // ignoring ASCII letter case, or CB_ERR.
    int FindStringExact(int start, std::string_view text) const;
    // Inserts at `index` (-1: at the end); returns the index or CB_ERR.
    int InsertString(int index, std::string_view text);
    int AddString(std::string_view text) { return InsertString(-1, text); }
    int DeleteString(int index);
    // Empties the list and the edit field.
    void ResetContent();
    // Selects an entry and copies it into the edit field (-1 clears both).
    int SetCurSel(int index);
    int GetCurSel() const;

    // The field lost the focus to another control (not to its own list).
    void OnKillFocus(std::function<void()> handler);
    // The user picked an entry of the list; the field already shows it.
    void OnSelChange(std::function<void()> handler);

    QComboBox* Widget() const { return combo_; }

private:
    void FitPopupToEntries();

    QComboBox* combo_;
    std::function<void()> killFocus_;
};
