#include "accountspending.h"

#include "context/context.h"
#include "platform/dataset.h"

#include <algorithm>
#include <functional>

namespace {

// Each split row of the account whose expense is dated in the year, in the
// order the rows were written.
void ForEachSplitOfYear(qint32 accountId, int year, const std::function<void(TDataSet&)>& visit)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT S.Amount, S.Deductible, E.MemberID, P.FirstName")
                << QStringLiteral("FROM MEDEXPSP S JOIN MEDEXP E ON E.ExpID = S.ExpID")
                << QStringLiteral("LEFT JOIN MEDPROF P ON P.MemberID = E.MemberID")
                << QStringLiteral("WHERE S.AccountID = %1").arg(accountId)
                << QStringLiteral("AND E.ServiceDate >= :BDate AND E.ServiceDate <= :EDate")
                << QStringLiteral("ORDER BY S.rowid");
    query.ParamByName(QStringLiteral("BDate")).SetAsDate(EncodeDate(year, 1, 1));
    query.ParamByName(QStringLiteral("EDate")).SetAsDate(EncodeDate(year, 12, 31));
    for (query.Open(); !query.Eof(); query.Next())
        visit(query);
}

}  // namespace

std::vector<TMemberSpending> SumAccountSpending(qint32 accountId, int year)
{
    std::vector<TMemberSpending> members;
    ForEachSplitOfYear(accountId, year, [&members](TDataSet& row) {
        const qint32 memberId = row.FieldByName(QStringLiteral("MemberID")).AsInteger();
        auto member = std::find_if(members.begin(), members.end(),
                                   [memberId](const TMemberSpending& m) { return m.memberId == memberId; });
        if (member == members.end()) {
            members.push_back({memberId, row.FieldByName(QStringLiteral("FirstName")).AsString(), {}, {}});
            member = members.end() - 1;
        }
        member->spent.Add(row.FieldByName(QStringLiteral("Amount")).AsFloat());
        member->deductiblePaid.Add(row.FieldByName(QStringLiteral("Deductible")).AsFloat());
    });
    return members;
}

TCentsSum FsaReimbursed(qint32 accountId, int year)
{
    TCentsSum reimbursed;
    ForEachSplitOfYear(accountId, year,
                       [&reimbursed](TDataSet& row) { reimbursed.Add(row.FieldByName(QStringLiteral("Amount")).AsFloat()); });
    return reimbursed;
}
