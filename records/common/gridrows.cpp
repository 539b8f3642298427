#include "gridrows.h"

#include <QTableWidget>

void GrowGridRows(QTableWidget& grid, QList<qint32>& rowKeys)
{
    grid.setRowCount(grid.rowCount() + 5);
    rowKeys.resize(grid.rowCount(), 0);
}
