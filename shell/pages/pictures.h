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
// The toolbar's glyphs are drawn: the style's own come as image files in
// several sizes, and decoding them was a good part of the start-up.
QIcon ExitIcon();
QIcon BackIcon();
QIcon ForwardIcon();
QIcon PrintIcon();
QIcon HomeIcon();
QIcon TreeViewIcon();
