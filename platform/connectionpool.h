#pragma once
// The open database connections, one per data folder, and what each has learnt
// about its tables' columns. Inside the data-set layer only.
#include "dataset.h"

#include <QSqlDatabase>
#include <QVariantList>
#include <vector>

class QSqlError;
class QSqlQuery;

struct ColumnKind {
    QString name;
    TFieldType kind;
};

namespace ConnectionPool {

// The folder's connection, opened on first use; raises EDatabaseError when the
// folder holds no database or the file is not one.
QSqlDatabase Connection(const QString& dataFolder);

// The declared kinds of a table's columns in table order; empty for no such table.
const std::vector<ColumnKind>& TableColumns(const QString& dataFolder, const QString& table);

// Prepares and runs a statement with "?" placeholders and these values; raises
// EDatabaseError with the engine's message and the failure's kind when it fails.
void Execute(QSqlQuery& query, const QString& sql, const QVariantList& values);

// The same with a statement the connection keeps prepared, for the small
// statements run once per row. Call finish() on it after reading its rows.
QSqlQuery& Run(const QString& dataFolder, const QString& sql, const QVariantList& values);

void CloseAll();

// How many transactions are open on the folder's connection, for nesting.
int& TransactionDepth(const QString& dataFolder);

// The engine's own text of a failure.
QString EngineMessage(const QSqlError& error);
// The failure to raise: the engine's text and its kind.
EDatabaseError EngineError(const QSqlError& error);

}  // namespace ConnectionPool
