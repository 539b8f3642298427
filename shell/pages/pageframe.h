#pragma once
// What the member, members and insurance pages share: a white panel with a
// heading and two bevels, the upper one under the heading across the page
// and the left one down the rest of its height, beside the page's body; and
// the scroll box of the members and insurance pages, with one picture and
// one underlined label per item, both opening the item.
#include <QPixmap>
#include <QScrollArea>
#include <QWidget>

class QLabel;
class TClickLabel;

class TPageFrame : public QWidget {
    Q_OBJECT
public:
    TPageFrame(QWidget* parent, const QString& heading);

    QWidget* Body() const { return body_; }

    QLabel* JazLabel1 = nullptr;

private:
    QWidget* body_ = nullptr;
};

struct TPageItem {
    TClickLabel* picture = nullptr;
    TClickLabel* label = nullptr;
};

class TItemBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TItemBox(QWidget* parent);

    // Item n goes below item n - 1. Both controls carry the tag; a null
    // picture leaves the picture empty. The names are the controls' object names.
    TPageItem AddItem(const QString& pictureName, const QString& labelName, const QPixmap& picture,
                      const QString& hint, const QString& text, qint32 tag);
    // The label's text, changed after the item was added.
    void SetLabelText(int index, const QString& text);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    const TPageItem& Item(int index) const { return items_.at(static_cast<size_t>(index)); }

signals:
    // index: the item's place in the box.
    void ItemClicked(int index, bool onPicture);

private:
    void PlaceItems();

    QWidget* content_ = nullptr;
    std::vector<TPageItem> items_;
};

// The tag the box gave an item's controls.
qint32 ItemTag(const QWidget& control);
