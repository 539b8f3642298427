#pragma once
// How the program's values are kept in the database file. The declared type
// of a column decides the field kind: INTEGER, SMALLINT, REAL (money),
// BOOLEAN (0/1), DATE (ISO text "YYYY-MM-DD", whole days), VARCHAR(n) (text)
// and TEXT (memo, lines joined with "\n").
#include "dataset.h"

namespace FieldStorage {

// The kind of a column declared with this type; Unknown for anything else.
TFieldType KindOfDeclaredType(const QString& declaredType);
// The kind of a computed column, from a value it holds.
TFieldType KindOfValue(const QVariant& stored);

// The stored value as the program reads it (dates as TDateTime, Booleans as bool).
QVariant ToProgram(const QVariant& stored, TFieldType kind);
// The program's value as it is stored; raises EDatabaseError for a value the
// field cannot take.
QVariant ToStored(const QVariant& value, TFieldType kind, const QString& fieldName);

// The stored text of a date (whole days).
QString IsoDate(TDateTime value);

}  // namespace FieldStorage
