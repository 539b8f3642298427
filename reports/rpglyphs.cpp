#include "rpglyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>
#include <map>

namespace {
constexpr int kSize = 20;
const QColor kInk(40, 40, 40);
const QColor kAccent(30, 90, 170);

void Page(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

void Triangle(QPainter& p, double tipX, double baseX)
{
    QPainterPath path;
    path.moveTo(tipX, 10);
    path.lineTo(baseX, 4);
    path.lineTo(baseX, 16);
    path.closeSubpath();
    p.fillPath(path, kAccent);
}

void Bar(QPainter& p, double x)
{
    p.fillRect(QRectF(x, 4, 2.5, 12), kAccent);
}

void DoubleArrow(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(kAccent, 1.6));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    for (const auto& [tip, dir] : {std::pair{from, d}, std::pair{to, -d}}) {
        p.drawLine(tip, tip + dir * 3.5 + n * 3);
        p.drawLine(tip, tip + dir * 3.5 - n * 3);
    }
}

void Printer(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 2.5, 9, 6));     // paper in
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(2.5, 7.5, 15, 7), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 12.5, 9, 5));    // paper out
    p.fillRect(QRectF(14, 9, 2, 1.5), QColor(90, 200, 90));
}

using Painter = std::function<void(QPainter&)>;

const std::map<QString, Painter>& Painters()
{
    static const std::map<QString, Painter> painters = {
        {QStringLiteral("RPZOOMTOFITBITMAP"),
         [](QPainter& p) {
             Page(p, QRectF(4.5, 2.5, 11, 15));
             DoubleArrow(p, QPointF(7, 5), QPointF(13, 15));
         }},
        {QStringLiteral("RpZOOMTO100BITMAP"),
         [](QPainter& p) {
             QFont font(QStringLiteral("DejaVu Sans"));
             font.setPixelSize(9);
             font.setBold(true);
             p.setFont(font);
             p.setPen(kInk);
             p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("1:1"));
         }},
        {QStringLiteral("RPZOOMTOWIDTHBITMAP"),
         [](QPainter& p) {
             Page(p, QRectF(2.5, 3.5, 15, 13));
             DoubleArrow(p, QPointF(4.5, 10), QPointF(15.5, 10));
         }},
        {QStringLiteral("RPFIRSTPAGEBITMAP"),
         [](QPainter& p) {
             Bar(p, 4);
             Triangle(p, 7, 15);
         }},
        {QStringLiteral("RPPREVPAGEBITMAP"), [](QPainter& p) { Triangle(p, 6, 14); }},
        {QStringLiteral("RPNEXTPAGEBITMAP"), [](QPainter& p) { Triangle(p, 14, 6); }},
        {QStringLiteral("RPLASTPAGEBITMAP"),
         [](QPainter& p) {
             Triangle(p, 13, 5);
             Bar(p, 13.5);
         }},
        {QStringLiteral("RPPRINTSETUPBITMAP"),
         [](QPainter& p) {
             Printer(p);
             p.setPen(QPen(kAccent, 1.5));
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(15, 5), 3.5, 3.5);
             p.drawPoint(QPointF(15, 5));
         }},
        {QStringLiteral("RPPRINTBITMAP"), [](QPainter& p) { Printer(p); }},
        {QStringLiteral("RPSAVEBITMAP"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kAccent);
             p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(5.5, 2.5, 9, 6));
             p.setBrush(QColor(220, 220, 220));
             p.drawRect(QRectF(5.5, 11.5, 9, 6));
         }},
        {QStringLiteral("RPOPENBITMAP"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(230, 190, 80));
             p.drawRect(QRectF(2.5, 5.5, 13, 11));
             QPainterPath lid;
             lid.moveTo(2.5, 16.5);
             lid.lineTo(6.5, 9.5);
             lid.lineTo(18.5, 9.5);
             lid.lineTo(15.5, 16.5);
             lid.closeSubpath();
             p.setBrush(QColor(250, 215, 110));
             p.drawPath(lid);
         }},
        {QStringLiteral("RPCLOSEBITMAP"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(170, 120, 70));
             p.drawRect(QRectF(5.5, 2.5, 10, 15));
             p.setBrush(kInk);
             p.drawEllipse(QPointF(13, 10.5), 1, 1);
         }},
    };
    return painters;
}
}  // namespace

QIcon PreviewGlyph(const QString& name)
{
    const auto found = Painters().find(name);
    if (found == Painters().end())
        return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    found->second(painter);
    return QIcon(pixmap);
}
