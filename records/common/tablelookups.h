#pragma once
// Small look-ups in the tables of the data folder.
#include <QString>

// True when the table has no row; false also when it cannot be read.
bool IsTableEmpty(const QString& tableName);

// The name of a category; empty when there is none or it cannot be read.
QString GetCategoryName(qint32 categoryType, qint32 categoryNo);
