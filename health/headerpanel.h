#pragma once
// The pale header of the account dialogs: a bold caption on the left and the
// dialog's picture on the right, keyed onto the panel's colour.
#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

struct THeaderPanel {
    QWidget* panel;
    QLabel* caption;   // plain text: it may show a name the user typed
    QLabel* picture;
};

THeaderPanel NewHeaderPanel(const QString& caption, const QPixmap& glyphSource);
