#pragma once
// Reading the program's own SQL text: named parameters, the table of a
// "SELECT * FROM" statement and its WHERE clause. Quotes, bracketed names and
// comments are skipped, so a colon or a keyword inside them means nothing.
#include <QString>
#include <QStringList>
#include <optional>

namespace SqlText {

// The statement with every ":Name" replaced by "?", and the names in the order
// they stand (a name used twice is listed twice).
struct Positional {
    QString text;
    QStringList names;
};
Positional ToPositional(const QString& sql);

// The parameter names of a statement, each once, in the order first seen.
QStringList ParamNames(const QString& sql);

// "SELECT * FROM <table> [WHERE <where>] [ORDER BY ...]": the shape of a
// statement whose rows can be edited in place.
struct LiveSelect {
    QString table;
    QString where;          // empty when there is no WHERE clause
    qsizetype starAt = 0;   // where the "*" stands
};
std::optional<LiveSelect> ParseLiveSelect(const QString& sql);

// The first table named after the statement's outer FROM; empty when none.
QString FromTable(const QString& sql);

// A name quoted for SQL: "name", inner quotes doubled.
QString QuoteName(const QString& name);

}  // namespace SqlText
