#include "platform/sqltext.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlTextTest, NamedParametersBecomePositionalOutsideQuotesAndComments)
{
    const SqlText::Positional p = SqlText::ToPositional(QStringLiteral(
        "SELECT * FROM T WHERE A = :BDate AND B <= :EDate -- :Gone\n"
        "AND C = 'x:y' AND D = \":Name\" AND [E:F] = :bdate /* :Hidden */ AND G = 'it''s :Not'"));
    EXPECT_EQ(p.text, QStringLiteral("SELECT * FROM T WHERE A = ? AND B <= ? -- :Gone\n"
                                     "AND C = 'x:y' AND D = \":Name\" AND [E:F] = ? /* :Hidden */ AND G = 'it''s :Not'"));
    EXPECT_EQ(p.names, (QStringList{QStringLiteral("BDate"), QStringLiteral("EDate"), QStringLiteral("bdate")}));
    EXPECT_EQ(SqlText::ParamNames(p.text), QStringList());
    EXPECT_EQ(SqlText::ParamNames(QStringLiteral("SELECT :A, :B, :a, :c")),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("c")}));
}

TEST(SqlTextTest, ALiveSelectGivesItsTableAndWhereClause)
{
    auto live = SqlText::ParseLiveSelect(QStringLiteral("SELECT *  FROM MEDTEMPL\nWHERE TemplType = :TemplType\nAND MemberID = 3\nORDER BY ImmuID, TemplID DESC"));
    ASSERT_TRUE(live.has_value());
    EXPECT_EQ(live->table, QStringLiteral("MEDTEMPL"));
    EXPECT_EQ(live->where, QStringLiteral("TemplType = :TemplType\nAND MemberID = 3"));
    EXPECT_EQ(live->starAt, 7);

    live = SqlText::ParseLiveSelect(QStringLiteral("select * from \"GENERIC\" order by ObjID"));
    ASSERT_TRUE(live.has_value());
    EXPECT_EQ(live->table, QStringLiteral("GENERIC"));
    EXPECT_TRUE(live->where.isEmpty());

    live = SqlText::ParseLiveSelect(QStringLiteral("SELECT * FROM BIZADDR WHERE (BusinessName BETWEEN 'A' AND 'Czz'\nOR Note = 'order by x')"));
    ASSERT_TRUE(live.has_value());
    EXPECT_EQ(live->where, QStringLiteral("(BusinessName BETWEEN 'A' AND 'Czz'\nOR Note = 'order by x')"));
}

TEST(SqlTextTest, OtherStatementsAreNotLive)
{
    for (const char* sql : {"SELECT DISTINCT * FROM MEDTEMPL", "SELECT BizID, City FROM BIZADDR", "SELECT * FROM A, B",
                            "SELECT * FROM A JOIN B ON A.x = B.x", "SELECT * FROM A GROUP BY x", "SELECT * FROM A LIMIT 3",
                            "SELECT * FROM A t WHERE x = 1", "DELETE FROM A", "SELECT * FROM (SELECT 1)", "SELECT * FROM A WHERE"})
        EXPECT_FALSE(SqlText::ParseLiveSelect(QString::fromLatin1(sql)).has_value()) << sql;
    EXPECT_TRUE(SqlText::ParseLiveSelect(QStringLiteral("SELECT * FROM A WHERE x IN (SELECT y FROM B GROUP BY y)")).has_value());
}

TEST(SqlTextTest, TheFromTableIsTheOuterOne)
{
    EXPECT_EQ(SqlText::FromTable(QStringLiteral("SELECT DISTINCT ImmuID, ItemStr1 FROM MEDTEMPL WHERE (TemplType = :TemplType)")),
              QStringLiteral("MEDTEMPL"));
    EXPECT_EQ(SqlText::FromTable(QStringLiteral("SELECT (SELECT 1 FROM X) AS one FROM [Y Z]")), QStringLiteral("Y Z"));
    EXPECT_EQ(SqlText::FromTable(QStringLiteral("SELECT 1")), QString());
    EXPECT_EQ(SqlText::QuoteName(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
}

}  // namespace
