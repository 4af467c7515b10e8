#include "ui/icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

// Every picture is drawn on a 32 x 32 grid and scaled to the pixmap.
QPixmap Render(const Drawing& draw, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    return pixmap;
}

void FolderBack(QPainter& p) {
    p.setPen(QPen(QColor(150, 105, 10), 1.2));
    QPainterPath back;
    back.moveTo(2, 8);
    back.lineTo(11, 8);
    back.lineTo(14, 11);
    back.lineTo(29, 11);
    back.lineTo(29, 27);
    back.lineTo(2, 27);
    back.closeSubpath();
    p.setBrush(QColor(232, 176, 40));
    p.drawPath(back);
}

void FolderFront(QPainter& p, bool open) {
    p.setPen(QPen(QColor(150, 105, 10), 1.2));
    QLinearGradient front(0, 13, 0, 27);
    front.setColorAt(0, QColor(255, 224, 110));
    front.setColorAt(1, QColor(244, 190, 50));
    p.setBrush(front);
    QPainterPath flap;
    if (open) {
        flap.moveTo(6, 15);
        flap.lineTo(31, 15);
        flap.lineTo(27, 27);
        flap.lineTo(2, 27);
    } else {
        flap.moveTo(2, 14);
        flap.lineTo(29, 14);
        flap.lineTo(29, 27);
        flap.lineTo(2, 27);
    }
    flap.closeSubpath();
    p.drawPath(flap);
}

void Page(QPainter& p, const QRectF& area) {
    p.setPen(QPen(QColor(90, 90, 110), 1));
    p.setBrush(Qt::white);
    const qreal fold = area.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(area.topLeft());
    sheet.lineTo(area.right() - fold, area.top());
    sheet.lineTo(area.right(), area.top() + fold);
    sheet.lineTo(area.bottomRight());
    sheet.lineTo(area.bottomLeft());
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.setBrush(QColor(215, 215, 230));
    QPainterPath corner;
    corner.moveTo(area.right() - fold, area.top());
    corner.lineTo(area.right() - fold, area.top() + fold);
    corner.lineTo(area.right(), area.top() + fold);
    corner.closeSubpath();
    p.drawPath(corner);
    p.setPen(QPen(QColor(40, 80, 170), 1.2));
    for (qreal y = area.top() + fold + 3; y < area.bottom() - 2; y += 3.5)
        p.drawLine(QPointF(area.left() + 3, y), QPointF(area.right() - 3, y));
}

void Pen(QPainter& p) {
    p.save();
    p.translate(22, 6);
    p.rotate(45);
    p.setPen(QPen(QColor(30, 30, 60), 1));
    p.setBrush(QColor(40, 90, 200));
    p.drawRect(QRectF(-2.5, 0, 5, 16));
    p.setBrush(QColor(240, 210, 160));
    QPainterPath tip;
    tip.moveTo(-2.5, 16);
    tip.lineTo(2.5, 16);
    tip.lineTo(0, 22);
    tip.closeSubpath();
    p.drawPath(tip);
    p.restore();
}

void CrossDisc(QPainter& p, QColor light, QColor dark) {
    QRadialGradient fill(12, 11, 18);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(130), 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(22, 22));
    p.drawLine(QPointF(22, 10), QPointF(10, 22));
}

void ArrowTile(QPainter& p, bool up) {
    QLinearGradient fill(0, 2, 0, 30);
    fill.setColorAt(0, QColor(255, 178, 70));
    fill.setColorAt(1, QColor(230, 110, 10));
    p.setPen(QPen(QColor(170, 80, 0), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath head;
    if (up) {
        head.moveTo(16, 8);
        head.lineTo(25, 21);
        head.lineTo(7, 21);
    } else {
        head.moveTo(16, 24);
        head.lineTo(25, 11);
        head.lineTo(7, 11);
    }
    head.closeSubpath();
    p.drawPath(head);
}

void WindowWithGlass(QPainter& p) {
    p.setPen(QPen(QColor(40, 60, 110), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2, 4, 24, 20));
    p.setBrush(QColor(50, 100, 200));
    p.drawRect(QRectF(2, 4, 24, 5));
    p.setPen(QPen(QColor(120, 120, 140), 1));
    for (qreal y = 12; y < 22; y += 3) p.drawLine(QPointF(5, y), QPointF(16, y));
    p.setPen(QPen(QColor(60, 60, 60), 2.5));
    p.setBrush(QColor(200, 230, 255, 200));
    p.drawEllipse(QRectF(14, 13, 11, 11));
    p.setPen(QPen(QColor(90, 60, 30), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 23), QPointF(29, 28));
}

Drawing DrawingOf(int id) {
    switch (id) {
        case 130:
            return [](QPainter& p) {
                FolderBack(p);
                FolderFront(p, false);
                Pen(p);
            };
        case 131:
            return [](QPainter& p) { Page(p, QRectF(6, 2, 20, 28)); };
        case 132:
            return [](QPainter& p) {
                FolderBack(p);
                Page(p, QRectF(9, 3, 15, 18));
                FolderFront(p, true);
            };
        case 135:
            return WindowWithGlass;
        case 137:
            return [](QPainter& p) { CrossDisc(p, QColor(110, 170, 255), QColor(20, 70, 190)); };
        case 138:
            return [](QPainter& p) { CrossDisc(p, QColor(255, 120, 110), QColor(190, 20, 20)); };
        case 139:
            return [](QPainter& p) { ArrowTile(p, false); };
        case 140:
            return [](QPainter& p) { ArrowTile(p, true); };
        default:
            return {};
    }
}

}  // namespace

QPixmap RenderIcon(int id, int size) {
    const Drawing draw = DrawingOf(id);
    return draw ? Render(draw, size) : QPixmap();
}

QIcon LoadIcon(int id) {
    const Drawing draw = DrawingOf(id);
    if (!draw) return {};
    QIcon icon;
    icon.addPixmap(Render(draw, 16));
    icon.addPixmap(Render(draw, 32));
    icon.addPixmap(Render(draw, 64));
    icon.addPixmap(Render(draw, 128));
    return icon;
}
