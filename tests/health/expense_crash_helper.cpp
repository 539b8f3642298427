// Writes expenses without end into the data folder given as its argument,
// for a test that kills it at random moments: new expenses with four split
// rows, and edits of the last one. Says "ready" once the first is written.
// The folder holds the member and the accounts the test laid: member 2
// ... as found by key below.
#include "health/expensedata.h"

#include "context/context.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

std::vector<qint32> Keys(const QString& sql)
{
    TQuery query(DataFolder);
    query.SQL() << sql;
    std::vector<qint32> keys;
    for (query.Open(); !query.Eof(); query.Next())
        keys.push_back(query.Fields(0).AsInteger());
    return keys;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    DataFolder = QString::fromLocal8Bit(argv[1]);
    const qint32 member = Keys(QStringLiteral("SELECT MemberID FROM MEDPROF")).at(0);
    const std::vector<qint32> insurance =
        Keys(QStringLiteral("SELECT AccountID FROM MEDINS WHERE AccountType <> 5 ORDER BY AccountID"));
    const std::vector<qint32> fsa =
        Keys(QStringLiteral("SELECT AccountID FROM MEDINS WHERE AccountType = 5 ORDER BY AccountID"));
    for (qint64 round = 0;; ++round) {
        TExpenseDraft draft;
        if (round % 3 == 2) {
            draft = LoadExpense(Keys(QStringLiteral("SELECT MAX(ExpID) FROM MEDEXP")).at(0)).value();
        } else {
            draft.memberId = member;
            draft.serviceDate = EncodeDate(2024, 1 + round % 12, 1 + round % 28);
            draft.description = QStringLiteral("Visit %1").arg(round);
            draft.doctor = QStringLiteral("Doctor %1").arg(round % 50);
        }
        draft.officePaid = 1999 + round % 100;
        draft.mailPaid = 29;
        SetInsurancePayment(draft, insurance.at(0), 3333 + round % 7);
        SetInsurancePayment(draft, insurance.at(1), 3333);
        SetFsaReimbursement(draft, fsa.at(0), 70 + round % 3);
        SetFsaReimbursement(draft, fsa.at(1), 10);
        FinishExpense(draft);
        if (round == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
