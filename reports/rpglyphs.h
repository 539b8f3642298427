#pragma once
// The preview window's button pictures, drawn by their resource names
// ("RPPRINTBITMAP", ...). An unknown name gives an empty icon.
#include <QIcon>
#include <QString>

QIcon PreviewGlyph(const QString& name);
