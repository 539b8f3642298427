#pragma once
// A household with insurance accounts, FSAs, expenses and their split rows
// for the insurance, FSA and plan-report tests. Today is 14 June 2024.
#include "expensetableenv.h"

#include "health/insuranceentry.h"

class InsuranceEnv : public ExpenseTableEnv {
protected:
    qint32 AddMemberNamed(const QString& first, const QString& middle, const QString& last) const;
    qint32 AddAccountRow(qint32 accountType, const QString& name) const;
    void AddSplitPaid(qint32 expId, qint32 accountId, double amount, double deductible) const;
    void AddYear(qint32 accountId, int year, double amount, const QString& note = {}) const;
    // An expense of the member on the date with one split row of the account.
    void Spend(qint32 memberId, TDateTime date, qint32 accountId, double amount, double deductible = 0) const;
};

// An entry every check lets through: a medical plan from 1 January 2024
// with a 19.99 deductible per person and no limits.
TInsurancePlan GoodEntry();
// GoodEntry with a co-payment of the given percentage.
TInsurancePlan PercentEntry(double percent);
