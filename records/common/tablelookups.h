#pragma once
// Small look-ups in the tables of the data folder. Each raises EDatabaseError
// when the table cannot be read: a failure is never an answer.
#include <QString>

// True when the table has no row.
bool IsTableEmpty(const QString& tableName);

// The name of a category; empty when there is none.
QString GetCategoryName(qint32 categoryType, qint32 categoryNo);
