#include "health/keyedglyph.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor kPanel(0x00, 0x80, 0x80);

QPixmap Picture(const QSize& size, const QColor& fill)
{
    QPixmap pixmap(size);
    pixmap.fill(fill);
    return pixmap;
}

QRgb PixelAt(const QPixmap& pixmap, int x, int y)
{
    return pixmap.toImage().pixel(x, y);
}

TEST(KeyedGlyph, TheKeyColourTakesThePanelsColourAndEveryOtherPixelStays)
{
    QPixmap source = Picture(QSize(32, 24), kGlyphKeyColor);
    {
        QPainter painter(&source);
        painter.fillRect(QRect(8, 6, 10, 8), QColor(0xFE, 0x00, 0xFF));  // one step off the key
        painter.fillRect(QRect(20, 6, 4, 4), Qt::black);
    }
    const QPixmap glyph = MakeKeyedGlyph(source, kPanel);

    EXPECT_EQ(PixelAt(glyph, 0, 0), kPanel.rgb());
    EXPECT_EQ(PixelAt(glyph, 31, 23), kPanel.rgb());
    EXPECT_EQ(PixelAt(glyph, 10, 8), QColor(0xFE, 0x00, 0xFF).rgb());
    EXPECT_EQ(PixelAt(glyph, 21, 7), QColor(Qt::black).rgb());
}

TEST(KeyedGlyph, APictureWithoutTheKeyColourIsCopiedUnchangedAtItsOwnSize)
{
    QPixmap source = Picture(QSize(17, 5), Qt::white);
    {
        QPainter painter(&source);
        painter.fillRect(QRect(0, 0, 3, 5), QColor(0x12, 0x34, 0x56));
    }
    const QPixmap glyph = MakeKeyedGlyph(source, kPanel);

    EXPECT_EQ(glyph.size(), QSize(17, 5));
    EXPECT_EQ(glyph.toImage().convertToFormat(QImage::Format_ARGB32),
              source.toImage().convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
