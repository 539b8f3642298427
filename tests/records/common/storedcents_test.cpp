#include "records/common/storedcents.h"
#include "recordstest.h"

#include <utility>
#include <vector>

namespace {

using StoredCentsTest = RecordsTest;

// MEDYEAR.Amount is a floating field: what goes in as cents comes back as
// the same cents, and an amount past 64-bit cents is a damaged row.
TEST_F(StoredCentsTest, CentsComeBackAndADamagedAmountThrows)
{
    const std::vector<std::pair<qint32, double>> rows = {{1, 0.0}, {2, 19.99}, {3, -0.29}, {4, 1e300}};
    for (const auto& [id, amount] : rows)
        Exec(QStringLiteral("INSERT INTO MEDYEAR (AccountID, ForYear, Amount) VALUES (%1, 2024, %2)")
                 .arg(id)
                 .arg(amount, 0, 'g', 17));

    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDYEAR ORDER BY AccountID");
    query.Open();
    EXPECT_EQ(ReadStoredCents(query, "Amount"), 0);
    query.Next();
    EXPECT_EQ(ReadStoredCents(query, "Amount"), 1999);
    query.Next();
    EXPECT_EQ(ReadStoredCents(query, "Amount"), -29);
    query.Next();
    EXPECT_THROW(ReadStoredCents(query, "Amount"), EDatabaseError);

    query.First();
    query.Edit();
    WriteStoredCents(query, "Amount", 1234567890123);
    query.Post();
    TQuery again(DataFolder);
    again.SQL() << QStringLiteral("SELECT Amount FROM MEDYEAR WHERE AccountID = 1");
    again.Open();
    EXPECT_EQ(ReadStoredCents(again, "Amount"), 1234567890123);
}

}  // namespace
