#pragma once
// The pictures of the link tree: folders closed and open, and a globe for a
// web site, drawn to any size.
#include <QIcon>
#include <QPixmap>

class QTreeWidget;

enum class TLinkPicture { ClosedFolder, OpenFolder, WebSite };

QPixmap LinkPicture(TLinkPicture picture, int size);
QIcon LinkIcon(TLinkPicture picture);

// The link trees show each name whole: the column grows with the deepest
// entry shown, the tree scrolling sideways to it, and is never narrower than
// the tree.
void ShowWholeNames(QTreeWidget& tree);
