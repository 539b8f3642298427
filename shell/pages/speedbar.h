#pragma once
// The toolbar panel of the main window and of the folder page: a row of flat
// buttons with pictures and hints.
#include <QWidget>

class QHBoxLayout;
class QIcon;
class QToolButton;

class TSpeedBar : public QWidget {
    Q_OBJECT
public:
    explicit TSpeedBar(QWidget* parent);

    QToolButton* AddButton(const QString& name, const QIcon& icon, const QString& hint);
    // For spacing and for other controls in the row.
    QHBoxLayout& Row() const { return *row_; }

private:
    QHBoxLayout* row_;
};
