#pragma once
// Rows the payment tests lay in a fresh data folder, and what they read back.
#include "platform/datetime.h"

#include <QString>
#include <QStringList>

namespace MedPayEnv {

// A patient of the payments (the program never writes them).
void AddPatient(qint32 id, const QString& name);
qint32 AddInsurer(const QString& name);
qint32 AddPayment(TDateTime serviceDate, qint32 patient, qint32 coverage, qint32 insurer, const QString& provider,
                  double total, double insurance, double outOfPocket);
// One column of every row of a statement, in order, as text.
QStringList Column(const QString& sql);
qint64 CountOf(const QString& sql);

}  // namespace MedPayEnv
