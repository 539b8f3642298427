#pragma once
// Amounts are stored as dollars in floating fields; the program works in
// whole cents. Every record that reads or writes an amount field goes
// through these two.
#include <QtGlobal>

class TDataSet;

// The field's amount in whole cents. An amount that is no number of cents is
// a damaged row, not a zero: EDatabaseError.
qint64 ReadStoredCents(TDataSet& data, const char* fieldName);
void WriteStoredCents(TDataSet& data, const char* fieldName, qint64 cents);
