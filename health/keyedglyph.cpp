#include "keyedglyph.h"

#include <QImage>

QPixmap MakeKeyedGlyph(const QPixmap& source, const QColor& background, const QColor& key)
{
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = key.rgb();
    const QRgb backgroundRgb = background.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) == 255 && (line[x] & RGB_MASK) == (keyRgb & RGB_MASK))
                line[x] = backgroundRgb;
    }
    return QPixmap::fromImage(image);
}
