#include "ui/about_dlg.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "platform/message_box.h"
#include "ui/icons.h"

QPixmap AboutBanner() {
    QPixmap banner(300, 250);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 250);
    sky.setColorAt(0, QColor(40, 70, 140));
    sky.setColorAt(1, QColor(120, 170, 230));
    painter.fillRect(banner.rect(), sky);
    painter.drawPixmap(118, 30, LoadIcon(130).pixmap(64, 64));
    painter.setPen(Qt::white);
    QFont title("Liberation Sans", 26, QFont::Bold);
    painter.setFont(title);
    painter.drawText(QRect(0, 110, 300, 40), Qt::AlignCenter, "Quorvel");
    QFont line("Liberation Sans", 11);
    painter.setFont(line);
    painter.drawText(QRect(0, 150, 300, 24), Qt::AlignCenter, "Bulk file renamer");
    painter.drawText(QRect(0, 174, 300, 24), Qt::AlignCenter, "Version 1.0.20");
    painter.setPen(QColor(220, 230, 250));
    painter.setFont(QFont("Liberation Mono", 9));
    painter.drawText(QRect(0, 212, 300, 20), Qt::AlignCenter, "Photo-${i}.${ext;low}");
    return banner;
}

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(parent) {
    setWindowTitle("About Quorvel");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    QFont font("Courier New");
    font.setPointSize(8);
    setFont(font);
    const DialogUnits units(font);

    auto* picture = new QLabel(this);
    picture->setPixmap(AboutBanner());
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setGeometry(units.Rect(1, 1, 171, 144));
    auto* separator = new QFrame(this);
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setGeometry(units.Rect(1, 147, 171, 1));
    m_ok = new QPushButton("OK", this);
    m_ok->setAutoDefault(false);
    m_ok->setGeometry(units.Rect(61, 150, 50, 14));
    connect(m_ok, &QPushButton::clicked, this, [this] { OnCommand(IDOK); });
    setFixedSize(units.X(173), units.Y(167));
}
