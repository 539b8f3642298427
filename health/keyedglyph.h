#pragma once
// The header pictures of the health dialogs are drawn on a key colour; the
// copy shown puts the panel's colour where the key colour was, so the
// picture sits on its panel without a coloured frame.
#include <QColor>
#include <QPixmap>

inline const QColor kGlyphKeyColor(0xFF, 0x00, 0xFF);

// The source picture with every pixel of the key colour in the background
// colour; the copy has the source's size.
QPixmap MakeKeyedGlyph(const QPixmap& source, const QColor& background, const QColor& key = kGlyphKeyColor);
