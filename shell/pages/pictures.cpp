#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kCareRed(200, 30, 45);
const QColor kInk(40, 50, 70);

QPixmap Transparent(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPainterPath HeartPath(const QRectF& box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    const QPointF o = box.topLeft();
    QPainterPath heart;
    heart.moveTo(o + QPointF(w / 2, h * 0.95));
    heart.cubicTo(o + QPointF(w * 0.05, h * 0.62), o + QPointF(-w * 0.05, h * 0.15), o + QPointF(w * 0.28, h * 0.08));
    heart.cubicTo(o + QPointF(w * 0.40, h * 0.05), o + QPointF(w * 0.48, h * 0.14), o + QPointF(w / 2, h * 0.24));
    heart.cubicTo(o + QPointF(w * 0.52, h * 0.14), o + QPointF(w * 0.60, h * 0.05), o + QPointF(w * 0.72, h * 0.08));
    heart.cubicTo(o + QPointF(w * 1.05, h * 0.15), o + QPointF(w * 0.95, h * 0.62), o + QPointF(w / 2, h * 0.95));
    return heart;
}

void DrawEmblem(QPainter& painter, const QRectF& box)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCareRed);
    painter.drawPath(HeartPath(box));
    const qreal arm = box.width() * 0.12;
    const QPointF centre = box.center() + QPointF(0, box.height() * 0.04);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(centre.x() - arm / 2, centre.y() - arm * 1.6, arm, arm * 3.2));
    painter.drawRect(QRectF(centre.x() - arm * 1.6, centre.y() - arm / 2, arm * 3.2, arm));
}

// A pulse line across the splash window, as on a heart monitor.
void DrawPulse(QPainter& painter, const QSize& size)
{
    const qreal base = size.height() * 0.62;
    const qreal w = size.width();
    QPainterPath pulse(QPointF(0, base));
    pulse.lineTo(w * 0.50, base);
    pulse.lineTo(w * 0.54, base - 30);
    pulse.lineTo(w * 0.58, base + 22);
    pulse.lineTo(w * 0.61, base - 12);
    pulse.lineTo(w * 0.64, base);
    pulse.lineTo(w, base);
    painter.setPen(QPen(QColor(255, 255, 255, 70), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(pulse);
}

// A broad arrow pointing left, or mirrored to the right.
QIcon ArrowIcon(bool right)
{
    QPixmap pixmap = Transparent(QSize(22, 22));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (right) {
        painter.translate(22, 0);
        painter.scale(-1, 1);
    }
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(QColor(40, 120, 70));
    painter.drawPolygon(QPolygonF({QPointF(2.5, 11), QPointF(11, 3), QPointF(11, 7.5), QPointF(19.5, 7.5),
                                   QPointF(19.5, 14.5), QPointF(11, 14.5), QPointF(11, 19)}));
    return QIcon(pixmap);
}

}  // namespace

QPixmap SplashPicture(const QSize& size)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(20, 90, 140));
    sky.setColorAt(1, QColor(10, 40, 80));
    painter.fillRect(pixmap.rect(), sky);
    DrawPulse(painter, size);
    DrawEmblem(painter, QRectF(28, 30, 96, 90));

    // The home page's title and motto fonts: the faces are loaded once for both.
    QFont title;
    title.setPointSize(24);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(140, 40, size.width() - 150, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("CarePortfolio"));
    QFont motto;
    motto.setPointSize(11);
    motto.setItalic(true);
    painter.setFont(motto);
    painter.setPen(QColor(200, 225, 245));
    painter.drawText(QRect(142, 88, size.width() - 150, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Your family's health records"));
    return pixmap;
}

QPixmap ProductEmblem(int size)
{
    QPixmap pixmap = Transparent(QSize(size, size));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawEmblem(painter, QRectF(2, 2, size - 4, size - 4));
    return pixmap;
}

QPixmap AddressBookPicture()
{
    QPixmap pixmap = Transparent(QSize(96, 96));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 2));
    painter.setBrush(QColor(30, 110, 60));
    painter.drawRoundedRect(QRectF(16, 8, 66, 82), 5, 5);
    painter.setBrush(QColor(245, 240, 220));
    painter.drawRect(QRectF(24, 14, 54, 70));
    painter.setBrush(QColor(30, 110, 60));
    for (int ring = 0; ring < 5; ++ring)
        painter.drawEllipse(QRectF(10, 16 + ring * 15, 12, 8));
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(32, 22, 14, 14));
    painter.drawArc(QRectF(28, 36, 22, 16), 0, 180 * 16);
    for (int line = 0; line < 4; ++line)
        painter.drawLine(QPointF(32, 58 + line * 7), QPointF(70, 58 + line * 7));
    painter.setPen(QPen(kCareRed, 3));
    painter.drawLine(QPointF(52, 26), QPointF(70, 26));
    return pixmap;
}

QPixmap ToDoListPicture()
{
    QPixmap pixmap = Transparent(QSize(96, 96));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 2));
    painter.setBrush(QColor(170, 120, 70));
    painter.drawRoundedRect(QRectF(14, 10, 68, 82), 6, 6);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(22, 20, 52, 66));
    painter.setBrush(QColor(150, 150, 160));
    painter.drawRoundedRect(QRectF(36, 4, 24, 12), 3, 3);
    for (int row = 0; row < 4; ++row) {
        const qreal y = 30 + row * 14;
        painter.setPen(QPen(kInk, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(27, y - 4, 8, 8));
        painter.drawLine(QPointF(40, y), QPointF(68, y));
        if (row < 2) {
            painter.setPen(QPen(kCareRed, 2.5));
            painter.drawPolyline(QPolygonF({QPointF(26, y - 1), QPointF(30, y + 4), QPointF(37, y - 7)}));
        }
    }
    return pixmap;
}

QIcon HomeIcon()
{
    QPixmap pixmap = Transparent(QSize(22, 22));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(kCareRed);
    painter.drawPolygon(QPolygonF({QPointF(2, 11), QPointF(11, 2.5), QPointF(20, 11)}));
    painter.setBrush(QColor(245, 240, 220));
    painter.drawRect(QRectF(5, 11, 12, 8.5));
    painter.setBrush(QColor(120, 80, 50));
    painter.drawRect(QRectF(9.5, 13.5, 3.5, 6));
    return QIcon(pixmap);
}

QIcon TreeViewIcon()
{
    QPixmap pixmap = Transparent(QSize(22, 22));
    QPainter painter(&pixmap);
    painter.setPen(QPen(kInk, 1));
    painter.drawLine(QPointF(5.5, 7), QPointF(5.5, 17.5));
    painter.drawLine(QPointF(5.5, 11.5), QPointF(9, 11.5));
    painter.drawLine(QPointF(5.5, 17.5), QPointF(9, 17.5));
    painter.setBrush(QColor(235, 190, 80));
    painter.drawRect(QRectF(2.5, 2.5, 7, 5));
    painter.drawRect(QRectF(9.5, 9, 7, 5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9.5, 15, 7, 5));
    return QIcon(pixmap);
}

// An open door with an arrow leaving through it.
QIcon ExitIcon()
{
    QPixmap pixmap = Transparent(QSize(22, 22));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(QColor(245, 240, 220));
    painter.drawRect(QRectF(3.5, 2.5, 10, 17));
    painter.setBrush(QColor(120, 80, 50));
    painter.drawPolygon(QPolygonF({QPointF(3.5, 2.5), QPointF(9.5, 4.5), QPointF(9.5, 21), QPointF(3.5, 19.5)}));
    painter.setPen(QPen(kCareRed, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(12, 11), QPointF(20, 11));
    painter.drawPolyline(QPolygonF({QPointF(17, 8), QPointF(20, 11), QPointF(17, 14)}));
    return QIcon(pixmap);
}

QIcon BackIcon()
{
    return ArrowIcon(false);
}

QIcon ForwardIcon()
{
    return ArrowIcon(true);
}

QIcon PrintIcon()
{
    QPixmap pixmap = Transparent(QSize(22, 22));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6, 2.5, 10, 7));
    painter.setBrush(QColor(170, 175, 185));
    painter.drawRoundedRect(QRectF(2.5, 8.5, 17, 8), 1.5, 1.5);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6, 13.5, 10, 6));
    return QIcon(pixmap);
}
