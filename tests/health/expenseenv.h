#pragma once
// Rows the expense tests and the crash helper lay in a data folder, and the
// checks they read back. Amounts are whole cents.
#include "platform/datetime.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace ExpenseEnv {

qint32 AddMember(const QString& firstName, const QString& lastName);
qint32 AddAccount(qint32 accountType, const QString& name);
void AddElection(qint32 accountId, int year);
// The insurance account covers the member.
void Cover(qint32 accountId, qint32 memberId);
// An expense of 100.00 paid at the office, `reimbursed` cents of it by the
// FSA, stored as Finish stores it; its key.
qint32 AddReimbursedExpense(qint32 memberId, TDateTime date, qint32 fsa, qint64 reimbursed);
// One column of every row of a statement, in order, as text.
QStringList Column(const QString& sql);
// Every row of the expense and split tables, as text, for "nothing changed".
QStringList Snapshot();
qint64 CountOf(const QString& sql);

// An expense whose stored sums contradict its split rows, or split rows
// whose expense is missing; empty when every expense is whole. Every FSA
// is taken to have an election for the expense's year.
QStringList ExpenseContradictions();

}  // namespace ExpenseEnv
