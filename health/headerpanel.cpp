#include "headerpanel.h"

#include "keyedglyph.h"

#include <QHBoxLayout>
#include <QLabel>

THeaderPanel NewHeaderPanel(const QString& caption, const QPixmap& glyphSource)
{
    auto* panel = new QWidget;
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE1));
    panel->setPalette(colours);
    auto* picture = new QLabel;
    picture->setPixmap(MakeKeyedGlyph(glyphSource, colours.color(QPalette::Window)));
    auto* label = new QLabel(caption);
    label->setTextFormat(Qt::PlainText);
    // The caption may repeat a long account name: it takes the room the
    // window has rather than widening the window past the screen.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    label->setFont(bold);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(label, 1);
    row->addWidget(picture);
    return {panel, label, picture};
}
