#include "ui/about_dlg.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "platform/message_box.h"
#include "ui/icons.h"

QPixmap AboutBanner(qreal devicePixelRatio) {
    // Drawn for the screen's pixels, so that it stays sharp at any scale.
    QPixmap banner(QSize(300, 250) * devicePixelRatio);
    banner.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 250);
    sky.setColorAt(0, QColor(40, 70, 140));
    sky.setColorAt(1, QColor(120, 170, 230));
    painter.fillRect(banner.rect(), sky);
    QPixmap icon = RenderIcon(130, qRound(64 * devicePixelRatio));
    icon.setDevicePixelRatio(devicePixelRatio);
    painter.drawPixmap(118, 30, icon);
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

    // The picture's control is as large as the banner and its frame, so the
    // whole banner shows; the rest of the box is laid out below it.
    auto* picture = new QLabel(this);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setPixmap(AboutBanner(devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);
    const int frame = picture->frameWidth();
    const QRect pictureRect(units.X(1), units.Y(1), 300 + 2 * frame, 250 + 2 * frame);
    picture->setGeometry(pictureRect);
    const int width = pictureRect.right() + 1 + units.X(1);
    auto* separator = new QFrame(this);
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setGeometry(pictureRect.left(), pictureRect.bottom() + 1 + units.Y(2),
                           pictureRect.width(), 2);
    m_ok = new QPushButton("OK", this);
    m_ok->setAutoDefault(false);
    const QSize button(units.X(50), units.Y(14));
    m_ok->setGeometry((width - button.width()) / 2, separator->geometry().bottom() + 1 + units.Y(2),
                      button.width(), button.height());
    connect(m_ok, &QPushButton::clicked, this, [this] { OnCommand(IDOK); });
    setFixedSize(width, m_ok->geometry().bottom() + 1 + units.Y(3));
}
