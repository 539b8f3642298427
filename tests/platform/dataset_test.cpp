#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <optional>
#include <gtest/gtest.h>

namespace {

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = ProcessFormats();
        ProcessFormats().shortDateFormat = QStringLiteral("m/d/yyyy");
        ProcessFormats().dateSeparator = QLatin1Char('/');
    }
    void TearDown() override { ProcessFormats() = saved_; }

    void Exec(const QString& sql)
    {
        TQuery q(folder_.Path());
        q.SQL() << sql;
        q.ExecSQL();
    }

    int Count(const QString& sql)
    {
        TQuery q(folder_.Path());
        q.SQL() << sql;
        q.Open();
        return q.RecordCount();
    }

    std::unique_ptr<TQuery> OpenLive(const QString& sql)
    {
        auto q = std::make_unique<TQuery>(folder_.Path());
        q->SetRequestLive(true);
        q->SQL() << sql;
        q->Open();
        return q;
    }

    // Appends a member through a live result and gives its key.
    qint32 AddMember(const QString& firstName, qint32 display = 0)
    {
        auto q = OpenLive(QStringLiteral("SELECT * FROM MEDPROF"));
        q->Append();
        q->FieldByName(QStringLiteral("FirstName")).SetAsString(firstName);
        q->FieldByName(QStringLiteral("Display")).SetAsInteger(display);
        q->Post();
        return q->FieldByName(QStringLiteral("MemberID")).AsInteger();
    }

    QStringList FirstNames(const QString& sql)
    {
        TQuery q(folder_.Path());
        q.SQL() << sql;
        q.Open();
        QStringList names;
        for (; !q.Eof(); q.Next())
            names << q.FieldByName(QStringLiteral("FirstName")).AsString();
        return names;
    }

    FreshDataFolder folder_;
    FormatSettings saved_;
};

// ---- Reading a result ----

TEST_F(DataSetTest, OpenStandsOnTheFirstRowAndNextStaysOnTheLast)
{
    AddMember(QStringLiteral("Ann"));
    AddMember(QStringLiteral("Bob"));
    AddMember(QStringLiteral("Cy"));

    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF") << QStringLiteral("ORDER BY FirstName DESC");
    q.Open();
    EXPECT_TRUE(q.Active());
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Cy"));

    q.Next();
    q.Next();
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Ann"));
    q.Next();   // past the last row: Eof, and the footer still reads the last row
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Ann"));

    q.Prior();
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Bob"));
    q.First();
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Cy"));
    q.Prior();
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Cy"));

    q.Close();
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(q.FieldCount(), 0);
    EXPECT_THROW(q.Next(), EDatabaseError);
}

TEST_F(DataSetTest, OpeningAnOpenQueryKeepsItsPlaceUntilTheStatementChanges)
{
    AddMember(QStringLiteral("Ann"));
    AddMember(QStringLiteral("Bob"));
    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF ORDER BY FirstName");
    q.Open();
    q.Next();
    q.Open();
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Bob"));
    q.SQL().last() = QStringLiteral("SELECT * FROM MEDPROF ORDER BY FirstName DESC");
    q.Open();
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Bob"));
    q.Next();
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Ann"));
}

TEST_F(DataSetTest, AnEmptyResultIsAtEofWithNullFields)
{
    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID = -5");
    q.Open();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.RecordCount(), 0);
    EXPECT_TRUE(q.FieldByName(QStringLiteral("FirstName")).IsNull());
    q.Next();
    EXPECT_TRUE(q.Eof());
}

TEST_F(DataSetTest, FieldsAreFoundByNameInAnyCaseAndTypedByTheirDeclaration)
{
    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("select * from bizaddr");
    q.Open();
    EXPECT_EQ(&q.FieldByName(QStringLiteral("BizID")), &q.FieldByName(QStringLiteral("bizid")));
    EXPECT_EQ(q.FindField(QStringLiteral("NoSuchField")), nullptr);
    EXPECT_THROW(q.FieldByName(QStringLiteral("NoSuchField")), EDatabaseError);

    EXPECT_EQ(q.FieldByName(QStringLiteral("BizId")).DataType(), TFieldType::Integer);
    EXPECT_EQ(q.FieldByName(QStringLiteral("BusinessName")).DataType(), TFieldType::String);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Note")).DataType(), TFieldType::Memo);
    q.Close();

    q.SQL().clear();
    q.SQL() << QStringLiteral("SELECT * FROM TODO01");
    q.Open();
    EXPECT_EQ(q.FieldByName(QStringLiteral("Due")).DataType(), TFieldType::Date);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Done")).DataType(), TFieldType::Boolean);
    q.Close();

    q.SQL().clear();
    q.SQL() << QStringLiteral("SELECT PropertyType, Premium FROM GENERIC, MEDINS");
    q.Open();
    EXPECT_EQ(q.FieldByName(QStringLiteral("PropertyType")).DataType(), TFieldType::SmallInt);
}

TEST_F(DataSetTest, AComputedColumnTakesTheKindOfItsValues)
{
    AddMember(QStringLiteral("Ann"));
    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT COUNT(*) AS Members, 2.5 AS Half, 'x' AS Letter FROM MEDPROF");
    q.Open();
    EXPECT_EQ(q.FieldByName(QStringLiteral("Members")).DataType(), TFieldType::Integer);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Members")).AsInteger(), 1);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Half")).DataType(), TFieldType::Float);
    EXPECT_EQ(q.FieldByName(QStringLiteral("Letter")).DataType(), TFieldType::String);
}

// ---- Live results ----

TEST_F(DataSetTest, APostedAppendStaysCurrentAndReadsItsKeyBack)
{
    auto q = OpenLive(QStringLiteral("SELECT * FROM BIZADDR"));
    q->Append();
    EXPECT_FALSE(q->Eof());
    q->FieldByName(QStringLiteral("BusinessName")).SetAsString(QStringLiteral("Clinic"));
    q->FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(5);
    q->Post();
    const qint32 first = q->FieldByName(QStringLiteral("BizId")).AsInteger();
    EXPECT_GT(first, 0);
    EXPECT_EQ(q->FieldByName(QStringLiteral("BusinessName")).AsString(), QStringLiteral("Clinic"));

    q->Append();
    q->FieldByName(QStringLiteral("BusinessName")).SetAsString(QStringLiteral("Pharmacy"));
    q->Post();
    EXPECT_EQ(q->FieldByName(QStringLiteral("BizId")).AsInteger(), first + 1);
    EXPECT_EQ(q->RecordCount(), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM BIZADDR WHERE CategoryNo = 5")), 1);
}

TEST_F(DataSetTest, EditPostWritesAndCancelForgets)
{
    const qint32 id = AddMember(QStringLiteral("Ann"));
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF") << QStringLiteral("WHERE MemberID = %1").arg(id);
    q.Open();

    q.Edit();
    q.FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("Anne"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Anne"));
    q.Cancel();
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Ann"));
    EXPECT_EQ(FirstNames(QStringLiteral("SELECT * FROM MEDPROF")), QStringList{QStringLiteral("Ann")});

    q.Edit();
    q.FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("Anna"));
    q.Post();
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Anna"));
    EXPECT_EQ(FirstNames(QStringLiteral("SELECT * FROM MEDPROF")), QStringList{QStringLiteral("Anna")});

    q.Append();
    q.FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("Never"));
    q.Cancel();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Anna"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF")), 1);
}

TEST_F(DataSetTest, MovingOnPostsAPendingChange)
{
    AddMember(QStringLiteral("Ann"));
    AddMember(QStringLiteral("Bob"));
    auto q = OpenLive(QStringLiteral("SELECT * FROM MEDPROF ORDER BY MemberID"));
    q->Edit();
    q->FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("Smith"));
    q->Next();
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF WHERE LastName = 'Smith'")), 1);
}

TEST_F(DataSetTest, AppendPostsAPendingEditOrAppendFirst)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"));
    auto q = OpenLive(QStringLiteral("SELECT * FROM MEDPROF"));
    q->Edit();
    q->FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("O'Brien"));
    q->Append();
    q->FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("Ann"));
    q->FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("D'Arcy"));
    q->Append();   // the appended row too is posted, not dropped
    q->FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("Zoë"));
    q->Post();

    EXPECT_EQ(q->RecordCount(), 3);
    EXPECT_EQ(FirstNames(QStringLiteral("SELECT * FROM MEDPROF WHERE LastName = 'O''Brien'")),
              QStringList{QStringLiteral("Ann")});
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID = %1 AND LastName = 'O''Brien'").arg(ann)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID > %1 AND LastName = 'D''Arcy'").arg(ann)), 1);
    EXPECT_EQ(FirstNames(QStringLiteral("SELECT * FROM MEDPROF ORDER BY MemberID")),
              (QStringList{QStringLiteral("Ann"), QStringLiteral("Ann"), QStringLiteral("Zoë")}));
}

TEST_F(DataSetTest, APostedRowThatLeavesTheWhereClauseLeavesTheResult)
{
    AddMember(QStringLiteral("Ann"));
    AddMember(QStringLiteral("Bob"), 1);
    AddMember(QStringLiteral("Cy"));
    AddMember(QStringLiteral("Dee"));

    // The folder page's loop: after Post the current position holds the next row.
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF") << QStringLiteral("WHERE Display = 0");
    q.Open();
    ASSERT_EQ(q.RecordCount(), 3);
    QStringList placed;
    for (int guard = 0; !q.Eof() && guard < 10; ++guard) {
        placed << q.FieldByName(QStringLiteral("FirstName")).AsString();
        q.Edit();
        q.FieldByName(QStringLiteral("Display")).SetAsInteger(1);
        q.Post();
    }
    EXPECT_EQ(placed, (QStringList{QStringLiteral("Ann"), QStringLiteral("Cy"), QStringLiteral("Dee")}));
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.RecordCount(), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF WHERE Display = 1")), 4);
}

TEST_F(DataSetTest, APostedRowThatStillQualifiesStaysWithItsNewValues)
{
    AddMember(QStringLiteral("Ann"));
    AddMember(QStringLiteral("Bob"));
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF WHERE Display = :Shown ORDER BY FirstName");
    q.ParamByName(QStringLiteral("Shown")).SetAsInteger(0);
    q.Open();
    q.Edit();
    q.FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("Jones"));
    q.Post();
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldByName(QStringLiteral("LastName")).AsString(), QStringLiteral("Jones"));
    q.Next();
    EXPECT_EQ(q.FieldByName(QStringLiteral("FirstName")).AsString(), QStringLiteral("Bob"));
}

TEST_F(DataSetTest, ADeletedRowsIdIsNeverHandedOutAgain)
{
    AddMember(QStringLiteral("Ann"));
    const qint32 deleted = AddMember(QStringLiteral("Bob"));
    Exec(QStringLiteral("DELETE FROM MEDPROF WHERE MemberID = %1").arg(deleted));
    EXPECT_GT(AddMember(QStringLiteral("Cy")), deleted);
}

// The web links make their table when it is missing; looking for it first
// must not leave the table unknown to live results for the rest of the run.
TEST_F(DataSetTest, ATableMadeAfterAFailedOpenGivesLiveResults)
{
    EXPECT_THROW(OpenLive(QStringLiteral("SELECT * FROM hiir")), EDatabaseError);
    Exec(QStringLiteral("CREATE TABLE hiir (NAbsIndex INTEGER, NDesc VARCHAR(255))"));
    auto q = OpenLive(QStringLiteral("SELECT * FROM hiir"));
    EXPECT_EQ(q->FieldByName(QStringLiteral("NAbsIndex")).DataType(), TFieldType::Integer);
    q->Append();
    q->FieldByName(QStringLiteral("NAbsIndex")).SetAsInteger(1);
    q->FieldByName(QStringLiteral("NDesc")).SetAsString(QStringLiteral("Health sites"));
    q->Post();
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM hiir WHERE NAbsIndex = 1")), 1);
}

TEST_F(DataSetTest, OnlyALiveResultOfOneTableCanBeChanged)
{
    AddMember(QStringLiteral("Ann"));
    TQuery plain(folder_.Path());
    plain.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    plain.Open();
    EXPECT_THROW(plain.Edit(), EDatabaseError);
    EXPECT_THROW(plain.Append(), EDatabaseError);
    EXPECT_THROW(plain.FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("x")), EDatabaseError);

    auto distinct = OpenLive(QStringLiteral("SELECT DISTINCT * FROM MEDPROF"));
    EXPECT_THROW(distinct->Edit(), EDatabaseError);

    auto live = OpenLive(QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID = -1"));
    EXPECT_THROW(live->Edit(), EDatabaseError);   // no row to edit
    EXPECT_THROW(live->FieldByName(QStringLiteral("FirstName")).SetAsString(QStringLiteral("x")), EDatabaseError);
}

// ---- Values ----

TEST_F(DataSetTest, ANewRowReadsAsNullsAndDefaults)
{
    auto q = OpenLive(QStringLiteral("SELECT * FROM TODO01"));
    q->Append();
    q->Post();
    EXPECT_TRUE(q->FieldByName(QStringLiteral("Description")).IsNull());
    EXPECT_EQ(q->FieldByName(QStringLiteral("Description")).AsString(), QString());
    EXPECT_TRUE(q->FieldByName(QStringLiteral("Description")).AsLines().isEmpty());
    EXPECT_EQ(q->FieldByName(QStringLiteral("CategoryNo")).AsInteger(), 0);
    EXPECT_EQ(q->FieldByName(QStringLiteral("CategoryNo")).AsFloat(), 0.0);
    EXPECT_EQ(q->FieldByName(QStringLiteral("Due")).AsDateTime(), 0.0);
    EXPECT_EQ(q->FieldByName(QStringLiteral("Due")).AsString(), QString());
    EXPECT_FALSE(q->FieldByName(QStringLiteral("Done")).IsNull());   // declared with a default
    EXPECT_FALSE(q->FieldByName(QStringLiteral("Done")).AsBoolean());
}

TEST_F(DataSetTest, MemoLinesAreKeptApartAndNoLinesStoreNull)
{
    auto q = OpenLive(QStringLiteral("SELECT * FROM TODO01"));
    q->Append();
    const QStringList lines{QStringLiteral("Call the dentist"), QString(), QStringLiteral("  bring the card")};
    q->FieldByName(QStringLiteral("Description")).SetAsLines(lines);
    q->Post();
    EXPECT_EQ(q->FieldByName(QStringLiteral("Description")).AsLines(), lines);
    EXPECT_EQ(q->FieldByName(QStringLiteral("Description")).AsString(), lines.join(QLatin1Char('\n')));

    q->Edit();
    q->FieldByName(QStringLiteral("Description")).SetAsLines({});
    q->Post();
    EXPECT_TRUE(q->FieldByName(QStringLiteral("Description")).IsNull());
}

TEST_F(DataSetTest, DatesAreWholeDaysAndNoDateIsNull)
{
    auto q = OpenLive(QStringLiteral("SELECT * FROM TODO01"));
    q->Append();
    const TDateTime newYearsEve = EncodeDate(2024, 12, 31);
    q->FieldByName(QStringLiteral("Due")).SetAsDateTime(newYearsEve + EncodeTime(18, 30, 0, 0));
    q->FieldByName(QStringLiteral("ScheduleDate")).SetAsDateTime(0.0);
    q->Post();
    EXPECT_EQ(q->FieldByName(QStringLiteral("Due")).AsDateTime(), newYearsEve);
    EXPECT_EQ(q->FieldByName(QStringLiteral("Due")).AsString(), QStringLiteral("12/31/2024"));
    EXPECT_TRUE(q->FieldByName(QStringLiteral("ScheduleDate")).IsNull());
    EXPECT_EQ(q->FieldByName(QStringLiteral("ScheduleDate")).AsDateTime(), 0.0);

    // A date given as text is read by the short date format.
    q->Edit();
    q->FieldByName(QStringLiteral("ScheduleDate")).SetAsString(QStringLiteral("1/1/1800"));
    q->Post();
    EXPECT_EQ(q->FieldByName(QStringLiteral("ScheduleDate")).AsDateTime(), EncodeDate(1800, 1, 1));
    q->Edit();
    EXPECT_THROW(q->FieldByName(QStringLiteral("ScheduleDate")).SetAsString(QStringLiteral("31/31/2000")), EDatabaseError);
    q->Cancel();

    TQuery until(folder_.Path());
    until.SQL() << QStringLiteral("SELECT * FROM TODO01 WHERE Due <= :EDate AND Due >= :BDate");
    until.ParamByName(QStringLiteral("EDate")).SetAsDate(newYearsEve);
    until.ParamByName(QStringLiteral("BDate")).SetAsDate(EncodeDate(2024, 12, 1) + 0.75);
    until.Open();
    EXPECT_EQ(until.RecordCount(), 1);
}

TEST_F(DataSetTest, BooleansAndMoneyKeepTheirValues)
{
    auto q = OpenLive(QStringLiteral("SELECT * FROM TODO01"));
    for (bool done : {true, false, true}) {
        q->Append();
        q->FieldByName(QStringLiteral("Done")).SetAsBoolean(done);
        q->Post();
    }
    EXPECT_TRUE(q->FieldByName(QStringLiteral("Done")).AsBoolean());
    EXPECT_EQ(q->FieldByName(QStringLiteral("Done")).AsString(), QStringLiteral("True"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM TODO01 WHERE Done = False")), 1);

    auto money = OpenLive(QStringLiteral("SELECT * FROM MEDINS"));
    money->Append();
    money->FieldByName(QStringLiteral("Premium")).SetAsFloat(1234.56);
    money->FieldByName(QStringLiteral("IndLifeMax")).SetAsFloat(-1.0);
    money->FieldByName(QStringLiteral("PremiumTime")).SetAsString(QStringLiteral("12"));
    money->Post();
    EXPECT_DOUBLE_EQ(money->FieldByName(QStringLiteral("Premium")).AsFloat(), 1234.56);
    EXPECT_DOUBLE_EQ(money->FieldByName(QStringLiteral("IndLifeMax")).AsFloat(), -1.0);
    EXPECT_EQ(money->FieldByName(QStringLiteral("PremiumTime")).AsInteger(), 12);
    money->Edit();
    EXPECT_THROW(money->FieldByName(QStringLiteral("PremiumTime")).SetAsString(QStringLiteral("twelve")), EDatabaseError);
    EXPECT_THROW(money->FieldByName(QStringLiteral("Premium")).SetAsString(QStringLiteral("1,5")), EDatabaseError);
}

// ---- Parameters ----

TEST_F(DataSetTest, ParametersCarryQuotesAndNamesThatLookLikeColumns)
{
    const QStringList names{QStringLiteral("O'Brien \"Doc\" Clinic"), QStringLiteral("City"), QStringLiteral(":BusinessName")};
    for (const QString& name : names) {
        TQuery insert(folder_.Path());
        insert.SQL() << QStringLiteral("INSERT INTO BIZADDR (BusinessName, City)") << QStringLiteral("VALUES (:Name, :Name)");
        insert.ParamByName(QStringLiteral("Name")).SetAsString(name);
        insert.ExecSQL();
    }
    for (const QString& name : names) {
        TQuery q(folder_.Path());
        q.SQL() << QStringLiteral("SELECT * FROM BizAddr") << QStringLiteral("WHERE BusinessName = :BusinessName");
        q.ParamByName(QStringLiteral("BusinessName")).SetAsString(name);
        q.Open();
        ASSERT_EQ(q.RecordCount(), 1) << name.toStdString();
        EXPECT_EQ(q.FieldByName(QStringLiteral("City")).AsString(), name);
    }
}

TEST_F(DataSetTest, AColonInsideQuotesIsNoParameter)
{
    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT * FROM BIZADDR WHERE BusinessName <> ':NotAParam' -- :NorThis")
            << QStringLiteral("AND Phone1 <> \":NorThat\" AND CategoryNo = :Category");
    q.ParamByName(QStringLiteral("category")).SetAsInteger(5);
    EXPECT_THROW(q.ParamByName(QStringLiteral("NotAParam")), EDatabaseError);
    EXPECT_THROW(q.ParamByName(QStringLiteral("NorThis")), EDatabaseError);
    EXPECT_THROW(q.ParamByName(QStringLiteral("NorThat")), EDatabaseError);
    EXPECT_NO_THROW(q.Open());
}

TEST_F(DataSetTest, AParameterWithoutAValueIsRefused)
{
    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT * FROM MEDTEMPL WHERE TemplType = :TemplType AND MemberID = :MemberID");
    q.ParamByName(QStringLiteral("TemplType")).SetAsInteger(1);
    EXPECT_THROW(q.Open(), EDatabaseError);
    EXPECT_FALSE(q.Active());
}

TEST_F(DataSetTest, ParameterValuesOutliveAChangeOfStatement)
{
    TQuery insert(folder_.Path());
    insert.SQL() << QStringLiteral("INSERT") << QStringLiteral("INTO GENERIC (PropertyType, ObjID, StrProperty)")
                 << QStringLiteral("VALUES (:PropertyType, :ObjID, :StrProperty)");
    insert.ParamByName(QStringLiteral("PropertyType")).SetAsSmallInt(201);
    insert.ParamByName(QStringLiteral("ObjID")).SetAsInteger(3);
    insert.ParamByName(QStringLiteral("StrProperty")).SetAsString(QStringLiteral("Dr. Lee"));
    insert.ExecSQL();

    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = :PropertyType");
    q.ParamByName(QStringLiteral("PropertyType")).SetAsSmallInt(201);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);

    q.SQL() << QStringLiteral("AND ObjID = :ObjID");   // a changed statement closes the query
    q.ParamByName(QStringLiteral("ObjID")).SetAsInteger(4);
    EXPECT_FALSE(q.Active());
    q.Open();
    EXPECT_EQ(q.RecordCount(), 0);
}

// ---- The report scratch table ----

TEST_F(DataSetTest, TheScratchTableIsOpenedByItsFileNameAndKeepsTheOrderWritten)
{
    TTable table(folder_.Path(), QStringLiteral("CpRept.DB"));
    table.EmptyTable();
    table.Open();
    const QStringList written{QStringLiteral("zeta"), QStringLiteral("alpha"), QStringLiteral("mid")};
    for (const QString& text : written) {
        table.Append();
        table.FieldByName(QStringLiteral("Column1")).SetAsString(text);
        table.Post();
    }
    EXPECT_EQ(table.RecordCount(), 3);
    table.Close();

    TQuery report(folder_.Path());
    report.SQL() << QStringLiteral("SELECT * FROM CPREPT");
    report.Open();
    QStringList read;
    for (; !report.Eof(); report.Next())
        read << report.FieldByName(QStringLiteral("column1")).AsString();
    EXPECT_EQ(read, written);

    TTable again(folder_.Path(), QStringLiteral("cprept.db"));
    again.Open();
    EXPECT_EQ(again.FieldByName(QStringLiteral("Column1")).AsString(), QStringLiteral("zeta"));
    again.EmptyTable();
    EXPECT_TRUE(again.Active());
    EXPECT_EQ(again.RecordCount(), 0);
    again.Append();
    again.FieldByName(QStringLiteral("Category")).SetAsString(QStringLiteral("1."));
    again.Post();
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept")), 1);

    TTable missing(folder_.Path(), QStringLiteral("NoSuch.DB"));
    EXPECT_THROW(missing.Open(), EDatabaseError);
}

TEST_F(DataSetTest, ATransactionIsRolledBackUnlessCommitted)
{
    {
        TTransaction transaction(folder_.Path());
        Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('lost')"));
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept")), 0);
    {
        TTransaction transaction(folder_.Path());
        TTable table(folder_.Path(), QStringLiteral("CpRept.DB"));
        table.Open();
        table.Append();
        table.FieldByName(QStringLiteral("Column1")).SetAsString(QStringLiteral("kept"));
        table.Post();
        transaction.Commit();
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept WHERE Column1 = 'kept'")), 1);
}

TEST_F(DataSetTest, ATransactionInsideAnotherJoinsIt)
{
    {
        TTransaction outer(folder_.Path());
        Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('outer')"));
        {
            TTransaction inner(folder_.Path());
            Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('inner')"));
            inner.Commit();
        }
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept")), 0) << "the outer roll-back undoes a committed inner one";

    {
        TTransaction outer(folder_.Path());
        Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('outer')"));
        {
            TTransaction failed(folder_.Path());
            Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('undone')"));
        }
        {
            TTransaction inner(folder_.Path());
            Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('inner')"));
            inner.Commit();
        }
        outer.Commit();
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept WHERE Column1 = 'undone'")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept WHERE Column1 IN ('outer', 'inner')")), 2);

    // Both levels were left: a new transaction is an outer one again.
    {
        TTransaction again(folder_.Path());
        Exec(QStringLiteral("DELETE FROM CpRept"));
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept")), 2);
}

TEST_F(DataSetTest, EveryLevelOfNestingUndoesOnlyItsOwnWork)
{
    const auto insert = [&](const char* text) {
        Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('%1')").arg(QLatin1String(text)));
    };
    const auto kept = [&] { return ColumnOf(folder_.Path(), QStringLiteral("SELECT Column1 FROM CpRept ORDER BY Column1")); };
    {
        TTransaction outer(folder_.Path());
        insert("1 outer");
        {
            TTransaction middle(folder_.Path());
            insert("2 middle");
            {
                TTransaction failed(folder_.Path());
                insert("3 failed");
            }
            {
                TTransaction inner(folder_.Path());
                insert("3 inner");
                inner.Commit();
            }
            middle.Commit();
        }
        {
            TTransaction failed(folder_.Path());
            insert("2 failed");
            TTransaction inner(folder_.Path());
            insert("3 under a failed one");
            inner.Commit();
        }
        outer.Commit();
    }
    const QStringList committed{QStringLiteral("1 outer"), QStringLiteral("2 middle"), QStringLiteral("3 inner")};
    EXPECT_EQ(kept(), committed);

    {
        TTransaction outer(folder_.Path());
        insert("1 rolled back");
        TTransaction middle(folder_.Path());
        insert("2 released");
        TTransaction inner(folder_.Path());
        insert("3 released");
        inner.Commit();
        middle.Commit();
    }
    EXPECT_EQ(kept(), committed) << "the outer roll-back undoes what both inner levels released";
}

TEST_F(DataSetTest, ATransactionWhoseDatabaseWasClosedAndRemovedEndsQuietly)
{
    const QString path = Database::PathIn(folder_.Path());
    const QString aside = path + QStringLiteral(".aside");
    {
        TTransaction transaction(folder_.Path());
        Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('lost')"));
        Database::CloseAll();
        ASSERT_TRUE(QFile::rename(path, aside));
    }
    ASSERT_TRUE(QFile::rename(aside, path));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept")), 0);
    TTransaction again(folder_.Path());   // an outer one: no savepoint left behind
    Exec(QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('kept')"));
    again.Commit();
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM CpRept")), 1);
}

// ---- Connections and failures ----

TEST_F(DataSetTest, AFailingStatementRaisesTheEnginesMessage)
{
    TQuery q(folder_.Path());
    q.SQL() << QStringLiteral("SELECT * FROM NOSUCHTABLE");
    try {
        q.Open();
        FAIL() << "no exception";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("no such table"))) << e.what();
    }
    EXPECT_FALSE(q.Active());

    TQuery bad(folder_.Path());
    bad.SQL() << QStringLiteral("SELEKT 1");
    EXPECT_THROW(bad.Open(), EDatabaseError);
    bad.SQL().clear();
    bad.SQL() << QStringLiteral("DELETE FROM CpRept");
    EXPECT_THROW(bad.Open(), EDatabaseError);   // gives no rows to open
}

TEST_F(DataSetTest, TwoFoldersAreOpenAtOnceAndReopenAfterCloseAll)
{
    FreshDataFolder other;
    AddMember(QStringLiteral("Ann"));
    TQuery here(folder_.Path());
    here.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    TQuery there(other.Path());
    there.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    here.Open();
    there.Open();
    EXPECT_EQ(here.RecordCount(), 1);
    EXPECT_EQ(there.RecordCount(), 0);

    // Restore copies a file over the database between CloseAll and the next query.
    Database::CloseAll();
    const QString mine = Database::PathIn(folder_.Path());
    ASSERT_TRUE(QFile::remove(mine));
    ASSERT_TRUE(QFile::copy(Database::PathIn(other.Path()), mine));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM MEDPROF")), 0);
    EXPECT_EQ(here.RecordCount(), 1);   // an open result keeps its rows
}

TEST(DatabaseFileTest, AMissingDatabaseIsRefusedAndNotCreated)
{
    QTemporaryDir empty;
    const QString folder = empty.path() + QLatin1Char('/');
    EXPECT_EQ(Database::PathIn(folder), folder + QStringLiteral("careportfolio.db"));
    try {
        Database::Check(folder);
        FAIL() << "no exception";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("careportfolio.db"))) << e.what();
    }
    TQuery q(folder);
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    EXPECT_THROW(q.Open(), EDatabaseError);
    EXPECT_FALSE(QFile::exists(Database::PathIn(folder)));
}

TEST(DatabaseFileTest, AFileThatIsNoDatabaseIsRefusedAndLeftAlone)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QByteArray text = "These are not the tables you are looking for.\n";
    {
        QFile file(Database::PathIn(folder));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.repeated(40));
    }
    EXPECT_THROW(Database::Check(folder), EDatabaseError);
    QFile file(Database::PathIn(folder));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), text.repeated(40));
    file.close();

    ASSERT_TRUE(file.resize(0));   // an empty file holds no tables
    EXPECT_THROW(Database::Check(folder), EDatabaseError);
    EXPECT_EQ(QFileInfo(file).size(), 0);
    Database::CloseAll();
}

TEST(DatabaseFileTest, AFolderNamedWithSpecialCharactersOpens)
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/My Care #1?%20é-XXXXXX"));
    const QString folder = dir.path() + QLatin1Char('/');
    ASSERT_TRUE(QFile::copy(Database::PathIn(DeliveredDataFolder()), Database::PathIn(folder)));
    QFile::setPermissions(Database::PathIn(folder), QFile::ReadOwner | QFile::WriteOwner);
    TQuery q(folder);
    q.SQL() << QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 5");
    q.Open();
    EXPECT_EQ(q.FieldByName(QStringLiteral("StrProperty")).AsString(), QStringLiteral("1"));
    Database::CloseAll();
}

// ---- What kind of trouble a failure is ----

// The kind of the failure the work raises; fails the test when it raises none.
template <typename Work>
std::optional<TDatabaseFault> FaultOf(Work&& work, QString* message = nullptr)
{
    try {
        work();
    } catch (const EDatabaseError& e) {
        if (message)
            *message = e.Message();
        return e.Fault();
    }
    ADD_FAILURE() << "no exception";
    return std::nullopt;
}

void ReadMembers(const QString& folder)
{
    TQuery q(folder);
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    q.Open();
}

void AddToScratchTable(const QString& folder)
{
    TQuery q(folder);
    q.SQL() << QStringLiteral("INSERT INTO CpRept (Column1) VALUES ('x')");
    q.ExecSQL();
}

TEST(DatabaseFaultTest, AMissingFileAndAFileOfGarbageAreEachTheirOwnKind)
{
    QTemporaryDir empty;
    const QString nowhere = empty.path() + QLatin1Char('/');
    EXPECT_EQ(FaultOf([&] { Database::Check(nowhere); }), TDatabaseFault::Missing);
    EXPECT_EQ(FaultOf([&] { ReadMembers(nowhere); }), TDatabaseFault::Missing);

    FreshDataFolder folder;
    WriteGarbageDatabase(folder.Path());
    QString message;
    EXPECT_EQ(FaultOf([&] { ReadMembers(folder.Path()); }, &message), TDatabaseFault::NotADatabase);
    EXPECT_TRUE(message.contains(QStringLiteral("is not a database"))) << message.toStdString();

    QFile file(Database::PathIn(folder.Path()));
    ASSERT_TRUE(file.resize(0));   // a database without tables is not ours either
    EXPECT_EQ(FaultOf([&] { Database::Check(folder.Path()); }), TDatabaseFault::NotADatabase);
}

TEST(DatabaseFaultTest, ADatabaseHeldByAnotherProgramIsBusyNeverNotADatabase)
{
    FreshDataFolder folder;
    {
        // Held before the program first opens it...
        DatabaseLockedElsewhere other(folder.Path());
        QString message;
        EXPECT_EQ(FaultOf([&] { Database::Check(folder.Path()); }, &message), TDatabaseFault::Busy);
        EXPECT_FALSE(message.contains(QStringLiteral("not a database"))) << message.toStdString();
    }
    // ...and while the program has it open.
    ReadMembers(folder.Path());
    {
        DatabaseLockedElsewhere other(folder.Path());
        EXPECT_EQ(FaultOf([&] { ReadMembers(folder.Path()); }), TDatabaseFault::Busy);
    }
    // Once it lets go, the same connection works again.
    AddToScratchTable(folder.Path());
    EXPECT_NO_THROW(ReadMembers(folder.Path()));
}

TEST(DatabaseFaultTest, AReadOnlyDatabaseIsReadAndRefusesWritesAsReadOnly)
{
    FreshDataFolder folder;
    MakeDatabaseReadOnly(folder.Path());
    EXPECT_NO_THROW(ReadMembers(folder.Path()));
    EXPECT_EQ(FaultOf([&] { AddToScratchTable(folder.Path()); }), TDatabaseFault::ReadOnly);

    // A live result posting its row meets the same refusal.
    TQuery live(folder.Path());
    live.SetRequestLive(true);
    live.SQL() << QStringLiteral("SELECT * FROM CpRept");
    live.Open();
    live.Append();
    live.FieldByName(QStringLiteral("Column1")).SetAsString(QStringLiteral("y"));
    EXPECT_EQ(FaultOf([&] { live.Post(); }), TDatabaseFault::ReadOnly);
}

TEST(DatabaseFaultTest, AFaultOfTheStatementIsNoneOfTheFileKinds)
{
    FreshDataFolder folder;
    TQuery q(folder.Path());
    q.SQL() << QStringLiteral("SELECT * FROM NOSUCHTABLE");
    EXPECT_EQ(FaultOf([&] { q.Open(); }), TDatabaseFault::Other);
    EXPECT_EQ(FaultOf([&] { q.FieldByName(QStringLiteral("FirstName")); }), TDatabaseFault::Other);
}

// Left open on purpose, last: the connections and their prepared statements
// must close with the application, or the leak check at exit fails this program.
TEST(DatabaseFileTest, ConnectionsLeftOpenCloseWithTheApplication)
{
    static QTemporaryDir outlivesTheApplication;
    const QString folder = outlivesTheApplication.path() + QLatin1Char('/');
    ASSERT_TRUE(QFile::copy(Database::PathIn(DeliveredDataFolder()), Database::PathIn(folder)));
    QFile::setPermissions(Database::PathIn(folder), QFile::ReadOwner | QFile::WriteOwner);
    TQuery q(folder);
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM CpRept");
    q.Open();
    q.Append();
    q.FieldByName(QStringLiteral("Column1")).SetAsString(QStringLiteral("left open"));
    q.Post();
    EXPECT_EQ(q.RecordCount(), 1);
}

}  // namespace
