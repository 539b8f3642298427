#include "expensedelete.h"

#include "context/context.h"
#include "platform/dataset.h"

namespace {

void Execute(const QString& statement, qint32 expId)
{
    TQuery query(DataFolder);
    query.SQL() << statement << QStringLiteral("WHERE ExpID = :ExpID");
    query.ParamByName(QStringLiteral("ExpID")).SetAsInteger(expId);
    query.ExecSQL();
}

}  // namespace

void DeleteExpense(qint32 expId)
{
    TTransaction transaction(DataFolder);
    Execute(QStringLiteral("DELETE FROM MEDEXPSP"), expId);
    Execute(QStringLiteral("UPDATE MEDCHEK SET ExpID = 0"), expId);
    Execute(QStringLiteral("DELETE FROM MEDEXP"), expId);
    transaction.Commit();
}
