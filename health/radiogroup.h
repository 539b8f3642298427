#pragma once
// A framed group of mutually exclusive choices read and set by index, with
// room for "nothing chosen yet" (-1), which a plain button group cannot show.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    // -1 when nothing is chosen.
    int ItemIndex() const;
    // -1 (or any index out of range) chooses nothing.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;
    int Count() const;

signals:
    // The user chose an item.
    void Clicked(int index);

private:
    QButtonGroup* buttons_;
};
