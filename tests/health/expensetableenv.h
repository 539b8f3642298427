#pragma once
// A data folder with members, expenses, split rows and check-up records for
// the expense table's tests, with the program's date and money formats.
#include "platform/datetime.h"
#include "platform/formatsettings.h"
#include "tests/support/testsupport.h"

#include <QStringList>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class ExpenseTableEnv : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    qint32 AddMember(const QString& firstName) const;
    qint32 AddExpense(qint32 memberId, TDateTime date, double total, double outOfPocket,
                      const QString& description = {}, const QString& doctor = {}) const;
    void AddSplit(qint32 expId, qint32 accountId, double amount) const;
    qint32 AddCheckup(qint32 memberId, qint32 expId) const;
    void Execute(const QString& sql) const;
    // Every row of a table, each as its columns' texts joined by "|", in key order.
    QStringList Dump(const QString& table, const QString& orderBy) const;

    FreshDataFolder folder_;

private:
    FormatSettings savedFormats_;
};
