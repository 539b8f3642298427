#pragma once
// Room for more rows in a grid that keeps one key per row beside it.
#include <QList>

class QTableWidget;

// Five more rows; the keys grow to the new row count, the new keys 0.
void GrowGridRows(QTableWidget& grid, QList<qint32>& rowKeys);
