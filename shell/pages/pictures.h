#pragma once
// The program's own pictures, drawn rather than shipped.
#include <QIcon>
#include <QPixmap>

// The splash window's background, product name included.
QPixmap SplashPicture(const QSize& size);
// The product's emblem: a heart with a cross.
QPixmap ProductEmblem(int size);
QPixmap AddressBookPicture();
QPixmap ToDoListPicture();
QIcon PrintIcon();
QIcon HomeIcon();
QIcon TreeViewIcon();
