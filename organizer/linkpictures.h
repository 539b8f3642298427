#pragma once
// The pictures of the link tree: folders closed and open, and a globe for a
// web site, drawn to any size.
#include <QIcon>
#include <QPixmap>

enum class TLinkPicture { ClosedFolder, OpenFolder, WebSite };

QPixmap LinkPicture(TLinkPicture picture, int size);
QIcon LinkIcon(TLinkPicture picture);
