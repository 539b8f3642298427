#include "pagepictures.h"

#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Every picture is drawn on a 100 by 100 canvas scaled to the size asked for.
constexpr qreal kCanvas = 100.0;

const QColor kOutline(60, 60, 70);
const QColor kSkin(241, 194, 160);
const QColor kHair(110, 70, 40);
const QColor kMaleShirt(52, 110, 190);
const QColor kFemaleDress(205, 70, 120);
const QColor kPaper(250, 250, 244);
const QColor kCareRed(200, 30, 45);
const QColor kMoneyGreen(40, 140, 70);
const QColor kGold(225, 175, 40);

QPen Outline(qreal width = 2.5)
{
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Person(QPainter& p, qreal x, qreal scale, bool female, bool child)
{
    // The figure stands on the canvas's floor; a child is shorter, with a larger head.
    const qreal height = child ? 66 * scale : 96 * scale;
    const qreal floor = 98;
    const qreal top = floor - height;
    const qreal head = child ? height * 0.36 : height * 0.27;
    const qreal bodyWidth = child ? head * 1.35 : head * 1.55;
    p.setPen(Outline(1.8));

    QPainterPath body;
    const qreal shoulders = top + head * 1.05;
    if (female) {
        body.moveTo(x - bodyWidth * 0.35, shoulders);
        body.lineTo(x + bodyWidth * 0.35, shoulders);
        body.lineTo(x + bodyWidth * 0.62, floor - height * 0.16);
        body.lineTo(x - bodyWidth * 0.62, floor - height * 0.16);
        body.closeSubpath();
        p.setBrush(kFemaleDress);
    } else {
        body.addRoundedRect(QRectF(x - bodyWidth / 2, shoulders, bodyWidth, height * 0.46), 6 * scale, 6 * scale);
        p.setBrush(kMaleShirt);
    }
    // Legs first, so the body covers their tops.
    p.setBrush(female ? kSkin : QColor(60, 70, 95));
    const qreal legTop = female ? floor - height * 0.2 : shoulders + height * 0.4;
    const qreal legWidth = bodyWidth * 0.22;
    p.drawRect(QRectF(x - bodyWidth * 0.28, legTop, legWidth, floor - legTop));
    p.drawRect(QRectF(x + bodyWidth * 0.28 - legWidth, legTop, legWidth, floor - legTop));
    p.setBrush(female ? kFemaleDress : kMaleShirt);
    p.drawPath(body);

    p.setBrush(kHair);
    if (female)
        p.drawRoundedRect(QRectF(x - head * 0.64, top, head * 1.28, head * 1.45), head * 0.5, head * 0.5);
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(x - head / 2, top + head * 0.08, head, head));
    if (!female) {
        p.setBrush(kHair);
        QPainterPath hair;
        hair.moveTo(x - head / 2, top + head * 0.5);
        hair.arcTo(QRectF(x - head / 2, top + head * 0.05, head, head), 180, -180);
        hair.quadTo(QPointF(x, top + head * 0.22), QPointF(x - head / 2, top + head * 0.5));
        p.drawPath(hair);
    }
}

void Paper(QPainter& p, const QRectF& sheet)
{
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawRoundedRect(sheet, 4, 4);
}

void Lines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal gap)
{
    p.setPen(QPen(QColor(150, 160, 175), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * gap), QPointF(right, top + i * gap));
}

void Dollar(QPainter& p, const QRectF& box, const QColor& color)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(box.height()));
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("$"));
}

void Cross(QPainter& p, const QPointF& centre, qreal size, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRect(QRectF(centre.x() - size / 6, centre.y() - size / 2, size / 3, size));
    p.drawRect(QRectF(centre.x() - size / 2, centre.y() - size / 6, size, size / 3));
}

void Folder(QPainter& p, const QColor& color)
{
    p.setPen(Outline());
    p.setBrush(color.darker(115));
    QPainterPath tab;
    tab.addRoundedRect(QRectF(8, 18, 36, 16), 4, 4);
    p.drawPath(tab);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(6, 26, 88, 64), 5, 5);
}

void DrawFamily(QPainter& p)
{
    Person(p, 30, 0.95, false, false);
    Person(p, 70, 0.9, true, false);
    Person(p, 50, 0.95, false, true);
}

void DrawExpensesFolder(QPainter& p)
{
    Folder(p, QColor(240, 200, 90));
    Dollar(p, QRectF(20, 34, 60, 52), kMoneyGreen);
}

void DrawMedicalExpenses(QPainter& p)
{
    Paper(p, QRectF(18, 6, 64, 88));
    Lines(p, 28, 72, 22, 3, 11);
    p.setPen(Outline(1.5));
    p.setBrush(QColor(225, 245, 230));
    p.drawEllipse(QRectF(44, 52, 36, 36));
    Dollar(p, QRectF(44, 54, 36, 32), kMoneyGreen);
}

void DrawInsurance(QPainter& p)
{
    QPainterPath shield;
    shield.moveTo(50, 6);
    shield.cubicTo(QPointF(66, 14), QPointF(80, 14), QPointF(88, 14));
    shield.cubicTo(QPointF(88, 58), QPointF(74, 80), QPointF(50, 95));
    shield.cubicTo(QPointF(26, 80), QPointF(12, 58), QPointF(12, 14));
    shield.cubicTo(QPointF(20, 14), QPointF(34, 14), QPointF(50, 6));
    p.setPen(Outline());
    p.setBrush(QColor(70, 120, 190));
    p.drawPath(shield);
    Cross(p, QPointF(50, 47), 42, Qt::white);
}

void DrawFSA(QPainter& p)
{
    p.setPen(Outline(2));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(kGold.darker(100 + 6 * (3 - i)));
        p.drawEllipse(QRectF(10, 74 - i * 12, 48, 18));
    }
    p.setBrush(kGold);
    p.drawEllipse(QRectF(42, 30, 50, 50));
    Dollar(p, QRectF(42, 33, 50, 44), QColor(130, 90, 10));
}

void DrawInternet(QPainter& p)
{
    p.setPen(Outline());
    p.setBrush(QColor(120, 180, 230));
    p.drawEllipse(QRectF(8, 8, 84, 84));
    p.setBrush(QColor(90, 170, 90));
    QPainterPath land;
    land.moveTo(26, 24);
    land.cubicTo(QPointF(44, 16), QPointF(52, 34), QPointF(40, 44));
    land.cubicTo(QPointF(30, 52), QPointF(34, 70), QPointF(24, 70));
    land.cubicTo(QPointF(12, 60), QPointF(12, 36), QPointF(26, 24));
    land.moveTo(60, 48);
    land.cubicTo(QPointF(76, 40), QPointF(90, 54), QPointF(80, 72));
    land.cubicTo(QPointF(70, 84), QPointF(58, 72), QPointF(60, 48));
    p.drawPath(land);
    p.setPen(QPen(QColor(255, 255, 255, 150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(30, 8, 40, 84));
    p.drawLine(QPointF(8, 50), QPointF(92, 50));
}

void DrawCheckupSchedule(QPainter& p)
{
    Paper(p, QRectF(8, 14, 84, 80));
    p.setPen(Outline());
    p.setBrush(kCareRed);
    p.drawRect(QRectF(8, 14, 84, 18));
    p.setBrush(QColor(120, 120, 130));
    for (int x : {26, 66})
        p.drawRoundedRect(QRectF(x, 6, 8, 16), 3, 3);
    p.setPen(QPen(QColor(170, 175, 190), 2));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(16 + col * 18, 40 + row * 16, 12, 10));
    p.setPen(QPen(kMoneyGreen, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(50, 66), QPointF(60, 78), QPointF(84, 48)}));
}

void DrawImmunizationSchedule(QPainter& p)
{
    p.save();
    p.translate(50, 50);
    p.rotate(-45);
    p.setPen(Outline());
    p.setBrush(QColor(225, 240, 250));
    p.drawRoundedRect(QRectF(-30, -11, 50, 22), 3, 3);
    p.setBrush(QColor(110, 190, 230));
    p.drawRect(QRectF(-4, -11, 24, 22));
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(QRectF(-40, -4, 10, 8));
    p.drawRect(QRectF(-46, -13, 6, 26));
    p.setPen(QPen(kOutline, 2.5));
    p.drawLine(QPointF(20, 0), QPointF(46, 0));
    p.setPen(QPen(kOutline, 1.5));
    for (int x = -24; x <= 12; x += 9)
        p.drawLine(QPointF(x, -11), QPointF(x, -4));
    p.restore();
}

void DrawMedicalHistory(QPainter& p)
{
    Folder(p, QColor(130, 170, 220));
    p.setPen(Outline(1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(30, 38, 40, 40));
    Cross(p, QPointF(50, 58), 26, kCareRed);
}

void Draw(QPainter& p, TPagePicture picture)
{
    switch (picture) {
    case TPagePicture::AddressBook:
    case TPagePicture::ToDoList:
        break;
    case TPagePicture::Family: return DrawFamily(p);
    case TPagePicture::AdultMale: return Person(p, 50, 1.0, false, false);
    case TPagePicture::ChildMale: return Person(p, 50, 1.0, false, true);
    case TPagePicture::AdultFemale: return Person(p, 50, 1.0, true, false);
    case TPagePicture::ChildFemale: return Person(p, 50, 1.0, true, true);
    case TPagePicture::ExpensesFolder: return DrawExpensesFolder(p);
    case TPagePicture::MedicalExpenses: return DrawMedicalExpenses(p);
    case TPagePicture::Insurance: return DrawInsurance(p);
    case TPagePicture::FSA: return DrawFSA(p);
    case TPagePicture::Internet: return DrawInternet(p);
    case TPagePicture::CheckupSchedule: return DrawCheckupSchedule(p);
    case TPagePicture::ImmunizationSchedule: return DrawImmunizationSchedule(p);
    case TPagePicture::MedicalHistory: return DrawMedicalHistory(p);
    }
}

}  // namespace

QPixmap PagePicture(TPagePicture picture, const QSize& size)
{
    // The tools' pictures are the ones their tutorial pages show.
    if (picture == TPagePicture::AddressBook || picture == TPagePicture::ToDoList) {
        const QPixmap tool = picture == TPagePicture::AddressBook ? AddressBookPicture() : ToDoListPicture();
        return tool.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Keep the drawing square, centred in the size asked for.
    const qreal side = std::min(size.width(), size.height());
    painter.translate((size.width() - side) / 2, (size.height() - side) / 2);
    painter.scale(side / kCanvas, side / kCanvas);
    Draw(painter, picture);
    return pixmap;
}

QIcon PageIcon(TPagePicture picture)
{
    QIcon icon;
    for (int side : {16, 24, 32})
        icon.addPixmap(PagePicture(picture, QSize(side, side)));
    return icon;
}

std::optional<TPagePicture> MemberPicture(qint32 sex, bool adult)
{
    if (sex == 0)
        return adult ? TPagePicture::AdultMale : TPagePicture::ChildMale;
    if (sex == 1)
        return adult ? TPagePicture::AdultFemale : TPagePicture::ChildFemale;
    return std::nullopt;
}
