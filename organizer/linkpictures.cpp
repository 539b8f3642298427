#include "linkpictures.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QTreeWidget>

namespace {

const QColor kOutline(0x80, 0x60, 0x00);
const QColor kFolderBack(0xE8, 0xB8, 0x30);
const QColor kFolderFront(0xFF, 0xD8, 0x60);
const QColor kSea(0x30, 0x70, 0xD0);
const QColor kLand(0x40, 0xA0, 0x40);

void DrawFolder(QPainter& painter, double s, bool open)
{
    painter.setPen(QPen(kOutline, s / 16.0));
    painter.setBrush(kFolderBack);
    QPainterPath back;
    back.moveTo(0.06 * s, 0.22 * s);
    back.lineTo(0.38 * s, 0.22 * s);
    back.lineTo(0.46 * s, 0.32 * s);
    back.lineTo(0.94 * s, 0.32 * s);
    back.lineTo(0.94 * s, 0.86 * s);
    back.lineTo(0.06 * s, 0.86 * s);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setBrush(kFolderFront);
    if (open) {
        const QPointF front[] = {{0.20 * s, 0.46 * s}, {1.0 * s - 1, 0.46 * s}, {0.86 * s, 0.86 * s},
                                 {0.06 * s, 0.86 * s}};
        painter.drawPolygon(front, 4);
    } else {
        painter.drawRect(QRectF(0.06 * s, 0.40 * s, 0.88 * s, 0.46 * s));
    }
}

void DrawGlobe(QPainter& painter, double s)
{
    const QRectF ball(0.08 * s, 0.08 * s, 0.84 * s, 0.84 * s);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSea);
    painter.drawEllipse(ball);
    painter.setBrush(kLand);
    painter.drawEllipse(QRectF(0.24 * s, 0.22 * s, 0.26 * s, 0.34 * s));
    painter.drawEllipse(QRectF(0.52 * s, 0.50 * s, 0.24 * s, 0.26 * s));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xE0, 0xF0, 0xFF), s / 20.0));
    painter.drawEllipse(QRectF(0.32 * s, 0.08 * s, 0.36 * s, 0.84 * s));
    painter.drawLine(QPointF(0.08 * s, 0.5 * s), QPointF(0.92 * s, 0.5 * s));
    painter.setPen(QPen(QColor(0x10, 0x30, 0x70), s / 16.0));
    painter.drawEllipse(ball);
}

}  // namespace

QPixmap LinkPicture(TLinkPicture picture, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (picture == TLinkPicture::WebSite)
        DrawGlobe(painter, size);
    else
        DrawFolder(painter, size, picture == TLinkPicture::OpenFolder);
    return pixmap;
}

QIcon LinkIcon(TLinkPicture picture)
{
    QIcon icon;
    // Selected, the picture keeps its colours rather than the style's tint.
    for (const int size : {16, 24, 32}) {
        const QPixmap pixmap = LinkPicture(picture, size);
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected);
    }
    return icon;
}

namespace {

// Keeps the tree's one column as wide as its widest entry shown, and never
// narrower than the tree: a click or a drop beside a short name still lands
// on its row.
class TNameColumnFitter : public QObject {
public:
    explicit TNameColumnFitter(QTreeWidget& tree) : QObject(&tree), tree_(tree)
    {
        tree.header()->setStretchLastSection(false);
        tree.viewport()->installEventFilter(this);
        const auto later = [this] { QMetaObject::invokeMethod(this, [this] { Fit(); }, Qt::QueuedConnection); };
        connect(&tree, &QTreeWidget::itemExpanded, this, later);
        connect(&tree, &QTreeWidget::itemCollapsed, this, later);
        connect(tree.model(), &QAbstractItemModel::rowsInserted, this, later);
        connect(tree.model(), &QAbstractItemModel::rowsRemoved, this, later);
        connect(tree.model(), &QAbstractItemModel::dataChanged, this, later);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            Fit();
        return QObject::eventFilter(watched, event);
    }

private:
    void Fit()
    {
        tree_.resizeColumnToContents(0);
        if (tree_.columnWidth(0) < tree_.viewport()->width())
            tree_.setColumnWidth(0, tree_.viewport()->width());
    }

    QTreeWidget& tree_;
};

}  // namespace

void ShowWholeNames(QTreeWidget& tree)
{
    new TNameColumnFitter(tree);
}
