#include "records/common/bizaddr.h"
#include "recordstest.h"

namespace {

class BizAddrTest : public RecordsTest {
protected:
    qint32 Add(const QString& name, qint32 categoryNo, const QString& phone = {}, const QString& city = {})
    {
        return Append(Business(name, categoryNo, phone, city));
    }
};

TBizAddr FullRow()
{
    TBizAddr row = Business(QStringLiteral("Valley \"Best\" Clinic"), 5, QStringLiteral("1"), QStringLiteral("Salem"));
    row.contacts = QStringLiteral("Dr. O'Neil");
    row.addr = QStringLiteral("1 Main St.");
    row.addr2 = QStringLiteral("Suite 2");
    row.state = QStringLiteral("IL");
    row.zip = QStringLiteral("62701");
    row.country = QStringLiteral("USA");
    row.phone2 = QStringLiteral("2");
    row.fax = QStringLiteral("3");
    row.mobile = QStringLiteral("4");
    row.pager = QStringLiteral("5");
    row.email = QStringLiteral("desk@valley.example");
    row.webURL = QStringLiteral("http://valley.example/");
    row.opHours = {QStringLiteral("Mon-Fri 8-5"), QStringLiteral("Sat 9-12")};
    row.mapDirection = {QStringLiteral("Exit 4, then left")};
    row.note = {QStringLiteral("Parking behind"), QString(), QStringLiteral("Bring card")};
    return row;
}

TEST_F(BizAddrTest, AppendReadAndUpdateEveryField)
{
    const TBizAddr written = FullRow();
    const qint32 id = AppendBizAddr(written);
    EXPECT_GT(id, 0);
    TBizAddr read;
    ASSERT_TRUE(ReadBizAddr(id, read));
    EXPECT_EQ(read, written);

    TBizAddr changed = written;
    changed.businessName = QStringLiteral("Valley Clinic");
    changed.categoryNo = 7;
    changed.note.clear();
    changed.webURL.clear();
    ASSERT_TRUE(UpdateBizAddr(id, changed));
    ASSERT_TRUE(ReadBizAddr(id, read));
    EXPECT_EQ(read, changed);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 1);
}

TEST_F(BizAddrTest, MissingRowsAndFailingDatabase)
{
    TBizAddr row;
    EXPECT_FALSE(ReadBizAddr(99, row));
    EXPECT_FALSE(UpdateBizAddr(99, FullRow()));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR")), 0);
    const qint32 id = Add(QStringLiteral("Corner Pharmacy"), 1);

    // A refused write is not a missing row.
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("BIZADDR"));
    EXPECT_THROW(UpdateBizAddr(id, FullRow()), EDatabaseError);
    FailOn(QStringLiteral("INSERT"), QStringLiteral("BIZADDR"));
    EXPECT_THROW(AppendBizAddr(FullRow()), EDatabaseError);
    ASSERT_TRUE(ReadBizAddr(id, row));
    EXPECT_EQ(row.businessName, QStringLiteral("Corner Pharmacy"));

    // Nor is a table that cannot be read.
    Exec(QStringLiteral("ALTER TABLE BIZADDR RENAME TO BIZADDRMoved"));
    EXPECT_THROW(ReadBizAddr(id, row), EDatabaseError);
    EXPECT_THROW(FindBizAddrId(QStringLiteral("Corner Pharmacy"), -1), EDatabaseError);
    EXPECT_THROW(UpdateBizAddr(id, FullRow()), EDatabaseError);
}

TEST_F(BizAddrTest, FindByNameHoldingQuotesAndColumnNames)
{
    const qint32 quoted = Add(QStringLiteral("Dr. \"Doc\" O'Brien"), 5);
    const qint32 hospital = Add(QStringLiteral("General Hospital"), 5);
    const qint32 pharmacy = Add(QStringLiteral("General Hospital"), 1);
    EXPECT_EQ(FindBizAddrId(QStringLiteral("Dr. \"Doc\" O'Brien"), 5), quoted);
    EXPECT_EQ(FindBizAddrId(QStringLiteral("General Hospital"), 1), pharmacy);
    EXPECT_EQ(FindBizAddrId(QStringLiteral("General Hospital"), -1), hospital);
    EXPECT_EQ(FindBizAddrId(QStringLiteral("General Hospital"), 6), 0);
    // A column's name is only a name: it matches no row.
    EXPECT_EQ(FindBizAddrId(QStringLiteral("BusinessName"), -1), 0);
    EXPECT_EQ(FindBizAddrId(QStringLiteral("general hospital"), -1), 0);
}

TEST_F(BizAddrTest, LookupFindsNamesHoldingQuotesAndColumnNames)
{
    // Joined into the statement, the name City compared two columns and found Dayton.
    Add(QStringLiteral("Dayton"), 6, QStringLiteral("111"), QStringLiteral("Dayton"));
    const qint32 city = Add(QStringLiteral("City"), 6, QStringLiteral("222"), QStringLiteral("Xenia"));
    const qint32 quoted = Add(QStringLiteral("Joe's \"Best\" Drugs"), 6, QStringLiteral("333"));

    qint32 id = 0;
    TBizContact contact;
    LookupBizAddr(QStringLiteral("City"), 6, id, contact);
    EXPECT_EQ(id, city);
    EXPECT_EQ(contact.phone1, QStringLiteral("222"));
    EXPECT_EQ(contact.city, QStringLiteral("Xenia"));

    id = 0;
    contact = {};
    LookupBizAddr(QStringLiteral("Joe's \"Best\" Drugs"), 6, id, contact);
    EXPECT_EQ(id, quoted);
    EXPECT_EQ(contact.phone1, QStringLiteral("333"));

    id = 0;
    contact = {};
    LookupBizAddr(QStringLiteral("Phone1"), 6, id, contact);
    EXPECT_EQ(id, 0);
    EXPECT_TRUE(contact.IsEmpty());
}

TEST_F(BizAddrTest, LookupKeepsTheRowThatStillBearsTheNameAndFollowsAChange)
{
    const qint32 acme = Add(QStringLiteral("Acme Health"), 6, QStringLiteral("555-1000"), QStringLiteral("Troy"));
    // The other business is found in any category.
    const qint32 other = Add(QStringLiteral("Best Insurance"), 5, QStringLiteral("555-2000"));

    qint32 bizId = acme;
    TBizContact contact;
    contact.phone1 = QStringLiteral("typed");
    LookupBizAddr(QStringLiteral("Acme Health"), 6, bizId, contact);
    EXPECT_EQ(bizId, acme);
    EXPECT_EQ(contact.phone1, QStringLiteral("typed"));
    EXPECT_TRUE(contact.city.isEmpty());

    contact = {};
    LookupBizAddr(QStringLiteral("Acme Health"), 6, bizId, contact);
    EXPECT_EQ(contact.city, QStringLiteral("Troy"));

    LookupBizAddr(QStringLiteral("Best Insurance"), 6, bizId, contact);
    EXPECT_EQ(bizId, other);
    EXPECT_EQ(contact.phone1, QStringLiteral("555-2000"));
    EXPECT_TRUE(contact.city.isEmpty());

    // A key outside the category is dropped; the values stay.
    LookupBizAddr(QStringLiteral("Nobody Known"), 6, bizId, contact);
    EXPECT_EQ(bizId, 0);
    EXPECT_EQ(contact.phone1, QStringLiteral("555-2000"));

    bizId = acme;
    LookupBizAddr(QStringLiteral("Nobody Known"), 6, bizId, contact);
    EXPECT_EQ(bizId, 0);
    EXPECT_TRUE(contact.IsEmpty());
}

TEST_F(BizAddrTest, LookupOfANewNameNeedsEmptyValuesAndNoTrailingBackslash)
{
    const qint32 id = Add(QStringLiteral("Acme Health"), 6, QStringLiteral("555-1000"));
    Add(QStringLiteral("Slash\\"), 6, QStringLiteral("1"));

    qint32 bizId = 0;
    TBizContact contact;
    contact.fax = QStringLiteral("typed fax");
    LookupBizAddr(QStringLiteral("Acme Health"), 6, bizId, contact);
    EXPECT_EQ(bizId, 0);
    EXPECT_EQ(contact.fax, QStringLiteral("typed fax"));

    contact = {};
    LookupBizAddr(QStringLiteral("Slash\\"), 6, bizId, contact);
    EXPECT_EQ(bizId, 0);
    LookupBizAddr(QStringLiteral("Acme Health"), 5, bizId, contact);
    EXPECT_EQ(bizId, 0);
    LookupBizAddr(QStringLiteral("Acme Health"), 0, bizId, contact);
    EXPECT_EQ(bizId, id);

    // A key whose row is gone is looked up again by name.
    bizId = 12345;
    contact = {};
    LookupBizAddr(QStringLiteral("Acme Health"), 6, bizId, contact);
    EXPECT_EQ(bizId, id);
    EXPECT_EQ(contact.phone1, QStringLiteral("555-1000"));

    // The payment dialog must learn that nothing was looked up: its values stand.
    BreakDatabase();
    contact.state = QStringLiteral("OH");
    EXPECT_THROW(LookupBizAddr(QStringLiteral("Other"), 6, bizId, contact), EDatabaseError);
    EXPECT_EQ(bizId, id);
    EXPECT_EQ(contact.state, QStringLiteral("OH"));
    bizId = 0;
    contact = {};
    EXPECT_THROW(LookupBizAddr(QStringLiteral("Acme Health"), 6, bizId, contact), EDatabaseError);
    EXPECT_EQ(bizId, 0);
}

}  // namespace
