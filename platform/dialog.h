// A modal dialog with the keyboard handling of a Windows dialog: Enter sends
// OK unless a push button has the focus (then it presses the button), Escape
// and the close box send Cancel. Commands (button clicks, menu items,
// accelerators) arrive through OnCommand.
#pragma once

#include <QDialog>
#include <QRect>

class QFont;

class CDialog : public QDialog {
public:
    explicit CDialog(QWidget* parent = nullptr);

    // Runs OnInitDialog once, then the modal loop; returns the EndDialog result.
    virtual int DoModal();
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK();
    virtual void OnCancel();
    // Routes a command to its handler; returns false when nothing handles it.
    // The base handles IDOK and IDCANCEL.
    virtual bool OnCommand(int id);

    void EndDialog(int result);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    bool initialized_ = false;
};

// Converts dialog units to pixels for a font, as the Windows dialog manager
// does: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const { return (units * baseWidth_ + 2) / 4; }
    int Y(int units) const { return (units * baseHeight_ + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const;

private:
    int baseWidth_ = 0;
    int baseHeight_ = 0;
};
