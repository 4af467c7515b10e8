// The About box: the program's banner picture and an OK button.
#pragma once

#include "platform/dialog.h"

class QPushButton;

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* parent);
    QPushButton* OkButton() const { return m_ok; }

private:
    QPushButton* m_ok = nullptr;
};

// Bitmap 129: the 300 x 250 banner.
QPixmap AboutBanner(qreal devicePixelRatio = 1.0);
